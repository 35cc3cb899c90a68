// The game in a real window on an X server of the test's own: a run that the
// window's close button ends, and runs whose display goes away mid-run (the
// server ends, or is killed as when a remote session drops).
#include "tests/app/scripted_run.h"
#include "tests/app/virtual_display.h"
#include "tests/support/volumes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

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

bool alike(const uint8_t* a, const uint8_t* b)
{
    for (int c = 0; c < 3; ++c)
        if (std::abs(int(a[c]) - int(b[c])) > 8)
            return false;
    return true;
}

// Of the window's columns [left, right), the pixels that show none of the
// four pixels under them in a capture twice the window's size.
int unlike_captured(const Picture& window, const Picture& capture, int left, int right)
{
    int unlike = 0;
    for (int y = 0; y < window.height; ++y)
        for (int x = left; x < right; ++x) {
            bool any = false;
            for (int corner = 0; corner < 4; ++corner)
                any = any || alike(window.at(x, y), capture.at(2 * x + corner % 2, 2 * y + corner / 2));
            unlike += !any;
        }
    return unlike;
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

namespace {

// The menus as a quick player goes through them (presses that fall on
// frames that ignore them do nothing), then the pause menu: from then on
// every picture is the same until the run ends. A windowed run's game time
// is the wall time, so which press starts the game varies, and with it the
// tick act 1 begins (820 to 970 seen; the last press's is about 1100): the
// pause comes well after.
std::string pause_in_act_one_script()
{
    std::string script;
    for (int tick = 505; tick <= 905; tick += 40)
        script += std::to_string(tick) + " gamepad A\n" + std::to_string(tick + 1) + " gamepad -\n";
    return script + "1300 gamepad PLUS\n1301 gamepad -\n";
}

// Waits for two captures in a row, `every` pictures apart from `first` on,
// that are the same bytes; the path of the later one, or "" past the guard.
// The captures are written in order, so one is whole once the next exists.
std::string still_capture(const std::string& shots, uint64_t first, uint64_t every)
{
    auto path = [&](uint64_t picture) {
        char name[32];
        std::snprintf(name, sizeof name, "/tv_%06llu.png", static_cast<unsigned long long>(picture));
        return shots + name;
    };
    uint64_t picture = first;
    std::string still;
    wait_until(
        [&] {
            if (!std::filesystem::exists(path(picture + 2 * every)))
                return false;
            if (read_file(path(picture)) == read_file(path(picture + every))) {
                still = path(picture + every);
                return true;
            }
            picture += every;
            return false;
        },
        300.0);
    return still;
}

}  // namespace

TEST(WindowRun, a_window_of_the_tv_pictures_shape_shows_the_whole_picture_as_a_capture_does)
{
    TempVolumes volumes;
    VirtualDisplay display;
    ASSERT_FALSE(display.name().empty()) << "Xvfb could not start (scripts/setup.sh installs it)";
    const std::string script = volumes.root + "/input.txt";
    std::ofstream(script) << pause_in_act_one_script();
    const std::string shots = volumes.root + "/shots";
    Child game("env SDL_VIDEODRIVER=x11 DISPLAY=" + display.name() + " " + QUORVELLA_BINARY +
                   " --content '" + QUORVELLA_STAND_IN_CONTENT + "' --save '" + volumes.save +
                   "' --input '" + script + "' --capture '" + shots + "' --capture-every 60",
               volumes.root + "/output");
    ASSERT_TRUE(display.wait_for_window(window_title, 60.0)) << game.output();
    // Picture 1800 is tick 1321's (the boot image's 480 come first). Every
    // picture but the captured ones is shown from the logical picture; two
    // screenshots half a second apart, so that a captured one cannot hide
    // how the others show.
    const std::string captured = still_capture(shots, 1800, 60);
    std::vector<Picture> shown(2);
    for (Picture& picture : shown) {
        picture.rgba = display.window_pixels(window_title, picture.width, picture.height);
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    ASSERT_TRUE(display.close_window(window_title));
    EXPECT_EQ(game.wait(60.0), 0) << game.output();
    ASSERT_FALSE(captured.empty()) << "the pause menu never stood still\n" << game.output();
    const Picture capture = load_picture(captured);
    ASSERT_EQ(capture.width * 10000 + capture.height, 1920 * 10000 + 1080);
    for (const Picture& window : shown) {
        ASSERT_EQ(window.width * 10000 + window.height, 960 * 10000 + 540);
        // Scaled evenly (2.25 both ways, a column short each side) some 4,600
        // pixels differ.
        EXPECT_EQ(unlike_captured(window, capture, 0, window.width), 0);
        // The picture reaches both sides of the window.
        for (const int x : {0, window.width - 1})
            EXPECT_EQ(unlike_captured(window, capture, x, x + 1), 0) << "column " << x;
    }
}
