// The miniboss wakes when its body comes near the view and sways without
// drift; its legs hang on the body and on each other and swing with the
// sway; its turret turns to the player and fires its first volley 100 ticks
// into the fight, then every 275 ticks; it flashes while its weak spot is
// stunned; and once the weak spot's health is out it blows up, breaks apart
// and leaves two crystals with the way on open.
#include "tests/game/events/enemies_hud/enemy_scene.h"

#include <cmath>

using namespace enemy_test;

namespace {

class Miniboss : public EnemyScene {
protected:
    void SetUp() override
    {
        EnemyScene::SetUp();
        body = kit.place("MinibossSkalvidBase_305", 1000, 100, playfield);
        turret = kit.place("MinibossSkalvidTurret_306", 0, 0, playfield);
        weak_spot = kit.place("MinibossSkalvidWeakspot_307", 0, 0, playfield);
        for (const char* leg : {"MinibossSkalvidLeftLeg1_293", "MinibossSkalvidLeftLeg2_299",
                                "MinibossSkalvidLeftLeg3_301", "MinibossSkalvidRightLeg1_303",
                                "MinibossSkalvidRightLeg2_295", "MinibossSkalvidRightLeg3_297",
                                "MinibossSkalvidLeftLeg4_294", "MinibossSkalvidLeftLeg5_300",
                                "MinibossSkalvidLeftLeg6_302", "MinibossSkalvidRightLeg4_304",
                                "MinibossSkalvidRightLeg5_296", "MinibossSkalvidRightLeg6_298"})
            legs.push_back(kit.place(leg, 0, 0, playfield));
        railing = kit.place("MinibossRailing_292", 330, 120, playfield);
        kit.place("MinibossBarrier_308", 400, 100, playfield);
        f().level_group_57 = false;
        f().level_group_14 = true;
        f().level_group_52 = false;
        each_tick = [](Frames& frames) {
            // The gameplay tick counter another event keeps.
            frames.global_values->set(3, frames.global_values->get(3) + 1);
            frames.event_func_2001();
            if (frames.level_group_57 && frames.level_group_14)
                for (auto e : fight_events)
                    (frames.*e)();
            if (frames.level_group_57 && frames.level_group_52)
                for (auto e : defeat_events)
                    (frames.*e)();
        };
        kit.set_global(3, 0);
    }

    void wake() { body->set_global_position(200, 100); }

    static inline const Events fight_events = {
        &Frames::event_func_2002, &Frames::event_func_2003, &Frames::event_func_2004, &Frames::event_func_2005,
        &Frames::event_func_2006, &Frames::event_func_2007, &Frames::event_func_2008, &Frames::event_func_2009,
        &Frames::event_func_2010, &Frames::event_func_2011, &Frames::event_func_2012, &Frames::event_func_2013,
        &Frames::event_func_2014, &Frames::event_func_2015, &Frames::event_func_2016, &Frames::event_func_2017,
        &Frames::event_func_2018, &Frames::event_func_2019, &Frames::event_func_2020};
    static inline const Events defeat_events = {
        &Frames::event_func_2021, &Frames::event_func_2022, &Frames::event_func_2023, &Frames::event_func_2024,
        &Frames::event_func_2025, &Frames::event_func_2026, &Frames::event_func_2027, &Frames::event_func_2028};

    FrameObject *body = nullptr, *turret = nullptr, *weak_spot = nullptr, *railing = nullptr;
    std::vector<FrameObject*> legs;  // left 1-3, right 1-3, left 4-6, right 4-6
};

double swing_at(double phase) { return 25 * std::sin(phase / 57.29577951308232); }

}  // namespace

TEST_F(Miniboss, it_wakes_near_the_view_and_sways_down_then_evenly_up_and_down_without_drift)
{
    kit.run(5);
    EXPECT_FALSE(f().level_group_57);
    EXPECT_EQ(EventKit::value(body, 'B'), 0);
    wake();
    kit.run(1);  // the waking tick already sways
    EXPECT_TRUE(f().level_group_57);
    EXPECT_EQ(EventKit::values(body, "AC"), doubles(5, 2.2));
    EXPECT_EQ(body->get_y(), 100);  // the shown height lags a tick
    kit.run(54);
    EXPECT_EQ(EventKit::values(body, "AE"), doubles(275, -1));
    const double low = EventKit::value(body, 'B');
    EXPECT_NEAR(low - 100, 74.67, 0.005);
    kit.run(110);
    EXPECT_EQ(EventKit::values(body, "AE"), doubles(-275, 1));
    EXPECT_NEAR(low - EventKit::value(body, 'B'), 151.36, 0.005);
    const double high = EventKit::value(body, 'B');
    kit.run(1);
    EXPECT_EQ(body->get_y(), int(high));
    kit.run(109);
    EXPECT_NEAR(EventKit::value(body, 'B'), low, 1e-9);
    // Out of the view again, it fights on.
    body->set_global_position(3000, 100);
    kit.run(1);
    EXPECT_EQ(EventKit::value(body, 'A'), 270);
}

TEST_F(Miniboss, its_legs_hang_on_the_body_and_each_other_and_swing_with_the_sway_and_its_turret_aims)
{
    wake();
    kit.run(1);
    FrameObject *left1 = legs[0], *left2 = legs[1], *left3 = legs[2], *right1 = legs[3], *right4 = legs[9],
                *right6 = legs[11];
    // The chain as placement leaves it (the angles turn the action points
    // after it, in the same tick).
    f().event_func_2008();
    EXPECT_EQ(left1->get_x(), body->get_x() - 11);
    EXPECT_EQ(left1->get_y(), body->get_y());
    EXPECT_EQ(right1->get_x(), body->get_x() + 11);
    EXPECT_EQ(right4->get_x(), body->get_x() + 11);
    EXPECT_EQ(left2->get_x(), left1->get_action_x());
    EXPECT_EQ(left2->get_y(), left1->get_action_y());
    EXPECT_EQ(left3->get_x(), left2->get_action_x());
    EXPECT_EQ(turret->get_x(), body->get_action_x());
    EXPECT_EQ(turret->get_y(), body->get_action_y());
    EXPECT_EQ(weak_spot->get_x(), body->get_x());
    EXPECT_EQ(weak_spot->get_y(), body->get_y());
    const double s = swing_at(5);
    EXPECT_EQ(EventKit::value(left1, 'A'), 210 + s);
    EXPECT_EQ(EventKit::value(left3, 'A'), 0 - s);
    EXPECT_EQ(EventKit::value(right6, 'A'), 180 - s);
    EXPECT_EQ(active(left1)->get_angle(), 225);  // its class's angle until the next tick
    kit.run(1);
    EXPECT_EQ(active(left1)->get_angle(), 212);  // the angle worked out a tick before

    // The player straight above the turret, then straight below.
    put_player(turret->x, turret->y - 60);
    kit.run(1);
    EXPECT_EQ(turret->get_direction(), 8);
    put_player(turret->x, turret->y + 60);
    kit.run(1);
    EXPECT_EQ(turret->get_direction(), 24);
}

TEST_F(Miniboss, the_turret_fires_its_first_volley_100_ticks_into_the_fight_and_then_every_275_ticks)
{
    put_player(100, 180);
    wake();
    std::vector<int> volleys, shots;
    int through_solids = 0;
    for (int tick = 1; tick <= 420; ++tick) {
        const int pellets = count(types::EnemyPellet_261);
        kit.run(1);
        const std::vector<SoundStart> sounds = kit.take_sounds();
        if (sample_count(sounds, 58))
            volleys.push_back(tick);
        if (sample_count(sounds, 25)) {
            shots.push_back(tick);
            EXPECT_EQ(count(types::EnemyPellet_261), pellets + 1);
            FrameObject* pellet = kit.instance(types::EnemyPellet_261);
            through_solids += EventKit::flag(pellet, 1);
            EXPECT_EQ(pellet->get_direction(), turret->get_direction());
        }
        if (tick == 100) {
            EXPECT_TRUE(active(turret)->test_animation(7));
        }
        if (tick == 196) {
            EXPECT_FALSE(active(turret)->test_animation(7));
        }
    }
    EXPECT_EQ(volleys, (std::vector<int>{100, 375}));
    EXPECT_EQ(shots, (std::vector<int>{139, 153, 167, 181, 195, 414}));
    EXPECT_EQ(through_solids, 6);

    // Far from the view the clock stops, but not inside a volley: its last
    // four shots still come.
    body->set_global_position(3000, 100);
    kit.run(200);
    EXPECT_EQ(sample_count(kit.take_sounds(), 25), 4);
    EXPECT_EQ(EventKit::value(turret, 'A'), -80);
}

TEST_F(Miniboss, it_flashes_while_stunned_and_its_defeat_explodes_breaks_it_up_and_clears_the_arena)
{
    wake();
    kit.run(1);
    EXPECT_EQ(body->shader, 0);
    // Two hits: the flash lasts while the stun does.
    for (int hit = 0; hit < 2; ++hit) {
        EventKit::set_value(weak_spot, 'A', 40 - 10 * hit);
        EventKit::set_value(weak_spot, 'C', 5);
        kit.run(3);
        EXPECT_EQ(body->shader, 17);
        EventKit::set_value(weak_spot, 'C', 0);
        kit.run(1);
        EXPECT_EQ(body->shader, 0);
    }
    // The last hit overshoots: the fight stops and the defeat runs in that tick.
    EventKit::set_value(weak_spot, 'A', -2);
    EventKit::set_value(weak_spot, 'C', 5);
    kit.set_global(3, 3);  // the next tick counts 4: three ticks to the first blast
    kit.run(1);
    EXPECT_FALSE(f().level_group_14);
    EXPECT_TRUE(f().level_group_52);
    EXPECT_TRUE(active(body)->test_animation(10));
    EXPECT_EQ(body->shader, 0);
    const int left1_x = legs[0]->get_x(), left1_y = legs[0]->get_y();

    // 21 small blasts on every seventh tick, each within 20 and 30 pixels
    // of the body; the break-up on the tick of the 21st.
    int tick = 1;
    std::vector<int> blast_ticks;
    while (tick < 400) {
        const double blasts = EventKit::value(body, 'G');
        kit.run(1);
        ++tick;
        if (EventKit::value(body, 'G') > blasts) {
            blast_ticks.push_back(tick);
            FrameObject* blast = kit.instance(types::EffectsExplosion06_291);
            EXPECT_LE(std::abs(blast->get_x() - body->get_x()), 20);
            EXPECT_LE(std::abs(blast->get_y() - body->get_y()), 30);
        }
        if (sample_count(kit.take_sounds(), 34)) {
            EXPECT_EQ(EventKit::value(body, 'G'), 21);
            EXPECT_EQ(kit.instance(types::EffectShade_309)->y, body->y + 21);
            kit.run(1);
            break;
        }
        EXPECT_EQ(legs[0]->get_x(), left1_x);
        EXPECT_TRUE(legs[0]->flags & FrameObject::VISIBLE);
    }
    ASSERT_EQ(blast_ticks.size(), 21u);
    EXPECT_EQ(blast_ticks.front(), 4);
    EXPECT_EQ(blast_ticks.back() - blast_ticks.front(), 140);
    EXPECT_EQ(count(types::MinibossSkalvidTurret_306), 0);

    // The first tick without a body: the legs fly, shown two ticks, hidden two.
    EXPECT_EQ(legs[0]->get_x(), left1_x - 3);
    EXPECT_EQ(legs[0]->get_y(), left1_y - 5);
    std::vector<bool> shown = {bool(legs[5]->flags & FrameObject::VISIBLE)};
    for (int k = 2; k <= 40; ++k) {
        kit.run(1);
        if (k <= 6)
            shown.push_back(legs[5]->flags & FrameObject::VISIBLE);
    }
    EXPECT_EQ(shown, (std::vector<bool>{true, true, false, false, true, true}));
    EXPECT_EQ(EventKit::value(railing, 'G'), 40);
    EXPECT_EQ(count(types::ObjectCrystal_239), 0);

    // The 41st: two crystals at the railing, the rest and the barrier gone.
    const int railing_x = railing->x, railing_y = railing->y;
    kit.run(1);
    EXPECT_EQ(sample_count(kit.take_sounds(), 36), 1);
    std::vector<std::pair<int, int>> crystals;
    for (FrameObject* crystal : kit.instances(types::ObjectCrystal_239))
        crystals.emplace_back(crystal->x, crystal->y);
    EXPECT_EQ(crystals, (std::vector<std::pair<int, int>>{{railing_x, railing_y + 12}, {railing_x, railing_y + 36}}));
    kit.run(30);
    EXPECT_EQ(count(types::MinibossBarrier_308), 0);
    EXPECT_EQ(count(types::MinibossSkalvidWeakspot_307), 0);
    EXPECT_EQ(count(types::MinibossSkalvidLeftLeg1_293), 0);
    EXPECT_EQ(count(types::MinibossRailing_292), 0);
    EXPECT_EQ(count(types::ObjectCrystal_239), 2);
    EXPECT_EQ(sample_count(kit.take_sounds(), 36), 0);
}
