// The angle calculator as the player engine runs it: a vector in the group
// controller's A and B, one pass, the angle read back from C.
#include "game/objects/type_ids.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    double a, b, angle;
};

}  // namespace

TEST(AngleCalculator, gives_the_eight_directions_and_the_axes_with_y_down)
{
    EventKit kit;
    FrameObject* vector = nullptr;
    EmptyFrame frame;
    frame.set_up = [&](Frames& f) {
        f.level_group_43 = true;
        kit.place("MasterGroupsA_83", 0, 0);
        vector = kit.place("MasterGroupsA_83", 0, 0);
    };
    kit.enter_empty_frame(frame);
    Frames& f = kit.frames();
    auto angle = [&](double a, double b) {
        EventKit::set_value(vector, 'A', a);
        EventKit::set_value(vector, 'B', b);
        EventKit::set_value(vector, 'C', -1);
        f.run_loop(f.fast_loop_toolsanglecalculator, 1, &Frames::loop_toolsanglecalculator_4);
        return EventKit::value(vector, 'C');
    };
    // The direction of (-A, B): the engine passes left sensor minus right.
    const Case cases[] = {
        {-1, 0, 0},    {-1, 1, 45},    {0, 1, 90},     {1, 1, 135},  {1, 0, 180},    {1, -1, 225},
        {0, -1, 270},  {-1, -1, 315},  {0, 0, 0},      {5, 0, 180},  {0, 7, 90},     {0, -0.5, 270},
        {-14, 0.0, 0}, {-1e-300, -1, 270},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(angle(c.a, c.b), c.angle) << c.a << ", " << c.b;
    // A slope of 1 in 2 down to the right, measured left minus right.
    EXPECT_DOUBLE_EQ(angle(-16, 8), 26.56505117707799);
    EXPECT_DOUBLE_EQ(angle(16, 8), 180 - 26.56505117707799);

    // Only the newest controller is read and written; the gameplay group
    // switches it off.
    EXPECT_EQ(EventKit::value(kit.instances(types::MasterGroupsA_83).front(), 'C'), 0);
    f.level_group_43 = false;
    EXPECT_EQ(angle(1, 1), -1);
}
