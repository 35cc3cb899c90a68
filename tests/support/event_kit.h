// The kit the event tests run the game with (docs/events.md): the real
// frames object and manager, headless, on the stand-in content, one tick of
// 1/60 s at a time, with the gamepad held as the test says, and everything
// an event leaves behind readable: instances, values, globals, console
// lines, sounds started and the picture.
#pragma once

#include "audio/media.h"
#include "game/frames/frames.h"
#include "game/objects/type_ids.h"
#include "runtime/frameobject.h"
#include "tests/support/drawing.h"
#include "tests/support/volumes.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

// A frame of the kit's own: its layers, then what the test gives: the end of
// its set-up (where a frame places its instances), its start events, and
// its tick handler (often one event or two).
struct EmptyFrame {
    int layers = 1;
    int width = Frame::screen_width;
    int height = Frame::screen_height;
    int index = 4;  // the frame index the runtime sees (4: act 1)
    std::function<void(Frames&)> handler = {};
    std::function<void(Frames&)> set_up = {};
    std::function<void(Frames&)> start = {};
};

// The objects the shared input events read and write.
struct InputObjects {
    FrameObject* player = nullptr;  // PlayerInput_21: held and first-tick flags
    FrameObject* master = nullptr;  // MasterInput_22: the control mask and its history
    FrameObject* inputs = nullptr;  // InputsP1_23: slot levels and direction states
    FrameObject* global = nullptr;  // GlobalInputData_24: joystick and dead zones
};

// Sounds started by sample id (not music files), or music files by the end
// of their path.
int sample_count(const std::vector<SoundStart>& sounds, unsigned id);
int music_count(const std::vector<SoundStart>& sounds, const std::string& path_end);

// Numbers of any kind as doubles, to compare with EventKit::values.
template <class... T>
std::vector<double> doubles(T... numbers)
{
    return {double(numbers)...};
}

// How a kit's run differs from the plain one.
struct KitOptions {
    // The save volume's host folder. Empty: a fresh one, removed with the
    // kit. A test that plays a second run on the saves of a first gives both
    // kits the same folder, one that outlives them (a TempVolumes' `save`).
    std::string save_dir = {};
    // Top-level files of the content folder that differ from the stand-in
    // content: their bytes, or nullopt for a file (or folder) the run does
    // not find. A path below a hidden folder gives the folder that file
    // alone: {{"levels", nullopt}, {"levels/act1.layout", "..."}}.
    std::map<std::string, std::optional<std::string>> content_changes = {};
};

class EventKit {
public:
    explicit EventKit(KitOptions options = {});
    ~EventKit();
    EventKit(const EventKit&) = delete;
    EventKit& operator=(const EventKit&) = delete;

    Frames& frames() { return game_frames; }

    // Frames -----------------------------------------------------------------
    // Requests frame index `index` and runs the tick that enters it: its
    // set-up, first update, start events and tick handler.
    void enter_frame(int index);
    // Makes an empty frame current and runs its first tick.
    void enter_empty_frame(EmptyFrame frame);

    // Instances --------------------------------------------------------------
    // An instance of a generated class at a frame position, on a layer.
    FrameObject* place(const std::string& class_name, int x, int y, int layer = 0);
    // The four input objects every frame places, out of sight; with
    // `reset` the shared block's state as a frame's set-up leaves it.
    InputObjects place_input_objects(bool reset = true);
    // The type's instances, oldest first, and the last one added (or null).
    std::vector<FrameObject*> instances(int type_id);
    FrameObject* instance(int type_id);

    // Values -----------------------------------------------------------------
    // Alterable values by letter, 'A' ... 'Z'. A missing object (null) fails
    // the test and reads 0.
    static double value(const FrameObject* object, char letter);
    static void set_value(FrameObject* object, char letter, double number);
    // Several at once: values(object, "XYA") is {X, Y, A}.
    static std::vector<double> values(const FrameObject* object, const std::string& letters);
    static bool flag(const FrameObject* object, int bit);
    double global(unsigned index) const;
    void set_global(unsigned index, double number);
    std::string global_string(unsigned index) const;

    // Input ------------------------------------------------------------------
    // Gamepad buttons (VPAD_BUTTON_* bits) held from the next tick on, until
    // changed; the left stick, -1 ... 1 each way (y up).
    void hold(uint32_t buttons) { held_buttons = buttons; }
    void release() { held_buttons = 0; }
    void stick(float x, float y);
    // Holds `buttons` for one tick, then releases them and runs `after` more ticks.
    void press(uint32_t buttons, int after = 0);
    // Feeds the runtime's keyboard list (which nothing feeds on the
    // console): the keys, by runtime key code, are pressed in the next tick
    // and released after it; then `after` more ticks run.
    void press_keys(std::vector<int> codes, int after = 0);

    // Ticks ------------------------------------------------------------------
    void run(int ticks = 1);
    // The frame's tick counter.
    int tick() const { return game_frames.loop_count; }

    // What happened ----------------------------------------------------------
    // Console lines written since the last call (or since the kit started).
    std::vector<std::string> take_console();
    // Sounds started since the last call.
    std::vector<SoundStart> take_sounds();
    // The TV picture the last tick drew, at the logical size.
    Rgba pixel(int x, int y);

    // The gamepad's state as the kit's pad source hands it out, and the keys
    // it adds to the keyboard list when the tick reads the controllers.
    uint32_t held_buttons = 0;
    float stick_x = 0.0f, stick_y = 0.0f;
    std::vector<int> keys_to_press;

private:
    TempVolumes volumes;
    std::string console_lines;
    std::vector<SoundStart> sounds;
    std::vector<uint8_t> picture;
    int picture_tick = -1;
};
