// Sprites with in-memory images and animation tables, and a running frame
// for the object tests.
#pragma once

#include "base/pools.h"
#include "graphics/image.h"
#include "objects/active.h"
#include "runtime/frame.h"
#include "runtime/manager.h"
#include "tests/runtime/runtime_fixtures.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <new>
#include <vector>

// An image whose pixels are already in memory, so nothing loads it.
inline std::unique_ptr<Image> memory_image(int w, int h, int hot_x = 0, int hot_y = 0, int act_x = 0,
                                           int act_y = 0)
{
    auto image = std::make_unique<Image>(hot_x, hot_y, act_x, act_y);
    image->width = int16_t(w);
    image->height = int16_t(h);
    image->pixels = static_cast<uint8_t*>(calloc(size_t(w * h * 4 + 4), 1));
    return image;
}

// One class's animation table, built like the generated classes' tables.
class AnimationTable {
public:
    // Direction `dir` of animation `anim`, with its own images.
    Direction& add(int anim, int dir, int frame_count, int speed, int repeat, int back_to = 0, int w = 16,
                   int h = 16)
    {
        auto frames = std::make_unique<Image*[]>(size_t(frame_count));
        for (int i = 0; i < frame_count; ++i) {
            images.push_back(memory_image(w, h));
            frames[size_t(i)] = images.back().get();
        }
        records.push_back(std::make_unique<Direction>(
            Direction{dir, speed, speed, back_to, repeat, frames.get(), frame_count}));
        frame_arrays.push_back(std::move(frames));
        Animation& animation = animations[anim];
        animation.dirs[dir] = records.back().get();
        return *records.back();
    }

    // The table with every animation's slots filled; `count` defaults to
    // the highest animation plus 1.
    Animations* get(int count = -1)
    {
        if (count < 0)
            count = animations.empty() ? 0 : animations.rbegin()->first + 1;
        list.assign(size_t(count), nullptr);
        for (auto& [number, animation] : animations) {
            fill_direction_slots(animation);
            if (number < count)
                list[size_t(number)] = &animation;
        }
        table = {count, list.data()};
        return &table;
    }

    Image* frame(int anim, int dir, int index) { return animations[anim].dirs[dir]->frames[index]; }

private:
    std::vector<std::unique_ptr<Image>> images;
    std::vector<std::unique_ptr<Image*[]>> frame_arrays;
    std::vector<std::unique_ptr<Direction>> records;
    std::map<int, Animation> animations;
    std::vector<Animation*> list;
    Animations table = {0, nullptr};
};

// A sprite from the Active pool, set up the way a generated class does it.
inline Active* make_active(Animations* table, int initial = 0, bool box = false, int x = 0, int y = 0,
                           int type_id = 2)
{
    Active* active = new (object_pool<Active>.create()) Active(x, y, type_id);
    active->animations = table;
    active->animation = active->current_animation = initial;
    active->initialize_active(box);
    return active;
}

// A running frame with one layer, speed factor 1.0 and ticks of 1/60 s.
class ObjectTest : public testing::Test {
protected:
    void SetUp() override
    {
        frame.set_up(640, 480, 1);
        frame.timer_mul = 1.0f;
        manager.frame = &frame;
        manager.frame_time = 1.0f / 60.0f;
    }
    void TearDown() override
    {
        frame.reset();
        manager.frame = nullptr;
        manager.frame_time = 0.0f;
    }

    Active* add(Active* active)
    {
        frame.add_object(active, 0);
        return active;
    }

    AnimationTable table;
    PlainFrame frame;
};
