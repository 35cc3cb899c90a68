#include "tests/game/events/player_stage.h"

#include "game/frames/event_index.h"
#include "game/objects/classes.h"

namespace player_stage {

namespace {

#include "game/events/act1_frame/act1_tick_runs.inc"

bool groups_on(const Frames& frames, std::span<bool Frames::* const> groups)
{
    for (bool Frames::*group : groups)
        if (!(frames.*group))
            return false;
    return true;
}

}  // namespace

std::vector<FramesEvent> act1_events(int first, int last)
{
    std::vector<FramesEvent> events;
    for (const TickRun& run : act1_level_runs)
        for (const TickEvent& event : run.events)
            if (event.number >= first && event.number <= last)
                events.push_back(event.function);
    return events;
}

void run_act1_events(Frames& frames, int first, int last)
{
    for (const TickRun& run : act1_level_runs)
        for (const TickEvent& event : run.events)
            if (event.number >= first && event.number <= last && groups_on(frames, run.groups))
                (frames.*event.function)();
}

std::vector<FramesEvent> joined(std::initializer_list<std::vector<FramesEvent>> lists)
{
    std::vector<FramesEvent> events;
    for (const std::vector<FramesEvent>& list : lists)
        events.insert(events.end(), list.begin(), list.end());
    return events;
}

void run_events(Frames& frames, const std::vector<FramesEvent>& events)
{
    for (const FramesEvent event : events)
        (frames.*event)();
}

void set_controls(EventKit& kit, const std::vector<char>& on)
{
    FrameObject* pad = kit.instance(types::PlayerInput_21);
    for (char letter = 'A'; letter <= 'O'; ++letter)
        EventKit::set_value(pad, letter, 0);
    for (const char letter : on)
        EventKit::set_value(pad, letter, 1);
}

std::vector<unsigned> sound_ids(EventKit& kit)
{
    std::vector<unsigned> ids;
    for (const SoundStart& sound : kit.take_sounds())
        ids.push_back(sound.id);
    return ids;
}

std::vector<int> next_draws(int event, std::initializer_list<int> ns)
{
    RandomState copy = event_random_state(event);
    std::vector<int> draws;
    for (const int n : ns)
        draws.push_back(int((unsigned(n) * copy.step()) >> 15));
    return draws;
}

std::vector<int> next_draws(int event, int n, int count)
{
    RandomState copy = event_random_state(event);
    std::vector<int> draws;
    while (int(draws.size()) < count)
        draws.push_back(int((unsigned(n) * copy.step()) >> 15));
    return draws;
}

void run_until_in_control(EventKit& kit)
{
    for (int tick = 0; tick < 600 && EventKit::value(kit.instance(types::PlayerInput_21), 'M') != 0; ++tick)
        kit.run(1);
}

void start_act1_in_control(EventKit& kit, int settle)
{
    kit.enter_frame(4);
    run_until_in_control(kit);
    kit.run(settle);
    kit.take_sounds();
}

}  // namespace player_stage
