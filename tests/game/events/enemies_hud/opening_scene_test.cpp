// Act 1's opening scene on a frame of the act's size holding the scene's
// objects, with the level's tick counter and the scene's events run as the
// act runs them: the boss rises on its swaying path with the rumble and the
// camera on its head, hands over at progress 120; its
// rider climbs, shows, jumps, dashes off past a launched plane, the card
// darkens and control is handed back.
#include "game/objects/type_ids.h"
#include "objects/active.h"
#include "tests/game/events/act1_frame/act1_start_kit.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

double v(const FrameObject* object, char letter) { return EventKit::value(object, letter); }

using Event = void (Frames::*)();
const Event scene_events[] = {
    &Frames::event_func_1965, &Frames::event_func_1966, &Frames::event_func_1967, &Frames::event_func_1968,
    &Frames::event_func_1969, &Frames::event_func_1970, &Frames::event_func_1971, &Frames::event_func_1972,
    &Frames::event_func_1973, &Frames::event_func_1974, &Frames::event_func_1975, &Frames::event_func_1976,
    &Frames::event_func_1977, &Frames::event_func_1978, &Frames::event_func_1979, &Frames::event_func_1980,
    &Frames::event_func_1981, &Frames::event_func_1982, &Frames::event_func_1983, &Frames::event_func_1984,
    &Frames::event_func_1985, &Frames::event_func_1986, &Frames::event_func_1987, &Frames::event_func_1988,
    &Frames::event_func_1989, &Frames::event_func_1990, &Frames::event_func_1991, &Frames::event_func_1992,
    &Frames::event_func_1993, &Frames::event_func_1994, &Frames::event_func_1995, &Frames::event_func_1996};

double sway(double p) { return (120 - 0.4 * p) * (4 * p == 180 ? 0 : std::sin(4 * p / 57.29577951308232)) + 0.7 * p; }

}  // namespace

TEST(OpeningScene, the_boss_rises_and_its_rider_dashes_off_before_control_is_handed_back)
{
    EventKit kit;
    Frames& f = kit.frames();
    constexpr int home_x = 3000, home_y = 1400;
    EmptyFrame frame = act1_test::act_frame(
        [&kit](Frames& f) {
            f.run_once_1965 = f.run_once_1982 = f.run_once_1984 = f.run_once_1989 = f.run_once_1992 = 0;
            f.level_group_68 = f.level_group_34 = f.level_group_25 = true;
            f.level_group_60 = false;
            kit.place("BossVashkelHead_273", home_x, home_y, 2);
            for (int i = 1; i <= 7; ++i)
                kit.place("BossVashkelBody_274", home_x + 20 * i, home_y, 2);
            for (int i = 0; i < 5; ++i)
                kit.place("FrontRock1_276", home_x - 128 + 64 * i, home_y - 200, 2);
            kit.place("NPCVashkel_275", home_x, home_y - 400, 2);
            kit.place("LevelCardFade_208", 0, 0, 6);
            FrameObject* camera = kit.place("MasterCamera_190", -100, -100);
            EventKit::set_value(camera, 'X', 213);
            EventKit::set_value(camera, 'Y', 120);
        },
        nullptr);
    frame.handler = [](Frames& f) {
        f.event_func_1964();
        for (const Event event : scene_events)
            (f.*event)();
    };
    kit.enter_empty_frame(frame);
    FrameObject* head = kit.instance(types::BossVashkelHead_273);
    const std::vector<FrameObject*> segments = kit.instances(types::BossVashkelBody_274);
    kit.take_sounds();

    // The scene's first tick: the segments numbered newest first, the
    // head's home kept, the pause menu and camera limits off, the view on
    // the head.
    for (size_t i = 0; i < segments.size(); ++i)
        EXPECT_EQ(v(segments[i], 'B'), double(segments.size() - i));
    EXPECT_EQ(EventKit::values(head, "CD"), doubles(home_x, home_y));
    EXPECT_FALSE(f.level_group_25);
    EXPECT_FALSE(f.level_group_8);
    EXPECT_EQ(static_cast<Active*>(segments[0])->x_scale, float(1.2 - 0.05 * 7));
    EXPECT_EQ(static_cast<Active*>(segments[6])->x_scale, 1.0f);

    // The rise: the head sways about its home by its progress, each segment
    // 4 units a segment behind (never below -30); the rumble on ticks whose
    // counter ends in 5 (mod 10), from progress 110 on (mod 15).
    int ticks = 1;
    while (f.level_group_34 && ticks < 400) {
        const double progress = v(head, 'A');
        kit.run(1);
        ++ticks;
        ASSERT_EQ(head->get_x(), int(home_x + sway(progress))) << ticks;
        const double lag = std::max(progress - 4 * v(segments[6], 'B'), -30.0);
        ASSERT_EQ(v(segments[6], 'A'), lag);
        ASSERT_EQ(segments[6]->get_x(), int(home_x + sway(lag)));
        const int counter = int(kit.global(3));
        const bool rumble = v(head, 'A') < 110 ? counter % 10 == 5 : counter % 15 == 5;
        ASSERT_EQ(sample_count(kit.take_sounds(), 31), rumble ? 1 : 0) << ticks;
    }
    // From the head's start at -30, 0.5 a step: 110.125 on tick 280, then
    // 0.125 a step to 120 on tick 359, the hand-over.
    EXPECT_EQ(ticks, 359);
    EXPECT_EQ(v(head, 'A'), 120);
    EXPECT_TRUE(f.level_group_60);
    EXPECT_LT(head->get_y(), home_y);

    // The cut-scene: the rider climbs from 40 behind the head, shows,
    // jumps, dashes with the burst, the sample and a plane, leaves the view
    // and the card darkens; then the scene's group goes and control returns.
    FrameObject* rider = kit.instance(types::NPCVashkel_275);
    std::vector<double> phases;
    int shown_at = 0, jumps = 0, bursts = 0;
    int plane_direction = -1;
    double plane_depth = 0;
    while (f.level_group_68 && ticks < 1500) {
        const size_t planes = kit.instances(types::LevelBackgroundPlane2_352).size();
        kit.run(1);
        ++ticks;
        if (!shown_at && (rider->flags & FrameObject::VISIBLE))
            shown_at = ticks;
        if (phases.empty() || phases.back() != v(rider, 'B'))
            phases.push_back(v(rider, 'B'));
        jumps += sample_count(kit.take_sounds(), 52);
        bursts = std::max(bursts, int(kit.instances(types::EffectsWhiteBurst_31).size()));
        if (kit.instances(types::LevelBackgroundPlane2_352).size() > planes) {
            plane_direction = kit.instance(types::LevelBackgroundPlane2_352)->get_direction();
            plane_depth = v(kit.instance(types::LevelBackgroundPlane2_352), 'C');
        }
    }
    EXPECT_FALSE(f.level_group_68);
    // The cut-scene starts in the tick of the hand-over, the rider at 80 and
    // climbing 0.5 a tick: visible once past 85, 10 ticks later.
    EXPECT_EQ(shown_at, 359 + 10);
    EXPECT_EQ(phases, doubles(0, 1, 2, 3));
    EXPECT_EQ(jumps, 1);
    EXPECT_EQ(bursts, 1);
    EXPECT_EQ(plane_direction, 4);
    EXPECT_EQ(plane_depth, -5);
    EXPECT_LE(v(kit.instance(types::LevelCardFade_208), 'A'), 0);
    EXPECT_TRUE(f.level_group_25);
    EXPECT_TRUE(f.level_group_8);
    EXPECT_EQ(v(kit.instance(types::MasterCamera_190), 'Z'), 0);
}
