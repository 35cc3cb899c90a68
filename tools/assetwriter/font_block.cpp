#include "tools/assetwriter/font_block.h"

#include "tools/assetwriter/asset_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#define STB_TRUETYPE_IMPLEMENTATION
#define STBTT_STATIC
#include <stb_truetype.h>
#pragma GCC diagnostic pop

namespace {

const char* const demo_font_path = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// Small faces for a 426 x 240 picture; 10 is the default description's size.
constexpr int demo_face_sizes[] = {8, 10, 12, 16, 24};
// The texels that the reader keeps free after each glyph.
constexpr int atlas_margin = 3;

void put_float(std::string& out, float value)
{
    uint32_t bits;
    memcpy(&bits, &value, 4);
    put_u32(out, bits);
}

// Printable ASCII, Latin-1, typographic quotes, the ellipsis and the euro.
std::vector<uint32_t> demo_codes()
{
    std::vector<uint32_t> codes;
    for (uint32_t code = 32; code < 127; ++code)
        codes.push_back(code);
    for (uint32_t code = 160; code < 256; ++code)
        codes.push_back(code);
    for (uint32_t code : {0x2018u, 0x2019u, 0x201Cu, 0x201Du, 0x2026u, 0x20ACu})
        codes.push_back(code);
    return codes;
}

}  // namespace

std::string font_block(const std::vector<FontBlockFont>& fonts)
{
    std::string out;
    put_u32(out, uint32_t(fonts.size()));
    for (const FontBlockFont& font : fonts) {
        put_u32(out, uint32_t(font.face_size));
        put_float(out, font.cell_width);
        put_float(out, font.line_height);
        put_float(out, font.ascender);
        put_float(out, font.descender);
        put_u32(out, uint32_t(font.glyphs.size()));
        for (const FontBlockGlyph& glyph : font.glyphs) {
            put_u32(out, glyph.code);
            for (float value : {glyph.lower_x, glyph.lower_y, glyph.upper_x, glyph.upper_y,
                                glyph.advance_x, glyph.advance_y, glyph.corner_x, glyph.corner_y})
                put_float(out, value);
            put_u32(out, uint32_t(glyph.width));
            put_u32(out, uint32_t(glyph.height));
            out.append(reinterpret_cast<const char*>(glyph.coverage.data()), glyph.coverage.size());
        }
    }
    return out;
}

bool rasterise_font(const std::string& ttf_path, int face_size, const std::vector<uint32_t>& codes,
                    FontBlockFont& font)
{
    std::ifstream in(ttf_path, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    const std::string data = buffer.str();
    stbtt_fontinfo info;
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
    if (!in || data.empty() || !stbtt_InitFont(&info, bytes, stbtt_GetFontOffsetForIndex(bytes, 0))) {
        printf("Could not read font: %s\n", ttf_path.c_str());
        return false;
    }
    const float scale = stbtt_ScaleForMappingEmToPixels(&info, float(face_size));
    int ascent, descent, gap;
    stbtt_GetFontVMetrics(&info, &ascent, &descent, &gap);
    font.face_size = face_size;
    font.ascender = std::round(float(ascent) * scale);
    font.descender = std::round(float(descent) * scale);
    font.line_height = std::round(float(ascent - descent + gap) * scale);
    font.cell_width = 1.0f;
    for (uint32_t code : codes) {
        if (!stbtt_FindGlyphIndex(&info, int(code)))
            continue;
        FontBlockGlyph glyph;
        glyph.code = code;
        int advance, bearing, x0, y0, x1, y1;
        stbtt_GetCodepointHMetrics(&info, int(code), &advance, &bearing);
        stbtt_GetCodepointBitmapBox(&info, int(code), scale, scale, &x0, &y0, &x1, &y1);
        glyph.width = std::max(0, x1 - x0);
        glyph.height = std::max(0, y1 - y0);
        glyph.coverage.resize(size_t(glyph.width) * size_t(glyph.height));
        if (!glyph.coverage.empty())
            stbtt_MakeCodepointBitmap(&info, glyph.coverage.data(), glyph.width, glyph.height,
                                      glyph.width, scale, scale, int(code));
        else
            glyph.width = glyph.height = 0;
        // Whole-pixel advances keep the glyphs on the texel grid.
        glyph.advance_x = std::round(float(advance) * scale);
        glyph.corner_x = float(x0);
        glyph.corner_y = float(-y0);
        glyph.lower_x = float(x0);
        glyph.lower_y = float(-y1);
        glyph.upper_x = float(x0 + glyph.width);
        glyph.upper_y = float(-y0);
        // A packing cell holds the widest bitmap and the margin after it.
        font.cell_width = std::max(font.cell_width, float(glyph.width + atlas_margin));
        font.glyphs.push_back(std::move(glyph));
    }
    return true;
}

std::string demo_font_block()
{
    std::vector<FontBlockFont> fonts;
    const std::vector<uint32_t> codes = demo_codes();
    for (int size : demo_face_sizes) {
        FontBlockFont font;
        if (!rasterise_font(demo_font_path, size, codes, font))
            return std::string();
        fonts.push_back(std::move(font));
    }
    return font_block(fonts);
}
