// The stand-in content folder: a complete content volume made by our own
// tools, so that the whole game runs and can be played and tested without
// the real content (docs/stand-in-content.md).
#pragma once

#include "tools/assetwriter/sound_items.h"

#include <string>
#include <vector>

// Writes dir/Assets.dat and every loose file; creates dir. The same bytes on
// every run. False (with a console line) on failure.
bool write_stand_in_content(const std::string& dir);

// The pieces, for the tests.
// Sound item `id` (0..215): its type word and the sound file's bytes.
struct StandInSound {
    SoundItemType type = SOUND_ITEM_NONE;
    std::string data;
};
StandInSound stand_in_sound(int id);
// Every loose file below the content folder, as a path with slashes
// ("Data/BGM/m_title.ogg"), in the order they are written.
std::vector<std::string> stand_in_loose_files();
// The control-binding array files with the default bindings.
std::string keyboard_bindings_file();
std::string gamepad_bindings_file();
// "Data/font.bmp": the caption's character sheet, 32 cells of 8 x 20 per
// row in character-code order from the space, on black (transparent).
std::string caption_font_bitmap();
