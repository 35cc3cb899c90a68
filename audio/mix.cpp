#include "audio/mix.h"

#include "console/os.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr MixDeviceControls reset_controls = {-960, -960, -960, 64, 127, 0, -960};
constexpr int16_t adjust_floor = -906;
constexpr int16_t adjust_ceiling = 60;

MixChannelRecord builtin_records[AX_MAX_VOICES];
MixChannelRecord* records = nullptr;
uint32_t channel_count = 0;
bool initialised = false;
uint32_t sound_modes[3] = {MIX_SOUND_MODE_STEREO, MIX_SOUND_MODE_STEREO, MIX_SOUND_MODE_MONO};

// Holds a voice for the lifetime of the object.
class VoiceHold {
public:
    explicit VoiceHold(AXVPB* voice) : voice_(voice) { AXVoiceBegin(voice_); }
    ~VoiceHold() { AXVoiceEnd(voice_); }
    VoiceHold(const VoiceHold&) = delete;
    VoiceHold& operator=(const VoiceHold&) = delete;

private:
    AXVPB* voice_;
};

// One output device of a record, as the device operations see it.
struct Device {
    MixDeviceControls* controls;
    uint32_t* flags;
    int16_t* pan_db;  // null for a remote
    uint32_t type;
};

// Unlike the console's, a device index or type out of range finds nothing
// rather than reaching past the record.
bool find_device(MixChannelRecord& record, uint32_t type, uint32_t index, Device* device)
{
    if (type == MIX_DEVICE_TV && index == 0)
        *device = {&record.tv_controls, &record.tv_flags, record.tv_pan_db, type};
    else if (type == MIX_DEVICE_DRC && index < AX_DRC_COUNT)
        *device = {&record.drc_controls[index], &record.drc_flags[index], record.drc_pan_db[index], type};
    else if (type == MIX_DEVICE_RMT && index < AX_RMT_COUNT)
        *device = {&record.rmt_controls[index], &record.rmt_flags[index], nullptr, type};
    else
        return false;
    return true;
}

void report_wrong_type()
{
    OSReport("Device type is wrong.\n");
}

void __MIXResetTVChannel(MixChannelRecord* record, uint32_t)
{
    record->tv_controls = reset_controls;
    record->tv_flags = 0;
    std::memset(record->tv_ramps, 0, sizeof record->tv_ramps);
}

void __MIXResetDRCChannel(MixChannelRecord* record, uint32_t index)
{
    record->drc_controls[index] = reset_controls;
    record->drc_flags[index] = 0;
    std::memset(record->drc_ramps[index], 0, sizeof record->drc_ramps[index]);
}

void __MIXResetRmtChannel(MixChannelRecord* record, uint32_t index)
{
    record->rmt_controls[index] = reset_controls;
    record->rmt_flags[index] = 0;
    std::memset(record->rmt_ramps[index], 0, sizeof record->rmt_ramps[index]);
}

void reset_device(MixChannelRecord* record, uint32_t type, uint32_t index)
{
    if (type == MIX_DEVICE_TV)
        __MIXResetTVChannel(record, index);
    else if (type == MIX_DEVICE_DRC)
        __MIXResetDRCChannel(record, index);
    else
        __MIXResetRmtChannel(record, index);
}

// The pan attenuations stay as they were: only a pan or span change, or a
// device-level operation, refreshes them.
void __MIXResetChannel(MixChannelRecord* record)
{
    record->input = 0;
    record->input_current = 0;
    record->input_target = 0;
    record->channel_flags = MIX_INPUT_CHANGED;
    __MIXResetTVChannel(record, 0);
    for (uint32_t i = 0; i < AX_DRC_COUNT; ++i)
        __MIXResetDRCChannel(record, i);
    for (uint32_t i = 0; i < AX_RMT_COUNT; ++i)
        __MIXResetRmtChannel(record, i);
}

void init_records(MixChannelRecord* array)
{
    channel_count = uint32_t(std::clamp(AXGetMaxVoices(), 0, AX_MAX_VOICES));
    records = array;
    for (uint32_t i = 0; i < channel_count; ++i) {
        records[i].voice = nullptr;
        __MIXResetChannel(&records[i]);
    }
    initialised = true;
    sound_modes[MIX_DEVICE_TV] = MIX_SOUND_MODE_STEREO;
    sound_modes[MIX_DEVICE_DRC] = MIX_SOUND_MODE_STEREO;
    sound_modes[MIX_DEVICE_RMT] = MIX_SOUND_MODE_MONO;
}

// Levels and ramps -------------------------------------------------------------

int16_t wrap16(int32_t value)
{
    return int16_t(uint16_t(uint32_t(value)));
}

int16_t adjusted_level(int16_t stored, int16_t delta)
{
    return std::clamp(wrap16(int32_t(stored) + delta), adjust_floor, adjust_ceiling);
}

int16_t adjusted_pan(int16_t stored, int32_t delta)
{
    return int16_t(__MIXClampPan(int32_t(stored) + delta));
}

int16_t step_of(uint16_t current, uint16_t target)
{
    return int16_t((int32_t(target) - int32_t(current)) / AX_FRAME_SAMPLES);
}

// Channel-major: the four buses of each output channel in turn.
template <int Buses, int Channels>
void send_mix(AXVPB* voice, uint32_t type, uint32_t index, const MixRamp (&ramps)[Buses][Channels])
{
    AXMixEntry mix[Channels * Buses];
    for (int c = 0; c < Channels; ++c)
        for (int b = 0; b < Buses; ++b)
            mix[c * Buses + b] = {ramps[b][c].current, step_of(ramps[b][c].current, ramps[b][c].target)};
    AXSetVoiceDeviceMix(voice, int32_t(type), index, mix);
}

void send_rmt_mix(AXVPB* voice, uint32_t index, const MixRamp* ramps)
{
    AXMixEntry mix[AX_BUSES];
    for (int b = 0; b < AX_BUSES; ++b)
        mix[b] = {ramps[b].current, step_of(ramps[b].current, ramps[b].target)};
    AXSetVoiceDeviceMix(voice, MIX_DEVICE_RMT, index, mix);
}

template <int Buses, int Channels>
void settle(MixRamp (&ramps)[Buses][Channels])
{
    for (auto& bus : ramps)
        for (MixRamp& ramp : bus)
            ramp.current = ramp.target;
}

// The shared first half of an update: finish the ramp in flight. True when
// a resend is due.
bool settle_device(uint32_t& flags)
{
    if (!(flags & MIX_DEVICE_RAMPING))
        return false;
    flags &= ~MIX_DEVICE_RAMPING;
    return true;
}

int16_t aux_level(const MixDeviceControls& controls, int bus)
{
    return bus == 1 ? controls.aux_a : bus == 2 ? controls.aux_b : controls.aux_c;
}

// The fader share of an aux send: none when that send is pre-fader.
int32_t fader_share(uint32_t flags, int bus, int16_t fader)
{
    return (flags & (1u << (bus - 1))) ? 0 : fader;
}

// TV targets ---------------------------------------------------------------------

enum TvChannel { L, R, Ls, Rs, C, Lfe };
// Outside six-channel mode the last two pan attenuations are the span's
// front and rear cuts.
constexpr int front = C;
constexpr int rear = Lfe;

void tv_targets_mono(MixChannelRecord& r)
{
    const MixDeviceControls& k = r.tv_controls;
    const int32_t g = std::max<int32_t>(r.tv_pan_db[front], -120);
    for (int b = 0; b < AX_BUSES; ++b) {
        const int32_t level = b == 0 ? k.fader + g : fader_share(r.tv_flags, b, k.fader) + g + aux_level(k, b);
        MixRamp* bus = r.tv_ramps[b];
        bus[L].target = bus[R].target = __MIXGetVolume(level);
        bus[Ls].target = bus[Rs].target = bus[C].target = bus[Lfe].target = 0;
    }
}

void tv_targets_stereo(MixChannelRecord& r)
{
    const MixDeviceControls& k = r.tv_controls;
    const int16_t* p = r.tv_pan_db;
    const int32_t g = std::max<int32_t>(p[front], -120);
    for (int b = 0; b < AX_BUSES; ++b) {
        const int32_t base = b == 0 ? k.fader + g : fader_share(r.tv_flags, b, k.fader) + g + aux_level(k, b);
        MixRamp* bus = r.tv_ramps[b];
        bus[L].target = __MIXGetVolume(base + p[L]);
        bus[R].target = __MIXGetVolume(base + p[R]);
        bus[Ls].target = bus[Rs].target = bus[C].target = bus[Lfe].target = 0;
    }
}

void tv_targets_dpl2(MixChannelRecord& r)
{
    const MixDeviceControls& k = r.tv_controls;
    const int16_t* p = r.tv_pan_db;
    // Aux C takes no part in this mode.
    for (int b = 0; b < AX_BUSES - 1; ++b) {
        const int32_t base = b == 0 ? k.fader : fader_share(r.tv_flags, b, k.fader) + aux_level(k, b);
        MixRamp* bus = r.tv_ramps[b];
        bus[L].target = __MIXGetVolume(base + p[front] + p[L]);
        bus[R].target = __MIXGetVolume(base + p[front] + p[R]);
        bus[Ls].target = __MIXGetVolume(base + p[rear] + p[Ls]);
        bus[Rs].target = __MIXGetVolume(base + p[rear] + p[Rs]);
        bus[C].target = 0;
    }
}

void tv_targets_6ch(MixChannelRecord& r)
{
    const MixDeviceControls& k = r.tv_controls;
    const int16_t* p = r.tv_pan_db;
    for (int b = 0; b < AX_BUSES; ++b) {
        const int32_t base = b == 0 ? k.fader : fader_share(r.tv_flags, b, k.fader) + aux_level(k, b);
        MixRamp* bus = r.tv_ramps[b];
        for (int c = L; c <= C; ++c)
            bus[c].target = __MIXGetVolume(base + p[c]);
        bus[Lfe].target = __MIXGetVolume(base + k.lfe);
    }
}

void tv_targets(MixChannelRecord& r)
{
    switch (sound_modes[MIX_DEVICE_TV]) {
    case MIX_SOUND_MODE_MONO: tv_targets_mono(r); break;
    case MIX_SOUND_MODE_STEREO:
    case MIX_SOUND_MODE_SURROUND: tv_targets_stereo(r); break;
    case MIX_SOUND_MODE_DPL2: tv_targets_dpl2(r); break;
    case MIX_SOUND_MODE_6CH: tv_targets_6ch(r); break;
    default: break;
    }
}

// Gamepad targets: the aux sends always carry the fader.
void drc_targets(MixChannelRecord& r, uint32_t d)
{
    const MixDeviceControls& k = r.drc_controls[d];
    const int16_t* p = r.drc_pan_db[d];
    auto& ramps = r.drc_ramps[d];
    const uint32_t mode = sound_modes[MIX_DEVICE_DRC];
    if (mode == MIX_SOUND_MODE_MONO) {
        ramps[0][L].target = ramps[0][R].target = __MIXGetVolume(k.fader);
        return;
    }
    int channels = 0;
    if (mode == MIX_SOUND_MODE_STEREO || mode == MIX_SOUND_MODE_DPL2)
        channels = 2;
    else if (mode == MIX_SOUND_MODE_SURROUND)
        channels = AX_DRC_CHANNELS;
    for (int b = 0; b < AX_BUSES; ++b) {
        const int32_t send = b == 0 ? 0 : aux_level(k, b);
        for (int c = 0; c < channels; ++c)
            ramps[b][c].target = __MIXGetVolume(send + p[c] + k.fader);
    }
}

}  // namespace

// Volume and pan --------------------------------------------------------------------

uint16_t __MIXGetVolume(int32_t level)
{
    if (level <= MIX_VOLUME_MIN_LEVEL)
        return 0;
    if (level >= MIX_VOLUME_MAX_LEVEL)
        return MixVolumeTable[MIX_VOLUME_MAX_LEVEL - MIX_VOLUME_MIN_LEVEL];
    return MixVolumeTable[level - MIX_VOLUME_MIN_LEVEL];
}

int32_t __MIXClampPan(int32_t value)
{
    return std::clamp(value, 0, 127);
}

void __MIXSetDevicePan(const MixDeviceControls* controls, uint32_t device_type, int16_t* pan_db)
{
    if (!pan_db)
        return;
    // The device setters store pan and span unclamped; never index past the tables.
    const int p = __MIXClampPan(controls->pan);
    const int s = __MIXClampPan(controls->span);
    const int pr = 127 - p;
    const int sr = 127 - s;
    const int32_t* t = MixPanTable;
    const uint32_t mode = sound_modes[device_type == MIX_DEVICE_TV ? MIX_DEVICE_TV : MIX_DEVICE_DRC];
    if (device_type == MIX_DEVICE_TV) {
        int32_t v[AX_TV_CHANNELS];
        if (mode == MIX_SOUND_MODE_DPL2) {
            const int16_t* d = MixDpl2PanTable;
            const int16_t* sur = MixDpl2SurroundTable;
            const int32_t dv[AX_TV_CHANNELS] = {d[p], d[pr], sur[pr], sur[p], d[sr], d[s]};
            std::copy(dv, dv + AX_TV_CHANNELS, v);
        } else if (mode == MIX_SOUND_MODE_6CH) {
            const int right = 2 * pr >= 126 ? 127 : 2 * pr;
            v[L] = t[std::min(2 * p, 127)] + t[sr];
            v[R] = t[right] + t[sr];
            v[Ls] = t[p] + t[s];
            v[Rs] = t[pr] + t[s];
            v[C] = t[std::min(2 * std::abs(p - 64), 127)] + t[sr];
            v[Lfe] = 0;
        } else {
            const int32_t sv[AX_TV_CHANNELS] = {t[p], t[pr], 0, 0, t[sr], t[s]};
            std::copy(sv, sv + AX_TV_CHANNELS, v);
        }
        for (int c = 0; c < AX_TV_CHANNELS; ++c)
            pan_db[c] = int16_t(v[c]);
    } else if (device_type == MIX_DEVICE_DRC) {
        if (mode == MIX_SOUND_MODE_MONO || mode == MIX_SOUND_MODE_STEREO) {
            pan_db[L] = int16_t(t[p]);
            pan_db[R] = int16_t(t[pr]);
        } else if (mode == MIX_SOUND_MODE_SURROUND) {
            pan_db[L] = int16_t(t[p] + t[sr]);
            pan_db[R] = int16_t(t[pr] + t[sr]);
            pan_db[Ls] = int16_t(t[p] + t[s]);
            pan_db[Rs] = int16_t(t[pr] + t[s]);
        }
    }
}

// Updaters ---------------------------------------------------------------------------

void __MIXUpdateTVOneVoice(MixChannelRecord* record, uint32_t tv_index)
{
    const bool resend = settle_device(record->tv_flags);
    if (resend)
        settle(record->tv_ramps);
    if (record->tv_flags & MIX_DEVICE_CHANGED) {
        tv_targets(*record);
        record->tv_flags = (record->tv_flags & ~MIX_DEVICE_CHANGED) | MIX_DEVICE_RAMPING;
        send_mix(record->voice, MIX_DEVICE_TV, tv_index, record->tv_ramps);
    } else if (resend) {
        send_mix(record->voice, MIX_DEVICE_TV, tv_index, record->tv_ramps);
    }
}

void __MIXUpdateDRCOneVoice(MixChannelRecord* record, uint32_t gamepad_index)
{
    if (gamepad_index >= AX_DRC_COUNT)
        return;
    uint32_t& flags = record->drc_flags[gamepad_index];
    auto& ramps = record->drc_ramps[gamepad_index];
    const bool resend = settle_device(flags);
    if (resend)
        settle(ramps);
    if (flags & MIX_DEVICE_CHANGED) {
        drc_targets(*record, gamepad_index);
        flags = (flags & ~MIX_DEVICE_CHANGED) | MIX_DEVICE_RAMPING;
        send_mix(record->voice, MIX_DEVICE_DRC, gamepad_index, ramps);
    } else if (resend) {
        send_mix(record->voice, MIX_DEVICE_DRC, gamepad_index, ramps);
    }
}

// Every remote, whatever the index: a remote has one channel, and only its
// main and aux A buses move.
void __MIXUpdateRmtOneVoice(MixChannelRecord* record, uint32_t)
{
    for (uint32_t r = 0; r < AX_RMT_COUNT; ++r) {
        uint32_t& flags = record->rmt_flags[r];
        MixRamp* ramps = record->rmt_ramps[r];
        const MixDeviceControls& k = record->rmt_controls[r];
        const bool resend = settle_device(flags);
        if (resend) {
            ramps[0].current = ramps[0].target;
            ramps[1].current = ramps[1].target;
        }
        if (flags & MIX_DEVICE_CHANGED) {
            ramps[0].target = __MIXGetVolume(k.fader);
            ramps[1].target = __MIXGetVolume(k.aux_a + fader_share(flags, 1, k.fader));
            flags = (flags & ~MIX_DEVICE_CHANGED) | MIX_DEVICE_RAMPING;
            send_rmt_mix(record->voice, r, ramps);
        } else if (resend) {
            send_rmt_mix(record->voice, r, ramps);
        }
    }
}

// Start-up, shut-down and modes ---------------------------------------------------------

void MIXInit()
{
    if (!AXIsInit() || initialised)
        return;
    init_records(builtin_records);
}

void MIXInitSpecifyMem(void* mem)
{
    if (!AXIsInit() || initialised || !mem)
        return;
    init_records(static_cast<MixChannelRecord*>(mem));
}

void MIXQuit()
{
    initialised = false;
    records = nullptr;
}

void MIXSetSoundMode(uint32_t mode)
{
    if (mode == MIX_SOUND_MODE_SURROUND || mode == MIX_SOUND_MODE_DPL2) {
        OSReport("%s not supported; only stereo will be output\n",
                 mode == MIX_SOUND_MODE_SURROUND ? "MIX_SOUND_MODE_SURROUND" : "MIX_SOUND_MODE_DPL2");
        mode = MIX_SOUND_MODE_STEREO;
    }
    sound_modes[MIX_DEVICE_TV] = mode;
}

uint32_t MIXGetSoundMode()
{
    return sound_modes[MIX_DEVICE_TV];
}

MixChannelRecord* mix_record_of(AXVPB* voice)
{
    if (!records || !voice || voice->index >= channel_count)
        return nullptr;
    return &records[voice->index];
}

// Channels ---------------------------------------------------------------------------------

namespace {

void recompute_tv_pan(MixChannelRecord* r)
{
    __MIXSetDevicePan(&r->tv_controls, MIX_DEVICE_TV, r->tv_pan_db);
}

void recompute_drc_pan(MixChannelRecord* r, uint32_t index)
{
    __MIXSetDevicePan(&r->drc_controls[index], MIX_DEVICE_DRC, r->drc_pan_db[index]);
}

// Plain setters store one field and mark the device; the next update does the rest.
void set_field(int16_t& field, uint32_t& flags, uint32_t changed, int16_t value)
{
    if (field != value) {
        field = value;
        flags |= changed;
    }
}

void add_field(int16_t& field, uint32_t& flags, uint32_t changed, int16_t delta)
{
    field = wrap16(int32_t(field) + delta);
    flags |= changed;
}

void set_tv_pan_field(MixChannelRecord* r, int16_t& field, int32_t value)
{
    const int16_t clamped = int16_t(__MIXClampPan(value));
    if (field == clamped)
        return;
    field = clamped;
    recompute_tv_pan(r);
    r->tv_flags |= MIX_DEVICE_CHANGED;
}

void set_drc_pan(MixChannelRecord* r, int32_t value)
{
    r->drc_controls[0].pan = int16_t(__MIXClampPan(value));
    recompute_drc_pan(r, 0);
    r->drc_flags[0] |= MIX_DEVICE_CHANGED;
}

}  // namespace

void MIXAssignChannel(AXVPB* voice)
{
    VoiceHold hold(voice);
    if (MixChannelRecord* r = mix_record_of(voice)) {
        __MIXResetChannel(r);
        r->voice = voice;
    }
}

void MIXInitInputControl(AXVPB* voice, int16_t input, uint32_t mode)
{
    VoiceHold hold(voice);
    if (MixChannelRecord* r = mix_record_of(voice)) {
        r->input = input;
        r->channel_flags = (mode & MIX_MUTE) | MIX_INPUT_CHANGED;
    }
}

void MIXInitChannel(AXVPB* voice, uint32_t mode, int16_t input, int16_t aux_a, int16_t aux_b, int16_t aux_c,
                    int16_t pan, int16_t span, int16_t fader)
{
    VoiceHold hold(voice);
    MixChannelRecord* r = mix_record_of(voice);
    if (!r)
        return;
    __MIXResetChannel(r);
    r->voice = voice;
    r->input = input;
    r->channel_flags = (mode & MIX_MUTE) | MIX_INPUT_CHANGED;
    MixDeviceControls& k = r->tv_controls;
    k.aux_a = aux_a;
    k.aux_b = aux_b;
    k.aux_c = aux_c;
    k.pan = pan;
    k.span = span;
    k.fader = fader;
    r->tv_flags = mode & (MIX_DEVICE_CHANGED | 0x7);
    recompute_tv_pan(r);
    r->tv_flags |= MIX_DEVICE_CHANGED;
    __MIXUpdateTVOneVoice(r, 0);
}

void MIXDRCInitChannel(AXVPB* voice, uint32_t mode, int16_t aux, int16_t pan, int16_t fader)
{
    VoiceHold hold(voice);
    MixChannelRecord* r = mix_record_of(voice);
    if (!r)
        return;
    __MIXResetDRCChannel(r, 0);
    r->drc_controls[0].aux_a = aux;
    r->drc_controls[0].pan = pan;
    r->drc_controls[0].fader = fader;
    r->drc_flags[0] = mode & (MIX_DEVICE_CHANGED | 0x7);
    recompute_drc_pan(r, 0);
    r->drc_flags[0] |= MIX_DEVICE_CHANGED;
    __MIXUpdateDRCOneVoice(r, 0);
}

void MIXReleaseChannel(AXVPB* voice)
{
    VoiceHold hold(voice);
    if (MixChannelRecord* r = mix_record_of(voice))
        r->voice = nullptr;
}

void MIXResetControls(AXVPB* voice)
{
    if (MixChannelRecord* r = mix_record_of(voice))
        __MIXResetChannel(r);
}

void MIXSetInput(AXVPB* voice, int16_t level)
{
    if (MixChannelRecord* r = mix_record_of(voice)) {
        r->input = level;
        r->channel_flags |= MIX_INPUT_CHANGED;
    }
}

void MIXAdjustInput(AXVPB* voice, int16_t delta)
{
    if (MixChannelRecord* r = mix_record_of(voice))
        add_field(r->input, r->channel_flags, MIX_INPUT_CHANGED, delta);
}

int32_t MIXGetInput(AXVPB* voice)
{
    const MixChannelRecord* r = mix_record_of(voice);
    return r ? r->input : 0;
}

void MIXMute(AXVPB* voice)
{
    if (MixChannelRecord* r = mix_record_of(voice))
        r->channel_flags |= MIX_MUTE | MIX_INPUT_CHANGED;
}

void MIXUnMute(AXVPB* voice)
{
    if (MixChannelRecord* r = mix_record_of(voice))
        r->channel_flags = (r->channel_flags & ~MIX_MUTE) | MIX_INPUT_CHANGED;
}

int32_t MIXIsMute(AXVPB* voice)
{
    const MixChannelRecord* r = mix_record_of(voice);
    return r && (r->channel_flags & MIX_MUTE) ? 1 : 0;
}

namespace {

int16_t* tv_aux(MixChannelRecord* r, int bus)
{
    MixDeviceControls& k = r->tv_controls;
    return bus == 1 ? &k.aux_a : bus == 2 ? &k.aux_b : &k.aux_c;
}

void set_tv_aux(AXVPB* voice, int bus, int16_t level)
{
    if (MixChannelRecord* r = mix_record_of(voice))
        set_field(*tv_aux(r, bus), r->tv_flags, MIX_DEVICE_CHANGED, level);
}

void adjust_tv_aux(AXVPB* voice, int bus, int16_t delta)
{
    if (MixChannelRecord* r = mix_record_of(voice))
        add_field(*tv_aux(r, bus), r->tv_flags, MIX_DEVICE_CHANGED, delta);
}

int32_t get_tv_aux(AXVPB* voice, int bus)
{
    MixChannelRecord* r = mix_record_of(voice);
    return r ? *tv_aux(r, bus) : 0;
}

void set_tv_prefader(AXVPB* voice, int bus, bool pre)
{
    MixChannelRecord* r = mix_record_of(voice);
    if (!r)
        return;
    const uint32_t bit = 1u << (bus - 1);
    r->tv_flags = (pre ? r->tv_flags | bit : r->tv_flags & ~bit) | MIX_DEVICE_CHANGED;
}

int32_t tv_is_postfader(AXVPB* voice, int bus)
{
    const MixChannelRecord* r = mix_record_of(voice);
    return r && (r->tv_flags & (1u << (bus - 1))) ? 0 : 1;
}

}  // namespace

void MIXSetAuxA(AXVPB* voice, int16_t level) { set_tv_aux(voice, 1, level); }
void MIXAdjustAuxA(AXVPB* voice, int16_t delta) { adjust_tv_aux(voice, 1, delta); }
int32_t MIXGetAuxA(AXVPB* voice) { return get_tv_aux(voice, 1); }
void MIXAuxAPreFader(AXVPB* voice) { set_tv_prefader(voice, 1, true); }
void MIXAuxAPostFader(AXVPB* voice) { set_tv_prefader(voice, 1, false); }
int32_t MIXAuxAIsPostFader(AXVPB* voice) { return tv_is_postfader(voice, 1); }
void MIXSetAuxB(AXVPB* voice, int16_t level) { set_tv_aux(voice, 2, level); }
void MIXAdjustAuxB(AXVPB* voice, int16_t delta) { adjust_tv_aux(voice, 2, delta); }
int32_t MIXGetAuxB(AXVPB* voice) { return get_tv_aux(voice, 2); }
void MIXAuxBPreFader(AXVPB* voice) { set_tv_prefader(voice, 2, true); }
void MIXAuxBPostFader(AXVPB* voice) { set_tv_prefader(voice, 2, false); }
int32_t MIXAuxBIsPostFader(AXVPB* voice) { return tv_is_postfader(voice, 2); }
void MIXSetAuxC(AXVPB* voice, int16_t level) { set_tv_aux(voice, 3, level); }
void MIXAdjustAuxC(AXVPB* voice, int16_t delta) { adjust_tv_aux(voice, 3, delta); }
int32_t MIXGetAuxC(AXVPB* voice) { return get_tv_aux(voice, 3); }
void MIXAuxCPreFader(AXVPB* voice) { set_tv_prefader(voice, 3, true); }
void MIXAuxCPostFader(AXVPB* voice) { set_tv_prefader(voice, 3, false); }
int32_t MIXAuxCIsPostFader(AXVPB* voice) { return tv_is_postfader(voice, 3); }

void MIXSetPan(AXVPB* voice, int32_t pan)
{
    if (MixChannelRecord* r = mix_record_of(voice))
        set_tv_pan_field(r, r->tv_controls.pan, pan);
}

void MIXAdjustPan(AXVPB* voice, int32_t delta)
{
    if (MixChannelRecord* r = mix_record_of(voice))
        set_tv_pan_field(r, r->tv_controls.pan, int32_t(r->tv_controls.pan) + delta);
}

int32_t MIXGetPan(AXVPB* voice)
{
    const MixChannelRecord* r = mix_record_of(voice);
    return r ? r->tv_controls.pan : 0;
}

void MIXSetSPan(AXVPB* voice, int32_t span)
{
    if (MixChannelRecord* r = mix_record_of(voice))
        set_tv_pan_field(r, r->tv_controls.span, span);
}

void MIXAdjustSPan(AXVPB* voice, int32_t delta)
{
    if (MixChannelRecord* r = mix_record_of(voice))
        set_tv_pan_field(r, r->tv_controls.span, int32_t(r->tv_controls.span) + delta);
}

int32_t MIXGetSPan(AXVPB* voice)
{
    const MixChannelRecord* r = mix_record_of(voice);
    return r ? r->tv_controls.span : 0;
}

void MIXSetFader(AXVPB* voice, int16_t level)
{
    if (MixChannelRecord* r = mix_record_of(voice))
        set_field(r->tv_controls.fader, r->tv_flags, MIX_DEVICE_CHANGED, level);
}

void MIXAdjustFader(AXVPB* voice, int16_t delta)
{
    if (MixChannelRecord* r = mix_record_of(voice))
        add_field(r->tv_controls.fader, r->tv_flags, MIX_DEVICE_CHANGED, delta);
}

int32_t MIXGetFader(AXVPB* voice)
{
    const MixChannelRecord* r = mix_record_of(voice);
    return r ? r->tv_controls.fader : 0;
}

void MIXDRCSetAux(AXVPB* voice, int16_t level)
{
    if (MixChannelRecord* r = mix_record_of(voice))
        set_field(r->drc_controls[0].aux_a, r->drc_flags[0], MIX_DEVICE_CHANGED, level);
}

void MIXDRCAdjustAux(AXVPB* voice, int16_t delta)
{
    if (MixChannelRecord* r = mix_record_of(voice))
        add_field(r->drc_controls[0].aux_a, r->drc_flags[0], MIX_DEVICE_CHANGED, delta);
}

int32_t MIXDRCGetAux(AXVPB* voice)
{
    const MixChannelRecord* r = mix_record_of(voice);
    return r ? r->drc_controls[0].aux_a : 0;
}

// The gamepad's send is always post-fader: these only ask for a new mix.
void MIXDRCAuxPreFader(AXVPB* voice)
{
    if (MixChannelRecord* r = mix_record_of(voice))
        r->drc_flags[0] |= MIX_DEVICE_CHANGED;
}

void MIXDRCAuxPostFader(AXVPB* voice)
{
    MIXDRCAuxPreFader(voice);
}

int32_t MIXDRCAuxIsPostFader(AXVPB*)
{
    return 1;
}

void MIXDRCSetPan(AXVPB* voice, int32_t pan)
{
    if (MixChannelRecord* r = mix_record_of(voice))
        set_drc_pan(r, pan);
}

void MIXDRCAdjustPan(AXVPB* voice, int32_t delta)
{
    if (MixChannelRecord* r = mix_record_of(voice))
        set_drc_pan(r, int32_t(r->drc_controls[0].pan) + delta);
}

int32_t MIXDRCGetPan(AXVPB* voice)
{
    const MixChannelRecord* r = mix_record_of(voice);
    return r ? r->drc_controls[0].pan : 0;
}

void MIXDRCSetFader(AXVPB* voice, int16_t level)
{
    if (MixChannelRecord* r = mix_record_of(voice))
        set_field(r->drc_controls[0].fader, r->drc_flags[0], MIX_DEVICE_CHANGED, level);
}

void MIXDRCAdjustFader(AXVPB* voice, int16_t delta)
{
    if (MixChannelRecord* r = mix_record_of(voice))
        add_field(r->drc_controls[0].fader, r->drc_flags[0], MIX_DEVICE_CHANGED, delta);
}

int32_t MIXDRCGetFader(AXVPB* voice)
{
    const MixChannelRecord* r = mix_record_of(voice);
    return r ? r->drc_controls[0].fader : 0;
}

// Device controls --------------------------------------------------------------------------

namespace {

void recompute_pan(const Device& device)
{
    __MIXSetDevicePan(device.controls, device.type, device.pan_db);
}

void run_updater(MixChannelRecord* r, uint32_t type, uint32_t index)
{
    if (type == MIX_DEVICE_TV)
        __MIXUpdateTVOneVoice(r, index);
    else if (type == MIX_DEVICE_DRC)
        __MIXUpdateDRCOneVoice(r, index);
    else
        __MIXUpdateRmtOneVoice(r, index);
}

// The setter pattern: under the voice's bracket, find the device and let
// `change` work out the new value of `field`; store and mark only on a change.
template <typename Change>
void change_device(AXVPB* voice, uint32_t type, uint32_t index, int16_t MixDeviceControls::*field,
                   bool pan_field, Change change)
{
    VoiceHold hold(voice);
    MixChannelRecord* r = mix_record_of(voice);
    Device device;
    if (!r)
        return;
    if (!find_device(*r, type, index, &device)) {
        report_wrong_type();
        return;
    }
    int16_t& stored = device.controls->*field;
    const int16_t value = change(stored);
    if (value == stored)
        return;
    stored = value;
    *device.flags |= MIX_DEVICE_CHANGED;
    if (pan_field)
        recompute_pan(device);
}

int32_t get_device(AXVPB* voice, uint32_t type, uint32_t index, int16_t MixDeviceControls::*field)
{
    MixChannelRecord* r;
    {
        VoiceHold hold(voice);
        r = mix_record_of(voice);
    }
    Device device;
    if (!r)
        return 0;
    if (!find_device(*r, type, index, &device)) {
        report_wrong_type();
        return 0;
    }
    return device.controls->*field;
}

int16_t MixDeviceControls::*aux_field(uint32_t aux)
{
    return aux == 0 ? &MixDeviceControls::aux_a : aux == 1 ? &MixDeviceControls::aux_b : &MixDeviceControls::aux_c;
}

bool lfe_refused(uint32_t type, bool getter)
{
    if (type == MIX_DEVICE_TV)
        return false;
    if (getter)
        OSReport("LFE is not supported for device type :%d returning 0\n", int(type));
    else
        OSReport("LFE is not supported for device type :%d\n", int(type));
    return true;
}

void set_prefader(AXVPB* voice, uint32_t type, uint32_t index, uint32_t aux, bool pre)
{
    VoiceHold hold(voice);
    MixChannelRecord* r = mix_record_of(voice);
    Device device;
    if (!r || aux > 2)
        return;
    if (!find_device(*r, type, index, &device)) {
        report_wrong_type();
        return;
    }
    const uint32_t bit = 1u << aux;
    *device.flags = (pre ? *device.flags | bit : *device.flags & ~bit) | MIX_DEVICE_CHANGED;
}

}  // namespace

void MIXInitDeviceControl(AXVPB* voice, uint32_t type, uint32_t index, const MixDeviceControls* controls,
                          uint32_t mode)
{
    VoiceHold hold(voice);
    MixChannelRecord* r = mix_record_of(voice);
    if (!r)
        return;
    r->voice = voice;
    Device device;
    if (!find_device(*r, type, index, &device)) {
        report_wrong_type();
        return;
    }
    reset_device(r, type, index);
    *device.flags = mode & 0xF;
    if (controls) {
        MixDeviceControls& k = *device.controls;
        k.aux_a = controls->aux_a;
        k.aux_b = controls->aux_b;
        k.aux_c = controls->aux_c;
        k.pan = controls->pan;
        k.span = controls->span;
        k.fader = controls->fader;
    }
    recompute_pan(device);
    *device.flags |= MIX_DEVICE_CHANGED;
    run_updater(r, type, index);
}

void MIXSetDevicePan(AXVPB* voice, uint32_t type, uint32_t index, int16_t pan)
{
    change_device(voice, type, index, &MixDeviceControls::pan, true, [pan](int16_t) { return pan; });
}

void MIXAdjustDevicePan(AXVPB* voice, uint32_t type, uint32_t index, int16_t delta)
{
    change_device(voice, type, index, &MixDeviceControls::pan, true,
                  [delta](int16_t stored) { return adjusted_pan(stored, delta); });
}

int32_t MIXGetDevicePan(AXVPB* voice, uint32_t type, uint32_t index)
{
    return get_device(voice, type, index, &MixDeviceControls::pan);
}

void MIXSetDeviceSPan(AXVPB* voice, uint32_t type, uint32_t index, int16_t span)
{
    change_device(voice, type, index, &MixDeviceControls::span, true, [span](int16_t) { return span; });
}

void MIXAdjustDeviceSPan(AXVPB* voice, uint32_t type, uint32_t index, int16_t delta)
{
    change_device(voice, type, index, &MixDeviceControls::span, true,
                  [delta](int16_t stored) { return adjusted_pan(stored, delta); });
}

int32_t MIXGetDeviceSPan(AXVPB* voice, uint32_t type, uint32_t index)
{
    return get_device(voice, type, index, &MixDeviceControls::span);
}

void MIXSetDeviceLFE(AXVPB* voice, uint32_t type, uint32_t index, int16_t level)
{
    if (!lfe_refused(type, false))
        change_device(voice, type, index, &MixDeviceControls::lfe, false, [level](int16_t) { return level; });
}

void MIXAdjustDeviceLFE(AXVPB* voice, uint32_t type, uint32_t index, int16_t delta)
{
    if (!lfe_refused(type, false))
        change_device(voice, type, index, &MixDeviceControls::lfe, false,
                      [delta](int16_t stored) { return adjusted_level(stored, delta); });
}

int32_t MIXGetDeviceLFE(AXVPB* voice, uint32_t type, uint32_t index)
{
    if (lfe_refused(type, true))
        return 0;
    return get_device(voice, type, index, &MixDeviceControls::lfe);
}

void MIXSetDeviceFader(AXVPB* voice, uint32_t type, uint32_t index, int16_t level)
{
    change_device(voice, type, index, &MixDeviceControls::fader, false, [level](int16_t) { return level; });
}

void MIXAdjustDeviceFader(AXVPB* voice, uint32_t type, uint32_t index, int16_t delta)
{
    change_device(voice, type, index, &MixDeviceControls::fader, false,
                  [delta](int16_t stored) { return adjusted_level(stored, delta); });
}

int32_t MIXGetDeviceFader(AXVPB* voice, uint32_t type, uint32_t index)
{
    return get_device(voice, type, index, &MixDeviceControls::fader);
}

void MIXSetDeviceAux(AXVPB* voice, uint32_t type, uint32_t index, uint32_t aux, int16_t level)
{
    if (aux <= 2)
        change_device(voice, type, index, aux_field(aux), false, [level](int16_t) { return level; });
}

void MIXAdjustDeviceAux(AXVPB* voice, uint32_t type, uint32_t index, uint32_t aux, int16_t delta)
{
    if (aux <= 2)
        change_device(voice, type, index, aux_field(aux), false,
                      [delta](int16_t stored) { return adjusted_level(stored, delta); });
}

int32_t MIXGetDeviceAux(AXVPB* voice, uint32_t type, uint32_t index, uint32_t aux)
{
    return aux <= 2 ? get_device(voice, type, index, aux_field(aux)) : 0;
}

void MIXDeviceAuxPostFader(AXVPB* voice, uint32_t type, uint32_t index, uint32_t aux)
{
    set_prefader(voice, type, index, aux, false);
}

void MIXDeviceAuxPreFader(AXVPB* voice, uint32_t type, uint32_t index, uint32_t aux)
{
    set_prefader(voice, type, index, aux, true);
}

int32_t MIXDeviceAuxIsPostFader(AXVPB* voice, uint32_t type, uint32_t index, uint32_t aux)
{
    MixChannelRecord* r;
    {
        VoiceHold hold(voice);
        r = mix_record_of(voice);
    }
    Device device;
    if (!r || aux > 2)
        return 1;
    if (!find_device(*r, type, index, &device)) {
        report_wrong_type();
        return 1;
    }
    return (*device.flags & (1u << aux)) ? 0 : 1;
}

void MIXSetDeviceSoundMode(uint32_t type, uint32_t mode)
{
    if (type <= MIX_DEVICE_RMT)
        sound_modes[type] = mode;
    else
        report_wrong_type();
    if (!records)
        return;
    for (uint32_t i = 0; i < channel_count; ++i) {
        MixChannelRecord* r = &records[i];
        if (!r->voice)
            continue;
        VoiceHold hold(r->voice);
        if (type == MIX_DEVICE_TV) {
            r->tv_flags |= MIX_DEVICE_CHANGED;
            recompute_tv_pan(r);
        } else if (type == MIX_DEVICE_DRC) {
            for (uint32_t d = 0; d < AX_DRC_COUNT; ++d) {
                r->drc_flags[d] |= MIX_DEVICE_CHANGED;
                recompute_drc_pan(r, d);
            }
        }
    }
}

uint32_t MIXGetDeviceSoundMode(uint32_t type)
{
    return type <= MIX_DEVICE_RMT ? sound_modes[type] : 0;
}

void MIXResetDeviceControl(AXVPB* voice, uint32_t type, uint32_t index)
{
    VoiceHold hold(voice);
    MixChannelRecord* r = mix_record_of(voice);
    Device device;
    if (!r)
        return;
    if (!find_device(*r, type, index, &device)) {
        report_wrong_type();
        return;
    }
    reset_device(r, type, index);
    *device.flags = 0x50000000;  // recompute; the other bit is kept as the console sets it
    recompute_pan(device);
}

void MIXResetAllDeviceControls(AXVPB* voice)
{
    MIXResetDeviceControl(voice, MIX_DEVICE_TV, 0);
    for (uint32_t d = 0; d < AX_DRC_COUNT; ++d)
        MIXResetDeviceControl(voice, MIX_DEVICE_DRC, d);
    for (uint32_t r = 0; r < AX_RMT_COUNT; ++r)
        MIXResetDeviceControl(voice, MIX_DEVICE_RMT, r);
}

// The per-frame update ----------------------------------------------------------------------

namespace {

// A ramp spans one update: this one sends the old volume and a step, the
// next one the target with no step, and then nothing until a change.
void update_input(MixChannelRecord* r)
{
    bool settled = false;
    if (r->channel_flags & MIX_INPUT_RAMPING) {
        r->input_current = r->input_target;
        r->channel_flags &= ~MIX_INPUT_RAMPING;
        settled = true;
    }
    if (r->channel_flags & MIX_INPUT_CHANGED) {
        r->input_target = (r->channel_flags & MIX_MUTE) ? 0 : __MIXGetVolume(r->input);
        r->channel_flags = (r->channel_flags & ~MIX_INPUT_CHANGED) | MIX_INPUT_RAMPING;
        const AXVoiceVe ve = {r->input_current, step_of(r->input_current, r->input_target)};
        AXSetVoiceVe(r->voice, &ve);
    } else if (settled) {
        const AXVoiceVe ve = {r->input_current, 0};
        AXSetVoiceVe(r->voice, &ve);
    }
}

}  // namespace

void MIXUpdateSettings()
{
    if (!initialised || !records)
        return;
    for (uint32_t i = 0; i < channel_count; ++i) {
        MixChannelRecord* r = &records[i];
        if (!r->voice)
            continue;
        VoiceHold hold(r->voice);
        update_input(r);
        __MIXUpdateTVOneVoice(r, 0);
        __MIXUpdateDRCOneVoice(r, 0);
        __MIXUpdateDRCOneVoice(r, 1);
        __MIXUpdateRmtOneVoice(r, 0);
    }
}
