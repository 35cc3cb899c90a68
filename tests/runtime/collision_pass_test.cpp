// The frame's collision passes (one callback per contact that begins) and
// its point tests against the backgrounds.
#include "tests/runtime/collision_fixtures.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

namespace {
class PassFrame : public PlainFrame {
public:
    std::vector<std::pair<FrameObject*, FrameObject*>> fired;
    void on_contact() { fired.emplace_back(col_instance_1, col_instance_2); }
    // A callback that moves its pair apart: this pass is not changed by it.
    void on_contact_move()
    {
        fired.emplace_back(col_instance_1, col_instance_2);
        col_instance_2->set_position(1000, 1000);
    }
};

const Frame::CollisionCallback contact = static_cast<Frame::CollisionCallback>(&PassFrame::on_contact);

struct Pass : RunningFrame<PassFrame> {
    Pass() : RunningFrame(2000, 2000, 1) {}
    BoxInstance* box(int type, int x, int y)
    {
        BoxInstance* object = make_box(x, y, type, 10, 10);
        frame.add_object(object, 0);
        return object;
    }
    std::vector<std::pair<FrameObject*, FrameObject*>> run(int type_a, int type_b, int mask_a, int mask_b)
    {
        frame.fired.clear();
        frame.test_collisions(frame.instances[type_a], frame.instances[type_b], mask_a, mask_b, contact);
        return frame.fired;
    }
};

using Pairs = std::vector<std::pair<FrameObject*, FrameObject*>>;
}  // namespace

TEST(CollisionPass, fires_once_per_new_contact_and_again_after_a_tick_apart)
{
    Pass p;
    BoxInstance* a = p.box(10, 0, 0);
    BoxInstance* b = p.box(11, 5, 5);
    const int stack_before = object_stack_top;
    EXPECT_EQ(p.run(10, 11, 1, 1 << 30), (Pairs{{a, b}}));
    EXPECT_EQ(a->collision_events, 1u);
    EXPECT_EQ(b->collision_events, 1u << 30);
    EXPECT_EQ(object_stack_top, stack_before);
    EXPECT_TRUE(p.run(10, 11, 1, 1 << 30).empty());
    EXPECT_TRUE(p.run(10, 11, 1, 1 << 30).empty());
    b->set_position(100, 100);
    EXPECT_TRUE(p.run(10, 11, 1, 1 << 30).empty());
    EXPECT_EQ(a->collision_events, 0u);
    EXPECT_EQ(b->collision_events, 0u);
    b->set_position(5, 5);
    EXPECT_EQ(p.run(10, 11, 1, 1 << 30), (Pairs{{a, b}}));
    // The frame keeps naming the last pair.
    EXPECT_EQ(p.frame.col_instance_1, a);
    EXPECT_EQ(p.frame.col_instance_2, b);
}

TEST(CollisionPass, bits_belong_to_instances_so_a_crossing_contact_counts_as_continuing)
{
    Pass p;
    BoxInstance* a1 = p.box(10, 0, 0);
    BoxInstance* a2 = p.box(10, 500, 0);
    BoxInstance* b1 = p.box(11, 5, 0);
    BoxInstance* b2 = p.box(11, 505, 0);
    EXPECT_EQ(p.run(10, 11, 1, 2), (Pairs{{a1, b1}, {a2, b2}}));
    // a1 now meets b2 and b1 meets a2: every instance already carries its bit.
    a1->set_position(498, 0);
    b1->set_position(496, 0);
    EXPECT_TRUE(p.run(10, 11, 1, 2).empty());

    // One A instance meeting two B instances at once: both fire, in B's order.
    BoxInstance* c = p.box(12, 1000, 0);
    BoxInstance* d1 = p.box(13, 1005, 0);
    BoxInstance* d2 = p.box(13, 995, 0);
    EXPECT_EQ(p.run(12, 13, 4, 4), (Pairs{{c, d1}, {c, d2}}));

    // The same list on both sides never pairs an instance with itself.
    BoxInstance* x = p.box(14, 0, 1000);
    BoxInstance* y = p.box(14, 5, 1000);
    p.box(14, 900, 1000);
    EXPECT_EQ(p.run(14, 14, 8, 8), (Pairs{{x, y}}));
    x->collision_events = y->collision_events = 0;
    EXPECT_EQ(p.run(14, 14, 8, 16), (Pairs{{x, y}, {y, x}}));
}

TEST(CollisionPass, callbacks_run_after_every_bit_is_final_and_selections_neither_limit_nor_change)
{
    Pass p;
    BoxInstance* a = p.box(10, 0, 0);
    BoxInstance* b1 = p.box(11, 5, 0);
    BoxInstance* b2 = p.box(11, 0, 5);
    // An empty side clears the bits.
    a->collision_events = 0x11;
    EXPECT_TRUE(p.run(10, 12, 1, 1).empty());
    EXPECT_EQ(a->collision_events, 0x10u);
    a->collision_events = 0;
    p.frame.instances[10].empty_selection();
    p.frame.fired.clear();
    p.frame.test_collisions(p.frame.instances[10], p.frame.instances[11], 1, 1,
                            static_cast<Frame::CollisionCallback>(&PassFrame::on_contact_move));
    EXPECT_EQ(p.frame.fired, (Pairs{{a, b1}, {a, b2}}));
    EXPECT_FALSE(p.frame.instances[10].has_selection());

    // Groups on one side or both.
    a->collision_events = b1->collision_events = b2->collision_events = 0;
    b1->set_position(5, 0);
    ObjectList* members[] = {&p.frame.instances[10], nullptr};
    QualifierList group_a;
    group_a.set(1, members);
    ObjectList* b_members[] = {&p.frame.instances[12], &p.frame.instances[11], nullptr};
    QualifierList group_b;
    group_b.set(2, b_members);
    p.frame.fired.clear();
    p.frame.test_collisions(group_a, p.frame.instances[11], 1, 1, contact);
    EXPECT_EQ(p.frame.fired, (Pairs{{a, b1}}));
    a->collision_events = b1->collision_events = 0;
    p.frame.fired.clear();
    p.frame.test_collisions(group_a, group_b, 1, 1, contact);
    EXPECT_EQ(p.frame.fired, (Pairs{{a, b1}}));
}

TEST(BackgroundPoints, the_first_shape_under_a_point_decides_obstacle_or_ladder)
{
    Pass p;
    Frame& frame = p.frame;
    frame.width = 640;
    frame.height = 480;
    std::unique_ptr<Image> image(make_mask_image({"#.", "##"}));
    FrameObject* rock = make_backdrop(100, 100, 1, image.get());
    rock->flags |= FrameObject::BACKGROUND;
    frame.add_background_object(rock, 0);
    BoxInstance* ladder = make_box(300, 100, 1, 10, 50);
    ladder->box.flags |= LADDER_OBSTACLE;
    ladder->flags |= FrameObject::BACKGROUND;
    frame.add_background_object(ladder, 0);

    EXPECT_TRUE(frame.test_obstacle(100, 100));
    EXPECT_FALSE(frame.test_obstacle(101, 100));  // a transparent pixel
    EXPECT_FALSE(frame.test_ladder(100, 100));
    EXPECT_TRUE(frame.test_ladder(305, 120));
    EXPECT_FALSE(frame.test_obstacle(305, 120));
    EXPECT_FALSE(frame.test_obstacle(50, 50));
    EXPECT_FALSE(frame.test_ladder(50, 50));
    EXPECT_EQ(frame.test_background_collision(-1, 0), nullptr);
    EXPECT_EQ(frame.test_background_collision(0, 481), nullptr);

    // Pasted items answer before the backdrop instances, ladders included,
    // and the frame's own size still counts as inside.
    frame.layers[0].paste(image.get(), 100, 100, 0, 0, 2, 2, 3, Color());
    EXPECT_TRUE(frame.test_ladder(100, 100));
    frame.layers[0].paste(image.get(), 639, 479, 0, 0, 2, 2, 1, Color());
    EXPECT_TRUE(frame.test_obstacle(640, 480));
    EXPECT_NE(frame.test_background_collision(640, 480), nullptr);

    // A scrolled layer turns the point into its own coordinates.
    frame.layers[0].set_position(-200, 0);
    EXPECT_TRUE(frame.test_ladder(105, 120));
}
