// Writes the harnesses' seed corpora (corpus/<reader>/) and the inputs of
// the faults the fuzzing found (crashes/<reader>/), all made with our own
// asset tools:  fuzz_seed_corpus tests/fuzz
#include "console/shader_container.h"
#include "objects/arrayext.h"
#include "tests/fuzz/damage.h"
#include "tests/fuzz/fuzz_support.h"
#include "tools/assetwriter/asset_writer.h"
#include "tools/assetwriter/effect_programs.h"
#include "tools/assetwriter/font_block.h"
#include "tools/assetwriter/image_item.h"
#include "tools/assetwriter/shader_items.h"
#include "tools/assetwriter/sound_items.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

fs::path root;
bool written = true;

void put(const char* kind, const char* reader, const char* name, const std::string& bytes)
{
    const fs::path folder = root / kind / reader;
    fs::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    written = written && bool(out);
}

ImageItemSource checker(int width, int height)
{
    ImageItemSource image;
    image.width = width;
    image.height = height;
    image.hot_x = 1;
    image.action_y = -2;
    for (int i = 0; i < width * height; ++i)
        image.rgba.insert(image.rgba.end(), {uint8_t(i * 40), uint8_t(255 - i), 0, uint8_t(i % 2 ? 255 : 0)});
    return image;
}

// A small face: three glyphs of a few texels each.
FontBlockFont tiny_font(int face_size)
{
    FontBlockFont font;
    font.face_size = face_size;
    font.cell_width = 5.0f;
    font.line_height = 7.0f;
    font.ascender = 6.0f;
    font.descender = -1.0f;
    for (const uint32_t code : {uint32_t('A'), uint32_t(' '), 0x300Cu}) {
        FontBlockGlyph glyph;
        glyph.code = code;
        glyph.upper_x = 4.0f;
        glyph.upper_y = 5.0f;
        glyph.advance_x = 5.0f;
        glyph.corner_y = 5.0f;
        glyph.width = code == ' ' ? 0 : 3;
        glyph.height = code == ' ' ? 0 : 4;
        glyph.coverage.assign(size_t(glyph.width * glyph.height), 200);
        font.glyphs.push_back(glyph);
    }
    return font;
}

std::string short_wav(int channels, int rate, int frames)
{
    return wav_file(sine_wave(440.0, frames, rate, channels, 9000.0), channels, rate);
}

std::string short_ogg(int channels, int rate, int frames)
{
    return ogg_vorbis_file(sine_wave(330.0, frames, rate, channels, 9000.0), channels, rate, 0.0f);
}

std::string array_of(bool numeric, int base, int x, int y, int z)
{
    ArrayObject array(0, 0, 10);
    array.initialize(numeric, base, x, y, z);
    if (numeric)
        array.set_value(-7, base, base, base);
    else
        array.set_string("two words", base + x - 1, base, base);
    return encode_array_file(array.data);
}

// A whole asset file with one item of every kind the harnesses read.
std::string small_asset_file()
{
    AssetWriter writer;
    writer.set_preload({0, 1});
    writer.add_item(AssetFile::IMAGE_DATA, 0, image_item(checker(4, 4)));
    writer.add_item(AssetFile::IMAGE_DATA, 1, image_item(checker(1, 3)));
    add_sound_item(writer, 0, SOUND_ITEM_WAV, short_wav(1, 8000, 200));
    add_sound_item(writer, 1, SOUND_ITEM_OGG, short_ogg(1, 8000, 400));
    writer.add_item(AssetFile::FONT_DATA, 0, font_block({tiny_font(10)}));
    writer.add_item(AssetFile::SHADER_DATA, fuzz_shader_id, shader_item(texture_programs()));
    writer.add_file(0, "control data");
    return writer.build();
}

void write_seeds()
{
    put("corpus", "asset_tables", "small", small_asset_file());
    put("corpus", "image_item", "checker_4x4", image_item(checker(4, 4)));
    put("corpus", "image_item", "column_1x3", image_item(checker(1, 3)));
    const ImageItemSource picture = checker(3, 2);
    std::vector<uint8_t> rgb;
    for (size_t i = 0; i < picture.rgba.size(); ++i)
        if (i % 4 != 3)
            rgb.push_back(picture.rgba[i]);
    put("corpus", "image_file", "rgba.png", png_file(3, 2, 4, picture.rgba));
    put("corpus", "image_file", "rgb.png", png_file(3, 2, 3, rgb));
    put("corpus", "font_block", "two_fonts", font_block({tiny_font(8), tiny_font(12)}));
    put("corpus", "shader_item", "texture", shader_item(texture_programs()));
    put("corpus", "shader_container", "texture", shader_container_build(texture_programs()));
    put("corpus", "shader_container", "font", shader_container_build(font_programs()));
    put("corpus", "sound_item", "wav", sound_item(SOUND_ITEM_WAV, short_wav(2, 11025, 100)));
    put("corpus", "sound_item", "ogg", sound_item(SOUND_ITEM_OGG, short_ogg(2, 11025, 400)));
    put("corpus", "wav", "mono_8000", short_wav(1, 8000, 200));
    put("corpus", "wav", "stereo_44100", short_wav(2, 44100, 64));
    put("corpus", "ogg", "mono_8000", short_ogg(1, 8000, 800));
    put("corpus", "ogg", "stereo_22050", short_ogg(2, 22050, 600));
    put("corpus", "array_file", "numeric", array_of(true, 1, 3, 2, 1));
    put("corpus", "array_file", "text", array_of(false, 0, 2, 1, 2));
    put("corpus", "string_parser", "music_call", "play,2;loop 1,intro.ogg;stop");
    put("corpus", "input_script", "example",
        "# tick  controller  buttons\n"
        "1 gamepad A stick 0.5 -1\n"
        "30 remote0 classic B PLUS\n"
        "31 gamepad touch 640 360 # tap\n"
        "60 remote0 absent\n");
    put("corpus", "level_layout", "rows",
        "# a short course\n"
        "LevelBackdrop02_142 0 448 background 2\n"
        "VostrelRockSlope4_223\t128 320 background 2\n"
        "ObjectCrystal_239 64 408 object 2 # a crystal\n"
        "Sign_170 14992 85 object 2\r\n"
        "GUIPowerCard_337 91 7 object 6\n");
    put("corpus", "level_layout", "damaged",
        "NoSuchThing_1 0 0 object 2\nSign_170 1 2 object 9\nSign_170 x 2 object 2\n"
        "Sign_170 1 2 background 2\nSign_170 1 2\nSign_170 -2147483648 2147483647 object 0\n");
}

void write_fault_inputs()
{
    // Arrays: sizes 32768 x 32768 x 0 need no cells, then a write grows them.
    std::string array = std::string("CNC ARRAY\0", 10);
    put_u16(array, 2);
    put_u16(array, 0);
    for (const uint32_t field : {32768u, 32768u, 0u, 1u})
        put_u32(array, field);
    put("crashes", "array_file", "zero_beside_32768", array);
    // A type word that is no AudioType.
    std::string type_five;
    put_u32(type_five, 5);
    put("crashes", "asset_tables", "type_word_5", type_five);
    put("crashes", "sound_item", "type_word_5", type_five);
    // A font whose cells overflow the packing pen.
    FontBlockFont wide = tiny_font(10);
    wide.cell_width = 2000.0f;
    wide.line_height = 3e9f;
    put("crashes", "font_block", "cell_2000_line_3e9", font_block({wide}));
    put("crashes", "image_file", "tga_35080x9473", tga_header(35080, 9473, 3));
    put("crashes", "image_file", "tga_20736x3462", tga_header(20736, 3462, 102));
    put("crashes", "image_file", "pnm_16_bit_header", pnm_16_bit_header());
    put("crashes", "image_file", "pnm_long_number", pnm_long_number());
    put("crashes", "image_file", "jpeg_huffman_counts_510", jpeg_huffman_counts_510());
    put("crashes", "image_file", "png_idat_length_2_30", png_with_idat_claiming(uint32_t(1) << 30));
    put("crashes", "image_item", "32767x32767_short_stream", image_item_claiming(32767, 32767));
    const std::string fast_wav = with_wav_rate(short_wav(1, 8000, 200), 0x7FFFFFFF);
    put("crashes", "wav", "rate_2147483647", fast_wav);
    put("crashes", "sound_item", "streamed_wav_rate_2147483647", sound_item_claiming(SOUND_ITEM_WAV, fast_wav, 300000));
    const std::string ogg = short_ogg(1, 8000, 800);
    // Several pages: vorbisfile then takes the last granule for the length.
    put("crashes", "ogg", "granule_2_40", with_last_granule(short_ogg(1, 8000, 120000), uint64_t(1) << 40));
    put("crashes", "ogg", "setup_bit_flipped", with_setup_bit_flipped(ogg));
    put("crashes", "sound_item", "streamed_ogg_setup_bit_flipped",
        sound_item_claiming(SOUND_ITEM_OGG, with_setup_bit_flipped(ogg), 800000));
    std::string shader = "\xF0\xFF\xFF\xFF";
    shader += shader_container_build(texture_programs());
    put("crashes", "shader_item", "size_F0FFFFFF", shader);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        printf("usage: fuzz_seed_corpus FOLDER\n");
        return 2;
    }
    root = argv[1];
    write_seeds();
    write_fault_inputs();
    if (!written)
        printf("Could not write the corpus below %s\n", argv[1]);
    return written ? 0 : 1;
}
