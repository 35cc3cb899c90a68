// Start-up's preloading: every image of the asset file's preload list
// decoded and uploaded, on the content folder QUORVELLA_BENCH_CONTENT names
// (`quorvella-assets --stand-in DIR` writes one with all 6534 images). The
// peak resident size of the process is reported as peak_mb.
#include "base/assetfile.h"
#include "console/options.h"
#include "graphics/display.h"
#include "graphics/image.h"
#include "graphics/render.h"
#include "graphics/testing.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

double peak_megabytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0.0;
}

bool set_up()
{
    const char* content = getenv("QUORVELLA_BENCH_CONTENT");
    if (!content || !*content)
        return false;
    console_options().content_dir = content;
    console_options().headless = true;
    static bool display_made = false;
    if (!display_made) {
        display_made = true;
        platform_create_display(false);
        Render::init();
    }
    return true;
}

void BM_preload_images(benchmark::State& state)
{
    if (!set_up()) {
        state.SkipWithError("set QUORVELLA_BENCH_CONTENT to a content folder");
        return;
    }
    for (auto _ : state) {
        preload_images();
        state.PauseTiming();
        image_forget_all();
        AssetFile::forget_tables();
        state.ResumeTiming();
    }
    state.counters["peak_mb"] = peak_megabytes();
}
BENCHMARK(BM_preload_images)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
