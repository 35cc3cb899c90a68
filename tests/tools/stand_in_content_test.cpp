// The stand-in content folder: every file the game names by path, sound
// items that decode, and the same bytes on every run. How fast it is written
// is measured by benchmarks/stand_in_content_benchmark.cpp, not here.
#include "base/assetfile.h"
#include "tools/assetwriter/stand_in_content.h"
#include "tools/assetwriter/stand_in_layouts.h"

#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

uint32_t word_at(const std::string& bytes, size_t offset)
{
    return uint32_t(uint8_t(bytes[offset])) | uint32_t(uint8_t(bytes[offset + 1])) << 8 |
           uint32_t(uint8_t(bytes[offset + 2])) << 16 | uint32_t(uint8_t(bytes[offset + 3])) << 24;
}

std::string read_file(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Every file below the folder with its bytes, by relative path.
std::map<std::string, std::string> folder_contents(const fs::path& dir)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), dir).generic_string()] = read_file(entry.path());
    return files;
}

struct MemoryFile {
    const std::string* bytes;
    size_t position = 0;
};

size_t memory_read(void* out, size_t size, size_t count, void* source)
{
    auto* file = static_cast<MemoryFile*>(source);
    const size_t n = std::min(size * count, file->bytes->size() - file->position);
    memcpy(out, file->bytes->data() + file->position, n);
    file->position += n;
    return size ? n / size : 0;
}

// The PCM frames of an Ogg Vorbis stream; -1 when it does not decode.
long ogg_frames(const std::string& bytes, int& channels)
{
    MemoryFile file{&bytes};
    OggVorbis_File vorbis;
    const ov_callbacks callbacks = {memory_read, nullptr, nullptr, nullptr};
    if (ov_open_callbacks(&file, &vorbis, nullptr, 0, callbacks) != 0)
        return -1;
    channels = ov_info(&vorbis, -1)->channels;
    long frames = 0;
    char buffer[8192];
    int section = 0;
    for (;;) {
        const long got = ov_read(&vorbis, buffer, sizeof buffer, 0, 2, 1, &section);
        if (got < 0) {
            frames = -1;
            break;
        }
        if (got == 0)
            break;
        frames += got / (2 * channels);
    }
    ov_clear(&vorbis);
    return frames;
}

// The PCM frames of a 16-bit PCM RIFF/WAVE file; -1 when its header is wrong.
long wav_frames(const std::string& bytes, int& channels)
{
    if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 8, "WAVEfmt ") != 0 ||
        word_at(bytes, 4) != bytes.size() - 8 || (word_at(bytes, 20) & 0xFFFF) != 1 ||
        bytes.compare(36, 4, "data") != 0 || word_at(bytes, 40) != bytes.size() - 44)
        return -1;
    channels = int(word_at(bytes, 22) & 0xFFFF);
    if ((word_at(bytes, 34) & 0xFFFF) != 16 || channels < 1 || channels > 2)
        return -1;
    return long(word_at(bytes, 40)) / (2 * channels);
}

}  // namespace

TEST(StandInContent, the_folder_has_every_file_the_game_names_and_the_same_bytes_every_run)
{
    // A folder of this run's own: other builds may run the same test at once.
    std::string pattern = testing::TempDir() + "stand-in-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const fs::path root = pattern, first = root / "1", second = root / "2";
    ASSERT_TRUE(write_stand_in_content(first.string()));
    ASSERT_TRUE(write_stand_in_content(second.string()));

    const auto files = folder_contents(first);
    // The paths the game opens, with slashes (".\Data\BGM\m_title.ogg" is Data/BGM/m_title.ogg).
    std::vector<std::string> named = {
        "Assets.dat", "bootup.png", "Data/font.bmp", "control_keyboard.cfg", "control_gamepad.cfg",
        "Data/BGM/m_1up.ogg", "Data/BGM/m_title.ogg", "Data/BGM/m_midboss.ogg",
        "Data/BGM/m_invincibility.ogg", "Data/BGM/m_menu1.ogg", "Data/BGM/m_gameover.ogg",
        "Data/BGM/m_clear.ogg", "Data/BGM/m_stage1.ogg", "Data/BGM/m_stage1b.ogg",
        "Data/BGM/m_speedup.ogg", "voices/orrun/orrun_kiddingme.ogg", "voices/pimsa/pimsa_quietno.ogg"};
    for (const auto& [path, bytes] : stand_in_layout_files())
        named.push_back(path);
    for (const std::string& path : named) {
        ASSERT_TRUE(files.count(path)) << path;
        EXPECT_FALSE(files.at(path).empty()) << path;
    }
    // Nothing else, and the list the tool gives is the same set.
    EXPECT_EQ(files.size(), named.size());
    std::vector<std::string> loose = stand_in_loose_files();
    loose.push_back("Assets.dat");
    EXPECT_EQ(std::set<std::string>(loose.begin(), loose.end()),
              std::set<std::string>(named.begin(), named.end()));

    // Loose sound files decode and loop: music in stereo, voices in mono.
    for (const std::string& path : named) {
        if (fs::path(path).extension() != ".ogg")
            continue;
        int channels = 0;
        EXPECT_GT(ogg_frames(files.at(path), channels), 10000) << path;  // half a second or more
        EXPECT_EQ(channels, path.rfind("voices/", 0) == 0 ? 1 : 2) << path;
    }
    // The embedded layouts are copied byte for byte.
    for (const auto& [path, bytes] : stand_in_layout_files())
        EXPECT_EQ(files.at(path), bytes) << path;
    // Every sound id and embedded file has its item, none points at the tables.
    const std::string& assets = files.at("Assets.dat");
    for (int id = 0; id < AssetFile::sound_count; ++id)
        EXPECT_GE(word_at(assets, 39204 + size_t(id) * 4), 40272u) << id;
    for (int id = 0; id < 18; ++id) {
        const uint32_t offset = word_at(assets, 40200 + size_t(id) * 4);
        ASSERT_GE(offset, 40272u) << id;
        EXPECT_GT(word_at(assets, offset), 0u) << id;
    }
    EXPECT_GE(word_at(assets, 40068), 40272u);  // the font block
    // BMP of 256 x 60 at 24 bits: 32 cells of 8 x 20 per row, three rows.
    const std::string& font = files.at("Data/font.bmp");
    EXPECT_EQ(font.compare(0, 2, "BM"), 0);
    EXPECT_EQ(word_at(font, 18), 256u);
    EXPECT_EQ(word_at(font, 22), 60u);

    EXPECT_EQ(folder_contents(second), files);
    fs::remove_all(root);
}

TEST(StandInContent, the_216_sound_items_decode_differ_and_straddle_the_streaming_thresholds)
{
    std::set<std::string> seen;
    int wav = 0, ogg = 0, streamed_wav = 0, streamed_ogg = 0;
    for (int id = 0; id < AssetFile::sound_count; ++id) {
        const StandInSound sound = stand_in_sound(id);
        int channels = 0;
        long frames = -1;
        if (sound.type == SOUND_ITEM_WAV) {
            ++wav;
            frames = wav_frames(sound.data, channels);
            streamed_wav += sound.data.size() > 209715;
        } else if (sound.type == SOUND_ITEM_OGG) {
            ++ogg;
            frames = ogg_frames(sound.data, channels);
            streamed_ogg += sound.data.size() > 786432;
        }
        // At least 0.08 s at 22050 Hz.
        EXPECT_GE(frames, 1764) << "sound " << id;
        EXPECT_TRUE(seen.insert(sound.data).second) << "sound " << id << " repeats another";
    }
    EXPECT_EQ(wav + ogg, 216);
    EXPECT_GT(wav, 50);
    EXPECT_GT(ogg, 50);
    // Some items stream from the asset file, the rest are decoded at start-up.
    EXPECT_GE(streamed_wav, 1);
    EXPECT_GE(streamed_ogg, 1);
    EXPECT_EQ(stand_in_sound(216).type, SOUND_ITEM_NONE);
}
