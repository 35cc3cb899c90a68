// A layer of a frame: its instances in depth order, its background objects,
// its scroll and its inactive and kill boxes. Pasted backgrounds, depth moves
// and grid-driven drawing come with the layers and collisions work.
#pragma once

#include "graphics/color.h"
#include "runtime/broadphase.h"

#include <cstdint>
#include <vector>

class FrameObject;

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
    int index = 0;
    int x = 0, y = 0;  // the position part
    UniformGrid grid;
    bool wrap_x = false, wrap_y = false;
    Color color;
    int inactive_box[4] = {};
    int kill_box[4] = {};
    int display = 0;

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

    void add_object(FrameObject* object);
    void remove_object(FrameObject* object);
    void reset_depth();
    void add_background_object(FrameObject* object);
    void remove_background_object(FrameObject* object);

    void draw(int display_x, int display_y);

private:
    void link_last(FrameObject* object);
};

// The layer of the kinds' default instances: invisible and without a grid.
Layer& default_layer();
