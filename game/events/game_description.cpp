#include "game/events/game_description.h"

#include "game/events/frame_descriptors.h"
#include "game/frames/frames.h"

#include <algorithm>

Frames game_frames(frame_table);

namespace {

constexpr GlobalStart global_value_starts[] = {
    {7, 1}, {8, 5}, {9, 3}, {10, 1}, {12, 1}, {16, 426}, {17, 240}, {18, 200}, {19, 2}, {23, 1}, {25, 100},
};

const char* const global_string_starts[] = {
    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "NewSlot", "eng",
    " 40 20 20 20 20 20120 10100150 10 20 40 10 20",
};

// In the two stage frames either face button is button 1.
bool in_stage_frame()
{
    return game_frames.index == 4 || game_frames.index == 5;
}

GameDescription describe()
{
    GameDescription game;
    game.frames = &game_frames;
    game.frame_count = game_frame_count;
    game.global_value_count = 33;
    game.global_value_starts = global_value_starts;
    game.global_string_starts = global_string_starts;
    // Arrow keys up, down, left, right, then z, x, c and return.
    const int keys[8] = {0x40000052, 0x40000051, 0x40000050, 0x4000004F, 'z', 'x', 'c', 13};
    std::copy(keys, keys + 8, game.control_keys);
    game.either_face_button_is_1 = in_stage_frame;
    return game;
}

}  // namespace

const GameDescription& game_description()
{
    static const GameDescription game = describe();
    return game;
}
