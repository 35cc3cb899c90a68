// The motorbike's boost: one press of the special button throws the bike
// forward (or up a wall it rides along) with a white burst, and a timed
// power state drains the energy meter and trails dust and sparkles.
#include "audio/media.h"
#include "game/events/move_sets/motorbike.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "runtime/movement.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double boosting = 2, boost_ticks = 30, spin_mode = 44;
constexpr unsigned boost_sample = 182;
constexpr double dust_speed = 8;

ObjectList& player(Frames& f) { return f.instances[types::PlayerMovementValues_80]; }
ObjectList& others(Frames& f) { return f.instances[types::PlayerOthers_75]; }
double input(Frames& f, char control) { return get_value(f.instances[types::PlayerInput_21], control); }
bool boosting_now(Frames& f) { return get_value(others(f), 'F') == boosting; }

// A boost from the ground the way the bike faces: a horizontal direction
// held, not down, special pressed, no timed power state, not spinning,
// and the skins' latch off (those skins are selected).
bool ground_boost_pressed(Frames& f, double facing)
{
    ObjectList& skins = f.instances[types::PlayerSkinPimsaBike_338];
    return motorbike::riding_on(f) && get_value(player(f), 'L') == 1 && get_value(player(f), 'Q') == facing &&
           get_value(player(f), 'M') != spin_mode && (input(f, 'D') == 1 || input(f, 'C') == 1) &&
           input(f, 'B') == 0 && input(f, 'O') == 1 && get_value(others(f), 'F') == 0 &&
           select(skins, [](FrameObject* skin) { return !get_flag(*skin, 1); });
}

// What every boost does first: the timed power state for 30 ticks and a
// burst at the action point of each selected skin, half as wide, at the
// angle the first skin's angle plus `turn`.
void start_boost(Frames& f, double turn)
{
    set_value(others(f), 'F', boosting);
    set_value(others(f), 'G', boost_ticks);
    ObjectList& skins = f.instances[types::PlayerSkinPimsaBike_338];
    const int angle = ObjectIterator(skins).done() ? 0 : (*ObjectIterator(skins))->get_angle();
    auto* burst = static_cast<Active*>(
        create_at_action_points(f, skins, f.instances[types::EffectsWhiteBurst_31], create_effectswhiteburst_31));
    if (burst) {
        burst->set_x_scale(0.5f);
        burst->set_angle(angle + int(turn), false);
    }
}

// And last: Pimsa's next attack starts with its other hit, the sound, the
// latch on the selected skins.
void finish_boost(Frames& f)
{
    for_each_instance(f.instances[types::PlayerSkinPimsa_324], [](FrameObject* skin) { set_flag(skin, 12, true); });
    media.play_id(boost_sample, -1, 1);
    for_each_selected(f.instances[types::PlayerSkinPimsaBike_338],
                      [](FrameObject* skin) { set_flag(skin, 1, true); });
}

// Every `period` ticks of the tick counter (global value 3).
bool on_beat(Frames& f, int period) { return level_tick(f) % period == 0; }

// A dust puff at each skin's action point, sent away from the point 9
// pixels below the skin.
void puff(Frames& f)
{
    ObjectList& skins = f.instances[types::PlayerSkinPimsaBike_338];
    select_all(skins);
    auto* dust = static_cast<Active*>(
        create_at_action_points(f, skins, f.instances[types::EffectsDust01_132], create_effectsdust01_132));
    if (!dust)
        return;
    dust->get_movement()->set_speed(int(dust_speed));
    const FrameObject& skin = instance_or_default(skins);
    double angle = std::atan2(dust->y - (skin.y + 9), skin.x - dust->x) * 57.29577951308232;
    if (angle < 0)
        angle += 360;
    dust->set_direction(int(angle / 11.25), true);
    dust->set_direction(dust->get_direction() + 16, true);
    dust->set_scale(0.7f);
}

}  // namespace

void Frames::event_func_1179()
{
    if (!ground_boost_pressed(*this, 1))
        return;
    start_boost(*this, 0);
    set_value(player(*this), 'B', std::max(get_value(player(*this), 'B'), 10.0));
    finish_boost(*this);
}

void Frames::event_func_1180()
{
    if (!ground_boost_pressed(*this, -1))
        return;
    start_boost(*this, 0);
    set_value(player(*this), 'B', std::min(get_value(player(*this), 'B'), -10.0));
    finish_boost(*this);
}

// Along a wall: the held direction must be the facing; the latch is not
// asked, but the press is.
void Frames::event_func_1181()
{
    const double facing = get_value(player(*this), 'Q');
    const bool toward_facing = (facing == 1 && input(*this, 'D') == 1) || (facing == -1 && input(*this, 'C') == 1);
    if (!motorbike::riding_on(*this) || get_value(player(*this), 'M') != motorbike::wall_mode || !toward_facing ||
        input(*this, 'O') != 1 || get_value(others(*this), 'F') != 0)
        return;
    select_all(instances[types::PlayerSkinPimsaBike_338]);
    start_boost(*this, 90);
    set_value(player(*this), 'G', -8);
    finish_boost(*this);
}

void Frames::event_func_1182()
{
    ObjectList& energy = instances[types::GUIEnergy_76];
    if (motorbike::riding_on(*this) && boosting_now(*this))
        set_value(energy, 'A', std::max(get_value(energy, 'A') - 1, 0.0));
}

// The timer has run out, or the bike stands outside a wall ride.
void Frames::event_func_1183()
{
    if (!motorbike::riding_on(*this) || !boosting_now(*this))
        return;
    const bool timed_out = get_value(others(*this), 'G') <= 0;
    const bool stopped = get_value(player(*this), 'M') != motorbike::wall_mode && get_value(player(*this), 'B') == 0;
    if (timed_out || stopped)
        set_value(others(*this), 'F', 0);
}

void Frames::event_func_1185()
{
    ObjectList& skins = instances[types::PlayerSkinPimsaBike_338];
    if (motorbike::riding_on(*this) && select(skins, [](FrameObject* skin) { return get_flag(*skin, 1); }) &&
        input(*this, 'N') == 0)
        for_each_selected(skins, [](FrameObject* skin) { set_flag(skin, 1, false); });
}

// A puff every 8 ticks while the bike stands, every 4 while it moves.
void Frames::event_func_1188()
{
    if (!motorbike::riding_on(*this) || get_value(others(*this), 'H') == 1 || !boosting_now(*this))
        return;
    if (on_beat(*this, get_value(player(*this), 'B') == 0 ? 8 : 4))
        puff(*this);
}

void Frames::event_func_1189()
{
    if (!motorbike::riding_on(*this) || !on_beat(*this, 4) || !boosting_now(*this))
        return;
    ObjectList& skins = instances[types::PlayerSkinPimsaBike_338];
    select_all(skins);
    create_at_action_points(*this, skins, instances[types::RingSparkle_179], create_ringsparkle_179);
}
