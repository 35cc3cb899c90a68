#include "objects/textblitter.h"

#include "base/pools.h"
#include "graphics/render.h"
#include "runtime/values.h"

#include "console/os.h"

#include <cmath>

namespace {

int clamp_to(int value, int high)
{
    if (value > high)
        value = high;
    return value < 0 ? 0 : value;
}

}  // namespace

TextBlitter::TextBlitter(int x, int y, int type_id) : FrameObject(x, y, type_id)
{
    collision = new InstanceBox(this);
}

TextBlitter::~TextBlitter()
{
    if (!shared_charmap) {
        delete[] charmap_table;
        delete charmap;
    }
    delete collision;
    collision = nullptr;
}

void TextBlitter::dealloc()
{
    this->~TextBlitter();
    object_pool<TextBlitter>.destroy(this);
}

void TextBlitter::flash(float interval)
{
    flash_interval = interval;
    flash_time = 0.0f;
}

// Character map -------------------------------------------------------------------------

void TextBlitter::initialize(const std::string& map)
{
    for (int i = 0; i < 256; ++i)
        charmap_table[i] = -1;
    for (size_t k = 0; k < map.size(); ++k)
        charmap_table[uint8_t(map[k])] = int(k);
}

void TextBlitter::set_charmap(const std::string& map)
{
    if (shared_charmap) {
        // The class's table stays as it is for its other instances.
        charmap_table = new int[256];
        shared_charmap = 0;
    } else {
        delete charmap;
    }
    charmap = new std::string(map);
    initialize(map);
}

const std::string& TextBlitter::get_charmap() const
{
    return charmap ? *charmap : shared_empty_string();
}

std::string TextBlitter::get_map_char(int i) const
{
    const std::string& map = get_charmap();
    if (map.empty())
        return std::string();
    const int last = int(map.size()) - 1;
    return std::string(1, map[size_t(i < 0 ? 0 : i > last ? last : i)]);
}

// Image ---------------------------------------------------------------------------------

void TextBlitter::load(const std::string& path)
{
    FileImage* loaded = get_image_cache(path, 0, 0, 0, 0, transparent_color);
    if (!loaded) {
        OSReport("Could not load Text Blitter image %s\n", printable_text(path).c_str());
        return;
    }
    image = loaded;
}

void TextBlitter::set_transparent_color(int rgb)
{
    transparent_color = TransparentColor(rgb & 255, (rgb >> 8) & 255, (rgb >> 16) & 255, 255);
    if (image && (image->flags & Image::FILE_IMAGE))
        static_cast<FileImage*>(image)->set_transparent_color(transparent_color);
}

void TextBlitter::replace_color(const Color& from, const Color& to)
{
    replacements.replace(from, to);
}

void TextBlitter::apply_replacements()
{
    if (replacements.count == 0 || !image)
        return;
    replaced_image = replacements.apply(replaced_image ? replaced_image : image, image);
}

// Text and lines --------------------------------------------------------------------------

void TextBlitter::set_text(const std::string& value)
{
    if (value == text && !lines.empty())
        return;
    text = value;
    update_lines();
}

void TextBlitter::append_text(const std::string& value)
{
    text += value;
    update_lines();
}

std::string TextBlitter::get_line(int i) const
{
    if (i < 0 || i >= int(lines.size()) || lines[size_t(i)].length == 0)
        return std::string();
    return std::string(lines[size_t(i)].start, size_t(lines[size_t(i)].length));
}

int TextBlitter::get_line_count() const
{
    return int(lines.size());
}

void TextBlitter::update_lines()
{
    lines.clear();
    if (text.empty()) {
        lines.push_back({nullptr, 0});
        return;
    }
    const char* data = text.data();
    const int size = int(text.size());
    const int step = char_width + x_spacing;
    // Once a cell did not fit on an empty line, the first byte of every
    // later line is taken unmeasured, so that a cell wider than the object
    // still makes progress.
    bool forced = false;
    int start = 0, count = 0;
    int after_space = -1, count_with_space = 0;  // the last space of the line
    bool skipped_space = false;
    int i = 0;
    const auto end_line = [&](int line_count, int next) {
        lines.push_back({data + start, line_count});
        start = i = next;
        count = 0;
        after_space = -1;
        skipped_space = false;
    };
    while (i < size) {
        const char c = data[i];
        if (c == '\n') {
            end_line(count, i + 1);
            continue;
        }
        if (c == '\r') {
            ++i;
            continue;
        }
        const bool measured = !(forced && count == 0);
        if (wrap && measured && (count + 1) * step > width) {
            if (count == 0)
                forced = true;
            if (c == ' ')
                end_line(count, i + 1);
            else if (after_space >= 0)
                end_line(count_with_space, after_space);
            else
                end_line(count, i);
            continue;
        }
        if (wrap && c == ' ' && i == start && !lines.empty() && !skipped_space) {
            skipped_space = true;
            start = ++i;
            continue;
        }
        ++count;
        if (c == ' ') {
            after_space = i + 1;
            count_with_space = count;
        }
        ++i;
    }
    lines.push_back({data + start, count});
}

// Settings --------------------------------------------------------------------------------

void TextBlitter::set_x_align(int a)
{
    static const int flags_of[3] = {ALIGN_LEFT, ALIGN_HCENTER, ALIGN_RIGHT};
    alignment &= ~(ALIGN_LEFT | ALIGN_HCENTER | ALIGN_RIGHT);
    if (a >= 0 && a <= 2)
        alignment |= flags_of[a];
}

void TextBlitter::set_y_align(int a)
{
    static const int flags_of[3] = {ALIGN_TOP, ALIGN_VCENTER, ALIGN_BOTTOM};
    alignment &= ~(ALIGN_TOP | ALIGN_BOTTOM | ALIGN_VCENTER);
    if (a >= 0 && a <= 2)
        alignment |= flags_of[a];
}

int TextBlitter::get_x_align() const
{
    if (alignment & ALIGN_LEFT)
        return 0;
    if (alignment & ALIGN_HCENTER)
        return 1;
    if (alignment & ALIGN_RIGHT)
        return 2;
    return 0;
}

int TextBlitter::get_y_align() const
{
    if (alignment & ALIGN_TOP)
        return 0;
    if (alignment & ALIGN_VCENTER)
        return 1;
    if (alignment & ALIGN_BOTTOM)
        return 2;
    return 0;
}

void TextBlitter::set_width(int w)
{
    if (w == width)
        return;
    width = w;
    collision->update_aabb();
    update_lines();
}

void TextBlitter::set_height(int h)
{
    height = h;
    collision->update_aabb();
}

void TextBlitter::set_animation_parameter(int which, int value)
{
    if (which == 1)
        wave_length = value;
    else if (which == 2)
        wave_amplitude = value;
    else
        OSReport("Invalid Text Blitter parameter: %d\n", which);
}

void TextBlitter::update()
{
    apply_replacements();
    update_flash(flash_interval, flash_time);
    if (animation_type == WAVE_ANIMATION)
        ++animation_counter;
}

// Drawing -----------------------------------------------------------------------------------

void TextBlitter::draw()
{
    drawn_lines = int(lines.size());
    apply_replacements();
    Image* source = replaced_image ? replaced_image : image;
    if (!source)
        return;
    source->upload_texture();
    // An empty image, an empty cell or a grid narrower than one cell has
    // nothing to cut cells from.
    const int row_width = char_width > 0 ? grid_width / char_width * char_width : 0;
    if (!source->texture || source->width <= 0 || source->height <= 0 || char_height <= 0 || row_width <= 0 ||
        !charmap_table)
        return;
    begin_draw();
    const int line_step = char_height + y_spacing;
    int top = y + y_scroll;
    if (alignment & ALIGN_VCENTER) {
        const int count = drawn_lines;
        top += height / 2 - int(unsigned(count * char_height) / 2u) - (count - 1) * y_spacing;
    }
    for (int n = 0; n < drawn_lines; ++n) {
        if (top > y - line_step && top < y + height)
            draw_line(lines[size_t(n)], n, top, source, row_width);
        top += line_step;
    }
    end_draw();
}

int TextBlitter::wave_offset(int k) const
{
    // Without a speed or a length there is no wave to follow.
    if (animation_speed == 0 || wave_length == 0)
        return 0;
    const int phase = animation_counter / animation_speed + (char_width + x_spacing) * k;
    return int(std::sin(double(phase) / wave_length) * wave_amplitude);
}

void TextBlitter::draw_line(const LineReference& line, int line_index, int top, const Image* source,
                            int row_width)
{
    const int cell_step = char_width + x_spacing;
    int pen = x + x_scroll;
    if (alignment & ALIGN_HCENTER)
        pen += (width - line.length * cell_step) / 2;
    else if (alignment & ALIGN_RIGHT)
        pen += width - line.length * cell_step;
    const float image_width = float(source->width), image_height = float(source->height);
    for (int k = 0; k < line.length; ++k) {
        const int code = uint8_t(line.start[k]);
        const int cell = charmap_table[(code - char_offset) & 255];
        const int p = cell * char_width;
        const int row = p / row_width;
        const int column = p - row * row_width;
        const int src_x = clamp_to(column + image_x, source->width);
        const int src_y = clamp_to(row * char_height + image_y, source->height);

        Color color = blend_color;
        int cell_top = top;
        if (animation_type == WAVE_ANIMATION) {
            cell_top += wave_offset(k);
        } else if (char_callback) {
            callback_line = line_index;
            callback_char = k;
            callback_fade = 0;
            call_char_callback();
            color.a = clamp_color_component(256 - 2 * callback_fade);
        }
        Render::draw_tex_region(pen, cell_top, pen + char_width, cell_top + char_height, color,
                                source->texture, float(src_x) / image_width,
                                float(src_y) / image_height, float(src_x + char_width) / image_width,
                                float(src_y + char_height) / image_height);
        pen += cell_step;
    }
}

// Default instance ----------------------------------------------------------------------------

DefaultBlitter::DefaultBlitter() : TextBlitter(0, 0, 0)
{
    // The box the constructor made is already the default's shape.
    setup_default_instance(this);
    create_alterables();
    image = &empty_image;
}

DefaultBlitter default_blitter;
