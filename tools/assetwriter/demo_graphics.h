// The graphics that the demo content carries: the shader programs, a test
// image (handle 0, preloaded) and the boot image "bootup.png".
#pragma once

#include <string>

class AssetWriter;

// Adds the items to the writer and writes dir/bootup.png; false on failure.
bool add_demo_graphics(AssetWriter& writer, const std::string& dir);
