"""The object-class generator's reading of the class and animation tables."""
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools" / "generators"))

import generated  # noqa: E402
import objects  # noqa: E402

CLASSES = "number\tname\ttype_id\tkind\thidden\tflags\tsettings\talterables\n"
ANIMATIONS = ("class\tanimation\tdirection\tmin_speed\tmax_speed\tback_to\trepeat\tframes\t"
              "handles\tsize\tstated\n")
SPRITE = "423\tCountdownCrystal\t304\tActive\t0\t\tdirection=24\tB=128\n"


class ObjectTables(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)

    def generate(self, classes, animations=""):
        folder = Path(self.folder.name)
        (folder / "classes.tsv").write_text(CLASSES + classes)
        (folder / "animations.tsv").write_text(ANIMATIONS + animations)
        inputs = [folder / "classes.tsv", folder / "animations.tsv"]
        return objects.objects(inputs, [None] * 8, None)

    def assertFault(self, classes, animations, table, line, message):
        with self.assertRaises(generated.TableError) as caught:
            self.generate(classes, animations)
        self.assertIn(f"{table}:{line}: ", str(caught.exception))
        self.assertIn(message, str(caught.exception))

    def test_null_slots_fall_where_the_nearest_authored_directions_tie(self):
        def nulls(directions):
            slots = objects.nearest_slots({d: i for i, d in enumerate(directions)})
            return [d for d, s in enumerate(slots) if s is None]
        self.assertEqual(nulls([0]), [16])
        self.assertEqual(nulls([0, 1, 2, 4, 8]), [3, 6, 20])
        self.assertEqual(nulls([24]), [8])
        self.assertEqual(nulls(list(range(32))), [])
        slots = objects.nearest_slots({0: 0, 8: 1})
        self.assertEqual([slots[3], slots[4], slots[5], slots[20], slots[21]], [0, None, 1, None, 0])

    def test_output_follows_the_rows_and_is_the_same_every_time(self):
        rows = '413\tHelpMessage9\t298\tTextBlitter\t0\t\tsize=426x20;align=17;text="  A;B"\t\n' + SPRITE
        anims = "CountdownCrystal_423\t0\t24\t15\t15\t0\t-1\t3\t10-11 7\t16x16\t1\n"
        first = self.generate(rows, anims)
        self.assertEqual(first, self.generate(rows, anims))
        self.assertIn("const uint16_t handles_423[3] = {\n    10, 11, 7,\n};", first[5])
        self.assertIn("records_423 + 0, records_423 + 0, records_423 + 0, records_423 + 0, "
                      "records_423 + 0, records_423 + 0, records_423 + 0, records_423 + 0,\n"
                      "    nullptr,", first[5])
        self.assertIn('set_text("  A;B");', first[5])
        self.assertIn("alterables->values.set(1, 128.0);", first[5])
        self.assertIn("Active* create_countdowncrystal_423(int x, int y);", first[0])
        self.assertIn("inline constexpr int HelpMessage9_413 = 298;", first[7])

    def test_random_draws_use_the_seed_group_of_the_class_number(self):
        row = "{0}\tX\t2\tActive\t0\t\tdirection=random\t\n"
        texts = self.generate(row.format(103) + row.format(104).replace("X", "Y"))
        self.assertIn("set_direction(seed_groups::objects1.direction(), true);", texts[1])
        self.assertIn("set_direction(seed_groups::objects2.direction(), true);", texts[2])
        texts = self.generate("66\tX\t2\tCounter\t0\t\tdisplay=0;size=0x0;seed=records;direction=random\t\n")
        self.assertIn("seed_groups::record_counters.direction()", texts[1])

    def test_table_faults_name_their_line(self):
        self.assertFault("4\tX\t2\tActive\t0\t\t\t\n3\tY\t3\tActive\t0\t\t\t\n", "",
                         "classes.tsv", 3, "class-number order")
        self.assertFault("4\tX\t2\tBackdrop\t0\t\timage=1;collision=box\t\n", "",
                         "classes.tsv", 2, "type id 1")
        self.assertFault("4\tX\t2\tActive\t0\t+32\tbox=1;image=3\t\n", "",
                         "classes.tsv", 2, "no setting 'image'")
        self.assertFault("4\tX\t2\tCounter\t0\t\tdisplay=1;size=96x32\tA=1\n", "",
                         "classes.tsv", 2, "no alterables")
        self.assertFault("4\tX\t2\tActive\t0\t\tanimation=4\t\n", "", "classes.tsv", 2,
                         "initial animation 4 has no record")
        self.assertFault(SPRITE, "CountdownCrystal_423\t0\t24\t15\t15\t0\t-1\t3\t10-11\t\t1\n",
                         "animations.tsv", 2, "2 handles for 3 images")
        self.assertFault(SPRITE, "CountdownCrystal_423\t0\t24\t15\t15\t3\t-1\t3\t\t\t1\n",
                         "animations.tsv", 2, "back_to 3 lies outside 0-2")


class CheckedInHandles(unittest.TestCase):
    def test_every_handle_is_assigned_and_frames_2_and_3_list_exactly_theirs(self):
        import assign_handles
        classes = objects.read_classes(assign_handles.CLASSES)
        objects.read_animations(assign_handles.ANIMATIONS, classes)
        before = [list(r.handles) for c in classes for r in c.records]
        assigner = assign_handles.Assigner(classes)
        assigner.assign()
        self.assertEqual(before, [list(r.handles) for c in classes for r in c.records])
        self.assertNotIn(objects.UNASSIGNED, [h for r in before for h in r])
        self.assertTrue(assigner.check_lists())
        self.assertEqual(assign_handles.runs([3, 4, 5, 9, 11, 12]), "3-5 9 11-12")
        # The content draws one picture per handle: one intended size each.
        self.assertEqual(assign_handles.size_conflicts(classes), {})


if __name__ == "__main__":
    unittest.main()
