// Item boxes breaking: every kind with its shell, sounds and icon; what
// hits a box (a stomp's break mark, shots, the insta-shield, a bomb icon,
// thrown boxes); thrown boxes flying, exploding and lost; and flag 0 by the
// player's mode.
#include "tests/game/events/items/item_events.h"

#include <gtest/gtest.h>

using namespace item_events;

namespace {


struct BoxKind {
    const char* name;
    int kind;
    int shell_direction;  // style D modulo 32
    std::vector<unsigned> samples;
};

const std::vector<BoxKind> kinds = {
    {"MonitorRings_119", 1, 1, {12}},           {"MonitorCrystals_120", 2, 31, {167, 12}},
    {"MonitorFireShield_121", 3, 0, {168, 174}}, {"MonitorMetalShield_122", 4, 0, {168, 174}},
    {"MonitorWaterShield_123", 5, 0, {168, 174}}, {"MonitorInvincibility_124", 6, 0, {168, 174}},
    {"MonitorCrate_126", 7, 3, {162}},           {"Monitor1up_127", 8, 4, {12}},
    {"MonitorBomb_128", 9, 29, {12}},            {"MonitorWoodShield_311", 10, 0, {168, 174}},
    {"MonitorEarthShield_312", 11, 0, {168, 174}}, {"MonitorKeystone_322", 12, 2, {12}},
};

std::vector<unsigned> ids(const std::vector<SoundStart>& sounds)
{
    std::vector<unsigned> result;
    for (const SoundStart& sound : sounds)
        result.push_back(sound.id);
    return result;
}

class ItemBoxBreaking : public act1_test::StartTest {
protected:
    void enter() { kit.enter_empty_frame(course(item_box_events())); }

    FrameObject* box_on_floor(const char* name, int x)
    {
        return kit.place(name, x, floor_top - half_box, player_terrain::playfield_layer);
    }

    static void mark(FrameObject* box) { box->alterables->flags |= 1 << 6; }

    std::vector<FrameObject*> icons() { return kit.instances(types::MonitorIcon_125); }

    EventKit kit;
};

}  // namespace

TEST_F(ItemBoxBreaking, each_kind_of_box_breaks_into_a_shell_of_its_style_its_sounds_and_its_icon)
{
    enter();
    kit.take_sounds();
    for (const BoxKind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        FrameObject* box = box_on_floor(kind.name, 900);
        box->set_direction(8, false);
        mark(box);  // a stomp from above marks it
        kit.run(1);
        EXPECT_TRUE(destroyed(box));
        EXPECT_EQ(kit.value(box, 'G'), kind.kind == 2 ? 2 : 1);  // a crystal box sounds twice
        EXPECT_EQ(ids(kit.take_sounds()), kind.samples);
        FrameObject* shell = kit.instance(types::MonitorBroken_118);
        ASSERT_NE(shell, nullptr);
        EXPECT_EQ(shell->get_x(), 900);
        EXPECT_EQ(shell->get_direction(), kind.shell_direction);
        FrameObject* icon = kit.instance(types::MonitorIcon_125);
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(active(icon)->get_frame(), kind.kind);
        EXPECT_EQ(icon->get_direction(), kind.kind == 12 ? 0 : 8);  // the keystone box turns by the tick count
        EXPECT_EQ(icon->get_y(), box->get_y() - 1);  // and starts to rise
        EXPECT_TRUE(kit.instances(types::EffectsExplosion01_130).empty());
    }
}

TEST_F(ItemBoxBreaking, shots_break_every_resting_box_the_insta_shield_one_and_a_bomb_icon_from_its_eleventh_tick)
{
    enter();
    FrameObject* left = box_on_floor("MonitorRings_119", 900);
    FrameObject* right = box_on_floor("MonitorRings_119", 920);
    FrameObject* jumping = box_on_floor("MonitorCrate_126", 940);
    kit.set_value(jumping, 'A', 1);
    jumping->set_y(floor_top - 150);
    kit.place("PlayerProjectile_336", 915, floor_top - 16, 2);
    kit.run(1);
    EXPECT_TRUE(destroyed(left));
    EXPECT_TRUE(destroyed(right));
    EXPECT_FALSE(kit.flag(jumping, 6));
    EXPECT_EQ(icons().size(), 2u);
    // Only the first box's icon shows its kind.
    EXPECT_EQ(active(icons()[0])->get_frame() + active(icons()[1])->get_frame(), 1);
    for (FrameObject* object : kit.instances(types::PlayerProjectile_336))
        object->destroy();
    for (FrameObject* object : icons())
        object->destroy();
    kit.run(1);

    FrameObject* a = box_on_floor("MonitorBomb_128", 600);
    FrameObject* b = box_on_floor("MonitorBomb_128", 620);
    kit.place("ShieldInstaShield_187", 630, floor_top - 16, 2);
    kit.run(1);
    EXPECT_NE(destroyed(a), destroyed(b));  // one of them, at random

    FrameObject* c = box_on_floor("MonitorCrystals_120", 400);
    FrameObject* bomb = kit.place("MonitorIcon_125", 400, floor_top - 24, 2);
    active(bomb)->force_frame(9);
    kit.set_value(bomb, 'A', 10);
    kit.run(1);
    EXPECT_FALSE(destroyed(c));
    kit.set_value(bomb, 'A', 11);
    kit.run(1);
    EXPECT_TRUE(destroyed(c));
}

TEST_F(ItemBoxBreaking, a_thrown_box_flies_explodes_on_the_ground_or_another_thrown_box_and_is_lost_off_the_field)
{
    enter();
    FrameObject* box = box_on_floor("MonitorRings_119", 350);
    box->set_y(floor_top - 100);
    kit.set_value(box, 'A', 2);
    kit.set_value(box, 'X', 3);
    kit.set_value(box, 'Y', 14.8);
    FrameObject* resting = box_on_floor("MonitorCrate_126", 450);
    kit.take_sounds();
    kit.run(1);
    EXPECT_EQ(box->get_x(), 353);
    EXPECT_EQ(box->get_y(), floor_top - 86);
    EXPECT_EQ(kit.value(box, 'Y'), 15);
    for (int tick = 0; tick < 10 && !destroyed(box); ++tick)
        kit.run(1);
    ASSERT_TRUE(destroyed(box));
    EXPECT_EQ(ids(kit.take_sounds()), std::vector<unsigned>{12});
    EXPECT_TRUE(kit.instances(types::MonitorBroken_118).empty());
    FrameObject* explosion = kit.instance(types::EffectsExplosion01_130);
    ASSERT_NE(explosion, nullptr);
    EXPECT_EQ(explosion->get_x(), box->get_x() + 16);
    EXPECT_FALSE(destroyed(resting));

    // Through a resting box it flies on; two thrown boxes that meet both break.
    FrameObject* through = box_on_floor("MonitorRings_119", 450);
    through->set_y(floor_top - 40);
    kit.set_value(through, 'A', 2);
    kit.set_value(through, 'Y', -1);
    FrameObject* meeting = box_on_floor("MonitorRings_119", 500);
    meeting->set_y(floor_top - 150);
    kit.set_value(meeting, 'A', 2);
    FrameObject* other = box_on_floor("MonitorRings_119", 510);
    other->set_y(floor_top - 150);
    kit.set_value(other, 'A', 2);
    kit.run(1);
    EXPECT_FALSE(destroyed(through));
    EXPECT_FALSE(destroyed(resting));
    EXPECT_TRUE(destroyed(meeting));
    EXPECT_TRUE(destroyed(other));

    FrameObject* lost = box_on_floor("MonitorRings_119", 800);
    lost->set_y(-5000);
    kit.set_value(lost, 'A', 2);
    kit.take_sounds();
    const size_t icons_before = icons().size();
    kit.run(1);
    EXPECT_TRUE(gone(kit, types::MonitorRings_119, lost));
    EXPECT_TRUE(kit.take_sounds().empty());
    EXPECT_EQ(icons().size(), icons_before);
}

TEST_F(ItemBoxBreaking, boxes_stop_being_solid_while_the_player_rolls_or_rides_fast_except_around_a_carried_box)
{
    enter();
    FrameObject* values = kit.instance(types::PlayerMovementValues_80);
    FrameObject* box = box_on_floor("MonitorRings_119", 900);
    FrameObject* other = box_on_floor("MonitorCrate_126", 700);
    kit.set_value(values, 'M', 5);
    kit.run(1);
    EXPECT_TRUE(kit.flag(box, 0));
    kit.set_value(values, 'M', 1);
    kit.run(1);
    EXPECT_FALSE(kit.flag(box, 0));
    kit.set_value(values, 'A', 3);
    kit.set_value(values, 'B', -5);
    kit.run(1);
    EXPECT_FALSE(kit.flag(box, 0));  // exactly 5 is not fast
    kit.set_value(values, 'B', -5.5);
    kit.run(1);
    EXPECT_TRUE(kit.flag(box, 0));
    EXPECT_TRUE(kit.flag(other, 0));
    // A carried box: only it is taken out; the others keep what they had.
    kit.set_value(values, 'B', 0);
    kit.set_value(values, 'M', 30);
    other->alterables->flags |= 1 << 2;
    box->alterables->flags &= ~1;
    kit.run(1);
    EXPECT_FALSE(kit.flag(box, 0));
    EXPECT_TRUE(kit.flag(other, 0));
}
