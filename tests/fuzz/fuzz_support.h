// Shared by the harnesses: one temporary content volume for the whole
// process, the input written there as a loose file or as an asset item.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The asset ids whose items hold the input (put_fuzz_item).
constexpr int fuzz_shader_id = 14;  // the plain texture program

// Readies the volumes and the file-system clients once per process.
void fuzz_setup();
// Also the renderer's own texture, so that no loaded texture gets slot 0.
void fuzz_graphics_setup();
// Also an audio device stepped by hand (no threads), for streams to join.
void fuzz_audio_setup();

// Writes the bytes as content file NAME; returns its path ("./NAME").
std::string put_fuzz_file(const std::string& name, const uint8_t* data, size_t size);
// Writes Assets.dat whose image 0, sound 0, font block, shader 14 and file
// 0 all start at the bytes, and makes the next lookup read its tables.
void put_fuzz_item(const uint8_t* data, size_t size);
