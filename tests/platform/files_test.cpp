#include "platform/files.h"
#include "tests/support/volumes.h"

#include <gtest/gtest.h>
#include <unistd.h>

TEST(Paths, dot_slash_paths_are_rooted_in_the_content_folder_and_extensions_lowered)
{
    const std::string game = "/vol/content/Quorvella - Rored Azezara/";
    EXPECT_EQ(convert_path("./Assets.dat"), game + "Assets.dat");
    EXPECT_EQ(convert_path(".\\Data\\BGM\\m_title.ogg"), game + "Data/BGM/m_title.ogg");
    for (const char* kept : {"/vol/save/common/records.dat", "../x/./y", "."})
        EXPECT_EQ(convert_path(kept), kept);
    EXPECT_EQ(convert_path("a\\./b"), "a/./b");
    EXPECT_EQ(convert_path(convert_path("./a\\b")), convert_path("./a\\b"));

    EXPECT_EQ(get_path_ext(".\\Data\\BGM\\m_title.ogg"), "ogg");
    EXPECT_EQ(get_path_ext("SOUND.WaV"), "wav");
    EXPECT_EQ(get_path_ext("noext"), "");
    EXPECT_EQ(get_path_ext("/vol/some.dir/file"), "dir/file");
}

// The lines come with each slot's first use in the process.
TEST(Clients, slots_are_created_once_with_a_line_and_the_index_returns_to_zero)
{
    in_fresh_process([] {
        TempVolumes volumes;
        volumes.put_content("a.txt", "hello");
        std::string out = console_output_of([] {
            set_fs_index(1);
            BaseFile first("./a.txt", "r");
            BaseFile second("./a.txt", "r");
            EXPECT_EQ(first.data->client, get_fs_data(1));
            EXPECT_EQ(second.data->client, get_fs_data(0));
        });
        EXPECT_NE(out.find("Creating new FS client: 1\n"), std::string::npos);
        EXPECT_NE(out.find("Creating new FS client: 0\n"), std::string::npos);

        out = console_output_of([] {
            BaseFile written("/vol/save/x.dat", "w");
            EXPECT_EQ(written.data->client, get_fs_data(2));
            EXPECT_EQ(BaseFile("./a.txt", "r").data->client, get_fs_data(0));  // index back at 0
        });
        EXPECT_EQ(out, "Creating new FS client: 2\n");
    });
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
    EXPECT_EQ(file.read(&byte, 1) + file.write(&byte, 1) + file.tell() + file.get_size(), 0u);
    EXPECT_FALSE(file.seek(0, 0));
    EXPECT_TRUE(file.at_end());
}

TEST(Files, seeks_and_reads_are_limited_to_the_size)
{
    TempVolumes volumes;
    volumes.put_content("ten.txt", "0123456789");
    BaseFile file("./ten.txt", "r");
    // (offset, whence) -> position; 20 from the end wraps below zero, then is held at the size.
    const struct {
        int offset, whence;
        unsigned position;
    } seeks[] = {{0, 2, 10}, {500, 0, 10}, {3, 2, 7}, {20, 2, 10}, {4, 0, 4}, {2, 1, 6}};
    for (const auto& s : seeks) {
        EXPECT_TRUE(file.seek(s.offset, s.whence));
        EXPECT_EQ(file.tell(), s.position) << s.offset << ", " << s.whence;
    }
    char buffer[10] = {};
    EXPECT_EQ(file.read(buffer, 10), 4u);
    EXPECT_EQ(std::string(buffer, 4), "6789");
    EXPECT_EQ(file.read(buffer, 10), 0u);
    EXPECT_TRUE(file.at_end());
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
    ASSERT_TRUE(small.is_open());
    uint64_t before = fs_call_counts().reads;
    char pair[2];
    for (int i = 0; i < 50; ++i)
        ASSERT_EQ(small.read(pair, 2), 2u);
    EXPECT_EQ(fs_call_counts().reads - before, 1u);
    EXPECT_EQ(small.data->window_length, 100u);

    BaseFile large("./big.dat", "r");
    ASSERT_TRUE(large.is_open());
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
