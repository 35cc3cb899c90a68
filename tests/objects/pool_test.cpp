#include "objects/active.h"
#include "base/pools.h"
#include "tests/objects/object_fixtures.h"

#include <gtest/gtest.h>
#include <vector>

TEST(ObjectPool, grows_by_doubling_blocks_and_hands_out_the_last_freed_slot_first)
{
    struct Slot {
        char bytes[24];
    };
    ObjectPool<Slot> pool;
    std::vector<char*> slots;
    for (int i = 0; i < 32; ++i)
        slots.push_back(static_cast<char*>(pool.create()));
    EXPECT_EQ(pool.get_total(), 32);
    for (int i = 1; i < 32; ++i)
        EXPECT_EQ(slots[size_t(i)], slots[0] - i * int(sizeof(Slot)));  // descending through one block
    EXPECT_EQ(pool.get_free_count(), 0);

    char* first_of_second = static_cast<char*>(pool.create());
    EXPECT_EQ(pool.get_total(), 96);
    EXPECT_EQ(pool.get_free_count(), 63);
    EXPECT_EQ(pool.get_block_size(), 128);

    pool.destroy(slots[5]);
    pool.destroy(slots[9]);
    EXPECT_EQ(pool.create(), slots[9]);
    EXPECT_EQ(pool.create(), slots[5]);

    for (char* slot : slots)
        pool.destroy(slot);
    pool.destroy(first_of_second);
    pool.destroy(nullptr);
    EXPECT_EQ(pool.get_free_count(), pool.get_total());
}

TEST(ObjectPool, dealloc_returns_an_active_to_its_pool_for_the_next_create)
{
    AnimationTable table;
    table.add(0, 0, 1, 0, -1);
    Active* first = make_active(table.get());
    first->dealloc();
    Active* second = make_active(table.get());
    EXPECT_EQ(second, first);
    second->dealloc();
}
