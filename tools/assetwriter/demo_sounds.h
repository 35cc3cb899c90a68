// The sounds that the demo content carries: a short tone for every sound id
// of the asset file and a looping tune for every music file the game plays.
#pragma once

#include <string>

class AssetWriter;

// Adds the sound items to the writer and writes the music files below dir;
// false on failure.
bool add_demo_sounds(AssetWriter& writer, const std::string& dir);
