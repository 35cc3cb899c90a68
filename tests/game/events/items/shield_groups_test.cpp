// Only the group of the shield the player wears runs: it starts the worn
// sprite once per change of kind, shows it in front of the player while not
// invincible, and runs its own effects; a lost shield runs nothing.
#include "audio/media.h"
#include "game/frames/event_support.h"
#include "runtime/movement.h"
#include "tests/game/events/items/items_kit.h"

#include <cmath>

using namespace items_test;

namespace {

std::vector<Event> shield_events()
{
    std::vector<Event> events = {
        &Frames::event_func_1739, &Frames::event_func_1740, &Frames::event_func_1741, &Frames::event_func_1742,
        &Frames::event_func_1743, &Frames::event_func_1744, &Frames::event_func_1745, &Frames::event_func_1746,
        &Frames::event_func_1747, &Frames::event_func_1748, &Frames::event_func_1749, &Frames::event_func_1750,
        &Frames::event_func_1751, &Frames::event_func_1752, &Frames::event_func_1753, &Frames::event_func_1754,
        &Frames::event_func_1755, &Frames::event_func_1756, &Frames::event_func_1757, &Frames::event_func_1758,
        &Frames::event_func_1759, &Frames::event_func_1760, &Frames::event_func_1761, &Frames::event_func_1762,
        &Frames::event_func_1763, &Frames::event_func_1764, &Frames::event_func_1765, &Frames::event_func_1766,
        &Frames::event_func_1767, &Frames::event_func_1768, &Frames::event_func_1769, &Frames::event_func_1770,
        &Frames::event_func_1771};
    return events;
}

struct Kind {
    int b;
    const char* sprite;
    bool Frames::*group;
};

const Kind kinds[] = {
    {1, "ShieldWood_103", &Frames::level_group_20},     {2, "ShieldFlameFront_104", &Frames::level_group_4},
    {3, "ShieldMagnetic_105", &Frames::level_group_9},  {4, "ShieldWater_106", &Frames::level_group_35},
    {5, "ShieldEarth_315", &Frames::level_group_38},
};

class ShieldGroups : public ItemsScene {
protected:
    void SetUp() override
    {
        ItemsScene::SetUp();
        enter(shield_events());
        skin = place("PlayerSkinYelto_102", 200, 120);
        hair = place("PlayerSkinYeltoHair_209", 200, 120);
        sensor = place("PlayerCharacterSensor_151", 200, 120);
        player = place("Player_87", 200, 120);
    }

    FrameObject* worn(const char* sprite)
    {
        FrameObject* made = place(sprite, 200, 120);
        set_flag_of(made, 1);
        made->set_visible(false);
        return made;
    }

    // The particles' start animation over: what the spawn events wait for.
    static void end_start_animation(FrameObject* sprite) { active(sprite)->restore_animation(); }

    int groups_on()
    {
        int on = 0;
        for (const Kind& kind : kinds)
            on += f().*kind.group ? kind.b : 0;
        return on;
    }

    FrameObject *skin = nullptr, *hair = nullptr, *sensor = nullptr, *player = nullptr;
};

}  // namespace

TEST_F(ShieldGroups, each_shield_is_started_once_and_shown_in_front_of_the_player_until_it_is_lost)
{
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.sprite);
        FrameObject* sprite = worn(kind.sprite);
        FrameObject* on_a_box = place(kind.sprite, 300, 120);  // not worn: left alone
        on_a_box->set_visible(false);
        FrameObject* old_particle = place("EffectsShield_313", 100, 100);
        set(sprite, 'A', 9);

        set(others, 'B', kind.b);  // taken from a box
        skin->move_front();
        kit.run(1);
        EXPECT_EQ(groups_on(), kind.b);
        EXPECT_EQ(active(sprite)->forced_animation, 7);
        EXPECT_EQ(value(sensor, 'S'), kind.b);
        EXPECT_TRUE(old_particle->flags & FrameObject::DESTROYING);
        EXPECT_TRUE(sprite->flags & FrameObject::VISIBLE);
        EXPECT_GT(sprite->depth, skin->depth);
        EXPECT_FALSE(on_a_box->flags & FrameObject::VISIBLE);
        EXPECT_EQ(value(sprite, 'A'), kind.b == 1 || kind.b == 3 ? 0 : 9);

        // Started once: the start does not repeat while the kind stays.
        active(sprite)->restore_animation();
        kit.run(1);
        EXPECT_NE(active(sprite)->forced_animation, 7);

        // While invincible the sprite is left to the effects.
        set(others, 'D', 1);
        sprite->set_visible(false);
        kit.run(1);
        EXPECT_FALSE(sprite->flags & FrameObject::VISIBLE);
        set(others, 'D', 0);

        set(others, 'B', 0);  // lost on a hit
        kit.run(1);
        EXPECT_EQ(groups_on(), 0);
        EXPECT_FALSE(sprite->flags & FrameObject::VISIBLE);
        sprite->destroy();
        on_a_box->destroy();
        kit.run(1);
    }
}

TEST_F(ShieldGroups, the_water_shield_lowers_the_first_characters_jump_and_the_flame_goes_out_with_h)
{
    worn("ShieldWater_106");
    set(others, 'B', 4);
    kit.run(1);
    EXPECT_EQ(value(others, 'J'), -30);
    set(values, 'A', 2);
    set(sensor, 'S', 0);
    kit.run(1);
    EXPECT_EQ(value(others, 'J'), 0);

    worn("ShieldFlameFront_104");
    FrameObject* back = worn("ShieldFlameBack_152");
    set(others, 'B', 2);
    set(others, 'C', 7);
    kit.run(1);
    EXPECT_TRUE(back->flags & FrameObject::VISIBLE);
    set(others, 'H', 1);
    kit.take_sounds();
    kit.run(1);
    EXPECT_EQ(EventKit::values(others, "BC"), doubles(0, 0));
    EXPECT_EQ(sample_count(kit.take_sounds(), 11), 1);
    kit.run(1);
    EXPECT_EQ(groups_on(), 0);
}

TEST_F(ShieldGroups, wood_leaves_fall_every_eighth_level_tick_and_a_petal_flies_for_every_15_crystals)
{
    FrameObject* wood = worn("ShieldWood_103");
    set(others, 'B', 1);
    kit.set_global(3, 8);
    kit.run(1);
    EXPECT_TRUE(live(types::EffectsShield_313).empty());  // still starting
    end_start_animation(wood);
    kit.set_global(3, 12);
    kit.run(1);
    EXPECT_TRUE(live(types::EffectsShield_313).empty());  // not a multiple of 8
    kit.set_global(3, 16);
    kit.run(1);
    std::vector<FrameObject*> leaves = live(types::EffectsShield_313);
    ASSERT_EQ(leaves.size(), 1u);
    FrameObject* leaf = leaves[0];
    const double c = value(leaf, 'C');
    EXPECT_GE(c, 30);
    EXPECT_LE(c, 150);
    // Made and moved in the same tick: A = 26 cos C + 1.3 cos D, B = -26 sin C + 0.7.
    const double d = value(leaf, 'D') - 8;
    EXPECT_EQ(value(leaf, 'A'), 26 * event_cos(c) + 1.3 * event_cos(d));
    EXPECT_EQ(value(leaf, 'B'), -26 * event_sin(c) + 0.7);
    EXPECT_EQ(active(leaf)->get_frame(), 0);
    EXPECT_EQ(semi_transparency(*leaf), 2);
    EXPECT_LT(leaf->depth, hair->depth);

    // It falls until B passes 64.
    kit.set_global(3, 17);
    int ticks = 1;
    while (!(leaf->flags & FrameObject::DESTROYING) && ticks < 400) {
        kit.run(1);
        ++ticks;
    }
    EXPECT_GT(value(leaf, 'B'), 64);
    EXPECT_LE(value(leaf, 'B'), 64.7);

    set(wood, 'A', 15);
    kit.take_sounds();
    kit.run(1);
    EXPECT_EQ(value(wood, 'A'), 0);
    const std::vector<FrameObject*> petals = live(types::ObjectPetal_117);
    ASSERT_EQ(petals.size(), 1u);
    EXPECT_EQ(value(petals[0], 'A'), 2);
    EXPECT_EQ(petals[0]->get_direction(), 8);
    EXPECT_EQ(sample_count(kit.take_sounds(), 51), 1);
}

TEST_F(ShieldGroups, water_bubbles_rise_every_third_tick_and_burst_above_the_head)
{
    FrameObject* water = worn("ShieldWater_106");
    set(others, 'B', 4);
    kit.run(1);
    end_start_animation(water);
    active(water)->force_frame(0);
    kit.set_global(3, 9);
    kit.run(1);
    std::vector<FrameObject*> bubbles = live(types::EffectsShield_313);
    ASSERT_EQ(bubbles.size(), 1u);
    FrameObject* bubble = bubbles[0];
    const double c = value(bubble, 'C');
    EXPECT_EQ(value(bubble, 'B'), 26 * event_sin(c) - 1);
    EXPECT_EQ(active(bubble)->get_frame(), 2);
    EXPECT_EQ(bubble->shader, 28);
    EXPECT_EQ(semi_transparency(*bubble), 3);

    // A bubble at or above the head's line bursts at once.
    kit.set_global(3, 10);
    bubble->set_y(to_int(120 - 10 - 24 * event_sin(c)) + 1);
    kit.run(1);
    EXPECT_FALSE(bubble->flags & FrameObject::DESTROYING);
    bubble->set_y(bubble->get_y() - 1);
    kit.run(1);
    EXPECT_TRUE(bubble->flags & FrameObject::DESTROYING);

    // The sprite turns a quarter once on reaching its frame 4.
    active(water)->force_frame(4);
    const int angle = water->get_angle();
    kit.run(3);
    EXPECT_EQ(water->get_angle(), (angle + 90) % 360);
}

TEST_F(ShieldGroups, earth_and_wood_mark_items_near_the_player_for_collection)
{
    worn("ShieldEarth_315");
    set(others, 'B', 5);
    FrameObject* resting = place("ObjectCrystal_239", 200 + 119, 120);
    FrameObject* far = place("ObjectCrystal_239", 200 - 120, 120);
    FrameObject* launched = place("ObjectCrystal_239", 200, 120 + 60);
    set_flag_of(launched, 0);
    kit.run(1);
    EXPECT_TRUE(flag(resting, 4));
    EXPECT_TRUE(flag(resting, 2));
    EXPECT_FALSE(flag(far, 4));
    // Launched and well inside the view: marked, landed, and pulled in.
    EXPECT_TRUE(flag(launched, 2));
    EXPECT_FALSE(flag(launched, 0));
    EXPECT_EQ(EventKit::values(launched, "GH"), doubles(8, 0.5));

    FrameObject* wood = worn("ShieldWood_103");
    end_start_animation(wood);
    set(others, 'B', 1);
    FrameObject* petal = place("ObjectPetal_117", 200, 120 + 60);
    set_flag_of(petal, 0);
    set(petal, 'A', 2);
    kit.run(1);
    EXPECT_TRUE(flag(petal, 2));
    EXPECT_TRUE(flag(petal, 0));  // a petal keeps it
    EXPECT_EQ(EventKit::values(petal, "GHA"), doubles(5, 0.5, 0));
}
