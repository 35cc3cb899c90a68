// The block of shared events every tick handler runs after the frame's own
// events, and its pieces. A run inside a group sits under one test of the
// group, as the handlers have it; every event still tests its groups itself.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"

#include <initializer_list>

namespace {

using Event = void (Frames::*)();

void run_events(Frames& frames, std::initializer_list<Event> events)
{
    for (Event event : events)
        (frames.*event)();
}

bool is_act(int frame_number) { return frame_number == 5 || frame_number == 6; }

// The debug events: only the acts and frames 4 and 8 have the hotkey events
// 295-302 (frame 8 only 295-298 and 302); the acts leave out 221.
void run_debug_events(Frames& frames, int frame_number)
{
    if (!frames.global_group_1)
        return;
    frames.event_func_220();
    if (!is_act(frame_number))
        frames.event_func_221();
    if (!frames.global_group_1 || !frames.global_group_10)
        return;
    if (frame_number >= 4 && frame_number <= 6) {
        frames.run_shared_debug_hotkey_events();
    } else if (frame_number == 8) {
        run_events(frames, {&Frames::event_func_295, &Frames::event_func_296, &Frames::event_func_297,
                            &Frames::event_func_298});
        frames.event_func_222();
        frames.event_func_302();
    } else {
        frames.event_func_222();
    }
}

}  // namespace

void Frames::run_shared_events(int frame_number)
{
    run_shared_binding_events();
    run_shared_input_value_events();
    // Frames 4 to 6 pick the character's voice group before the reset.
    if (frame_number >= 4 && frame_number <= 6)
        run_shared_voice_events();
    else
        event_func_219();
    run_debug_events(*this, frame_number);
    if (frame_number == 3) {
        // Frame 3's own window keys stand in for F5 to F7.
        run_events(*this, {&Frames::event_func_274, &Frames::event_func_275, &Frames::event_func_276});
        event_func_226();
    } else {
        run_shared_window_events();
    }
}

void Frames::run_shared_binding_events()
{
    run_events(*this, {&Frames::event_func_144, &Frames::event_func_145, &Frames::event_func_146, &Frames::event_func_147});
    if (global_group_11) {
        event_func_148();
        event_func_149();
    }
}

void Frames::run_shared_input_value_events()
{
    run_events(*this, {
        &Frames::event_func_150, &Frames::event_func_151, &Frames::event_func_152, &Frames::event_func_153, &Frames::event_func_154, &Frames::event_func_155,
        &Frames::event_func_156, &Frames::event_func_157, &Frames::event_func_158, &Frames::event_func_159, &Frames::event_func_160, &Frames::event_func_161,
        &Frames::event_func_162, &Frames::event_func_163, &Frames::event_func_164, &Frames::event_func_165, &Frames::event_func_166, &Frames::event_func_167,
        &Frames::event_func_168, &Frames::event_func_169, &Frames::event_func_170, &Frames::event_func_171, &Frames::event_func_172, &Frames::event_func_173,
        &Frames::event_func_174, &Frames::event_func_175, &Frames::event_func_176, &Frames::event_func_177, &Frames::event_func_178, &Frames::event_func_179,
        &Frames::event_func_180, &Frames::event_func_181, &Frames::event_func_182, &Frames::event_func_183, &Frames::event_func_184, &Frames::event_func_185,
        &Frames::event_func_186, &Frames::event_func_187, &Frames::event_func_188, &Frames::event_func_189, &Frames::event_func_190, &Frames::event_func_191,
        &Frames::event_func_192, &Frames::event_func_193, &Frames::event_func_194, &Frames::event_func_195, &Frames::event_func_196, &Frames::event_func_197,
        &Frames::event_func_198
    });
    if (global_group_7) {
        run_events(*this, {
            &Frames::event_func_199, &Frames::event_func_200, &Frames::event_func_201, &Frames::event_func_202, &Frames::event_func_203, &Frames::event_func_204,
            &Frames::event_func_205, &Frames::event_func_206, &Frames::event_func_207, &Frames::event_func_208, &Frames::event_func_209, &Frames::event_func_210,
            &Frames::event_func_211, &Frames::event_func_212, &Frames::event_func_213, &Frames::event_func_214, &Frames::event_func_215, &Frames::event_func_216,
            &Frames::event_func_217, &Frames::event_func_218
        });
    }
}

void Frames::run_shared_voice_events()
{
    run_events(*this, {
        &Frames::event_func_290, &Frames::event_func_291, &Frames::event_func_292, &Frames::event_func_293, &Frames::event_func_294, &Frames::event_func_219
    });
}

void Frames::run_shared_debug_hotkey_events()
{
    run_events(*this, {
        &Frames::event_func_295, &Frames::event_func_296, &Frames::event_func_297, &Frames::event_func_298, &Frames::event_func_222,
        &Frames::event_func_299, &Frames::event_func_300, &Frames::event_func_301, &Frames::event_func_302
    });
}

void Frames::run_shared_window_events()
{
    run_events(*this, {&Frames::event_func_223, &Frames::event_func_224, &Frames::event_func_225, &Frames::event_func_226});
}

void Frames::reset_shared_event_state()
{
    for (bool* group : {&global_group_1, &global_group_5, &global_group_6, &global_group_7, &global_group_9,
                        &global_group_10, &global_group_11, &global_group_12, &global_group_13})
        deactivate_group(*group);
    once_144 = false;
    once_198 = false;
    const unsigned tick = unsigned(loop_count);
    for (unsigned* counter : {&run_once_145, &run_once_146, &run_once_147, &run_once_155, &run_once_156,
                              &run_once_157, &run_once_158, &run_once_159, &run_once_160, &run_once_161,
                              &run_once_162, &run_once_163, &run_once_181, &run_once_190, &run_once_219,
                              &run_once_290, &run_once_291, &run_once_292, &run_once_293, &run_once_294})
        *counter = tick;
}
