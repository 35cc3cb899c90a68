// The broad phase and the collision pass on a level-sized frame of about
// 2400 instances: sprites with masks, boxes and backdrops spread over it;
// and the release of many destroyed instances at once. The tick_share
// counters give a pass as a share of one 16.7 ms tick.
#include "graphics/image.h"
#include "runtime/collision.h"
#include "runtime/frame.h"
#include "runtime/frameobject.h"
#include "runtime/layer.h"
#include "runtime/manager.h"

#include <benchmark/benchmark.h>

#include <chrono>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {
constexpr int frame_width = 12800;
constexpr int frame_height = 2560;
constexpr int sprite_count = 1800;
constexpr int box_count = 400;
constexpr int backdrop_count = 200;
constexpr int sprite_type = 20;
constexpr int box_type = 21;
constexpr int player_type = 22;

class BenchFrame : public Frame {
public:
    void set_index(int) override {}
};

class Sprite : public FrameObject {
public:
    SpriteCollision shape{this};
    Sprite(int x, int y, int type, Image* image) : FrameObject(x, y, type)
    {
        collision = &shape;
        shape.image = image;
        shape.hotspot_x = image->hotspot_x;
        shape.hotspot_y = image->hotspot_y;
        shape.update_transform();
    }
    ~Sprite() override { collision = nullptr; }
    void dealloc() override { delete this; }
};

class Box : public FrameObject {
public:
    InstanceBox shape{this};
    Box(int x, int y, int type, int w, int h) : FrameObject(x, y, type)
    {
        width = w;
        height = h;
        collision = &shape;
    }
    ~Box() override { collision = nullptr; }
    void dealloc() override { delete this; }
};

class Backdrop : public FrameObject {
public:
    BackdropCollision shape;
    Backdrop(int x, int y, Image* image) : FrameObject(x, y, 1), shape(this, image)
    {
        collision = &shape;
        flags |= BACKGROUND;
    }
    ~Backdrop() override { collision = nullptr; }
    void dealloc() override { delete this; }
};

// A 32 x 32 image whose mask is a disc.
Image* make_disc_image()
{
    Image* image = new Image(16, 16, 0, 0);
    image->width = image->height = 32;
    image->pixels = static_cast<uint8_t*>(std::calloc(32 * 32 * 4, 1));
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const int dx = x - 16, dy = y - 16;
            image->pixels[(y * 32 + x) * 4 + 3] = dx * dx + dy * dy < 256 ? 255 : 0;
        }
    }
    return image;
}

constexpr double tick_seconds = 1.0 / 60.0;

// Times the body by hand, for the share of a tick.
class TickShare {
public:
    explicit TickShare(benchmark::State& state) : state(state) {}
    ~TickShare()
    {
        if (state.iterations() > 0)
            state.counters["tick_share"] = seconds / double(state.iterations()) / tick_seconds;
    }
    template <class Body>
    void time(Body&& body)
    {
        const auto start = std::chrono::steady_clock::now();
        body();
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

private:
    benchmark::State& state;
    double seconds = 0.0;
};

uint32_t random_state = 0;
int next_random(int below)
{
    random_state = random_state * 214013u + 2531011u;
    return int(((random_state >> 16) & 0x7FFF) * uint32_t(below) >> 15);
}

struct Level {
    BenchFrame frame;
    std::unique_ptr<Image> disc{make_disc_image()};
    std::vector<FrameObject*> movers;

    Level()
    {
        manager.frame = &frame;
        frame.width = frame.virtual_width = frame_width;
        frame.height = frame.virtual_height = frame_height;
        frame.index = 0;
        frame.layers.resize(1);
        frame.layers[0].init(0, 1.0, 1.0, true, false, false);
        random_state = 0;
        for (int i = 0; i < sprite_count; ++i)
            add(new Sprite(next_random(frame_width), next_random(frame_height), sprite_type, disc.get()));
        for (int i = 0; i < box_count; ++i)
            add(new Box(next_random(frame_width), next_random(frame_height), box_type, 24, 24));
        for (int i = 0; i < 8; ++i)
            add(new Sprite(next_random(frame_width), next_random(frame_height), player_type, disc.get()));
        for (int i = 0; i < backdrop_count; ++i) {
            frame.add_background_object(new Backdrop(next_random(frame_width), next_random(frame_height), disc.get()),
                                        0);
        }
    }
    ~Level()
    {
        frame.reset();
        manager.frame = nullptr;
    }
    void add(FrameObject* object)
    {
        frame.add_object(object, 0);
        movers.push_back(object);
    }
};

Level& level()
{
    static Level shared;
    return shared;
}

void BM_GridMove(benchmark::State& state)
{
    Level& l = level();
    int step = 1;
    for (auto _ : state) {
        for (FrameObject* object : l.movers)
            object->set_position(object->x + step, object->y);
        step = -step;
    }
    state.SetItemsProcessed(state.iterations() * int64_t(l.movers.size()));
}
BENCHMARK(BM_GridMove);

void BM_DrawQuery(benchmark::State& state)
{
    Layer& layer = level().frame.layers[0];
    int box[4];
    int x = 0;
    for (auto _ : state) {
        layer.get_view_box(x, 1000, box);
        layer.collect_instances(box);
        benchmark::DoNotOptimize(layer.draw_list.data());
        x = (x + 97) % (frame_width - 426);
    }
}
BENCHMARK(BM_DrawQuery);

void BM_BackgroundOverlap(benchmark::State& state)
{
    Level& l = level();
    for (auto _ : state) {
        int hits = 0;
        for (FrameObject* object : l.movers) {
            object->flags &= ~uint32_t(FrameObject::HAS_COLLISION_CACHE);
            hits += object->overlaps_background();
        }
        benchmark::DoNotOptimize(hits);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(l.movers.size()));
}
BENCHMARK(BM_BackgroundOverlap);

int contacts = 0;
class CountingFrame : public BenchFrame {
public:
    void on_contact() { ++contacts; }
};
const Frame::CollisionCallback count_contact = static_cast<Frame::CollisionCallback>(&CountingFrame::on_contact);

// A few player-side instances against every sprite of the level.
void BM_CollisionPassFewAgainstMany(benchmark::State& state)
{
    Level& l = level();
    for (auto _ : state) {
        l.frame.test_collisions(l.frame.instances[player_type], l.frame.instances[sprite_type], 1, 1, count_contact);
        for (FrameObject* object : l.movers)
            object->collision_events = 0;
    }
    state.SetItemsProcessed(state.iterations() * 8 * sprite_count);
}
BENCHMARK(BM_CollisionPassFewAgainstMany);

// Every sprite and box against every sprite and box (2,200 x 2,200), few of
// them touching: the worst pass of the frame.
void BM_CollisionPassAllPairs(benchmark::State& state)
{
    Level& l = level();
    ObjectList* members[] = {&l.frame.instances[sprite_type], &l.frame.instances[box_type], nullptr};
    QualifierList group;
    group.set(2, members);
    {
        TickShare share(state);
        for (auto _ : state) {
            share.time([&] { l.frame.test_collisions(group, group, 2, 4, count_contact); });
            for (FrameObject* object : l.movers)
                object->collision_events = 0;
        }
    }
    const int64_t n = sprite_count + box_count;
    state.SetItemsProcessed(state.iterations() * n * n);
    state.counters["contacts"] = double(contacts) / double(state.iterations());
    contacts = 0;
}
BENCHMARK(BM_CollisionPassAllPairs)->Unit(benchmark::kMillisecond);

// One list against another, 2,200 each, as a level's collision event runs
// it every tick: after the first pass the contacts only continue.
void BM_CollisionPassListAgainstList(benchmark::State& state)
{
    BenchFrame frame;
    Frame* const running = manager.frame;
    manager.frame = &frame;
    frame.width = frame.virtual_width = frame_width;
    frame.height = frame.virtual_height = frame_height;
    frame.layers.resize(1);
    frame.layers[0].init(0, 1.0, 1.0, true, false, false);
    random_state = 5;
    for (int i = 0; i < 2200; ++i) {
        frame.add_object(new Box(next_random(frame_width), next_random(frame_height), sprite_type, 24, 24), 0);
        frame.add_object(new Box(next_random(frame_width), next_random(frame_height), box_type, 24, 24), 0);
    }
    {
        TickShare share(state);
        for (auto _ : state)
            share.time([&] {
                frame.test_collisions(frame.instances[sprite_type], frame.instances[box_type], 1, 1, count_contact);
            });
    }
    state.counters["first_pass_contacts"] = double(contacts);
    contacts = 0;
    frame.reset();
    manager.frame = running;
}
BENCHMARK(BM_CollisionPassListAgainstList)->Unit(benchmark::kMillisecond);

// The release of about `range` destroyed instances out of 8,000 spread over
// four types, picked at random and destroyed oldest first.
void BM_CleanInstances(benchmark::State& state)
{
    BenchFrame frame;
    Frame* const running = manager.frame;
    manager.frame = &frame;
    frame.width = frame.virtual_width = frame_width;
    frame.height = frame.virtual_height = frame_height;
    frame.layers.resize(1);
    frame.layers[0].init(0, 1.0, 1.0, true, false, false);
    const int total = 8000;
    int64_t destroyed = 0;
    {
        TickShare share(state);
        for (auto _ : state) {
            state.PauseTiming();
            random_state = 9;
            std::vector<FrameObject*> placed;
            for (int i = 0; i < total; ++i) {
                placed.push_back(frame.add_object(
                    new Box(next_random(frame_width), next_random(frame_height), 30 + i % 4, 16, 16), 0));
            }
            for (FrameObject* object : placed) {
                if (next_random(total) < state.range(0)) {
                    object->destroy();
                    ++destroyed;
                }
            }
            state.ResumeTiming();
            share.time([&] { frame.clean_instances(); });
            state.PauseTiming();
            frame.reset();
            frame.layers.resize(1);
            frame.layers[0].init(0, 1.0, 1.0, true, false, false);
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(destroyed);
    manager.frame = running;
}
BENCHMARK(BM_CleanInstances)->Arg(100)->Arg(4000)->Unit(benchmark::kMillisecond);
}  // namespace

BENCHMARK_MAIN();
