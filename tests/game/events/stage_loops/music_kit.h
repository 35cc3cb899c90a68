// The music objects alone on a frame of the act's index, with the act's loop
// map and music start, and the music driver as the tick handler. The kept
// music objects and the music channel start fresh, as each kit does.
#pragma once

#include "game/events/stage_loops/music_queue.h"
#include "game/objects/classes.h"
#include "objects/arrayext.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace music_test {

class MusicTest : public testing::Test {
protected:
    void SetUp() override
    {
        EmptyFrame frame;
        frame.handler = [](Frames& f) {
            for (auto event : {&Frames::event_func_2146, &Frames::event_func_2147, &Frames::event_func_2148,
                               &Frames::event_func_2149, &Frames::event_func_2150, &Frames::event_func_2151,
                               &Frames::event_func_2152, &Frames::event_func_2153})
                (f.*event)();
        };
        frame.set_up = [this](Frames& f) {
            f.reset_frame_event_state(5);
            f.level_group_43 = true;
            controller = kit.place("ControllerMusic_49", -50, -50);
            calls = static_cast<ArrayObject*>(kit.place("FunctionMusic_50", -50, -50));
            stack = static_cast<ArrayObject*>(kit.place("QueueMusic_51", -50, -50));
            kit.place("StringParser_184", -50, -50);
            f.set_up_named_loops(4);
        };
        frame.start = [](Frames& f) { f.event_func_2229(); };
        kit.enter_empty_frame(frame);
        kit.take_sounds();
        kit.take_console();
    }

    void call(const std::string& text) { music::write_call(kit.frames(), text); }
    std::vector<double> values(const char* letters) const { return EventKit::values(controller, letters); }
    static double volume() { return media.get_channel_volume(music::channel); }
    static double position() { return media.get_channel_position(music::channel); }
    // The stack's entries, bottom first: track, position, priority each.
    std::vector<int> stacked() const
    {
        std::vector<int> cells;
        for (int x = 0; x < stack->data.current_x; ++x)
            for (int row = 0; row < 3; ++row)
                cells.push_back(stack->get_value(x, row, 0));
        return cells;
    }
    // The music files started since the last call, by name, " once" for
    // one played once.
    std::vector<std::string> tracks_started()
    {
        std::vector<std::string> names;
        for (const SoundStart& sound : kit.take_sounds())
            if (sound.channel == int(music::channel) && !sound.path.empty())
                names.push_back(sound.path.substr(sound.path.rfind('/') + 1) + (sound.loops == 1 ? " once" : ""));
        return names;
    }
    // Ticks until a music file starts, at most `most`: what started.
    std::vector<std::string> run_until_a_track_starts(int most)
    {
        std::vector<std::string> started;
        for (int n = 0; n < most && started.empty(); ++n) {
            kit.run(1);
            started = tracks_started();
        }
        return started;
    }

    EventKit kit;
    FrameObject* controller = nullptr;
    ArrayObject* calls = nullptr;
    ArrayObject* stack = nullptr;
};

}  // namespace music_test
