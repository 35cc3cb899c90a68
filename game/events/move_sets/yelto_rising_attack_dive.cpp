// Yelto's rising attack, which throws him up with an insta-shield and can
// be cancelled into the dive, and the dive: 15 ticks of hovering against
// half the gravity, then a shot down and forward.
#include "audio/media.h"
#include "game/events/move_sets/yelto_moves.h"
#include "game/events/player_actions/action_starts.h"
#include "game/events/player_actions/ground_jump.h"
#include "game/events/player_actions/move_starts.h"
#include "game/events/player_actions/skin_objects.h"

#include <algorithm>

namespace {

constexpr int rising_strike = 28;
constexpr double hover_ticks = 15;
constexpr unsigned rising_sample = 164, hover_sample = 187, dive_sample = 183;

bool dive_on(const Frames& f) { return yelto::group_on(f) && f.level_group_44; }
bool rising_on(const Frames& f) { return yelto::group_on(f) && f.level_group_64; }

double ticks(Frames& f) { return get_value(f.instances[types::PlayerOthers_75], 'N'); }
double facing(Frames& f) { return get_value(f.instances[types::PlayerMovementValues_80], 'Q'); }

// The launch on frame 2: the jump, at least 2 a tick forward, a voice.
void rise(Frames& f, int digit)
{
    ObjectList& player = f.instances[types::PlayerMovementValues_80];
    launch_across_ground(f);
    const double speed = get_value(player, 'B');
    set_value(player, 'B', facing(f) == 1 ? std::max(speed, 2.0) : std::min(speed, -2.0));
    yelto::say(f, "sound_uppercut", digit);
}

// The dive: down 5 faster and at least 5 a tick forward, in mode 0.
void dive(Frames& f, int digit)
{
    ObjectList& player = f.instances[types::PlayerMovementValues_80];
    set_value(f.instances[types::PlayerOthers_75], 'Y', 43);
    set_value(player, 'M', 0);
    add_value(player, 'G', 5);
    const double speed = get_value(player, 'B');
    set_value(player, 'B', facing(f) == 1 ? std::max(speed, 5.0) : std::min(speed, -5.0));
    yelto::say(f, "sound_uppercut", digit);
    media.play_id(dive_sample, -1, 1);
}

// The rising attack is over: falling from frame 6 of the jump.
void end_rising(Frames& f)
{
    set_value(f.instances[types::PlayerOthers_75], 'Y', 40);
    deactivate_group(f.level_group_64);
    set_value(f.instances[types::PlayerMovementValues_80], 'M', 1);
    if (Active* skin = yelto::skin(f))
        move_starts::fall_from_frame_6(skin);
    for_each_instance(f.instances[types::PlayerSkinOrrun_290], move_starts::fall_from_frame_6);
}

}  // namespace

void Frames::event_func_1073()
{
    if (!dive_on(*this) || !(ticks(*this) < hover_ticks))
        return;
    ObjectList& others = instances[types::PlayerOthers_75];
    ObjectList& player = instances[types::PlayerMovementValues_80];
    add_value(others, 'N', 1);
    set_value(others, 'Y', 8);
    skins::for_each_skin(*this, {types::PlayerSkinYelto_102, types::PlayerSkinYeltoHair_209}, [](Active* skin) {
        skin->force_speed(50);
        skin->start_animation();
    });
    set_value(player, 'G', get_value(player, 'G') - get_value(player, 'I') / 2);
}

void Frames::event_func_1074()
{
    if (dive_on(*this) && ticks(*this) == 1 && run_once(run_once_1074, loop_count))
        media.play_id(hover_sample, -1, 1);
}

void Frames::event_func_1075()
{
    if (dive_on(*this) && ticks(*this) >= hover_ticks && facing(*this) == 1)
        dive(*this, randrange_event(1075, 4));
}

void Frames::event_func_1076()
{
    if (dive_on(*this) && ticks(*this) >= hover_ticks && facing(*this) != 1)
        dive(*this, randrange_event(1076, 4));
}

void Frames::event_func_1089()
{
    if (!rising_on(*this) || !run_once(run_once_1089, loop_count))
        return;
    set_value(instances[types::PlayerOthers_75], 'Y', 24);
    if (Active* skin = yelto::skin(*this))
        skin->force_animation(rising_strike);
}

void Frames::event_func_1090()
{
    if (rising_on(*this) && yelto::on_unlatched_frame_2(*this) && facing(*this) == 1)
        rise(*this, randrange_event(1090, 4));
}

void Frames::event_func_1091()
{
    if (rising_on(*this) && yelto::on_unlatched_frame_2(*this) && facing(*this) == -1)
        rise(*this, randrange_event(1091, 4));
}

void Frames::event_func_1092()
{
    if (!rising_on(*this) || !yelto::on_unlatched_frame_2(*this))
        return;
    Active* skin = yelto::skin(*this);
    FrameObject* shield = yelto::insta_shield_at_player(*this);
    media.play_id(rising_sample, -1, 1);
    set_value(instances[types::PlayerActionValuesB_164], 'O', 0);
    if (shield)
        shield->set_direction(skin->get_direction() + 1, true);
    set_flag(skin, 2, true);
}

void Frames::event_func_1093()
{
    if (rising_on(*this))
        yelto::release_frame_2_latch(*this);
}

void Frames::event_func_1094()
{
    const Active* skin = yelto::skin(*this);
    if (rising_on(*this) && skin && skin->animation_finished == rising_strike)
        end_rising(*this);
}

void Frames::event_func_1095()
{
    const Active* skin = yelto::skin(*this);
    if (rising_on(*this) && !(skin && skin->test_animation(rising_strike)))
        end_rising(*this);
}

void Frames::event_func_1096()
{
    ObjectList& input = instances[types::PlayerInput_21];
    const Active* skin = yelto::skin(*this);
    if (!rising_on(*this) || get_value(input, 'B') != 1 || get_value(input, 'L') != 1 || !skin ||
        !(skin->get_frame() > 4))
        return;
    set_value(instances[types::PlayerMovementValues_80], 'M', 19);
    action_starts::reset_orrun_skins(*this);
    set_value(instances[types::PlayerOthers_75], 'N', 0);
    deactivate_group(level_group_64);
}
