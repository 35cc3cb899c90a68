// Host side of the console's audio library: where the mixed frames go, how
// tests drive the mixer by hand, and the record of every call made to it.
#pragma once

#include "console/ax.h"

#include <cstdint>
#include <string>
#include <vector>

// One audio frame of the TV's main bus, interleaved left/right.
struct AudioFrame {
    int16_t samples[AX_FRAME_SAMPLES * 2];
};

// Chosen before AXInit. Manual stepping starts no audio thread and opens no
// output: frames are made only by audio_step_frame, on the caller's thread.
// Otherwise AXInit reads the run options: the SDL audio device (silent, in
// real time, when there is none), or under --headless no device and no
// thread: each message batch makes the frames of the ticks done so far, 1/60 s
// of sound a tick. --audio-out adds a WAV file of the TV mix; a failure to
// write it is reported once, ends the recording and fails the run.
void audio_set_manual_stepping(bool manual);

// Who makes the audio frames, fixed by the run options and manual stepping:
// a thread of the library on real time (the SDL device or its silent
// stand-in), the game's thread as its ticks pass (headless), or the test
// (manual). Work the frames depend on, such as refilling streamed sound,
// must keep step with them: a thread of its own only on real time.
enum class AudioPacing { real_time, ticks, manual };
AudioPacing audio_pacing();

// Headless: the frames that `ticks` ticks of the game make.
uint64_t audio_frames_for_ticks(uint64_t ticks);

// Runs one audio frame: the frame callback, then every running voice.
// `out` may be null.
void audio_step_frame(AudioFrame* out);

// Frames made since AXInit.
uint64_t audio_frame_count();

// Call recording, for tests. Every AX call is logged with its arguments; a
// voice is logged by its index, a mix as (volume, delta) pairs in order.
struct AXCall {
    std::string name;
    std::vector<int64_t> args;
    std::string text() const;  // "name(a, b, ...)"
};

void ax_start_recording();
void ax_stop_recording();
// The calls logged since the last take, oldest first.
std::vector<AXCall> ax_take_recorded_calls();

// Used by the library itself ----------------------------------------------

// Starts the audio thread and the outputs that the run options choose;
// nothing under manual stepping. Returns once the thread runs.
void audio_output_start();
// Stops and joins the audio thread, closes the outputs.
void audio_output_stop();
// Mixes one frame (callback included) into `out`; shared by the thread and
// manual stepping.
void ax_render_frame(AudioFrame* out);
void ax_record(const char* name, std::initializer_list<int64_t> args);
void ax_record(const char* name, const std::vector<int64_t>& args);
bool ax_recording();
