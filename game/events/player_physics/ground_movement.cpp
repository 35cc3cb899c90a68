// The player's speeds from the sensors and the held directions: the ground
// angle and its smoothing, falling off walls and ledges, braking, running,
// the start boost, air control, walls, the mode-5 bounce, the camera
// bounds, the slope pull, gravity, ceilings and the vertical bounds.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "runtime/movement.h"

#include <algorithm>
#include <cmath>

namespace {

// Modes 2 to 6 move the player by other means than the run and boost events.
bool run_blocked_by_mode(double mode) { return mode == 2 || mode == 3 || mode == 4 || mode == 5 || mode == 6; }

// The objects every speed event reads.
struct Speeds {
    explicit Speeds(Frames& frames)
        : values(frames.instances[types::PlayerMovementValues_80]), others(frames.instances[types::PlayerOthers_75]),
          input(frames.instances[types::PlayerInput_21])
    {
    }
    ObjectList& values;
    ObjectList& others;
    ObjectList& input;

    // A positive side lock blocks the left-side events, a negative one the
    // right-side events.
    bool right_side() const { return get_value(others, 'O') >= 0; }
    bool left_side() const { return get_value(others, 'O') <= 0; }
    bool running() const { return get_value(values, 'S') == 1; }
    bool grounded() const { return get_value(values, 'L') == 1; }
    bool right_held() const { return get_value(input, 'D') == 1; }
    bool left_held() const { return get_value(input, 'C') == 1; }
};

bool on_both_edges(Frames& frames)
{
    return get_value(frames.instances[types::PlayerMovementValues_80], 'L') == 1 &&
           get_value(frames.instances[types::PlayerSensorLeftEdge_100], 'Z') == 1 &&
           get_value(frames.instances[types::PlayerSensorRightEdge_101], 'Z') == 1;
}

// Leaving the ground: the surface speed becomes the air speeds along the
// angle, whole degrees.
void drop_off(ObjectList& values)
{
    const double n = std::floor(get_value(values, 'N'));
    const double b = get_value(values, 'B');
    set_value(values, 'G', -b * sin_deg(n));
    set_value(values, 'B', b * cos_deg(n));
    set_value(values, 'L', 0);
    set_value(values, 'N', 0);
    set_value(values, 'O', 0);
}

// Mode 5 hits a wall hard enough: Yelto bounces off it into mode 1 and
// loses the charged state.
void bounce_off_wall(Frames& frames)
{
    ObjectList& values = frames.instances[types::PlayerMovementValues_80];
    set_value(values, 'B', -get_value(values, 'B') * 0.5);
    const double n = get_value(values, 'N');
    set_value(values, 'G',
              cos_deg(n) * get_value(frames.instances[types::PlayerActionValuesA_86], 'A') -
                  sin_deg(n) * get_value(values, 'B'));
    set_value(values, 'N', 0);
    set_value(values, 'M', 1);
    set_value(values, 'L', 0);
    set_value(frames.instances[types::PlayerActionValuesA_86], 'C', 1);
    set_value(values, 'S', 1);
    for_each_instance(frames.instances[types::GUIEnergy_76],
                      [](FrameObject* meter) { set_value(meter, 'A', std::min(get_value(*meter, 'A'), 80.0)); });
    for_each_instance(frames.instances[types::PlayerSkinYelto_102],
                      [](FrameObject* skin) { set_flag(skin, 8, false); });
    frames.run_loop(frames.fast_loop_bs, 1, &Frames::loop_bs_4);
}

// Mode 5 with the bounce already used: off the wall the other way.
void turn_off_wall(Frames& frames)
{
    ObjectList& values = frames.instances[types::PlayerMovementValues_80];
    set_value(values, 'Q', -get_value(values, 'Q'));
    set_value(values, 'B', -get_value(values, 'B'));
    frames.run_loop(frames.fast_loop_bs, 1, &Frames::loop_bs_4);
}

bool mode5_bounce_ready(Frames& frames)
{
    return get_value(frames.instances[types::PlayerMovementValues_80], 'M') == 5 &&
           get_value(frames.instances[types::PlayerOthers_75], 'N') >= 30;
}

void slope_pull(ObjectList& values, double factor)
{
    set_value(values, 'B', get_value(values, 'B') - factor * get_value(values, 'F') * sin_deg(get_value(values, 'N')));
}

}  // namespace

// Angle and surface ------------------------------------------------------------

void Frames::event_func_657()
{
    if (!level_group_43 || !level_group_23 || !level_group_19)
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    if (get_value(instances[types::PlayerActionValuesB_164], 'P') > 0 && get_value(values, 'L') == 0) {
        set_value(values, 'O', 0);
        set_value(values, 'N', 0);
    }
}

void Frames::event_func_658()
{
    if (!level_group_43 || !level_group_23 || !level_group_19)
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    if (get_value(values, 'L') != 1)
        return;
    set_string(values, 0, "Player01SlopesDown");
    set_string(values, 5, "Player01SlopesDown");
    run_loop(fast_loop_player01slopesdown, 15, &Frames::loop_player01slopesdown_4);
    set_string(values, 0, "Player01SlopesUp");
    run_loop(fast_loop_player01slopesup, 15, &Frames::loop_player01slopesup_4);
}

void Frames::event_func_659()
{
    if (!level_group_43 || !level_group_23 || !level_group_19)
        return;
    if (get_value(instances[types::PlayerMovementValues_80], 'L') == 1)
        run_loop(fast_loop_player01detectsensoredges, 1, &Frames::loop_player01detectsensoredges_4);
}

void Frames::event_func_660()
{
    if (!level_group_43 || !level_group_23 || !level_group_19)
        return;
    if (!on_both_edges(*this))
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    ObjectList& left = instances[types::PlayerSensorLeftAngle_98];
    ObjectList& right = instances[types::PlayerSensorRightAngle_99];
    set_string(values, 7, "Player01DetectAngle");
    set_value(left, 'Y', 0);
    set_value(right, 'Y', 0);
    run_loop(fast_loop_player01detectangle, 20, &Frames::loop_player01detectangle_4);
    ObjectList& calculator = instances[types::MasterGroupsA_83];
    set_value(calculator, 'A', instance_or_default(left).get_x() - instance_or_default(right).get_x());
    set_value(calculator, 'B', instance_or_default(left).get_y() - instance_or_default(right).get_y());
    run_loop(fast_loop_toolsanglecalculator, 1, &Frames::loop_toolsanglecalculator_4);
    set_value(values, 'N', get_value(calculator, 'C'));
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
    ObjectList& values = instances[types::PlayerMovementValues_80];
    if (get_value(values, 'L') != 1)
        return;
    const double n = get_value(values, 'N');
    if (!filter(changers, [n](FrameObject* c) { return get_value(*c, 'A') <= n && n <= get_value(*c, 'B'); }))
        return;
    const double snapped = get_value(**ObjectIterator(changers), 'C');
    set_value(values, 'O', snapped);
    set_value(values, 'N', snapped);
}

void Frames::event_func_662()
{
    if (!level_group_43 || !level_group_23 || !level_group_19 || !on_both_edges(*this))
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    const double n = get_value(values, 'N'), o = get_value(values, 'O');
    if (std::fabs(n + 360 - o) < std::fabs(n - o))
        set_value(values, 'N', n + 360);
}

void Frames::event_func_663()
{
    if (!level_group_43 || !level_group_23 || !level_group_19 || !on_both_edges(*this))
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    const double n = get_value(values, 'N'), o = get_value(values, 'O');
    if (!(std::fabs(n - o) < 45))
        return;
    // The faster the player runs, the quicker the shown angle follows.
    const double share = get_value(values, 'D') == 0 ? 0.0 : std::fabs(get_value(values, 'B')) / get_value(values, 'D');
    const double k = std::max(0.175, share);
    set_value(values, 'O', std::fmod(o + (n - o) * k, 360.0));
}

void Frames::event_func_664()
{
    if (!level_group_43 || !level_group_23 || !level_group_19 || !on_both_edges(*this))
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    if (std::fabs(get_value(values, 'N') - get_value(values, 'O')) >= 45)
        set_value(values, 'O', std::fmod(get_value(values, 'N'), 360.0));
}

void Frames::event_func_665()
{
    if (!level_group_43 || !level_group_23 || !level_group_19 || !on_both_edges(*this))
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    set_value(values, 'N', std::fmod(get_value(values, 'N'), 360.0));
}

void Frames::event_func_666()
{
    if (!level_group_43 || !level_group_23 || !level_group_19)
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    const double n = get_value(values, 'N');
    if (get_value(values, 'L') != 1 || !(n >= 75 && n <= 285))
        return;
    // Too slow to stick to a wall or a ceiling.
    if (std::fabs(get_value(values, 'B')) < 2 * std::fabs(std::min(cos_deg(n), 0.0)) + 0.4)
        drop_off(values);
}

void Frames::event_func_667()
{
    if (!level_group_43 || !level_group_23 || !level_group_19)
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    if (get_value(values, 'L') == 1 && get_value(instances[types::PlayerSensorBottomBig_95], 'Z') == 0)
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
        set_flag(instances[types::PlayerMovementValues_80], 5, false);
}

void Frames::event_func_677()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    if (get_value(values, 'N') > 80 && get_value(values, 'N') < 280)
        set_flag(values, 5, true);
}

void Frames::event_func_678()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Speeds s(*this);
    const double b = get_value(s.values, 'B'), e = get_value(s.values, 'E');
    if (s.right_side() && s.running() && s.grounded() && b >= 0 && get_value(s.input, 'D') == 0)
        set_value(s.values, 'B', std::max(b - 5 * e, 0.0));
}

void Frames::event_func_679()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Speeds s(*this);
    const double b = get_value(s.values, 'B'), e = get_value(s.values, 'E');
    if (s.left_side() && s.running() && s.grounded() && b <= 0 && get_value(s.input, 'C') == 0)
        set_value(s.values, 'B', std::min(b + 5 * e, 0.0));
}

void Frames::event_func_680()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Speeds s(*this);
    const double b = get_value(s.values, 'B'), e = get_value(s.values, 'E');
    if (s.right_side() && s.running() && s.grounded() && std::fabs(b) < 2 && b >= 0 && get_value(s.input, 'D') == 0)
        set_value(s.values, 'B', std::max(b - 4 * e, 0.0));
}

void Frames::event_func_681()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Speeds s(*this);
    const double b = get_value(s.values, 'B'), e = get_value(s.values, 'E');
    if (s.left_side() && s.running() && s.grounded() && std::fabs(b) < 2 && b <= 0 && get_value(s.input, 'C') == 0)
        set_value(s.values, 'B', std::min(b + 4 * e, 0.0));
}

void Frames::event_func_682()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Speeds s(*this);
    if (s.right_side() && s.running() && !run_blocked_by_mode(get_value(s.values, 'M')) && s.right_held() &&
        get_value(s.values, 'B') < get_value(s.values, 'C'))
        set_value(s.values, 'B', get_value(s.values, 'B') + get_value(s.values, 'E'));
}

void Frames::event_func_683()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Speeds s(*this);
    if (s.left_side() && s.running() && !run_blocked_by_mode(get_value(s.values, 'M')) && s.left_held() &&
        get_value(s.values, 'B') > -get_value(s.values, 'C'))
        set_value(s.values, 'B', get_value(s.values, 'B') - get_value(s.values, 'E'));
}

void Frames::event_func_684()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    ObjectList& others = instances[types::PlayerOthers_75];
    if (get_value(others, 'O') < 0)
        set_value(others, 'O', std::min(get_value(others, 'O') + 1, 0.0));
}

void Frames::event_func_685()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    ObjectList& others = instances[types::PlayerOthers_75];
    if (get_value(others, 'O') > 0)
        set_value(others, 'O', std::max(get_value(others, 'O') - 1, 0.0));
}

void Frames::event_func_686()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Speeds s(*this);
    const double b = get_value(s.values, 'B');
    if (s.right_side() && s.running() && !run_blocked_by_mode(get_value(s.values, 'M')) && std::fabs(b) < 2 &&
        !get_flag(s.values, 5) && s.right_held() && b < get_value(s.values, 'C'))
        set_value(s.values, 'B', std::min(b + 8 * get_value(s.values, 'E'), 2.0));
}

void Frames::event_func_687()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Speeds s(*this);
    const double b = get_value(s.values, 'B');
    if (s.left_side() && s.running() && !run_blocked_by_mode(get_value(s.values, 'M')) && std::fabs(b) < 2 &&
        !get_flag(s.values, 5) && s.left_held() && b > -get_value(s.values, 'C'))
        set_value(s.values, 'B', std::max(b - 8 * get_value(s.values, 'E'), -2.0));
}

void Frames::event_func_688()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Speeds s(*this);
    if (s.right_side() && s.running() && get_value(s.values, 'L') == 0 && s.right_held() &&
        get_value(s.values, 'B') < get_value(s.values, 'C'))
        set_value(s.values, 'B', get_value(s.values, 'B') + get_value(s.values, 'E'));
}

void Frames::event_func_689()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Speeds s(*this);
    if (s.right_side() && s.running() && get_value(s.values, 'L') == 0 && s.right_held() &&
        get_value(s.values, 'B') < 2)
        set_value(s.values, 'B', std::min(get_value(s.values, 'B') + 4 * get_value(s.values, 'E'), 2.0));
}

void Frames::event_func_690()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Speeds s(*this);
    if (s.left_side() && s.running() && get_value(s.values, 'L') == 0 && s.left_held() &&
        get_value(s.values, 'B') > -get_value(s.values, 'C'))
        set_value(s.values, 'B', get_value(s.values, 'B') - get_value(s.values, 'E'));
}

void Frames::event_func_691()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    const Speeds s(*this);
    if (s.left_side() && s.running() && get_value(s.values, 'L') == 0 && s.left_held() && get_value(s.values, 'B') > -2)
        set_value(s.values, 'B', std::max(get_value(s.values, 'B') - 4 * get_value(s.values, 'E'), -2.0));
}

void Frames::event_func_692()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    if (get_value(values, 'B') > 0 && get_value(instances[types::PlayerSensorRightBig_91], 'Z') == 1 &&
        get_value(values, 'M') != 5)
        set_value(values, 'B', 0);
}

void Frames::event_func_693()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    if (get_value(values, 'B') < 0 && get_value(instances[types::PlayerSensorLeftBig_89], 'Z') == 1 &&
        get_value(values, 'M') != 5)
        set_value(values, 'B', 0);
}

void Frames::event_func_694()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    if (mode5_bounce_ready(*this) && get_value(instances[types::PlayerMovementValues_80], 'B') > 0 &&
        get_value(instances[types::PlayerSensorRightBig_91], 'Z') == 1 &&
        get_value(instances[types::PlayerOthers_75], 'Q') == 0)
        bounce_off_wall(*this);
}

void Frames::event_func_695()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    if (mode5_bounce_ready(*this) && get_value(instances[types::PlayerMovementValues_80], 'B') > 0 &&
        get_value(instances[types::PlayerSensorRightBig_91], 'Z') == 1)
        turn_off_wall(*this);
}

void Frames::event_func_696()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    if (mode5_bounce_ready(*this) && get_value(instances[types::PlayerMovementValues_80], 'B') < 0 &&
        get_value(instances[types::PlayerSensorLeftBig_89], 'Z') == 1 &&
        get_value(instances[types::PlayerOthers_75], 'Q') == 0)
        bounce_off_wall(*this);
}

void Frames::event_func_697()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    if (mode5_bounce_ready(*this) && get_value(instances[types::PlayerMovementValues_80], 'B') < 0 &&
        get_value(instances[types::PlayerSensorLeftBig_89], 'Z') == 1)
        turn_off_wall(*this);
}

void Frames::event_func_698()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    const double left = get_value(instances[types::MasterCamera_190], 'C') + 16;
    if (get_value(values, 'B') < 0 && get_value(values, 'X') <= left) {
        set_value(values, 'B', 0);
        set_value(values, 'X', left);
    }
}

void Frames::event_func_699()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    ObjectList& camera = instances[types::MasterCamera_190];
    const double right = get_value(camera, 'E') - 16;
    if (get_value(values, 'B') > 0 && get_value(values, 'X') >= right && get_value(camera, 'U') != 2) {
        set_value(values, 'B', 0);
        set_value(values, 'X', right);
    }
}

void Frames::event_func_700()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    ObjectList& camera = instances[types::MasterCamera_190];
    const double right = get_value(camera, 'E') + 32;
    if (get_value(values, 'B') > 0 && get_value(values, 'X') >= right && get_value(camera, 'U') == 2) {
        set_value(values, 'B', 0);
        set_value(values, 'X', right);
    }
}

void Frames::event_func_701()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    const double b = get_value(values, 'B'), n = get_value(values, 'N');
    if (get_value(values, 'L') == 1 && get_value(values, 'M') != 6 && b != 0 && std::fabs(b) < get_value(values, 'C') &&
        n > 35 && n < 325)
        slope_pull(values, 0.38);
}

void Frames::event_func_702()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    const double n = get_value(values, 'N');
    // Standing still, only slopes steeper than 45 degrees pull.
    if (get_value(values, 'L') == 1 && get_value(values, 'M') != 6 && get_value(values, 'B') == 0 &&
        ((n > 45 && n < 180) || (n > 180 && n < 315)))
        slope_pull(values, 0.38);
}

void Frames::event_func_703()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    const double n = get_value(values, 'N');
    if (get_value(values, 'L') == 1 && get_value(values, 'M') != 6 &&
        std::fabs(get_value(values, 'B')) >= get_value(values, 'C') && n > 35 && n < 325)
        slope_pull(values, 1.0);
}

void Frames::event_func_704()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    if (get_value(values, 'L') == 0)
        set_value(values, 'G', get_value(values, 'G') + get_value(values, 'I'));
}

void Frames::event_func_705()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    const double g = get_value(values, 'G');
    if (get_value(values, 'L') == 0 && g > -4 && g < 0 && std::fabs(get_value(values, 'B')) >= 0.125)
        set_value(values, 'B', get_value(values, 'B') * get_value(instances[types::PlayerActionValuesB_164], 'T'));
}

void Frames::event_func_706()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    if (get_value(values, 'L') == 0 && get_value(values, 'G') < 0 &&
        get_value(instances[types::PlayerSensorTopBig_93], 'Z') == 1 && get_value(values, 'M') != 5)
        set_value(values, 'G', 0);
}

void Frames::event_func_707()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    if (get_value(values, 'L') == 0 && get_value(values, 'G') < 0 &&
        get_value(instances[types::PlayerSensorTopBig_93], 'Z') == 1 && mode5_bounce_ready(*this)) {
        set_value(values, 'G', -get_value(values, 'G'));
        run_loop(fast_loop_bs, 1, &Frames::loop_bs_4);
    }
}

void Frames::event_func_708()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    if (get_value(values, 'L') == 1)
        set_value(values, 'G', 0);
}

void Frames::event_func_709()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    const double bottom = get_value(instances[types::MasterCamera_190], 'F') + 32;
    if (get_value(values, 'Y') > bottom && get_value(values, 'G') < 0) {
        set_value(values, 'G', 0);
        set_value(values, 'Y', bottom);
    }
}

void Frames::event_func_710()
{
    if (!level_group_43 || !level_group_23 || !level_group_41)
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    if (get_value(values, 'G') <= 0 && get_value(values, 'Y') < -32)
        set_value(values, 'Y', -32);
}

// After the speed run ----------------------------------------------------------

void Frames::event_func_727()
{
    if (!level_group_43 || !level_group_23)
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    if (get_value(values, 'A') != 5)
        return;
    ObjectList& skins = instances[types::PlayerSkinHespin_351];
    if (!select(skins, [](FrameObject* skin) { return get_value(*skin, 'I') > 0; }))
        return;
    for_each_selected(skins, [](FrameObject* skin) { set_value(skin, 'I', get_value(*skin, 'I') - 1); });
    set_value(values, 'B', 7 * std::clamp(get_value(values, 'B'), -1.0, 1.0));
}

void Frames::event_func_735()
{
    if (!level_group_43 || !level_group_23)
        return;
    ObjectList& values = instances[types::PlayerMovementValues_80];
    // Sinking eases down to the held-input floor.
    const double floor_speed = get_value(instances[types::PlayerInput_21], 'B') + 2;
    if (get_value(instances[types::PlayerOthers_75], 'H') == 1 && get_value(values, 'G') > floor_speed)
        set_value(values, 'G', std::max(get_value(values, 'G') - 0.4, floor_speed));
}
