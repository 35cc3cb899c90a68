#include "tools/assetwriter/asset_writer.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

uint32_t word_at(const std::string& bytes, size_t offset)
{
    return uint32_t(uint8_t(bytes[offset])) | uint32_t(uint8_t(bytes[offset + 1])) << 8 |
           uint32_t(uint8_t(bytes[offset + 2])) << 16 | uint32_t(uint8_t(bytes[offset + 3])) << 24;
}

}  // namespace

TEST(AssetWriter, lays_out_the_preload_list_tables_and_bodies)
{
    AssetWriter writer;
    writer.set_preload({0x1234, 7});
    ASSERT_TRUE(writer.add_item(AssetFile::SHADER_DATA, 31, "shader"));
    ASSERT_TRUE(writer.add_item(AssetFile::IMAGE_DATA, 0, "img"));
    ASSERT_TRUE(writer.add_file(17, "xyz"));
    EXPECT_FALSE(writer.add_item(AssetFile::SOUND_DATA, 216, "no"));
    EXPECT_FALSE(writer.add_item(AssetFile::FONT_DATA, 1, "no"));

    const std::string bytes = writer.build();
    ASSERT_EQ(bytes.size(), 40272u + 3 + 6 + 7);
    EXPECT_EQ(uint8_t(bytes[0]), 0x34);
    EXPECT_EQ(uint8_t(bytes[1]), 0x12);
    EXPECT_EQ(uint8_t(bytes[2]), 7);
    EXPECT_EQ(uint8_t(bytes[4]), 0);
    EXPECT_EQ(word_at(bytes, 13068), 40272u);            // image 0
    EXPECT_EQ(word_at(bytes, 13072), 0u);                // image 1 absent
    EXPECT_EQ(word_at(bytes, 40072 + 31 * 4), 40275u);   // shader 31 after the image
    EXPECT_EQ(word_at(bytes, 40200 + 17 * 4), 40281u);   // embedded file 17
    EXPECT_EQ(bytes.substr(40272, 3), "img");
    EXPECT_EQ(word_at(bytes, 40281), 3u);
    EXPECT_EQ(bytes.substr(40285), "xyz");
}

TEST(AssetWriter, writes_through_a_temporary_file)
{
    const std::string dir = testing::TempDir() + "asset-writer";
    std::filesystem::create_directories(dir);
    AssetWriter writer;
    ASSERT_TRUE(writer.write(dir + "/Assets.dat"));
    EXPECT_EQ(std::filesystem::file_size(dir + "/Assets.dat"), 40272u);
    EXPECT_FALSE(std::filesystem::exists(dir + "/Assets.dat.part"));
    EXPECT_FALSE(writer.write(dir + "/missing/folder/Assets.dat"));
    std::filesystem::remove_all(dir);
}
