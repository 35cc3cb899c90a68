// The shield sprites ride on Yelto's skin tick by tick, leave when the
// player's shield kind changes, and the shield's effect sprites sit or spin.
#include "game/objects/classes.h"
#include "objects/active.h"
#include "runtime/layer.h"
#include "runtime/movement.h"
#include "tests/game/events/act1_frame/act1_start_kit.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Destroyed, or playing its disappearing animation on the way out.
bool going(const FrameObject* object) { return object->flags & (FrameObject::DESTROYING | FrameObject::FADEOUT); }
bool shown(const FrameObject* object) { return object->flags & FrameObject::VISIBLE; }

class ShieldSprites : public testing::Test {
protected:
    void SetUp() override { class_records::alterables_75 = SavedAlterables{}; }
    void TearDown() override { class_records::alterables_75 = SavedAlterables{}; }

    void enter(std::function<void(EventKit&)> place)
    {
        kit.enter_empty_frame({.layers = 3,
                               .width = 2000,
                               .height = 1000,
                               .handler =
                                   [](Frames& f) {
                                       for (auto event : {&Frames::event_func_2029, &Frames::event_func_2030,
                                                          &Frames::event_func_2031, &Frames::event_func_2032,
                                                          &Frames::event_func_2033, &Frames::event_func_2034,
                                                          &Frames::event_func_2035, &Frames::event_func_2036,
                                                          &Frames::event_func_2037})
                                           (f.*event)();
                                   },
                               .set_up = [this, place](Frames& f) {
                                   f.level_group_43 = true;
                                   act1_test::set_group(f, f.qualifier_19,
                                             {types::ShieldWood_103, types::ShieldFlameFront_104,
                                              types::ShieldMagnetic_105, types::ShieldWater_106,
                                              types::ShieldFlameBack_152, types::ShieldEarth_315});
                                   others = kit.place("PlayerOthers_75", -100, -100, 1);
                                   skin = kit.place("PlayerSkinYelto_102", 100, 200, 1);
                                   place(kit);
                               }});
    }

    FrameObject* attached(const char* name)
    {
        FrameObject* sprite = kit.place(name, 0, 0, 0);
        sprite->alterables->flags |= 2;
        return sprite;
    }

    EventKit kit;
    FrameObject* others = nullptr;
    FrameObject* skin = nullptr;
};

TEST_F(ShieldSprites, attached_sprites_follow_the_skin_and_take_the_player_layer_the_first_in_front)
{
    FrameObject *front = nullptr, *back = nullptr;
    enter([&](EventKit& k) {
        front = attached("ShieldFlameFront_104");
        back = attached("ShieldFlameBack_152");
        FrameObject* player = k.place("Player_87", 100, 200, 1);
        player->alterables->flags |= 2;
    });
    EventKit::set_value(others, 'B', 2);
    // The skin runs right and turns; the sprites sit 10 pixels from its origin.
    struct Step {
        int x, y, angle, sprite_x, sprite_y;
    };
    for (const Step& step : {Step{100, 200, 0, 100, 190}, Step{104, 201, 0, 104, 191}, Step{110, 203, 90, 100, 203},
                             Step{118, 203, 180, 118, 213}, Step{126, 200, 270, 136, 200},
                             Step{130, 200, 30, 125, 191}}) {
        skin->set_global_position(step.x, step.y);
        skin->set_angle(step.angle, 0);
        kit.run();
        for (const FrameObject* sprite : {front, back}) {
            EXPECT_EQ(sprite->get_x(), step.sprite_x) << step.angle;
            EXPECT_EQ(sprite->get_y(), step.sprite_y) << step.angle;
            EXPECT_EQ(sprite->layer->index, 1);
        }
    }
    // With the skin drawn over both, nothing goes in front of a skin whose
    // flag 1 is off; with it on, only the first of the group walk does.
    skin->move_front();
    kit.run();
    EXPECT_LT(front->depth, skin->depth);
    skin->alterables->flags |= 2;
    kit.run();
    EXPECT_EQ(front->layer_prev, skin);
    EXPECT_LT(back->depth, skin->depth);
}

TEST_F(ShieldSprites, a_changed_kind_plays_the_leaving_animation_then_hides_and_detached_sprites_go)
{
    FrameObject *flame = nullptr, *wood = nullptr, *loose = nullptr;
    enter([&](EventKit&) {
        flame = attached("ShieldFlameFront_104");
        wood = attached("ShieldWood_103");
        flame->set_visible(true);
        loose = kit.place("ShieldWater_106", 0, 0, 1);
        EventKit::set_value(loose, 'D', 0);
        EventKit::set_value(others, 'B', 2);
    });
    kit.run();
    EXPECT_TRUE(shown(flame));
    EXPECT_EQ(static_cast<Active*>(flame)->current_animation, 0);
    // The loose sprite loses 1 from D a tick and goes when D falls below -2.
    EXPECT_EQ(EventKit::value(loose, 'D'), -2);
    EXPECT_FALSE(going(loose));

    // The wood shield comes: the flame sprite leaves, the wood sprite stays.
    EventKit::set_value(others, 'B', 1);
    wood->set_visible(true);
    kit.run();
    EXPECT_TRUE(going(loose));
    EXPECT_TRUE(static_cast<Active*>(flame)->test_animation(8));
    EXPECT_TRUE(shown(flame));
    EXPECT_TRUE(shown(wood));
    EXPECT_NE(static_cast<Active*>(wood)->current_animation, 8);
    int ticks = 0;
    while (shown(flame) && ticks < 30) {
        kit.run();
        ++ticks;
    }
    EXPECT_FALSE(shown(flame));
    EXPECT_GT(ticks, 2);
    EXPECT_TRUE(shown(wood));
}

TEST_F(ShieldSprites, effect_sprites_rest_on_the_skin_or_spin_and_age_out)
{
    FrameObject *resting = nullptr, *flying = nullptr;
    enter([&](EventKit& k) {
        resting = k.place("EffectsShield_313", 0, 0, 1);
        flying = k.place("EffectsShield_313", 0, 0, 1);
        EventKit::set_value(others, 'B', 3);
        EventKit::set_value(resting, 'A', 5);
        EventKit::set_value(resting, 'B', -3);
        flying->get_movement()->set_speed(2);
        resting->get_movement()->set_speed(0);
    });
    for (int tick = 1; tick <= 16; ++tick) {
        // Its ball movement slows it; the launch keeps it flying here.
        if (tick > 1) {
            flying->get_movement()->set_speed(50);
            kit.run();
        }
        EXPECT_EQ(resting->get_x(), 105);
        EXPECT_EQ(resting->get_y(), 187);
        EXPECT_EQ(EventKit::value(flying, 'Z'), tick);
        EXPECT_EQ(flying->get_angle(), 3 * tick);
        EXPECT_FALSE(going(flying));
    }
    flying->get_movement()->set_speed(50);
    kit.run();
    EXPECT_TRUE(going(flying));
    EXPECT_FALSE(going(resting));
    // Losing the shield takes the resting sprite.
    EventKit::set_value(others, 'B', 0);
    kit.run();
    EXPECT_TRUE(going(resting));
}

}  // namespace
