// The fade card at the act's right edge: running right past width - 50 puts
// the card over the view at the global scales, turns Yelto's and Orrun's
// skins right and raises the sign post's flag, once per crossing.
#include "tests/game/events/act2/act2_stage.h"

using act2_stage::Act2Stage;

class ActEndCard : public Act2Stage {
protected:
    void SetUp() override
    {
        Act2Stage::SetUp();
        enter({&Frames::event_func_2371}, 1000);
        for (const char* name : {"PlayerSkinYelto_102", "PlayerSkinYeltoHair_209", "PlayerSkinOrrun_290",
                                 "PlayerSkinPimsa_324", "Sign_361"})
            kit.place(name, 100, 100);
        for (const int type : {types::PlayerSkinYelto_102, types::PlayerSkinYeltoHair_209,
                               types::PlayerSkinOrrun_290, types::PlayerSkinPimsa_324})
            object(type)->set_direction(16, true);
    }

    size_t cards() { return kit.instances(types::LevelCardFade2_32).size(); }
};

TEST_F(ActEndCard, running_right_past_the_edge_covers_the_view_once)
{
    kit.frames().set_display_center(600, 200);
    set_move('X', 951);
    set_move('B', 0);  // standing
    kit.run(1);
    set_move('X', 950);
    set_move('B', 4);  // not past it
    kit.run(1);
    EXPECT_EQ(cards(), 0u);

    kit.set_global(16, 2);
    kit.set_global(17, 0.5);
    set_move('X', 950.5);
    kit.run(1);
    ASSERT_EQ(cards(), 1u);
    FrameObject* card = kit.instance(types::LevelCardFade2_32);
    EXPECT_EQ(card->layer->index, 6);
    EXPECT_EQ(std::make_pair(card->get_x(), card->get_y()),
              std::make_pair(kit.frames().new_display_x, kit.frames().new_display_y));
    EXPECT_EQ(std::make_pair(sprite(card)->x_scale, sprite(card)->y_scale), std::make_pair(2.0f, 0.5f));
    for (const int type : {types::PlayerSkinYelto_102, types::PlayerSkinYeltoHair_209, types::PlayerSkinOrrun_290})
        EXPECT_EQ(object(type)->get_direction(), 0) << type;
    EXPECT_EQ(object(types::PlayerSkinPimsa_324)->get_direction(), 16);
    EXPECT_EQ(move('Q'), 1);
    EXPECT_EQ(EventKit::value(object(types::PlayerInput_21), 'M'), 1);
    EXPECT_TRUE(EventKit::flag(object(types::Sign_361), 1));

    kit.run(3);
    EXPECT_EQ(cards(), 1u);
    set_move('B', 0);  // a stop re-arms it
    kit.run(1);
    set_move('B', 4);
    kit.run(1);
    EXPECT_EQ(cards(), 2u);
}
