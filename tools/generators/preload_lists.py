#!/usr/bin/env python3
"""Writes the frames' image preload lists from game/frames/preload_lists.tsv
into preload_lists.cpp: one handle array per frame and the table of lists
that game/frames/preload.h declares.
"""
import generated

HANDLE_COUNT = 6534
SHEET = 2371  # the text blitters' character sheet, loaded by every blitter


def parse_handles(row):
    """The handles of the row's cell in order; ranges `first-last` expanded."""
    handles = []
    for word in row["handles"].split(" ") if row["handles"] else []:
        first, dash, last = word.partition("-")
        if not first.isdigit() or (dash and not last.isdigit()):
            row.fail(f"handle {word!r}: a number or a range first-last")
        low, high = int(first), int(last) if dash else int(first)
        if high < low:
            row.fail(f"range {word!r} runs backwards")
        if high >= HANDLE_COUNT:
            row.fail(f"handle {high} is outside 0-{HANDLE_COUNT - 1}")
        handles += range(low, high + 1)
    seen = set()
    for handle in handles:
        if handle in seen:
            row.fail(f"handle {handle} is listed twice")
        if handle == SHEET:
            row.fail(f"handle {SHEET}, the character sheet, is in no list")
        seen.add(handle)
    return handles


def read_lists(path):
    """(number, flush, handles) per frame, numbers 1, 2, ... in order."""
    lists = []
    for row in generated.read_table(path, ["frame", "flush", "handles"]):
        expected = len(lists) + 1
        if row["frame"] != str(expected):
            row.fail(f"frame {row['frame']!r}: the frames are listed in order, "
                     f"this row is frame {expected}")
        if row["flush"] not in ("0", "1"):
            row.fail(f"flush {row['flush']!r}: 0 or 1")
        lists.append((expected, row["flush"] == "1", parse_handles(row)))
    if not lists:
        raise generated.TableError(path, 1, "the table lists no frame")
    return lists


def source(lists, script, table):
    lines = [generated.banner(script, [table]),
             '#include "game/frames/preload.h"',
             "",
             "namespace {",
             ""]
    for number, _, handles in lists:
        if not handles:
            continue
        lines.append(f"const uint16_t frame{number}_handles[{len(handles)}] = {{")
        for start in range(0, len(handles), 12):
            lines.append("    " + ", ".join(str(h) for h in handles[start:start + 12]) + ",")
        lines += ["};", ""]
    lines += ["}  // namespace",
              "",
              f"const int frame_preload_list_count = {len(lists)};",
              "",
              f"const PreloadList frame_preload_lists[{len(lists)}] = {{"]
    for number, flush, handles in lists:
        array = f"frame{number}_handles" if handles else "nullptr"
        lines.append(f"    {{{array}, {len(handles)}, {'true' if flush else 'false'}}},")
    lines += ["};", ""]
    return "\n".join(lines)


def preload_lists(inputs, outputs, args):
    (table,) = inputs
    return [source(read_lists(table), __file__, table)]


if __name__ == "__main__":
    generated.run(preload_lists, "The frames' image preload lists.")
