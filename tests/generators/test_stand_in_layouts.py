"""The stand-in layouts: checked in as the generator writes them, and a
course whose ground joins from the start to the end of each act."""
import copy
import sys
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools" / "generators"))

import stand_in_layouts as layouts  # noqa: E402


class StandInLayouts(unittest.TestCase):
    def test_checked_in_layouts_are_the_generators_output(self):
        for act in (layouts.ACT1, layouts.ACT2):
            path = layouts.CONTENT / f"act{act.number}.layout"
            self.assertEqual(path.read_text(), layouts.render(act), f"{path.name}: run stand_in_layouts.py")

    def test_ground_is_continuous_and_changes_height_only_by_slopes_or_marked_steps(self):
        for act in (layouts.ACT1, layouts.ACT2):
            columns = layouts.ground(act)
            steps = {w[0] for w in act.waypoints if "step" in w}
            self.assertLessEqual(columns[0][0], 0)
            self.assertGreaterEqual(columns[-1][0] + layouts.TILE, act.end_x)
            for (x0, top0, kind0, _), (x1, top1, kind1, _) in zip(columns, columns[1:]):
                self.assertEqual(x1, x0 + layouts.TILE)
                # The height where one column ends and the next begins.
                right = top0 if kind0 in ("flat", "rise") else top0 + layouts.TILE
                left = top1 + layouts.TILE if kind1 == "rise" else top1
                if x1 not in steps:
                    self.assertEqual(right, left, f"act {act.number}: a step at x {x1}")

    def test_the_player_start_stands_on_the_ground(self):
        columns = layouts.ground(layouts.ACT1)
        self.assertEqual(layouts.top_at(columns, 53), 448)  # start marker at 53, 429
        columns = layouts.ground(layouts.ACT2)
        self.assertEqual(layouts.top_at(columns, 21), 1024)  # start marker at 21, 989

    def test_a_fall_into_a_pit_meets_nothing_parked_before_the_death_line(self):
        act = layouts.ACT1
        rows = [line.split() for line in layouts.render(act).splitlines() if line and not line.startswith("#")]
        info = layouts.class_info()
        lowest_course = max(int(y) + info[name][3] for name, x, y, add, layer in rows if int(y) < act.park_y - 128)
        # The course lies within the frame; all that is parked, below its death line.
        self.assertLess(lowest_course, act.height)
        # The rows the act used to park from, 1792, caught such a fall.
        caught = copy.copy(act)
        caught.park_y = 1792
        with self.assertRaises(AssertionError):
            layouts.render(caught)

    def test_heights_follow_the_slopes(self):
        columns = [(0, 320, "rise", ""), (128, 320, "flat", ""), (256, 320, "fall", "")]
        self.assertEqual(layouts.top_at(columns, 0), 448)
        self.assertEqual(layouts.top_at(columns, 96), 352)
        self.assertEqual(layouts.top_at(columns, 200), 320)
        self.assertEqual(layouts.top_at(columns, 288), 352)


if __name__ == "__main__":
    unittest.main()
