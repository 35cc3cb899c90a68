#include "console/gpu.h"
#include "graphics/image.h"
#include "objects/active.h"
#include "platform/files.h"
#include "runtime/manager.h"
#include "tests/objects/kinds_fixture.h"
#include "tests/objects/object_fixtures.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class ActiveDrawTest : public KindDrawTest {
protected:
    void TearDown() override
    {
        frame.reset();
        manager.frame = nullptr;
        KindDrawTest::TearDown();
    }

    // A sprite showing a 4 x 4 image of one colour at (x, y).
    Active* sprite(int x, int y, Rgba color)
    {
        table.add(animation_count, 0, 1, 0, -1, 0, 4, 4);
        Image* image = table.frame(animation_count, 0, 0);
        for (int i = 0; i < 16; ++i)
            std::memcpy(image->pixels + i * 4, &color, 4);
        Active* active = make_active(table.get(), animation_count++, false, x, y);
        frame.add_object(active, 0);
        return active;
    }

    AnimationTable table;
    int animation_count = 0;
};

}  // namespace

TEST_F(ActiveDrawTest, opaque_sprites_without_the_blending_flag_are_drawn_without_blending)
{
    write_assets({});
    clear(blue);
    const Rgba half_red{255, 0, 0, 128};
    Active* plain = sprite(0, 0, half_red);
    Active* blended = sprite(10, 0, half_red);
    blended->active_flags |= Active::KEEP_BLENDING;
    Active* faded = sprite(20, 0, half_red);
    faded->blend_color.a = 254;

    plain->draw();
    EXPECT_TRUE(gx2_current_state().blend_enabled);  // switched back on
    blended->draw();
    faded->draw();
    read();
    EXPECT_EQ(at(1, 1), half_red);
    // Blended: colour s * as + d * (1 - as).
    EXPECT_NEAR(at(11, 1).r, 128, 1);
    EXPECT_NEAR(at(11, 1).b, 127, 1);
    EXPECT_NEAR(at(21, 1).b, 127, 1);
    EXPECT_EQ(at(5, 1), blue);
}

TEST_F(ActiveDrawTest, load_replaces_a_frame_image_for_every_instance_and_frees_nothing)
{
    write_assets({});
    manager.frame = &frame;
    std::vector<uint8_t> rgba(33 * 10 * 4, 255);
    volumes->put_content("wide.png", png_file(33, 10, 4, rgba));
    volumes->put_content("small.png", png_file(2, 2, 4, std::vector<uint8_t>(16, 255)));
    table.add(0, 0, 2, 0, -1);
    Image* authored = table.frame(0, 0, 0);
    Active* first = make_active(table.get());
    Active* second = make_active(table.get(), 0, false, 50, 50);
    frame.add_object(first, 0);
    frame.add_object(second, 0);

    const TransparentColor none;
    first->load("./wide.png", 0, 0, 0, 100000, 110000, 3, 100000, none);
    Image* wide = get_image_cache(convert_path("./wide.png"), 0, 0, 0, 0, none);
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(wide->hotspot_x, 16);
    EXPECT_EQ(wide->hotspot_y, 10);
    EXPECT_EQ(wide->action_x, 3);
    EXPECT_EQ(wide->action_y, 5);
    EXPECT_EQ(first->image, wide);
    EXPECT_EQ(second->image, wide);
    EXPECT_EQ(second->action_x, 3 - 16);
    EXPECT_EQ(authored->width, 16);  // the table's own image is still alive

    // Replacing a file image again leaves the cache's copy alone.
    second->load("./small.png", 0, 0, 0, 0, 0, 0, 0, none);
    EXPECT_EQ(first->image->width, 2);
    EXPECT_EQ(get_image_cache(convert_path("./wide.png"), 0, 0, 0, 0, none), wide);
    EXPECT_EQ(wide->width, 33);
    first->load("./wide.png", 0, 0, 0, 0, 0, 0, 0, none);
    EXPECT_EQ(first->image, wide);

    // Out-of-range requests are ignored; a missing file is reported.
    EXPECT_EQ(console_output_of([&] {
                  first->load("./small.png", 5, 0, 0, 0, 0, 0, 0, none);
                  first->load("./small.png", 0, 32, 0, 0, 0, 0, 0, none);
                  first->load("./small.png", 0, 0, 2, 0, 0, 0, 0, none);
              }),
              "");
    const std::string output = console_output_of([&] { first->load("./missing.png", 0, 0, 0, 0, 0, 0, 0, none); });
    EXPECT_NE(output.find("Could not load image ./missing.png\n"), std::string::npos);
    EXPECT_EQ(first->image, wide);
}
