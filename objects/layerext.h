// The layer control: shows, hides, moves, fades and tints the layers of the
// running frame, and orders one layer's instances by an alterable value.
#pragma once

#include "graphics/color.h"
#include "runtime/frameobject.h"

class Layer;

class LayerObject : public FrameObject {
public:
    int current_layer = 0;

    LayerObject(int x, int y, int type_id);
    ~LayerObject() override;
    void dealloc() override;

    void set_layer(int n) { current_layer = n; }
    void hide_layer(int n);
    void show_layer(int n);
    void set_x(int n, int x);
    void set_y(int n, int y);
    void set_position(int n, int x, int y);
    int get_x(int n) const;
    int get_y(int n) const;
    void set_alpha_coefficient(int n, int coefficient);
    void set_rgb(int n, Color color);
    void sort_alt_decreasing(int alterable, double default_value);

    static double get_alterable(const FrameObject& object);
    static bool sort_func(const FrameObject& a, const FrameObject& b);

private:
    // Layer n of the running frame; null, with a console line, when there is none.
    Layer* find_layer(int n) const;

    static int sort_index;
    static double sort_default;
    static bool sort_ascending;
};
