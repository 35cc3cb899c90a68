#include "audio/mix.h"
#include "console/audio_device.h"
#include "console/ax.h"
#include "tests/support/volumes.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr uint16_t full = 0x7FFF;

// The mixer over the library stepped by hand, with every call recorded.
class Mixer : public testing::Test {
protected:
    void SetUp() override
    {
        audio_set_manual_stepping(true);
        AXInit();
        MIXInit();
        ax_start_recording();
    }
    void TearDown() override
    {
        ax_stop_recording();
        ax_take_recorded_calls();
        MIXQuit();
        AXQuit();
        audio_set_manual_stepping(false);
    }

    // A voice set up as the sound engine sets up a mono sound's voice.
    AXVPB* engine_voice(int16_t pan = 63)
    {
        AXVPB* voice = AXAcquireVoice(31, nullptr, nullptr);
        const MixDeviceControls controls = {-904, -904, -904, pan, 0, 0, 0};
        MIXAssignChannel(voice);
        MIXInitInputControl(voice, 0, 0);
        MIXInitDeviceControl(voice, MIX_DEVICE_TV, 0, &controls, 0);
        MIXInitDeviceControl(voice, MIX_DEVICE_DRC, 0, &controls, 0);
        return voice;
    }

    // A voice with every device at its reset values and no ramp pending.
    AXVPB* quiet_voice()
    {
        AXVPB* voice = AXAcquireVoice(31, nullptr, nullptr);
        MIXAssignChannel(voice);
        mix_record_of(voice)->channel_flags = 0;
        return voice;
    }

    // The calls of one update that reached the voices.
    std::vector<std::string> update()
    {
        ax_take_recorded_calls();
        MIXUpdateSettings();
        return voice_calls();
    }

    std::vector<std::string> voice_calls()
    {
        std::vector<std::string> out;
        for (const AXCall& call : ax_take_recorded_calls())
            if (call.name == "AXSetVoiceVe" || call.name == "AXSetVoiceDeviceMix")
                out.push_back(call.text());
        return out;
    }
};

// "AXSetVoiceDeviceMix(v, type, index, ...)" with the given (volume, step)
// for each output channel's main bus and silence elsewhere.
std::string mix_text(int voice, int type, int index, const std::vector<std::pair<int, int>>& mains)
{
    std::string out = "AXSetVoiceDeviceMix(" + std::to_string(voice) + ", " + std::to_string(type) + ", " +
                      std::to_string(index);
    for (const auto& [volume, step] : mains) {
        out += ", " + std::to_string(volume) + ", " + std::to_string(step);
        out += ", 0, 0, 0, 0, 0, 0";
    }
    return out + ")";
}

std::string ve_text(int voice, int volume, int step)
{
    return "AXSetVoiceVe(" + std::to_string(voice) + ", " + std::to_string(volume) + ", " + std::to_string(step) + ")";
}

}  // namespace

TEST(MixTables, volume_lookup_follows_the_decibel_law_and_clamps_at_both_ends)
{
    const std::pair<int, int> rows[] = {{-32768, 0}, {-905, 0},    {-904, 0},      {-903, 1},      {-600, 32},
                                        {-200, 3276}, {-60, 16422}, {-1, 32392},    {0, 0x7FFF},    {1, 33147},
                                        {59, 64632},  {60, 65380},  {61, 65380},    {100000, 65380}};
    for (const auto& [level, volume] : rows)
        EXPECT_EQ(__MIXGetVolume(level), volume) << level;
    for (int level = -904; level <= 60; ++level) {
        if (level == 0)
            continue;
        const long double exact = 32768.0L * std::pow(10.0L, level / 200.0L);
        ASSERT_EQ(MixVolumeTable[level + 904], uint16_t(std::floor(exact))) << level;
    }
}

TEST(MixTables, pan_tables_hold_their_laws)
{
    const std::vector<std::pair<int, int>> pan_rows = {{0, 0},     {1, 0},      {2, -1},     {32, -13},
                                                       {64, -30},  {96, -61},   {120, -126}, {124, -163},
                                                       {125, -180}, {126, -210}, {127, -904}};
    for (const auto& [i, value] : pan_rows)
        EXPECT_EQ(MixPanTable[i], value) << i;
    const std::vector<std::pair<int, int>> dpl2_rows = {{0, 0},     {12, 0},     {13, -1},    {32, -6},  {64, -30},
                                                        {96, -85},  {120, -212}, {125, -321}, {126, -381},
                                                        {127, -960}};
    for (const auto& [i, value] : dpl2_rows)
        EXPECT_EQ(MixDpl2PanTable[i], value) << i;
    for (int i = 0; i < 127; ++i) {
        EXPECT_EQ(MixPanTable[i], std::lround(100.0 * std::log10((127.0 - i) / 127.0))) << i;
        EXPECT_EQ(MixDpl2PanTable[i], int(200.0 * std::log10(std::cos(i * M_PI / 254.0)))) << i;
    }
    EXPECT_EQ(MixDpl2SurroundTable[0], -61);
    EXPECT_EQ(MixDpl2SurroundTable[2], -60);
    EXPECT_EQ(MixDpl2SurroundTable[64], -29);
    EXPECT_EQ(MixDpl2SurroundTable[127], -11);
    for (int i = 1; i < 128; ++i)
        EXPECT_GE(MixDpl2SurroundTable[i], MixDpl2SurroundTable[i - 1]) << i;
}

TEST_F(Mixer, an_input_change_ramps_over_one_update_then_settles_then_goes_quiet)
{
    AXVPB* voice = quiet_voice();
    const int v = int(voice->index);
    MIXSetInput(voice, -60);
    EXPECT_EQ(update(), std::vector<std::string>{ve_text(v, 0, 16422 / 96)});
    EXPECT_EQ(update(), std::vector<std::string>{ve_text(v, 16422, 0)});
    EXPECT_TRUE(update().empty());

    // From there a change ramps from the old volume; a change in flight
    // starts from the old target.
    MIXSetInput(voice, 60);
    EXPECT_EQ(update(), std::vector<std::string>{ve_text(v, 16422, (65380 - 16422) / 96)});
    MIXSetInput(voice, -904);
    EXPECT_EQ(update(), std::vector<std::string>{ve_text(v, 65380, -65380 / 96)});
    EXPECT_EQ(update(), std::vector<std::string>{ve_text(v, 0, 0)});

    // The ramp step of a full swing, and levels beyond the table.
    MIXSetInput(voice, 0);
    MIXAdjustInput(voice, 100);  // past +6 dB
    EXPECT_EQ(MIXGetInput(voice), 100);
    EXPECT_EQ(update(), std::vector<std::string>{ve_text(v, 0, 681)});
    update();
    MIXSetInput(voice, -903);
    EXPECT_EQ(update(), std::vector<std::string>{ve_text(v, 65380, (1 - 65380) / 96)});
    update();
    EXPECT_EQ(MIXIsMute(voice), 0);
    MIXMute(voice);
    EXPECT_EQ(MIXIsMute(voice), 1);
    EXPECT_EQ(update(), std::vector<std::string>{ve_text(v, 1, 0)});
    EXPECT_EQ(mix_record_of(voice)->input_target, 0);
    MIXUnMute(voice);
    MIXSetInput(voice, 0);
    EXPECT_EQ(update(), (std::vector<std::string>{ve_text(v, 0, 341)}));
}

TEST_F(Mixer, the_engines_voice_set_up_sends_the_first_mix_at_once_and_ramps_in)
{
    AXVPB* voice = engine_voice();
    const int v = int(voice->index);
    // Span 0 puts the sound at the rear, which a stereo TV plays 12 dB down
    // in front; pan 63 is 3 dB down on either side: -15 dB, volume 5827.
    const int tv = __MIXGetVolume(-120 - 30);
    EXPECT_EQ(tv, 5827);
    const int pad = __MIXGetVolume(-30);
    const std::vector<std::string> init_calls = {
        mix_text(v, 0, 0, {{0, tv / 96}, {0, tv / 96}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}),
        mix_text(v, 1, 0, {{0, pad / 96}, {0, pad / 96}, {0, 0}, {0, 0}}),
    };
    EXPECT_EQ(voice_calls(), init_calls);
    EXPECT_EQ(update(), (std::vector<std::string>{
                            ve_text(v, 0, 341),
                            mix_text(v, 0, 0, {{tv, 0}, {tv, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}),
                            mix_text(v, 1, 0, {{pad, 0}, {pad, 0}, {0, 0}, {0, 0}}),
                        }));
    EXPECT_EQ(update(), std::vector<std::string>{ve_text(v, full, 0)});
    EXPECT_TRUE(update().empty());

    // A pan change moves both devices; the same pan again moves nothing.
    MIXSetDevicePan(voice, MIX_DEVICE_TV, 0, 95);
    MIXSetDevicePan(voice, MIX_DEVICE_DRC, 0, 95);
    EXPECT_EQ(update().size(), 2u);
    EXPECT_EQ(update().size(), 2u);
    MIXSetDevicePan(voice, MIX_DEVICE_TV, 0, 95);
    MIXSetDeviceFader(voice, MIX_DEVICE_DRC, 0, 0);
    EXPECT_TRUE(update().empty());
}

TEST_F(Mixer, tv_pan_and_span_by_sound_mode)
{
    AXVPB* voice = quiet_voice();
    MixChannelRecord* r = mix_record_of(voice);
    // Stereo, centre, front: -3 dB a side, no rear cut.
    MIXSetPan(voice, 64);
    MIXSetFader(voice, -10);
    MIXSetSPan(voice, 0);
    MIXSetSPan(voice, 127);
    EXPECT_EQ(r->tv_pan_db[0], -30);
    EXPECT_EQ(r->tv_pan_db[1], -30);
    MIXUpdateSettings();
    EXPECT_EQ(r->tv_ramps[0][0].target, __MIXGetVolume(-40));
    EXPECT_EQ(r->tv_ramps[0][1].target, __MIXGetVolume(-40));
    EXPECT_EQ(r->tv_ramps[0][4].target, 0);

    // Full rear in stereo costs 12 dB, not silence.
    MIXSetSPan(voice, 0);
    MIXUpdateSettings();
    EXPECT_EQ(r->tv_ramps[0][0].target, __MIXGetVolume(-10 - 120 - 30));

    // Six channels at the centre: silent sides, a full centre.
    MIXSetDeviceSoundMode(MIX_DEVICE_TV, MIX_SOUND_MODE_6CH);
    MIXSetSPan(voice, 127);
    EXPECT_EQ(r->tv_pan_db[0], -904);
    EXPECT_EQ(r->tv_pan_db[1], -904);
    EXPECT_EQ(r->tv_pan_db[4], 0);
    MIXUpdateSettings();
    EXPECT_EQ(r->tv_ramps[0][0].target, 0);
    EXPECT_EQ(r->tv_ramps[0][4].target, __MIXGetVolume(-10));
    EXPECT_EQ(r->tv_ramps[0][5].target, 0);  // LFE at -960

    // Pro Logic: the front pair from the pan and span, the rear from the
    // surround table.
    MIXSetDeviceSoundMode(MIX_DEVICE_TV, MIX_SOUND_MODE_DPL2);
    MIXSetPan(voice, 0);
    EXPECT_EQ(r->tv_pan_db[0], MixDpl2PanTable[0]);
    EXPECT_EQ(r->tv_pan_db[1], MixDpl2PanTable[127]);
    EXPECT_EQ(r->tv_pan_db[2], MixDpl2SurroundTable[127]);
    EXPECT_EQ(r->tv_pan_db[3], MixDpl2SurroundTable[0]);
    EXPECT_EQ(r->tv_pan_db[4], MixDpl2PanTable[0]);
    EXPECT_EQ(r->tv_pan_db[5], MixDpl2PanTable[127]);
    MIXSetSPan(voice, 64);
    r->tv_ramps[3][0].target = 1234;
    MIXUpdateSettings();
    EXPECT_EQ(r->tv_ramps[0][0].target, __MIXGetVolume(-10 + MixDpl2PanTable[63] + MixDpl2PanTable[0]));
    EXPECT_EQ(r->tv_ramps[0][3].target, __MIXGetVolume(-10 + MixDpl2PanTable[64] + MixDpl2SurroundTable[0]));
    EXPECT_EQ(r->tv_ramps[0][4].target, 0);
    EXPECT_EQ(r->tv_ramps[3][0].target, 1234);  // aux C is left alone

    // Mono: both sides from the fader and the front cut alone.
    MIXSetDeviceSoundMode(MIX_DEVICE_TV, MIX_SOUND_MODE_MONO);
    MIXUpdateSettings();
    MIXUpdateSettings();
    EXPECT_EQ(r->tv_ramps[0][0].target, __MIXGetVolume(-10 + MixPanTable[127 - 64]));
    EXPECT_EQ(r->tv_ramps[0][1].target, __MIXGetVolume(-10 + MixPanTable[127 - 64]));
}

TEST_F(Mixer, channel_setters_clamp_pans_and_mark_only_real_changes)
{
    AXVPB* voice = quiet_voice();
    MixChannelRecord* r = mix_record_of(voice);
    MIXSetPan(voice, 300);
    EXPECT_EQ(MIXGetPan(voice), 127);
    EXPECT_EQ(r->tv_flags, MIX_DEVICE_CHANGED);
    r->tv_flags = 0;
    MIXSetPan(voice, 127);
    EXPECT_EQ(r->tv_flags, 0u);
    MIXSetPan(voice, -5);
    EXPECT_EQ(MIXGetPan(voice), 0);
    MIXAdjustSPan(voice, 10);
    EXPECT_EQ(MIXGetSPan(voice), 127);
    // Deltas at the ends of the int range clamp rather than overflow.
    MIXAdjustPan(voice, INT32_MAX);
    EXPECT_EQ(MIXGetPan(voice), 127);
    MIXAdjustSPan(voice, INT32_MIN);
    EXPECT_EQ(MIXGetSPan(voice), 0);
    MIXDRCAdjustPan(voice, INT32_MAX);
    EXPECT_EQ(MIXDRCGetPan(voice), 127);

    EXPECT_EQ(MIXAuxBIsPostFader(voice), 1);
    MIXAuxBPreFader(voice);
    EXPECT_EQ(MIXAuxBIsPostFader(voice), 0);
    EXPECT_EQ(MIXDRCAuxIsPostFader(voice), 1);
    MIXDRCAuxPreFader(voice);
    EXPECT_EQ(MIXDRCAuxIsPostFader(voice), 1);

    MIXDRCSetPan(voice, 200);
    EXPECT_EQ(MIXDRCGetPan(voice), 127);
    r->drc_flags[0] = 0;
    MIXDRCSetPan(voice, 127);  // the gamepad marks even an unchanged pan
    EXPECT_EQ(r->drc_flags[0], MIX_DEVICE_CHANGED);

    MIXSetFader(voice, 32000);
    MIXAdjustFader(voice, 1000);  // no clamp here: it wraps
    EXPECT_EQ(MIXGetFader(voice), -32536);

    MIXSetDeviceLFE(voice, MIX_DEVICE_TV, 0, 5);
    MIXSetDeviceAux(voice, MIX_DEVICE_RMT, 2, 1, 7);
    MIXResetControls(voice);
    EXPECT_EQ(MIXGetDeviceLFE(voice, MIX_DEVICE_TV, 0), -960);
    for (const auto& k : r->drc_controls)
        EXPECT_EQ(k.lfe, -960);
    for (const auto& k : r->rmt_controls) {
        EXPECT_EQ(k.lfe, -960);
        EXPECT_EQ(k.aux_b, -960);
    }
    EXPECT_EQ(r->voice, voice);
}

TEST_F(Mixer, device_adjusters_clamp_and_wrap_as_sixteen_bit_levels)
{
    AXVPB* voice = quiet_voice();
    MIXSetDevicePan(voice, MIX_DEVICE_TV, 0, 120);
    MIXAdjustDevicePan(voice, MIX_DEVICE_TV, 0, 20);
    EXPECT_EQ(MIXGetDevicePan(voice, MIX_DEVICE_TV, 0), 127);
    MIXSetDevicePan(voice, MIX_DEVICE_DRC, 1, 5);
    MIXAdjustDevicePan(voice, MIX_DEVICE_DRC, 1, -10);
    EXPECT_EQ(MIXGetDevicePan(voice, MIX_DEVICE_DRC, 1), 0);

    MIXSetDeviceFader(voice, MIX_DEVICE_TV, 0, 50);
    MIXAdjustDeviceFader(voice, MIX_DEVICE_TV, 0, 20);
    EXPECT_EQ(MIXGetDeviceFader(voice, MIX_DEVICE_TV, 0), 60);
    MIXSetDeviceFader(voice, MIX_DEVICE_TV, 0, -900);
    MIXAdjustDeviceFader(voice, MIX_DEVICE_TV, 0, -10);
    EXPECT_EQ(MIXGetDeviceFader(voice, MIX_DEVICE_TV, 0), -906);
    MIXSetDeviceFader(voice, MIX_DEVICE_RMT, 3, 32000);
    MIXAdjustDeviceFader(voice, MIX_DEVICE_RMT, 3, 1000);
    EXPECT_EQ(MIXGetDeviceFader(voice, MIX_DEVICE_RMT, 3), -906);
    MIXAdjustDeviceAux(voice, MIX_DEVICE_DRC, 0, 2, 2000);
    EXPECT_EQ(MIXGetDeviceAux(voice, MIX_DEVICE_DRC, 0, 2), 60);

    // The same value again marks nothing, so the next update is silent.
    MIXUpdateSettings();
    MIXUpdateSettings();
    MIXSetDeviceFader(voice, MIX_DEVICE_TV, 0, -906);
    MIXSetDeviceAux(voice, MIX_DEVICE_DRC, 0, 2, 60);
    EXPECT_TRUE(update().empty());
}

TEST_F(Mixer, device_misuse_prints_its_lines_word_for_word_and_changes_nothing)
{
    AXVPB* voice = quiet_voice();
    // Device misuse changes nothing and never reaches past the record.
    MixChannelRecord* r = mix_record_of(voice);
    const MixChannelRecord before = *r;
    int32_t lfe = -1;
    EXPECT_EQ(console_output_of([&] {
                  MIXSetDeviceLFE(voice, 1, 0, 10);
                  MIXAdjustDeviceLFE(voice, 2, 0, 10);
                  lfe = MIXGetDeviceLFE(voice, 2, 0);
                  MIXSetDeviceLFE(voice, 3, 0, 10);
              }),
              "LFE is not supported for device type :1\nLFE is not supported for device type :2\n"
              "LFE is not supported for device type :2 returning 0\nLFE is not supported for device type :3\n");
    EXPECT_EQ(lfe, 0);
    const MixDeviceControls controls = {0, 0, 0, 64, 127, 0, 0};
    EXPECT_EQ(console_output_of([&] {
                  MIXInitDeviceControl(voice, 3, 0, &controls, 0);
                  MIXSetDeviceFader(voice, 7, 0, 1);
                  MIXResetDeviceControl(voice, 3, 0);
                  MIXSetDeviceSoundMode(3, 1);
                  MIXGetDevicePan(voice, 5, 0);
                  MIXSetDeviceFader(voice, MIX_DEVICE_DRC, 2, -10);
                  MIXSetDeviceAux(voice, MIX_DEVICE_RMT, 4, 0, -10);
                  MIXSetDeviceAux(voice, MIX_DEVICE_TV, 0, 3, -10);
                  MIXSetDevicePan(voice, MIX_DEVICE_TV, 1, 3);
              }),
              "Device type is wrong.\nDevice type is wrong.\nDevice type is wrong.\nDevice type is wrong.\n"
              "Device type is wrong.\nDevice type is wrong.\nDevice type is wrong.\nDevice type is wrong.\n");
    EXPECT_EQ(std::memcmp(&before, r, sizeof before), 0);

    // Unclamped pans are stored as given but read the tables at their ends.
    MIXSetDevicePan(voice, MIX_DEVICE_TV, 0, 300);
    MIXSetDeviceSPan(voice, MIX_DEVICE_TV, 0, -20);
    EXPECT_EQ(MIXGetDevicePan(voice, MIX_DEVICE_TV, 0), 300);
    EXPECT_EQ(r->tv_pan_db[0], MixPanTable[127]);
    EXPECT_EQ(r->tv_pan_db[1], MixPanTable[0]);
    EXPECT_EQ(r->tv_pan_db[4], MixPanTable[127]);

    EXPECT_EQ(console_output_of([] { MIXSetSoundMode(2); }),
              "MIX_SOUND_MODE_SURROUND not supported; only stereo will be output\n");
    EXPECT_EQ(MIXGetSoundMode(), 1u);
    EXPECT_EQ(console_output_of([] { MIXSetSoundMode(3); }),
              "MIX_SOUND_MODE_DPL2 not supported; only stereo will be output\n");
    EXPECT_EQ(MIXGetSoundMode(), 1u);
    EXPECT_EQ(console_output_of([] { MIXSetSoundMode(4); }), "");
    EXPECT_EQ(MIXGetSoundMode(), 4u);
    MIXSetDeviceSoundMode(MIX_DEVICE_TV, 3);
    EXPECT_EQ(MIXGetSoundMode(), 3u);
}

TEST_F(Mixer, remotes_follow_fader_and_aux_a_and_all_four_update_together)
{
    AXVPB* voice = quiet_voice();
    const int v = int(voice->index);
    MixChannelRecord* r = mix_record_of(voice);
    ax_take_recorded_calls();
    const MixDeviceControls controls = {-100, -300, -300, 10, 10, 0, 0};
    MIXInitDeviceControl(voice, MIX_DEVICE_RMT, 2, &controls, 0);
    const int aux = __MIXGetVolume(-100);
    const int main = full;
    const std::string ramp = "AXSetVoiceDeviceMix(" + std::to_string(v) + ", 2, 2, 0, " + std::to_string(main / 96) +
                             ", 0, " + std::to_string(aux / 96) + ", 0, 0, 0, 0)";
    EXPECT_EQ(voice_calls(), std::vector<std::string>{ramp});
    EXPECT_EQ(r->rmt_ramps[2][2].target, 0);  // aux B is never computed

    // Pre-fader keeps -10 dB, post-fader follows the fader.
    MIXSetDeviceFader(voice, MIX_DEVICE_RMT, 2, -60);
    update();
    EXPECT_EQ(r->rmt_ramps[2][1].target, __MIXGetVolume(-160));
    MIXDeviceAuxPreFader(voice, MIX_DEVICE_RMT, 2, 0);
    update();
    EXPECT_EQ(r->rmt_ramps[2][1].target, __MIXGetVolume(-100));
    EXPECT_EQ(r->rmt_ramps[2][0].target, __MIXGetVolume(-60));

    // The remote updater visits every remote whatever index it is given.
    update();
    r->rmt_flags[0] |= MIX_DEVICE_CHANGED;
    r->rmt_flags[3] |= MIX_DEVICE_CHANGED;
    ax_take_recorded_calls();
    __MIXUpdateRmtOneVoice(r, 2);
    const std::vector<std::string> calls = voice_calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].rfind("AXSetVoiceDeviceMix(" + std::to_string(v) + ", 2, 0,", 0), 0u);
    EXPECT_EQ(calls[1].rfind("AXSetVoiceDeviceMix(" + std::to_string(v) + ", 2, 3,", 0), 0u);
}

TEST_F(Mixer, gamepad_sends_always_carry_the_fader)
{
    AXVPB* voice = quiet_voice();
    MixChannelRecord* r = mix_record_of(voice);
    MIXDRCInitChannel(voice, 0, -100, 64, -60);
    MIXDeviceAuxPreFader(voice, MIX_DEVICE_DRC, 0, 0);
    EXPECT_EQ(MIXDeviceAuxIsPostFader(voice, MIX_DEVICE_DRC, 0, 0), 0);
    MIXUpdateSettings();
    EXPECT_EQ(r->drc_ramps[0][1][0].target, __MIXGetVolume(-100 - 30 - 60));
    EXPECT_EQ(r->drc_ramps[0][0][0].target, __MIXGetVolume(-30 - 60));

    // Surround mode fills the rear pair from the span.
    MIXSetDeviceSoundMode(MIX_DEVICE_DRC, MIX_SOUND_MODE_SURROUND);
    MIXSetDeviceSPan(voice, MIX_DEVICE_DRC, 0, 0);
    MIXUpdateSettings();
    EXPECT_EQ(r->drc_pan_db[0][2], MixPanTable[64] + MixPanTable[0]);
    EXPECT_EQ(r->drc_ramps[0][0][0].target, __MIXGetVolume(-60 + MixPanTable[64] + MixPanTable[127]));
    EXPECT_EQ(r->drc_ramps[0][0][3].target, __MIXGetVolume(-60 + MixPanTable[63]));
}

TEST_F(Mixer, resets_leave_every_device_pending_with_silent_ramps)
{
    AXVPB* voice = engine_voice();
    MixChannelRecord* r = mix_record_of(voice);
    MIXUpdateSettings();
    MIXResetAllDeviceControls(voice);
    EXPECT_EQ(r->tv_flags, 0x50000000u);
    for (uint32_t flags : r->drc_flags)
        EXPECT_EQ(flags, 0x50000000u);
    for (uint32_t flags : r->rmt_flags)
        EXPECT_EQ(flags, 0x50000000u);
    for (const auto& bus : r->tv_ramps)
        for (const MixRamp& ramp : bus)
            EXPECT_EQ(ramp.current + ramp.target, 0);
    EXPECT_EQ(r->tv_controls.pan, 64);
    EXPECT_EQ(r->tv_pan_db[0], -30);
    // The next update ramps all seven devices up from silence.
    int mixes = 0;
    for (const std::string& call : update())
        mixes += call.rfind("AXSetVoiceDeviceMix", 0) == 0;
    EXPECT_EQ(mixes, 7);
}

TEST_F(Mixer, nothing_is_sent_without_a_voice_or_a_running_mixer)
{
    AXVPB* voice = engine_voice();
    MIXReleaseChannel(voice);
    EXPECT_TRUE(update().empty());

    AXVPB* second = engine_voice();
    MixChannelRecord* r = mix_record_of(second);
    // A second start-up leaves the records as they are.
    r->tv_controls.fader = -77;
    MIXInit();
    EXPECT_EQ(mix_record_of(second)->tv_controls.fader, -77);
    MIXQuit();
    EXPECT_EQ(mix_record_of(second), nullptr);
    EXPECT_TRUE(update().empty());
    MIXSetInput(second, -10);  // a call while the mixer is down does nothing
    EXPECT_EQ(MIXGetInput(second), 0);
}

TEST_F(Mixer, a_mixed_voice_plays_at_its_mix_level_after_the_ramp)
{
    static std::vector<int16_t> data(4096, 20000);
    AXVPB* voice = engine_voice(0);  // full left
    const AXVoiceSrc src = {1, 0, 0, {}};
    const AXVoiceOffsets offsets = {AX_FORMAT_PCM16, 1, 0, uint32_t(data.size() - 1), 0, data.data()};
    AXSetVoiceSrc(voice, &src);
    AXSetVoiceOffsets(voice, &offsets);
    AXSetVoiceState(voice, 1);
    AXRegisterFrameCallback(MIXUpdateSettings);
    AudioFrame frame;
    audio_step_frame(&frame);  // input and mixes ramp up
    EXPECT_EQ(frame.samples[0], 0);
    EXPECT_GT(frame.samples[2 * 95], 0);
    audio_step_frame(&frame);
    const int left = __MIXGetVolume(-120);  // rear span: -12 dB; full left: 0 dB
    EXPECT_EQ(frame.samples[0], std::lrint(20000.0 * left / 32767.0));
    EXPECT_EQ(frame.samples[1], 0);
    EXPECT_EQ(frame.samples[2 * 95], frame.samples[0]);
}
