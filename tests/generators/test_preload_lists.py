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

    def test_the_checked_in_tables_read(self):
        frames = ROOT / "game" / "frames"
        lists = preload_lists.read_lists(
            frames / "preload_lists.tsv", frames / "frame_classes.tsv",
            (ROOT / "game" / "objects" / "classes.tsv", ROOT / "game" / "objects" / "animations.tsv"))
        self.assertEqual([number for number, _, _ in lists], list(range(1, 10)))
        self.assertEqual(len(lists[1][2]), 46)
        self.assertEqual(lists[2][2], [157, 194, 594, 1259, 1260, 1262])
        self.assertTrue(all(handles for _, _, handles in lists))


CLASSES = """number\tname\ttype_id\tkind\thidden\tflags\tsettings\talterables
1\tSprite\t2\tActive\t0\t\t\t
2\tWall\t1\tBackdrop\t0\t+16\timage=7\t
3\tCaption\t3\tTextBlitter\t0\t\tsize=128x20;align=17\t
4\tScore\t4\tCounter\t0\t\tdisplay=1;size=96x32;digits=3;images=2;handles=30-31\t
5\tHolder\t5\tFrameObject\t0\t\t\t
6\tBlank\t6\tActive\t0\t\t\t
"""
ANIMATIONS = """class\tanimation\tdirection\tmin_speed\tmax_speed\tback_to\trepeat\tframes\thandles\tsize\tstated
Sprite_1\t0\t0\t50\t50\t0\t-1\t3\t9 2 9\t8x8\t0
Sprite_1\t1\t0\t50\t50\t0\t-1\t1\t40\t8x8\t0
Blank_6\t0\t0\t50\t50\t0\t-1\t1\t\t8x8\t0
"""


class DerivedLists(unittest.TestCase):
    """Rows whose list is `derived` from the classes each frame uses."""

    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)

    def write(self, name, text):
        path = Path(self.folder.name) / name
        path.write_bytes(text.encode("utf-8"))
        return path

    def read(self, frames, lists="1\t1\tderived\n2\t0\t7\n"):
        return preload_lists.read_lists(
            self.write("lists.tsv", "frame\tflush\thandles\n" + lists),
            self.write("table.tsv", "# note\nframe\tclass\thow\n" + frames),
            (self.write("classes.tsv", CLASSES), self.write("animations.tsv", ANIMATIONS)))

    def assertFault(self, frames, message, name="table.tsv", line=3, lists="1\t1\tderived\n"):
        with self.assertRaises(generated.TableError) as caught:
            self.read(frames, lists)
        self.assertIn(f"{name}:{line}: ", str(caught.exception))
        self.assertIn(message, str(caught.exception))

    def test_a_derived_list_is_every_image_of_its_classes_ascending_without_the_sheet(self):
        frames = ("1\tSprite_1\tplaced\n1\tCaption_3\tplaced\n1\tScore_4\tcreated\n"
                  "1\tHolder_5\tcreated\n1\tWall_2\tadded\n2\tWall_2\tplaced\n")
        self.assertEqual(self.read(frames), [(1, True, [2, 7, 9, 30, 31, 40]), (2, False, [7])])
        # A frame with a class that fetches only the sheet still gets its list.
        self.assertEqual(self.read("1\tCaption_3\tplaced\n", "1\t1\tderived\n"), [(1, True, [])])

    def test_frame_class_faults_name_their_line(self):
        self.assertFault("1\tNobody_9\tplaced\n", "'Nobody_9' is not in the class table")
        self.assertFault("1\tSprite\tplaced\n", "'Sprite' is not in the class table")
        self.assertFault("1\tSprite_1\tplaced\n1\tSprite_1\tcreated\n",
                         "Sprite_1 is listed twice for frame 1", line=4)
        self.assertFault("1\tSprite_1\tshown\n", "how 'shown'")
        self.assertFault("3\tSprite_1\tplaced\n", "frame '3' is none of the frames 1-1")
        self.assertFault("x\tSprite_1\tplaced\n", "frame 'x'")
        self.assertFault("1\tBlank_6\tplaced\n", "Blank_6 has pictures without a handle")
        self.assertFault("1\tHolder_5\tadded\n", "fetches none")
        self.assertFault("2\tWall_2\tplaced\n1\tSprite_1\tplaced\n", "frame 1 after frame 2",
                         line=4, lists="1\t1\tderived\n2\t0\t7\n")

    def test_list_faults_against_the_classes(self):
        self.assertFault("1\tSprite_1\tplaced\n", "frame 2 is derived, and no class is listed",
                         name="lists.tsv", line=3, lists="1\t1\tderived\n2\t0\tderived\n")
        # A list written out must be its classes' images when they are listed.
        self.assertFault("1\tWall_2\tplaced\n", "not fetched [8], missing [7]",
                         name="lists.tsv", line=2, lists="1\t1\t8\n")
        self.assertEqual(self.read("1\tWall_2\tplaced\n", "1\t1\t7\n2\t0\t5\n"),
                         [(1, True, [7]), (2, False, [5])])


if __name__ == "__main__":
    unittest.main()
