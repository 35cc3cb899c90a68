#include "console/options.h"
#include "console/window.h"

#include <chrono>
#include <gtest/gtest.h>

TEST(Window, a_windowed_run_is_paced_at_sixty_pictures_a_second)
{
    console_options().headless = false;
    ASSERT_TRUE(window_open());
    if (window_is_headless())
        GTEST_SKIP() << "no windowed video driver here (the offscreen one is used under CTest)";
    using clock = std::chrono::steady_clock;
    window_pace();  // the first picture starts the clock
    const clock::time_point start = clock::now();
    for (int i = 0; i < 12; ++i)
        window_pace();
    const double seconds = std::chrono::duration<double>(clock::now() - start).count();
    EXPECT_GE(seconds, 11.5 / 60.0);
    EXPECT_LT(seconds, 1.0);
}

TEST(Window, capture_names_count_pictures_and_skip_by_the_step)
{
    console_options().capture_dir = "shots";
    console_options().capture_every = 3;
    EXPECT_TRUE(capture_wanted(0));
    EXPECT_FALSE(capture_wanted(1));
    EXPECT_TRUE(capture_wanted(6));
    console_options().capture_dir.clear();
    EXPECT_FALSE(capture_wanted(0));
    console_options().capture_every = 1;
    EXPECT_EQ(capture_path("shots", 7), "shots/tv_000007.png");
    EXPECT_EQ(capture_path("shots", 1234567), "shots/tv_1234567.png");
}
