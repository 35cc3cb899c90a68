// Sound items for the asset file: WAV and Ogg Vorbis encodings of 16-bit
// PCM, and the item body (type word, size word, data) that readers expect.
#pragma once

#include "tools/assetwriter/asset_writer.h"

#include <cstdint>
#include <string>
#include <vector>

// The type word of a sound item.
enum SoundItemType : uint32_t { SOUND_ITEM_NONE = 0, SOUND_ITEM_WAV = 1, SOUND_ITEM_OGG = 2 };

// Interleaved frames of a sine wave at `amplitude` (0..32767), the same in
// every channel.
std::vector<int16_t> sine_wave(double hz, int frames, int sample_rate, int channels,
                               double amplitude);

// A RIFF/WAVE file of 16-bit PCM.
std::string wav_file(const std::vector<int16_t>& interleaved, int channels, int sample_rate);
// An Ogg Vorbis stream (variable bit rate, `quality` -0.1..1); empty when the
// encoder refuses the shape.
std::string ogg_vorbis_file(const std::vector<int16_t>& interleaved, int channels,
                            int sample_rate, float quality = 0.4f);

// Type word, size word, then the data.
std::string sound_item(SoundItemType type, const std::string& data);
bool add_sound_item(AssetWriter& writer, int id, SoundItemType type, const std::string& data);
