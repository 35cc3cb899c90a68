// Sinking platforms pressed: the platform under the player dips 1.8, 3.24,
// 4.392 ... towards 9; the ones sharing its link number dip as far as it had
// before the tick's easing; the water shield's dash pushes it to 8 at once;
// every platform is put down by its whole dip. Between ticks the test takes
// the dips back and clears the hold marks, as the start of a tick does.
#include "game/frames/event_support.h"
#include "game/objects/type_ids.h"
#include "tests/game/events/act1_frame/act1_start_kit.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

double v(const FrameObject* object, char letter) { return EventKit::value(object, letter); }
void set(FrameObject* object, char letter, double number) { EventKit::set_value(object, letter, number); }

constexpr int rest_y = 500;

}  // namespace

TEST(SinkingPlatforms, the_pressed_platform_and_its_linked_ones_dip_together_and_are_put_down_by_the_whole_dip)
{
    EventKit kit;
    FrameObject *values = nullptr, *gimmicks = nullptr, *shield = nullptr, *sensor = nullptr;
    std::vector<FrameObject*> platforms;
    EmptyFrame frame = act1_test::act_frame(
        [&](Frames& f) {
            act1_test::set_group(f, f.qualifier_6, {types::LevelValleyPlatform1_149});
            values = kit.place("PlayerMovementValues_80", -500, -500);
            gimmicks = kit.place("PlayerGimmickActions_150", -500, -500);
            shield = kit.place("ShieldWater_106", -500, -500);
            sensor = kit.place("PlayerSensorBottomBig_95", -500, -500, 2);
            // Links 3, 3, 0 and 5.
            for (int i = 0; i < 4; ++i)
                platforms.push_back(kit.place("LevelValleyPlatform1_149", 200 * (i + 1), rest_y, 2));
        },
        nullptr);
    frame.handler = [](Frames& f) {
        for (auto event : {&Frames::event_func_1895, &Frames::event_func_1896, &Frames::event_func_1897,
                           &Frames::event_func_1898, &Frames::event_func_1899})
            (f.*event)();
    };
    kit.enter_empty_frame(frame);
    const double links[] = {3, 3, 0, 5};
    for (int i = 0; i < 4; ++i)
        set(platforms[size_t(i)], 'L', links[i]);
    set(values, 'L', 1);
    auto tick = [&] {
        for (FrameObject* platform : platforms) {
            platform->set_y(rest_y);
            set_flag(platform, 2, false);
        }
        set(gimmicks, 'G', 0);
        kit.run(1);
    };
    auto dips = [&] {
        std::vector<double> out;
        for (FrameObject* platform : platforms) {
            out.push_back(v(platform, 'S'));
            EXPECT_EQ(platform->get_y(), rest_y + int(std::floor(v(platform, 'S'))));
        }
        return out;
    };

    // On the first platform: it eases, its partner follows a tick behind.
    sensor->set_position(204, 500);
    double pressed = 0;
    for (int t = 0; t < 3; ++t) {
        const double before = pressed;
        pressed += (9 - pressed) * 0.2;
        tick();
        EXPECT_EQ(dips(), doubles(pressed, before, 0, 0)) << t;
        EXPECT_EQ(EventKit::values(gimmicks, "GH"), doubles(3, before));
    }
    // The water shield's dash: at least 8 at once; the partner takes the
    // eased dip from before the raise.
    set(shield, 'A', 2);
    const double eased = pressed + (9 - pressed) * 0.2;
    tick();
    EXPECT_EQ(dips(), doubles(8, eased, 0, 0));
    set(shield, 'A', 0);

    // On the unlinked platform nothing else follows; the others keep their
    // dips (no decay here) and are still put down by them.
    sensor->set_position(604, 500);
    tick();
    EXPECT_EQ(dips(), doubles(8, eased, 1.8, 0));
    EXPECT_EQ(v(gimmicks, 'G'), 0);
    // In the air nothing is pressed.
    set(values, 'L', 0);
    tick();
    EXPECT_EQ(dips(), doubles(8, eased, 1.8, 0));
}
