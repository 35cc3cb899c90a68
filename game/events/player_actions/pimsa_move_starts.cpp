// Where Pimsa's special moves start, on foot and on the bike: the kick on
// the third button, the wall move when pressed against a wall in the air,
// the pounce on the jump button with the speed it keeps and its end, and
// the bike's air action. The skin's waits (N for the kick, M for the wall
// move) allow a move at 0 or below; the move set lowers them again.
#include "game/events/player_actions/move_starts.h"
#include "objects/active.h"

#include <algorithm>
#include <string>

using namespace move_starts;

namespace {

constexpr double on_foot = 2, on_bike = 3, pounce_state = 24;
constexpr double kick_energy = 20, wall_move_wait = 10;

// A wall-move block: the player presses the held direction into a wall that
// the big sensor on that side touches; in the ground group a pushable object
// at the sensor is pushed instead (the group of pushables is qualifier 8).
bool pressed_into_wall(Frames& f, char held, int sensor_type, bool pushable_test)
{
    if (get_value(f.instances[types::PlayerInput_21], held) != 1)
        return false;
    ObjectList& sensor = f.instances[sensor_type];
    if (!select(sensor, [](FrameObject* s) { return get_value(*s, 'Z') == 1; }))
        return false;
    return !pushable_test || check_not_overlap(sensor, f.qualifier_8);
}

bool wall_to_either_side(Frames& f, bool pushable_test)
{
    return pressed_into_wall(f, 'D', types::PlayerSensorRightBig_91, pushable_test) ||
           pressed_into_wall(f, 'C', types::PlayerSensorLeftBig_89, pushable_test);
}

// The skins whose wall-move wait is over, selected for the action.
bool wall_move_ready(Frames& f)
{
    return select(f.instances[types::PlayerSkinPimsa_324], [](FrameObject* skin) { return get_value(*skin, 'M') <= 0; });
}

void start_wall_move(Frames& f, bool with_wait)
{
    set_value(f.instances[types::PlayerMovementValues_80], 'M', 47);
    if (with_wait)
        for_each_selected(f.instances[types::PlayerSkinPimsa_324],
                          [](FrameObject* skin) { set_value(skin, 'M', wall_move_wait); });
}

// The mode-1 wall move of either form: in the air above water, jump not
// held, pressed into a wall, the wait over.
bool airborne_wall_move(Frames& f, double character)
{
    ObjectList& player = f.instances[types::PlayerMovementValues_80];
    if (get_value(player, 'A') != character || get_value(player, 'L') != 0 ||
        get_value(f.instances[types::PlayerOthers_75], 'H') != 0 || get_value(f.instances[types::PlayerInput_21], 'E') != 0)
        return false;
    return wall_to_either_side(f, false) && wall_move_ready(f);
}

// The pounce: a jump press on foot facing `facing` leaves the ground at
// least 5 a tick that way, in the pounce state.
void pounce(Frames& f, double facing)
{
    ObjectList& player = f.instances[types::PlayerMovementValues_80];
    ObjectList& others = f.instances[types::PlayerOthers_75];
    if (get_value(f.instances[types::PlayerInput_21], 'K') != 1 || get_value(player, 'A') != on_foot ||
        get_value(player, 'Q') != facing || get_value(others, 'Y') == pounce_state)
        return;
    set_value(player, 'L', 0);
    set_value(player, 'N', 0);
    set_value(player, 'M', 0);
    const double b = get_value(player, 'B');
    set_value(player, 'B', facing > 0 ? std::max(b, 5 * facing) : std::min(b, 5 * facing));
    set_value(others, 'Y', pounce_state);
    f.run_loop(f.fast_loop_sound_pounce, 1, &Frames::loop_sound_pounce_4);
}

// While the pounce lasts it keeps at least 6 a tick in the facing direction.
void keep_pounce_speed(Frames& f, double facing)
{
    ObjectList& player = f.instances[types::PlayerMovementValues_80];
    if (get_value(player, 'A') != on_foot || get_value(f.instances[types::PlayerOthers_75], 'Y') != pounce_state ||
        get_value(player, 'Q') != facing)
        return;
    const double b = get_value(player, 'B');
    set_value(player, 'B', facing > 0 ? std::max(b, 6 * facing) : std::min(b, 6 * facing));
    for_each_instance(f.instances[types::PlayerSkinPimsa_324], [](FrameObject* skin) { set_flag(skin, 12, true); });
}

}  // namespace

void Frames::event_func_828()
{
    if (!mode_0_on(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    const double character = get_value(player, 'A');
    // On the bike only in the air.
    const bool can_kick = character == on_foot || (character == on_bike && get_value(player, 'L') == 0);
    if (get_value(instances[types::PlayerInput_21], 'O') != 1 || !can_kick ||
        !(get_value(instances[types::GUIEnergy_76], 'A') >= kick_energy))
        return;
    ObjectList& skins = instances[types::PlayerSkinPimsa_324];
    if (!select(skins, [](FrameObject* skin) { return get_value(*skin, 'N') <= 0; }))
        return;
    for_each_selected(skins, [](FrameObject* skin) { set_value(skin, 'L', 0); });
    set_value(player, 'M', 44);
    run_named_loop("sound_kick" + std::to_string(randrange_event(828, 3)), 1);
}

void Frames::event_func_829()
{
    if (!mode_0_on(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    if (get_value(player, 'A') != on_foot || get_value(player, 'L') != 0)
        return;
    if (wall_to_either_side(*this, true) && wall_move_ready(*this))
        start_wall_move(*this, true);
}

void Frames::event_func_830()
{
    if (!mode_0_on(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    if (get_value(player, 'A') != on_bike || get_value(player, 'L') != 0 || !(get_value(player, 'G') >= 0))
        return;
    if (wall_to_either_side(*this, true))
        start_wall_move(*this, false);
}

void Frames::event_func_831()
{
    if (mode_0_on(*this))
        pounce(*this, 1);
}

void Frames::event_func_832()
{
    if (mode_0_on(*this))
        pounce(*this, -1);
}

void Frames::event_func_833()
{
    if (!mode_0_on(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    ObjectList& others = instances[types::PlayerOthers_75];
    // Over once the speed in the facing direction is below 1, or reversed.
    if (get_value(player, 'A') != on_foot || get_value(others, 'Y') != pounce_state ||
        get_value(player, 'Q') == std::clamp(get_value(player, 'B'), -1.0, 1.0))
        return;
    set_value(others, 'Y', 3);
    for_each_instance(instances[types::PlayerSkinPimsa_324], fall_from_frame_6);
    for_each_instance(instances[types::PlayerSkinPimsaTail_323], fall_from_frame_6);
}

void Frames::event_func_834()
{
    if (mode_0_on(*this))
        keep_pounce_speed(*this, 1);
}

void Frames::event_func_835()
{
    if (mode_0_on(*this))
        keep_pounce_speed(*this, -1);
}

void Frames::event_func_836()
{
    if (!mode_0_on(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    const double character = get_value(player, 'A');
    // On foot the flag lasts the pounce; on the bike while it is fast.
    const bool over = (character == on_foot && get_value(instances[types::PlayerOthers_75], 'Y') != pounce_state) ||
                      (character == on_bike && std::abs(get_value(player, 'B')) <= 9);
    if (!over)
        return;
    ObjectList& skins = instances[types::PlayerSkinPimsa_324];
    if (select(skins, [](FrameObject* skin) { return get_flag(*skin, 12); }))
        for_each_selected(skins, [](FrameObject* skin) { set_flag(skin, 12, false); });
}

void Frames::event_func_837()
{
    if (!mode_0_on(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    if (get_value(instances[types::PlayerInput_21], 'K') != 1 || get_value(player, 'A') != on_bike ||
        !(get_value(instances[types::PlayerActionValuesB_164], 'O') < 1) || get_value(player, 'L') != 0 ||
        get_value(instances[types::PlayerOthers_75], 'H') == 1)
        return;
    // Each burst, newest first, takes the angle of the bike it pairs with,
    // turned 45 degrees the way the player faces.
    const double turn = 45 * get_value(player, 'Q');
    int i = 0;
    for_each_instance(instances[types::EffectsWhiteBurst_31], [&](FrameObject* burst) {
        static_cast<Active*>(burst)->set_x_scale(0.5f);
        const int bike_angle = paired_or_default(instances[types::PlayerSkinPimsaBike_338], i++).get_angle();
        burst->set_angle(to_int(bike_angle + turn), 0);
    });
    set_value(player, 'M', 32);
}

void Frames::event_func_853()
{
    if (mode_1_on(*this) && airborne_wall_move(*this, on_foot))
        start_wall_move(*this, true);
}

void Frames::event_func_854()
{
    if (mode_1_on(*this) && airborne_wall_move(*this, on_bike))
        start_wall_move(*this, true);
}
