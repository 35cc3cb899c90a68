// Array sizes from files and from writes stay within what an array may hold.
#include "objects/arrayext.h"

#include "base/size_policy.h"
#include "tests/support/peak_memory.h"
#include "tests/support/volumes.h"
#include "tools/assetwriter/asset_writer.h"

#include <gtest/gtest.h>

namespace {

std::string array_header(uint32_t x, uint32_t y, uint32_t z, uint32_t flags)
{
    std::string out("CNC ARRAY\0", 10);
    put_u16(out, 2);
    put_u16(out, 0);
    for (const uint32_t field : {x, y, z, flags})
        put_u32(out, field);
    return out;
}

}  // namespace

TEST(ArrayBounds, a_file_with_a_zero_size_beside_others_is_refused_and_the_array_kept)
{
    TempVolumes volumes;
    console_output_of([] { get_fs_data(0); });
    const uint64_t before = peak_memory_bytes();
    // 32768 x 32768 x 0 needs no cells, but the first write would grow it to 2^30.
    for (const auto& sizes : {std::vector<uint32_t>{32768, 32768, 0}, {0, 5, 3}, {4, 0, 0}}) {
        volumes.put_content("grid.dat", array_header(sizes[0], sizes[1], sizes[2], 1));
        ArrayObject array(0, 0, 10);
        array.initialize(true, 0, 2, 1, 1);
        array.set_value(9, 1, 0, 0);
        ASSERT_EQ(console_output_of([&] { array.load("./grid.dat"); }), "Invalid array size: ./grid.dat\n");
        array.set_value(4, 0, 0, 1);
        EXPECT_EQ(array.data.values, (std::vector<int>{0, 9, 4, 0}));
    }
    EXPECT_LT(peak_memory_bytes() - before, damaged_read_memory);

    // All sizes zero is an empty array, as saved.
    volumes.put_content("empty.dat", array_header(0, 0, 0, 1));
    ArrayObject empty(0, 0, 10);
    empty.initialize(true, 0, 1, 1, 1);
    EXPECT_EQ(console_output_of([&] { empty.load("./empty.dat"); }), "");
    EXPECT_TRUE(empty.data.values.empty());
}

TEST(ArrayBounds, writes_grow_an_array_only_up_to_the_cell_limit)
{
    ArrayObject array(0, 0, 10);
    array.initialize(true, 0, 1, 1, 1);
    // 1024 x 1024 cells is the limit itself.
    array.set_value(5, 1023, 1023, 0);
    EXPECT_EQ(int64_t(array.data.values.size()), max_array_cells);
    EXPECT_EQ(array.get_value(1023, 1023, 0), 5);
    EXPECT_EQ(console_output_of([&] { array.set_value(6, 0, 0, 1); }), "Invalid array size: 1024 x 1024 x 2\n");
    EXPECT_EQ(console_output_of([&] { array.set_value(6, 1024, 0, 0); }), "Invalid array size: 1025 x 1024 x 1\n");
    EXPECT_EQ(array.data.z_size, 1);
    EXPECT_EQ(array.get_value(1023, 1023, 0), 5);

    ArrayObject text(0, 0, 10);
    text.initialize(false, 1, 1, 1, 1);
    EXPECT_EQ(console_output_of([&] { text.set_string("far", 1, 1, int(max_array_cells) + 1); }),
              "Invalid array size: 1 x 1 x 1048577\n");
    EXPECT_EQ(text.data.strings.size(), 1u);
}
