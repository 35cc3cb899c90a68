// Fonts for the font and text tests: hand-made font blocks with solid glyphs
// whose coverage tells them apart on the picture.
#pragma once

#include "graphics/font.h"
#include "tests/support/drawing.h"
#include "tools/assetwriter/font_block.h"

#include <string>
#include <vector>

// A glyph of width x height texels of one coverage, its top `top` pixels
// above the baseline, advancing the pen by `advance`.
FontBlockGlyph solid_glyph(uint32_t code, int width, int height, uint8_t coverage, float advance,
                           float top);

// Letters A-Z (coverage 40, 48, ... 240), 4 x 8 texels, top 8 above the
// baseline, advance 6; the space (no bitmap, advance 6); U+3002 (250) and
// U+300C (20). Line height 10.
FontBlockFont layout_font();
// The character whose coverage is nearest to `value`; ' ' for 0.
char character_of_coverage(int value);

class FontTest : public DrawingTest {
protected:
    // Assets.dat with every shader program and the font block (none when empty).
    void write_font_block(const std::string& block);
    void write_fonts(const std::vector<FontBlockFont>& fonts) { write_font_block(font_block(fonts)); }
};
