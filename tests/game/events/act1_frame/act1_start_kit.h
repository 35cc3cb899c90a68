// Act 1's start events on a frame of the act's size, with only the
// instances a test places: the groups the act's set-up switches on are on.
#pragma once

#include "audio/media.h"
#include "game/objects/classes.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <map>
#include <vector>

namespace act1_test {

constexpr int act_width = 14816;
constexpr int act_height = 1864;

inline void switch_on_start_groups(Frames& frames)
{
    for (bool* group : {&frames.level_group_8, &frames.level_group_16, &frames.level_group_23,
                        &frames.level_group_31, &frames.level_group_32, &frames.level_group_43})
        *group = true;
    frames.level_group_68 = false;
}

// An eight-layer frame of the act's size: `place` runs at the end of its
// set-up, `start` as its start events.
inline EmptyFrame act_frame(std::function<void(Frames&)> place, std::function<void(Frames&)> start)
{
    EmptyFrame frame;
    frame.layers = 8;
    frame.width = act_width;
    frame.height = act_height;
    frame.set_up = [place](Frames& frames) {
        switch_on_start_groups(frames);
        if (place)
            place(frames);
    };
    frame.start = std::move(start);
    return frame;
}

// Points an object group at the given types' lists for the test's frame;
// the member array lives as long as the process, as a set-up's does.
inline void set_group(Frames& frames, QualifierList& group, std::initializer_list<int> types)
{
    static std::map<QualifierList*, std::vector<ObjectList*>> arrays;
    std::vector<ObjectList*>& lists = arrays[&group];
    lists.clear();
    for (const int type : types)
        lists.push_back(&frames.instances[type]);
    lists.push_back(nullptr);
    group.set(int(types.size()), lists.data());
}

// The kept objects these tests write and the music channel start as a fresh
// run has them: each kit starts so.
class StartTest : public testing::Test {};

}  // namespace act1_test
