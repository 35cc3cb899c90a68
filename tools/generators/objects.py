#!/usr/bin/env python3
"""Writes the generated object classes from game/objects/classes.tsv and
game/objects/animations.tsv (docs/class-table.md):

  classes.h        the classes Name_N, their factories and the kept records
  classes_K.cpp    (K = 0..4) the classes of seed group objects<K+1> (0-103,
                   104-203, ..., 404-462): their statics
                   (animation tables, image tables, character tables) and
                   their constructors, destructors and factories
  class_list.cpp   the class list that game/objects/class_lookup.cpp searches

The constructors call the recipe steps of game/objects/class_support.h.
"""
import re

import generated
from string_constants import decode

CLASS_COLUMNS = ["number", "name", "type_id", "kind", "hidden", "flags", "settings", "alterables"]
ANIMATION_COLUMNS = ["class", "animation", "direction", "min_speed", "max_speed", "back_to",
                     "repeat", "frames", "handles", "size", "stated"]

KINDS = ["Active", "Backdrop", "QuickBackdrop", "Counter", "Text", "TextBlitter", "SystemBox",
         "StringParser", "ArrayObject", "LayerObject", "WindowControl", "AdvancedDirection",
         "SteamObject", "FrameObject"]
BACKGROUND_KINDS = ("Backdrop", "QuickBackdrop")
# Kinds whose recipe sets the background flag itself.
RECIPE_BACKGROUND = ("Backdrop", "QuickBackdrop", "SystemBox")
# Kinds whose recipe always creates alterables; the other kinds without the
# `alterables=1` key create none.
RECIPE_ALTERABLES = ("Active", "Text", "TextBlitter", "SystemBox")
NO_ALTERABLES = ("Counter", "ArrayObject", "Backdrop", "QuickBackdrop")

SETTINGS = {
    "Active": {"animation", "active_flags", "box", "blend", "direction", "movement", "movements",
               "shader", "kept", "seed"},
    "Counter": {"display", "size", "digits", "images", "handles", "image_size", "min", "max",
                "initial", "kept", "direction", "movement", "seed"},
    "TextBlitter": {"size", "align", "text", "image"},
    "SystemBox": {"size", "image", "image_size"},
    "ArrayObject": {"cells", "base", "size", "record"},
    "Text": {"size", "color", "font", "align", "lines"},
    "Backdrop": {"image", "image_size", "collision", "blend"},
    "QuickBackdrop": {"size", "gradient", "color1", "color2"},
}
OTHER_SETTINGS = {"alterables"}
REPEATABLE = {"direction"}
FLAGS = {"-4": "flags &= ~SCROLL;", "+8": "flags |= FADEOUT;", "+16": "flags |= BACKGROUND;",
         "+32": None}
SEED_GROUPS = {"objects1", "objects2", "objects3", "objects4", "objects5", "records"}
COLLISIONS = {"none": "none", "box": "box", "ladder": "ladder", "mask": "mask"}

MAX_NUMBER = 462
SOURCE_FILES = 5  # classes_0.cpp ... classes_4.cpp, one per seed group objects1 ... objects5
MAX_HANDLE = 6533
UNASSIGNED = 0xFFFF
BLITTER_IMAGE = 2371

NAME = re.compile(r"[A-Za-z][A-Za-z0-9_]*\Z")
INTEGER = re.compile(r"-?[0-9]+\Z")
DECIMAL = re.compile(r"-?[0-9]+(\.[0-9]+)?\Z")


def group_index(number):
    """0 for classes 0-103, 1 for 104-203, ... 4 for 404-462: the seed groups
    objects1 ... objects5, and the source file a class is written to."""
    return min(max(number - 4, 0) // 100, SOURCE_FILES - 1)


# Cells ----------------------------------------------------------------------------

def integer(row, text, what, low=None, high=None):
    if not INTEGER.match(text):
        row.fail(f"{what} {text!r} is not a whole number")
    value = int(text)
    if (low is not None and value < low) or (high is not None and value > high):
        row.fail(f"{what} {value} lies outside {low}-{high}")
    return value


def flag(row, text, what):
    if text not in ("0", "1"):
        row.fail(f"{what} {text!r} is neither 0 nor 1")
    return text == "1"


def decimal(row, text, what):
    """A number as a C++ double literal."""
    if not DECIMAL.match(text):
        row.fail(f"{what} {text!r} is not a number")
    return text if "." in text else text + ".0"


def size(row, text, what, parts=2):
    cells = text.split("x")
    if len(cells) != parts:
        row.fail(f"{what} {text!r} is not " + "x".join(["N"] * parts))
    return [integer(row, c, what, 0) for c in cells]


def color(row, text, what):
    cells = text.split(",")
    if len(cells) != 4:
        row.fail(f"{what} {text!r} is not R,G,B,A")
    return [integer(row, c, what, 0, 255) for c in cells]


def literal(row, text, what):
    """A C string literal of the table as the C++ literal of its bytes."""
    value = decode(text)
    if isinstance(value, str):
        row.fail(f"{what}: {value}")
    if 0 in value:
        row.fail(f"{what}: a NUL would end the text")
    return generated.cpp_string(value)


def handles(row, text, count, what):
    """The handles of a cell (numbers and first-last ranges); unassigned when
    the cell is empty."""
    if text == "":
        return [UNASSIGNED] * count
    values = []
    for token in text.split(" "):
        first, dash, last = token.partition("-")
        low = integer(row, first, what, 0, MAX_HANDLE)
        high = integer(row, last, what, 0, MAX_HANDLE) if dash else low
        if high < low:
            row.fail(f"{what}: the range {token} runs backwards")
        values.extend(range(low, high + 1))
    if len(values) != count:
        row.fail(f"{what}: {len(values)} handles for {count} images")
    return values


def split_outside_quotes(text, separator):
    """Splits at the separator where it stands outside a C string literal."""
    parts, current, quoted, escaped = [], [], False, False
    for char in text:
        if quoted:
            escaped = char == "\\" and not escaped
            if char == '"' and not escaped:
                quoted = False
        elif char == '"':
            quoted = True
            escaped = False
        elif char == separator:
            parts.append("".join(current))
            current = []
            continue
        current.append(char)
    parts.append("".join(current))
    return parts


# The class table ------------------------------------------------------------------

class Class:
    def __init__(self, row):
        self.row = row
        self.number = integer(row, row["number"], "number", 0, MAX_NUMBER)
        self.name = row["name"]
        if not NAME.match(self.name):
            row.fail(f"name {self.name!r} is not an identifier")
        self.full = f"{self.name}_{self.number}"
        self.factory = f"create_{self.name.lower()}_{self.number}"
        self.kind = row["kind"]
        if self.kind not in KINDS:
            row.fail(f"kind {self.kind!r} is none of {', '.join(KINDS)}")
        self.type_id = integer(row, row["type_id"], "type_id", 1)
        if (self.type_id == 1) != (self.kind in BACKGROUND_KINDS):
            row.fail("type id 1 is the backdrops' id, and every backdrop has it")
        self.hidden = flag(row, row["hidden"], "hidden")
        self.settings = self.read_settings(row["settings"])
        self.flags = row["flags"].split(" ") if row["flags"] else []
        for token in self.flags:
            if token not in FLAGS:
                row.fail(f"flag change {token!r} is none of {', '.join(FLAGS)}")
        if "image_size" in self.settings:
            size(row, self.one("image_size"), "image_size")  # for the stand-in content only
        self.kept = flag(row, self.one("kept", "0"), "kept")
        if "+32" in self.flags and not self.kept:
            row.fail("flag +32 belongs to a kept class (kept=1)")
        self.alterables = self.read_alterables(row["alterables"])
        self.records = []  # animation records, for sprites

    def one(self, key, default=None):
        values = self.settings.get(key)
        if values is None:
            if default is None:
                self.row.fail(f"{self.kind} needs the setting {key}")
            return default
        return values[0]

    def read_settings(self, text):
        allowed = SETTINGS.get(self.kind, OTHER_SETTINGS)
        settings = {}
        if text == "":
            return settings
        for item in split_outside_quotes(text, ";"):
            key, equals, value = item.partition("=")
            if not equals:
                self.row.fail(f"setting {item!r} is not key=value")
            if key not in allowed:
                self.row.fail(f"{self.kind} has no setting {key!r}")
            if key in settings and key not in REPEATABLE:
                self.row.fail(f"setting {key} is given twice")
            settings.setdefault(key, []).append(value)
        return settings

    def read_alterables(self, text):
        """(C++ statement) for each initial value, string or flag."""
        statements = []
        for token in split_outside_quotes(text, " ") if text else []:
            key, equals, value = token.partition("=")
            if not equals:
                self.row.fail(f"alterable {token!r} is not name=value")
            if len(key) == 1 and "A" <= key <= "Z":
                statements.append(f"alterables->values.set({ord(key) - 65}, "
                                  f"{decimal(self.row, value, key)});")
            elif re.match(r"S[0-9]\Z", key):
                statements.append(f"alterables->strings.get({key[1]}) = "
                                  f"{literal(self.row, value, key)};")
            elif re.match(r"F[0-9]+\Z", key):
                bit = integer(self.row, key[1:], "alterable flag", 0, 31)
                if flag(self.row, value, key):
                    statements.append(f"alterables->flags |= int32_t(1u << {bit});")
            else:
                self.row.fail(f"alterable {key!r} is none of A-Z, S0-S9, F0-F31")
        if statements and self.kind in NO_ALTERABLES:
            self.row.fail(f"a {self.kind} class has no alterables")
        if statements and self.kind not in RECIPE_ALTERABLES and not self.creates_alterables():
            self.row.fail("initial alterables need alterables=1")
        return statements

    def creates_alterables(self):
        if self.kind in RECIPE_ALTERABLES:
            return True
        return self.kind not in SETTINGS and flag(self.row, self.one("alterables", "0"), "alterables")

    def seed_group(self):
        group = self.one("seed", f"objects{group_index(self.number) + 1}")
        if group not in SEED_GROUPS:
            self.row.fail(f"seed group {group!r} is none of {', '.join(sorted(SEED_GROUPS))}")
        return "record_counters" if group == "records" else group


def read_classes(path):
    classes = []
    names = set()
    for row in generated.read_table(path, CLASS_COLUMNS):
        item = Class(row)
        if classes and item.number <= classes[-1].number:
            row.fail(f"class {item.number} after class {classes[-1].number}: "
                     "the rows are in class-number order")
        if item.full in names:
            row.fail(f"{item.full} is named twice")
        names.add(item.full)
        classes.append(item)
    if not classes:
        raise generated.TableError(path, 1, "the table lists no class")
    return classes


# The animation table --------------------------------------------------------------

class Record:
    def __init__(self, row):
        self.row = row
        self.animation = integer(row, row["animation"], "animation", 0, 42)
        self.direction = integer(row, row["direction"], "direction", 0, 31)
        self.min_speed = integer(row, row["min_speed"], "min_speed", 0, 100)
        self.max_speed = integer(row, row["max_speed"], "max_speed", 0, 100)
        self.frames = integer(row, row["frames"], "frames", 1, 166)
        self.back_to = integer(row, row["back_to"], "back_to", 0, self.frames - 1)
        self.repeat = integer(row, row["repeat"], "repeat", -1)
        if self.repeat == 0:
            row.fail("repeat 0: -1 loops, n >= 1 plays n times")
        self.handles = handles(row, row["handles"], self.frames, "handles")
        if row["size"]:
            size(row, row["size"], "size")
        flag(row, row["stated"], "stated")


class DefaultRecord:
    """Animation 0 in direction 0, one frame at speed 50, looping."""
    animation, direction, min_speed, max_speed, back_to, repeat, frames = 0, 0, 50, 50, 0, -1, 1
    handles = [UNASSIGNED]


def read_animations(path, classes):
    by_name = {c.full: c for c in classes}
    seen = set()
    for row in generated.read_table(path, ANIMATION_COLUMNS):
        owner = by_name.get(row["class"])
        if owner is None:
            row.fail(f"class {row['class']!r} is not in the class table")
        if owner.kind != "Active":
            row.fail(f"{owner.full} is a {owner.kind}: only sprites have animations")
        record = Record(row)
        key = (owner.full, record.animation, record.direction)
        if key in seen:
            row.fail(f"{owner.full} animation {record.animation} direction {record.direction} "
                     "is given twice")
        seen.add(key)
        owner.records.append(record)
    for item in classes:
        if item.kind == "Active":
            if not item.records:
                item.records = [DefaultRecord()]
            item.records.sort(key=lambda r: (r.animation, r.direction))


def nearest_slots(authored):
    """The record index of each of the 32 slots, None where the nearest
    authored directions up and down are equally far."""
    slots = []
    for d in range(32):
        if d in authored:
            slots.append(authored[d])
            continue
        up = next(s for s in range(1, 33) if (d + s) % 32 in authored)
        down = next(s for s in range(1, 33) if (d - s) % 32 in authored)
        if up < down:
            slots.append(authored[(d + up) % 32])
        elif down < up:
            slots.append(authored[(d - down) % 32])
        else:
            slots.append(None)
    return slots


# Writing --------------------------------------------------------------------------

def listing(values, per_line, indent="    "):
    lines = []
    for i in range(0, len(values), per_line):
        lines.append(indent + ", ".join(values[i:i + per_line]) + ",")
    return lines


def handle_text(value):
    return "U" if value == UNASSIGNED else str(value)


def direction_steps(item):
    """set_direction statements, in table order."""
    steps = []
    for value in item.settings.get("direction", []):
        if value == "random":
            steps.append(f"set_direction(seed_groups::{item.seed_group()}.direction(), true);")
        elif value.startswith("pick(") and value.endswith(")"):
            choices = [integer(item.row, v, "pick direction", 0, 31)
                       for v in value[5:-1].split(",")]
            listed = ", ".join(str(c) for c in choices)
            steps.append(f"set_direction(seed_groups::{item.seed_group()}.pick({{{listed}}}), true);")
        else:
            steps.append(f"set_direction({integer(item.row, value, 'direction', 0, 31)}, true);")
    return steps


def movement_setting(item, text, with_start):
    """A MovementSetting initialiser: static, vector, ball:MAX:DECEL[:now|wait]
    or pinball:MAX:DECEL:GRAVITY[:now|wait]."""
    parts = text.split(":")
    kind = parts[0]
    numbers = {"static": 0, "vector": 0, "ball": 2, "pinball": 3}
    if kind not in numbers:
        item.row.fail(f"movement {text!r}: the kinds are static, vector, ball and pinball")
    expected = 1 + numbers[kind] + (1 if with_start and kind in ("ball", "pinball") else 0)
    if len(parts) != expected:
        item.row.fail(f"movement {text!r} has {len(parts) - 1} settings, {expected - 1} expected")
    values = [integer(item.row, v, "movement setting", -100000, 100000)
              for v in parts[1:1 + numbers[kind]]]
    at_once = True
    if len(parts) > 1 + numbers[kind]:
        start = parts[-1]
        if start not in ("now", "wait"):
            item.row.fail(f"movement {text!r} ends in neither now nor wait")
        at_once = start == "now"
    values += [0] * (3 - len(values))
    enum = {"static": "static_movement"}.get(kind, kind)
    return (f"{{MovementKind::{enum}, {values[0]}, {values[1]}, {values[2]}, "
            f"{'true' if at_once else 'false'}}}")


def movement_steps(item):
    if "movement" in item.settings and "movements" in item.settings:
        item.row.fail("a class has one movement or two, not both")
    if "movement" in item.settings:
        return [f"add_movement(*this, {movement_setting(item, item.one('movement'), True)});"]
    if "movements" in item.settings:
        pair = item.one("movements").split("|")
        if len(pair) != 2 or pair[0] != "static":
            item.row.fail("movements is static|<second movement>")
        first = movement_setting(item, pair[0], False)
        second = movement_setting(item, pair[1], False)
        return [f"add_movements(*this, {first}, {second});"]
    return []


def flag_steps(item):
    steps = []
    for token in item.flags:
        if FLAGS[token] is None or (token == "+16" and item.kind in RECIPE_BACKGROUND):
            continue  # the kept step or the kind's recipe sets it
        steps.append(FLAGS[token])
    return steps


def color_text(values):
    return f"Color({', '.join(str(v) for v in values)})"


class Writer:
    """The statics and the constructor body of each class."""

    def __init__(self, classes):
        self.classes = classes
        self.by_name = {c.full: c for c in classes}

    def record_of(self, item):
        """The class whose kept array record an array class uses."""
        shared = item.settings.get("record")
        if not shared:
            return item
        owner = self.by_name.get(shared[0])
        if owner is None or owner.kind != "ArrayObject" or "record" in owner.settings:
            item.row.fail(f"record={shared[0]}: not an array class with a record of its own")
        return owner

    # Sprites
    def sprite(self, item):
        n = item.number
        records = item.records
        animations = sorted({r.animation for r in records})
        initial = integer(item.row, item.one("animation", "0"), "animation", 0, 42)
        if initial not in animations:
            item.row.fail(f"initial animation {initial} has no record in the animation table")
        active_flags = integer(item.row, item.one("active_flags", "4"), "active_flags", 0, 7)
        box = flag(item.row, item.one("box", "0"), "box")
        total = sum(r.frames for r in records)
        statics = [f"// {item.full}",
                   f"Image* images_{n}[{total}];",
                   f"const uint16_t handles_{n}[{total}] = {{"]
        statics += listing([handle_text(h) for r in records for h in r.handles], 16)
        statics += ["};", f"Direction records_{n}[{len(records)}] = {{"]
        offset = 0
        for r in records:
            statics.append(f"    {{{r.direction}, {r.min_speed}, {r.max_speed}, {r.back_to}, "
                           f"{r.repeat}, images_{n} + {offset}, {r.frames}}},")
            offset += r.frames
        statics.append("};")
        for a in animations:
            authored = {r.direction: i for i, r in enumerate(records) if r.animation == a}
            slots = [f"records_{n} + {s}" if s is not None else "nullptr"
                     for s in nearest_slots(authored)]
            statics += [f"Animation animation_{n}_{a} = {{{{"] + listing(slots, 8) + ["}};"]
        count = animations[-1] + 1
        entries = [f"&animation_{n}_{a}" if a in animations else "nullptr" for a in range(count)]
        statics += [f"Animation* animation_list_{n}[{count}] = {{"] + listing(entries, 6) + ["};"]
        statics += [f"Animations animations_{n} = {{{count}, animation_list_{n}}};",
                    f"SpriteClass sprite_{n} = {{&animations_{n}, images_{n}, handles_{n}, {total}, "
                    f"{initial}, {active_flags}, {'true' if box else 'false'}, false}};"]
        body = self.visibility(item) + flag_steps(item)
        body.append(f"set_up_sprite(*this, sprite_{n});")
        if "blend" in item.settings:
            body.append(f"blend_color = {color_text(color(item.row, item.one('blend'), 'blend'))};")
        body += direction_steps(item) + movement_steps(item)
        if "shader" in item.settings:
            body.append(f"set_shader({integer(item.row, item.one('shader'), 'shader', 0)});")
        body += self.alterable_steps(item)
        return statics, body

    def visibility(self, item):
        return ["set_visible(false);"] if item.hidden else []

    def alterable_steps(self, item):
        if item.kept:
            if item.kind != "Active":
                item.row.fail("kept=1 on this kind keeps nothing")
            steps = [f"if (keep_alterables(*this, class_records::alterables_{item.number})) {{"]
            steps += ["    " + s for s in item.alterables] + ["}"]
            return steps if item.alterables else steps[0:1] + ["}"]
        if not item.creates_alterables():
            return []
        return ["create_alterables();"] + item.alterables

    # Counters
    def counter(self, item):
        n = item.number
        display = integer(item.row, item.one("display"), "display", 0, 4)
        width, height = size(item.row, item.one("size"), "size")
        statics = []
        body = self.visibility(item)
        body += [f"width = {width};", f"height = {height};", f"display_type = {display};",
                 f"digits = {integer(item.row, item.one('digits', '0'), 'digits', 0)};"]
        body += flag_steps(item)
        if display in (1, 3):
            count = integer(item.row, item.one("images"), "images", 1, 15)
            values = handles(item.row, item.one("handles", ""), count, "handles")
            statics += [f"// {item.full}", f"Image* counter_image_table_{n}[{count}];",
                        f"const uint16_t counter_handles_{n}[{count}] = {{"]
            statics += listing([handle_text(h) for h in values], 16) + ["};"]
            statics.append(f"CounterImages counter_images_{n} = {{counter_image_table_{n}, "
                           f"counter_handles_{n}, {count}, false}};")
            body.append(f"set_counter_images(*this, counter_images_{n});")
        elif "images" in item.settings or "handles" in item.settings:
            item.row.fail(f"display type {display} shows no images")
        body += [f"minimum = {integer(item.row, item.one('min', '0'), 'min')};",
                 f"maximum = {integer(item.row, item.one('max', '0'), 'max')};"]
        initial = decimal(item.row, item.one("initial", "0"), "initial")
        if item.kept:
            body.append(f"set(kept_counter_value(class_records::counter_{n}, {initial}));")
        else:
            body.append(f"set({initial});")
        body += direction_steps(item) + movement_steps(item)
        return statics, body

    def blitter(self, item):
        n = item.number
        width, height = size(item.row, item.one("size"), "size")
        align = integer(item.row, item.one("align"), "align", 0)
        image = integer(item.row, item.one("image", str(BLITTER_IMAGE)), "image", 0, MAX_HANDLE)
        text = literal(item.row, item.one("text", '""'), "text")
        statics = [f"BlitterClass blitter_{n};  // {item.full}"]
        body = self.visibility(item) + flag_steps(item)
        body += [f"set_up_blitter(*this, blitter_{n}, {width}, {height}, {align}, {image});",
                 f"set_text({text});"] + self.alterable_steps(item)
        return statics, body

    def box(self, item):
        width, height = size(item.row, item.one("size"), "size")
        image = handles(item.row, item.one("image", ""), 1, "image")[0]
        body = self.visibility(item) + flag_steps(item)
        body.append(f"set_up_box(*this, {width}, {height}, {handle_text(image)});")
        return [], body + item.alterables

    def array(self, item):
        cells = item.one("cells")
        if cells not in ("numeric", "text"):
            item.row.fail(f"cells {cells!r} is neither numeric nor text")
        base = integer(item.row, item.one("base", "0"), "base", 0, 1)
        x, y, z = size(item.row, item.one("size"), "size", 3)
        record = self.record_of(item)
        body = self.visibility(item) + flag_steps(item)
        body.append(f"keep_data(class_records::array_{record.number}, "
                    f"{'true' if cells == 'numeric' else 'false'}, {base}, {x}, {y}, {z});")
        return [], body

    def text(self, item):
        width, height = size(item.row, item.one("size"), "size")
        body = self.visibility(item) + flag_steps(item)
        lines = item.one("lines", "")
        for line in split_outside_quotes(lines, ",") if lines else []:
            body.append(f"add_line({literal(item.row, line, 'line')});")
        body += [f"width = {width};", f"height = {height};",
                 f"blend_color = {color_text(color(item.row, item.one('color'), 'color'))};",
                 "bold = italic = 0;",
                 f"font = get_font({integer(item.row, item.one('font', '0'), 'font', 0)});",
                 f"alignment = {integer(item.row, item.one('align', '0'), 'align', 0)};"]
        return [], body + self.alterable_steps(item)

    def backdrop(self, item):
        image = integer(item.row, item.one("image"), "image", 0, MAX_HANDLE)
        shape = item.one("collision")
        if shape not in COLLISIONS:
            item.row.fail(f"collision {shape!r} is none of {', '.join(COLLISIONS)}")
        body = self.visibility(item) + flag_steps(item)
        body.append(f"set_up_backdrop(*this, {image}, BackdropShape::{COLLISIONS[shape]});")
        if "blend" in item.settings:
            body.append(f"blend_color = {color_text(color(item.row, item.one('blend'), 'blend'))};")
        return [], body

    def quick_backdrop(self, item):
        width, height = size(item.row, item.one("size"), "size")
        gradient = integer(item.row, item.one("gradient", "0"), "gradient", 0, 1)
        body = self.visibility(item) + ["flags |= BACKGROUND;"] + flag_steps(item)
        body += [f"width = {width};", f"height = {height};",
                 f"color1 = {color_text(color(item.row, item.one('color1'), 'color1'))};",
                 f"gradient_type = {gradient};"]
        if gradient or "color2" in item.settings:
            body.append(f"color2 = {color_text(color(item.row, item.one('color2'), 'color2'))};")
        body.append("border_size = 0;")
        return [], body

    def other(self, item):
        return [], self.visibility(item) + flag_steps(item) + self.alterable_steps(item)

    def build(self, item):
        build = {"Active": self.sprite, "Counter": self.counter, "TextBlitter": self.blitter,
                 "SystemBox": self.box, "ArrayObject": self.array, "Text": self.text,
                 "Backdrop": self.backdrop, "QuickBackdrop": self.quick_backdrop}
        if item.kept and item.kind not in ("Active", "Counter"):
            item.row.fail(f"kept=1 on a {item.kind} keeps nothing")
        return build.get(item.kind, self.other)(item)


def kept_records(classes):
    """(type, name, class) of every kept record."""
    records = []
    for item in classes:
        if item.kept and item.kind == "Active":
            records.append(("SavedAlterables", f"alterables_{item.number}", item))
        elif item.kept and item.kind == "Counter":
            records.append(("SavedCounterValue", f"counter_{item.number}", item))
        elif item.kind == "ArrayObject" and "record" not in item.settings:
            records.append(("SavedArrayData", f"array_{item.number}", item))
    return records


def header(classes, script, inputs):
    lines = [generated.banner(script, inputs),
             "// The generated object classes, their factories and the records of the",
             "// objects kept across frames.",
             "#pragma once",
             "",
             '#include "game/objects/class_support.h"',
             "",
             "namespace class_records {"]
    lines += [f"extern {kind} {name};  // {item.full}" for kind, name, item in kept_records(classes)]
    lines += ["}  // namespace class_records", "",
              "// Every kept record as a fresh run has it: nothing kept yet.",
              "void reset_kept_records();", ""]
    for item in classes:
        lines += [f"class {item.full} : public {item.kind} {{",
                  "public:",
                  f"    {item.full}(int x, int y);",
                  f"    ~{item.full}() override;"]
        if item.kept and item.kind == "Counter":
            lines.append("    void dealloc() override;")
        lines += ["};", f"{item.kind}* {item.factory}(int x, int y);", ""]
    return "\n".join(lines)


def source(part, classes, writer, script, inputs):
    members = [c for c in classes if group_index(c.number) == part]
    first = 0 if part == 0 else part * 100 + 4
    last = MAX_NUMBER if part == SOURCE_FILES - 1 else part * 100 + 103
    lines = [generated.banner(script, inputs),
             f"// The classes {first} to {last} (seed group objects{part + 1}).",
             '#include "game/objects/classes.h"',
             "",
             '#include "base/pools.h"',
             '#include "game/objects/random_groups.h"',
             '#include "graphics/font.h"',
             "",
             "#include <cstdint>",
             "#include <new>",
             "",
             "namespace class_records {"]
    lines += [f"{kind} {name};" for kind, name, item in kept_records(members)]
    lines += ["}  // namespace class_records", "", "namespace {", "",
              "[[maybe_unused]] constexpr uint16_t U = unassigned_handle;", ""]
    bodies = []
    for item in members:
        statics, body = writer.build(item)
        if statics:
            lines += statics + [""]
        bodies.append((item, body))
    lines += ["}  // namespace", ""]
    for item, body in bodies:
        lines += [f"{item.full}::{item.full}(int x, int y) : {item.kind}(x, y, {item.type_id})", "{"]
        lines += ["    " + step for step in body] + ["}", ""]
        if item.kept and item.kind == "Counter":
            saved = f"class_records::counter_{item.number}"
            lines += [f"{item.full}::~{item.full}()", "{",
                      f"    save_counter_value(*this, {saved});", "}", "",
                      f"void {item.full}::dealloc()", "{",
                      f"    save_counter_value(*this, {saved});", f"    {item.kind}::dealloc();",
                      "}", ""]
        else:
            lines += [f"{item.full}::~{item.full}() = default;", ""]
        lines += [f"{item.kind}* {item.factory}(int x, int y)", "{",
                  f"    return new (object_pool<{item.kind}>.create()) {item.full}(x, y);", "}", ""]
    return "\n".join(lines)


def class_list(classes, script, inputs):
    lines = [generated.banner(script, inputs),
             '#include "game/objects/class_lookup.h"',
             '#include "game/objects/classes.h"',
             "",
             "extern const ClassInfo class_infos[];",
             "extern const int class_info_count;",
             "extern const unsigned short classes_by_name[];",
             "",
             "const ClassInfo class_infos[] = {"]
    for item in classes:
        lines.append(f'    {{"{item.full}", {item.number}, {item.type_id}, ObjectKind::{item.kind}, '
                     f"[](int x, int y) -> FrameObject* {{ return {item.factory}(x, y); }}}},")
    lines += ["};", f"const int class_info_count = {len(classes)};", ""]
    lines += ["void reset_kept_records()", "{"]
    lines += [f"    class_records::{name} = {kind}{{}};" for kind, name, _ in kept_records(classes)]
    lines += ["}", ""]
    order = sorted(range(len(classes)), key=lambda i: classes[i].full.encode("ascii"))
    lines += ["const unsigned short classes_by_name[] = {"]
    lines += listing([str(i) for i in order], 16) + ["};", ""]
    return "\n".join(lines)


def type_ids(classes, script, inputs):
    """One constant per class, its type id by the class's name, so that events
    name the types they touch instead of typing numbers."""
    lines = [generated.banner(script, inputs),
             "// The object type id of every generated class, by the class's name:",
             "// instances[types::Player_87] is the player's object list.",
             "#pragma once",
             "",
             "namespace types {"]
    lines += [f"inline constexpr int {item.full} = {item.type_id};" for item in classes]
    lines += ["}  // namespace types", ""]
    return "\n".join(lines)


def objects(inputs, outputs, args):
    class_table, animation_table = inputs
    classes = read_classes(class_table)
    read_animations(animation_table, classes)
    writer = Writer(classes)
    texts = [header(classes, __file__, inputs)]
    texts += [source(part, classes, writer, __file__, inputs) for part in range(SOURCE_FILES)]
    texts.append(class_list(classes, __file__, inputs))
    texts.append(type_ids(classes, __file__, inputs))
    return texts


if __name__ == "__main__":
    generated.run(objects, "The generated object classes, their factories and lookups.")
