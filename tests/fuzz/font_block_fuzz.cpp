// The asset file's font block: fonts with their metrics and glyph bitmaps.
#include "graphics/fonts.h"
#include "graphics/render.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/harnesses.h"

int fuzz_font_block(const uint8_t* data, size_t size)
{
    fuzz_graphics_setup();
    put_fuzz_item(data, size);
    std::vector<FTTextureFont*> fonts;
    load_fonts(fonts);
    // Text is measured and laid out from the block's metrics.
    const char* const text = "Ag 12\n\xE3\x80\x8C\xE3\x80\x82 wrap me\x0B!";
    for (FTTextureFont* font : fonts) {
        font->BBox(text);
        font->Advance(text, 4, FTPoint(1.0, 0.0));
        FTSimpleLayout layout;
        layout.SetFont(font);
        layout.SetLineLength(40.0f);
        layout.BBox(text);
        if (font->texture)
            Render::delete_tex(font->texture);
        delete font;
    }
    return 0;
}
