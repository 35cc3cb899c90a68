#include "tests/app/scripted_run.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

constexpr int small_width = 96;
constexpr int small_height = 54;
constexpr int block = 20;  // the captures are 1920 x 1080

std::string reference_path(const std::string& name)
{
    return std::string(QUORVELLA_TEST_DATA) + "/" + name + ".png";
}

// The picture averaged over blocks of 20 x 20 pixels, RGB; empty when it
// cannot be read or has another size.
std::vector<uint8_t> shrunk(const std::string& path)
{
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels = stbi_load(path.c_str(), &width, &height, &channels, 3);
    std::vector<uint8_t> out;
    if (!pixels)
        return out;
    if (width == small_width * block && height == small_height * block) {
        out.resize(small_width * small_height * 3);
        for (int y = 0; y < small_height; ++y)
            for (int x = 0; x < small_width; ++x)
                for (int c = 0; c < 3; ++c) {
                    unsigned sum = 0;
                    for (int dy = 0; dy < block; ++dy)
                        for (int dx = 0; dx < block; ++dx)
                            sum += pixels[((y * block + dy) * width + x * block + dx) * 3 + c];
                    out[(y * small_width + x) * 3 + c] = uint8_t((sum + block * block / 2) / (block * block));
                }
    }
    stbi_image_free(pixels);
    return out;
}

std::vector<uint8_t> load_reference(const std::string& path)
{
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels = stbi_load(path.c_str(), &width, &height, &channels, 3);
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

CommandResult run_scripted(const ScriptedRun& run, const std::string& more)
{
    const std::string command = std::string(QUORVELLA_BINARY) + " --headless --content '" +
                                QUORVELLA_STAND_IN_CONTENT + "' --save '" + run.save + "' --input '" + run.script +
                                "' --ticks " + std::to_string(run.ticks) + " --capture '" + run.shots +
                                "' --capture-every " + std::to_string(run.capture_every) + " " + more + " 2>&1";
    return run_command(command);
}

std::vector<int> frame_changes(const std::string& output)
{
    static const std::string line = "Setting frame: ";
    std::vector<int> indices;
    for (size_t at = output.find(line); at != std::string::npos; at = output.find(line, at + 1))
        indices.push_back(std::atoi(output.c_str() + at + line.size()));
    return indices;
}

void expect_like_reference(const std::string& shots, int number, const std::string& name)
{
    char file[32];
    std::snprintf(file, sizeof file, "/tv_%06d.png", number);
    const std::vector<uint8_t> picture = shrunk(shots + file);
    ASSERT_EQ(picture.size(), size_t(small_width * small_height * 3)) << "picture " << number;
    const std::string path = reference_path(name);
    if (std::getenv("QUORVELLA_WRITE_REFERENCES")) {
        stbi_write_png(path.c_str(), small_width, small_height, 3, picture.data(), small_width * 3);
        return;
    }
    const std::vector<uint8_t> reference = load_reference(path);
    ASSERT_EQ(reference.size(), picture.size()) << path;
    // Tolerant of a pixel's rounding here and there, not of things in
    // other places.
    const Difference difference = compare(picture, reference);
    EXPECT_LT(difference.mean, 3.0) << name;
    EXPECT_LT(difference.share_far, 0.02) << name;
}

Picture load_picture(const std::string& path)
{
    Picture picture;
    int channels = 0;
    stbi_uc* pixels = stbi_load(path.c_str(), &picture.width, &picture.height, &channels, 4);
    if (pixels)
        picture.rgba.assign(pixels, pixels + size_t(picture.width) * size_t(picture.height) * 4);
    stbi_image_free(pixels);
    return picture;
}
