// An act's tick, headless on the stand-in content: the game enters the
// act's frame (index 4 for act 1, 5 for act 2) the way a run does (set-up,
// start events, first tick), then ticks it. Reported per tick, also as a share of the console's 16.7 ms budget:
// the update alone, the update with drawing, and drawing alone at views
// that hold more or fewer instances, to show that drawing follows what is
// on screen rather than the act's size. First, once per process, start-up
// to the first picture with the whole stand-in content. Every case reports
// the process's peak resident size so far (peak_mb).
#include "benchmarks/peak_memory.h"
#include "console/gpu.h"
#include "console/options.h"
#include "console/pads.h"
#include "console/os.h"
#include "game/events/game_description.h"
#include "game/frames/frames.h"
#include "graphics/display.h"
#include "platform/platform.h"
#include "runtime/layer.h"
#include "runtime/manager.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdlib>
#include <string>

namespace {

constexpr double tick_budget = 1.0 / 60.0;
constexpr int act_1 = 4;
constexpr int act_2 = 5;

std::string console_lines;

bool started = false;

void start_game()
{
    if (started)
        return;
    started = true;
    // The build's own stand-in folder unless QUORVELLA_BENCH_CONTENT names another.
    const char* content = getenv("QUORVELLA_BENCH_CONTENT");
    console_options().content_dir = content && *content ? content : QUORVELLA_BENCHMARK_CONTENT;
    // A fresh save volume: nothing the benchmark does touches the player's saves.
    static char save_dir[] = "/tmp/quorvella-benchmark-XXXXXX";
    if (mkdtemp(save_dir))
        console_options().save_dir = save_dir;
    console_options().headless = true;
    // The game's console lines would drown the report.
    OSSetReportLog(&console_lines);
    if (!console_start())
        return;
    manager.fps_limit.set_fixed_step(1.0 / 60.0);
    manager.init(game_description());
}

void enter_act(int index)
{
    start_game();
    game_frames.next_frame = index;
    manager.update();
    console_lines.clear();
}

int instance_count()
{
    int count = 0;
    for (const Layer& layer : game_frames.layers)
        count += layer.instance_count + int(layer.background_objects.size());
    return count;
}

// The instances the last draw collected, over every layer.
int drawn_count()
{
    int count = 0;
    for (const Layer& layer : game_frames.layers)
        count += int(layer.draw_list.size());
    return count;
}

// Per-tick time and its share of the budget, from wall time the loop measured.
void report(benchmark::State& state, double seconds)
{
    const double per_tick = seconds / double(state.iterations());
    state.counters["ms_per_tick"] = per_tick * 1e3;
    state.counters["budget_share"] = per_tick / tick_budget;
    state.counters["instances"] = instance_count();
    state.counters["peak_mb"] = peak_megabytes();
}

template <class Step>
double timed(benchmark::State& state, Step step)
{
    double seconds = 0.0;
    for (auto _ : state) {
        const auto begin = std::chrono::steady_clock::now();
        step();
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        // Console lines the events write would otherwise pile up.
        if (console_lines.size() > 1 << 16)
            console_lines.clear();
    }
    return seconds;
}

// The run's start as main() makes it (window, game start with every
// preloaded picture, first tick), to the first tick's TV picture read back,
// as a capture reads it.
void start_up_to_first_picture(benchmark::State& state)
{
    if (started) {
        state.SkipWithError("the game had started already");
        return;
    }
    size_t picture_bytes = 0;
    for (auto _ : state) {
        start_game();
        manager.update();
        picture_bytes = gx2_read_color_buffer(&platform_color_buffer(TV_LOGICAL_BUFFER)->record).size();
    }
    state.counters["picture_bytes"] = double(picture_bytes);
    state.counters["peak_mb"] = peak_megabytes();
    console_lines.clear();
}

void act_update(benchmark::State& state)
{
    enter_act(int(state.range(0)));
    int entries = 0;
    const double seconds = timed(state, [&] {
        const int before = game_frames.loop_count;
        manager.update_frame();
        if (game_frames.loop_count <= before)
            ++entries;
    });
    report(state, seconds);
    // A restart inside the loop would time a set-up; the count shows it.
    state.counters["re_entries"] = entries;
    state.counters["frame_index"] = game_frames.index;
}

// A minute of play from the act's start, as the player crossing it: right
// held, jumping every 70 ticks. The update alone, per tick on average and
// the slowest tick.
double thread_cpu_seconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// A minute of play from the act's start, as the player crossing it: right
// held, jumping every 70 ticks. The update alone, per tick on average, and
// the game thread's processor time of the costliest tick (the slowest tick's
// wall time on a busy machine is mostly waiting for a core).
void act_update_playing(benchmark::State& state)
{
    enter_act(int(state.range(0)));
    std::string script = "1 gamepad RIGHT\n";
    for (int tick = 70; tick < 4000; tick += 70)
        script += std::to_string(tick) + " gamepad RIGHT A\n" + std::to_string(tick + 20) + " gamepad RIGHT\n";
    pads_use_script(script, "benchmark");
    double costliest = 0.0;
    const double seconds = timed(state, [&] {
        const double begin = thread_cpu_seconds();
        // A tick without its drawing.
        manager.keyboard.update();
        manager.mouse.update();
        platform_poll_events();
        manager.update_controls();
        manager.update_frame();
        costliest = std::max(costliest, thread_cpu_seconds() - begin);
    });
    // The gamepad connected with nothing held again.
    pads_use_script("", "benchmark");
    report(state, seconds);
    state.counters["costliest_cpu_ms"] = costliest * 1e3;
    state.counters["frame_index"] = game_frames.index;
}

void act_update_and_draw(benchmark::State& state)
{
    enter_act(int(state.range(0)));
    const double seconds = timed(state, [] { manager.update(); });
    report(state, seconds);
    state.counters["drawn"] = drawn_count();
}

// Drawing alone with the view's centre at (x, y).
void act1_draw(benchmark::State& state)
{
    enter_act(act_1);
    game_frames.set_display_center(int(state.range(0)), int(state.range(1)));
    game_frames.update_display_center();
    const double seconds = timed(state, [] { manager.draw(); });
    report(state, seconds);
    state.counters["drawn"] = drawn_count();
    state.counters["view_x"] = game_frames.display_x;
    state.counters["view_y"] = game_frames.display_y;
}

// The frame's own drawing at the view, without the picture's copy to the
// TV and gamepad buffers (which costs the same whatever the frame holds).
void act1_draw_layers(benchmark::State& state)
{
    enter_act(act_1);
    game_frames.set_display_center(int(state.range(0)), int(state.range(1)));
    game_frames.update_display_center();
    const double seconds = timed(state, [] {
        platform_begin_draw();
        platform_set_display_target(0);
        game_frames.draw(2);
    });
    report(state, seconds);
    state.counters["drawn"] = drawn_count();
    state.counters["view_x"] = game_frames.display_x;
    state.counters["view_y"] = game_frames.display_y;
    // The picture drawn last is shown, as a tick would.
    platform_swap_buffers();
}

}  // namespace

// Registered first: it runs before anything else has started the game.
BENCHMARK(start_up_to_first_picture)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(act_update)->Arg(act_1)->Arg(act_2)->Unit(benchmark::kMicrosecond)->MinTime(2.0);
BENCHMARK(act_update_playing)->Arg(act_1)->Arg(act_2)->Unit(benchmark::kMicrosecond)->Iterations(3600);
BENCHMARK(act_update_and_draw)->Arg(act_1)->Arg(act_2)->Unit(benchmark::kMicrosecond)->MinTime(2.0);
// The start plateau; the valley; the parked rows below the course, where the
// unused terrain stands densest; the empty sky above the start.
BENCHMARK(act1_draw)
    ->Args({213, 429})
    ->Args({4000, 700})
    ->Args({3000, 1750})
    ->Args({213, 0})
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(1.0);
BENCHMARK(act1_draw_layers)
    ->Args({213, 429})
    ->Args({4000, 700})
    ->Args({3000, 1750})
    ->Args({213, 0})
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(1.0);

BENCHMARK_MAIN();
