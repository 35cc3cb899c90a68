// The spore pod's cycle: the rise at 8 pixels a tick with one splash at the
// water line, braking from the limiter to the spit of its two-spore fan at
// the top, the fall back home (at its home height exactly) and the wait for
// the landing animation; struck, it stops and bursts into a keystone and
// debris on a solid; its spores fly under gravity and report a burst once.
#include "runtime/movement.h"
#include "tests/game/events/act2/act2_stage.h"

#include <cmath>

using act2_stage::Act2Stage;

namespace {

#define E(n) &Frames::event_func_##n
const std::vector<act2_stage::Event> pod_order = {E(2328), E(2314), E(2315), E(2316), E(2317), E(2318), E(2319), E(2320),
                                                  E(2321), E(2322), E(2323), E(2324), E(2325), E(2326), E(2327)};
#undef E

}  // namespace

class SporePod : public Act2Stage {
protected:
    void SetUp() override
    {
        Act2Stage::SetUp();
        enter(pod_order);
        set_level('A', 1);
        set_level('B', 150);
        set_level('C', 147.9);
        kit.place("PlayerStartingPoint_160", 20, 20);
        pod = kit.place("EnemySporePod_393", 200, 200);
    }

    double d() { return EventKit::value(pod, 'D'); }

    int run_until_state(double state)
    {
        int ticks = 0;
        while (d() != state && ticks++ < 400)
            kit.run(1);
        return ticks;
    }

    FrameObject* pod = nullptr;
};

TEST_F(SporePod, rises_splashes_brakes_at_the_limiter_spits_and_falls_back_home)
{
    kit.place("EnemyLimiter_163", 200, 100);
    kit.run(1);
    EXPECT_EQ(EventKit::values(pod, "DEGH"), doubles(1, -8, 192, 200));
    kit.run(5);
    EXPECT_EQ(pod->get_y(), 160);
    EXPECT_TRUE(kit.instances(types::EffectsWaterSplash_157).empty());
    kit.run(1);  // 152: past the line + 8
    ASSERT_EQ(kit.instances(types::EffectsWaterSplash_157).size(), 1u);
    FrameObject* splash = kit.instances(types::EffectsWaterSplash_157)[0];
    EXPECT_EQ(std::make_pair(splash->get_x(), splash->get_y()), std::make_pair(200, 147));
    EXPECT_EQ(sounds(), std::vector<unsigned>{14});
    kit.run(3);
    EXPECT_EQ(kit.instances(types::EffectsWaterSplash_157).size(), 1u);
    EXPECT_FALSE(EventKit::flag(pod, 2));
    kit.run(1);  // 120: on the limiter
    EXPECT_TRUE(EventKit::flag(pod, 2));
    EXPECT_EQ(EventKit::value(pod, 'E'), -8);
    kit.run(1);
    EXPECT_DOUBLE_EQ(EventKit::value(pod, 'E'), -7.8);

    run_until_state(2);
    // The fan spends F from 2 to 0: a spore placed at 225 degrees and thrown
    // along 135, one placed at 135 and thrown along 45, nothing on the third
    // pass. Both take their first step in the same tick.
    EXPECT_EQ(EventKit::value(pod, 'F'), 0);
    const std::vector<FrameObject*> fan = kit.instances(types::EnemySporeProjectile_403);
    ASSERT_EQ(fan.size(), 2u);
    const double r = 2 * std::sqrt(2.0);  // 4 cos 45
    for (int i : {0, 1}) {
        const double c = i == 0 ? -r / 2 : r / 2;
        EXPECT_EQ(fan[i]->get_x(), 197);
        EXPECT_EQ(fan[i]->layer, pod->layer);
        EXPECT_NEAR(EventKit::value(fan[i], 'C'), c, 1e-9);
        EXPECT_NEAR(EventKit::value(fan[i], 'A'), 200 - r + c, 1e-9);
        EXPECT_NEAR(EventKit::value(fan[i], 'D'), -3 - r / 4 + 0.1, 1e-9);
    }
    EXPECT_NEAR(EventKit::value(fan[0], 'B') - EventKit::value(fan[1], 'B'), 2 * r, 1e-9);
    EXPECT_TRUE(sprite(pod)->test_animation(7));
    const double top = EventKit::value(pod, 'G');
    EXPECT_LT(top, 120);
    EXPECT_NEAR(EventKit::value(pod, 'E'), -0.175, 1e-9);  // the fall starts in the same tick
    kit.run(1);
    EXPECT_NEAR(EventKit::value(pod, 'E'), -0.15, 1e-9);
    EXPECT_GT(run_until_state(0), 0);
    EXPECT_GE(pod->get_y(), 200);
    EXPECT_TRUE(sprite(pod)->test_animation(11));
    const int landed_y = pod->get_y();
    kit.run(1);
    EXPECT_EQ(d(), 0);  // waits for the landing animation
    EXPECT_EQ(pod->get_y(), landed_y);
    EXPECT_LT(run_until_state(1), 60);
}

TEST_F(SporePod, a_falling_pod_is_home_on_the_tick_its_y_reaches_its_home_height_exactly)
{
    for (auto [letter, n] : {std::pair{'D', 2.0}, {'G', 198.0}, {'E', 1.0}, {'H', 200.0}})
        EventKit::set_value(pod, letter, n);
    // It shows G of the last tick and gains 0.025 a tick.
    kit.run(1);
    EXPECT_EQ(EventKit::values(pod, "DG"), doubles(2, 199));
    EXPECT_EQ(pod->get_y(), 198);
    kit.run(1);
    EXPECT_EQ(pod->get_y(), 199);
    EXPECT_EQ(d(), 2);
    EXPECT_FALSE(sprite(pod)->test_animation(11));
    kit.run(1);
    EXPECT_EQ(pod->get_y(), 200);
    EXPECT_EQ(d(), 0);
    EXPECT_TRUE(sprite(pod)->test_animation(11));
    // Home, it stays put while the landing animation plays.
    kit.run(3);
    EXPECT_EQ(pod->get_y(), 200);
    EXPECT_EQ(d(), 0);
}

TEST_F(SporePod, struck_it_stops_and_bursts_into_a_keystone_on_a_solid)
{
    kit.run(3);
    set_flag(pod, 6, true);
    kit.run(1);
    EXPECT_EQ(d(), 4);
    EXPECT_TRUE(sprite(pod)->test_animation(8));
    const int y = pod->get_y();
    kit.run(3);
    EXPECT_EQ(pod->get_y(), y);
    kit.place("MonitorCrystals_120", 200, y);
    kit.run(2);  // not coming down yet (value Y 0)
    EXPECT_TRUE(kit.instances(types::ObjectKeystone_278).empty());
    EventKit::set_value(pod, 'Y', 1);
    sounds();
    kit.run(1);
    ASSERT_EQ(kit.instances(types::ObjectKeystone_278).size(), 1u);
    EXPECT_EQ(kit.instances(types::ObjectKeystone_278)[0]->get_direction(), 2);
    EXPECT_EQ(kit.instances(types::EffectsExplosion01_130).size(), 1u);
    EXPECT_EQ(sounds(), std::vector<unsigned>{26});
    // Set to -5, counted up to -1 by the debris loop, a piece a pass showing
    // frames 10 down to 7, and the pod is gone in the same tick.
    EXPECT_EQ(EventKit::value(pod, 'A'), -1);
    EXPECT_EQ(forced_frames(types::EffectsDebris_266), (std::vector<int>{10, 9, 8, 7}));
    for (FrameObject* piece : kit.instances(types::EffectsDebris_266)) {
        EXPECT_EQ(std::make_pair(piece->get_x(), piece->get_y()), std::make_pair(200, y));
        EXPECT_GE(piece->get_movement()->get_speed(), 50);
        EXPECT_LT(piece->get_movement()->get_speed(), 80);
    }
    EXPECT_TRUE(pod->flags & FrameObject::DESTROYING);
}

TEST_F(SporePod, spores_fall_under_gravity_and_a_burst_is_reported_once)
{
    pod->destroy();
    FrameObject* spore = kit.place("EnemySporeProjectile_403", 100, 100);
    for (auto [letter, n] : {std::pair{'A', 100.5}, {'B', 100.0}, {'C', 1.5}, {'D', -1.0}})
        EventKit::set_value(spore, letter, n);
    kit.run(2);
    EXPECT_EQ(std::make_pair(spore->get_x(), spore->get_y()), std::make_pair(102, 99));
    EXPECT_DOUBLE_EQ(EventKit::value(spore, 'D'), -0.8);
    EventKit::set_value(object(types::MasterCamera_190), 'Z', 1);
    set_flag(spore, 0, true);
    sprite(spore)->force_animation(7);
    kit.run(1);
    EXPECT_EQ(sounds(), std::vector<unsigned>{171});
    EXPECT_EQ(EventKit::value(object(types::MasterCamera_190), 'Z'), 2);
    EXPECT_TRUE(EventKit::flag(spore, 1));
    EXPECT_EQ(std::make_pair(spore->get_x(), spore->get_y()), std::make_pair(102, 99));  // stopped
    kit.run(2);
    EXPECT_TRUE(sounds().empty());
    kit.run(60);
    EXPECT_TRUE(kit.instances(types::EnemySporeProjectile_403).empty());  // gone with its burst
}
