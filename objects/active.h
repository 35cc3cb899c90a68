// The animated sprite: one image at a time out of a class's table of
// animations x 32 directions x frames, stepped by an animation clock, with a
// sprite collision shape that follows its image, scale and angle.
#pragma once

#include "graphics/color.h"
#include "runtime/collision.h"
#include "runtime/frameobject.h"

#include <string>

class Image;

// The images of one direction of one animation.
struct Direction {
    int index;      // the direction whose images these are
    int min_speed;  // what force_speed(0) maps to
    int max_speed;  // hundredths of a frame per tick
    int back_to;    // where a loop restarts
    int repeat;     // plays; -1 for ever
    Image** frames;
    int frame_count;
};

// Slot d holds direction d's record, the nearest authored direction's, or
// null where two authored directions lie equally near.
struct Animation {
    Direction* dirs[32];
};

struct Animations {
    int count;
    Animation** list;  // null where the class lacks the animation
};

// Points every slot of an animation that holds no record of its own at the
// nearest authored direction's record; ties stay null.
void fill_direction_slots(Animation& animation);

class Active : public FrameObject {
public:
    enum ActiveFlag : int {
        ANIMATION_STOPPED = 1,
        ROTATE_WITH_DIRECTION = 2,
        KEEP_BLENDING = 4,
    };
    // The animation that destroy plays.
    static constexpr int disappearing_animation = 4;
    // Animations 3 and 4 play once even where authored to loop.
    static bool plays_once(int n) { return n == 3 || n == disappearing_animation; }

    int old_aabb[4] = {};  // the box as this tick's update found it
    // Overlap tests see the box this instance had when its update began.
    const int* get_alternate_box() const override { return old_aabb; }
    Animations* animations = nullptr;
    int animation = 0;
    int current_animation = 0;
    int animation_direction = 0;
    int animation_frame = 0;
    int forced_animation = -1;
    int forced_frame = -1;
    int forced_speed = -1;
    int forced_direction = -1;
    int counter = 0;  // hundredths of a frame; compared as unsigned
    int angle = 0;
    float x_scale = 1.0f;
    float y_scale = 1.0f;
    int action_x = 0;
    int action_y = 0;
    int active_flags = 0;
    float flash_time = 0.0f;
    float flash_interval = 0.0f;
    int animation_finished = -1;
    int loop_count = 0;  // plays left; -1 for ever, 0 finished
    SpriteCollision sprite_col;
    Direction* direction_data = nullptr;
    Image* image = nullptr;
    int last_direction = -1;
    float fade_time = 0.0f;
    float fade_duration = 0.0f;

    Active(int x, int y, int type_id);
    ~Active() override;
    void dealloc() override;
    int get_action_x() const override;
    int get_action_y() const override;
    int get_angle() const override;
    void set_angle(int angle, int quality) override;
    void draw() override;
    void set_direction(int dir, bool set_movement) override;
    void destroy() override;
    void flash(float interval) override;
    void set_animation(int animation) override;

    void initialize_active(bool box_collision);
    void update();

    // Queries.
    int get_frame() const;
    int get_speed() const;
    int get_animation_direction() const;
    bool has_animation(int n) const;
    bool test_animation(int n) const;
    bool is_animation_finished(int n) const;

    // Forcing and restoring.
    void force_animation(int n);
    void restore_animation();
    void force_frame(int n);
    void restore_frame();
    void force_speed(int speed);
    void restore_speed();
    void force_direction(int dir);
    void restore_direction();
    void stop_animation();
    void start_animation();

    // Scale and angle.
    void set_scale(float scale);
    void set_x_scale(float scale);
    void set_y_scale(float scale);

    // Pastes the current image, unscaled and unturned, into the layer's background.
    void paste(int collision_type);
    void load(const std::string& path, int anim, int dir, int frame_index, int hot_x, int hot_y,
              int act_x, int act_y, TransparentColor transparent);
    void replace_color(const Color&, const Color&) {}

    // The animation a request for n plays: n, its substitute, or the lowest
    // animation the class has. Never an animation that does not exist,
    // unless the class has none at all (then 0).
    int get_animation(int n) const;
    Direction* get_direction_data();
    void update_direction(Direction* record);
    void update_frame();

private:
    void set_current_animation(int n);
    void update_action_point();
    void set_scales(float x_scale, float y_scale);
    void mark_disappearing();
    void step_clock();
};

// The kind's default instance: a box of size 0 on the default layer, the
// stand-in where an event reads a type that has no instance.
class DefaultActive : public Active {
public:
    DefaultActive();
    ~DefaultActive() override;
};

extern DefaultActive default_active;
