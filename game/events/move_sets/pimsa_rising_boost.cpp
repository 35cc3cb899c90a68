// Pimsa's rising boost (movement mode 32): a white burst and two samples,
// a lift for the first twenty ticks, a shield that turns with the bike
// skin, energy draining; the bike skin's timer B paces it from 6 down by
// 0.2 a tick. She can branch into the attack chain, the spin or the wall.
#include "game/events/move_sets/pimsa_moves.h"

#include "audio/media.h"
#include "game/events/player_actions/action_starts.h"
#include "game/objects/classes.h"

#include <algorithm>

using namespace pimsa_moves;

namespace {

constexpr unsigned boost_sample = 188;
constexpr double spin_energy = 20;

bool boost_on(const Frames& f) { return move_on(f, &Frames::level_group_13); }

double timer(const FrameObject& bike) { return get_value(bike, 'B'); }

void set_every_timer(Frames& f, double b)
{
    for_each_instance(bikes(f), [b](FrameObject* bike) { set_value(bike, 'B', b); });
}

// A branch out of the boost: the timer stopped, the boost sample cut.
void leave_for(Frames& f, double mode)
{
    set_value(player(f), 'M', mode);
    set_every_timer(f, 0);
    media.stop_sample(boost_sample);
}

// Airborne, not restricted, holding toward a wall the side's big sensor
// touches, jump not held.
bool grabs_wall(Frames& f, char toward, int sensor)
{
    return get_value(player(f), 'L') == 0 && get_value(others(f), 'H') == 0 && input(f, toward) == 1 &&
           input(f, 'E') == 0 && get_value(f.instances[sensor], 'Z') == 1;
}

}  // namespace

void Frames::event_func_1220()
{
    if (!boost_on(*this))
        return;
    set_state(*this, 8);
    for_each_instance(bikes(*this), [](FrameObject* bike) { sprite(bike)->force_speed(100); });
    set_energy(*this, std::max(energy(*this) - 0.5, 0.0));
    for_each_instance(bikes(*this), [](FrameObject* bike) { add_value(bike, 'B', -0.2); });
}

void Frames::event_func_1221()
{
    if (!boost_on(*this) || instances[types::ShieldInstaShield_187].size() != 0)
        return;
    FrameObject* shield = create_shield(*this);
    set_value(shield, 'A', 2);
    FrameObject* bike = instance_of(bikes(*this));
    if (!shield || !bike)
        return;
    shield->set_direction(24, true);
    shield->set_angle(sprite(bike)->get_frame() * 45, 0);
    shield->move_back(bike);
}

void Frames::event_func_1222()
{
    if (!boost_on(*this) || !(get_value(instances[types::PlayerActionValuesB_164], 'O') < 1))
        return;
    play_sample(151);
    ObjectList& list = bikes(*this);
    select_all(list);
    FrameObject* burst =
        create_at_action_points(*this, list, instances[types::EffectsWhiteBurst_31], create_effectswhiteburst_31);
    if (burst) {
        sprite(burst)->set_x_scale(0.5f);
        const double turn = 45 * get_value(player(*this), 'Q');
        burst->set_angle(to_int(instance_or_default(list).get_angle() + turn), 0);
    }
    set_every_timer(*this, 6);
    set_value(instances[types::PlayerActionValuesB_164], 'O', 1);
    play_sample(boost_sample);
}

// The lift: at least 1 - B upward while the timer is above 2.
void Frames::event_func_1223()
{
    if (!boost_on(*this))
        return;
    ObjectList& list = bikes(*this);
    if (!select(list, [](FrameObject* bike) { return timer(*bike) > 2; }))
        return;
    const double lift = 1 - timer(*list.back_selection());
    set_value(player(*this), 'G', std::min(get_value(player(*this), 'G'), lift));
}

void Frames::event_func_1224()
{
    if (!boost_on(*this))
        return;
    ObjectList& list = bikes(*this);
    if (!select(list, [](FrameObject* bike) { return timer(*bike) <= -1; }))
        return;
    set_value(player(*this), 'M', 0);
    for_each_selected(list, [](FrameObject* bike) { set_value(bike, 'B', 0); });
    set_state(*this, 3);
}

void Frames::event_func_1225()
{
    if (!boost_on(*this) || get_value(player(*this), 'K') != 1)
        return;
    set_value(player(*this), 'S', 1);
    set_value(player(*this), 'M', 0);
    set_every_timer(*this, 0);
    set_state(*this, 0);
}

void Frames::event_func_1226()
{
    if (!boost_on(*this) || input(*this, 'L') != 1)
        return;
    // Orrun's skins are made ready for an attack whoever is shown.
    action_starts::reset_orrun_skins(*this);
    leave_for(*this, 20);
}

void Frames::event_func_1227()
{
    if (!boost_on(*this) || input(*this, 'O') != 1 || !(energy(*this) >= spin_energy))
        return;
    for_each_instance(skins(*this), [](FrameObject* skin) { set_value(skin, 'L', 0); });
    run_voice(*this, "sound_kick", randrange_event(1227, 3));
    leave_for(*this, 44);
}

void Frames::event_func_1228()
{
    if (!boost_on(*this))
        return;
    const bool side = grabs_wall(*this, 'D', types::PlayerSensorRightBig_91) ||
                      grabs_wall(*this, 'C', types::PlayerSensorLeftBig_89);
    ObjectList& list = skins(*this);
    if (!side || !select(list, [](FrameObject* skin) { return get_value(*skin, 'M') <= 0; }))
        return;
    set_value(player(*this), 'M', 47);
    for_each_selected(list, [](FrameObject* skin) { set_value(skin, 'M', 10); });
}
