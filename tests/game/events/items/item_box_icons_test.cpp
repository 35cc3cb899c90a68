// What a broken box's icon does: it rises, throws its debris and gives its
// reward (petals and hearts, crystals, a shield); and the shield previews
// and glitter of the unbroken boxes.
#include "tests/game/events/items/item_events.h"

#include <gtest/gtest.h>

using namespace item_events;

namespace {


class ItemBoxIcons : public act1_test::StartTest {
protected:
    void enter() { kit.enter_empty_frame(course(item_box_events())); }

    FrameObject* icon_at(int x, int y, int frame)
    {
        FrameObject* icon = kit.place("MonitorIcon_125", x, y, player_terrain::playfield_layer);
        active(icon)->force_frame(frame);
        return icon;
    }

    FrameObject* box_at(const char* name, int x, int y)
    {
        return kit.place(name, x, y, player_terrain::playfield_layer);
    }

    EventKit kit;
};

}  // namespace

TEST_F(ItemBoxIcons, a_petal_box_bursts_into_six_petals_and_three_hearts_in_its_breaking_tick)
{
    enter();
    FrameObject* ring_loss = kit.place("MasterRingLoss_129", 0, 0, 0);
    FrameObject* box = box_at("MonitorRings_119", 700, 100);
    box->alterables->flags |= 1 << 6;
    kit.run(1);
    FrameObject* icon = kit.instance(types::MonitorIcon_125);
    ASSERT_NE(icon, nullptr);
    EXPECT_TRUE(destroyed(icon));
    EXPECT_EQ(icon->get_y(), 99);  // raised once first
    EXPECT_EQ(kit.values(ring_loss, "ABCJ"), doubles(4, 716, 107, 1));
    int thrown = 0;
    for (FrameObject* petal : kit.instances(types::ObjectPetal_117))
        thrown += kit.value(petal, 'A') == 2;
    EXPECT_EQ(thrown, 6);
    const std::vector<FrameObject*> hearts = kit.instances(types::EffectsHeart_314);
    ASSERT_EQ(hearts.size(), 3u);
    for (FrameObject* heart : hearts) {
        EXPECT_NEAR(heart->get_x(), 716, 15);
        EXPECT_NEAR(heart->get_y(), 109, 15);
        EXPECT_EQ(kit.value(heart, 'A'), heart->get_x());
        EXPECT_LT(kit.value(heart, 'B'), 36);
    }
    EXPECT_TRUE(kit.instances(types::EffectsDebris_266).empty());
}

TEST_F(ItemBoxIcons, a_crystal_icon_throws_five_pieces_of_debris_and_seven_crystals_and_goes_with_the_fifth_piece)
{
    enter();
    FrameObject* icon = icon_at(700, 100, 2);
    std::vector<int> frames, directions;
    for (int tick = 1; tick <= 5; ++tick) {
        kit.run(1);
        FrameObject* piece = kit.instance(types::EffectsDebris_266);
        ASSERT_NE(piece, nullptr);
        frames.push_back(active(piece)->get_frame());
        directions.push_back(piece->get_direction());
        EXPECT_EQ(piece->shader, 28);
        EXPECT_EQ(destroyed(icon), tick == 5);
    }
    EXPECT_EQ(frames, (std::vector<int>{36, 37, 38, 39, 40}));
    EXPECT_EQ(directions, (std::vector<int>{6, 8, 10, 12, 14}));
    EXPECT_EQ(kit.instances(types::ObjectCrystal_239).size(), 7u);
    EXPECT_EQ(icon->get_y(), 95);

    FrameObject* crate = icon_at(500, 100, 7);
    kit.run(5);
    FrameObject* plank = kit.instance(types::EffectsDebris_266);
    EXPECT_EQ(active(plank)->get_frame(), 115);
    EXPECT_EQ(kit.value(crate, 'C'), 5);
    kit.run(40);
    EXPECT_EQ(crate->get_y(), 100 - 31);  // rises through its first 31 ticks
    EXPECT_FALSE(destroyed(crate));       // its reward is not given here
}

TEST_F(ItemBoxIcons, a_shield_icon_gives_its_shield_with_its_sample_at_age_64)
{
    struct Shield {
        int frame;
        unsigned sample;
        double worn;
    };
    enter();
    FrameObject* others = kit.instance(types::PlayerOthers_75);
    ASSERT_NE(others, nullptr);
    kit.set_global(12, 1.5);
    for (const Shield shield : {Shield{10, 0, 1}, Shield{11, 50, 5}, Shield{3, 2, 2}, Shield{4, 1, 3},
                                Shield{5, 3, 4}}) {
        SCOPED_TRACE(shield.frame);
        FrameObject* icon = icon_at(700, 100, shield.frame);
        kit.run(63);
        EXPECT_FALSE(destroyed(icon));
        kit.take_sounds();
        kit.run(1);
        EXPECT_TRUE(destroyed(icon));
        EXPECT_EQ(sample_count(kit.take_sounds(), shield.sample), 1);
        EXPECT_EQ(kit.values(others, "BC"), doubles(shield.worn, 1.5));
    }
    kit.set_global(12, 7);
    icon_at(700, 100, 4);
    kit.run(64);
    EXPECT_EQ(kit.values(others, "BC"), doubles(3, 2));
}

TEST_F(ItemBoxIcons, a_shield_box_shows_its_preview_once_near_the_view_and_the_preview_follows_it)
{
    enter();
    FrameObject* far = box_at("MonitorFireShield_121", 800, 100);
    FrameObject* near = box_at("MonitorWoodShield_311", 200, 100);
    kit.run(1);
    ASSERT_EQ(kit.instances(types::ShieldWood_103).size(), 1u);
    FrameObject* wood = kit.instance(types::ShieldWood_103);
    EXPECT_EQ(wood->get_x(), 216);
    EXPECT_EQ(wood->get_y(), 112);
    EXPECT_TRUE(kit.flag(near, 1));
    EXPECT_TRUE(kit.instances(types::ShieldFlameBack_152).empty());
    EXPECT_FALSE(kit.flag(far, 1));

    near->set_y(150);  // moved, as a knocked-up box is
    kit.run(1);
    EXPECT_EQ(wood->get_y(), 162);
    EXPECT_EQ(kit.value(wood, 'D'), 0);

    far->set_x(455);  // its right edge within 50 pixels of the view: back, then front
    kit.run(1);
    ASSERT_EQ(kit.instances(types::ShieldFlameBack_152).size(), 1u);
    ASSERT_EQ(kit.instances(types::ShieldFlameFront_104).size(), 1u);
    EXPECT_EQ(kit.instance(types::ShieldFlameFront_104)->get_x(), 471);
    kit.run(1);
    EXPECT_EQ(kit.instances(types::ShieldFlameFront_104).size(), 1u);  // once only
}

TEST_F(ItemBoxIcons, crystal_boxes_glitter_every_30_ticks_and_invincibility_boxes_every_5_stepping_their_frame)
{
    enter();
    FrameObject* crystals = box_at("MonitorCrystals_120", 100, 100);
    FrameObject* invincible = box_at("MonitorInvincibility_124", 200, 100);
    active(invincible)->force_frame(9);
    box_at("MonitorInvincibility_124", 800, 100);  // far off: no glitter
    kit.set_global(3, 31);                          // 1 modulo 30 and modulo 5
    kit.run(1);
    const std::vector<FrameObject*> sparkles = kit.instances(types::Sparkle5_183);
    ASSERT_EQ(sparkles.size(), 2u);
    EXPECT_EQ(sparkles[0]->get_x(), crystals->get_action_x());
    EXPECT_EQ(active(invincible)->get_frame(), 0);  // 9 wraps to 0
    kit.set_global(3, 36);
    kit.run(1);
    EXPECT_EQ(kit.instances(types::Sparkle5_183).size(), 3u);
    EXPECT_EQ(active(invincible)->get_frame(), 1);
    kit.set_global(3, 37);
    kit.run(1);
    EXPECT_EQ(active(invincible)->get_frame(), 1);
}
