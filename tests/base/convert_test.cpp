// Number and text conversion, bit for bit.
#include "base/convert.h"

#include <cstring>
#include <gtest/gtest.h>

TEST(Conversion, fast_atof_reads_the_table_exactly_and_stops_at_the_end_of_its_range)
{
    const int all = -1;
    const struct {
        const char* text;
        int length;
        double value;
    } table[] = {
        {"  -12.5e2", all, -1250.0}, {"3.", all, 3.0},     {".5", all, 0.5},          {"abc", all, 0.0},
        {"x", 0, 0.0},               {" 42abc", all, 42.0}, {"12abc", all, 12.0},      {"1.5e-3", all, 1.5 / 1000.0},
        {"+\t7", all, 0.0},  // blanks only before the sign
        {"\t+7", all, 7.0},          {"1e400", all, 1.0000000000000006e308},
        {"1.5", 2, 1.0},             {"3e12", 3, 3e1},  // the digits read so far count
    };
    for (const auto& row : table) {
        const size_t length = row.length == all ? std::strlen(row.text) : size_t(row.length);
        EXPECT_EQ(fast_atof(row.text, row.text + length), row.value) << row.text;
    }
    const char* huge = "2e9999999999999";
    const char* limit = "2e308";
    EXPECT_EQ(fast_atof(huge, huge + std::strlen(huge)), fast_atof(limit, limit + std::strlen(limit)));
}

TEST(Conversion, fast_itoa_and_fast_dtoa_write_the_table_and_carry_an_exact_half)
{
    for (const int value : {0, -7, 10, 100, 2147483647, -2147483647 - 1})
        EXPECT_EQ(fast_itoa(value), std::to_string(value));
    const struct {
        double value;
        const char* text;
    } table[] = {
        {0.0, "0"},          {-0.0, "0"},           {100.0, "100"},        {1.5, "1.5"},
        {-2.25, "-2.25"},    {0.1, "0.1"},          {0.05, "0.05"},        {1.0 / 3.0, "0.33333"},
        {2.0 / 3.0, "0.66667"}, {3.14159265, "3.14159"}, {0.999996, "1"},  {-0.000001, "-0"},
        {0.000005, "0.00001"}, {0.015625, "0.01562"}, {0.046875, "0.04688"}, {2147483647.0, "2147483647"},
        {2147483647.5, "2.147484e+09"}, {1e10, "1.000000e+10"}, {3e9, "3.000000e+09"}, {-1e300 * 1e300, "-inf"},
        // 0.999995 * 100000 is exactly 99999.5: the odd fraction rounds up to
        // 100000, which must carry into the whole part.
        {0.999995, "1"},     {2147483646.999999, "2147483647"},
    };
    for (const auto& row : table)
        EXPECT_EQ(fast_dtoa(row.value), row.text) << row.value;
}
