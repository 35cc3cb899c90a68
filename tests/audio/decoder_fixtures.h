// Shared by the decoder tests: asset files with sound items among other
// items, opened at an item the way the sound registration opens them.
#pragma once

#include "audio/decoder.h"
#include "base/assetfile.h"
#include "tests/support/volumes.h"
#include "tools/assetwriter/sound_items.h"

#include <gtest/gtest.h>
#include <cmath>
#include <map>
#include <string>
#include <vector>

// Bytes that must never reach a decoder: the items around the one under test.
constexpr uint16_t neighbour_word = 0x7777;

inline std::string neighbour_bytes(size_t count)
{
    std::string bytes;
    while (bytes.size() < count)
        put_u16(bytes, neighbour_word);
    return bytes.substr(0, count);
}

// Writes Assets.dat with the given sound bodies, an image item before them
// and the neighbour pattern in the sound item after each one.
inline void write_sound_assets(const TempVolumes& volumes, const std::map<int, std::string>& bodies)
{
    AssetWriter writer;
    writer.add_item(AssetFile::IMAGE_DATA, 0, neighbour_bytes(1000));
    for (const auto& [id, body] : bodies) {
        writer.add_item(AssetFile::SOUND_DATA, id, body);
        if (!bodies.count(id + 1) && id + 1 < AssetFile::sound_count)
            writer.add_item(AssetFile::SOUND_DATA, id + 1, neighbour_bytes(4096));
    }
    volumes.put_content("Assets.dat", writer.build());
}

// Positions `file` at the data of sound item `id` and reads its head.
inline void open_sound_item(AssetFile& file, int id, Media::AudioType& type, unsigned& size)
{
    file.open();
    file.set_item(id, AssetFile::SOUND_DATA);
    type = Media::AudioType(TessaroAudio::read_le32(file));
    size = TessaroAudio::read_le32(file);
}

// Fresh asset tables, and the file-system clients used once already: a
// client announces itself on first use, and the tests compare console output.
inline void fresh_asset_files(int client_slots)
{
    AssetFile::forget_tables();
    console_output_of([client_slots] {
        for (int slot = 0; slot < client_slots; ++slot)
            get_fs_data(slot);
    });
}

class DecoderTest : public testing::Test {
protected:
    void SetUp() override { fresh_asset_files(1); }
    TempVolumes volumes;
};

// One channel of interleaved frames.
inline std::vector<int16_t> channel_of(const std::vector<int16_t>& interleaved, int channels, int c)
{
    std::vector<int16_t> out;
    for (size_t i = size_t(c); i < interleaved.size(); i += size_t(channels))
        out.push_back(interleaved[i]);
    return out;
}

// Root-mean-square of (decoded - source) relative to the source's.
inline double relative_error(const int16_t* decoded, const std::vector<int16_t>& source)
{
    double error = 0.0;
    double signal = 0.0;
    for (size_t i = 0; i < source.size(); ++i) {
        const double d = double(decoded[i]) - source[i];
        error += d * d;
        signal += double(source[i]) * source[i];
    }
    return signal > 0.0 ? std::sqrt(error / signal) : 0.0;
}
