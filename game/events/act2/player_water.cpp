// The player crossing the water line: entering (a splash and slowed speeds
// when falling in), leaving (a splash and a lift when jumping out), and the
// air counter J of PlayerOthers, which counts up under water without the
// water shield. The line counts 8 pixels below MasterLevel's B.
#include "audio/media.h"
#include "game/events/act2/water_splash.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"

#include <algorithm>

namespace {

constexpr unsigned splash_sample = 14, first_warning_sample = 16;
constexpr double below_line = 8, no_water_mode = 9, water_shield = 4;

ObjectList& others(Frames& f) { return f.instances[types::PlayerOthers_75]; }
ObjectList& movement(Frames& f) { return f.instances[types::PlayerMovementValues_80]; }
ObjectList& level(Frames& f) { return f.instances[types::MasterLevel_53]; }

double line(Frames& f) { return get_value(level(f), 'B') + below_line; }
bool below(Frames& f) { return get_value(movement(f), 'Y') >= line(f); }
bool above(Frames& f) { return get_value(movement(f), 'Y') <= line(f); }

// In water as `h`, out of movement mode 9, in an act with water.
bool water_logic(Frames& f, double h)
{
    return f.level_group_43 && get_value(others(f), 'H') == h && get_value(movement(f), 'M') != no_water_mode;
}

bool airborne(Frames& f) { return get_value(movement(f), 'L') == 0; }
bool water_on(Frames& f) { return get_value(level(f), 'A') == 1; }

// Character 0 starts 30 counts lower.
double air_start(Frames& f) { return -30 * (1 - std::min(get_value(movement(f), 'A'), 1.0)); }

void multiply(ObjectList& list, char name, double factor) { set_value(list, name, get_value(list, name) * factor); }

void place_splash(Frames& f) { splash_on_water_line(f, to_int(get_value(movement(f), 'X'))); }

void enter_water(Frames& f)
{
    set_value(others(f), 'H', 1);
    set_value(others(f), 'J', air_start(f));
}

void leave_water(Frames& f)
{
    set_value(others(f), 'H', 0);
    set_value(others(f), 'J', air_start(f));
    set_value(f.instances[types::PlayerActionValuesB_164], 'O', 0);
}

}  // namespace

// Without a starting point the splash is made and destroyed at once.
FrameObject* splash_on_water_line(Frames& f, int x)
{
    ObjectList& starts = f.instances[types::PlayerStartingPoint_160];
    select_all(starts);
    FrameObject* splash =
        create_at_each(f, starts, f.instances[types::EffectsWaterSplash_157], create_effectswatersplash_157);
    if (splash) {
        splash->set_x(x);
        splash->set_y(to_int(get_value(level(f), 'C')));
    }
    return splash;
}

void Frames::event_func_2372()
{
    if (!water_logic(*this, 0) || !airborne(*this) || !water_on(*this) || !below(*this) ||
        !run_once(run_once_2372, loop_count))
        return;
    set_value(others(*this), 'H', 1);
    multiply(movement(*this), 'G', 0.2);
    multiply(movement(*this), 'B', 0.5);
    media.play_id(splash_sample, -1, 1);
    place_splash(*this);
    set_value(others(*this), 'J', air_start(*this));
}

void Frames::event_func_2373()
{
    if (water_logic(*this, 0) && water_on(*this) && below(*this) && run_once(run_once_2373, loop_count))
        enter_water(*this);
}

// Jumping out in state 26 leaves at a set speed, with the splashes following.
void Frames::event_func_2374()
{
    if (!water_logic(*this, 1) || !airborne(*this) || !water_on(*this) || !above(*this) ||
        get_value(others(*this), 'Y') != 26 || !run_once(run_once_2374, loop_count))
        return;
    set_value(movement(*this), 'G', -5.0);
    const int x = to_int(get_value(movement(*this), 'X')), y = to_int(get_value(level(*this), 'C'));
    for_each_instance(instances[types::EffectsWaterSplash_157], [x, y](FrameObject* splash) {
        splash->set_x(x);
        splash->set_y(y);
    });
    set_value(others(*this), 'P', -15);
    set_value(instances[types::PlayerActionValuesB_164], 'O', 0);
}

void Frames::event_func_2375()
{
    if (!water_logic(*this, 1) || !airborne(*this) || !water_on(*this) || !above(*this) ||
        !run_once(run_once_2375, loop_count))
        return;
    multiply(movement(*this), 'G', 1.3);
    media.play_id(splash_sample, -1, 1);
    place_splash(*this);
    leave_water(*this);
    set_value(others(*this), 'P', -15);
}

void Frames::event_func_2376()
{
    if (water_logic(*this, 1) && water_on(*this) && above(*this) && run_once(run_once_2376, loop_count))
        leave_water(*this);
}

void Frames::event_func_2377()
{
    if (!level_group_43 || get_value(movement(*this), 'M') != no_water_mode || !run_once(run_once_2377, loop_count))
        return;
    set_value(others(*this), 'H', 0);
    set_value(others(*this), 'J', 0);
}

// Once a second of the global step, while below the water surface.
void Frames::event_func_2378()
{
    if (!level_group_43 || global_values->size() <= 3 || global_values->get_int(3) % 60 != 6)
        return;
    const double surface = instance_or_default(instances[types::GeneralWaterHorizon_155]).get_y();
    if (instance_or_default(instances[types::Player_87]).get_y() <= surface + 8 ||
        get_value(others(*this), 'H') != 1 || get_value(others(*this), 'B') == water_shield)
        return;
    add_value(others(*this), 'J', 1);
}

void Frames::event_func_2379()
{
    if (level_group_43 && get_value(others(*this), 'J') == 5 && run_once(run_once_2379, loop_count))
        media.play_id(first_warning_sample, -1, 1);
}
