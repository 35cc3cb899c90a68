// Where Yelto's and Orrun's special moves start: Orrun's third button, air
// action and speed reset on the ground; Yelto's up move on the ground and,
// in the air, his energy move, air-time count, air action, downward move and
// up move under water. Each sets the move's mode; the move itself runs in
// that mode's group from the next tick.
#include "audio/media.h"
#include "game/events/player_actions/move_starts.h"

#include <algorithm>

using namespace action_starts;
using namespace move_starts;

namespace {

constexpr unsigned air_action_sample = 163;

}  // namespace

void Frames::event_func_824()
{
    if (!mode_0_on(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    ObjectList& input = instances[types::PlayerInput_21];
    if (get_value(input, 'A') != 1 || get_value(input, 'L') != 1 || get_value(player, 'A') != 0 ||
        get_value(player, 'L') != 1 || get_value(instances[types::PlayerActionValuesB_164], 'O') != 0)
        return;
    deactivate_group(level_group_58);
    set_value(player, 'M', 21);
}

void Frames::event_func_825()
{
    if (!mode_0_on(*this))
        return;
    if (orrun_charge_pressed(*this))
        start_orrun_charge(*this);
}

void Frames::event_func_826()
{
    if (!mode_0_on(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    ObjectList& others = instances[types::PlayerOthers_75];
    ObjectList& actions = instances[types::PlayerActionValuesB_164];
    if (get_value(instances[types::PlayerInput_21], 'K') != 1 || get_value(others, 'H') == 1 ||
        get_value(player, 'A') != 1 || get_value(player, 'L') != 0 || !(get_value(actions, 'O') < 2))
        return;
    set_value(others, 'Y', 24);
    set_value(player, 'M', 21);
    set_value(others, 'N', 0);
    add_value(actions, 'O', 1);
}

void Frames::event_func_827()
{
    if (!mode_0_on(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    ObjectList& others = instances[types::PlayerOthers_75];
    if (get_value(player, 'A') != 1 || !(get_value(others, 'N') > 0))
        return;
    set_value(player, 'T', 1);
    set_value(player, 'G', 0);
    set_value(player, 'U', 1);
    set_value(player, 'S', 1);
    set_value(player, 'B', std::clamp(get_value(player, 'B'), -5.0, 5.0));
    set_value(others, 'N', 0);
}

void Frames::event_func_848()
{
    if (!mode_1_on(*this))
        return;
    if (yelto_special_pressed(*this))
        start_yelto_special(*this);
}

void Frames::event_func_849()
{
    if (!mode_1_on(*this))
        return;
    ObjectList& others = instances[types::PlayerOthers_75];
    const double on_ground = get_value(instances[types::PlayerMovementValues_80], 'L');
    set_value(others, 'P', std::min(get_value(others, 'P') + 1, 10.0) * (1 - on_ground));
}

void Frames::event_func_850()
{
    if (!mode_1_on(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    ObjectList& others = instances[types::PlayerOthers_75];
    ObjectList& input = instances[types::PlayerInput_21];
    ObjectList& actions = instances[types::PlayerActionValuesB_164];
    if (get_value(player, 'A') != 0 || get_value(input, 'K') != 1 || get_value(others, 'H') == 1 ||
        !(get_value(others, 'P') >= 3) || get_value(actions, 'O') != 0)
        return;
    set_value(player, 'N', 0);
    set_value(player, 'L', 0);
    set_value(player, 'M', 26);
    set_value(actions, 'O', 1);
    // Rising at least 3 a tick, or no vertical speed while down is held.
    const double m = std::min(get_value(player, 'G'), -3.0);
    set_value(player, 'G', m - get_value(input, 'B') * m);
    for_each_instance(instances[types::PlayerSkinYelto_102], [](FrameObject* skin) { set_value(skin, 'I', 0); });
    media.play_id(air_action_sample, -1, 1);
}

void Frames::event_func_851()
{
    if (!mode_1_on(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    ObjectList& others = instances[types::PlayerOthers_75];
    ObjectList& input = instances[types::PlayerInput_21];
    if (get_value(player, 'A') != 0 || get_value(input, 'B') != 1 || get_value(input, 'L') != 1 ||
        get_value(others, 'Y') == 43)
        return;
    set_value(player, 'M', 19);
    reset_orrun_skins(*this);
    set_value(others, 'N', 0);
    deactivate_group(level_group_42);
}

void Frames::event_func_852()
{
    if (!mode_1_on(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    ObjectList& input = instances[types::PlayerInput_21];
    if (get_value(input, 'A') != 1 || get_value(input, 'L') != 1 || get_value(player, 'A') != 0 ||
        get_value(instances[types::PlayerOthers_75], 'H') != 1)
        return;
    deactivate_group(level_group_42);
    set_value(player, 'M', 21);
}
