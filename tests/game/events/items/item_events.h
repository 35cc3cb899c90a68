// The item events as the act handlers call them, on the player course of
// the physics tests (the act's solid, platform and item-box groups, the
// player standing at x 256), cut to a frame so small that nothing in it
// is ever put to sleep out of view: a flat floor at 200 in a frame of
// 480 x 240, whose objects stay active up to x 960 and y 540.
#pragma once

#include "game/frames/event_support.h"
#include "objects/active.h"
#include "tests/game/events/act1_frame/act1_start_kit.h"
#include "tests/game/events/player_physics/player_terrain.h"
#include "tests/game/events/player_stage.h"

#include <vector>

namespace item_events {

constexpr int floor_top = 200;
constexpr int half_box = 16;  // the stand-in boxes are 32 pixels square about their position

using Event = FramesEvent;

// The item-box events in handler order: motion (1666 twice), breaking, the
// icons and the shield previews.
inline const std::vector<Event>& item_box_events()
{
    static const std::vector<Event> events = player_stage::act1_events(1657, 1717);
    return events;
}

// The collectibles' events in handler order: 1593 and 1597 ahead of the
// rest, then the petals, crystals and keystones.
inline const std::vector<Event>& pickup_events()
{
    static const std::vector<Event> events = player_stage::joined(
        {{&Frames::event_func_1593, &Frames::event_func_1597}, player_stage::act1_events(1571, 1607)});
    return events;
}

inline const std::vector<Event>& keystone_codec_events()
{
    static const std::vector<Event> events = player_stage::act1_events(1608, 1627);
    return events;
}

// The extra life's events as the handlers call them: the right and left
// probes are shown twice.
inline const std::vector<Event>& extra_life_events()
{
    static const std::vector<Event> events = player_stage::act1_events(1628, 1651);
    return events;
}

// The course with `events` as the tick handler.
inline EmptyFrame course(std::vector<Event> events, std::function<void(Frames&)> set_up = {})
{
    player_terrain::TerrainScene scene;
    scene.width = 480;
    scene.height = 240;
    scene.floor_top = floor_top;
    scene.standing = true;
    scene.handler = [events](Frames& frames) { player_stage::run_events(frames, events); };
    scene.set_up = std::move(set_up);
    return player_terrain::player_terrain_frame(scene);
}

// The instance of a single-instance type, placed when the course has none.
inline FrameObject* ensure(EventKit& kit, int type, const char* name, int x = 0, int y = 0, int layer = 0)
{
    FrameObject* object = kit.instance(type);
    return object ? object : kit.place(name, x, y, layer);
}

inline Active* active(FrameObject* object) { return static_cast<Active*>(object); }
// Destroyed, or playing its disappearing animation on the way out.
inline bool destroyed(const FrameObject* object)
{
    return object->flags & (FrameObject::DESTROYING | FrameObject::FADEOUT);
}

// Destroyed, or already released (never read through the pointer then).
inline bool gone(EventKit& kit, int type, const FrameObject* object)
{
    for (FrameObject* instance : kit.instances(type))
        if (instance == object)
            return destroyed(instance);
    return true;
}

}  // namespace item_events
