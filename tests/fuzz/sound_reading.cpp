#include "tests/fuzz/sound_reading.h"

#include "audio/decoder.h"
#include "audio/sample.h"
#include "tests/fuzz/fuzz_support.h"

#include <memory>
#include <vector>

namespace {

// Bounded, so that a tiny file announcing a long sound ends in good time.
constexpr int pieces = 16;
constexpr unsigned piece_samples = 4096;

void read_pieces(TessaroAudio::SoundDecoder& decoder, int count)
{
    std::vector<short> left(piece_samples), right(piece_samples);
    for (int i = 0; i < count; ++i)
        if (TessaroAudio::read_samples(decoder, piece_samples, left.data(), right.data()) == 0)
            return;
}

}  // namespace

void read_sound_file(const uint8_t* data, size_t size, Media::AudioType type)
{
    fuzz_setup();
    const std::string path = put_fuzz_file(type == Media::WAV ? "sound.wav" : "sound.ogg", data, size);
    BaseFile file(path.c_str(), "r");
    { const TessaroAudio::Sample whole(file, type, unsigned(size)); }
    file.seek(0, 0);
    const std::unique_ptr<TessaroAudio::SoundDecoder> decoder(
        TessaroAudio::create_decoder(file, type, unsigned(size)));
    if (!decoder)
        return;
    read_pieces(*decoder, pieces);
    // A stream reads on after its end, rewinds to loop, and moves anywhere.
    for (const double seconds : {0.0, 0.25, 1e12, -1.0, 0.0}) {
        decoder->seek(seconds);
        read_pieces(*decoder, 2);
    }
}
