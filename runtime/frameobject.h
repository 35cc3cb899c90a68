// The base of every object instance that a frame holds.
#pragma once

#include "graphics/color.h"
#include "graphics/shader_parameters.h"
#include "runtime/collision.h"
#include "runtime/values.h"

#include <cstdint>
#include <string>
#include <vector>

class Frame;
class Image;
class Layer;
class Movement;

class FrameObject {
public:
    enum Flag : uint32_t {
        VISIBLE = 1,
        DESTROYING = 2,
        SCROLL = 4,  // follows the layer
        FADEOUT = 8,
        BACKGROUND = 0x10,
        GLOBAL = 0x20,  // alterables kept
        INACTIVE = 0x40,
        BACKGROUND_CACHED = 0x80,  // the background-overlap answer is cached...
        BACKGROUND_HIT = 0x100,    // ...and is this bit
        HAS_COLLISION_CACHE = 0x180,
        ALTERNATE_BOX = 0x200,
    };

    int x;
    int y;
    Layer* layer = nullptr;
    uint32_t flags;
    Alterables* alterables = nullptr;
    InstanceCollision* collision = nullptr;
    uint32_t depth = 0;
    FrameObject* layer_next = nullptr;  // links of the layer's depth-ordered list
    FrameObject* layer_prev = nullptr;
    int index = 0;
    int width = 0;
    int height = 0;
    int direction = 0;
    int id;
    Color blend_color;
    int shader = 0;
    Frame* frame = nullptr;
    ShaderParameters* shader_parameters = nullptr;  // null until first needed
    int movement_count = 0;
    Movement** movements = nullptr;
    Movement* movement = nullptr;
    uint32_t collision_events = 0;
    uint32_t fixed_handle = 0;  // 0 until the instance is first carried as a number

    FrameObject(int x, int y, int type_id);
    FrameObject(const FrameObject&) = delete;
    FrameObject& operator=(const FrameObject&) = delete;

    // The thirteen virtual operations, in table order.
    virtual ~FrameObject();
    virtual void dealloc();
    virtual int get_action_x() const;
    virtual int get_action_y() const;
    virtual int get_angle() const;
    virtual void set_angle(int angle, int quality);
    virtual void draw();
    virtual void set_direction(int dir, bool set_movement);
    virtual int get_direction() const;
    virtual void destroy();
    virtual void flash(float interval);
    virtual void set_animation(int animation);
    virtual void set_backdrop_offset(int dx, int dy);
    // The box a kind saved at the start of its update (flag 0x200), which the
    // overlap tests read in place of the shape's box; null when it keeps none.
    virtual const int* get_alternate_box() const { return nullptr; }

    // Positions: set_x/set_y take frame coordinates, set_position local ones.
    void set_x(int frame_x);
    void set_y(int frame_y);
    void set_position(int local_x, int local_y);
    void set_global_position(int frame_x, int frame_y);
    int get_x() const;
    int get_y() const;

    // Depth order and layers.
    void move_back();
    void move_front();
    void move_back(FrameObject* other);
    void move_front(FrameObject* other);
    void set_layer(int index);

    // Overlap tests.
    bool overlaps(FrameObject* other);
    bool overlaps_background();

    void set_visible(bool visible);
    void set_blend_color(int rgb);
    void update_flash(float interval, float& timer);

    void draw_image(Image* image, int x, int y, Color color);
    void draw_image(Image* image, int x, int y, Color color, float angle, float scale_x, float scale_y);
    void begin_draw();
    void end_draw();

    void set_shader(int shader_id);
    const ShaderParameter* find_shader_parameter(uint32_t hash) const;
    double get_shader_parameter(uint32_t hash) const;
    // By name; an empty name sets nothing. A colour is stored as its packed
    // RGBA bits read as a signed number, an image as its texture id.
    ShaderParameter* set_shader_parameter(const std::string& name, double value);
    ShaderParameter* set_shader_parameter(const std::string& name, const Color& color);
    ShaderParameter* set_shader_parameter(const std::string& name, Image& image);
    ShaderParameter* set_shader_parameter(const std::string& name, const std::string& path);

    bool outside_playfield() const;
    bool is_near_border(int margin) const;
    int get_box_index(int side) const;
    bool mouse_over() const;
    bool test_direction(int dir) const;
    bool test_directions(uint32_t mask) const;

    void update_inactive();
    void update_kill();

    void clear_movements();
    void set_movement(int index);
    void advance_movement(int delta);
    Movement* get_movement();
    // Launches shot from this object's action point with a new shot movement;
    // a direction of -1 takes this object's direction.
    void shoot(FrameObject* shot, int speed, int direction);

    void create_alterables();
    FixedValue get_fixed();

private:
    void get_box(int* box) const;
    bool box_outside(const int* area) const;
};

void swap_position(const std::vector<FrameObject*>& instances);
void setup_default_instance(FrameObject* instance);
void draw_gradient(int x1, int y1, int x2, int y2, int type, Color color1, Color color2, int alpha);
