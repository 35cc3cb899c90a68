// The game's frame object: the runtime's frame with the state of every
// authored event, the 24 object groups and the update table. Its event
// functions, loop bodies, collision callbacks, set-ups and tick handlers
// are members defined in game/events; the members that the events need are
// declared from the event index (game/events/event_index.tsv,
// docs/events.md), the frames' entry points from game/frames/frames.tsv.
#pragma once

#include "game/frames/update_passes.h"
#include "graphics/color.h"
#include "runtime/frame.h"

#include <initializer_list>
#include <type_traits>

// A fast loop's state: whether it still runs, and the pass it is on.
struct FastLoop {
    bool running = false;
    int index = 0;
};

// How a frame's set-up initialises one layer.
struct LayerSetUp {
    double x_coefficient = 1.0;
    double y_coefficient = 1.0;
    bool visible = true;
    bool wrap_x = false;
    bool wrap_y = false;
};

class Frames : public Frame {
public:
    // The descriptors, entry i for frame index i, made on the first call.
    using DescriptorTable = FrameData* const* (*)();

    explicit Frames(DescriptorTable descriptors);

    void update_objects() override;
    void set_index(int index) override;

    // Set-up steps shared by every frame ----------------------------------
    // The header: play-field size, index, background, speed setting 0.
    void set_up_header(int frame_index, int frame_width, int frame_height, Color background);
    // Resizes the layer vector and initialises each layer.
    void set_up_layers(std::initializer_list<LayerSetUp> layer_set_ups);
    // Points the frame at its named-loop map (built and filled on the first
    // entry), or at none for a frame without named loops.
    void set_up_named_loops(int frame_index);
    // The skeleton of a frame whose set-up has not landed: the screen's
    // size, black, one layer, its images.
    void set_up_empty_frame(int frame_index);

    // Starts a fast loop: the body (a Frames member or a callable) runs
    // `count` times unless it stops the loop; count 0 or less never runs it.
    template <class Body>
    void run_loop(FastLoop& loop, int count, Body body)
    {
        run_passes(loop.running, loop.index, count, body);
    }
    // Starts a loop of the frame's named-loop map by name; an unknown name,
    // or a frame without named loops, does nothing.
    void run_named_loop(const std::string& name, int count);
    // Starts a fast loop that runs until its body stops it. A body that
    // never does would hang the tick, so it is cut off, with one console
    // line, after a number of passes no loop of the game reaches.
    static constexpr int open_loop_pass_limit = 65536;
    template <class Body>
    void run_open_loop(FastLoop& loop, const char* name, Body body)
    {
        run_passes(loop.running, loop.index, open_loop_pass_limit, body);
        if (loop.running && loop.index >= open_loop_pass_limit)
            report_open_loop_cut_off(name);
    }

    // The 24 object groups, in declaration order.
    QualifierList qualifier_1, qualifier_2, qualifier_3, qualifier_4, qualifier_5, qualifier_6;
    QualifierList qualifier_7, qualifier_8, qualifier_9, qualifier_10, qualifier_11, qualifier_12;
    QualifierList qualifier_13, qualifier_14, qualifier_15, qualifier_16, qualifier_17, qualifier_18;
    QualifierList qualifier_19, qualifier_20, qualifier_21, qualifier_22, qualifier_23, qualifier_24;

    // The lists the update passes walk, slice after slice.
    ObjectList* update_table[update_list_count];

    // The events every frame shares (game/events/shared/): the block each
    // tick handler runs after the frame's own events, with the differences
    // of frame `frame_number`, and the global start events that end every
    // frame's start events.
    void run_shared_events(int frame_number);
    void run_global_start_events();
    // The pieces of the shared block, for handlers that run their own events
    // between them (the acts): the bindings (144-149); the input values
    // (150-218); the voice groups (290-294, then 219); the debug hotkeys
    // (295-298, 222, 299-302), which the acts run inside their own tests of
    // the debug groups; the window keys (223-226).
    void run_shared_binding_events();
    void run_shared_input_value_events();
    void run_shared_voice_events();
    void run_shared_debug_hotkey_events();
    void run_shared_window_events();
    // The shared block's state as every frame's set-up leaves it: its groups
    // off, its once flags clear, its run-once counters at the tick count.
    void reset_shared_event_state();

    // Everything the game keeps from frame to frame, as a fresh process has
    // it: no frame (its instances released), every group off, every fast
    // loop stopped, every run-once counter, once flag and timer at 0, the
    // events' and the classes' random states at 0 and the kept objects'
    // records empty. The global values belong to the manager's start-up.
    void reset_run_state();

#include "game/frames/frame_entry_points.inc"
#include "game/frames/frames_members.inc"

private:
    static void report_open_loop_cut_off(const char* name);

    // The count is taken before the first pass; a body that stops the loop
    // still finishes its pass.
    template <class Body>
    void run_passes(bool& running, int& pass, int count, Body body)
    {
        running = true;
        pass = 0;
        if (count <= 0)
            return;
        do {
            if constexpr (std::is_member_function_pointer_v<Body>)
                (this->*body)();
            else
                body();
            if (!running)
                return;
        } while (++pass < count);
    }

    DescriptorTable descriptors;
};

// The one frames object, defined with the game's events.
extern Frames game_frames;
