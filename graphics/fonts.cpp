#include "graphics/fonts.h"

#include "base/assetfile.h"
#include "base/size_policy.h"
#include "base/stream.h"
#include "console/os.h"
#include "graphics/render_internal.h"
#include "graphics/shader.h"
#include "graphics/testing.h"

#include <cstdlib>

Font font3("Tahoma", 10, false, false, false);
Color text_color(255, 255, 255, 255);

namespace {

// The fonts live until the program ends: their list is never destroyed,
// so nothing frees them behind the renderer's back at exit.
std::vector<FTTextureFont*>& loaded_fonts = *new std::vector<FTTextureFont*>();
bool fonts_initialized = false;
bool fonts_loaded = false;

}  // namespace

// Loading -----------------------------------------------------------------------------

bool load_fonts(std::vector<FTTextureFont*>& fonts)
{
    AssetFile file;
    file.open();
    file.set_item(0, AssetFile::FONT_DATA);
    // A file without a font block has no offset for it: do not read the
    // preload list as fonts.
    if (AssetFile::item_offset(0, AssetFile::FONT_DATA) < AssetFile::items_start) {
        file.close();
        return false;
    }
    FileStream stream(file);
    const uint32_t count = uint32_t(stream.read_int32());
    // Each font packs an atlas and a texture of its own: a count past any
    // real block is damage, not fonts.
    if (count > max_font_count) {
        OSReport("Invalid font count %u\n", count);
        file.close();
        return false;
    }
    for (uint32_t i = 0; i < count && !stream.at_end(); ++i)
        fonts.push_back(new FTTextureFont(stream));
    file.close();
    return !fonts.empty();
}

bool init_font()
{
    if (!fonts_initialized) {
        fonts_initialized = true;
        fonts_loaded = load_fonts(loaded_fonts);
    }
    return fonts_loaded;
}

FTTextureFont* get_font(int size)
{
    init_font();
    FTTextureFont* best = nullptr;
    long best_distance = 0;
    for (FTTextureFont* font : loaded_fonts) {
        const long distance = std::labs(long(font->face_size) - long(size));
        if (!best || distance < best_distance) {
            best = font;
            best_distance = distance;
        }
    }
    return best;
}

void font_forget_all()
{
    for (FTTextureFont* font : loaded_fonts) {
        if (font->texture)  // 0 is the TV picture's slot, not an atlas
            Render::delete_tex(font->texture);
        delete font;
    }
    loaded_fonts.clear();
    fonts_initialized = false;
    fonts_loaded = false;
    text_color = Color(255, 255, 255, 255);
}

// Character classes ---------------------------------------------------------------------

bool is_linebreak(unsigned int code)
{
    return code == 10 || code == 11;
}

bool is_line_extender(unsigned int code)
{
    switch (code) {
    case 0x2026: case 0x3001: case 0x3002: case 0x300D: case 0x300F:
    case 0x3011: case 0xFF01: case 0xFF09: case 0xFF1F:
        return true;
    default:
        return false;
    }
}

bool is_break_start(unsigned int code)
{
    return code == 0x300C || code == 0x300E || code == 0x3010 || code == 0xFF08;
}

namespace {

bool is_whitespace(unsigned int code)
{
    return (code >= 9 && code <= 13) || code == 32;
}

using Itr = FTUnicodeStringItr<unsigned char>;

const unsigned char* bytes(const char* text)
{
    return reinterpret_cast<const unsigned char*>(text);
}

const char* chars(const unsigned char* text)
{
    return reinterpret_cast<const char*>(text);
}

}  // namespace

// Layout ----------------------------------------------------------------------------------

void FTSimpleLayout::Render(const char* text, int len, FTPoint position)
{
    ScopedEffect effect(font_effect, nullptr, 0, 0);
    pen = FTPoint();
    WrapText(text, len, position, nullptr);
}

FTBBox FTSimpleLayout::BBox(const char* text, int len, FTPoint position)
{
    FTBBox box;
    WrapText(text, len, position, &box);
    return box;
}

void FTSimpleLayout::WrapText(const char* text, int, FTPoint position, FTBBox* bounds)
{
    pen.y = 0.0;
    if (bounds)
        *bounds = FTBBox(FTPoint(1, 1, 1), FTPoint(-1, -1, -1));
    if (!text)
        return;
    Itr c(bytes(text));
    const unsigned char* previous = bytes(text);
    unsigned int previous_code = *c;
    const unsigned char* line_start = previous;
    const unsigned char* break_point = previous;
    float next_start = 0.0f, width = 0.0f, previous_width = 0.0f, break_width = 0.0f;
    float word_length = 0.0f;
    int index = 0, break_index = 0;
    bool bracket_mode = false;

    for (; *c != 0; ++c) {
        const unsigned int code = *c;
        const unsigned char* here = c.getBufferFromHere();
        const FTBBox glyph_box = font->BBox(chars(here), 1);
        const float glyph_width = float(glyph_box.upper.x - glyph_box.lower.x);
        float advance = font->Advance(chars(here), 1);
        previous_width = width;
        width = next_start + glyph_width;
        next_start += advance;

        const bool forced = is_linebreak(code);
        // Without a break point on the line (or at a forced break) the line
        // ends right before this character.
        const bool break_here = break_point == line_start || forced;
        bool overflows = !is_line_extender(code) && width > line_length;
        // A line keeps at least its first character, however narrow the
        // line: breaking before it would leave no line to put it on.
        if (overflows && !forced && (break_here ? index - 1 : break_index) < 0)
            overflows = false;

        if (overflows || forced) {
            if (break_here) {
                break_point = previous;
                break_index = index - 1;
                break_width = previous_width;
                word_length = 0.0f;
                if (forced)
                    advance = 0.0f;
            }
            // The next line starts after the break point, or after a forced
            // break itself, so that a break at the very start does not
            // swallow the one after it. (A break point is never followed by
            // a forced break: that break would have ended the line first.)
            Itr next_line(forced ? here : break_point);
            ++next_line;
            index -= forced ? 2 : 1;
            const float remaining = line_length - break_width;
            const float spacing = forced && code == 11 ? vertical_tab_spacing : line_spacing;
            // An empty line (a break right after a break) draws nothing; the
            // rest of the text belongs to the lines below.
            if (break_index >= 0)
                OutputWrapped(chars(line_start), break_index, position, remaining, bounds);
            line_start = next_line.getBufferFromHere();
            break_point = line_start;
            pen.y += double(font->LineHeight() * spacing);
            next_start = word_length + advance;
            word_length = next_start;
            width = word_length + advance;
            index -= break_index;
        } else if (is_whitespace(code)) {
            break_index = index;
            break_point = here;
            word_length = 0.0f;
            if (here == bytes(text) || !is_whitespace(previous_code))
                break_width = width;
        } else {
            word_length += advance;
        }
        if (bracket_mode)
            break_point = line_start;
        if (is_break_start(code)) {
            break_point = previous;
            word_length = advance;
            break_index = index - 1;
            bracket_mode = true;
        }
        previous = here;
        previous_code = code;
        ++index;
    }
    OutputWrapped(chars(line_start), -1, position, line_length - width, bounds);
}

void FTSimpleLayout::OutputWrapped(const char* text, int last, FTPoint position, float,
                                   FTBBox* bounds)
{
    pen.x = 0.0;
    if (!bounds) {
        RenderSpace(text, last, position, 0.0f);
        return;
    }
    FTBBox box = font->BBox(text, last);
    box += pen;
    if (bounds->IsValid())
        *bounds |= box;
    else
        *bounds = box;
}

void FTSimpleLayout::RenderSpace(const char* text, int last, FTPoint position, float)
{
    Itr it(bytes(text));
    for (int j = 0; (last < 0 || j <= last) && *it != 0; ++j, ++it)
        pen = font->Render(chars(it.getBufferFromHere()), 1, pen + position) - position;
}
