// In act 1 as it plays: a bomb box the player walks into goes off, and its
// burst defeats the enemy beside it, which flies off dropping its crystals;
// a shield the player takes shows at the player and follows it, and goes
// when an enemy hurts the player.
#include "console/pads.h"
#include "objects/active.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

namespace {

class Act1Items : public testing::Test {
protected:
    // The act once its opening card has handed the player control.
    void SetUp() override
    {
        kit.enter_frame(4);
        FrameObject* input = kit.instance(types::PlayerInput_21);
        for (int tick = 0; tick < 600 && EventKit::value(input, 'M') != 0; ++tick)
            kit.run(1);
        ASSERT_EQ(EventKit::value(input, 'M'), 0);
        values = kit.instance(types::PlayerMovementValues_80);
        others = kit.instance(types::PlayerOthers_75);
        x = int(EventKit::value(values, 'X'));
        y = int(EventKit::value(values, 'Y'));
        kit.take_sounds();
    }

    static bool destroyed(const FrameObject* object) { return object->flags & FrameObject::DESTROYING; }

    EventKit kit;
    FrameObject *values = nullptr, *others = nullptr;
    int x = 0, y = 0;
};

}  // namespace

TEST_F(Act1Items, a_bomb_box_walked_into_bursts_after_two_seconds_and_defeats_the_enemy_beside_it)
{
    FrameObject* bomb = kit.place("MonitorBomb_128", x + 40, y, 2);
    FrameObject* pokkol = kit.place("EnemyPokkol_138", x + 50, y, 2);
    EventKit::set_value(pokkol, 'S', 2);
    kit.hold(VPAD_BUTTON_RIGHT);
    kit.run(1);
    EXPECT_TRUE(EventKit::flag(bomb, 8));
    kit.release();
    kit.run(118);
    EXPECT_FALSE(destroyed(bomb));
    EXPECT_FALSE(EventKit::flag(pokkol, 6));
    const size_t crystals_before = kit.instances(types::ObjectCrystal_239).size();
    kit.run(1);
    EXPECT_TRUE(destroyed(bomb));
    const std::vector<SoundStart> sounds = kit.take_sounds();
    EXPECT_EQ(sample_count(sounds, 126), 1);
    EXPECT_GE(sample_count(sounds, 127), 10);
    EXPECT_EQ(sample_count(sounds, 34), 1);
    EXPECT_EQ(sample_count(sounds, 20), 1);
    // Struck by the burst (15 against its 8), defeated, thrown up and spinning.
    EXPECT_TRUE(EventKit::flag(pokkol, 6));
    EXPECT_EQ(EventKit::value(pokkol, 'A'), 0);
    // The bomb's crystal and the enemy's first.
    EXPECT_EQ(kit.instances(types::ObjectCrystal_239).size(), crystals_before + 2);
    kit.run(1);
    EXPECT_EQ(kit.instances(types::ObjectCrystal_239).size(), crystals_before + 3);
    const int flying_y = pokkol->get_y();
    EXPECT_LT(flying_y, y);
    for (int tick = 0; tick < 600 && !destroyed(pokkol); ++tick)
        kit.run(1);
    EXPECT_TRUE(destroyed(pokkol));
}

TEST_F(Act1Items, each_shield_taken_shows_at_the_player_follows_it_and_is_lost_when_an_enemy_hurts_the_player)
{
    struct Worn {
        double kind;
        int sprite;
    };
    FrameObject* skin = kit.instance(types::PlayerSkinYelto_102);
    for (const Worn worn : {Worn{1, types::ShieldWood_103}, Worn{2, types::ShieldFlameFront_104},
                            Worn{2, types::ShieldFlameBack_152}, Worn{3, types::ShieldMagnetic_105},
                            Worn{4, types::ShieldWater_106}, Worn{5, types::ShieldEarth_315}}) {
        SCOPED_TRACE(worn.kind);
        FrameObject* sprite = kit.instance(worn.sprite);
        ASSERT_NE(sprite, nullptr);
        EventKit::set_value(others, 'B', worn.kind);  // what the shield's box gives
        kit.run(2);
        EXPECT_TRUE(sprite->flags & FrameObject::VISIBLE);
        EXPECT_EQ(sprite->get_x(), skin->get_x());

        const int from = skin->get_x();
        kit.hold(VPAD_BUTTON_RIGHT);
        kit.run(20);
        kit.release();
        EXPECT_GT(skin->get_x(), from + 10);
        EXPECT_EQ(sprite->get_x(), skin->get_x());
        EXPECT_TRUE(sprite->flags & FrameObject::VISIBLE);

        FrameObject* pokkol = kit.place("EnemyPokkol_138", skin->get_x(), skin->get_y(), 2);
        EventKit::set_value(pokkol, 'B', 10);
        kit.run(2);
        EXPECT_EQ(EventKit::value(others, 'B'), 0);
        pokkol->destroy();
        // The sprite leaves, and the player's invincibility after the hit runs out.
        for (int tick = 0; tick < 600 && (EventKit::value(others, 'E') > 0 || EventKit::value(values, 'M') != 0); ++tick)
            kit.run(1);
        kit.run(60);
        EXPECT_FALSE(sprite->flags & FrameObject::VISIBLE);
    }
}
