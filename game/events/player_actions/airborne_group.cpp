// Movement mode 1, in the air after a jump or a fall: the air actions each
// character may start, the cap on the rising speed once jump is let go,
// and the landing (plain, into a skid, or Pimsa's into a roll). A landing
// switches the group off, so the rest of it waits for the next tick.
#include "audio/media.h"
#include "game/events/player_actions/action_starts.h"
#include "objects/active.h"

#include <algorithm>
#include <cmath>
#include <string>

using namespace action_starts;

namespace {

constexpr int roll_landing_sample = 7;

bool airborne(const Frames& f) { return player_control_on(f) && f.level_group_42; }

ObjectList& movement(Frames& f) { return f.instances[types::PlayerMovementValues_80]; }
double input(Frames& f, char control) { return get_value(f.instances[types::PlayerInput_21], control); }

bool landed(Frames& f) { return get_value(movement(f), 'L') == 1 && get_value(movement(f), 'K') == 1; }

void run_land_loop(Frames& f) { f.run_loop(f.fast_loop_action_land, 1, &Frames::loop_action_land_4); }

// Pimsa's pounce toward the facing `side`: at least 5 along it.
void pounce(Frames& f, double side)
{
    ObjectList& player = movement(f);
    if (input(f, 'K') != 1 || get_value(player, 'A') != 2 || get_value(player, 'Q') != side ||
        get_value(f.instances[types::PlayerOthers_75], 'H') != 0)
        return;
    set_value(player, 'L', 0);
    set_value(player, 'N', 0);
    set_value(player, 'M', 0);
    const double speed = get_value(player, 'B');
    set_value(player, 'B', side > 0 ? std::max(speed, 5.0) : std::min(speed, -5.0));
    set_value(f.instances[types::PlayerOthers_75], 'Y', 24);
    f.run_loop(f.fast_loop_sound_pounce, 1, &Frames::loop_sound_pounce_4);
    set_value(player, 'S', 1);
}

// Landing at skid speed with the direction against the motion held.
void land_into_skid(Frames& f)
{
    set_value(movement(f), 'S', 0);
    set_value(movement(f), 'M', 4);
    run_land_loop(f);
    deactivate_group(f.level_group_42);
}

}  // namespace

// Pimsa's kick, on foot or on the bike (unless the bike is busy).
void Frames::event_func_855()
{
    if (!airborne(*this) || input(*this, 'O') != 1 || !(get_value(instances[types::GUIEnergy_76], 'A') >= 20))
        return;
    const double character = get_value(movement(*this), 'A');
    const bool on_foot = character == 2;
    const bool on_bike = character == 3 && select(instances[types::PlayerSkinPimsaBike_338],
                                                  [](FrameObject* bike) { return !get_flag(*bike, 1); });
    if (!on_foot && !on_bike)
        return;
    set_value(instances[types::PlayerSkinPimsa_324], 'L', 0);
    set_value(movement(*this), 'M', 44);
    run_named_loop("sound_kick" + std::to_string(randrange_event(855, 3)), 1);
}

void Frames::event_func_856()
{
    if (airborne(*this))
        pounce(*this, 1);
}

void Frames::event_func_857()
{
    if (airborne(*this))
        pounce(*this, -1);
}

// The bike's kick flag drops once the bike is back under speed 9.
void Frames::event_func_858()
{
    if (!airborne(*this) || get_value(movement(*this), 'A') != 3)
        return;
    ObjectList& pimsa = instances[types::PlayerSkinPimsa_324];
    if (!select(pimsa, [](FrameObject* skin) { return get_flag(*skin, 12); }))
        return;
    if (!(std::abs(get_value(movement(*this), 'B')) <= 9))
        return;
    for_each_selected(pimsa, [](FrameObject* skin) { set_flag(skin, 12, false); });
}

// The bike's air jump: the bursts turn with the bike.
void Frames::event_func_859()
{
    ObjectList& player = movement(*this);
    if (!airborne(*this) || input(*this, 'K') != 1 || get_value(player, 'A') != 3 ||
        !(get_value(instances[types::PlayerActionValuesB_164], 'O') < 1) || get_value(player, 'L') != 0 ||
        get_value(instances[types::PlayerOthers_75], 'H') == 1)
        return;
    const double turn = instance_or_default(instances[types::PlayerSkinPimsaBike_338]).get_angle() +
                        45 * get_value(player, 'Q');
    for_each_instance(instances[types::EffectsWhiteBurst_31], [turn](FrameObject* burst) {
        static_cast<Active*>(burst)->set_x_scale(0.5f);
        burst->set_angle(to_int(turn), 0);
    });
    set_value(player, 'M', 32);
}

// Pimsa's attack out of a rolling jump.
void Frames::event_func_860()
{
    if (!airborne(*this) || get_value(movement(*this), 'A') != 2 ||
        get_value(instances[types::PlayerOthers_75], 'Y') != 8 || input(*this, 'L') != 1)
        return;
    set_value(movement(*this), 'M', 20);
    for_each_instance(instances[types::PlayerSkinPimsa_324], [](FrameObject* skin) { set_flag(skin, 12, true); });
    set_value(movement(*this), 'S', 1);
}

// Letting go of jump caps the rising speed.
void Frames::event_func_861()
{
    ObjectList& tuning = instances[types::PlayerActionValuesA_86];
    if (!airborne(*this) || input(*this, 'E') != 0 || !(get_value(movement(*this), 'G') < get_value(tuning, 'B')) ||
        get_value(tuning, 'C') != 1)
        return;
    set_value(movement(*this), 'G', get_value(tuning, 'B'));
}

// Under water, up or jump held swims upward, 3 at most.
void Frames::event_func_862()
{
    ObjectList& player = movement(*this);
    if (!airborne(*this) || get_value(instances[types::PlayerOthers_75], 'H') != 1 || get_value(player, 'L') != 0 ||
        !(input(*this, 'A') + input(*this, 'E') > 0) || !(get_value(player, 'G') > -3))
        return;
    set_value(player, 'G', std::min(std::max(get_value(player, 'G') - 0.2, -3.0), -1.0));
    set_value(instances[types::PlayerOthers_75], 'Y', 26);
    set_value(player, 'S', 1);
}

// The attack; Dorrik's needs energy, Hespin has none in the air.
void Frames::event_func_863()
{
    const double character = get_value(movement(*this), 'A');
    if (!airborne(*this) || input(*this, 'L') != 1 || get_value(movement(*this), 'M') == 20)
        return;
    const bool plain = character != 4 && character != 5;
    const bool dorrik_charged = character == 4 && get_value(instances[types::GUIEnergy_76], 'A') > 0;
    if (!plain && !dorrik_charged)
        return;
    deactivate_group(level_group_42);
    start_attack(*this);
}

void Frames::event_func_864()
{
    if (!airborne(*this) || !landed(*this) ||
        !(get_value(movement(*this), 'B') >= get_value(instances[types::PlayerActionValuesA_86], 'H')) ||
        input(*this, 'C') != 1)
        return;
    land_into_skid(*this);
}

void Frames::event_func_865()
{
    if (!airborne(*this) || !landed(*this) ||
        !(get_value(movement(*this), 'B') <= -get_value(instances[types::PlayerActionValuesA_86], 'H')) ||
        input(*this, 'D') != 1)
        return;
    land_into_skid(*this);
}

// Pimsa lands rolling with down held.
void Frames::event_func_866()
{
    ObjectList& player = movement(*this);
    if (!airborne(*this) || get_value(player, 'A') != 2 || !landed(*this) || input(*this, 'B') != 1 ||
        !(std::abs(get_value(player, 'B')) >= 0.2))
        return;
    set_value(player, 'M', 6);
    set_value(player, 'S', 0);
    media.play_id(roll_landing_sample, -1, 1);
    run_land_loop(*this);
    deactivate_group(level_group_42);
    set_value(instances[types::PlayerOthers_75], 'N', 0);
}

void Frames::event_func_867()
{
    if (!airborne(*this) || get_value(movement(*this), 'L') != 1)
        return;
    set_value(movement(*this), 'S', 1);
    set_value(movement(*this), 'M', 0);
    run_land_loop(*this);
    deactivate_group(level_group_42);
}

void Frames::event_func_868()
{
    if (airborne(*this) && orrun_charge_pressed(*this))
        start_orrun_charge(*this);
}

// Orrun's air jump: two air actions at most before landing.
void Frames::event_func_869()
{
    ObjectList& counters = instances[types::PlayerActionValuesB_164];
    if (!airborne(*this) || input(*this, 'K') != 1 || get_value(movement(*this), 'A') != 1 ||
        get_value(instances[types::PlayerOthers_75], 'H') == 1 || !(get_value(counters, 'O') < 2))
        return;
    set_value(instances[types::PlayerOthers_75], 'Y', 24);
    set_value(movement(*this), 'M', 21);
    set_value(instances[types::PlayerOthers_75], 'N', 0);
    add_value(counters, 'O', 1);
}

void Frames::event_func_870()
{
    if (airborne(*this) && dorrik_special_pressed(*this))
        set_value(movement(*this), 'M', 31);
}

// Dorrik holds jump while falling, with energy to spare.
void Frames::event_func_871()
{
    ObjectList& player = movement(*this);
    if (!airborne(*this) || input(*this, 'E') != 1 || get_value(player, 'A') != 4 || !(get_value(player, 'G') >= 0))
        return;
    if (!select(instances[types::PlayerSkinDorrik_339], [](FrameObject* skin) { return get_value(*skin, 'E') < 100; }))
        return;
    set_value(player, 'M', 22);
    set_value(instances[types::PlayerOthers_75], 'N', 0);
}

// Hespin's hover: jump held while falling, before any air action.
void Frames::event_func_872()
{
    ObjectList& player = movement(*this);
    if (!airborne(*this) || get_value(player, 'A') != 5 || input(*this, 'E') != 1 || get_value(player, 'L') != 0 ||
        !(get_value(player, 'G') > 0) || get_value(instances[types::PlayerOthers_75], 'H') == 1 ||
        get_value(instances[types::PlayerActionValuesB_164], 'O') != 0 ||
        !(get_value(instances[types::GUIEnergy_76], 'A') > 0))
        return;
    set_value(player, 'M', 0);
    set_value(instances[types::PlayerOthers_75], 'Y', 14);
}
