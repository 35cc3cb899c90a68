#!/usr/bin/env python3
"""Writes the rows each act's set-up always places, from
tools/content/act<N>_fixed.tsv (docs/level-layout.md), into
fixed_layouts.cpp: per act, in the table's order, the class name, the
position, the add operation and the layer (game/frames/act_layout.h).
"""
import re
from pathlib import Path

import generated

CLASS = re.compile(r"[A-Za-z0-9]+_\d+$")
ACT = re.compile(r"act(\d)_fixed\.tsv$")


def read_rows(path):
    rows = []
    for row in generated.read_table(path, ["class", "x", "y", "add", "layer"]):
        if not CLASS.match(row["class"]):
            row.fail(f"class {row['class']!r}: Name_N")
        for column in ("x", "y"):
            if not re.fullmatch(r"[+-]?\d+", row[column]) or not -2**31 <= int(row[column]) < 2**31:
                row.fail(f"{column} {row[column]!r}: a signed 32-bit integer")
        if row["add"] not in ("background", "object"):
            row.fail(f"add {row['add']!r}: background or object")
        if not row["layer"].isdigit() or int(row["layer"]) > 7:
            row.fail(f"layer {row['layer']!r}: 0-7")
        rows.append((row["class"], int(row["x"]), int(row["y"]), row["add"] == "background",
                     int(row["layer"])))
    return rows


def fixed_layouts(inputs, outputs, args):
    acts = []
    for path in inputs:
        match = ACT.search(Path(path).name)
        if not match:
            raise generated.TableError(path, 1, "the table's name is act<N>_fixed.tsv")
        acts.append((int(match.group(1)), read_rows(path)))
    acts.sort()
    lines = [generated.banner(__file__, inputs) + '#include "game/frames/act_layout.h"',
             "",
             "namespace {",
             ""]
    for act, rows in acts:
        lines.append(f"const FixedLayoutRow act{act}_rows[] = {{")
        for name, x, y, background, layer in rows:
            lines.append(f'    {{"{name}", {x}, {y}, {"true" if background else "false"}, {layer}}},')
        lines += ["};", ""]
    lines += ["}  // namespace",
              "",
              "std::span<const FixedLayoutRow> fixed_layout_rows(int act)",
              "{",
              "    switch (act) {"]
    for act, _ in acts:
        lines.append(f"    case {act}:")
        lines.append(f"        return act{act}_rows;")
    lines += ["    default:",
              "        return {};",
              "    }",
              "}",
              ""]
    return ["\n".join(lines)]


if __name__ == "__main__":
    generated.run(fixed_layouts, "The rows each act's set-up always places.")
