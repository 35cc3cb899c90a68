// Linking at the act's start: each linkable object inside the playfield
// takes the value of a marker over it, pairing by selection order. Losing
// petals: at most 32 scatter, one step per petal and one more.
#include "tests/game/events/player_physics/player_course.h"

#include <gtest/gtest.h>

using namespace player_course;

namespace {

class Links : public ::testing::Test {
protected:
    void SetUp() override { course.enter(""); }
    Frames& frames() { return course.kit.frames(); }
    FrameObject* linkable(int x, int y, double number)
    {
        FrameObject* object = course.kit.place("LevelValleyPlatform1_149", x, y);
        EventKit::set_value(object, 'O', number);
        EventKit::set_value(object, 'L', -1);
        return object;
    }
    FrameObject* marker(int x, int y, double value)
    {
        FrameObject* object = course.kit.place("LINK_186", x, y);
        EventKit::set_value(object, 'Z', value);
        return object;
    }
    void link_all()
    {
        frames().run_loop(frames().fast_loop_link_objects_1, frames().qualifier_6.size(),
                          &Frames::loop_link_objects_1_4);
    }
    Course course;
};

}  // namespace

TEST_F(Links, objects_sharing_a_number_take_the_markers_over_them_newest_with_newest)
{
    FrameObject* older = linkable(200, 200, 0);
    FrameObject* newer = linkable(210, 200, 0);
    marker(205, 200, 11);
    marker(207, 200, 22);
    marker(600, 600, 33);  // over nothing: not among the markers paired
    link_all();
    EXPECT_EQ(EventKit::value(newer, 'L'), 22);
    EXPECT_EQ(EventKit::value(older, 'L'), 11);
}

TEST_F(Links, one_marker_serves_every_object_it_covers)
{
    FrameObject* first = linkable(200, 200, 0);
    FrameObject* second = linkable(220, 200, 0);
    marker(210, 200, 7);
    link_all();
    EXPECT_EQ(EventKit::value(first, 'L'), 7);
    EXPECT_EQ(EventKit::value(second, 'L'), 7);
}

TEST_F(Links, objects_outside_the_playfield_or_without_a_marker_keep_their_value)
{
    FrameObject* outside = linkable(Course::width + 100, 200, 0);
    marker(Course::width + 100, 200, 5);
    FrameObject* bare = linkable(400, 400, 1);
    FrameObject* linked = linkable(600, 300, 2);
    marker(600, 300, 9);
    link_all();
    EXPECT_EQ(EventKit::value(outside, 'L'), -1);
    EXPECT_EQ(EventKit::value(bare, 'L'), -1);
    EXPECT_EQ(EventKit::value(linked, 'L'), 9);
}

TEST_F(Links, a_lost_petal_count_is_capped_at_32_and_scattered_in_one_more_step)
{
    FrameObject* ring_loss = course.kit.place("MasterRingLoss_129", -50, -50);
    const struct {
        double count, capped;
        int steps;
    } cases[] = {{50, 32, 33}, {32, 32, 33}, {0, 0, 1}, {2.7, 2.7, 3}};
    for (const auto& c : cases) {
        EventKit::set_value(ring_loss, 'A', c.count);
        EventKit::set_value(ring_loss, 'H', 6);
        EventKit::set_value(ring_loss, 'G', 0);
        frames().run_loop(frames().fast_loop_rings_ringloss, 1, &Frames::loop_rings_ringloss_4);
        EXPECT_EQ(EventKit::value(ring_loss, 'A'), c.capped) << c.count;
        EXPECT_EQ(EventKit::value(ring_loss, 'G'), 6) << c.count;
        EXPECT_EQ(frames().fast_loop_rings_ringloss_step.index, c.steps) << c.count;
    }
    // Outside the main gameplay group nothing happens.
    frames().level_group_43 = false;
    EventKit::set_value(ring_loss, 'A', 50);
    frames().run_loop(frames().fast_loop_rings_ringloss, 1, &Frames::loop_rings_ringloss_4);
    EXPECT_EQ(EventKit::value(ring_loss, 'A'), 50);
}
