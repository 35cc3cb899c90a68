"""The acts' run generator: its table checks and the lists it writes."""
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools" / "generators"))

import act_tick_runs  # noqa: E402
import generated  # noqa: E402

ROOT = Path(__file__).resolve().parents[2]
INDEX_HEADER = "event\tfunction\tframes\tgroups\n"


class ActTickRuns(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)
        self.index = Path(self.folder.name) / "index.tsv"
        self.index.write_text(INDEX_HEADER + "".join(
            f"{n}\tevent_func_{n}\t5 6\tlevel_group_43\n" for n in range(594, 600))
            + "700\tevent_func_700\t6\tlevel_group_43 boss_fight_sub_group_1\n"
            "701\tcol_0_4\t5 6\t\n")

    def table(self, rows):
        path = Path(self.folder.name) / "runs.tsv"
        path.write_text("# note\ngroups\tevents\n" + rows)
        return path

    def assertFault(self, rows, message, line=3, act=1):
        with self.assertRaises(generated.TableError) as caught:
            act_tick_runs.read_runs(self.table(rows), self.index, act)
        self.assertIn(f"runs.tsv:{line}: ", str(caught.exception))
        self.assertIn(message, str(caught.exception))

    def test_ranges_repeats_and_gaps_expand_in_call_order(self):
        runs = act_tick_runs.read_runs(self.table("43 23 7\t594-596 595 598\n43\t599\n"), self.index)
        self.assertEqual(runs[0][0], ["level_group_43", "level_group_23", "level_group_7"])
        self.assertEqual([e for e, _ in runs[0][1]], [594, 595, 596, 595, 598])
        text = act_tick_runs.source(runs, "s.py", ["t.tsv"])
        self.assertIn("constexpr bool Frames::* groups_0[] = {&Frames::level_group_43, "
                      "&Frames::level_group_23, &Frames::level_group_7};", text)
        self.assertIn("    {595, &Frames::event_func_595},\n    {596, &Frames::event_func_596},\n"
                      "    {595, &Frames::event_func_595},", text)
        self.assertIn("act1_level_runs[2] = {\n    {act1_runs::groups_0, act1_runs::events_0},", text)

    def test_a_second_act_runs_its_own_events_under_its_named_groups(self):
        runs = act_tick_runs.read_runs(self.table("43 boss_fight_sub_group_1\t594 700\n"), self.index, 2)
        self.assertEqual(runs[0][0], ["level_group_43", "boss_fight_sub_group_1"])
        text = act_tick_runs.source(runs, "s.py", ["t.tsv"], 2)
        self.assertIn("&Frames::boss_fight_sub_group_1};", text)
        self.assertIn("act2_level_runs[1] = {\n    {act2_runs::groups_0, act2_runs::events_0},", text)
        self.assertFault("43\t700\n", "does not run it in frame 5")
        self.assertFault("43 boss_fight_sub_group_9\t594\n", "group 'boss_fight_sub_group_9'", act=2)

    def test_faults_name_their_line(self):
        self.assertFault("23 43\t594\n", "tests level group 43 first")
        self.assertFault("43 75\t594\n", "group '75'")
        self.assertFault("43 43\t594\n", "named twice")
        self.assertFault("43\t596-594\n", "runs backwards")
        self.assertFault("43\t594-\n", "'594-'")
        self.assertFault("43\t650\n", "event 650 is not in the event index")
        self.assertFault("43\t701\n", "col_0_4 is not one to call")
        self.assertFault("43\t594\n43\t\n", "'': an event number", line=4)

    def test_the_checked_in_tables_read_against_the_index(self):
        index = ROOT / "game/events/event_index.tsv"
        act1 = act_tick_runs.read_runs(ROOT / "game/events/act1_frame/act1_tick_runs.tsv", index, 1)
        self.assertEqual(sum(len(events) for _, events in act1), 1559)
        act2 = act_tick_runs.read_runs(ROOT / "game/events/act2/act2_tick_runs.tsv", index, 2)
        # With every group on, 1,690 calls of 1,682 events.
        self.assertEqual(sum(len(events) for _, events in act2), 1690)
        self.assertEqual(len({e for _, events in act2 for e, _ in events}), 1682)


if __name__ == "__main__":
    unittest.main()
