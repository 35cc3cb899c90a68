#include "tests/support/drawing.h"

#include "base/assetfile.h"
#include "console/gpu.h"
#include "console/options.h"
#include "graphics/font.h"
#include "graphics/image.h"
#include "graphics/render_internal.h"
#include "graphics/shader.h"
#include "graphics/testing.h"
#include "platform/files.h"
#include "tools/assetwriter/shader_items.h"

void PrintTo(const Rgba& c, std::ostream* os)
{
    *os << "(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ", " << int(c.a) << ")";
}

ImageItemSource solid_image(int width, int height, Rgba color, int hot_x, int hot_y)
{
    ImageItemSource image;
    image.width = width;
    image.height = height;
    image.hot_x = hot_x;
    image.hot_y = hot_y;
    for (int i = 0; i < width * height; ++i)
        image.rgba.insert(image.rgba.end(), {color.r, color.g, color.b, color.a});
    return image;
}

void DrawingTest::SetUp()
{
    volumes = std::make_unique<TempVolumes>();
    console_options().headless = true;
    static bool display_made = false;
    if (!display_made) {
        display_made = true;
        platform_create_display(false);
        Render::init();
    }
    ASSERT_TRUE(gx2_is_open());
    // The file system's first client announces itself; keep that out of the tests' output.
    console_output_of([] { get_fs_data(0); });
    AssetFile::forget_tables();
    shader_forget_all();
    image_forget_all();
    font_forget_all();
    render_data.current_effect = 0;
    GX2SetContextState(platform_main_context_state());
    GX2SetColorControl(0xCC, 1, false, true);
    GX2SetBlendControl(0, 4, 5, 0, true, 4, 5, 0);
    platform_set_display_target(0);
    Render::set_offset(0, 0);
    Render::set_view(0, 0, 426, 240);
    flush_gl();
}

void DrawingTest::TearDown()
{
    // The test's own asset file goes with its volumes: the next reader reads
    // the tables of whatever file it opens.
    AssetFile::forget_tables();
    shader_forget_all();
    image_forget_all();
    font_forget_all();
    volumes.reset();
}

void write_program_assets(const std::string& folder)
{
    AssetWriter writer;
    for (const auto& [id, item] : demo_shader_items())
        writer.add_item(AssetFile::SHADER_DATA, id, item);
    ASSERT_TRUE(writer.write(folder + "/Assets.dat"));
}

void DrawingTest::write_assets(const std::vector<std::pair<int, ImageItemSource>>& images,
                               const std::vector<uint16_t>& preload,
                               const std::vector<std::pair<int, std::string>>& raw_images)
{
    AssetWriter writer;
    for (const auto& [id, item] : demo_shader_items())
        writer.add_item(AssetFile::SHADER_DATA, id, item);
    for (const auto& [id, image] : images)
        writer.add_item(AssetFile::IMAGE_DATA, id, image_item(image));
    for (const auto& [id, item] : raw_images)
        writer.add_item(AssetFile::IMAGE_DATA, id, item);
    writer.set_preload(preload);
    ASSERT_TRUE(writer.write(volumes->content + "/Assets.dat"));
}

void DrawingTest::clear(Rgba color)
{
    Render::clear(Color(color.r, color.g, color.b, color.a));
}

void DrawingTest::read(DisplayBuffer which)
{
    const ColorBuffer* buffer = platform_color_buffer(which);
    pixels = gx2_read_color_buffer(&buffer->record);
    pixels_width = buffer->width;
}

void DrawingTest::read_tv_scan()
{
    pixels = gx2_read_scan_buffer(GX2_SCAN_TARGET_TV);
    pixels_width = 1920;
}

Rgba DrawingTest::at(int x, int y) const
{
    const size_t i = (size_t(y) * size_t(pixels_width) + size_t(x)) * 4;
    return {pixels[i], pixels[i + 1], pixels[i + 2], pixels[i + 3]};
}

int DrawingTest::count(int x1, int y1, int x2, int y2, Rgba color) const
{
    int n = 0;
    for (int y = y1; y < y2; ++y)
        for (int x = x1; x < x2; ++x)
            n += at(x, y) == color;
    return n;
}

std::vector<int> DrawingTest::extent(Rgba color) const
{
    std::vector<int> box = {-1, -1, -1, -1};
    const int rows = int(pixels.size() / 4) / pixels_width;
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < pixels_width; ++x) {
            if (!(at(x, y) == color))
                continue;
            if (box[0] < 0 || x < box[0])
                box[0] = x;
            if (box[1] < 0)
                box[1] = y;
            if (x + 1 > box[2])
                box[2] = x + 1;
            box[3] = y + 1;
        }
    }
    return box;
}

void flush_quads()
{
    flush_gl();
}

unsigned int quads_drawn()
{
    return render_data.batch.quads;
}

bool scissor_is_full_view()
{
    const int32_t* s = gx2_current_state().scissor;
    const RenderData& r = render_data;
    return s[0] == r.view_x && s[1] == r.view_y && s[2] == r.view_width && s[3] == r.view_height;
}

uint64_t hash_of(const std::vector<uint8_t>& bytes)
{
    uint64_t hash = 1469598103934665603ull;
    for (uint8_t byte : bytes)
        hash = (hash ^ byte) * 1099511628211ull;
    return hash;
}
