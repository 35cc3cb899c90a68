#include "objects/arrayext.h"

#include "runtime/pools.h"
#include "tests/support/volumes.h"

#include <gtest/gtest.h>

#include <new>

namespace {

ArrayObject* make_array(int type_id = 10)
{
    return new (object_pool<ArrayObject>.create()) ArrayObject(0, 0, type_id);
}

}  // namespace

TEST(ArrayCells, CoordinatesTakeTheCurrentPositionAndTheBase)
{
    ArrayObject array(0, 0, 10);
    array.initialize(true, 1, 3, 99, 1);
    array.set_value(42, 1, 1, 1);
    array.set_value(9, 3, 99, 1);
    EXPECT_EQ(array.data.values[0], 42);
    EXPECT_EQ(array.data.values[2 + 98 * 3], 9);
    // -1 stands for the current coordinate, which starts at the base.
    EXPECT_EQ(array.get_value(1, 1, -1), 42);
    EXPECT_EQ(array.get_value(-1, -1, -1), 42);
    EXPECT_EQ(array.get_value(0, 1, 1), 0);
    EXPECT_EQ(array.get_value(4, 1, 1), 0);
    EXPECT_EQ(array.get_value(1, 100, 1), 0);
    EXPECT_EQ(array.get_value(3, 99, 1), 9);
}

TEST(ArrayCells, GrowingKeepsEveryCellAtItsCoordinates)
{
    ArrayObject array(0, 0, 10);
    array.initialize(true, 1, 3, 99, 1);
    for (int y = 1; y <= 99; ++y)
        for (int x = 1; x <= 3; ++x)
            array.set_value(x * 1000 + y, x, y, 1);
    array.set_value(7, 5, 1, 1);
    EXPECT_EQ(array.data.x_size, 5);
    EXPECT_EQ(array.data.y_size, 99);
    EXPECT_EQ(array.data.z_size, 1);
    EXPECT_EQ(array.data.values.size(), 5u * 99u);
    for (int y = 1; y <= 99; ++y)
        for (int x = 1; x <= 3; ++x)
            ASSERT_EQ(array.get_value(x, y, 1), x * 1000 + y) << x << "," << y;
    EXPECT_EQ(array.get_value(5, 1, 1), 7);
    EXPECT_EQ(array.get_value(4, 1, 1), 0);

    // Growing z and y at once keeps the cells as well.
    array.set_value(-3, 2, 100, 3);
    EXPECT_EQ(array.data.y_size, 100);
    EXPECT_EQ(array.data.z_size, 3);
    EXPECT_EQ(array.get_value(3, 99, 1), 3099);
    EXPECT_EQ(array.get_value(5, 1, 1), 7);
    EXPECT_EQ(array.get_value(2, 100, 3), -3);
}

TEST(ArrayCells, WritesBeforeTheFirstCellAreIgnoredAndReadAsZero)
{
    ArrayObject array(0, 0, 10);
    array.initialize(true, 1, 3, 2, 1);
    array.set_value(5, 0, 1, 1);
    array.set_value(5, 1, 0, 1);
    array.set_value(5, 1, 1, 0);
    array.set_value(5, -2, 1, 1);
    array.set_value(5, -2147483647 - 1, 1, 1);
    EXPECT_EQ(array.data.x_size, 3);
    EXPECT_EQ(array.data.y_size, 2);
    EXPECT_EQ(array.data.z_size, 1);
    for (const int value : array.data.values)
        EXPECT_EQ(value, 0);
    EXPECT_EQ(array.get_value(0, 1, 1), 0);
    EXPECT_EQ(array.get_value(-2147483647 - 1, 1, 1), 0);

    ArrayObject text(0, 0, 40);
    text.initialize(false, 1, 1, 1, 1);
    text.set_string("lost", 0, 1, 1);
    EXPECT_EQ(text.data.x_size, 1);
    EXPECT_EQ(text.get_string(0, 1, 1), "");
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
    EXPECT_EQ(array.get_string(1, 0, 0), "");
    EXPECT_EQ(array.get_string(3, 0, 0), "");
    // Numbers on a text array: answered 0, ignored, nothing grows.
    array.set_value(5, 9, 9, 9);
    EXPECT_EQ(array.get_value(0, 0, 0), 0);
    EXPECT_EQ(array.data.x_size, 3);
    EXPECT_TRUE(array.data.values.empty());

    ArrayObject numbers(0, 0, 41);
    numbers.initialize(true, 0, 1, 3, 1);
    numbers.set_string("x", 0, 0, 0);
    EXPECT_EQ(numbers.get_string(0, 0, 0), "");
    EXPECT_TRUE(numbers.data.strings.empty());
}

TEST(ArrayCells, ClearZeroesTheCellsAndKeepsSizesBaseAndPosition)
{
    ArrayObject array(0, 0, 10);
    array.initialize(true, 1, 3, 99, 1);
    array.set_value(4, 2, 2, 1);
    array.clear();
    EXPECT_EQ(array.get_value(2, 2, 1), 0);
    EXPECT_EQ(array.data.x_size, 3);
    EXPECT_EQ(array.data.y_size, 99);
    EXPECT_EQ(array.data.base, 1);
    EXPECT_EQ(array.data.current_x, 1);

    ArrayObject text(0, 0, 40);
    text.initialize(false, 0, 2, 1, 1);
    text.set_string("a", 1, 0, 0);
    text.clear();
    EXPECT_EQ(text.get_string(1, 0, 0), "");
    EXPECT_EQ(text.data.strings.size(), 2u);
}

TEST(ArrayCells, KeptArraysHandTheirCellsToTheNextInstance)
{
    SavedArrayData record;
    ArrayObject* first = make_array(26);
    first->keep_data(record, true, 1, 20, 100, 1);
    EXPECT_TRUE(record.initialised);
    first->set_value(1234, 3, 4, 1);
    first->set_value(5, 21, 1, 1);  // grows to 21 columns
    first->dealloc();

    // A later instance whose class would size it otherwise still continues
    // with the kept cells, sizes, kind and base.
    ArrayObject* second = make_array(26);
    EXPECT_EQ(second, first);  // the pool hands back the slot just freed
    second->keep_data(record, true, 1, 20, 99, 1);
    EXPECT_EQ(second->data.x_size, 21);
    EXPECT_EQ(second->data.y_size, 100);
    EXPECT_EQ(second->get_value(3, 4, 1), 1234);
    EXPECT_EQ(second->get_value(21, 1, 1), 5);
    second->dealloc();
    EXPECT_EQ(record.data.values.size(), 2100u);
}
