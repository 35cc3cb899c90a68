"""The stand-in pictures' list: families, shapes, hot spots and labels from the class table."""
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools" / "generators"))

import stand_in_images  # noqa: E402

CLASSES = "number\tname\ttype_id\tkind\thidden\tflags\tsettings\talterables\n"
ANIMATIONS = ("class\tanimation\tdirection\tmin_speed\tmax_speed\tback_to\trepeat\tframes\t"
              "handles\tsize\tstated\n")


class StandInImages(unittest.TestCase):
    def pictures(self, classes, animations=""):
        with tempfile.TemporaryDirectory() as name:
            folder = Path(name)
            (folder / "classes.tsv").write_text(CLASSES + classes)
            (folder / "animations.tsv").write_text(ANIMATIONS + animations)
            inputs = [folder / "classes.tsv", folder / "animations.tsv"]
            text = stand_in_images.stand_in_images(inputs, [None], None)[0]
        lines = [line.strip() for line in text.split("\n") if line.startswith("    {")]
        return {int(line[1:line.index(",")]): line for line in lines}, lines

    def test_shapes_families_hot_spots_and_labels(self):
        backdrop = "{0}\t{1}\t1\tBackdrop\t0\t+16\timage={2};collision={3};image_size=128x128\t\n"
        classes = (
            "87\tPlayer\t60\tActive\t0\t\t\t\n"
            "117\tMonitorFireShield\t61\tActive\t0\t\t\t\n"
            "141\tVostrelRockSlope3\t62\tActive\t0\t\t\t\n"  # a sprite that shares a backdrop's picture
            + backdrop.format(223, "VostrelRockSlope3", 40, "mask")  # odd class numbers rise
            + backdrop.format(224, "VostrelRockSlope3", 41, "mask")
            + backdrop.format(225, "VostrelFloorCurveLeft", 42, "mask")
            + backdrop.format(226, "VostrelTree1", 43, "none")
            + backdrop.format(227, "LevelBackdrop09", 44, "box")
            + "300\tGUITimerS\t70\tCounter\t0\t\tdisplay=1;size=96x32;digits=0;images=14;"
              "image_size=16x16;handles=50-63\t\n"
            "301\tHelpMessage\t71\tTextBlitter\t0\t\tsize=128x20;align=17;text=\"\"\t\n")
        animations = ("Player_87\t3\t0\t50\t50\t0\t-1\t2\t10 11\t32x48\t0\n"
                      "MonitorFireShield_117\t0\t0\t50\t50\t0\t-1\t1\t12\t1x32\t0\n"
                      "VostrelRockSlope3_141\t0\t0\t50\t50\t0\t-1\t1\t40\t128x128\t0\n")
        found, lines = self.pictures(classes, animations)
        self.assertEqual(list(found), sorted(found))
        self.assertEqual(sorted(found), [10, 11, 12] + list(range(40, 45)) + list(range(50, 64)) + [2371])
        # handle, width, height, family, shape, hot spot x and y, value, count, label
        family = {name: f"StandInFamily({i})" for i, name in enumerate(stand_in_images.FAMILIES)}
        shape = {name: f"StandInShape({i})" for i, name in enumerate(stand_in_images.SHAPES)}
        self.assertEqual(found[11], f'{{11, 32, 48, {family["player"]}, {shape["box"]}, 16, 24, 0, 0, "P\\n3.1", 16, 24}},')
        self.assertIn(f'{family["items"]}, {shape["ellipse"]}, 0, 0,', found[12])  # a 1 x 32 strip
        self.assertIn(f'{family["terrain"]}, {shape["slope_up"]}, 0, 0, 0, 0, "VRS3"', found[40])
        self.assertIn(shape["slope_down"], found[41])
        self.assertIn(shape["curve_left"], found[42])
        self.assertIn(shape["scenery"], found[43])
        self.assertIn(shape["solid"], found[44])
        self.assertIn(f'{family["hud"]}, {shape["digit"]}, 0, 0, 0, 0, "0"', found[50])
        self.assertIn('"e", 0, 0}', found[63])
        self.assertIn(f'{{2371, 256, 60, {family["hud"]}, {shape["sheet"]}, 0, 0,', found[2371])

    def test_the_pause_panel_names_its_items_on_the_rows_the_cursor_takes(self):
        classes = "109\tGUIPause\t94\tActive\t1\t-4\t\t\n"
        animations = "GUIPause_109\t0\t0\t0\t0\t0\t-1\t6\t20-25\t128x96\t0\n"
        found, _ = self.pictures(classes, animations)
        family = f"StandInFamily({stand_in_images.FAMILIES.index('hud')})"
        menu = f"StandInShape({stand_in_images.SHAPES.index('menu')})"
        box = f"StandInShape({stand_in_images.SHAPES.index('box')})"
        # Every frame hangs the same way: item 0's row is 40 below the
        # panel's y, 53 to the left (where the layouts put the cursor).
        # Frames 3 and 4 are the menus; on 4 (one life) restart is dimmed.
        items = '\\nContinue\\nRestart\\nQuit'
        self.assertEqual(found[23], f'{{23, 128, 96, {family}, {menu}, 64, -8, 0, 0, "GUIP 0.3{items}", 11, 32}},')
        self.assertEqual(found[24], f'{{24, 128, 96, {family}, {menu}, 64, -8, 2, 0, "GUIP 0.4{items}", 11, 32}},')
        for handle in (20, 21, 22, 25):
            self.assertIn(f'{box}, 64, -8, 0, 0, "GUIP\\n0.{handle - 20}", 11, 32}},', found[handle])


if __name__ == "__main__":
    unittest.main()
