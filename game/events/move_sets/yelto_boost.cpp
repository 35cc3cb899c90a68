// Yelto's speed boost: 30 ticks of hovering while the direction controls
// aim, then a straight, invulnerable flight that drains the energy meter
// until it is empty or a spring throws the player.
#include "audio/media.h"
#include "game/events/move_sets/yelto_moves.h"
#include "game/events/player_actions/skin_objects.h"

#include <algorithm>
#include <initializer_list>

namespace {

constexpr double launch_tick = 30;
constexpr unsigned charge_sample = 9, launch_sample = 47;

bool boost_on(const Frames& f) { return yelto::group_on(f) && f.level_group_10; }

// The boost's tick counter and aim (-1 up, 0 level, 1 down).
double ticks(Frames& f) { return get_value(f.instances[types::PlayerOthers_75], 'N'); }
double aim(Frames& f) { return get_value(f.instances[types::PlayerOthers_75], 'Q'); }
double held(Frames& f, char control) { return get_value(f.instances[types::PlayerInput_21], control); }

bool charging(Frames& f) { return boost_on(f) && ticks(f) < launch_tick; }
bool launching(Frames& f) { return boost_on(f) && ticks(f) == launch_tick; }
bool flying(Frames& f) { return boost_on(f) && ticks(f) >= launch_tick; }

// The launch: the counter past the launch tick, the physics held off and the
// skin's K cleared, whatever the direction.
void launch(Frames& f)
{
    set_value(f.instances[types::PlayerOthers_75], 'N', launch_tick + 1);
    set_value(f.instances[types::PlayerMovementValues_80], 'S', 0);
    set_value(f.instances[types::PlayerSkinYelto_102], 'K', 0);
}

// Up or down: 8 a tick the way the player faces, 12 from the ground.
void launch_vertically(Frames& f, double fall)
{
    ObjectList& player = f.instances[types::PlayerMovementValues_80];
    launch(f);
    set_value(player, 'B', get_value(player, 'Q') * (4 * get_value(player, 'L') + 8));
    set_value(player, 'G', fall);
}

void aim_sideways(Frames& f, double facing)
{
    set_value(f.instances[types::PlayerMovementValues_80], 'Q', facing);
    set_value(f.instances[types::PlayerOthers_75], 'Q', 0);
}

}  // namespace

void Frames::event_func_1052()
{
    if (!charging(*this))
        return;
    ObjectList& others = instances[types::PlayerOthers_75];
    set_value(others, 'Y', 8);
    set_value(instances[types::PlayerMovementValues_80], 'G', 0);
    const auto spin = [](Active* skin) {
        skin->force_speed(50);
        skin->start_animation();
    };
    skins::for_each_skin(*this, {types::PlayerSkinYelto_102, types::PlayerSkinYeltoHair_209}, spin);
    skins::for_each_skin(*this, types::PlayerSkinOrrun_290, spin);
    add_value(others, 'N', 1);
    set_value(instances[types::PlayerMovementValues_80], 'S', 0);
}

void Frames::event_func_1053()
{
    if (charging(*this) && get_value(instances[types::PlayerMovementValues_80], 'L') == 0)
        set_value(instances[types::PlayerMovementValues_80], 'B', 0);
}

void Frames::event_func_1056()
{
    ObjectList& player = instances[types::PlayerMovementValues_80];
    if (!boost_on(*this) || get_value(player, 'L') != 0)
        return;
    set_value(player, 'N', 0);
    set_value(player, 'O', 0);
}

void Frames::event_func_1057()
{
    if (!boost_on(*this))
        return;
    ObjectList& others = instances[types::PlayerOthers_75];
    set_value(others, 'D', 1);
    set_value(others, 'I', 0);
    set_value(others, 'E', std::max(get_value(others, 'E'), 30.0));
}

void Frames::event_func_1058()
{
    if (charging(*this) && held(*this, 'C') == 1)
        aim_sideways(*this, -1);
}

void Frames::event_func_1059()
{
    if (charging(*this) && held(*this, 'D') == 1)
        aim_sideways(*this, 1);
}

void Frames::event_func_1060()
{
    if (charging(*this) && held(*this, 'B') == 1)
        set_value(instances[types::PlayerOthers_75], 'Q', 1);
}

void Frames::event_func_1061()
{
    if (charging(*this) && held(*this, 'A') == 1)
        set_value(instances[types::PlayerOthers_75], 'Q', -1);
}

void Frames::event_func_1062()
{
    if (!launching(*this))
        return;
    media.play_id(launch_sample, -1, 1);
    media.stop_sample(charge_sample);
}

void Frames::event_func_1063()
{
    ObjectList& player = instances[types::PlayerMovementValues_80];
    if (!launching(*this) || aim(*this) != 0 || get_value(player, 'Q') != 1)
        return;
    launch(*this);
    set_value(player, 'B', std::max(12.0, get_value(player, 'B')));
}

void Frames::event_func_1064()
{
    ObjectList& player = instances[types::PlayerMovementValues_80];
    if (!launching(*this) || aim(*this) != 0 || get_value(player, 'Q') != -1)
        return;
    launch(*this);
    set_value(player, 'B', std::min(-12.0, get_value(player, 'B')));
}

void Frames::event_func_1065()
{
    if (!launching(*this) || aim(*this) != -1)
        return;
    launch_vertically(*this, -8);
    set_value(instances[types::PlayerMovementValues_80], 'L', 0);
}

void Frames::event_func_1066()
{
    if (launching(*this) && aim(*this) == 1)
        launch_vertically(*this, 8);
}

void Frames::event_func_1067()
{
    if (!flying(*this) || !(get_value(instances[types::PlayerOthers_75], 'K') <= 0))
        return;
    set_value(instances[types::PlayerOthers_75], 'Y', 7);
    set_value(instances[types::PlayerMovementValues_80], 'I', 0);
    ObjectList& energy = instances[types::GUIEnergy_76];
    set_value(energy, 'A', std::max(get_value(energy, 'A') - 3, 0.0));
}

void Frames::event_func_1068()
{
    ObjectList& player = instances[types::PlayerMovementValues_80];
    if (!flying(*this) || get_value(player, 'G') != -8)
        return;
    const double most = 4 * get_value(player, 'L') + 8;
    set_value(player, 'B', std::max(-most, std::min(get_value(player, 'B'), most)));
}

void Frames::event_func_1070()
{
    ObjectList& player = instances[types::PlayerMovementValues_80];
    if (flying(*this) && get_value(player, 'L') == 1 && get_value(player, 'Q') == 1)
        set_value(player, 'B', std::max(get_value(player, 'B'), 10.0));
}

void Frames::event_func_1071()
{
    ObjectList& player = instances[types::PlayerMovementValues_80];
    if (flying(*this) && get_value(player, 'L') == 1 && get_value(player, 'Q') == -1)
        set_value(player, 'B', std::min(get_value(player, 'B'), -10.0));
}

void Frames::event_func_1072()
{
    if (!boost_on(*this))
        return;
    ObjectList& energy = instances[types::GUIEnergy_76];
    ObjectList& others = instances[types::PlayerOthers_75];
    // Each alternative acts only on the objects of its own condition.
    const bool empty = get_value(energy, 'A') <= 0;
    const bool sprung = get_value(others, 'O') != 0;
    if (!empty && !sprung)
        return;
    if (empty)
        set_value(energy, 'A', 0);
    deactivate_group(level_group_10);
    set_value(instances[types::PlayerMovementValues_80], 'M', 1);
    set_value(instances[types::PlayerMovementValues_80], 'S', 1);
    set_value(instances[types::PlayerActionValuesB_164], 'O', 1);
    if (sprung) {
        set_value(others, 'N', 0);
        set_value(others, 'Y', 40);
    }
}

// Authored without conditions or actions; the handler calls them and they
// do nothing.
void Frames::event_func_1054() {}
void Frames::event_func_1055() {}
void Frames::event_func_1069() {}
