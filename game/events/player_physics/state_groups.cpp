// Four of the movement-mode groups: the free-air state that launches the
// characters' moves (mode 40), hanging from a grab handle (41), held in
// place (43) and mode 50. Each writes the state number the skins follow;
// a mode it sets switches groups at the next tick's state switch.
#include "game/events/player_physics/player_value_objects.h"
#include "objects/active.h"

#include <algorithm>
#include <string>

using namespace player_values;

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
    const Single pad = input(f);
    const Single right = Single(f.instances[types::PlayerSensorRightBig_91]);
    const Single left = Single(f.instances[types::PlayerSensorLeftBig_89]);
    return (pad['D'] == 1 && right['Z'] == 1) || (pad['C'] == 1 && left['Z'] == 1);
}

void wall_grab(Frames& f, double character)
{
    const Single player = movement(f);
    if (player['A'] != character || player['L'] != 0 || !pushing_into_wall(f))
        return;
    player.set('M', 47);
    set_every(f.instances[types::PlayerSkinPimsa_324], 'M', 10);
}

// Pimsa's pounce, toward the facing `side`: at least 5 along it.
void pounce(Frames& f, double side)
{
    const Single player = movement(f);
    if (input(f)['K'] != 1 || player['A'] != 2 || player['Q'] != side)
        return;
    const double speed = player['B'];
    player.set('B', side > 0 ? std::max(speed, 5.0) : std::min(speed, -5.0));
    player.set('L', 0);
    player.set('M', 0);
    player.set('N', 0);
    set_state(f, 24);
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
    movement(*this).set('T', 1);
    movement(*this).set('S', 1);
    set_every(instances[types::PlayerSkinDorrik_339], 'E', 0);
}

void Frames::event_func_958()
{
    if (!free_air(*this) || movement(*this)['L'] != 1)
        return;
    movement(*this).set('M', 0);
}

void Frames::event_func_959()
{
    if (!free_air(*this))
        return;
    const double character = movement(*this)['A'];
    const bool button_2 = input(*this)['L'] == 1;
    const bool plain = button_2 && character != 4 && character != 5;
    const bool dorrik_charged = button_2 && character == 4 && energy(*this)['A'] > 0;
    if (!plain && !dorrik_charged)
        return;
    movement(*this).set('M', 20);
    for_each_instance(instances[types::PlayerSkinOrrun_290], [](FrameObject* skin) {
        set_flag(skin, 1, false);
        set_value(skin, 'B', 2);
    });
}

void Frames::event_func_960()
{
    if (!free_air(*this) || others(*this)['H'] != 1)
        return;
    const Single player = movement(*this);
    if (player['L'] != 0 || !(player['G'] > -3))
        return;
    player.set('M', 1);
}

void Frames::event_func_961()
{
    if (!free_air(*this) || input(*this)['O'] != 1 || movement(*this)['A'] != 1)
        return;
    const double charge = energy(*this)['C'];
    if (!(charge > 0))
        return;
    movement(*this).set('M', 42);
    set_every(instances[types::PlayerSkinOrrun_290], 'B', charge);
}

void Frames::event_func_962()
{
    if (!free_air(*this) || input(*this)['K'] != 1 || movement(*this)['A'] != 1)
        return;
    const Single air_actions = actions_b(*this);
    if (!(air_actions['O'] < 2))
        return;
    set_state(*this, 24);
    movement(*this).set('M', 21);
    others(*this).set('N', 0);
    add_to(air_actions, 'O', 1);
}

void Frames::event_func_963()
{
    if (!free_air(*this) || input(*this)['O'] != 1)
        return;
    const double character = movement(*this)['A'];
    if (character < 2 || character > 3 || !(energy(*this)['A'] >= 20))
        return;
    set_every(instances[types::PlayerSkinPimsa_324], 'L', 0);
    movement(*this).set('M', 44);
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
    if (!free_air(*this) || input(*this)['K'] != 1 || movement(*this)['A'] != 3)
        return;
    if (!(actions_b(*this)['O'] < 1) || movement(*this)['L'] != 0 || others(*this)['H'] == 1)
        return;
    const double tilt = 45 * movement(*this)['Q'];
    int k = 0;
    for_each_instance(instances[types::EffectsWhiteBurst_31], [&](FrameObject* burst) {
        const FrameObject& bike = paired_or_default(instances[types::PlayerSkinPimsaBike_338], k++);
        auto* sprite = static_cast<Active*>(burst);
        sprite->set_x_scale(0.5f);
        sprite->set_angle(to_int(bike.get_angle() + tilt), 0);
    });
    movement(*this).set('M', 32);
}

void Frames::event_func_969()
{
    if (!free_air(*this) || input(*this)['O'] != 1 || movement(*this)['A'] != 4)
        return;
    if (!dorrik_ready(*this, false) || Single(instances[types::PlayerReflect_343])['A'] != 0)
        return;
    movement(*this).set('M', 31);
}

void Frames::event_func_970()
{
    if (!free_air(*this) || input(*this)['E'] != 1 || input(*this)['B'] == 1)
        return;
    const Single player = movement(*this);
    if (player['A'] != 4 || !(player['G'] >= 0) || !dorrik_ready(*this, true))
        return;
    player.set('M', 22);
    others(*this).set('N', 0);
}

void Frames::event_func_971()
{
    if (!free_air(*this))
        return;
    const Single player = movement(*this);
    if (player['A'] != 5 || input(*this)['E'] != 1 || player['L'] != 0 || !(player['G'] > 0))
        return;
    if (others(*this)['H'] == 1 || actions_b(*this)['O'] != 0 || !(energy(*this)['A'] > 0))
        return;
    player.set('M', 0);
    set_state(*this, 14);
}

// Mode 41: hanging ----------------------------------------------------------------

void Frames::event_func_972()
{
    if (!hanging(*this) || state(*this) == 42)
        return;
    set_state(*this, 41);
}

void Frames::event_func_973()
{
    if (!hanging(*this))
        return;
    movement(*this).set('T', 0);
    movement(*this).set('S', 1);
    movement(*this).set('U', 0);
    actions_b(*this).set('O', 0);
}

void Frames::event_func_974()
{
    if (!hanging(*this))
        return;
    movement(*this).set('B', std::clamp(movement(*this)['B'], -4.0, 4.0));
    set_every(instances[types::PlayerSkinDorrik_339], 'E', 0);
}

void Frames::event_func_975()
{
    if (!hanging(*this) || input(*this)['C'] != 0 || input(*this)['D'] != 0)
        return;
    movement(*this).set('B', 0);
}

void Frames::event_func_976()
{
    if (!hanging(*this) || input(*this)['K'] != 1 || input(*this)['B'] != 0)
        return;
    const Single player = movement(*this);
    player.set('M', 1);
    actions_a(*this).set('C', 0);
    player.set('U', 1);
    player.set('T', 1);
    player.set('G', -4.5);
    release_handles(*this);
}

void Frames::event_func_977()
{
    if (!hanging(*this) || input(*this)['K'] != 1 || input(*this)['B'] == 0)
        return;
    const Single player = movement(*this);
    player.set('M', 40);
    actions_a(*this).set('C', 0);
    player.set('T', 1);
    player.set('U', 1);
    player.set('G', 0);
    release_handles(*this);
}

// Mode 43: held in place ----------------------------------------------------------

void Frames::event_func_978()
{
    if (!controls_on(*this) || !level_group_53)
        return;
    set_state(*this, 8);
}

void Frames::event_func_979()
{
    if (!controls_on(*this) || !level_group_53)
        return;
    const Single player = movement(*this);
    player.set('T', 0);
    player.set('L', 1);
    player.set('U', 0);
    player.set('S', 0);
}

// Mode 50 -------------------------------------------------------------------------

void Frames::event_func_1013()
{
    if (!controls_on(*this) || !level_group_17)
        return;
    const double current = state(*this);
    if (current == 50 || current == 51)
        return;
    set_state(*this, 50);
}
