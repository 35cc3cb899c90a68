#include "objects/arrayext.h"

#include "base/pools.h"
#include "tests/support/volumes.h"

#include <gtest/gtest.h>

#include <new>

TEST(ArrayCells, CoordinatesTakeTheCurrentPositionAndTheBaseAndGrowthKeepsCells)
{
    ArrayObject array(0, 0, 10);
    array.initialize(true, 1, 3, 99, 1);
    for (int y = 1; y <= 99; ++y)
        for (int x = 1; x <= 3; ++x)
            array.set_value(x * 1000 + y, x, y, 1);
    // -1 stands for the current coordinate, which starts at the base.
    EXPECT_EQ(array.get_value(1, 1, -1), 1001);
    EXPECT_EQ(array.get_value(0, 1, 1), 0);
    EXPECT_EQ(array.get_value(4, 1, 1), 0);

    array.set_value(7, 5, 1, 1);
    EXPECT_EQ(array.data.x_size, 5);
    EXPECT_EQ(array.data.y_size, 99);
    EXPECT_EQ(array.data.z_size, 1);
    array.set_value(-3, 2, 100, 3);
    EXPECT_EQ(array.data.values.size(), 5u * 100u * 3u);
    for (int y = 1; y <= 99; ++y)
        for (int x = 1; x <= 3; ++x)
            ASSERT_EQ(array.get_value(x, y, 1), x * 1000 + y) << x << "," << y;
    EXPECT_EQ(array.get_value(5, 1, 1), 7);
    EXPECT_EQ(array.get_value(4, 1, 1), 0);
    EXPECT_EQ(array.get_value(2, 100, 3), -3);
}

TEST(ArrayCells, WritesBeforeTheFirstCellOrPastAnIntOfCellsAreIgnored)
{
    ArrayObject array(0, 0, 10);
    array.initialize(true, 1, 3, 2, 1);
    array.set_value(5, 0, 1, 1);
    array.set_value(5, 1, 1, 0);
    array.set_value(5, -2, 1, 1);
    array.set_value(5, -2147483647 - 1, 1, 1);
    EXPECT_EQ(array.data.x_size, 3);
    EXPECT_EQ(array.data.values, std::vector<int>(6, 0));
    EXPECT_EQ(array.get_value(0, 1, 1), 0);

    // Growth whose cell count would not fit in an int is refused as well.
    EXPECT_EQ(console_output_of([&] {
                  array.set_value(5, 2147483647, 1, 1);
                  array.set_value(5, 50001, 50001, 1);
              }),
              "Invalid array size: 2147483647 x 2 x 1\nInvalid array size: 50001 x 50001 x 1\n");
    EXPECT_EQ(array.data.values, std::vector<int>(6, 0));

    ArrayObject text(0, 0, 40);
    text.initialize(false, 1, 1, 1, 1);
    text.set_string("lost", 1, 0, 1);
    EXPECT_EQ(text.data.y_size, 1);
    EXPECT_EQ(text.get_string(1, 0, 1), "");
    EXPECT_EQ(text.get_string(1, 1, 1), "");
}

TEST(ArrayCells, TextCellsGrowAndTheOtherKindIsLeftAlone)
{
    ArrayObject array(0, 0, 40);
    array.initialize(false, 0, 1, 1, 1);
    array.set_string("play", 0, 0, 0);
    array.set_string("stop", 2, 1, 0);
    EXPECT_EQ(array.get_string(0, 0, 0), "play");
    EXPECT_EQ(array.get_string(2, 1, 0), "stop");
    EXPECT_EQ(array.get_string(3, 0, 0), "");
    array.set_value(5, 9, 9, 9);
    EXPECT_EQ(array.get_value(0, 0, 0), 0);
    EXPECT_EQ(array.data.x_size, 3);
    array.clear();
    EXPECT_EQ(array.get_string(2, 1, 0), "");
    EXPECT_EQ(array.data.strings.size(), 6u);
}

TEST(ArrayCells, KeptArraysHandTheirCellsToTheNextInstance)
{
    SavedArrayData record;
    auto* first = new (object_pool<ArrayObject>.create()) ArrayObject(0, 0, 26);
    first->keep_data(record, true, 1, 20, 100, 1);
    first->set_value(1234, 3, 4, 1);
    first->set_value(5, 21, 1, 1);
    first->dealloc();

    // The second class of the type would size it 20 x 99, but continues
    // with the kept cells, sizes, kind and base.
    auto* second = new (object_pool<ArrayObject>.create()) ArrayObject(0, 0, 26);
    EXPECT_EQ(second, first);
    second->keep_data(record, true, 1, 20, 99, 1);
    EXPECT_EQ(second->data.x_size, 21);
    EXPECT_EQ(second->data.y_size, 100);
    EXPECT_EQ(second->get_value(3, 4, 1), 1234);
    second->dealloc();
    EXPECT_EQ(record.data.values.size(), 2100u);
}

TEST(ArrayCells, AnInstanceMadeWhileAnotherHoldsTheKeptCellsStartsEmpty)
{
    SavedArrayData record;
    {
        ArrayObject first(0, 0, 26);
        first.keep_data(record, true, 1, 20, 100, 1);
        first.set_value(7, 1, 1, 1);
    }
    ArrayObject holder(0, 0, 26), extra(0, 0, 26);
    holder.keep_data(record, true, 1, 20, 100, 1);
    extra.keep_data(record, true, 1, 20, 100, 1);
    EXPECT_EQ(holder.get_value(1, 1, 1), 7);
    // The record no longer holds cells, so neither does it claim their sizes.
    EXPECT_EQ(extra.data.x_size, 0);
    EXPECT_EQ(extra.get_value(1, 1, 1), 0);
    EXPECT_EQ(extra.get_string(1, 1, 1), "");
}
