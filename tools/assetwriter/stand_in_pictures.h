// The stand-in content's pictures: one image item per handle that a class
// of the class table uses, drawn so that a person can tell what each is
// (docs/stand-in-content.md, "Pictures").
#pragma once

#include "tools/assetwriter/image_item.h"

#include <cstdint>

class AssetWriter;

// Colours: one per family.
enum class StandInFamily : uint8_t { TERRAIN, ITEMS, ENEMIES, PLAYER, HUD, EFFECTS, MENUS, SYSTEM };

// What is drawn. Terrain shapes are also the collision mask (alpha).
enum class StandInShape : uint8_t {
    BOX,
    ELLIPSE,
    DIAMOND,
    SOLID,
    SLOPE_UP,  // ground rising to the right
    SLOPE_DOWN,
    CURVE_LEFT,  // a quarter pipe rising to the left
    CURVE_RIGHT,
    CEILING,
    CEILING_CURVE_LEFT,
    CEILING_CURVE_RIGHT,
    GRASS,
    HALFPIPE,
    LADDER,
    SCENERY,  // see-through decoration
    BACKDROP,  // an opaque frame picture
    TILE,  // a box's tiled picture
    DIGIT,  // the label is one character of a counter
    METER,  // picture `value` of `count` of a counter that shows one by value
    SHEET,  // the bitmap-text character sheet
    MENU,  // a menu panel: the label's first line, then an item's name a line
};

struct StandInImage {
    uint16_t handle;
    uint16_t width, height;
    StandInFamily family;
    StandInShape shape;
    int16_t hot_x, hot_y;  // the hot spot
    uint8_t value, count;  // a menu: `value` has bit k set when item k cannot be chosen
    const char* label;  // lines separated by '\n'
    int16_t action_x, action_y;  // the action point; a menu's item 0 row, 24 pixels an item
};

// Generated from the class table, in ascending handle order.
extern const StandInImage stand_in_images[];
extern const int stand_in_image_count;

// The picture of one entry.
ImageItemSource stand_in_picture(const StandInImage& image);
// Adds every picture and the preload list (all handles, ascending).
void add_stand_in_pictures(AssetWriter& writer);

// The 5 x 7 glyph of a printable ASCII character: seven rows, bit 4 the
// leftmost pixel; null outside ' '..'~'.
const uint8_t* stand_in_glyph(char c);
