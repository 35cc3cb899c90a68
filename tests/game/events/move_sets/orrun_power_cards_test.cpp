// Orrun's own group: the restart of an act started as Orrun, and the power
// cards: energy turning into cards, the HUD cards showing how many are held,
// and their shine.
#include "game/frames/event_index.h"
#include "tests/game/events/player_physics/player_state_kit.h"

#include <gtest/gtest.h>

namespace {

void run_power_cards(Frames& f)
{
    f.event_func_713();
    for (auto event : {&Frames::event_func_1110, &Frames::event_func_1111, &Frames::event_func_1112,
                       &Frames::event_func_1113, &Frames::event_func_1114, &Frames::event_func_1115,
                       &Frames::event_func_1116, &Frames::event_func_1117})
        (f.*event)();
}

class OrrunPowerCards : public player_state_test::PlayerStateTest {
protected:
    // The cards' shared values are kept for the run: start and end fresh.
    void SetUp() override
    {
        PlayerStateTest::SetUp();
        class_records::alterables_337 = SavedAlterables{};
    }
    void TearDown() override
    {
        class_records::alterables_337 = SavedAlterables{};
        PlayerStateTest::TearDown();
    }

    // The act's HUD cards, the one at x = 27 made last; the character is
    // Orrun, whose group the act starts with.
    void enter(bool restart_armed)
    {
        kit.enter_empty_frame({.layers = 7, .handler = run_power_cards, .set_up = [=, this](Frames& frames) {
                                   frames.level_group_43 = frames.level_group_23 = frames.level_group_3 = true;
                                   place_player();
                                   for (int x : {91, 75, 59, 43, 27})
                                       kit.place("GUIPowerCard_337", x, 7, 6);
                                   EventKit::set_value(player(), 'A', 1);
                                   if (!restart_armed)
                                       frames.run_once_1110 = unsigned(frames.loop_count) + 100000;
                               }});
    }

    FrameObject* energy() { return kit.instance(types::GUIEnergy_76); }

    // The cards from the left: each one's direction (its slot while shown,
    // 0 while hidden) or animation.
    std::vector<double> from_left(bool animation)
    {
        std::vector<double> cards;
        for (FrameObject* card : kit.instances(types::GUIPowerCard_337))
            cards.insert(cards.begin(), animation ? static_cast<Active*>(card)->current_animation : card->get_direction());
        return cards;
    }
};

}  // namespace

TEST_F(OrrunPowerCards, an_act_started_as_orrun_goes_back_to_the_first_frame_after_its_first_tick)
{
    enter(true);
    EXPECT_TRUE(kit.frames().level_group_50);
    EXPECT_EQ(kit.frames().next_frame, -2);
    // The rest of the group ran that tick: the cards are numbered.
    EXPECT_EQ(EventKit::value(kit.instance(types::GUIPowerCard_337), 'A'), 5);
    kit.set_global(3, 77);
    kit.run(1);
    EXPECT_EQ(kit.frames().index, 0);
    EXPECT_EQ(kit.global(3), 0);
}

TEST_F(OrrunPowerCards, energy_fills_cards_one_at_a_time_and_the_hud_shows_and_shines_the_cards_held)
{
    enter(false);
    EXPECT_EQ(kit.frames().next_frame, -1);
    EXPECT_EQ(from_left(false), doubles(0, 0, 0, 0, 0));
    // A full meter gives one card; the surplus is lost.
    EventKit::set_value(energy(), 'A', 130);
    kit.run(1);
    EXPECT_EQ(EventKit::values(energy(), "AC"), doubles(0, 1));
    EXPECT_EQ(from_left(false), doubles(1, 0, 0, 0, 0));
    EXPECT_EQ(from_left(true), doubles(7, 0, 0, 0, 0));
    for (double held : {2, 3, 4, 5}) {
        EventKit::set_value(energy(), 'A', 100);
        kit.run(1);
        EXPECT_EQ(EventKit::value(energy(), 'C'), held);
    }
    EXPECT_EQ(from_left(false), doubles(1, 2, 3, 4, 5));
    // Five is the most: the meter stays empty.
    EventKit::set_value(energy(), 'A', 100);
    kit.run(1);
    EXPECT_EQ(EventKit::values(energy(), "AC"), doubles(0, 5));
    // Spent down to two: the cards beyond go back to plain and hidden.
    EventKit::set_value(energy(), 'C', 2);
    kit.run(1);
    EXPECT_EQ(from_left(false), doubles(1, 2, 0, 0, 0));
    EXPECT_EQ(from_left(true), doubles(7, 7, 0, 0, 0));
    // The two shown cards share one shine timer and raise it by two a tick;
    // past 120 both shine, one draw each, and the hidden ones stay plain.
    FrameObject* card = kit.instance(types::GUIPowerCard_337);
    EventKit::set_value(card, 'B', 117);
    kit.run(1);
    EXPECT_EQ(EventKit::value(card, 'B'), 119);
    RandomState draws = event_random_state(1117);
    draws.step();
    const double last = int((60u * draws.step()) >> 15) - 100;
    kit.run(1);
    EXPECT_EQ(from_left(true), doubles(8, 8, 0, 0, 0));
    EXPECT_EQ(EventKit::value(card, 'B'), last);
}
