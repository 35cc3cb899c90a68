// The game in a real window on an X server of the test's own: a run that the
// window's close button ends, and runs whose display goes away mid-run (the
// server ends, or is killed as when a remote session drops).
#include "tests/app/virtual_display.h"
#include "tests/support/volumes.h"

#include <gtest/gtest.h>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

#include <chrono>
#include <cstdint>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

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
struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
    const uint8_t* at(int x, int y) const { return &rgba[(size_t(y) * size_t(width) + size_t(x)) * 4]; }
};

Picture load_png(const std::string& path)
{
    Picture picture;
    int channels = 0;
    stbi_uc* pixels = stbi_load(path.c_str(), &picture.width, &picture.height, &channels, 4);
    if (pixels)
        picture.rgba.assign(pixels, pixels + size_t(picture.width) * size_t(picture.height) * 4);
    stbi_image_free(pixels);
    return picture;
}

bool alike(const uint8_t* a, const uint8_t* b)
{
    for (int c = 0; c < 3; ++c)
        if (std::abs(int(a[c]) - int(b[c])) > 8)
            return false;
    return true;
}

// Of the window's rows [top, bottom), the share of pixels that show what a
// capture twice the window's size shows at the same place.
double share_as_captured(const Picture& window, const Picture& capture, int top, int bottom)
{
    size_t same = 0, all = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < window.width; ++x, ++all)
            same += alike(window.at(x, y), capture.at(2 * x + 1, 2 * y + 1));
    return all ? double(same) / double(all) : 0.0;
}

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

TEST(WindowRun, a_window_of_the_tv_pictures_shape_shows_the_whole_picture_as_a_capture_does)
{
    TempVolumes volumes;
    VirtualDisplay display;
    ASSERT_FALSE(display.name().empty()) << "Xvfb could not start (scripts/setup.sh installs it)";
    const std::string shots = volumes.root + "/shots";
    Child game("env SDL_VIDEODRIVER=x11 DISPLAY=" + display.name() + " " + QUORVELLA_BINARY +
                   " --content '" + QUORVELLA_STAND_IN_CONTENT + "' --save '" + volumes.save +
                   "' --capture '" + shots + "' --capture-every 60",
               volumes.root + "/output");
    ASSERT_TRUE(display.wait_for_window(window_title, 60.0)) << game.output();
    // The stand-in intro's ground (the lower quarter) stands still from
    // picture 660 to 840; the pictures between the captured ones are shown
    // from the logical picture.
    const std::string first = shots + "/tv_000660.png";
    for (int i = 0; i < 1800 && !std::filesystem::exists(first); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    int width = 0, height = 0;
    const std::vector<uint8_t> shown = display.window_pixels(window_title, width, height);
    ASSERT_TRUE(display.close_window(window_title));
    EXPECT_EQ(game.wait(60.0), 0) << game.output();
    ASSERT_EQ(width * 10000 + height, 960 * 10000 + 540);
    const Picture window{width, height, shown};
    const Picture capture = load_png(first);
    ASSERT_EQ(capture.width * 10000 + capture.height, 1920 * 10000 + 1080);
    const int ground_top = 425, ground_bottom = 520;
    // Scaled evenly (2.25 both ways, a column short each side) it is 0.98.
    EXPECT_GT(share_as_captured(window, capture, ground_top, ground_bottom), 0.99);
    // The picture reaches both sides of the window.
    for (const int x : {0, width - 1}) {
        int unlike = 0;
        for (int y = ground_top; y < ground_bottom; ++y)
            unlike += !alike(window.at(x, y), capture.at(2 * x + 1, 2 * y + 1));
        EXPECT_EQ(unlike, 0) << "column " << x;
    }
}
