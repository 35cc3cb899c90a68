#include "objects/advdir.h"
#include "objects/arrayext.h"
#include "objects/layerext.h"
#include "objects/steamext.h"
#include "objects/stringparser.h"
#include "objects/windowcontrol.h"

#include "runtime/frame.h"
#include "runtime/layer.h"
#include "runtime/pools.h"
#include "tests/support/volumes.h"

#include <gtest/gtest.h>

#include <new>
#include <vector>

namespace {

class LayersFrame : public Frame {
public:
    explicit LayersFrame(int count)
    {
        layers.resize(size_t(count));
        for (int i = 0; i < count; ++i)
            layers[size_t(i)].init(i, 1.0, 1.0, true, false, false);
    }
    void set_index(int) override {}
};

// Takes a slot, builds the kind in it, releases it through dealloc and
// checks that the pool gets the slot back and hands it out next.
template <class Kind>
void expect_dealloc_returns_slot()
{
    void* slot = object_pool<Kind>.create();
    Kind* object = new (slot) Kind(1, 2, 7);
    EXPECT_EQ(object->x, 1);
    EXPECT_EQ(object->id, 7);
    const int free_count = object_pool<Kind>.get_free_count();
    object->dealloc();
    EXPECT_EQ(object_pool<Kind>.get_free_count(), free_count + 1);
    EXPECT_EQ(object_pool<Kind>.create(), slot);
    object_pool<Kind>.destroy(slot);
}

}  // namespace

TEST(SupportKinds, DeallocReturnsEachKindsSlotToItsOwnPool)
{
    expect_dealloc_returns_slot<AdvancedDirection>();
    expect_dealloc_returns_slot<ArrayObject>();
    expect_dealloc_returns_slot<LayerObject>();
    expect_dealloc_returns_slot<SteamObject>();
    expect_dealloc_returns_slot<WindowControl>();
}

TEST(WindowControl, AnswersTheConsoleScreenAndOnlyLogsChanges)
{
    EXPECT_EQ(WindowControl::get_x(), 0);
    EXPECT_EQ(WindowControl::get_y(), 0);
    EXPECT_FALSE(WindowControl::is_maximized());
    EXPECT_TRUE(WindowControl::has_focus());
    const std::string output = console_output_of([] {
        WindowControl::set_width(852);
        WindowControl::set_width(425);
        WindowControl::set_height(480);
        WindowControl::set_placement(3);
        WindowControl::set_visible(true);
        WindowControl::set_visible(false);
        WindowControl::maximize();
        WindowControl::restore();
        WindowControl::minimize();
        WindowControl::set_position(100, 100);
        WindowControl::set_focus(false);
    });
    EXPECT_EQ(output,
              "Set window width: 852\n"
              "Set window width: 425\n"
              "Set window height: 480\n"
              "Set window placement: 3\n"
              "Set window visible: 1\n"
              "Set window visible: 0\n"
              "Maximize window\n"
              "Restore window\n"
              "Minimize window\n");
    EXPECT_EQ(WindowControl::get_width(), 426);
    EXPECT_EQ(WindowControl::get_height(), 240);
    EXPECT_EQ(WindowControl::get_screen_width(), 426);
    EXPECT_EQ(WindowControl::get_screen_height(), 240);
    EXPECT_EQ(WindowControl::get_x(), 0);
}

TEST(SteamObject, AnswersConstantsWithoutAStorefront)
{
    EXPECT_EQ(console_output_of([] {
                  EXPECT_TRUE(SteamObject::is_ready());
                  SteamObject::unlock_achievement("first");
                  EXPECT_FALSE(SteamObject::is_achievement_unlocked("first"));
                  SteamObject::upload("records");
                  SteamObject::upload_time(90);
              }),
              "");
}

TEST(LayerObject, ShowsHidesMovesAndTintsLayersByIndex)
{
    LayersFrame frame(3);
    LayerObject control(0, 0, 13);
    control.frame = &frame;
    control.hide_layer(2);
    EXPECT_FALSE(frame.layers[2].visible);
    EXPECT_TRUE(frame.layers[1].visible);
    control.show_layer(2);
    EXPECT_TRUE(frame.layers[2].visible);

    control.set_position(1, 10, 20);
    control.set_x(1, 30);
    EXPECT_EQ(control.get_x(1), 30);
    EXPECT_EQ(control.get_y(1), 20);
    control.set_y(1, -5);
    EXPECT_EQ(frame.layers[1].x, 30);
    EXPECT_EQ(frame.layers[1].y, -5);
    EXPECT_EQ(frame.layers[1].off_x, 30);
    EXPECT_EQ(frame.layers[0].x, 0);

    control.set_rgb(0, Color(10, 20, 30, 40));
    EXPECT_EQ(frame.layers[0].color, Color(10, 20, 30, 40));

    EXPECT_EQ(console_output_of([&] {
                  control.hide_layer(3);
                  control.set_x(-1, 5);
                  EXPECT_EQ(control.get_y(7), 0);
              }),
              "Invalid layer index: 3\nInvalid layer index: -1\nInvalid layer index: 7\n");
}

TEST(LayerObject, AlphaCoefficientFadesTheBackgroundObjects)
{
    LayersFrame frame(2);
    LayerObject control(0, 0, 13);
    control.frame = &frame;
    FrameObject* backdrops[2];
    for (FrameObject*& backdrop : backdrops) {
        backdrop = new (object_pool<FrameObject>.create()) FrameObject(0, 0, 1);
        frame.layers[1].add_background_object(backdrop);
    }
    FrameObject other(0, 0, 5);
    frame.layers[1].add_object(&other);

    control.set_alpha_coefficient(1, 100);
    EXPECT_EQ(backdrops[0]->blend_color.a, 155);
    EXPECT_EQ(backdrops[1]->blend_color.a, 155);
    EXPECT_EQ(other.blend_color.a, 255);
    control.set_alpha_coefficient(1, 300);
    EXPECT_EQ(backdrops[0]->blend_color.a, 0);
    control.set_alpha_coefficient(1, -40);
    EXPECT_EQ(backdrops[1]->blend_color.a, 255);
    control.set_alpha_coefficient(1, -2147483647 - 1);
    EXPECT_EQ(backdrops[1]->blend_color.a, 255);
    frame.layers[1].remove_object(&other);
}

TEST(LayerObject, SortOrdersTheCurrentLayerByAnAlterableStably)
{
    LayersFrame frame(2);
    LayerObject control(0, 0, 13);
    control.frame = &frame;
    control.set_layer(1);

    // Values 3, 1, none (default 2), 1, 0: stable ascending order is
    // b(1), d(1), c(2), a(3)... with e(0) first.
    std::vector<FrameObject*> objects;
    const double values[] = {3.0, 1.0, -1.0, 1.0, 0.0};
    for (int i = 0; i < 5; ++i) {
        auto* object = new FrameObject(0, 0, 100 + i);
        if (values[i] >= 0.0) {
            object->create_alterables();
            object->alterables->values.set(4, values[i]);
        }
        frame.layers[1].add_object(object);
        objects.push_back(object);
    }
    control.sort_alt_decreasing(4, 2.0);

    std::vector<int> order;
    uint32_t last_depth = 0;
    for (FrameObject* object = frame.layers[1].first; object; object = object->layer_next) {
        order.push_back(object->id);
        EXPECT_GT(object->depth, last_depth);
        last_depth = object->depth;
    }
    EXPECT_EQ(order, (std::vector<int>{104, 101, 103, 102, 100}));
    EXPECT_EQ(frame.layers[1].instance_count, 5);
    EXPECT_EQ(frame.layers[1].first->depth, Layer::first_depth);

    // An alterable index past Z reads 0 for every instance with alterables.
    control.sort_alt_decreasing(26, -1.0);
    EXPECT_EQ(frame.layers[1].first->id, 102);
    EXPECT_EQ(LayerObject::get_alterable(*objects[0]), 0.0);

    for (FrameObject* object : objects) {
        frame.layers[1].remove_object(object);
        delete object;
    }
}
