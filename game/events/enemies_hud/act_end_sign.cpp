// The act's end: running into the last stretch before the frame's right
// edge passes the sign; a card fades in over the HUD while the player runs
// on to the right, and once it is opaque the next frame is requested. The
// same events count the level's ticks.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "game/objects/type_ids.h"

#include <algorithm>

namespace {

constexpr int hud_layer = 6;
constexpr int passed = 1;  // the sign's flag
constexpr int end_stretch = 50;
constexpr int beyond_edge = 20;
constexpr double end_run_speed = 2;
constexpr int act_changed = -1;  // global value 4 on arrival from the act before

ObjectList& movement(Frames& frames) { return frames.instances[types::PlayerMovementValues_80]; }

bool sign_passed(Frames& frames)
{
    return frames.level_group_43 && get_flag(frames.instances[types::Sign_170], passed);
}

void face_right(ObjectList& skins)
{
    for_each_instance(skins, [](FrameObject* skin) { skin->set_direction(0, true); });
}

}  // namespace

void Frames::event_func_1959()
{
    if (!level_group_43)
        return;
    ObjectList& values = movement(*this);
    if (!(get_value(values, 'X') > width - end_stretch) || !(get_value(values, 'B') > 0) ||
        !run_once(run_once_1959, loop_count))
        return;
    Active* card = create_levelcardfade2_32(0, 0);
    create_instance(*this, instances[types::LevelCardFade2_32], card, hud_layer);
    face_right(instances[types::PlayerSkinYelto_102]);
    face_right(instances[types::PlayerSkinYeltoHair_209]);
    face_right(instances[types::PlayerSkinOrrun_290]);
    set_value(values, 'Q', 1);
    set_value(instances[types::PlayerInput_21], 'M', 1);
    card->set_x(new_display_x);
    card->set_y(new_display_y);
    card->set_x_scale(float(global_values->get(16)));
    card->set_y_scale(float(global_values->get(17)));
    set_flag(instances[types::Sign_170], passed, true);
}

void Frames::event_func_1960()
{
    ObjectList& values = movement(*this);
    if (level_group_43 && get_value(values, 'X') > width + beyond_edge)
        set_value(values, 'U', 0);
}

void Frames::event_func_1961()
{
    if (!sign_passed(*this))
        return;
    for_each_instance(instances[types::LevelCardFade2_32],
                      [](FrameObject* card) { set_semi_transparency(*card, semi_transparency(*card) - 2); });
}

void Frames::event_func_1962()
{
    ObjectList& values = movement(*this);
    if (sign_passed(*this) && get_value(values, 'L') == 1)
        set_value(values, 'B', std::max(get_value(values, 'B'), end_run_speed));
}

void Frames::event_func_1963()
{
    if (!sign_passed(*this) || semi_transparency(instance_or_default(instances[types::LevelCardFade2_32])) != 0)
        return;
    global_values->set(4, act_changed);
    next_frame = index + 1;
}

void Frames::event_func_1964()
{
    if (level_group_43)
        global_values->set(3, to_int(global_values->get(3)) + 1);
}
