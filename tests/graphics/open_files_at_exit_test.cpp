// The images' and shaders' own handles on the asset file stay open until
// the program exits; their destructors then close them after the file
// system's statics are gone (this library comes first on the link line).
#include "base/assetfile.h"
#include "graphics/image.h"
#include "graphics/shader.h"
#include "tests/support/volumes.h"
#include "tools/assetwriter/asset_writer.h"
#include "tools/assetwriter/image_item.h"
#include "tools/assetwriter/shader_items.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(OpenFilesAtExit, the_image_and_shader_asset_files_close_cleanly_at_exit)
{
    // A fresh process for the child, whatever earlier tests left running.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    TempVolumes volumes;
    AssetWriter writer;
    ImageItemSource pixel;
    pixel.width = pixel.height = 1;
    pixel.rgba = {1, 2, 3, 4};
    writer.add_item(AssetFile::IMAGE_DATA, 0, image_item(pixel));
    writer.add_item(AssetFile::SHADER_DATA, texture_shader_id, shader_item(texture_programs()));
    ASSERT_TRUE(writer.write(volumes.content + "/Assets.dat"));
    EXPECT_EXIT(
        {
            console_output_of([] {
                AssetFile::forget_tables();
                get_internal_image(0);
                texture_shader.initialize();
            });
            std::exit(get_internal_image(0)->is_valid() ? 0 : 3);
        },
        testing::ExitedWithCode(0), "");
}
