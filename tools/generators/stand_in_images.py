#!/usr/bin/env python3
"""Writes the list of stand-in pictures from game/objects/classes.tsv and
game/objects/animations.tsv (docs/stand-in-content.md, "Pictures"):

  stand_in_images.cpp   one entry per image handle that a class uses, in
                        ascending handle order: its intended size, the
                        family its colour comes from, the shape drawn, where
                        its hot spot goes and a short label

The pictures themselves are drawn by tools/assetwriter/stand_in_pictures.cpp.
The last input is the class-table generator, whose readers this script uses.
"""
import re

import generated
import objects

# Families, in the order of the enum in stand_in_pictures.h.
FAMILIES = ["terrain", "items", "enemies", "player", "hud", "effects", "menus", "system"]
# Shapes, in the order of the enum in stand_in_pictures.h.
SHAPES = ["box", "ellipse", "diamond", "solid", "slope_up", "slope_down", "curve_left",
          "curve_right", "ceiling", "ceiling_curve_left", "ceiling_curve_right", "grass",
          "halfpipe", "ladder", "scenery", "backdrop", "tile", "digit", "meter", "sheet", "menu"]
DIGIT_CHARACTERS = "0123456789-+.e"

# The family of a class, by the first rule whose word is in its name (so
# MonitorFireShield is an item and PlayerSensorLeft a system helper).
FAMILY_WORDS = [
    ("system", ["Sensor", "Input", "Master", "CameraLimit", "CameraTrigger", "Limiter", "Marker",
                "LayerChange", "Values", "Handler", "Hitbox", "Mask", "StartingPoint", "Separator",
                "Controller", "GimmickActions", "HangingIdle", "LINK", "PlayerReflect",
                "PlayerDig", "FunctionMusic"]),
    ("items", ["Monitor"]),
    ("effects", ["Effect"]),
    ("hud", ["GUI", "Speed", "AddTimeBonus", "TimeBonusTotal", "TotalCrystals", "ObjectCodecID"]),
    ("player", ["PlayerSkin", "Player", "Shield", "FallenCharacter", "Character"]),
    ("enemies", ["Enemy", "Boss", "Miniboss", "NPC", "Hazard"]),
    ("effects", ["Sparkle", "Shockwave", "Beam", "Fade", "Splash", "Bubble", "Ember",
                 "Shade", "Thunder", "Obj1up", "Obj200pts", "Obj500pts", "ScrollDot", "BgStar",
                 "RingLoss", "FloorLight"]),
    ("items", ["Object", "Spring", "Sign", "Crystal", "Gimmick", "Switch", "Breakable",
               "Pushable", "SpinningLog", "Platform", "Geyser", "Jumppad", "Bike", "Corkscrew"]),
    ("menus", ["Logo", "Press", "Card", "Title", "Record", "Menu", "Continue", "Results",
               "Border", "Intro", "Help", "Controls", "Moon", "Stars", "Checker", "Cursor",
               "VireviLunmere", "BG2", "Countdown"]),
    ("terrain", ["Vostrel", "Level", "Front", "SpiralTunnel", "Water", "Rock"]),
]

# The shape of a terrain backdrop, by the first word in its name.
TERRAIN_SHAPES = [
    ("CeilingCurveLeft", "ceiling_curve_left"), ("CeilingCurveRight", "ceiling_curve_right"),
    ("CurveSmallLeft", "curve_left"), ("CurveSmallRight", "curve_right"),
    ("CurveLeft", "curve_left"), ("CurveRight", "curve_right"),
    ("Ceiling", "ceiling"), ("Halfpipe", "halfpipe"), ("Ladder", "ladder"), ("Grass", "grass"),
    ("Slope", "slope"), ("Wall", "solid"), ("Edge", "solid"), ("Base", "solid"),
]


# Sprites whose events place other objects against them: a log bridge's
# span starts at its x, and its logs, made 56 pixels below its y, hang in its
# box with a player standing on them.
#
# The snake boss's geyser zones hang from their top edge's middle: a leap
# ends at the target zone's x, at the height of the zone it left, and dives
# only where the head then overlaps the target; the zones stand at two
# heights (856 and 888), so each must reach down over the lower one.
#
# The pause panel's action point is item 0's row: the events put the cursor
# on item k at the action point's y + 24 k and at its x, and the acts'
# layouts start the cursor 53 left of and 40 below the panel. With the hot
# spot 8 above the top edge's middle the three rows (32, 56, 80) lie evenly
# in the 96-pixel picture under its caption, the cursor left of the names.
HOT_SPOTS = {"GimmickBridge12Logs_139": (0, -44), "BossGeyserOverlap1_381": (24, 0), "BossGeyserOverlap2_382": (24, 0),
             "GUIPause_109": (64, -8)}
ACTION_POINTS = {"GUIPause_109": (11, 32)}

# Menu panels, by animation frame: the items' names, and which of them
# cannot be chosen (drawn dimmed): the pause panel's second picture is the
# one shown with a single life left, when restart is skipped.
MENUS = {"GUIPause_109": {3: (["Continue", "Restart", "Quit"], []),
                          4: (["Continue", "Restart", "Quit"], [1])}}

# The frames' own pictures with plain names (Backdrop4, Active2) are menus.
PLAIN = re.compile(r"(Active|Backdrop)[0-9]*\Z")


def family(item):
    if item.kind == "Counter":
        return "hud"
    if PLAIN.match(item.name):
        return "menus"
    for name, words in FAMILY_WORDS:
        if any(word in item.name for word in words):
            return name
    return "terrain" if item.kind in ("Backdrop", "SystemBox") else "effects"


def abbreviation(name):
    """Capitals and the trailing number: VostrelRockSlope4 -> VRS4."""
    number = re.search(r"[0-9]+\Z", name)
    letters = "".join(c for c in name if c.isupper())[:4] or name[:3]
    return letters + (number.group(0) if number else "")


def backdrop_shape(item, fam):
    collision = item.one("collision", "none") if item.kind == "Backdrop" else "none"
    if item.kind == "SystemBox":
        return "tile"
    if fam != "terrain":
        return "backdrop"
    for word, shape in TERRAIN_SHAPES:
        if word in item.name:
            if shape == "slope":
                # Odd class numbers rise to the right, even ones fall, so the
                # two VostrelRockSlope4 (223, 224) are a pair the layouts use.
                return "slope_up" if item.number % 2 else "slope_down"
            return shape
    return "solid" if collision in ("box", "mask") else "scenery"


def sprite_shape(fam):
    return {"items": "ellipse", "effects": "ellipse", "enemies": "diamond"}.get(fam, "box")


class Picture:
    def __init__(self, handle, size, fam, shape, top_left, label, value=0, count=0, hot=None, action=None):
        self.handle, self.size, self.family, self.shape = handle, size, fam, shape
        self.label, self.value, self.count = label, value, count
        self.hot = hot or ((0, 0) if top_left else (size[0] // 2, size[1] // 2))
        self.action = action or self.hot


def sprite_picture(item, record, frame, handle, size, fam):
    """A sprite frame: its family's shape, or a menu panel with its items'
    names (the first label line, then one line per item; `value` holds a bit
    per item that cannot be chosen)."""
    short = abbreviation(item.name)
    # Stretched strips are placed by their corner.
    top_left = size[0] == 1 or size[1] == 1
    place = dict(hot=HOT_SPOTS.get(item.full), action=ACTION_POINTS.get(item.full))
    menu = MENUS.get(item.full, {}).get(frame) if record.animation == 0 else None
    if menu:
        names, dimmed = menu
        label = "\n".join([f"{short} {record.animation}.{frame}"] + names)
        return Picture(handle, size, fam, "menu", top_left, label, sum(1 << i for i in dimmed), **place)
    return Picture(handle, size, fam, sprite_shape(fam), top_left, f"{short}\n{record.animation}.{frame}",
                   **place)


def pictures(classes):
    """The first class that uses a handle decides its picture, backdrops and
    boxes before the others, each in class order; every user records the
    same size (assign_handles checks it)."""
    found = {}
    # Backdrops and boxes first: a picture that one of them shows keeps its
    # hot spot at the corner, where they place it.
    order = sorted(classes, key=lambda c: c.kind not in ("Backdrop", "SystemBox"))
    for item in order:
        fam = family(item)
        short = abbreviation(item.name)
        if item.kind == "Active":
            for record in item.records:
                if not hasattr(record, "row"):
                    continue
                size = objects.size(record.row, record.row["size"], "size")
                for frame, handle in enumerate(record.handles):
                    if handle != objects.UNASSIGNED and handle not in found:
                        found[handle] = sprite_picture(item, record, frame, handle, size, fam)
        elif item.kind in ("Backdrop", "SystemBox") and "image" in item.settings:
            handle = int(item.one("image"))
            if handle not in found:
                size = objects.size(item.row, item.one("image_size"), "image_size")
                found[handle] = Picture(handle, size, fam, backdrop_shape(item, fam), True, short)
        elif item.kind == "Counter" and "handles" in item.settings:
            count = int(item.one("images"))
            handles = objects.handles(item.row, item.one("handles"), count, "handles")
            size = objects.size(item.row, item.one("image_size"), "image_size")
            digits = int(item.one("display")) == 1
            for index, handle in enumerate(handles):
                if handle in found:
                    continue
                if digits:
                    found[handle] = Picture(handle, size, fam, "digit", True,
                                            DIGIT_CHARACTERS[index % len(DIGIT_CHARACTERS)])
                else:
                    found[handle] = Picture(handle, size, fam, "meter", True, str(index),
                                            index, count)
        elif item.kind == "TextBlitter":
            handle = int(item.one("image", str(objects.BLITTER_IMAGE)))
            if handle not in found:
                # 95 cells of 8 x 20, 32 to a row of the 256-wide grid.
                found[handle] = Picture(handle, (256, 60), "hud", "sheet", True, "")
    return [found[h] for h in sorted(found)]


def source(items, script, inputs):
    lines = [generated.banner(script, inputs),
             '#include "tools/assetwriter/stand_in_pictures.h"',
             "",
             f"const int stand_in_image_count = {len(items)};",
             f"const StandInImage stand_in_images[{len(items)}] = {{"]
    for p in items:
        label = generated.cpp_string(p.label.encode("utf-8"))
        lines.append(f"    {{{p.handle}, {p.size[0]}, {p.size[1]}, "
                     f"StandInFamily({FAMILIES.index(p.family)}), "
                     f"StandInShape({SHAPES.index(p.shape)}), {p.hot[0]}, {p.hot[1]}, "
                     f"{p.value}, {p.count}, {label}, {p.action[0]}, {p.action[1]}}},")
    lines.append("};")
    return "\n".join(lines) + "\n"


def stand_in_images(inputs, outputs, args):
    class_table, animation_table = inputs[0], inputs[1]
    classes = objects.read_classes(class_table)
    objects.read_animations(animation_table, classes)
    return [source(pictures(classes), __file__, inputs)]


if __name__ == "__main__":
    generated.run(stand_in_images, "The stand-in content's list of pictures.")
