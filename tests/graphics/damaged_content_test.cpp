// Damaged or hostile pictures, fonts and shader items: one console line,
// nothing loaded, and never an allocation the size fields alone asked for.
#include "tests/fuzz/damage.h"
#include "tests/graphics/font_fixture.h"
#include "tests/support/peak_memory.h"

#include "console/procui.h"
#include "graphics/image.h"
#include "graphics/shader.h"
#include "tools/assetwriter/shader_items.h"

namespace {

std::string image_item_of(int width, int height)
{
    return image_item_claiming(width, height);
}

}  // namespace

using DamagedPictures = DrawingTest;

TEST_F(DamagedPictures, image_items_larger_than_the_policy_are_refused_before_allocating)
{
    write_assets({}, {},
                 {{1, image_item_of(32767, 32767)},
                  {2, image_item_of(8193, 1)},
                  {3, image_item_of(8192, 2049)},
                  {4, image_item_of(8192, 2048)}});
    const uint64_t before = peak_memory_bytes();
    for (const unsigned handle : {1u, 2u, 3u}) {
        EXPECT_EQ(console_output_of([&] { get_internal_image(handle); }),
                  "Could not load image " + std::to_string(handle) + "\nbad image size\n");
        EXPECT_FALSE(get_internal_image(handle)->is_valid());
    }
    EXPECT_LT(peak_memory_bytes() - before, damaged_read_memory);
    // The largest picture allowed loads; its short stream leaves the rest zero.
    const Image* largest = get_internal_image(4);
    ASSERT_NE(largest->pixels, nullptr);
    EXPECT_EQ(largest->pixels[0], 0xAB);
    EXPECT_EQ(largest->pixels[size_t(8192) * 2048 * 4 - 1], 0);
}

TEST_F(DamagedPictures, picture_files_are_refused_by_their_header_size_before_decoding)
{
    write_assets({});
    const TransparentColor none;
    const uint64_t before = peak_memory_bytes();
    // A 156-byte picture claiming 20736 x 3462, and a 57-byte one claiming 35080 x 9473.
    for (const auto& [name, bytes] : {std::pair{"wide.bmp", bmp_claiming(20736, 3462, 102)},
                                      std::pair{"huge.bmp", bmp_claiming(35080, 9473, 3)}}) {
        volumes->put_content(name, bytes);
        FileImage* image = nullptr;
        EXPECT_EQ(console_output_of([&] { image = get_image_cache(std::string("./") + name, 0, 0, 0, 0, none); }),
                  std::string("Could not load image \"./") + name + "\"\n");
        EXPECT_EQ(image, nullptr);
    }
    EXPECT_LT(peak_memory_bytes() - before, damaged_read_memory);
    // A picture within the policy still loads from the same kind of file.
    volumes->put_content("small.bmp", bmp_claiming(2, 1, 8));
    FileImage* small = get_image_cache("./small.bmp", 0, 0, 0, 0, none);
    ASSERT_NE(small, nullptr);
    EXPECT_EQ((std::vector<int>{small->width, small->height}), (std::vector<int>{2, 1}));
}

TEST_F(DamagedPictures, pictures_in_formats_the_game_does_not_read_are_one_line_and_no_picture)
{
    write_assets({});
    const TransparentColor none;
    // Each once made the decoder read or compute out of bounds.
    for (const auto& [name, bytes] : {std::pair{"deep.ppm", pnm_16_bit_header()},
                                      std::pair{"long.ppm", pnm_long_number()},
                                      std::pair{"tables.jpg", jpeg_huffman_counts_510()},
                                      std::pair{"small.tga", tga_header(2, 1, 6)}}) {
        volumes->put_content(name, bytes);
        FileImage* image = nullptr;
        EXPECT_EQ(console_output_of([&] { image = get_image_cache(std::string("./") + name, 0, 0, 0, 0, none); }),
                  std::string("Could not load image \"./") + name + "\": not a PNG or BMP picture\n");
        EXPECT_EQ(image, nullptr);
    }
    // Both formats the game's pictures come in still load.
    volumes->put_content("red.png", png_file(1, 1, 3, {255, 0, 0}));
    volumes->put_content("blue.bmp", bmp_file(1, 1, {0, 0, 255}));
    for (const char* path : {"./red.png", "./blue.bmp"}) {
        FileImage* image = get_image_cache(path, 0, 0, 0, 0, none);
        ASSERT_NE(image, nullptr) << path;
        ASSERT_NE(image->pixels, nullptr) << path;
    }
    EXPECT_EQ(get_image_cache("./red.png", 0, 0, 0, 0, none)->pixels[0], 255);
    EXPECT_EQ(get_image_cache("./blue.bmp", 0, 0, 0, 0, none)->pixels[2], 255);
}

TEST_F(DamagedPictures, shader_item_size_is_checked_against_the_file_before_allocating)
{
    AssetWriter writer;
    std::string item = shader_item(texture_programs());
    item.replace(0, 4, "\xF0\xFF\xFF\xFF");
    writer.add_item(AssetFile::SHADER_DATA, texture_shader_id, item);
    ASSERT_TRUE(writer.write(volumes->content + "/Assets.dat"));
    const uint64_t before = peak_memory_bytes();
    // Every picture is drawn with these programs: the run stops.
    EXPECT_EQ(host_errors_of([] { texture_shader.initialize(); }),
              "Invalid vertex program for the pictures in Assets.dat; the run stops\n");
    EXPECT_TRUE(texture_shader.failed);
    EXPECT_TRUE(procui_exit_requested());
    EXPECT_EQ(procui_exit_status(), 1);
    procui_reset_exit();
    EXPECT_LT(peak_memory_bytes() - before, damaged_read_memory);
}

TEST_F(FontTest, cells_larger_than_the_atlas_are_clamped_before_packing)
{
    FontBlockFont font = layout_font();
    font.cell_width = 2000.0f;
    font.line_height = 3e9f;
    write_fonts({font});
    std::string output = console_output_of([] { EXPECT_TRUE(init_font()); });
    EXPECT_EQ(output, "Cannot fit glyphs in texture!\n");
    const FTTextureFont* loaded = get_font(10);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->cell_width_pixels, FTTextureFont::max_atlas_size);
    EXPECT_EQ(loaded->cell_height_pixels, FTTextureFont::max_atlas_size);
    EXPECT_EQ(loaded->atlas_height, FTTextureFont::max_atlas_size);
    EXPECT_LE(loaded->pen_y, FTTextureFont::max_atlas_size + loaded->margin);
}

TEST_F(FontTest, a_font_count_past_the_policy_loads_no_fonts)
{
    std::string block = font_block({layout_font()});
    block.replace(0, 4, std::string("\x41\x00\x00\x00", 4));  // 65 fonts
    write_font_block(block);
    EXPECT_EQ(console_output_of([] { EXPECT_FALSE(init_font()); }), "Invalid font count 65\n");
    EXPECT_EQ(get_font(10), nullptr);
}
