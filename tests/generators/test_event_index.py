"""The event index's generator: its table checks and what it writes."""
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools" / "generators"))

import event_index  # noqa: E402
import generated  # noqa: E402

INDEX_HEAD = "event\tfunction\tframes\tfile\tseed\tgroups\tstate\tbuilt\n"
SEEDS = "group\tfirst\tlast\nevents_1\t1\t9\nevents_2\t10\t19\n"
LOOPS = ("loop\tk\tframes\tnames\tfile\tbuilt\nstep\t4\t5 6\tstep step.2\t\t\n"
         "spin\t4\t5\t\titems/c.cpp\t1\nturn\t4\t5\t\t\t0\n")


class EventIndex(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)

    def write(self, name, text):
        path = Path(self.folder.name) / name
        path.write_text(text)
        return path

    def read(self, rows, seeds=SEEDS, loops=LOOPS):
        return event_index.read_index(self.write("index.tsv", INDEX_HEAD + rows),
                                      self.write("seeds.tsv", seeds), self.write("loops.tsv", loops))

    def assertFault(self, rows, message, seeds=SEEDS, loops=LOOPS):
        with self.assertRaises(generated.TableError) as caught:
            self.read(rows, seeds, loops)
        self.assertIn(message, str(caught.exception))

    def test_members_stubs_and_named_loops_follow_the_rows(self):
        rows = ("1\tevent_func_1\t5\tshared/a.cpp\tevents_1\tlevel_group_3\trun_once\t1\n"
                "2\tevent_func_1\t5\tshared/a.cpp\tevents_1\t\t\t1\n"
                "3\tloop_step_4\t5 6\titems/b.cpp\tevents_1\t\tevery once\t0\n"
                "12\tcol_0_4\t5\titems/b.cpp\tevents_2\tlevel_group_3 level_group_10\t\t0\n"
                "13\thandle_frame_5_events\t5\tact1_frame/act1_frame.cpp\tevents_2\t\t\t0\n")
        events, groups, functions, loops = self.read(rows)
        members = event_index.members_text(events, functions, loops, "s.py", ["t.tsv"])
        for line in ("void event_func_1();", "void loop_step_4();", "void col_0_4();",
                     "bool level_group_3 = false;", "bool level_group_10 = false;",
                     "FastLoop fast_loop_step;", "unsigned run_once_1 = 0;", "float every_3 = 0;",
                     "bool once_3 = 0;"):
            self.assertIn(line, members)
        self.assertLess(members.index("level_group_3 "), members.index("level_group_10 "))
        self.assertNotIn("event_func_2", members)
        self.assertNotIn("handle_frame_5_events", members)
        text = event_index.functions_text(functions, loops, "s.py", ["t.tsv"])
        self.assertIn("void Frames::loop_step_4() {}", text)
        self.assertIn("void Frames::loop_turn_4() {}", text)
        self.assertNotIn("loop_spin_4() {}", text)
        self.assertIn("void Frames::col_0_4() {}", text)
        self.assertNotIn("event_func_1()", text)
        self.assertNotIn("handle_frame_5_events", text)
        # A second name of a body runs it with a loop state of its own.
        self.assertIn('map.emplace("step", DynamicLoop{&Frames::loop_step_4, '
                      "&fast_loop_step.running, &fast_loop_step.index});", text)
        self.assertIn('map.emplace("step.2", DynamicLoop{&Frames::loop_step_4, '
                      "&fast_loop_step_2.running, &fast_loop_step_2.index});", text)
        self.assertIn("FastLoop fast_loop_step_2;", members)
        # The reset of a frame: its loops, its events' state.
        reset = text[text.index("reset_frame_event_state"):]
        case5 = reset[reset.index("case 5:"):reset.index("break;")]
        for line in ("fast_loop_step = FastLoop{};", "fast_loop_step_2 = FastLoop{};", "fast_loop_spin = FastLoop{};",
                     "run_once_1 = unsigned(loop_count);", "once_3 = false;", "every_3 = 0.0f;"):
            self.assertIn(line, case5)
        case6 = reset[reset.index("case 6:"):]
        self.assertIn("every_3 = 0.0f;", case6)
        self.assertNotIn("run_once_1", case6)
        self.assertNotIn("fast_loop_spin", case6[:case6.index("break;")])
        index = event_index.index_text(events, groups, loops, "s.py", ["t.tsv"])
        self.assertIn('{12, "col_0_4", "items/b.cpp", "5", 1, false},', index)
        # Every member back to its initialiser, whatever frame runs it.
        fresh = index[index.index("void Frames::reset_event_members()"):]
        for line in ("level_group_3 = false;", "level_group_10 = false;", "fast_loop_step_2 = FastLoop{};",
                     "fast_loop_turn = FastLoop{};", "run_once_1 = 0;", "once_3 = 0;", "every_3 = 0;"):
            self.assertIn(line, fresh)

    def test_faults_name_what_is_wrong(self):
        ok = "1\tevent_func_1\t5\tshared/a.cpp\tevents_1\t\t\t0\n"
        other = "12\tevent_func_12\t5\tshared/a.cpp\tevents_2\t\t\t0\n"
        self.assertFault(ok, "seed group events_2 is used by no event")
        self.assertFault(ok + ok.replace("\t0\n", "\t1\n") + other, "listed twice")
        self.assertFault(other + ok, "ascending order")
        self.assertFault(ok.replace("events_1", "events_2") + other, "outside seed group events_2")
        self.assertFault(ok.replace("events_1", "events_9") + other, "seed group 'events_9'")
        self.assertFault(ok + other.replace("event_func_12", "event_func_5"),
                         "not the function of an event of its own")
        self.assertFault(ok + other.replace("event_func_12", "event_func_1").replace("\t0\n", "\t1\n"),
                         "built all together")
        self.assertFault(ok + other.replace("event_func_12\t5\tshared/a.cpp", "event_func_1\t5\titems/b.cpp"),
                         "name different files")
        self.assertFault(ok + other.replace("event_func_12", "loop_spun_4"), "loop_spun_4 is not in")
        self.assertFault(ok.replace("shared/a.cpp", "nowhere/a.cpp") + other, "file 'nowhere/a.cpp'")
        self.assertFault(ok.replace("\t5\t", "\t5 3\t") + other, "ascending order")
        self.assertFault(ok.replace("\t\t\t0", "\t\tsometimes\t0") + other, "state 'sometimes'")
        head = "loop\tk\tframes\tnames\tfile\tbuilt\n"
        self.assertFault(ok + other, "loop name 'b!'", loops=head + "step\t4\t5\ta b!\t\t\n")
        self.assertFault(ok + other, "a built body names its file", loops=head + "step\t4\t5\t\t\t1\n")
        self.assertFault(ok + other, "'@' names one of the row's frames",
                         loops=head + "step\t4\t5 6\tstep@7\t\t\n")
        self.assertFault(ok + other, "loop name 'step' starts both loop_step_4 and loop_step_5 in frame 6",
                         loops=head + "step\t4\t5 6\tstep\t\t\nstep\t5\t6\tstep\t\t\n")

    def test_a_name_can_start_another_body_in_one_frame(self):
        rows = ("1\tevent_func_1\t5 6\tshared/a.cpp\tevents_1\t\t\t0\n"
                "12\tevent_func_12\t5\tshared/a.cpp\tevents_2\t\t\t0\n")
        loops = ("loop\tk\tframes\tnames\tfile\tbuilt\n"
                 "tune\t4\t5 6\ttune.5@5 tune.6\t\t\ntune_5\t5\t6\ttune.5\t\t\n")
        _, _, functions, read = self.read(rows, loops=loops)
        text = event_index.functions_text(functions, read, "s.py", ["t.tsv"])
        maps = text[text.index("register_named_loops"):text.index("reset_frame_event_state")]
        frame5 = maps[maps.index("case 4:"):maps.index("case 5:")]
        frame6 = maps[maps.index("case 5:"):]
        self.assertIn('map.emplace("tune.5", DynamicLoop{&Frames::loop_tune_4, &fast_loop_tune_5.running', frame5)
        self.assertIn('map.emplace("tune.5", DynamicLoop{&Frames::loop_tune_5_5, &fast_loop_tune_5.running', frame6)
        self.assertNotIn("loop_tune_4, &fast_loop_tune_5", frame6)
        self.assertIn('map.emplace("tune.6", DynamicLoop{&Frames::loop_tune_4', frame6)


if __name__ == "__main__":
    unittest.main()
