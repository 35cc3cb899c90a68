"""The update table's generator: its table checks, the slices it writes, and
the checked-in table against the class table."""
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools" / "generators"))

import generated  # noqa: E402
import update_table  # noqa: E402

ROOT = Path(__file__).resolve().parents[2]


class UpdateTable(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)

    def table(self, rows):
        path = Path(self.folder.name) / "table.tsv"
        path.write_bytes(("# note\npass\ttype\tclasses\n" + rows).encode("utf-8"))
        return path

    def assertFault(self, rows, message, line):
        with self.assertRaises(generated.TableError) as caught:
            update_table.read_rows(self.table(rows))
        self.assertIn(f"table.tsv:{line}: ", str(caught.exception))
        self.assertIn(message, str(caught.exception))

    def test_slices_follow_the_pass_order_and_skipped_passes_are_empty(self):
        rows = update_table.read_rows(self.table(
            "update_textblitter_1\t7\tA_1\n"
            "update_active_6\t3\tB_2 C_3\n"
            "update_active_6\t327\tD_4\n"
            "update_active_8\t0\tE_5\n"))
        self.assertEqual(rows, [("update_textblitter_1", 7), ("update_active_6", 3),
                                ("update_active_6", 327), ("update_active_8", 0)])
        text = update_table.source(rows, "s.py", "t.tsv")
        self.assertIn("update_list_count == 4,", text)
        self.assertIn("= {\n    7, 3, 327, 0,\n};", text)
        self.assertIn('{"update_textblitter_1", update_textblitter_1, 0, 1},\n'
                      '    {"update_textblitter_5", update_textblitter_5, 1, 0},\n'
                      '    {"update_active_6", update_active_6, 1, 2},\n'
                      '    {"update_active_7", update_active_7, 3, 0},', text)
        self.assertIn('{"update_active_8", update_active_8, 3, 1},\n};', text)

    def test_faults_name_their_line(self):
        self.assertFault("update_sprite_1\t4\tA_1\n", "unknown pass 'update_sprite_1'", 3)
        self.assertFault("update_active_2\t4\tA_1\nupdate_active_6\t5\tB_2\n",
                         "the slices are listed in pass order", 4)
        self.assertFault("update_active_6\t4\tA_1\nupdate_active_2\t4\tB_2\n",
                         "type 4 is listed twice (first on line 3)", 4)
        self.assertFault("update_active_6\t328\tA_1\n", "type '328'", 3)
        self.assertFault("update_active_6\t-1\tA_1\n", "type '-1'", 3)
        self.assertFault("update_active_6\tx\tA_1\n", "type 'x'", 3)
        self.assertFault("update_active_6\t4\t\n", "names no class", 3)
        self.assertFault("", "no type", 1)

    def test_the_checked_in_table_names_each_type_by_all_its_classes(self):
        rows = generated.read_table(ROOT / "game" / "frames" / "update_table.tsv",
                                    ["pass", "type", "classes"])
        update_table.read_rows(ROOT / "game" / "frames" / "update_table.tsv")
        classes = {}
        for row in generated.read_table(ROOT / "game" / "objects" / "classes.tsv",
                                        ["number", "name", "type_id"]):
            if row["type_id"] != "1":  # backdrops share type 1
                classes.setdefault(int(row["type_id"]), []).append(
                    f"{row['name']}_{row['number']}")
        for row in rows:
            self.assertEqual(sorted(row["classes"].split(" ")), sorted(classes[int(row["type"])]),
                             f"line {row.line}")


if __name__ == "__main__":
    unittest.main()
