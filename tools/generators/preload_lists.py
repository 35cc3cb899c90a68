#!/usr/bin/env python3
"""Writes the frames' image preload lists from game/frames/preload_lists.tsv
into preload_lists.cpp: one handle array per frame and the table of lists
that game/frames/preload.h declares.

A row whose handles cell is `derived` takes its list from
game/frames/frame_classes.tsv: every image that the frame's classes fetch
(game/objects/classes.tsv and animations.tsv), without the text blitters'
sheet, in ascending order.

    preload_lists.py --inputs preload_lists.tsv frame_classes.tsv classes.tsv animations.tsv
"""
import generated
import objects

HANDLE_COUNT = 6534
SHEET = 2371  # the text blitters' character sheet, loaded by every blitter
DERIVED = "derived"
HOW = ("placed", "created", "added")


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


def class_images(item):
    """Every handle the class's constructor fetches (the sheet included);
    None when a picture has no handle yet."""
    if item.kind == "Active":
        found = [h for record in item.records for h in record.handles]
    elif item.kind in ("Backdrop", "SystemBox"):
        found = objects.handles(item.row, item.one("image", ""), 1, "image")
    elif item.kind == "TextBlitter":
        found = [int(item.one("image", str(SHEET)))]
    elif item.kind == "Counter" and "images" in item.settings:
        count = int(item.one("images"))
        found = objects.handles(item.row, item.one("handles", ""), count, "handles")
    else:
        found = []
    return None if objects.UNASSIGNED in found else set(found)


def read_classes(class_table, animation_table):
    """The images of every class of the class table, by `Name_N`."""
    classes = objects.read_classes(class_table)
    objects.read_animations(animation_table, classes)
    return {item.full: class_images(item) for item in classes}


def read_frame_classes(path, frames, images):
    """{frame: set of handles} from the frame-class table. `frames` are the
    frame numbers of the lists, `images` the classes' handle sets."""
    derived = {}
    seen = set()
    last = 0
    for row in generated.read_table(path, ["frame", "class", "how"]):
        if not row["frame"].isdigit() or int(row["frame"]) not in frames:
            row.fail(f"frame {row['frame']!r} is none of the frames 1-{max(frames)}")
        frame = int(row["frame"])
        if frame < last:
            row.fail(f"frame {frame} after frame {last}: the frames are in order")
        last = frame
        name = row["class"]
        if name not in images:
            row.fail(f"class {name!r} is not in the class table")
        if (frame, name) in seen:
            row.fail(f"{name} is listed twice for frame {frame}")
        seen.add((frame, name))
        if row["how"] not in HOW:
            row.fail(f"how {row['how']!r}: {', '.join(HOW)}")
        handles = images[name]
        if handles is None:
            row.fail(f"{name} has pictures without a handle")
        if row["how"] == "added" and not handles - {SHEET}:
            row.fail(f"{name} is added for its images but fetches none")
        derived.setdefault(frame, set()).update(handles - {SHEET})
    return derived


def read_lists(path, frame_classes=None, class_tables=None):
    """(number, flush, handles) per frame, numbers 1, 2, ... in order. With
    the frame-class table and the class tables, `derived` rows get their
    lists and the other rows are checked against their classes' images."""
    rows = []
    for row in generated.read_table(path, ["frame", "flush", "handles"]):
        expected = len(rows) + 1
        if row["frame"] != str(expected):
            row.fail(f"frame {row['frame']!r}: the frames are listed in order, "
                     f"this row is frame {expected}")
        if row["flush"] not in ("0", "1"):
            row.fail(f"flush {row['flush']!r}: 0 or 1")
        rows.append(row)
    if not rows:
        raise generated.TableError(path, 1, "the table lists no frame")
    derived = {}
    if frame_classes is not None:
        images = read_classes(*class_tables)
        derived = read_frame_classes(frame_classes, set(range(1, len(rows) + 1)), images)
    lists = []
    for number, row in enumerate(rows, start=1):
        if row["handles"] == DERIVED:
            if number not in derived:
                row.fail(f"frame {number} is derived, and no class is listed for it")
            handles = sorted(derived[number])
        else:
            handles = parse_handles(row)
            if number in derived and set(handles) != derived[number]:
                extra = sorted(set(handles) - derived[number])
                missing = sorted(derived[number] - set(handles))
                row.fail(f"frame {number}'s list is not its classes' images: "
                         f"not fetched {extra[:5]}, missing {missing[:5]}")
        lists.append((number, row["flush"] == "1", handles))
    return lists


def source(lists, script, tables):
    lines = [generated.banner(script, tables),
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
    if len(inputs) != 4:
        raise generated.TableError(__file__, 1, "inputs: preload_lists.tsv frame_classes.tsv "
                                   "classes.tsv animations.tsv")
    table, frame_classes, class_table, animation_table = inputs
    lists = read_lists(table, frame_classes, (class_table, animation_table))
    return [source(lists, __file__, inputs)]


if __name__ == "__main__":
    generated.run(preload_lists, "The frames' image preload lists.")
