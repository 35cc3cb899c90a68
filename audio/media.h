// The sound system as the rest of the runtime sees it: the smallest working
// forms until the audio device and its sounds land.
#pragma once

class Media {
public:
    static constexpr int channel_count = 32;

    // The type word of a sound item: which decoder reads its data.
    enum AudioType { WAV = 1, OGG = 2 };

    // Opens the audio device and registers every asset sound.
    void init();
    // Stops every channel and closes the device.
    void stop();
    // Stops the sound of every channel that holds one.
    void stop_samples();
};

extern Media media;

// Destroys every sound that is marked for release and no longer in use.
void flush_audio();
