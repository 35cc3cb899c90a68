#include "console/os.h"

#include <gtest/gtest.h>

TEST(OsTime, tick_counts_become_nanoseconds_exactly_and_saturate)
{
    const int64_t rate = os_ticks_per_second();
    EXPECT_EQ(os_ticks_to_nanoseconds(0), 0);
    EXPECT_EQ(os_ticks_to_nanoseconds(rate), 1000000000);
    // 3 s and 62156 ticks: 62156 / 62156250 s is 999995.97 ns, truncated.
    EXPECT_EQ(os_ticks_to_nanoseconds(rate * 3 + 62156), 3000999995);
    EXPECT_EQ(os_ticks_to_nanoseconds(-rate), -1000000000);
    // The longest sleep that platform_sleep can ask for must not overflow.
    EXPECT_EQ(os_ticks_to_nanoseconds(INT64_MAX), INT64_MAX);
    EXPECT_EQ(os_ticks_to_nanoseconds(INT64_MIN), INT64_MIN);
}
