#include "objects/counter.h"

#include "base/pools.h"
#include "graphics/image.h"
#include "runtime/collision.h"

#include <sstream>

namespace {

// Display type 1's characters and their entries of the image table.
struct GlyphEntry {
    char c;
    int image;
};
constexpr GlyphEntry glyph_table[] = {
    {'0', 0}, {'1', 1}, {'2', 2}, {'3', 3}, {'4', 4}, {'5', 5}, {'6', 6},
    {'7', 7}, {'8', 8}, {'9', 9}, {'-', Counter::MINUS_IMAGE}, {'+', Counter::PLUS_IMAGE},
    {'.', Counter::POINT_IMAGE}, {'e', Counter::EXP_IMAGE},
};

int glyph_index(char c)
{
    for (const GlyphEntry& entry : glyph_table)
        if (entry.c == c)
            return entry.image;
    return -1;
}

}  // namespace

Counter::Counter(int x, int y, int type_id) : FrameObject(x, y, type_id) {}

Counter::~Counter()
{
    delete collision;
    collision = nullptr;
}

void Counter::dealloc()
{
    this->~Counter();
    object_pool<Counter>.destroy(this);
}

OffsetInstanceBox* Counter::box() const
{
    return static_cast<OffsetInstanceBox*>(collision);
}

void Counter::flash(float interval)
{
    flash_interval = interval;
    flash_time = 0.0f;
}

void Counter::update()
{
    update_flash(flash_interval, flash_time);
}

// Values -----------------------------------------------------------------------------

void Counter::set(double v)
{
    const double capped = v > maximum ? double(maximum) : v;
    // Written so that a minimum above the maximum wins and NaN becomes the minimum.
    value = capped - minimum >= 0.0 ? capped : double(minimum);
    if (display_type == HIDDEN)
        return;
    if (!collision)
        collision = new OffsetInstanceBox(this);
    if (display_type == NUMBERS) {
        format_text();
        calculate_box();
    } else if (display_type == ANIMATION) {
        calculate_box();
    }
}

void Counter::set_max(int m)
{
    maximum = m;
    set(value);
}

void Counter::set_min(int m)
{
    minimum = m;
    set(value);
}

void Counter::format_text()
{
    std::ostringstream stream;
    stream << value;
    text = stream.str();
    // The fill stands before a minus sign too: -5 with 3 digits is "0-5".
    if (digits > 0 && int(text.size()) < digits)
        text.insert(0, size_t(digits) - text.size(), '0');
}

// Images and box -----------------------------------------------------------------------

Image* Counter::get_image(char c) const
{
    const int index = glyph_index(c);
    if (index < 0 || !images || !images[index])
        return nullptr;
    images[index]->load();
    return images[index];
}

Image* Counter::get_image() const
{
    if (!images || image_count <= 0)
        return nullptr;
    int index = 0;
    if (maximum > minimum)
        index = int((value - minimum) * (image_count - 1) / (double(maximum) - minimum));
    Image* image = images[index];
    if (image)
        image->load();
    return image;
}

void Counter::calculate_box()
{
    if (display_type == NUMBERS) {
        int w = 0, h = 0;
        for (const char c : text) {
            if (const Image* image = get_image(c)) {
                w += image->width;
                h = image->height > h ? image->height : h;
            }
        }
        width = w;
        height = h;
        // The number ends at the object's position.
        box()->set_offset(-w, -h);
    } else if (display_type == ANIMATION) {
        const Image* image = get_image();
        width = image ? image->width : 0;
        height = image ? image->height : 0;
        box()->update_aabb();
    }
}

// Drawing ------------------------------------------------------------------------------

void Counter::draw()
{
    switch (display_type) {
    case NUMBERS:
        draw_numbers();
        break;
    case VERTICAL_BAR:
        draw_bar(true);
        break;
    case ANIMATION:
        if (Image* image = get_image())
            image->draw(x + image->hotspot_x, y + image->hotspot_y, blend_color);
        break;
    case HORIZONTAL_BAR:
        draw_bar(false);
        break;
    default:
        break;
    }
}

void Counter::draw_numbers()
{
    // Right-aligned on the position, bottom on the object's y.
    double pen = x;
    for (auto c = text.rbegin(); c != text.rend(); ++c) {
        Image* image = get_image(*c);
        if (!image)
            continue;
        image->draw(int(pen + image->hotspot_x - image->width), y + image->hotspot_y - image->height,
                    blend_color);
        pen -= image->width;
    }
}

void Counter::draw_bar(bool vertical)
{
    // Without a range the fill has no proportion to show.
    if (maximum <= minimum)
        return;
    const double range = double(maximum) - minimum;
    if (vertical) {
        const int h = int((value - minimum) * height / range);
        draw_gradient(x, y + height - h, x + width, y + height, gradient_type, color1, color2,
                      blend_color.a);
    } else {
        const int w = int((value - minimum) * width / range);
        draw_gradient(x, y, x + w, y + height, gradient_type, color1, color2, blend_color.a);
    }
}
