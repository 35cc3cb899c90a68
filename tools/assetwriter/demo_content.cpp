#include "tools/assetwriter/demo_content.h"

#include "tools/assetwriter/asset_writer.h"
#include "tools/assetwriter/demo_graphics.h"
#include "tools/assetwriter/demo_sounds.h"

#include <cstdio>
#include <filesystem>

bool create_content_folder(const std::string& dir)
{
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error)
        printf("Could not create content folder: %s\n", dir.c_str());
    return !error;
}

bool write_demo_content(const std::string& dir)
{
    if (!create_content_folder(dir))
        return false;
    AssetWriter writer;
    if (!add_demo_graphics(writer, dir))
        return false;
    if (!add_demo_sounds(writer, dir))
        return false;
    return writer.write(dir + "/Assets.dat");
}
