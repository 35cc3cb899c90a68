// Log bridges: standing on a bridge, the logs ease a fifth of the way a tick
// towards a sag that is 0 at both banks and deepest near the player's log,
// largest in the middle of the span; in the air the targets are 0 and the
// logs ease back up; under the water shield's dash they take the sag at
// once; off the bridge they are left where they are.
#include "game/objects/type_ids.h"
#include "tests/game/events/act1_frame/act1_start_kit.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

double v(const FrameObject* object, char letter) { return EventKit::value(object, letter); }
void set(FrameObject* object, char letter, double number) { EventKit::set_value(object, letter, number); }

double sine(double degrees) { return degrees == 180 ? 0 : std::sin(degrees / 57.29577951308232); }

// The stand-in bridge's picture starts at its x, the span's left end, and
// holds its box 44 to 60 below its y: the logs, made 56 below it, and the
// feet of a player standing on them.
constexpr int bridge_x = 1000, bridge_y = 544, rest_y = bridge_y + 56;
constexpr int standing_y = rest_y - 8 - 10;

// The targets for a player `dx` from the bridge's left end, as the sag
// loops step their angles: from the right bank down to the player's log,
// from the left bank up to the one before it.
std::vector<double> targets(int dx, double depth)
{
    const double under = std::floor(std::abs(dx) / 16.0);
    const double sag = depth * std::max(1 - std::abs(dx - 96) / 96.0, 0.0);
    std::vector<double> out(12, 0.0);
    double angle = 180;
    for (int log = 11; log >= under; --log, angle -= (12 - under == 0 ? 0 : 90 / (12 - under)))
        out[size_t(log)] = sine(angle) * sag;
    angle = 0;
    for (int log = 0; log < under; ++log, angle += (under == 0 ? 0 : 90 / under))
        out[size_t(log)] = sine(180 - angle) * sag;
    return out;
}

}  // namespace

TEST(LogBridges, the_logs_ease_into_a_sag_under_the_player_and_back_when_it_leaves_the_ground)
{
    EventKit kit;
    FrameObject *values = nullptr, *player = nullptr, *bridge = nullptr, *shield = nullptr;
    std::vector<FrameObject*> logs;
    EmptyFrame frame = act1_test::act_frame(
        [&](Frames&) {
            values = kit.place("PlayerMovementValues_80", -500, -500);
            shield = kit.place("ShieldWater_106", -500, -500);
            player = kit.place("Player_87", -500, -500, 2);
            bridge = kit.place("GimmickBridge12Logs_139", bridge_x, bridge_y, 2);
            // The logs on the bridge's span, numbered from the left bank.
            for (int i = 0; i < 12; ++i) {
                logs.push_back(kit.place("GimmickBridgeLog_140", bridge_x + 16 * i, rest_y, 2));
                set(logs.back(), 'A', i);
                set(logs.back(), 'B', rest_y);
            }
        },
        nullptr);
    frame.handler = [](Frames& f) {
        f.set_display_center(bridge_x, rest_y);
        for (auto event : {&Frames::event_func_1856, &Frames::event_func_1857, &Frames::event_func_1858,
                           &Frames::event_func_1859, &Frames::event_func_1860, &Frames::event_func_1861,
                           &Frames::event_func_1862})
            (f.*event)();
    };
    kit.enter_empty_frame(frame);
    set(values, 'L', 1);
    std::vector<double> sag(12, 0.0);
    auto expect_logs = [&](const char* where) {
        for (size_t i = 0; i < 12; ++i) {
            ASSERT_EQ(v(logs[i], 'D'), sag[i]) << where << " log " << i;
            ASSERT_EQ(logs[i]->get_y(), int(rest_y + sag[i])) << where << " log " << i;
        }
    };
    auto step = [&](int dx, bool standing) {
        const std::vector<double> target = standing ? targets(dx, 16) : std::vector<double>(12, 0.0);
        for (size_t i = 0; i < 12; ++i)
            sag[i] = sag[i] + (target[i] - sag[i]) * 0.2;
        kit.run(1);
    };

    // In the middle: log 6 under the feet, the full depth, 15 degrees a log.
    player->set_position(bridge_x + 96, standing_y);
    for (int t = 0; t < 5; ++t) {
        step(96, true);
        expect_logs("middle");
    }
    EXPECT_EQ(EventKit::values(bridge, "ABDF"), doubles(6, 16, 15, 15));
    EXPECT_GT(logs[6]->get_y(), logs[1]->get_y());
    // Further right: log 6 still, but a shallower sag.
    player->set_position(bridge_x + 100, standing_y);
    step(100, true);
    expect_logs("right");
    EXPECT_EQ(EventKit::values(bridge, "AB"), doubles(6, 16 * (1 - 4 / 96.0)));
    // At the left end nothing sags any more.
    player->set_position(bridge_x, standing_y);
    for (int t = 0; t < 3; ++t) {
        step(0, true);
        expect_logs("left end");
    }
    // In the air the logs ease back up.
    player->set_position(bridge_x + 64, standing_y);
    step(64, true);
    set(values, 'L', 0);
    for (int t = 0; t < 3; ++t) {
        step(64, false);
        expect_logs("air");
    }
    // The water shield's dash: the logs take the sag at once.
    set(values, 'L', 1);
    set(shield, 'A', 2);
    kit.run(1);
    sag = targets(64, 16);
    expect_logs("dash");
    // Off the bridge the logs are not placed, though they ease back.
    set(shield, 'A', 0);
    player->set_position(bridge_x + 400, standing_y);
    kit.run(2);
    EXPECT_EQ(logs[4]->get_y(), int(rest_y + sag[4]));
    EXPECT_LT(v(logs[4], 'D'), sag[4]);
}
