#include "console/fs.h"
#include "console/options.h"
#include "console/procui.h"
#include "tests/support/volumes.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
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

TEST(ConsoleFs, a_write_that_fails_on_a_full_disk_never_replaces_the_old_file)
{
    TempVolumes volumes;
    Client c;
    FSFileHandle handle = 0;
    const char* path = "/vol/save/records.dat";
    const std::string host = volumes.save + "/records.dat";
    const std::string good = "good records, 32 bytes long ....";
    ASSERT_EQ(FSOpenFile(&c.client, &c.block, path, "w", &handle, 8), FS_STATUS_OK);
    ASSERT_EQ(FSWriteFileWithPos(&c.client, &c.block, good.data(), 1, 32, 0, handle, 0, 0), 32);
    ASSERT_EQ(FSCloseFile(&c.client, &c.block, handle, 0), FS_STATUS_OK);

    // No room at all (a 0-byte file took its place before), then a little
    // (a truncated one did).
    for (const int64_t room : {0, 10}) {
        fs_limit_free_space(room);
        std::string output = console_output_of([&] {
            ASSERT_EQ(FSOpenFile(&c.client, &c.block, path, "w", &handle, 8), FS_STATUS_OK);
            EXPECT_EQ(FSWriteFileWithPos(&c.client, &c.block, "new records", 1, 11, 0, handle, 0, 0),
                      FS_STATUS_STORAGE_FULL);
            // Later writes fail too, even into what room is left.
            EXPECT_EQ(FSWriteFileWithPos(&c.client, &c.block, "x", 1, 1, 0, handle, 0, 0),
                      FS_STATUS_STORAGE_FULL);
            EXPECT_EQ(FSCloseFile(&c.client, &c.block, handle, 0), FS_STATUS_STORAGE_FULL);
        });
        fs_limit_free_space(-1);
        // The status says why; the caller's own line says so, once.
        EXPECT_EQ(output, "") << room;
        EXPECT_EQ(FSGetLastError(&c.client), FS_STATUS_STORAGE_FULL);
        EXPECT_EQ(volumes.read_host(host), good) << room;
        EXPECT_FALSE(std::filesystem::exists(host + ".part")) << room;
    }
}

TEST(ConsoleFs, a_stale_part_file_is_replaced_never_written_through)
{
    TempVolumes volumes;
    Client c;
    FSFileHandle handle = 0;
    const std::string host = volumes.save + "/records.dat";
    // A killed run's partial file, and one that is a link to a file elsewhere.
    const std::string elsewhere = volumes.root + "/elsewhere.txt";
    {
        std::ofstream(elsewhere) << "not ours";
        std::ofstream(host + ".part") << "a much longer partial file from a killed run";
    }
    ASSERT_EQ(FSOpenFile(&c.client, &c.block, "/vol/save/records.dat", "w", &handle, 8), FS_STATUS_OK);
    ASSERT_EQ(FSWriteFileWithPos(&c.client, &c.block, "fresh", 1, 5, 0, handle, 0, 0), 5);
    ASSERT_EQ(FSCloseFile(&c.client, &c.block, handle, 0), FS_STATUS_OK);
    EXPECT_EQ(volumes.read_host(host), "fresh");

    std::filesystem::create_symlink(elsewhere, host + ".part");
    ASSERT_EQ(FSOpenFile(&c.client, &c.block, "/vol/save/records.dat", "w", &handle, 8), FS_STATUS_OK);
    ASSERT_EQ(FSWriteFileWithPos(&c.client, &c.block, "second", 1, 6, 0, handle, 0, 0), 6);
    ASSERT_EQ(FSCloseFile(&c.client, &c.block, handle, 0), FS_STATUS_OK);
    EXPECT_EQ(volumes.read_host(host), "second");
    EXPECT_EQ(volumes.read_host(elsewhere), "not ours");
    EXPECT_FALSE(std::filesystem::is_symlink(host));
}

TEST(ConsoleFs, the_content_folder_is_checked_at_start_up_with_one_line_naming_it)
{
    TempVolumes volumes;
    const auto refusal = [] {
        bool ok = true;
        const std::string out = host_errors_of([&] { ok = fs_check_content(); });
        EXPECT_FALSE(ok);
        return out;
    };
    EXPECT_EQ(refusal(), "Could not read " + volumes.content +
                             "/Assets.dat: No such file or directory (the content folder must "
                             "hold the game's Assets.dat)\n");
    volumes.put_content("Assets.dat/inside", "a folder, not a file");
    EXPECT_EQ(refusal(), "Could not read " + volumes.content +
                             "/Assets.dat: Is a directory (the content folder must hold the "
                             "game's Assets.dat)\n");
    console_options().content_dir = volumes.content + "/Assets.dat/inside";
    EXPECT_EQ(refusal(), "The content folder " + volumes.content +
                             "/Assets.dat/inside is not a folder (give it with --content DIR)\n");
    console_options().content_dir = volumes.root + "/missing";
    EXPECT_EQ(refusal(), "Could not open the content folder " + volumes.root +
                             "/missing: No such file or directory (give it with --content DIR)\n");

    console_options().content_dir = volumes.content + "/ok";
    volumes.put_content("ok/Assets.dat", "");
    EXPECT_EQ(host_errors_of([] { EXPECT_TRUE(fs_check_content()); }), "");
}

TEST(ConsoleFs, failed_writes_keep_the_hosts_reason_for_the_saves_line)
{
    TempVolumes volumes;
    volumes.put_content("../save/file", "a file where a folder belongs");
    Client c;
    FSFileHandle handle = 0;
    EXPECT_EQ(FSOpenFile(&c.client, &c.block, "/vol/save/file/records.dat", "w", &handle, 8),
              FS_STATUS_NOT_FOUND);
    EXPECT_EQ(c.client.host_error, ENOTDIR);
    EXPECT_EQ(FSOpenFile(&c.client, &c.block, "/vol/content/Quorvella - Rored Azezara/x", "w",
                         &handle, 8),
              FS_STATUS_ACCESS_ERROR);
    EXPECT_EQ(c.client.host_error, EROFS);
    EXPECT_EQ(FSRename(&c.client, &c.block, "/vol/save/a", "/vol/save/b", 8), FS_STATUS_NOT_FOUND);
    EXPECT_EQ(c.client.host_error, ENOENT);

    ASSERT_EQ(FSOpenFile(&c.client, &c.block, "/vol/save/records.dat", "w", &handle, 8), FS_STATUS_OK);
    fs_limit_free_space(0);
    EXPECT_EQ(FSWriteFileWithPos(&c.client, &c.block, "x", 1, 1, 0, handle, 0, 0), FS_STATUS_STORAGE_FULL);
    fs_limit_free_space(-1);
    EXPECT_EQ(c.client.host_error, ENOSPC);
    c.client.host_error = 0;
    EXPECT_EQ(FSCloseFile(&c.client, &c.block, handle, 0), FS_STATUS_STORAGE_FULL);
    EXPECT_EQ(c.client.host_error, ENOSPC);
}

TEST(ConsoleFs, a_failed_save_is_one_host_line_per_file_and_reason_and_fails_the_exit_status_only)
{
    TempVolumes volumes;
    fs_forget_reported_saves();
    procui_reset_exit();
    const auto said = [](const std::string& path, int error) {
        std::string errors;
        const std::string output =
            console_output_of([&] { errors = host_errors_of([&] { fs_report_failed_save(path, error); }); });
        EXPECT_EQ(output, "");
        return errors;
    };
    const std::string records = volumes.save + "/common/records.dat";
    EXPECT_EQ(said("/vol/save/common/records.dat", ENOTDIR),
              "Could not save " + records + ": Not a directory\n");
    EXPECT_EQ(procui_exit_status(), 1);
    EXPECT_FALSE(procui_exit_requested());  // the game plays on
    // The same file for the same reason again, as a long run saves every
    // few minutes: said once.
    EXPECT_EQ(said("/vol/save/common/records.dat", ENOTDIR), "");
    EXPECT_EQ(said("/vol/save/common/records.dat", ENOSPC),
              "Could not save " + records + ": No space left on device\n");
    EXPECT_EQ(said("/vol/save/other.dat", ENOTDIR),
              "Could not save " + volumes.save + "/other.dat: Not a directory\n");
    // A path that reaches no host folder is named as the game gave it; control bytes escaped.
    EXPECT_EQ(said("/elsewhere/\x1b[2J", ENOENT),
              "Could not save /elsewhere/\\x1b[2J: No such file or directory\n");

    fs_forget_reported_saves();
    EXPECT_EQ(said("/vol/save/common/records.dat", ENOTDIR),
              "Could not save " + records + ": Not a directory\n");
    fs_forget_reported_saves();
    procui_reset_exit();
}
