// The voice loops of the moves: attacks, idle calls, specials, kicks,
// digging and jumps. A character without a voice for a move has no event
// in its loop (0 below), so the loop stays silent for them.
#include "game/events/shared/voices.h"

using voices::play;
using voices::speak;

//                                            Yelto Orrun Pimsa Dorrik Hespin
void Frames::loop_sound_attack0_3()    { speak(*this, {65, 86, 97, 155}); }
void Frames::loop_sound_attack1_3()    { speak(*this, {66, 87, 93}); }
void Frames::loop_sound_attack2_0()    { speak(*this, {67, 0, 98}); }
void Frames::loop_sound_attack3_0()    { speak(*this, {68, 0, 99}); }
void Frames::loop_sound_idle3_0()      { speak(*this, {73, 0, 100, 145}); }
void Frames::loop_sound_idle5_0()      { speak(*this, {74, 0, 102, 147}); }
void Frames::loop_sound_idle7_0()      { speak(*this, {75, 0, 89, 146}); }
void Frames::loop_sound_help_0()       { speak(*this, {71, 0, 0, 148}); }
void Frames::loop_sound_uppercut0_0()  { speak(*this, {129}); }
void Frames::loop_sound_uppercut1_0()  { speak(*this, {130}); }
void Frames::loop_sound_uppercut3_0()  { speak(*this, {131}); }
void Frames::loop_sound_cyclone0_0()   { speak(*this, {128}); }
void Frames::loop_sound_kick0_0()      { speak(*this, {0, 0, 111}); }
void Frames::loop_sound_kick1_0()      { speak(*this, {0, 0, 112}); }
void Frames::loop_sound_kick2_0()      { speak(*this, {0, 0, 113}); }
void Frames::loop_sound_dig0_0()       { speak(*this, {0, 0, 0, 140}); }
void Frames::loop_sound_dig1_0()       { speak(*this, {0, 0, 0, 142}); }
void Frames::loop_sound_dig2_0()       { speak(*this, {0, 0, 0, 143}); }
void Frames::loop_sound_dig3_0()       { speak(*this, {0, 0, 0, 144}); }

// The go call cuts sample 109 short.
void Frames::loop_sound_go0_0()
{
    if (!global_group_6)
        return;
    play(90);
    voices::stop({109});
}

// The stage's jump loop: its own effect event, then the jump voices.
void Frames::loop_sound_jump_4()
{
    event_func_348();
    event_func_17();
    event_func_18();
    event_func_280();
    event_func_281();
    event_func_19();
    event_func_20();
}

// The jump voices. Everyone jumps with sample 8 but Pimsa on the bike and
// Hespin; Orrun's event here checks no character id.
void Frames::event_func_17()
{
    if (global_group_12)
        play(8);
}

void Frames::event_func_18()
{
    if (global_group_9)
        play(8);
}

void Frames::event_func_280()
{
    if (global_group_6 && voices::character_id(*this) == 2.0)
        play(8);
}

void Frames::event_func_281()
{
    if (global_group_6 && voices::character_id(*this) == 3.0)
        play(151);
}

void Frames::event_func_19()
{
    if (global_group_5)
        play(8);
}

void Frames::event_func_20()
{
    if (global_group_13)
        play(152);
}
