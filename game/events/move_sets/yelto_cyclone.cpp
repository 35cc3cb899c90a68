// Yelto's cyclone: about 80 ticks of spinning with a hidden second
// insta-shield and sparkles, drifting down slowly, left by a jump, the
// attack, the dive or the boost; and the knock-back countdown of his group.
#include "audio/media.h"
#include "game/events/move_sets/yelto_moves.h"
#include "game/events/player_actions/action_starts.h"
#include "game/events/player_actions/ground_jump.h"
#include "game/objects/classes.h"

#include <algorithm>

namespace {

constexpr double spin_ticks = 80, voice_rest = 600, jump_lift = 0.7;
constexpr unsigned roll_sample = 7, air_action_sample = 163;

bool cyclone_on(const Frames& f) { return yelto::group_on(f) && f.level_group_65; }

double held(Frames& f, char control) { return get_value(f.instances[types::PlayerInput_21], control); }
double skin_value(Frames& f, char name) { return get_value(f.instances[types::PlayerSkinYelto_102], name); }
bool not_hurt(Frames& f) { return get_value(f.instances[types::PlayerOthers_75], 'K') <= 0; }

// A sparkle at the player, scattered up to 20 pixels each way.
void sparkle(Frames& f)
{
    ObjectList& player = f.instances[types::Player_87];
    select_all(player);
    FrameObject* sparkle = create_at_each(f, player, f.instances[types::RingSparkle_179], create_ringsparkle_179);
    if (!sparkle)
        return;
    sparkle->set_x(sparkle->get_x() + randrange_event(1103, 41) - 20);
    sparkle->set_y(sparkle->get_y() + randrange_event(1103, 41) - 20);
}

}  // namespace

void Frames::event_func_1097()
{
    if (cyclone_on(*this))
        set_value(instances[types::PlayerOthers_75], 'Y', 14);
}

void Frames::event_func_1098()
{
    if (!cyclone_on(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    add_value(instances[types::PlayerSkinYelto_102], 'I', 1);
    for (char name : {'T', 'U', 'S'})
        set_value(player, name, 1);
    set_value(instances[types::PlayerOthers_75], 'I', 0);
    ObjectList& energy = instances[types::GUIEnergy_76];
    set_value(energy, 'A', std::max(get_value(energy, 'A') - 0.25, 0.0));
}

void Frames::event_func_1099()
{
    if (!cyclone_on(*this) || skin_value(*this, 'I') != 1 || !(skin_value(*this, 'N') <= 0))
        return;
    yelto::say(*this, "sound_cyclone", 0);
    set_value(instances[types::PlayerSkinYelto_102], 'N', voice_rest);
}

void Frames::event_func_1100()
{
    if (cyclone_on(*this) && skin_value(*this, 'I') == 1)
        set_value(instances[types::PlayerSkinYelto_102], 'I', 2);
}

void Frames::event_func_1101()
{
    ObjectList& player = instances[types::PlayerMovementValues_80];
    if (cyclone_on(*this) && held(*this, 'B') != 1 && not_hurt(*this) && get_value(player, 'L') == 0)
        add_value(player, 'G', -0.15);
}

void Frames::event_func_1102()
{
    ObjectList& player = instances[types::PlayerMovementValues_80];
    if (cyclone_on(*this) && held(*this, 'A') == 1 && not_hurt(*this))
        set_value(player, 'G', std::min(get_value(player, 'G'), 2.0));
}

void Frames::event_func_1103()
{
    if (!cyclone_on(*this) || instances[types::ShieldInstaShield_187].size() != 1)
        return;
    if (FrameObject* shield = yelto::insta_shield_at_player(*this)) {
        shield->set_direction(8, true);
        set_value(shield, 'A', 2);
        shield->set_visible(false);
    }
    sparkle(*this);
}

void Frames::event_func_1104()
{
    if (!cyclone_on(*this) || !(skin_value(*this, 'I') >= spin_ticks))
        return;
    set_value(instances[types::PlayerMovementValues_80], 'M', 0);
    set_value(instances[types::PlayerSkinYelto_102], 'I', 0);
    set_value(instances[types::PlayerOthers_75], 'Y', 40);
}

void Frames::event_func_1105()
{
    if (!cyclone_on(*this) || get_value(instances[types::PlayerMovementValues_80], 'L') != 1 ||
        held(*this, 'K') != 1)
        return;
    launch_across_ground(*this, jump_lift);
    run_jump_sound(*this);
    set_value(instances[types::PlayerActionValuesB_164], 'O', 0);
}

void Frames::event_func_1106()
{
    ObjectList& player = instances[types::PlayerMovementValues_80];
    if (!cyclone_on(*this) || held(*this, 'L') != 1 || held(*this, 'B') == 1 || get_value(player, 'M') == 20)
        return;
    set_value(player, 'M', 20);
    media.stop_sample(roll_sample);
    run_loop(fast_loop_stop_voices, 1, &Frames::loop_stop_voices_3);
    media.stop_sample(air_action_sample);
}

void Frames::event_func_1107()
{
    ObjectList& player = instances[types::PlayerMovementValues_80];
    if (!cyclone_on(*this) || get_value(player, 'A') != 0 || get_value(player, 'L') != 0 || held(*this, 'B') != 1 ||
        held(*this, 'L') != 1 || get_value(instances[types::PlayerOthers_75], 'Y') == 43)
        return;
    set_value(player, 'M', 19);
    action_starts::reset_orrun_skins(*this);
    set_value(instances[types::PlayerOthers_75], 'N', 0);
}

void Frames::event_func_1108()
{
    if (cyclone_on(*this) && action_starts::yelto_special_pressed(*this))
        action_starts::start_yelto_special(*this);
}

void Frames::event_func_1109()
{
    ObjectList& others = instances[types::PlayerOthers_75];
    if (yelto::group_on(*this) && get_value(others, 'E') == 0 && get_value(others, 'L') > 0)
        add_value(others, 'L', -1);
}
