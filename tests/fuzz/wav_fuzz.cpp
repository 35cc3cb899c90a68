// A RIFF/WAVE sound, as a loose file or the data of a sound item.
#include "tests/fuzz/harnesses.h"
#include "tests/fuzz/sound_reading.h"

int fuzz_wav(const uint8_t* data, size_t size)
{
    read_sound_file(data, size, Media::WAV);
    return 0;
}
