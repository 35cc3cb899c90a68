// A process killed while it saves an array leaves the old file or the new
// one in place, never a part of either.
#include "objects/arrayext.h"

#include "tests/support/volumes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// About a megabyte of text cells, so that a save takes a while.
void fill_text(ArrayObject& array, char letter)
{
    array.initialize(false, 0, 64, 64, 1);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            array.set_string(std::string(256, letter), x, y, 0);
}

void remove_temporaries(const std::string& host_target)
{
    fs::remove(host_target + ".tmp");
    fs::remove(host_target + ".tmp.part");
}

}  // namespace

TEST(ArraySave, AProcessKilledMidSaveLeavesTheOldOrTheNewFile)
{
    TempVolumes volumes;
    const std::string path = "/vol/save/common/records.dat";
    const std::string host = volumes.save + "/common/records.dat";
    ArrayObject first(0, 0, 26), second(0, 0, 26);
    fill_text(first, 'a');
    fill_text(second, 'b');
    second.save(path);
    const std::string new_bytes = volumes.read_host(host);
    first.save(path);
    const std::string old_bytes = volumes.read_host(host);
    ASSERT_GT(old_bytes.size(), 1000000u);
    ASSERT_EQ(old_bytes.size(), new_bytes.size());

    int interrupted = 0;
    for (int round = 0; round < 8; ++round) {
        remove_temporaries(host);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;) {
                second.save(path);
                first.save(path);
            }
        }
        // Kill the saver as soon as a save is under way.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!fs::exists(host + ".tmp.part") && !fs::exists(host + ".tmp") &&
               std::chrono::steady_clock::now() < deadline) {
        }
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        if (fs::exists(host + ".tmp.part") || fs::exists(host + ".tmp"))
            ++interrupted;
        const std::string bytes = volumes.read_host(host);
        EXPECT_TRUE(bytes == old_bytes || bytes == new_bytes) << "round " << round << ": " << bytes.size();
    }
    // At least some kills landed inside a save.
    EXPECT_GT(interrupted, 0);
}
