// What the Coming Soon! and How To Play frames share: the types their events
// address, the tile grid that dissolves as they start, and the event state
// their set-ups leave.
#pragma once

#include "runtime/frameobject.h"

class Frames;

namespace menu_type {
constexpr int save_data = 10;            // SaveData_10
constexpr int white_burst = 24;          // EffectsWhiteBurst_31
constexpr int fade = 32;                 // Fade_40
constexpr int master_level = 43;         // MasterLevel_53
constexpr int checker_pattern = 44;      // CheckerPattern_408
constexpr int prompt_next = 57;          // Active5_414
constexpr int fade_edge = 60;            // FadeEdge_73
constexpr int controls = 297;            // Controls_410
constexpr int caption = 298;             // HelpMessage9_413, HelpMessage9_451
constexpr int prompt_back = 299;         // Active6_415
constexpr int fade_in_tile = 300;        // FadeIn_417
constexpr int screen_state = 301;        // Active8_419
}  // namespace menu_type

// The 104 black tiles over the view, in the order the dissolve draws from.
void place_fade_in_tiles(Frames& frames);
// The dissolve on; the shared block's groups off, its counters reset.
void reset_menu_event_state(Frames& frames);
// A white burst on `anchor`'s position and layer.
void burst_at(Frames& frames, FrameObject* anchor);
// Loads the options save file named by global value 10 into SaveData_10.
void load_options_save(Frames& frames);
