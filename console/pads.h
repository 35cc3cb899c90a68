// The console's controller libraries: the gamepad (buttons, sticks and its
// touch panel) and the remotes with their classic and pro controller
// extensions. On this host the readings come from one source chosen at
// start-up: a script of the run options, SDL2's keyboard, mouse and game
// controllers, or (headless without a script) a gamepad with nothing held.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

// Gamepad -------------------------------------------------------------------

enum : int32_t {
    VPAD_READ_SUCCESS = 0,
    VPAD_READ_NO_SAMPLES = -1,
    VPAD_READ_INVALID_CONTROLLER = -2,
};

// Bits of the gamepad's held-button word.
enum : uint32_t {
    VPAD_BUTTON_HOME = 0x0002,
    VPAD_BUTTON_MINUS = 0x0004,
    VPAD_BUTTON_PLUS = 0x0008,
    VPAD_BUTTON_R = 0x0010,
    VPAD_BUTTON_L = 0x0020,
    VPAD_BUTTON_ZR = 0x0040,
    VPAD_BUTTON_ZL = 0x0080,
    VPAD_BUTTON_DOWN = 0x0100,
    VPAD_BUTTON_UP = 0x0200,
    VPAD_BUTTON_RIGHT = 0x0400,
    VPAD_BUTTON_LEFT = 0x0800,
    VPAD_BUTTON_Y = 0x1000,
    VPAD_BUTTON_X = 0x2000,
    VPAD_BUTTON_B = 0x4000,
    VPAD_BUTTON_A = 0x8000,
};

// Validity bits of a touch sample.
enum : uint16_t {
    VPAD_INVALID_X = 1,
    VPAD_INVALID_Y = 2,
};

struct VPADVec2D {
    float x;  // −1.0 (left) .. 1.0 (right)
    float y;  // −1.0 (down) .. 1.0 (up)
};

// One touch-panel sample. Calibrated points span 0..1280 × 0..720.
struct VPADTouchData {
    uint16_t x;
    uint16_t y;
    uint16_t touched;   // 1 while the panel is touched
    uint16_t validity;  // VPAD_INVALID_X / VPAD_INVALID_Y
};

struct VPADStatus {
    uint32_t hold;  // buttons held
    VPADVec2D left_stick;
    VPADVec2D right_stick;
    VPADTouchData touch;  // raw sample
};

// Reads up to `count` samples of gamepad `channel` (0 or 1), newest first.
// Returns the number read; `error` tells why none came.
int32_t VPADRead(int32_t channel, VPADStatus* buffers, uint32_t count, int32_t* error);
// Converts a raw touch sample to the panel's calibrated coordinates.
// `calibrated` may be the same record as `raw`.
void VPADGetTPCalibratedPoint(int32_t channel, VPADTouchData* calibrated, const VPADTouchData* raw);

// Remotes -------------------------------------------------------------------

enum : int32_t {
    KPAD_ERROR_OK = 0,
    KPAD_ERROR_NO_SAMPLES = -1,
    KPAD_ERROR_NO_CONTROLLER = -2,
};

enum : uint8_t {
    WPAD_EXT_CORE = 0,  // no extension
    WPAD_EXT_NUNCHUK = 1,
    WPAD_EXT_CLASSIC = 2,
    WPAD_EXT_PRO_CONTROLLER = 31,
};

// Bits of the classic and pro controllers' held-button word (the same for both).
enum : uint32_t {
    WPAD_EXT_BUTTON_UP = 0x0001,
    WPAD_EXT_BUTTON_LEFT = 0x0002,
    WPAD_EXT_BUTTON_ZR = 0x0004,
    WPAD_EXT_BUTTON_X = 0x0008,
    WPAD_EXT_BUTTON_A = 0x0010,
    WPAD_EXT_BUTTON_Y = 0x0020,
    WPAD_EXT_BUTTON_B = 0x0040,
    WPAD_EXT_BUTTON_ZL = 0x0080,
    WPAD_EXT_BUTTON_R = 0x0200,
    WPAD_EXT_BUTTON_PLUS = 0x0400,
    WPAD_EXT_BUTTON_HOME = 0x0800,
    WPAD_EXT_BUTTON_MINUS = 0x1000,
    WPAD_EXT_BUTTON_L = 0x2000,
    WPAD_EXT_BUTTON_DOWN = 0x4000,
    WPAD_EXT_BUTTON_RIGHT = 0x8000,
};

struct KPADExtStatus {
    uint32_t hold;
    VPADVec2D left_stick;
    VPADVec2D right_stick;
};

struct KPADStatus {
    uint8_t extension_type;  // WPAD_EXT_*
    KPADExtStatus ext;       // classic or pro controller, by extension_type
};

void KPADInit();
void KPADReset();
// Lets pro controllers report on the remote channels (1) or not (0).
void WPADEnableURCC(int32_t enable);
// Switches a remote's pointer sensing off; this host has none to switch.
void KPADDisableDPD(int32_t channel);
// Reads up to `count` samples of remote `channel` (0..3).
int32_t KPADReadEx(int32_t channel, KPADStatus* buffers, uint32_t count, int32_t* error);

// Host side -------------------------------------------------------------------

// Where the readings come from. `tick` is the number of the current message
// batch (procui_counts().batches), so a source can tell the ticks apart.
class PadSource {
public:
    virtual ~PadSource() = default;
    // False when no gamepad is on `channel`.
    virtual bool read_gamepad(long tick, int channel, VPADStatus& status) = 0;
    // KPAD_ERROR_OK with a fresh sample, or another KPAD_ERROR_*.
    virtual int32_t read_remote(long tick, int channel, KPADStatus& status) = 0;
};

// Replaces the source (tests); null means nothing is connected.
void pads_set_source(std::unique_ptr<PadSource> source);
// Reads the controllers from a script text (the format of docs/input-script.md);
// its tick 1 is the next message batch. False, with a console line per bad
// line, when the script has faults.
bool pads_use_script(const std::string& text, const std::string& name);

struct PadCallCounts {
    long gamepad_reads;
    long remote_reads;
};
PadCallCounts pads_call_counts();
