#include "graphics/testing.h"
#include "tests/support/drawing.h"

#include "console/gpu.h"
#include "console/options.h"
#include "console/procui.h"
#include "console/window.h"
#include "graphics/render_internal.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

#include <cstdlib>
#include <filesystem>
#include <map>

namespace {

void dot(int x, int y, Color color)
{
    Render::draw_tex(x, y, x + 1, y + 1, color, render_data.white_texture);
}

void draw_marks()
{
    Render::clear(Color(0, 0, 0, 255));
    dot(0, 0, Color(255, 0, 0, 255));
    dot(1, 0, Color(0, 255, 0, 255));
    dot(2, 0, Color(0, 0, 255, 255));
    dot(425, 239, Color(255, 255, 255, 255));
}

struct BootProbe {
    uint64_t first = 0;
    std::map<int, Rgba> seen;
};

void probe_boot(uint64_t picture, void* context)
{
    BootProbe& probe = *static_cast<BootProbe*>(context);
    const int i = int(picture - probe.first);
    if (i != 299 && i != 301 && i != 360 && i != 479)
        return;
    const std::vector<uint8_t> tv = gx2_read_scan_buffer(GX2_SCAN_TARGET_TV);
    const size_t at = (size_t(540) * 1920 + 960) * 4;
    probe.seen[i] = {tv[at], tv[at + 1], tv[at + 2], tv[at + 3]};
}

}  // namespace

using DisplayTest = DrawingTest;

TEST_F(DisplayTest, tv_picture_is_scaled_by_nearest_pixel)
{
    write_assets({});
    draw_marks();
    platform_swap_buffers();
    read_tv_scan();
    // 1920 / 426 across: logical pixel 0 covers x 0..4, pixel 1 x 5..8.
    EXPECT_EQ(at(4, 0), red);
    EXPECT_EQ(at(5, 0), green);
    EXPECT_EQ(at(8, 2), green);
    EXPECT_EQ(at(9, 2), blue);
    EXPECT_EQ(at(0, 6), black);
    EXPECT_EQ(at(1919, 1079), white);
    EXPECT_EQ(at(1914, 1079), black);
    EXPECT_TRUE(gx2_tv_enabled());
    // The swap leaves the next picture's pools empty.
    EXPECT_EQ(render_data.batch.quads, 0u);
}

TEST_F(DisplayTest, gamepad_picture_is_exactly_twice_the_logical_one)
{
    write_assets({});
    platform_set_gamepad_present(true);
    platform_set_remote_value(1);
    EXPECT_EQ(platform_get_remote_value(), 1);
    platform_set_display_target(1);
    draw_marks();
    platform_swap_buffers();
    read(GAMEPAD_BUFFER);
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(at(0, y), red);
        EXPECT_EQ(at(1, y), red);
        EXPECT_EQ(at(2, y), green);
        EXPECT_EQ(at(3, y), green);
        EXPECT_EQ(at(4, y), blue);
        EXPECT_EQ(at(5, y), blue);
        EXPECT_EQ(at(6, y), black);
    }
    EXPECT_EQ(at(0, 2), black);
    EXPECT_EQ(at(850, 478), white);
    EXPECT_EQ(at(849, 478), black);
    const std::vector<uint8_t> scan = gx2_read_scan_buffer(GX2_SCAN_TARGET_DRC);
    EXPECT_EQ(scan[2 * 4 + 1], 255);  // (2, 0) green on the gamepad's screen
    platform_set_gamepad_present(false);
    EXPECT_EQ(platform_get_remote_value(), 0);
    EXPECT_FALSE(gx2_drc_enabled());
}

TEST_F(DisplayTest, display_mode_needs_a_gamepad_and_targets_outside_0_to_2_are_ignored)
{
    write_assets({});
    platform_set_gamepad_present(false);
    platform_set_remote_value(1);
    EXPECT_EQ(platform_get_remote_value(), 0);
    const GX2ColorBuffer* tv_logical = &platform_color_buffer(TV_LOGICAL_BUFFER)->record;
    platform_set_display_target(1);
    EXPECT_EQ(gx2_current_state().color_buffer, &platform_color_buffer(GAMEPAD_LOGICAL_BUFFER)->record);
    platform_set_display_target(3);
    platform_set_display_target(-1);
    EXPECT_EQ(gx2_current_state().color_buffer, &platform_color_buffer(GAMEPAD_LOGICAL_BUFFER)->record);
    platform_set_display_target(2);
    EXPECT_EQ(gx2_current_state().color_buffer, tv_logical);
    int w = 0, h = 0;
    platform_get_size(&w, &h);
    EXPECT_EQ(w * 1000 + h, 426240);
}

TEST_F(DisplayTest, clone_copies_the_tv_picture_to_the_gamepad_buffer)
{
    write_assets({});
    draw_marks();
    platform_clone_buffers();
    read(GAMEPAD_LOGICAL_BUFFER);
    EXPECT_EQ(at(0, 0), red);
    EXPECT_EQ(at(2, 0), blue);
    EXPECT_EQ(at(425, 239), white);
}

TEST_F(DisplayTest, boot_image_fades_to_black_over_sixty_pictures)
{
    write_assets({});
    std::vector<uint8_t> rgb;
    for (int i = 0; i < 16 * 9; ++i)
        rgb.insert(rgb.end(), {200, 100, 50});
    volumes->put_content("bootup.png", png_file(16, 9, 3, rgb));
    BootProbe probe;
    probe.first = gx2_swap_count();
    gx2_set_swap_hook(probe_boot, &probe);
    platform_show_boot_image_again();
    platform_begin_draw();
    gx2_set_swap_hook(nullptr, nullptr);
    EXPECT_EQ(gx2_swap_count() - probe.first, 480u);
    // c = 255 - floor(255 * (i - 300) / 60): 255 at 299, 251 at 301, 0 at 360.
    EXPECT_EQ(probe.seen[299], (Rgba{200, 100, 50, 255}));
    EXPECT_NEAR(probe.seen[301].r, 200 * 251 / 255.0, 1.0);
    EXPECT_NEAR(probe.seen[301].g, 100 * 251 / 255.0, 1.0);
    EXPECT_EQ(probe.seen[360], black);
    EXPECT_EQ(probe.seen[479], black);
    // Drawing goes on in the TV's logical buffer, and the image is released.
    EXPECT_EQ(gx2_current_state().color_buffer, &platform_color_buffer(TV_LOGICAL_BUFFER)->record);
}

TEST_F(DisplayTest, missing_boot_image_is_reported_and_skipped)
{
    write_assets({});
    const uint64_t before = gx2_swap_count();
    platform_show_boot_image_again();
    const std::string output = console_output_of([] { platform_begin_draw(); });
    EXPECT_NE(output.find("Could not open bootup.png\n"), std::string::npos) << output;
    EXPECT_EQ(gx2_swap_count(), before);
    // Only the first picture shows it.
    EXPECT_EQ(console_output_of([] { platform_begin_draw(); }), "");
}

TEST_F(DisplayTest, capture_writes_every_nth_tv_picture_as_png)
{
    write_assets({});
    const std::string dir = volumes->root + "/shots";
    std::filesystem::create_directories(dir);
    window_set_capture(dir, 2);
    const uint64_t first = gx2_swap_count();
    for (int i = 0; i < 3; ++i) {
        Render::clear(Color(30, 60, 90, 255));
        platform_swap_buffers();
    }
    window_set_capture("", 1);
    int files = 0;
    for (uint64_t n = first; n < first + 3; ++n) {
        const std::string path = capture_path(dir, n);
        EXPECT_EQ(std::filesystem::exists(path), n % 2 == 0) << path;
        if (!std::filesystem::exists(path))
            continue;
        ++files;
        int w = 0, h = 0, channels = 0;
        stbi_uc* png = stbi_load(path.c_str(), &w, &h, &channels, 4);
        ASSERT_NE(png, nullptr);
        EXPECT_EQ(w * 10000 + h, 19201080);
        EXPECT_EQ((Rgba{png[0], png[1], png[2], png[3]}), (Rgba{30, 60, 90, 255}));
        stbi_image_free(png);
    }
    EXPECT_GE(files, 1);
}

TEST_F(DisplayTest, closing_the_window_asks_the_process_to_exit)
{
    write_assets({});
    EXPECT_EQ(ProcUIProcessMessages(false), PROCUI_STATUS_IN_FOREGROUND);
    window_post_close();
    EXPECT_EQ(ProcUIProcessMessages(false), PROCUI_STATUS_EXITING);
    // Left standing, the request would cut the next test's boot image short.
    procui_reset_exit();
}

namespace {

void count_swaps(uint64_t, void* context)
{
    ++*static_cast<int*>(context);
}

uint64_t checksum(const std::vector<uint8_t>& bytes)
{
    uint64_t hash = 1469598103934665603ull;
    for (uint8_t byte : bytes)
        hash = (hash ^ byte) * 1099511628211ull;
    return hash;
}

}  // namespace

TEST_F(DisplayTest, a_headless_swap_nobody_watches_makes_the_full_size_picture_only_when_read)
{
    write_assets({});
    uint64_t draws = gx2_draw_count();
    draw_marks();
    platform_swap_buffers();
    EXPECT_EQ(gx2_draw_count() - draws, 1u);  // the marks; no scaled copy
    read_tv_scan();
    EXPECT_EQ(at(4, 0), red);
    EXPECT_EQ(at(5, 0), green);
    EXPECT_EQ(at(1919, 1079), white);
    int swaps = 0;
    gx2_set_swap_hook(count_swaps, &swaps);
    platform_set_display_target(0);
    Render::set_view(0, 0, 426, 240);
    draws = gx2_draw_count();
    draw_marks();
    platform_swap_buffers();
    gx2_set_swap_hook(nullptr, nullptr);
    EXPECT_EQ(swaps, 1);
    EXPECT_EQ(gx2_draw_count() - draws, 2u);  // watched: the marks and the copy
}

TEST_F(DisplayTest, a_headless_boot_image_draws_nothing_yet_leaves_the_same_full_size_picture)
{
    write_assets({});
    std::vector<uint8_t> rgba;
    for (int i = 0; i < 16 * 9; ++i)
        rgba.insert(rgba.end(), {uint8_t(200 - i), 100, uint8_t(i), uint8_t(i * 13)});
    volumes->put_content("bootup.png", png_file(16, 9, 4, rgba));
    procui_reset_exit();
    int swaps = 0;
    std::vector<uint64_t> seen;
    for (bool watched : {true, false}) {
        // The same picture behind the boot image both times.
        gx2_set_swap_hook(count_swaps, &swaps);
        platform_set_display_target(0);
        Render::set_view(0, 0, 426, 240);
        draw_marks();
        platform_swap_buffers();
        if (!watched)
            gx2_set_swap_hook(nullptr, nullptr);
        const uint64_t draws = gx2_draw_count();
        const uint64_t first = gx2_swap_count();
        platform_show_boot_image_again();
        platform_begin_draw();
        gx2_set_swap_hook(nullptr, nullptr);
        EXPECT_EQ(gx2_swap_count() - first, 480u);
        EXPECT_EQ(gx2_draw_count() - draws, watched ? 361u : 0u);
        read(TV_BUFFER);
        seen.push_back(checksum(pixels));
        read_tv_scan();
        seen.push_back(checksum(pixels));
    }
    EXPECT_EQ(seen[0], seen[2]);
    EXPECT_EQ(seen[1], seen[3]);
}
