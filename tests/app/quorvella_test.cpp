// Runs the game executable as a person would, headless.
#include "tests/support/volumes.h"

#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace {

struct RunResult {
    int status;
    std::string output;
};

RunResult run(const std::string& arguments, const std::string& launcher = "")
{
    const std::string command = launcher + std::string(QUORVELLA_BINARY) + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    RunResult result{-1, {}};
    if (!pipe)
        return result;
    std::array<char, 4096> buffer;
    size_t got;
    while ((got = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.output.append(buffer.data(), got);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string volume_arguments(const TempVolumes& volumes)
{
    return "--headless --content '" + volumes.content + "' --save '" + volumes.save + "'";
}

}  // namespace

TEST(Quorvella, starts_reads_the_asset_tables_enters_frame_zero_and_ends_after_the_ticks)
{
    TempVolumes volumes;
    const std::string make = std::string(QUORVELLA_ASSETS_BINARY) + " '" + volumes.content + "/Assets.dat'";
    ASSERT_EQ(system(make.c_str()), 0);
    const RunResult result = run(volume_arguments(volumes) + " --ticks 3");
    EXPECT_EQ(result.status, 0) << result.output;
    const size_t client = result.output.find("Creating new FS client: 0\n");
    const size_t frame = result.output.find("Setting frame: 0\nFrame set\n");
    const size_t saved = result.output.find("Save callback\n");
    EXPECT_NE(client, std::string::npos) << result.output;
    EXPECT_NE(frame, std::string::npos) << result.output;
    EXPECT_NE(saved, std::string::npos) << result.output;
    EXPECT_LT(client, frame);
    EXPECT_LT(frame, saved);
    // The empty frame is entered once: no frame change follows.
    EXPECT_EQ(result.output.find("Setting frame", frame + 1), std::string::npos);
    EXPECT_EQ(result.output.find("Assets.dat"), std::string::npos) << result.output;
}

TEST(Quorvella, a_missing_asset_file_is_reported_and_the_run_still_ends_cleanly)
{
    TempVolumes volumes;
    const RunResult result = run(volume_arguments(volumes) + " --ticks 0");
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.output.find("Could not open file: /vol/content/Quorvella - Rored Azezara/Assets.dat\n"),
              std::string::npos)
        << result.output;
}

TEST(Quorvella, bad_options_are_refused)
{
    EXPECT_EQ(run("--bogus").status, 2);
    EXPECT_EQ(run("--ticks many").status, 2);
    EXPECT_EQ(run("--content").status, 2);
}

TEST(Quorvella, a_termination_signal_ends_the_run_cleanly)
{
    TempVolumes volumes;
    const RunResult result = run(volume_arguments(volumes), "timeout --preserve-status -s TERM 1 ");
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_NE(result.output.find("Save callback\n"), std::string::npos) << result.output;
}
