// The Pokkol turns to the player, counts while idle near the view, shoots
// once per shooting animation on its seventh frame (61 ticks for the first
// shot, 101 idle ticks for each next), holds its fire while the player is in
// state 10 or 11, and bursts where its fall as a beaten enemy meets the
// ground.
#include "tests/game/events/enemies_hud/enemy_scene.h"

using namespace enemy_test;

namespace {

class Pokkol : public EnemyScene {
protected:
    void SetUp() override
    {
        EnemyScene::SetUp();
        run_events({&Frames::event_func_1900, &Frames::event_func_1901, &Frames::event_func_1902,
                    &Frames::event_func_1903, &Frames::event_func_1904, &Frames::event_func_1905,
                    &Frames::event_func_1906, &Frames::event_func_1907, &Frames::event_func_1908,
                    &Frames::event_func_1909, &Frames::event_func_1910, &Frames::event_func_1911});
    }
};

}  // namespace

TEST_F(Pokkol, it_faces_the_player_and_shoots_after_61_ticks_then_after_101_idle_ticks)
{
    FrameObject* pokkol = place_box("EnemyPokkol_138", 300, floor_top);
    // More than 200 pixels right of the view: it never counts, but turns.
    FrameObject* far = place_box("EnemyPokkol_138", 426 + 201, floor_top);
    // Level with the player, out of reach below the view.
    FrameObject* level = place_box("EnemyPokkol_138", 84, floor_top + 500);
    level->set_x(sensor->get_x());

    std::vector<double> timer;
    for (int tick = 1; tick <= 60; ++tick) {
        kit.run(1);
        timer.push_back(EventKit::value(pokkol, 'E'));
    }
    EXPECT_EQ(timer.front(), 1);
    EXPECT_EQ(timer.back(), 60);
    EXPECT_EQ(EventKit::value(pokkol, 'D'), 0);
    EXPECT_EQ(pokkol->get_direction(), 15);
    EXPECT_EQ(far->get_direction(), 15);
    EXPECT_EQ(EventKit::value(far, 'E'), 0);
    EXPECT_EQ(level->get_direction(), 14);  // level with the player: unchanged

    kit.run(1);  // the 61st idle tick starts the shot
    EXPECT_EQ(EventKit::values(pokkol, "DE"), doubles(1, -40));
    EXPECT_TRUE(active(pokkol)->test_animation(7));

    // The pellet leaves on frame 7, once, however long the frame shows.
    int shot_tick = 0, pellets_then = 0, shots = 0;
    for (int tick = 62; tick < 200 && EventKit::value(pokkol, 'D') != 0; ++tick) {
        kit.run(1);
        const int fired = sample_count(kit.take_sounds(), 25);
        shots += fired;
        if (fired && !shot_tick) {
            shot_tick = tick;
            pellets_then = count(types::EnemyPellet_261);
            EXPECT_EQ(active(pokkol)->get_frame(), 7);
            FrameObject* pellet = kit.instance(types::EnemyPellet_261);
            EXPECT_EQ(pellet->get_direction(), 15);
            EXPECT_EQ(pellet->get_x(), pokkol->get_action_x());
            EXPECT_EQ(pellet->get_y(), pokkol->get_action_y());
            EXPECT_EQ(EventKit::value(pokkol, 'D'), 2);
        }
    }
    EXPECT_NE(shot_tick, 0);
    EXPECT_EQ(shots, 1);
    EXPECT_EQ(pellets_then, 1);
    EXPECT_EQ(EventKit::values(pokkol, "DE"), doubles(0, -40));  // back to idle when the animation ended

    // The next shot starts after 101 idle ticks; the player in state 11
    // holds it, and it starts on the first tick the player leaves it.
    kit.run(100);
    EXPECT_EQ(EventKit::values(pokkol, "DE"), doubles(0, 60));
    EventKit::set_value(others, 'Y', 11);
    kit.run(5);
    EXPECT_EQ(EventKit::values(pokkol, "DE"), doubles(0, 65));
    EventKit::set_value(others, 'Y', 3);
    kit.run(1);
    EXPECT_EQ(EventKit::values(pokkol, "DE"), doubles(1, -40));

    // Moved to the player's left, an idle Pokkol faces right.
    EventKit::set_value(far, 'D', 0);
    far->set_x(20);
    kit.run(1);
    EXPECT_EQ(far->get_direction(), 1);

    f().level_group_43 = false;
    kit.run(3);
    EXPECT_EQ(EventKit::value(far, 'E'), 1);
}

TEST_F(Pokkol, a_beaten_pokkol_bursts_into_a_keystone_an_explosion_and_four_pieces_where_its_fall_meets_the_ground)
{
    // Falling into the floor, resting on the barrier (a solid object), and
    // still rising through the floor.
    FrameObject* on_floor = place_box("EnemyPokkol_138", 100, floor_top + 4);
    FrameObject* barrier = kit.place("MinibossBarrier_308", 300, 100, playfield);
    FrameObject* on_barrier = kit.place("EnemyPokkol_138", barrier->get_x(), barrier->get_y(), playfield);
    FrameObject* rising = place_box("EnemyPokkol_138", 200, floor_top + 4);
    for (FrameObject* p : {on_floor, on_barrier, rising}) {
        p->alterables->flags |= 1 << 6;
        EventKit::set_value(p, 'Y', p == rising ? -2 : 0);
    }
    EventKit::set_value(on_floor, 'Y', 1);
    const int x = on_floor->x, y = on_floor->y;
    auto debris_frames = [this] {
        std::vector<int> frames;
        for (FrameObject* piece : kit.instances(types::EffectsDebris_266))
            frames.push_back(active(piece)->get_frame());
        return frames;
    };
    kit.run(1);

    EXPECT_EQ(sample_count(kit.take_sounds(), 26), 1);
    ASSERT_EQ(count(types::ObjectKeystone_278), 1);
    EXPECT_EQ(count(types::EffectsExplosion01_130), 1);
    EXPECT_EQ(debris_frames(), (std::vector<int>{5, 4, 3, 2}));
    FrameObject* keystone = kit.instance(types::ObjectKeystone_278);
    EXPECT_EQ(keystone->x, x);
    EXPECT_EQ(keystone->y, y);
    EXPECT_EQ(keystone->layer, on_floor->layer);
    EXPECT_EQ(EventKit::value(on_floor, 'A'), -1);
    EXPECT_EQ(EventKit::values(on_barrier, "AD"), doubles(8, 3));
    EXPECT_EQ(EventKit::values(rising, "AD"), doubles(8, 3));
    EXPECT_TRUE(active(rising)->test_animation(8));

    EventKit::set_value(on_barrier, 'Y', 0.5);  // now coming down onto the barrier
    kit.run(1);
    EXPECT_EQ(sample_count(kit.take_sounds(), 26), 1);
    EXPECT_EQ(count(types::ObjectKeystone_278), 2);
    EXPECT_EQ(count(types::EffectsDebris_266), 8);
    kit.run(1);
    EXPECT_EQ(kit.instances(types::EnemyPokkol_138), std::vector<FrameObject*>{rising});
    EXPECT_EQ(count(types::MinibossBarrier_308), 1);
}

TEST_F(Pokkol, out_of_health_it_is_beaten_flies_up_and_bursts_when_it_comes_down_on_the_floor)
{
    // With the enemy defeat events ahead of its own, as the acts call them.
    Events events;
    for (auto e : {&Frames::event_func_1831, &Frames::event_func_1832, &Frames::event_func_1833,
                   &Frames::event_func_1834, &Frames::event_func_1835, &Frames::event_func_1836,
                   &Frames::event_func_1837, &Frames::event_func_1838, &Frames::event_func_1900,
                   &Frames::event_func_1901, &Frames::event_func_1902, &Frames::event_func_1903,
                   &Frames::event_func_1904, &Frames::event_func_1905, &Frames::event_func_1906,
                   &Frames::event_func_1907, &Frames::event_func_1908, &Frames::event_func_1909,
                   &Frames::event_func_1910, &Frames::event_func_1911})
        events.push_back(e);
    run_events(events);
    FrameObject* pokkol = place_box("EnemyPokkol_138", 300, floor_top);
    const int y = pokkol->get_y();
    EventKit::set_value(pokkol, 'A', -1);  // the hit that took the last of its health
    kit.run(1);
    EXPECT_EQ(sample_count(kit.take_sounds(), 20), 1);
    EXPECT_EQ(EventKit::values(pokkol, "ADY"), doubles(0, 3, -2.75));
    EXPECT_EQ(pokkol->get_y(), y - 3);
    int ticks = 1;
    while (count(types::ObjectKeystone_278) == 0 && ticks < 100) {
        kit.run(1);
        ++ticks;
    }
    // Up 3 + 2.75 + ... and back down: the tick its fall reaches the floor.
    EXPECT_EQ(ticks, 29);
    EXPECT_EQ(sample_count(kit.take_sounds(), 26), 1);
    EXPECT_EQ(count(types::EffectsDebris_266), 4);
}
