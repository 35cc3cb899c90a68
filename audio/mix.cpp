#include "audio/mix.h"

#include "console/os.h"

#include <algorithm>
#include <array>
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

// One output device of a record: what every control operation works on.
struct Device {
    MixDeviceControls* controls;
    uint32_t* flags;
    int16_t* pan_db;  // null for a remote
    uint32_t type;
};

using Control = int16_t MixDeviceControls::*;

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

// A device that exists: the channel operations' TV and gamepad 0, or a
// device that a walk over the record visits.
Device device_of(MixChannelRecord& record, uint32_t type, uint32_t index = 0)
{
    Device device{};
    find_device(record, type, index, &device);
    return device;
}

void report_wrong_type()
{
    OSReport("Device type is wrong.\n");
}

// Aux number 0, 1 or 2.
Control aux_field(uint32_t aux)
{
    return aux == 0 ? &MixDeviceControls::aux_a : aux == 1 ? &MixDeviceControls::aux_b : &MixDeviceControls::aux_c;
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
    // Summed wide: a delta near the ends of the int range must not overflow.
    return int16_t(std::clamp<int64_t>(int64_t(stored) + delta, 0, 127));
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

// The shared first half of an update: finish the ramp in flight. True when
// a resend is due.
bool settle_device(uint32_t& flags)
{
    if (!(flags & MIX_DEVICE_RAMPING))
        return false;
    flags &= ~MIX_DEVICE_RAMPING;
    return true;
}

// The TV and gamepad update step: finish the ramp in flight, then on a change
// compute new targets and send the ramp; a finished ramp is sent once more,
// with no step, so that the voice holds its targets.
template <int Channels, typename Targets>
void update_device(AXVPB* voice, uint32_t type, uint32_t index, uint32_t& flags,
                   MixRamp (&ramps)[AX_BUSES][Channels], Targets targets)
{
    const bool resend = settle_device(flags);
    if (resend)
        for (auto& bus : ramps)
            for (MixRamp& ramp : bus)
                ramp.current = ramp.target;
    if (flags & MIX_DEVICE_CHANGED) {
        targets();
        flags = (flags & ~MIX_DEVICE_CHANGED) | MIX_DEVICE_RAMPING;
    } else if (!resend) {
        return;
    }
    send_mix(voice, type, index, ramps);
}

// The fader share of an aux send (bus 1..3): none when that send is pre-fader.
int32_t fader_share(uint32_t flags, int bus, int16_t fader)
{
    return (flags & (1u << (bus - 1))) ? 0 : fader;
}

// The level a bus starts from: the fader for the main bus, the send (with
// its fader share) for an aux bus.
int32_t bus_level(const MixDeviceControls& controls, uint32_t flags, int bus)
{
    if (bus == 0)
        return controls.fader;
    return fader_share(flags, bus, controls.fader) + controls.*aux_field(uint32_t(bus - 1));
}

// TV targets ---------------------------------------------------------------------

enum TvChannel { L, R, Ls, Rs, C, Lfe };
// Outside six-channel mode the last two pan attenuations are the span's
// front and rear cuts.
constexpr int front = C;
constexpr int rear = Lfe;

// Mono and stereo feed the front pair alone, the front cut held to -12 dB at
// most; mono gives both sides the same level.
void tv_targets_front(MixChannelRecord& r, bool stereo)
{
    const int16_t* p = r.tv_pan_db;
    const int32_t g = std::max<int32_t>(p[front], -120);
    const int32_t left = stereo ? p[L] : 0;
    const int32_t right = stereo ? p[R] : 0;
    for (int b = 0; b < AX_BUSES; ++b) {
        const int32_t base = bus_level(r.tv_controls, r.tv_flags, b) + g;
        MixRamp* bus = r.tv_ramps[b];
        bus[L].target = __MIXGetVolume(base + left);
        bus[R].target = __MIXGetVolume(base + right);
        bus[Ls].target = bus[Rs].target = bus[C].target = bus[Lfe].target = 0;
    }
}

void tv_targets_dpl2(MixChannelRecord& r)
{
    const int16_t* p = r.tv_pan_db;
    // Aux C takes no part in this mode.
    for (int b = 0; b < AX_BUSES - 1; ++b) {
        const int32_t base = bus_level(r.tv_controls, r.tv_flags, b);
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
    const int16_t* p = r.tv_pan_db;
    for (int b = 0; b < AX_BUSES; ++b) {
        const int32_t base = bus_level(r.tv_controls, r.tv_flags, b);
        MixRamp* bus = r.tv_ramps[b];
        for (int c = L; c <= C; ++c)
            bus[c].target = __MIXGetVolume(base + p[c]);
        bus[Lfe].target = __MIXGetVolume(base + r.tv_controls.lfe);
    }
}

void tv_targets(MixChannelRecord& r)
{
    switch (sound_modes[MIX_DEVICE_TV]) {
    case MIX_SOUND_MODE_MONO: tv_targets_front(r, false); break;
    case MIX_SOUND_MODE_STEREO:
    case MIX_SOUND_MODE_SURROUND: tv_targets_front(r, true); break;
    case MIX_SOUND_MODE_DPL2: tv_targets_dpl2(r); break;
    case MIX_SOUND_MODE_6CH: tv_targets_6ch(r); break;
    default: break;
    }
}

// Gamepad targets: the aux sends always carry the fader, whatever the
// pre-fader bits hold.
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
        const int32_t base = bus_level(k, 0, b);
        for (int c = 0; c < channels; ++c)
            ramps[b][c].target = __MIXGetVolume(base + p[c]);
    }
}

// Pan attenuations ------------------------------------------------------------------

void tv_pan(uint32_t mode, int p, int s, int16_t* pan_db)
{
    const int pr = 127 - p;
    const int sr = 127 - s;
    const int32_t* t = MixPanTable;
    std::array<int32_t, AX_TV_CHANNELS> v;
    if (mode == MIX_SOUND_MODE_DPL2) {
        const int16_t* d = MixDpl2PanTable;
        const int16_t* sur = MixDpl2SurroundTable;
        v = {d[p], d[pr], sur[pr], sur[p], d[sr], d[s]};
    } else if (mode == MIX_SOUND_MODE_6CH) {
        // At the centre both sides fall silent and the centre takes it all.
        const int right = 2 * pr >= 126 ? 127 : 2 * pr;
        v = {t[std::min(2 * p, 127)] + t[sr], t[right] + t[sr], t[p] + t[s], t[pr] + t[s],
             t[std::min(2 * std::abs(p - 64), 127)] + t[sr], 0};
    } else {
        v = {t[p], t[pr], 0, 0, t[sr], t[s]};
    }
    for (int c = 0; c < AX_TV_CHANNELS; ++c)
        pan_db[c] = int16_t(v[c]);
}

void drc_pan(uint32_t mode, int p, int s, int16_t* pan_db)
{
    const int pr = 127 - p;
    const int sr = 127 - s;
    const int32_t* t = MixPanTable;
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

// A device's new pan attenuations, and new targets at the next update.
void refresh_device(const Device& device)
{
    __MIXSetDevicePan(device.controls, device.type, device.pan_db);
    *device.flags |= MIX_DEVICE_CHANGED;
}

// The first six controls; the device keeps its own LFE level.
void take_controls(MixDeviceControls& to, const MixDeviceControls& from)
{
    const int16_t lfe = to.lfe;
    to = from;
    to.lfe = lfe;
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
    if (device_type == MIX_DEVICE_TV)
        tv_pan(sound_modes[MIX_DEVICE_TV], p, s, pan_db);
    else if (device_type == MIX_DEVICE_DRC)
        drc_pan(sound_modes[MIX_DEVICE_DRC], p, s, pan_db);
}

// Updaters ---------------------------------------------------------------------------

void __MIXUpdateTVOneVoice(MixChannelRecord* record, uint32_t tv_index)
{
    update_device(record->voice, MIX_DEVICE_TV, tv_index, record->tv_flags, record->tv_ramps,
                  [record] { tv_targets(*record); });
}

void __MIXUpdateDRCOneVoice(MixChannelRecord* record, uint32_t gamepad_index)
{
    if (gamepad_index >= AX_DRC_COUNT)
        return;
    update_device(record->voice, MIX_DEVICE_DRC, gamepad_index, record->drc_flags[gamepad_index],
                  record->drc_ramps[gamepad_index], [=] { drc_targets(*record, gamepad_index); });
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
            ramps[1].target = __MIXGetVolume(bus_level(k, flags, 1));
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

// The channel operations reach the TV or gamepad 0, without the voice's
// bracket: each stores one field and marks what changed, and the next
// update does the rest.
// No clamp here: the sum wraps as a 16-bit level.
void add_field(int16_t& field, uint32_t& flags, uint32_t changed, int16_t delta)
{
    field = wrap16(int32_t(field) + delta);
    flags |= changed;
}

void set_control(AXVPB* voice, uint32_t type, Control control, int16_t level)
{
    if (MixChannelRecord* r = mix_record_of(voice)) {
        const Device d = device_of(*r, type);
        int16_t& stored = d.controls->*control;
        if (stored != level) {
            stored = level;
            *d.flags |= MIX_DEVICE_CHANGED;
        }
    }
}

void adjust_control(AXVPB* voice, uint32_t type, Control control, int16_t delta)
{
    if (MixChannelRecord* r = mix_record_of(voice)) {
        const Device d = device_of(*r, type);
        add_field(d.controls->*control, *d.flags, MIX_DEVICE_CHANGED, delta);
    }
}

int32_t get_control(AXVPB* voice, uint32_t type, Control control)
{
    MixChannelRecord* r = mix_record_of(voice);
    return r ? device_of(*r, type).controls->*control : 0;
}

// Pan and span are clamped and their attenuations worked out at once. The TV
// marks only a real change; the gamepad marks every call.
void place_control(AXVPB* voice, uint32_t type, Control control, int32_t value, bool relative)
{
    MixChannelRecord* r = mix_record_of(voice);
    if (!r)
        return;
    const Device d = device_of(*r, type);
    int16_t& stored = d.controls->*control;
    const int16_t clamped = relative ? adjusted_pan(stored, value) : int16_t(__MIXClampPan(value));
    if (clamped == stored && type == MIX_DEVICE_TV)
        return;
    stored = clamped;
    refresh_device(d);
}

void set_prefader_bit(uint32_t& flags, uint32_t aux, bool pre)
{
    const uint32_t bit = 1u << aux;
    flags = (pre ? flags | bit : flags & ~bit) | MIX_DEVICE_CHANGED;
}

int32_t postfader_of(uint32_t flags, uint32_t aux)
{
    return (flags & (1u << aux)) ? 0 : 1;
}

void set_tv_prefader(AXVPB* voice, uint32_t aux, bool pre)
{
    if (MixChannelRecord* r = mix_record_of(voice))
        set_prefader_bit(r->tv_flags, aux, pre);
}

int32_t tv_is_postfader(AXVPB* voice, uint32_t aux)
{
    const MixChannelRecord* r = mix_record_of(voice);
    return r ? postfader_of(r->tv_flags, aux) : 1;
}

constexpr uint32_t tv = MIX_DEVICE_TV;
constexpr uint32_t drc = MIX_DEVICE_DRC;
constexpr Control pan_control = &MixDeviceControls::pan;
constexpr Control span_control = &MixDeviceControls::span;
constexpr Control fader_control = &MixDeviceControls::fader;

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
    take_controls(r->tv_controls, {aux_a, aux_b, aux_c, pan, span, fader, 0});
    r->tv_flags = mode & (MIX_DEVICE_CHANGED | 0x7);
    refresh_device(device_of(*r, tv));
    __MIXUpdateTVOneVoice(r, 0);
}

void MIXDRCInitChannel(AXVPB* voice, uint32_t mode, int16_t aux, int16_t pan, int16_t fader)
{
    VoiceHold hold(voice);
    MixChannelRecord* r = mix_record_of(voice);
    if (!r)
        return;
    __MIXResetDRCChannel(r, 0);
    MixDeviceControls& k = r->drc_controls[0];
    k.aux_a = aux;
    k.pan = pan;
    k.fader = fader;
    r->drc_flags[0] = mode & (MIX_DEVICE_CHANGED | 0x7);
    refresh_device(device_of(*r, drc));
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

void MIXSetAuxA(AXVPB* voice, int16_t level) { set_control(voice, tv, aux_field(0), level); }
void MIXAdjustAuxA(AXVPB* voice, int16_t delta) { adjust_control(voice, tv, aux_field(0), delta); }
int32_t MIXGetAuxA(AXVPB* voice) { return get_control(voice, tv, aux_field(0)); }
void MIXAuxAPreFader(AXVPB* voice) { set_tv_prefader(voice, 0, true); }
void MIXAuxAPostFader(AXVPB* voice) { set_tv_prefader(voice, 0, false); }
int32_t MIXAuxAIsPostFader(AXVPB* voice) { return tv_is_postfader(voice, 0); }
void MIXSetAuxB(AXVPB* voice, int16_t level) { set_control(voice, tv, aux_field(1), level); }
void MIXAdjustAuxB(AXVPB* voice, int16_t delta) { adjust_control(voice, tv, aux_field(1), delta); }
int32_t MIXGetAuxB(AXVPB* voice) { return get_control(voice, tv, aux_field(1)); }
void MIXAuxBPreFader(AXVPB* voice) { set_tv_prefader(voice, 1, true); }
void MIXAuxBPostFader(AXVPB* voice) { set_tv_prefader(voice, 1, false); }
int32_t MIXAuxBIsPostFader(AXVPB* voice) { return tv_is_postfader(voice, 1); }
void MIXSetAuxC(AXVPB* voice, int16_t level) { set_control(voice, tv, aux_field(2), level); }
void MIXAdjustAuxC(AXVPB* voice, int16_t delta) { adjust_control(voice, tv, aux_field(2), delta); }
int32_t MIXGetAuxC(AXVPB* voice) { return get_control(voice, tv, aux_field(2)); }
void MIXAuxCPreFader(AXVPB* voice) { set_tv_prefader(voice, 2, true); }
void MIXAuxCPostFader(AXVPB* voice) { set_tv_prefader(voice, 2, false); }
int32_t MIXAuxCIsPostFader(AXVPB* voice) { return tv_is_postfader(voice, 2); }

void MIXSetPan(AXVPB* voice, int32_t value) { place_control(voice, tv, pan_control, value, false); }
void MIXAdjustPan(AXVPB* voice, int32_t delta) { place_control(voice, tv, pan_control, delta, true); }
int32_t MIXGetPan(AXVPB* voice) { return get_control(voice, tv, pan_control); }
void MIXSetSPan(AXVPB* voice, int32_t value) { place_control(voice, tv, span_control, value, false); }
void MIXAdjustSPan(AXVPB* voice, int32_t delta) { place_control(voice, tv, span_control, delta, true); }
int32_t MIXGetSPan(AXVPB* voice) { return get_control(voice, tv, span_control); }
void MIXSetFader(AXVPB* voice, int16_t level) { set_control(voice, tv, fader_control, level); }
void MIXAdjustFader(AXVPB* voice, int16_t delta) { adjust_control(voice, tv, fader_control, delta); }
int32_t MIXGetFader(AXVPB* voice) { return get_control(voice, tv, fader_control); }

void MIXDRCSetAux(AXVPB* voice, int16_t level) { set_control(voice, drc, aux_field(0), level); }
void MIXDRCAdjustAux(AXVPB* voice, int16_t delta) { adjust_control(voice, drc, aux_field(0), delta); }
int32_t MIXDRCGetAux(AXVPB* voice) { return get_control(voice, drc, aux_field(0)); }
void MIXDRCSetPan(AXVPB* voice, int32_t value) { place_control(voice, drc, pan_control, value, false); }
void MIXDRCAdjustPan(AXVPB* voice, int32_t delta) { place_control(voice, drc, pan_control, delta, true); }
int32_t MIXDRCGetPan(AXVPB* voice) { return get_control(voice, drc, pan_control); }
void MIXDRCSetFader(AXVPB* voice, int16_t level) { set_control(voice, drc, fader_control, level); }
void MIXDRCAdjustFader(AXVPB* voice, int16_t delta) { adjust_control(voice, drc, fader_control, delta); }
int32_t MIXDRCGetFader(AXVPB* voice) { return get_control(voice, drc, fader_control); }

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

// Device controls --------------------------------------------------------------------------

namespace {

void run_updater(MixChannelRecord* r, uint32_t type, uint32_t index)
{
    if (type == MIX_DEVICE_TV)
        __MIXUpdateTVOneVoice(r, index);
    else if (type == MIX_DEVICE_DRC)
        __MIXUpdateDRCOneVoice(r, index);
    else
        __MIXUpdateRmtOneVoice(r, index);
}

// Under the voice's bracket, the device of a type and index, or null (with
// the console line for a device that does not exist).
template <typename Work>
void with_device(AXVPB* voice, uint32_t type, uint32_t index, Work work)
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
    work(*r, device);
}

// The setter pattern: `change` works out the new value of the control from
// the stored one; only a real change is stored and marked.
template <typename Change>
void change_device(AXVPB* voice, uint32_t type, uint32_t index, Control control, Change change)
{
    with_device(voice, type, index, [&](MixChannelRecord&, const Device& device) {
        int16_t& stored = device.controls->*control;
        const int16_t value = change(stored);
        if (value == stored)
            return;
        stored = value;
        if (control == pan_control || control == span_control)
            refresh_device(device);
        else
            *device.flags |= MIX_DEVICE_CHANGED;
    });
}

void set_device(AXVPB* voice, uint32_t type, uint32_t index, Control control, int16_t value)
{
    change_device(voice, type, index, control, [value](int16_t) { return value; });
}

void adjust_device_level(AXVPB* voice, uint32_t type, uint32_t index, Control control, int16_t delta)
{
    change_device(voice, type, index, control, [delta](int16_t stored) { return adjusted_level(stored, delta); });
}

void adjust_device_pan(AXVPB* voice, uint32_t type, uint32_t index, Control control, int16_t delta)
{
    change_device(voice, type, index, control, [delta](int16_t stored) { return adjusted_pan(stored, delta); });
}

// The getters hold the bracket only while they find the record.
bool read_device(AXVPB* voice, uint32_t type, uint32_t index, Device* device)
{
    MixChannelRecord* r;
    {
        VoiceHold hold(voice);
        r = mix_record_of(voice);
    }
    if (!r)
        return false;
    if (!find_device(*r, type, index, device)) {
        report_wrong_type();
        return false;
    }
    return true;
}

int32_t get_device(AXVPB* voice, uint32_t type, uint32_t index, Control control)
{
    Device device;
    return read_device(voice, type, index, &device) ? device.controls->*control : 0;
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

void set_device_prefader(AXVPB* voice, uint32_t type, uint32_t index, uint32_t aux, bool pre)
{
    if (aux <= 2)
        with_device(voice, type, index,
                    [&](MixChannelRecord&, const Device& device) { set_prefader_bit(*device.flags, aux, pre); });
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
    if (controls)
        take_controls(*device.controls, *controls);
    refresh_device(device);
    run_updater(r, type, index);
}

void MIXSetDevicePan(AXVPB* voice, uint32_t type, uint32_t index, int16_t value)
{
    set_device(voice, type, index, pan_control, value);
}

void MIXAdjustDevicePan(AXVPB* voice, uint32_t type, uint32_t index, int16_t delta)
{
    adjust_device_pan(voice, type, index, pan_control, delta);
}

int32_t MIXGetDevicePan(AXVPB* voice, uint32_t type, uint32_t index)
{
    return get_device(voice, type, index, pan_control);
}

void MIXSetDeviceSPan(AXVPB* voice, uint32_t type, uint32_t index, int16_t value)
{
    set_device(voice, type, index, span_control, value);
}

void MIXAdjustDeviceSPan(AXVPB* voice, uint32_t type, uint32_t index, int16_t delta)
{
    adjust_device_pan(voice, type, index, span_control, delta);
}

int32_t MIXGetDeviceSPan(AXVPB* voice, uint32_t type, uint32_t index)
{
    return get_device(voice, type, index, span_control);
}

void MIXSetDeviceLFE(AXVPB* voice, uint32_t type, uint32_t index, int16_t level)
{
    if (!lfe_refused(type, false))
        set_device(voice, type, index, &MixDeviceControls::lfe, level);
}

void MIXAdjustDeviceLFE(AXVPB* voice, uint32_t type, uint32_t index, int16_t delta)
{
    if (!lfe_refused(type, false))
        adjust_device_level(voice, type, index, &MixDeviceControls::lfe, delta);
}

int32_t MIXGetDeviceLFE(AXVPB* voice, uint32_t type, uint32_t index)
{
    if (lfe_refused(type, true))
        return 0;
    return get_device(voice, type, index, &MixDeviceControls::lfe);
}

void MIXSetDeviceFader(AXVPB* voice, uint32_t type, uint32_t index, int16_t level)
{
    set_device(voice, type, index, fader_control, level);
}

void MIXAdjustDeviceFader(AXVPB* voice, uint32_t type, uint32_t index, int16_t delta)
{
    adjust_device_level(voice, type, index, fader_control, delta);
}

int32_t MIXGetDeviceFader(AXVPB* voice, uint32_t type, uint32_t index)
{
    return get_device(voice, type, index, fader_control);
}

void MIXSetDeviceAux(AXVPB* voice, uint32_t type, uint32_t index, uint32_t aux, int16_t level)
{
    if (aux <= 2)
        set_device(voice, type, index, aux_field(aux), level);
}

void MIXAdjustDeviceAux(AXVPB* voice, uint32_t type, uint32_t index, uint32_t aux, int16_t delta)
{
    if (aux <= 2)
        adjust_device_level(voice, type, index, aux_field(aux), delta);
}

int32_t MIXGetDeviceAux(AXVPB* voice, uint32_t type, uint32_t index, uint32_t aux)
{
    return aux <= 2 ? get_device(voice, type, index, aux_field(aux)) : 0;
}

void MIXDeviceAuxPostFader(AXVPB* voice, uint32_t type, uint32_t index, uint32_t aux)
{
    set_device_prefader(voice, type, index, aux, false);
}

void MIXDeviceAuxPreFader(AXVPB* voice, uint32_t type, uint32_t index, uint32_t aux)
{
    set_device_prefader(voice, type, index, aux, true);
}

int32_t MIXDeviceAuxIsPostFader(AXVPB* voice, uint32_t type, uint32_t index, uint32_t aux)
{
    Device device;
    if (aux > 2 || !read_device(voice, type, index, &device))
        return 1;
    return postfader_of(*device.flags, aux);
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
            refresh_device(device_of(*r, tv));
        } else if (type == MIX_DEVICE_DRC) {
            for (uint32_t d = 0; d < AX_DRC_COUNT; ++d)
                refresh_device(device_of(*r, drc, d));
        }
    }
}

uint32_t MIXGetDeviceSoundMode(uint32_t type)
{
    return type <= MIX_DEVICE_RMT ? sound_modes[type] : 0;
}

void MIXResetDeviceControl(AXVPB* voice, uint32_t type, uint32_t index)
{
    with_device(voice, type, index, [&](MixChannelRecord& r, const Device& device) {
        reset_device(&r, type, index);
        // Recompute, and a bit that means nothing in a device's flags but is set all the same.
        *device.flags = 0x50000000;
        refresh_device(device);
    });
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
