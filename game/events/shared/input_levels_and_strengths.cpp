// The direction states, button first-tick flags and push strengths that the
// menus and the level code read, derived each tick from the eight slot
// levels in InputsP1_23 A ... H.
#include "game/events/shared/input_objects.h"

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
    const InputObject inputs = inputs_p1(frames);
    if (pushed(inputs.get(level), inputs.get(opposite), global_input_data(frames).get(dead_zone)))
        inputs.set(state, 2);
}

// The first tick of a push: state 1.
void start_direction(Frames& frames, unsigned& counter, char level, char opposite, char dead_zone, char state)
{
    const InputObject inputs = inputs_p1(frames);
    if (!pushed(inputs.get(level), inputs.get(opposite), global_input_data(frames).get(dead_zone)))
        return;
    if (!run_once(counter, frames.loop_count))
        return;
    inputs.set(state, 1);
}

// A button's first tick at exactly the full-on level.
void press_button(Frames& frames, unsigned& counter, char level, char pressed)
{
    const InputObject inputs = inputs_p1(frames);
    if (inputs.get(level) != 1000)
        return;
    if (!run_once(counter, frames.loop_count))
        return;
    inputs.set(pressed, 1);
}

void set_strength(Frames& frames, char state, char level, char scaled_dead_zone, char result)
{
    const InputObject inputs = inputs_p1(frames);
    if (!(inputs.get(state) > 0))
        return;
    inputs.set(result, strength(inputs.get(level), global_input_data(frames).get(scaled_dead_zone)));
}

}  // namespace

void Frames::event_func_150()
{
    const InputObject inputs = inputs_p1(*this);
    for (char letter = 'I'; letter <= 'P'; ++letter)
        inputs.set(letter, 0);
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
    const InputObject data = global_input_data(*this);
    data.set('I', 1000 * data.get('E'));
    data.set('J', 1000 * data.get('F'));
}

void Frames::event_func_164()
{
    const InputObject inputs = inputs_p1(*this);
    for (char letter = 'Q'; letter <= 'T'; ++letter)
        inputs.set(letter, 0);
}

void Frames::event_func_165() { set_strength(*this, 'I', 'A', 'J', 'Q'); }
void Frames::event_func_166() { set_strength(*this, 'J', 'B', 'J', 'R'); }
void Frames::event_func_167() { set_strength(*this, 'K', 'C', 'I', 'S'); }
void Frames::event_func_168() { set_strength(*this, 'L', 'D', 'I', 'T'); }

void Frames::event_func_169()
{
    const InputObject inputs = inputs_p1(*this);
    const double horizontal = larger(inputs.get('S'), inputs.get('T'));
    inputs.set('U', horizontal);
    inputs.set('V', larger(inputs.get('Q'), inputs.get('R')));
    inputs.set('W', horizontal);
}

void Frames::event_func_170()
{
    const InputObject inputs = inputs_p1(*this);
    if (inputs.get('U') == 0)
        inputs.set('W', 1);
}
