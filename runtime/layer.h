// A layer of a frame: its instances in depth order, its background objects,
// its scroll, its grid, its pasted backgrounds and its inactive and kill boxes.
#pragma once

#include "graphics/color.h"
#include "runtime/broadphase.h"
#include "runtime/collision.h"

#include <cstdint>
#include <vector>

class FrameObject;
class Image;

// The images pasted into a layer: drawn items and collision items, in paste
// order. It owns its items.
class Background {
public:
    std::vector<BackgroundItem*> items;
    std::vector<BackgroundItem*> col_items;

    Background() = default;
    ~Background();
    Background(const Background&) = delete;
    Background& operator=(const Background&) = delete;

    void paste(Image* image, int x, int y, int src_x, int src_y, int width, int height, int collision_type,
               const Color& color);
    void draw(const int* view_box);
    // The first pasted obstacle (ladders skipped) that the shape meets, or null.
    BackgroundItem* overlaps(const CollisionBase* shape);
};

void clear_back_vec(std::vector<BackgroundItem*>& items);

class Layer {
public:
    int off_x = 0, off_y = 0;        // scroll plus position
    int scroll_x = 0, scroll_y = 0;  // the scroll part
    int instance_count = 0;
    FrameObject* first = nullptr;  // ascending depth: first is drawn first
    FrameObject* last = nullptr;
    std::vector<FrameObject*> background_objects;
    bool visible = true;
    double coef_x = 1.0, coef_y = 1.0;
    Background* back = nullptr;
    int index = 0;
    int x = 0, y = 0;  // the position part
    UniformGrid grid;
    bool wrap_x = false, wrap_y = false;
    Color color;
    int inactive_box[4] = {};
    int kill_box[4] = {};
    int display = 0;
    // The instances a draw collects; kept between draws so drawing does not allocate.
    std::vector<FrameObject*> draw_list;

    static constexpr uint32_t first_depth = 2147483647u;
    static constexpr uint32_t depth_step = 100000u;

    Layer();
    // Layers are built in place in the frame's vector: a copy is a fresh layer.
    Layer(const Layer&);
    Layer& operator=(const Layer&) { return *this; }
    ~Layer();

    void init(int index, double coef_x, double coef_y, bool visible, bool wrap_x, bool wrap_y);
    void update_position();
    void scroll(int scroll_x, int scroll_y, int dx, int dy);
    void set_position(int x, int y);

    // Appends at the front end of the depth order (drawn last).
    void add_object(FrameObject* object);
    // Prepends at the back end (drawn first).
    void add_object_back(FrameObject* object);
    void remove_object(FrameObject* object);
    void reset_depth();
    void add_background_object(FrameObject* object);
    void remove_background_object(FrameObject* object);
    // Depth moves relative to another instance of this layer.
    void move_behind(FrameObject* object, FrameObject* other);
    void move_in_front(FrameObject* object, FrameObject* other);

    void draw(int display_x, int display_y);
    // The view box of a draw in layer-local pixels.
    void get_view_box(int display_x, int display_y, int* box) const;
    // Fills draw_list with the visible instances under the box: background
    // objects first, then by ascending depth.
    void collect_instances(const int* box);
    // A colour other than white in R, G or B tints the screen after the layer.
    bool has_tint() const;

    void paste(Image* image, int x, int y, int src_x, int src_y, int width, int height, int collision_type,
               const Color& color);

private:
    // Moves the instances that do not follow the layer (flag 4 clear) by
    // (dx, dy) in local pixels, so that they keep their place.
    void shift_unattached(int dx, int dy);
    void link_before(FrameObject* object, FrameObject* next);
    // Links the object before `next` at `depth`; when that depth does not fit
    // it links at 0 and renumbers the layer.
    void link_at_depth(FrameObject* object, FrameObject* next, bool fits, uint32_t depth);
    void draw_tint();
};

// The layer of the kinds' default instances: invisible and without a grid.
Layer& default_layer();
