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

#include <vector>

namespace item_events {

constexpr int floor_top = 200;
constexpr int half_box = 16;  // the stand-in boxes are 32 pixels square about their position

using Event = void (Frames::*)();

// The item-box events in handler order: motion (1666 twice), breaking, the
// icons and the shield previews.
inline const std::vector<Event>& item_box_events()
{
    static const std::vector<Event> events = {
        &Frames::event_func_1657, &Frames::event_func_1658, &Frames::event_func_1659, &Frames::event_func_1660,
        &Frames::event_func_1661, &Frames::event_func_1662, &Frames::event_func_1663, &Frames::event_func_1664,
        &Frames::event_func_1665, &Frames::event_func_1666, &Frames::event_func_1666, &Frames::event_func_1667,
        &Frames::event_func_1668, &Frames::event_func_1669, &Frames::event_func_1670, &Frames::event_func_1671,
        &Frames::event_func_1672, &Frames::event_func_1673, &Frames::event_func_1674, &Frames::event_func_1675,
        &Frames::event_func_1676, &Frames::event_func_1677, &Frames::event_func_1678, &Frames::event_func_1679,
        &Frames::event_func_1680, &Frames::event_func_1681, &Frames::event_func_1682, &Frames::event_func_1683,
        &Frames::event_func_1684, &Frames::event_func_1685, &Frames::event_func_1686, &Frames::event_func_1687,
        &Frames::event_func_1688, &Frames::event_func_1689, &Frames::event_func_1690, &Frames::event_func_1691,
        &Frames::event_func_1692, &Frames::event_func_1693, &Frames::event_func_1694, &Frames::event_func_1695,
        &Frames::event_func_1696, &Frames::event_func_1697, &Frames::event_func_1698, &Frames::event_func_1699,
        &Frames::event_func_1700, &Frames::event_func_1701, &Frames::event_func_1702, &Frames::event_func_1703,
        &Frames::event_func_1704, &Frames::event_func_1705, &Frames::event_func_1706, &Frames::event_func_1707,
        &Frames::event_func_1708, &Frames::event_func_1709, &Frames::event_func_1710, &Frames::event_func_1711,
        &Frames::event_func_1712, &Frames::event_func_1713, &Frames::event_func_1714, &Frames::event_func_1715,
        &Frames::event_func_1716, &Frames::event_func_1717,
    };
    return events;
}

// The collectibles' events in handler order: 1593 and 1597 ahead of the
// rest, then the petals, crystals and keystones.
inline const std::vector<Event>& pickup_events()
{
    static const std::vector<Event> events = [] {
        std::vector<Event> list = {&Frames::event_func_1593, &Frames::event_func_1597};
        const Event petals_to_keystones[] = {
            &Frames::event_func_1571, &Frames::event_func_1572, &Frames::event_func_1573, &Frames::event_func_1574,
            &Frames::event_func_1575, &Frames::event_func_1576, &Frames::event_func_1577, &Frames::event_func_1578,
            &Frames::event_func_1579, &Frames::event_func_1580, &Frames::event_func_1581, &Frames::event_func_1582,
            &Frames::event_func_1583, &Frames::event_func_1584, &Frames::event_func_1585, &Frames::event_func_1586,
            &Frames::event_func_1587, &Frames::event_func_1588, &Frames::event_func_1589, &Frames::event_func_1590,
            &Frames::event_func_1591, &Frames::event_func_1592, &Frames::event_func_1594, &Frames::event_func_1595,
            &Frames::event_func_1596, &Frames::event_func_1598, &Frames::event_func_1599, &Frames::event_func_1600,
            &Frames::event_func_1601, &Frames::event_func_1602, &Frames::event_func_1603, &Frames::event_func_1604,
            &Frames::event_func_1605, &Frames::event_func_1606, &Frames::event_func_1607,
        };
        list.insert(list.end(), std::begin(petals_to_keystones), std::end(petals_to_keystones));
        return list;
    }();
    return events;
}

inline const std::vector<Event>& keystone_codec_events()
{
    static const std::vector<Event> events = {
        &Frames::event_func_1608, &Frames::event_func_1609, &Frames::event_func_1610, &Frames::event_func_1611,
        &Frames::event_func_1612, &Frames::event_func_1613, &Frames::event_func_1614, &Frames::event_func_1615,
        &Frames::event_func_1616, &Frames::event_func_1617, &Frames::event_func_1618, &Frames::event_func_1619,
        &Frames::event_func_1620, &Frames::event_func_1621, &Frames::event_func_1622, &Frames::event_func_1623,
        &Frames::event_func_1624, &Frames::event_func_1625, &Frames::event_func_1626, &Frames::event_func_1627,
    };
    return events;
}

// The extra life's events as the handlers call them: the right and left
// probes are shown twice.
inline const std::vector<Event>& extra_life_events()
{
    static const std::vector<Event> events = {
        &Frames::event_func_1628, &Frames::event_func_1629, &Frames::event_func_1630, &Frames::event_func_1631,
        &Frames::event_func_1632, &Frames::event_func_1633, &Frames::event_func_1634, &Frames::event_func_1635,
        &Frames::event_func_1636, &Frames::event_func_1637, &Frames::event_func_1638, &Frames::event_func_1639,
        &Frames::event_func_1640, &Frames::event_func_1630, &Frames::event_func_1641, &Frames::event_func_1632,
        &Frames::event_func_1642, &Frames::event_func_1643, &Frames::event_func_1644, &Frames::event_func_1645,
        &Frames::event_func_1646, &Frames::event_func_1647, &Frames::event_func_1648, &Frames::event_func_1649,
        &Frames::event_func_1650, &Frames::event_func_1651,
    };
    return events;
}

inline void run(Frames& frames, const std::vector<Event>& events)
{
    for (Event event : events)
        (frames.*event)();
}

// The course with `events` as the tick handler.
inline EmptyFrame course(std::vector<Event> events, std::function<void(Frames&)> set_up = {})
{
    player_terrain::TerrainScene scene;
    scene.width = 480;
    scene.height = 240;
    scene.floor_top = floor_top;
    scene.standing = true;
    scene.handler = [events](Frames& frames) { run(frames, events); };
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
