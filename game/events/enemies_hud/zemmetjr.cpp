// The ZemmetJr, a small ground enemy: idle it sits armoured, faces the
// player and counts; after 40 ticks it winds up and lunges a pixel a tick
// towards where the player stood, until it arrives or 60 ticks have passed,
// then rests 51 to 90 ticks. It falls under gravity (slower in water) and,
// beaten, explodes where its fall meets the ground or vanishes below the
// view. The shield of kind 3 makes its touch harmless.
#include "audio/media.h"
#include "game/events/enemies_hud/enemy_landing.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"
#include "objects/active.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr unsigned splash_sample = 14;

// D: idle (aiming), winding up and lunging, beaten.
constexpr double idle = 0, lunging = 1, beaten = 3;

constexpr double gravity = 0.5;
constexpr double water_gravity = 0.5 - 0.45;
constexpr double top_fall_speed = 12;

ObjectList& zemmetjrs(Frames& frames) { return frames.instances[types::EnemyZemmetJr_271]; }

Active* active(FrameObject* object) { return static_cast<Active*>(object); }

bool in(const FrameObject& z, double state) { return get_value(z, 'D') == state; }

bool near_view(const FrameObject& z) { return !z.is_near_border(-50); }

template <class Action>
void for_each(Frames& frames, Action action)
{
    for_each_selected(zemmetjrs(frames), action);
}

const FrameObject& first_selected(Frames& frames) { return *zemmetjrs(frames).back_selection(); }

// The walking ones near the view, and whether the first of them has the
// ground at its feet's last row.
bool select_walkers(Frames& frames) { return select(zemmetjrs(frames), [](FrameObject* z) { return get_value(*z, 'D') < 3 && near_view(*z); }); }

bool feet_in_ground(Frames& frames)
{
    const FrameObject& first = first_selected(frames);
    return frames.test_obstacle(first.get_x(), first.get_box_index(3) - 1);
}

// Towards the player: one of 32 directions, 0 pointing right, counted
// anticlockwise, from the objects' own positions.
void face_player(Frames& frames, FrameObject* z)
{
    const FrameObject& player = instance_or_default(frames.instances[types::Player_87]);
    double angle = std::atan2(double(z->y - player.y), double(player.x - z->x)) * 57.29577951308232;
    if (angle < 0)
        angle += 360;
    z->set_direction(to_int(angle / 11.25), true);
}

// Lunging and past the wind-up.
bool lunge_running(const FrameObject& z) { return in(z, lunging) && !static_cast<const Active&>(z).test_animation(11); }

// Events 1948 and 1949: a pixel towards the target while more than 4 pixels
// from it (G of the first selected) and no wall at the leading edge.
void lunge_step(Frames& frames, int side)
{
    ObjectList& list = zemmetjrs(frames);
    if (!select(list, [](FrameObject* z) { return lunge_running(*z); }))
        return;
    auto away = [side](FrameObject* z, const FrameObject& first) {
        const double target = get_value(first, 'G');
        return side < 0 ? z->get_x() > target + 4 : z->get_x() < target - 4;
    };
    if (!filter_with_first(list, away))
        return;
    const FrameObject& first = first_selected(frames);
    if (frames.test_obstacle(first.get_box_index(side < 0 ? 0 : 2), first.get_y()))
        return;
    for_each(frames, [side](FrameObject* z) { z->set_x(z->get_x() + side); });
}

// Events 1951 and 1952: lunging ones standing on the ground (as the first
// of them does) that pass `done` rest before the next wind-up.
template <class Done>
void end_lunge(Frames& frames, int event, Done done)
{
    ObjectList& list = zemmetjrs(frames);
    if (!select(list, [](FrameObject* z) { return lunge_running(*z); }))
        return;
    const FrameObject& first = first_selected(frames);
    if (!frames.test_obstacle(first.get_x(), first.get_box_index(3) + 1) || !filter_with_first(list, done))
        return;
    for_each(frames, [event](FrameObject* z) {
        set_value(z, 'D', idle);
        active(z)->force_animation(10);
        set_value(z, 'F', -10 - randrange_event(event, 40));
    });
}

}  // namespace

// Nothing under its feet: it falls, faster each tick up to 12.
void Frames::event_func_1942()
{
    if (!level_group_43 || !select_walkers(*this) || feet_in_ground(*this))
        return;
    for_each(*this, [](FrameObject* z) {
        const double fall = get_value(*z, 'E');
        z->set_y(to_int(z->get_y() + fall));
        const double pull = get_flag(*z, 1) ? water_gravity : gravity;
        set_value(z, 'E', std::min(fall + pull, top_fall_speed));
    });
}

// Landed: lifted out of the floor, up to 12 pixels within the tick.
void Frames::event_func_1943()
{
    if (!level_group_43 || !select_walkers(*this) || !feet_in_ground(*this))
        return;
    std::vector<FrameObject*> landed;
    for_each(*this, [&](FrameObject* z) { landed.push_back(z); });
    run_loop(fast_loop_zemmetjr_floor, 12, &Frames::loop_zemmetjr_floor_4);
    for (FrameObject* z : landed)
        set_value(z, 'E', 0);
}

// Into the water: one splash on the surface, and slow gravity from then on.
void Frames::event_func_1944()
{
    if (!level_group_43)
        return;
    ObjectList& level = instances[types::MasterLevel_53];
    const double surface = get_value(level, 'B');
    if (!select(zemmetjrs(*this), [surface](FrameObject* z) { return z->get_y() > surface; }))
        return;
    if (get_value(level, 'A') != 1 || !filter(zemmetjrs(*this), [](FrameObject* z) { return !get_flag(*z, 1); }))
        return;
    const FrameObject& start = instance_or_default(instances[types::PlayerStartingPoint_160]);
    FrameObject* splash = create_instance(*this, instances[types::EffectsWaterSplash_157],
                                          create_effectswatersplash_157(start.x, start.y), layer_index(start));
    media.play_id(splash_sample, -1, 1);
    if (splash) {
        splash->set_x(first_selected(*this).get_x());
        splash->set_y(to_int(get_value(level, 'C')));
    }
    for_each(*this, [](FrameObject* z) {
        set_flag(z, 1, true);
        set_value(z, 'E', 1);
    });
}

void Frames::event_func_1945()
{
    if (!level_group_43)
        return;
    if (!select(zemmetjrs(*this), [](FrameObject* z) { return in(*z, idle) && near_view(*z); }))
        return;
    for_each(*this, [this](FrameObject* z) {
        add_value(z, 'F', 1);
        face_player(*this, z);
        set_flag(z, 5, true);
    });
}

// The wind-up drops the armour.
void Frames::event_func_1946()
{
    if (!level_group_43)
        return;
    if (!select(zemmetjrs(*this), [](FrameObject* z) { return in(*z, idle) && get_value(*z, 'F') > 40; }))
        return;
    for_each(*this, [](FrameObject* z) {
        set_value(z, 'D', lunging);
        set_value(z, 'F', 0);
        active(z)->force_animation(11);
        set_flag(z, 5, false);
    });
}

// The wind-up is over: the lunge aims at where the player is now.
void Frames::event_func_1947()
{
    if (!level_group_43)
        return;
    auto wound_up = [](FrameObject* z) { return active(z)->animation_finished == 11 && in(*z, lunging); };
    if (!select(zemmetjrs(*this), wound_up))
        return;
    const double target = get_value(instances[types::PlayerMovementValues_80], 'X');
    for_each(*this, [this, target](FrameObject* z) {
        active(z)->force_animation(1);
        set_value(z, 'G', target);
        face_player(*this, z);
    });
}

void Frames::event_func_1948()
{
    if (level_group_43)
        lunge_step(*this, -1);
}

void Frames::event_func_1949()
{
    if (level_group_43)
        lunge_step(*this, 1);
}

void Frames::event_func_1950()
{
    if (level_group_43 && select(zemmetjrs(*this), [](FrameObject* z) { return lunge_running(*z); }))
        for_each(*this, [](FrameObject* z) { add_value(z, 'F', 1); });
}

void Frames::event_func_1951()
{
    if (level_group_43)
        end_lunge(*this, 1951, [](FrameObject* z, const FrameObject&) { return get_value(*z, 'F') > 60; });
}

void Frames::event_func_1952()
{
    auto arrived = [](FrameObject* z, const FrameObject& first) {
        const double target = get_value(first, 'G');
        return z->get_x() >= target - 4 && z->get_x() <= target + 4;
    };
    if (level_group_43)
        end_lunge(*this, 1952, arrived);
}

void Frames::event_func_1953()
{
    if (!level_group_43)
        return;
    if (select(zemmetjrs(*this), [](FrameObject* z) { return get_flag(*z, 6) && !in(*z, beaten); }))
        for_each(*this, [](FrameObject* z) { set_value(z, 'D', beaten); });
}

void Frames::event_func_1954()
{
    if (level_group_43 && select(zemmetjrs(*this), [](FrameObject* z) { return in(*z, beaten); }))
        for_each(*this, [](FrameObject* z) { active(z)->force_animation(8); });
}

// Beaten and 50 pixels below the view: gone.
void Frames::event_func_1955()
{
    if (!level_group_43)
        return;
    const int below = new_display_y + 290;
    if (select(zemmetjrs(*this), [below](FrameObject* z) { return get_flag(*z, 6) && z->get_y() > below; }))
        for_each(*this, [](FrameObject* z) { z->destroy(); });
}

void Frames::event_func_1956()
{
    if (level_group_43 && select_landed(*this, zemmetjrs(*this)))
        explode_selected(*this, zemmetjrs(*this));
}

void Frames::event_func_1957()
{
    if (level_group_43)
        set_value_of_all(zemmetjrs(*this), 'B', 5);
}

void Frames::event_func_1958()
{
    if (level_group_43 && get_value(instances[types::PlayerOthers_75], 'B') == 3)
        set_value_of_all(zemmetjrs(*this), 'B', 0);
}
