// Reads a sound the ways the game does: decoded whole into a Sample, and
// piece by piece with seeks and rewinds, as a stream refills its ring.
#pragma once

#include "audio/media.h"

#include <cstddef>
#include <cstdint>

void read_sound_file(const uint8_t* data, size_t size, Media::AudioType type);
