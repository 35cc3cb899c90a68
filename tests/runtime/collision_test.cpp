// The exact overlap test between shapes, every kernel on small masks, the
// instance-level tests and the conditions that narrow selections.
#include "runtime/collision.h"
#include "runtime/layer.h"
#include "tests/runtime/collision_fixtures.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
bool point_hits(int x, int y, const CollisionBase* shape)
{
    const PointCollision point(x, y);
    return collide_direct(&point, shape);
}

bool hits_point(const CollisionBase* shape, int x, int y)
{
    const PointCollision point(x, y);
    return collide_direct(shape, &point);
}

// A shape with a fixed box of kind 6.
struct Box : CollisionBase {
    Box(int x1, int y1, int x2, int y2) : CollisionBase(INSTANCE_BOX, BOX_COLLISION)
    {
        aabb[0] = x1;
        aabb[1] = y1;
        aabb[2] = x2;
        aabb[3] = y2;
    }
};

struct Backdrop {
    FrameObject owner;
    BackdropCollision shape;
    Backdrop(Image* image, int x, int y) : owner(x, y, 1), shape(&owner, image)
    {
        owner.layer = &default_layer();
        shape.update_aabb();
    }
};

// Both orders of a pair give the same answer.
bool overlap_both_ways(const CollisionBase& a, const CollisionBase& b)
{
    const bool forward = collide_direct(&a, &b);
    EXPECT_EQ(collide_direct(&b, &a), forward);
    return forward;
}
}  // namespace

TEST(CollideDirect, boxes_that_only_touch_do_not_overlap)
{
    const Box a(0, 0, 10, 10), right(10, 0, 20, 10), below(0, 10, 10, 20), corner(9, 9, 20, 20);
    EXPECT_FALSE(overlap_both_ways(a, right));
    EXPECT_FALSE(collide_direct(&a, &below));
    EXPECT_TRUE(overlap_both_ways(a, corner));
    const PointCollision point(5, 7);
    EXPECT_EQ(box_of(point), (std::vector<int>{5, 7, 6, 8}));
    EXPECT_TRUE(collide_direct(&point, &a));
    EXPECT_FALSE(point_hits(10, 5, &a));
    // The box handed in stands for b's box.
    const int elsewhere[4] = {100, 100, 110, 110};
    EXPECT_FALSE(collide_direct(&a, &corner, elsewhere));
}

TEST(CollideDirect, sprites_and_backdrops_count_only_solid_pixels_in_the_intersection)
{
    std::unique_ptr<Image> image(make_mask_image({"....", ".#..", "...."}));
    Sprite sprite(image.get(), 10, 10);
    EXPECT_EQ(sprite.shape.type, SPRITE_COLLISION);
    EXPECT_FALSE(overlap_both_ways(sprite.shape, Box(0, 0, 11, 20)));  // covers column 0 only
    const Box on_pixel(11, 11, 12, 12);
    EXPECT_TRUE(overlap_both_ways(sprite.shape, on_pixel));
    // An alpha of 1 is solid.
    image->pixels[(1 * 4 + 1) * 4 + 3] = 1;
    EXPECT_TRUE(collide_direct(&on_pixel, &sprite.shape));
    image->pixels[(1 * 4 + 1) * 4 + 3] = 0;
    EXPECT_FALSE(collide_direct(&on_pixel, &sprite.shape));

    // Sprite pairs need one pixel solid in both masks.
    std::unique_ptr<Image> left_half(make_mask_image({"##..", "##..", "##..", "##.."}));
    std::unique_ptr<Image> right_half(make_mask_image({"..##", "..##", "..##", "..##"}));
    Sprite a(left_half.get(), 0, 0);
    Sprite b(right_half.get(), 0, 0);
    EXPECT_FALSE(collide_direct(&a.shape, &b.shape));
    b.move_to(-2, 0);
    EXPECT_TRUE(overlap_both_ways(a.shape, b.shape));

    // Against a backdrop, and between two backdrops only the first mask counts.
    Backdrop solid_right(right_half.get(), 0, 0);
    Backdrop solid_left(left_half.get(), 0, 0);
    EXPECT_FALSE(collide_direct(&solid_right.shape, &a.shape));
    EXPECT_TRUE(collide_direct(&solid_left.shape, &solid_right.shape));
    EXPECT_FALSE(hits_point(&solid_right.shape, 0, 0));
    EXPECT_TRUE(collide_direct(&solid_right.shape, &solid_left.shape));
}

TEST(CollideDirect, background_items_read_their_image_at_the_source_offset)
{
    std::unique_ptr<Image> image(make_mask_image({"........", "......#."}));
    // The 2 x 2 rectangle from (5, 0), pasted at (100, 100): solid at (101, 101).
    const BackgroundItem item(image.get(), 100, 100, 5, 0, 2, 2, Color());
    EXPECT_FALSE(point_hits(100, 101, &item));
    EXPECT_TRUE(point_hits(101, 101, &item));
    EXPECT_TRUE(hits_point(&item, 101, 101));

    std::unique_ptr<Image> dot(make_mask_image({"#"}));
    Sprite sprite(dot.get(), 101, 100);
    EXPECT_FALSE(collide_direct(&sprite.shape, &item));
    sprite.move_to(101, 101);
    EXPECT_TRUE(overlap_both_ways(sprite.shape, item));
}

TEST(CollideDirect, transformed_sprites_are_sampled_through_the_inverse_transform)
{
    // A 4 x 4 image solid in its top-left pixel only, scaled by 2: the
    // solid pixel covers the box's top-left 2 x 2.
    std::unique_ptr<Image> image(make_mask_image({"#...", "....", "....", "...."}));
    Sprite sprite(image.get(), 0, 0, 2.0f);
    ASSERT_EQ(sprite.shape.type, TRANSFORM_SPRITE_COLLISION);
    EXPECT_EQ(sprite.shape.aabb[2], 8);
    EXPECT_TRUE(point_hits(1, 1, &sprite.shape));
    EXPECT_FALSE(point_hits(2, 1, &sprite.shape));
    EXPECT_FALSE(hits_point(&sprite.shape, 7, 7));

    // Against an untransformed sprite and another transformed one.
    std::unique_ptr<Image> dot(make_mask_image({"#"}));
    Sprite plain(dot.get(), 1, 0);
    EXPECT_TRUE(overlap_both_ways(plain.shape, sprite.shape));
    plain.move_to(3, 0);
    EXPECT_FALSE(collide_direct(&sprite.shape, &plain.shape));
    // Two scaled sprites: their solid 2 x 2 corners meet at (1, 1) only.
    Sprite other(image.get(), 1, 1, 2.0f);
    EXPECT_TRUE(overlap_both_ways(sprite.shape, other.shape));
    other.move_to(2, 2);
    EXPECT_FALSE(overlap_both_ways(sprite.shape, other.shape));

    Backdrop backdrop(dot.get(), 0, 0);
    EXPECT_TRUE(overlap_both_ways(sprite.shape, backdrop.shape));
    const BackgroundItem item(dot.get(), 1, 1, 0, 0, 1, 1, Color());
    EXPECT_TRUE(collide_direct(&sprite.shape, &item));
}

TEST(CollideDirect, a_box_only_sprite_turned_45_degrees_overlaps_as_its_turned_rectangle)
{
    std::unique_ptr<Image> image(make_filled_image(20, 20, 0));  // no solid pixel at all
    Sprite sprite(image.get(), 0, 0);
    sprite.shape.flags |= BOX_COLLISION;
    sprite.shape.set_angle(45);
    const int* box = sprite.shape.aabb;
    // The corner of the bounding box lies outside the turned square.
    EXPECT_FALSE(point_hits(box[0], box[1], &sprite.shape));
    const int cx = (box[0] + box[2]) / 2, cy = (box[1] + box[3]) / 2;
    EXPECT_TRUE(point_hits(cx, cy, &sprite.shape));
    // Without the flag the transparent image never overlaps.
    sprite.shape.flags = 0;
    EXPECT_FALSE(point_hits(cx, cy, &sprite.shape));
}

namespace {
// A sprite instance that reports a saved box of its own, as the animated kind does.
class AlternateSprite : public SpriteInstance {
public:
    int saved[4] = {};
    using SpriteInstance::SpriteInstance;
    const int* get_alternate_box() const override { return saved; }
    void dealloc() override
    {
        this->~AlternateSprite();
        object_pool<AlternateSprite>.destroy(this);
    }
};
}  // namespace

TEST(FrameObjectOverlaps, needs_two_live_active_shapes_on_one_layer_and_reads_the_second_ones_saved_box)
{
    RunningFrame running(640, 480, 2);
    Frame& frame = running.frame;
    std::unique_ptr<Image> image(make_filled_image(10, 10, 255));
    SpriteInstance* a = make_sprite(0, 0, 3, image.get());
    SpriteInstance* b = make_sprite(5, 5, 3, image.get());
    frame.add_object(a, 0);
    frame.add_object(b, 0);
    EXPECT_TRUE(a->overlaps(b));
    EXPECT_FALSE(a->overlaps(a));
    a->flags |= FrameObject::INACTIVE;
    EXPECT_FALSE(a->overlaps(b));
    EXPECT_FALSE(b->overlaps(a));
    a->flags &= ~uint32_t(FrameObject::INACTIVE);
    b->set_layer(1);
    EXPECT_FALSE(a->overlaps(b));
    b->set_layer(0);
    b->destroy();
    EXPECT_FALSE(a->overlaps(b));
    EXPECT_FALSE(b->overlaps(a));

    // The saved box is read for the second instance only.
    AlternateSprite* moved = new (object_pool<AlternateSprite>.create()) AlternateSprite(200, 200, 3, image.get());
    frame.add_object(moved, 0);
    const int saved[4] = {-3, -3, 7, 7};
    std::copy(saved, saved + 4, moved->saved);
    EXPECT_FALSE(a->overlaps(moved));
    moved->flags |= FrameObject::ALTERNATE_BOX;
    EXPECT_TRUE(a->overlaps(moved));
    EXPECT_FALSE(moved->overlaps(a));
    // A saved box larger than the image maps the intersection past the
    // image's edge: those pixels count as empty and are never read.
    const int oversized[4] = {-40, -40, 60, 60};
    std::copy(oversized, oversized + 4, moved->saved);
    EXPECT_FALSE(a->overlaps(moved));
}

TEST(FrameObjectOverlaps, background_test_skips_ladders_and_caches_its_answer_until_the_instance_moves)
{
    RunningFrame running(640, 480, 1);
    Frame& frame = running.frame;
    BoxInstance* ladder = make_box(0, 0, 1, 20, 20);
    ladder->box.flags |= LADDER_OBSTACLE;
    ladder->flags |= FrameObject::BACKGROUND;
    frame.add_background_object(ladder, 0);
    BoxInstance* walker = make_box(5, 5, 4, 4, 4);
    frame.add_object(walker, 0);
    EXPECT_FALSE(walker->overlaps_background());
    EXPECT_EQ(walker->flags & FrameObject::HAS_COLLISION_CACHE, uint32_t(FrameObject::BACKGROUND_CACHED));

    BoxInstance* wall = make_box(100, 0, 1, 20, 20);
    wall->flags |= FrameObject::BACKGROUND;
    frame.add_background_object(wall, 0);
    walker->set_position(105, 5);
    EXPECT_EQ(walker->flags & FrameObject::HAS_COLLISION_CACHE, 0u);
    EXPECT_TRUE(walker->overlaps_background());
    // Answered from the cache: the wall leaving is not seen until the walker moves.
    wall->box.aabb[0] = 1000;
    wall->box.aabb[2] = 1020;
    EXPECT_TRUE(walker->overlaps_background());
    walker->set_position(106, 5);
    EXPECT_FALSE(walker->overlaps_background());

    // Pasted obstacles answer first, without the cache; pasted ladders never.
    std::unique_ptr<Image> image(make_filled_image(10, 10, 255));
    frame.layers[0].paste(image.get(), 300, 0, 0, 0, 10, 10, 3, Color());
    walker->set_position(302, 2);
    EXPECT_FALSE(walker->overlaps_background());
    frame.layers[0].paste(image.get(), 300, 0, 0, 0, 10, 10, 1, Color());
    walker->set_position(303, 2);
    EXPECT_TRUE(walker->overlaps_background());
    EXPECT_EQ(walker->flags & FrameObject::HAS_COLLISION_CACHE, 0u);
    walker->destroy();
    EXPECT_FALSE(walker->overlaps_background());
}

namespace {
struct Selections {
    RunningFrame<> running{640, 480, 1};
    Frame& frame = running.frame;

    BoxInstance* box(int type, int x, int y)
    {
        BoxInstance* object = make_box(x, y, type, 10, 10);
        frame.add_object(object, 0);
        return object;
    }
    ObjectList& list(int type) { return frame.instances[type]; }
    Chain selected(int type) { return chain_of(frame.instances[type]); }
};
}  // namespace

TEST(CheckOverlap, keeps_on_each_side_the_selected_instances_that_touch_the_other_side)
{
    Selections s;
    s.box(10, 0, 0);
    BoxInstance* a2 = s.box(10, 100, 0);
    BoxInstance* a3 = s.box(10, 200, 0);
    BoxInstance* b1 = s.box(11, 105, 5);
    ObjectList& a = s.list(10);
    ObjectList& b = s.list(11);
    a.clear_selection();
    b.clear_selection();
    EXPECT_TRUE(check_overlap(a, b));
    EXPECT_EQ(s.selected(10), Chain{a2});
    EXPECT_EQ(s.selected(11), Chain{b1});

    // An empty B: false, A unchanged.
    EXPECT_FALSE(check_overlap(a, s.list(12)));
    EXPECT_EQ(s.selected(10), Chain{a2});

    // No pair: false, A empty, B unchanged but for instances without a shape.
    s.frame.add_object(make_instance(0, 0, 11), 0);
    a.clear_selection();
    b.clear_selection();
    b1->set_position(400, 400);
    EXPECT_FALSE(check_overlap(a, b));
    EXPECT_TRUE(s.selected(10).empty());
    EXPECT_EQ(s.selected(11), Chain{b1});

    // The same list on both sides never pairs an instance with itself.
    a.clear_selection();
    EXPECT_FALSE(check_overlap(a, a));
    a3->set_position(105, 0);
    a.clear_selection();
    EXPECT_TRUE(check_overlap(a, a));
    EXPECT_EQ(s.selected(10), (Chain{a3, a2}));
}

TEST(CheckOverlap, instances_without_a_shape_leave_both_sides_whatever_the_answer)
{
    Selections s;
    BoxInstance* a1 = s.box(10, 0, 0);
    s.frame.add_object(make_instance(2, 2, 10), 0);
    BoxInstance* b1 = s.box(11, 5, 5);
    s.frame.add_object(make_instance(3, 3, 11), 0);
    ObjectList* members[] = {&s.list(10), nullptr};
    QualifierList group;
    group.set(1, members);
    // Two lists scan A and mark B; a group against a list scans the list.
    for (bool lists : {true, false}) {
        SCOPED_TRACE(lists ? "two lists" : "group and list");
        auto overlap = [&] {
            s.list(10).clear_selection();
            s.list(11).clear_selection();
            return lists ? check_overlap(s.list(10), s.list(11)) : check_overlap(group, s.list(11));
        };
        b1->set_position(5, 5);
        EXPECT_TRUE(overlap());
        EXPECT_EQ(s.selected(10), Chain{a1});
        EXPECT_EQ(s.selected(11), Chain{b1});
        b1->set_position(400, 400);
        EXPECT_FALSE(overlap());
        EXPECT_EQ(s.selected(10), lists ? Chain{} : Chain{a1});
        EXPECT_EQ(s.selected(11), lists ? Chain{b1} : Chain{});
    }
}

TEST(CheckOverlap, object_groups_are_marked_list_after_list)
{
    Selections s;
    BoxInstance* a = s.box(10, 0, 0);
    s.box(11, 300, 0);
    BoxInstance* g2 = s.box(12, 5, 5);
    s.box(12, 400, 0);
    ObjectList* members[] = {&s.list(11), &s.list(12), nullptr};
    QualifierList group;
    group.set(2, members);
    s.list(10).clear_selection();
    group.clear_selection();
    EXPECT_TRUE(check_overlap(s.list(10), group));
    EXPECT_EQ(s.selected(11), Chain{});
    EXPECT_EQ(s.selected(12), Chain{g2});
    s.list(10).clear_selection();
    group.clear_selection();
    EXPECT_TRUE(check_overlap(group, s.list(10)));
    EXPECT_EQ(s.selected(12), Chain{g2});
    EXPECT_EQ(s.selected(10), Chain{a});
    group.clear_selection();
    // No member touches another member.
    EXPECT_FALSE(check_overlap(group, group));
    EXPECT_FALSE(group.has_selection());
}

TEST(CheckNotOverlap, is_true_only_for_selected_shapes_against_an_untouched_nonempty_side)
{
    Selections s;
    s.box(10, 0, 0);
    BoxInstance* b = s.box(11, 5, 5);
    s.box(11, 300, 0);
    ObjectList& al = s.list(10);
    ObjectList& bl = s.list(11);
    al.clear_selection();
    bl.empty_selection();
    // Unselected B instances count.
    EXPECT_FALSE(check_not_overlap(al, bl));
    b->set_position(200, 200);
    EXPECT_TRUE(check_not_overlap(al, bl));
    EXPECT_FALSE(check_not_overlap(al, s.list(12)));
    al.empty_selection();
    EXPECT_FALSE(check_not_overlap(al, bl));
    EXPECT_FALSE(bl.has_selection());

    al.clear_selection();
    QualifierList none;
    EXPECT_FALSE(check_not_overlap(al, none));
    ObjectList* members[] = {&s.list(12), &bl, nullptr};
    QualifierList group;
    group.set(2, members);
    EXPECT_TRUE(check_not_overlap(al, group));
    b->set_position(2, 2);
    EXPECT_FALSE(check_not_overlap(al, group));
}

TEST(InstanceShapes, boxes_follow_their_owner_and_proxy_operations_are_idempotent)
{
    RunningFrame running(640, 480, 1);
    BoxInstance* box = make_box(10, 20, 4, 30, 40);
    box->box.update_aabb();
    EXPECT_EQ(box_of(box->box), (std::vector<int>{10, 20, 40, 60}));
    box->layer = &running.layer(0);
    box->flags |= FrameObject::HAS_COLLISION_CACHE;
    box->set_position(13, 18);
    EXPECT_EQ(box_of(box->box), (std::vector<int>{13, 18, 43, 58}));
    EXPECT_EQ(box->flags & FrameObject::HAS_COLLISION_CACHE, 0u);
    box->box.remove_proxy();
    EXPECT_EQ(box->box.proxy, -1);
    box->box.create_proxy();
    const int id = box->box.proxy;
    box->box.create_proxy();
    box->box.create_static_proxy();
    EXPECT_EQ(box->box.proxy, id);
    EXPECT_EQ(running.layer(0).grid.cell(0, 0).ids, std::vector<int>{id});
    box->box.remove_proxy();
    EXPECT_TRUE(running.layer(0).grid.cell(0, 0).ids.empty());
    box->dealloc();

    FrameObject counter(100, 50, 7);
    counter.width = 12;
    counter.height = 8;
    counter.layer = &default_layer();
    OffsetInstanceBox offset(&counter);
    offset.set_offset(-12, -8);
    EXPECT_EQ(box_of(offset), (std::vector<int>{88, 42, 100, 50}));

    std::unique_ptr<Image> image(make_filled_image(16, 4, 255));
    FrameObject owner(5, 6, 1);
    owner.layer = &default_layer();
    BackdropCollision backdrop(&owner, image.get());
    backdrop.update_aabb();
    EXPECT_EQ(box_of(backdrop), (std::vector<int>{5, 6, 21, 10}));
}

TEST(InstanceShapes, an_instance_without_a_shape_never_overlaps_and_answers_every_query)
{
    RunningFrame running(640, 480, 1);
    Frame& frame = running.frame;
    FrameObject* bare = frame.add_object(make_instance(0, 0, 10), 0);
    bare->width = bare->height = 50;
    BoxInstance* box = make_box(0, 0, 11, 50, 50);
    frame.add_object(box, 0);
    EXPECT_FALSE(bare->overlaps(box));
    EXPECT_FALSE(box->overlaps(bare));
    EXPECT_FALSE(bare->overlaps_background());
    EXPECT_FALSE(bare->mouse_over());
    frame.instances[10].clear_selection();
    frame.instances[11].clear_selection();
    EXPECT_FALSE(check_overlap(frame.instances[10], frame.instances[11]));
    EXPECT_FALSE(check_not_overlap(frame.instances[10], frame.instances[11]));
}
