// A small course for the player's scenarios: an empty frame of the act's
// kind with the player's objects as the act places them (the player, its
// sensors, its value and support objects, the camera that bounds the
// sensors) on terrain the test lays out: a flat floor of solid squares, and
// slopes and walls where it asks for them.
//
//     EventKit kit;
//     TerrainScene scene;                       // floor top at 512
//     scene.pieces = {{TerrainPiece::rise, 1024, 384}};
//     scene.handler = [](Frames& f) { run_player_events(f, 594, 668); };
//     kit.enter_empty_frame(player_terrain_frame(scene));
//     FrameObject* values = player_values(kit);
#pragma once

#include "game/frames/frames.h"
#include "tests/support/event_kit.h"

#include <functional>
#include <vector>

namespace player_terrain {

// The playfield layer, as in the acts.
constexpr int playfield_layer = 2;
constexpr int tile = 128;

// Type ids of the player's objects.

// One 128-pixel square of terrain with its top-left corner at (x, y).
struct TerrainPiece {
    enum Kind {
        floor,  // solid square (LevelBackdrop02_142)
        rise,   // slope rising to the right, 128 up over 128 (VostrelRockSlope4_223)
        fall,   // slope falling to the right (VostrelRockSlope4_224)
        wall,   // solid square of wall (VostrelWall1_220)
    };
    Kind kind;
    int x, y;
};

struct TerrainScene {
    int width = 2048;
    int height = 1024;
    // The top of the flat floor, which spans the frame's width; below 0 for
    // no floor.
    int floor_top = 512;
    std::vector<TerrainPiece> pieces = {};
    // The player's exact position and state as the act's start events leave
    // them: in the air just above the floor, every step switched on.
    double start_x = 256;
    double start_y = 509;  // floor_top - 3, as the act starts above its floor
    // Standing instead: on the ground at rest on the floor, 10 pixels above
    // its top where the body just clears it, the foot sensors touching it.
    bool standing = false;
    int character = 0;
    // What the test adds: the end of the set-up (more instances, values),
    // the start events and the tick handler.
    std::function<void(Frames&)> set_up = {};
    std::function<void(Frames&)> start = {};
    std::function<void(Frames&)> handler = {};
};

// The scene as a kit frame: eight layers, the act's groups switched on as
// its set-up leaves them, its event state reset, its named loops, then the
// terrain and the player's objects on the playfield layer.
EmptyFrame player_terrain_frame(TerrainScene scene);

// Places one more piece of terrain (a background object) on the playfield.
FrameObject* place_terrain(Frames& frames, TerrainPiece piece);

// Runs the act's events `first` ... `last` (within 594 ... 710) in number
// order under the level groups the act's handler tests around them.
void run_player_events(Frames& frames, int first, int last);

// The single instances, read back.
inline FrameObject* player_values_of(Frames& frames) { return frames.instances[types::PlayerMovementValues_80].back; }
inline FrameObject* player_values(EventKit& kit) { return kit.instance(types::PlayerMovementValues_80); }

}  // namespace player_terrain
