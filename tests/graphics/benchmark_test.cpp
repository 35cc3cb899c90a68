// One picture of 2000 textured quads: the renderer's cost per quad.
#include "tests/support/drawing.h"

#include "console/gpu.h"
#include "graphics/image.h"
#include "graphics/render.h"

#include <chrono>
#include <cstdio>

using RenderBenchmark = DrawingTest;

TEST_F(RenderBenchmark, one_picture_of_2000_textured_quads)
{
    write_assets({{1, solid_image(16, 16, {255, 128, 0, 255}, 8, 8)}});
    Image* image = get_internal_image(1);
    image->upload_texture();
    using clock = std::chrono::steady_clock;
    double best_draw = 1e9, best_total = 1e9;
    for (int round = 0; round < 5; ++round) {
        const uint64_t draws = gx2_draw_count();
        const clock::time_point start = clock::now();
        Render::clear(Color(0, 0, 0, 255));
        for (int i = 0; i < 2000; ++i)
            image->draw(8 + (i * 7) % 410, 8 + (i * 13) % 224);
        const clock::time_point drawn = clock::now();
        platform_swap_buffers();
        GX2DrawDone();
        const clock::time_point done = clock::now();
        EXPECT_EQ(gx2_draw_count() - draws, 2000u + 1u);  // the quads and the TV scaling
        best_draw = std::min(best_draw, std::chrono::duration<double, std::milli>(drawn - start).count());
        best_total = std::min(best_total, std::chrono::duration<double, std::milli>(done - start).count());
    }
    EXPECT_EQ(render_data.positions.buffers.size() >= 2000, true);
    printf("2000 textured quads: %.2f ms to submit, %.2f ms with the swap and GPU drain (best of 5)\n",
           best_draw, best_total);
}
