// What the menu frames' tests share: entering a frame with the music
// channel idle, and running until the frame changes.
#pragma once

#include "audio/media.h"
#include "tests/support/event_kit.h"

// Enters frame `index` with nothing on the music channel, so that its start
// events begin their own music; with `quiet` the sounds of the entry are
// taken away.
inline void enter_with_music_idle(EventKit& kit, int index, bool quiet = false)
{
    media.stop_channel(31);
    kit.enter_frame(index);
    if (quiet)
        kit.take_sounds();
}

// Runs ticks until the frame index is `index`; the ticks it took, or -1.
inline int run_until_frame(EventKit& kit, int index, int limit)
{
    for (int ticks = 1; ticks <= limit; ++ticks) {
        kit.run(1);
        if (kit.frames().index == index)
            return ticks;
    }
    return -1;
}

// The frame-change lines of the console since the last take.
inline std::vector<std::string> frame_changes(EventKit& kit)
{
    std::vector<std::string> changes;
    for (const std::string& line : kit.take_console())
        if (line.rfind("Setting frame: ", 0) == 0)
            changes.push_back(line);
    return changes;
}
