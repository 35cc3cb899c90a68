// Act 2's half corkscrews: one left-hand (ridden rightwards) and one
// right-hand (ridden leftwards), each read as the single instance of its
// type. The entry stores the player's height in C and sets flag 0; the ride
// then follows the shape of player_physics/half_corkscrew.h, and act 1's
// exit events end it.
#include "game/events/player_physics/half_corkscrew.h"
#include "game/frames/frames.h"
#include "runtime/collision.h"

namespace {

struct Hand {
    int type;
    double along;  // the ride's direction along x
};

constexpr Hand left_hand = {types::HalfCorkscrewLeft_245, 1};
constexpr Hand right_hand = {types::HalfCorkscrewRight_246, -1};

constexpr double entry_speed = 3;

ObjectList& player(Frames& f) { return f.instances[types::PlayerMovementValues_80]; }

bool ride_groups_on(const Frames& f)
{
    return f.level_group_43 && f.level_group_23 && f.level_group_24 && f.level_group_29;
}

// The corkscrew of this hand while the player rides it, else null. A
// missing corkscrew reads as the runtime's default object, never ridden.
FrameObject* ridden(Frames& f, const Hand& hand)
{
    FrameObject& screw = instance_or_default(f.instances[hand.type]);
    return ride_groups_on(f) && get_flag(screw, 0) ? &screw : nullptr;
}

double progress(const FrameObject& screw) { return get_value(screw, 'E'); }

double run_in(Frames& f, const Hand& hand, const FrameObject& screw)
{
    return hand.along * (get_value(player(f), 'X') - double(screw.get_x()));
}

bool on_flat_top(const FrameObject& screw)
{
    return get_value(screw, 'A') < get_value(screw, 'B') + get_value(screw, 'D');
}

// 2250, 2251: high on the ride, the state shows it.
void show_high_state(Frames& f, const Hand& hand)
{
    FrameObject* screw = ridden(f, hand);
    if (screw && progress(*screw) > 0.25 && progress(*screw) < 1.5)
        set_value(f.instances[types::PlayerOthers_75], 'Y', 46);
}

// 2252, 2255: up the first curved half.
void rise(Frames& f, const Hand& hand)
{
    FrameObject* screw = ridden(f, hand);
    if (!screw || progress(*screw) >= 1)
        return;
    set_value(screw, 'E', corkscrew_progress(run_in(f, hand, *screw), get_value(*screw, 'D')));
    set_value(player(f), 'Y', corkscrew_height(*screw, progress(*screw)));
}

// 2253, 2256: across the flat top, pinned to its height.
void cross(Frames& f, const Hand& hand)
{
    FrameObject* screw = ridden(f, hand);
    if (!screw || progress(*screw) < 1 || !on_flat_top(*screw))
        return;
    const double d = run_in(f, hand, *screw);
    set_value(player(f), 'Y', get_value(*screw, 'C') - get_value(*screw, 'F'));
    set_value(screw, 'E', corkscrew_progress(d, 2 * get_value(*screw, 'D')));
    set_value(screw, 'A', d);
}

// 2254, 2257: down the second curved half.
void fall(Frames& f, const Hand& hand)
{
    FrameObject* screw = ridden(f, hand);
    if (!screw || progress(*screw) < 1 || on_flat_top(*screw))
        return;
    const double d = run_in(f, hand, *screw);
    set_value(screw, 'E', corkscrew_progress(d - get_value(*screw, 'B'), get_value(*screw, 'D')));
    set_value(player(f), 'Y', corkscrew_height(*screw, progress(*screw)));
}

// 2282, 2283: running onto the corkscrew along its hand, on the ground.
void enter(Frames& f, const Hand& hand)
{
    if (!f.level_group_43)
        return;
    ObjectList& screws = f.instances[hand.type];
    ObjectList& sensor = f.instances[types::PlayerSensorBottomBig_95];
    select_all(sensor);
    select_all(screws);
    if (!check_overlap(sensor, screws))
        return;
    ObjectList& p = player(f);
    const double x_of_screw = instance_or_default(screws).get_x();
    if (get_value(p, 'Q') != hand.along || hand.along * get_value(p, 'B') <= entry_speed ||
        hand.along * (get_value(p, 'X') - x_of_screw) < 0 || get_value(p, 'L') != 1 || get_value(p, 'M') == 45)
        return;
    FrameObject* screw = instance_of(screws);
    set_value(p, 'M', 45);
    set_flag(screw, 0, true);
    set_value(p, 'U', 0);
    set_value(screw, 'C', get_value(p, 'Y'));
}

}  // namespace

void Frames::event_func_2250() { show_high_state(*this, left_hand); }
void Frames::event_func_2251() { show_high_state(*this, right_hand); }
void Frames::event_func_2252() { rise(*this, left_hand); }
void Frames::event_func_2253() { cross(*this, left_hand); }
void Frames::event_func_2254() { fall(*this, left_hand); }
void Frames::event_func_2255() { rise(*this, right_hand); }
void Frames::event_func_2256() { cross(*this, right_hand); }
void Frames::event_func_2257() { fall(*this, right_hand); }
void Frames::event_func_2282() { enter(*this, left_hand); }
void Frames::event_func_2283() { enter(*this, right_hand); }
