// The content folder that a plain ./run.sh plays: made by our own tools,
// since the game's real content is not ours to ship.
#pragma once

#include <string>

// Creates the folder and its parents; false, with one line, on failure.
bool create_content_folder(const std::string& dir);

// Writes dir/Assets.dat and the loose files; creates dir. False on failure.
bool write_demo_content(const std::string& dir);
