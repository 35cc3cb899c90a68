// The Black Load frame (frame index 2): a black screen between How To Play
// and act 1. It saves the records as it starts and, a tenth of a second
// later, stops the music and enters act 1. Its set-up, start events, tick
// handler and its own events.
#include "audio/media.h"
#include "game/events/stage_loops/music_queue.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/frames/preload.h"
#include "game/objects/classes.h"
#include "objects/arrayext.h"
#include "runtime/input.h"
#include "runtime/manager.h"
#include "runtime/values.h"

namespace {

constexpr int act_1 = 4;

constexpr int key_f5 = 0x4000003E;
constexpr int key_f6 = 0x4000003F;
constexpr int key_f7 = 0x40000040;

void clear_array(Frames& frames, int type)
{
    for_each_instance(frames.instances[type], [](FrameObject* array) { static_cast<ArrayObject*>(array)->clear(); });
}

// A window size chosen by key; this frame has no window-control object to
// resize, so only the manager and the window mode value change.
void window_key(Frames& frames, int key, int scale)
{
    if (!is_key_pressed_once(key))
        return;
    manager.set_scale_type(2);
    manager.set_window_scale(scale);
    manager.set_window(false);
    frames.global_values->set(24, scale);
}

}  // namespace

void Frames::on_frame_3_init()
{
    set_up_header(2, screen_width, screen_height, Color(0, 0, 0, 255));
    set_up_frame_images(2);
    set_up_layers({LayerSetUp{}});

    // Nothing here is seen: the instances only hold values.
    add_background_object(create_separatormasterobjects2_20(-208, 0), 0);
    add_object(create_playerinput_21(-192, 24), 0);
    add_object(create_masterinput_22(-168, 24), 0);
    add_object(create_inputsp1_23(-144, 24), 0);
    add_object(create_globalinputdata_24(-120, 24), 0);
    add_object(create_ilvanesteampluginquorvella_34(-192, 144), 0);
    add_object(create_controllermusic_49(-208, -40), 0);
    add_object(create_mapdata_27(-160, 80), 0);
    add_object(create_mapdata2_29(-160, 88), 0);
    add_object(create_recorddata_33(-160, 144), 0);
    add_object(create_functionmusic_50(-168, -40), 0);
    add_object(create_queuemusic_51(-128, -40), 0);

    set_up_named_loops(2);
    reset_shared_event_state();
    run_once_273 = unsigned(loop_count);
}

void Frames::on_frame_3_start_events()
{
    event_func_277();
    run_global_start_events();
}

void Frames::handle_frame_3_events()
{
    event_func_273();
    run_shared_events(3);
}

// Leave for act 1: no music and no queued music call may follow into it.
void Frames::event_func_273()
{
    if (!(frame_time >= 0.1) || !run_once(run_once_273, loop_count))
        return;
    next_frame = act_1;
    media.stop_channel(music::channel);
    for_each_instance(instances[types::ControllerMusic_49], [](FrameObject* controller) {
        set_value(controller, 'D', 0);
        set_value(controller, 'K', 0);
    });
    clear_array(*this, types::FunctionMusic_50);
    clear_array(*this, types::QueueMusic_51);
}

void Frames::event_func_274() { window_key(*this, key_f5, 1); }
void Frames::event_func_275() { window_key(*this, key_f6, 2); }
void Frames::event_func_276() { window_key(*this, key_f7, 3); }
