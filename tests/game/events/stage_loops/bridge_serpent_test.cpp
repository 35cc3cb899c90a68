// A log bridge's sag along its two sine ramps, log by log, and the serpent
// of the boss set piece rising step by step and passing behind its rock.
#include "tests/game/events/stage_loops/gimmick_scene.h"

#include <cmath>

using gimmick_test::GimmickScene;
using gimmick_test::playfield;

namespace {

// The sag of a log at `angle` on a bridge `depth` deep: the sine of 180 is
// exactly 0.
double sag(double angle, double depth) { return (angle == 180 ? 0.0 : std::sin(angle / 57.29577951308232)) * depth; }

// Where each instance stands in its layer's drawing order (0 is drawn first).
int draw_place(const FrameObject* object)
{
    int place = 0;
    for (const FrameObject* o = object->layer->first; o && o != object; o = o->layer_next)
        ++place;
    return place;
}

class BridgeScene : public GimmickScene {
protected:
    void SetUp() override
    {
        GimmickScene::SetUp();
        // The logs where the act makes them, 56 below the bridge, and the
        // player standing on them, both within the bridge's box.
        player = kit.place("Player_87", 500, 138, playfield);
        bridge = kit.place("GimmickBridge12Logs_139", 500, 100, playfield);
        for (int number = 0; number < 12; ++number) {
            logs[number] = kit.place("GimmickBridgeLog_140", 500, 156, playfield);
            EventKit::set_value(logs[number], 'A', number);
            EventKit::set_value(logs[number], 'C', -7);
        }
        // Numbered like the fifth log, but off the bridge.
        stray = kit.place("GimmickBridgeLog_140", 2000, 156, playfield);
        EventKit::set_value(stray, 'A', 5);
        EventKit::set_value(stray, 'C', -7);
    }

    // The bridge's values as event 1857 leaves them, then the two loops as
    // events 1858 and 1859 start them.
    void sag_tick(int under_player, double depth, double left_step, double right_step)
    {
        for (const auto& [letter, value] : {std::pair{'A', double(under_player)}, {'B', depth}, {'C', 0.0},
                                            {'D', left_step}, {'E', 180.0}, {'F', right_step}})
            EventKit::set_value(bridge, letter, value);
        f().run_loop(f().fast_loop_gimmik_bridge12_rightside, 12 - under_player,
                     &Frames::loop_gimmik_bridge12_rightside_4);
        f().run_loop(f().fast_loop_gimmik_bridge12_leftside, under_player, &Frames::loop_gimmik_bridge12_leftside_4);
    }

    std::vector<double> sags() const
    {
        std::vector<double> result;
        for (FrameObject* log : logs)
            result.push_back(EventKit::value(log, 'C'));
        return result;
    }

    FrameObject *player = nullptr, *bridge = nullptr, *stray = nullptr;
    FrameObject* logs[12] = {};
};

}  // namespace

TEST_F(BridgeScene, the_logs_sag_along_a_ramp_from_each_end_to_the_players_log)
{
    sag_tick(3, 10, 20, 15);
    // From the right end in, 180 less 15 a log, down to the player's log 3;
    // from the left end, 180 less 20 a log, up to log 2.
    EXPECT_EQ(sags(), doubles(0, sag(160, 10), sag(140, 10), sag(60, 10), sag(75, 10), sag(90, 10), sag(105, 10),
                              sag(120, 10), sag(135, 10), sag(150, 10), sag(165, 10), 0));
    EXPECT_EQ(EventKit::values(bridge, "CE"), doubles(60, 45));
    EXPECT_EQ(EventKit::value(stray, 'C'), -7);

    // On the last log the right side is that log alone; on the first the
    // left side does not run.
    sag_tick(11, 8, 10, 30);
    EXPECT_EQ(sags(), doubles(0, sag(170, 8), sag(160, 8), sag(150, 8), sag(140, 8), sag(130, 8), sag(120, 8),
                              sag(110, 8), sag(100, 8), sag(90, 8), sag(80, 8), 0));
    sag_tick(0, 6, 10, 15);
    std::vector<double> right_only;
    for (int number = 0; number < 12; ++number)
        right_only.push_back(sag(180 - 15 * (11 - number), 6));
    EXPECT_EQ(sags(), right_only);

    // Nobody on the bridge: the loops run and write nothing.
    player->set_x(3000);
    for (FrameObject* log : logs)
        EventKit::set_value(log, 'C', -7);
    sag_tick(4, 10, 20, 15);
    EXPECT_EQ(sags(), std::vector<double>(12, -7));
    EXPECT_EQ(EventKit::values(bridge, "CE"), doubles(0, 180));
}

TEST_F(GimmickScene, the_serpent_rises_bobbing_a_quarter_as_fast_by_phase_from_110)
{
    f().level_group_68 = true;
    f().level_group_34 = true;
    FrameObject* still = kit.place("BossVashkelBody_274", 300, 100, playfield);  // phase 0
    FrameObject* level = kit.place("BossVashkelBody_274", 300, 100, playfield);
    EventKit::set_value(level, 'A', 45);  // 4 x 45 = 180: no bob
    EventKit::set_value(level, 'D', 600);
    auto bob = [](double a) { return std::abs(std::sin(4 * a / 57.29577951308232)); };
    each_tick = [](Frames& frames) {
        frames.run_loop(frames.fast_loop_serpent_step, 1, &Frames::loop_serpent_step_4);
    };
    // Without a head the segments stay.
    kit.run(2);
    EXPECT_EQ(EventKit::value(level, 'D'), 600);

    FrameObject* head = kit.place("BossVashkelHead_273", 300, 100, playfield);
    EventKit::set_value(head, 'A', 109);
    EventKit::set_value(head, 'D', 500);
    kit.run(1);
    double d = 500 - (bob(109.5) + 109.5 * 0.01);
    EXPECT_EQ(EventKit::values(head, "AD"), doubles(109.5, d));
    EXPECT_EQ(EventKit::value(level, 'D'), 600 - 45 * 0.01);
    // The step that reaches 110 adds the late step too and moves by the
    // quarter share.
    kit.run(1);
    d -= bob(110.125) + 110.125 * 0.01 * 0.25;
    EXPECT_EQ(EventKit::values(head, "AD"), doubles(110.125, d));
    EXPECT_EQ(EventKit::value(level, 'D'), 600 - 45 * 0.01 - 45 * 0.01 * 0.25);
    kit.run(1);
    d -= bob(110.25) + 110.25 * 0.01 * 0.25;
    EXPECT_EQ(EventKit::values(head, "AD"), doubles(110.25, d));
    EXPECT_EQ(EventKit::value(still, 'D'), 0);

    // A head starting at 0 moves in that step.
    EventKit::set_value(head, 'A', 0);
    EventKit::set_value(head, 'D', 500);
    kit.run(1);
    EXPECT_EQ(EventKit::values(head, "AD"), doubles(0.5, 500 - (bob(0.5) + 0.5 * 0.01)));

    // Out of the boss rise group nothing steps.
    f().level_group_34 = false;
    kit.run(2);
    EXPECT_EQ(EventKit::value(head, 'A'), 0.5);
}

TEST_F(GimmickScene, a_segment_risen_above_the_tagged_rock_is_drawn_behind_it)
{
    f().level_group_68 = true;
    f().level_group_34 = true;
    FrameObject* other_rock = kit.place("FrontRock1_276", 400, 300, playfield);
    FrameObject* rock = kit.place("FrontRock1_276", 400, 300, playfield);
    EventKit::set_value(rock, 'A', 2);
    FrameObject* risen = kit.place("BossVashkelBody_274", 400, 250, playfield);
    EventKit::set_value(risen, 'B', 1);
    FrameObject* below = kit.place("BossVashkelBody_274", 400, 300, playfield);  // at the rock's y
    EventKit::set_value(below, 'B', 2);
    FrameObject* elsewhere = kit.place("BossVashkelBody_274", 400, 250, playfield + 1);
    EventKit::set_value(elsewhere, 'B', 3);
    ASSERT_GT(draw_place(risen), draw_place(rock));

    f().run_loop(f().fast_loop_serpent_segments, 3, &Frames::loop_serpent_segments_4);
    EXPECT_EQ(draw_place(risen), draw_place(rock) - 1);
    EXPECT_GT(draw_place(below), draw_place(rock));
    EXPECT_EQ(draw_place(elsewhere), 0);
    EXPECT_LT(draw_place(other_rock), draw_place(rock));
}
