// Hespin's weapon HUD, intro-pose entry, petal cap and restart.
#include "tests/game/events/move_sets/hespin_stage.h"

using HespinWeaponHud = hespin_test::HespinStage;

namespace {

const std::vector<hespin_test::Event> hud_events = {
    &Frames::event_func_1358, &Frames::event_func_1359, &Frames::event_func_1360, &Frames::event_func_1361,
    &Frames::event_func_1362, &Frames::event_func_1363, &Frames::event_func_1364, &Frames::event_func_1365,
    &Frames::event_func_1366, &Frames::event_func_1367, &Frames::event_func_1368, &Frames::event_func_1369,
    &Frames::event_func_1370, &Frames::event_func_1371};

}  // namespace

TEST_F(HespinWeaponHud, slots_show_the_saved_weapons_and_the_current_slot_blinks_opaque)
{
    enter(hud_events);
    kit.place("GUIScoreTimeRings_107", 20, 10, 1);
    std::vector<FrameObject*> slots;  // by value A
    for (int a = 0; a < 8; ++a) {
        slots.push_back(kit.place("GUIWeaponSlot_233", 200 + 28 * a, -32, 1));
        EventKit::set_value(slots.back(), 'A', a);
    }
    std::vector<Counter*> ammo;  // by direction
    for (int d = 0; d < 3; ++d) {
        ammo.push_back(static_cast<Counter*>(kit.place("GUIAmmo_355", 220 + 56 * d, 0, 1)));
        ammo.back()->set_direction(d, true);
    }
    save_weapon(1, 2, 1);
    save_weapon(2, 4, 2);
    EventKit::set_value(arm(), 'G', 1500);
    EventKit::set_value(arm(), 'H', 7);
    kit.run(1);

    std::vector<int> frames;
    for (FrameObject* slot : slots)
        frames.push_back(sprite(slot)->forced_frame);
    EXPECT_EQ(frames, (std::vector<int>{20, 21, 2, 12, 4, 19, 0, 5}));
    EXPECT_EQ(EventKit::values(arm(), "GHI"), doubles(999, 7, 0));
    EXPECT_EQ(ammo[0]->value, 999);
    EXPECT_EQ(ammo[1]->value, 7);
    for (FrameObject* slot : slots)
        EXPECT_EQ(slot->get_y(), 10);
    EXPECT_EQ(ammo[2]->get_y(), 38);

    // Slot 0 current: its two pictures opaque, no counter; the blink runs
    // 0, 0, 1, 1, 2, 2, 0, 0 and then stays 1.
    auto alphas = [&] {
        std::vector<int> a;
        for (FrameObject* slot : slots)
            a.push_back(slot->blend_color.a);
        for (Counter* counter : ammo)
            a.push_back(counter->blend_color.a);
        return a;
    };
    EXPECT_EQ(alphas(), (std::vector<int>{255, 255, 176, 176, 176, 176, 176, 176, 176, 176, 176}));
    std::vector<int> blink = {slots[0]->get_direction()};
    for (int tick = 0; tick < 11; ++tick) {
        kit.run(1);
        blink.push_back(slots[1]->get_direction());
    }
    EXPECT_EQ(blink, (std::vector<int>{0, 0, 1, 1, 2, 2, 0, 0, 1, 1, 1, 1}));
    EXPECT_EQ(slots[2]->get_direction(), 0);
    EXPECT_EQ(EventKit::value(slots[0], 'D'), 12);

    // Slot 2 current: pictures 4 and 5 and the direction-1 counter.
    EventKit::set_value(skin(), 'D', 2);
    kit.run(1);
    EXPECT_EQ(alphas(), (std::vector<int>{176, 176, 176, 176, 255, 255, 176, 176, 176, 255, 176}));
}

TEST_F(HespinWeaponHud, intro_pose_needs_hespin_still_right_of_40_early_and_petals_stop_at_eight)
{
    enter({&Frames::event_func_1355, &Frames::event_func_1356});
    Counter* petals = static_cast<Counter*>(kit.place("GUIRings_74", 0, 0, 1));
    auto pose_after_a_tick = [&](double id, double speed, double x) {
        set_player('M', 0);
        for (auto [letter, n] : {std::pair{'A', id}, {'B', speed}, {'X', x}})
            set_player(letter, n);
        kit.run(1);
        return EventKit::value(player(), 'M') == 37;
    };
    EXPECT_FALSE(pose_after_a_tick(5, 0, 40));
    EXPECT_FALSE(pose_after_a_tick(5, 1, 300));
    EXPECT_FALSE(pose_after_a_tick(0, 0, 300));
    kit.set_global(4, -1);
    EXPECT_FALSE(pose_after_a_tick(5, 0, 300));
    kit.set_global(4, 0);
    EXPECT_TRUE(pose_after_a_tick(5, 0, 41));
    while (kit.frames().frame_time <= 0.3)
        kit.run(1);
    EXPECT_FALSE(pose_after_a_tick(5, 0, 300));

    petals->set(12);
    set_player('A', 0);
    kit.run(1);
    EXPECT_EQ(petals->value, 12);
    set_player('A', 5);
    kit.run(1);
    EXPECT_EQ(petals->value, 8);
}

TEST_F(HespinWeaponHud, the_weapons_group_coming_on_asks_for_a_restart_once)
{
    enter({});
    Frames& f = kit.frames();
    f.event_func_1357();
    EXPECT_EQ(f.next_frame, -2);
    f.next_frame = -1;
    kit.run(1);
    f.event_func_1357();  // still on: no second request
    EXPECT_EQ(f.next_frame, -1);
    f.level_group_22 = false;
    kit.run(1);
    f.event_func_1357();
    EXPECT_EQ(f.next_frame, -1);
    f.level_group_22 = true;
    kit.run(1);
    f.event_func_1357();
    EXPECT_EQ(f.next_frame, -2);
    f.next_frame = -1;
}
