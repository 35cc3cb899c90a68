// Four of the movement-mode groups: the free-air state that launches the
// characters' moves (mode 40), hanging from a grab handle (41), held in
// place (43) and mode 50. Each writes the state number the skins follow;
// a mode it sets switches groups at the next tick's state switch.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "objects/active.h"

#include <algorithm>
#include <string>

namespace {

// Gameplay, the player engine and the player's control are on.
bool controls_on(const Frames& f)
{
    return f.level_group_43 && f.level_group_23 && f.level_group_24;
}

bool free_air(const Frames& f) { return controls_on(f) && f.level_group_30; }
bool hanging(const Frames& f) { return controls_on(f) && f.level_group_27; }

// Pimsa's wall grab: pushing into a wall that the side sensor touches.
bool pushing_into_wall(Frames& f)
{
    ObjectList& pad = f.instances[types::PlayerInput_21];
    ObjectList& right = f.instances[types::PlayerSensorRightBig_91];
    ObjectList& left = f.instances[types::PlayerSensorLeftBig_89];
    return (get_value(pad, 'D') == 1 && get_value(right, 'Z') == 1) ||
           (get_value(pad, 'C') == 1 && get_value(left, 'Z') == 1);
}

void wall_grab(Frames& f, double character)
{
    ObjectList& player = f.instances[types::PlayerMovementValues_80];
    if (get_value(player, 'A') != character || get_value(player, 'L') != 0 || !pushing_into_wall(f))
        return;
    set_value(player, 'M', 47);
    set_value_of_all(f.instances[types::PlayerSkinPimsa_324], 'M', 10);
}

// Pimsa's pounce, toward the facing `side`: at least 5 along it.
void pounce(Frames& f, double side)
{
    ObjectList& player = f.instances[types::PlayerMovementValues_80];
    if (get_value(f.instances[types::PlayerInput_21], 'K') != 1 || get_value(player, 'A') != 2 ||
        get_value(player, 'Q') != side)
        return;
    const double speed = get_value(player, 'B');
    set_value(player, 'B', side > 0 ? std::max(speed, 5.0) : std::min(speed, -5.0));
    set_value(player, 'L', 0);
    set_value(player, 'M', 0);
    set_value(player, 'N', 0);
    set_value(f.instances[types::PlayerOthers_75], 'Y', 24);
    f.run_loop(f.fast_loop_sound_pounce, 1, &Frames::loop_sound_pounce_4);
}

// Letting go of the handle clears the grab of every handle.
void release_handles(Frames& f)
{
    for_each_instance(f.qualifier_14, [](FrameObject* handle) { set_value(handle, 'Q', 0); });
}

// Dorrik's skins with a spent cooldown (F) and, where asked, energy left.
bool dorrik_ready(Frames& f, bool below_full)
{
    return select(f.instances[types::PlayerSkinDorrik_339], [below_full](FrameObject* skin) {
        return get_value(*skin, 'F') <= 0 && (!below_full || get_value(*skin, 'E') < 100);
    });
}

}  // namespace

// Mode 40 ------------------------------------------------------------------------

void Frames::event_func_957()
{
    if (!free_air(*this))
        return;
    set_value(instances[types::PlayerMovementValues_80], 'T', 1);
    set_value(instances[types::PlayerMovementValues_80], 'S', 1);
    set_value_of_all(instances[types::PlayerSkinDorrik_339], 'E', 0);
}

void Frames::event_func_958()
{
    if (!free_air(*this) || get_value(instances[types::PlayerMovementValues_80], 'L') != 1)
        return;
    set_value(instances[types::PlayerMovementValues_80], 'M', 0);
}

void Frames::event_func_959()
{
    if (!free_air(*this))
        return;
    const double character = get_value(instances[types::PlayerMovementValues_80], 'A');
    const bool button_2 = get_value(instances[types::PlayerInput_21], 'L') == 1;
    const bool plain = button_2 && character != 4 && character != 5;
    const bool dorrik_charged = button_2 && character == 4 && get_value(instances[types::GUIEnergy_76], 'A') > 0;
    if (!plain && !dorrik_charged)
        return;
    set_value(instances[types::PlayerMovementValues_80], 'M', 20);
    for_each_instance(instances[types::PlayerSkinOrrun_290], [](FrameObject* skin) {
        set_flag(skin, 1, false);
        set_value(skin, 'B', 2);
    });
}

void Frames::event_func_960()
{
    if (!free_air(*this) || get_value(instances[types::PlayerOthers_75], 'H') != 1)
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    if (get_value(player, 'L') != 0 || !(get_value(player, 'G') > -3))
        return;
    set_value(player, 'M', 1);
}

void Frames::event_func_961()
{
    if (!free_air(*this) || get_value(instances[types::PlayerInput_21], 'O') != 1 ||
        get_value(instances[types::PlayerMovementValues_80], 'A') != 1)
        return;
    const double charge = get_value(instances[types::GUIEnergy_76], 'C');
    if (!(charge > 0))
        return;
    set_value(instances[types::PlayerMovementValues_80], 'M', 42);
    set_value_of_all(instances[types::PlayerSkinOrrun_290], 'B', charge);
}

void Frames::event_func_962()
{
    if (!free_air(*this) || get_value(instances[types::PlayerInput_21], 'K') != 1 ||
        get_value(instances[types::PlayerMovementValues_80], 'A') != 1)
        return;
    ObjectList& air_actions = instances[types::PlayerActionValuesB_164];
    if (!(get_value(air_actions, 'O') < 2))
        return;
    set_value(instances[types::PlayerOthers_75], 'Y', 24);
    set_value(instances[types::PlayerMovementValues_80], 'M', 21);
    set_value(instances[types::PlayerOthers_75], 'N', 0);
    add_value(air_actions, 'O', 1);
}

void Frames::event_func_963()
{
    if (!free_air(*this) || get_value(instances[types::PlayerInput_21], 'O') != 1)
        return;
    const double character = get_value(instances[types::PlayerMovementValues_80], 'A');
    if (character < 2 || character > 3 || !(get_value(instances[types::GUIEnergy_76], 'A') >= 20))
        return;
    set_value_of_all(instances[types::PlayerSkinPimsa_324], 'L', 0);
    set_value(instances[types::PlayerMovementValues_80], 'M', 44);
    run_named_loop("sound_kick" + std::to_string(randrange_event(963, 3)), 1);
}

void Frames::event_func_964()
{
    if (free_air(*this))
        pounce(*this, 1);
}

void Frames::event_func_965()
{
    if (free_air(*this))
        pounce(*this, -1);
}

void Frames::event_func_966()
{
    if (free_air(*this))
        wall_grab(*this, 2);
}

void Frames::event_func_967()
{
    if (free_air(*this))
        wall_grab(*this, 3);
}

void Frames::event_func_968()
{
    if (!free_air(*this) || get_value(instances[types::PlayerInput_21], 'K') != 1 ||
        get_value(instances[types::PlayerMovementValues_80], 'A') != 3)
        return;
    if (!(get_value(instances[types::PlayerActionValuesB_164], 'O') < 1) ||
        get_value(instances[types::PlayerMovementValues_80], 'L') != 0 ||
        get_value(instances[types::PlayerOthers_75], 'H') == 1)
        return;
    const double tilt = 45 * get_value(instances[types::PlayerMovementValues_80], 'Q');
    int k = 0;
    for_each_instance(instances[types::EffectsWhiteBurst_31], [&](FrameObject* burst) {
        const FrameObject& bike = paired_or_default(instances[types::PlayerSkinPimsaBike_338], k++);
        auto* sprite = static_cast<Active*>(burst);
        sprite->set_x_scale(0.5f);
        sprite->set_angle(to_int(bike.get_angle() + tilt), 0);
    });
    set_value(instances[types::PlayerMovementValues_80], 'M', 32);
}

void Frames::event_func_969()
{
    if (!free_air(*this) || get_value(instances[types::PlayerInput_21], 'O') != 1 ||
        get_value(instances[types::PlayerMovementValues_80], 'A') != 4)
        return;
    if (!dorrik_ready(*this, false) || get_value(instances[types::PlayerReflect_343], 'A') != 0)
        return;
    set_value(instances[types::PlayerMovementValues_80], 'M', 31);
}

void Frames::event_func_970()
{
    if (!free_air(*this) || get_value(instances[types::PlayerInput_21], 'E') != 1 ||
        get_value(instances[types::PlayerInput_21], 'B') == 1)
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    if (get_value(player, 'A') != 4 || !(get_value(player, 'G') >= 0) || !dorrik_ready(*this, true))
        return;
    set_value(player, 'M', 22);
    set_value(instances[types::PlayerOthers_75], 'N', 0);
}

void Frames::event_func_971()
{
    if (!free_air(*this))
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    if (get_value(player, 'A') != 5 || get_value(instances[types::PlayerInput_21], 'E') != 1 ||
        get_value(player, 'L') != 0 || !(get_value(player, 'G') > 0))
        return;
    if (get_value(instances[types::PlayerOthers_75], 'H') == 1 ||
        get_value(instances[types::PlayerActionValuesB_164], 'O') != 0 ||
        !(get_value(instances[types::GUIEnergy_76], 'A') > 0))
        return;
    set_value(player, 'M', 0);
    set_value(instances[types::PlayerOthers_75], 'Y', 14);
}

// Mode 41: hanging ----------------------------------------------------------------

void Frames::event_func_972()
{
    if (!hanging(*this) || get_value(instances[types::PlayerOthers_75], 'Y') == 42)
        return;
    set_value(instances[types::PlayerOthers_75], 'Y', 41);
}

void Frames::event_func_973()
{
    if (!hanging(*this))
        return;
    set_value(instances[types::PlayerMovementValues_80], 'T', 0);
    set_value(instances[types::PlayerMovementValues_80], 'S', 1);
    set_value(instances[types::PlayerMovementValues_80], 'U', 0);
    set_value(instances[types::PlayerActionValuesB_164], 'O', 0);
}

void Frames::event_func_974()
{
    if (!hanging(*this))
        return;
    set_value(instances[types::PlayerMovementValues_80], 'B',
              std::clamp(get_value(instances[types::PlayerMovementValues_80], 'B'), -4.0, 4.0));
    set_value_of_all(instances[types::PlayerSkinDorrik_339], 'E', 0);
}

void Frames::event_func_975()
{
    if (!hanging(*this) || get_value(instances[types::PlayerInput_21], 'C') != 0 ||
        get_value(instances[types::PlayerInput_21], 'D') != 0)
        return;
    set_value(instances[types::PlayerMovementValues_80], 'B', 0);
}

void Frames::event_func_976()
{
    if (!hanging(*this) || get_value(instances[types::PlayerInput_21], 'K') != 1 ||
        get_value(instances[types::PlayerInput_21], 'B') != 0)
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    set_value(player, 'M', 1);
    set_value(instances[types::PlayerActionValuesA_86], 'C', 0);
    set_value(player, 'U', 1);
    set_value(player, 'T', 1);
    set_value(player, 'G', -4.5);
    release_handles(*this);
}

void Frames::event_func_977()
{
    if (!hanging(*this) || get_value(instances[types::PlayerInput_21], 'K') != 1 ||
        get_value(instances[types::PlayerInput_21], 'B') == 0)
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    set_value(player, 'M', 40);
    set_value(instances[types::PlayerActionValuesA_86], 'C', 0);
    set_value(player, 'T', 1);
    set_value(player, 'U', 1);
    set_value(player, 'G', 0);
    release_handles(*this);
}

// Mode 43: held in place ----------------------------------------------------------

void Frames::event_func_978()
{
    if (!controls_on(*this) || !level_group_53)
        return;
    set_value(instances[types::PlayerOthers_75], 'Y', 8);
}

void Frames::event_func_979()
{
    if (!controls_on(*this) || !level_group_53)
        return;
    ObjectList& player = instances[types::PlayerMovementValues_80];
    set_value(player, 'T', 0);
    set_value(player, 'L', 1);
    set_value(player, 'U', 0);
    set_value(player, 'S', 0);
}

// Mode 50 -------------------------------------------------------------------------

void Frames::event_func_1013()
{
    if (!controls_on(*this) || !level_group_17)
        return;
    const double current = get_value(instances[types::PlayerOthers_75], 'Y');
    if (current == 50 || current == 51)
        return;
    set_value(instances[types::PlayerOthers_75], 'Y', 50);
}
