#include "tools/assetwriter/demo_sounds.h"

#include "tools/assetwriter/sound_items.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

// The music that the game plays by path, relative to the content folder.
const std::vector<std::string> music_files = {
    "Data/BGM/m_1up.ogg",     "Data/BGM/m_title.ogg",         "Data/BGM/m_midboss.ogg",
    "Data/BGM/m_invincibility.ogg", "Data/BGM/m_menu1.ogg", "Data/BGM/m_gameover.ogg",
    "Data/BGM/m_clear.ogg",   "Data/BGM/m_stage1.ogg",        "Data/BGM/m_stage1b.ogg",
    "Data/BGM/m_speedup.ogg",
};

constexpr int tone_rate = 22050;
constexpr int tone_frames = tone_rate * 3 / 20;  // 0.15 s
constexpr int music_rate = 44100;
constexpr int music_seconds = 4;

// Fades the last quarter out, so that a tone ends without a click.
void fade_out(std::vector<int16_t>& samples, int channels)
{
    const size_t frames = samples.size() / size_t(channels);
    const size_t fade = frames / 4;
    for (size_t i = frames - fade; i < frames; ++i) {
        const double gain = double(frames - i) / double(fade);
        for (int c = 0; c < channels; ++c) {
            int16_t& s = samples[i * size_t(channels) + size_t(c)];
            s = int16_t(std::lround(s * gain));
        }
    }
}

// The ids cycle through two octaves of semitones from 220 Hz.
std::string tone_item(int id)
{
    const double hz = 220.0 * std::pow(2.0, double(id % 24) / 12.0);
    std::vector<int16_t> samples = sine_wave(hz, tone_frames, tone_rate, 1, 8000.0);
    fade_out(samples, 1);
    return wav_file(samples, 1, tone_rate);
}

// A tune of whole seconds in which the sines complete their cycles, so that it
// loops without a seam: a root in the left channel and its fifth in the right.
}  // namespace

std::string demo_music_loop(int index)
{
    const double root = 110.0 + 10.0 * index;
    const int frames = music_rate * music_seconds;
    const std::vector<int16_t> left = sine_wave(root, frames, music_rate, 1, 6000.0);
    const std::vector<int16_t> right = sine_wave(root * 1.5, frames, music_rate, 1, 4000.0);
    std::vector<int16_t> stereo;
    stereo.reserve(size_t(frames) * 2);
    for (int i = 0; i < frames; ++i) {
        stereo.push_back(left[size_t(i)]);
        stereo.push_back(right[size_t(i)]);
    }
    return ogg_vorbis_file(stereo, 2, music_rate);
}

bool write_content_file(const std::filesystem::path& path, const std::string& bytes)
{
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    if (error || bytes.empty() || !out) {
        printf("Could not write %s\n", path.c_str());
        return false;
    }
    return true;
}

const std::vector<std::string>& demo_music_paths()
{
    return music_files;
}

bool add_demo_sounds(AssetWriter& writer, const std::string& dir)
{
    for (int id = 0; id < AssetFile::sound_count; ++id)
        add_sound_item(writer, id, SOUND_ITEM_WAV, tone_item(id));
    int index = 0;
    for (const std::string& path : music_files) {
        if (!write_content_file(std::filesystem::path(dir) / path, demo_music_loop(index++)))
            return false;
    }
    return true;
}
