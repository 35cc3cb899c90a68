// The characters' voices: which voice group the selection events switch on,
// what each voice loop plays or stops for each character, and the
// explosion loops that frames start by name.
#include "audio/media.h"
#include "runtime/values.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using Body = std::function<void(Frames&)>;

// The selection events in the order the stage handlers run them.
void select_voice_group(Frames& f)
{
    f.event_func_290();
    f.event_func_291();
    f.event_func_292();
    f.event_func_293();
    f.event_func_294();
}

std::vector<unsigned> ids(const std::vector<SoundStart>& sounds)
{
    std::vector<unsigned> found;
    for (const SoundStart& sound : sounds)
        found.push_back(sound.id);
    return found;
}

// No channel playing and none remembering an earlier sound, so a stop by
// sample id finds the channel the test started.
void quiet_channels()
{
    media.stop_samples();
    for (Channel& channel : media.channels)
        channel.id = 0;
}

// A stage-like frame whose handler runs the selection events every tick,
// with the player's value object holding the character id.
class VoiceStage {
public:
    explicit VoiceStage(double character, double voice_sets = 1.0)
    {
        // What a stage's set-up does: voice groups off, counters at tick 0.
        kit.frames().reset_shared_event_state();
        kit.set_global(23, voice_sets);
        kit.enter_empty_frame({.handler = [this](Frames& frames) {
            if (selecting)
                select_voice_group(frames);
        }});
        player = kit.place("PlayerMovementValues_80", 0, 0);
        set_character(character);
        selecting = true;
        kit.run(1);
        kit.take_sounds();
        quiet_channels();
    }

    void set_character(double id) { EventKit::set_value(player, 'A', id); }

    // Yelto, Orrun, Pimsa, Dorrik, Hespin.
    std::array<bool*, 5> groups()
    {
        Frames& f = kit.frames();
        return {&f.global_group_12, &f.global_group_9, &f.global_group_6, &f.global_group_5, &f.global_group_13};
    }
    std::array<bool, 5> groups_on()
    {
        std::array<bool, 5> on{};
        for (size_t k = 0; k < 5; ++k)
            on[k] = *groups()[k];
        return on;
    }

    std::vector<unsigned> play(const Body& body)
    {
        body(kit.frames());
        return ids(kit.take_sounds());
    }

    EventKit kit;
    FrameObject* player = nullptr;
    bool selecting = false;
};

Body body(void (Frames::*member)())
{
    return [member](Frames& f) { (f.*member)(); };
}

// Every voice loop and the sample each character id 0 ... 5 hears (0: none).
struct VoiceRow {
    const char* name;
    std::array<unsigned, 6> samples;
};

const std::vector<VoiceRow>& voice_rows()
{
    //                                      Yelto Orrun Pimsa bike Dorrik Hespin
    static const std::vector<VoiceRow> rows = {
        {"sound_hurt0", {61, 82, 91, 91, 133, 156}},
        {"sound_hurt1", {62, 83, 92, 92, 134, 157}},
        {"sound_hurt2", {63, 84, 95, 95, 135, 156}},
        {"sound_hurt3", {64, 85, 96, 96, 136, 157}},
        {"sound_die", {72, 117, 105, 105, 132, 158}},
        {"sound_cantmoveit", {76, 88, 101, 101, 141, 159}},
        {"sound_attack0", {65, 86, 97, 97, 155, 0}},
        {"sound_attack1", {66, 87, 93, 93, 0, 0}},
        {"sound_attack2", {67, 0, 98, 98, 0, 0}},
        {"sound_attack3", {68, 0, 99, 99, 0, 0}},
        {"sound_idle3", {73, 0, 100, 100, 145, 0}},
        {"sound_idle5", {74, 0, 102, 102, 147, 0}},
        {"sound_idle7", {75, 0, 89, 89, 146, 0}},
        {"sound_help", {71, 0, 0, 0, 148, 0}},
        {"sound_uppercut0", {129, 0, 0, 0, 0, 0}},
        {"sound_uppercut1", {130, 0, 0, 0, 0, 0}},
        {"sound_uppercut3", {131, 0, 0, 0, 0, 0}},
        {"sound_cyclone0", {128, 0, 0, 0, 0, 0}},
        {"sound_kick0", {0, 0, 111, 111, 0, 0}},
        {"sound_kick1", {0, 0, 112, 112, 0, 0}},
        {"sound_kick2", {0, 0, 113, 113, 0, 0}},
        {"sound_go0", {0, 0, 90, 90, 0, 0}},
        {"sound_dig0", {0, 0, 0, 0, 140, 0}},
        {"sound_dig1", {0, 0, 0, 0, 142, 0}},
        {"sound_dig2", {0, 0, 0, 0, 143, 0}},
        {"sound_dig3", {0, 0, 0, 0, 144, 0}},
        {"sound_jump", {8, 8, 8, 151, 8, 152}},
    };
    return rows;
}

// Starts a voice loop once by its name, as the stage does: the loops its
// events run by a fixed name directly, the others through the stage's
// named-loop map.
void run_voice_loop(Frames& f, const std::string& name)
{
    struct Fixed {
        FastLoop Frames::*loop;
        void (Frames::*body)();
    };
    static const std::map<std::string, Fixed> fixed = {
        {"sound_die", {&Frames::fast_loop_sound_die, &Frames::loop_sound_die_3}},
        {"sound_cantmoveit", {&Frames::fast_loop_sound_cantmoveit, &Frames::loop_sound_cantmoveit_3}},
        {"sound_help", {&Frames::fast_loop_sound_help, &Frames::loop_sound_help_0}},
        {"sound_jump", {&Frames::fast_loop_sound_jump, &Frames::loop_sound_jump_4}},
    };
    const auto it = fixed.find(name);
    if (it == fixed.end()) {
        f.set_up_named_loops(4);
        f.run_named_loop(name, 1);
        return;
    }
    f.run_loop(f.*(it->second.loop), 1, it->second.body);
}

std::vector<unsigned> heard(unsigned sample)
{
    return sample ? std::vector<unsigned>{sample} : std::vector<unsigned>{};
}

}  // namespace

TEST(VoiceGroups, selection_switches_on_exactly_the_current_characters_group)
{
    using On = std::array<bool, 5>;
    const std::array<On, 6> expected = {On{1, 0, 0, 0, 0}, On{0, 1, 0, 0, 0}, On{0, 0, 1, 0, 0},
                                        On{0, 0, 1, 0, 0}, On{0, 0, 0, 1, 0}, On{0, 0, 0, 0, 1}};
    for (int id = 0; id < 6; ++id) {
        VoiceStage stage(id);
        EXPECT_EQ(stage.groups_on(), expected[size_t(id)]) << "character " << id << ", first tick";
    }

    // A change of character switches groups on the next tick; the others go off.
    VoiceStage stage(0);
    *stage.groups()[2] = true;  // left over: the selection switches it off
    stage.set_character(4);
    stage.kit.run(1);
    EXPECT_EQ(stage.groups_on(), (On{0, 0, 0, 1, 0}));
    stage.set_character(1);
    stage.kit.run(1);
    EXPECT_EQ(stage.groups_on(), (On{0, 1, 0, 0, 0}));

    // An id no character has matches no selection event: the group stays.
    stage.set_character(7);
    stage.kit.run(3);
    EXPECT_EQ(stage.groups_on(), (On{0, 1, 0, 0, 0}));
    EXPECT_EQ(stage.play(body(&Frames::loop_sound_hurt1_3)), std::vector<unsigned>{});
    stage.set_character(1);
    EXPECT_EQ(stage.play(body(&Frames::loop_sound_hurt1_3)), std::vector<unsigned>{83});
}

TEST(VoiceGroups, the_stage_handler_picks_the_group_once_the_voice_sets_are_on)
{
    EventKit kit;
    Frames& f = kit.frames();
    f.reset_shared_event_state();
    kit.set_global(23, 0);
    kit.enter_frame(4);
    // Hespin's weapons group would send the game back to its first frame.
    f.once_715 = true;
    FrameObject* player = kit.place("PlayerMovementValues_80", 0, 0);
    EventKit::set_value(player, 'A', 5);
    kit.run(2);
    EXPECT_FALSE(f.global_group_13);
    kit.take_sounds();
    f.run_named_loop("sound_hurt2", 1);
    EXPECT_EQ(ids(kit.take_sounds()), std::vector<unsigned>{});

    kit.set_global(23, 1);
    kit.run(1);
    EXPECT_TRUE(f.global_group_13);
    EXPECT_FALSE(f.global_group_12);
    f.run_named_loop("sound_hurt2", 1);
    EXPECT_EQ(ids(kit.take_sounds()), std::vector<unsigned>{156});
}

TEST(VoiceGroups, fire_once_while_true_so_a_group_switched_off_stays_off)
{
    VoiceStage stage(2);
    EXPECT_TRUE(*stage.groups()[2]);
    // Something else switches Pimsa's group off; while the id stays, the
    // selection does not fire again.
    *stage.groups()[2] = false;
    stage.kit.run(5);
    EXPECT_FALSE(*stage.groups()[2]);
    // One tick as someone else re-arms it.
    stage.set_character(0);
    stage.kit.run(1);
    stage.set_character(3);
    stage.kit.run(1);
    EXPECT_EQ(stage.groups_on(), (std::array<bool, 5>{0, 0, 1, 0, 0}));
}

TEST(VoiceLoops, every_loop_started_by_its_name_plays_the_speaking_characters_sample)
{
    for (int id = 0; id < 6; ++id) {
        VoiceStage stage(id);
        for (const VoiceRow& row : voice_rows()) {
            EXPECT_EQ(stage.play([&](Frames& f) { run_voice_loop(f, row.name); }), heard(row.samples[size_t(id)]))
                << row.name << ", character " << id;
            quiet_channels();
        }
    }
}

TEST(VoiceLoops, stay_silent_while_the_voice_sets_are_off)
{
    for (double voice_sets : {0.0, 2.0}) {
        for (int id = 0; id < 6; ++id) {
            VoiceStage stage(id, voice_sets);
            stage.kit.run(2);
            EXPECT_EQ(stage.groups_on(), (std::array<bool, 5>{}));
            for (const VoiceRow& row : voice_rows())
                EXPECT_EQ(stage.play([&](Frames& f) { run_voice_loop(f, row.name); }), std::vector<unsigned>{})
                    << row.name << ", character " << id;
            // Explosions speak for no one.
            EXPECT_EQ(stage.play(body(&Frames::loop_sound_explode5_0)), std::vector<unsigned>{177});
        }
    }
}

TEST(VoiceLoops, stop_voices_cuts_off_only_the_speaking_character)
{
    struct Case {
        int id;
        std::vector<unsigned> own;
        unsigned someone_else;
    };
    const std::vector<Case> cases = {
        {0, {65, 66, 67, 68, 62, 63, 64, 61, 73, 74, 75, 76, 108, 128, 129, 130, 131}, 82},
        {1, {82, 83, 84, 85, 86, 87, 88}, 65},
        {3, {90, 91, 92, 95, 96, 99, 97, 93, 98, 94, 100, 102, 89, 110, 109}, 133},
        {4, {133, 134, 135, 136, 140, 125, 142, 143, 144, 145, 146, 147, 155}, 156},
        {5, {156, 157, 159}, 158},  // Hespin's dying voice is not among them
    };
    for (const Case& c : cases) {
        VoiceStage stage(c.id);
        for (unsigned sample : c.own)
            media.play_id(sample, -1, 1);
        media.play_id(c.someone_else, -1, 1);
        stage.kit.frames().run_loop(stage.kit.frames().fast_loop_stop_voices, 1, &Frames::loop_stop_voices_3);
        for (unsigned sample : c.own)
            EXPECT_FALSE(media.is_sample_playing(sample)) << "character " << c.id << ", sample " << sample;
        EXPECT_TRUE(media.is_sample_playing(c.someone_else)) << "character " << c.id;
    }
}

TEST(VoiceLoops, letting_go_of_a_block_stops_every_characters_strain)
{
    VoiceStage stage(0, 0.0);  // nobody speaking
    for (unsigned sample : {76u, 101u, 88u, 141u, 159u, 66u})
        media.play_id(sample, -1, 1);
    stage.kit.frames().loop_sound_stoppush_0();
    for (unsigned sample : {76u, 101u, 88u, 141u, 159u})
        EXPECT_FALSE(media.is_sample_playing(sample)) << sample;
    EXPECT_TRUE(media.is_sample_playing(66));

    // The go call plays, then cuts the bike's sample 109 short.
    VoiceStage pimsa(3);
    media.play_id(109, -1, 1);
    EXPECT_EQ(pimsa.play(body(&Frames::loop_sound_go0_0)), (std::vector<unsigned>{109, 90}));
    EXPECT_FALSE(media.is_sample_playing(109));
    EXPECT_TRUE(media.is_sample_playing(90));
}

TEST(ExplosionLoops, a_name_of_frame_1s_map_plays_its_sample)
{
    EventKit kit;
    kit.set_global(23, 0);
    kit.enter_frame(0);
    kit.take_sounds();
    const std::array<unsigned, 9> samples = {169, 77, 78, 169, 176, 177, 170, 171, 175};
    for (int n = 0; n < 9; ++n) {
        kit.frames().run_named_loop("sound_explode" + std::to_string(n), 1);
        EXPECT_EQ(ids(kit.take_sounds()), std::vector<unsigned>{samples[size_t(n)]}) << "sound_explode" << n;
    }
    // Two passes, two bangs; the voices are not frame 1's.
    kit.frames().run_named_loop("sound_explode2", 2);
    EXPECT_EQ(ids(kit.take_sounds()), (std::vector<unsigned>{78, 78}));
    kit.set_global(23, 1);
    for (const char* name : {"sound_hurt1", "sound_explode9", "sound_idle3"})
        kit.frames().run_named_loop(name, 1);
    EXPECT_EQ(ids(kit.take_sounds()), std::vector<unsigned>{});
}

TEST(ExplosionLoops, the_stage_maps_start_voices_by_prefix_and_number)
{
    for (int frame_index : {4, 5}) {
        VoiceStage stage(4);  // Dorrik
        stage.kit.frames().set_up_named_loops(frame_index);
        Frames& f = stage.kit.frames();
        f.run_named_loop("sound_dig" + std::to_string(2), 1);
        f.run_named_loop("sound_hurt" + std::to_string(3), 1);
        f.run_named_loop("sound_explode" + std::to_string(0), 1);
        // No such loop, and the loops the stage runs by their own name.
        f.run_named_loop("sound_idle4", 1);
        f.run_named_loop("sound_die", 1);
        f.run_named_loop("sound_jump", 1);
        EXPECT_EQ(ids(stage.kit.take_sounds()), (std::vector<unsigned>{143, 136, 169})) << frame_index;
    }
}

TEST(RestartLoop, a_restart_on_the_bike_counts_pimsa_on_foot)
{
    EventKit kit;
    kit.enter_empty_frame({});
    for (auto [before, after] : {std::pair{3.0, 2.0}, {2.0, 2.0}, {4.0, 4.0}, {0.0, 0.0}}) {
        kit.set_global(1, before);
        kit.frames().event_func_86();
        EXPECT_EQ(kit.global(1), after) << before;
    }
}
