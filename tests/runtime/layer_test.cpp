// Layers: depth numbering and moves, changes of layer, pasted backgrounds,
// the visible-instance query and the tint decision, and what a destroyed
// layer releases.
#include "runtime/layer.h"
#include "tests/runtime/collision_fixtures.h"
#include "tests/support/volumes.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
FrameObject* add(Frame& frame, int layer = 0)
{
    return frame.add_object(make_instance(0, 0, 4), layer);
}

std::vector<FrameObject*> order_of(const Layer& layer)
{
    std::vector<FrameObject*> order;
    for (FrameObject* object = layer.first; object; object = object->layer_next)
        order.push_back(object);
    return order;
}

bool depths_ascend(const Layer& layer)
{
    for (FrameObject* object = layer.first; object && object->layer_next; object = object->layer_next) {
        if (object->depth >= object->layer_next->depth)
            return false;
    }
    return true;
}
}  // namespace

TEST(LayerDepth, appends_from_2147483647_and_move_back_prepends_by_100000)
{
    RunningFrame running(640, 480, 1);
    FrameObject* a = add(running.frame);
    FrameObject* b = add(running.frame);
    EXPECT_EQ(a->depth, 2147483647u);
    EXPECT_EQ(b->depth, 2147483647u + 100000u);
    b->move_back();
    EXPECT_EQ(b->depth, 2147483647u - 100000u);
    EXPECT_EQ(order_of(running.layer(0)), (std::vector<FrameObject*>{b, a}));
    b->move_front();
    EXPECT_EQ(b->depth, 2147483647u + 100000u);

    // Alone in its layer, moving back appends again.
    FrameObject* single = add(running.frame);
    single->set_layer(0);
    a->destroy();
    b->destroy();
    running.frame.clean_instances();
    single->move_back();
    EXPECT_EQ(single->depth, 2147483647u);

    // Running out of room at either end renumbers the layer in order.
    FrameObject* top = add(running.frame);
    top->depth = 4294967295u - 99999u;
    FrameObject* over = add(running.frame);
    EXPECT_EQ(order_of(running.layer(0)), (std::vector<FrameObject*>{single, top, over}));
    EXPECT_EQ(over->depth, 2147483647u + 200000u);
    single->depth = 99999u;
    over->move_back();
    EXPECT_EQ(order_of(running.layer(0)), (std::vector<FrameObject*>{over, single, top}));
    EXPECT_EQ(over->depth, 2147483647u);
    EXPECT_EQ(top->depth, 2147483647u + 200000u);
}

TEST(LayerDepth, moves_behind_an_instance_shrink_the_step_then_renumber_on_the_46th)
{
    RunningFrame running(640, 480, 1);
    Frame& frame = running.frame;
    FrameObject* p = add(frame);
    FrameObject* x = add(frame);
    const uint32_t P = p->depth;
    const uint32_t expected_steps[] = {10000, 1000, 100, 10, 1};
    uint32_t expected = P;
    std::vector<FrameObject*> moved;
    for (int i = 0; i < 45; ++i) {
        FrameObject* object = add(frame);
        object->move_back(x);
        expected += expected_steps[i / 9];
        ASSERT_EQ(object->depth, expected) << i;
        EXPECT_EQ(object->layer_next, x);
        moved.push_back(object);
    }
    EXPECT_EQ(x->depth - moved.back()->depth, 1u);
    FrameObject* last = add(frame);
    last->move_back(x);
    EXPECT_EQ(last->layer_next, x);
    EXPECT_EQ(p->depth, 2147483647u);
    EXPECT_EQ(moved[0]->depth, 2147483647u + 100000u);
    EXPECT_EQ(x->depth, 2147483647u + 47u * 100000u);
    EXPECT_TRUE(depths_ascend(running.layer(0)));

    // Already behind: nothing moves. Null or another layer's instance: nothing.
    const uint32_t before = p->depth;
    p->move_back(x);
    p->move_back(nullptr);
    EXPECT_EQ(p->depth, before);
    EXPECT_EQ(running.layer(0).first, p);
}

TEST(LayerDepth, move_front_of_a_neighbour_one_apart_reports_the_flush_and_renumbers)
{
    RunningFrame running(640, 480, 1);
    Frame& frame = running.frame;
    FrameObject* a = add(frame);
    FrameObject* b = add(frame);
    FrameObject* c = add(frame);
    c->move_back();
    b->depth = a->depth + 1;
    // c goes between a and b, which are one apart.
    EXPECT_EQ(console_output_of([&] { c->move_front(a); }), "move_front flush: 2147483648 2147483647\n");
    EXPECT_EQ(order_of(running.layer(0)), (std::vector<FrameObject*>{a, c, b}));
    EXPECT_EQ(c->depth, 2147483647u + 100000u);
    EXPECT_EQ(b->depth, 2147483647u + 200000u);

    // In front of the last instance; and nothing when other is already behind.
    a->move_front(b);
    EXPECT_EQ(order_of(running.layer(0)), (std::vector<FrameObject*>{c, b, a}));
    EXPECT_EQ(a->depth, b->depth + 100000u);
    const uint32_t before = a->depth;
    a->move_front(c);
    EXPECT_EQ(a->depth, before);

    // A wide gap: 10000 below the next instance.
    c->move_front(b);
    EXPECT_EQ(order_of(running.layer(0)), (std::vector<FrameObject*>{b, c, a}));
    EXPECT_EQ(c->depth, a->depth - 10000u);
}

TEST(LayerMove, set_layer_clamps_keeps_the_frame_position_and_refiles_the_grid_entry)
{
    RunningFrame running(2000, 480, 3);
    Frame& frame = running.frame;
    running.layer(2).set_position(100, 0);
    BoxInstance* box = make_box(50, 60, 4, 10, 10);
    frame.add_object(box, 0);
    box->set_layer(7);
    EXPECT_EQ(box->layer, &running.layer(2));
    EXPECT_EQ(running.layer(0).instance_count, 0);
    EXPECT_EQ(running.layer(2).instance_count, 1);
    EXPECT_EQ(box->get_x(), 50);
    EXPECT_EQ(box->x, -50);
    EXPECT_EQ(box->collision->aabb[0], -50);
    ASSERT_NE(box->collision->proxy, -1);
    EXPECT_EQ(running.layer(2).grid.cell(0, 0).ids, std::vector<int>{box->collision->proxy});
    EXPECT_TRUE(running.layer(0).grid.cell(0, 0).ids.empty());
    box->set_layer(-3);
    EXPECT_EQ(box->layer, &running.layer(0));
    EXPECT_EQ(box->x, 50);
    EXPECT_EQ(box->depth, 2147483647u);
}

TEST(LayerPaste, clips_to_the_image_and_adds_collision_and_drawn_items_by_type_and_alpha)
{
    RunningFrame running(640, 480, 1);
    Layer& layer = running.layer(0);
    std::unique_ptr<Image> image(make_filled_image(32, 16, 255));
    layer.paste(image.get(), 5, 5, 40, 0, 10, 10, 1, Color(255, 255, 255, 255));
    ASSERT_NE(layer.back, nullptr);
    EXPECT_TRUE(layer.back->items.empty());
    EXPECT_TRUE(layer.back->col_items.empty());

    layer.paste(image.get(), 5, 6, 28, 10, 10, 10, 1, Color(255, 255, 255, 1));
    ASSERT_EQ(layer.back->col_items.size(), 1u);
    EXPECT_TRUE(layer.back->items.empty());
    const BackgroundItem* item = layer.back->col_items[0];
    EXPECT_EQ(item->width, 4);
    EXPECT_EQ(item->height, 6);
    EXPECT_EQ(item->aabb[2], 9);
    EXPECT_EQ(item->aabb[3], 12);
    EXPECT_EQ(item->flags, 0);
    EXPECT_EQ(item->type, BACKGROUND_ITEM);

    layer.paste(image.get(), 0, 0, 0, 0, 8, 8, 3, Color(255, 255, 255, 128));
    EXPECT_EQ(layer.back->col_items[1]->flags, BOX_COLLISION | LADDER_OBSTACLE);
    EXPECT_EQ(layer.back->items.size(), 1u);
    layer.paste(image.get(), 0, 0, 0, 0, 8, 8, 4, Color());
    EXPECT_EQ(layer.back->col_items.size(), 2u);
    EXPECT_EQ(console_output_of([&] { layer.paste(image.get(), 0, 0, 0, 0, 8, 8, 2, Color()); }),
              "Collision type 2 not supported\n");
    EXPECT_EQ(layer.back->col_items.size(), 2u);
    EXPECT_EQ(layer.back->items.size(), 3u);
    layer.paste(nullptr, 0, 0, 0, 0, 8, 8, 1, Color());
    EXPECT_EQ(layer.back->items.size(), 3u);
}

TEST(LayerDraw, collects_background_objects_first_then_by_depth_and_tints_only_when_not_white)
{
    RunningFrame running(2000, 1000, 1);
    Frame& frame = running.frame;
    Layer& layer = running.layer(0);
    FrameObject* front = frame.add_object(make_box(10, 10, 4, 10, 10), 0);
    FrameObject* back = frame.add_object(make_box(20, 10, 4, 10, 10), 0);
    back->move_back();
    FrameObject* hidden = frame.add_object(make_box(20, 10, 4, 10, 10), 0);
    hidden->set_visible(false);
    FrameObject* far = frame.add_object(make_box(900, 10, 4, 10, 10), 0);
    FrameObject* backdrop = make_box(0, 0, 1, 50, 50);
    backdrop->flags |= FrameObject::BACKGROUND;
    frame.add_background_object(backdrop, 0);
    // Not in the grid, so never drawn.
    FrameObject* unfiled = make_instance(5, 5, 4);
    frame.add_object(unfiled, 0);

    int box[4];
    layer.get_view_box(0, 0, box);
    EXPECT_EQ(box[2], 426);
    EXPECT_EQ(box[3], 240);
    layer.collect_instances(box);
    EXPECT_EQ(layer.draw_list, (std::vector<FrameObject*>{backdrop, back, front}));

    // A half-speed layer shifted right: the view box in local pixels.
    layer.coef_x = 0.5;
    layer.x = 3;
    layer.get_view_box(1001, 0, box);
    EXPECT_EQ(box[0], 497);
    layer.collect_instances(box);
    EXPECT_EQ(layer.draw_list, std::vector<FrameObject*>{far});

    EXPECT_FALSE(layer.has_tint());
    layer.color = Color(255, 255, 255, 0);
    EXPECT_FALSE(layer.has_tint());
    layer.color = Color(255, 255, 254, 255);
    EXPECT_TRUE(layer.has_tint());

    // An invisible layer collects nothing.
    layer.draw_list.clear();
    layer.visible = false;
    layer.draw(0, 0);
    EXPECT_TRUE(layer.draw_list.empty());
}

namespace {
int released = 0;

class CountedBackdrop : public FrameObject {
public:
    std::unique_ptr<Image> image;
    BackdropCollision shape;
    CountedBackdrop(int x, int y) : FrameObject(x, y, 1), image(make_filled_image(8, 8, 255)), shape(this, image.get())
    {
        collision = &shape;
        flags |= BACKGROUND;
    }
    ~CountedBackdrop() override
    {
        collision = nullptr;
        ++released;
    }
    void dealloc() override { delete this; }
};
}  // namespace

TEST(LayerLifetime, a_destroyed_layer_or_background_object_releases_what_it_holds)
{
    released = 0;
    std::unique_ptr<Image> image(make_filled_image(8, 8, 255));
    {
        RunningFrame running(640, 480, 2);
        running.frame.add_background_object(new CountedBackdrop(0, 0), 0);
        running.frame.add_background_object(new CountedBackdrop(300, 0), 1);
        running.layer(1).paste(image.get(), 0, 0, 0, 0, 8, 8, 1, Color());
        FrameObject* shapeless = make_instance(0, 0, 9);
        shapeless->flags |= FrameObject::BACKGROUND;
        running.frame.add_background_object(shapeless, 0);
        running.frame.reset();
        EXPECT_EQ(released, 2);
    }

    // A destroyed background object without a shape leaves the grid.
    RunningFrame running(640, 480, 1);
    FrameObject* shapeless = make_instance(0, 0, 9);
    shapeless->width = shapeless->height = 10;
    shapeless->flags |= FrameObject::BACKGROUND;
    running.frame.add_background_object(shapeless, 0);
    shapeless->destroy();
    running.frame.clean_instances();
    EXPECT_TRUE(running.layer(0).grid.cell(0, 0).ids.empty());
    int box[4];
    running.layer(0).get_view_box(0, 0, box);
    running.layer(0).collect_instances(box);
    EXPECT_TRUE(running.layer(0).draw_list.empty());
}
