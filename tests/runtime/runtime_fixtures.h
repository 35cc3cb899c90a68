// Frames, frame data and instances for the runtime tests.
#pragma once

#include "base/pools.h"
#include "runtime/frame.h"
#include "runtime/frameobject.h"
#include "runtime/manager.h"

#include <functional>
#include <new>
#include <string>
#include <vector>

// A frame whose nine descriptors write what they are asked to do into a log.
class RecordingFrame : public Frame {
public:
    class Data : public FrameData {
    public:
        RecordingFrame* owner = nullptr;
        int number = 0;
        void init() override;
        void on_start() override { owner->log.push_back(tag("on_start")); }
        void on_end() override
        {
            owner->log.push_back(tag("on_end"));
            frame->reset();
        }
        void on_app_end() override { owner->log.push_back(tag("on_app_end")); }
        void handle_events() override;
        void handle_pre_events() override { owner->log.push_back(tag("handle_pre_events")); }
        std::string tag(const char* what) const { return std::to_string(number) + ":" + what; }
    };

    std::vector<std::string> log;
    Data datas[9];
    // Runs inside the current frame's handle_events (the frame's events).
    std::function<void(RecordingFrame&)> events;
    // Runs inside update_objects.
    std::function<void(RecordingFrame&)> objects;

    RecordingFrame()
    {
        for (int i = 0; i < 9; ++i) {
            datas[i].owner = this;
            datas[i].number = i;
        }
    }
    void set_index(int i) override
    {
        data = &datas[i];
        data->frame = this;
    }
    void update_objects() override
    {
        log.push_back("update_objects");
        if (objects)
            objects(*this);
    }
};

inline void RecordingFrame::Data::init()
{
    owner->log.push_back(tag("init"));
    frame->width = frame->virtual_width = 640;
    frame->height = frame->virtual_height = 480;
    frame->index = number;
    frame->layers.resize(1);
    frame->layers[0].init(0, 1.0, 1.0, true, false, false);
}

inline void RecordingFrame::Data::handle_events()
{
    owner->log.push_back(tag("handle_events"));
    if (owner->events)
        owner->events(*owner);
}

// A plain frame for tests that drive the frame directly.
class PlainFrame : public Frame {
public:
    void set_index(int) override {}

    // Sized like a frame set-up does it, with `count` layers.
    void set_up(int w, int h, int count)
    {
        width = virtual_width = w;
        height = virtual_height = h;
        index = 0;
        layers.resize(size_t(count));
        for (int i = 0; i < count; ++i)
            layers[size_t(i)].init(i, 1.0, 1.0, true, false, false);
    }
};

// A frame (plain by default) that the manager runs, with `count` layers of
// one size; reset when the test ends.
template <class F = PlainFrame>
struct RunningFrame {
    F frame;
    RunningFrame(int w, int h, int count)
    {
        manager.frame = &frame;
        frame.set_up(w, h, count);
    }
    ~RunningFrame()
    {
        frame.reset();
        manager.frame = nullptr;
    }
    Layer& layer(int i) { return frame.layers[size_t(i)]; }
};

// The instances of a selection chain, in chain order.
using Chain = std::vector<FrameObject*>;
inline Chain chain_of(const ObjectList& list)
{
    Chain chain;
    for (int k = list.head(); k != 0; k = list.items[size_t(k)].next)
        chain.push_back(list.items[size_t(k)].obj);
    return chain;
}

// A shape's box (x1, y1, x2, y2).
inline std::vector<int> box_of(const CollisionBase& shape)
{
    return {shape.aabb[0], shape.aabb[1], shape.aabb[2], shape.aabb[3]};
}

// A plain instance from the pool of plain frame objects.
inline FrameObject* make_instance(int x, int y, int type_id)
{
    return new (object_pool<FrameObject>.create()) FrameObject(x, y, type_id);
}

// An instance with a box shape of the given size.
class BoxInstance : public FrameObject {
public:
    InstanceBox box{this};
    BoxInstance(int x, int y, int type_id, int w, int h) : FrameObject(x, y, type_id)
    {
        width = w;
        height = h;
        collision = &box;
    }
    ~BoxInstance() override { collision = nullptr; }
    void dealloc() override
    {
        this->~BoxInstance();
        object_pool<BoxInstance>.destroy(this);
    }
};

inline BoxInstance* make_box(int x, int y, int type_id, int w, int h)
{
    return new (object_pool<BoxInstance>.create()) BoxInstance(x, y, type_id, w, h);
}
