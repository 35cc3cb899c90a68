// The voice loops of getting hurt, dying and straining at a block that will
// not move.
#include "game/events/shared/voices.h"

using voices::play;
using voices::speak;

// Hespin's hurt voices: one event serves two loops each.
void Frames::event_func_4()
{
    if (global_group_13)
        play(157);
}

void Frames::event_func_92()
{
    if (global_group_13)
        play(156);
}

//                                             Yelto Orrun Pimsa Dorrik Hespin
void Frames::loop_sound_hurt0_3()       { speak(*this, {61, 82, 91, 133}); event_func_92(); }
void Frames::loop_sound_hurt1_3()       { speak(*this, {62, 83, 92, 134}); event_func_4(); }
void Frames::loop_sound_hurt2_3()       { speak(*this, {63, 84, 95, 135}); event_func_92(); }
void Frames::loop_sound_hurt3_3()       { speak(*this, {64, 85, 96, 136}); event_func_4(); }
void Frames::loop_sound_die_3()         { speak(*this, {72, 117, 105, 132, 158}); }
void Frames::loop_sound_cantmoveit_3()  { speak(*this, {76, 88, 101, 141, 159}); }

// Authored without conditions or actions; nothing calls it.
void Frames::event_func_287() {}
