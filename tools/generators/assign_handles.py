#!/usr/bin/env python3
"""Fills the image handles that the class table leaves empty, once, by the
rule of docs/class-table.md ("Image handles"). Not run by the build: run it
by hand and check the tables in.

    python3 tools/generators/assign_handles.py [--check]

It rewrites only empty `handles` cells of game/objects/animations.tsv and
adds `handles=` to counters and `image=` to boxes in
game/objects/classes.tsv that lack them; every other byte stays. A second
run changes nothing. --check writes nothing and fails when a handle would
change.
"""
import argparse
import itertools
import sys
from pathlib import Path

import generated
import objects

ROOT = Path(__file__).resolve().parents[2]
CLASSES = ROOT / "game/objects/classes.tsv"
ANIMATIONS = ROOT / "game/objects/animations.tsv"

SHEET = 2371  # the bitmap-text character sheet
# Frame 3's and frame 2's preload lists: the handles of the classes those
# frames place or their events create (the sheet excepted).
FRAME_3 = {157, 194, 594, 1259, 1260, 1262}
FRAME_3_CLASSES = [20, 21, 22, 23, 24, 49]
FRAME_2 = ({118, 157, 194, 262, 1259, 1260, 1262, 1265, 1542, 1543, 1544, 1545, 1592, 1618, 1655,
            1690, 1739, 1740, 1741, 1742, 1744, 1745, 1747, 1748, 1750, 1752, 1753, 1754, 1755,
            1756, 1757, 1758, 1759, 2208, 3731, 6531} | set(range(5971, 5981)))
FRAME_2_CLASSES = [20, 21, 22, 23, 24, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47]
DIGIT_IMAGES = 14


def runs(values):
    """Handles as a cell: runs of consecutive handles written first-last."""
    parts, start = [], 0
    for i in range(1, len(values) + 1):
        if i == len(values) or values[i] != values[i - 1] + 1:
            first, last = values[start], values[i - 1]
            parts.append(str(first) if first == last else f"{first}-{last}")
            start = i
    return " ".join(parts)


def share_key(record):
    """Records of one class and animation with this key show one set of
    pictures; a one-frame record always has its own."""
    if record.frames == 1:
        return None
    return (record.animation, record.frames, record.row["size"], record.min_speed,
            record.max_speed, record.repeat, record.back_to)


def unassigned(item):
    """The records of a sprite whose handles are still to be chosen."""
    return [r for r in item.records
            if item.kind == "Active" and hasattr(r, "row") and r.handles[0] == objects.UNASSIGNED]


def distinct_frames(item):
    """How many pictures the unassigned records need by the sharing rule."""
    seen, count = set(), 0
    for record in unassigned(item):
        key = share_key(record)
        if key is None or key not in seen:
            count += record.frames
            if key is not None:
                seen.add(key)
    return count


def layout(item):
    """What two classes of one object type must agree on to show the same
    pictures: their records and the pictures' intended sizes."""
    if item.kind == "SystemBox":
        return item.one("image_size", "")
    return [(r.animation, r.direction, r.frames, r.row["size"]) for r in item.records]


class Assigner:
    def __init__(self, classes):
        self.classes = classes
        self.fixed = {SHEET} | FRAME_2 | FRAME_3
        for item in classes:
            for handle in self.handles_of(item):
                self.fixed.add(handle)
        self.pool = [h for h in range(objects.MAX_HANDLE + 1) if h not in self.fixed]
        self.next_free = 0
        self.digits = None  # the one set of digit images of the digit counters

    @staticmethod
    def handles_of(item):
        if item.kind == "Active":
            return [h for r in item.records for h in r.handles if h != objects.UNASSIGNED]
        if item.kind in ("Backdrop", "SystemBox") and "image" in item.settings:
            return [int(item.one("image"))]
        if item.kind == "Counter" and "handles" in item.settings:
            return objects.handles(item.row, item.one("handles"), int(item.one("images")), "handles")
        return []

    def take(self, count):
        if self.next_free + count > len(self.pool):
            raise SystemExit(f"assign_handles: {count} more handles than 0-{objects.MAX_HANDLE} hold")
        taken = self.pool[self.next_free:self.next_free + count]
        self.next_free += count
        return taken

    def sprite(self, item, source):
        """Fills the empty records of a sprite from `source` (a list that
        hands out handles) by the sharing rule."""
        shared = {}
        for record in unassigned(item):
            key = share_key(record)
            if key is None or key not in shared:
                handles = source(record.frames)
                if key is not None:
                    shared[key] = handles
            record.handles = list(shared.get(key, handles))

    def frame_2(self, by_number):
        """The sprites of frame 2 take the free handles of its list: each
        class at least one, then one more per class in turn (class order)
        while it has pictures without one; a class's frames go round its
        handles. So the list is used exactly when it holds enough."""
        free = sorted(FRAME_2 - {h for n in FRAME_2_CLASSES for h in self.handles_of(by_number[n])})
        members = [by_number[n] for n in FRAME_2_CLASSES if distinct_frames(by_number[n])]
        shares = {c.number: 1 for c in members}
        left = len(free) - len(members)
        while left > 0 and any(shares[c.number] < distinct_frames(c) for c in members):
            for c in members:
                if left > 0 and shares[c.number] < distinct_frames(c):
                    shares[c.number] += 1
                    left -= 1
        start = 0
        for c in members:
            own = free[start:start + shares[c.number]]
            start += shares[c.number]
            turn = itertools.count()
            self.sprite(c, lambda count: [own[next(turn) % len(own)] for _ in range(count)])

    def assign(self):
        by_number = {c.number: c for c in self.classes}
        self.frame_2(by_number)
        first_of_type = {}
        for item in self.classes:
            twin = first_of_type.setdefault((item.type_id, item.kind), item)
            if item.kind == "Active":
                if twin is not item and layout(twin) == layout(item):
                    for mine, theirs in zip(item.records, twin.records):
                        if mine.handles[0] == objects.UNASSIGNED:
                            mine.handles = list(theirs.handles)
                self.sprite(item, self.take)
            elif item.kind == "SystemBox" and "image" not in item.settings:
                same = twin is not item and layout(twin) == layout(item)
                image = twin.one("image") if same else str(self.take(1)[0])
                item.settings["image"] = [image]
            elif item.kind == "Counter" and "images" in item.settings and "handles" not in item.settings:
                count = int(item.one("images"))
                if count == DIGIT_IMAGES and int(item.one("display")) == 1:
                    if self.digits is None:
                        self.digits = self.take(DIGIT_IMAGES)
                    item.settings["handles"] = [runs(self.digits)]
                else:
                    item.settings["handles"] = [runs(self.take(count))]

    def check_lists(self):
        by_number = {c.number: c for c in self.classes}
        for frame, listed, members in ((2, FRAME_2, FRAME_2_CLASSES), (3, FRAME_3, FRAME_3_CLASSES)):
            used = {h for n in members for h in self.handles_of(by_number[n])}
            if used != listed:
                print(f"assign_handles: frame {frame}'s classes use {len(used)} handles, "
                      f"its list has {len(listed)}", file=sys.stderr)
                return False
        return True


def size_conflicts(classes):
    """Handles whose users ask for two different picture sizes."""
    sizes = {}
    for item in classes:
        pairs = [(h, r.row["size"]) for r in item.records if hasattr(r, "row") for h in r.handles]
        if item.kind in ("Backdrop", "SystemBox", "Counter"):
            pairs += [(h, item.one("image_size", "")) for h in Assigner.handles_of(item)]
        for handle, size in pairs:
            sizes.setdefault(handle, {}).setdefault(size, []).append(item.full)
    return {h: users for h, users in sorted(sizes.items()) if len(users) > 1}


def rewrite(path, cells_by_line):
    """The file with the given cells of the given lines replaced."""
    lines = path.read_text().split("\n")
    header = None
    for number, line in enumerate(lines, start=1):
        if not line or line.startswith("#"):
            continue
        if header is None:
            header = line.split("\t")
            continue
        if number in cells_by_line:
            cells = line.split("\t")
            for column, value in cells_by_line[number].items():
                cells[header.index(column)] = value
            lines[number - 1] = "\t".join(cells)
    return "\n".join(lines)


def settings_cell(item):
    return ";".join(f"{key}={value}" for key, values in item.settings.items() for value in values)


def main():
    parser = argparse.ArgumentParser(description="Fills the empty image handles of the class table.")
    parser.add_argument("--check", action="store_true", help="write nothing; fail on a change")
    args = parser.parse_args()
    try:
        classes = objects.read_classes(CLASSES)
        objects.read_animations(ANIMATIONS, classes)
    except generated.TableError as error:
        print(error, file=sys.stderr)
        return 1
    before = {id(r): list(r.handles) for c in classes for r in c.records}
    settings_before = {c.number: settings_cell(c) for c in classes}
    assigner = Assigner(classes)
    assigner.assign()
    animation_cells, class_cells = {}, {}
    for item in classes:
        for record in item.records:
            if hasattr(record, "row") and record.handles != before[id(record)]:
                animation_cells[record.row.line] = {"handles": runs(record.handles)}
        if settings_cell(item) != settings_before[item.number]:
            class_cells[item.row.line] = {"settings": settings_cell(item)}
    lists_met = assigner.check_lists()
    for handle, users in size_conflicts(classes).items():
        shown = "; ".join(f"{size or 'no size'} for {', '.join(sorted(set(names)))}"
                          for size, names in sorted(users.items()))
        print(f"assign_handles: handle {handle} has two sizes: {shown}", file=sys.stderr)
    if args.check:
        changed = bool(animation_cells or class_cells)
        if changed:
            print(f"assign_handles: {len(animation_cells)} animation rows and {len(class_cells)} "
                  "classes have empty handles", file=sys.stderr)
        return 1 if changed or not lists_met else 0
    generated.write_if_changed(ANIMATIONS, rewrite(ANIMATIONS, animation_cells))
    generated.write_if_changed(CLASSES, rewrite(CLASSES, class_cells))
    print(f"assign_handles: filled {len(animation_cells)} animation rows and {len(class_cells)} classes; "
          f"{assigner.next_free} new handles, {len(assigner.pool) - assigner.next_free} left")
    return 0 if lists_met else 1


if __name__ == "__main__":
    sys.exit(main())
