#include "graphics/color.h"

#include <gtest/gtest.h>

TEST(BaseColor, set_clamps_packing_puts_red_lowest_and_semi_transparency_halves_the_missing_alpha)
{
    Color color;
    EXPECT_EQ(color, Color(255, 255, 255, 255));
    EXPECT_EQ(TransparentColor(), TransparentColor(0, 0, 0, 0));
    color.set(300, -5, 128, 255);
    EXPECT_EQ(color, Color(255, 0, 128, 255));
    color.set(-5, 300, 7, 255);
    EXPECT_EQ((std::vector<int>{color.r, color.g, color.b, color.a}), (std::vector<int>{0, 255, 7, 255}));

    // Unpacking is always opaque.
    const TransparentColor unpacked(0x11223344);
    EXPECT_EQ((std::vector<int>{unpacked.r, unpacked.g, unpacked.b, unpacked.a}),
              (std::vector<int>{0x44, 0x33, 0x22, 255}));
    EXPECT_EQ(Color(0x11223344).a, 255);
    EXPECT_EQ(Color(1, 2, 3, 4).get_int(), 1 + 2 * 256 + 3 * 65536 + 4 * 16777216);
    EXPECT_EQ(Color(255, 255, 255, 255).get_int(), -1);

    const int alphas[] = {255, 254, 128, 1, 0};
    const int expected[] = {0, 1, 64, 128, 128};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Color(0, 0, 0, alphas[i]).get_semi_transparency(), expected[i]) << alphas[i];
}
