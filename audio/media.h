// The sound system as the rest of the runtime sees it.
#pragma once

// Destroys every sound that is marked for release and no longer in use.
void flush_audio();

class Media {
public:
    // The type word of a sound item: which decoder reads its data.
    enum AudioType { WAV = 1, OGG = 2 };
};
