// The game in a real window on an X server of the test's own: a run that the
// window's close button ends, and runs whose display goes away mid-run (the
// server ends, or is killed as when a remote session drops).
#include "tests/app/virtual_display.h"
#include "tests/support/volumes.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

const std::string window_title = "Quorvella - Rored Azezara";
// The first tick's drawing loads the picture shader, after the boot image.
const std::string ticks_running = "Done loading shader\n";

void make_demo(const TempVolumes& volumes)
{
    const std::string make = std::string(QUORVELLA_ASSETS_BINARY) + " --demo '" + volumes.content + "' > /dev/null";
    ASSERT_EQ(system(make.c_str()), 0);
}

// The game on `display`, as a person starts it there.
std::string windowed_game(const VirtualDisplay& display, const TempVolumes& volumes)
{
    return "env SDL_VIDEODRIVER=x11 DISPLAY=" + display.name() + " " + QUORVELLA_BINARY + " --content '" +
           volumes.content + "' --save '" + volumes.save + "'";
}

// A records file of the game's array format (20 x 100 x 1, numbered from 1)
// with some records set, as an earlier run leaves it.
std::string records_file()
{
    std::string bytes("CNC ARRAY\0", 10);
    auto put = [&](uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes += char((value >> (8 * i)) & 0xFF);
    };
    put(2, 2);
    put(0, 2);
    for (const uint32_t value : {20u, 100u, 1u, 5u})
        put(value, 4);
    for (uint32_t cell = 0; cell < 2000; ++cell)
        put(cell % 7 == 0 ? cell : 0, 4);
    return bytes;
}

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

size_t count_of(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

}  // namespace

TEST(WindowRun, the_close_button_ends_a_windowed_run_that_has_been_ticking)
{
    TempVolumes volumes;
    make_demo(volumes);
    VirtualDisplay display;
    ASSERT_FALSE(display.name().empty()) << "Xvfb could not start (scripts/setup.sh installs it)";
    Child game(windowed_game(display, volumes), volumes.root + "/output");
    ASSERT_TRUE(display.wait_for_window(window_title, 60.0)) << game.output();
    ASSERT_TRUE(game.wait_for_output(ticks_running, 90.0)) << game.output();
    ASSERT_TRUE(display.close_window(window_title));
    const int status = game.wait(60.0);
    const std::string output = game.output();
    EXPECT_EQ(status, 0) << output;
    EXPECT_EQ(count_of(output, "Save callback\n"), 1u) << output;
    // The window went with the run; the server is still there.
    EXPECT_FALSE(display.wait_for_window(window_title, 0.0)) << output;
}

TEST(WindowRun, a_display_that_goes_away_mid_run_ends_it_in_one_line_with_the_save_intact)
{
    for (const int ending : {SIGTERM, SIGKILL}) {
        SCOPED_TRACE(ending == SIGTERM ? "the server ends" : "the server is killed");
        TempVolumes volumes;
        make_demo(volumes);
        const std::string records_path = volumes.save + "/common/records.dat";
        std::filesystem::create_directories(volumes.save + "/common");
        std::ofstream(records_path, std::ios::binary) << records_file();
        VirtualDisplay display;
        ASSERT_FALSE(display.name().empty()) << "Xvfb could not start (scripts/setup.sh installs it)";
        Child game(windowed_game(display, volumes), volumes.root + "/output");
        ASSERT_TRUE(display.wait_for_window(window_title, 60.0)) << game.output();
        ASSERT_TRUE(game.wait_for_output(ticks_running, 90.0)) << game.output();
        display.stop(ending);
        const int status = game.wait(60.0);
        const std::string output = game.output();
        EXPECT_EQ(status, 1) << output;
        // One line, then the end a window close brings, and nothing else:
        // neither the X library's words nor a crash at exit.
        const std::string lost = "Lost the connection to display " + display.name() + "; the game ends\n";
        const size_t at = output.find(lost);
        ASSERT_NE(at, std::string::npos) << output;
        EXPECT_EQ(output.substr(at), lost + "Save callback\n") << output;
        EXPECT_EQ(output.find("records.dat"), std::string::npos) << output;
        // The records the run read are still there, whole, and nothing was
        // left half-written beside them.
        EXPECT_EQ(read_file(records_path), records_file());
        size_t files = 0;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(volumes.save))
            files += entry.is_regular_file();
        EXPECT_EQ(files, 1u);
    }
}
