#include "tools/assetwriter/sound_items.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vorbis/vorbisenc.h>

namespace {

// Fixed, so that the same samples always give the same file.
constexpr int ogg_serial_number = 0x51564c41;

void append_pages(ogg_stream_state& stream, std::string& out, bool flush)
{
    ogg_page page;
    while (flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) {
        out.append(reinterpret_cast<const char*>(page.header), size_t(page.header_len));
        out.append(reinterpret_cast<const char*>(page.body), size_t(page.body_len));
    }
}

// Hands every finished packet of the analysis to the stream.
void drain_packets(vorbis_dsp_state& dsp, vorbis_block& block, ogg_stream_state& stream,
                   std::string& out)
{
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
        vorbis_analysis(&block, nullptr);
        vorbis_bitrate_addblock(&block);
        ogg_packet packet;
        while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
            ogg_stream_packetin(&stream, &packet);
            append_pages(stream, out, false);
        }
    }
}

struct VorbisEncoder {
    vorbis_info info;
    vorbis_comment comment;
    vorbis_dsp_state dsp;
    vorbis_block block;
    ogg_stream_state stream;
    bool started = false;

    VorbisEncoder() { vorbis_info_init(&info); }
    ~VorbisEncoder()
    {
        if (started) {
            ogg_stream_clear(&stream);
            vorbis_block_clear(&block);
            vorbis_dsp_clear(&dsp);
            vorbis_comment_clear(&comment);
        }
        vorbis_info_clear(&info);
    }
    VorbisEncoder(const VorbisEncoder&) = delete;
    VorbisEncoder& operator=(const VorbisEncoder&) = delete;

    bool start(int channels, int sample_rate, float quality, std::string& out)
    {
        if (vorbis_encode_init_vbr(&info, channels, sample_rate, quality) != 0)
            return false;
        vorbis_comment_init(&comment);
        vorbis_analysis_init(&dsp, &info);
        vorbis_block_init(&dsp, &block);
        ogg_stream_init(&stream, ogg_serial_number);
        started = true;
        ogg_packet identification, comments, codebooks;
        vorbis_analysis_headerout(&dsp, &comment, &identification, &comments, &codebooks);
        ogg_stream_packetin(&stream, &identification);
        ogg_stream_packetin(&stream, &comments);
        ogg_stream_packetin(&stream, &codebooks);
        // Audio starts on a page of its own.
        append_pages(stream, out, true);
        return true;
    }
};

}  // namespace

std::vector<int16_t> sine_wave(double hz, int frames, int sample_rate, int channels,
                               double amplitude)
{
    std::vector<int16_t> out;
    if (frames <= 0 || channels <= 0 || sample_rate <= 0)
        return out;
    out.reserve(size_t(frames) * size_t(channels));
    const double step = 2.0 * M_PI * hz / sample_rate;
    for (int i = 0; i < frames; ++i) {
        const auto value = int16_t(std::lround(amplitude * std::sin(step * i)));
        out.insert(out.end(), size_t(channels), value);
    }
    return out;
}

std::string wav_file(const std::vector<int16_t>& interleaved, int channels, int sample_rate)
{
    const auto data_size = uint32_t(interleaved.size() * 2);
    std::string out = "RIFF";
    put_u32(out, 36 + data_size);
    out += "WAVEfmt ";
    put_u32(out, 16);
    put_u16(out, 1);  // integer PCM
    put_u16(out, uint16_t(channels));
    put_u32(out, uint32_t(sample_rate));
    put_u32(out, uint32_t(sample_rate * channels * 2));
    put_u16(out, uint16_t(channels * 2));
    put_u16(out, 16);
    out += "data";
    put_u32(out, data_size);
    for (const int16_t value : interleaved)
        put_u16(out, uint16_t(value));
    return out;
}

std::string ogg_vorbis_file(const std::vector<int16_t>& interleaved, int channels,
                            int sample_rate, float quality)
{
    std::string out;
    VorbisEncoder encoder;
    if (channels <= 0 || !encoder.start(channels, sample_rate, quality, out)) {
        printf("Could not encode Ogg Vorbis: %d channels at %d Hz\n", channels, sample_rate);
        return {};
    }
    constexpr size_t block_frames = 1024;
    const size_t frames = interleaved.size() / size_t(channels);
    for (size_t first = 0; first < frames; first += block_frames) {
        const size_t count = std::min(block_frames, frames - first);
        float** buffer = vorbis_analysis_buffer(&encoder.dsp, int(count));
        for (size_t i = 0; i < count; ++i) {
            for (int c = 0; c < channels; ++c)
                buffer[c][i] = float(interleaved[(first + i) * size_t(channels) + size_t(c)]) / 32768.0f;
        }
        vorbis_analysis_wrote(&encoder.dsp, int(count));
        drain_packets(encoder.dsp, encoder.block, encoder.stream, out);
    }
    vorbis_analysis_wrote(&encoder.dsp, 0);  // end of stream
    drain_packets(encoder.dsp, encoder.block, encoder.stream, out);
    append_pages(encoder.stream, out, true);
    return out;
}

std::string sound_item(SoundItemType type, const std::string& data)
{
    std::string body;
    put_u32(body, type);
    put_u32(body, uint32_t(data.size()));
    return body + data;
}

bool add_sound_item(AssetWriter& writer, int id, SoundItemType type, const std::string& data)
{
    return writer.add_item(AssetFile::SOUND_DATA, id, sound_item(type, data));
}
