#include "console/controllers.h"
#include "console/pads.h"
#include "console/procui.h"
#include "console/window.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

// The live controllers behind a window, read tick by tick as the game does:
// a message batch (which pumps and drains SDL's queue), then the reads.
class LiveInput {
public:
    LiveInput()
    {
        EXPECT_TRUE(window_open());
        pads_set_source(std::make_unique<HostControllers>());
        WPADEnableURCC(1);
    }
    ~LiveInput()
    {
        pads_set_source(nullptr);
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }

    VPADStatus tick()
    {
        ProcUIProcessMessages(false);
        return gamepad();
    }

    static VPADStatus gamepad()
    {
        VPADStatus status = {};
        EXPECT_EQ(VPADRead(0, &status, 1, nullptr), 1);
        return status;
    }

    static uint32_t remote_hold(int channel)
    {
        KPADStatus status = {};
        return KPADReadEx(channel, &status, 1, nullptr) == 1 ? status.ext.hold : 0;
    }
};

// A virtual game controller, attached while it lives.
class VirtualPad {
public:
    VirtualPad()
        : device_(SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER,
                                            SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0))
    {
    }
    // The last attached goes first, so the device numbers hold.
    ~VirtualPad()
    {
        if (attached())
            SDL_JoystickDetachVirtual(device_);
    }
    bool attached() const { return device_ >= 0; }
    SDL_JoystickID id() const { return SDL_JoystickGetDeviceInstanceID(device_); }

private:
    int device_;
};

// Pushes a press and its release, with no tick between.
void tap(SDL_Event press)
{
    SDL_Event release = press;
    if (press.type == SDL_CONTROLLERAXISMOTION)
        release.caxis.value = 0;
    else  // SDL numbers each kind's release right after its press
        release.type = press.type + 1;
    SDL_PushEvent(&press);
    SDL_PushEvent(&release);
}

SDL_Event key(SDL_Scancode code)
{
    SDL_Event event = {};
    event.key.type = SDL_KEYDOWN;
    event.key.keysym.scancode = code;
    return event;
}

SDL_Event button(SDL_JoystickID pad, SDL_GameControllerButton which)
{
    SDL_Event event = {};
    event.cbutton = {SDL_CONTROLLERBUTTONDOWN, 0, pad, Uint8(which), SDL_PRESSED};
    return event;
}

SDL_Event right_trigger(SDL_JoystickID pad, Sint16 travel)
{
    SDL_Event event = {};
    event.caxis = {SDL_CONTROLLERAXISMOTION, 0, pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT};
    event.caxis.value = travel;
    return event;
}

SDL_Event click(SDL_Window* window, Uint8 which, int x, int y)
{
    SDL_Event event = {};
    event.button = {SDL_MOUSEBUTTONDOWN, 0, SDL_GetWindowID(window), 0, which, SDL_PRESSED};
    event.button.x = x;
    event.button.y = y;
    return event;
}

}  // namespace

TEST(HostControllers, a_key_tapped_between_two_ticks_is_held_for_the_next_tick_only)
{
    LiveInput input;
    input.tick();
    tap(key(SDL_SCANCODE_RETURN));
    EXPECT_EQ(input.tick().hold, uint32_t(VPAD_BUTTON_PLUS));
    EXPECT_EQ(input.gamepad().hold, uint32_t(VPAD_BUTTON_PLUS));  // the whole tick

    // A tap during a tick belongs to the next one; a key the layout leaves
    // out holds nothing.
    tap(key(SDL_SCANCODE_X));
    tap(key(SDL_SCANCODE_P));
    EXPECT_EQ(input.gamepad().hold, uint32_t(VPAD_BUTTON_PLUS));
    EXPECT_EQ(input.tick().hold, uint32_t(VPAD_BUTTON_B));
    EXPECT_EQ(input.tick().hold, 0u);
}

TEST(HostControllers, a_controller_button_or_trigger_tapped_between_ticks_is_held_for_the_next_tick)
{
    LiveInput input;
    const VirtualPad first, second;
    ASSERT_TRUE(first.attached() && second.attached()) << SDL_GetError();
    const SDL_JoystickID gamepad = first.id(), remote = second.id();
    input.tick();  // the controllers take their slots

    tap(button(gamepad, SDL_CONTROLLER_BUTTON_START));
    tap(button(remote, SDL_CONTROLLER_BUTTON_B));
    EXPECT_EQ(input.tick().hold, uint32_t(VPAD_BUTTON_PLUS));
    EXPECT_EQ(input.remote_hold(0), uint32_t(WPAD_EXT_BUTTON_A));
    EXPECT_EQ(input.tick().hold, 0u);
    EXPECT_EQ(input.remote_hold(0), 0u);

    // A trigger counts from the same travel as when it is held.
    tap(right_trigger(gamepad, 16383));
    EXPECT_EQ(input.tick().hold, 0u);
    tap(right_trigger(gamepad, 16384));
    EXPECT_EQ(input.tick().hold, uint32_t(VPAD_BUTTON_ZR));

    // A controller that has no slot holds nothing.
    tap(button(remote + gamepad + 100, SDL_CONTROLLER_BUTTON_START));
    EXPECT_EQ(input.tick().hold, 0u);
}

TEST(HostControllers, a_click_on_the_picture_between_two_ticks_touches_the_panel_for_the_next_tick)
{
    LiveInput input;
    SDL_Window* window = SDL_GL_GetCurrentWindow();
    ASSERT_NE(window, nullptr);
    int width = 0, height = 0;
    SDL_GetWindowSize(window, &width, &height);
    // 640 x 480 shows the picture at half size between bars 60 high.
    SDL_SetWindowSize(window, 640, 480);
    input.tick();

    tap(click(window, SDL_BUTTON_LEFT, 160, 330));
    VPADStatus pad = input.tick();
    EXPECT_EQ(pad.touch.touched, 1);
    EXPECT_EQ(pad.touch.x, 320);
    EXPECT_EQ(pad.touch.y, 540);
    EXPECT_EQ(pad.hold, 0u);
    EXPECT_EQ(input.tick().touch.touched, 0);

    // The bar is no part of the picture; the right button is no touch.
    tap(click(window, SDL_BUTTON_LEFT, 320, 59));
    EXPECT_EQ(input.tick().touch.touched, 0);
    tap(click(window, SDL_BUTTON_RIGHT, 320, 240));
    EXPECT_EQ(input.tick().touch.touched, 0);
    SDL_SetWindowSize(window, width, height);
}
