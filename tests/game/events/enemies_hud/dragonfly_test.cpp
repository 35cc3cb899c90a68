// The dragonfly patrols 200 pixels either side of home and turns at walls;
// with the player on a diagonal below it, it aims for 31 ticks, pauses 15,
// dives five pixels a tick each way until the ground or 150 pixels below
// home, rests 50 ticks and climbs back to exactly its home height. It hurts
// only while it dives, and beaten it explodes where its fall meets the
// ground.
#include "tests/game/events/enemies_hud/enemy_scene.h"

using namespace enemy_test;

namespace {

class Dragonfly : public EnemyScene {
protected:
    void SetUp() override
    {
        EnemyScene::SetUp();
        Events events;
        for (auto e : {&Frames::event_func_1912, &Frames::event_func_1913, &Frames::event_func_1914,
                       &Frames::event_func_1915, &Frames::event_func_1916, &Frames::event_func_1917,
                       &Frames::event_func_1918, &Frames::event_func_1919, &Frames::event_func_1920,
                       &Frames::event_func_1921, &Frames::event_func_1922, &Frames::event_func_1923,
                       &Frames::event_func_1924, &Frames::event_func_1925, &Frames::event_func_1926,
                       &Frames::event_func_1927, &Frames::event_func_1928, &Frames::event_func_1929,
                       &Frames::event_func_1930, &Frames::event_func_1931, &Frames::event_func_1932,
                       &Frames::event_func_1933, &Frames::event_func_1934, &Frames::event_func_1935,
                       &Frames::event_func_1936, &Frames::event_func_1937, &Frames::event_func_1938,
                       &Frames::event_func_1939, &Frames::event_func_1940, &Frames::event_func_1941})
            events.push_back(e);
        run_events(events);
    }

    // Runs until the dragonfly's state is `state` (at most `limit` ticks);
    // the ticks it took.
    int run_until(FrameObject* d, double state, int limit = 300)
    {
        int ticks = 0;
        while (EventKit::value(d, 'D') != state && ticks < limit) {
            kit.run(1);
            ++ticks;
        }
        return ticks;
    }
};

}  // namespace

TEST_F(Dragonfly, it_patrols_to_200_pixels_either_side_of_home_and_turns_strictly_beyond)
{
    put_player(100, 400);  // far below: never on its diagonals
    FrameObject* d = kit.place("EnemyDragonfly_272", 400, 100, playfield);
    kit.run(99);
    EXPECT_EQ(EventKit::values(d, "FGE"), doubles(400, 100, -2));
    std::vector<int> xs;
    for (int tick = 0; tick < 4; ++tick) {
        kit.run(1);
        xs.push_back(d->get_x());
    }
    // At x = 200 it flies on; at 198 it turns and stays while turning.
    EXPECT_EQ(xs, (std::vector<int>{200, 198, 198, 198}));
    EXPECT_EQ(EventKit::values(d, "DE"), doubles(1, 2));
    EXPECT_EQ(d->get_direction(), 0);
    EXPECT_TRUE(active(d)->test_animation(10));
    EXPECT_GT(run_until(d, 0), 0);
    kit.run(1);
    EXPECT_EQ(d->get_x(), 200);
    kit.run(200);
    EXPECT_EQ(d->get_x(), 600);
    // There it is well out of sight: the turn ends at once.
    kit.run(1);
    EXPECT_EQ(d->get_x(), 602);
    EXPECT_EQ(EventKit::values(d, "DE"), doubles(0, -2));
    EXPECT_EQ(d->get_direction(), 16);
    kit.run(1);
    EXPECT_EQ(d->get_x(), 600);
}

TEST_F(Dragonfly, a_wall_at_the_first_ones_edge_turns_every_dragonfly_flying_that_way)
{
    put_player(100, 400);
    FrameObject* near = kit.place("EnemyDragonfly_272", 300, 60, playfield);
    FrameObject* right = kit.place("EnemyDragonfly_272", 380, 60, playfield);
    EventKit::set_value(right, 'E', 2);
    // The newest, well right of the view, meets a wall after its first step.
    FrameObject* walled = kit.place("EnemyDragonfly_272", 700, 60, playfield);
    square(f(), "VostrelWall1_220", walled->get_box_index(0) - 2 - 127, 0);
    kit.run(1);
    EXPECT_EQ(EventKit::values(near, "DE"), doubles(1, 2));
    EXPECT_EQ(EventKit::values(right, "DE"), doubles(0, 2));  // flying the other way
    // Far out of sight the turn ends at once.
    EXPECT_EQ(EventKit::values(walled, "DE"), doubles(0, 2));
    EXPECT_EQ(walled->get_direction(), 0);
    kit.run(1);
    EXPECT_EQ(walled->get_x(), 700);
    EXPECT_EQ(near->get_x(), 298);
}

TEST_F(Dragonfly, it_aims_31_ticks_pauses_15_dives_to_the_ground_rests_50_and_climbs_back_home)
{
    put_player(200, 180);  // 80 below home: its down-left diagonal passes x = 280
    FrameObject* d = kit.place("EnemyDragonfly_272", 290, 100, playfield);
    struct Tick {
        double state, h;
        int x, y;
        double damage;
        int dive_sounds;
    };
    std::vector<Tick> seen;
    for (int tick = 0; tick < 400 && (seen.empty() || seen.back().state != 0); ++tick) {
        kit.run(1);
        seen.push_back({EventKit::value(d, 'D'), EventKit::value(d, 'H'), d->get_x(), d->get_y(),
                        EventKit::value(d, 'B'), sample_count(kit.take_sounds(), 10)});
    }
    ASSERT_GT(seen.size(), 100u);
    // Aiming: it stepped to 288 and aims down to the left, sliding a pixel a
    // tick to within 2 pixels of 280 and rising half a pixel a tick.
    EXPECT_EQ(d->get_direction(), 16);
    EXPECT_EQ(EventKit::value(d, 'E'), -2);
    std::vector<int> aim_x, aim_y;
    for (int k = 0; k < 31; ++k) {
        EXPECT_EQ(seen[k].state, k < 30 ? 2 : 3) << k;
        aim_x.push_back(seen[k].x);
        aim_y.push_back(seen[k].y);
    }
    EXPECT_EQ(std::vector<int>(aim_x.begin(), aim_x.begin() + 7), (std::vector<int>{287, 286, 285, 284, 283, 282, 282}));
    EXPECT_EQ(std::vector<int>(aim_y.begin(), aim_y.begin() + 5), (std::vector<int>{99, 99, 98, 98, 97}));
    EXPECT_EQ(aim_y.back(), 84);
    // The pause: still, harmless, until H reaches 15 on the 45th tick, which
    // dives at once with the dive sound.
    for (int k = 30; k < 44; ++k) {
        EXPECT_EQ(seen[k].x, 282);
        EXPECT_EQ(seen[k].y, 84);
        EXPECT_EQ(seen[k].damage, 0);
    }
    EXPECT_EQ(seen[44].dive_sounds, 1);
    EXPECT_EQ(seen[44].h, 16);
    EXPECT_EQ(seen[44].x, 277);
    EXPECT_EQ(seen[44].y, 89);
    EXPECT_EQ(seen[44].damage, 5);
    size_t k = 45;
    while (k < seen.size() && seen[k].state == 3) {
        EXPECT_EQ(seen[k].x, seen[k - 1].x - 5);
        EXPECT_EQ(seen[k].y, seen[k - 1].y + 5);
        EXPECT_EQ(seen[k].damage, 5);
        ++k;
    }
    // The dive ends in the tick its box's bottom edge meets the floor:
    // harmless at once, still for 49 ticks, then 3 pixels a tick up.
    ASSERT_LT(k + 50, seen.size());
    const int landed_y = seen[k].y;
    EXPECT_EQ(seen[k].state, 4);
    EXPECT_EQ(seen[k].damage, 0);
    for (size_t still = k; still < k + 49; ++still)
        EXPECT_EQ(seen[still].y, landed_y);
    EXPECT_EQ(seen[k + 49].y, landed_y - 3);
    EXPECT_EQ(seen[k + 50].y, landed_y - 6);
    // Home: exactly at G, patrolling again.
    EXPECT_EQ(seen.back().y, 100);
    EXPECT_EQ(seen.back().h, 0);
    int dive_sounds = 0;
    for (const Tick& t : seen)
        dive_sounds += t.dive_sounds;
    EXPECT_EQ(dive_sounds, 1);
    const int home_x = d->get_x();
    kit.run(1);
    EXPECT_EQ(d->get_x(), home_x - 2);
}

TEST_F(Dragonfly, over_a_pit_the_dive_ends_150_below_home_and_no_aim_starts_while_the_player_cannot_be_hit)
{
    // Beyond the floor's right end; the player 5 pixels below home lies on
    // both diagonals, and the down-left one is taken first.
    put_player(1200, 105);
    FrameObject* d = kit.place("EnemyDragonfly_272", 1202, 100, playfield);
    EventKit::set_value(others, 'Y', 10);
    kit.run(1);
    EXPECT_EQ(EventKit::value(d, 'D'), 0);
    EventKit::set_value(others, 'Y', 0);
    kit.run(1);
    EXPECT_EQ(EventKit::values(d, "DE"), doubles(2, -2));
    // The rest of the aim, the pause, then 34 dive steps: 84 + 34 * 5 is
    // the first y past 250.
    EXPECT_EQ(run_until(d, 4), 30 + 13 + 34);
    EXPECT_EQ(d->get_y(), 254);
    run_until(d, 0);
    EXPECT_EQ(d->get_y(), 100);

    // Level with the player or below it: no aim.
    put_player(d->get_x() - 2, 100);
    kit.run(1);
    EXPECT_EQ(EventKit::value(d, 'D'), 0);
}

TEST_F(Dragonfly, a_beaten_dragonfly_stops_hurting_and_explodes_where_its_fall_meets_the_ground)
{
    put_player(100, 400);
    FrameObject* diving = place_box("EnemyDragonfly_272", 100, floor_top + 3);
    FrameObject* other = place_box("EnemyDragonfly_272", 200, floor_top + 3);
    FrameObject* rising = place_box("EnemyDragonfly_272", 300, floor_top + 3);
    for (FrameObject* d : {diving, other, rising}) {
        d->alterables->flags |= 1 << 6;
        EventKit::set_value(d, 'Y', d == rising ? 0 : 2);
        EventKit::set_value(d, 'F', d->get_x());
    }
    EventKit::set_value(diving, 'B', 5);
    EventKit::set_value(diving, 'D', 3);
    kit.run(1);
    EXPECT_EQ(sample_count(kit.take_sounds(), 46), 1);
    EXPECT_EQ(count(types::EffectShade_309), 2);
    EXPECT_EQ(count(types::EffectsExplosion01_130), 2);
    std::vector<std::pair<int, int>> shades;
    for (FrameObject* shade : kit.instances(types::EffectShade_309))
        shades.emplace_back(shade->x, shade->y);
    EXPECT_EQ(shades, (std::vector<std::pair<int, int>>{{other->x, other->y}, {diving->x, diving->y}}));
    EXPECT_EQ(EventKit::values(rising, "DB"), doubles(5, 0));
    EXPECT_EQ(EventKit::value(diving, 'B'), 0);
    EXPECT_TRUE(active(rising)->test_animation(8));
    kit.run(1);
    EXPECT_EQ(kit.instances(types::EnemyDragonfly_272), std::vector<FrameObject*>{rising});
}
