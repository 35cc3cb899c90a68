#!/usr/bin/env python3
"""Writes the runs of act 1's main gameplay block from
game/events/act1_frame/act1_tick_runs.tsv into act1_tick_runs.inc: for each
run the level groups it tests and its events in call order, as member
pointers of Frames (game/events/act1_frame/act1_tick.h), with the event
numbers beside them. Each event's function comes from the event index.
"""
import re

import generated

LEVEL_GROUPS = 74
NUMBER = re.compile(r"[1-9][0-9]*")


def index_functions(path):
    """Event number -> (function, frames) of the event index."""
    rows = generated.read_table(path, ["event", "function", "frames"])
    return {int(row["event"]): (row["function"], row["frames"].split()) for row in rows}


def read_groups(row):
    """The run's level group numbers, outermost first; the block itself
    stands under level_group_43, so every run tests it first."""
    words = row["groups"].split(" ")
    groups = []
    for word in words:
        if not NUMBER.fullmatch(word) or int(word) > LEVEL_GROUPS:
            row.fail(f"group {word!r}: a level group number 1-{LEVEL_GROUPS}")
        if int(word) in groups:
            row.fail(f"group {word} is named twice in the path")
        groups.append(int(word))
    if groups[0] != 43:
        row.fail("a run of the main gameplay block tests level group 43 first")
    return groups


def read_events(row, functions):
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
            if "5" not in frames:
                row.fail(f"event {event}: the index does not run it in frame 5")
            if not function.startswith(("event_func_", "loop_")):
                row.fail(f"event {event}: its function {function} is not one to call")
            events.append((event, function))
    if not events:
        row.fail("the run lists no event")
    return events


def read_runs(table, index):
    functions = index_functions(index)
    runs = []
    for row in generated.read_table(table, ["groups", "events"]):
        runs.append((read_groups(row), read_events(row, functions)))
    if not runs:
        raise generated.TableError(table, 1, "the table lists no run")
    return runs


def source(runs, script, inputs):
    lines = [generated.banner(script, inputs), "namespace act1_runs {", ""]
    for k, (groups, events) in enumerate(runs):
        path = ", ".join(f"&Frames::level_group_{g}" for g in groups)
        lines.append(f"constexpr bool Frames::* groups_{k}[] = {{{path}}};")
        lines.append(f"constexpr TickEvent events_{k}[] = {{")
        for event, function in events:
            lines.append(f"    {{{event}, &Frames::{function}}},")
        lines += ["};", ""]
    lines += ["}  // namespace act1_runs", "",
              f"constexpr TickRun act1_level_runs[{len(runs)}] = {{"]
    for k in range(len(runs)):
        lines.append(f"    {{act1_runs::groups_{k}, act1_runs::events_{k}}},")
    lines += ["};", ""]
    return "\n".join(lines)


def act1_tick_runs(inputs, outputs, args):
    table, index = inputs
    return [source(read_runs(table, index), __file__, inputs)]


if __name__ == "__main__":
    generated.run(act1_tick_runs, "The runs of act 1's main gameplay block.")
