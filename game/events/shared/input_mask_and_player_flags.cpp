// The control mask of this tick with its 24-tick history, the player's held
// and first-tick flags under the input lock, the switch that starts polling,
// and the runtime-controls events.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"

namespace {

// The controls are live while the lock (PlayerInput_21 M) is 0.
bool unlocked(Frames& frames) { return get_value(frames.instances[types::PlayerInput_21], 'M') == 0; }
bool locked(Frames& frames) { return get_value(frames.instances[types::PlayerInput_21], 'M') == 1; }

int mask(Frames& frames) { return to_int(get_value(frames.instances[types::MasterInput_22], 'A')); }

void add_to_mask(Frames& frames, int bit)
{
    ObjectList& master = frames.instances[types::MasterInput_22];
    set_value(master, 'A', get_value(master, 'A') + bit);
}

void add_if_pushed(Frames& frames, char state, int bit)
{
    if (!unlocked(frames) || !(get_value(frames.instances[types::InputsP1_23], state) > 0))
        return;
    add_to_mask(frames, bit);
}

void add_if_pressed(Frames& frames, char level, int bit)
{
    if (!unlocked(frames) || get_value(frames.instances[types::InputsP1_23], level) != 1000)
        return;
    add_to_mask(frames, bit);
}

void clear_first_ticks(Frames& frames)
{
    ObjectList& player = frames.instances[types::PlayerInput_21];
    for (char letter : {'G', 'H', 'I', 'J', 'K', 'L', 'N', 'O', 'Q'})
        set_value(player, letter, 0);
}

void clear_held(Frames& frames)
{
    ObjectList& player = frames.instances[types::PlayerInput_21];
    for (char letter = 'A'; letter <= 'F'; ++letter)
        set_value(player, letter, 0);
}

// First tick: the bit is in the mask and the held flag, still last tick's,
// is not set yet.
void mark_first_tick(Frames& frames, char held, int bit, char first_tick)
{
    ObjectList& player = frames.instances[types::PlayerInput_21];
    if (get_value(player, held) != 0 || !(mask(frames) & bit))
        return;
    set_value(player, first_tick, 1);
}

void mark_held(Frames& frames, int bit, char held)
{
    if (mask(frames) & bit)
        set_value(frames.instances[types::PlayerInput_21], held, 1);
}

}  // namespace

void Frames::event_func_171()
{
    ObjectList& master = instances[types::MasterInput_22];
    set_value(master, 'A', 0);
    set_value(master, 'B', 0);
}

void Frames::event_func_172() { add_if_pushed(*this, 'I', 1); }
void Frames::event_func_173() { add_if_pushed(*this, 'J', 2); }
void Frames::event_func_174() { add_if_pushed(*this, 'K', 4); }
void Frames::event_func_175() { add_if_pushed(*this, 'L', 8); }
void Frames::event_func_176() { add_if_pressed(*this, 'E', 16); }
void Frames::event_func_177() { add_if_pressed(*this, 'F', 32); }
void Frames::event_func_178() { add_if_pressed(*this, 'G', 64); }

// The history moves one place towards C; Z takes this tick's mask.
void Frames::event_func_179()
{
    ObjectList& master = instances[types::MasterInput_22];
    for (char letter = 'C'; letter < 'Z'; ++letter)
        set_value(master, letter, get_value(master, char(letter + 1)));
    set_value(master, 'Z', get_value(master, 'A'));
}

void Frames::event_func_180()
{
    if (unlocked(*this))
        clear_first_ticks(*this);
}

// On the first tick of the lock.
void Frames::event_func_181()
{
    if (!locked(*this) || !run_once(run_once_181, loop_count))
        return;
    clear_first_ticks(*this);
}

void Frames::event_func_182() { mark_first_tick(*this, 'A', 1, 'G'); }
void Frames::event_func_183() { mark_first_tick(*this, 'B', 2, 'H'); }
void Frames::event_func_184() { mark_first_tick(*this, 'C', 4, 'I'); }
void Frames::event_func_185() { mark_first_tick(*this, 'D', 8, 'J'); }
void Frames::event_func_186() { mark_first_tick(*this, 'E', 16, 'K'); }
void Frames::event_func_187() { mark_first_tick(*this, 'F', 32, 'L'); }
// N was cleared by event 180, so O holds on every tick button 3 is held.
void Frames::event_func_188() { mark_first_tick(*this, 'N', 64, 'O'); }
void Frames::event_func_189()
{
    if (unlocked(*this))
        clear_held(*this);
}

void Frames::event_func_190()
{
    if (!locked(*this) || !run_once(run_once_190, loop_count))
        return;
    clear_held(*this);
}

void Frames::event_func_191() { mark_held(*this, 1, 'A'); }
void Frames::event_func_192() { mark_held(*this, 2, 'B'); }
void Frames::event_func_193() { mark_held(*this, 4, 'C'); }
void Frames::event_func_194() { mark_held(*this, 8, 'D'); }
void Frames::event_func_195() { mark_held(*this, 16, 'E'); }
void Frames::event_func_196() { mark_held(*this, 32, 'F'); }
void Frames::event_func_197() { mark_held(*this, 64, 'N'); }

// Polling starts after the first tick's pass over events 148 and 149.
void Frames::event_func_198()
{
    if (!once(once_198))
        return;
    activate_group(global_group_11);
}

// Events 199 to 218 belong to the runtime-controls group, which no event
// switches on: each is its group test and nothing more.
void Frames::event_func_199() { if (!global_group_7) return; }
void Frames::event_func_200() { if (!global_group_7) return; }
void Frames::event_func_201() { if (!global_group_7) return; }
void Frames::event_func_202() { if (!global_group_7) return; }
void Frames::event_func_203() { if (!global_group_7) return; }
void Frames::event_func_204() { if (!global_group_7) return; }
void Frames::event_func_205() { if (!global_group_7) return; }
void Frames::event_func_206() { if (!global_group_7) return; }
void Frames::event_func_207() { if (!global_group_7) return; }
void Frames::event_func_208() { if (!global_group_7) return; }
void Frames::event_func_209() { if (!global_group_7) return; }
void Frames::event_func_210() { if (!global_group_7) return; }
void Frames::event_func_211() { if (!global_group_7) return; }
void Frames::event_func_212() { if (!global_group_7) return; }
void Frames::event_func_213() { if (!global_group_7) return; }
void Frames::event_func_214() { if (!global_group_7) return; }
void Frames::event_func_215() { if (!global_group_7) return; }
void Frames::event_func_216() { if (!global_group_7) return; }
void Frames::event_func_217() { if (!global_group_7) return; }
void Frames::event_func_218() { if (!global_group_7) return; }