#include "tools/assetwriter/demo_graphics.h"

#include "tools/assetwriter/asset_writer.h"
#include "tools/assetwriter/effect_programs.h"
#include "tools/assetwriter/font_block.h"
#include "tools/assetwriter/image_item.h"
#include "tools/assetwriter/shader_items.h"

#include <cstdio>
#include <fstream>

namespace {

// A 16 x 16 checker of two blues with an opaque border, hot spot in the middle.
ImageItemSource test_image()
{
    ImageItemSource image;
    image.width = image.height = 16;
    image.hot_x = image.hot_y = 8;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const bool border = x == 0 || y == 0 || x == 15 || y == 15;
            const bool dark = ((x / 4) + (y / 4)) % 2 == 0;
            const uint8_t rgba[4] = {uint8_t(border ? 255 : 40), uint8_t(border ? 255 : 80),
                                     uint8_t(dark ? 160 : 230), 255};
            image.rgba.insert(image.rgba.end(), rgba, rgba + 4);
        }
    return image;
}

// A 16 x 9 boot picture: a light band across a dark ground, no alpha channel.
std::string boot_png()
{
    std::vector<uint8_t> rgb;
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 16; ++x) {
            const bool band = y >= 3 && y <= 5;
            const uint8_t pixel[3] = {uint8_t(band ? 230 : 20), uint8_t(band ? 200 : 30),
                                      uint8_t(band ? 90 : 60)};
            rgb.insert(rgb.end(), pixel, pixel + 3);
        }
    return png_file(16, 9, 3, rgb);
}

}  // namespace

void add_shader_and_font_items(AssetWriter& writer)
{
    for (const auto& [id, item] : every_shader_item())
        writer.add_item(AssetFile::SHADER_DATA, id, item);
    const std::string fonts = demo_font_block();
    if (!fonts.empty())
        writer.add_item(AssetFile::FONT_DATA, 0, fonts);
}

bool write_boot_image(const std::string& dir)
{
    std::ofstream boot(dir + "/bootup.png", std::ios::binary);
    boot << boot_png();
    if (!boot) {
        printf("Could not write %s/bootup.png\n", dir.c_str());
        return false;
    }
    return true;
}

bool add_demo_graphics(AssetWriter& writer, const std::string& dir)
{
    add_shader_and_font_items(writer);
    writer.add_item(AssetFile::IMAGE_DATA, 0, image_item(test_image()));
    writer.set_preload({0});
    return write_boot_image(dir);
}
