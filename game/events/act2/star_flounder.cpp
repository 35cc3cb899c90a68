// The star flounder patrols along x around where it was placed (F, G),
// bobbing 8 pixels on the sine of H, turns at walls and 200 pixels from its
// origin (D 1 while the turn animation plays), hurts the player only when
// touched from behind, and once struck (D 5) blows up where it lands.
#include "game/events/enemies_hud/enemy_landing.h"
#include "game/frames/event_support.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "runtime/collision.h"

namespace {

constexpr int patrolling = 0, turning = 1, struck = 5;
constexpr int swim_animation = 0, struck_animation = 8, turn_animation = 10;
constexpr int view_margin = 50;
constexpr double bob_height = 8, bob_step = 2, patrol_reach = 200, touch_damage = 5;

ObjectList& flounders(Frames& f) { return f.instances[types::EnemyStarFlounder_401]; }

Active* sprite(FrameObject* object) { return static_cast<Active*>(object); }
double state(const FrameObject& s) { return get_value(s, 'D'); }
double speed(const FrameObject& s) { return get_value(s, 'E'); }

template <class Test>
bool select_flounders(Frames& f, Test test)
{
    return f.level_group_43 && select(flounders(f), test);
}

template <class Action>
void each(Frames& f, Action action)
{
    for_each_selected(flounders(f), action);
}

void turn(Frames& f, bool reset_damage)
{
    each(f, [reset_damage](FrameObject* s) {
        set_value(s, 'E', -speed(*s));
        s->set_direction((s->get_direction() + 16) % 32, true);
        set_value(s, 'D', turning);
        sprite(s)->force_animation(turn_animation);
        if (reset_damage)
            set_value(s, 'B', 0);
    });
}

// Patrolling the way `sign` says.
bool select_patrolling(Frames& f, double sign)
{
    return select_flounders(f, [sign](FrameObject* s) { return state(*s) == patrolling && speed(*s) * sign > 0; });
}

// A wall at the front edge of the first kept one, at its height.
bool wall_ahead(Frames& f, bool right)
{
    if (!filter(flounders(f), [](FrameObject* s) { return s->overlaps_background(); }))
        return false;
    const FrameObject* first = flounders(f).back_selection();
    return f.test_obstacle(first->get_box_index(right ? 2 : 0), first->get_y());
}

// Beyond the reach of the origin of the first one still kept.
bool past_reach(Frames& f, bool right)
{
    return filter_with_first(flounders(f), [right](FrameObject* s, const FrameObject& first) {
        const double origin = get_value(first, 'F');
        return right ? s->get_x() > origin + patrol_reach : s->get_x() < origin - patrol_reach;
    });
}

// Touched from behind: facing `direction`, with the sensor on the side `behind`.
void hurt_from_behind(Frames& f, int direction, bool sensor_left)
{
    if (!f.level_group_43)
        return;
    ObjectList& sensor = f.instances[types::PlayerCharacterSensor_151];
    select_all(flounders(f));
    select_all(sensor);
    if (!check_overlap(flounders(f), sensor))
        return;
    const int sensor_x = instance_or_default(sensor).get_x();
    if (filter(flounders(f), [=](FrameObject* s) {
            return s->test_directions(1u << direction) && (sensor_left ? s->get_x() > sensor_x : s->get_x() < sensor_x);
        }))
        each(f, [](FrameObject* s) { set_value(s, 'B', touch_damage); });
}

}  // namespace

void Frames::event_func_2358()
{
    if (select_flounders(*this, [](FrameObject* s) { return get_value(*s, 'F') == 0; }))
        each(*this, [](FrameObject* s) {
            set_value(s, 'F', s->get_x());
            set_value(s, 'G', s->get_y());
        });
}

void Frames::event_func_2359()
{
    if (!select_flounders(*this, [](FrameObject* s) {
            return !s->is_near_border(-view_margin) && state(*s) == patrolling;
        }))
        return;
    each(*this, [](FrameObject* s) {
        sprite(s)->force_animation(swim_animation);
        s->set_x(to_int(s->get_x() + speed(*s)));
        s->set_y(to_int(get_value(*s, 'G') + bob_height * event_sin(get_value(*s, 'H'))));
        set_value(s, 'B', 0);
        add_value(s, 'H', bob_step);
    });
}

void Frames::event_func_2360() { hurt_from_behind(*this, 0, true); }
void Frames::event_func_2361() { hurt_from_behind(*this, 16, false); }

void Frames::event_func_2362()
{
    if (select_patrolling(*this, -1) && wall_ahead(*this, false))
        turn(*this, false);
}

void Frames::event_func_2363()
{
    if (select_patrolling(*this, -1) && past_reach(*this, false))
        turn(*this, false);
}

void Frames::event_func_2364()
{
    if (select_patrolling(*this, 1) && wall_ahead(*this, true))
        turn(*this, true);
}

void Frames::event_func_2365()
{
    if (select_patrolling(*this, 1) && past_reach(*this, true))
        turn(*this, true);
}

void Frames::event_func_2366()
{
    if (select_flounders(*this, [](FrameObject* s) {
            return state(*s) == turning && !sprite(s)->test_animation(turn_animation);
        }))
        each(*this, [](FrameObject* s) { set_value(s, 'D', patrolling); });
}

void Frames::event_func_2367()
{
    if (select_flounders(*this, [](FrameObject* s) { return state(*s) == turning && s->is_near_border(-view_margin); }))
        each(*this, [](FrameObject* s) { set_value(s, 'D', patrolling); });
}

void Frames::event_func_2368()
{
    if (select_flounders(*this, [](FrameObject* s) { return get_flag(*s, 6) && state(*s) != struck; }))
        each(*this, [](FrameObject* s) { set_value(s, 'D', struck); });
}

void Frames::event_func_2369()
{
    if (select_flounders(*this, [](FrameObject* s) { return state(*s) == struck; }))
        each(*this, [](FrameObject* s) { sprite(s)->force_animation(struck_animation); });
}

void Frames::event_func_2370()
{
    if (level_group_43 && select_landed(*this, flounders(*this)))
        explode_selected(*this, flounders(*this));
}
