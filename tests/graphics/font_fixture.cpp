#include "tests/graphics/font_fixture.h"

#include "tools/assetwriter/effect_programs.h"

#include <cstdlib>

FontBlockGlyph solid_glyph(uint32_t code, int width, int height, uint8_t coverage, float advance,
                           float top)
{
    FontBlockGlyph glyph;
    glyph.code = code;
    glyph.width = width;
    glyph.height = height;
    glyph.coverage.assign(size_t(width) * size_t(height), coverage);
    glyph.advance_x = advance;
    glyph.corner_y = top;
    glyph.lower_y = top - float(height);
    glyph.upper_x = float(width);
    glyph.upper_y = top;
    return glyph;
}

FontBlockFont layout_font()
{
    FontBlockFont font;
    font.face_size = 10;
    font.cell_width = 7;
    font.line_height = 10;
    font.ascender = 8;
    font.descender = -2;
    for (int i = 0; i < 26; ++i)
        font.glyphs.push_back(solid_glyph(uint32_t('A' + i), 4, 8, uint8_t(40 + 8 * i), 6, 8));
    font.glyphs.push_back(solid_glyph(' ', 0, 0, 0, 6, 0));
    font.glyphs.push_back(solid_glyph(0x3002, 4, 8, 250, 6, 8));
    font.glyphs.push_back(solid_glyph(0x300C, 4, 8, 20, 6, 8));
    return font;
}

char character_of_coverage(int value)
{
    if (value == 0)
        return ' ';
    if (std::abs(value - 250) <= 2)
        return '.';  // U+3002
    if (std::abs(value - 20) <= 2)
        return '[';  // U+300C
    const int letter = (value - 40 + 4) / 8;
    return letter >= 0 && letter < 26 ? char('A' + letter) : '?';
}

void FontTest::write_font_block(const std::string& block)
{
    AssetWriter writer;
    for (const auto& [id, item] : every_shader_item())
        writer.add_item(AssetFile::SHADER_DATA, id, item);
    if (!block.empty())
        writer.add_item(AssetFile::FONT_DATA, 0, block);
    ASSERT_TRUE(writer.write(volumes->content + "/Assets.dat"));
}
