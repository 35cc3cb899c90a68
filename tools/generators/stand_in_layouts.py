#!/usr/bin/env python3
"""Writes the stand-in level layouts tools/content/act1.layout and act2.layout
(docs/level-layout.md). Not run by the build: run it by hand and check the
layouts in.

    python3 tools/generators/stand_in_layouts.py [--check]

Each layout holds every row of tools/content/actN_fixed.tsv at its place and
a playfield (layer 2) of our own with exactly the class counts of
tools/content/actN_counts.tsv: a ground line of 128-pixel columns from the
start to the end of the act, items, springs, item boxes and enemies along it,
and what the course has no use for parked below it. Deterministic: the same
tables give the same bytes. --check writes nothing and fails when a layout
would change.
"""
import argparse
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
CONTENT = ROOT / "tools/content"
CLASSES = ROOT / "game/objects/classes.tsv"
ANIMATIONS = ROOT / "game/objects/animations.tsv"

TILE = 128
FLOOR = "LevelBackdrop02_142"      # the walkable surface: a solid square
FILL = ["VostrelWall1_220", "VostrelWall4_237", "VostrelWall6_238", "VostrelWall6_366"]
FILL_DEPTH = 4                     # fill tiles under each column's surface piece
RISE = "VostrelRockSlope4_223"     # rises to the right: 128 up over 128 across
FALL = "VostrelRockSlope4_224"     # falls to the right


def table(path):
    """Rows of a tab-separated table with a header row; # lines skipped."""
    lines = [l for l in path.read_text().splitlines() if l and not l.startswith("#")]
    head = lines[0].split("\t")
    return [dict(zip(head, l.split("\t"))) for l in lines[1:]]


def class_info():
    """Name_N -> (kind, collision, width, height) from the class table."""
    info = {}
    for row in table(CLASSES):
        settings = dict(p.split("=", 1) for p in row["settings"].split(";") if "=" in p)
        size = settings.get("image_size") or settings.get("size") or ""
        info[f"{row['name']}_{row['number']}"] = [row["kind"], settings.get("collision", ""), size]
    for row in table(ANIMATIONS):
        entry = info.get(row["class"])
        if entry and not entry[2]:
            entry[2] = row["size"]
    result = {}
    for name, (kind, collision, size) in info.items():
        parts = size.split("x")
        w, h = (int(parts[0]), int(parts[1])) if len(parts) == 2 else (32, 32)
        result[name] = (kind, collision, w, h)
    return result


# What lies below the level: the player dies past the frame's height + 32
# (the death line), and the runtime destroys an object whose top is past the
# frame's height + 300 (the kill line).
DEATH_MARGIN = 32
KILL_MARGIN = 300


class Act:
    def __init__(self, number, waypoints, end_x, park_y, arena, extras, pits=(), height=None, pieces=None,
                 keep_clear=None):
        self.number = number
        self.waypoints = waypoints  # (x, ground top, what the stretch is[, "step": no slopes])
        self.end_x = end_x
        self.park_y = park_y        # below the fill: where what the course has no use for stands
        self.height = height        # the frame's height, where a pit lets the player fall out
        self.arena = arena          # (x0, x1): no stand-in enemies or springs there
        self.extras = extras        # class -> [(x, y)] of our own, before the spread
        self.pits = pits            # (x0, x1): columns left open, under a bridge
        self.pieces = pieces        # columns -> [(label, class, x, y)]: set pieces laid on the ground
        self.keep_clear = keep_clear  # [(x0, x1)]: the spread skips these stretches (None: the arena only)


# Act 1: the start plateau at the player's start, down past a half-pipe into
# the valley and its half corkscrews, the spiral tunnel, the boss, the bridge,
# the high ground by the keystone box, the miniboss arena and, up a spring,
# the sign's ledge. Ladders lead up to ledges beside the course, breakable
# rock walls stand in its way.
HALFPIPE = 2432                    # the bowl's left lip
HALFPIPE_TOP = 704                 # the ground it is sunk into
BRIDGE_BANKS = 664                 # the top of the bridge's logs (made at its y + 56, 16 high)
CORKSCREWS = [3968, 4800, 6400, 7232]  # each ride's start on the 960 valley floor
CORKSCREW_RIDE = 560               # ramp, top, ramp: where the ride comes down again
LADDERS = [(1664, 448), (2944, 704), (5504, 960), (7808, 960), (8576, 704), (10240, 576)]  # (left edge, ground)
LADDER_RUNGS = 2                   # pieces of 128 from the ledge down to the ground
# Two rows of grips under handlebars, where a jump's top reaches them: the
# player catches one on the way down and hangs from it until it jumps off.
GRIP_ROWS = [(1088, 448), (12320, 192)]  # (first grip, ground top)
GRIP_REACH = 116                   # the grip's centre above the ground
GRIPS = [(x + 96 * i, ground - GRIP_REACH) for x, ground in GRIP_ROWS for i in range(5)]
ROCK_WALLS = [(3328, 704, 2), (5888, 832, 2), (9984, 576, 2), (11776, 152, 2), (12800, 192, 2), (12928, 192, 1)]


def ladder_pieces():
    """Each ladder runs from the ground up through a gap in a ledge of two
    slabs; its top marker fills the gap, so a climber stands on it."""
    rails, tops, slabs, crystals = [], [], [], []
    for x, ground_top in LADDERS:
        ledge = ground_top - 128 * LADDER_RUNGS
        rails += [(x, ledge + 128 * i) for i in range(LADDER_RUNGS)]
        tops.append((x + 16, ledge + 8))
        slabs += [(x - 128, ledge), (x + 32, ledge)]
        crystals += [(x + 64 + 24 * i, ledge - 40) for i in range(3)]
    return rails, tops, slabs, crystals


LADDER_RAILS, LADDER_TOPS, LADDER_SLABS, LEDGE_CRYSTALS = ladder_pieces()
# The pit spans the whole bridge, so every log but the end ones may sag; the
# right bank starts under the last log with two narrow pieces, two deep,
# before the columns go on.
BRIDGE_END = 10896 + 192
BRIDGE_RIGHT_BANK = [(BRIDGE_END + 32 * i, BRIDGE_BANKS + 64 * j) for i in range(2) for j in range(2)]
MINIBOSS_ARENA = (14080, 14848)


def act1_pieces(columns):
    """The set pieces' terrain: the half-pipe's curves over their fill, the
    bridge's right bank, the ladders' rails and ledges, the handlebars (the
    ground's columns are not needed: the places are fixed)."""
    top = HALFPIPE_TOP
    bowl = [("the half-pipe", "VostrelFloorCurveLeft_162", HALFPIPE, top),
            ("the half-pipe", "VostrelFloorCurveRight_249", HALFPIPE + 128, top)]
    bowl += [("the half-pipe", "VostrelWall2_286", HALFPIPE + 128 * i, top + 128 * (j + 1))
             for i in range(2) for j in range(4)]
    bank = [("the bridge's right bank", "VostrelWallEdge1_251", x, y) for x, y in BRIDGE_RIGHT_BANK]
    ladders = [("the ladders", "VostrelLadder_267", x, y) for x, y in LADDER_RAILS]
    ladders += [("the ladders", "VostrelCeilingOverlay_269", x, y) for x, y in LADDER_SLABS]
    bars = [("the grips", "VostrelHandlebar_354", x - 32, y - 8) for x, y in GRIPS]
    return bowl + bank + ladders + bars


ACT1 = Act(1, [
    (-256, 448, "the start plateau (player start 53, 429)"),
    (2048, 704, "down the first slopes to the half-pipe, past the lower moving platform"),
    (3584, 960, "the valley floor and its half corkscrews"),
    (5632, 832, "a low rise under the moving platform at 5080, 656"),
    (6016, 960, "the valley floor by the invincibility box (6224, 856) and the 1-up (7952, 912)"),
    (8064, 704, "up to the spiral tunnel (8083-8224)"),
    (8704, 832, "the boss ground (head at 9004, 800)"),
    (9728, 576, "up to the bridge"),
    (10624, BRIDGE_BANKS, "the bridge's banks, level with its logs (bridge 10896, 616)", "step"),
    (11136, 152, "up from the bridge"),
    (11904, 192, "down a little to the high ground by the keystone box (12544, 176)", "step"),
    (13056, 960, "down to the miniboss arena (14375-14537)"),
    (14848, 128, "the sign's ledge, reached by the spring at the arena's end (sign 14992, 85)", "step"),
], end_x=15232, park_y=2176, arena=MINIBOSS_ARENA, extras={
    "BossVashkelBody_274": [(9004 + 20 * (i + 1), 800) for i in range(7)],
    # The opening scene's boss rises among a row of foreground rocks.
    "FrontRock1_276": [(9004 - 160 + 64 * i, 800) for i in range(6)],
    "YellowSpringUp_195": [(14784, 944)],
    "MinibossBarrier_308": [(14080, 896), (14080, 832), (14784, 896), (14784, 832), (14784, 768)],
    "MinibossRailing_292": [(14208 + 128 * i, 944) for i in range(5)],
    # The switches stand at the half-pipe's lips and before and after the bridge.
    "LayerChangeSwitch_114": [(HALFPIPE - 16, 672), (HALFPIPE + 272, 672),
                              (10816, BRIDGE_BANKS - 32), (11712, 120)],
    "HalfCorkscrewLeft_245": [(x, 952) for x in CORKSCREWS],
    "HalfCorkscrewRight_246": [(x + CORKSCREW_RIDE, 952) for x in CORKSCREWS],
    "LadderTop_268": LADDER_TOPS,
    "GimmickHangingIdleSensor_153": GRIPS,
    "ObjectCrystal_239": LEDGE_CRYSTALS,
    "BreakableRock_282": [(x, top - 16 - 32 * i) for x, top, n in ROCK_WALLS for i in range(n)],
}, pits=[(10880, BRIDGE_END + 48), (HALFPIPE, HALFPIPE + 256)], height=1864, pieces=act1_pieces,
    keep_clear=[(HALFPIPE - 64, HALFPIPE + 320)] + [(x - 32, x + 64) for x, _, _ in ROCK_WALLS]
    + [(x - 64, x + 448) for x, _ in GRIP_ROWS] + [MINIBOSS_ARENA])

# Act 2: the start at 21, 989, the switch plate and door, the low run with
# its geysers, up to the half corkscrews, the checkpoint and the boss arena
# (8240-9039, held shut by the tall rock until the snake breaks it), over the
# spiral tunnel and down into the water to the act's right edge.
ACT2_WATER_LINE = 2700                       # the start events' water line
ACT2_GEYSERS = [2048, 2304, 2560, 4032, 4224, 4416, 4608, 5760, 5952]
ACT2_LOOPS = [(1792, "the first loop"), (2048, "the first loop"), (6784, "the second loop"), (7040, "the second loop")]
ACT2_PADS = [704, 800, 896, 992, 5312, 5408, 5504, 5600]   # two chains of four
ACT2_LOGS = [12352, 12512, 12672]
ACT2_ARENA_SPRING = 8520                     # before the boss camera triggers (8568, 728 and 536)


def act2_pieces(columns):
    """Act 2's set pieces on the ground: (label, class, x, y)."""
    pieces = []
    bases = ["GeyserBase_374"] * 4 + ["GeyserBase2_379"] * 10
    for i, x in enumerate(ACT2_GEYSERS):
        top = top_at(columns, x)
        label = "geysers: the plates rise out of the ground and fall back into it"
        # The plate swings 240 pixels either way of where it stands: it
        # stands on the ground, so it erupts above it and sinks below it.
        pieces.append((label, "LevelGeyserPlate_375", x, top - 8))
        pieces.append((label, bases.pop(0), x - 32, top))
        if i < 5:
            pieces.append((label, bases.pop(0), x - 32, top + 32))
        if i < 2:
            pieces.append((label, "VostrelGeyserBack_373", x - 32, top - 128))
    # The loops' path pieces, laid into the ground under the loops' strips:
    # solid either way, so the path the player is on changes nothing here.
    # One strip stays parked outside the playfield, for the start events to
    # remove as they remove every such strip.
    loop_pieces = (["LevelLayer0Loop04_357"] * 2 + ["LevelLayer1Loop03_358"] * 2 + ["LevelLayer016_359"] * 4 +
                   ["LevelLayer115_360"] * 5)
    for depth in range(4):
        for x, label in ACT2_LOOPS:
            if loop_pieces and (depth < 3 or x > 6000):
                pieces.append((f"{label}: its path pieces", loop_pieces.pop(0), x + 128, top_at(columns, x) + 64 + 128 * depth))
    changers = ([("LayerChangeSwitch_114", 1680), ("LayerChangeTo1_116", 1712), ("LayerChangeTo0_115", 2208),
                 ("LayerChangeSwitch_114", 2240), ("LayerChangeSwitch_114", 6672), ("LayerChangeTo1_116", 6704),
                 ("LayerChangeTo0_115", 7312), ("LayerChangeSwitch_114", 7344)] +
                [("LayerChangeSwitch_114", 5216), ("LayerChangeTo1_116", 5248), ("LayerChangeTo0_115", 6048),
                 ("LayerChangeSwitch_114", 6080), ("LayerChangeTo1_116", 3808), ("LayerChangeTo0_115", 4896)])
    for name, x in changers:
        pieces.append(("the loops' path switches", name, x, top_at(columns, x) - 32))
    for i, x in enumerate(ACT2_PADS):
        pieces.append(("jump pads, two chains of four", "ObjectJumppad_325", x, top_at(columns, x) - 8))
    for x in ACT2_LOGS:
        pieces.append(("spinning logs on the water", "SpinningLog_391", x, ACT2_WATER_LINE))
        pieces.append(("spinning logs on the water", "SpinningLogMask_392", x, ACT2_WATER_LINE))
    # Set into the floor, so a player running over it is thrown up through
    # the trigger at 728, out of a jump's reach.
    pieces.append(("the boss arena: a spring up to the camera triggers", "YellowSpringUp_195", ACT2_ARENA_SPRING,
                   top_at(columns, ACT2_ARENA_SPRING) + 8))
    # Springs that throw to the left stand behind the start, out of a
    # right-running player's way.
    for i, name in enumerate(["YellowSpringLeft_197"] * 3 + ["YellowSpringUpLeft_193"] * 2 + ["RedSpringUpLeft_200"]):
        pieces.append(("behind the start: the springs that throw to the left", name, -224 + 32 * i, 1016))
    return pieces


ACT2 = Act(2, [
    (-256, 1024, "the start plateau (player start 21, 989)"),
    (1536, 1152, "down to the first loop and the switch plate (2888, 1160) under the door (3000, 1016)"),
    (3328, 1536, "down towards the low run"),
    (3712, 1648, "the low run by the Thornak (3968, 1585) with the geysers", "step"),
    (4864, 1264, "up to the ZemmetJr (5903, 1268)"),
    # The half corkscrews' entry reads the foot sensor against the
    # corkscrew's box (863-895): the ground there stands at 880.
    (6016, 880, "up to the second loop and the half corkscrews (7192 and 7976, 879)"),
    (8064, 880, "the checkpoint (8050-8150) and the boss arena (8240-9039), the sign (8360, 821)"),
    (9088, 896, "the arena's exit past the tall rock (9024, 832), over the spiral tunnel (9907-10048)", "step"),
    (10176, 2944, "down into the water (line at 2700) to the act's right edge"),
], end_x=12928, park_y=3712, arena=(8192, 9088), extras={}, pieces=act2_pieces,
    keep_clear=[(1600, 2300), (2700, 3100), (6300, 8000), (8000, 9216), (9600, 10200)])


def ground(act):
    """Columns (x, top, kind, label): kind flat, rise or fall."""
    columns = []
    top = act.waypoints[0][1]
    x = act.waypoints[0][0]
    while x < act.end_x:
        w = next(w for w in reversed(act.waypoints) if w[0] <= x)
        target, label = w[1], w[2]
        if "step" in w or abs(target - top) < TILE:
            top = target
            columns.append((x, top, "flat", label))
        elif target < top:
            top -= TILE
            columns.append((x, top, "rise", label))
        elif target > top:
            columns.append((x, top, "fall", label))
            top += TILE
        else:
            columns.append((x, top, "flat", label))
        x += TILE
    return columns


def top_at(columns, x):
    """The ground's height at x, along the slopes' diagonals."""
    for cx, top, kind, _ in columns:
        if cx <= x < cx + TILE:
            if kind == "rise":
                return top + TILE - (x - cx)
            if kind == "fall":
                return top + (x - cx)
            return top
    return columns[-1][1]


def layer2(act, info, counts, fixed):
    """The stand-in rows of layer 2: ([(label, class, x, y)] background,
    [(label, class, x, y)] objects), class counts exact."""
    left = {}
    for row in counts:
        left[row["class"]] = int(row["count"])
    for row in fixed:
        if row["layer"] == "2":
            left[row["class"]] -= 1
    assert all(n >= 0 for n in left.values()), "a fixed row beyond its class count"

    def take(name, n=1):
        n = min(n, left.get(name, 0))
        left[name] = left.get(name, 0) - n
        return n

    columns = ground(act)
    background = []
    fills = [f for f in FILL if f in left]
    for x, top, kind, label in columns:
        if any(p0 <= x < p1 for p0, p1 in act.pits):
            continue
        if kind == "rise" and take(RISE):
            background.append((label, RISE, x, top))
            surface = top + TILE
        elif kind == "fall" and take(FALL):
            background.append((label, FALL, x, top))
            surface = top + TILE
        else:
            surface = top + TILE
            if take(FLOOR):
                background.append((label, FLOOR, x, top))
        for depth in range(FILL_DEPTH):
            for f in fills:
                if take(f):
                    background.append((label, f, x, surface + TILE * depth))
                    break
    pieces = act.pieces(columns) if act.pieces else []
    for label, name, x, y in pieces:
        if info[name][0] in ("Backdrop", "SystemBox") and take(name):
            background.append((label, name, x, y))
    # Scenery without collision stands on the ground along the course.
    scenery = sorted(c for c in left if left[c] > 0 and info[c][0] == "Backdrop" and info[c][1] == "none")
    course_cols = [c for c in columns if c[2] == "flat" and not any(p0 <= c[0] < p1 for p0, p1 in act.pits)]
    i = 0
    for name in scenery:
        for _ in range(take(name, left[name])):
            x, top, _, label = course_cols[(i * 7) % len(course_cols)]
            background.append((label, name, x + (i * 37) % 96, top - info[name][3]))
            i += 1
    background.sort(key=lambda r: (r[2], r[3], r[1]))
    # What is left of the terrain is parked below the course in rows.
    park = "parked below the course: terrain the course does not use"
    x, y = 0, act.park_y
    for name in sorted(c for c in left if left[c] > 0 and info[c][0] in ("Backdrop", "SystemBox")):
        for _ in range(take(name, left[name])):
            background.append((park, name, x, y))
            x += TILE
            if x >= act.end_x:
                x, y = 0, y + TILE

    objects = []
    for name, spots in act.extras.items():
        for sx, sy in spots[:take(name, len(spots))]:
            objects.append(("set pieces", name, sx, sy))
    for label, name, x, y in pieces:
        if info[name][0] not in ("Backdrop", "SystemBox") and take(name):
            objects.append((label, name, x, y))
    # Spread items, springs, item boxes, hazards and enemies along the course.
    lo, hi = act.waypoints[0][0] + 6 * TILE, act.end_x - TILE

    def spread(names, step, height, skip_arena):
        group = [(n, left[n]) for n in sorted(names) if left.get(n, 0) > 0]
        total = sum(n for _, n in group)
        if not total:
            return
        span = (hi - lo) // total
        k = 0
        for name, n in group:
            for _ in range(take(name, n)):
                x = lo + k * span + step
                k += 1
                if skip_arena and act.keep_clear is not None:
                    x = clear_of(act.keep_clear, x)
                elif skip_arena and act.arena[0] <= x < act.arena[1]:
                    x = act.arena[0] - TILE
                label = next(c[3] for c in reversed(columns) if c[0] <= x)
                objects.append((label, name, x, top_at(columns, x) - height))

    names = list(left)
    spread([n for n in names if n.startswith(("ObjectCrystal", "ObjectPetal", "ObjectCodec", "ObjectFuel"))], 0, 40, False)
    spread([n for n in names if n.startswith("Monitor")], 48, 16, True)
    spread([n for n in names if "Spring" in n or n.startswith("ObjectJumppad")], 80, 16, True)
    spread([n for n in names if n.startswith("HazardSpikesUp")], 24, 16, True)
    spread([n for n in names if n.startswith("Enemy") and not n.startswith("EnemyLimiter")], 64, 32, True)
    spread([n for n in names if n.startswith(("LevelValleyPlatform", "GimmickBridge"))], 96, 112, True)
    objects.sort(key=lambda r: (r[0] == "set pieces", r[2], r[3], r[1]))
    park = "parked below the course: gimmicks the course does not use"
    x, y = 0, act.park_y - TILE
    for name in sorted(c for c in left if left[c] > 0):
        for _ in range(take(name, left[name])):
            objects.append((park, name, x, y))
            x += 64
            if x >= act.end_x:
                x, y = 0, y + 64
    assert not any(left.values())
    assert not misplaced_parked_rows(act, info, background + objects), f"act {act.number}: parked in reach"
    return background, objects


def clear_of(stretches, x):
    """x, or the first place after the stretch it falls in."""
    for x0, x1 in stretches:
        if x0 <= x < x1:
            return clear_of(stretches, x1)
    return x


def misplaced_parked_rows(act, info, rows):
    """Parked rows a player falling into a pit could meet before the death
    line, or that the runtime would destroy past the kill line."""
    if not act.pits:
        return []
    death, kill = act.height + DEATH_MARGIN, act.height + KILL_MARGIN
    bad = []
    for label, name, x, y in rows:
        if not label.startswith("parked"):
            continue
        _, _, _, h = info[name]
        # Either hot spot (top-left or centre): the box lies within y - h ... y + h.
        if y - h < death or (info[name][0] not in ("Backdrop", "SystemBox") and y - h > kill):
            bad.append((name, x, y))
    return bad


def render(act):
    info = class_info()
    fixed = table(CONTENT / f"act{act.number}_fixed.tsv")
    counts = table(CONTENT / f"act{act.number}_counts.tsv")
    background, objects = layer2(act, info, counts, fixed)
    # Rows per (layer, add), fixed ones first at their creation order.
    runs = {}
    for row in fixed:
        runs.setdefault((int(row["layer"]), row["add"]), []).append(row)
    stand_in = {(2, "background"): background, (2, "object"): objects}
    out = [f"# Act {act.number}: the stand-in layout, written by tools/generators/stand_in_layouts.py.",
           "# class x y add layer; creation order; layer by layer, background objects first.", ""]
    order = 0
    for layer in range(8):
        for add in ("background", "object"):
            rows = runs.get((layer, add), [])
            extra = stand_in.get((layer, add), [])
            if not rows and not extra:
                continue
            out.append(f"# layer {layer}, {'background objects' if add == 'background' else 'objects'}")
            absolute = {int(r["order"]): r for r in rows if r["order"] != "-"}
            relative = [r for r in rows if r["order"] == "-"]
            fixed_label = "the pieces at their own places" if layer == 2 else None
            queue = [(fixed_label, r["class"], int(r["x"]), int(r["y"])) for r in relative] + list(extra)
            size = len(absolute) + len(queue)
            label = None
            for _ in range(size):
                order += 1
                if order in absolute:
                    r = absolute.pop(order)
                    row = (None, r["class"], int(r["x"]), int(r["y"]))
                else:
                    row = queue.pop(0)
                if row[0] != label and row[0] is not None:
                    out.append(f"# {row[0]}")
                label = row[0] if row[0] is not None else label
                out.append(f"{row[1]} {row[2]} {row[3]} {add} {layer}")
            assert not absolute, f"act {act.number}: fixed rows past their layer's run: {sorted(absolute)}"
    return "\n".join(out) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--check", action="store_true", help="write nothing; fail when a layout would change")
    args = parser.parse_args()
    stale = []
    for act in (ACT1, ACT2):
        path = CONTENT / f"act{act.number}.layout"
        text = render(act)
        if args.check:
            if not path.exists() or path.read_text() != text:
                stale.append(path.name)
        else:
            path.write_text(text)
    if stale:
        print("stale: " + ", ".join(stale) + " (run tools/generators/stand_in_layouts.py)", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
