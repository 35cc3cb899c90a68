// A risen icon gives its reward at the right age, and the bomb box goes off
// when touched, ticks faster, bursts into a crystal and an explosion that
// shakes the camera and throws explosions about the icon until it goes.
#include "game/frames/event_support.h"
#include "objects/arrayext.h"
#include "runtime/movement.h"
#include "tests/game/events/items/items_kit.h"

using namespace items_test;

namespace {

const std::vector<Event> reward_events = {
    &Frames::event_func_1718, &Frames::event_func_1719, &Frames::event_func_1720, &Frames::event_func_1721,
    &Frames::event_func_1721, &Frames::event_func_1722, &Frames::event_func_1723, &Frames::event_func_1724,
    &Frames::event_func_1725, &Frames::event_func_1726};

const std::vector<Event> bomb_events = {
    &Frames::event_func_1727, &Frames::event_func_1728, &Frames::event_func_1729, &Frames::event_func_1730,
    &Frames::event_func_1731, &Frames::event_func_1732, &Frames::event_func_1733, &Frames::event_func_1734,
    &Frames::event_func_1735, &Frames::event_func_1736, &Frames::event_func_1737, &Frames::event_func_1738};

// What the icons' own events do every tick: they age.
void age_icons(Frames& f)
{
    for_each_instance(f.instances[types::MonitorIcon_125], [](FrameObject* icon) { add_value(icon, 'A', 1); });
}

class ItemBoxRewards : public ItemsScene {
protected:
    FrameObject* icon(int reward, int age, int x = 400, int y = 300)
    {
        FrameObject* made = place("MonitorIcon_125", x, y);
        active(made)->force_frame(reward);
        set(made, 'A', age);
        return made;
    }
};

}  // namespace

TEST_F(ItemBoxRewards, each_icon_gives_its_reward_once_and_goes)
{
    enter(reward_events, age_icons);
    auto* calls = static_cast<ArrayObject*>(place("FunctionMusic_50", -50, -50));
    set(values, 'A', 2);  // the character
    FrameObject* invincible = icon(6, 62);
    FrameObject* crystals = icon(7, 10, 600);
    FrameObject* life = icon(8, 10, 800);
    FrameObject* keystones = icon(12, 10, 1000, 200);
    FrameObject* one_up = place("Monitor1up_127", 1200, 300);

    kit.run(1);  // age 63: nothing yet
    EXPECT_EQ(value(others, 'D'), 0);
    EXPECT_EQ(calls->data.current_x, 0);
    // The crystal icon sprays its seven crystals, directions 5 to 11, at once.
    const std::vector<FrameObject*> sprayed = live(types::ObjectCrystal_239);
    ASSERT_EQ(sprayed.size(), 7u);
    EXPECT_EQ(value(crystals, 'F'), 7);
    // The extra life leaves at the icon + (16, 16), rising, showing Pimsa.
    const std::vector<FrameObject*> lives = live(types::ObjectExtraLife_289);
    ASSERT_EQ(lives.size(), 1u);
    EXPECT_EQ(lives[0]->get_x(), 816);
    EXPECT_EQ(lives[0]->get_y(), 316);
    EXPECT_EQ(value(lives[0], 'B'), -4);
    EXPECT_EQ(lives[0]->get_direction(), 18);
    EXPECT_TRUE(life->flags & FrameObject::DESTROYING);
    // Three keystones, the last made after the icon went.
    const std::vector<FrameObject*> stones = live(types::ObjectKeystone_278);
    ASSERT_EQ(stones.size(), 3u);
    EXPECT_EQ(value(stones[0], 'B'), -2.7);
    EXPECT_EQ(value(stones[0], 'I'), -1);
    EXPECT_EQ(value(stones[1], 'B'), -2.7);
    EXPECT_EQ(value(stones[1], 'I'), 1);
    EXPECT_EQ(value(stones[2], 'B'), -3.0);
    EXPECT_EQ(value(stones[2], 'I'), 0);
    EXPECT_EQ(stones[2]->get_x(), 1016);
    EXPECT_TRUE(keystones->flags & FrameObject::DESTROYING);
    // The extra-life box turns to the character.
    EXPECT_EQ(one_up->get_direction(), 2);

    kit.run(1);  // age 64: invincibility for 30 s and its music
    EXPECT_EQ(value(others, 'D'), 1);
    EXPECT_EQ(value(others, 'E'), 1800);
    ASSERT_EQ(calls->data.current_x, 1);
    EXPECT_EQ(calls->get_string(0, -1, -1), "play_music(" + kit.global_string(0) + ",0)");
    EXPECT_TRUE(invincible->flags & FrameObject::DESTROYING);
    EXPECT_EQ(live(types::ObjectCrystal_239).size(), 7u);  // F stops the spray at 7

    // The crystal icon goes once its debris count reaches 5.
    set(crystals, 'C', 4);
    kit.run(1);
    EXPECT_FALSE(crystals->flags & FrameObject::DESTROYING);
    set(crystals, 'C', 5);
    kit.run(1);
    EXPECT_TRUE(crystals->flags & FrameObject::DESTROYING);
}

TEST_F(ItemBoxRewards, invincibility_is_not_given_while_others_a_is_set_or_in_modes_9_and_10)
{
    enter(reward_events, age_icons);
    for (const double mode : {9.0, 10.0, 0.0}) {
        set(values, 'M', mode);
        set(others, 'A', mode == 0 ? 1 : 0);
        FrameObject* made = icon(6, 63);
        kit.run(1);
        EXPECT_EQ(value(others, 'D'), 0) << mode;
        EXPECT_TRUE(made->flags & FrameObject::DESTROYING) << mode;
    }
}

TEST_F(ItemBoxRewards, a_bomb_touched_by_the_player_ticks_faster_and_bursts_after_120_ticks)
{
    enter(bomb_events, age_icons);
    FrameObject* camera = place("MasterCamera_190", 0, 0);
    FrameObject* bomb = place("MonitorBomb_128", 200, 120);
    place("PlayerSensorLeftBig_89", 200, 120);
    place("PlayerSensorRightBig_91", 200, 120);
    place("EnemyPokkol_138", 350, 120);  // an untouched enemy sets nothing off

    kit.run(1);
    EXPECT_TRUE(flag(bomb, 8));
    EXPECT_EQ(active(bomb)->forced_animation, 7);
    EXPECT_EQ(value(bomb, 'F'), 1);
    EXPECT_EQ(active(bomb)->get_speed(), 11);
    EXPECT_EQ(sample_count(kit.take_sounds(), 126), 1);  // two sensors, one sound

    // The tick sounds once each time the animation comes to its frame 1.
    active(bomb)->force_frame(1);
    kit.run(1);
    EXPECT_TRUE(flag(bomb, 7));
    kit.run(1);
    active(bomb)->force_frame(2);
    kit.run(1);
    EXPECT_FALSE(flag(bomb, 7));
    active(bomb)->force_frame(1);
    kit.run(1);
    EXPECT_EQ(sample_count(kit.take_sounds(), 127), 2);
    EXPECT_EQ(sample_count(kit.take_sounds(), 126), 0);  // triggered once
    active(bomb)->restore_frame();

    kit.run(114);  // F = 119
    EXPECT_EQ(value(bomb, 'F'), 119);
    EXPECT_TRUE(live(types::MonitorIcon_125).empty());
    kit.run(1);
    // A broken shell facing D = -3, an icon showing the bomb's C, a crystal.
    const std::vector<FrameObject*> shells = live(types::MonitorBroken_118);
    ASSERT_EQ(shells.size(), 1u);
    EXPECT_EQ(shells[0]->get_direction(), 29);
    EXPECT_TRUE(bomb->flags & FrameObject::DESTROYING);
    const std::vector<FrameObject*> icons = live(types::MonitorIcon_125);
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(active(icons[0])->get_frame(), 9);
    const std::vector<FrameObject*> crystals = live(types::ObjectCrystal_239);
    ASSERT_EQ(crystals.size(), 1u);
    EXPECT_EQ(crystals[0]->get_x(), 216);
    EXPECT_EQ(crystals[0]->get_direction(), 8);
    EXPECT_TRUE(flag(crystals[0], 0));
    EXPECT_EQ(crystals[0]->get_movement()->speed, 70);
    // The same tick the icon explodes: hidden, a bang, the camera shakes.
    EXPECT_FALSE(icons[0]->flags & FrameObject::VISIBLE);
    EXPECT_EQ(sample_count(kit.take_sounds(), 34), 1);
    EXPECT_EQ(value(camera, 'Z'), 3);

    // An explosion at ages 1, 5, 9, ... 29, each thrown about the icon; the
    // icon goes at 32.
    kit.run(31);  // age 31
    const std::vector<FrameObject*> explosions = live(types::EffectsExplosion06_291);
    EXPECT_EQ(explosions.size(), 8u);
    for (FrameObject* explosion : explosions) {
        EXPECT_TRUE(flag(explosion, 0));
        EXPECT_GE(explosion->get_x(), 206);
        EXPECT_LE(explosion->get_x(), 226);
    }
    EXPECT_FALSE(icons[0]->flags & FrameObject::DESTROYING);
    kit.run(1);
    EXPECT_TRUE(icons[0]->flags & FrameObject::DESTROYING);
    EXPECT_EQ(live(types::EffectsExplosion06_291).size(), 8u);
    EXPECT_EQ(value(camera, 'Z'), 3);  // shaken once, never above 3
}

TEST_F(ItemBoxRewards, a_bomb_set_off_by_an_enemy_with_a_raised_a_leaves_no_shell_and_a_hit_spills_one_crystal)
{
    enter(bomb_events, age_icons);
    FrameObject* bomb = place("MonitorBomb_128", 100, 120);
    set(bomb, 'A', 1);
    place("EnemyPokkol_138", 100, 120);
    FrameObject* hit = place("MonitorBomb_128", 300, 120);
    set_flag_of(hit, 6);

    kit.run(1);
    EXPECT_TRUE(flag(bomb, 8));
    EXPECT_FALSE(flag(hit, 8));
    // The hit box spilled one crystal, and only one.
    EXPECT_TRUE(flag(hit, 9));
    ASSERT_EQ(live(types::ObjectCrystal_239).size(), 1u);
    EXPECT_EQ(live(types::ObjectCrystal_239)[0]->get_x(), 316);
    kit.run(1);
    EXPECT_EQ(live(types::ObjectCrystal_239).size(), 1u);

    kit.run(117);  // F = 119
    EXPECT_FALSE(bomb->flags & FrameObject::DESTROYING);
    kit.run(1);
    EXPECT_TRUE(bomb->flags & FrameObject::DESTROYING);
    EXPECT_TRUE(live(types::MonitorBroken_118).empty());
    EXPECT_EQ(live(types::MonitorIcon_125).size(), 1u);
}
