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

TEST(OsReport, outside_text_is_quoted_with_its_control_bytes_escaped)
{
    using namespace std::string_literals;
    // Terminal escapes, a NUL that would cut the line, and the line ends.
    EXPECT_EQ(printable_text("\x1b[2J\x1b[H"s), "\\x1b[2J\\x1b[H");
    EXPECT_EQ(printable_text("ab\0cd"s), "ab\\x00cd");
    EXPECT_EQ(printable_text("a\r\nb\tc\x7f"s), "a\\x0d\\x0ab\\x09c\\x7f");
    // UTF-8 stays as it is; a C1 control (U+009B, the one-byte CSI) does not.
    EXPECT_EQ(printable_text("caf\xc3\xa9 \xe3\x80\x8c \xf0\x9f\x8e\xae"s), "caf\xc3\xa9 \xe3\x80\x8c \xf0\x9f\x8e\xae");
    EXPECT_EQ(printable_text("\xc2\x9b" "31m"s), "\\xc2\\x9b31m");
    // Bytes that are no UTF-8: lone, cut short, overlong, surrogates, past U+10FFFF.
    EXPECT_EQ(printable_text("\x9b\xff"s), "\\x9b\\xff");
    EXPECT_EQ(printable_text("x\xe3\x80"s), "x\\xe3\\x80");
    EXPECT_EQ(printable_text("\xc0\xaf\xe0\x80\xaf"s), "\\xc0\\xaf\\xe0\\x80\\xaf");
    EXPECT_EQ(printable_text("\xed\xa0\x80\xf4\x90\x80\x80"s), "\\xed\\xa0\\x80\\xf4\\x90\\x80\\x80");
    EXPECT_EQ(printable_text(""), "");
}
