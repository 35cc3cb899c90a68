// The movement-mode switch, the freeze counter and the character groups,
// through their events in the act's order.
#include "game/objects/classes.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

void switch_events(Frames& f)
{
    f.event_func_711(), f.event_func_712(), f.event_func_713(), f.event_func_714(), f.event_func_715();
    f.event_func_716();
    f.event_func_742(), f.event_func_743(), f.event_func_744(), f.event_func_745(), f.event_func_746();
    f.event_func_747(), f.event_func_748(), f.event_func_749(), f.event_func_750(), f.event_func_751();
    f.event_func_752(), f.event_func_753(), f.event_func_754(), f.event_func_755(), f.event_func_756();
}

// The 40 mode groups, each with its mode.
struct ModeGroup {
    bool Frames::*group;
    double mode;
};

const std::vector<ModeGroup> own_rows = {
    {&Frames::level_group_58, 0}, {&Frames::level_group_42, 1}, {&Frames::level_group_2, 2},
    {&Frames::level_group_28, 3}, {&Frames::level_group_37, 4}, {&Frames::level_group_10, 5},
    {&Frames::level_group_46, 6}, {&Frames::level_group_63, 8}, {&Frames::level_group_69, 9},
    {&Frames::level_group_62, 10}, {&Frames::level_group_21, 11}, {&Frames::level_group_51, 12},
    {&Frames::level_group_44, 19}, {&Frames::level_group_33, 20},
};

std::vector<bool Frames::*> all_mode_groups()
{
    std::vector<bool Frames::*> groups;
    for (const ModeGroup& row : own_rows)
        groups.push_back(row.group);
    for (bool Frames::*g :
         {&Frames::level_group_71, &Frames::level_group_54, &Frames::level_group_11, &Frames::level_group_64,
          &Frames::level_group_48, &Frames::level_group_70, &Frames::level_group_49, &Frames::level_group_65,
          &Frames::level_group_26, &Frames::level_group_36, &Frames::level_group_66, &Frames::level_group_5,
          &Frames::level_group_13, &Frames::level_group_45, &Frames::level_group_18, &Frames::level_group_74,
          &Frames::level_group_30, &Frames::level_group_27, &Frames::level_group_12, &Frames::level_group_53,
          &Frames::level_group_55, &Frames::level_group_29, &Frames::level_group_47, &Frames::level_group_15,
          &Frames::level_group_67, &Frames::level_group_17})
        groups.push_back(g);
    return groups;
}

class StateSwitch : public ::testing::Test {
protected:
    void SetUp() override
    {
        class_records::alterables_75 = SavedAlterables{};
        class_records::alterables_76 = SavedAlterables{};
        kit.enter_empty_frame({.layers = 2,
                               .handler = [this](Frames& f) {
                                   if (running)
                                       switch_events(f);
                               },
                               .set_up = [](Frames& f) {
                                   f.level_group_43 = f.level_group_23 = true;
                                   f.level_group_19 = f.level_group_41 = true;
                                   f.once_715 = f.once_716 = false;
                                   f.run_once_712 = f.run_once_713 = f.run_once_714 = unsigned(f.loop_count);
                               }});
        values = kit.place("PlayerMovementValues_80", -100, -100);
        others = kit.place("PlayerOthers_75", -100, -100);
        running = true;
    }

    std::vector<bool Frames::*> groups_on()
    {
        std::vector<bool Frames::*> on;
        for (bool Frames::*g : all_mode_groups())
            if (kit.frames().*g)
                on.push_back(g);
        return on;
    }

    EventKit kit;
    bool running = false;
    FrameObject *values = nullptr, *others = nullptr;
};

}  // namespace

TEST_F(StateSwitch, each_mode_turns_on_its_own_group_alone_and_sets_the_attack_flag)
{
    ASSERT_EQ(all_mode_groups().size(), 40u);
    for (const ModeGroup& row : own_rows) {
        // Every group on before the tick: the switch clears the rest.
        for (bool Frames::*g : all_mode_groups())
            kit.frames().*g = true;
        EventKit::set_value(values, 'M', row.mode);
        EventKit::set_value(values, 'Z', 1);
        kit.run(1);
        EXPECT_EQ(groups_on(), std::vector<bool Frames::*>{row.group}) << row.mode;
        const bool attacks = row.mode == 5 || row.mode == 6 || row.mode == 19;
        EXPECT_EQ(EventKit::value(values, 'Z'), attacks ? 1 : 0) << row.mode;
    }
}

TEST_F(StateSwitch, a_mode_without_a_row_leaves_every_group_off)
{
    for (const double mode : {7.0, 13.0, 24.0, 49.0, 51.0, 0.5}) {
        kit.frames().level_group_58 = true;
        EventKit::set_value(values, 'M', mode);
        kit.run(1);
        EXPECT_TRUE(groups_on().empty()) << mode;
        EXPECT_EQ(EventKit::value(values, 'Z'), 0);
    }
    // Mode 20 is Yelto's only for character 0.
    EventKit::set_value(values, 'M', 20);
    EventKit::set_value(values, 'A', 2);
    kit.run(1);
    EXPECT_FALSE(kit.frames().level_group_33);
}

TEST_F(StateSwitch, the_freeze_counter_suspends_the_step_and_the_speed_groups_for_its_ticks)
{
    EventKit::set_value(others, 'K', 2);
    kit.run(1);
    EXPECT_FALSE(kit.frames().level_group_19);
    EXPECT_FALSE(kit.frames().level_group_41);
    EXPECT_EQ(EventKit::value(others, 'K'), 1);
    // The tick that brings K to 0 ends the suspension.
    kit.run(1);
    EXPECT_EQ(EventKit::value(others, 'K'), 0);
    EXPECT_TRUE(kit.frames().level_group_19);
    EXPECT_TRUE(kit.frames().level_group_41);
    // Switched off by someone else while K stays 0: the run-once does not
    // switch them back until a freeze has run again.
    kit.frames().level_group_41 = false;
    kit.run(2);
    EXPECT_FALSE(kit.frames().level_group_41);
    // A one-tick freeze set between ticks, K having been 0 on the tick
    // before: suspended and back on within the tick, not off for good.
    EventKit::set_value(others, 'K', 1);
    kit.run(1);
    EXPECT_EQ(EventKit::value(others, 'K'), 0);
    EXPECT_TRUE(kit.frames().level_group_19);
    EXPECT_TRUE(kit.frames().level_group_41);
    kit.run(1);
    EXPECT_TRUE(kit.frames().level_group_19);
}

TEST_F(StateSwitch, the_character_groups_follow_the_character_id)
{
    FrameObject* meter = kit.place("GUIEnergy_76", 10, 10, 1);
    EventKit::set_value(values, 'A', 4);
    kit.run(1);
    EXPECT_TRUE(kit.frames().level_group_59);
    EXPECT_FALSE(kit.frames().level_group_50);
    EXPECT_FALSE(meter->flags & FrameObject::VISIBLE);
    // Orrun's group, then Dorrik's again after the id has left 4 and come back.
    EventKit::set_value(values, 'A', 1);
    kit.run(1);
    EXPECT_TRUE(kit.frames().level_group_50);
    EXPECT_FALSE(kit.frames().level_group_59);
    EventKit::set_value(values, 'A', 4);
    kit.run(1);
    EXPECT_TRUE(kit.frames().level_group_59);
    EXPECT_FALSE(kit.frames().level_group_50);
}

TEST_F(StateSwitch, hespin_lays_out_the_weapon_slots_once_a_frame_visit)
{
    FrameObject* minutes = kit.place("GUITimerM_213", 100, 20, 1);
    FrameObject* crystals = kit.place("GUICrystal_78", 100, 40, 1);
    FrameObject* first = kit.place("GUIWeaponSlot_233", 200, 10, 1);
    FrameObject* second = kit.place("GUIWeaponSlot_233", 230, 10, 1);
    EventKit::set_value(values, 'A', 5);
    kit.run(1);
    EXPECT_TRUE(kit.frames().level_group_22);
    EXPECT_EQ(minutes->get_y(), -99);
    EXPECT_FALSE(minutes->flags & FrameObject::VISIBLE);
    EXPECT_EQ(crystals->get_x(), 60);
    // Numbered in selection order, the newest first.
    EXPECT_EQ(EventKit::value(second, 'A'), 0);
    EXPECT_EQ(EventKit::value(first, 'A'), 1);
    EXPECT_EQ(first->get_y(), 50);
    EXPECT_TRUE(first->flags & FrameObject::VISIBLE);
    // Never a second time in the visit, whatever the id does.
    EventKit::set_value(values, 'A', 0);
    kit.run(1);
    EventKit::set_value(values, 'A', 5);
    kit.frames().level_group_22 = false;
    kit.run(1);
    EXPECT_FALSE(kit.frames().level_group_22);
    EXPECT_EQ(crystals->get_x(), 60);
}
