"""The preload lists' generator: its table checks and the list it writes."""
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools" / "generators"))

import generated  # noqa: E402
import preload_lists  # noqa: E402

ROOT = Path(__file__).resolve().parents[2]


class PreloadLists(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)

    def table(self, rows):
        path = Path(self.folder.name) / "table.tsv"
        path.write_bytes(("# note\nframe\tflush\thandles\n" + rows).encode("utf-8"))
        return path

    def assertFault(self, rows, message, line=3):
        with self.assertRaises(generated.TableError) as caught:
            preload_lists.read_lists(self.table(rows))
        self.assertIn(f"table.tsv:{line}: ", str(caught.exception))
        self.assertIn(message, str(caught.exception))

    def test_ranges_expand_in_place_and_empty_lists_stay_empty(self):
        lists = preload_lists.read_lists(self.table("1\t1\t9 3-5 0\n2\t0\t\n"))
        self.assertEqual(lists, [(1, True, [9, 3, 4, 5, 0]), (2, False, [])])
        text = preload_lists.source(lists, "s.py", "t.tsv")
        self.assertIn("const uint16_t frame1_handles[5] = {\n    9, 3, 4, 5, 0,\n};", text)
        self.assertIn("{frame1_handles, 5, true},\n    {nullptr, 0, false},", text)
        self.assertIn("frame_preload_list_count = 2;", text)

    def test_faults_name_their_line(self):
        self.assertFault("2\t1\t5\n", "this row is frame 1")
        self.assertFault("1\tyes\t5\n", "flush 'yes'")
        self.assertFault("1\t1\t5 x\n", "handle 'x'")
        self.assertFault("1\t1\t5  6\n", "handle ''")
        self.assertFault("1\t1\t9-3\n", "runs backwards")
        self.assertFault("1\t1\t6530-6534\n", "outside 0-6533")
        self.assertFault("1\t1\t4 2-5\n", "handle 4 is listed twice")
        self.assertFault("1\t1\t2371\n", "character sheet")
        self.assertFault("", "no frame", 1)

    def test_the_checked_in_table_reads(self):
        lists = preload_lists.read_lists(ROOT / "game" / "frames" / "preload_lists.tsv")
        self.assertEqual([number for number, _, _ in lists], list(range(1, 10)))
        self.assertEqual(len(lists[1][2]), 46)
        self.assertEqual(lists[2][2], [157, 194, 594, 1259, 1260, 1262])


if __name__ == "__main__":
    unittest.main()
