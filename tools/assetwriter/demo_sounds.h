// The sounds that the demo content carries: a short tone for every sound id
// of the asset file and a looping tune for every music file the game plays.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

class AssetWriter;

// Adds the sound items to the writer and writes the music files below dir;
// false on failure.
bool add_demo_sounds(AssetWriter& writer, const std::string& dir);

// What the stand-in content shares: the music paths below the content folder
// ("Data/BGM/m_title.ogg", ...), a seamless stereo Ogg loop per index, and
// the file writer that creates the folders on the way.
const std::vector<std::string>& demo_music_paths();
std::string demo_music_loop(int index);
bool write_content_file(const std::filesystem::path& path, const std::string& bytes);
