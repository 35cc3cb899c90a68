// The game loop driven tick by tick with a fixed step of 1/60 s.
#include "console/pads.h"
#include "platform/input.h"
#include "runtime/manager.h"
#include "runtime/values.h"
#include "tests/runtime/runtime_fixtures.h"
#include "tests/support/drawing.h"
#include "tests/support/volumes.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

// Starts the manager on a recording frame; the log starts empty after init.
// A game of a few start values.
constexpr GlobalStart loop_value_starts[] = {{8, 5}};
const char* const loop_string_starts[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "x", "eng"};

struct Loop {
    TempVolumes volumes;
    RecordingFrame frame;
    GameDescription game;
    std::string start_output;

    Loop()
    {
        write_program_assets(volumes.content);
        game.frames = &frame;
        game.frame_count = 9;
        game.global_value_count = 33;
        game.global_value_starts = loop_value_starts;
        game.global_string_starts = loop_string_starts;
        manager.fps_limit.set_fixed_step(1.0 / 60.0);
        start_output = console_output_of([&] { manager.init(game); });
    }
    ~Loop()
    {
        manager.frame->reset();
        manager.frame = nullptr;
        manager.fps_limit.set_fixed_step(0.0);
    }
    std::vector<std::string> tick()
    {
        frame.log.clear();
        EXPECT_EQ(manager.update(), 1);
        return frame.log;
    }
};

using Log = std::vector<std::string>;

}  // namespace

TEST(GameLoop, starts_on_frame_zero_and_runs_the_set_up_path_then_the_later_path)
{
    Loop loop;
    EXPECT_NE(loop.start_output.find("Setting frame: 0\nFrame set\n"), std::string::npos) << loop.start_output;
    // The very first change finds no frame: no on_end.
    EXPECT_EQ(loop.frame.log, Log{});
    EXPECT_EQ(manager.lives, 3);
    EXPECT_FALSE(manager.player_died);

    EXPECT_EQ(loop.tick(), (Log{"0:init", "update_objects", "0:on_start", "0:handle_events"}));
    EXPECT_EQ(loop.frame.loop_count, 1);
    EXPECT_EQ(loop.tick(), (Log{"0:handle_pre_events", "update_objects", "0:handle_events"}));
    EXPECT_EQ(loop.tick(), (Log{"0:handle_pre_events", "update_objects", "0:handle_events"}));
    EXPECT_EQ(loop.frame.loop_count, 3);
    // The first tick runs with a step of 0, the others with the fixed step.
    EXPECT_EQ(loop.frame.frame_time, 2.0 * double(float(1.0 / 60.0)));
}

TEST(GameLoop, a_frame_change_takes_effect_at_the_start_of_the_next_tick_and_the_last_request_wins)
{
    Loop loop;
    loop.tick();
    loop.frame.events = [](RecordingFrame& frame) {
        frame.next_frame = 3;
        frame.next_frame = 5;
        frame.events = nullptr;
    };
    EXPECT_EQ(loop.tick(), (Log{"0:handle_pre_events", "update_objects", "0:handle_events"}));
    EXPECT_EQ(loop.frame.index, 0);

    std::string output;
    Log log;
    output = console_output_of([&] { log = loop.tick(); });
    EXPECT_EQ(log, (Log{"0:on_end", "5:init", "update_objects", "5:on_start", "5:handle_events"}));
    EXPECT_EQ(output, "Setting frame: 5\nFrame set\n");
    EXPECT_EQ(loop.frame.index, 5);
    EXPECT_EQ(loop.frame.next_frame, -1);
    EXPECT_EQ(loop.frame.loop_count, 1);
}

TEST(GameLoop, a_restart_returns_to_frame_zero_with_fresh_globals_and_keeps_lives)
{
    Loop loop;
    loop.tick();
    manager.values->set(8, 99.0);
    manager.values->set(40, 1.0);
    manager.strings->set(11, "fra");
    manager.lives = 1;
    manager.ignore_controls = true;
    loop.frame.events = [](RecordingFrame& frame) {
        frame.restart();
        frame.events = nullptr;
    };
    loop.tick();
    std::string output;
    Log log;
    output = console_output_of([&] { log = loop.tick(); });
    EXPECT_EQ(output, "Setting frame: 0\nFrame set\n");
    EXPECT_EQ(log, (Log{"0:on_end", "0:init", "update_objects", "0:on_start", "0:handle_events"}));
    EXPECT_EQ(manager.values->size(), 33u);
    EXPECT_EQ(manager.values->get(8), 5.0);
    EXPECT_EQ(manager.strings->get(11), "eng");
    EXPECT_EQ(loop.frame.global_values, manager.values);
    EXPECT_EQ(manager.lives, 1);
    EXPECT_FALSE(manager.ignore_controls);
}

TEST(GameLoop, destroyed_instances_stay_in_their_lists_until_the_next_ticks_clean_up)
{
    Loop loop;
    FrameObject* doomed = nullptr;
    std::vector<int> counts_in_update;
    loop.frame.events = [&](RecordingFrame& frame) {
        doomed = frame.add_object(make_instance(10, 10, 7), 0);
        doomed->destroy();
        frame.events = nullptr;
    };
    loop.frame.objects = [&](RecordingFrame& frame) { counts_in_update.push_back(frame.instances[7].size()); };
    loop.tick();
    // Destroyed during the first tick: still in its list and its layer.
    EXPECT_EQ(loop.frame.instances[7].size(), 1);
    EXPECT_EQ(loop.frame.layers[0].instance_count, 1);
    EXPECT_EQ(loop.frame.destroyed_instances.size(), 1u);
    loop.frame.events = [&](RecordingFrame& frame) { counts_in_update.push_back(frame.instances[7].size()); };
    loop.tick();
    // The second tick's object update still saw it; its events did not.
    EXPECT_EQ(counts_in_update, (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(loop.frame.layers[0].instance_count, 0);
    EXPECT_TRUE(loop.frame.destroyed_instances.empty());
    EXPECT_EQ(loop.frame.instances[7].back, nullptr);
}

TEST(GameLoop, shut_down_ends_the_frame_and_the_console_exit_ends_the_loop)
{
    Loop loop;
    loop.tick();
    loop.frame.log.clear();
    manager.shut_down();
    EXPECT_EQ(loop.frame.log, (Log{"0:on_app_end", "0:on_end"}));
}

TEST(GameLoop, global_start_values_follow_the_description)
{
    const GlobalStart starts[] = {{1, 5}, {3, -2.5}};
    const char* const texts[] = {"a", "bc"};
    GameDescription game;
    game.global_value_count = 4;
    game.global_value_starts = starts;
    game.global_string_starts = texts;
    GlobalValues values;
    GlobalStrings strings;
    values.set(6, 9.0);
    setup_globals(game, &values, &strings);
    EXPECT_EQ(values.size(), 7u);
    const double expected[4] = {0, 5, 0, -2.5};
    for (unsigned i = 0; i < 4; ++i)
        EXPECT_EQ(values.get(i), expected[i]) << i;
    ASSERT_EQ(strings.size(), 2u);
    EXPECT_EQ(strings.get(1), "bc");
}

namespace {
double fake_now = 0.0;
double fake_clock()
{
    return fake_now;
}
}  // namespace

TEST(FrameTimer, long_ticks_run_as_one_nominal_tick_and_a_clock_going_back_gives_a_millisecond)
{
    FPSLimiter limiter;
    limiter.set_clock(fake_clock);
    fake_now = 10.0;
    limiter.start();
    limiter.set(60);
    EXPECT_EQ(limiter.dt, 0.0);
    fake_now = 11.5;
    limiter.finish();
    EXPECT_EQ(limiter.dt, 1.0 / 60);
    fake_now = 12.5;
    limiter.finish();
    EXPECT_EQ(limiter.dt, 1.0);
    fake_now = 12.25;
    limiter.finish();
    EXPECT_EQ(limiter.dt, 0.001);
    fake_now = 12.5;
    limiter.finish();
    EXPECT_EQ(limiter.dt, 0.25);
}

TEST(GameLoop, the_next_ticks_time_step_is_the_measured_one)
{
    Loop loop;
    manager.fps_limit.set_fixed_step(0.0);
    manager.fps_limit.set_clock(fake_clock);
    fake_now = 100.0;
    manager.fps_limit.start();
    fake_now = 100.5;
    loop.tick();  // measures 0.5 s
    EXPECT_EQ(manager.frame_time, 0.0f);
    fake_now = 103.0;
    loop.tick();
    EXPECT_EQ(manager.frame_time, 0.5f);
    loop.tick();
    EXPECT_EQ(manager.frame_time, float(1.0 / 60));  // the 2.5 s tick
    manager.fps_limit.set_clock(nullptr);
}

TEST(GameLoop, the_joystick_flags_and_the_touch_follow_a_controller_script_tick_by_tick)
{
    Loop loop;
    ASSERT_TRUE(pads_use_script("1 gamepad UP\n"
                                "2 gamepad UP RIGHT B\n"
                                "3 gamepad stick 1 0\n"
                                "4 gamepad touch 640 360\n"
                                "5 gamepad touch 640 360\n"
                                "6 gamepad ZR\n"
                                "7 gamepad -\n",
                                "test script"));
    constexpr uint32_t up_button = 16u << 11, right_button = 16u << 14, button_1 = 16u;
    // The d-pad also drives the axes, so it sets the direction flags too.
    loop.tick();
    EXPECT_EQ(manager.joystick_flags, up_button | CONTROL_UP);
    EXPECT_EQ(manager.joystick_press_flags, up_button | CONTROL_UP);
    EXPECT_EQ(get_joystick_dpad_degrees(1), 90);
    EXPECT_EQ(get_joystick_direction(1), 2);

    loop.tick();
    EXPECT_EQ(manager.joystick_flags, up_button | right_button | button_1 | CONTROL_UP | CONTROL_RIGHT);
    EXPECT_EQ(manager.joystick_press_flags, right_button | button_1 | CONTROL_RIGHT);
    EXPECT_EQ(get_joystick_direction(1), 1);
    EXPECT_EQ(manager.joystick_release_flags, 0u);
    EXPECT_EQ(get_joystick_dpad_degrees(1), 45);
    EXPECT_TRUE(is_joystick_pressed_once(1, 1));
    EXPECT_FALSE(is_joystick_pressed_once(1, 12));

    loop.tick();
    EXPECT_EQ(get_joystick_direction(1), 0);
    EXPECT_EQ(get_joystick_x(1), 1000);
    EXPECT_EQ(manager.joystick_flags & 0xF, uint32_t(CONTROL_RIGHT));
    EXPECT_EQ(manager.joystick_release_flags, up_button | button_1 | CONTROL_UP);
    EXPECT_EQ(manager.player_flags, 0u);

    loop.tick();
    EXPECT_TRUE(is_mouse_pressed_once(1));
    EXPECT_EQ(manager.mouse_x, 213);
    EXPECT_EQ(manager.mouse_y, 120);
    EXPECT_EQ(loop.frame.get_mouse_x(), 213);
    loop.tick();
    EXPECT_TRUE(is_mouse_pressed(1));
    EXPECT_FALSE(is_mouse_pressed_once(1));
    loop.tick();
    EXPECT_FALSE(is_mouse_pressed(1));
    EXPECT_EQ(get_joystick_z(1), -1000);
    loop.tick();
    EXPECT_EQ(get_joystick_z(1), 0);
    EXPECT_EQ(manager.joystick_flags, 0u);
    pads_set_source(nullptr);
}

TEST(GameLoop, a_request_for_a_frame_that_does_not_exist_is_refused_once_with_a_line)
{
    Loop loop;
    loop.tick();
    loop.frame.events = [](RecordingFrame& frame) {
        frame.next_frame = 12;
        frame.events = nullptr;
    };
    loop.tick();
    std::string output;
    Log log;
    output = console_output_of([&] { log = loop.tick(); });
    EXPECT_EQ(output, "Invalid frame index: 12\n");
    EXPECT_EQ(log, (Log{"0:handle_pre_events", "update_objects", "0:handle_events"}));
    EXPECT_EQ(loop.frame.next_frame, -1);
    output = console_output_of([&] { loop.tick(); });
    EXPECT_EQ(output, "");
}
