// The game's fixed texts, as the generator makes them from the table.
#include "base/convert.h"
#include "game/frames/string_constants.h"

#include <gtest/gtest.h>

TEST(StringConstants, the_table_holds_every_text_exactly)
{
    EXPECT_EQ(STRING_CONSTANT_COUNT, 71);
    // The first and last rows: the enum and the texts are in one order.
    EXPECT_EQ(string_constant(STR_M_1UP), ".\\Data\\BGM\\m_1up.ogg");
    EXPECT_EQ(string_constant(STR_EMPTY), "");
    EXPECT_EQ(string_constant(STR_CAPTION_TOLVANI_PALACE).size(), 14u);
    EXPECT_EQ(string_constant(STR_CAPTION_TOLVANI_PALACE_PADDED), "TOLVANI PALACE    ");
    EXPECT_EQ(string_constant(STR_SOUND_HURT) + fast_itoa(2), "sound_hurt2");
    EXPECT_EQ(string_constant(STR_CAMERA_MODE) + fast_dtoa(1.0), "camera_mode1");
    const std::string& charset = string_constant(STR_CHARSET);
    ASSERT_EQ(charset.size(), 95u);
    for (size_t i = 0; i < charset.size(); ++i)
        EXPECT_EQ(charset[i], char(32 + i));
    // Escapes: backslashes and a line end.
    EXPECT_EQ(string_constant(STR_NEWLINE), "\r\n");
}
