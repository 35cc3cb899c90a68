// The ZemmetJr falls faster each tick up to 12 and is lifted out of the
// floor as it lands, falls slowly after one splash into water, winds up
// after 40 idle ticks, lunges a pixel a tick to where the player stood until
// it arrives or 60 ticks pass, rests 51 to 90 ticks, and beaten explodes on
// the ground or vanishes below the view. The shield of kind 3 disarms it.
#include "tests/game/events/enemies_hud/enemy_scene.h"

using namespace enemy_test;

namespace {

class ZemmetJr : public EnemyScene {
protected:
    void SetUp() override
    {
        EnemyScene::SetUp();
        // As both acts call them: the lunge start ahead of everything else.
        run_events({&Frames::event_func_1947, &Frames::event_func_1942, &Frames::event_func_1943,
                    &Frames::event_func_1944, &Frames::event_func_1945, &Frames::event_func_1946,
                    &Frames::event_func_1948, &Frames::event_func_1949, &Frames::event_func_1950,
                    &Frames::event_func_1951, &Frames::event_func_1952, &Frames::event_func_1953,
                    &Frames::event_func_1954, &Frames::event_func_1955, &Frames::event_func_1956,
                    &Frames::event_func_1957, &Frames::event_func_1958});
    }

    // Runs until the enemy's state is `state`; the ticks it took.
    int run_until(FrameObject* z, double state, int limit = 400)
    {
        int ticks = 0;
        while (EventKit::value(z, 'D') != state && ticks < limit) {
            kit.run(1);
            ++ticks;
        }
        return ticks;
    }
};

}  // namespace

TEST_F(ZemmetJr, it_falls_faster_each_tick_up_to_12_and_is_lifted_out_of_the_floor_as_it_lands)
{
    put_player(400, 400);
    FrameObject* z = place_box("EnemyZemmetJr_271", 100, 40);
    std::vector<int> bottoms;
    std::vector<double> speeds;
    for (int tick = 0; tick < 27; ++tick) {
        kit.run(1);
        bottoms.push_back(z->get_box_index(3));
        speeds.push_back(EventKit::value(z, 'E'));
    }
    EXPECT_EQ(std::vector<int>(bottoms.begin(), bottoms.begin() + 6), (std::vector<int>{40, 40, 41, 42, 44, 46}));
    EXPECT_EQ(std::vector<double>(speeds.begin(), speeds.begin() + 3), doubles(0.5, 1, 1.5));
    EXPECT_EQ(speeds[23], 12);
    EXPECT_EQ(speeds[24], 12);  // no faster
    EXPECT_EQ(bottoms[25], 196);
    // The 27th tick takes its feet 8 pixels into the floor, and the same
    // tick lifts it out.
    EXPECT_EQ(bottoms[26], floor_top);
    EXPECT_EQ(speeds[26], 0);
    kit.run(1);
    EXPECT_EQ(z->get_box_index(3), floor_top);
}

TEST_F(ZemmetJr, in_water_it_splashes_once_and_falls_with_a_twentieth_of_a_pixel_more_a_tick)
{
    put_player(400, 400);
    FrameObject* level = kit.place("MasterLevel_53", 0, 0, playfield);
    EventKit::set_value(level, 'A', 1);
    EventKit::set_value(level, 'B', 120);
    EventKit::set_value(level, 'C', 118.75);
    kit.place("PlayerStartingPoint_160", 50, 50, 3);
    FrameObject* z = kit.place("EnemyZemmetJr_271", 300, 100, playfield);
    int entry = 0;
    for (int tick = 1; tick < 30 && !entry; ++tick) {
        kit.run(1);
        if (z->get_y() > 120)
            entry = tick;
    }
    ASSERT_NE(entry, 0);
    EXPECT_EQ(sample_count(kit.take_sounds(), 14), 1);
    EXPECT_TRUE(EventKit::flag(z, 1));
    EXPECT_EQ(EventKit::value(z, 'E'), 1);
    FrameObject* splash = kit.instance(types::EffectsWaterSplash_157);
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(splash->get_x(), z->get_x());
    EXPECT_EQ(splash->get_y(), 118);
    EXPECT_EQ(splash->layer->index, 3);
    const int y = z->get_y();
    kit.run(2);
    EXPECT_EQ(z->get_y(), y + 2);
    EXPECT_DOUBLE_EQ(EventKit::value(z, 'E'), 1.1);
    EXPECT_EQ(count(types::EffectsWaterSplash_157), 1);
    EXPECT_EQ(sample_count(kit.take_sounds(), 14), 0);
}

TEST_F(ZemmetJr, it_winds_up_after_40_idle_ticks_and_lunges_to_where_the_player_stood)
{
    FrameObject* z = place_box("EnemyZemmetJr_271", 200, floor_top);
    const int x0 = z->get_x();
    put_player(x0 + 30, z->get_y());
    kit.run(40);
    EXPECT_EQ(EventKit::values(z, "DF"), doubles(0, 40));
    EXPECT_EQ(z->get_direction(), 0);  // the player level on its right
    EXPECT_TRUE(EventKit::flag(z, 5));
    kit.run(1);
    EXPECT_EQ(EventKit::values(z, "DF"), doubles(1, 0));
    EXPECT_FALSE(EventKit::flag(z, 5));
    EXPECT_TRUE(active(z)->test_animation(11));

    // The wind-up: no move, no count. The player then moves on; the lunge
    // goes where it stood when the wind-up ended.
    int wind_up = 0;
    while (active(z)->test_animation(11) && wind_up < 400) {
        EXPECT_EQ(z->get_x(), x0);
        EXPECT_EQ(EventKit::value(z, 'F'), 0);
        kit.run(1);
        ++wind_up;
    }
    EXPECT_EQ(EventKit::value(z, 'G'), x0 + 30);
    put_player(20, z->get_y());
    std::vector<int> xs = {z->get_x()};
    while (EventKit::value(z, 'D') == 1 && xs.size() < 100) {
        kit.run(1);
        xs.push_back(z->get_x());
    }
    // A pixel a tick, from the tick it started to within 4 of the target.
    EXPECT_EQ(xs.front(), x0 + 1);
    EXPECT_EQ(xs.back(), x0 + 26);
    EXPECT_EQ(xs.size(), 26u);
    const double rest = EventKit::value(z, 'F');
    EXPECT_LE(rest, -10);
    EXPECT_GE(rest, -49);
    EXPECT_TRUE(active(z)->test_animation(10));
    // The next wind-up comes 51 to 90 ticks later, facing the player again.
    EXPECT_EQ(run_until(z, 1), 41 - int(rest));
    EXPECT_EQ(z->get_direction(), 16);
}

TEST_F(ZemmetJr, a_lunge_stopped_by_a_wall_ends_after_60_ticks_on_the_ground)
{
    FrameObject* z = place_box("EnemyZemmetJr_271", 100, floor_top);
    put_player(400, z->get_y());
    square(f(), "VostrelWall1_220", z->get_box_index(2) + 10, floor_top - 128);
    run_until(z, 1);
    const int start = z->get_x();
    while (active(z)->test_animation(11))
        kit.run(1);
    kit.run(60 - int(EventKit::value(z, 'F')));
    EXPECT_EQ(EventKit::values(z, "DF"), doubles(1, 60));
    EXPECT_EQ(z->get_x(), start + 10);  // its leading edge at the wall
    kit.run(1);
    EXPECT_EQ(EventKit::value(z, 'D'), 0);
    EXPECT_TRUE(active(z)->test_animation(10));
}

TEST_F(ZemmetJr, beaten_it_explodes_on_the_ground_or_vanishes_below_the_view_and_the_earth_shield_disarms_it)
{
    put_player(400, 400);
    FrameObject* landing = place_box("EnemyZemmetJr_271", 100, floor_top + 2);
    FrameObject* rising = place_box("EnemyZemmetJr_271", 200, floor_top + 2);
    FrameObject* sinking = place_box("EnemyZemmetJr_271", 1100, 240 + 60);
    for (FrameObject* z : {landing, rising, sinking}) {
        z->alterables->flags |= 1 << 6;
        EventKit::set_value(z, 'Y', z == rising ? -1 : 3);
    }
    sinking->set_y(290);
    FrameObject* armed = place_box("EnemyZemmetJr_271", 300, floor_top);
    kit.run(1);
    EXPECT_EQ(EventKit::values(rising, "DB"), doubles(3, 5));
    EXPECT_TRUE(active(rising)->test_animation(8));
    EXPECT_EQ(sample_count(kit.take_sounds(), 46), 1);
    EXPECT_EQ(count(types::EffectShade_309), 1);
    EXPECT_EQ(count(types::EffectsExplosion01_130), 1);
    EXPECT_EQ(kit.instance(types::EffectShade_309)->x, landing->x);
    kit.run(1);
    EXPECT_EQ(kit.instances(types::EnemyZemmetJr_271), (std::vector<FrameObject*>{rising, sinking, armed}));
    sinking->set_y(291);  // below the view's top + 290
    kit.run(2);
    EXPECT_EQ(kit.instances(types::EnemyZemmetJr_271), (std::vector<FrameObject*>{rising, armed}));

    EventKit::set_value(others, 'B', 3);
    kit.run(1);
    EXPECT_EQ(EventKit::value(armed, 'B'), 0);
    EventKit::set_value(others, 'B', 2);
    kit.run(1);
    EXPECT_EQ(EventKit::value(armed, 'B'), 5);
}
