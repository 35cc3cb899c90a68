#include "tests/support/volumes.h"

#include "console/options.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

TempVolumes::TempVolumes()
{
    std::string pattern = (fs::temp_directory_path() / "quorvella-test-XXXXXX").string();
    root = mkdtemp(pattern.data()) ? pattern : std::string();
    content = root + "/content";
    save = root + "/save";
    fs::create_directories(content);
    fs::create_directories(save);
    console_options().content_dir = content;
    console_options().save_dir = save;
}

TempVolumes::~TempVolumes()
{
    std::error_code ignored;
    fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(root, ignored);
}

void TempVolumes::put_content(const std::string& relative, const std::string& bytes) const
{
    const fs::path path = fs::path(content) / relative;
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

std::string TempVolumes::read_host(const std::string& host_path) const
{
    std::ifstream in(host_path, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

std::string console_output_of(const std::function<void()>& action)
{
    testing::internal::CaptureStdout();
    action();
    fflush(stdout);
    return testing::internal::GetCapturedStdout();
}

std::string host_errors_of(const std::function<void()>& action)
{
    testing::internal::CaptureStderr();
    action();
    fflush(stderr);
    return testing::internal::GetCapturedStderr();
}

void in_fresh_process(const std::function<void()>& body)
{
    // The threadsafe style starts the program again instead of forking it.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            body();
            std::fflush(stdout);
            _exit(testing::Test::HasFailure() ? 1 : 0);
        },
        testing::ExitedWithCode(0), "");
}
