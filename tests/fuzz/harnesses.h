// The fuzz harnesses: one per reader of outside data. Each takes any bytes,
// runs its reader over them as the game would meet them, and returns 0.
// Built as libFuzzer targets with clang, and always into the replay test.
#pragma once

#include <cstddef>
#include <cstdint>

int fuzz_asset_tables(const uint8_t* data, size_t size);
int fuzz_image_item(const uint8_t* data, size_t size);
int fuzz_image_file(const uint8_t* data, size_t size);
int fuzz_font_block(const uint8_t* data, size_t size);
int fuzz_shader_item(const uint8_t* data, size_t size);
int fuzz_shader_container(const uint8_t* data, size_t size);
int fuzz_sound_item(const uint8_t* data, size_t size);
int fuzz_wav(const uint8_t* data, size_t size);
int fuzz_ogg(const uint8_t* data, size_t size);
int fuzz_array_file(const uint8_t* data, size_t size);
int fuzz_string_parser(const uint8_t* data, size_t size);
int fuzz_input_script(const uint8_t* data, size_t size);
int fuzz_level_layout(const uint8_t* data, size_t size);

struct FuzzHarness {
    const char* name;  // also the folder of its corpus and crash files
    int (*run)(const uint8_t* data, size_t size);
};

inline constexpr FuzzHarness fuzz_harnesses[] = {
    {"asset_tables", fuzz_asset_tables},     {"image_item", fuzz_image_item},
    {"image_file", fuzz_image_file},         {"font_block", fuzz_font_block},
    {"shader_item", fuzz_shader_item},       {"shader_container", fuzz_shader_container},
    {"sound_item", fuzz_sound_item},         {"wav", fuzz_wav},
    {"ogg", fuzz_ogg},                       {"array_file", fuzz_array_file},
    {"string_parser", fuzz_string_parser},   {"input_script", fuzz_input_script},
    {"level_layout", fuzz_level_layout},
};
