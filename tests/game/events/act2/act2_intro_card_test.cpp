// Act 2's intro card end: the card closes only once the act is released and
// its upper banner is still there, and hands back the controls and the HUD.
#include "game/objects/type_ids.h"
#include "runtime/manager.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

TEST(Act2IntroCard, the_card_closes_once_released_and_hands_back_the_screen)
{
    EventKit kit;
    FrameObject* camera = nullptr;
    FrameObject* input = nullptr;
    FrameObject* icon = nullptr;
    FrameObject* lives = nullptr;
    std::vector<FrameObject*> cards;
    kit.enter_empty_frame({.handler = [](Frames& f) { f.event_func_2477(); },
                           .set_up = [&](Frames& f) {
                               f.reset_frame_event_state(6);
                               f.level_group_43 = f.level_group_32 = true;
                               f.level_group_8 = f.level_group_39 = f.level_group_25 = false;
                               manager.ignore_controls = true;
                               camera = kit.place("MasterCamera_190", -50, -50);
                               input = kit.place("PlayerInput_21", -50, -50);
                               icon = kit.place("GUIIcon_108", 10, 10);
                               lives = kit.place("GUILives_221", 10, 200);
                               lives->set_visible(false);
                               cards = {kit.place("LevelCardIntro2_287", 100, 100),
                                        kit.place("LevelCardIntro3_288", 100, 150),
                                        kit.place("LevelCardFade_208", 0, 0)};
                               EventKit::set_value(camera, 'U', 1);
                               EventKit::set_value(camera, 'M', 3);
                               EventKit::set_value(input, 'M', 4);
                           }});
    Frames& f = kit.frames();
    // Global value 4 not stored: the card stays and the controls stay ignored.
    kit.run(3);
    EXPECT_TRUE(manager.ignore_controls);
    EXPECT_TRUE(f.level_group_32);
    EXPECT_FALSE(cards[0]->flags & FrameObject::DESTROYING);

    // Released, but the HUD still sliding in.
    kit.set_global(4, 1);
    EventKit::set_value(icon, 'A', 1);
    kit.run(1);
    EXPECT_TRUE(manager.ignore_controls);

    EventKit::set_value(icon, 'A', 0);
    kit.run(1);
    EXPECT_FALSE(manager.ignore_controls);
    EXPECT_FALSE(f.level_group_32);
    EXPECT_TRUE(f.level_group_39);
    EXPECT_TRUE(f.level_group_25);
    EXPECT_TRUE((lives->flags & FrameObject::VISIBLE));
    EXPECT_EQ(EventKit::values(camera, "UM"), (std::vector<double>{0, 2}));
    EXPECT_EQ(EventKit::value(input, 'M'), 0);
    for (const FrameObject* card : cards)
        EXPECT_TRUE(card->flags & FrameObject::DESTROYING);
}
