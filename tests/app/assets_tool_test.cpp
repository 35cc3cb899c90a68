// The asset writer's command line: help, and options it does not know.
#include "tests/app/command.h"
#include "tests/support/volumes.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

using ToolRun = CommandResult;

// Runs the tool inside `folder`, so that a file it writes by mistake lands there.
ToolRun run_tool(const std::string& folder, const std::string& arguments)
{
    return run_command("cd '" + folder + "' && " + std::string(QUORVELLA_ASSETS_BINARY) + " " + arguments +
                       " 2>&1");
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
