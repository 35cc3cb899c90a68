// One captured picture: a busy TV picture drawn, swapped and written as a
// PNG file under --capture. "Time" is the game thread's wall time per
// picture, "CPU" its processor time; `budget` is that wall time as a
// fraction of one 1/60 s tick. The same pictures without capture give the
// cost of drawing and swapping alone; with every 4th picture captured the
// encoders keep up, with every picture they set the pace.
#include "console/gpu.h"
#include "console/options.h"
#include "console/window.h"
#include "graphics/display.h"
#include "graphics/render.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

void set_up()
{
    console_options().headless = true;
    static bool display_made = false;
    if (!display_made) {
        display_made = true;
        platform_create_display(false);
        Render::init();
    }
}

// Rows of coloured boxes of many sizes: most pixels differ from their neighbours.
void draw_busy_picture(int picture)
{
    Render::clear(Color(20, 30, 40, 255));
    for (int y = 0; y < 240; y += 6)
        for (int x = 0; x < 426; x += 7)
            Render::fill(x, y, x + 3 + (x * y + picture) % 5, y + 2 + (x + y) % 4,
                         Color(uint8_t(x * 3 + picture), uint8_t(y * 5), uint8_t(x ^ y), 255));
}

void capture_pictures(benchmark::State& state, long every)
{
    set_up();
    const std::string dir = std::filesystem::temp_directory_path().string() + "/quorvella-capture-bench";
    std::filesystem::remove_all(dir);
    if (every > 0)
        window_set_capture(dir, every);
    GX2SetContextState(platform_main_context_state());
    platform_set_display_target(0);
    int picture = 0;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        draw_busy_picture(picture++);
        platform_swap_buffers();
    }
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    window_set_capture("", 1);  // the last pictures are written before it returns
    std::filesystem::remove_all(dir);
    state.counters["budget"] = wall.count() / double(state.iterations()) / (1.0 / 60.0);
}

// One captured picture at a time, the encoders idle before each: what the
// game thread spends on a picture when capture does not have to wait.
void BM_one_captured_picture(benchmark::State& state)
{
    set_up();
    const std::string dir = std::filesystem::temp_directory_path().string() + "/quorvella-capture-bench";
    std::filesystem::remove_all(dir);
    GX2SetContextState(platform_main_context_state());
    platform_set_display_target(0);
    int picture = 0;
    std::chrono::duration<double> wall{};
    for (auto _ : state) {
        state.PauseTiming();
        window_set_capture(dir, 1);  // the earlier pictures are written first
        draw_busy_picture(picture++);
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        platform_swap_buffers();
        wall += std::chrono::steady_clock::now() - start;
    }
    window_set_capture("", 1);
    std::filesystem::remove_all(dir);
    state.counters["budget"] = wall.count() / double(state.iterations()) / (1.0 / 60.0);
}
BENCHMARK(BM_one_captured_picture)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(30);

void BM_draw_and_swap_without_capture(benchmark::State& state)
{
    capture_pictures(state, 0);
}
BENCHMARK(BM_draw_and_swap_without_capture)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(120);

void BM_capture_every_4th_picture(benchmark::State& state)
{
    capture_pictures(state, 4);
}
BENCHMARK(BM_capture_every_4th_picture)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(120);

void BM_capture_every_picture(benchmark::State& state)
{
    capture_pictures(state, 1);
}
BENCHMARK(BM_capture_every_picture)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(60);

}  // namespace

BENCHMARK_MAIN();
