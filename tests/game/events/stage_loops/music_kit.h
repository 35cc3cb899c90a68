// The music objects alone on a frame of the act's index, with the act's loop
// map, the act's music start (parser delimiters, channel volume and lock)
// and the music driver as the tick handler. The kept music objects start and
// end fresh, and the music channel is left stopped and unlocked.
#pragma once

#include "audio/media.h"
#include "game/events/stage_loops/music_queue.h"
#include "game/objects/classes.h"
#include "objects/arrayext.h"
#include "objects/stringparser.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace music_test {

inline void run_driver(Frames& f)
{
    f.event_func_2146();
    f.event_func_2147();
    f.event_func_2148();
    f.event_func_2149();
    f.event_func_2150();
    f.event_func_2151();
    f.event_func_2152();
    f.event_func_2153();
}

class MusicTest : public testing::Test {
protected:
    void SetUp() override
    {
        forget();
        EmptyFrame frame;
        frame.layers = 2;
        frame.handler = run_driver;
        frame.set_up = [this](Frames& f) {
            f.reset_frame_event_state(5);
            f.level_group_43 = true;
            controller = kit.place("ControllerMusic_49", -50, -50);
            calls = static_cast<ArrayObject*>(kit.place("FunctionMusic_50", -50, -50));
            stack = static_cast<ArrayObject*>(kit.place("QueueMusic_51", -50, -50));
            parser = static_cast<StringParser*>(kit.place("StringParser_184", -50, -50));
            f.set_up_named_loops(4);
        };
        frame.start = [](Frames& f) { f.event_func_2229(); };
        kit.enter_empty_frame(frame);
        kit.take_sounds();
        kit.take_console();
    }
    void TearDown() override
    {
        media.stop_channel(music::channel);
        forget();
    }
    static void forget()
    {
        class_records::alterables_49 = SavedAlterables{};
        class_records::array_50 = SavedArrayData{};
        class_records::array_51 = SavedArrayData{};
        media.unlock(music::channel);
    }

    Frames& frames() { return kit.frames(); }
    void call(const std::string& text) { music::write_call(frames(), text); }
    double value(char letter) const { return EventKit::value(controller, letter); }
    double volume() const { return media.get_channel_volume(music::channel); }
    double position() const { return media.get_channel_position(music::channel); }
    bool playing() const { return media.is_channel_playing(music::channel); }
    // The stack's entries, bottom first: track, position, priority each.
    std::vector<int> stacked()
    {
        std::vector<int> cells;
        for (int x = 0; x < stack->data.current_x; ++x)
            for (int row = 0; row < 3; ++row)
                cells.push_back(stack->get_value(x, row, 0));
        return cells;
    }
    // The music files started since the last call, by their name; " once"
    // for a file played once.
    std::vector<std::string> tracks_started()
    {
        std::vector<std::string> names;
        for (const SoundStart& sound : kit.take_sounds()) {
            if (sound.path.empty())
                continue;
            EXPECT_EQ(sound.channel, int(music::channel)) << sound.path;
            names.push_back(sound.path.substr(sound.path.rfind('/') + 1) + (sound.loops == 1 ? " once" : ""));
        }
        return names;
    }
    // Runs ticks until a music file starts, at most `most`: what started.
    std::vector<std::string> run_until_a_track_starts(int most)
    {
        for (int n = 0; n < most; ++n) {
            kit.run(1);
            if (std::vector<std::string> started = tracks_started(); !started.empty())
                return started;
        }
        return {};
    }

    EventKit kit;
    FrameObject* controller = nullptr;
    ArrayObject* calls = nullptr;
    ArrayObject* stack = nullptr;
    StringParser* parser = nullptr;
};

}  // namespace music_test
