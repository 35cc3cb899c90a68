// The player's timed states: invincibility and a second timed state count
// down while the power state is off and queue a stop-music call when they
// end; the power state drains a petal every 60 play ticks and ends when the
// petals run out.
#include "game/events/player_physics/player_value_objects.h"
#include "game/events/stage_loops/music_queue.h"
#include "objects/counter.h"

#include <cmath>
#include <string>

using namespace player_values;

namespace {

bool groups_on(const Frames& frames) { return frames.level_group_43 && frames.level_group_23 && frames.level_group_6; }

// Power state off, the timed state's flag up, and its timer at `timer_test`.
template <class TimerTest>
bool timed_state(Frames& frames, char flag_value, char timer, TimerTest timer_test)
{
    return instance_holds(frames.instances[types::PlayerOthers_75], [&](const FrameObject& others) {
        return get_value(others, 'A') == 0 && get_value(others, flag_value) > 0 && timer_test(get_value(others, timer));
    });
}

bool power_state_on(Frames& frames)
{
    return instance_holds(frames.instances[types::PlayerOthers_75],
                          [](const FrameObject& others) { return get_value(others, 'A') == 1; });
}

template <class Test>
bool petals(Frames& frames, Test test)
{
    const FrameObject* counter = instance_of(frames.instances[types::GUIRings_74]);
    return counter && test(static_cast<const Counter*>(counter)->value);
}

void queue_stop_music(Frames& frames, unsigned music_name)
{
    music::write_call(frames, "stop_music(" + frames.global_strings->get(music_name) + ")");
}

}  // namespace

void Frames::event_func_1452()
{
    if (!groups_on(*this) || !timed_state(*this, 'D', 'E', [](double e) { return e > 0; }))
        return;
    add_value(instances[types::PlayerOthers_75], 'E', -1);
}

void Frames::event_func_1453()
{
    if (!groups_on(*this) || !timed_state(*this, 'D', 'E', [](double e) { return e == 0; }))
        return;
    set_value(instances[types::PlayerOthers_75], 'D', 0);
    queue_stop_music(*this, 0);
}

void Frames::event_func_1454()
{
    if (!groups_on(*this) || !timed_state(*this, 'F', 'G', [](double g) { return g > 0; }))
        return;
    add_value(instances[types::PlayerOthers_75], 'G', -1);
}

void Frames::event_func_1455()
{
    if (!groups_on(*this) || !timed_state(*this, 'F', 'G', [](double g) { return g == 0; }))
        return;
    set_value(instances[types::PlayerOthers_75], 'F', 0);
    queue_stop_music(*this, 1);
}

// The drain, timed by the play-tick counter.
void Frames::event_func_1456()
{
    if (!groups_on(*this))
        return;
    if (std::fmod(std::trunc(global_values->get(3)), 60.0) != 0)
        return;
    if (!petals(*this, [](double count) { return count > 0; }) || !power_state_on(*this))
        return;
    static_cast<Counter*>(instance_of(instances[types::GUIRings_74]))->subtract(1);
}

void Frames::event_func_1457()
{
    if (!groups_on(*this) || !petals(*this, [](double count) { return count == 0; }) || !power_state_on(*this))
        return;
    set_value(instances[types::PlayerOthers_75], 'A', 0);
}
