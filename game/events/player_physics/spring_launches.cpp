// The contacts that take over the player's motion once a tick: item boxes
// touched by the sensors get their break request, and springs overwrite the
// speeds and launch the player. Also the slopes-up loop, which lifts the
// player out of the terrain one pixel a pass.
#include "audio/media.h"
#include "game/events/player_physics/player_value_objects.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "runtime/collision.h"
#include "runtime/movement.h"

#include <cmath>
#include <optional>
#include <vector>

using namespace player_values;

namespace {

constexpr int item_box_break = 6;  // the item box flag the item-box events act on
constexpr unsigned spring_sample = 5;

// The speed a spring needs the player to move with (towards it) to act.
enum class Approach {
    falling,           // G >= 0
    rising,            // G <= 0
    moving_left,       // B <= 0
    moving_right,      // B >= 0
    airborne_left,     // L = 0, B <= 0
    airborne_right,    // L = 0, B >= 0
};

// Where the first beam ends up: the touched spring's layer, or the layer of
// the newest red up spring, touched or not.
enum class BeamLayer { own, red_up };

struct SpringLaunch {
    int spring;
    int sensor;
    Approach approach;
    std::optional<double> b;
    std::optional<double> g;
    std::optional<double> facing;  // PlayerOthers O
    bool shield;                   // up and diagonal launches drop the water shield's charge
    BeamLayer layer;
    bool side;                     // side launches end a running action
};

bool approaches(const FrameObject& values, Approach approach)
{
    const double b = get_value(values, 'B'), g = get_value(values, 'G');
    const bool airborne = get_value(values, 'L') == 0;
    switch (approach) {
    case Approach::falling: return g >= 0;
    case Approach::rising: return g <= 0;
    case Approach::moving_left: return b <= 0;
    case Approach::moving_right: return b >= 0;
    case Approach::airborne_left: return airborne && b <= 0;
    case Approach::airborne_right: return airborne && b >= 0;
    }
    return false;
}

// The touched springs of the launch, in selection order; empty when the
// launch's conditions do not hold.
std::vector<FrameObject*> touched_springs(Frames& frames, const SpringLaunch& launch)
{
    if (!frames.level_group_43)
        return {};
    const bool ready = instance_holds(frames.instances[types::PlayerMovementValues_80], [&](const FrameObject& values) {
        const double mode = get_value(values, 'M');
        return approaches(values, launch.approach) && mode != mode_dead && mode != mode_second_death;
    });
    if (!ready)
        return {};
    ObjectList& sensor = frames.instances[launch.sensor];
    ObjectList& springs = frames.instances[launch.spring];
    select_all(sensor);
    select_all(springs);
    if (!check_overlap(sensor, springs))
        return {};
    std::vector<FrameObject*> touched;
    for_each_selected(springs, [&](FrameObject* spring) { touched.push_back(spring); });
    return touched;
}

void launch_player(Frames& frames, const SpringLaunch& launch)
{
    const std::vector<FrameObject*> touched = touched_springs(frames, launch);
    if (touched.empty())
        return;

    FrameObject* values = instance_of(frames.instances[types::PlayerMovementValues_80]);
    if (launch.b)
        set_value(values, 'B', *launch.b);
    if (launch.g) {
        set_value(values, 'G', *launch.g);
        set_value(values, 'L', 0);
        set_value(values, 'M', mode_spring);
    }
    media.play_id(spring_sample, -1, 1);
    if (launch.shield) {
        set_value(frames.instances[types::PlayerActionValuesA_86], 'C', 0);
        for_each_instance(frames.instances[types::ShieldWater_106],
                          [](FrameObject* shield) { set_value(shield, 'A', 0); });
    }

    ObjectList& beams = frames.instances[types::EffectsSpringBeam_319];
    FrameObject* first_beam = nullptr;
    for (FrameObject* spring : touched) {
        FrameObject* made = create_effectsspringbeam_319(spring->get_x(), spring->get_y());
        if (!first_beam)
            first_beam = create_instance(frames, beams, made, layer_index(*spring));
        else
            create_another(frames, beams, made, layer_index(*spring));
        made->set_direction(spring->get_direction(), true);
    }

    if (launch.side)
        frames.run_loop(frames.fast_loop_player01_interruption_action, 1,
                        &Frames::loop_player01_interruption_action_4);

    const FrameObject& layer_source = launch.layer == BeamLayer::own
                                          ? *touched.front()
                                          : instance_or_default(frames.instances[types::RedSpringUp_201]);
    first_beam->set_layer(layer_index(layer_source));

    if (launch.facing)
        set_value(frames.instances[types::PlayerOthers_75], 'O', *launch.facing);
    if (launch.shield)
        set_value(frames.instances[types::PlayerActionValuesB_164], 'O', 0);
    for (FrameObject* spring : touched) {
        static_cast<Active*>(spring)->force_animation(0);
        static_cast<Active*>(spring)->force_animation(5);
    }
}

// clang-format off
constexpr std::nullopt_t no = std::nullopt;
const SpringLaunch launches[] = {
    // 539 ... 546: red springs
    {types::RedSpringUp_201,          types::PlayerSensorBottomBig_95, Approach::falling,        no,  -18, no, true,  BeamLayer::own,    false},
    {types::RedSpringRight_202,       types::PlayerSensorLeftBig_89,   Approach::moving_left,    14,  no,  5,  false, BeamLayer::red_up, true},
    {types::RedSpringLeft_203,        types::PlayerSensorRightBig_91,  Approach::moving_right,   -14, no,  -5, false, BeamLayer::red_up, true},
    {types::RedSpringDown_204,        types::PlayerSensorTopBig_93,    Approach::rising,         no,  18,  no, false, BeamLayer::red_up, false},
    {types::RedSpringUpRight_199,    types::PlayerSensorBottomBig_95, Approach::falling,        14,  -14, 5,  true,  BeamLayer::red_up, false},
    {types::RedSpringUpRight_199,    types::PlayerSensorLeftBig_89,   Approach::airborne_left,  14,  -14, 5,  true,  BeamLayer::red_up, false},
    {types::RedSpringUpLeft_200,     types::PlayerSensorBottomBig_95, Approach::falling,        -14, -14, -5, true,  BeamLayer::red_up, false},
    {types::RedSpringUpLeft_200,     types::PlayerSensorRightBig_91,  Approach::airborne_right, -14, -14, -5, true,  BeamLayer::red_up, false},
    // 547 ... 554: yellow springs
    {types::YellowSpringUp_195,       types::PlayerSensorBottomBig_95, Approach::falling,        no,  -11, no, true,  BeamLayer::own,    false},
    {types::YellowSpringRight_196,    types::PlayerSensorLeftBig_89,   Approach::moving_left,    10,  no,  5,  false, BeamLayer::own,    true},
    {types::YellowSpringLeft_197,     types::PlayerSensorRightBig_91,  Approach::moving_right,   -10, no,  -5, false, BeamLayer::own,    true},
    {types::YellowSpringDown_198,     types::PlayerSensorTopBig_93,    Approach::rising,         no,  11,  no, false, BeamLayer::own,    false},
    {types::YellowSpringUpRight_194, types::PlayerSensorBottomBig_95, Approach::falling,        9,   -9,  5,  true,  BeamLayer::own,    false},
    {types::YellowSpringUpRight_194, types::PlayerSensorLeftBig_89,   Approach::airborne_left,  9,   -9,  5,  true,  BeamLayer::own,    false},
    {types::YellowSpringUpLeft_193,  types::PlayerSensorBottomBig_95, Approach::falling,        -9,  -9,  -5, true,  BeamLayer::own,    false},
    {types::YellowSpringUpLeft_193,  types::PlayerSensorRightBig_91,  Approach::airborne_right, -9,  -9,  -5, true,  BeamLayer::own,    false},
};
// clang-format on

void launch(Frames& frames, int event) { launch_player(frames, launches[event - 539]); }

// Every item box the sensor touches whose own test holds gets its break request.
template <class Test>
void break_touched_boxes(Frames& frames, int sensor_type, Test box_test)
{
    ObjectList& sensor = frames.instances[sensor_type];
    select_all(sensor);
    select_all(frames.qualifier_13);
    if (!check_overlap(sensor, frames.qualifier_13) || !filter(frames.qualifier_13, box_test))
        return;
    for_each_selected(frames.qualifier_13, [](FrameObject* box) { set_flag(box, item_box_break, true); });
}

bool any_box(FrameObject*) { return true; }
bool box_unopened(FrameObject* box) { return get_value(*box, 'A') == 0; }

}  // namespace

void Frames::loop_player01_interruption_control_4()
{
    event_func_534();
    event_func_535();
    event_func_536();
    event_func_537();
    event_func_538();
    event_func_539();
    event_func_540();
    event_func_541();
    event_func_542();
    event_func_543();
    event_func_544();
    event_func_545();
    event_func_546();
    event_func_547();
    event_func_548();
    event_func_549();
    event_func_550();
    event_func_551();
    event_func_552();
    event_func_553();
    event_func_554();
}

// Riding the bike fast breaks the boxes on the left.
void Frames::event_func_537()
{
    if (!level_group_43)
        return;
    if (!instance_holds(instances[types::PlayerMovementValues_80], [](const FrameObject& values) {
            return get_value(values, 'A') == 3 && std::fabs(get_value(values, 'B')) > 5;
        }))
        return;
    break_touched_boxes(*this, types::PlayerSensorLeftBig_89, any_box);
}

// In the marked modes, landing on a box or touching it with the body breaks it.
void Frames::event_func_538()
{
    if (!level_group_43)
        return;
    if (instance_holds(instances[types::PlayerMovementValues_80], [](const FrameObject& values) {
            return get_value(values, 'Z') == 1 && get_value(values, 'G') >= 0;
        }))
        break_touched_boxes(*this, types::PlayerSensorBottomBig_95, box_unopened);
    if (instance_holds(instances[types::PlayerMovementValues_80],
                       [](const FrameObject& values) { return get_value(values, 'Z') == 1; }))
        break_touched_boxes(*this, types::PlayerCharacterSensor_151, box_unopened);
}

void Frames::event_func_539() { launch(*this, 539); }
void Frames::event_func_540() { launch(*this, 540); }
void Frames::event_func_541() { launch(*this, 541); }
void Frames::event_func_542() { launch(*this, 542); }
void Frames::event_func_543() { launch(*this, 543); }
void Frames::event_func_544() { launch(*this, 544); }
void Frames::event_func_545() { launch(*this, 545); }
void Frames::event_func_546() { launch(*this, 546); }
void Frames::event_func_547() { launch(*this, 547); }
void Frames::event_func_548() { launch(*this, 548); }
void Frames::event_func_549() { launch(*this, 549); }
void Frames::event_func_550() { launch(*this, 550); }
void Frames::event_func_551() { launch(*this, 551); }
void Frames::event_func_552() { launch(*this, 552); }
void Frames::event_func_553() { launch(*this, 553); }
void Frames::event_func_554() { launch(*this, 554); }

// Slopes up: while the main sensor is inside the terrain, one pixel out
// along the ground normal per pass.
void Frames::loop_player01slopesup_4()
{
    loop_player01detectsensormain_4();
    event_func_555();
    event_func_556();
}

void Frames::event_func_555()
{
    if (!level_group_43 || !level_group_23 || !level_group_19)
        return;
    if (!instance_holds(instances[types::Player_87], [](const FrameObject& body) { return get_value(body, 'Z') == 1; }))
        return;
    const double angle = get_value(instances[types::PlayerMovementValues_80], 'N');
    add_value(instances[types::PlayerMovementValues_80], 'X', -sin_deg(angle));
    add_value(instances[types::PlayerMovementValues_80], 'Y', -cos_deg(angle));
}

void Frames::event_func_556()
{
    if (!level_group_43 || !level_group_23 || !level_group_19)
        return;
    if (instance_holds(instances[types::Player_87], [](const FrameObject& body) { return get_value(body, 'Z') == 0; }))
        fast_loop_player01slopesup.running = false;
}
