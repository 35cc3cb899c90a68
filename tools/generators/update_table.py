#!/usr/bin/env python3
"""Writes the per-tick update table from game/frames/update_table.tsv into
update_table.cpp: the object type ids in slice order and the nine slices
(pass, first row, count) that game/frames/update_passes.h declares.
"""
import generated

# The passes in the order they run; each walks one slice of the table.
PASSES = [
    "update_textblitter_1",
    "update_textblitter_5",
    "update_active_6",
    "update_active_7",
    "update_active_2",
    "update_active_3",
    "update_active_0",
    "update_counter_4",
    "update_active_8",
]
TYPE_COUNT = 328


def read_rows(path):
    """(pass, type id) per row, checked: known passes in pass order, each
    type once and within 0 .. TYPE_COUNT - 1."""
    rows = []
    seen = {}
    last_pass = 0
    for row in generated.read_table(path, ["pass", "type", "classes"]):
        name = row["pass"]
        if name not in PASSES:
            row.fail(f"unknown pass {name!r}")
        order = PASSES.index(name)
        if order < last_pass:
            row.fail(f"pass {name!r} after {PASSES[last_pass]!r}: "
                     "the slices are listed in pass order")
        last_pass = order
        text = row["type"]
        if not text.isdigit() or int(text) >= TYPE_COUNT:
            row.fail(f"type {text!r}: a number 0-{TYPE_COUNT - 1}")
        type_id = int(text)
        if type_id in seen:
            row.fail(f"type {type_id} is listed twice (first on line {seen[type_id]})")
        seen[type_id] = row.line
        if not row["classes"]:
            row.fail(f"type {type_id} names no class")
        rows.append((name, type_id))
    if not rows:
        raise generated.TableError(path, 1, "the table lists no type")
    return rows


def slices(rows):
    """(pass, first row, count) for every pass, in pass order; a pass
    without rows has an empty slice."""
    out = []
    first = 0
    for name in PASSES:
        count = sum(1 for pass_name, _ in rows if pass_name == name)
        out.append((name, first, count))
        first += count
    return out


def source(rows, script, table):
    lines = [generated.banner(script, [table]),
             '#include "game/frames/update_passes.h"',
             "",
             f"static_assert(update_list_count == {len(rows)}, "
             '"update_passes.h and the update table disagree on the table\'s size");',
             f"static_assert(update_slice_count == {len(PASSES)});",
             "",
             "const int update_table_type_ids[update_list_count] = {"]
    ids = [str(type_id) for _, type_id in rows]
    for start in range(0, len(ids), 12):
        lines.append("    " + ", ".join(ids[start:start + 12]) + ",")
    lines += ["};", "", "const UpdateSlice update_slices[update_slice_count] = {"]
    for name, first, count in slices(rows):
        lines.append(f'    {{"{name}", {name}, {first}, {count}}},')
    lines += ["};", ""]
    return "\n".join(lines)


def update_table(inputs, outputs, args):
    (table,) = inputs
    return [source(read_rows(table), __file__, table)]


if __name__ == "__main__":
    generated.run(update_table, "The per-tick update table.")
