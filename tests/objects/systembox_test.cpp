// Image boxes: tiled under a scissor, centred, at the top-left; the caption
// and the frame settings never change the picture.
#include "base/pools.h"
#include "console/gpu.h"
#include "graphics/image.h"
#include "graphics/render.h"
#include "objects/systembox.h"
#include "runtime/layer.h"
#include "tests/objects/kinds_fixture.h"

#include <new>

namespace {

SystemBox* make_box(Frame& frame, int x, int y, int w, int h, Image* image, int mode)
{
    SystemBox* box = place(new (object_pool<SystemBox>.create()) SystemBox(x, y, 44), frame);
    box->set_size(w, h);
    box->image = image;
    box->image_mode = mode;
    return box;
}

}  // namespace

using SystemBoxTest = KindDrawTest;

TEST_F(SystemBoxTest, tiles_cover_the_box_cut_by_the_scissor_and_an_empty_box_or_image_draws_none)
{
    write_assets({{9, solid_image(32, 32, red)}});
    SystemBox* box = make_box(frame, 10, 20, 100, 40, get_internal_image(9), SystemBox::TILED);
    clear();
    flush_quads();
    box->draw();
    read();
    EXPECT_EQ(quads_drawn(), 8u);  // 4 columns of 2 rows
    EXPECT_EQ(extent(red), (std::vector<int>{10, 20, 110, 60}));
    EXPECT_EQ(count(0, 0, 426, 240, red), 100 * 40);
    EXPECT_TRUE(scissor_is_full_view());

    // An empty box draws no tile and still restores the scissor.
    box->set_size(0, 40);
    flush_quads();
    box->draw();
    EXPECT_EQ(quads_drawn(), 0u);
    EXPECT_TRUE(scissor_is_full_view());

    // A missing image has no size to step by.
    box->set_size(50, 50);
    box->image = &empty_image;
    box->draw();
    EXPECT_EQ(quads_drawn(), 0u);
    EXPECT_TRUE(scissor_is_full_view());
    box->dealloc();
}

TEST_F(SystemBoxTest, centred_and_top_left_images_in_opaque_white_whatever_the_settings)
{
    write_assets({{9, solid_image(31, 31, blue, 4, 6)}});
    SystemBox* box = make_box(frame, 50, 60, 20, 20, get_internal_image(9), SystemBox::CENTERED);
    // Neither the blend colour nor the frame settings reach the picture.
    box->blend_color = Color(0, 0, 0, 40);
    box->set_fill(Color(255, 0, 0, 255));
    box->set_border_1(Color(0, 255, 0, 255));
    box->hide_border_2();
    box->set_text("caption");
    redraw(box);
    EXPECT_EQ(extent(blue), (std::vector<int>{45, 55, 76, 86}));

    box->image_mode = SystemBox::TOP_LEFT;
    redraw(box);
    EXPECT_EQ(extent(blue), (std::vector<int>{50, 60, 81, 91}));

    box->image_mode = 3;
    redraw(box);
    EXPECT_EQ(count(0, 0, 426, 240, blue), 0);
    box->dealloc();
}

TEST_F(SystemBoxTest, set_size_moves_the_box_shape)
{
    write_assets({});
    SystemBox* box = make_box(frame, 7, 8, 30, 40, nullptr, SystemBox::TILED);
    ASSERT_NE(box->collision, nullptr);
    EXPECT_EQ(box->collision->type, INSTANCE_BOX);
    EXPECT_EQ(box->collision->flags, BOX_COLLISION);
    EXPECT_EQ(box->collision->aabb[0], 7);
    EXPECT_EQ(box->collision->aabb[3], 48);
    box->set_size(5, 6);
    EXPECT_EQ(box->collision->aabb[2], 12);
    EXPECT_EQ(box->collision->aabb[3], 14);
    box->dealloc();
}
