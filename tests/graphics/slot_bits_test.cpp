#include "graphics/slot_bits.h"

#include <gtest/gtest.h>

TEST(SlotBits, the_lowest_free_slot_is_found_across_words_and_summary_words_until_none_is_left)
{
    // Two summary words' worth and a partial last word.
    SlotBits<64 * 64 + 70> bits;
    EXPECT_EQ(bits.lowest_free(), 0);
    for (unsigned i = 0; i < 64 * 64 + 70; ++i)
        bits.take(i);
    EXPECT_EQ(bits.lowest_free(), -1);
    for (const unsigned slot : {4100u, 4095u, 64u, 63u}) {
        bits.free(slot);
        EXPECT_EQ(bits.lowest_free(), int(slot)) << slot;
        EXPECT_FALSE(bits.taken(slot));
    }
    bits.take(63);
    EXPECT_EQ(bits.lowest_free(), 64);
    bits.take(64);
    bits.take(4095);
    EXPECT_EQ(bits.lowest_free(), 4100);
    bits.take(4100);
    EXPECT_TRUE(bits.taken(4100));
    EXPECT_EQ(bits.lowest_free(), -1);
    bits.free(64 * 64 + 69);  // the very last slot
    EXPECT_EQ(bits.lowest_free(), 64 * 64 + 69);
}
