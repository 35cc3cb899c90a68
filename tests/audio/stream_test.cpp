#include "tests/audio/sound_fixtures.h"

using namespace TessaroAudio;

namespace {

uint32_t current_offset(AXVPB* voice)
{
    AXVoiceOffsets offsets;
    AXGetVoiceOffsets(voice, &offsets);
    return offsets.current_offset;
}

// Ring frames [from, to) of one channel hold the sound's frames from `first`
// on, wrapping at `length` frames.
void expect_ring(const short* ring, unsigned from, unsigned to, unsigned first, unsigned length, int channel)
{
    for (unsigned k = from; k < to; ++k) {
        const unsigned frame = (first + (k - from)) % length;
        if (ring[k] != RampDecoder::value_at(frame, channel)) {
            ADD_FAILURE() << "ring frame " << k << " holds " << ring[k] << ", not sound frame " << frame;
            return;
        }
    }
}

class StreamTest : public SoundEngineTest {
protected:
    // Steps audio frames until the callback has seen the voices enter `half`.
    void play_into_half(SoundStream& stream, unsigned half)
    {
        for (int i = 0; i < 2000 && stream.playing_half.load() != half; ++i)
            frames(1);
        ASSERT_EQ(stream.playing_half.load(), half);
    }
};

}  // namespace

TEST_F(StreamTest, a_44100_hz_stereo_stream_refills_its_first_half_when_the_voices_cross_frame_22050)
{
    auto* decoder = new RampDecoder(44100 * 3, 44100, 2);
    SoundStream* stream = ramp_stream(decoder);
    ASSERT_TRUE(stream->is_valid());
    EXPECT_EQ(stream->half_frames(), 22050u);
    EXPECT_EQ(global_device->streams, std::vector<SoundStream*>{stream});

    stream->play();
    expect_ring(stream->left, 0, 44100, 0, 132300, 0);
    expect_ring(stream->right, 0, 44100, 0, 132300, 1);
    ax_start_recording();
    frames(1);
    const std::vector<AXCall> calls = ax_take_recorded_calls();
    const std::string v0 = std::to_string(stream->voice(0)->index);
    const std::string v1 = std::to_string(stream->voice(1)->index);
    EXPECT_GE(position_of(calls, "AXSetVoiceOffsets(" + v0 + ", 10, 1, 0, 44099, 0, 1)"), 0);
    EXPECT_GE(position_of(calls, "AXSetVoiceOffsets(" + v1 + ", 10, 1, 0, 44099, 0, 1)"), 0);
    EXPECT_GE(position_of(calls, "AXSetVoiceSrc(" + v0 + ", 1, 24780, 0, 0, 0, 0, 0)"), 0);

    // Nothing is read while the voices stay in the first half.
    const int reads = decoder->reads;
    while (current_offset(stream->voice(0)) < 22050) {
        global_device->update();
        EXPECT_EQ(decoder->reads, reads);
        frames(1);
    }
    play_into_half(*stream, 1);
    EXPECT_EQ(stream->played_frames, 22050u);
    global_device->update();
    EXPECT_GT(decoder->reads, reads);
    expect_ring(stream->left, 0, 22050, 44100, 132300, 0);
    expect_ring(stream->right, 0, 22050, 44100, 132300, 1);
    expect_ring(stream->left, 22050, 44100, 22050, 132300, 0);
    EXPECT_EQ(stream->get_status(), SOUND_PLAYING);
}

TEST_F(StreamTest, a_looping_stream_joins_its_end_to_its_start_without_a_gap)
{
    auto* decoder = new RampDecoder(30000, 44100, 1);
    SoundStream* stream = ramp_stream(decoder);
    stream->set_loop(true);
    stream->play();
    expect_ring(stream->left, 0, 44100, 0, 30000, 0);

    play_into_half(*stream, 1);
    global_device->update();
    expect_ring(stream->left, 0, 22050, 44100, 30000, 0);
    play_into_half(*stream, 0);
    global_device->update();
    expect_ring(stream->left, 22050, 44100, 66150, 30000, 0);

    // The position wraps to the start at each pass.
    double last = stream->get_playing_offset();
    bool wrapped = false;
    for (int i = 0; i < 400; ++i) {
        frames(1);
        global_device->update();
        const double now = stream->get_playing_offset();
        EXPECT_LT(now, stream->get_duration());
        wrapped = wrapped || now < last;
        last = now;
    }
    EXPECT_TRUE(wrapped);
    EXPECT_EQ(stream->get_status(), SOUND_PLAYING);
}

TEST_F(StreamTest, the_position_read_between_frames_keeps_rising_as_the_voices_cross_into_the_other_half)
{
    auto* decoder = new RampDecoder(44100 * 3, 44100, 2);
    SoundStream* stream = ramp_stream(decoder);
    stream->play();
    frames(1);
    // 800 frames of 3 ms: the voices cross from one half to the other four
    // times, each time in the middle of a frame the callback has run for.
    double last = stream->get_playing_offset();
    for (int i = 0; i < 800; ++i) {
        frames(1);
        global_device->update();
        const double now = stream->get_playing_offset();
        ASSERT_GT(now, last) << "frame " << i;
        ASSERT_LT(now - last, 0.004) << "frame " << i;
        last = now;
    }
    EXPECT_NEAR(last, 800 * 0.003, 0.01);
}

TEST_F(StreamTest, a_stream_stops_on_its_last_valid_frame_and_a_looping_one_without_data_ends)
{
    // Shorter than half a second: half 0 in part, the rest zeroed, half 1 not read.
    auto* decoder = new RampDecoder(10000, 44100, 1);
    SoundStream* stream = ramp_stream(decoder);
    std::fill(stream->left, stream->left + 44100, short(-1));
    stream->play();
    expect_ring(stream->left, 0, 10000, 0, 10000, 0);
    EXPECT_TRUE(std::all_of(stream->left + 10000, stream->left + 22050, [](short s) { return s == 0; }));
    EXPECT_EQ(stream->left[22050], -1);
    EXPECT_EQ(stream->end_offset.load(), 10000);

    ax_start_recording();
    frames(1);
    const std::string v = std::to_string(stream->voice(0)->index);
    const std::vector<AXCall> calls = ax_take_recorded_calls();
    EXPECT_GE(position_of(calls, "AXSetVoiceEndOffset(" + v + ", 9999)"), 0);
    EXPECT_GE(position_of(calls, "AXSetVoiceLoop(" + v + ", 0)"), 0);
    EXPECT_EQ(stream->end_offset.load(), -1);
    frames(80);
    EXPECT_EQ(current_offset(stream->voice(0)), 9999u);
    EXPECT_EQ(stream->get_status(), SOUND_STOPPED);

    // Data that ends exactly with half 1: the next refill zeroes half 0 and
    // the voices are stopped as soon as they wrap into it.
    auto* whole = new RampDecoder(44100, 44100, 1);
    SoundStream* second = ramp_stream(whole);
    second->play();
    EXPECT_EQ(second->end_offset.load(), -1);
    play_into_half(*second, 1);
    global_device->update();
    EXPECT_EQ(second->end_offset.load(), 0);
    EXPECT_TRUE(std::all_of(second->left, second->left + 22050, [](short s) { return s == 0; }));
    play_into_half(*second, 0);
    EXPECT_EQ(second->get_status(), SOUND_STOPPED);
    EXPECT_LT(current_offset(second->voice(0)), 200u);

    // A looping stream without data ends instead of reading for ever.
    auto* empty = new RampDecoder(0, 44100, 1);
    SoundStream* nothing = ramp_stream(empty);
    nothing->set_loop(true);
    nothing->play();
    EXPECT_TRUE(nothing->ended);
    EXPECT_EQ(nothing->end_offset.load(), 0);
    EXPECT_LE(empty->reads, 2);
    frames(3);
    EXPECT_EQ(nothing->get_status(), SOUND_STOPPED);
}

TEST_F(StreamTest, moving_a_playing_stream_restarts_the_voices_on_the_refilled_ring)
{
    auto* decoder = new RampDecoder(32000 * 20, 32000, 1);
    SoundStream* stream = ramp_stream(decoder);
    stream->play();
    play_into_half(*stream, 1);
    global_device->update();

    stream->set_playing_offset(12.5);
    EXPECT_EQ(stream->played_frames, 400000u);
    expect_ring(stream->left, 0, 32000, 400000, 640000, 0);
    // Until the voices restart the position is where they will start.
    EXPECT_DOUBLE_EQ(stream->get_playing_offset(), 12.5);

    // A callback pass that took its bits just before the move, and a refill
    // pass, both before the voices restart: neither may count the old
    // position as progress or overwrite the new ring.
    stream->commands.fetch_and(~uint32_t(SOUND_CMD_STREAM_OFFSET));
    frames(1);
    global_device->update();
    EXPECT_EQ(stream->played_frames, 400000u);
    EXPECT_EQ(stream->playing_half.load(), 0u);
    EXPECT_DOUBLE_EQ(stream->get_playing_offset(), 12.5);
    stream->raise(SOUND_CMD_STREAM_OFFSET);

    frames(1);
    global_device->update();
    expect_ring(stream->left, 0, 32000, 400000, 640000, 0);
    const uint32_t cur = current_offset(stream->voice(0));
    EXPECT_EQ(cur, 96u);  // restarted at the ring's start, one frame played
    EXPECT_DOUBLE_EQ(stream->get_playing_offset(), (400000.0 + cur) / 32000.0);

    // Playing on: the first half is refilled with what follows it.
    play_into_half(*stream, 1);
    global_device->update();
    expect_ring(stream->left, 0, 16000, 432000, 640000, 0);
    EXPECT_EQ(stream->played_frames, 416000u);
}

TEST_F(StreamTest, a_move_before_the_start_is_undone_by_play_and_a_pause_holds_the_ring)
{
    auto* decoder = new RampDecoder(32000 * 4, 32000, 1);
    SoundStream* stream = ramp_stream(decoder);
    stream->set_playing_offset(2.0);
    frames(1);
    stream->play();
    EXPECT_EQ(stream->played_frames, 0u);
    expect_ring(stream->left, 0, 32000, 0, 128000, 0);

    frames(20);
    stream->pause();
    frames(1);
    const uint32_t held_at = current_offset(stream->voice(0));
    const int reads = decoder->reads;
    for (int i = 0; i < 400; ++i) {
        frames(1);
        global_device->update();
    }
    EXPECT_EQ(decoder->reads, reads);
    EXPECT_EQ(current_offset(stream->voice(0)), held_at);
    EXPECT_EQ(stream->get_status(), SOUND_PAUSED);
    stream->play();
    frames(1);
    EXPECT_EQ(current_offset(stream->voice(0)), held_at + 96);
}

TEST_F(StreamTest, a_stream_without_a_decoder_is_refused_a_released_one_leaves_the_device_and_durations_keep_their_fraction)
{
    std::unique_ptr<SoundStream> refused;
    EXPECT_EQ(console_output_of([&] { refused = std::make_unique<SoundStream>("/vol/content/none.ogg", Media::OGG, 0); }),
              "Could not open file: /vol/content/none.ogg\nCould not load sound\n");
    EXPECT_FALSE(refused->is_valid());
    EXPECT_TRUE(global_device->streams.empty());
    EXPECT_EQ(global_device->sounds[0], nullptr);
    refused->play();
    EXPECT_EQ(refused->get_status(), SOUND_STOPPED);

    SoundStream* stream = ramp_stream(new RampDecoder(44100, 44100, 2));
    stream->play();
    frames(2);
    stream->release();
    frames(1);
    flush_audio();
    EXPECT_EQ(global_device->sounds[0], nullptr);
    EXPECT_TRUE(global_device->streams.empty());

    // Durations keep their fraction.
    EXPECT_EQ(ramp_stream(new RampDecoder(1323000, 44100, 2))->get_duration(), 30.0);
    EXPECT_DOUBLE_EQ(ramp_stream(new RampDecoder(1323441, 44100, 2))->get_duration(), 30.01);
}
