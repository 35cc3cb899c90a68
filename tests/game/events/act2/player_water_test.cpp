// The player and the water line: falling in (slowed, a splash, the air
// counter from its start), the counter rising once a second of the global
// step below the surface with the first warning at 5, jumping out in state
// 26 (lifted to -6.5 with a splash), walking in and out, movement mode 9,
// and the water shield.
#include "tests/game/events/act2/act2_stage.h"

using act2_stage::Act2Stage;

namespace {

#define E(n) &Frames::event_func_##n
const std::vector<act2_stage::Event> water_order = {E(2372), E(2373), E(2374), E(2375),
                                                    E(2376), E(2377), E(2378), E(2379)};
#undef E

constexpr unsigned splash_sample = 14, warning_sample = 16;
constexpr double line = 500;  // counted from 508

}  // namespace

class PlayerWater : public Act2Stage {
protected:
    void SetUp() override
    {
        Act2Stage::SetUp();
        enter(water_order);
        set_level('A', 1);
        set_level('B', line);
        set_level('C', line - 3.5);
        kit.place("PlayerStartingPoint_160", 20, 20);
        kit.place("GeneralWaterHorizon_155", 100, 100);
        body = kit.place("Player_87", 150, 50);  // above the surface object
        kit.set_global(3, 0);
    }

    // The player at value Y y, airborne or not, at speeds (b, g).
    void player_at(double y, double on_ground, double b = 0, double g = 0)
    {
        for (auto [letter, n] : {std::pair{'X', 150.7}, {'Y', y}, {'L', on_ground}, {'B', b}, {'G', g}})
            set_move(letter, n);
    }

    // Ticks of the global step up to `step` (it rises by 1 a tick in play).
    void step_to(int step)
    {
        kit.set_global(3, step);
        kit.run(1);
    }

    std::vector<FrameObject*> splashes() { return kit.instances(types::EffectsWaterSplash_157); }
    FrameObject* body = nullptr;
};

TEST_F(PlayerWater, falls_in_counts_the_air_warns_at_5_and_jumps_out)
{
    player_at(line + 7.5, 0, 4, 5);
    kit.run(2);
    EXPECT_EQ(other('H'), 0);
    player_at(line + 8.5, 0, 4, 5);
    kit.run(1);
    EXPECT_EQ(EventKit::values(others(), "HJ"), doubles(1, -30));  // character 0 starts lower
    EXPECT_EQ(EventKit::values(movement(), "BG"), doubles(2, 1));
    EXPECT_EQ(sounds(), std::vector<unsigned>{splash_sample});
    ASSERT_EQ(splashes().size(), 1u);
    EXPECT_EQ(std::make_pair(splashes()[0]->get_x(), splashes()[0]->get_y()), std::make_pair(150, 496));
    kit.run(3);  // staying in is not a new entry
    EXPECT_EQ(move('G'), 1);
    EXPECT_TRUE(sounds().empty());

    body->set_y(150);  // below the surface object
    step_to(65);
    step_to(66);
    EXPECT_EQ(other('J'), -29);
    step_to(67);
    step_to(126);
    EXPECT_EQ(other('J'), -28);
    set_other('B', 4);  // the water shield
    step_to(186);
    EXPECT_EQ(other('J'), -28);
    set_other('B', 0);
    set_other('J', 4);
    step_to(246);
    EXPECT_EQ(other('J'), 5);
    EXPECT_EQ(sounds(), std::vector<unsigned>{warning_sample});
    step_to(247);
    EXPECT_TRUE(sounds().empty());

    set_other('Y', 26);
    player_at(line + 8, 0, 3, -2);  // the line's own height counts as out as well
    kit.run(1);
    EXPECT_EQ(EventKit::values(others(), "HJP"), doubles(0, -30, -15));
    EXPECT_DOUBLE_EQ(move('G'), -6.5);
    EXPECT_EQ(sounds(), std::vector<unsigned>{splash_sample});
    EXPECT_EQ(splashes().size(), 2u);
    for (FrameObject* splash : splashes())
        EXPECT_EQ(std::make_pair(splash->get_x(), splash->get_y()), std::make_pair(150, 496));
}

TEST_F(PlayerWater, walking_in_and_out_only_switches_and_mode_9_clears_it)
{
    set_move('A', 1);  // other characters start the counter at 0
    set_other('J', 7);
    player_at(line + 40, 1, 3, 0);
    kit.run(1);
    EXPECT_EQ(EventKit::values(others(), "HJ"), doubles(1, 0));
    EXPECT_EQ(EventKit::values(movement(), "BG"), doubles(3, 0));
    EXPECT_TRUE(sounds().empty());
    set_other('J', 3);
    player_at(line, 1, 3, 0);
    EventKit::set_value(object(types::PlayerActionValuesB_164), 'O', 1);
    kit.run(1);
    EXPECT_EQ(EventKit::values(others(), "HJ"), doubles(0, 0));
    EXPECT_EQ(EventKit::value(object(types::PlayerActionValuesB_164), 'O'), 0);
    EXPECT_TRUE(splashes().empty());

    set_move('M', 9);  // mode 9 keeps the player out of the water logic
    player_at(line + 40, 0, 3, 4);
    set_other('J', 3);
    kit.run(2);
    EXPECT_EQ(EventKit::values(others(), "HJ"), doubles(0, 0));
    set_move('M', 0);  // the entry follows at once
    kit.run(1);
    EXPECT_EQ(other('H'), 1);
    EXPECT_EQ(EventKit::values(movement(), "BG"), doubles(1.5, 0.8));

    set_level('A', 0);  // no water: nothing switches
    player_at(line - 100, 0, 3, -4);
    kit.run(1);
    EXPECT_EQ(other('H'), 1);
}
