// The graphics that the demo content carries: the shader programs, a test
// image (handle 0, preloaded) and the boot image "bootup.png".
#pragma once

#include <string>

class AssetWriter;

// Adds the items to the writer and writes dir/bootup.png; false on failure.
bool add_demo_graphics(AssetWriter& writer, const std::string& dir);

// The parts that the stand-in content shares: the 32 shader programs and the
// font block, and the boot image file.
void add_shader_and_font_items(AssetWriter& writer);
bool write_boot_image(const std::string& dir);
