// The act 1 frame's tick handler and its collision pass. The handler runs
// the collision pass, the events that run ahead of all others, the main
// gameplay block's runs under their groups, the pause block, and the shared
// block with the act's own events between its pieces. The order is the
// behaviour: each event sees what the events before it in the tick left.
#include "game/events/act_tick.h"

#include "game/frames/frames.h"
#include "game/objects/type_ids.h"

namespace {

using act_tick::call;
using act_tick::call_all;
using act_tick::call_piece;

#include "game/events/act1_frame/act1_tick_runs.inc"

constexpr TickEvent pause_switches[] = {{2161, &Frames::event_func_2161}, {2162, &Frames::event_func_2162}};
// The pause menu's own events stop at the first that finds the menu closed.
constexpr TickEvent pause_menu[] = {
    {2163, &Frames::event_func_2163}, {2164, &Frames::event_func_2164}, {2165, &Frames::event_func_2165},
    {2166, &Frames::event_func_2166}, {2167, &Frames::event_func_2167}, {2168, &Frames::event_func_2168},
    {2169, &Frames::event_func_2169}, {2170, &Frames::event_func_2170},
};
constexpr TickEvent pause_after[] = {
    {2171, &Frames::event_func_2171}, {2172, &Frames::event_func_2172},
    {2173, &Frames::event_func_2173}, {2174, &Frames::event_func_2174},
};

void run_pause_block(Frames& frames)
{
    if (!frames.level_group_25)
        return;
    call_all(frames, pause_switches);
    for (const TickEvent& event : pause_menu) {
        if (!frames.level_group_25)
            break;
        call(frames, event);
    }
    call_all(frames, pause_after);
}

}  // namespace

void Frames::handle_frame_5_events()
{
    call_piece(*this, "test_collisions_4", &Frames::test_collisions_4);
    act_tick::run_moves_ahead(*this);
    if (global_group_1)
        call(*this, {2175, &Frames::event_func_2175});
    if (level_group_43)
        act_tick::run_level_runs(*this, act1_level_runs);
    run_pause_block(*this);
    act_tick::run_shared_block(*this);
}

// The collision pass ------------------------------------------------------------

namespace {

using act_tick::bit;
using act_tick::callback;
using act_tick::test_background;

}  // namespace

// Every test owns a bit on each side, distinct among the tests a type takes
// part in, so each contact begins once per test.
void Frames::test_collisions_4()
{
    ObjectList& crystal = instances[types::ObjectCrystal_239];
    ObjectList& debris = instances[types::EffectsDebris_266];
    ObjectList& pellet = instances[types::EnemyPellet_261];
    ObjectList& projectile = instances[types::PlayerProjectile_336];
    ObjectList& reflect = instances[types::PlayerReflect_343];
    ObjectList& rock = instances[types::BreakableRock_282];
    ObjectList& layer_switch = instances[types::LayerChangeSwitch_114];

    test_collisions(instances[types::PlayerSensorRightBig_91], rock, bit(0), bit(0), callback(&Frames::col_0_4));
    test_collisions(layer_switch, instances[types::HalfCorkscrewRight_246], bit(0), bit(0), callback(&Frames::col_1_4));
    test_collisions(qualifier_13, qualifier_13, bit(31), bit(31), callback(&Frames::col_2_4));
    test_collisions(qualifier_1, reflect, bit(30), bit(0), callback(&Frames::col_3_4));
    test_collisions(qualifier_2, crystal, bit(31), bit(0), callback(&Frames::col_4_4));
    test_collisions(layer_switch, instances[types::HalfCorkscrewLeft_245], bit(1), bit(0), callback(&Frames::col_5_4));
    test_collisions(qualifier_2, debris, bit(29), bit(0), callback(&Frames::col_6_4));
    test_collisions(qualifier_17, projectile, bit(31), bit(0), callback(&Frames::col_7_4));
    test_collisions(qualifier_1, crystal, bit(28), bit(1), callback(&Frames::col_4_4));
    test_collisions(qualifier_1, projectile, bit(27), bit(1), callback(&Frames::col_9_4));
    test_collisions(qualifier_17, crystal, bit(30), bit(2), callback(&Frames::col_10_4));
    test_collisions(instances[types::PlayerSensorLeftBig_89], rock, bit(0), bit(1), callback(&Frames::col_11_4));
    test_collisions(qualifier_1, debris, bit(26), bit(1), callback(&Frames::col_6_4));
    test_collisions(instances[types::Player_87], instances[types::MonitorIcon_125], bit(0), bit(0),
                    callback(&Frames::col_13_4));
    test_collisions(instances[types::PlayerCharacterSensor_151], pellet, bit(0), bit(0), callback(&Frames::col_14_4));
    test_collisions(qualifier_1, pellet, bit(25), bit(1), callback(&Frames::col_15_4));
    test_collisions(qualifier_2, reflect, bit(24), bit(1), callback(&Frames::col_3_4));

    test_background(*this, reflect, &Frames::col_21_4);
    test_background(*this, crystal, &Frames::col_19_4);
    test_background(*this, projectile, &Frames::col_17_4);
    test_background(*this, pellet, &Frames::col_20_4);
    test_background(*this, debris, &Frames::col_18_4);
}
