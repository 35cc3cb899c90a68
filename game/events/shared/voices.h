// What the voice events share: the character being played and the sample
// calls. Each character speaks through one group flag, its voice group:
//   global_group_12  Yelto   (character id 0)
//   global_group_9   Orrun   (1)
//   global_group_6   Pimsa   (2 on foot, 3 on the bike)
//   global_group_5   Dorrik  (4)
//   global_group_13  Hespin  (5)
// At most one is on, so a voice loop runs every character's event and only
// the speaking character's passes its group test.
#pragma once

#include "audio/media.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"

#include <initializer_list>

namespace voices {

// The character id: value A of PlayerMovementValues_80.
inline double character_id(Frames& frames)
{
    return get_value(frames.instances[types::PlayerMovementValues_80], 'A');
}

// Orrun's events check the id besides the group.
inline bool orrun_speaks(Frames& frames)
{
    return frames.global_group_9 && character_id(frames) == 1.0;
}

// A voice or explosion sample: the first free channel, played once.
inline void play(unsigned sample)
{
    media.play_id(sample, -1, 1);
}

// One voice loop's samples by character, 0 where the character has no
// event in the loop. Orrun's sample is his character id's alone.
struct VoiceLine {
    unsigned yelto = 0, orrun = 0, pimsa = 0, dorrik = 0, hespin = 0;
};

// Runs the loop's events in order: Yelto, Orrun, Pimsa, Dorrik, Hespin.
inline void speak(Frames& f, const VoiceLine& line)
{
    if (line.yelto && f.global_group_12)
        play(line.yelto);
    if (line.orrun && orrun_speaks(f))
        play(line.orrun);
    if (line.pimsa && f.global_group_6)
        play(line.pimsa);
    if (line.dorrik && f.global_group_5)
        play(line.dorrik);
    if (line.hespin && f.global_group_13)
        play(line.hespin);
}

inline void stop(std::initializer_list<unsigned> samples)
{
    for (unsigned sample : samples)
        media.stop_sample(sample);
}

}  // namespace voices
