#include "console/fs.h"
#include "tests/support/volumes.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

struct Client {
    Client()
    {
        FSAddClient(&client, FS_ERROR_FLAG_NONE);
        FSInitCmdBlock(&block);
    }
    FSClient client{};
    FSCmdBlock block{};
};

}  // namespace

TEST(ConsoleFs, host_paths_stay_inside_the_two_volumes)
{
    TempVolumes volumes;
    EXPECT_EQ(fs_host_path("/vol/content/Quorvella - Rored Azezara/Data/a b.ogg"),
              volumes.content + "/Data/a b.ogg");
    EXPECT_EQ(fs_host_path("/vol/save/common/records.dat"), volumes.save + "/common/records.dat");
    EXPECT_EQ(fs_host_path("/vol/save"), volumes.save);
    EXPECT_EQ(fs_host_path("/vol/content/Other Game/x"), "");
    EXPECT_EQ(fs_host_path("/etc/passwd"), "");
    EXPECT_EQ(fs_host_path("relative/file"), "");
    EXPECT_EQ(fs_host_path("/vol/save/../../etc/passwd"), "");
    EXPECT_EQ(fs_host_path("/vol/save/a/../b"), "");
    EXPECT_EQ(fs_host_path("/vol/save/a..b"), volumes.save + "/a..b");
}

TEST(ConsoleFs, writes_replace_the_old_file_only_when_closed)
{
    TempVolumes volumes;
    Client c;
    FSFileHandle handle = 0;
    const char* path = "/vol/save/new/folder/records.dat";
    ASSERT_EQ(FSOpenFile(&c.client, &c.block, path, "w", &handle, 8), FS_STATUS_OK);
    EXPECT_EQ(FSWriteFileWithPos(&c.client, &c.block, "first", 1, 5, 0, handle, 0, 0), 5);
    ASSERT_EQ(FSCloseFile(&c.client, &c.block, handle, 0), FS_STATUS_OK);
    const std::string host = volumes.save + "/new/folder/records.dat";
    EXPECT_EQ(volumes.read_host(host), "first");

    ASSERT_EQ(FSOpenFile(&c.client, &c.block, path, "w", &handle, 8), FS_STATUS_OK);
    EXPECT_EQ(FSWriteFileWithPos(&c.client, &c.block, "second!", 1, 7, 0, handle, 0, 0), 7);
    EXPECT_EQ(volumes.read_host(host), "first");  // still the last good file
    ASSERT_EQ(FSCloseFile(&c.client, &c.block, handle, 0), FS_STATUS_OK);
    EXPECT_EQ(volumes.read_host(host), "second!");
    EXPECT_FALSE(std::filesystem::exists(host + ".part"));
}

TEST(ConsoleFs, failures_come_back_as_statuses)
{
    TempVolumes volumes;
    volumes.put_content("Assets.dat", "abc");
    Client c;
    FSFileHandle handle = 0;
    EXPECT_EQ(FSOpenFile(&c.client, &c.block, "/vol/content/Quorvella - Rored Azezara/missing",
                         "r", &handle, 8),
              FS_STATUS_NOT_FOUND);
    EXPECT_EQ(FSGetLastError(&c.client), FS_STATUS_NOT_FOUND);
    // The content volume is read-only.
    EXPECT_EQ(FSOpenFile(&c.client, &c.block, "/vol/content/Quorvella - Rored Azezara/Assets.dat",
                         "w", &handle, 8),
              FS_STATUS_ACCESS_ERROR);
    EXPECT_EQ(FSOpenFile(&c.client, &c.block, "/vol/save", "r", &handle, 8), FS_STATUS_NOT_FILE);
    EXPECT_EQ(FSReadFileWithPos(&c.client, &c.block, &handle, 1, 1, 0, 12345, 0, 0),
              FS_STATUS_INVALID);

    FSStat stat{};
    ASSERT_EQ(FSGetStat(&c.client, &c.block, "/vol/content/Quorvella - Rored Azezara/Assets.dat",
                        &stat, 8),
              FS_STATUS_OK);
    EXPECT_EQ(stat.size, 3u);
    EXPECT_EQ(FSGetStat(&c.client, &c.block, "/vol/content/Quorvella - Rored Azezara/nope", &stat, 8),
              FS_STATUS_NOT_FOUND);
}

TEST(ConsoleFs, reads_stop_at_the_end_of_the_file)
{
    TempVolumes volumes;
    volumes.put_content("data.txt", "0123456789");
    Client c;
    FSFileHandle handle = 0;
    ASSERT_EQ(FSOpenFile(&c.client, &c.block, "/vol/content/Quorvella - Rored Azezara/data.txt",
                         "r", &handle, 8),
              FS_STATUS_OK);
    char buffer[16] = {};
    EXPECT_EQ(FSReadFileWithPos(&c.client, &c.block, buffer, 1, 16, 6, handle, 0, 0), 4);
    EXPECT_EQ(std::string(buffer, 4), "6789");
    EXPECT_EQ(FSReadFileWithPos(&c.client, &c.block, buffer, 4, 2, 0, handle, 0, 0), 2);
    EXPECT_EQ(FSReadFileWithPos(&c.client, &c.block, buffer, 1, 4, 50, handle, 0, 0), 0);
    EXPECT_EQ(FSCloseFile(&c.client, &c.block, handle, 0), FS_STATUS_OK);
    EXPECT_EQ(FSCloseFile(&c.client, &c.block, handle, 0), FS_STATUS_INVALID);
}
