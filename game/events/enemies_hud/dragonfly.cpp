// The dragonfly: it patrols at its home height, turning at walls and 200
// pixels either side of home; with the player on a diagonal below it, it
// rises and slides for 31 ticks to keep the player there, pauses 15, dives
// five pixels a tick each way until it meets the ground or is 150 pixels
// below home, waits 50 ticks and climbs back three a tick. Only the dive
// hurts. Beaten, it falls and explodes on the ground.
#include "audio/media.h"
#include "game/events/enemies_hud/enemy_landing.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "objects/active.h"

namespace {

constexpr unsigned dive_sample = 10;

// D: patrol, turning, aiming, diving (after a pause), climbing back, beaten.
constexpr double patrol = 0, turning = 1, aiming = 2, diving = 3, climbing = 4, beaten = 5;

ObjectList& dragonflies(Frames& frames) { return frames.instances[types::EnemyDragonfly_272]; }

Active* active(FrameObject* object) { return static_cast<Active*>(object); }

bool in(const FrameObject& d, double state) { return get_value(d, 'D') == state; }

template <class Action>
void for_each(Frames& frames, Action action)
{
    for_each_selected(dragonflies(frames), action);
}

void turn(FrameObject* d)
{
    set_value(d, 'E', -get_value(*d, 'E'));
    d->set_direction((d->get_direction() + 16) % 32, true);
    set_value(d, 'D', turning);
    active(d)->force_animation(10);
}

// The patrolling dragonflies flying left (sign -1) or right (sign 1).
bool select_flying(Frames& frames, int sign)
{
    return select(dragonflies(frames),
                  [sign](FrameObject* d) { return in(*d, patrol) && get_value(*d, 'E') * sign > 0; });
}

// The player's exact position, and how far below a home height it is.
struct PlayerSpot {
    double x, y;
    double depth(const FrameObject& first) const { return y - get_value(first, 'G'); }
};

PlayerSpot player_spot(Frames& frames)
{
    ObjectList& values = frames.instances[types::PlayerMovementValues_80];
    return {get_value(values, 'X'), get_value(values, 'Y')};
}

bool player_free(Frames& frames)
{
    const double state = get_value(frames.instances[types::PlayerOthers_75], 'Y');
    return state != 10 && state != 11;
}

// The x from which the player lies on the diagonal down to `side` (-1 left,
// 1 right) of a dragonfly at the first one's home height.
double spot(const PlayerSpot& p, const FrameObject& first, int side) { return p.x - side * p.depth(first); }

// Events 1920 and 1921: a patrolling dragonfly above the player by less than
// 150 pixels with the player on its diagonal down to `side` within 10
// pixels starts to aim that way.
void start_aim(Frames& frames, int side)
{
    const PlayerSpot p = player_spot(frames);
    ObjectList& list = dragonflies(frames);
    if (!select(list, [&](FrameObject* d) { return in(*d, patrol) && d->get_y() < p.y && d->get_y() > p.y - 150; }))
        return;
    auto short_of = [&](FrameObject* d, const FrameObject& first) { return d->get_x() < spot(p, first, side) + 10; };
    auto past = [&](FrameObject* d, const FrameObject& first) { return d->get_x() > spot(p, first, side) - 10; };
    if (!filter_with_first(list, short_of) || !filter_with_first(list, past) || !player_free(frames))
        return;
    for_each(frames, [side](FrameObject* d) {
        set_value(d, 'D', aiming);
        d->set_direction(side < 0 ? 16 : 0, true);
        set_value(d, 'E', 2 * side);
        set_value(d, 'H', 0);
    });
}

// Events 1923 to 1926: an aiming dragonfly that will dive to `side` slides a
// pixel towards the spot that puts the player on its diagonal; `step` -1 when it
// is past the spot by more than 2 pixels, 1 when short of it.
void align(Frames& frames, int side, int step)
{
    const PlayerSpot p = player_spot(frames);
    ObjectList& list = dragonflies(frames);
    if (!select(list, [side](FrameObject* d) { return in(*d, aiming) && get_value(*d, 'E') * side > 0; }))
        return;
    auto off_spot = [&](FrameObject* d, const FrameObject& first) {
        const double x = spot(p, first, side);
        return step < 0 ? d->get_x() > x + 2 : d->get_x() < x - 2;
    };
    if (filter_with_first(list, off_spot))
        for_each(frames, [step](FrameObject* d) { d->set_x(d->get_x() + step); });
}

// Events 1931 and 1932: five pixels down and to the side each tick.
void dive_step(Frames& frames, int side)
{
    auto diving_that_way = [side](FrameObject* d) {
        return in(*d, diving) && get_value(*d, 'H') >= 15 && get_value(*d, 'E') * side > 0;
    };
    if (!select(dragonflies(frames), diving_that_way))
        return;
    for_each(frames, [side](FrameObject* d) {
        d->set_x(d->get_x() + 5 * side);
        d->set_y(d->get_y() + 5);
    });
}

void start_climb(FrameObject* d)
{
    set_value(d, 'D', climbing);
    set_value(d, 'H', 0);
}

}  // namespace

// Home is where it is on its first tick.
void Frames::event_func_1912()
{
    if (!level_group_43 || !select(dragonflies(*this), [](FrameObject* d) { return get_value(*d, 'F') == 0; }))
        return;
    for_each(*this, [](FrameObject* d) {
        set_value(d, 'F', d->get_x());
        set_value(d, 'G', d->get_y());
    });
}

void Frames::event_func_1913()
{
    if (!level_group_43 || !select(dragonflies(*this), [](FrameObject* d) { return in(*d, patrol); }))
        return;
    for_each(*this, [](FrameObject* d) {
        active(d)->force_animation(0);
        d->set_x(to_int(d->get_x() + get_value(*d, 'E')));
    });
}

// A wall at the first one's leading edge turns every dragonfly flying that way.
void Frames::event_func_1914()
{
    if (!level_group_43 || !select_flying(*this, -1))
        return;
    const FrameObject* first = dragonflies(*this).back_selection();
    if (test_obstacle(first->get_box_index(0), first->get_y()))
        for_each(*this, turn);
}

void Frames::event_func_1915()
{
    if (!level_group_43 || !select_flying(*this, -1))
        return;
    auto far_left = [](FrameObject* d, const FrameObject& first) { return d->get_x() < get_value(first, 'F') - 200; };
    if (filter_with_first(dragonflies(*this), far_left))
        for_each(*this, turn);
}

void Frames::event_func_1916()
{
    if (!level_group_43 || !select_flying(*this, 1))
        return;
    const FrameObject* first = dragonflies(*this).back_selection();
    if (test_obstacle(first->get_box_index(2), first->get_y()))
        for_each(*this, turn);
}

void Frames::event_func_1917()
{
    if (!level_group_43 || !select_flying(*this, 1))
        return;
    auto far_right = [](FrameObject* d, const FrameObject& first) { return d->get_x() > get_value(first, 'F') + 200; };
    if (filter_with_first(dragonflies(*this), far_right))
        for_each(*this, turn);
}

void Frames::event_func_1918()
{
    if (!level_group_43)
        return;
    if (select(dragonflies(*this), [](FrameObject* d) { return in(*d, turning) && !active(d)->test_animation(10); }))
        for_each(*this, [](FrameObject* d) { set_value(d, 'D', patrol); });
}

// Well out of sight the turn ends at once.
void Frames::event_func_1919()
{
    if (!level_group_43)
        return;
    if (select(dragonflies(*this), [](FrameObject* d) { return in(*d, turning) && d->is_near_border(-50); }))
        for_each(*this, [](FrameObject* d) { set_value(d, 'D', patrol); });
}

void Frames::event_func_1920()
{
    if (level_group_43)
        start_aim(*this, -1);
}

void Frames::event_func_1921()
{
    if (level_group_43)
        start_aim(*this, 1);
}

// Aiming rises half a pixel a tick above home.
void Frames::event_func_1922()
{
    if (!level_group_43 || !select(dragonflies(*this), [](FrameObject* d) { return in(*d, aiming); }))
        return;
    for_each(*this, [](FrameObject* d) {
        active(d)->force_animation(11);
        add_value(d, 'H', 1);
        d->set_y(to_int(get_value(*d, 'G') - 0.5 * get_value(*d, 'H')));
    });
}

void Frames::event_func_1923()
{
    if (level_group_43)
        align(*this, 1, -1);
}

void Frames::event_func_1924()
{
    if (level_group_43)
        align(*this, 1, 1);
}

void Frames::event_func_1925()
{
    if (level_group_43)
        align(*this, -1, -1);
}

void Frames::event_func_1926()
{
    if (level_group_43)
        align(*this, -1, 1);
}

void Frames::event_func_1927()
{
    if (!level_group_43)
        return;
    if (select(dragonflies(*this), [](FrameObject* d) { return in(*d, aiming) && get_value(*d, 'H') > 30; }))
        for_each(*this, [](FrameObject* d) {
            set_value(d, 'H', 0);
            set_value(d, 'D', diving);
        });
}

// The pause before the dive.
void Frames::event_func_1928()
{
    if (!level_group_43)
        return;
    if (select(dragonflies(*this), [](FrameObject* d) { return in(*d, diving) && get_value(*d, 'H') < 15; }))
        for_each(*this, [](FrameObject* d) { add_value(d, 'H', 1); });
}

// The dive starts: one sound however many start together.
void Frames::event_func_1929()
{
    if (!level_group_43)
        return;
    if (!select(dragonflies(*this), [](FrameObject* d) { return in(*d, diving) && get_value(*d, 'H') == 15; }))
        return;
    media.play_id(dive_sample, -1, 1);
    for_each(*this, [](FrameObject* d) { add_value(d, 'H', 1); });
}

void Frames::event_func_1930()
{
    if (!level_group_43)
        return;
    if (!select(dragonflies(*this), [](FrameObject* d) { return in(*d, diving) && get_value(*d, 'H') >= 15; }))
        return;
    for_each(*this, [](FrameObject* d) {
        active(d)->force_animation(9);
        set_value(d, 'B', 5);
    });
}

void Frames::event_func_1931()
{
    if (level_group_43)
        dive_step(*this, -1);
}

void Frames::event_func_1932()
{
    if (level_group_43)
        dive_step(*this, 1);
}

// Ground under the first diver's box ends every dive.
void Frames::event_func_1933()
{
    if (!level_group_43 || !select(dragonflies(*this), [](FrameObject* d) { return in(*d, diving); }))
        return;
    const FrameObject* first = dragonflies(*this).back_selection();
    if (test_obstacle(first->get_x(), first->get_box_index(3)))
        for_each(*this, start_climb);
}

void Frames::event_func_1934()
{
    if (!level_group_43 || !select(dragonflies(*this), [](FrameObject* d) { return in(*d, diving); }))
        return;
    auto deep = [](FrameObject* d, const FrameObject& first) { return d->get_y() > get_value(first, 'G') + 150; };
    if (filter_with_first(dragonflies(*this), deep))
        for_each(*this, start_climb);
}

void Frames::event_func_1935()
{
    if (!level_group_43)
        return;
    if (select(dragonflies(*this), [](FrameObject* d) { return !in(*d, diving) && get_value(*d, 'B') > 0; }))
        for_each(*this, [](FrameObject* d) { set_value(d, 'B', 0); });
}

void Frames::event_func_1936()
{
    if (!level_group_43)
        return;
    if (select(dragonflies(*this), [](FrameObject* d) { return in(*d, climbing) && get_value(*d, 'H') < 50; }))
        for_each(*this, [](FrameObject* d) { add_value(d, 'H', 1); });
}

void Frames::event_func_1937()
{
    if (!level_group_43)
        return;
    if (!select(dragonflies(*this), [](FrameObject* d) { return in(*d, climbing) && get_value(*d, 'H') >= 50; }))
        return;
    for_each(*this, [](FrameObject* d) {
        d->set_y(d->get_y() - 3);
        active(d)->force_animation(11);
    });
}

// Home height reached: put exactly at home, back on patrol.
void Frames::event_func_1938()
{
    if (!level_group_43 || !select(dragonflies(*this), [](FrameObject* d) { return in(*d, climbing); }))
        return;
    auto home = [](FrameObject* d, const FrameObject& first) { return d->get_y() <= get_value(first, 'G'); };
    if (!filter_with_first(dragonflies(*this), home))
        return;
    for_each(*this, [](FrameObject* d) {
        d->set_y(to_int(get_value(*d, 'G')));
        set_value(d, 'D', patrol);
        set_value(d, 'H', 0);
    });
}

void Frames::event_func_1939()
{
    if (!level_group_43)
        return;
    if (select(dragonflies(*this), [](FrameObject* d) { return get_flag(*d, 6) && !in(*d, beaten); }))
        for_each(*this, [](FrameObject* d) { set_value(d, 'D', beaten); });
}

void Frames::event_func_1940()
{
    if (level_group_43 && select(dragonflies(*this), [](FrameObject* d) { return in(*d, beaten); }))
        for_each(*this, [](FrameObject* d) { active(d)->force_animation(8); });
}

void Frames::event_func_1941()
{
    if (level_group_43 && select_landed(*this, dragonflies(*this)))
        explode_selected(*this, dragonflies(*this));
}
