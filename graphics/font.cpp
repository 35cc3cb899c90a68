#include "graphics/font.h"

#include "base/saturate.h"
#include "base/stream.h"
#include "console/os.h"
#include "graphics/render_internal.h"
#include "graphics/shader.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr unsigned int code_limit = 0x110000;
// Whether a glyph record's bitmap is read: larger bitmaps than a whole atlas
// are damage, not glyphs, so the read stays bounded.
bool readable_bitmap(int width, int height)
{
    constexpr int64_t max_bytes = int64_t(FTTextureFont::max_atlas_size) * FTTextureFont::max_atlas_size;
    return width > 0 && height > 0 && int64_t(width) * height <= max_bytes;
}

float read_single(BaseStream& stream)
{
    const uint32_t bits = uint32_t(stream.read_int32());
    float value;
    memcpy(&value, &bits, 4);
    return value;
}

// Sequence length by lead byte, and what the markers add to value * 64 + byte.
int utf8_length(unsigned int lead)
{
    if (lead < 0xC0)
        return 1;
    if (lead < 0xE0)
        return 2;
    if (lead < 0xF0)
        return 3;
    if (lead < 0xF8)
        return 4;
    if (lead < 0xFC)
        return 5;
    return 6;
}

constexpr uint32_t utf8_offsets[7] = {0, 0, 0x3080, 0xE2080, 0x3C82080, 0xFA082080, 0x82082080};

// Calls step(code, next_code) for each character: `len` of them, or all
// with len < 0; never past the terminating 0.
template <typename Step>
void walk(const char* text, int len, Step step)
{
    FTUnicodeStringItr<unsigned char> it(reinterpret_cast<const unsigned char*>(text));
    for (int i = 0; (len < 0 || i < len) && *it != 0; ++i) {
        const unsigned int code = *it;
        ++it;
        step(code, *it);
    }
}

}  // namespace

// Points and boxes ------------------------------------------------------------------

FTBBox& FTBBox::operator+=(const FTPoint& move)
{
    lower += move;
    upper += move;
    return *this;
}

FTBBox& FTBBox::operator|=(const FTBBox& other)
{
    lower = {std::min(lower.x, other.lower.x), std::min(lower.y, other.lower.y),
             std::min(lower.z, other.lower.z)};
    upper = {std::max(upper.x, other.upper.x), std::max(upper.y, other.upper.y),
             std::max(upper.z, other.upper.z)};
    return *this;
}

// UTF-8 ---------------------------------------------------------------------------------

template <typename T>
void FTUnicodeStringItr<T>::read_utf8()
{
    const unsigned int lead = static_cast<unsigned char>(*current);
    const int length = utf8_length(lead);
    uint32_t value = lead;
    for (int k = 1; k < length; ++k) {
        const unsigned int byte = static_cast<unsigned char>(current[k]);
        if (byte == 0) {
            // Cut short by the terminator: the lead byte stands alone.
            code = lead;
            next = current + 1;
            return;
        }
        value = value * 64 + byte;
    }
    code = value - utf8_offsets[length];
    next = current + length;
}

template class FTUnicodeStringItr<char>;
template class FTUnicodeStringItr<unsigned char>;

// Character map ---------------------------------------------------------------------------

void FTCharToGlyphIndexMap::clear()
{
    for (std::unique_ptr<Middle>& middle : root)
        middle.reset();
}

unsigned int FTCharToGlyphIndexMap::find(unsigned int code) const
{
    if (code >= code_limit)
        return 0;
    const Middle* middle = root[(code >> 14) & 127].get();
    if (!middle)
        return 0;
    const Leaf* leaf = (*middle)[(code >> 7) & 127].get();
    if (!leaf)
        return 0;
    const int32_t index = (*leaf)[code & 127];
    return index < 0 ? 0 : unsigned(index);
}

void FTCharToGlyphIndexMap::insert(unsigned int code, int index)
{
    if (code >= code_limit)
        return;
    std::unique_ptr<Middle>& middle = root[(code >> 14) & 127];
    if (!middle)
        middle = std::make_unique<Middle>();
    std::unique_ptr<Leaf>& leaf = (*middle)[(code >> 7) & 127];
    if (!leaf) {
        leaf = std::make_unique<Leaf>();
        leaf->fill(-1);
    }
    (*leaf)[code & 127] = index;
}

// Glyphs ------------------------------------------------------------------------------------

FTGlyph::FTGlyph(BaseStream& stream, uint8_t* atlas, int x, int y, int atlas_width,
                 int atlas_height)
{
    code = uint32_t(stream.read_int32());
    const float lower_x = read_single(stream), lower_y = read_single(stream);
    const float upper_x = read_single(stream), upper_y = read_single(stream);
    const float advance_x = read_single(stream), advance_y = read_single(stream);
    const float corner_x = read_single(stream), corner_y = read_single(stream);
    bbox = FTBBox(FTPoint(lower_x, lower_y), FTPoint(upper_x, upper_y));
    advance = FTPoint(advance_x, advance_y);
    corner = FTPoint(corner_x, corner_y);
    const int w = stream.read_int32(), h = stream.read_int32();
    const bool sane = readable_bitmap(w, h);
    width = sane ? w : 0;
    height = sane ? h : 0;
    std::vector<uint8_t> bitmap(size_t(width) * size_t(height));
    if (!bitmap.empty() && !stream.read(reinterpret_cast<char*>(bitmap.data()), unsigned(bitmap.size())))
        std::fill(bitmap.begin(), bitmap.end(), 0);
    // A damaged box can move the packing pen backwards: never copy outside.
    if (x < 0 || y < 0)
        width = height = 0;
    if (width && height) {
        // Cut at the atlas edges: the bottom, and the right for a glyph
        // wider than what is left of its row.
        height = std::max(0, std::min(height, atlas_height - y));
        const int columns = std::max(0, std::min(width, atlas_width - x));
        for (int row = 0; row < height; ++row)
            memcpy(atlas + size_t(y + row) * size_t(atlas_width) + size_t(x),
                   bitmap.data() + size_t(row) * size_t(w), size_t(columns));
        width = columns;
    }
    uv[0] = FTPoint(float(x) / float(atlas_width), float(y) / float(atlas_height));
    uv[1] = FTPoint(float(x + width) / float(atlas_width), float(y + height) / float(atlas_height));
}

const FTPoint& FTGlyph::Render(const FTPoint& pen) const
{
    // Without an atlas the glyph only advances: texture 0 is the TV picture.
    if (!texture)
        return advance;
    const int x1 = saturate_to_int(std::floor(float(pen.x) + float(corner.x)));
    const int y1 = saturate_to_int(std::floor(float(pen.y) - float(corner.y)));
    select_plain_shader();
    insert_quad(x1, y1, x1 + width, y1 + height);
    insert_color(text_color);
    insert_texcoord1(float(uv[0].x), float(uv[0].y), float(uv[1].x), float(uv[1].y));
    draw_tex_impl(texture);
    return advance;
}

// Glyph list -------------------------------------------------------------------------------

FTGlyphContainer::FTGlyphContainer(FTTextureFont* font) : font(font)
{
    glyphs.emplace_back();
}

void FTGlyphContainer::Add(FTGlyph* glyph, unsigned int code)
{
    map.insert(code, int(glyphs.size()));
    glyphs.emplace_back(glyph);
}

const FTGlyph* FTGlyphContainer::Glyph(unsigned int code) const
{
    const unsigned int index = map.find(code);
    return index < glyphs.size() ? glyphs[index].get() : nullptr;
}

FTBBox FTGlyphContainer::BBox(unsigned int code) const
{
    const FTGlyph* glyph = Glyph(code);
    return glyph ? glyph->BBox() : FTBBox();
}

float FTGlyphContainer::Advance(unsigned int code, unsigned int next_code) const
{
    const FTGlyph* glyph = Glyph(code);
    if (!glyph)
        return 0.0f;
    return float(font->KernAdvance(code, next_code).x) + glyph->Advance();
}

FTPoint FTGlyphContainer::Render(unsigned int code, unsigned int next_code, const FTPoint& pen) const
{
    const FTGlyph* glyph = Glyph(code);
    if (!glyph)
        return FTPoint();
    return font->KernAdvance(code, next_code) + glyph->Render(pen);
}

// Texture font ------------------------------------------------------------------------------

int ClampSize(int size, int max)
{
    int power = 1;
    if (size <= 0)
        return 0;
    while (power < size && power < max)
        power *= 2;
    return std::min(power, max);
}

FTTextureFont::FTTextureFont(BaseStream& stream) : glyphs(std::make_unique<FTGlyphContainer>(this))
{
    face_size = stream.read_int32();
    cell_width = read_single(stream);
    line_height = read_single(stream);
    ascender = read_single(stream);
    descender = read_single(stream);
    glyph_count = stream.read_int32();
    const int count = std::max(0, glyph_count);
    // A cell larger than the atlas fits nowhere; clamped, the packing sums
    // below stay far from the int limits.
    cell_width_pixels = std::clamp(saturate_to_int(cell_width + 0.5f), 1, max_atlas_size);
    cell_height_pixels = std::clamp(saturate_to_int(line_height + 0.5f), 1, max_atlas_size);
    const int cw = cell_width_pixels, ch = cell_height_pixels;

    atlas_width = ClampSize(int(std::min<int64_t>(int64_t(cw) * count + 2 * margin, max_atlas_size)),
                            max_atlas_size);
    const int per_row = std::max(1, int(unsigned(atlas_width - 2 * margin) / unsigned(cw)));
    const int64_t rows = (int64_t(count) + per_row - 1) / per_row;
    atlas_height = ClampSize(int(std::min<int64_t>(ch * rows + 2 * margin, max_atlas_size)),
                             max_atlas_size);
    // Cleared first: linear filtering reads the texels around each glyph.
    std::vector<uint8_t> atlas(size_t(atlas_width) * size_t(atlas_height), 0);

    pen_x = pen_y = margin;
    // A count beyond the records that follow stops at the end of the block.
    for (int i = 0; i < count && !stream.at_end(); ++i) {
        if (pen_x > atlas_width - cw) {
            pen_x = margin;
            pen_y += ch;
            if (pen_y > atlas_height - ch) {
                OSReport("Cannot fit glyphs in texture!\n");
                skip_glyphs(stream, count - i);
                break;
            }
        }
        FTGlyph* glyph = new FTGlyph(stream, atlas.data(), pen_x, pen_y, atlas_width, atlas_height);
        glyphs->Add(glyph, glyph->code);
        const FTBBox& box = glyph->BBox();
        pen_x = saturate_to_int(double(pen_x) + saturate_to_int(box.upper.x - box.lower.x + margin + 0.5));
    }

    texture = Render::create_tex(atlas.data(), Render::ALPHA, atlas_width, atlas_height);
    // Id 0 is a full table, not an atlas: slot 0 is the TV picture's.
    if (texture)
        Render::set_filter(texture, true);
    for (const auto& glyph : glyphs->list())
        if (glyph)
            glyph->texture = texture;
}

void FTTextureFont::skip_glyphs(BaseStream& stream, int count)
{
    // Keeps the fonts that follow in the block readable.
    char header[44];
    std::vector<char> bitmap;
    for (int i = 0; i < count; ++i) {
        if (!stream.read(header, sizeof header))
            return;
        int32_t w, h;
        memcpy(&w, header + 36, 4);
        memcpy(&h, header + 40, 4);
        if (!readable_bitmap(w, h))
            continue;
        bitmap.resize(size_t(w) * size_t(h));
        if (!stream.read(bitmap.data(), unsigned(bitmap.size())))
            return;
    }
}

bool FTTextureFont::CheckGlyph(unsigned int code) const
{
    const unsigned int index = glyphs->FontIndex(code);
    return index < glyphs->size() && glyphs->list()[index];
}

FTBBox FTTextureFont::BBox(const char* text, int len, FTPoint position, FTPoint spacing) const
{
    FTBBox result;
    if (!text || !*text)
        return result;
    bool first = true;
    // The first character counts even for len 0.
    walk(text, len == 0 ? 1 : len, [&](unsigned int code, unsigned int next) {
        if (!CheckGlyph(code)) {
            first = false;
            return;
        }
        FTBBox box = glyphs->BBox(code);
        if (!first)
            position += spacing;
        box += position;
        if (first)
            result = box;
        else
            result |= box;
        first = false;
        position.x += glyphs->Advance(code, next);
    });
    return result;
}

float FTTextureFont::Advance(const char* text, int len, FTPoint spacing) const
{
    float advance = 0.0f;
    if (!text)
        return advance;
    walk(text, len, [&](unsigned int code, unsigned int next) {
        if (CheckGlyph(code))
            advance += glyphs->Advance(code, next);
        if (next != 0)
            advance += float(spacing.x);
    });
    return advance;
}

FTPoint FTTextureFont::Render(const char* text, int len, FTPoint position, FTPoint spacing) const
{
    ScopedEffect effect(font_effect, nullptr, 0, 0);
    if (text)
        walk(text, len, [&](unsigned int code, unsigned int next) {
            if (CheckGlyph(code))
                position += glyphs->Render(code, next, position);
            if (next != 0)
                position += spacing;
        });
    return position;
}
