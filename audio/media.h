// The sound system as the rest of the runtime sees it: a table of the asset
// file's sounds by id, 32 playback channels, and loose files by path.
#pragma once

#include <string>
#include <vector>

class BaseFile;
class SoundData;

namespace TessaroAudio {
class SoundBase;
}

// One playback channel. Its volume, frequency and pan belong to the channel
// and apply to every sound started on it.
class Channel {
public:
    void play(SoundData* data, int loops);
    void stop();
    bool is_stopped() const;
    // Playing or paused.
    bool is_playing() const { return !is_stopped(); }
    void set_volume(double v);
    void set_frequency(double hz);
    void set_pan(double p);
    void pause();
    void resume();
    void set_position(double ms);
    double get_position() const;
    double get_duration() const;

    unsigned id = 0;  // of the sound last started; 0 before any play
    bool locked = false;
    TessaroAudio::SoundBase* sound = nullptr;
    double volume = 100.0;
    double frequency = 0.0;
    double pan = 0.0;

private:
    void apply_pitch();
};

// One sound start, as tests read them back.
struct SoundStart {
    unsigned id;       // the sound's id; a loose file's is the file id
    std::string path;  // the console path of a loose file, else empty
    int channel;       // the channel it started on
    int loops;
};

class Media {
public:
    static constexpr int sound_count = 216;
    static constexpr int channel_count = 32;

    // The type word of a sound item: which decoder reads its data.
    enum AudioType { WAV = 1, OGG = 2 };

    // Opens the audio device and registers every asset sound.
    void init();
    void add_cache(unsigned id, BaseFile& file);
    void add_file(unsigned id, const std::string& path);
    // Stops every channel, closes the device and frees the sounds.
    void stop();

    // channel -1 chooses a free channel; loops 0 loops for ever.
    void play(SoundData* data, int channel, int loops);
    void play_id(unsigned id, int channel, int loops);
    void play(const std::string& path, int channel, int loops);

    void stop_channel(unsigned channel);
    void stop_samples();
    void lock(unsigned channel);
    void unlock(unsigned channel);
    void set_channel_volume(unsigned channel, double volume);
    double get_channel_volume(unsigned channel) const;
    void set_channel_frequency(unsigned channel, double hz);
    double get_channel_frequency(unsigned channel) const;
    void set_channel_position(unsigned channel, double ms);
    double get_channel_position(unsigned channel) const;
    void set_channel_pan(unsigned channel, double pan);
    double get_channel_pan(unsigned channel) const;
    double get_channel_duration(unsigned channel) const;
    bool is_channel_playing(unsigned channel) const;
    bool is_channel_valid(unsigned channel) const { return channel < unsigned(channel_count); }
    void pause_channel(unsigned channel);
    void resume_channel(unsigned channel);

    Channel* get_sample(unsigned id);
    void stop_sample(unsigned id);
    void set_sample_volume(unsigned id, double volume);
    double get_sample_volume(unsigned id);
    void set_sample_frequency(unsigned id, double hz);
    void set_sample_pan(unsigned id, double pan);
    void set_sample_position(unsigned id, double ms);
    double get_sample_position(unsigned id);
    double get_sample_duration(unsigned id);
    bool is_sample_playing(unsigned id) const;
    void pause_samples();
    void resume_samples();

    double get_main_volume() const;
    void set_main_volume(double volume);

    SoundData* sounds[sound_count] = {};
    Channel channels[channel_count];
    // Tests point this at a vector to read back every sound started.
    std::vector<SoundStart>* start_log = nullptr;

private:
    Channel* channel_at(unsigned channel);
    const Channel* channel_at(unsigned channel) const;
    // Automatic choice: a free unlocked channel, else any unlocked one.
    Channel* choose_channel();
    // Puts a source in the table. One it replaces may still be playing, so
    // it is kept until shut-down.
    void set_entry(unsigned id, SoundData* data);
    void free_sounds();

    std::vector<SoundData*> retired;
};

extern Media media;

// Once per tick: deletes the sounds that are destroyed and let go.
void flush_audio();
