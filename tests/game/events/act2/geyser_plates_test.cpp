// Geyser plates through their cycle: the burst at 180, dust puffs in dry
// air that start at the plate and rise, bubbles under water, the throw of a
// player standing on an erupting plate and the fast run-out past 240.
#include "tests/game/events/act2/act2_stage.h"

using act2_stage::Act2Stage;

namespace {

#define E(n) &Frames::event_func_##n
const std::vector<act2_stage::Event> geyser_order = {E(2285), E(2286), E(2287), E(2288), E(2289),
                                                     E(2290), E(2291), E(2292), E(2293)};
#undef E

}  // namespace

class GeyserPlates : public Act2Stage {
protected:
    void SetUp() override
    {
        Act2Stage::SetUp();
        enter(geyser_order);
        plate = kit.place("LevelGeyserPlate_375", 200, 150);
    }

    void at_phase(double e)
    {
        EventKit::set_value(plate, 'E', e);
        kit.run(1);
    }

    std::vector<FrameObject*> dusts() { return kit.instances(types::EffectsDust_310); }
    FrameObject* plate = nullptr;
};

TEST_F(GeyserPlates, bursts_at_180_then_puffs_dust_that_rises_and_runs_out_past_240)
{
    at_phase(179);
    EXPECT_TRUE(kit.instances(types::EffectsExplosion01_130).empty());
    at_phase(540);  // one turn on: only E mod 360 counts
    ASSERT_EQ(kit.instances(types::EffectsExplosion01_130).size(), 1u);
    EXPECT_EQ(kit.instances(types::EffectsExplosion01_130)[0]->get_x(), plate->get_x());
    EXPECT_EQ(sounds(), std::vector<unsigned>{40});
    EXPECT_TRUE(EventKit::flag(plate, 6));
    EXPECT_TRUE(dusts().empty());

    const std::vector<int> draws = next_draws(2286, {41, 5});
    at_phase(200);
    ASSERT_EQ(dusts().size(), 1u);
    FrameObject* dust = dusts()[0];
    EXPECT_EQ(dust->get_x(), plate->get_x() - 20 + draws[0]);
    EXPECT_EQ(dust->get_y(), plate->get_y() + 10 - 1);  // risen once in the same tick
    EXPECT_TRUE(EventKit::flag(dust, 1));
    EXPECT_FLOAT_EQ(sprite(dust)->x_scale, float((9 + draws[1]) * 0.1));
    at_phase(269);
    EXPECT_EQ(dusts().size(), 2u);
    EXPECT_EQ(dust->get_y(), plate->get_y() + 10 - 2);
    at_phase(270);  // the eruption is over
    EXPECT_EQ(dusts().size(), 2u);

    at_phase(240);
    EXPECT_EQ(EventKit::value(plate, 'E'), 240);
    EventKit::set_value(plate, 'E', 241);
    kit.run(3);
    EXPECT_EQ(EventKit::value(plate, 'E'), 247);  // 2 a tick on top of the platform's own turn
}

TEST_F(GeyserPlates, throws_a_player_standing_on_it_harder_early_in_the_eruption)
{
    kit.place("Player_87", 200, 150);
    set_move('M', 1);
    set_move('L', 1);
    at_phase(180);
    EXPECT_EQ(EventKit::values(movement(), "LMG"), doubles(1, 1, 0));
    at_phase(181);
    EXPECT_EQ(move('M'), 40);
    EXPECT_EQ(move('L'), 0);
    EXPECT_DOUBLE_EQ(move('G'), 0.1 - 14);
    set_move('M', 10);  // a mode the geyser leaves alone
    set_move('G', 0);
    at_phase(200);
    EXPECT_EQ(move('G'), 0);
    set_move('M', 1);
    at_phase(239);
    EXPECT_DOUBLE_EQ(move('G'), 5.9 - 14);
    set_move('G', 0);
    at_phase(240);
    EXPECT_EQ(move('G'), 0);
}

TEST_F(GeyserPlates, under_water_it_sends_up_bubbles_and_restarts_the_dust)
{
    set_level('A', 1);
    set_level('B', plate->get_y());  // a plate on the line is under water
    FrameObject* old_dust = kit.place("EffectsDust_310", 10, 10);
    const std::vector<int> dust_draws = next_draws(2288, {41, 5});
    at_phase(200);
    EXPECT_TRUE(kit.instances(types::EffectsDust_310).size() == 1u);  // no new dust under water
    EXPECT_EQ(old_dust->get_x(), plate->get_x() - 20 + dust_draws[0]);
    EXPECT_TRUE(EventKit::flag(old_dust, 1));
    ASSERT_EQ(kit.instances(types::MediumBubble_363).size(), 1u);
    FrameObject* bubble = kit.instances(types::MediumBubble_363)[0];
    EXPECT_TRUE(EventKit::flag(bubble, 1));
    const double d = EventKit::value(bubble, 'D');
    EXPECT_TRUE(d <= -1.0 && d >= -2.0) << d;

    set_level('B', plate->get_y() + 1);  // above the line: dust again
    at_phase(201);
    EXPECT_EQ(kit.instances(types::EffectsDust_310).size(), 2u);
    EXPECT_EQ(kit.instances(types::MediumBubble_363).size(), 1u);
}
