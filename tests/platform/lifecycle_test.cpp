#include "console/options.h"
#include "console/os.h"
#include "console/procui.h"
#include "platform/platform.h"
#include "tests/support/volumes.h"

#include <gtest/gtest.h>

TEST(Time, the_clock_runs_at_a_quarter_of_the_bus_clock_and_sleeps_skip_non_positive_durations)
{
    EXPECT_EQ(os_ticks_per_second(), int64_t(OSGetSystemInfo()->bus_clock_speed >> 2));
    EXPECT_GT(platform_get_global_time(), 1700000000);
    const uint64_t before = os_sleep_call_count();
    platform_sleep(0.0);
    platform_sleep(-1.0);
    EXPECT_EQ(os_sleep_call_count(), before);
    const double start = platform_get_time();
    const OSTime ticks = OSGetTime();
    platform_sleep(0.002);
    EXPECT_EQ(os_sleep_call_count(), before + 1);
    EXPECT_GE(platform_get_time() - start, 0.002);
    EXPECT_GT(OSGetTime(), ticks);
}

TEST(Heap, blocks_come_with_the_alignment_asked_for)
{
    for (int alignment : {4, 64, 256, 4096, -64}) {
        void* block = malloc_ex(100, alignment);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % uintptr_t(alignment < 0 ? -alignment : alignment), 0u);
        free_ex(block);
    }
    EXPECT_EQ(malloc_ex(16, 48), nullptr);  // not a power of two
}

// The exit closes the platform for the rest of the process.
TEST(LifeCycle, init_once_then_messages_until_the_exit_tick)
{
    in_fresh_process([] {
        console_options().ticks = 2 + procui_counts().batches;  // other tests may have run batches
        platform_init();
        platform_init();
        EXPECT_EQ(procui_counts().init_calls, 1);
        EXPECT_TRUE(platform_has_focus());

        platform_poll_events();
        procui_request_background();
        platform_poll_events();
        EXPECT_EQ(procui_counts().draw_done_releases, 1);
        EXPECT_FALSE(platform_display_closed());

        EXPECT_EQ(console_output_of([] { platform_poll_events(); }), "Save callback\n");
        EXPECT_TRUE(platform_display_closed());
        platform_poll_events();
        EXPECT_TRUE(platform_display_closed());
        platform_exit();
        EXPECT_EQ(procui_counts().shutdown_calls, 1);  // asked once only
        console_options().ticks = -1;
    });
}
