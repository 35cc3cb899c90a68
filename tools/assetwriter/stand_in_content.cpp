#include "tools/assetwriter/stand_in_content.h"

#include "tools/assetwriter/asset_writer.h"
#include "tools/assetwriter/demo_content.h"
#include "tools/assetwriter/demo_graphics.h"
#include "tools/assetwriter/demo_sounds.h"
#include "tools/assetwriter/font_block.h"
#include "tools/assetwriter/image_item.h"
#include "tools/assetwriter/stand_in_layouts.h"
#include "tools/assetwriter/stand_in_pictures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace {

constexpr int effect_rate = 22050;
constexpr double two_pi = 2.0 * M_PI;

// Items that stream instead of being decoded at start-up: their data lies
// above the WAV (0.2 MiB) and Ogg (0.75 MiB) thresholds.
constexpr int long_wav_ids[] = {212, 213};
constexpr int long_ogg_id = 215;

// Voice lines that the game plays by path; each gets a short Ogg loop.
const char* const voice_files[] = {
    "voices/orrun/orrun_kiddingme.ogg",
    "voices/pimsa/pimsa_quietno.ogg",
};

constexpr int embedded_file_count = 18;

// A fixed-seed generator, so that noise is the same on every run and machine.
struct Noise {
    uint32_t state;
    explicit Noise(uint32_t seed) : state(seed * 2654435761u + 12345u) {}
    double next()  // -1 .. 1
    {
        state = state * 1664525u + 1013904223u;
        return double(state >> 8) / double(1u << 23) - 1.0;
    }
};

int16_t sample_of(double value)
{
    return int16_t(std::lround(std::clamp(value, -32767.0, 32767.0)));
}

// A 5 ms rise and a fall over the last quarter: no clicks at either end.
double envelope(int i, int frames)
{
    const int rise = effect_rate / 200;
    const int fall = std::max(frames / 4, 1);
    double gain = i < rise ? double(i) / rise : 1.0;
    if (i >= frames - fall)
        gain *= double(frames - i) / fall;
    return gain;
}

// Semitone steps over three octaves from 110 Hz, a different pitch per id
// within each kind.
double pitch_of(int id)
{
    return 110.0 * std::pow(2.0, double((id * 7) % 36) / 12.0);
}

// Mono samples of effect `id`: a tone with an overtone, a chirp up or down,
// or filtered noise, 0.08 to 0.4 s long.
std::vector<int16_t> effect_samples(int id, int frames)
{
    std::vector<int16_t> out(static_cast<size_t>(frames));
    const double hz = pitch_of(id);
    switch (id % 3) {
    case 0: {  // tone with a vibrato whose speed depends on the id
        const double vibrato = 3.0 + id % 5;
        for (int i = 0; i < frames; ++i) {
            const double t = double(i) / effect_rate;
            const double phase = two_pi * hz * t + 0.3 * std::sin(two_pi * vibrato * t);
            out[size_t(i)] = sample_of(envelope(i, frames) *
                                       (7000.0 * std::sin(phase) + 2000.0 * std::sin(2.0 * phase)));
        }
        break;
    }
    case 1: {  // chirp: up for even ids, down for odd ones
        const double to = (id / 3) % 2 == 0 ? hz * 4.0 : hz / 2.0;
        double phase = 0.0;
        for (int i = 0; i < frames; ++i) {
            const double f = hz + (to - hz) * double(i) / frames;
            phase += two_pi * f / effect_rate;
            out[size_t(i)] = sample_of(envelope(i, frames) * 8000.0 * std::sin(phase));
        }
        break;
    }
    default: {  // noise through a one-pole low-pass, decaying
        Noise noise{uint32_t(id)};
        const double smooth = 0.05 + double(id % 17) / 20.0;
        double level = 0.0;
        for (int i = 0; i < frames; ++i) {
            level += smooth * (noise.next() - level);
            const double decay = std::exp(-4.0 * double(i) / frames);
            out[size_t(i)] = sample_of(envelope(i, frames) * decay * 12000.0 * level);
        }
        break;
    }
    }
    return out;
}

// Stereo frames of two sources, left and right.
std::vector<int16_t> interleave(const std::vector<int16_t>& left, const std::vector<int16_t>& right)
{
    std::vector<int16_t> stereo;
    stereo.reserve(left.size() * 2);
    for (size_t i = 0; i < left.size(); ++i) {
        stereo.push_back(left[i]);
        stereo.push_back(right[i]);
    }
    return stereo;
}

// A long ambient item: stereo effects of two ids over `seconds`.
std::vector<int16_t> long_samples(int id, int rate, double seconds, double noise_level)
{
    const int frames = int(rate * seconds);
    std::vector<int16_t> left(static_cast<size_t>(frames)), right(static_cast<size_t>(frames));
    Noise noise{uint32_t(id)};
    const double hz = pitch_of(id);
    for (int i = 0; i < frames; ++i) {
        const double t = double(i) / rate;
        const double swell = 0.6 + 0.4 * std::sin(two_pi * 0.5 * t);
        const double tone = 5000.0 * swell * std::sin(two_pi * hz * t);
        left[size_t(i)] = sample_of(tone + noise_level * noise.next());
        right[size_t(i)] = sample_of(tone * 0.8 + noise_level * noise.next());
    }
    return interleave(left, right);
}

// A voice line: syllables of a gliding tone with overtones, as a short loop.
std::string voice_line(int index)
{
    const int rate = effect_rate;
    const int syllables = 3 + index;
    const int syllable = rate / 5;
    std::vector<int16_t> samples;
    double phase = 0.0;
    for (int s = 0; s < syllables; ++s) {
        const double base = 180.0 + 40.0 * ((s * 3 + index) % 4);
        for (int i = 0; i < syllable; ++i) {
            phase += two_pi * (base + 60.0 * double(i) / syllable) / rate;
            const double shape = std::sin(M_PI * double(i) / syllable);
            samples.push_back(sample_of(
                shape * (6000.0 * std::sin(phase) + 3000.0 * std::sin(2 * phase) + 1500.0 * std::sin(3 * phase))));
        }
    }
    return ogg_vorbis_file(samples, 1, rate);
}

void put_int32(std::string& out, int32_t value)
{
    put_u32(out, uint32_t(value));
}

// An array file of the game's binding layout: numeric, base 0,
// 12 x 6 x 2 cells; `cells` holds (x, y, value) of z = 0.
std::string binding_array(const std::vector<std::array<int, 3>>& cells)
{
    constexpr int x_size = 12, y_size = 6, z_size = 2;
    std::vector<int32_t> values(size_t(x_size * y_size * z_size), 0);
    for (const auto& [x, y, value] : cells)
        values[size_t(x + y * x_size)] = value;
    std::string out("CNC ARRAY\0", 10);
    put_u16(out, 2);  // version 2.0
    put_u16(out, 0);
    put_int32(out, x_size);
    put_int32(out, y_size);
    put_int32(out, z_size);
    put_int32(out, 1);  // numeric, base index 0
    for (const int32_t value : values)
        put_int32(out, value);
    return out;
}

bool write_named(const std::string& dir, const std::string& path, const std::string& bytes)
{
    return write_content_file(std::filesystem::path(dir) / path, bytes);
}

}  // namespace

StandInSound stand_in_sound(int id)
{
    StandInSound sound;
    if (id < 0 || id >= AssetFile::sound_count)
        return sound;
    if (std::find(std::begin(long_wav_ids), std::end(long_wav_ids), id) != std::end(long_wav_ids)) {
        sound.type = SOUND_ITEM_WAV;
        sound.data = wav_file(long_samples(id, effect_rate, 2.6, 1500.0), 2, effect_rate);
        return sound;
    }
    if (id == long_ogg_id) {
        // Loud noise keeps the encoder's bit rate high, so a few seconds pass the threshold.
        sound.type = SOUND_ITEM_OGG;
        sound.data = ogg_vorbis_file(long_samples(id, 44100, 14.0, 14000.0), 2, 44100, 1.0f);
        return sound;
    }
    const int frames = effect_rate * (8 + (id * 13) % 33) / 100;
    const std::vector<int16_t> samples = effect_samples(id, frames);
    // Each kind in both encodings: ids 3k..3k+2 alternate by k.
    if ((id / 3) % 2 == 0) {
        sound.type = SOUND_ITEM_WAV;
        sound.data = wav_file(samples, 1, effect_rate);
    } else {
        sound.type = SOUND_ITEM_OGG;
        sound.data = ogg_vorbis_file(samples, 1, effect_rate);
    }
    return sound;
}

std::vector<std::string> stand_in_loose_files()
{
    std::vector<std::string> paths = {"bootup.png", "Data/font.bmp", "control_keyboard.cfg",
                                      "control_gamepad.cfg"};
    for (const std::string& music : demo_music_paths())
        paths.push_back(music);
    for (const char* voice : voice_files)
        paths.push_back(voice);
    for (const auto& [path, bytes] : stand_in_layout_files())
        paths.push_back(path);
    return paths;
}

std::string keyboard_bindings_file()
{
    // Source 0 (a key) in every slot, with the game's default keys:
    // the arrows, z, x, c and Return.
    const int codes[8] = {0x40000052, 0x40000051, 0x40000050, 0x4000004F, 'z', 'x', 'c', 13};
    std::vector<std::array<int, 3>> cells;
    for (int slot = 1; slot <= 8; ++slot)
        cells.push_back({slot, 1, codes[slot - 1]});
    return binding_array(cells);
}

std::string gamepad_bindings_file()
{
    // Slots 1-4 read the d-pad sectors (source 1: 90 up, 270 down, 180 left,
    // 0 right); 5-8 buttons (source 0): A (2), B (1), X (4), + (7). Slot 5
    // confirms in the menus, so it is A, which the keyboard's Z and Space
    // also press. The dead zone cell (0, 2) holds 25 percent.
    const int sources[8] = {1, 1, 1, 1, 0, 0, 0, 0};
    const int codes[8] = {90, 270, 180, 0, 2, 1, 4, 7};
    std::vector<std::array<int, 3>> cells = {{0, 2, 25}};
    for (int slot = 1; slot <= 8; ++slot) {
        cells.push_back({slot, 0, sources[slot - 1]});
        cells.push_back({slot, 1, codes[slot - 1]});
    }
    return binding_array(cells);
}

std::string caption_font_bitmap()
{
    constexpr int cell_w = 8, cell_h = 20, columns = 32, baseline = 15;
    constexpr int width = cell_w * columns, height = cell_h * 3;
    std::vector<uint8_t> rgb(size_t(width * height * 3), 0);
    std::vector<uint32_t> codes;
    for (uint32_t code = 32; code < 127; ++code)
        codes.push_back(code);
    FontBlockFont font;
    const bool have_font =
        rasterise_font("/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf", 13, codes, font);
    for (size_t n = 0; n < codes.size(); ++n) {
        const int left = int(n % columns) * cell_w, top = int(n / columns) * cell_h;
        auto plot = [&](int x, int y) {
            if (x < 0 || y < 0 || x >= cell_w || y >= cell_h)
                return;
            const size_t p = (size_t(top + y) * width + size_t(left + x)) * 3;
            rgb[p] = 255, rgb[p + 1] = 236, rgb[p + 2] = 140;
        };
        const FontBlockGlyph* glyph = nullptr;
        for (const FontBlockGlyph& candidate : font.glyphs)
            if (candidate.code == codes[n])
                glyph = &candidate;
        if (!have_font || !glyph) {
            // Without the font, an outlined box still shows where each cell is.
            for (int i = 1; i < cell_w - 1; ++i)
                plot(i, 4), plot(i, baseline);
            for (int i = 4; i <= baseline; ++i)
                plot(1, i), plot(cell_w - 2, i);
            continue;
        }
        const int x0 = int(std::lround(glyph->corner_x)), y0 = baseline - int(std::lround(glyph->corner_y));
        for (int y = 0; y < glyph->height; ++y)
            for (int x = 0; x < glyph->width; ++x)
                if (glyph->coverage[size_t(y * glyph->width + x)] >= 100)
                    plot(x0 + x, y0 + y);
    }
    return bmp_file(width, height, rgb);
}

bool write_stand_in_content(const std::string& dir)
{
    if (!create_content_folder(dir))
        return false;
    AssetWriter writer;
    // Shader programs, the font block, a test image at handle 0 (preloaded)
    // and bootup.png, as the demo content has them.
    if (!add_demo_graphics(writer, dir))
        return false;
    // After the demo graphics, so that the pictures and their preload list
    // replace the test image.
    add_stand_in_pictures(writer);
    for (int id = 0; id < AssetFile::sound_count; ++id) {
        const StandInSound sound = stand_in_sound(id);
        if (sound.data.empty() || !add_sound_item(writer, id, sound.type, sound.data)) {
            printf("Could not make sound item %d\n", id);
            return false;
        }
    }
    for (int id = 0; id < embedded_file_count; ++id) {
        char text[64];
        snprintf(text, sizeof text, "Stand-in embedded file %d.\n", id);
        writer.add_file(id, text);
    }
    int index = 0;
    for (const std::string& music : demo_music_paths())
        if (!write_named(dir, music, demo_music_loop(index++)))
            return false;
    index = 0;
    for (const char* voice : voice_files)
        if (!write_named(dir, voice, voice_line(index++)))
            return false;
    if (!write_named(dir, "Data/font.bmp", caption_font_bitmap()) ||
        !write_named(dir, "control_keyboard.cfg", keyboard_bindings_file()) ||
        !write_named(dir, "control_gamepad.cfg", gamepad_bindings_file()))
        return false;
    for (const auto& [path, bytes] : stand_in_layout_files())
        if (!write_named(dir, path, bytes))
            return false;
    return writer.write(dir + "/Assets.dat");
}
