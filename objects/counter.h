// A number held between a minimum and a maximum, shown as digit images, as
// one image chosen by the value, or as a vertical or horizontal bar.
#pragma once

#include "graphics/color.h"
#include "runtime/frameobject.h"

#include <string>

class Image;
class OffsetInstanceBox;

class Counter : public FrameObject {
public:
    enum DisplayType { HIDDEN = 0, NUMBERS = 1, VERTICAL_BAR = 2, ANIMATION = 3, HORIZONTAL_BAR = 4 };
    // Entries of `images` after the ten digits, for display type 1.
    enum Glyph { MINUS_IMAGE = 10, PLUS_IMAGE = 11, POINT_IMAGE = 12, EXP_IMAGE = 13 };

    int image_count = 0;
    Image** images = nullptr;  // the class's table
    double value = 0.0;
    int minimum = 0, maximum = 0;
    std::string text;
    int display_type = HIDDEN;
    float flash_time = 0.0f, flash_interval = 0.0f;
    int gradient_type = 0;
    Color color1, color2;
    int digits = 0;  // 0: no filling

    Counter(int x, int y, int type_id);
    ~Counter() override;
    void dealloc() override;
    void draw() override;
    void flash(float interval) override;

    void set(double v);
    void add(double d) { set(value + d); }
    void subtract(double d) { set(value - d); }
    void set_max(int m);
    void set_min(int m);

    Image* get_image(char c) const;
    // The display-type-3 image of the current value; null without images.
    Image* get_image() const;
    void calculate_box();
    void update();

private:
    OffsetInstanceBox* box() const;
    void format_text();
    void draw_numbers();
    void draw_bar(bool vertical);
};
