// Start-up's preloading: every image of the asset file's preload list
// decoded and uploaded, on the build's stand-in content (all 6534 images)
// or the content folder QUORVELLA_BENCH_CONTENT names. The
// peak resident size of the process is reported as peak_mb.
#include "base/assetfile.h"
#include "benchmarks/peak_memory.h"
#include "console/options.h"
#include "graphics/display.h"
#include "graphics/image.h"
#include "graphics/render.h"
#include "graphics/testing.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void set_up()
{
    const char* content = getenv("QUORVELLA_BENCH_CONTENT");
    console_options().content_dir = content && *content ? content : QUORVELLA_BENCHMARK_CONTENT;
    console_options().headless = true;
    static bool display_made = false;
    if (!display_made) {
        display_made = true;
        platform_create_display(false);
        Render::init();
    }
}

void BM_preload_images(benchmark::State& state)
{
    set_up();
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
