// The font block of the asset file (font item 0): rasterised fonts with
// their metrics and, per character, the glyph's metrics and coverage.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct FontBlockGlyph {
    uint32_t code = 0;
    float lower_x = 0, lower_y = 0, upper_x = 0, upper_y = 0;  // box, y up from the baseline
    float advance_x = 0, advance_y = 0;
    float corner_x = 0, corner_y = 0;  // bitmap left from the pen, bitmap top above the baseline
    int width = 0, height = 0;
    std::vector<uint8_t> coverage;  // width x height, rows top first
};

struct FontBlockFont {
    int face_size = 0;
    float cell_width = 0, line_height = 0, ascender = 0, descender = 0;
    std::vector<FontBlockGlyph> glyphs;
};

// The block's bytes.
std::string font_block(const std::vector<FontBlockFont>& fonts);

// Rasterises the codes that the TrueType file covers at face_size pixels to
// the em; false (and one console line) when the file cannot be read.
bool rasterise_font(const std::string& ttf_path, int face_size, const std::vector<uint32_t>& codes,
                    FontBlockFont& font);

// The demo content's font block: DejaVu Sans at the sizes the game asks for;
// empty when the font file is missing.
std::string demo_font_block();
