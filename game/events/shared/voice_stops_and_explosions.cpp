// Silencing voices, and the explosion sounds, which belong to no character
// and so test no voice group.
#include "game/events/shared/voices.h"

using voices::play;
using voices::stop;

// Cuts off everything the speaking character may be saying.
void Frames::loop_stop_voices_3()
{
    if (global_group_12)
        stop({65, 66, 67, 68, 62, 63, 64, 61, 73, 74, 75, 76, 108, 128, 129, 130, 131});
    if (voices::orrun_speaks(*this))
        stop({82, 83, 84, 85, 86, 87, 88});
    if (global_group_6)
        stop({90, 91, 92, 95, 96, 99, 97, 93, 98, 94, 100, 102, 89, 110, 109});
    if (global_group_5)
        stop({133, 134, 135, 136, 140, 125, 142, 143, 144, 145, 146, 147, 155});
    if (global_group_13)
        stop({156, 157, 159});
}

// Letting go of a block ends every character's strain, whoever is speaking.
void Frames::loop_sound_stoppush_0()
{
    if (global_group_9)
        stop({88});
    stop({76, 101, 88, 141, 159});
}

void Frames::loop_sound_explode1_0() { play(77); }
void Frames::loop_sound_explode2_0() { play(78); }
// Started as "sound_explode0" too.
void Frames::loop_sound_explode3_0() { play(169); }
void Frames::loop_sound_explode4_0() { play(176); }
void Frames::loop_sound_explode5_0() { play(177); }
void Frames::loop_sound_explode6_0() { play(170); }
void Frames::loop_sound_explode7_0() { play(171); }
void Frames::loop_sound_explode8_0() { play(175); }
