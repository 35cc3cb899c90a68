// Orrun's dash (movement mode 21) on one counter: while it is below 20 he
// hangs and aims with the directional controls; at 20 a burst, then eight
// ticks at a fixed speed in one of eight directions, invulnerable, leaving
// an after-image every other tick. The jump control chains a second dash;
// otherwise he leaves in mode 0 with the speed cut back.
#include "audio/media.h"
#include "game/events/move_sets/orrun_cards.h"
#include "game/objects/classes.h"
#include "objects/active.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double burst_count = 20, last_dash_count = 28, chained_restart = -12;
constexpr unsigned burst_sample = 116;
constexpr int burst_shader = 28;
constexpr int chain_flag = 0;
constexpr int recovery_animation = 24;

bool dash_on(const Frames& f) { return orrun::orrun_on(f) && f.level_group_48; }

double counter(Frames& f) { return get_value(f.instances[types::PlayerOthers_75], 'N'); }
bool aiming(Frames& f) { return counter(f) < burst_count; }
bool dashing(Frames& f) { return counter(f) > burst_count; }
double direction(Frames& f) { return get_value(f.instances[types::PlayerOthers_75], 'Q'); }
double held(Frames& f, char control) { return get_value(f.instances[types::PlayerInput_21], control); }

// The dash's speed along one of the eight directions; a facing of 0 leaves
// the facing as it is (straight up or down).
void dash_along(Frames& f, double along, double fall, double facing)
{
    for_each_instance(f.instances[types::PlayerMovementValues_80], [&](FrameObject* player) {
        set_value(player, 'B', along);
        set_value(player, 'G', fall);
        if (facing != 0)
            set_value(player, 'Q', facing);
        set_value(player, 'T', 1);
        set_value(player, 'U', 1);
        set_value(player, 'Z', 1);
    });
}

bool dash_in(Frames& f, double index) { return dashing(f) && direction(f) == index; }

// The dash is over: past its last tick, or an upward dash under a ceiling.
// The skins that end it are those whose chain flag is `chained`.
bool select_dash_end(Frames& f, bool chained)
{
    const double index = direction(f);
    const bool upward = dashing(f) && index > 0 && index < 4 &&
                        get_value(f.instances[types::PlayerSensorTopBig_93], 'Z') == 1;
    if (!(counter(f) > last_dash_count) && !upward)
        return false;
    return select(f.instances[types::PlayerSkinOrrun_290],
                  [chained](FrameObject* skin) { return get_flag(*skin, chain_flag) == chained; });
}

void clamp_speeds(FrameObject* player, double along)
{
    set_value(player, 'B', std::clamp(get_value(*player, 'B'), -along, along));
    set_value(player, 'G', std::clamp(get_value(*player, 'G'), -3.0, 3.0));
}

}  // namespace

void Frames::event_func_1130()
{
    if (dash_on(*this) && aiming(*this))
        set_value(instances[types::PlayerOthers_75], 'Y', 3);
}

void Frames::event_func_1131()
{
    if (dash_on(*this) && counter(*this) >= burst_count)
        set_value(instances[types::PlayerOthers_75], 'Y', 22);
}

void Frames::event_func_1132()
{
    if (!dash_on(*this) || !aiming(*this))
        return;
    add_value(instances[types::PlayerOthers_75], 'N', 4);
    ObjectList& player = instances[types::PlayerMovementValues_80];
    set_value(player, 'O', 0);
    set_value(player, 'S', 1);
    set_value(player, 'N', 0);
    set_value(player, 'G', 0);
    for_each_instance(instances[types::PlayerSkinOrrun_290], [](FrameObject* skin) { set_flag(skin, chain_flag, false); });
}

void Frames::event_func_1133()
{
    if (!dash_on(*this) || !aiming(*this))
        return;
    const double facing = get_value(instances[types::PlayerMovementValues_80], 'Q');
    set_value(instances[types::PlayerOthers_75], 'Q', 2 - 2 * facing + facing * (held(*this, 'A') - held(*this, 'B')));
}

void Frames::event_func_1134()
{
    if (!dash_on(*this) || !aiming(*this) || !(held(*this, 'A') > 0))
        return;
    const double sideways = held(*this, 'C') - held(*this, 'D');
    set_value(instances[types::PlayerOthers_75], 'Q', 2 + sideways * (2 - held(*this, 'A')));
}

void Frames::event_func_1135()
{
    if (!dash_on(*this) || !aiming(*this) || !(held(*this, 'B') > 0))
        return;
    const double sideways = held(*this, 'D') - held(*this, 'C');
    set_value(instances[types::PlayerOthers_75], 'Q', 6 + sideways * (2 - held(*this, 'B')));
}

void Frames::event_func_1136()
{
    if (!dash_on(*this) || counter(*this) != burst_count)
        return;
    set_value(instances[types::PlayerOthers_75], 'N', burst_count + 1);
    media.play_id(burst_sample, -1, 1);
    ObjectList& player = instances[types::Player_87];
    select_all(player);
    FrameObject* burst = create_at_each(*this, player, instances[types::EffectsExplosion01_130],
                                        create_effectsexplosion01_130, 0, -12);
    if (!burst)
        return;
    auto* sprite = static_cast<Active*>(burst);
    sprite->set_scale(0.75f);
    sprite->force_speed(50);
    burst->set_shader(burst_shader);
}

void Frames::event_func_1137()
{
    if (dash_on(*this) && (dash_in(*this, 0) || dash_in(*this, 8)))
        dash_along(*this, 16, 0, 1);
}

void Frames::event_func_1138()
{
    if (dash_on(*this) && dash_in(*this, 1))
        dash_along(*this, 10, -10, 1);
}

void Frames::event_func_1139()
{
    if (dash_on(*this) && dash_in(*this, 2))
        dash_along(*this, 0, -16, 0);
}

void Frames::event_func_1140()
{
    if (dash_on(*this) && dash_in(*this, 3))
        dash_along(*this, -10, -10, -1);
}

void Frames::event_func_1141()
{
    if (dash_on(*this) && dash_in(*this, 4))
        dash_along(*this, -16, 0, -1);
}

void Frames::event_func_1142()
{
    if (dash_on(*this) && dash_in(*this, 5))
        dash_along(*this, -10, 10, -1);
}

void Frames::event_func_1143()
{
    if (dash_on(*this) && dash_in(*this, 6))
        dash_along(*this, 0, 16, 0);
}

void Frames::event_func_1144()
{
    if (dash_on(*this) && (dash_in(*this, 7) || dash_in(*this, -1)))
        dash_along(*this, 10, 10, 1);
}

void Frames::event_func_1145()
{
    if (!dash_on(*this) || !dashing(*this) || std::fmod(counter(*this), 2) != 0)
        return;
    ObjectList& skins = instances[types::PlayerSkinOrrun_290];
    select_all(skins);
    FrameObject* skin = skins.back_selection();
    FrameObject* image =
        create_at_each(*this, skins, instances[types::EffectsOrrunImage_335], create_effectsorrunimage_335);
    if (!image || !skin)
        return;
    image->set_direction(skin->get_direction(), true);
    image->move_back(skin);
}

void Frames::event_func_1146()
{
    if (!dash_on(*this) || !dashing(*this))
        return;
    ObjectList& others = instances[types::PlayerOthers_75];
    set_value(others, 'D', 1);
    add_value(others, 'N', 1);
    set_value(others, 'K', 0);
    set_value(others, 'E', std::max(get_value(others, 'E'), 4.0));
}

void Frames::event_func_1147()
{
    if (!dash_on(*this) || held(*this, 'K') != 1 || !dashing(*this))
        return;
    ObjectList& actions = instances[types::PlayerActionValuesB_164];
    if (!(get_value(actions, 'O') < 2))
        return;
    ObjectList& skins = instances[types::PlayerSkinOrrun_290];
    if (!select(skins, [](FrameObject* skin) { return !get_flag(*skin, chain_flag); }))
        return;
    add_value(actions, 'O', 1);
    for_each_selected(skins, [](FrameObject* skin) { set_flag(skin, chain_flag, true); });
}

void Frames::event_func_1148()
{
    if (!dash_on(*this) || !select_dash_end(*this, true))
        return;
    set_value(instances[types::PlayerOthers_75], 'N', chained_restart);
    for_each_instance(instances[types::PlayerMovementValues_80], [](FrameObject* p) { clamp_speeds(p, 3); });
}

void Frames::event_func_1149()
{
    if (!dash_on(*this) || !select_dash_end(*this, false))
        return;
    ObjectList& others = instances[types::PlayerOthers_75];
    set_value(others, 'N', 0);
    for_each_instance(instances[types::PlayerMovementValues_80], [](FrameObject* player) {
        clamp_speeds(player, 5);
        set_value(player, 'T', 1);
        set_value(player, 'M', 0);
        set_value(player, 'U', 1);
    });
    set_value(others, 'Y', 3);
    for_each_selected(instances[types::PlayerSkinOrrun_290], [](FrameObject* skin) {
        auto* sprite = static_cast<Active*>(skin);
        sprite->force_animation(recovery_animation);
        sprite->force_frame(3);
        sprite->restore_frame();
    });
}
