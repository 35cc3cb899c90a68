"""The fixed-layout generator: its row checks and the arrays it writes."""
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools" / "generators"))

import fixed_layouts  # noqa: E402
import generated  # noqa: E402

HEAD = "order\tclass\tx\ty\tadd\tlayer\tposition\n"


class FixedLayouts(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)

    def table(self, name, rows):
        path = Path(self.folder.name) / name
        path.write_text("# note\n" + HEAD + rows)
        return path

    def test_rows_keep_their_order_per_act(self):
        act2 = self.table("act2_fixed.tsv", "-\tSign_170\t8360\t821\tobject\t2\tfixed\n")
        act1 = self.table("act1_fixed.tsv", "1\tLevelParallaxPiece0_161\t0\t0\tbackground\t0\tfixed\n"
                                            "2\tAddTimeBonus_171\t-288\t+72\tobject\t5\tfixed\n")
        text = fixed_layouts.fixed_layouts([act2, act1], ["out.cpp"], None)[0]
        self.assertLess(text.index("act1_rows"), text.index("act2_rows"))
        self.assertLess(text.index('{"LevelParallaxPiece0_161", 0, 0, true, 0},'),
                        text.index('{"AddTimeBonus_171", -288, 72, false, 5},'))
        self.assertIn("case 2:\n        return act2_rows;", text)
        self.assertIn("default:\n        return {};", text)

    def test_faults_name_the_row(self):
        for row, message in (("1\tSign\t0\t0\tobject\t2\tfixed\n", "class 'Sign'"),
                             ("1\tSign_170\t0.5\t0\tobject\t2\tfixed\n", "x '0.5'"),
                             ("1\tSign_170\t0\t4294967296\tobject\t2\tfixed\n", "y '4294967296'"),
                             ("1\tSign_170\t0\t0\tbackdrop\t2\tfixed\n", "add 'backdrop'"),
                             ("1\tSign_170\t0\t0\tobject\t8\tfixed\n", "layer '8'")):
            with self.assertRaises(generated.TableError) as caught:
                fixed_layouts.fixed_layouts([self.table("act1_fixed.tsv", row)], ["out.cpp"], None)
            self.assertIn("act1_fixed.tsv:3: " + message, str(caught.exception))
        with self.assertRaises(generated.TableError):
            fixed_layouts.fixed_layouts([self.table("level.tsv", "")], ["out.cpp"], None)


if __name__ == "__main__":
    unittest.main()
