#!/usr/bin/env python3
"""Writes the frame descriptors from game/frames/frames.tsv: one class
FrameN per frame (frame_descriptors.h) and the frame table that makes them
(frame_descriptors.cpp).
"""
import generated


def read_frames(path):
    """(index, number, name) for every row; the indexes count from 0 in
    table order and each number is its index + 1."""
    frames = []
    for row in generated.read_table(path, ["index", "number", "name"]):
        expected = len(frames)
        if row["index"] != str(expected):
            row.fail(f"index {row['index']!r}: the frames are listed in index order, "
                     f"this row is index {expected}")
        if row["number"] != str(expected + 1):
            row.fail(f"number {row['number']!r}: frame index {expected} is number {expected + 1}")
        name = row["name"]
        if not name or not all(" " <= c <= "~" for c in name):
            row.fail("the name is empty or not printable ASCII")
        frames.append((expected, expected + 1, name))
    if not frames:
        raise generated.TableError(path, 1, "the table lists no frame")
    return frames


def header(frames, script, table):
    lines = [generated.banner(script, [table]),
             "// The frame descriptors, one class per frame, and the frame table.",
             "#pragma once",
             "",
             '#include "game/frames/frames.h"',
             "",
             f"inline constexpr int game_frame_count = {len(frames)};",
             ""]
    for index, number, name in frames:
        name_literal = generated.cpp_string(name.encode("ascii"))
        lines += [f"class Frame{number} : public SkeletonFrame {{",
                  "public:",
                  f"    Frame{number}() : SkeletonFrame({name_literal}, {index}) {{}}",
                  "};"]
    lines += ["",
              "// Entry i is the descriptor of frame index i. The first call constructs",
              "// them all, in frame order; they live for the program's life.",
              "FrameData* const* frame_table();",
              ""]
    return "\n".join(lines)


def source(frames, script, table):
    lines = [generated.banner(script, [table]),
             '#include "game/frames/frame_descriptors.h"',
             "",
             "FrameData* const* frame_table()",
             "{"]
    lines += [f"    static Frame{number} frame{number};" for _, number, _ in frames]
    lines.append("    static FrameData* const table[game_frame_count] = {")
    lines += [f"        &frame{number}," for _, number, _ in frames]
    lines += ["    };",
              "    return table;",
              "}",
              ""]
    return "\n".join(lines)


def frame_descriptors(inputs, outputs, args):
    (table,) = inputs
    frames = read_frames(table)
    return [header(frames, __file__, table), source(frames, __file__, table)]


if __name__ == "__main__":
    generated.run(frame_descriptors, "The frame descriptors and the frame table.")
