// The Continue? frame's continue: the press, the burst of crystals, each
// character's run and jump, the sparkles, the choice of the next frame, and
// instances that are missing.
#include "audio/media.h"
#include "console/pads.h"
#include "objects/active.h"
#include "objects/counter.h"
#include "runtime/manager.h"
#include "tests/support/event_kit.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int continue_frame = 7;

Active* active(FrameObject* o) { return static_cast<Active*>(o); }
bool visible(FrameObject* o) { return o->flags & FrameObject::VISIBLE; }

// The frame entered with a character and a stage, pressed once the fade-in
// is over (tick 60).
struct Continue {
    EventKit kit;

    Continue(int character, double stage)
    {
        kit.set_global(1, character);
        kit.set_global(8, 6);
        kit.enter_frame(continue_frame);
        EventKit::set_value(kit.instance(types::MasterLevel_53), 'Q', stage);
        kit.run(58);
        kit.take_sounds();
    }
    // A on the gamepad: the shared events raise the first button's flag at
    // the end of the tick, and the frame reads it on the next.
    void press() { kit.press(VPAD_BUTTON_A, 1); }
    double stage() { return EventKit::value(kit.instance(types::FloorLight_422), 'C'); }
    // Runs until the stage reaches `value` or more (or the frame changes);
    // the sound ids started meanwhile.
    std::vector<unsigned> run_to_stage(double value, int limit = 600)
    {
        std::vector<unsigned> ids;
        for (int k = 0; k < limit && stage() < value && kit.frames().next_frame == -1; ++k) {
            kit.run(1);
            for (const SoundStart& s : kit.take_sounds())
                ids.push_back(s.id);
        }
        return ids;
    }
};

bool has(const std::vector<unsigned>& ids, unsigned id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

}  // namespace

TEST(ContinueButton, a_press_bursts_the_crystals_and_grants_the_lives)
{
    Continue c(0, 1);
    manager.lives = 0;
    c.press();
    Frames& f = c.kit.frames();
    EXPECT_TRUE(f.continue_group);
    EXPECT_FALSE(f.countdown_group || f.accept_group);
    EXPECT_EQ(manager.lives, 6);
    EXPECT_EQ(media.get_channel_volume(31), 100.0);
    EXPECT_EQ(static_cast<Counter*>(c.kit.instance(types::GUIRings_74))->value, 14);
    EXPECT_EQ(active(c.kit.instance(types::FallenCharacter_421))->forced_animation, 11);

    const std::vector<SoundStart> sounds = c.kit.take_sounds();
    ASSERT_EQ(sounds.size(), 2u);
    EXPECT_EQ(sounds[0].id, 4u);
    EXPECT_EQ(sounds[0].loops, 1);
    EXPECT_NE(sounds[1].path.find("/Data/BGM/m_clear.ogg"), std::string::npos);
    EXPECT_EQ(sounds[1].channel, 31);
    EXPECT_EQ(sounds[1].loops, 0);

    // Every crystal shows and flies away from (320, 160).
    std::vector<std::pair<int, int>> before;
    for (FrameObject* k : c.kit.instances(types::CountdownCrystal_423)) {
        EXPECT_TRUE(visible(k));
        before.emplace_back(k->get_x(), k->get_y());
    }
    c.kit.run(3);
    const std::vector<FrameObject*> crystals = c.kit.instances(types::CountdownCrystal_423);
    ASSERT_EQ(crystals.size(), before.size());
    for (size_t k = 0; k < crystals.size(); ++k) {
        const double out_before = std::hypot(before[k].first - 320.0, before[k].second - 160.0);
        const double out_after = std::hypot(crystals[k]->get_x() - 320.0, crystals[k]->get_y() - 160.0);
        EXPECT_GT(out_after, out_before) << "crystal " << k;
    }
    // They are destroyed once out of the play field.
    c.kit.run(80);
    EXPECT_TRUE(c.kit.instances(types::CountdownCrystal_423).empty());
}

struct Variant {
    int character;
    std::set<int> shown;             // the sprite types the sequence shows
    std::set<unsigned> voices;       // the two continue voices
    int come_back_sample;            // played when the sprites leave the view; -1 none
    int jump_animation;              // the sprite's animation while it comes back
    int sprite;                      // the sprite whose jump is measured
    int jump_top;                    // its y when the jump ends (stage 2)
    int leave_sample;                // played at stage 50; -1 none
};

void PrintTo(const Variant& v, std::ostream* os) { *os << "character " << v.character; }

class ContinueVariants : public testing::TestWithParam<Variant> {};

TEST_P(ContinueVariants, the_character_gets_up_runs_off_comes_back_its_own_way_and_the_act_goes_on)
{
    const Variant& v = GetParam();
    Continue c(v.character, 1);
    c.press();

    // Getting up: one of the character's two continue voices, once.
    std::vector<unsigned> ids = c.run_to_stage(1, 20);
    int voices = 0;
    for (unsigned id : ids)
        voices += v.voices.count(id);
    EXPECT_EQ(voices, 1);

    // The sprites stand where the fallen character lay and run right.
    while (!(c.kit.instance(types::FallenCharacter_421)->flags & FrameObject::DESTROYING))
        c.kit.run(1);
    EXPECT_EQ(c.kit.instance(types::PlayerSkinYelto_102)->get_x(), 212);
    EXPECT_EQ(c.kit.instance(types::PlayerSkinOrrun_290)->get_x(), 204);
    for (int type : {types::PlayerSkinYelto_102, types::PlayerSkinYeltoHair_209, types::PlayerSkinOrrun_290,
                     types::PlayerSkinPimsa_324, types::PlayerSkinPimsaTail_323, types::PlayerSkinDorrik_339,
                     types::PlayerSkinDorrikTail_342})
        EXPECT_EQ(visible(c.kit.instance(type)), v.shown.count(type) == 1) << "type " << type;

    ids = c.run_to_stage(1);
    if (v.character == 2)
        EXPECT_EQ(c.stage(), 2) << "Pimsa stops out of view at once";
    else
        EXPECT_EQ(c.stage(), 1);
    if (v.come_back_sample >= 0) {
        EXPECT_TRUE(has(ids, unsigned(v.come_back_sample)));
    }
    if (v.jump_animation >= 0) {
        EXPECT_EQ(active(c.kit.instance(v.sprite))->forced_animation, v.jump_animation);
    }

    c.run_to_stage(2);
    EXPECT_EQ(c.kit.instance(v.sprite)->get_y(), v.jump_top);

    ids = c.run_to_stage(52);
    if (v.leave_sample >= 0) {
        EXPECT_TRUE(has(ids, unsigned(v.leave_sample)));
    }

    // The stage counts to 251, the view scrolls from 201 on, and the
    // stage being played (1) goes on in frame index 4.
    c.run_to_stage(201);
    const int view_y = c.kit.frames().new_display_y;
    c.kit.run(1);
    EXPECT_EQ(c.kit.frames().new_display_y, view_y + 4);
    c.run_to_stage(250);
    EXPECT_FALSE(c.kit.frames().destination_group);
    c.kit.run(1);
    EXPECT_TRUE(c.kit.frames().destination_group);
    EXPECT_EQ(c.kit.frames().next_frame, 4);
    EXPECT_EQ(manager.lives, 6);
}

INSTANTIATE_TEST_SUITE_P(
    EachCharacter, ContinueVariants,
    testing::Values(Variant{0,
                            {types::PlayerSkinYelto_102, types::PlayerSkinYeltoHair_209},
                            {69, 70},
                            60,
                            24,
                            types::PlayerSkinYelto_102,
                            143,
                            47},
                    Variant{1, {types::PlayerSkinOrrun_290}, {118, 119}, -1, 21, types::PlayerSkinOrrun_290, 117, -1},
                    Variant{2,
                            {types::PlayerSkinPimsa_324, types::PlayerSkinPimsaTail_323},
                            {106, 107},
                            103,
                            -1,
                            types::PlayerSkinPimsa_324,
                            201,
                            104},
                    Variant{4,
                            {types::PlayerSkinDorrik_339, types::PlayerSkinDorrikTail_342},
                            {149, 150},
                            8,
                            24,
                            types::PlayerSkinDorrik_339,
                            141,
                            -1}));

TEST(ContinueCharacters, yelto_jumps_back_in_from_beyond_the_view_and_the_sparkles_circle_him)
{
    Continue c(0, 1);
    c.press();
    c.run_to_stage(1);
    Active* sprite = active(c.kit.instance(types::PlayerSkinYelto_102));
    EXPECT_EQ(sprite->get_x(), 107 + 458);
    EXPECT_EQ(sprite->get_direction(), 16);
    c.run_to_stage(2);
    EXPECT_EQ(sprite->forced_animation, 7);
    EXPECT_TRUE(c.kit.frames().orbit_sparkle_group);
    c.kit.run(1);
    // Four circling sparkles: radius 20 and 10, half a turn apart.
    // The set-up's own sparkles wait out of view; these are new.
    ASSERT_EQ(c.kit.instances(types::Sparkle1_178).size(), 2u);
    FrameObject* s1 = c.kit.instance(types::Sparkle1_178);
    FrameObject* s3 = c.kit.instance(types::Sparkle3_181);
    EXPECT_EQ(EventKit::value(s1, 'C'), 20);
    EXPECT_EQ(EventKit::value(s3, 'C'), 10);
    const double d1 = EventKit::value(s1, 'D'), d3 = EventKit::value(s3, 'D');
    c.kit.run(1);
    EXPECT_EQ(EventKit::value(s1, 'D'), d1 + 7);
    EXPECT_EQ(EventKit::value(s3, 'D'), d3 + 10);
    // Placed on its circle before it turns on.
    const double a = EventKit::value(s1, 'A'), b = EventKit::value(s1, 'B');
    EXPECT_EQ(a, sprite->get_x());
    EXPECT_EQ(b, sprite->get_y() - 4);
    EXPECT_EQ(s1->get_x(), int(a + 20 * std::sin(d1 / 57.29577951308232)));
    EXPECT_EQ(s1->get_y(), int(b - 20 * std::cos(d1 / 57.29577951308232)));
    c.kit.run(10);
    EXPECT_FALSE(c.kit.instances(types::Sparkle5_183).empty()) << "trails";

    // Leaving: angle 180, speed -15, a ring of sparkles around him.
    c.run_to_stage(52);
    EXPECT_EQ(sprite->forced_animation, 13);
    EXPECT_EQ(EventKit::value(c.kit.instance(types::FloorLight_422), 'A'), -15);
    EXPECT_TRUE(c.kit.frames().ring_sparkle_group);
    c.kit.run(1);
    FrameObject* ring = c.kit.instance(types::RingSparkle_179);
    ASSERT_NE(ring, nullptr);
    EXPECT_LE(std::abs(ring->get_x() - sprite->get_x()), 8);
    EXPECT_LE(std::abs(ring->get_y() - sprite->get_y()), 8);
}

TEST(ContinueCharacters, orrun_leaves_four_after_images_that_spread_and_vanish)
{
    Continue c(1, 2);
    c.press();
    c.run_to_stage(2);
    std::vector<unsigned> ids;
    for (int k = 0; k < 120 && c.kit.instances(types::EffectsOrrunImage_335).empty(); ++k) {
        c.kit.run(1);
        for (const SoundStart& s : c.kit.take_sounds())
            ids.push_back(s.id);
    }
    EXPECT_TRUE(has(ids, 56));
    const std::vector<FrameObject*> images = c.kit.instances(types::EffectsOrrunImage_335);
    ASSERT_EQ(images.size(), 4u);
    // Numbered newest first, each turned to its own direction.
    for (size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(EventKit::value(images[k], 'B'), double(3 - k));
        EXPECT_EQ(images[k]->get_direction(), int(3 - k) + 2);
    }
    c.kit.run(70);
    EXPECT_TRUE(c.kit.instances(types::EffectsOrrunImage_335).empty());
}

TEST(ContinueCharacters, pimsa_rides_back_on_her_bike_and_dorrik_rises_with_his_cry)
{
    {
        Continue c(2, 9);
        c.press();
        c.run_to_stage(52);
        EXPECT_FALSE(visible(c.kit.instance(types::PlayerSkinPimsa_324)));
        FrameObject* bike = c.kit.instance(types::PlayerSkinPimsaBike_338);
        EXPECT_TRUE(visible(bike));
        EXPECT_EQ(bike->get_direction(), 16);
        EXPECT_EQ(bike->get_x(), c.kit.instance(types::PlayerSkinPimsa_324)->get_x());
        const int x = bike->get_x();
        c.kit.run(1);
        EXPECT_EQ(bike->get_x(), x - 12);
    }
    {
        Continue c(4, 37);
        c.press();
        c.run_to_stage(2);
        const std::vector<unsigned> ids = c.run_to_stage(30);
        // Every 0.1 s while he flies in animation 18 and is still below the top.
        int cries = 0;
        for (unsigned id : ids)
            cries += id == 125;
        EXPECT_GE(cries, 3);
        EXPECT_LT(c.kit.instance(types::PlayerSkinDorrik_339)->get_y(), 141);
    }
}

TEST(ContinueCharacters, a_character_the_frame_does_not_know_runs_right_for_ever)
{
    Continue c(5, 1);
    std::vector<bool> shown;
    for (int type : {types::PlayerSkinYelto_102, types::PlayerSkinOrrun_290, types::PlayerSkinPimsa_324,
                     types::PlayerSkinDorrik_339})
        shown.push_back(visible(c.kit.instance(type)));
    c.press();
    c.kit.run(400);
    EXPECT_EQ(c.stage(), 0);
    EXPECT_EQ(EventKit::value(c.kit.instance(types::FloorLight_422), 'A'), 7);
    size_t k = 0;
    for (int type : {types::PlayerSkinYelto_102, types::PlayerSkinOrrun_290, types::PlayerSkinPimsa_324,
                     types::PlayerSkinDorrik_339})
        EXPECT_EQ(visible(c.kit.instance(type)), shown[k++]);
    EXPECT_EQ(c.kit.frames().next_frame, -1);
}

TEST(ContinueVoices, each_visit_plays_the_continue_voice_once)
{
    Continue c(2, 1);
    for (int visit = 0; visit < 2; ++visit) {
        if (visit == 1) {
            c.kit.enter_frame(continue_frame);
            c.kit.run(58);
            c.kit.take_sounds();
        }
        c.press();
        int voices = 0;
        for (int k = 0; k < 60; ++k) {
            c.kit.run(1);
            for (const SoundStart& s : c.kit.take_sounds())
                voices += s.id == 106 || s.id == 107;
        }
        EXPECT_EQ(voices, 1) << "visit " << visit;
    }
}

TEST(ContinueDestination, the_stage_being_played_chooses_the_next_frame)
{
    EventKit kit;
    kit.enter_frame(continue_frame);
    const std::vector<std::pair<double, int>> rows = {
        {1, 4},  {2, 5},  {3, 0},  {8, 0},  {9, 6},   {10, 0},  {32, 0},  {37, 0},
        {42, 0}, {52, 0}, {0, -1}, {33, -1}, {36, -1}, {2.5, -1}, {-1, -1}, {53, -1}};
    for (const auto& [stage, frame] : rows) {
        Frames& f = kit.frames();
        f.next_frame = -1;
        f.continue_group = true;
        f.destination_group = true;
        EventKit::set_value(kit.instance(types::MasterLevel_53), 'Q', stage);
        f.handle_frame_8_events();
        EXPECT_EQ(f.next_frame, frame) << "stage " << stage;
    }
    kit.frames().next_frame = -1;
    kit.frames().destination_group = false;
    EventKit::set_value(kit.instance(types::MasterLevel_53), 'Q', 1);
    kit.frames().handle_frame_8_events();
    EXPECT_EQ(kit.frames().next_frame, -1);
}

// Where an instance the events read alone is gone, they read a fresh
// object's values and write nothing.
TEST(ContinueMissingInstances, the_frame_runs_on_without_its_marker_light_level_master_or_yelto)
{
    EventKit kit;
    kit.enter_frame(continue_frame);
    for (int type : {types::Marker_424, types::FloorLight_422, types::MasterLevel_53, types::PlayerSkinYelto_102,
                     types::PlayerInput_21})
        kit.instance(type)->destroy();
    kit.run(60);
    Frames& f = kit.frames();
    EXPECT_TRUE(f.accept_group);
    ASSERT_EQ(kit.instances(types::CountdownCrystal_423).size(), 90u);
    for (FrameObject* k : kit.instances(types::CountdownCrystal_423))
        EXPECT_EQ(EventKit::value(k, 'A'), 0) << "no digit without the marker";

    // The start button still continues; without the light the stage reads 0
    // and without Yelto nobody runs, so the frame stays.
    EventKit::set_value(kit.instance(types::InputsP1_23), 'P', 1);
    kit.run(1);
    EventKit::set_value(kit.instance(types::InputsP1_23), 'P', 0);
    EXPECT_TRUE(f.continue_group);
    kit.run(200);
    EXPECT_TRUE(kit.instances(types::FallenCharacter_421).empty());
    EXPECT_EQ(kit.instance(types::PlayerSkinPimsa_324)->get_x(), 212);
    EXPECT_EQ(f.next_frame, -1);
    for (int type : {types::Marker_424, types::FloorLight_422, types::MasterLevel_53, types::PlayerSkinYelto_102})
        EXPECT_TRUE(kit.instances(type).empty());

    // The sparkles gather around where a missing Yelto reads to be.
    f.orbit_sparkle_group = f.ring_sparkle_group = true;
    kit.run(3);
    ASSERT_EQ(kit.instances(types::Sparkle1_178).size(), 2u);
    EXPECT_EQ(EventKit::value(kit.instance(types::Sparkle1_178), 'A'), 0);
    EXPECT_FALSE(kit.instances(types::RingSparkle_179).empty());
}
