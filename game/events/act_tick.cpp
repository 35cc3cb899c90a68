#include "game/events/act_tick.h"

#include "runtime/frameobject.h"

#include <cstdint>
#include <string>

namespace {

TickRecorder recorder;

// Set on an instance that overlapped the background at its last test.
constexpr uint32_t background_contact = 0x400;

bool groups_on(const Frames& frames, std::span<bool Frames::* const> groups)
{
    for (bool Frames::*group : groups)
        if (!(frames.*group))
            return false;
    return true;
}

template <class OnContact>
void test_contacts(Frames& frames, ObjectList& list, OnContact on_contact)
{
    const int count = list.count();
    for (int k = 1; k < count; ++k) {
        FrameObject* object = list.items[size_t(k)].obj;
        frames.col_instance_1 = object;
        if (!object->overlaps_background()) {
            object->flags &= ~background_contact;
            continue;
        }
        if (object->flags & background_contact)
            continue;
        object->flags |= background_contact;
        on_contact();
    }
}

}  // namespace

void set_act_tick_recorder(TickRecorder new_recorder) { recorder = std::move(new_recorder); }

namespace act_tick {

bool recording() { return bool(recorder); }

void call(Frames& frames, const TickEvent& event)
{
    if (recorder)
        recorder(std::to_string(event.number));
    else
        (frames.*event.function)();
}

void call_piece(Frames& frames, std::string_view name, FramesEvent piece)
{
    if (recorder)
        recorder(name);
    else
        (frames.*piece)();
}

void call_all(Frames& frames, std::span<const TickEvent> events)
{
    for (const TickEvent& event : events)
        call(frames, event);
}

void run_level_runs(Frames& frames, std::span<const TickRun> runs)
{
    for (const TickRun& run : runs)
        if (groups_on(frames, run.groups))
            call_all(frames, run.events);
}

// Moves and sensors whose effect the rest of the tick must see; each still
// tests the groups of its authored place itself.
constexpr TickEvent moves_ahead[] = {
    {893, &Frames::event_func_893},   {928, &Frames::event_func_928},   {945, &Frames::event_func_945},
    {993, &Frames::event_func_993},   {1084, &Frames::event_func_1084}, {1085, &Frames::event_func_1085},
    {1086, &Frames::event_func_1086}, {1094, &Frames::event_func_1094}, {1125, &Frames::event_func_1125},
    {1126, &Frames::event_func_1126}, {1127, &Frames::event_func_1127}, {1219, &Frames::event_func_1219},
    {1355, &Frames::event_func_1355}, {1450, &Frames::event_func_1450}, {1492, &Frames::event_func_1492},
    {1593, &Frames::event_func_1593}, {1597, &Frames::event_func_1597}, {1947, &Frames::event_func_1947},
};

void run_moves_ahead(Frames& frames) { call_all(frames, moves_ahead); }

void run_shared_block(Frames& frames)
{
    call_piece(frames, "shared_binding_events", &Frames::run_shared_binding_events);
    call_piece(frames, "shared_input_value_events", &Frames::run_shared_input_value_events);
    call_piece(frames, "shared_voice_events", &Frames::run_shared_voice_events);
    if (frames.global_group_1) {
        call(frames, {220, &Frames::event_func_220});
        call(frames, {2176, &Frames::event_func_2176});
        if (frames.global_group_1 && frames.global_group_10) {
            call(frames, {2177, &Frames::event_func_2177});
            call_piece(frames, "shared_debug_hotkey_events", &Frames::run_shared_debug_hotkey_events);
            call(frames, {2178, &Frames::event_func_2178});
        }
    }
    call_piece(frames, "shared_window_events", &Frames::run_shared_window_events);
    call(frames, {2179, &Frames::event_func_2179});
    // The game-over check comes last, after everything the tick changed.
    call(frames, {2099, &Frames::event_func_2099});
}

void test_background(Frames& frames, ObjectList& list, FramesEvent on_contact)
{
    test_contacts(frames, list, [&] { (frames.*on_contact)(); });
}

void test_background(Frames& frames, ObjectList& list, void (*on_contact)(Frames&))
{
    test_contacts(frames, list, [&] { on_contact(frames); });
}

}  // namespace act_tick
