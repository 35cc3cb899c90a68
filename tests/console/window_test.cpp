#include "console/fs.h"
#include "console/options.h"
#include "console/procui.h"
#include "console/window.h"
#include "tests/support/volumes.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

// Stands in for the window: counts what reaches it.
class CountingDriver : public WindowDriver {
public:
    explicit CountingDriver(int& swaps, bool shows = false) : swaps_(swaps), shows_(shows) {}
    void swap(const SwapPicture&) override { ++swaps_; }
    bool wants(uint64_t, bool shown) const override { return shows_ && shown; }
    bool headless() const override { return true; }

private:
    int& swaps_;
    bool shows_;
};

int pixel_reads = 0;

// A 4 x 2 picture whose first pixel counts the reads.
std::vector<uint8_t> small_picture()
{
    std::vector<uint8_t> rgba(4 * 2 * 4, 200);
    rgba[0] = uint8_t(++pixel_reads);
    return rgba;
}

SwapPicture picture(uint64_t number)
{
    return {number, 0, 4, 2, false, small_picture};
}

}  // namespace

TEST(Window, a_windowed_run_is_paced_at_sixty_pictures_a_second_and_sees_a_close_between_ticks)
{
    console_options().headless = false;
    ASSERT_TRUE(window_open());
    ASSERT_FALSE(window_is_headless());
    using clock = std::chrono::steady_clock;
    const SwapPicture hidden = {0, 0, 1920, 1080, false, nullptr};
    // The first picture starts the pacing clock, so 13 end no sooner than 12
    // steps after it, however busy the machine; a hang is the test's timeout.
    const clock::time_point start = clock::now();
    for (int i = 0; i < 13; ++i)
        window_swap(hidden);
    const double seconds = std::chrono::duration<double>(clock::now() - start).count();
    EXPECT_GE(seconds, 11.5 / 60.0);

    // The boot image swaps many pictures within one tick: a close during it
    // is seen at the next picture, not only at the next message batch.
    procui_reset_exit();
    window_post_close();
    window_swap(hidden);
    EXPECT_TRUE(procui_exit_requested());
    procui_reset_exit();
}

TEST(Window, capture_writes_every_nth_picture_then_hands_it_on)
{
    TempVolumes volumes;
    const std::string dir = volumes.root + "/new/shots";  // made on the first picture
    int swaps = 0;
    pixel_reads = 0;
    auto capture = make_capture_driver(std::make_unique<CountingDriver>(swaps), dir, 3);
    for (uint64_t n = 0; n < 7; ++n)
        capture->swap(picture(n));
    capture->flush();  // the files are written off the game thread
    EXPECT_EQ(swaps, 7);
    EXPECT_EQ(pixel_reads, 3);  // only the pictures written are read back
    for (uint64_t n = 0; n < 7; ++n)
        EXPECT_EQ(std::filesystem::exists(capture_path(dir, n)), n % 3 == 0) << n;
    int width = 0, height = 0, channels = 0;
    stbi_uc* png = stbi_load(capture_path(dir, 6).c_str(), &width, &height, &channels, 4);
    ASSERT_NE(png, nullptr);
    EXPECT_EQ(width * 10 + height, 42);
    EXPECT_EQ(png[0], 3);
    EXPECT_EQ(png[5], 200);
    stbi_image_free(png);
    EXPECT_EQ(capture_path("shots", 7), "shots/tv_000007.png");
    EXPECT_EQ(capture_path("shots", 1234567), "shots/tv_1234567.png");
}

TEST(Window, a_full_disk_stops_the_capture_with_one_line_and_leaves_no_truncated_picture)
{
    TempVolumes volumes;
    const std::string dir = volumes.root + "/shots";
    int swaps = 0;
    pixel_reads = 0;
    procui_reset_exit();
    auto capture = make_capture_driver(std::make_unique<CountingDriver>(swaps), dir, 1);
    capture->swap(picture(0));
    capture->flush();
    ASSERT_TRUE(std::filesystem::exists(capture_path(dir, 0)));
    const auto size = std::filesystem::file_size(capture_path(dir, 0));

    fs_limit_free_space(int64_t(size / 2));
    const std::string output = host_errors_of([&] {
        for (uint64_t n = 1; n < 5; ++n) {
            capture->swap(picture(n));
            capture->flush();
            fs_limit_free_space(-1);  // room again: the capture stays stopped
        }
        capture->finish();  // no closing line after a failure
    });
    fs_limit_free_space(-1);
    EXPECT_EQ(output, "Could not write picture " + capture_path(dir, 1) +
                          ": No space left on device; capture stops\n");
    for (uint64_t n = 1; n < 5; ++n)
        EXPECT_FALSE(std::filesystem::exists(capture_path(dir, n))) << n;
    EXPECT_EQ(pixel_reads, 2);  // nothing is encoded after the failure
    EXPECT_EQ(swaps, 5);        // the pictures are still shown
    EXPECT_TRUE(procui_exit_requested());
    EXPECT_EQ(procui_exit_status(), 1);
    procui_reset_exit();
}

TEST(Window, capture_encodes_off_the_game_thread_but_writes_in_order_and_finishes_every_picture)
{
    TempVolumes volumes;
    const std::string dir = volumes.root + "/shots";
    int swaps = 0;
    procui_reset_exit();
    // A picture with a value in every byte, so a wrong row filter shows.
    const auto busy = [] {
        std::vector<uint8_t> rgba(64 * 48 * 4);
        for (size_t i = 0; i < rgba.size(); ++i)
            rgba[i] = uint8_t(i * 7 + i / 256 * 13);
        return rgba;
    };
    auto capture = make_capture_driver(std::make_unique<CountingDriver>(swaps), dir, 1);
    std::string output = console_output_of([&] {
        for (uint64_t n = 0; n < 12; ++n)
            capture->swap(SwapPicture{n, 0, 64, 48, false, busy});
        capture->finish();  // returns once every picture is on disk
    });
    EXPECT_EQ(output, "Captured 12 pictures in " + dir + " (tv_000000.png to tv_000011.png)\n");
    const std::vector<uint8_t> want = busy();
    for (uint64_t n = 0; n < 12; ++n) {
        int width = 0, height = 0, channels = 0;
        stbi_uc* png = stbi_load(capture_path(dir, n).c_str(), &width, &height, &channels, 4);
        ASSERT_NE(png, nullptr) << n;
        EXPECT_EQ(std::vector<uint8_t>(png, png + want.size()), want) << n;
        stbi_image_free(png);
    }

    // Room for two more pictures: the third fails, and none after it is
    // written, however far ahead the encoders were.
    const auto size = std::filesystem::file_size(capture_path(dir, 0));
    const std::string more = volumes.root + "/more";
    capture = make_capture_driver(std::make_unique<CountingDriver>(swaps), more, 1);
    fs_limit_free_space(int64_t(size * 5 / 2));
    output = host_errors_of([&] {
        for (uint64_t n = 0; n < 10; ++n)
            capture->swap(SwapPicture{n, 0, 64, 48, false, busy});
        capture->finish();
    });
    fs_limit_free_space(-1);
    EXPECT_EQ(output, "Could not write picture " + capture_path(more, 2) +
                          ": No space left on device; capture stops\n");
    for (uint64_t n = 0; n < 10; ++n)
        EXPECT_EQ(std::filesystem::exists(capture_path(more, n)), n < 2) << n;
    EXPECT_EQ(procui_exit_status(), 1);
    procui_reset_exit();
}

TEST(Window, only_shown_or_captured_pictures_are_wanted)
{
    int swaps = 0;
    auto hidden = make_capture_driver(std::make_unique<CountingDriver>(swaps), "shots", 3);
    auto shown = make_capture_driver(std::make_unique<CountingDriver>(swaps, true), "shots", 3);
    for (uint64_t n = 0; n < 7; ++n) {
        EXPECT_EQ(hidden->wants(n, true), n % 3 == 0) << n;
        EXPECT_TRUE(shown->wants(n, true)) << n;
        EXPECT_EQ(shown->wants(n, false), n % 3 == 0) << n;
    }
    EXPECT_EQ(swaps, 0);
}

TEST(Window, a_logical_picture_fills_a_window_of_the_tv_pictures_shape_as_the_tv_picture_does)
{
    // 426 x 240 is not quite 16:9: shown with the TV picture's shape it is
    // stretched to fill 960 x 540, as its 1920 x 1080 copy is.
    SwapPicture logical = {0, 0, 426, 240, true, nullptr, 1920, 1080};
    const SwapPicture tv = {0, 0, 1920, 1080, true, nullptr};
    for (const SwapPicture& picture : {logical, tv}) {
        EXPECT_EQ(window_picture_rect(960, 540, picture), (WindowRect{0, 0, 960, 540}));
        EXPECT_EQ(window_picture_rect(1920, 1080, picture), (WindowRect{0, 0, 1920, 1080}));
        // Wider or taller than the TV's shape: black columns or rows, centred.
        EXPECT_EQ(window_picture_rect(1000, 540, picture), (WindowRect{20, 0, 960, 540}));
        EXPECT_EQ(window_picture_rect(960, 600, picture), (WindowRect{0, 30, 960, 540}));
        EXPECT_EQ(window_picture_rect(961, 540, picture), (WindowRect{0, 0, 960, 540}));
    }
    // Without a shape a picture keeps its own.
    logical.shape_width = logical.shape_height = 0;
    EXPECT_EQ(window_picture_rect(960, 540, logical), (WindowRect{1, 0, 958, 540}));
}
