#!/usr/bin/env python3
"""Writes from game/frames/frames.tsv the declarations of the frames'
entry points in class Frames (--write entry_points: frame_entry_points.inc)
and the frame descriptors, one class FrameN per frame that forwards into
them, with the frame table that makes them (--write descriptors:
frame_descriptors.h and .cpp, built with the events that define the entry
points).
"""
import generated


def read_frames(path):
    """(index, number, name, collisions) for every row; the indexes count
    from 0 in table order and each number is its index + 1."""
    frames = []
    for row in generated.read_table(path, ["index", "number", "name", "collisions"]):
        expected = len(frames)
        if row["index"] != str(expected):
            row.fail(f"index {row['index']!r}: the frames are listed in index order, "
                     f"this row is index {expected}")
        if row["number"] != str(expected + 1):
            row.fail(f"number {row['number']!r}: frame index {expected} is number {expected + 1}")
        name = row["name"]
        if not name or not all(" " <= c <= "~" for c in name):
            row.fail("the name is empty or not printable ASCII")
        if row["collisions"] not in ("0", "1"):
            row.fail(f"collisions {row['collisions']!r}: 0 or 1")
        frames.append((expected, expected + 1, name, row["collisions"] == "1"))
    if not frames:
        raise generated.TableError(path, 1, "the table lists no frame")
    return frames


def entry_points(frames, script, table):
    """The Frames members each frame's descriptor calls, declared in the
    class body."""
    lines = [generated.banner(script, [table]),
             "// The frames' entry points: set-up, start events, tick handlers, the",
             "// collision pass where the frame has one, and the image preload list.",
             f"static constexpr int frame_count = {len(frames)};"]
    for index, number, _, collisions in frames:
        lines += [f"void on_frame_{number}_init();",
                  f"void on_frame_{number}_start_events();",
                  f"void handle_frame_{number}_events();",
                  f"void handle_frame_{number}_pre_events() {{}}",
                  f"void load_frame_{number}_images();"]
        if collisions:
            lines.append(f"void test_collisions_{index}();")
    lines.append("")
    return "\n".join(lines)


def header(frames, script, table):
    lines = [generated.banner(script, [table]),
             "// The frame descriptors: each forwards the runtime's per-frame calls into",
             "// the frames object's entry points of its frame.",
             "#pragma once",
             "",
             '#include "game/frames/frames.h"',
             "",
             f"inline constexpr int game_frame_count = {len(frames)};",
             ""]
    for index, number, name, _ in frames:
        name_literal = generated.cpp_string(name.encode("ascii"))
        lines += [f"class Frame{number} : public FrameData {{",
                  "public:",
                  f"    Frame{number}() {{ name = {name_literal}; }}",
                  "    void event_callback(int) override {}",
                  f"    void init() override {{ frames().on_frame_{number}_init(); }}",
                  f"    void on_start() override {{ frames().on_frame_{number}_start_events(); }}",
                  "    void on_end() override { frame->reset(); }",
                  f"    void handle_events() override {{ frames().handle_frame_{number}_events(); }}",
                  f"    void handle_pre_events() override {{ frames().handle_frame_{number}_pre_events(); }}",
                  "",
                  "private:",
                  "    Frames& frames() { return *static_cast<Frames*>(frame); }",
                  "};",
                  ""]
    lines += ["// Entry i is the descriptor of frame index i. The first call constructs",
              "// them all, in frame order; they live for the program's life.",
              "FrameData* const* frame_table();",
              ""]
    return "\n".join(lines)


def source(frames, script, table):
    lines = [generated.banner(script, [table]),
             '#include "game/events/frame_descriptors.h"',
             "",
             "FrameData* const* frame_table()",
             "{"]
    lines += [f"    static Frame{number} frame{number};" for _, number, _, _ in frames]
    lines.append("    static FrameData* const table[game_frame_count] = {")
    lines += [f"        &frame{number}," for _, number, _, _ in frames]
    lines += ["    };",
              "    return table;",
              "}",
              ""]
    return "\n".join(lines)


def frame_descriptors(inputs, outputs, args):
    (table,) = inputs
    frames = read_frames(table)
    if args.write == "entry_points":
        return [entry_points(frames, __file__, table)]
    return [header(frames, __file__, table), source(frames, __file__, table)]


def add_arguments(parser):
    parser.add_argument("--write", choices=("entry_points", "descriptors"), required=True)


if __name__ == "__main__":
    generated.run(frame_descriptors, "The frames' entry points, descriptors and table.",
                  add_arguments)
