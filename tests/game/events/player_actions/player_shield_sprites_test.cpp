// The shield sprites ride on Yelto's skin, leave when the shield kind
// changes; the effect sprites rest on the skin or spin and age out.
#include "tests/game/events/player_actions/skin_events_kit.h"

namespace skin_events_test {
namespace {

class ShieldSprites : public SkinEventsTest {
protected:
    void enter(std::function<void()> place)
    {
        SkinEventsTest::enter({&Frames::event_func_2029, &Frames::event_func_2030, &Frames::event_func_2031,
                               &Frames::event_func_2032, &Frames::event_func_2033, &Frames::event_func_2034,
                               &Frames::event_func_2035, &Frames::event_func_2036, &Frames::event_func_2037},
                              [this, place] {
                                  skin = kit.place("PlayerSkinYelto_102", 100, 200, 1);
                                  EventKit::set_value(others, 'B', 2);
                                  place();
                              });
    }

    FrameObject* attached(const char* name)
    {
        FrameObject* sprite = kit.place(name, 0, 0, 0);
        sprite->alterables->flags |= 2;
        return sprite;
    }

    FrameObject* skin = nullptr;
};

TEST_F(ShieldSprites, attached_sprites_follow_the_skin_onto_the_player_layer_the_first_in_front)
{
    FrameObject *front = nullptr, *back = nullptr;
    enter([&] {
        front = attached("ShieldFlameFront_104");
        back = attached("ShieldFlameBack_152");
        kit.place("Player_87", 100, 200, 1)->alterables->flags |= 2;
    });
    // 10 pixels from the skin's origin along its angle; exact at 90, 180, 270.
    const int steps[][5] = {{104, 201, 0, 104, 191},  {110, 203, 90, 100, 203}, {118, 203, 180, 118, 213},
                            {126, 200, 270, 136, 200}, {130, 200, 30, 125, 191}};
    for (const auto& [x, y, angle, sprite_x, sprite_y] : steps) {
        skin->set_global_position(x, y);
        skin->set_angle(angle, 0);
        kit.run();
        for (const FrameObject* sprite : {front, back})
            EXPECT_EQ(std::vector<int>({sprite->get_x(), sprite->get_y(), sprite->layer->index}),
                      std::vector<int>({sprite_x, sprite_y, 1}))
                << angle;
    }
    // Nothing goes in front of a skin whose flag 1 is off; with it on, only
    // the first sprite of the group walk.
    skin->move_front();
    kit.run();
    EXPECT_LT(front->depth, skin->depth);
    skin->alterables->flags |= 2;
    kit.run();
    EXPECT_EQ(front->layer_prev, skin);
    EXPECT_LT(back->depth, skin->depth);
}

TEST_F(ShieldSprites, a_new_kind_sends_the_old_sprites_away_and_detached_sprites_go_after_three_ticks)
{
    FrameObject *flame = nullptr, *wood = nullptr, *loose = nullptr;
    enter([&] {
        flame = attached("ShieldFlameFront_104");
        flame->set_visible(true);
        wood = attached("ShieldWood_103");
        wood->set_visible(false);
        loose = kit.place("ShieldWater_106", 0, 0, 1);
    });
    kit.run();
    EXPECT_EQ(EventKit::value(loose, 'D'), -2);
    EXPECT_FALSE(going(loose));
    EventKit::set_value(others, 'B', 1);
    wood->set_visible(true);
    kit.run();
    EXPECT_TRUE(going(loose));
    EXPECT_TRUE(active(flame)->test_animation(8));
    int ticks = 0;
    for (; shown(flame) && ticks < 30; ++ticks)
        kit.run();
    EXPECT_GT(ticks, 2);
    EXPECT_FALSE(shown(flame));
    EXPECT_TRUE(shown(wood));
    EXPECT_NE(active(wood)->current_animation, 8);
}

TEST_F(ShieldSprites, effect_sprites_rest_on_the_skin_or_spin_and_go_on_their_17th_flying_tick)
{
    FrameObject *resting = nullptr, *flying = nullptr;
    enter([&] {
        resting = kit.place("EffectsShield_313", 0, 0, 1);
        flying = kit.place("EffectsShield_313", 0, 0, 1);
        EventKit::set_value(resting, 'A', 5);
        EventKit::set_value(resting, 'B', -3);
        resting->get_movement()->set_speed(0);
        flying->get_movement()->set_speed(50);
    });
    for (int tick = 2; tick <= 17; ++tick) {
        flying->get_movement()->set_speed(50);  // its ball movement slows it
        kit.run();
        EXPECT_EQ(resting->get_x() * 1000 + resting->get_y(), 105 * 1000 + 187);
        EXPECT_EQ(flying->get_angle(), 3 * tick);
        EXPECT_EQ(going(flying), tick == 17) << tick;
    }
    EventKit::set_value(others, 'B', 0);
    kit.run();
    EXPECT_TRUE(going(resting));
}

}  // namespace
}  // namespace skin_events_test
