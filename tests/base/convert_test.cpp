// Number and text conversion, bit for bit.
#include "base/convert.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {
double atof_all(const char* text)
{
    return fast_atof(text, text + std::strlen(text));
}
}  // namespace

TEST(Conversion, fast_atof_reads_the_table_exactly)
{
    EXPECT_EQ(atof_all("  -12.5e2"), -1250.0);
    EXPECT_EQ(atof_all("3."), 3.0);
    EXPECT_EQ(atof_all(".5"), 0.5);
    EXPECT_EQ(atof_all("abc"), 0.0);
    EXPECT_EQ(fast_atof("x", "x"), 0.0);
    EXPECT_EQ(atof_all(" 42abc"), 42.0);
    EXPECT_EQ(atof_all("12abc"), 12.0);
    EXPECT_EQ(atof_all("1.5e-3"), 1.5 / 1000.0);
    EXPECT_EQ(atof_all("+\t7"), 0.0);  // blanks only before the sign
    EXPECT_EQ(atof_all("\t+7"), 7.0);
    EXPECT_EQ(atof_all("1e400"), 1.0000000000000006e308);
    EXPECT_EQ(atof_all("2e9999999999999"), atof_all("2e308"));
    const char* text = "1.5";
    EXPECT_EQ(fast_atof(text, text + 2), 1.0);
    const char* exponent = "3e12";
    EXPECT_EQ(fast_atof(exponent, exponent + 3), 3e1);  // the digits read so far count
}

TEST(Conversion, fast_itoa_writes_every_32_bit_value_in_full)
{
    EXPECT_EQ(fast_itoa(0), "0");
    EXPECT_EQ(fast_itoa(-7), "-7");
    EXPECT_EQ(fast_itoa(10), "10");
    EXPECT_EQ(fast_itoa(100), "100");
    EXPECT_EQ(fast_itoa(2147483647), "2147483647");
    EXPECT_EQ(fast_itoa(-2147483647 - 1), "-2147483648");
}

TEST(Conversion, fast_dtoa_writes_at_most_five_places_as_the_table_says)
{
    const struct {
        double value;
        const char* text;
    } table[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {100.0, "100"},
        {1.5, "1.5"},
        {-2.25, "-2.25"},
        {0.1, "0.1"},
        {0.05, "0.05"},
        {1.0 / 3.0, "0.33333"},
        {2.0 / 3.0, "0.66667"},
        {3.14159265, "3.14159"},
        {0.999996, "1"},
        {-0.000001, "-0"},
        {0.000005, "0.00001"},
        {0.015625, "0.01562"},
        {0.046875, "0.04688"},
        {2147483647.0, "2147483647"},
        {2147483647.5, "2.147484e+09"},
        {1e10, "1.000000e+10"},
        {3e9, "3.000000e+09"},
        {-1e300 * 1e300, "-inf"},
    };
    for (const auto& row : table)
        EXPECT_EQ(fast_dtoa(row.value), row.text) << row.value;
}

TEST(Conversion, an_exact_half_that_rounds_up_carries_into_the_whole_part)
{
    // (0.999995 - 0) * 100000 is exactly 99999.5: the odd fraction rounds up
    // to 100000, which must carry.
    ASSERT_EQ(0.999995 * 100000.0, 99999.5);
    EXPECT_EQ(fast_dtoa(0.999995), "1");
    EXPECT_EQ(fast_dtoa(2147483646.999999), "2147483647");
}
