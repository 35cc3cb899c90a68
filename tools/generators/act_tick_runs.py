#!/usr/bin/env python3
"""Writes the runs of an act's main gameplay block from its table
(game/events/act1_frame/act1_tick_runs.tsv, game/events/act2/act2_tick_runs.tsv)
into act<N>_tick_runs.inc: for each run the event groups it tests and its
events in call order, as member pointers of Frames
(game/events/act_tick.h), with the event numbers beside them. Each event's
function comes from the event index.
"""
import re

import generated

LEVEL_GROUPS = 74
MAIN_GAMEPLAY = 43
NUMBER = re.compile(r"[1-9][0-9]*")
NAMED_GROUP = re.compile(r"[a-z][a-z0-9_]*_group(_[0-9]+)?")
# The frame number each act runs in.
ACT_FRAMES = {1: "5", 2: "6"}


def read_index(path):
    """Event number -> (function, frames) of the event index, and the named
    groups its events test (the frames' own groups, beside the numbered
    level groups)."""
    rows = generated.read_table(path, ["event", "function", "frames", "groups"])
    functions = {int(row["event"]): (row["function"], row["frames"].split()) for row in rows}
    named = {group for row in rows for group in row["groups"].split() if NAMED_GROUP.fullmatch(group)}
    return functions, named


def read_groups(row, named):
    """The run's groups, outermost first: level group numbers and named
    groups. The block itself stands under the main gameplay group, so every
    run tests it first."""
    groups = []
    for word in row["groups"].split(" "):
        if NUMBER.fullmatch(word) and int(word) <= LEVEL_GROUPS:
            group = f"level_group_{word}"
        elif word in named:
            group = word
        else:
            row.fail(f"group {word!r}: a level group number 1-{LEVEL_GROUPS} or a group of the event index")
        if group in groups:
            row.fail(f"group {word} is named twice in the path")
        groups.append(group)
    if groups[0] != f"level_group_{MAIN_GAMEPLAY}":
        row.fail(f"a run of the main gameplay block tests level group {MAIN_GAMEPLAY} first")
    return groups


def read_events(row, functions, frame):
    """The run's events in call order, each checked against the index."""
    events = []
    for word in row["events"].split(" "):
        first, dash, last = word.partition("-")
        if not NUMBER.fullmatch(first) or (dash and not NUMBER.fullmatch(last)):
            row.fail(f"{word!r}: an event number or a range a-b")
        low = int(first)
        high = int(last) if dash else low
        if high < low:
            row.fail(f"range {word} runs backwards")
        for event in range(low, high + 1):
            if event not in functions:
                row.fail(f"event {event} is not in the event index")
            function, frames = functions[event]
            if frame not in frames:
                row.fail(f"event {event}: the index does not run it in frame {frame}")
            if not function.startswith(("event_func_", "loop_")):
                row.fail(f"event {event}: its function {function} is not one to call")
            events.append((event, function))
    if not events:
        row.fail("the run lists no event")
    return events


def read_runs(table, index, act=1):
    functions, named = read_index(index)
    runs = []
    for row in generated.read_table(table, ["groups", "events"]):
        runs.append((read_groups(row, named), read_events(row, functions, ACT_FRAMES[act])))
    if not runs:
        raise generated.TableError(table, 1, "the table lists no run")
    return runs


def source(runs, script, inputs, act=1):
    space = f"act{act}_runs"
    lines = [generated.banner(script, inputs), f"namespace {space} {{", ""]
    for k, (groups, events) in enumerate(runs):
        path = ", ".join(f"&Frames::{g}" for g in groups)
        lines.append(f"constexpr bool Frames::* groups_{k}[] = {{{path}}};")
        lines.append(f"constexpr TickEvent events_{k}[] = {{")
        for event, function in events:
            lines.append(f"    {{{event}, &Frames::{function}}},")
        lines += ["};", ""]
    lines += [f"}}  // namespace {space}", "",
              f"constexpr TickRun act{act}_level_runs[{len(runs)}] = {{"]
    for k in range(len(runs)):
        lines.append(f"    {{{space}::groups_{k}, {space}::events_{k}}},")
    lines += ["};", ""]
    return "\n".join(lines)


def act_tick_runs(inputs, outputs, args):
    table, index = inputs
    return [source(read_runs(table, index, args.act), __file__, inputs, args.act)]


def add_arguments(parser):
    parser.add_argument("--act", type=int, choices=sorted(ACT_FRAMES), required=True)


if __name__ == "__main__":
    generated.run(act_tick_runs, "The runs of an act's main gameplay block.", add_arguments)
