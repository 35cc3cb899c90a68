// The player's speeds from the sensors and the held directions: the ground
// angle and its smoothing, falling off walls and ledges, braking, running,
// the start boost, air control, walls, the mode-5 bounce, the camera
// bounds, the slope pull, gravity, ceilings and the vertical bounds.
#include "game/events/player_physics/ground_values.h"
#include "game/frames/frames.h"
#include "runtime/movement.h"

#include <algorithm>
#include <cmath>

using namespace player_ground;

namespace {

// The objects every speed event reads.
struct Speeds {
    explicit Speeds(Frames& frames)
        : values(frames.instances[types::PlayerMovementValues_80]), others(frames.instances[types::PlayerOthers_75]),
          input(frames.instances[types::PlayerInput_21])
    {
    }
    Single values, others, input;

    // A positive side lock blocks the left-side events, a negative one the
    // right-side events.
    bool right_side() const { return others['O'] >= 0; }
    bool left_side() const { return others['O'] <= 0; }
    bool running() const { return values['S'] == 1; }
    bool grounded() const { return values['L'] == 1; }
    bool right_held() const { return input['D'] == 1; }
    bool left_held() const { return input['C'] == 1; }
};

bool on_both_edges(Frames& frames)
{
    return Single(frames.instances[types::PlayerMovementValues_80])['L'] == 1 &&
           Single(frames.instances[types::PlayerSensorLeftEdge_100])['Z'] == 1 &&
           Single(frames.instances[types::PlayerSensorRightEdge_101])['Z'] == 1;
}

// Leaving the ground: the surface speed becomes the air speeds along the
// angle, whole degrees.
void drop_off(const Single& values)
{
    const double n = std::floor(values['N']);
    const double b = values['B'];
    values.set('G', -b * sin_deg(n));
    values.set('B', b * cos_deg(n));
    values.set('L', 0);
    values.set('N', 0);
    values.set('O', 0);
}

// Mode 5 hits a wall hard enough: Yelto bounces off it into mode 1 and
// loses the charged state.
void bounce_off_wall(Frames& frames)
{
    const Single values(frames.instances[types::PlayerMovementValues_80]);
    values.set('B', -values['B'] * 0.5);
    const double n = values['N'];
    values.set('G',
               cos_deg(n) * Single(frames.instances[types::PlayerActionValuesA_86])['A'] - sin_deg(n) * values['B']);
    values.set('N', 0);
    values.set('M', 1);
    values.set('L', 0);
    Single(frames.instances[types::PlayerActionValuesA_86]).set('C', 1);
    values.set('S', 1);
    for_each_instance(frames.instances[types::GUIEnergy_76],
                      [](FrameObject* meter) { set_value(meter, 'A', std::min(get_value(*meter, 'A'), 80.0)); });
    for_each_instance(frames.instances[types::PlayerSkinYelto_102],
                      [](FrameObject* skin) { set_flag(skin, 8, false); });
    frames.run_loop(frames.fast_loop_bs, 1, &Frames::loop_bs_4);
}

// Mode 5 with the bounce already used: off the wall the other way.
void turn_off_wall(Frames& frames)
{
    const Single values(frames.instances[types::PlayerMovementValues_80]);
    values.set('Q', -values['Q']);
    values.set('B', -values['B']);
    frames.run_loop(frames.fast_loop_bs, 1, &Frames::loop_bs_4);
}

bool mode5_bounce_ready(Frames& frames)
{
    return Single(frames.instances[types::PlayerMovementValues_80])['M'] == 5 &&
           Single(frames.instances[types::PlayerOthers_75])['N'] >= 30;
}

void slope_pull(const Single& values, double factor)
{
    values.set('B', values['B'] - factor * values['F'] * sin_deg(values['N']));
}

}  // namespace

// Angle and surface ------------------------------------------------------------

void Frames::event_func_657()
{
    if (!level_group_43 || !level_group_23 || !level_group_19)
        return;
    const Single values(instances[types::PlayerMovementValues_80]);
    if (Single(instances[types::PlayerActionValuesB_164])['P'] > 0 && values['L'] == 0) {
        values.set('O', 0);
        values.set('N', 0);
    }
}

void Frames::event_func_658()
{
    if (!level_group_43 || !level_group_23 || !level_group_19)
        return;
    const Single values(instances[types::PlayerMovementValues_80]);
    if (values['L'] != 1)
        return;
    values.set_string(0, "Player01SlopesDown");
    values.set_string(5, "Player01SlopesDown");
    run_loop(fast_loop_player01slopesdown, 15, &Frames::loop_player01slopesdown_4);
    values.set_string(0, "Player01SlopesUp");
    run_loop(fast_loop_player01slopesup, 15, &Frames::loop_player01slopesup_4);
}

void Frames::event_func_659()
{
    if (!level_group_43 || !level_group_23 || !level_group_19)
        return;
    if (Single(instances[types::PlayerMovementValues_80])['L'] == 1)
        run_loop(fast_loop_player01detectsensoredges, 1, &Frames::loop_player01detectsensoredges_4);
}

void Frames::event_func_660()
{
    if (!level_group_43 || !level_group_23 || !level_group_19)
        return;
    if (!on_both_edges(*this))
        return;
    const Single values(instances[types::PlayerMovementValues_80]);
    const Single left(instances[types::PlayerSensorLeftAngle_98]), right(instances[types::PlayerSensorRightAngle_99]);
    values.set_string(7, "Player01DetectAngle");
    left.set('Y', 0);
    right.set('Y', 0);
    run_loop(fast_loop_player01detectangle, 20, &Frames::loop_player01detectangle_4);
    const Single calculator(instances[types::MasterGroupsA_83]);
    calculator.set('A', left.x() - right.x());
    calculator.set('B', left.y() - right.y());
    run_loop(fast_loop_toolsanglecalculator, 1, &Frames::loop_toolsanglecalculator_4);
    values.set('N', calculator['C']);
}

void Frames::event_func_661()
{
    if (!level_group_43 || !level_group_23 || !level_group_19)
        return;
    ObjectList& changers = instances[types::GeneralAngleChanger75_85];
    select_all(changers);
    select_all(instances[types::Player_87]);
    if (!check_overlap(changers, instances[types::Player_87]))
        return;
    const Single values(instances[types::PlayerMovementValues_80]);
    if (values['L'] != 1)
        return;
    const double n = values['N'];
    if (!filter(changers, [n](FrameObject* c) { return get_value(*c, 'A') <= n && n <= get_value(*c, 'B'); }))
        return;
    const double snapped = get_value(**ObjectIterator(changers), 'C');
    values.set('O', snapped);
    values.set('N', snapped);
}

void Frames::event_func_662()
{
    if (!level_group_43 || !level_group_23 || !level_group_19 || !on_both_edges(*this))
        return;
    const Single values(instances[types::PlayerMovementValues_80]);
    const double n = values['N'], o = values['O'];
    if (std::fabs(n + 360 - o) < std::fabs(n - o))
        values.set('N', n + 360);
}

void Frames::event_func_663()
{
    if (!level_group_43 || !level_group_23 || !level_group_19 || !on_both_edges(*this))
        return;
    const Single values(instances[types::PlayerMovementValues_80]);
    const double n = values['N'], o = values['O'];
    if (!(std::fabs(n - o) < 45))
        return;
    // The faster the player runs, the quicker the shown angle follows.
    const double share = values['D'] == 0 ? 0.0 : std::fabs(values['B']) / values['D'];
    const double k = std::max(0.175, share);
    values.set('O', std::fmod(o + (n - o) * k, 360.0));
}

void Frames::event_func_664()
{
    if (!level_group_43 || !level_group_23 || !level_group_19 || !on_both_edges(*this))
        return;
    const Single values(instances[types::PlayerMovementValues_80]);
    if (std::fabs(values['N'] - values['O']) >= 45)
        values.set('O', std::fmod(values['N'], 360.0));
}

void Frames::event_func_665()
{
    if (!level_group_43 || !level_group_23 || !level_group_19 || !on_both_edges(*this))
        return;
    const Single values(instances[types::PlayerMovementValues_80]);
    values.set('N', std::fmod(values['N'], 360.0));
}

void Frames::event_func_666()
{
    if (!level_group_43 || !level_group_23 || !level_group_19)
        return;
    const Single values(instances[types::PlayerMovementValues_80]);
    const double n = values['N'];
    if (values['L'] != 1 || !(n >= 75 && n <= 285))
        return;
    // Too slow to stick to a wall or a ceiling.
    if (std::fabs(values['B']) < 2 * std::fabs(std::min(cos_deg(n), 0.0)) + 0.4)
        drop_off(values);
}

void Frames::event_func_667()
{
    if (!level_group_43 || !level_group_23 || !level_group_19)
        return;
    const Single values(instances[types::PlayerMovementValues_80]);
    if (values['L'] == 1 && Single(instances[types::PlayerSensorBottomBig_95])['Z'] == 0)
        drop_off(values);
}

void Frames::event_func_668()
{
    if (!level_group_43 || !level_group_23 || !level_group_19)
        return;
    run_loop(fast_loop_player01allsensors, 1, &Frames::loop_player01allsensors_4);
}

void Frames::event_func_669()
{
    if (!level_group_43 || !level_group_23)
        return;
    run_loop(fast_loop_player01_interruption_control, 1, &Frames::loop_player01_interruption_control_4);
    run_loop(fast_loop_player01allsensors, 1, &Frames::loop_player01allsensors_4);
}

// Speed ------------------------------------------------------------------------

void Frames::event_func_676()
{
    if (level_group_43 && level_group_23 && level_group_41)
        Single(instances[types::PlayerMovementValues_80]).set_flag(5, false);
}

void Frames::event_func_677()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Single values(instances[types::PlayerMovementValues_80]);
    if (values['N'] > 80 && values['N'] < 280)
        values.set_flag(5, true);
}

void Frames::event_func_678()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Speeds s(*this);
    const double b = s.values['B'], e = s.values['E'];
    if (s.right_side() && s.running() && s.grounded() && b >= 0 && s.input['D'] == 0)
        s.values.set('B', std::max(b - 5 * e, 0.0));
}

void Frames::event_func_679()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Speeds s(*this);
    const double b = s.values['B'], e = s.values['E'];
    if (s.left_side() && s.running() && s.grounded() && b <= 0 && s.input['C'] == 0)
        s.values.set('B', std::min(b + 5 * e, 0.0));
}

void Frames::event_func_680()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Speeds s(*this);
    const double b = s.values['B'], e = s.values['E'];
    if (s.right_side() && s.running() && s.grounded() && std::fabs(b) < 2 && b >= 0 && s.input['D'] == 0)
        s.values.set('B', std::max(b - 4 * e, 0.0));
}

void Frames::event_func_681()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Speeds s(*this);
    const double b = s.values['B'], e = s.values['E'];
    if (s.left_side() && s.running() && s.grounded() && std::fabs(b) < 2 && b <= 0 && s.input['C'] == 0)
        s.values.set('B', std::min(b + 4 * e, 0.0));
}

void Frames::event_func_682()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Speeds s(*this);
    if (s.right_side() && s.running() && !run_blocked_by_mode(s.values['M']) && s.right_held() &&
        s.values['B'] < s.values['C'])
        s.values.set('B', s.values['B'] + s.values['E']);
}

void Frames::event_func_683()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Speeds s(*this);
    if (s.left_side() && s.running() && !run_blocked_by_mode(s.values['M']) && s.left_held() &&
        s.values['B'] > -s.values['C'])
        s.values.set('B', s.values['B'] - s.values['E']);
}

void Frames::event_func_684()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Single others(instances[types::PlayerOthers_75]);
    if (others['O'] < 0)
        others.set('O', std::min(others['O'] + 1, 0.0));
}

void Frames::event_func_685()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Single others(instances[types::PlayerOthers_75]);
    if (others['O'] > 0)
        others.set('O', std::max(others['O'] - 1, 0.0));
}

void Frames::event_func_686()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Speeds s(*this);
    const double b = s.values['B'];
    if (s.right_side() && s.running() && !run_blocked_by_mode(s.values['M']) && std::fabs(b) < 2 &&
        !s.values.flag(5) && s.right_held() && b < s.values['C'])
        s.values.set('B', std::min(b + 8 * s.values['E'], 2.0));
}

void Frames::event_func_687()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Speeds s(*this);
    const double b = s.values['B'];
    if (s.left_side() && s.running() && !run_blocked_by_mode(s.values['M']) && std::fabs(b) < 2 &&
        !s.values.flag(5) && s.left_held() && b > -s.values['C'])
        s.values.set('B', std::max(b - 8 * s.values['E'], -2.0));
}

void Frames::event_func_688()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Speeds s(*this);
    if (s.right_side() && s.running() && s.values['L'] == 0 && s.right_held() && s.values['B'] < s.values['C'])
        s.values.set('B', s.values['B'] + s.values['E']);
}

void Frames::event_func_689()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Speeds s(*this);
    if (s.right_side() && s.running() && s.values['L'] == 0 && s.right_held() && s.values['B'] < 2)
        s.values.set('B', std::min(s.values['B'] + 4 * s.values['E'], 2.0));
}

void Frames::event_func_690()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Speeds s(*this);
    if (s.left_side() && s.running() && s.values['L'] == 0 && s.left_held() && s.values['B'] > -s.values['C'])
        s.values.set('B', s.values['B'] - s.values['E']);
}

void Frames::event_func_691()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Speeds s(*this);
    if (s.left_side() && s.running() && s.values['L'] == 0 && s.left_held() && s.values['B'] > -2)
        s.values.set('B', std::max(s.values['B'] - 4 * s.values['E'], -2.0));
}

void Frames::event_func_692()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Single values(instances[types::PlayerMovementValues_80]);
    if (values['B'] > 0 && Single(instances[types::PlayerSensorRightBig_91])['Z'] == 1 && values['M'] != 5)
        values.set('B', 0);
}

void Frames::event_func_693()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Single values(instances[types::PlayerMovementValues_80]);
    if (values['B'] < 0 && Single(instances[types::PlayerSensorLeftBig_89])['Z'] == 1 && values['M'] != 5)
        values.set('B', 0);
}

void Frames::event_func_694()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    if (mode5_bounce_ready(*this) && Single(instances[types::PlayerMovementValues_80])['B'] > 0 &&
        Single(instances[types::PlayerSensorRightBig_91])['Z'] == 1 &&
        Single(instances[types::PlayerOthers_75])['Q'] == 0)
        bounce_off_wall(*this);
}

void Frames::event_func_695()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    if (mode5_bounce_ready(*this) && Single(instances[types::PlayerMovementValues_80])['B'] > 0 &&
        Single(instances[types::PlayerSensorRightBig_91])['Z'] == 1)
        turn_off_wall(*this);
}

void Frames::event_func_696()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    if (mode5_bounce_ready(*this) && Single(instances[types::PlayerMovementValues_80])['B'] < 0 &&
        Single(instances[types::PlayerSensorLeftBig_89])['Z'] == 1 &&
        Single(instances[types::PlayerOthers_75])['Q'] == 0)
        bounce_off_wall(*this);
}

void Frames::event_func_697()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    if (mode5_bounce_ready(*this) && Single(instances[types::PlayerMovementValues_80])['B'] < 0 &&
        Single(instances[types::PlayerSensorLeftBig_89])['Z'] == 1)
        turn_off_wall(*this);
}

void Frames::event_func_698()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Single values(instances[types::PlayerMovementValues_80]);
    const double left = Single(instances[types::MasterCamera_190])['C'] + 16;
    if (values['B'] < 0 && values['X'] <= left) {
        values.set('B', 0);
        values.set('X', left);
    }
}

void Frames::event_func_699()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Single values(instances[types::PlayerMovementValues_80]), camera(instances[types::MasterCamera_190]);
    const double right = camera['E'] - 16;
    if (values['B'] > 0 && values['X'] >= right && camera['U'] != 2) {
        values.set('B', 0);
        values.set('X', right);
    }
}

void Frames::event_func_700()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Single values(instances[types::PlayerMovementValues_80]), camera(instances[types::MasterCamera_190]);
    const double right = camera['E'] + 32;
    if (values['B'] > 0 && values['X'] >= right && camera['U'] == 2) {
        values.set('B', 0);
        values.set('X', right);
    }
}

void Frames::event_func_701()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Single values(instances[types::PlayerMovementValues_80]);
    const double b = values['B'], n = values['N'];
    if (values['L'] == 1 && values['M'] != 6 && b != 0 && std::fabs(b) < values['C'] && n > 35 && n < 325)
        slope_pull(values, 0.38);
}

void Frames::event_func_702()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Single values(instances[types::PlayerMovementValues_80]);
    const double n = values['N'];
    // Standing still, only slopes steeper than 45 degrees pull.
    if (values['L'] == 1 && values['M'] != 6 && values['B'] == 0 && ((n > 45 && n < 180) || (n > 180 && n < 315)))
        slope_pull(values, 0.38);
}

void Frames::event_func_703()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Single values(instances[types::PlayerMovementValues_80]);
    const double n = values['N'];
    if (values['L'] == 1 && values['M'] != 6 && std::fabs(values['B']) >= values['C'] && n > 35 && n < 325)
        slope_pull(values, 1.0);
}

void Frames::event_func_704()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Single values(instances[types::PlayerMovementValues_80]);
    if (values['L'] == 0)
        values.set('G', values['G'] + values['I']);
}

void Frames::event_func_705()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Single values(instances[types::PlayerMovementValues_80]);
    const double g = values['G'];
    if (values['L'] == 0 && g > -4 && g < 0 && std::fabs(values['B']) >= 0.125)
        values.set('B', values['B'] * Single(instances[types::PlayerActionValuesB_164])['T']);
}

void Frames::event_func_706()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Single values(instances[types::PlayerMovementValues_80]);
    if (values['L'] == 0 && values['G'] < 0 && Single(instances[types::PlayerSensorTopBig_93])['Z'] == 1 &&
        values['M'] != 5)
        values.set('G', 0);
}

void Frames::event_func_707()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Single values(instances[types::PlayerMovementValues_80]);
    if (values['L'] == 0 && values['G'] < 0 && Single(instances[types::PlayerSensorTopBig_93])['Z'] == 1 &&
        mode5_bounce_ready(*this)) {
        values.set('G', -values['G']);
        run_loop(fast_loop_bs, 1, &Frames::loop_bs_4);
    }
}

void Frames::event_func_708()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Single values(instances[types::PlayerMovementValues_80]);
    if (values['L'] == 1)
        values.set('G', 0);
}

void Frames::event_func_709()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Single values(instances[types::PlayerMovementValues_80]);
    const double bottom = Single(instances[types::MasterCamera_190])['F'] + 32;
    if (values['Y'] > bottom && values['G'] < 0) {
        values.set('G', 0);
        values.set('Y', bottom);
    }
}

void Frames::event_func_710()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Single values(instances[types::PlayerMovementValues_80]);
    if (values['G'] <= 0 && values['Y'] < -32)
        values.set('Y', -32);
}

// After the speed run ----------------------------------------------------------

void Frames::event_func_727()
{
    if (!level_group_43 || !level_group_23)
        return;
    const Single values(instances[types::PlayerMovementValues_80]);
    if (values['A'] != 5)
        return;
    ObjectList& skins = instances[types::PlayerSkinHespin_351];
    if (!select(skins, [](FrameObject* skin) { return get_value(*skin, 'I') > 0; }))
        return;
    for_each_selected(skins, [](FrameObject* skin) { set_value(skin, 'I', get_value(*skin, 'I') - 1); });
    values.set('B', 7 * std::clamp(values['B'], -1.0, 1.0));
}

void Frames::event_func_735()
{
    if (!level_group_43 || !level_group_23)
        return;
    const Single values(instances[types::PlayerMovementValues_80]);
    // Sinking eases down to the held-input floor.
    const double floor_speed = Single(instances[types::PlayerInput_21])['B'] + 2;
    if (Single(instances[types::PlayerOthers_75])['H'] == 1 && values['G'] > floor_speed)
        values.set('G', std::max(values['G'] - 0.4, floor_speed));
}
