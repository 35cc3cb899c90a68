// A small hand-made course for the player's sensor and push-out loops: the
// terrain from layout lines, the player's value object, the camera limits,
// the player and its fourteen sensors with the offsets the act gives them,
// one type each standing in for the solids, platforms, ledge objects and
// linkable objects, and the player engine's groups on.
#pragma once

#include "game/frames/event_index.h"
#include "game/frames/level_layout.h"
#include "tests/support/event_kit.h"

#include <cmath>
#include <functional>
#include <string>
#include <utility>

namespace player_course {

struct Offset {
    const char* name;
    int type;
    double a, b;
};

constexpr Offset sensor_offsets[] = {
    {"PlayerSensorTop_92", types::PlayerSensorTop_92, 0, -12},
    {"PlayerSensorTopBig_93", types::PlayerSensorTopBig_93, 0, -13},
    {"PlayerSensorBottom_94", types::PlayerSensorBottom_94, 0, 12},
    {"PlayerSensorBottomBig_95", types::PlayerSensorBottomBig_95, 0, 13},
    {"PlayerSensorPlatform_97", types::PlayerSensorPlatform_97, 0, -5},
    {"PlayerSensorLeft_88", types::PlayerSensorLeft_88, -12, -2},
    {"PlayerSensorLeftBig_89", types::PlayerSensorLeftBig_89, -13, -2},
    {"PlayerSensorRight_90", types::PlayerSensorRight_90, 12, -2},
    {"PlayerSensorRightBig_91", types::PlayerSensorRightBig_91, 13, -2},
    {"PlayerSensorSlopes_96", types::PlayerSensorSlopes_96, 0, 24},
    {"PlayerSensorLeftAngle_98", types::PlayerSensorLeftAngle_98, -7, 0},
    {"PlayerSensorRightAngle_99", types::PlayerSensorRightAngle_99, 7, 0},
    {"PlayerSensorLeftEdge_100", types::PlayerSensorLeftEdge_100, -8, 12},
    {"PlayerSensorRightEdge_101", types::PlayerSensorRightEdge_101, 8, 12},
};

// The fourteen sensors out of sight, each with the act's offset.
inline void place_sensors(EventKit& kit)
{
    for (const Offset& offset : sensor_offsets) {
        FrameObject* sensor = kit.place(offset.name, -100, -100);
        EventKit::set_value(sensor, 'A', offset.a);
        EventKit::set_value(sensor, 'B', offset.b);
    }
}

inline void engine_groups(Frames& frames)
{
    frames.level_group_43 = true;
    frames.level_group_23 = true;
    frames.level_group_19 = true;
    static ObjectList* solids[] = {&frames.instances[types::MonitorCrystals_120], nullptr};
    static ObjectList* platforms[] = {&frames.instances[types::LevelValleyPlatform1_149], nullptr};
    static ObjectList* ledges[] = {&frames.instances[types::MonitorCrystals_120],
                                   &frames.instances[types::HazardSpikesUp_133], nullptr};
    frames.qualifier_1.set(1, solids);
    frames.qualifier_2.set(1, platforms);
    frames.qualifier_3.set(2, ledges);
    frames.qualifier_13.set(1, solids);
    frames.qualifier_6.set(1, platforms);
}

// The slope following (event 658) runs the slopes-down loop, which steps
// the body into flat ground, then the slopes-up loop (events 555, 556),
// which lifts it back out; scenarios on real terrain run 658 only once the
// lifting half is built, rather than watch the player sink.
inline bool slope_following_built()
{
    const EventIndexRow* lifting = find_event(555);
    return lifting && lifting->built;
}

// Flat ground (top row 400) from 0 to 511; a wall 128 wide from x 512 up to
// row 272, whose top ends in a ledge at column 639; beyond it a rising and a
// falling slope, each 128 by 128 with its top at row 400, on solid ground;
// and a block in the air over x 0-127, rows 100-227, to hit from below.
namespace terrain {
inline const char* const layout =
    "VostrelWall1_220 0 100 background 0\n"
    "LevelBackdrop02_142 0 400 background 0\n"
    "LevelBackdrop02_142 128 400 background 0\n"
    "LevelBackdrop02_142 256 400 background 0\n"
    "LevelBackdrop02_142 384 400 background 0\n"
    "VostrelWall1_220 512 272 background 0\n"
    "VostrelWall1_220 512 400 background 0\n"
    "VostrelRockSlope4_223 640 400 background 0\n"
    "VostrelRockSlope4_224 768 400 background 0\n"
    "VostrelWall1_220 640 528 background 0\n"
    "VostrelWall1_220 768 528 background 0\n";
constexpr int ground_top = 400;
constexpr int wall_left = 512;
constexpr int wall_top = 272;
constexpr int ledge_end = 639;
constexpr int block_bottom = 227;
}  // namespace terrain

class Course {
public:
    static constexpr int width = 1024;
    static constexpr int height = 768;

    // Terrain as layout lines ("LevelBackdrop02_142 0 400 background 0");
    // `tick` runs on every tick after the first.
    void enter(const std::string& terrain, std::function<void(Frames&)> tick = {})
    {
        kit.enter_empty_frame({.width = width,
                               .height = height,
                               .handler = [this](Frames& frames) {
                                   if (ticking)
                                       ticking(frames);
                               },
                               .set_up = [terrain](Frames& frames) {
                                   engine_groups(frames);
                                   place_level_layout(frames, parse_level_layout(terrain, "course"));
                               }});
        values = kit.place("PlayerMovementValues_80", -100, -100);
        camera = kit.place("MasterCamera_190", -100, -100);
        EventKit::set_value(camera, 'C', 0);
        EventKit::set_value(camera, 'D', 0);
        EventKit::set_value(camera, 'E', width);
        EventKit::set_value(camera, 'F', height);
        player = kit.place("Player_87", -100, -100);
        place_sensors(kit);
        ticking = std::move(tick);
    }

    // The exact position, the ground angle, on the ground or not, and the speeds.
    void stand(double x, double y, double angle = 0, double on_ground = 1, double speed = 0, double fall = 0)
    {
        set('X', x);
        set('Y', y);
        set('N', angle);
        set('L', on_ground);
        set('B', speed);
        set('G', fall);
    }

    // Every sensor placed and tested at the exact position, as the movement
    // step leaves them before the surface events.
    void sense()
    {
        Frames& frames = kit.frames();
        frames.run_loop(frames.fast_loop_player01allsensors, 1, &Frames::loop_player01allsensors_4);
    }

    double get(char letter) const { return EventKit::value(values, letter); }
    void set(char letter, double number) { EventKit::set_value(values, letter, number); }
    FrameObject* sensor(int type) { return kit.instance(type); }
    double hit(int type) { return EventKit::value(sensor(type), 'Z'); }
    std::pair<int, int> at(int type) { return {sensor(type)->get_x(), sensor(type)->get_y()}; }

    EventKit kit;
    FrameObject* values = nullptr;
    FrameObject* camera = nullptr;
    FrameObject* player = nullptr;

private:
    std::function<void(Frames&)> ticking;
};

// The ground angle a pair of probe positions gives, as the angle calculator
// turns their differences into degrees.
inline double angle_between(std::pair<int, int> left, std::pair<int, int> right)
{
    const double a = left.first - right.first, b = left.second - right.second;
    double c = a == 0 ? 0.0 : -std::atan(b / a) * 57.29577951308232;
    if (c < 0)
        c += 180;
    if (b < 0)
        c += 180;
    if (c == 0 && a > 0)
        c = 180;
    if (c == 0 && b > 0)
        c = 90;
    if (c == 180 && b < 0)
        c = 270;
    return c;
}

// The angle measurement of the engine: both probes back to the surface
// level, twenty lowering passes, then the angle of where they stopped.
inline double measure_angle(Course& course)
{
    Frames& frames = course.kit.frames();
    EventKit::set_value(course.sensor(types::PlayerSensorLeftAngle_98), 'Y', 0);
    EventKit::set_value(course.sensor(types::PlayerSensorRightAngle_99), 'Y', 0);
    frames.run_loop(frames.fast_loop_player01detectangle, 20, &Frames::loop_player01detectangle_4);
    return angle_between(course.at(types::PlayerSensorLeftAngle_98), course.at(types::PlayerSensorRightAngle_99));
}

}  // namespace player_course
