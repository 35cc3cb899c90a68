#include "tools/assetwriter/image_item.h"
#include "tools/assetwriter/shader_items.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

#include <gtest/gtest.h>

namespace {

int16_t field_at(const std::string& bytes, size_t offset)
{
    return int16_t(uint16_t(uint8_t(bytes[offset]) | uint8_t(bytes[offset + 1]) << 8));
}

}  // namespace

TEST(ImageItem, header_fields_then_a_zlib_stream_of_the_rgba_pixels)
{
    ImageItemSource image;
    image.width = 2;
    image.height = 1;
    image.hot_x = -1;
    image.hot_y = 3;
    image.action_x = 4;
    image.action_y = -5;
    image.rgba = {1, 2, 3, 4, 5, 6, 7, 8};
    const std::string item = image_item(image);
    ASSERT_GT(item.size(), 16u);
    EXPECT_EQ((std::vector<int>{field_at(item, 0), field_at(item, 2), field_at(item, 4),
                                field_at(item, 6), field_at(item, 8), field_at(item, 10)}),
              (std::vector<int>{2, 1, -1, 3, 4, -5}));
    const uint32_t size = uint32_t(uint8_t(item[12])) | uint32_t(uint8_t(item[13])) << 8 |
                          uint32_t(uint8_t(item[14])) << 16 | uint32_t(uint8_t(item[15])) << 24;
    EXPECT_EQ(size, item.size() - 16);
    char out[8] = {};
    EXPECT_EQ(stbi_zlib_decode_buffer(out, 8, item.data() + 16, int(size)), 8);
    EXPECT_EQ(std::vector<uint8_t>(out, out + 8), image.rgba);

    image.rgba.pop_back();
    EXPECT_EQ(image_item(image), "");
}

TEST(ShaderItem, a_byte_count_then_the_container)
{
    const std::string item = shader_item(texture_programs());
    const uint32_t size = uint32_t(uint8_t(item[0])) | uint32_t(uint8_t(item[1])) << 8 |
                          uint32_t(uint8_t(item[2])) << 16 | uint32_t(uint8_t(item[3])) << 24;
    ASSERT_EQ(size, item.size() - 4);
    std::vector<ShaderContainerProgram> programs;
    ASSERT_TRUE(shader_container_parse(item.data() + 4, size, programs));
    ASSERT_EQ(programs.size(), 2u);
    EXPECT_FALSE(programs[0].pixel);
    EXPECT_TRUE(programs[1].pixel);
}
