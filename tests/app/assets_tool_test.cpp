// The asset writer's command line: help, and options it does not know.
#include "tests/support/volumes.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

struct ToolRun {
    int status;
    std::string output;
};

// Runs the tool inside `folder`, so that a file it writes by mistake lands there.
ToolRun run_tool(const std::string& folder, const std::string& arguments)
{
    const std::string command =
        "cd '" + folder + "' && " + std::string(QUORVELLA_ASSETS_BINARY) + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ToolRun result{-1, {}};
    if (!pipe)
        return result;
    std::array<char, 1024> buffer;
    size_t got;
    while ((got = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.output.append(buffer.data(), got);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

size_t files_in(const std::string& folder)
{
    return size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

}  // namespace

TEST(AssetsTool, help_prints_the_usage_and_writes_nothing_and_unknown_options_fail)
{
    TempVolumes volumes;
    const std::string& folder = volumes.save;
    for (const char* help : {"--help", "-h", "out.dat --help"}) {
        const ToolRun run = run_tool(folder, help);
        EXPECT_EQ(run.status, 0) << help;
        EXPECT_EQ(run.output.rfind("usage: quorvella-assets OUT", 0), 0u) << help << ": " << run.output;
    }
    for (const char* wrong : {"--bogus", "out.dat --bogus", "", "--demo"}) {
        const ToolRun run = run_tool(folder, wrong);
        EXPECT_EQ(run.status, 2) << wrong;
        EXPECT_EQ(run.output.rfind("usage: quorvella-assets OUT", 0), 0u) << wrong << ": " << run.output;
    }
    EXPECT_EQ(files_in(folder), 0u);
    // A plain output file is still written.
    EXPECT_EQ(run_tool(folder, "out.dat").status, 0);
    EXPECT_TRUE(fs::exists(folder + "/out.dat"));
}
