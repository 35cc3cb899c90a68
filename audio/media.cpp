#include "audio/media.h"

#include "audio/decoder.h"
#include "audio/device.h"
#include "audio/mix.h"
#include "audio/sample.h"
#include "audio/sound.h"
#include "audio/sound_data.h"
#include "base/assetfile.h"
#include "base/saturate.h"
#include "console/os.h"
#include "platform/files.h"

#include <algorithm>

Media media;

namespace {

constexpr unsigned loose_file_id = 0xFFFFFFFFu;

// A volume of 0..100; NaN (a computed 0 / 0) counts as silence.
double limited_volume(double v)
{
    return v > 0.0 ? std::min(v, 100.0) : 0.0;
}

}  // namespace

// Channels -----------------------------------------------------------------------

void Channel::play(SoundData* data, int loops)
{
    if (sound)
        stop();
    id = data->id;
    data->load(&sound);
    if (!sound) {
        OSReport("Ignored play\n");
        return;
    }
    volume = limited_volume(volume);
    sound->set_volume(float(volume / 100.0));
    sound->set_pan(pan / 100.0);
    if (frequency != 0.0)
        apply_pitch();
    sound->set_loop(loops == 0);
    if (loops > 1)
        OSReport("Invalid number of loops (%d)\n", loops);
    sound->play();
}

void Channel::stop()
{
    if (!sound)
        return;
    // From here the device owns the sound and deletes it once its voices
    // are released; the channel must never touch it again.
    sound->release();
    sound = nullptr;
}

bool Channel::is_stopped() const
{
    return !sound || sound->get_status() == TessaroAudio::SOUND_STOPPED;
}

void Channel::set_volume(double v)
{
    volume = limited_volume(v);
    if (sound)
        sound->set_volume(float(volume / 100.0));
}

void Channel::set_frequency(double hz)
{
    frequency = hz;
    if (sound)
        apply_pitch();
}

void Channel::apply_pitch()
{
    const int rate = sound->get_sample_rate();
    if (rate > 0)
        sound->set_pitch(float(double(saturate_to_int(frequency)) / rate));
}

void Channel::set_pan(double p)
{
    pan = p;
    if (sound)
        sound->set_pan(p / 100.0);
}

void Channel::pause()
{
    if (sound && sound->get_status() == TessaroAudio::SOUND_PLAYING)
        sound->pause();
}

void Channel::resume()
{
    if (sound && sound->get_status() == TessaroAudio::SOUND_PAUSED)
        sound->play();
}

void Channel::set_position(double ms)
{
    if (sound)
        sound->set_playing_offset(ms / 1000.0);
}

double Channel::get_position() const
{
    return sound ? sound->get_playing_offset() * 1000.0 : 0.0;
}

double Channel::get_duration() const
{
    return sound ? sound->get_duration() * 1000.0 : 0.0;
}

// Start-up and shut-down -----------------------------------------------------------

void Media::init()
{
    TessaroAudio::open_audio();
    AssetFile assets;
    assets.open();
    for (int id = 0; id < sound_count; ++id) {
        assets.set_item(id, AssetFile::SOUND_DATA);
        add_cache(unsigned(id), assets);
    }
}

void Media::add_cache(unsigned id, BaseFile& file)
{
    if (id >= unsigned(sound_count))
        return;
    // The raw word first: only 1 and 2 are values of the type.
    const unsigned word = TessaroAudio::read_le32(file);
    if (word == 0)
        return;
    if (word != Media::WAV && word != Media::OGG) {
        OSReport("Invalid sound type %u for sound %u\n", word, id);
        return;
    }
    const auto type = Media::AudioType(word);
    const unsigned size = TessaroAudio::read_le32(file);
    if (streams_by_size(type, size))
        set_entry(id, new SoundCache(id, type, file.tell(), size));
    else
        set_entry(id, new SoundMemory(id, new TessaroAudio::Sample(file, type, size)));
}

void Media::add_file(unsigned id, const std::string& path)
{
    if (id >= unsigned(sound_count))
        return;
    const std::string console_path = convert_path(path);
    const Media::AudioType type = type_of_path(console_path);
    const unsigned size = platform_get_file_size(console_path.c_str());
    if (streams_by_size(type, size)) {
        set_entry(id, new SoundFile(id, type, console_path, size));
        return;
    }
    BaseFile file(console_path.c_str(), "r");
    set_entry(id, new SoundMemory(id, new TessaroAudio::Sample(file, type, size)));
}

void Media::stop()
{
    // A start after this one (tests) begins with the channels' settings and
    // the main volume of the first.
    for (Channel& channel : channels) {
        channel.stop();
        channel = Channel();
    }
    TessaroAudio::Listener::set_volume(1.0f);
    TessaroAudio::close_audio();
    // The audio thread still reads sample memory until the voices are gone:
    // stop the output before any Sample or sound is freed, and before the
    // mixer's records that its callback updates.
    AXQuit();
    MIXQuit();
    free_sounds();
    if (TessaroAudio::global_device)
        TessaroAudio::global_device->delete_all_sounds();
}

void Media::set_entry(unsigned id, SoundData* data)
{
    if (sounds[id])
        retired.push_back(sounds[id]);
    sounds[id] = data;
}

void Media::free_sounds()
{
    for (SoundData*& data : sounds) {
        delete data;
        data = nullptr;
    }
    for (SoundData* data : retired)
        delete data;
    retired.clear();
}

// Playing ------------------------------------------------------------------------

Channel* Media::choose_channel()
{
    for (Channel& channel : channels)
        if (!channel.locked && channel.is_stopped())
            return &channel;
    for (Channel& channel : channels)
        if (!channel.locked)
            return &channel;
    return nullptr;
}

void Media::play(SoundData* data, int channel, int loops)
{
    if (!data) {
        OSReport("Ignored play\n");
        return;
    }
    if (channel < -1 || channel >= channel_count) {
        OSReport("Invalid channel (%d)\n", channel);
        return;
    }
    Channel* chosen = channel != -1 ? &channels[channel] : choose_channel();
    if (!chosen)
        return;
    if (channel == -1) {
        chosen->volume = 100.0;
        chosen->pan = 0.0;
        chosen->frequency = 0.0;
    }
    if (start_log) {
        const SoundFile* file = dynamic_cast<const SoundFile*>(data);
        start_log->push_back({data->id, file ? file->path : std::string(), int(chosen - channels), loops});
    }
    chosen->play(data, loops);
}

void Media::play_id(unsigned id, int channel, int loops)
{
    if (id >= unsigned(sound_count)) {
        OSReport("Invalid sound id (%d)\n", int(id));
        return;
    }
    if (!sounds[id]) {
        OSReport("No sound with id (%u)\n", id);
        return;
    }
    play(sounds[id], channel, loops);
}

void Media::play(const std::string& path, int channel, int loops)
{
    const std::string console_path = convert_path(path);
    const unsigned size = platform_get_file_size(console_path.c_str());
    if (size == 0) {
        OSReport("Audio file does not exist: %s\n", printable_text(console_path).c_str());
        return;
    }
    SoundFile file(loose_file_id, type_of_path(console_path), console_path, size);
    play(&file, channel, loops);
}

// By channel ---------------------------------------------------------------------

Channel* Media::channel_at(unsigned channel)
{
    return channel < unsigned(channel_count) ? &channels[channel] : nullptr;
}

const Channel* Media::channel_at(unsigned channel) const
{
    return channel < unsigned(channel_count) ? &channels[channel] : nullptr;
}

void Media::stop_channel(unsigned channel)
{
    if (Channel* c = channel_at(channel))
        c->stop();
}

void Media::stop_samples()
{
    for (Channel& channel : channels)
        channel.stop();
}

void Media::lock(unsigned channel)
{
    if (Channel* c = channel_at(channel))
        c->locked = true;
}

void Media::unlock(unsigned channel)
{
    if (Channel* c = channel_at(channel))
        c->locked = false;
}

void Media::set_channel_volume(unsigned channel, double volume)
{
    if (Channel* c = channel_at(channel))
        c->set_volume(volume);
}

double Media::get_channel_volume(unsigned channel) const
{
    const Channel* c = channel_at(channel);
    return c ? c->volume : 0.0;
}

void Media::set_channel_frequency(unsigned channel, double hz)
{
    if (Channel* c = channel_at(channel))
        c->set_frequency(hz);
}

double Media::get_channel_frequency(unsigned channel) const
{
    const Channel* c = channel_at(channel);
    if (!c)
        return 0.0;
    if (c->frequency != 0.0)
        return c->frequency;
    return c->sound ? c->sound->get_sample_rate() : 0.0;
}

void Media::set_channel_position(unsigned channel, double ms)
{
    if (Channel* c = channel_at(channel))
        c->set_position(ms);
}

double Media::get_channel_position(unsigned channel) const
{
    const Channel* c = channel_at(channel);
    return c ? c->get_position() : 0.0;
}

void Media::set_channel_pan(unsigned channel, double pan)
{
    if (Channel* c = channel_at(channel))
        c->set_pan(pan);
}

double Media::get_channel_pan(unsigned channel) const
{
    const Channel* c = channel_at(channel);
    return c ? c->pan : 0.0;
}

double Media::get_channel_duration(unsigned channel) const
{
    const Channel* c = channel_at(channel);
    return c ? c->get_duration() : 0.0;
}

bool Media::is_channel_playing(unsigned channel) const
{
    const Channel* c = channel_at(channel);
    return c && c->is_playing();
}

void Media::pause_channel(unsigned channel)
{
    if (Channel* c = channel_at(channel))
        c->pause();
}

void Media::resume_channel(unsigned channel)
{
    if (Channel* c = channel_at(channel))
        c->resume();
}

// By sound id --------------------------------------------------------------------

Channel* Media::get_sample(unsigned id)
{
    if (id == loose_file_id)
        return nullptr;
    for (Channel& channel : channels)
        if (channel.id == id)
            return &channel;
    return nullptr;
}

void Media::stop_sample(unsigned id)
{
    if (Channel* c = get_sample(id))
        c->stop();
}

void Media::set_sample_volume(unsigned id, double volume)
{
    if (Channel* c = get_sample(id))
        c->set_volume(volume);
}

double Media::get_sample_volume(unsigned id)
{
    const Channel* c = get_sample(id);
    return c ? c->volume : 0.0;
}

void Media::set_sample_frequency(unsigned id, double hz)
{
    if (Channel* c = get_sample(id))
        c->set_frequency(hz);
}

void Media::set_sample_pan(unsigned id, double pan)
{
    if (Channel* c = get_sample(id))
        c->set_pan(pan);
}

void Media::set_sample_position(unsigned id, double ms)
{
    if (Channel* c = get_sample(id))
        c->set_position(ms);
}

double Media::get_sample_position(unsigned id)
{
    const Channel* c = get_sample(id);
    return c ? c->get_position() : 0.0;
}

double Media::get_sample_duration(unsigned id)
{
    const Channel* c = get_sample(id);
    return c ? c->get_duration() : 0.0;
}

bool Media::is_sample_playing(unsigned id) const
{
    for (const Channel& channel : channels)
        if (channel.id == id && channel.is_playing())
            return true;
    return false;
}

void Media::pause_samples()
{
    for (Channel& channel : channels)
        channel.pause();
}

void Media::resume_samples()
{
    for (Channel& channel : channels)
        channel.resume();
}

// Master volume ------------------------------------------------------------------

double Media::get_main_volume() const
{
    return double(TessaroAudio::Listener::get_volume()) * 100.0;
}

void Media::set_main_volume(double volume)
{
    TessaroAudio::Listener::set_volume(float(limited_volume(volume) / 100.0));
}
