// Text drawn from a bitmap font: a grid of equal cells in one image and a
// character map that says which character sits in which cell.
#pragma once

#include "graphics/color.h"
#include "graphics/image.h"
#include "runtime/frameobject.h"

#include <string>
#include <vector>

struct LineReference {
    const char* start;  // inside the blitter's text
    int length;
};

class TextBlitter : public FrameObject {
public:
    enum Alignment : int {
        ALIGN_LEFT = 1,
        ALIGN_HCENTER = 2,
        ALIGN_RIGHT = 4,
        ALIGN_TOP = 16,
        ALIGN_BOTTOM = 32,
        ALIGN_VCENTER = 64,
    };
    enum Animation { NO_ANIMATION = 0, WAVE_ANIMATION = 1 };

    std::vector<LineReference> lines;
    std::string text;
    int char_width = 0, char_height = 0;
    int char_offset = 0;
    Image* image = nullptr;
    const std::string* charmap = nullptr;
    int* charmap_table = nullptr;  // 256 cells, -1 where a code is not mapped
    float flash_time = 0.0f, flash_interval = 0.0f;
    int alignment = 0;
    int x_spacing = 0, y_spacing = 0;
    int x_scroll = 0, y_scroll = 0;
    int image_x = 0, image_y = 0;
    uint8_t shared_charmap = 1;  // the map and table belong to the class
    uint8_t wrap = 0;
    int grid_width = 0;
    int animation_type = NO_ANIMATION;
    int animation_speed = 0;
    int animation_counter = 0;
    int wave_length = 0, wave_amplitude = 0;
    TransparentColor transparent_color;
    uint8_t char_callback = 0;
    int drawn_lines = 0;
    int callback_line = 0, callback_char = 0, callback_fade = 0;
    Image* replaced_image = nullptr;
    ReplacedImages replacements;

    TextBlitter(int x, int y, int type_id);
    ~TextBlitter() override;
    void dealloc() override;
    void draw() override;
    void flash(float interval) override;
    // Lets a subclass recolour the character being drawn through callback_fade.
    virtual void call_char_callback() {}

    void initialize(const std::string& map);
    void set_charmap(const std::string& map);
    const std::string& get_charmap() const;
    std::string get_map_char(int i) const;
    void load(const std::string& path);
    void set_transparent_color(int rgb);
    void replace_color(const Color& from, const Color& to);

    void set_text(const std::string& value);
    void append_text(const std::string& value);
    std::string get_line(int i) const;
    int get_line_count() const;

    void set_x_spacing(int value) { x_spacing = value; }
    void set_y_spacing(int value) { y_spacing = value; }
    void set_x_scroll(int value) { x_scroll = value; }
    void set_y_scroll(int value) { y_scroll = value; }
    void set_x_align(int a);
    void set_y_align(int a);
    int get_x_align() const;
    int get_y_align() const;
    void set_width(int w);
    void set_height(int h);
    void set_animation_type(int type) { animation_type = type; }
    void set_animation_parameter(int which, int value);

    void update();
    void update_lines();

private:
    void apply_replacements();
    int wave_offset(int k) const;
    void draw_line(const LineReference& line, int line_index, int top, const Image* source,
                   int row_width);
};

// The kind's stand-in for a type without instances.
class DefaultBlitter : public TextBlitter {
public:
    DefaultBlitter();
    ~DefaultBlitter() override = default;
};

extern DefaultBlitter default_blitter;
