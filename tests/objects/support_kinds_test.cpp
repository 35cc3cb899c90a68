#include "objects/layerext.h"
#include "objects/windowcontrol.h"

#include "base/pools.h"
#include "runtime/frame.h"
#include "tests/support/volumes.h"

#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <vector>

namespace {

class LayersFrame : public Frame {
public:
    LayersFrame()
    {
        layers.resize(2);
        for (int i = 0; i < 2; ++i)
            layers[size_t(i)].init(i, 1.0, 1.0, true, false, false);
    }
    void set_index(int) override {}
};

}  // namespace

TEST(WindowControl, AnswersTheConsoleScreenAndOnlyLogsChanges)
{
    EXPECT_EQ(console_output_of([] {
                  WindowControl::set_width(852);
                  WindowControl::set_height(480);
                  WindowControl::set_placement(3);
                  WindowControl::set_visible(true);
                  WindowControl::maximize();
                  WindowControl::minimize();
                  WindowControl::set_position(100, 100);
              }),
              "Set window width: 852\nSet window height: 480\nSet window placement: 3\n"
              "Set window visible: 1\nMaximize window\nMinimize window\n");
    EXPECT_EQ(WindowControl::get_width(), 426);
    EXPECT_EQ(WindowControl::get_height(), 240);
    EXPECT_EQ(WindowControl::get_screen_width(), 426);
    EXPECT_EQ(WindowControl::get_screen_height(), 240);
    EXPECT_EQ(WindowControl::get_x(), 0);
}

TEST(LayerObject, MovesFadesAndTintsLayersByIndex)
{
    LayersFrame frame;
    LayerObject control(0, 0, 13);
    control.frame = &frame;
    control.hide_layer(1);
    EXPECT_FALSE(frame.layers[1].visible);
    control.set_position(1, 10, 20);
    control.set_x(1, 30);
    EXPECT_EQ(control.get_y(1), 20);
    EXPECT_EQ(frame.layers[1].off_x, 30);
    control.set_rgb(0, Color(10, 20, 30, 40));
    EXPECT_EQ(frame.layers[0].color, Color(10, 20, 30, 40));

    auto* backdrop = new (object_pool<FrameObject>.create()) FrameObject(0, 0, 1);
    frame.layers[1].add_background_object(backdrop);  // the layer releases it
    const std::pair<int, int> alphas[] = {{100, 155}, {300, 0}, {-40, 255}, {-2147483647 - 1, 255}};
    for (const auto& [coefficient, alpha] : alphas) {
        control.set_alpha_coefficient(1, coefficient);
        EXPECT_EQ(backdrop->blend_color.a, alpha) << coefficient;
    }
    EXPECT_EQ(console_output_of([&] {
                  control.hide_layer(2);
                  EXPECT_EQ(control.get_x(-1), 0);
              }),
              "Invalid layer index: 2\nInvalid layer index: -1\n");
}

TEST(LayerObject, SortOrdersTheCurrentLayerByAnAlterableStably)
{
    LayersFrame frame;
    LayerObject control(0, 0, 13);
    control.frame = &frame;
    control.set_layer(1);
    // Ids 100-104 with alterable E of 3, 1, none (the default 2), 1, 0.
    std::vector<std::unique_ptr<FrameObject>> objects;
    const double values[] = {3.0, 1.0, -1.0, 1.0, 0.0};
    for (int i = 0; i < 5; ++i) {
        objects.push_back(std::make_unique<FrameObject>(0, 0, 100 + i));
        if (values[i] >= 0.0) {
            objects.back()->create_alterables();
            objects.back()->alterables->values.set(4, values[i]);
        }
        frame.layers[1].add_object(objects.back().get());
    }
    const auto order = [&] {
        std::vector<int> ids;
        uint32_t depth = Layer::first_depth;
        for (FrameObject* object = frame.layers[1].first; object; object = object->layer_next) {
            ids.push_back(object->id);
            EXPECT_EQ(object->depth, depth);
            depth += Layer::depth_step;
        }
        return ids;
    };
    control.sort_alt_decreasing(4, 2.0);
    EXPECT_EQ(order(), (std::vector<int>{104, 101, 103, 102, 100}));
    // Past Z every instance with alterables reads 0.
    control.sort_alt_decreasing(26, -1.0);
    EXPECT_EQ(order(), (std::vector<int>{102, 104, 101, 103, 100}));
    for (const auto& object : objects)
        frame.layers[1].remove_object(object.get());
}
