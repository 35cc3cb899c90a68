// Orrun's own group: an act started as Orrun restarts the game, energy
// turns into power cards, and the HUD cards show and shine the cards held.
#include "game/frames/event_index.h"
#include "tests/game/events/player_physics/player_state_kit.h"

#include <gtest/gtest.h>

namespace {

class OrrunPowerCards : public player_state_test::PlayerStateTest {
protected:
    // The act's five HUD cards, the one at x = 27 made last, their kept
    // values fresh; the character selection switches Orrun's group on (its
    // restart held back).
    void enter()
    {
        class_records::alterables_337 = SavedAlterables{};
        const auto run = [](Frames& f) {
            for (auto event : {&Frames::event_func_713, &Frames::event_func_1110, &Frames::event_func_1111,
                               &Frames::event_func_1112, &Frames::event_func_1113, &Frames::event_func_1114,
                               &Frames::event_func_1115, &Frames::event_func_1116, &Frames::event_func_1117})
                (f.*event)();
        };
        kit.enter_empty_frame({.layers = 7, .handler = run, .set_up = [=, this](Frames& frames) {
                                   frames.level_group_43 = frames.level_group_23 = frames.level_group_3 = true;
                                   place_player();
                                   for (int x : {91, 75, 59, 43, 27})
                                       kit.place("GUIPowerCard_337", x, 7, 6);
                                   set_player('A', 1);
                                   frames.run_once_1110 = unsigned(frames.loop_count) + 100000;
                               }});
    }
    void TearDown() override
    {
        class_records::alterables_337 = SavedAlterables{};
        PlayerStateTest::TearDown();
    }

    // Each card's direction (its slot while shown) or animation, from the left.
    std::vector<double> cards(bool animation = false)
    {
        std::vector<double> seen;
        for (FrameObject* card : kit.instances(types::GUIPowerCard_337))
            seen.insert(seen.begin(), animation ? static_cast<Active*>(card)->current_animation : card->get_direction());
        return seen;
    }
    void fill(char letter, double n)
    {
        EventKit::set_value(kit.instance(types::GUIEnergy_76), letter, n);
        kit.run(1);
    }
    std::vector<double> meter() { return EventKit::values(kit.instance(types::GUIEnergy_76), "AC"); }
    // The timer the shine leaves after five draws: random(60) - 100.
    static double fifth_shine(RandomState& draws)
    {
        for (int draw = 1; draw < 5; ++draw)
            draws.step();
        return int((60u * draws.step()) >> 15) - 100;
    }
};

}  // namespace

TEST(OrrunRestart, act_1_started_as_orrun_goes_back_to_the_first_frame_after_its_first_tick)
{
    class_records::alterables_337 = SavedAlterables{};
    EventKit kit;
    kit.set_global(1, 1);
    kit.enter_frame(4);
    EXPECT_TRUE(kit.frames().level_group_50);
    EXPECT_EQ(kit.frames().next_frame, -2);
    // The rest of the group still ran: the shared slot number ends at 5.
    EXPECT_EQ(EventKit::value(kit.instance(types::GUIPowerCard_337), 'A'), 5);
    kit.run(1);
    EXPECT_EQ(doubles(kit.frames().index, kit.global(1)), doubles(0, 0));
    class_records::alterables_337 = SavedAlterables{};
}

TEST_F(OrrunPowerCards, energy_fills_cards_one_at_a_time_and_the_hud_shows_and_shines_the_cards_held)
{
    enter();
    EXPECT_EQ(cards(), doubles(0, 0, 0, 0, 0));
    fill('A', 130);  // one card; the surplus is lost
    EXPECT_EQ(meter(), doubles(0, 1));
    EXPECT_EQ(cards(true), doubles(0, 0, 0, 0, 0));  // the shared slot number is 5
    for (int card = 2; card <= 6; ++card)
        fill('A', 100);
    EXPECT_EQ(meter(), doubles(0, 5));  // five at most, the meter held empty
    EXPECT_EQ(cards(), doubles(5, 5, 5, 5, 5));
    fill('C', 2);
    EXPECT_EQ(cards(), doubles(0, 0, 0, 0, 0));
    EXPECT_EQ(cards(true), doubles(0, 0, 0, 0, 0));
    // Five shown cards raise their one shine timer by five a tick; past 120
    // all five shine, one draw each, the last one kept.
    fill('C', 5);
    RandomState draws = event_random_state(1117);
    const double last = fifth_shine(draws);
    EventKit::set_value(kit.instance(types::GUIPowerCard_337), 'B', 114);
    kit.run(1);
    EXPECT_EQ(EventKit::value(kit.instance(types::GUIPowerCard_337), 'B'), 119);
    kit.run(1);
    EXPECT_EQ(cards(true), doubles(8, 8, 8, 8, 8));
    EXPECT_EQ(EventKit::value(kit.instance(types::GUIPowerCard_337), 'B'), last);
}

TEST_F(OrrunPowerCards, the_shared_slot_number_shows_no_card_below_five_held_and_all_five_together_at_five)
{
    enter();
    for (double held : {1, 2, 3, 4}) {
        fill('C', held);
        EXPECT_EQ(cards(), doubles(0, 0, 0, 0, 0)) << held << " held";
        EXPECT_EQ(cards(true), doubles(0, 0, 0, 0, 0)) << held << " held";
        EXPECT_EQ(EventKit::value(kit.instance(types::GUIPowerCard_337), 'B'), 0) << held << " held";
    }
    fill('C', 5);
    EXPECT_EQ(cards(), doubles(5, 5, 5, 5, 5));
    EXPECT_EQ(cards(true), doubles(7, 7, 7, 7, 7));
    EXPECT_EQ(EventKit::value(kit.instance(types::GUIPowerCard_337), 'B'), 5);
    kit.run(1);
    EXPECT_EQ(EventKit::value(kit.instance(types::GUIPowerCard_337), 'B'), 10);
    fill('C', 4);  // one card spent: all five go, and the timer with them
    EXPECT_EQ(cards(), doubles(0, 0, 0, 0, 0));
    EXPECT_EQ(cards(true), doubles(0, 0, 0, 0, 0));
    EXPECT_EQ(EventKit::value(kit.instance(types::GUIPowerCard_337), 'B'), 0);
}

TEST_F(OrrunPowerCards, the_shine_takes_every_card_past_the_shared_timer_shown_or_not)
{
    enter();
    // A timer past 120 with no card held (left in the kept block): the five
    // hidden cards shine all the same, a fresh draw each in turn.
    RandomState draws = event_random_state(1117);
    const double last = fifth_shine(draws);
    EventKit::set_value(kit.instance(types::GUIPowerCard_337), 'B', 121);
    kit.run(1);
    EXPECT_EQ(cards(true), doubles(8, 8, 8, 8, 8));
    EXPECT_EQ(cards(), doubles(0, 0, 0, 0, 0));
    EXPECT_EQ(EventKit::value(kit.instance(types::GUIPowerCard_337), 'B'), last);
    EXPECT_EQ(event_random_state(1117).seed, draws.seed);
    // A timer at 120 is not past it.
    EventKit::set_value(kit.instance(types::GUIPowerCard_337), 'B', 120);
    kit.run(1);
    EXPECT_EQ(EventKit::value(kit.instance(types::GUIPowerCard_337), 'B'), 120);
}
