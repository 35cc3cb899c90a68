#include "objects/text.h"

#include "base/pools.h"
#include "graphics/fonts.h"
#include "runtime/values.h"

Text::Text(int x, int y, int type_id) : FrameObject(x, y, type_id)
{
    collision = new InstanceBox(this);
}

Text::~Text()
{
    delete collision;
    collision = nullptr;
    delete layout;
}

void Text::dealloc()
{
    this->~Text();
    object_pool<Text>.destroy(this);
}

// Paragraphs ------------------------------------------------------------------------------

void Text::add_line(const std::string& line)
{
    paragraphs.push_back(line);
    if (has_text)
        return;
    has_text = 1;
    text = line;
}

void Text::set_string(const std::string& value)
{
    text = value;
    draw_text_ready = 0;
}

const std::string& Text::get_paragraph(int i) const
{
    if (paragraphs.empty())
        return shared_empty_string();
    const int last = int(paragraphs.size()) - 1;
    return paragraphs[size_t(i < 0 ? 0 : i > last ? last : i)];
}

void Text::show_paragraph(int i)
{
    if (!paragraphs.empty())
        text = get_paragraph(i);
    draw_text_ready = 0;
}

void Text::set_paragraph(int i)
{
    index = i;
    show_paragraph(i);
}

void Text::next_paragraph()
{
    // The index runs on past the end; the last paragraph stays shown.
    ++index;
    show_paragraph(index);
}

// Size ---------------------------------------------------------------------------------------

void Text::make_layout(int line_length)
{
    if (!layout) {
        layout = new FTSimpleLayout();
        layout->SetFont(font);
    }
    layout->SetLineLength(float(line_length));
}

void Text::set_width(int w)
{
    width = w;
    make_layout(w);
}

FTBBox Text::layout_box()
{
    update_draw_text();
    return layout->BBox(draw_text.c_str());
}

int Text::get_width()
{
    // Without a font (none loaded) there is nothing to measure with.
    if (!layout || !font)
        return width;
    const FTBBox box = layout_box();
    return int(box.upper.x - box.lower.x);
}

int Text::get_height()
{
    if (!layout || !font)
        return height;
    const FTBBox box = layout_box();
    return int(box.upper.y - box.lower.y);
}

std::string latin1_to_utf8(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (const char byte : text) {
        const uint8_t c = uint8_t(byte);
        if (c < 0x80) {
            out += char(c);
            continue;
        }
        out += char(c < 0xC0 ? 0xC2 : 0xC3);
        out += char(c & 0xBF);
    }
    return out;
}

void Text::update_draw_text()
{
    if (draw_text_ready)
        return;
    draw_text_ready = 1;
    draw_text = latin1_to_utf8(text);
    if (!layout && draw_text.find('\n') != std::string::npos)
        make_layout(width);
}

// Drawing ---------------------------------------------------------------------------------------

void Text::draw()
{
    if (!init_font()) {
        set_visible(false);
        return;
    }
    // A class that found no font has nothing to measure or draw with.
    if (!font)
        return;
    update_draw_text();
    text_color = blend_color;
    if (layout) {
        layout->Render(draw_text.c_str(), -1, FTPoint(x, int(float(y) + font->Ascender())));
        return;
    }
    const FTBBox box = font->BBox(draw_text.c_str());
    const float text_width = float(box.upper.x - box.lower.x);
    float pen_x = float(x);
    float pen_y = float(y) + font->Ascender();
    if (alignment & ALIGN_HCENTER)
        pen_x += 0.5f * (float(width) - text_width);
    else if (alignment & ALIGN_RIGHT)
        pen_x += float(width) - text_width;
    if (alignment & ALIGN_VCENTER)
        pen_y += 0.5f * float(height) - 0.5f * font->LineHeight();
    else if (alignment & ALIGN_BOTTOM)
        pen_y += font->LineHeight();
    font->Render(draw_text.c_str(), -1, FTPoint(int(pen_x), int(pen_y)));
}

// FontInfo ------------------------------------------------------------------------------------------

int FontInfo::get_width(FrameObject* object)
{
    return static_cast<Text*>(object)->get_width();
}

int FontInfo::get_height(FrameObject* object)
{
    return static_cast<Text*>(object)->get_height();
}

void FontInfo::set_width(FrameObject* object, int w)
{
    static_cast<Text*>(object)->set_width(w);
}

void FontInfo::set_scale(FrameObject* object, float scale)
{
    static_cast<Text*>(object)->set_scale(scale);
}
