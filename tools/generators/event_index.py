#!/usr/bin/env python3
"""Writes what follows from the event index (game/events/event_index.tsv),
its seed groups (game/events/seed_groups.tsv) and its fast loops
(game/events/fast_loops.tsv), so that none of it is kept in step by hand:

--write members: game/frames/frames_members.inc, the declarations of the
  Frames members that the events need (event functions, loop bodies,
  collision callbacks, group flags, fast-loop pairs, run-once counters,
  once flags, timers) and the named loops of each frame;
--write index: game/frames/event_index.cpp, the index as data (the
  events' random states and which events are built);
--write functions: game/events/event_functions.cpp, an empty body for
  every function whose events are not built yet, and the frames' named
  loops.
"""
import re

import generated

FOLDERS = ("menus", "shared", "act1_frame", "player_physics", "player_actions", "move_sets",
           "stage_loops", "items", "enemies_hud", "act2")
STATES = ("run_once", "once", "every")
FRAME_COUNT = 9

EVENT_FUNCTION = re.compile(r"event_func_(\d+)$")
LOOP_FUNCTION = re.compile(r"loop_([a-z0-9_]+)_(\d)$")
COLLISION_FUNCTION = re.compile(r"col_(\d+)_(\d)$")
# Entry points the frames' own files hold; an event written out in one of
# them needs no declaration and no stub.
ENTRY_FUNCTION = re.compile(r"(on_frame_[1-9]_(init|start_events)|handle_frame_[1-9]_(pre_)?events"
                            r"|test_collisions_[0-8])$")
IDENTIFIER = re.compile(r"[a-z][a-z0-9_]*$")
FILE = re.compile(r"([a-z0-9_]+)/[a-z0-9_]+\.cpp$")


class Event:
    def __init__(self, row):
        self.row = row
        if not row["event"].isdigit() or row["event"].startswith("0"):
            row.fail(f"event {row['event']!r}: a number from 1")
        self.number = int(row["event"])
        self.function = row["function"]
        self.frames = parse_frames(row)
        self.file = row["file"]
        match = FILE.match(self.file)
        if not match or match.group(1) not in FOLDERS:
            row.fail(f"file {self.file!r}: <folder>/<name>.cpp, folder one of {', '.join(FOLDERS)}")
        self.seed = row["seed"]
        self.groups = row["groups"].split(" ") if row["groups"] else []
        for group in self.groups:
            if not IDENTIFIER.match(group):
                row.fail(f"group {group!r}: a lower-case identifier")
        self.states = row["state"].split(" ") if row["state"] else []
        for state in self.states:
            if state not in STATES:
                row.fail(f"state {state!r}: one of {', '.join(STATES)}")
        if row["built"] not in ("0", "1"):
            row.fail(f"built {row['built']!r}: 0 or 1")
        self.built = row["built"] == "1"


def parse_frames(row):
    words = row["frames"].split(" ") if row["frames"] else []
    frames = []
    for word in words:
        if not word.isdigit() or not 1 <= int(word) <= FRAME_COUNT:
            row.fail(f"frame {word!r}: a frame number 1-{FRAME_COUNT}")
        frames.append(int(word))
    if frames != sorted(set(frames)):
        row.fail("frames are listed once each, in ascending order")
    return frames


def function_kind(event):
    """'event', 'loop', 'collision' or 'entry' for the row's function."""
    for kind, pattern in (("event", EVENT_FUNCTION), ("loop", LOOP_FUNCTION),
                          ("collision", COLLISION_FUNCTION), ("entry", ENTRY_FUNCTION)):
        if pattern.match(event.function):
            return kind
    event.row.fail(f"function {event.function!r}: event_func_<n>, loop_<name>_<k>, "
                   "col_<n>_<k> or a frame entry point")


def read_seed_groups(path):
    """(name, first, last) per group; ranges ascend and do not overlap."""
    groups = []
    for row in generated.read_table(path, ["group", "first", "last"]):
        if not IDENTIFIER.match(row["group"]):
            row.fail(f"group {row['group']!r}: a lower-case identifier")
        if not row["first"].isdigit() or not row["last"].isdigit():
            row.fail("first and last are event numbers")
        first, last = int(row["first"]), int(row["last"])
        if last < first or (groups and first <= groups[-1][2]):
            row.fail(f"range {first}-{last} runs backwards or overlaps the one before")
        groups.append((row["group"], first, last))
    return groups


LOOP_NAME = re.compile(r"[A-Za-z0-9_.]+$")


def read_loops(path):
    """(loop, k, names, frames, row) per loop body; names are the names a
    frame's named-loop map starts the body by (none for a loop started
    directly), each with the frames whose maps hold it."""
    loops = []
    seen = set()
    for row in generated.read_table(path, ["loop", "k", "frames", "names", "file", "built"]):
        if not IDENTIFIER.match(row["loop"]):
            row.fail(f"loop {row['loop']!r}: a lower-case identifier")
        if not row["k"].isdigit() or int(row["k"]) >= FRAME_COUNT:
            row.fail(f"k {row['k']!r}: a frame index 0-{FRAME_COUNT - 1}")
        key = (row["loop"], int(row["k"]))
        if key in seen:
            row.fail(f"loop_{key[0]}_{key[1]} is listed twice")
        seen.add(key)
        frames = parse_frames(row)
        names = [read_loop_name(row, word, frames) for word in row["names"].split(" ")] if row["names"] else []
        if row["built"] not in ("", "0", "1"):
            row.fail(f"built {row['built']!r}: empty, 0 or 1")
        if row["built"] == "1" and not FILE.match(row["file"]):
            row.fail(f"file {row['file']!r}: a built body names its file, <folder>/<name>.cpp")
        loops.append((row["loop"], int(row["k"]), names, frames, row))
    check_names_once_per_frame(loops)
    return loops


def read_loop_name(row, word, frames):
    """(name, frames that register it): "play_music.5@5" is registered in
    frame 5 only, a name without '@' in every frame that runs the body."""
    name, at, only = word.partition("@")
    if not LOOP_NAME.match(name):
        row.fail(f"loop name {name!r}: letters, digits, '_' and '.'")
    if not at:
        return name, frames
    if not only.isdigit() or int(only) not in frames:
        row.fail(f"loop name {word!r}: '@' names one of the row's frames")
    return name, [int(only)]


def check_names_once_per_frame(loops):
    seen = {}
    for loop, k, names, _, row in loops:
        for name, frames in names:
            for frame in frames:
                if (frame, name) in seen:
                    row.fail(f"loop name {name!r} starts both {seen[frame, name]} and loop_{loop}_{k} "
                             f"in frame {frame}")
                seen[frame, name] = f"loop_{loop}_{k}"


def read_index(index_path, seeds_path, loops_path):
    groups = read_seed_groups(seeds_path)
    events = [Event(row) for row in generated.read_table(
        index_path, ["event", "function", "frames", "file", "seed", "groups", "state", "built"])]
    by_number = {}
    for event in events:
        if event.number in by_number:
            event.row.fail(f"event {event.number} is listed twice")
        if by_number and event.number < max(by_number):
            event.row.fail("events are listed in ascending order")
        by_number[event.number] = event
    used = set()
    for event in events:
        kind = function_kind(event)
        if kind == "event":
            owner = by_number.get(int(EVENT_FUNCTION.match(event.function).group(1)))
            if owner is None or owner.function != event.function:
                event.row.fail(f"{event.function} is not the function of an event of its own")
        group = next((g for g in groups if g[0] == event.seed), None)
        if group is None:
            event.row.fail(f"seed group {event.seed!r} is not in {generated.shown(seeds_path)}")
        if not group[1] <= event.number <= group[2]:
            event.row.fail(f"event {event.number} lies outside seed group {group[0]} "
                           f"({group[1]}-{group[2]})")
        used.add(event.seed)
    for name, first, last in groups:
        if name not in used:
            raise generated.TableError(seeds_path, 1, f"seed group {name} is used by no event")
    functions = {}
    for event in events:
        functions.setdefault(event.function, []).append(event)
    for name, members in functions.items():
        if len({e.built for e in members}) > 1:
            members[0].row.fail(f"{name}: its events are built all together or not at all")
        if len({e.file for e in members}) > 1:
            members[0].row.fail(f"{name}: its events name different files")
    loops = read_loops(loops_path)
    bodies = {(n, k) for n, k, _, _, _ in loops}
    for name in functions:
        match = LOOP_FUNCTION.match(name)
        if match and (match.group(1), int(match.group(2))) not in bodies:
            functions[name][0].row.fail(f"{name} is not in {generated.shown(loops_path)}")
    return events, groups, functions, loops


def declarations(events, functions, loops):
    lines = ["// Events, each in authored order of its number."]
    lines += [f"void {name}();" for name in functions if EVENT_FUNCTION.match(name)]
    lines += ["", "// Fast-loop bodies: loop_<name>_<frame index>."]
    lines += [f"void loop_{name}_{k}();" for name, k, _, _, _ in loops]
    lines += ["", "// Collision callbacks: col_<n>_<frame index>."]
    lines += [f"void {name}();" for name in functions if COLLISION_FUNCTION.match(name)]
    lines += ["", "// Group flags: 1 on, 0 off."]
    lines += [f"bool {group} = false;" for group in group_flags(events)]
    lines += ["", "// Fast loops: running flag and pass index; a name that starts another"]
    lines += ["// name's body keeps a state of its own."]
    lines += [f"FastLoop fast_loop_{name};" for name in loop_states(loops)]
    lines += ["", "// Run-once counters, once flags and every-N-seconds timers, by event."]
    for event in events:
        for state in event.states:
            kind = {"run_once": "unsigned", "once": "bool", "every": "float"}[state]
            lines.append(f"{kind} {state}_{event.number} = 0;")
    return lines


def group_flags(events):
    return sorted({g for e in events for g in e.groups}, key=natural)


def loop_states(loops):
    """Every fast-loop state: each body's own and each further name's."""
    states = {n for n, _, _, _, _ in loops}
    states |= {loop_state(name) for _, _, names, _, _ in loops for name, _ in names}
    return sorted(states)


def loop_state(name):
    """The fast-loop state a loop name runs with: the name as an identifier
    ("play_music.6" -> play_music_6), which for a body's own name is the
    body's loop."""
    return re.sub(r"[^a-z0-9_]", "_", name.lower())


def natural(name):
    return [int(part) if part.isdigit() else part for part in re.split(r"(\d+)", name)]


def members_text(events, functions, loops, script, inputs):
    lines = [generated.banner(script, inputs),
             "// Members of class Frames that the event index declares; included in",
             "// the class body (game/frames/frames.h)."]
    lines += declarations(events, functions, loops)
    lines += ["",
              "// The flag of level group `number`; null for a number no event uses.",
              "bool* level_group(int number);",
              "",
              "// Registers the named loops of a frame index in its loop map.",
              "void register_named_loops(int frame_index, LoopMap& map);",
              "// Stops every fast loop a frame number runs, clears its events' once",
              "// flags and timers and arms their run-once counters at the tick count.",
              "void reset_frame_event_state(int frame_number);",
              "// Every member above as the object was made: the groups off, the loops",
              "// stopped, every run-once counter, once flag and timer at 0.",
              "void reset_event_members();",
              ""]
    return "\n".join(lines)


def index_text(events, groups, loops, script, inputs):
    lines = [generated.banner(script, inputs),
             '#include "game/frames/event_index.h"',
             "",
             '#include "game/frames/frames.h"',
             "",
             "namespace seed_groups {"]
    lines += [f"RandomState {name};" for name, _, _ in groups]
    lines += ["}  // namespace seed_groups",
              "",
              "namespace {",
              "",
              "RandomState* const seed_states[] = {"]
    lines += [f"    &seed_groups::{name}," for name, _, _ in groups]
    lines += ["};",
              "",
              "const char* const seed_names[] = {"]
    lines += [f'    "{name}",' for name, _, _ in groups]
    lines += ["};", "", "}  // namespace", "",
              f"const int event_index_size = {len(events)};",
              "",
              f"const EventIndexRow event_index[{len(events)}] = {{"]
    seed_of = {name: i for i, (name, _, _) in enumerate(groups)}
    for event in events:
        frames = " ".join(str(f) for f in event.frames)
        lines.append(f'    {{{event.number}, "{event.function}", "{event.file}", "{frames}", '
                     f"{seed_of[event.seed]}, {'true' if event.built else 'false'}}},")
    lines += ["};",
              "",
              f"const int seed_group_count = {len(groups)};",
              "",
              "RandomState& seed_group_state(int group)",
              "{",
              "    return *seed_states[group];",
              "}",
              "",
              "const char* seed_group_name(int group)",
              "{",
              "    return seed_names[group];",
              "}",
              ""]
    lines += member_resets(events, loops) + [""]
    return "\n".join(lines)


def member_resets(events, loops):
    """Frames::reset_event_members: each declared member back to its
    initialiser. It lives with the index, in the frames' own library, so that
    the frames object can return to a fresh start without the events."""
    lines = ["void Frames::reset_event_members()", "{"]
    lines += [f"    {group} = false;" for group in group_flags(events)]
    lines += [f"    fast_loop_{name} = FastLoop{{}};" for name in loop_states(loops)]
    for event in events:
        for state in event.states:
            lines.append(f"    {state}_{event.number} = 0;")
    return lines + ["}"]


def named_loops(loops):
    lines = ["void Frames::register_named_loops(int frame_index, LoopMap& map)",
             "{",
             "    switch (frame_index) {"]
    for index in range(FRAME_COUNT):
        entries = [(n, k, name) for n, k, names, _, _ in loops
                   for name, frames in names if index + 1 in frames]
        if not entries:
            continue
        lines.append(f"    case {index}:")
        for loop, k, name in entries:
            state = loop_state(name)
            lines.append(f'        map.emplace("{name}", DynamicLoop{{&Frames::loop_{loop}_{k}, '
                         f"&fast_loop_{state}.running, &fast_loop_{state}.index}});")
        lines.append("        break;")
    lines += ["    default:",
              "        break;",
              "    }",
              "}"]
    return lines


def level_group_lookup(events):
    numbers = sorted({int(g[len("level_group_"):]) for e in events for g in e.groups
                      if re.fullmatch(r"level_group_\d+", g)})
    lines = ["bool* Frames::level_group(int number)", "{", "    switch (number) {"]
    lines += [f"    case {n}:\n        return &level_group_{n};" for n in numbers]
    lines += ["    default:", "        return nullptr;", "    }", "}"]
    return lines


def functions_text(functions, loops, script, inputs):
    lines = [generated.banner(script, inputs),
             '#include "game/frames/frames.h"',
             "",
             "// Functions whose events are not built yet: empty until their work lands."]
    stubs = [name for name, members in functions.items()
             if not members[0].built and not ENTRY_FUNCTION.match(name)]
    # A body no event row names is empty until its own row says it is built.
    stubs += [f"loop_{n}_{k}" for n, k, _, _, row in loops
              if f"loop_{n}_{k}" not in functions and row["built"] != "1"]
    lines += [f"void Frames::{name}() {{}}" for name in stubs]
    events = sorted((e for members in functions.values() for e in members), key=lambda e: e.number)
    lines += [""] + named_loops(loops) + [""] + frame_resets(events, loops) + [""]
    lines += level_group_lookup(events) + [""]
    return "\n".join(lines)


def frame_resets(events, loops):
    lines = ["void Frames::reset_frame_event_state(int frame_number)",
             "{",
             "    switch (frame_number) {"]
    for number in range(1, FRAME_COUNT + 1):
        states = sorted({n for n, _, _, frames, _ in loops if number in frames}
                        | {loop_state(name) for _, _, names, _, _ in loops
                           for name, frames in names if number in frames})
        body = [f"        fast_loop_{state} = FastLoop{{}};" for state in states]
        for event in events:
            if number not in event.frames:
                continue
            for state in event.states:
                value = {"run_once": "unsigned(loop_count)", "once": "false", "every": "0.0f"}[state]
                body.append(f"        {state}_{event.number} = {value};")
        if not body:
            continue
        lines += [f"    case {number}:"] + body + ["        break;"]
    lines += ["    default:",
              "        break;",
              "    }",
              "}"]
    return lines


def event_index(inputs, outputs, args):
    index_path, seeds_path, loops_path = inputs
    events, groups, functions, loops = read_index(index_path, seeds_path, loops_path)
    if args.write == "members":
        return [members_text(events, functions, loops, __file__, inputs)]
    if args.write == "index":
        return [index_text(events, groups, loops, __file__, inputs)]
    return [functions_text(functions, loops, __file__, inputs)]


def add_arguments(parser):
    parser.add_argument("--write", choices=("members", "index", "functions"), required=True)


if __name__ == "__main__":
    generated.run(event_index, "What the event index declares, holds and leaves empty.",
                  add_arguments)
