// Hespin's fire button, weapon cycling, the puff shot's start sound and the
// wobbling riser stream.
#include "tests/game/events/move_sets/hespin_stage.h"

using HespinFiring = hespin_test::HespinStage;

namespace {

// The arm's cool-down and the firing events, as the act orders them.
const std::vector<hespin_test::Event> firing_events = {
    &Frames::event_func_1377, &Frames::event_func_1383, &Frames::event_func_1384, &Frames::event_func_1385,
    &Frames::event_func_1386, &Frames::event_func_1387};

}  // namespace

TEST_F(HespinFiring, fire_repeats_as_the_arm_cool_down_runs_out_and_only_in_modes_that_shoot)
{
    enter(firing_events);
    EventKit::set_value(skin(), 'G', 1);
    EventKit::set_value(skin(), 'B', 45);
    arm()->set_visible(false);
    controls({'F'});
    // A shot leaves PlayerOthers' idle timer M at 0; the loop's cool-down
    // of 3 is given by hand after each shot.
    std::vector<int> fired;
    for (int tick = 1; tick <= 9; ++tick) {
        set_other('M', 99);
        kit.run(1);
        if (other('M') == 0) {
            fired.push_back(tick);
            EventKit::set_value(arm(), 'C', 3);
        }
    }
    EXPECT_EQ(fired, (std::vector<int>{1, 4, 7}));
    EXPECT_EQ(EventKit::values(skin(), "AC"), doubles(60, 6));
    EXPECT_TRUE(arm()->flags & FrameObject::VISIBLE);
    EXPECT_EQ(EventKit::value(arm(), 'D'), 45);
    set_player('Q', -1);
    EventKit::set_value(arm(), 'C', 0);
    kit.run(1);
    EXPECT_EQ(EventKit::value(arm(), 'D'), -225);

    for (double mode : {6.0, 11.0, 37.0, 46.0, 90.0}) {
        set_player('M', mode);
        arm()->set_visible(false);
        set_other('M', 99);
        kit.run(1);
        EXPECT_EQ(other('M'), 99) << mode;
        EXPECT_FALSE(arm()->flags & FrameObject::VISIBLE) << mode;
    }
}

TEST_F(HespinFiring, the_third_button_cycles_four_slots_one_step_a_press)
{
    enter(firing_events);
    FrameObject* slot = kit.place("GUIWeaponSlot_233", 200, 0, 1);
    std::vector<double> slots;
    kit.take_sounds();
    for (int press = 0; press < 4; ++press) {
        EventKit::set_value(slot, 'D', 9);
        controls({'O'});
        kit.run(2);  // held on: one step only
        slots.push_back(EventKit::value(skin(), 'D'));
        EXPECT_EQ(EventKit::value(slot, 'D'), 0);
        controls({});
        kit.run(1);
    }
    EXPECT_EQ(slots, doubles(1, 2, 3, 0));
    EXPECT_EQ(sample_count(kit.take_sounds(), 213), 4);
}

TEST_F(HespinFiring, the_puff_shot_sounds_once_a_hold_with_ammunition)
{
    enter(firing_events);
    save_weapon(1, 3, 0);
    EventKit::set_value(skin(), 'D', 1);
    EventKit::set_value(arm(), 'C', 100);  // no shot in the way
    kit.take_sounds();
    controls({'F'});
    kit.run(3);
    EXPECT_EQ(sample_count(kit.take_sounds(), 161), 0);
    EventKit::set_value(arm(), 'G', 5);
    kit.run(3);
    controls({});
    kit.run(1);
    controls({'F'});
    kit.run(2);
    EXPECT_EQ(sample_count(kit.take_sounds(), 161), 2);
    save_weapon(1, 3, 1);
    controls({});
    kit.run(1);
    controls({'F'});
    kit.run(1);
    EXPECT_EQ(sample_count(kit.take_sounds(), 161), 0);
}

TEST_F(HespinFiring, the_riser_streams_from_the_muzzle_on_even_counts_and_flashes_follow_the_body)
{
    enter(firing_events);
    save_weapon(2, 3, 2);
    EventKit::set_value(skin(), 'D', 2);
    set_player('Q', -1);
    arm()->set_global_position(250, 150);
    arm()->set_direction(8, true);
    EventKit::set_value(arm(), 'C', 50);
    EventKit::set_value(arm(), 'A', 0);
    EventKit::set_value(arm(), 'B', 5);
    std::vector<size_t> counts;
    for (int count = 0; count < 4; ++count) {
        kit.set_global(3, count);
        kit.run(1);
        counts.push_back(shots().size());
    }
    EXPECT_EQ(counts, (std::vector<size_t>{1, 1, 2, 2}));
    FrameObject* riser = shots().front();
    EXPECT_EQ(riser->get_x(), arm()->get_action_x());
    EXPECT_EQ(riser->get_y(), arm()->get_action_y() - 8);
    EXPECT_EQ(EventKit::values(riser, "ABJHNKI"),
              doubles(riser->get_x(), riser->get_y(), 12, -72, -1, 1, 2));
    EXPECT_TRUE(EventKit::flag(riser, 1));
    EXPECT_EQ(sprite(riser)->forced_frame, 26);
    // Seven ticks after the recoil the stream stops; with recoil it runs.
    EventKit::set_value(arm(), 'B', 7);
    kit.set_global(3, 4);
    kit.run(1);
    EXPECT_EQ(shots().size(), 2u);
    EventKit::set_value(arm(), 'A', 4);
    kit.run(1);
    EXPECT_EQ(shots().size(), 3u);

    FrameObject* follows = kit.place("EffectsWhiteBurst_31", 0, 0, 1);
    FrameObject* stays = kit.place("EffectsWhiteBurst_31", 0, 0, 1);
    EventKit::set_value(follows, 'H', 5);
    EventKit::set_value(follows, 'I', -3);
    EventKit::set_value(stays, 'H', 5);
    kit.run(1);
    EXPECT_EQ(std::make_pair(follows->get_x(), follows->get_y()),
              std::make_pair(skin()->get_x() + 5, skin()->get_y() - 3));
    EXPECT_EQ(std::make_pair(stays->get_x(), stays->get_y()), std::make_pair(0, 0));
}

TEST_F(HespinFiring, held_fire_sends_a_basic_shot_every_ten_ticks_through_the_weapon_loop)
{
    std::vector<hespin_test::Event> arm_and_fire;
    for (auto event : {&Frames::event_func_1372, &Frames::event_func_1373, &Frames::event_func_1374,
                       &Frames::event_func_1375, &Frames::event_func_1376, &Frames::event_func_1377,
                       &Frames::event_func_1378, &Frames::event_func_1379, &Frames::event_func_1380,
                       &Frames::event_func_1381, &Frames::event_func_1382})
        arm_and_fire.push_back(event);
    for (hespin_test::Event event : firing_events)
        if (event != &Frames::event_func_1377)
            arm_and_fire.push_back(event);
    enter(arm_and_fire);
    controls({'F'});
    std::vector<int> fired;
    for (int tick = 1; tick <= 25; ++tick) {
        const size_t before = shots_of(20).size();
        kit.run(1);
        if (shots_of(20).size() > before)
            fired.push_back(tick);
    }
    EXPECT_EQ(fired, (std::vector<int>{1, 11, 21}));
    EXPECT_TRUE(arm()->flags & FrameObject::VISIBLE);
    // Released, the arm is put away once the recoil has died and 15 ticks passed.
    controls({});
    kit.run(30);
    EXPECT_FALSE(arm()->flags & FrameObject::VISIBLE);
}
