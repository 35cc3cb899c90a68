// One paragraph of a list, drawn in a texture font: a single line aligned in
// the object's rectangle, or wrapped lines once the text holds a line feed.
#pragma once

#include "runtime/frameobject.h"

#include <string>
#include <vector>

struct FTBBox;
class FTSimpleLayout;
class FTTextureFont;

class Text : public FrameObject {
public:
    // The bit values the bitmap text uses; only 2, 4, 32 and 64 move the text.
    enum Alignment : int {
        ALIGN_HCENTER = 2,
        ALIGN_RIGHT = 4,
        ALIGN_BOTTOM = 32,
        ALIGN_VCENTER = 64,
    };

    std::vector<std::string> paragraphs;
    std::string text;
    int index = 0;
    uint8_t has_text = 0;
    int alignment = 0;
    uint8_t bold = 0, italic = 0;
    FTTextureFont* font = nullptr;
    std::string draw_text;  // text as UTF-8 for the font
    uint8_t draw_text_ready = 0;
    FTSimpleLayout* layout = nullptr;
    float scale = 1.0f;  // stored only

    Text(int x, int y, int type_id);
    ~Text() override;
    void dealloc() override;
    void draw() override;

    void add_line(const std::string& line);
    void set_string(const std::string& value);
    void set_paragraph(int i);
    void next_paragraph();
    const std::string& get_paragraph(int i) const;
    int get_index() const { return index; }
    int get_count() const { return int(paragraphs.size()); }

    bool get_bold() const { return bold != 0; }
    bool get_italic() const { return italic != 0; }
    void set_bold(bool value) { bold = value; }
    void set_scale(float value) { scale = value; }

    void set_width(int w);
    int get_width();
    int get_height();
    void update_draw_text();

private:
    void show_paragraph(int i);
    // Makes the layout when there is none; sets its line length.
    void make_layout(int line_length);
    // The layout's box of the converted text.
    FTBBox layout_box();
};

// The text operations for code that holds a frame object known to be a Text.
class FontInfo {
public:
    static int get_width(FrameObject* object);
    static int get_height(FrameObject* object);
    static void set_width(FrameObject* object, int w);
    static void set_scale(FrameObject* object, float scale);
};

// Latin-1 bytes as UTF-8: bytes below 128 stay, the others become two bytes.
std::string latin1_to_utf8(const std::string& text);
