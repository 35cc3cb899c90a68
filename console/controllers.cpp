#include "console/controllers.h"

#include "console/os.h"

#include <algorithm>
#include <cmath>

namespace {

// The panel's calibrated coordinates span 1280 x 720.
constexpr int panel_width = 1280;
constexpr int panel_height = 720;

// Trigger travel past which ZL and ZR count as held.
constexpr Sint16 trigger_held = 16384;
// A latched trigger pull's bit, after SDL's buttons.
constexpr uint32_t left_trigger_bit = 1u << SDL_CONTROLLER_BUTTON_MAX;
constexpr uint32_t right_trigger_bit = 2u << SDL_CONTROLLER_BUTTON_MAX;
static_assert(SDL_CONTROLLER_BUTTON_MAX + 2 <= 32);
// Worn sticks rest a little off centre; readings this close to it are centre.
constexpr float stick_rest = 0.12f;

struct KeyButton {
    SDL_Scancode key;
    uint32_t gamepad_bit;
};

// The keyboard as the gamepad: arrows move, Z (or Space) jumps and confirms,
// X acts and goes back, Enter is plus.
const KeyButton keyboard_layout[] = {
    {SDL_SCANCODE_UP, VPAD_BUTTON_UP},
    {SDL_SCANCODE_DOWN, VPAD_BUTTON_DOWN},
    {SDL_SCANCODE_LEFT, VPAD_BUTTON_LEFT},
    {SDL_SCANCODE_RIGHT, VPAD_BUTTON_RIGHT},
    {SDL_SCANCODE_Z, VPAD_BUTTON_A},
    {SDL_SCANCODE_SPACE, VPAD_BUTTON_A},
    {SDL_SCANCODE_X, VPAD_BUTTON_B},
    {SDL_SCANCODE_S, VPAD_BUTTON_X},
    {SDL_SCANCODE_A, VPAD_BUTTON_Y},
    {SDL_SCANCODE_Q, VPAD_BUTTON_L},
    {SDL_SCANCODE_W, VPAD_BUTTON_R},
    {SDL_SCANCODE_1, VPAD_BUTTON_ZL},
    {SDL_SCANCODE_2, VPAD_BUTTON_ZR},
    {SDL_SCANCODE_RETURN, VPAD_BUTTON_PLUS},
    {SDL_SCANCODE_KP_ENTER, VPAD_BUTTON_PLUS},
    {SDL_SCANCODE_BACKSPACE, VPAD_BUTTON_MINUS},
    {SDL_SCANCODE_H, VPAD_BUTTON_HOME},
};

struct PadButton {
    SDL_GameControllerButton button;
    uint32_t gamepad_bit;
    uint32_t remote_bit;
};

// SDL names the face buttons by position on its reference pad (A at the
// bottom, B on the right); the console's A is on the right, B at the bottom.
const PadButton controller_layout[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_UP, VPAD_BUTTON_UP, WPAD_EXT_BUTTON_UP},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, VPAD_BUTTON_DOWN, WPAD_EXT_BUTTON_DOWN},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, VPAD_BUTTON_LEFT, WPAD_EXT_BUTTON_LEFT},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, VPAD_BUTTON_RIGHT, WPAD_EXT_BUTTON_RIGHT},
    {SDL_CONTROLLER_BUTTON_B, VPAD_BUTTON_A, WPAD_EXT_BUTTON_A},
    {SDL_CONTROLLER_BUTTON_A, VPAD_BUTTON_B, WPAD_EXT_BUTTON_B},
    {SDL_CONTROLLER_BUTTON_Y, VPAD_BUTTON_X, WPAD_EXT_BUTTON_X},
    {SDL_CONTROLLER_BUTTON_X, VPAD_BUTTON_Y, WPAD_EXT_BUTTON_Y},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, VPAD_BUTTON_L, WPAD_EXT_BUTTON_L},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, VPAD_BUTTON_R, WPAD_EXT_BUTTON_R},
    {SDL_CONTROLLER_BUTTON_START, VPAD_BUTTON_PLUS, WPAD_EXT_BUTTON_PLUS},
    {SDL_CONTROLLER_BUTTON_BACK, VPAD_BUTTON_MINUS, WPAD_EXT_BUTTON_MINUS},
    {SDL_CONTROLLER_BUTTON_GUIDE, VPAD_BUTTON_HOME, WPAD_EXT_BUTTON_HOME},
};

struct PadReading {
    uint32_t gamepad_bits = 0;
    uint32_t remote_bits = 0;
    VPADVec2D left = {0.0f, 0.0f};
    VPADVec2D right = {0.0f, 0.0f};
};

float axis_value(SDL_GameController* pad, SDL_GameControllerAxis axis)
{
    return std::clamp(float(SDL_GameControllerGetAxis(pad, axis)) / 32767.0f, -1.0f, 1.0f);
}

// SDL's y axis points down, the console's up.
VPADVec2D read_stick(SDL_GameController* pad, SDL_GameControllerAxis x, SDL_GameControllerAxis y)
{
    VPADVec2D stick = {axis_value(pad, x), -axis_value(pad, y)};
    if (std::sqrt(stick.x * stick.x + stick.y * stick.y) < stick_rest)
        stick = {0.0f, 0.0f};
    return stick;
}

// `pressed`: the buttons and triggers latched since the last tick.
PadReading read_controller(SDL_GameController* pad, uint32_t pressed)
{
    PadReading reading;
    if (!pad)
        return reading;
    for (const PadButton& row : controller_layout) {
        if (SDL_GameControllerGetButton(pad, row.button) || (pressed & (1u << row.button))) {
            reading.gamepad_bits |= row.gamepad_bit;
            reading.remote_bits |= row.remote_bit;
        }
    }
    if (SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT) >= trigger_held ||
        (pressed & left_trigger_bit)) {
        reading.gamepad_bits |= VPAD_BUTTON_ZL;
        reading.remote_bits |= WPAD_EXT_BUTTON_ZL;
    }
    if (SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT) >= trigger_held ||
        (pressed & right_trigger_bit)) {
        reading.gamepad_bits |= VPAD_BUTTON_ZR;
        reading.remote_bits |= WPAD_EXT_BUTTON_ZR;
    }
    reading.left = read_stick(pad, SDL_CONTROLLER_AXIS_LEFTX, SDL_CONTROLLER_AXIS_LEFTY);
    reading.right = read_stick(pad, SDL_CONTROLLER_AXIS_RIGHTX, SDL_CONTROLLER_AXIS_RIGHTY);
    return reading;
}

uint32_t key_bits(SDL_Scancode key)
{
    uint32_t bits = 0;
    for (const KeyButton& row : keyboard_layout)
        if (row.key == key)
            bits |= row.gamepad_bit;
    return bits;
}

uint32_t read_keyboard(uint32_t pressed)
{
    int count = 0;
    const Uint8* keys = SDL_GetKeyboardState(&count);
    uint32_t bits = pressed;
    for (const KeyButton& row : keyboard_layout)
        if (keys && row.key < count && keys[row.key])
            bits |= row.gamepad_bit;
    return bits;
}

// The window shows the picture as large as fits, keeping its 16:9 shape,
// centred; the panel spans that picture.
VPADTouchData touch_at(SDL_Window* window, int mouse_x, int mouse_y)
{
    VPADTouchData touch = {};
    if (!window)
        return touch;
    int width = 0, height = 0;
    SDL_GetWindowSize(window, &width, &height);
    const double scale = std::min(double(width) / panel_width, double(height) / panel_height);
    if (!(scale > 0.0))
        return touch;
    const double x = (mouse_x - (width - panel_width * scale) / 2.0) / scale;
    const double y = (mouse_y - (height - panel_height * scale) / 2.0) / scale;
    if (x < 0.0 || y < 0.0 || x > panel_width || y > panel_height)
        return touch;
    touch.x = uint16_t(x);
    touch.y = uint16_t(y);
    touch.touched = 1;
    return touch;
}

// A held left button over the picture is a touch; so is a click since the
// last tick, let go already.
VPADTouchData read_touch(const HostControllers::Presses& pressed)
{
    int mouse_x = 0, mouse_y = 0;
    if (SDL_GetMouseState(&mouse_x, &mouse_y) & SDL_BUTTON_LMASK) {
        const VPADTouchData touch = touch_at(SDL_GetMouseFocus(), mouse_x, mouse_y);
        if (touch.touched)
            return touch;
    }
    if (!pressed.touch_window)
        return {};
    return touch_at(SDL_GetWindowFromID(pressed.touch_window), pressed.touch_x, pressed.touch_y);
}

void latch(HostControllers::Presses& presses, const SDL_Event& event)
{
    switch (event.type) {
    case SDL_KEYDOWN:
        presses.keyboard |= key_bits(event.key.keysym.scancode);
        break;
    case SDL_CONTROLLERBUTTONDOWN:
        if (event.cbutton.button < SDL_CONTROLLER_BUTTON_MAX)
            presses.controllers[event.cbutton.which] |= 1u << event.cbutton.button;
        break;
    case SDL_CONTROLLERAXISMOTION:
        if (event.caxis.value < trigger_held)
            break;
        if (event.caxis.axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT)
            presses.controllers[event.caxis.which] |= left_trigger_bit;
        if (event.caxis.axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT)
            presses.controllers[event.caxis.which] |= right_trigger_bit;
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (event.button.button == SDL_BUTTON_LEFT) {
            presses.touch_window = event.button.windowID;
            presses.touch_x = event.button.x;
            presses.touch_y = event.button.y;
        }
        break;
    default:
        break;
    }
}

}  // namespace

HostControllers::HostControllers()
{
    started = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER | SDL_INIT_EVENTS) == 0;
    if (!started)
        host_report("Could not start the game controllers: %s\n", SDL_GetError());
    else
        SDL_AddEventWatch(watch, this);
}

// Sees every event as it is queued, before anyone drains the queue.
int SDLCALL HostControllers::watch(void* self, SDL_Event* event)
{
    auto* controllers = static_cast<HostControllers*>(self);
    std::lock_guard lock(controllers->latch_mutex);
    latch(controllers->latched, *event);
    return 0;
}

HostControllers::~HostControllers()
{
    if (started)
        SDL_DelEventWatch(watch, this);
    // After SDL_Quit the controllers are gone already.
    if (!started || !SDL_WasInit(SDL_INIT_GAMECONTROLLER))
        return;
    for (SDL_GameController*& pad : slots)
        if (pad)
            SDL_GameControllerClose(pad);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER | SDL_INIT_EVENTS);
}

bool HostControllers::is_open(SDL_JoystickID id) const
{
    for (SDL_GameController* pad : slots)
        if (pad && SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad)) == id)
            return true;
    return false;
}

uint32_t HostControllers::pressed(SDL_GameController* pad) const
{
    if (!pad)
        return 0;
    const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad));
    const auto found = this_tick.controllers.find(id);
    return found == this_tick.controllers.end() ? 0 : found->second;
}

// Once per tick: take the presses latched since the last tick, let go of
// unplugged controllers and give new ones the first free slot, so a
// controller keeps its channel while it stays connected.
void HostControllers::refresh(long tick)
{
    if (!started || tick == refreshed_tick)
        return;
    refreshed_tick = tick;
    {
        std::lock_guard lock(latch_mutex);
        this_tick = std::move(latched);
        latched = Presses();
    }
    for (SDL_GameController*& pad : slots) {
        if (pad && !SDL_GameControllerGetAttached(pad)) {
            SDL_GameControllerClose(pad);
            pad = nullptr;
        }
    }
    for (int device = 0; device < SDL_NumJoysticks(); ++device) {
        if (!SDL_IsGameController(device) || is_open(SDL_JoystickGetDeviceInstanceID(device)))
            continue;
        SDL_GameController** free_slot = std::find(slots, slots + slot_count, nullptr);
        if (free_slot == slots + slot_count)
            break;
        *free_slot = SDL_GameControllerOpen(device);
    }
    // The states are polled and the presses latched; the events are not needed.
    SDL_FlushEvents(SDL_JOYAXISMOTION, SDL_CONTROLLERSENSORUPDATE);
}

bool HostControllers::read_gamepad(long tick, int channel, VPADStatus& status)
{
    if (channel != 0)
        return false;
    refresh(tick);
    const PadReading pad = read_controller(slots[0], pressed(slots[0]));
    status = VPADStatus();
    status.hold = pad.gamepad_bits | read_keyboard(this_tick.keyboard);
    status.left_stick = pad.left;
    status.right_stick = pad.right;
    status.touch = read_touch(this_tick);
    return true;
}

int32_t HostControllers::read_remote(long tick, int channel, KPADStatus& status)
{
    refresh(tick);
    SDL_GameController* const pad = slots[1 + channel];
    if (!pad)
        return KPAD_ERROR_NO_CONTROLLER;
    const PadReading reading = read_controller(pad, pressed(pad));
    status = KPADStatus();
    status.extension_type = WPAD_EXT_PRO_CONTROLLER;
    status.ext.hold = reading.remote_bits;
    status.ext.left_stick = reading.left;
    status.ext.right_stick = reading.right;
    return KPAD_ERROR_OK;
}
