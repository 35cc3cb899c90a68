// From the camera controller's values to the view of the tick: the limits of
// the act, the boss arena and the sign post, the current camera mode's
// loop, the centre eased back inside the limits, the look offsets decaying,
// the shake, the view offsets held inside the limits and near the player,
// and the view request. Every event acts only while play and the camera
// (off in cut-scenes) are on.
#include "game/events/enemies_hud/camera_limits.h"

#include "base/convert.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/frames/string_constants.h"
#include "game/objects/type_ids.h"

#include <algorithm>
#include <cmath>

namespace {

bool camera_on(const Frames& frames) { return frames.level_group_43 && frames.level_group_8; }

ObjectList& camera(Frames& frames) { return frames.instances[types::MasterCamera_190]; }

double camera_value(Frames& frames, char name) { return get_value(camera(frames), name); }

const FrameObject& marker(Frames& frames, int type) { return instance_or_default(frames.instances[type]); }

const FrameObject& sign(Frames& frames) { return instance_or_default(frames.instances[types::Sign_170]); }

void set_limits(Frames& frames, double left, double top, double right, double bottom)
{
    ObjectList& controller = camera(frames);
    set_value(controller, 'C', left);
    set_value(controller, 'D', top);
    set_value(controller, 'E', right);
    set_value(controller, 'F', bottom);
}

// One axis of the view: the camera centre, its low and high limits, its
// look offset, its view offset, half the view, and the player's position.
struct Axis {
    char centre, low, high, look, offset, half, player;
    int shake_event;
};

constexpr Axis horizontal = {'A', 'C', 'E', 'G', 'S', 'X', 'X', 2123};
constexpr Axis vertical = {'B', 'D', 'F', 'H', 'T', 'Y', 'Y', 2128};

// Events 2123 and 2128: the look offset with the shake around it; a number
// is drawn every tick, also without shake.
void shake(Frames& frames, const Axis& axis)
{
    const double z = camera_value(frames, 'Z');
    const int r = randrange_event(axis.shake_event, to_int(2 * z));
    set_value(camera(frames), axis.offset, camera_value(frames, axis.look) - z + r);
}

// Events 2124 and 2129: near the low limit the view does not look past it.
void hold_at_low_limit(Frames& frames, const Axis& axis)
{
    const double centre = camera_value(frames, axis.centre), look = camera_value(frames, axis.look);
    const double edge = camera_value(frames, axis.low) + camera_value(frames, axis.half);
    if (centre <= edge - look)
        set_value(camera(frames), axis.offset, std::min(std::max(edge - centre, look), 0.0));
}

// Events 2125 and 2130: near the high limit likewise.
void hold_at_high_limit(Frames& frames, const Axis& axis)
{
    const double centre = camera_value(frames, axis.centre), look = camera_value(frames, axis.look);
    const double edge = camera_value(frames, axis.high) - camera_value(frames, axis.half);
    if (centre >= edge - look)
        set_value(camera(frames), axis.offset, std::max(std::min(edge - centre, look), 0.0));
}

// Events 2126, 2127 and 2131, 2132: an offset never takes the view further
// from the player than the centre is.
void keep_near_player(Frames& frames, const Axis& axis, bool positive)
{
    const double offset = camera_value(frames, axis.offset);
    const double lead =
        camera_value(frames, axis.centre) - get_value(frames.instances[types::PlayerMovementValues_80], axis.player);
    if (positive && offset > 0)
        set_value(camera(frames), axis.offset, std::min(std::max(offset - lead, 0.0), offset));
    if (!positive && offset < 0)
        set_value(camera(frames), axis.offset, std::max(std::min(offset - lead, 0.0), offset));
}

// Events 2111 to 2118: a value moved by 2 a tick towards a bound, never past it.
void step_up_to(ObjectList& controller, char name, double bound)
{
    if (get_value(controller, name) < bound)
        set_value(controller, name, std::min(get_value(controller, name) + 2, bound));
}

void step_down_to(ObjectList& controller, char name, double bound)
{
    if (get_value(controller, name) > bound)
        set_value(controller, name, std::max(get_value(controller, name) - 2, bound));
}

// Events 2119 to 2122: outside mode 0 a look offset returns to 0 by 4 a
// tick, from above or from below.
void look_offset_decays(Frames& frames, char name, bool from_above)
{
    ObjectList& controller = camera(frames);
    if (!(get_value(controller, 'M') > 0))
        return;
    const double look = get_value(controller, name);
    if (from_above && look > 0)
        set_value(controller, name, std::max(look - 4, 0.0));
    if (!from_above && look < 0)
        set_value(controller, name, std::min(look + 4, 0.0));
}

}  // namespace

// The limit rectangles and the view request are the same in both acts; act 2
// widens the right side by a margin.
void set_open_limits(Frames& frames, const FrameObject& sign, double right_margin)
{
    set_limits(frames, 0, 0, sign.get_x() + camera_value(frames, 'X') + right_margin, frames.height);
}

void set_arena_limits(Frames& frames, double right_margin)
{
    set_limits(frames, std::min(marker(frames, types::CameraLimitBossLeft_165).get_x(), frames.new_display_x),
               std::min(marker(frames, types::CameraLimitBossTop_167).get_y(), frames.new_display_y),
               std::max(double(frames.new_display_x + frames.screen_width),
                        marker(frames, types::CameraLimitBossRight_166).get_x() + right_margin),
               std::max(marker(frames, types::CameraLimitBossBottom_168).get_y(),
                        frames.new_display_y + frames.screen_height));
}

void set_sign_limits(Frames& frames, const FrameObject& sign, double right_margin)
{
    const double x = sign.get_x(), y = sign.get_y(), half = camera_value(frames, 'X');
    set_limits(frames, x - half, y - 160, x + half + right_margin, y + 80);
}

void place_view(Frames& frames, double x_shift)
{
    frames.set_display_center(to_int(std::floor(camera_value(frames, 'A') + camera_value(frames, 'S')) + x_shift),
                              std::nullopt);
    frames.set_display_center(std::nullopt,
                              to_int(std::floor(camera_value(frames, 'B') + camera_value(frames, 'T'))));
    set_value(camera(frames), 'Z', std::max(camera_value(frames, 'Z') - 0.1, 0.0));
}

void Frames::event_func_2105()
{
    if (!camera_on(*this))
        return;
    for (const int type : {types::CameraTriggerBoss_169, types::CameraLimitBossLeft_165, types::CameraLimitBossRight_166,
                           types::CameraLimitBossBottom_168, types::CameraLimitBossTop_167})
        for_each_instance(instances[type], [](FrameObject* object) {
            if (object->outside_playfield())
                object->destroy();
        });
}

void Frames::event_func_2106()
{
    if (!camera_on(*this) || camera_value(*this, 'U') != 0 || !(global_values->get(4) < 10))
        return;
    if (run_once(run_once_2106, loop_count))
        set_open_limits(*this, sign(*this), 0);
}

void Frames::event_func_2107()
{
    if (!camera_on(*this) || camera_value(*this, 'U') != 0 || !(global_values->get(4) >= 10))
        return;
    if (run_once(run_once_2107, loop_count))
        set_limits(*this, sign(*this).get_x() - camera_value(*this, 'X'), 0, width + 50, height);
}

void Frames::event_func_2108()
{
    if (!camera_on(*this) || camera_value(*this, 'U') != 1 || !run_once(run_once_2108, loop_count))
        return;
    set_arena_limits(*this, 0);
}

void Frames::event_func_2109()
{
    if (!camera_on(*this) || camera_value(*this, 'U') != 2 || !run_once(run_once_2109, loop_count))
        return;
    set_sign_limits(*this, sign(*this), 0);
}

void Frames::event_func_2110()
{
    if (camera_on(*this))
        run_named_loop(string_constant(STR_CAMERA_MODE) + fast_dtoa(camera_value(*this, 'M')), 1);
}

void Frames::event_func_2111()
{
    if (camera_on(*this) && camera_value(*this, 'U') == 1)
        step_up_to(camera(*this), 'C', marker(*this, types::CameraLimitBossLeft_165).get_x());
}

void Frames::event_func_2112()
{
    if (camera_on(*this) && camera_value(*this, 'U') == 1)
        step_down_to(camera(*this), 'E', marker(*this, types::CameraLimitBossRight_166).get_x());
}

void Frames::event_func_2113()
{
    if (camera_on(*this) && camera_value(*this, 'U') == 1)
        step_up_to(camera(*this), 'D', marker(*this, types::CameraLimitBossTop_167).get_y());
}

void Frames::event_func_2114()
{
    if (camera_on(*this) && camera_value(*this, 'U') == 1)
        step_down_to(camera(*this), 'F', marker(*this, types::CameraLimitBossBottom_168).get_y());
}

void Frames::event_func_2115()
{
    if (camera_on(*this))
        step_up_to(camera(*this), 'A', camera_value(*this, 'C') + camera_value(*this, 'X'));
}

void Frames::event_func_2116()
{
    if (camera_on(*this))
        step_down_to(camera(*this), 'A', camera_value(*this, 'E') - camera_value(*this, 'X'));
}

void Frames::event_func_2117()
{
    if (camera_on(*this))
        step_up_to(camera(*this), 'B', camera_value(*this, 'D') + camera_value(*this, 'Y'));
}

void Frames::event_func_2118()
{
    if (camera_on(*this))
        step_down_to(camera(*this), 'B', camera_value(*this, 'F') - camera_value(*this, 'Y'));
}

void Frames::event_func_2119()
{
    if (camera_on(*this))
        look_offset_decays(*this, 'G', true);
}

void Frames::event_func_2120()
{
    if (camera_on(*this))
        look_offset_decays(*this, 'G', false);
}

void Frames::event_func_2121()
{
    if (camera_on(*this))
        look_offset_decays(*this, 'H', true);
}

void Frames::event_func_2122()
{
    if (camera_on(*this))
        look_offset_decays(*this, 'H', false);
}

void Frames::event_func_2123()
{
    if (camera_on(*this))
        shake(*this, horizontal);
}

void Frames::event_func_2124()
{
    if (camera_on(*this))
        hold_at_low_limit(*this, horizontal);
}

void Frames::event_func_2125()
{
    if (camera_on(*this))
        hold_at_high_limit(*this, horizontal);
}

void Frames::event_func_2126()
{
    if (camera_on(*this))
        keep_near_player(*this, horizontal, true);
}

void Frames::event_func_2127()
{
    if (camera_on(*this))
        keep_near_player(*this, horizontal, false);
}

void Frames::event_func_2128()
{
    if (camera_on(*this))
        shake(*this, vertical);
}

void Frames::event_func_2129()
{
    if (camera_on(*this))
        hold_at_low_limit(*this, vertical);
}

void Frames::event_func_2130()
{
    if (camera_on(*this))
        hold_at_high_limit(*this, vertical);
}

void Frames::event_func_2131()
{
    if (camera_on(*this))
        keep_near_player(*this, vertical, true);
}

void Frames::event_func_2132()
{
    if (camera_on(*this))
        keep_near_player(*this, vertical, false);
}

void Frames::event_func_2133()
{
    if (camera_on(*this))
        place_view(*this, 0);
}

void Frames::event_func_2134()
{
    if (camera_on(*this))
        set_value(camera(*this), 'V', get_value(instances[types::PlayerMovementValues_80], 'L'));
}
