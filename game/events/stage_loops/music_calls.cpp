// The music calls: the dispatcher that hands each pending call to the loop
// named after it, and the commands it runs. The music state lives in the
// music controller's values (C loop count, D track, G priority, I J K the
// fade-out, L the lock), in the stack of suspended tracks (column x: track,
// position in ms, priority; its cursor is its size) and on the music channel.
#include "audio/media.h"
#include "base/convert.h"
#include "game/events/stage_loops/music_queue.h"
#include "game/frames/string_constants.h"
#include "objects/stringparser.h"

#include <string>
#include <vector>

using music::channel;
using music::play_track;

namespace {

ObjectList& controllers(Frames& frames) { return frames.instances[types::ControllerMusic_49]; }
ObjectList& stacks(Frames& frames) { return frames.instances[types::QueueMusic_51]; }

ArrayObject* array(FrameObject* object) { return static_cast<ArrayObject*>(object); }

// Element n of the call being run (1: its name, 2 to 4: its arguments).
const std::string& element(Frames& frames, int n)
{
    static const std::string none;
    FrameObject* parser = frames.instances[types::StringParser_184].back_selection();
    return parser ? static_cast<StringParser*>(parser)->get_element(n) : none;
}

// An argument as a number; an empty one reads 0.
double argument(Frames& frames, int n)
{
    const std::string& text = element(frames, n);
    return fast_atof(text.data(), text.data() + text.size());
}

std::vector<FrameObject*> selected(ObjectList& list)
{
    std::vector<FrameObject*> kept;
    for_each_selected(list, [&kept](FrameObject* object) { kept.push_back(object); });
    return kept;
}

// A request may replace the current track: another track, not outranked,
// and the music not locked.
bool may_replace(const FrameObject& controller, double track, double priority)
{
    return get_value(controller, 'D') != track && get_value(controller, 'G') <= priority
           && get_value(controller, 'L') == 0;
}

void push(FrameObject* stack, double track, double position, double priority)
{
    const int x = music::cursor(stack);
    array(stack)->set_value(to_int(track), x, 0, 0);
    array(stack)->set_value(to_int(position), x, 1, 0);
    array(stack)->set_value(to_int(priority), x, 2, 0);
    ++music::cursor(stack);
}

}  // namespace

void music::play_track(Frames& frames, StringConstant path)
{
    if (!frames.level_group_43)
        return;
    ObjectList& list = controllers(frames);
    for_each_instance(list, [](FrameObject* controller) {
        set_value(controller, 'A', 0);
        set_value(controller, 'B', 0);
    });
    const FrameObject* first = list.back_selection();
    media.play(string_constant(path), int(channel), first ? to_int(get_value(*first, 'C')) : 0);
}

// Lock, unlock, fade-in and emptying the stack -------------------------------

void Frames::loop_process_call_lock_music_4()
{
    if (level_group_43)
        for_each_instance(controllers(*this), [](FrameObject* controller) { set_value(controller, 'L', 1); });
}

void Frames::event_func_326()
{
    if (!level_group_43)
        return;
    // The duration in ticks at 60 per second.
    const double ticks = argument(*this, 2) / 16.666666666666668;
    for_each_instance(controllers(*this), [ticks](FrameObject* controller) {
        const double volume = media.get_channel_volume(channel);
        set_value(controller, 'I', ticks == 0 ? 0.0 : volume / ticks);
        set_value(controller, 'J', media.get_channel_volume(channel));
        set_value(controller, 'K', 1);
    });
}

void Frames::loop_process_call_fadeout_music_4() { event_func_326(); }

void Frames::loop_process_call_unlock_music_4()
{
    if (level_group_43)
        for_each_instance(controllers(*this), [](FrameObject* controller) { set_value(controller, 'L', 0); });
}

void Frames::loop_process_call_fadein_music_4()
{
    if (!level_group_43)
        return;
    media.set_channel_volume(channel, 0);
    for_each_instance(controllers(*this), [](FrameObject* controller) { set_value(controller, 'K', 0); });
}

void Frames::loop_process_call_unqueue_music_4()
{
    if (level_group_43)
        for_each_instance(stacks(*this), [](FrameObject* stack) { music::cursor(stack) = 0; });
}

// The track loops --------------------------------------------------------------

void Frames::loop_play_music_0_4() { play_track(*this, STR_M_INVINCIBILITY); }
void Frames::loop_play_music_1_4() { play_track(*this, STR_M_SPEEDUP); }
void Frames::loop_play_music_2_4() { play_track(*this, STR_M_1UP); }
void Frames::loop_play_music_3_4() { play_track(*this, STR_M_CLEAR); }
void Frames::loop_play_music_4_4() { play_track(*this, STR_M_MIDBOSS); }
void Frames::loop_play_music_5_4() { play_track(*this, STR_M_STAGE1); }
void Frames::loop_play_music_8_4() { play_track(*this, STR_M_GAMEOVER); }

// The dispatcher ---------------------------------------------------------------

// Takes the call at the call list's cursor and runs the loop named after it;
// a name without a loop is taken and dropped.
void Frames::event_func_361()
{
    if (!level_group_43)
        return;
    ObjectList& calls = instances[types::FunctionMusic_50];
    int k = 0;
    for_each_instance(instances[types::StringParser_184], [&](FrameObject* parser) {
        if (FrameObject* list = paired_instance(calls, k++))
            static_cast<StringParser*>(parser)->set(array(list)->get_string(music::cursor(list), -1, -1));
    });
    run_named_loop("process_call." + element(*this, 1), 1);
    for_each_instance(calls, [](FrameObject* list) { ++music::cursor(list); });
}

void Frames::loop_process_call_me_4() { event_func_361(); }

// Resuming the top of the stack ------------------------------------------------

// Pops the top entry and plays it from its position, quietly: the driver
// fades it in. An empty stack has nothing to resume (the driver never asks,
// but a pop below 0 would send later pushes to the cursor's own column).
void Frames::event_func_364()
{
    if (!level_group_43)
        return;
    FrameObject* stack = instance_of(stacks(*this));
    if (!stack || music::cursor(stack) <= 0)
        return;
    ObjectList& list = controllers(*this);
    media.set_channel_volume(channel, get_value(instance_or_default(list), 'H') * (music::music_volume(*this) * 0.01));
    select_all(list);
    const std::vector<FrameObject*> kept = selected(list);
    for (FrameObject* controller : kept)
        set_value(controller, 'C', 0);
    const int top = music::cursor(stack) - 1;
    run_named_loop("play_music." + fast_itoa(array(stack)->get_value(top, 0, 0)), 1);
    for (FrameObject* controller : kept)
        set_value(controller, 'D', array(stack)->get_value(top, 0, 0));
    media.set_channel_position(channel, array(stack)->get_value(top, 1, 0));
    for (FrameObject* controller : kept)
        set_value(controller, 'G', array(stack)->get_value(top, 2, 0));
    for_each_instance(stacks(*this), [](FrameObject* each) { --music::cursor(each); });
}

void Frames::loop_process_call_resume_music_4() { event_func_364(); }

// The stack scan ---------------------------------------------------------------

// One column of the stack moves down onto the one below it.
void Frames::loop_shift_query_me_4()
{
    if (!level_group_43)
        return;
    for_each_instance(stacks(*this), [](FrameObject* stack) {
        const int x = music::cursor(stack);
        for (int row = 0; row < 3; ++row)
            array(stack)->set_value(array(stack)->get_value(x + 1, row, 0), x, row, 0);
        ++music::cursor(stack);
    });
}

// The entry at the cursor is the call's track: it leaves the stack, the
// entries above move down, and the scan ends.
void Frames::event_func_456()
{
    if (!level_group_43)
        return;
    FrameObject* stack = instance_of(stacks(*this));
    if (!stack)
        return;
    const int x = music::cursor(stack);
    if (array(stack)->get_value(x, 0, 0) != argument(*this, 2))
        return;
    ObjectList& list = controllers(*this);
    for_each_instance(list, [](FrameObject* controller) { set_value(controller, 'E', get_value(*controller, 'E') - 1); });
    run_loop(fast_loop_shift_query_me, to_int(get_value(instance_or_default(list), 'E') - x),
             &Frames::loop_shift_query_me_4);
    fast_loop_iterate_query_me_stop.running = false;
}

void Frames::event_func_457()
{
    if (level_group_43)
        for_each_instance(stacks(*this), [](FrameObject* stack) { ++music::cursor(stack); });
}

void Frames::loop_iterate_query_me_stop_4()
{
    event_func_456();
    event_func_457();
}

// The play command -------------------------------------------------------------

// A repeating current track that the request replaces waits on the stack
// with its position.
void Frames::event_func_458()
{
    if (!level_group_43 || !media.is_channel_playing(channel))
        return;
    const double track = argument(*this, 2);
    const double priority = argument(*this, 4);
    ObjectList& list = controllers(*this);
    if (!select(list, [&](FrameObject* c) { return get_value(*c, 'C') == 0 && may_replace(*c, track, priority); }))
        return;
    const double position = media.get_channel_position(channel);
    int k = 0;
    for_each_instance(stacks(*this), [&](FrameObject* stack) {
        const FrameObject* controller = list.get_wrapped_selection(k++);
        push(stack, get_value(*controller, 'D'), position, get_value(*controller, 'G'));
    });
}

void Frames::event_func_459()
{
    if (!level_group_43)
        return;
    const std::string track_name = element(*this, 2);
    const double track = argument(*this, 2);
    const double loops = argument(*this, 3);
    const double priority = argument(*this, 4);
    ObjectList& list = controllers(*this);
    if (!select(list, [&](FrameObject* c) { return may_replace(*c, track, priority); }))
        return;
    const std::vector<FrameObject*> kept = selected(list);
    for (FrameObject* controller : kept)
        set_value(controller, 'C', loops);
    run_named_loop("play_music." + track_name, 1);
    for (FrameObject* controller : kept) {
        set_value(controller, 'D', track);
        set_value(controller, 'G', priority);
    }
    media.set_channel_volume(channel, music::music_volume(*this));
}

// Whatever happens to the request, an older stack entry of its track goes:
// the scan leaves E at the stack's new size.
void Frames::event_func_460()
{
    if (!level_group_43)
        return;
    ObjectList& list = controllers(*this);
    int k = 0;
    for_each_instance(list, [&](FrameObject* controller) {
        if (FrameObject* stack = paired_instance(stacks(*this), k++))
            set_value(controller, 'E', music::cursor(stack));
    });
    const int scans = to_int(get_value(instance_or_default(list), 'E'));
    for_each_instance(stacks(*this), [](FrameObject* stack) { music::cursor(stack) = 0; });
    run_loop(fast_loop_iterate_query_me_stop, scans, &Frames::loop_iterate_query_me_stop_4);
    k = 0;
    for_each_instance(stacks(*this), [&](FrameObject* stack) {
        music::cursor(stack) = to_int(get_value(paired_or_default(list, k++), 'E'));
    });
}

// A repeating request outranked by the current track waits on the stack from
// its beginning.
void Frames::event_func_461()
{
    if (!level_group_43 || !media.is_channel_playing(channel) || argument(*this, 3) != 0)
        return;
    const double track = argument(*this, 2);
    const double priority = argument(*this, 4);
    if (!select(controllers(*this), [&](FrameObject* c) {
            return get_value(*c, 'D') != track && get_value(*c, 'G') > priority && get_value(*c, 'L') == 0;
        }))
        return;
    for_each_instance(stacks(*this), [&](FrameObject* stack) { push(stack, track, 0, priority); });
}

void Frames::loop_process_call_play_music_4()
{
    event_func_458();
    event_func_459();
    event_func_460();
    event_func_461();
}
