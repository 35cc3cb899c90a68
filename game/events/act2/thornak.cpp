// The Thornak, a hopping ground enemy. D is its state: 0 in the air, 1
// landed, 2 walking (the steering loop turns it toward the player), 3 about
// to hop, 4 struck. E and F are its speeds, G and H its exact position (H 0
// until the first tick), I the walking tick count, B the contact damage.
// Flag 1 is "in water", flag 4 "on ground this tick". The displayed
// direction chooses the collision mask: 8 for the player test, 24 for the
// ground probes, its own direction again before it is drawn.
#include "audio/media.h"
#include "game/events/act2/water_splash.h"
#include "game/events/enemies_hud/enemy_landing.h"
#include "game/frames/event_support.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "runtime/collision.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int airborne = 0, landed = 1, walking = 2, hopping = 3, struck = 4;
constexpr int player_probe_direction = 8, ground_probe_direction = 24;
constexpr int hop_animation = 7, struck_animation = 8, landing_animation = 10, rising_animation = 1;
constexpr int view_margin = 50;
constexpr double touch_damage = 5, gravity = 0.25, water_drag = 0.2, top_fall = 12.0;
constexpr double spring_speed = 8.0, hop_speed = -6.0;
constexpr unsigned splash_sample = 14, spring_sample = 5;

ObjectList& thornaks(Frames& f) { return f.instances[types::EnemyThornak_394]; }
ObjectList& level(Frames& f) { return f.instances[types::MasterLevel_53]; }

Active* sprite(FrameObject* object) { return static_cast<Active*>(object); }
bool near_view(const FrameObject& t) { return !t.is_near_border(-view_margin); }
double state(const FrameObject& t) { return get_value(t, 'D'); }
bool falling(const FrameObject& t) { return get_value(t, 'F') >= 0; }

template <class Test>
bool select_thornaks(Frames& f, Test test)
{
    return f.level_group_43 && select(thornaks(f), test);
}

template <class Action>
void each(Frames& f, Action action)
{
    for_each_selected(thornaks(f), action);
}

// Thornaks on a member of `group`: flag 4 on.
void ground_on(Frames& f, QualifierList& group)
{
    if (!f.level_group_43)
        return;
    select_all(thornaks(f));
    select_all(group);
    if (check_overlap(thornaks(f), group))
        each(f, [](FrameObject* t) { set_flag(t, 4, true); });
}

// The union of the Thornaks past the line either way, near the view.
bool select_crossing(Frames& f)
{
    const double line = get_value(level(f), 'B');
    return select_thornaks(f, [line](FrameObject* t) {
        const bool in_water = get_flag(*t, 1);
        return ((t->get_y() > line && !in_water) || (t->get_y() < line && in_water)) && near_view(*t);
    });
}

// The wall ahead, probed on the first kept Thornak 8 pixels above its feet.
bool wall_ahead(Frames& f, bool right)
{
    const FrameObject* first = thornaks(f).back_selection();
    const int x = (right ? first->get_box_index(2) : first->get_box_index(0)) + 4;
    return f.test_obstacle(x, first->get_box_index(3) - 8);
}

// On a spring while falling or resting.
bool select_on_spring(Frames& f, int spring_type, bool in_view_only)
{
    ObjectList& springs = f.instances[spring_type];
    if (!select_thornaks(f, [in_view_only](FrameObject* t) { return (!in_view_only || near_view(*t)) && falling(*t); }))
        return false;
    select_all(springs);
    return check_overlap(thornaks(f), springs);
}

void spring_launch(Frames& f, int spring_type, double e)
{
    if (!select_on_spring(f, spring_type, false))
        return;
    each(f, [e](FrameObject* t) {
        sprite(t)->force_animation(hop_animation);
        sprite(t)->force_frame(5);
        set_value(t, 'F', -spring_speed);
        set_value(t, 'E', e);
        set_value(t, 'D', airborne);
    });
    for_each_selected(f.instances[spring_type], [](FrameObject* spring) {
        sprite(spring)->force_animation(0);
        sprite(spring)->force_animation(5);
    });
}

// Leaving the ground at frame 5 of the hop.
bool select_hop_take_off(Frames& f)
{
    return select_thornaks(f, [](FrameObject* t) { return state(*t) == hopping && sprite(t)->get_frame() == 5; });
}

void take_off(Frames& f)
{
    each(f, [](FrameObject* t) {
        set_value(t, 'F', hop_speed);
        set_value(t, 'D', airborne);
    });
}

}  // namespace

void Frames::event_func_2329()
{
    if (select_thornaks(*this, [](FrameObject* t) { return near_view(*t); }))
        run_loop(fast_loop_thornak, 1, &Frames::loop_thornak_5);
}

void Frames::event_func_2330()
{
    if (select_thornaks(*this, [](FrameObject* t) { return get_value(*t, 'H') == 0; }))
        each(*this, [](FrameObject* t) {
            set_value(t, 'H', t->get_y());
            set_value(t, 'G', t->get_x());
        });
}

void Frames::event_func_2331()
{
    if (!select_thornaks(*this, [](FrameObject* t) { return state(*t) < struck; }))
        return;
    each(*this, [](FrameObject* t) {
        add_value(t, 'G', get_value(*t, 'E'));
        add_value(t, 'H', get_value(*t, 'F'));
        t->set_x(to_int(get_value(*t, 'G')));
        t->set_y(to_int(get_value(*t, 'H')));
        set_value(t, 'B', 0);
        sprite(t)->force_direction(player_probe_direction);
    });
}

void Frames::event_func_2332()
{
    if (!level_group_43)
        return;
    ObjectList& sensor = instances[types::PlayerCharacterSensor_151];
    select_all(thornaks(*this));
    select_all(sensor);
    if (!check_overlap(thornaks(*this), sensor) ||
        !filter(thornaks(*this), [](FrameObject* t) { return state(*t) < struck; }) ||
        get_value(instances[types::PlayerMovementValues_80], 'M') == 9)
        return;
    each(*this, [](FrameObject* t) { set_value(t, 'B', touch_damage); });
}

void Frames::event_func_2333()
{
    if (!level_group_43)
        return;
    for_each_instance(thornaks(*this), [](FrameObject* t) {
        sprite(t)->force_direction(ground_probe_direction);
        set_flag(t, 4, false);
    });
}

void Frames::event_func_2334()
{
    if (select_thornaks(*this, [](FrameObject* t) { return t->overlaps_background(); }))
        each(*this, [](FrameObject* t) { set_flag(t, 4, true); });
}

void Frames::event_func_2335() { ground_on(*this, qualifier_1); }
void Frames::event_func_2336() { ground_on(*this, qualifier_2); }

void Frames::event_func_2337()
{
    if (level_group_43)
        for_each_instance(thornaks(*this), [](FrameObject* t) { sprite(t)->force_direction(t->get_direction()); });
}

// Gravity 0.25 a tick in the air, 0.05 in water, up to 12.
void Frames::event_func_2338()
{
    if (!select_thornaks(*this, [](FrameObject* t) { return !get_flag(*t, 4); }))
        return;
    each(*this, [](FrameObject* t) {
        const double drag = get_flag(*t, 1) ? water_drag : 0;
        set_value(t, 'F', std::min(get_value(*t, 'F') + gravity - drag, top_fall));
    });
}

void Frames::event_func_2339()
{
    if (get_value(level(*this), 'A') != 1 || !select_crossing(*this))
        return;
    const int x = thornaks(*this).back_selection()->get_x();
    splash_on_water_line(*this, x);
    media.play_id(splash_sample, -1, 1);
}

// Into the water the fall slows to a pixel a tick.
void Frames::event_func_2340()
{
    const double line = get_value(level(*this), 'B');
    if (get_value(level(*this), 'A') != 1 ||
        !select_thornaks(*this, [line](FrameObject* t) { return t->get_y() > line && !get_flag(*t, 1); }))
        return;
    each(*this, [](FrameObject* t) {
        set_flag(t, 1, true);
        set_value(t, 'F', 1.0);
    });
}

void Frames::event_func_2341()
{
    const double line = get_value(level(*this), 'B');
    if (get_value(level(*this), 'A') == 1 &&
        select_thornaks(*this, [line](FrameObject* t) { return t->get_y() < line && get_flag(*t, 1); }))
        each(*this, [](FrameObject* t) { set_flag(t, 1, false); });
}

// The probe is taken on the first kept Thornak and decides for all kept.
void Frames::event_func_2342()
{
    std::vector<FrameObject*> turned;
    for (const bool right : {false, true}) {
        if (!select_thornaks(*this, [](FrameObject* t) { return t->overlaps_background(); }) ||
            !wall_ahead(*this, right) ||
            !filter(thornaks(*this), [right](FrameObject* t) { return (right ? 1 : -1) * get_value(*t, 'E') > 0; }))
            continue;
        each(*this, [&turned](FrameObject* t) {
            if (std::find(turned.begin(), turned.end(), t) == turned.end())
                turned.push_back(t);
        });
    }
    for (FrameObject* t : turned)
        set_value(t, 'E', -get_value(*t, 'E'));
}

void Frames::event_func_2343()
{
    if (select_on_spring(*this, types::YellowSpringUpLeft_193, true) ||
        select_on_spring(*this, types::YellowSpringUpRight_194, true))
        media.play_id(spring_sample, -1, 1);
}

void Frames::event_func_2344() { spring_launch(*this, types::YellowSpringUpLeft_193, -spring_speed); }
void Frames::event_func_2345() { spring_launch(*this, types::YellowSpringUpRight_194, spring_speed); }

void Frames::event_func_2346()
{
    if (!select_thornaks(*this, [](FrameObject* t) {
            return state(*t) == airborne && get_flag(*t, 4) && falling(*t) &&
                   !sprite(t)->test_animation(rising_animation);
        }))
        return;
    each(*this, [](FrameObject* t) {
        sprite(t)->force_animation(0);
        sprite(t)->force_animation(landing_animation);
        set_value(t, 'D', landed);
        set_value(t, 'E', 0);
    });
}

// Sunk into the floor: lifted by the floor loop, at least twice.
void Frames::event_func_2347()
{
    if (!select_thornaks(*this, [](FrameObject* t) { return state(*t) < struck && get_flag(*t, 4) && falling(*t); }))
        return;
    const double fall = get_value(*thornaks(*this).back_selection(), 'F');
    run_loop(fast_loop_thornak_floor, std::max(2, to_int(std::ceil(fall))), &Frames::loop_thornak_floor_5);
}

void Frames::event_func_2348()
{
    if (select_thornaks(*this, [](FrameObject* t) { return get_value(*t, 'E') > 0; }))
        each(*this, [](FrameObject* t) { t->set_direction(0, true); });
}

void Frames::event_func_2349()
{
    if (select_thornaks(*this, [](FrameObject* t) { return get_value(*t, 'E') < 0; }))
        each(*this, [](FrameObject* t) { t->set_direction(16, true); });
}

void Frames::event_func_2350()
{
    if (select_thornaks(*this, [](FrameObject* t) { return state(*t) == walking && get_value(*t, 'F') < 0.5; }))
        each(*this, [](FrameObject* t) { add_value(t, 'I', 1); });
}

void Frames::event_func_2351()
{
    if (!select_thornaks(*this, [](FrameObject* t) { return state(*t) == walking && get_value(*t, 'I') > 60; }))
        return;
    each(*this, [](FrameObject* t) {
        set_value(t, 'D', hopping);
        set_value(t, 'I', 0);
    });
}

void Frames::event_func_2352()
{
    if (!select_thornaks(*this, [](FrameObject* t) { return state(*t) == hopping; }))
        return;
    each(*this, [](FrameObject* t) {
        sprite(t)->force_animation(hop_animation);
        set_value(t, 'E', 0);
    });
}

// Both sides of the player hop straight up alike.
void Frames::event_func_2353()
{
    const int player_x = instance_or_default(instances[types::Player_87]).get_x();
    if (select_hop_take_off(*this) &&
        filter(thornaks(*this), [player_x](FrameObject* t) { return t->get_x() < player_x; }))
        take_off(*this);
}

void Frames::event_func_2354()
{
    const int player_x = instance_or_default(instances[types::Player_87]).get_x();
    if (select_hop_take_off(*this) &&
        filter(thornaks(*this), [player_x](FrameObject* t) { return t->get_x() >= player_x; }))
        take_off(*this);
}

void Frames::event_func_2355()
{
    if (select_thornaks(*this, [](FrameObject* t) { return get_flag(*t, 6) && state(*t) != struck; }))
        each(*this, [](FrameObject* t) { set_value(t, 'D', struck); });
}

void Frames::event_func_2356()
{
    if (select_thornaks(*this, [](FrameObject* t) { return state(*t) == struck; }))
        each(*this, [](FrameObject* t) { sprite(t)->force_animation(struck_animation); });
}

void Frames::event_func_2357()
{
    if (level_group_43 && select_landed(*this, thornaks(*this)))
        explode_selected(*this, thornaks(*this));
}
