#include "console/options.h"
#include "console/pads.h"
#include "console/procui.h"
#include "platform/display_mode.h"
#include "platform/input.h"
#include "platform/platform.h"
#include "tests/support/volumes.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// Each test starts from the program's start state with a script of its own.
void use_script(const std::string& text)
{
    console_options().ticks = -1;
    platform_reset_controllers();
    platform_install_hooks(PlatformHooks());
    WPADEnableURCC(1);
    ASSERT_TRUE(pads_use_script(text, "test"));
}

struct Mouse {
    int x, y;
    bool operator==(const Mouse&) const = default;
};

Mouse mouse_after_poll()
{
    platform_poll_events();
    Mouse mouse{0, 0};
    platform_get_mouse_pos(&mouse.x, &mouse.y);
    return mouse;
}

// The generic buttons 1..15 held now, as the joystick flags carry them.
uint32_t held_buttons()
{
    uint32_t flags = 0;
    for (int n = 1; n <= 15; ++n)
        if (is_joystick_pressed(1, n))
            flags |= 16u << (n - 1);
    return flags;
}

bool face_buttons_are_1 = false;
bool either_face_button_is_1()
{
    return face_buttons_are_1;
}

// A source whose readings the test sets directly.
class FakePads : public PadSource {
public:
    bool gamepad = true;
    VPADStatus pad = {};
    int32_t remote_error = KPAD_ERROR_NO_CONTROLLER;
    KPADStatus remote = {};

    bool read_gamepad(long, int channel, VPADStatus& status) override
    {
        if (channel != 0 || !gamepad)
            return false;
        status = pad;
        return true;
    }
    int32_t read_remote(long, int channel, KPADStatus& status) override
    {
        if (channel != 2)
            return KPAD_ERROR_NO_CONTROLLER;
        if (remote_error == KPAD_ERROR_OK)
            status = remote;
        return remote_error;
    }
};

}  // namespace

TEST(Touch, panel_points_become_logical_pixels_rounded_half_up_and_lifting_keeps_the_last_one)
{
    use_script("3 gamepad touch 1280 720\n"
               "4 gamepad touch 640 360\n"
               "5 gamepad -\n"
               "6 gamepad touch 320 1\n"  // 106.5 exactly, and 0.333
               "7 gamepad touch 3 720\n"  // 0.998
               "8 gamepad touch 960 640\n"  // 319.5 and 213.33
               "9 gamepad -\n");
    int x = 0, y = 0;
    platform_get_mouse_pos(&x, &y);
    EXPECT_EQ(Mouse({x, y}), Mouse({-2, -2}));  // -5 / 1280 * 426, -5 / 720 * 240
    const struct {
        Mouse mouse;
        bool touch;
    } ticks[] = {{{-2, -2}, false}, {{-2, -2}, false}, {{426, 240}, true}, {{213, 120}, true},
                 {{213, 120}, false}, {{107, 0}, true}, {{1, 240}, true}, {{320, 213}, true}, {{320, 213}, false}};
    for (int tick = 1; tick <= 9; ++tick) {
        EXPECT_EQ(mouse_after_poll(), ticks[tick - 1].mouse) << "tick " << tick;
        EXPECT_EQ(platform_controller_status().touch, ticks[tick - 1].touch) << "tick " << tick;
    }
    EXPECT_EQ(platform_controller_status().touch_x, 960);
}

TEST(Stick, shaping_stretches_the_circle_onto_the_square_and_clamps)
{
    // Full deflection at 45 degrees reaches the corners; straight axes are not stretched.
    const float d = 0.70710677f;
    const struct {
        float x, y, shaped_x, shaped_y, tolerance;
    } cases[] = {{0.3f, 0.3f, 0.4243f, 0.4243f, 1e-4f}, {0.3f, 0.0f, 0.3f, 0.0f, 0.0f},
                 {d, d, 1, 1, 1e-6f},   {-d, d, -1, 1, 1e-6f}, {d, -d, 1, -1, 1e-6f}, {-d, -d, -1, -1, 1e-6f},
                 {0.0f, 0.5f, 0.0f, 0.5f, 1e-7f}, {-0.5f, 0.0f, -0.5f, 0.0f, 0.0f}};
    for (const auto& c : cases) {
        float x = c.x, y = c.y;
        circle_to_square(x, y);
        EXPECT_NEAR(x, c.shaped_x, c.tolerance) << c.x << ", " << c.y;
        EXPECT_NEAR(y, c.shaped_y, c.tolerance) << c.x << ", " << c.y;
    }
    EXPECT_EQ(clamp_stick(1.6f), 1.0f);
    EXPECT_EQ(clamp_stick(-1.2f), -1.0f);
    EXPECT_EQ(clamp_stick(0.25f), 0.25f);
}

TEST(Stick, directions_come_from_the_shaped_stick_past_the_threshold)
{
    use_script("1 gamepad stick 0.3 0.3\n"
               "2 gamepad stick 0.3 0\n"
               "3 gamepad stick -0.36 -0.36\n"
               "4 gamepad stick 0 -1\n");
    platform_poll_events();
    const ControllerStatus& status = platform_controller_status();
    EXPECT_TRUE(status.right && status.up);
    EXPECT_FALSE(status.left || status.down);
    EXPECT_NEAR(get_joystick_axis(1, 1), 0.4243f, 0.0001f);
    EXPECT_NEAR(get_joystick_axis(1, 2), -0.4243f, 0.0001f);  // down is positive
    EXPECT_EQ(held_buttons(), 16u << 11 | 16u << 14);  // buttons 12 and 15

    platform_poll_events();
    EXPECT_FALSE(status.right || status.up || status.left || status.down);
    EXPECT_EQ(get_joystick_axis(1, 1), 0.3f);
    EXPECT_EQ(get_joystick_axis(1, 2), -0.0f);

    platform_poll_events();
    EXPECT_TRUE(status.left && status.down);
    EXPECT_FALSE(status.right || status.up);

    platform_poll_events();
    EXPECT_EQ(get_joystick_axis(1, 2), 1.0f);
    EXPECT_TRUE(status.down);
    EXPECT_FALSE(status.left);
}

TEST(Stick, every_controller_adds_to_one_clamped_axis_and_the_dpad_overwrites_it)
{
    use_script("1 gamepad stick 0.8 0\n"
               "1 remote1 pro stick 0.8 0\n"
               "2 remote1 classic stick -0.5 0\n"
               "3 remote1 pro LEFT stick 0.5 0\n"
               "4 remote1 -\n"
               "4 gamepad UP\n"
               "5 gamepad UP DOWN LEFT RIGHT\n"
               "6 remote0 classic UP\n"
               "6 gamepad DOWN\n");
    platform_poll_events();
    EXPECT_EQ(get_joystick_axis(1, 1), 1.0f);  // not 1.6

    // The remote is read first (-0.5), then the gamepad adds its 0.8.
    platform_poll_events();
    EXPECT_NEAR(get_joystick_axis(1, 1), 0.3f, 1e-6f);
    EXPECT_TRUE(platform_controller_status().right);  // the gamepad's own stick

    // A d-pad direction overwrites the sum; a later stick adds to it again.
    platform_poll_events();
    EXPECT_NEAR(get_joystick_axis(1, 1), -0.2f, 1e-6f);
    EXPECT_TRUE(platform_controller_status().right);
    EXPECT_FALSE(platform_controller_status().left);

    platform_poll_events();
    EXPECT_EQ(get_joystick_axis(1, 2), -1.0f);
    EXPECT_TRUE(is_joystick_pressed(1, 12));

    // All four: down and right win.
    platform_poll_events();
    EXPECT_EQ(get_joystick_axis(1, 1), 1.0f);
    EXPECT_EQ(get_joystick_axis(1, 2), 1.0f);
    EXPECT_EQ(held_buttons(), 16u << 12 | 16u << 14);

    // Up on a remote, down on the gamepad: the gamepad is read last.
    platform_poll_events();
    EXPECT_FALSE(is_joystick_pressed(1, 12));
    EXPECT_TRUE(is_joystick_pressed(1, 13));
    EXPECT_EQ(get_joystick_axis(1, 2), 1.0f);
}

TEST(Buttons, generic_numbers_follow_the_table_and_triggers_are_axes_five_and_six)
{
    use_script("1 gamepad B\n"
               "2 gamepad A\n"
               "3 gamepad Y\n"
               "4 gamepad X\n"
               "5 gamepad MINUS\n"
               "6 gamepad PLUS\n"
               "7 gamepad L\n"
               "8 gamepad R\n"
               "9 gamepad UP\n"
               "10 gamepad DOWN\n"
               "11 gamepad LEFT\n"
               "12 gamepad RIGHT\n"
               "13 gamepad ZL HOME\n"
               "14 remote2 pro ZR\n"
               "15 gamepad -\n");
    const int expected[] = {1, 2, 3, 4, 5, 7, 10, 11, 12, 13, 14, 15};
    for (const int button : expected) {
        platform_poll_events();
        EXPECT_EQ(held_buttons(), 16u << (button - 1)) << "button " << button;
        EXPECT_FALSE(is_joystick_pressed(2, button));
        EXPECT_EQ(get_joystick_axis(1, 5) + get_joystick_axis(1, 6), 0.0f);
    }
    const float triggers[3][2] = {{1, 0}, {1, 1}, {0, 1}};  // ticks 13 to 15: ZL, ZR
    for (const auto& axes : triggers) {
        platform_poll_events();
        EXPECT_EQ(held_buttons(), 0u);
        EXPECT_EQ(platform_controller_status().home, axes[0] == 1);  // held with ZL
        EXPECT_EQ(get_joystick_axis(1, 5), axes[0]);
        EXPECT_EQ(get_joystick_axis(1, 6), axes[1]);
        EXPECT_EQ(get_joystick_axis(2, 6) + get_joystick_axis(1, 3), 0.0f);
    }
    for (const int button : {-1, 0, 6, 8, 9, 16, 1000})
        EXPECT_FALSE(translate_button(1, button));
}

TEST(Buttons, button_one_answers_to_both_face_buttons_while_the_game_says_so)
{
    use_script("1 gamepad A\n"
               "2 gamepad -\n"
               "2 remote3 pro B\n");
    for (const bool a_held : {true, false}) {
        platform_poll_events();
        for (const bool rule : {false, true}) {
            face_buttons_are_1 = rule;
            PlatformHooks hooks;
            hooks.either_face_button_is_1 = rule ? either_face_button_is_1 : nullptr;
            platform_install_hooks(hooks);
            EXPECT_EQ(is_joystick_pressed(1, 1), rule || !a_held);
            EXPECT_EQ(is_joystick_pressed(1, 2), a_held);
        }
    }
    platform_install_hooks(PlatformHooks());
}

TEST(Remotes, only_classic_and_pro_controllers_add_and_the_gamepad_drives_the_display_mode)
{
    use_script("1 remote0 core A stick 1 0\n"
               "1 remote1 nunchuk A stick 1 0\n"
               "2 remote2 classic A stick 1 0\n"
               "3 remote2 absent\n"
               "4 gamepad absent\n"
               "5 gamepad A\n");
    platform_poll_events();
    EXPECT_EQ(held_buttons(), 0u);
    EXPECT_EQ(get_joystick_axis(1, 1), 0.0f);
    platform_poll_events();
    EXPECT_EQ(held_buttons(), 16u << 1 | 16u << 14);  // A, and right from the stick
    EXPECT_EQ(get_joystick_axis(1, 1), 1.0f);
    platform_poll_events();
    EXPECT_EQ(held_buttons(), 0u);
    EXPECT_TRUE(is_joystick_attached(1));
    EXPECT_FALSE(is_joystick_attached(2));
    EXPECT_FALSE(is_joystick_attached(0));

    EXPECT_TRUE(platform_gamepad_present());
    platform_poll_events();
    EXPECT_FALSE(platform_gamepad_present());
    EXPECT_EQ(platform_get_remote_value(), 0);
    platform_poll_events();
    EXPECT_TRUE(platform_gamepad_present());
    EXPECT_TRUE(is_joystick_pressed(1, 2));
}

TEST(Readings, an_invalid_touch_coordinate_or_a_remote_without_a_new_sample_keeps_the_previous_one)
{
    use_script("");
    auto owned = std::make_unique<FakePads>();
    FakePads& pads = *owned;
    pads_set_source(std::move(owned));
    pads.pad.touch = {640, 360, 1, 0};
    EXPECT_EQ(mouse_after_poll(), Mouse({213, 120}));
    pads.pad.touch = {1280, 720, 1, VPAD_INVALID_X};
    EXPECT_EQ(mouse_after_poll(), Mouse({213, 240}));
    pads.pad.touch = {0, 0, 1, VPAD_INVALID_X | VPAD_INVALID_Y};
    EXPECT_EQ(mouse_after_poll(), Mouse({213, 240}));
    EXPECT_TRUE(platform_controller_status().touch);
    // Without a gamepad the touch point falls back to its start value.
    pads.gamepad = false;
    EXPECT_EQ(mouse_after_poll(), Mouse({-2, -2}));
    EXPECT_FALSE(platform_controller_status().touch);

    pads.remote_error = KPAD_ERROR_NO_SAMPLES;  // nothing stored yet: no extension
    platform_poll_events();
    EXPECT_EQ(held_buttons(), 0u);
    pads.remote.extension_type = WPAD_EXT_PRO_CONTROLLER;
    pads.remote.ext.hold = WPAD_EXT_BUTTON_X;
    for (const int32_t error : {KPAD_ERROR_OK, KPAD_ERROR_NO_SAMPLES, KPAD_ERROR_NO_CONTROLLER}) {
        pads.remote_error = error;
        platform_poll_events();
        EXPECT_EQ(is_joystick_pressed(1, 4), error != KPAD_ERROR_NO_CONTROLLER) << error;
        pads.remote.ext.hold = 0;  // not read without a new sample
    }
}

// The exit closes the platform for good, so it runs in a child process.
TEST(Script, the_tick_that_brings_the_exit_reads_no_controller)
{
    use_script("1 gamepad A touch 640 360 stick 0.5 0\n"
               "3 gamepad B\n"
               "3 remote0 pro X\n");
    const auto run_to_the_exit = [] {
        // Earlier tests may have run message batches: count ticks from here.
        console_options().ticks = 2 + procui_counts().batches;
        platform_poll_events();
        platform_poll_events();
        const PadCallCounts before = pads_call_counts();
        platform_poll_events();
        const bool ok = platform_display_closed() &&
                        pads_call_counts().gamepad_reads == before.gamepad_reads &&
                        pads_call_counts().remote_reads == before.remote_reads &&
                        is_joystick_pressed(1, 2) && !is_joystick_pressed(1, 1) &&
                        !is_joystick_pressed(1, 4) && get_joystick_axis(1, 1) == 0.5f &&
                        platform_controller_status().touch;
        fprintf(stderr, ok ? "unchanged\n" : "the exit tick changed the controllers\n");
        fflush(stderr);
        _exit(ok ? 0 : 1);
    };
    EXPECT_EXIT(run_to_the_exit(), testing::ExitedWithCode(0), "unchanged");
}
