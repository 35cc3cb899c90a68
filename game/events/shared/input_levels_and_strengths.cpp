// The direction states, button first-tick flags and push strengths that the
// menus and the level code read, derived each tick from the eight slot
// levels in InputsP1_23 A ... H.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"

namespace {

// A direction counts as pushed when it is past its dead zone and the
// opposite direction is not: up and down held together cancel out.
bool pushed(double level, double opposite_level, double dead_zone)
{
    return level > 0 && level >= 1000 * dead_zone && opposite_level <= 999 * dead_zone + 1;
}

// The push beyond the dead zone, 1 at the full-on level; a dead zone of
// 1000 would divide by zero and gives 0 instead.
double strength(double level, double scaled_dead_zone)
{
    const double divisor = 1000 - scaled_dead_zone;
    return divisor == 0 ? 0 : (level - scaled_dead_zone) / divisor;
}

// The larger of two numbers, x unless y is greater (a NaN difference gives y).
double larger(double x, double y) { return x - y >= 0 ? x : y; }

// A direction held on: state 2.
void hold_direction(Frames& frames, char level, char opposite, char dead_zone, char state)
{
    ObjectList& inputs = frames.instances[types::InputsP1_23];
    if (pushed(get_value(inputs, level), get_value(inputs, opposite),
               get_value(frames.instances[types::GlobalInputData_24], dead_zone)))
        set_value(inputs, state, 2);
}

// The first tick of a push: state 1.
void start_direction(Frames& frames, unsigned& counter, char level, char opposite, char dead_zone, char state)
{
    ObjectList& inputs = frames.instances[types::InputsP1_23];
    if (!pushed(get_value(inputs, level), get_value(inputs, opposite),
                get_value(frames.instances[types::GlobalInputData_24], dead_zone)))
        return;
    if (!run_once(counter, frames.loop_count))
        return;
    set_value(inputs, state, 1);
}

// A button's first tick at exactly the full-on level.
void press_button(Frames& frames, unsigned& counter, char level, char pressed)
{
    ObjectList& inputs = frames.instances[types::InputsP1_23];
    if (get_value(inputs, level) != 1000)
        return;
    if (!run_once(counter, frames.loop_count))
        return;
    set_value(inputs, pressed, 1);
}

void set_strength(Frames& frames, char state, char level, char scaled_dead_zone, char result)
{
    ObjectList& inputs = frames.instances[types::InputsP1_23];
    if (!(get_value(inputs, state) > 0))
        return;
    set_value(
        inputs, result,
        strength(get_value(inputs, level), get_value(frames.instances[types::GlobalInputData_24], scaled_dead_zone)));
}

}  // namespace

void Frames::event_func_150()
{
    ObjectList& inputs = instances[types::InputsP1_23];
    for (char letter = 'I'; letter <= 'P'; ++letter)
        set_value(inputs, letter, 0);
}

void Frames::event_func_151() { hold_direction(*this, 'A', 'B', 'F', 'I'); }
void Frames::event_func_152() { hold_direction(*this, 'B', 'A', 'F', 'J'); }
void Frames::event_func_153() { hold_direction(*this, 'C', 'D', 'E', 'K'); }
void Frames::event_func_154() { hold_direction(*this, 'D', 'C', 'E', 'L'); }

void Frames::event_func_155() { start_direction(*this, run_once_155, 'A', 'B', 'F', 'I'); }
void Frames::event_func_156() { start_direction(*this, run_once_156, 'B', 'A', 'F', 'J'); }
void Frames::event_func_157() { start_direction(*this, run_once_157, 'C', 'D', 'E', 'K'); }
void Frames::event_func_158() { start_direction(*this, run_once_158, 'D', 'C', 'E', 'L'); }

void Frames::event_func_159() { press_button(*this, run_once_159, 'E', 'M'); }
void Frames::event_func_160() { press_button(*this, run_once_160, 'F', 'N'); }
void Frames::event_func_161() { press_button(*this, run_once_161, 'G', 'O'); }
void Frames::event_func_162() { press_button(*this, run_once_162, 'H', 'P'); }

// The dead zones scaled to levels, once per frame.
void Frames::event_func_163()
{
    if (!run_once(run_once_163, loop_count))
        return;
    ObjectList& data = instances[types::GlobalInputData_24];
    set_value(data, 'I', 1000 * get_value(data, 'E'));
    set_value(data, 'J', 1000 * get_value(data, 'F'));
}

void Frames::event_func_164()
{
    ObjectList& inputs = instances[types::InputsP1_23];
    for (char letter = 'Q'; letter <= 'T'; ++letter)
        set_value(inputs, letter, 0);
}

void Frames::event_func_165() { set_strength(*this, 'I', 'A', 'J', 'Q'); }
void Frames::event_func_166() { set_strength(*this, 'J', 'B', 'J', 'R'); }
void Frames::event_func_167() { set_strength(*this, 'K', 'C', 'I', 'S'); }
void Frames::event_func_168() { set_strength(*this, 'L', 'D', 'I', 'T'); }

void Frames::event_func_169()
{
    ObjectList& inputs = instances[types::InputsP1_23];
    const double horizontal = larger(get_value(inputs, 'S'), get_value(inputs, 'T'));
    set_value(inputs, 'U', horizontal);
    set_value(inputs, 'V', larger(get_value(inputs, 'Q'), get_value(inputs, 'R')));
    set_value(inputs, 'W', horizontal);
}

void Frames::event_func_170()
{
    ObjectList& inputs = instances[types::InputsP1_23];
    if (get_value(inputs, 'U') == 0)
        set_value(inputs, 'W', 1);
}
