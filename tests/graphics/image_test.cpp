#include "tests/support/drawing.h"

#include "graphics/image.h"
#include "graphics/render_internal.h"

namespace {

constexpr Rgba orange{255, 128, 0, 255};

// An image item with the given header and zlib stream.
std::string raw_item(int width, int height, const std::string& stream, uint32_t declared_size)
{
    std::string out;
    for (const int field : {width, height, 0, 0, 0, 0})
        put_u16(out, uint16_t(int16_t(field)));
    put_u32(out, declared_size);
    return out + stream;
}

std::vector<uint8_t> bytes_of(const ImageItemSource& image, size_t count)
{
    return std::vector<uint8_t>(image.rgba.begin(), image.rgba.begin() + long(count));
}

}  // namespace

using ImageTest = DrawingTest;

TEST_F(ImageTest, asset_item_decodes_with_its_placement_fields)
{
    ImageItemSource source = solid_image(3, 2, {1, 2, 3, 4}, 1, 2);
    source.action_x = -3;
    source.action_y = 7;
    source.rgba[20] = 99;  // pixel (2, 1), red
    write_assets({{5, source}});
    Image* image = get_internal_image(5);
    ASSERT_NE(image->pixels, nullptr);
    EXPECT_EQ((std::vector<int>{image->width, image->height, image->hotspot_x, image->hotspot_y,
                                image->action_x, image->action_y}),
              (std::vector<int>{3, 2, 1, 2, -3, 7}));
    EXPECT_EQ(std::vector<uint8_t>(image->pixels, image->pixels + 24), source.rgba);
    EXPECT_EQ(image->flags, Image::USED | Image::INTERNAL);
    EXPECT_EQ(get_internal_image(5), image);  // the same entry, loaded once
    image->upload_texture();
    ASSERT_NE(image->texture, 0u);
    EXPECT_EQ(image->pixels, nullptr);
    EXPECT_EQ(platform_get_texture_pixel(image->texture, 2, 1) & 0xFF, 99u);
}

TEST_F(ImageTest, bad_items_report_the_handle_and_leave_no_pixels_and_a_short_stream_leaves_zeros)
{
    const ImageItemSource big = solid_image(4, 4, {1, 1, 1, 1});
    const std::string too_much = zlib_compress(big.rgba);
    std::string corrupt = zlib_compress(big.rgba);
    corrupt[0] = 0x79;  // bad header check
    // A complete zlib stream of only the first 8 pixels of a 4 x 4 image.
    const std::string short_stream = zlib_compress(bytes_of(solid_image(4, 4, {200, 100, 50, 255}), 32));
    write_assets({}, {},
                 {{1, raw_item(4, 4, short_stream, uint32_t(short_stream.size()))},
                  {2, raw_item(2, 2, too_much, uint32_t(too_much.size()))},
                  {3, raw_item(4, 4, corrupt, uint32_t(corrupt.size()))},
                  {4, raw_item(0, 4, too_much, uint32_t(too_much.size()))},
                  {6, raw_item(-2, 4, too_much, uint32_t(too_much.size()))},
                  {7, raw_item(4, 4, too_much, 1000000)}});
    EXPECT_EQ(console_output_of([] { get_internal_image(1); }), "");
    const Image* image = get_internal_image(1);
    ASSERT_NE(image->pixels, nullptr);
    EXPECT_EQ(image->pixels[0], 200);
    EXPECT_EQ(std::vector<uint8_t>(image->pixels + 32, image->pixels + 64), std::vector<uint8_t>(32));

    const std::pair<unsigned int, const char*> failures[] = {{2, "output buffer limit"},
                                                             {3, "bad zlib header"},
                                                             {4, "bad image size"},
                                                             {6, "bad image size"},
                                                             {7, "read past buffer"}};
    for (const auto& [handle, reason] : failures) {
        EXPECT_EQ(console_output_of([handle] { get_internal_image(handle); }),
                  "Could not load image " + std::to_string(handle) + "\n" + reason + "\n");
        Image* bad = get_internal_image(handle);
        EXPECT_FALSE(bad->is_valid()) << handle;
        bad->draw(10, 10);  // draws nothing, and does not crash
    }
    // Placement fields keep what was read.
    EXPECT_EQ(get_internal_image(2)->width, 2);

    Image* past = nullptr;
    EXPECT_EQ(console_output_of([&] { past = get_internal_image(6534); }), "Invalid image handle 6534\n");
    EXPECT_EQ(past, &empty_image);
    EXPECT_FALSE(past->is_valid());
}

TEST_F(ImageTest, flush_frees_unused_images_but_keeps_static_and_used_ones)
{
    // The rest of the preload list is handle 0; 7 and 9 load later.
    write_assets({{0, solid_image(1, 1, orange)},
                  {7, solid_image(2, 3, orange, 1, 1)},
                  {8, solid_image(2, 2, orange)},
                  {9, solid_image(2, 2, orange)}},
                 {8});
    preload_images();
    Image* seven = get_internal_image(7);
    Image* eight = get_internal_image(8);
    Image* nine = get_internal_image(9);
    for (Image* image : {seven, eight, nine}) {
        image->upload_texture();
        EXPECT_NE(image->texture, 0u);
        EXPECT_EQ(image->pixels, nullptr);
    }
    nine->set_static();
    const unsigned int count = render_data.texture_count;

    reset_image_cache();
    get_internal_image(8)->upload_texture();  // the next frame's list
    flush_image_cache();

    EXPECT_FALSE(seven->is_valid());
    EXPECT_EQ((std::vector<int>{seven->width, seven->height, seven->hotspot_x}),
              (std::vector<int>{2, 3, 1}));
    EXPECT_TRUE(eight->is_valid());
    EXPECT_TRUE(nine->is_valid());
    EXPECT_EQ(render_data.texture_count, count - 1);  // image 7 only

    // Drawing through the table loads it again.
    EXPECT_EQ(get_internal_image(7), seven);
    Render::clear(Color(0, 0, 0, 255));
    seven->draw(20, 20);
    read(TV_LOGICAL_BUFFER);
    EXPECT_EQ(at(19, 19), orange);  // hot spot (1, 1) at (20, 20)
    EXPECT_EQ(at(20, 21), orange);
    EXPECT_EQ(at(21, 19), black);
    EXPECT_EQ(at(18, 19), black);
}

TEST_F(ImageTest, images_preloaded_at_start_up_are_static_and_survive_every_flush)
{
    // The rest of the preload list is handle 0; 6 is not preloaded.
    write_assets({{0, solid_image(1, 1, orange)},
                  {4, solid_image(2, 2, orange)},
                  {5, solid_image(3, 1, orange)},
                  {6, solid_image(2, 2, orange)}},
                 {5, 4});
    preload_images();
    Image* preloaded[] = {get_internal_image(0), get_internal_image(4), get_internal_image(5)};
    unsigned int textures[3];
    for (int i = 0; i < 3; ++i) {
        EXPECT_NE(preloaded[i]->flags & Image::STATIC, 0) << i;
        textures[i] = preloaded[i]->texture;
        EXPECT_NE(textures[i], 0u) << i;
    }
    Image* later = get_internal_image(6);
    later->upload_texture();
    EXPECT_EQ(later->flags & Image::STATIC, 0);

    // Two frame changes whose lists name none of them, then one that lists 4.
    for (int change = 0; change < 2; ++change) {
        reset_image_cache();
        flush_image_cache();
    }
    EXPECT_FALSE(later->is_valid());
    reset_image_cache();
    get_internal_image(4)->upload_texture();
    flush_image_cache();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(preloaded[i]->texture, textures[i]) << i;  // never decoded again
        EXPECT_EQ(preloaded[i]->flags & (Image::STATIC | Image::USED),
                  i == 1 ? Image::STATIC | Image::USED : Image::STATIC) << i;
    }
}

TEST_F(ImageTest, preloading_decodes_many_at_once_but_uploads_and_reports_in_list_order)
{
    // Handles 700 down to 1, more than one decoding group; two damaged
    // items, a handle listed twice, and the list's rest is handle 0.
    std::vector<std::pair<int, ImageItemSource>> images{{0, solid_image(1, 1, orange)}};
    std::vector<uint16_t> list;
    for (int handle = 700; handle >= 1; --handle) {
        list.push_back(uint16_t(handle));
        if (handle == 200 || handle == 500)
            continue;
        images.push_back({handle, solid_image(1 + handle % 5, 2, Rgba{uint8_t(handle), 7, 9, 255})});
    }
    list.insert(list.begin() + 10, 650);
    const std::string corrupt = "not a zlib stream";
    write_assets(images, list,
                 {{500, raw_item(2, 2, corrupt, uint32_t(corrupt.size()))},
                  {200, raw_item(2, 2, corrupt, uint32_t(corrupt.size()))}});
    EXPECT_EQ(console_output_of([] { preload_images(); }),
              "Could not load image 500\nbad zlib header\n2 preloaded images could not be loaded\n");
    unsigned int previous = 0;
    std::vector<bool> seen(701);
    for (const uint16_t handle : list) {
        if (seen[handle])
            continue;
        seen[handle] = true;
        Image* image = get_internal_image(handle);
        EXPECT_NE(image->flags & Image::STATIC, 0) << handle;
        if (handle == 200 || handle == 500) {
            EXPECT_FALSE(image->is_valid());
            continue;
        }
        // Slots are taken in list order, as one load after the other would.
        EXPECT_GT(image->texture, previous) << handle;
        previous = image->texture;
        EXPECT_EQ(image->pixels, nullptr);
        EXPECT_EQ(image->width, 1 + handle % 5);
        EXPECT_EQ(platform_get_texture_pixel(image->texture, image->width - 1, 1),
                  0xFF090700u | uint8_t(handle))
            << handle;
    }
}

TEST_F(ImageTest, draw_places_the_hot_spot_turns_and_cuts_rectangles)
{
    ImageItemSource tall = solid_image(10, 20, orange);
    write_assets({{1, tall}, {2, solid_image(4, 4, {0, 0, 255, 255}, 2, 2)}});
    Render::clear(Color(0, 0, 0, 255));
    // 90 degrees turns counter-clockwise: x 100..120, y 90..100.
    get_internal_image(1)->draw(100, 100, Color(), 90.0f, 1.0f, 1.0f);
    get_internal_image(2)->draw(300, 100, 1, 1, 2, 3, Color(255, 255, 255, 255));
    read(TV_LOGICAL_BUFFER);
    EXPECT_EQ(at(100, 90), orange);
    EXPECT_EQ(at(119, 99), orange);
    EXPECT_EQ(at(120, 95), black);
    EXPECT_EQ(at(110, 100), black);
    EXPECT_EQ(at(110, 89), black);
    EXPECT_EQ(at(300, 100), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(at(301, 102), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(at(302, 100), black);
    EXPECT_EQ(at(300, 103), black);
}

TEST_F(ImageTest, colour_replacement_cache_tells_pair_lists_apart)
{
    ImageItemSource source = solid_image(2, 1, {10, 20, 30, 255});
    source.rgba[4] = 40;  // second pixel (40, 20, 30)
    write_assets({{1, source}});
    Image* image = get_internal_image(1);

    ReplacedImages first;
    first.replace(Color(10, 20, 30, 255), Color(1, 2, 3, 255));
    first.replace(Color(40, 20, 30, 255), Color(4, 5, 6, 255));
    Image* a = first.apply(image, image);
    EXPECT_EQ(first.count, 0);
    EXPECT_EQ((std::vector<int>{a->pixels[0], a->pixels[1], a->pixels[4], a->pixels[6]}),
              (std::vector<int>{1, 2, 4, 6}));
    EXPECT_TRUE(a->flags & Image::KEEP_PIXELS);

    ReplacedImages again;
    again.replace(Color(10, 20, 30, 255), Color(1, 2, 3, 255));
    again.replace(Color(40, 20, 30, 255), Color(4, 5, 6, 255));
    EXPECT_EQ(again.apply(image, image), a);

    // (0, 0, 2) -> (0, 0, 0) weighs 2 x 3 = 6, as does (0, 3, 0) -> (0, 0, 0):
    // the same key, but different replacements.
    ReplacedImages x, y;
    x.replace(Color(0, 0, 2, 255), Color(0, 0, 0, 255));
    y.replace(Color(0, 3, 0, 255), Color(0, 0, 0, 255));
    Image* from_x = x.apply(image, image);
    Image* from_y = y.apply(image, image);
    EXPECT_NE(from_x, from_y);

    ReplacedImages full;
    for (int i = 0; i < 10; ++i)
        full.replace(Color(i, 0, 0, 255), Color());
    EXPECT_EQ(console_output_of([&] { full.replace(Color(), Color()); }),
              "Max color replacements reached\n");
    EXPECT_EQ(full.count, 10);
    Image empty;
    EXPECT_EQ(console_output_of([&] { empty.replace(Color(), Color()); }),
              "Could not replace color in unloaded image\n");
}

TEST_F(ImageTest, file_images_are_keyed_only_without_an_alpha_channel_cached_by_path_and_refused_when_too_large)
{
    write_assets({});
    const std::vector<uint8_t> rgb = {0, 0, 0, 9, 9, 9};
    const std::vector<uint8_t> rgba = {0, 0, 0, 255, 9, 9, 9, 255};
    volumes->put_content("rgb.png", png_file(2, 1, 3, rgb));
    volumes->put_content("rgba.png", png_file(2, 1, 4, rgba));
    volumes->put_content("junk.png", "not a picture");
    const TransparentColor key(0, 0, 0, 255);

    FileImage* keyed = get_image_cache("./rgb.png", 0, 0, 0, 0, key);
    ASSERT_NE(keyed, nullptr);
    EXPECT_EQ(keyed->pixels[3], 0);
    EXPECT_EQ(keyed->pixels[7], 255);
    EXPECT_EQ(keyed->flags, Image::USED | Image::FILE_IMAGE | Image::INTERNAL);
    EXPECT_EQ(get_image_cache("./rgb.png", 0, 0, 0, 0, key), keyed);

    FileImage* with_alpha = get_image_cache("./rgba.png", 0, 0, 0, 0, key);
    ASSERT_NE(with_alpha, nullptr);
    EXPECT_EQ(with_alpha->pixels[3], 255);

    EXPECT_NE(console_output_of([&] {
                  EXPECT_EQ(get_image_cache("./missing.png", 0, 0, 0, 0, key), nullptr);
              }).find("Could not open image \"./missing.png\"\n"),
              std::string::npos);
    EXPECT_EQ(console_output_of([&] {
                  EXPECT_EQ(get_image_cache("./junk.png", 0, 0, 0, 0, key), nullptr);
              }),
              "Could not load image \"./junk.png\": not a PNG or BMP picture\n");
    // A failed path is remembered: no second attempt, no second message.
    EXPECT_EQ(console_output_of([&] { get_image_cache("./junk.png", 0, 0, 0, 0, key); }), "");
    // Too wide for the 16-bit size fields.
    volumes->put_content("wide.png", png_file(40000, 1, 3, std::vector<uint8_t>(120000, 7)));
    EXPECT_EQ(console_output_of([&] { EXPECT_EQ(get_image_cache("./wide.png", 0, 0, 0, 0, key), nullptr); }),
              "Could not load image \"./wide.png\"\n");
}

TEST_F(ImageTest, copies_reload_what_an_upload_dropped_destroy_keeps_internal_images_and_filters_switch)
{
    write_assets({{3, solid_image(2, 2, orange, 1, 1)}});
    Image* internal = get_internal_image(3);
    Image* copy = internal->copy();
    EXPECT_EQ(copy->flags, 0);
    EXPECT_EQ(std::vector<uint8_t>(copy->pixels, copy->pixels + 16),
              std::vector<uint8_t>(internal->pixels, internal->pixels + 16));
    internal->set_filter(true);  // taken by the upload
    internal->upload_texture();
    EXPECT_EQ(render_data.textures[internal->texture].sampler, &render_data.linear_sampler);
    Image* reloaded = internal->copy();  // no pixels left: loaded afresh
    EXPECT_EQ(reloaded->hotspot_x, 1);
    EXPECT_NE(reloaded->pixels, nullptr);
    internal->destroy();  // internal images stay
    EXPECT_EQ(get_internal_image(3), internal);
    internal->set_filter(false);  // switches the uploaded texture's sampler
    EXPECT_EQ(render_data.textures[internal->texture].sampler, &render_data.point_sampler);
    copy->destroy();
    reloaded->destroy();
}
