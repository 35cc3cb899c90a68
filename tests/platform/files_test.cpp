#include "platform/files.h"
#include "tests/support/volumes.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

TEST(Paths, conversion_roots_dot_slash_paths_in_the_content_folder)
{
    EXPECT_EQ(convert_path("./Assets.dat"), "/vol/content/Quorvella - Rored Azezara/Assets.dat");
    EXPECT_EQ(convert_path(".\\Data\\BGM\\m_title.ogg"),
              "/vol/content/Quorvella - Rored Azezara/Data/BGM/m_title.ogg");
    EXPECT_EQ(convert_path("/vol/save/common/records.dat"), "/vol/save/common/records.dat");
    EXPECT_EQ(convert_path("../x/./y"), "../x/./y");
    EXPECT_EQ(convert_path("a\\./b"), "a/./b");
    EXPECT_EQ(convert_path("."), ".");
    const std::string once = convert_path("./a\\b");
    EXPECT_EQ(convert_path(once), once);
}

TEST(Paths, extension_is_lower_case_text_after_the_last_dot)
{
    EXPECT_EQ(get_path_ext(".\\Data\\BGM\\m_title.ogg"), "ogg");
    EXPECT_EQ(get_path_ext("SOUND.WaV"), "wav");
    EXPECT_EQ(get_path_ext("noext"), "");
    EXPECT_EQ(get_path_ext("/vol/some.dir/file"), "dir/file");
}

TEST(Clients, slots_are_created_once_with_a_line_and_the_index_returns_to_zero)
{
    TempVolumes volumes;
    volumes.put_content("a.txt", "hello");
    std::string out = console_output_of([] {
        set_fs_index(1);
        BaseFile first("./a.txt", "r");
        BaseFile second("./a.txt", "r");
        ASSERT_TRUE(first.is_open());
        ASSERT_TRUE(second.is_open());
        EXPECT_EQ(first.data->client, get_fs_data(1));
        EXPECT_EQ(second.data->client, get_fs_data(0));
    });
    EXPECT_NE(out.find("Creating new FS client: 1\n"), std::string::npos);
    EXPECT_NE(out.find("Creating new FS client: 0\n"), std::string::npos);

    out = console_output_of([] {
        BaseFile written("/vol/save/x.dat", "w");
        ASSERT_TRUE(written.is_open());
        EXPECT_EQ(written.data->client, get_fs_data(2));
        EXPECT_EQ(get_fs_data(), get_fs_data(0));  // index back at 0
        BaseFile again("./a.txt", "r");
        EXPECT_EQ(again.data->client, get_fs_data(0));
    });
    EXPECT_EQ(out, "Creating new FS client: 2\n");
}

TEST(Files, missing_files_report_once_and_stay_closed)
{
    TempVolumes volumes;
    BaseFile file;
    const std::string out = console_output_of([&] { file.open("./nothing here.dat", "r"); });
    EXPECT_NE(out.find("Could not open file: /vol/content/Quorvella - Rored Azezara/nothing here.dat\n"),
              std::string::npos);
    char byte;
    EXPECT_FALSE(file.is_open());
    EXPECT_EQ(file.read(&byte, 1), 0u);
    EXPECT_EQ(file.write(&byte, 1), 0u);
    EXPECT_FALSE(file.seek(0, 0));
    EXPECT_TRUE(file.at_end());
    EXPECT_EQ(file.tell(), 0u);
    EXPECT_EQ(file.get_size(), 0u);
}

TEST(Files, seeks_and_reads_are_limited_to_the_size)
{
    TempVolumes volumes;
    volumes.put_content("ten.txt", "0123456789");
    BaseFile file("./ten.txt", "r");
    ASSERT_TRUE(file.is_open());
    EXPECT_TRUE(file.seek(0, 2));
    EXPECT_EQ(file.tell(), 10u);
    EXPECT_TRUE(file.seek(500, 0));
    EXPECT_EQ(file.tell(), 10u);
    EXPECT_TRUE(file.at_end());
    EXPECT_TRUE(file.seek(3, 2));
    EXPECT_EQ(file.tell(), 7u);
    EXPECT_TRUE(file.seek(20, 2));  // wraps below zero, then held at the size
    EXPECT_EQ(file.tell(), 10u);
    EXPECT_TRUE(file.seek(4, 0));
    EXPECT_TRUE(file.seek(2, 1));
    EXPECT_EQ(file.tell(), 6u);

    char buffer[10] = {};
    EXPECT_EQ(file.read(buffer, 10), 4u);
    EXPECT_EQ(std::string(buffer, 4), "6789");
    EXPECT_EQ(file.read(buffer, 10), 0u);
    EXPECT_TRUE(file.at_end());
    EXPECT_EQ(file.get_size(), 10u);
    EXPECT_EQ(file.tell(), 10u);
}

TEST(Files, the_read_window_keeps_file_system_reads_few)
{
    TempVolumes volumes;
    volumes.put_content("small.dat", std::string(100, 's'));
    std::string big(70000, '\0');
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = char(i * 7);
    volumes.put_content("big.dat", big);
    volumes.put_content("whole.bin", std::string(300, 'b'));

    BaseFile small("./small.dat", "r");
    uint64_t before = fs_call_counts().reads;
    char pair[2];
    for (int i = 0; i < 50; ++i)
        ASSERT_EQ(small.read(pair, 2), 2u);
    EXPECT_EQ(fs_call_counts().reads - before, 1u);
    EXPECT_EQ(small.data->window_length, 100u);

    BaseFile large("./big.dat", "r");
    before = fs_call_counts().reads;
    std::string seen;
    char byte;
    while (large.read(&byte, 1) == 1)
        seen.push_back(byte);
    EXPECT_EQ(seen, big);
    EXPECT_EQ(fs_call_counts().reads - before, 2u);
    EXPECT_EQ(large.data->window_length, 65536u);

    before = fs_call_counts().reads;
    BaseFile whole("./whole.bin", "r");
    EXPECT_EQ(fs_call_counts().reads - before, 1u);  // read at open
    char buffer[300];
    EXPECT_EQ(whole.read(buffer, 300), 300u);
    EXPECT_EQ(fs_call_counts().reads - before, 1u);
}

TEST(Files, writes_go_to_the_save_volume_and_big_ones_use_a_temporary_block)
{
    TempVolumes volumes;
    std::string big(0x800001, 'w');
    big[0x800000] = 'z';
    const std::string out = console_output_of([&] {
        BaseFile file("/vol/save/common/big.dat", "w");
        ASSERT_TRUE(file.is_open());
        EXPECT_EQ(file.write("head", 4), 4u);
        EXPECT_EQ(file.write(big.data(), unsigned(big.size())), unsigned(big.size()));
        EXPECT_EQ(file.tell(), 4u + big.size());
    });
    EXPECT_NE(out.find("Write size too big, creating temporary buffer\n"), std::string::npos);
    EXPECT_EQ(volumes.read_host(volumes.save + "/common/big.dat"), "head" + big);
}

TEST(Files, size_queries_give_zero_on_every_failure)
{
    TempVolumes volumes;
    volumes.put_content("five.txt", "12345");
    EXPECT_EQ(platform_get_file_size("./five.txt"), 5u);
    EXPECT_EQ(platform_get_file_size("./missing.txt"), 0u);
    // A loop of links fails with an error other than not-found.
    ASSERT_EQ(symlink("loop", (volumes.content + "/loop").c_str()), 0);
    EXPECT_EQ(platform_get_file_size("./loop"), 0u);
}

TEST(Files, volume_state_changes_are_logged)
{
    TempVolumes volumes;
    FSClientData* client = get_fs_data(0);
    const std::string out = console_output_of([&] { fs_notify_volume_state(FS_VOLUME_STATE_NO_MEDIA); });
    char expected[128];
    snprintf(expected, sizeof(expected), "Volume state of client 0x%08x changed to 2\nLast error: %d\n",
             unsigned(reinterpret_cast<uintptr_t>(&client->client)), int(FSGetLastError(&client->client)));
    EXPECT_NE(out.find(expected), std::string::npos);
}
