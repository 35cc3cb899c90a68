#include "base/assetfile.h"
#include "base/stream.h"
#include "tests/support/volumes.h"
#include "tools/assetwriter/asset_writer.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

std::string sample_assets()
{
    AssetWriter writer;
    writer.set_preload({3, 1, 2});
    std::string sound;
    put_u32(sound, 2);
    put_u32(sound, 4);
    sound += "OggS";
    writer.add_item(AssetFile::SOUND_DATA, 5, sound);
    writer.add_item(AssetFile::SOUND_DATA, 0, "first");
    std::string fonts;
    put_u32(fonts, 7);
    writer.add_item(AssetFile::FONT_DATA, 0, fonts);
    return writer.build();
}

class AssetFileTest : public testing::Test {
protected:
    void SetUp() override { AssetFile::forget_tables(); }
    TempVolumes volumes;
};

}  // namespace

TEST_F(AssetFileTest, the_first_open_reads_the_tables_once_then_lookups_only_seek_to_their_words)
{
    const std::string bytes = sample_assets();
    volumes.put_content("Assets.dat", bytes);
    const auto word = [&](size_t offset) {
        uint32_t value;
        std::memcpy(&value, bytes.data() + offset, 4);  // little-endian host
        return value;
    };
    AssetFile a;
    uint64_t before = fs_call_counts().reads;
    // The first open reads the tables and leaves the file at its start.
    a.open();
    EXPECT_TRUE(AssetFile::tables_loaded());
    EXPECT_EQ(fs_call_counts().reads - before, 1u);  // one window holds the whole small file
    EXPECT_EQ(a.tell(), 0u);
    char skip[100];
    a.read(skip, 100);
    a.set_item(5, AssetFile::SOUND_DATA);
    EXPECT_EQ(a.tell(), word(39204 + 5 * 4));
    FileStream stream(a);
    EXPECT_EQ(stream.read_int32(), 2);
    EXPECT_EQ(stream.read_int32(), 4);

    AssetFile b;
    b.open();
    before = fs_call_counts().reads;
    b.set_item(0, AssetFile::FONT_DATA);
    EXPECT_EQ(b.tell(), word(40068));
    EXPECT_EQ(fs_call_counts().reads, before);  // no table read
    EXPECT_EQ(FileStream(b).read_int32(), 7);
    b.set_item(0, AssetFile::SOUND_DATA);
    std::string text;
    FileStream(b).read_string(text, 5);
    EXPECT_EQ(text, "first");
    b.set_item(17, AssetFile::FILE_DATA);  // absent item: offset 0
    EXPECT_EQ(b.tell(), 0u);
}

TEST_F(AssetFileTest, out_of_range_lookups_are_rejected_and_leave_the_file_where_it_was)
{
    volumes.put_content("Assets.dat", sample_assets());
    AssetFile file;
    file.open();
    file.seek(1234, 0);
    std::string out = console_output_of([&] {
        file.set_item(216, AssetFile::SOUND_DATA);
        file.set_item(-1, AssetFile::IMAGE_DATA);
        file.set_item(0, AssetFile::AssetType(5));
    });
    EXPECT_EQ(out, "Invalid asset item: kind 1, id 216\nInvalid asset item: kind 0, id -1\n"
                   "Invalid asset item: kind 5, id 0\n");
    EXPECT_EQ(file.tell(), 1234u);
    file.set_item(6533, AssetFile::IMAGE_DATA);
    EXPECT_EQ(file.tell(), 0u);  // absent
}

TEST_F(AssetFileTest, a_missing_file_leaves_every_entry_zero_and_loads_once)
{
    AssetFile file;
    std::string out = console_output_of([&] { file.open(); });
    EXPECT_NE(out.find("Could not open file: /vol/content/Quorvella - Rored Azezara/Assets.dat\n"),
              std::string::npos);
    const uint64_t before = fs_call_counts().reads;
    file.set_item(5, AssetFile::SOUND_DATA);
    EXPECT_TRUE(AssetFile::tables_loaded());
    EXPECT_FALSE(file.is_open());
    EXPECT_EQ(AssetFile::item_offset(5, AssetFile::SOUND_DATA), 0u);
    // Content appears later: the tables are not read a second time.
    volumes.put_content("Assets.dat", sample_assets());
    AssetFile later;
    later.open();
    later.set_item(5, AssetFile::SOUND_DATA);
    EXPECT_EQ(later.tell(), 0u);
    EXPECT_EQ(fs_call_counts().reads, before);
}

TEST_F(AssetFileTest, a_file_cut_short_is_one_line_at_its_first_open_naming_it_and_what_is_cut_off)
{
    // Cut inside the tables: the entries past the end are zero.
    std::string bytes = sample_assets().substr(0, 39204 + 6 * 4 + 2);
    volumes.put_content("Assets.dat", bytes);
    AssetFile file;
    const std::string out = host_errors_of([&] { file.open(); });
    EXPECT_EQ(out, volumes.content + "/Assets.dat is cut off at 39230 bytes: its item tables are incomplete\n");
    EXPECT_EQ(console_output_of([&] { file.set_item(5, AssetFile::SOUND_DATA); }), "");
    EXPECT_NE(AssetFile::item_offset(5, AssetFile::SOUND_DATA), 0u);
    EXPECT_EQ(AssetFile::item_offset(6, AssetFile::SOUND_DATA), 0u);
    EXPECT_EQ(AssetFile::item_offset(0, AssetFile::FONT_DATA), 0u);
}

TEST_F(AssetFileTest, items_past_the_end_of_a_cut_file_are_counted_in_one_line)
{
    // Three items: the body of sound 0 first, then sound 5's, then the font's.
    const std::string whole = sample_assets();
    volumes.put_content("Assets.dat", whole);
    AssetFile file;
    EXPECT_EQ(host_errors_of([&] { file.open(); }), "");  // whole: nothing to say
    file.close();

    // Cut inside the first body: the other two start past the end.
    AssetFile::forget_tables();
    volumes.put_content("Assets.dat", whole.substr(0, AssetFile::items_start + 3));
    EXPECT_EQ(host_errors_of([&] { file.open(); }),
              volumes.content + "/Assets.dat is cut off at 40275 bytes: 2 of its 3 items lie past its end\n");
    file.close();
    // Cut right after the tables: an item starting at the end is cut off too.
    AssetFile::forget_tables();
    volumes.put_content("Assets.dat", whole.substr(0, AssetFile::items_start));
    EXPECT_EQ(host_errors_of([&] { file.open(); }),
              volumes.content + "/Assets.dat is cut off at 40272 bytes: 3 of its 3 items lie past its end\n");
    // Said once a run: later opens read nothing again.
    EXPECT_EQ(host_errors_of([&] { AssetFile().open(); }), "");
}
