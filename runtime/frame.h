// The running frame (level or screen) and the per-frame code object.
#pragma once

#include "graphics/color.h"
#include "runtime/layer.h"
#include "runtime/lists.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class Frame;
class Frames;
class FrameObject;
class GlobalStrings;
class GlobalValues;

class FrameData {
public:
    std::string name;
    Frame* frame = nullptr;

    virtual void event_callback(int) {}
    virtual void init() {}
    virtual void on_start() {}
    virtual void on_end() {}
    virtual void on_app_end() {}
    virtual void handle_events() {}
    virtual void handle_pre_events() {}
};

// A named fast loop: one pass of it, and where its running flag and pass
// index live in the frames object.
struct DynamicLoop {
    void (Frames::*entry)();
    bool* running;
    int* index;
};

class LoopMap : public std::unordered_map<std::string, DynamicLoop> {
public:
    LoopMap() : std::unordered_map<std::string, DynamicLoop>(11) {}
};

class Frame {
public:
    static constexpr int screen_width = 426;
    static constexpr int screen_height = 240;

    int width = 0, height = 0;
    int virtual_width = 0, virtual_height = 0;
    int index = -1;
    Color background_color;
    LoopMap* loops = nullptr;
    FrameData* data = nullptr;
    InstanceMap instances;
    std::vector<FrameObject*> destroyed_instances;
    std::vector<Layer> layers;
    GlobalValues* global_values = nullptr;
    GlobalStrings* global_strings = nullptr;
    int display_x = 0, display_y = 0;
    int new_display_x = 0, new_display_y = 0;
    int next_frame = -1;
    int loop_count = 0;
    double frame_time = 0.0;
    int timer_base = 0;  // the speed setting
    float timer_mul = 0.0f;
    FrameObject* col_instance_1 = nullptr;
    FrameObject* col_instance_2 = nullptr;

    Frame() = default;
    virtual ~Frame() = default;
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;

    virtual void update_objects() {}
    virtual void set_index(int index) = 0;
    virtual void load_static_images() {}

    int update();
    void draw(int mode);
    void reset();
    void clean_instances();
    FrameObject* add_object(FrameObject* object, Layer* layer);
    FrameObject* add_object(FrameObject* object, int layer_index);
    void add_background_object(FrameObject* object, int layer_index);
    // Moves an instance to another layer, keeping its frame position.
    void set_object_layer(FrameObject* object, int layer_index);

    // One collision event: the callback runs for every contact that begins,
    // with the pair in col_instance_1 and col_instance_2.
    using CollisionCallback = void (Frame::*)();
    void test_collisions(ObjectList& a, ObjectList& b, int mask_a, int mask_b, CollisionCallback callback);
    void test_collisions(QualifierList& a, ObjectList& b, int mask_a, int mask_b, CollisionCallback callback);
    void test_collisions(QualifierList& a, QualifierList& b, int mask_a, int mask_b, CollisionCallback callback);
    // The first background shape under the frame point, or null.
    CollisionBase* test_background_collision(int x, int y);
    bool test_obstacle(int x, int y);
    bool test_ladder(int x, int y);

    // Asks for a view centred on (x, y) from the end of the tick; an axis
    // given as nullopt stays where it is. Every int is a centre, -1 too: a
    // camera left of the frame still asks for the frame's left edge.
    void set_display_center(std::optional<int> x, std::optional<int> y);
    void update_display_center();
    void restart() { next_frame = -2; }
    void set_lives(int lives);
    int get_mouse_x() const;
    int get_mouse_y() const;
    // A named loop of the current frame; null when the name is not registered.
    const DynamicLoop* find_loop(const std::string& name) const;

private:
    template <class SideA, class SideB>
    void run_collisions(SideA& a, SideB& b, uint32_t mask_a, uint32_t mask_b, CollisionCallback callback);
};
