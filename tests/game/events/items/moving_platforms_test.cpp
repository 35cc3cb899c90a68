// A path platform follows its path exactly and carries the player standing
// on it by its whole-pixel step, never a rising player or one below it; a
// sinking platform takes its dip back and lets it die away unless the
// player hangs from it, when it carries the player; a platform is marked
// above the player only while it is strictly higher.
#include "game/frames/event_support.h"
#include "tests/game/events/items/items_kit.h"

#include <cmath>

using namespace items_test;

namespace {

std::vector<Event> platform_events()
{
    std::vector<Event> events;
    for (void (Frames::*event)() :
         {&Frames::event_func_1839, &Frames::event_func_1840, &Frames::event_func_1841, &Frames::event_func_1842,
          &Frames::event_func_1843, &Frames::event_func_1844, &Frames::event_func_1845, &Frames::event_func_1846,
          &Frames::event_func_1847, &Frames::event_func_1848, &Frames::event_func_1849, &Frames::event_func_1850,
          &Frames::event_func_1851, &Frames::event_func_1852, &Frames::event_func_1853, &Frames::event_func_1854,
          &Frames::event_func_1855})
        events.push_back(event);
    return events;
}

class Platforms : public ItemsScene {
protected:
    void SetUp() override
    {
        ItemsScene::SetUp();
        // The player engine keeps the feet under the player's position.
        enter(platform_events(), [this](Frames&) {
            for (FrameObject* object : {feet, player}) {
                object->set_x(to_int(value(values, 'X')));
                object->set_y(to_int(value(values, 'Y')) + (object == feet ? 20 : 0));
            }
        });
        feet = place("PlayerSensorBottomBig_95", 0, 0);
        player = place("Player_87", 0, 0);
    }

    void stand_at(double x, double y)
    {
        set(values, 'X', x);
        set(values, 'Y', y);
    }

    FrameObject *feet = nullptr, *player = nullptr;
};

}  // namespace

TEST_F(Platforms, a_rider_moves_with_the_platform_by_its_whole_pixel_steps)
{
    FrameObject* platform = place("LevelMovingPlatform2_265", 200, 150);
    set(platform, 'I', 200);
    set(platform, 'J', 120);
    set(platform, 'G', 60);  // within the view
    stand_at(20, 20);
    kit.run(1);
    ASSERT_EQ(platform->get_y(), to_int(std::floor(120 + 60 * event_sin(2))));

    stand_at(200, platform->get_y() - 20);
    double e = 2;
    for (int tick = 0; tick < 100; ++tick) {
        kit.run(1);
        e += 2;
        const double n = 120 + 60 * event_sin(e);
        ASSERT_EQ(value(platform, 'N'), n) << tick;
        EXPECT_EQ(platform->get_y(), to_int(std::floor(n)));
        EXPECT_EQ(value(values, 'Y'), platform->get_y() - 20) << tick;  // never drifting
    }
    EXPECT_EQ(value(values, 'L'), 1);
    EXPECT_EQ(value(feet, 'Z'), 1);
    EXPECT_EQ(value(platform, 'M'), 200);  // C = 0: x stays at the centre

    // Rising through it, the player is left behind.
    set(values, 'G', -1);
    const double y = value(values, 'Y');
    kit.run(1);
    EXPECT_EQ(value(values, 'Y'), y);
}

TEST_F(Platforms, at_90_degrees_the_cosine_is_exactly_zero)
{
    FrameObject* platform = place("LevelMovingPlatform3_281", 100, 100);
    EventKit::set_value(platform, 'I', 100.5);
    set(platform, 'A', 88);
    set(platform, 'B', 2);
    set(platform, 'C', 1e17);
    set(platform, 'H', 2);  // neither 0 nor 1: N is left alone
    set(platform, 'N', 77);
    kit.run(1);
    EXPECT_EQ(value(platform, 'A'), 90);
    EXPECT_EQ(value(platform, 'M'), 100.5);
    EXPECT_EQ(value(platform, 'N'), 77);
}

TEST_F(Platforms, a_sinking_platform_dips_back_and_holds_its_dip_while_the_player_hangs_from_it)
{
    FrameObject* spring = place("RedSpringUpRight_199", 300, 100);
    set(spring, 'S', 5);
    stand_at(0, 200);
    std::vector<double> ys;
    for (int tick = 0; tick < 4; ++tick) {
        kit.run(1);
        ys.push_back(spring->get_y());
    }
    EXPECT_EQ(ys, doubles(95, 91, 88, 86));  // S: 5, 4, 3.2, 2.56, 2.048
    double dip = 5;
    for (int tick = 0; tick < 4; ++tick)
        dip -= 0.2 * dip;
    EXPECT_EQ(value(spring, 'S'), dip);
    // Above the player: marked for the next tick.
    EXPECT_TRUE(flag(spring, 6));
    EXPECT_TRUE(flag(spring, 0));

    set(spring, 'Q', 1);  // the player hangs from it
    kit.run(1);
    dip -= 0.2 * dip;  // 1.6384: decayed once more, then held
    EXPECT_TRUE(flag(spring, 2));
    EXPECT_EQ(value(values, 'Y'), 84 + 28 + 1);
    kit.run(3);
    EXPECT_EQ(value(spring, 'S'), dip);
    spring->set_y(500);
    kit.run(1);
    EXPECT_FALSE(flag(spring, 6));
}

TEST_F(Platforms, a_platform_is_above_the_player_only_while_its_y_is_less_than_the_players)
{
    FrameObject* spring = place("RedSpringUpRight_199", 300, 200);
    FrameObject* platform = place("LevelMovingPlatform3_281", 600, 200);
    set(platform, 'I', 600);
    set(platform, 'G', 0);  // no vertical swing: it stays at J
    stand_at(0, 200);
    const auto marked = [&](FrameObject* object) { return std::make_pair(flag(object, 0), flag(object, 6)); };
    // Level with the player: not above it.
    set(platform, 'J', 200);
    kit.run(1);
    EXPECT_EQ(platform->get_y(), 200);
    EXPECT_EQ(marked(spring), std::make_pair(false, false));
    EXPECT_EQ(marked(platform), std::make_pair(false, false));
    // One pixel higher: both marks, in every member list of the group.
    spring->set_y(199);
    set(platform, 'J', 199);
    kit.run(1);
    EXPECT_EQ(marked(spring), std::make_pair(true, true));
    EXPECT_EQ(marked(platform), std::make_pair(true, true));
    // The player rising to the platforms' height clears them again.
    stand_at(0, 199);
    kit.run(1);
    EXPECT_EQ(marked(spring), std::make_pair(false, false));
    EXPECT_EQ(marked(platform), std::make_pair(false, false));
}
