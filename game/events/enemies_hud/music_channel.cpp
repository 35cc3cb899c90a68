// The music driver: every tick the music channel follows the music
// controller. It fades in to the music volume and is held to it, fades out
// and queues the stop when the fade ends, takes the pending music calls,
// forgets the track once the channel falls silent, resumes a suspended
// track, and jumps back at the track's loop point.
#include "audio/media.h"
#include "base/convert.h"
#include "game/events/stage_loops/music_queue.h"

#include <algorithm>
#include <vector>

using music::channel;

namespace {

ObjectList& controllers(Frames& frames) { return frames.instances[types::ControllerMusic_49]; }

double volume() { return media.get_channel_volume(channel); }

void forget_track(FrameObject* controller)
{
    set_value(controller, 'D', -1);
    set_value(controller, 'G', 0);
}

}  // namespace

void Frames::event_func_2146()
{
    if (!level_group_43 || !(volume() < music::music_volume(*this)))
        return;
    ObjectList& list = controllers(*this);
    if (!select(list, [](FrameObject* c) { return get_value(*c, 'K') == 0; }))
        return;
    media.set_channel_volume(channel, std::min(volume() + get_value(*list.back_selection(), 'H'),
                                               music::music_volume(*this)));
}

void Frames::event_func_2147()
{
    if (level_group_43 && volume() > music::music_volume(*this))
        media.set_channel_volume(channel, music::music_volume(*this));
}

void Frames::event_func_2148()
{
    if (!level_group_43)
        return;
    ObjectList& list = controllers(*this);
    if (!select(list, [](FrameObject* c) { return get_value(*c, 'K') == 1; }))
        return;
    for_each_selected(list, [](FrameObject* controller) {
        set_value(controller, 'J', std::max(get_value(*controller, 'J') - get_value(*controller, 'I'), 0.0));
    });
    media.set_channel_volume(channel, get_value(*list.back_selection(), 'J') * music::music_volume(*this) * 0.01);
}

void Frames::event_func_2149()
{
    if (!level_group_43)
        return;
    ObjectList& list = controllers(*this);
    if (!select(list, [](FrameObject* c) {
            return get_value(*c, 'K') == 1 && get_value(*c, 'J') == 0 && get_value(*c, 'M') == 1;
        }))
        return;
    for_each_selected(list, [](FrameObject* controller) { set_value(controller, 'K', 0); });
    int k = 0;
    for_each_instance(instances[types::FunctionMusic_50], [&](FrameObject* calls) {
        const FrameObject* controller = list.get_wrapped_selection(k++);
        music::write_call(calls, "stop_music(" + fast_dtoa(get_value(*controller, 'D')) + ")");
    });
}

// Takes every pending call, oldest first. The cursor goes back to the first
// cell before the pass, which moves it one cell per call, and again after.
void Frames::event_func_2150()
{
    if (!level_group_43)
        return;
    ObjectList& calls = instances[types::FunctionMusic_50];
    if (!select(calls, [](FrameObject* list) { return music::cursor(list) >= 1; }))
        return;
    ObjectList& list = controllers(*this);
    int k = 0;
    for_each_instance(list, [&](FrameObject* controller) {
        set_value(controller, 'F', music::cursor(calls.get_wrapped_selection(k++)));
    });
    const int count = to_int(get_value(instance_or_default(list), 'F'));
    for_each_instance(calls, [](FrameObject* each) { music::cursor(each) = 0; });
    run_loop(fast_loop_process_call_me, count, &Frames::loop_process_call_me_4);
    for_each_instance(calls, [](FrameObject* each) { music::cursor(each) = 0; });
}

// The channel is silent with nothing to resume, or fading out, or locked: no
// track plays.
void Frames::event_func_2151()
{
    if (!level_group_43 || media.is_channel_playing(channel))
        return;
    const bool stack_empty = select(instances[types::QueueMusic_51],
                                    [](FrameObject* stack) { return music::cursor(stack) == 0; });
    std::vector<FrameObject*> busy;
    for_each_instance(controllers(*this), [&busy](FrameObject* c) {
        if (get_value(*c, 'K') == 1 || get_value(*c, 'L') == 1)
            busy.push_back(c);
    });
    if (!stack_empty && busy.empty())
        return;
    if (!run_once(run_once_2151, loop_count))
        return;
    if (stack_empty)
        for_each_instance(controllers(*this), forget_track);
    else
        std::for_each(busy.begin(), busy.end(), forget_track);
}

void Frames::event_func_2152()
{
    if (!level_group_43 || media.is_channel_playing(channel))
        return;
    if (!select(instances[types::QueueMusic_51], [](FrameObject* stack) { return music::cursor(stack) > 0; }))
        return;
    if (!select(controllers(*this), [](FrameObject* c) { return get_value(*c, 'K') == 0 && get_value(*c, 'L') == 0; }))
        return;
    if (run_once(run_once_2152, loop_count))
        run_loop(fast_loop_process_call_resume_music, 1, &Frames::loop_process_call_resume_music_4);
}

void Frames::event_func_2153()
{
    if (!level_group_43)
        return;
    const double position = media.get_channel_position(channel);
    ObjectList& list = controllers(*this);
    if (select(list, [position](FrameObject* c) { return get_value(*c, 'B') > 0 && get_value(*c, 'B') <= position; }))
        media.set_channel_position(channel, get_value(*list.back_selection(), 'A'));
}
