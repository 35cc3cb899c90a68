// The picture path headless: 2,000 textured sprites in one picture, 600
// ticks of small pictures swapped as a headless run makes them, and the boot
// image's 480 pictures with the first tick's picture after them. Time is wall time; CPU is the main thread's alone
// (the software graphics driver rasterises on threads of its own).
#include "base/assetfile.h"
#include "console/gpu.h"
#include "console/options.h"
#include "graphics/display.h"
#include "graphics/render.h"
#include "graphics/testing.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int texture_count = 8;

struct Scene {
    std::vector<unsigned int> textures;
    Scene()
    {
        namespace fs = std::filesystem;
        std::string root = (fs::temp_directory_path() / "quorvella-bench-XXXXXX").string();
        if (!mkdtemp(root.data()))
            abort();
        fs::create_directories(root + "/content");
        fs::create_directories(root + "/save");
        ConsoleOptions& options = console_options();
        options.content_dir = root + "/content";
        options.save_dir = root + "/save";
        options.headless = true;
        // The demo content: the shader programs and a boot image.
        const std::string command =
            std::string(QUORVELLA_ASSETS_BINARY) + " --demo " + options.content_dir + " > /dev/null";
        if (system(command.c_str()) != 0)
            abort();
        platform_create_display(false);
        Render::init();
        for (int t = 0; t < texture_count; ++t) {
            std::vector<uint32_t> texels(32 * 32);
            for (size_t i = 0; i < texels.size(); ++i)
                texels[i] = 0xFF000000u | uint32_t(i * 2654435761u >> 8) | uint32_t(t * 30);
            textures.push_back(Render::create_tex(texels.data(), Render::RGBA, 32, 32));
        }
    }
};

Scene& scene()
{
    static Scene made;
    return made;
}

void begin_picture()
{
    platform_set_display_target(0);
    Render::set_offset(0, 0);
    Render::set_view(0, 0, 426, 240);
    Render::clear(Color(0, 0, 0, 255));
}

// `count` sprites, the texture changing every `run` of them.
void sprites(int count, int run)
{
    const Scene& s = scene();
    for (int i = 0; i < count; ++i) {
        const int x = (i * 37) % 410, y = (i * 53) % 224;
        Render::draw_tex(x, y, x + 16, y + 16, Color(255, 255, 255, 200),
                         s.textures[size_t((i / run) % texture_count)]);
    }
}

// Bootup shown once before any measurement, so that picture numbers run on.
void boot_once()
{
    static bool done = false;
    if (!done) {
        done = true;
        platform_begin_draw();
        begin_picture();
        platform_swap_buffers();
    }
}

void BM_Sprites2000(benchmark::State& state)
{
    scene();
    boot_once();
    const int run = int(state.range(0));
    for (auto _ : state) {
        begin_picture();
        sprites(2000, run);
        // Everything drawn so far reaches the driver (a flush ends a picture's batches too).
        GX2Flush();
        state.PauseTiming();
        GX2DrawDone();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 2000);
}
BENCHMARK(BM_Sprites2000)->Arg(1)->Arg(16)->Arg(2000)->Unit(benchmark::kMillisecond);

void BM_HeadlessTicks600(benchmark::State& state)
{
    scene();
    boot_once();
    for (auto _ : state) {
        for (int tick = 0; tick < 600; ++tick) {
            platform_begin_draw();
            begin_picture();
            sprites(100, 10);
            platform_swap_buffers();
        }
        GX2DrawDone();
    }
}
BENCHMARK(BM_HeadlessTicks600)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_BootImage(benchmark::State& state)
{
    scene();
    boot_once();
    for (auto _ : state) {
        platform_show_boot_image_again();
        platform_begin_draw();
        // The first tick's picture, as in a run.
        begin_picture();
        platform_swap_buffers();
        GX2DrawDone();
    }
}
BENCHMARK(BM_BootImage)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
