// A scripted run through the menus into act 1, as a person plays it: its
// captured TV pictures, shrunk to 96 x 54, are compared with checked-in
// references. QUORVELLA_WRITE_REFERENCES=1 writes the references instead.
#include "tests/app/command.h"
#include "tests/support/volumes.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr int small_width = 96;
constexpr int small_height = 54;

// Through the intro, the title and How To Play with A every 40 ticks, then
// right across the act, jumping every 70 ticks over the boxes in the way.
std::string script()
{
    std::string text;
    for (int tick = 505; tick <= 905; tick += 40)
        text += std::to_string(tick) + " gamepad A\n" + std::to_string(tick + 1) + " gamepad -\n";
    text += "1000 gamepad RIGHT\n";
    for (int tick = 1400; tick < 2400; tick += 70)
        text += std::to_string(tick) + " gamepad RIGHT A\n" + std::to_string(tick + 25) + " gamepad RIGHT\n";
    return text;
}

// The pictures compared, by number (the boot image's 480 come first, then
// tick 1's): the opening card, the start, and the view following the player.
const std::vector<int> pictures = {1360, 1440, 1780, 1900, 2000, 2200};
constexpr int last_tick = 2200 - 479;

std::string reference_path(int picture)
{
    return std::string(QUORVELLA_TEST_DATA) + "/act1_picture_" + std::to_string(picture) + ".png";
}

// The picture averaged over blocks of 20 x 20 pixels, RGB.
std::vector<uint8_t> shrunk(const std::string& path)
{
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels = stbi_load(path.c_str(), &width, &height, &channels, 3);
    std::vector<uint8_t> out;
    if (!pixels)
        return out;
    if (width == small_width * 20 && height == small_height * 20) {
        out.resize(small_width * small_height * 3);
        for (int y = 0; y < small_height; ++y)
            for (int x = 0; x < small_width; ++x)
                for (int c = 0; c < 3; ++c) {
                    unsigned sum = 0;
                    for (int dy = 0; dy < 20; ++dy)
                        for (int dx = 0; dx < 20; ++dx)
                            sum += pixels[((y * 20 + dy) * width + x * 20 + dx) * 3 + c];
                    out[(y * small_width + x) * 3 + c] = uint8_t((sum + 200) / 400);
                }
    }
    stbi_image_free(pixels);
    return out;
}

std::vector<uint8_t> load_reference(int number)
{
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels = stbi_load(reference_path(number).c_str(), &width, &height, &channels, 3);
    std::vector<uint8_t> out;
    if (pixels && width == small_width && height == small_height)
        out.assign(pixels, pixels + small_width * small_height * 3);
    stbi_image_free(pixels);
    return out;
}

// Mean absolute difference per channel, and the share of pixels that
// differ by more than 32 in some channel.
struct Difference {
    double mean = 0.0;
    double share_far = 0.0;
};

Difference compare(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    Difference difference;
    int far = 0;
    for (size_t i = 0; i < a.size(); i += 3) {
        bool pixel_far = false;
        for (size_t c = 0; c < 3; ++c) {
            const int d = std::abs(int(a[i + c]) - int(b[i + c]));
            difference.mean += d;
            pixel_far = pixel_far || d > 32;
        }
        far += pixel_far;
    }
    difference.mean /= double(a.size());
    difference.share_far = double(far) / double(a.size() / 3);
    return difference;
}

}  // namespace

TEST(Act1Pictures, a_scripted_run_shows_the_card_the_course_and_the_player_as_the_references_do)
{
    TempVolumes volumes;
    const std::string script_path = volumes.root + "/act1.txt";
    std::ofstream(script_path) << script();
    const std::string shots = volumes.root + "/shots";
    const std::string run = std::string(QUORVELLA_BINARY) + " --headless --content '" +
                            QUORVELLA_STAND_IN_CONTENT + "' --save '" + volumes.save + "' --input '" +
                            script_path + "' --ticks " + std::to_string(last_tick) + " --capture '" +
                            shots + "' --capture-every 20 2>&1";
    const CommandResult result = run_command(run);
    ASSERT_EQ(result.status, 0) << result.output;
    ASSERT_NE(result.output.find("Setting frame: 4\n"), std::string::npos) << result.output;

    const bool write = std::getenv("QUORVELLA_WRITE_REFERENCES") != nullptr;
    for (int number : pictures) {
        char name[32];
        std::snprintf(name, sizeof name, "/tv_%06d.png", number);
        const std::vector<uint8_t> picture = shrunk(shots + name);
        ASSERT_EQ(picture.size(), size_t(small_width * small_height * 3)) << "picture " << number;
        if (write) {
            stbi_write_png(reference_path(number).c_str(), small_width, small_height, 3, picture.data(),
                           small_width * 3);
            continue;
        }
        const std::vector<uint8_t> reference = load_reference(number);
        ASSERT_EQ(reference.size(), picture.size()) << reference_path(number);
        // Tolerant of a pixel's rounding here and there, not of things in
        // other places.
        const Difference difference = compare(picture, reference);
        EXPECT_LT(difference.mean, 3.0) << "picture " << number;
        EXPECT_LT(difference.share_far, 0.02) << "picture " << number;
    }
}
