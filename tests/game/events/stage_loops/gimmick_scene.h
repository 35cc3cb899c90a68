// A frame of the act's size for the gimmick loops: a floor of solid squares
// on the playfield layer with its top at 200 (inside the opening view), the
// groups the loops walk pointed at the types the tests place, and a tick
// handler that runs whatever the test gives it.
#pragma once

#include "game/objects/class_lookup.h"
#include "tests/game/events/act1_frame/act1_start_kit.h"

#include <functional>

namespace gimmick_test {

constexpr int playfield = 2;
constexpr int floor_top = 200;

class GimmickScene : public act1_test::StartTest {
protected:
    void SetUp() override
    {
        StartTest::SetUp();
        EmptyFrame frame = act1_test::act_frame(
            [](Frames& f) {
                using act1_test::set_group;
                set_group(f, f.qualifier_8, {types::MasterGroupsB_84, types::PushableBlock1_364});
                set_group(f, f.qualifier_7, {types::MasterGroupsA_83, types::LevelValleyPlatform1_149,
                                             types::LevelMovingPlatform2_265, types::LevelMovingPlatform3_281});
                for (int x = -128; x < 1024; x += 128)
                    square(f, "LevelBackdrop02_142", x, floor_top);
            },
            {});
        frame.handler = [this](Frames& f) {
            if (each_tick)
                each_tick(f);
        };
        kit.enter_empty_frame(frame);
        kit.take_console();
    }

    Frames& f() { return kit.frames(); }

    // A 128-pixel square of background obstacle with its top-left at (x, y).
    static void square(Frames& frames, const char* class_name, int x, int y)
    {
        frames.add_background_object(create_object(class_name, x, y), playfield);
    }

    // An instance on the playfield moved so that its box's bottom (one past
    // its last row) is `bottom`, and its left edge `left`.
    FrameObject* place_box(const char* class_name, int left, int bottom)
    {
        FrameObject* object = kit.place(class_name, left, bottom, playfield);
        object->set_x(object->get_x() + left - object->get_box_index(0));
        object->set_y(object->get_y() + bottom - object->get_box_index(3));
        return object;
    }

    std::function<void(Frames&)> each_tick;
    EventKit kit;
};

}  // namespace gimmick_test
