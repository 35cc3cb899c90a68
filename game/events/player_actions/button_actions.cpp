// The second and third buttons on the ground and in the air without a jump
// (mostly Yelto's: the energy action, the air actions, the downward move),
// and the insta-shield effect created while the player is in its state.
#include "audio/media.h"
#include "game/events/player_actions/move_starts.h"
#include "game/objects/classes.h"

#include <algorithm>
#include <cmath>

using namespace action_starts;
using namespace move_starts;

namespace {

constexpr unsigned energy_action_sample = 9, air_action_sample = 163;
constexpr double insta_shield_state = 43;

// While the state lasts, one hidden insta-shield at a time, facing the
// player's way; every ring sparkle jumps up to 20 pixels each way.
void create_insta_shield(Frames& f, int event, bool facing_right, int direction)
{
    ObjectList& player = f.instances[types::PlayerMovementValues_80];
    if (get_value(f.instances[types::PlayerOthers_75], 'Y') != insta_shield_state)
        return;
    ObjectList& shields = f.instances[types::ShieldInstaShield_187];
    if (shields.size() != 0 || (get_value(player, 'Q') == 1) != facing_right)
        return;
    const FrameObject& body = instance_or_default(f.instances[types::Player_87]);
    FrameObject* shield =
        create_instance(f, shields, create_shieldinstashield_187(body.x, body.y), layer_index(body));
    if (!shield)
        return;
    shield->set_direction(direction, true);
    set_value(shield, 'A', 2);
    for_each_instance(f.instances[types::RingSparkle_179], [event](FrameObject* sparkle) {
        sparkle->set_x(sparkle->get_x() - 20 + randrange_event(event, 41));
        sparkle->set_y(sparkle->get_y() - 20 + randrange_event(event, 41));
    });
    shield->set_visible(false);
}

}  // namespace

void Frames::event_func_814()
{
    if (!mode_0_on(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    ObjectList& input = instances[types::PlayerInput_21];
    const double character = get_value(player, 'A'), mode = get_value(player, 'M');
    if (get_value(input, 'L') != 1 || mode == 20 || mode == 21)
        return;
    // Hespin has no second-button action; Yelto's needs down released and
    // no insta-shield.
    const bool others = character != 0 && character != 5;
    const bool yelto = character == 0 && get_value(input, 'B') == 0 &&
                       get_value(instances[types::PlayerOthers_75], 'Y') != insta_shield_state;
    if (!others && !yelto)
        return;
    if (!select(instances[types::PlayerSkinYelto_102], [](FrameObject* skin) { return get_value(*skin, 'M') <= 20; }))
        return;
    start_attack(*this);
}

void Frames::event_func_818()
{
    if (!mode_0_on(*this) || !yelto_special_pressed(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    set_value(player, 'M', 5);
    set_value(instances[types::PlayerOthers_75], 'N', 0);
    media.play_id(energy_action_sample, -1, 1);
    const double k = 10 * get_value(player, 'L');
    for_each_instance(instances[types::PlayerSkinYelto_102], [k](FrameObject* skin) { set_value(skin, 'K', k); });
}

void Frames::event_func_819()
{
    if (!mode_0_on(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    ObjectList& others = instances[types::PlayerOthers_75];
    ObjectList& input = instances[types::PlayerInput_21];
    ObjectList& actions = instances[types::PlayerActionValuesB_164];
    if (get_value(player, 'A') != 0 || get_value(player, 'L') != 0 || get_value(others, 'H') == 1 ||
        !(get_value(others, 'P') >= 10) || get_value(input, 'K') != 1 || get_value(actions, 'O') != 0)
        return;
    set_value(player, 'N', 0);
    set_value(player, 'L', 0);
    set_value(player, 'M', 26);
    set_value(actions, 'O', 1);
    set_value(player, 'G', std::min(get_value(player, 'G'), -3.0) * (1 - get_value(input, 'B')));
    media.play_id(air_action_sample, -1, 1);
    for_each_instance(instances[types::PlayerSkinYelto_102], [](FrameObject* skin) { set_value(skin, 'I', 0); });
}

void Frames::event_func_820()
{
    if (!mode_0_on(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    ObjectList& input = instances[types::PlayerInput_21];
    ObjectList& actions = instances[types::PlayerActionValuesB_164];
    if (get_value(player, 'A') != 0 || get_value(player, 'L') != 1 || get_value(input, 'B') != 1 ||
        get_value(input, 'L') != 1 || !(std::abs(get_value(player, 'B')) >= 2) || get_value(actions, 'O') != 0)
        return;
    set_value(player, 'M', 26);
    set_value(actions, 'O', 1);
    for_each_instance(instances[types::PlayerSkinYelto_102], [](FrameObject* skin) { set_value(skin, 'I', 0); });
    media.play_id(air_action_sample, -1, 1);
}

void Frames::event_func_821()
{
    if (!mode_0_on(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    ObjectList& input = instances[types::PlayerInput_21];
    ObjectList& others = instances[types::PlayerOthers_75];
    if (get_value(player, 'A') != 0 || get_value(player, 'L') != 0 || get_value(input, 'B') != 1 ||
        get_value(input, 'L') != 1 || get_value(others, 'Y') == insta_shield_state)
        return;
    set_value(player, 'M', 19);
    reset_orrun_skins(*this);
    set_value(others, 'N', 0);
    deactivate_group(level_group_58);
}

void Frames::event_func_822()
{
    if (mode_0_on(*this))
        create_insta_shield(*this, 822, true, 7);
}

void Frames::event_func_823()
{
    if (mode_0_on(*this))
        create_insta_shield(*this, 823, false, 9);
}
