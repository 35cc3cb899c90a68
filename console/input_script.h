// Scripted controller input: per tick, which controllers are connected,
// which buttons they hold, their left stick and the gamepad's touch.
// The format is described in docs/input-script.md.
#pragma once

#include "console/pads.h"

#include <iosfwd>
#include <string>
#include <vector>

// One controller's state, from the tick of its line until the next line for
// the same controller.
struct ScriptedPad {
    bool connected = false;
    uint8_t extension = WPAD_EXT_CORE;  // remotes only
    uint32_t gamepad_buttons = 0;       // VPAD_BUTTON_* bits
    uint32_t remote_buttons = 0;        // WPAD_EXT_BUTTON_* bits
    VPADVec2D stick = {0.0f, 0.0f};
    bool touching = false;  // gamepad only
    uint16_t touch_x = 0;
    uint16_t touch_y = 0;
};

class InputScript : public PadSource {
public:
    // Slots: 0 the gamepad on channel 0, 1..4 the remotes on channels 0..3.
    static constexpr int slot_count = 5;

    // The longest line read and the last tick a line can name.
    static constexpr size_t max_line_bytes = 4096;
    static constexpr long max_tick = 1L << 40;

    // Parses `text`. Each faulty line is reported (one console line naming
    // `name` and the line number) and left out; a line longer than
    // max_line_bytes ends the script. A UTF-8 byte-order mark is skipped.
    // True when there was no fault.
    bool parse(const std::string& text, const std::string& name);
    bool parse(std::istream& in, const std::string& name);
    // Reads and parses the file at `path`. A folder or a file that cannot be
    // opened gives one console line and false, with no script.
    bool load(const std::string& path);
    // Start-up: one console line and false unless `path` is a file that
    // can be read.
    static bool check_file(const std::string& path);
    // Script tick 1 is message batch `batch` + 1.
    void set_base(long batch) { base = batch; }

    // The state of `slot` at script tick `tick`; before its first line the
    // gamepad is connected with nothing held and the remotes are absent.
    ScriptedPad state_at(int slot, long tick) const;

    bool read_gamepad(long tick, int channel, VPADStatus& status) override;
    int32_t read_remote(long tick, int channel, KPADStatus& status) override;

private:
    struct Change {
        long tick;
        int slot;
        ScriptedPad pad;
    };

    bool parse_line(const std::string& line, Change& change, std::string& fault) const;

    std::vector<Change> changes;  // in tick order
    long base = 0;
};
