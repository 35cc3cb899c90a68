#include "tools/assetwriter/stand_in_pictures.h"

#include "tools/assetwriter/asset_writer.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Our own 5 x 7 glyphs for ' '..'~', seven rows of five pixels each.
const char* const glyph_art[95] = {
    "..... ..... ..... ..... ..... ..... .....",  // space
    "..#.. ..#.. ..#.. ..#.. ..#.. ..... ..#..",  // !
    ".#.#. .#.#. ..... ..... ..... ..... .....",  // "
    ".#.#. .#.#. ##### .#.#. ##### .#.#. .#.#.",  // #
    "..#.. .#### #.#.. .###. ..#.# ####. ..#..",  // $
    "##... ##..# ...#. ..#.. .#... #..## ...##",  // %
    ".##.. #..#. #.#.. .#... #.#.# #..#. .##.#",  // &
    "..#.. ..#.. ..... ..... ..... ..... .....",  // '
    "...#. ..#.. .#... .#... .#... ..#.. ...#.",  // (
    ".#... ..#.. ...#. ...#. ...#. ..#.. .#...",  // )
    "..... ..#.. #.#.# .###. #.#.# ..#.. .....",  // *
    "..... ..#.. ..#.. ##### ..#.. ..#.. .....",  // +
    "..... ..... ..... ..... .##.. ..#.. .#...",  // ,
    "..... ..... ..... ##### ..... ..... .....",  // -
    "..... ..... ..... ..... ..... .##.. .##..",  // .
    "..... ....# ...#. ..#.. .#... #.... .....",  // /
    ".###. #...# #..## #.#.# ##..# #...# .###.",  // 0
    "..#.. .##.. ..#.. ..#.. ..#.. ..#.. .###.",  // 1
    ".###. #...# ....# ...#. ..#.. .#... #####",  // 2
    "##### ...#. ..#.. ...#. ....# #...# .###.",  // 3
    "...#. ..##. .#.#. #..#. ##### ...#. ...#.",  // 4
    "##### #.... ####. ....# ....# #...# .###.",  // 5
    "..##. .#... #.... ####. #...# #...# .###.",  // 6
    "##### ....# ...#. ..#.. .#... .#... .#...",  // 7
    ".###. #...# #...# .###. #...# #...# .###.",  // 8
    ".###. #...# #...# .#### ....# ...#. .##..",  // 9
    "..... .##.. .##.. ..... .##.. .##.. .....",  // :
    "..... .##.. .##.. ..... .##.. ..#.. .#...",  // ;
    "...#. ..#.. .#... #.... .#... ..#.. ...#.",  // <
    "..... ..... ##### ..... ##### ..... .....",  // =
    ".#... ..#.. ...#. ....# ...#. ..#.. .#...",  // >
    ".###. #...# ....# ...#. ..#.. ..... ..#..",  // ?
    ".###. #...# ....# .##.# #.#.# #.#.# .###.",  // @
    ".###. #...# #...# ##### #...# #...# #...#",  // A
    "####. #...# #...# ####. #...# #...# ####.",  // B
    ".###. #...# #.... #.... #.... #...# .###.",  // C
    "###.. #..#. #...# #...# #...# #..#. ###..",  // D
    "##### #.... #.... ####. #.... #.... #####",  // E
    "##### #.... #.... ####. #.... #.... #....",  // F
    ".###. #...# #.... #.### #...# #...# .####",  // G
    "#...# #...# #...# ##### #...# #...# #...#",  // H
    ".###. ..#.. ..#.. ..#.. ..#.. ..#.. .###.",  // I
    "..### ...#. ...#. ...#. ...#. #..#. .##..",  // J
    "#...# #..#. #.#.. ##... #.#.. #..#. #...#",  // K
    "#.... #.... #.... #.... #.... #.... #####",  // L
    "#...# ##.## #.#.# #.#.# #...# #...# #...#",  // M
    "#...# #...# ##..# #.#.# #..## #...# #...#",  // N
    ".###. #...# #...# #...# #...# #...# .###.",  // O
    "####. #...# #...# ####. #.... #.... #....",  // P
    ".###. #...# #...# #...# #.#.# #..#. .##.#",  // Q
    "####. #...# #...# ####. #.#.. #..#. #...#",  // R
    ".#### #.... #.... .###. ....# ....# ####.",  // S
    "##### ..#.. ..#.. ..#.. ..#.. ..#.. ..#..",  // T
    "#...# #...# #...# #...# #...# #...# .###.",  // U
    "#...# #...# #...# #...# #...# .#.#. ..#..",  // V
    "#...# #...# #...# #.#.# #.#.# #.#.# .#.#.",  // W
    "#...# #...# .#.#. ..#.. .#.#. #...# #...#",  // X
    "#...# #...# .#.#. ..#.. ..#.. ..#.. ..#..",  // Y
    "##### ....# ...#. ..#.. .#... #.... #####",  // Z
    ".###. .#... .#... .#... .#... .#... .###.",  // [
    "..... #.... .#... ..#.. ...#. ....# .....",  // backslash
    ".###. ...#. ...#. ...#. ...#. ...#. .###.",  // ]
    "..#.. .#.#. #...# ..... ..... ..... .....",  // ^
    "..... ..... ..... ..... ..... ..... #####",  // _
    ".#... ..#.. ..... ..... ..... ..... .....",  // `
    "..... ..... .###. ....# .#### #...# .####",  // a
    "#.... #.... #.##. ##..# #...# #...# ####.",  // b
    "..... ..... .###. #.... #.... #...# .###.",  // c
    "....# ....# .##.# #..## #...# #...# .####",  // d
    "..... ..... .###. #...# ##### #.... .###.",  // e
    "..##. .#..# .#... ###.. .#... .#... .#...",  // f
    "..... .#### #...# #...# .#### ....# .###.",  // g
    "#.... #.... #.##. ##..# #...# #...# #...#",  // h
    "..#.. ..... .##.. ..#.. ..#.. ..#.. .###.",  // i
    "...#. ..... ..##. ...#. ...#. #..#. .##..",  // j
    "#.... #.... #..#. #.#.. ##... #.#.. #..#.",  // k
    ".##.. ..#.. ..#.. ..#.. ..#.. ..#.. .###.",  // l
    "..... ..... ##.#. #.#.# #.#.# #...# #...#",  // m
    "..... ..... #.##. ##..# #...# #...# #...#",  // n
    "..... ..... .###. #...# #...# #...# .###.",  // o
    "..... ..... ####. #...# ####. #.... #....",  // p
    "..... ..... .##.# #..## .#### ....# ....#",  // q
    "..... ..... #.##. ##..# #.... #.... #....",  // r
    "..... ..... .###. #.... .###. ....# ####.",  // s
    ".#... .#... ###.. .#... .#... .#..# ..##.",  // t
    "..... ..... #...# #...# #...# #..## .##.#",  // u
    "..... ..... #...# #...# #...# .#.#. ..#..",  // v
    "..... ..... #...# #...# #.#.# #.#.# .#.#.",  // w
    "..... ..... #...# .#.#. ..#.. .#.#. #...#",  // x
    "..... ..... #...# #...# .#### ....# .###.",  // y
    "..... ..... ##### ...#. ..#.. .#... #####",  // z
    "...#. ..#.. ..#.. .#... ..#.. ..#.. ...#.",  // {
    "..#.. ..#.. ..#.. ..#.. ..#.. ..#.. ..#..",  // |
    ".#... ..#.. ..#.. ...#. ..#.. ..#.. .#...",  // }
    "..... ..... .#... #.#.# ...#. ..... .....",  // ~
};

using Glyphs = std::array<std::array<uint8_t, 7>, 95>;

const Glyphs& glyphs()
{
    static const Glyphs table = [] {
        Glyphs out{};
        for (size_t c = 0; c < out.size(); ++c) {
            const char* art = glyph_art[c];
            for (int row = 0; row < 7; ++row)
                for (int col = 0; col < 5; ++col)
                    if (art[row * 6 + col] == '#')
                        out[c][size_t(row)] |= uint8_t(0x10 >> col);
        }
        return out;
    }();
    return table;
}

struct Color {
    uint8_t r, g, b;
};

const Color family_colors[8] = {
    {150, 105, 55},  // terrain: earth brown
    {245, 205, 40},  // items: gold
    {230, 60, 50},   // enemies: red
    {60, 130, 245},  // player skins: blue
    {60, 225, 225},  // HUD: cyan
    {235, 110, 235}, // effects: magenta
    {155, 145, 225}, // menus: lavender
    {170, 170, 170}, // system helpers: grey
};

Color scaled(Color c, int percent)
{
    return {uint8_t(c.r * percent / 100), uint8_t(c.g * percent / 100), uint8_t(c.b * percent / 100)};
}

class Canvas {
public:
    Canvas(int width, int height) : w(width), h(height), rgba(size_t(width) * size_t(height) * 4, 0) {}

    void put(int x, int y, Color c, uint8_t alpha)
    {
        if (x < 0 || y < 0 || x >= w || y >= h)
            return;
        uint8_t* p = &rgba[(size_t(y) * size_t(w) + size_t(x)) * 4];
        p[0] = c.r;
        p[1] = c.g;
        p[2] = c.b;
        p[3] = alpha;
    }
    uint8_t alpha(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= w || y >= h)
            return 0;
        return rgba[(size_t(y) * size_t(w) + size_t(x)) * 4 + 3];
    }

    int w, h;
    std::vector<uint8_t> rgba;
};

// Which pixels belong to the shape. Integer tests only, so every machine
// draws the same bytes.
bool inside(StandInShape shape, int x, int y, int w, int h)
{
    const int64_t W = w, H = h, X = x, Y = y;
    // Twice the pixel centre, against an ellipse of radii w and h (doubled) about (cx, cy).
    const auto outside_ellipse = [&](int64_t cx2, int64_t cy2) {
        const int64_t dx = 2 * X + 1 - cx2, dy = 2 * Y + 1 - cy2;
        return dx * dx * H * H + dy * dy * W * W >= 4 * W * W * H * H;
    };
    switch (shape) {
    case StandInShape::ELLIPSE: {
        const int64_t dx = 2 * X + 1 - W, dy = 2 * Y + 1 - H;
        return dx * dx * H * H + dy * dy * W * W <= W * W * H * H;
    }
    case StandInShape::DIAMOND: {
        const int64_t dx = 2 * X + 1 - W, dy = 2 * Y + 1 - H;
        return (dx < 0 ? -dx : dx) * H + (dy < 0 ? -dy : dy) * W <= W * H;
    }
    case StandInShape::SLOPE_UP:  // from the bottom-left corner to the top-right one
        return (2 * Y + 1) * W >= (2 * (W - 1 - X) + 1) * H;
    case StandInShape::SLOPE_DOWN:
        return (2 * Y + 1) * W >= (2 * X + 1) * H;
    // Curves keep their last row (ground) or first row (ceiling) solid, so
    // that no column of the tile is left without a surface.
    case StandInShape::CURVE_LEFT:  // hollow about the top-right corner
        return y == h - 1 || outside_ellipse(2 * W, 0);
    case StandInShape::CURVE_RIGHT:
        return y == h - 1 || outside_ellipse(0, 0);
    case StandInShape::CEILING_CURVE_LEFT:  // hollow about the bottom-right corner
        return y == 0 || outside_ellipse(2 * W, 2 * H);
    case StandInShape::CEILING_CURVE_RIGHT:
        return y == 0 || outside_ellipse(0, 2 * H);
    case StandInShape::HALFPIPE: {  // a bowl: hollow about the middle of the top edge
        const int64_t dx = 2 * X + 1 - W, dy = 2 * Y + 1;
        return y == h - 1 || dx * dx + dy * dy >= W * W;
    }
    case StandInShape::LADDER:
        return x < 4 || x >= w - 4 || y % 16 < 3;
    default:
        return true;
    }
}

// The label's pixels: white with a dark shadow, drawn only over the shape
// so that the alpha (the collision mask) stays the shape's.
// Where a label goes: terrain shows it in its solid part.
enum class Place { MIDDLE, BOTTOM, TOP };

const Color white{255, 255, 255};

// One line of text from (left, top), with its shadow.
void draw_line(Canvas& canvas, const std::string& line, int scale, int left, int top, bool clip_to_shape,
               Color color = white)
{
    const Color shadow{20, 20, 30};
    for (size_t i = 0; i < line.size(); ++i) {
        const uint8_t* glyph = stand_in_glyph(line[i]);
        if (!glyph)
            continue;
        const int gx = left + int(i) * 6 * scale;
        for (int pass = 0; pass < 2; ++pass)
            for (int row = 0; row < 7; ++row)
                for (int col = 0; col < 5; ++col) {
                    if (!(glyph[row] & (0x10 >> col)))
                        continue;
                    for (int sy = 0; sy < scale; ++sy)
                        for (int sx = 0; sx < scale; ++sx) {
                            const int x = gx + col * scale + sx + (pass == 0 ? 1 : 0);
                            const int y = top + row * scale + sy + (pass == 0 ? 1 : 0);
                            const uint8_t a = canvas.alpha(x, y);
                            if (clip_to_shape && a == 0)
                                continue;
                            canvas.put(x, y, pass == 0 ? shadow : color, clip_to_shape ? a : 255);
                        }
                }
    }
}

void draw_text(Canvas& canvas, const std::string& text, int scale, bool clip_to_shape,
               Place place = Place::MIDDLE)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (true) {
        const size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    const int line_height = 8 * scale;
    const int block = int(lines.size()) * line_height - scale;
    int top = (canvas.h - block) / 2;
    if (place == Place::BOTTOM)
        top = canvas.h - block - 3;
    else if (place == Place::TOP)
        top = 3;
    for (const std::string& line : lines) {
        const int width = int(line.size()) * 6 * scale - scale;
        int left = (canvas.w - width) / 2;
        if (left < 1)
            left = 1;
        draw_line(canvas, line, scale, left, top, clip_to_shape);
        top += line_height;
    }
}

// A menu panel: the label's first line along the top, then each item's name
// on its row, centred on the action point's y + 24 per item and starting
// right of a cursor at the action point's x (16 wide, held at its centre);
// names that cannot be chosen dimmed.
void draw_menu(Canvas& canvas, const StandInImage& image)
{
    const std::string label = image.label;
    const size_t first_end = label.find('\n');
    draw_line(canvas, label.substr(0, first_end), 1, 4, 3, true);
    int item = 0;
    for (size_t start = first_end; start != std::string::npos; ++item) {
        const size_t end = label.find('\n', start + 1);
        const std::string name = label.substr(start + 1, end == std::string::npos ? end : end - start - 1);
        const bool dimmed = image.value & (1 << item);
        draw_line(canvas, name, 2, image.action_x + 13, image.action_y + 24 * item - 7, true,
                  dimmed ? Color{120, 130, 140} : white);
        start = end;
    }
}

// The largest scale (up to 3) at which the label fits with a margin; 0 when
// it does not fit even at 1.
int label_scale(const std::string& text, int w, int h)
{
    int lines = 1, longest = 0, current = 0;
    for (const char c : text) {
        if (c == '\n') {
            ++lines;
            current = 0;
        } else {
            longest = std::max(longest, ++current);
        }
    }
    for (int scale = 3; scale >= 1; --scale)
        if (longest * 6 * scale - scale + 4 <= w && lines * 8 * scale + 2 <= h)
            return scale;
    return 0;
}

void draw_sheet(Canvas& canvas)
{
    // Cells of 8 x 20, 32 to a row; each glyph doubled in height.
    for (int k = 0; k < 95; ++k) {
        const uint8_t* glyph = glyphs()[size_t(k)].data();
        const int x0 = (k % 32) * 8 + 1, y0 = (k / 32) * 20 + 3;
        for (int row = 0; row < 7; ++row)
            for (int col = 0; col < 5; ++col)
                if (glyph[row] & (0x10 >> col)) {
                    canvas.put(x0 + col, y0 + row * 2, {255, 255, 255}, 255);
                    canvas.put(x0 + col, y0 + row * 2 + 1, {255, 255, 255}, 255);
                }
    }
}

void draw_digit(Canvas& canvas, const std::string& text)
{
    // As large as fits with its shadow: 16 x 16 gives 10 x 14.
    int scale = std::min((canvas.w - 1) / 5, (canvas.h - 1) / 7);
    if (scale < 1)
        scale = 1;
    draw_text(canvas, text, scale, false);
}

void draw_shape(Canvas& canvas, const StandInImage& image)
{
    const Color base = family_colors[size_t(image.family) & 7];
    const int w = canvas.w, h = canvas.h;
    // See-through decoration; everything else is opaque.
    const uint8_t fill_alpha = image.shape == StandInShape::SCENERY ? 120 : 255;
    const int shade = image.shape == StandInShape::BACKDROP || image.shape == StandInShape::TILE ? 35 : 60;
    // A lighter outline, so that it shows on the family's own ground too.
    const Color outline{uint8_t((base.r * 3 + 255 * 2) / 5), uint8_t((base.g * 3 + 255 * 2) / 5),
                        uint8_t((base.b * 3 + 255 * 2) / 5)};
    std::vector<uint8_t> mask(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            mask[size_t(y) * size_t(w) + size_t(x)] = inside(image.shape, x, y, w, h);
    const auto in = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h && mask[size_t(y) * size_t(w) + size_t(x)];
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!in(x, y))
                continue;
            const bool edge = !in(x - 1, y) || !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1);
            Color c = scaled(base, shade);
            if (image.shape == StandInShape::TILE && ((x / 16) + (y / 16)) % 2)
                c = scaled(base, shade + 15);
            if (image.shape == StandInShape::GRASS && y < 6 && x % 6 < 3)
                c = {70, 190, 60};
            if (image.shape == StandInShape::METER && image.count > 1 &&
                x * (image.count - 1) < w * image.value)
                c = scaled(base, 85);
            canvas.put(x, y, edge ? outline : c, edge ? 255 : fill_alpha);
        }
}

}  // namespace

const uint8_t* stand_in_glyph(char c)
{
    if (c < ' ' || c > '~')
        return nullptr;
    return glyphs()[size_t(c - ' ')].data();
}

ImageItemSource stand_in_picture(const StandInImage& image)
{
    Canvas canvas(image.width, image.height);
    const std::string label = image.label;
    if (image.shape == StandInShape::SHEET) {
        draw_sheet(canvas);
    } else if (image.shape == StandInShape::DIGIT) {
        draw_digit(canvas, label);
    } else if (image.shape == StandInShape::MENU) {
        draw_shape(canvas, image);
        draw_menu(canvas, image);
    } else {
        draw_shape(canvas, image);
        const int scale = label_scale(label, image.width, image.height);
        Place place = Place::MIDDLE;
        if (image.shape >= StandInShape::SLOPE_UP && image.shape <= StandInShape::HALFPIPE)
            place = Place::BOTTOM;
        if (image.shape >= StandInShape::CEILING && image.shape <= StandInShape::CEILING_CURVE_RIGHT)
            place = Place::TOP;
        if (scale > 0)
            draw_text(canvas, label, scale, true, place);
    }
    ImageItemSource out;
    out.width = image.width;
    out.height = image.height;
    out.hot_x = image.hot_x;
    out.hot_y = image.hot_y;
    out.action_x = image.action_x;
    out.action_y = image.action_y;
    out.rgba = std::move(canvas.rgba);
    return out;
}

void add_stand_in_pictures(AssetWriter& writer)
{
    std::vector<uint16_t> preload;
    for (int i = 0; i < stand_in_image_count; ++i) {
        const StandInImage& image = stand_in_images[i];
        writer.add_item(AssetFile::IMAGE_DATA, image.handle, image_item(stand_in_picture(image)));
        preload.push_back(image.handle);
    }
    writer.set_preload(preload);
}
