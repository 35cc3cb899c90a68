// Act 2's jump pads: the eight pads' angles, states and launch marks at the
// start, the crystal drop (a burst, then two crystals ten ticks apart, once
// per pad) for anyone but Pimsa, and Pimsa's grab of an armed pad, with the
// pad re-armed once the ride is over.
#include "tests/game/events/act2/act2_stage.h"

using act2_stage::Act2Stage;

namespace {

#define E(n) &Frames::event_func_##n
const std::vector<act2_stage::Event> pad_order = {E(2266), E(2267), E(2268), E(2269), E(2270), E(2271), E(2272),
                                                  E(2273), E(2274), E(2275), E(2276), E(2277), E(2278), E(2279),
                                                  E(2280), E(2281)};
#undef E

}  // namespace

class JumpPads : public Act2Stage {
protected:
    void SetUp() override
    {
        Act2Stage::SetUp();
        enter(pad_order);
    }

    // Pads numbered 0 to 7 along the view.
    std::vector<FrameObject*> place_pads()
    {
        std::vector<FrameObject*> pads;
        for (int n = 0; n < 8; ++n) {
            pads.push_back(kit.place("ObjectJumppad_325", 30 + 50 * n, 150));
            EventKit::set_value(pads.back(), 'A', n);
        }
        return pads;
    }

    void press_button_1()
    {
        EventKit::set_value(object(types::PlayerInput_21), 'K', 1);
        kit.run(1);
        EventKit::set_value(object(types::PlayerInput_21), 'K', 0);
    }

    std::vector<FrameObject*> crystals() { return kit.instances(types::ObjectCrystal_239); }
};

TEST_F(JumpPads, start_as_two_chains_and_drop_two_crystals_for_anyone_but_pimsa)
{
    std::vector<FrameObject*> pads = place_pads();
    kit.run(1);
    const std::vector<std::vector<double>> expected = {{0, 0, 1}, {90, 0, 0},  {180, 0, 0}, {180, 1, 0},
                                                       {0, 0, 1}, {180, 0, 0}, {180, 0, 0}, {180, 1, 0}};
    for (int n = 0; n < 8; ++n)
        EXPECT_EQ(EventKit::values(pads[n], "BDE"), expected[n]) << n;
    kit.run(1);  // shown from the next tick: the display runs first
    EXPECT_EQ(pads[0]->get_direction(), 1);
    EXPECT_EQ(pads[2]->get_direction(), 0);

    FrameObject* sensor = kit.place("PlayerSensorBottomBig_95", pads[1]->get_x(), 150);
    set_move('A', 1);
    press_button_1();  // a turned pad gives nothing
    EXPECT_TRUE(crystals().empty());
    sensor->set_x(pads[0]->get_x());
    kit.run(1);  // standing on it without a press
    EXPECT_TRUE(crystals().empty());
    press_button_1();
    ASSERT_EQ(crystals().size(), 1u);
    EXPECT_EQ(crystals()[0]->get_direction(), 8);  // popped straight up
    EXPECT_TRUE(EventKit::flag(crystals()[0], 0));
    ASSERT_EQ(kit.instances(types::EffectsWhiteBurst_31).size(), 1u);
    EXPECT_EQ(sprite(kit.instances(types::EffectsWhiteBurst_31)[0])->x_scale, 0.5f);
    EXPECT_EQ(EventKit::values(pads[0], "EF"), doubles(0, 2));
    EXPECT_EQ(pads[0]->get_direction(), 0);
    kit.run(9);
    EXPECT_EQ(crystals().size(), 1u);
    kit.run(1);
    EXPECT_EQ(crystals().size(), 2u);  // ten ticks after the first
    kit.run(5);
    EXPECT_EQ(EventKit::value(pads[0], 'F'), 12);
    EventKit::set_value(pads[0], 'E', 1);  // armed again: still only once per pad
    press_button_1();
    EXPECT_EQ(crystals().size(), 2u);
}

TEST_F(JumpPads, pimsa_grabs_an_armed_pad_instead_and_it_is_armed_again_after_the_ride)
{
    std::vector<FrameObject*> pads = place_pads();
    FrameObject* skin = kit.place("PlayerSkinPimsa_324", 100, 100);
    set_flag(skin, 8, true);
    EventKit::set_value(skin, 'J', 7);
    kit.run(1);
    FrameObject* bottom = kit.place("PlayerSensorBottomBig_95", pads[4]->get_x(), 150);
    set_move('A', 3);  // on the bike
    set_move('X', 200.5);
    set_move('Y', 140);
    press_button_1();
    EXPECT_TRUE(crystals().empty());
    EXPECT_EQ(move('M'), 48);
    EXPECT_EQ(EventKit::values(skin, "DECJ"), doubles(200.5, 140, 4, 0));
    EXPECT_FALSE(EventKit::flag(skin, 8));
    EXPECT_EQ(EventKit::value(pads[4], 'E'), -1);
    kit.run(3);
    EXPECT_EQ(EventKit::value(pads[4], 'E'), -1);  // kept while riding
    set_move('M', 0);
    kit.run(1);
    EXPECT_EQ(EventKit::value(pads[4], 'E'), 1);

    // Side sensors grab only turned pads; the launch pads never.
    bottom->destroy();
    FrameObject* right = kit.place("PlayerSensorRightBig_91", pads[3]->get_x(), 150);
    EventKit::set_value(pads[3], 'E', 1);
    press_button_1();
    EXPECT_EQ(move('M'), 0);
    right->set_x(pads[5]->get_x());
    EventKit::set_value(pads[5], 'E', 1);
    press_button_1();
    EXPECT_EQ(move('M'), 48);
    EXPECT_EQ(EventKit::value(skin, 'C'), 5);
}
