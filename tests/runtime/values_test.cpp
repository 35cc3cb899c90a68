// Alterables, their pool, global values and instance handles.
#include "base/pools.h"
#include "runtime/frameobject.h"
#include "runtime/values.h"
#include "tests/support/volumes.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

namespace {
uint64_t bits_of(double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}
}  // namespace

TEST(Values, alterables_read_neutral_values_past_the_end_and_drop_writes_there)
{
    Alterables alterables;
    alterables.values.set(25, 2.0);
    alterables.values.set(26, 1.0);
    EXPECT_EQ(alterables.values.get(25), 2.0);
    EXPECT_EQ(alterables.values.get(26), 0.0);
    EXPECT_EQ(alterables.strings.get(10), "");
    alterables.strings.get(9) = "kept";
    EXPECT_EQ(alterables.strings.get(9), "kept");
}

TEST(Values, a_write_through_a_string_past_the_end_never_reaches_the_shared_empty_string)
{
    Alterables alterables;
    alterables.strings.get(12) = "leak";
    alterables.strings.get(12) += "ed";
    EXPECT_EQ(alterables.strings.get(12), "");
    EXPECT_EQ(shared_empty_string(), "");
    const Alterables& read_only = alterables;
    EXPECT_EQ(&read_only.strings.get(12), &shared_empty_string());
    GlobalStrings strings;
    strings.get(4) = "x";
    EXPECT_EQ(strings.size(), 0u);
    EXPECT_EQ(shared_empty_string(), "");
    EXPECT_EQ(strings.get(4), "");
}

TEST(Values, global_stores_grow_on_write_and_never_on_read)
{
    GlobalValues values;
    EXPECT_EQ(values.get(1000), 0.0);
    EXPECT_EQ(values.size(), 0u);
    values.set(5, 2.5);
    EXPECT_EQ(values.size(), 6u);
    EXPECT_EQ(values.get(4), 0.0);
    EXPECT_EQ(values.get(5), 2.5);
    values.set(0, 2.9);
    values.set(1, -2.9);
    values.set(2, 1e12);
    values.set(3, -1e12);
    values.set(4, std::nan(""));
    EXPECT_EQ(values.get_int(0), 2);
    EXPECT_EQ(values.get_int(1), -2);
    EXPECT_EQ(values.get_int(2), INT32_MAX);
    EXPECT_EQ(values.get_int(3), INT32_MIN);
    EXPECT_EQ(values.get_int(4), INT32_MIN);
    EXPECT_EQ(values.get_int(99), 0);

    GlobalStrings strings;
    strings.set(2, "two");
    EXPECT_EQ(strings.size(), 3u);
    EXPECT_EQ(strings.get(0), "");
    EXPECT_EQ(strings.get(2), "two");
}

TEST(Values, a_global_index_gone_negative_is_refused_with_a_line_instead_of_exhausting_the_heap)
{
    GlobalValues values;
    GlobalStrings strings;
    const std::string output = console_output_of([&] {
        values.set(unsigned(-1), 1.0);
        strings.set(unsigned(-3), "x");
    });
    EXPECT_EQ(output, "Invalid global index: 4294967295\nInvalid global index: 4294967293\n");
    EXPECT_EQ(values.size(), 0u);
    EXPECT_EQ(strings.size(), 0u);
    values.set(65535, 1.0);
    EXPECT_EQ(values.size(), 65536u);
}

TEST(Values, an_instance_gets_fresh_alterables_and_gives_them_back_unless_they_are_kept)
{
    int free_while_alive;
    {
        FrameObject object(0, 0, 2);
        object.create_alterables();
        free_while_alive = object_pool<Alterables>.get_free_count();
        EXPECT_EQ(object.alterables->values.get(0), 0.0);
        EXPECT_EQ(object.alterables->flags, 0);
        object.alterables->strings.get(0) = std::string(100, 'x');  // no small-string storage
    }
    EXPECT_EQ(object_pool<Alterables>.get_free_count(), free_while_alive + 1);
    FrameObject reused(0, 0, 2);
    reused.create_alterables();
    EXPECT_EQ(reused.alterables->strings.get(0), "");

    static Alterables kept_block;
    const int free_before_global = object_pool<Alterables>.get_free_count();
    {
        FrameObject global(0, 0, 2);
        global.flags |= FrameObject::GLOBAL;
        global.alterables = &kept_block;
    }
    EXPECT_EQ(object_pool<Alterables>.get_free_count(), free_before_global);
}

TEST(Values, instance_handles_round_trip_through_numbers_on_a_wide_address_space)
{
    FrameObject a(0, 0, 2), b(0, 0, 2);
    const double number_a = a.get_fixed();
    const double number_b = b.get_fixed();
    EXPECT_NE(number_a, number_b);
    EXPECT_EQ(get_object_from_fixed(number_a), &a);
    EXPECT_EQ(get_object_from_fixed(number_b), &b);
    EXPECT_EQ(double(a.get_fixed()), number_a);
    EXPECT_EQ(get_object_from_fixed(0.0), nullptr);
    EXPECT_EQ(get_object_from_fixed(-1.0), nullptr);

    // The bit pattern: high word (h & 0x7FFFFFFF) ^ 0x78000000, low word h >> 31.
    const double top = FixedValue(uint32_t(0x80000005u));
    EXPECT_EQ(bits_of(top), 0x7800000500000001ull);
    EXPECT_EQ(fixed_handle_from_double(top), 0x80000005u);
    EXPECT_EQ(bits_of(FixedValue(uint32_t(1))), 0x7800000100000000ull);
    // -0.0 is not +0.0: decoded like any other number, it names no live instance.
    EXPECT_EQ(get_object_from_fixed(-0.0), nullptr);
}

TEST(Values, a_released_instance_no_longer_answers_to_its_number)
{
    double number;
    {
        FrameObject gone(0, 0, 2);
        number = gone.get_fixed();
    }
    EXPECT_EQ(get_object_from_fixed(number), nullptr);
    FrameObject next(0, 0, 2);
    const double next_number = next.get_fixed();
    EXPECT_NE(next_number, number);
    EXPECT_EQ(get_object_from_fixed(number), nullptr);
    EXPECT_EQ(get_object_from_fixed(next_number), &next);
}
