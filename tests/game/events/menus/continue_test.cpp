// The Continue? frame: its set-up, the fade-in that holds the button back,
// the countdown of crystal digits and the time-out that restarts the game.
#include "audio/media.h"
#include "objects/active.h"
#include "objects/counter.h"
#include "runtime/manager.h"
#include "tests/game/events/menus/menu_kit.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int continue_frame = 7;

// The digit whose cluster a crystal was created in, from its creation y.
int digit_of(double creation_y)
{
    const int tops[] = {274, 383, 494, 604, 716, 823, 926, 1034, 1144};
    for (int k = 8; k >= 0; --k)
        if (creation_y >= tops[k])
            return 9 - k;
    return -1;
}

std::vector<FrameObject*> crystals_in_state(EventKit& kit, double state)
{
    std::vector<FrameObject*> found;
    for (FrameObject* c : kit.instances(types::CountdownCrystal_423))
        if (EventKit::value(c, 'A') == state)
            found.push_back(c);
    return found;
}

}  // namespace

TEST(ContinueSetUp, builds_the_scene_beside_the_crystals_and_starts_the_game_over_music)
{
    EventKit kit;
    kit.set_global(1, 4);
    enter_with_music_idle(kit, continue_frame);
    Frames& f = kit.frames();
    // Global value 19 starts at 2: the view is centred at x 320.
    EXPECT_EQ(f.display_x, 107);
    EXPECT_EQ(f.display_y, 0);

    const std::vector<FrameObject*> crystals = kit.instances(types::CountdownCrystal_423);
    ASSERT_EQ(crystals.size(), 90u);
    EXPECT_EQ(EventKit::value(crystals.front(), 'C'), 282);
    EXPECT_EQ(EventKit::value(crystals.back(), 'C'), 1208);
    for (FrameObject* c : crystals) {
        EXPECT_EQ(c->blend_color.a, 0);
        EXPECT_EQ(EventKit::value(c, 'C'), c->get_y());
    }
    ASSERT_EQ(kit.instances(types::FallenCharacter_421).size(), 1u);
    EXPECT_EQ(kit.instance(types::FallenCharacter_421)->get_direction(), 4);
    EXPECT_EQ(kit.instances(types::Marker_424).size(), 1u);
    EXPECT_EQ(static_cast<Counter*>(kit.instance(types::GUICrystal_78))->value, 999);
    EXPECT_EQ(static_cast<Counter*>(kit.instance(types::TotalCrystals_425))->value, manager.score);

    // The overlay covers the view that the start events chose.
    const Active* overlay = static_cast<Active*>(kit.instance(types::Fade_40));
    EXPECT_EQ(overlay->get_x(), 107);
    EXPECT_EQ(overlay->x_scale, 426.0f);
    EXPECT_EQ(overlay->y_scale, 240.0f);

    EXPECT_TRUE(f.countdown_group);
    EXPECT_FALSE(f.accept_group || f.continue_group || f.time_out_group || f.destination_group ||
                 f.orbit_sparkle_group || f.ring_sparkle_group);
    ASSERT_NE(f.loops, nullptr);
    EXPECT_EQ(f.loops->count("sound_continue0") + f.loops->count("sound_continue1"), 2u);

    const std::vector<SoundStart> sounds = kit.take_sounds();
    ASSERT_EQ(music_count(sounds, "/Data/BGM/m_gameover.ogg"), 1);
    EXPECT_EQ(sounds.front().channel, 31);
    EXPECT_EQ(sounds.front().loops, 0);

    // Entering again while the music plays leaves it alone; the fallen
    // character shows Yelto when no character was ever played.
    kit.set_global(1, 0);
    kit.enter_frame(continue_frame);
    EXPECT_EQ(music_count(kit.take_sounds(), "m_gameover.ogg"), 0);
    EXPECT_EQ(kit.instance(types::FallenCharacter_421)->get_direction(), 0);
}

TEST(ContinueFadeIn, the_overlay_clears_and_the_button_works_from_the_48th_tick)
{
    EventKit kit;
    kit.enter_frame(continue_frame);
    FrameObject* overlay = kit.instance(types::Fade_40);
    EXPECT_EQ(overlay->blend_color.a, 250);
    while (!kit.frames().continue_group && kit.tick() < 60) {
        // The first button's flag, raised for every tick (the shared events
        // lower it again at the end of each).
        EventKit::set_value(kit.instance(types::PlayerInput_21), 'K', 1);
        kit.run(1);
        if (kit.tick() == 42) {
            EXPECT_EQ(kit.instance(types::Fade_40)->blend_color.a, 4);
        }
        if (kit.tick() == 43) {
            EXPECT_EQ(kit.instance(types::Fade_40)->blend_color.a, 0);
        }
    }
    // The tick that destroys the overlay opens the accept group, and the
    // button is read in that same tick.
    EXPECT_EQ(kit.tick(), 48);
    EXPECT_TRUE(kit.frames().continue_group);
    EXPECT_FALSE(kit.frames().accept_group);
}

// Each character, the known four and one the frame does not know.
class ContinueCountdown : public testing::TestWithParam<int> {};

TEST_P(ContinueCountdown, shows_the_digits_nine_to_one_then_restarts_the_game)
{
    const int character = GetParam();
    EventKit kit;
    kit.set_global(1, character);
    kit.set_global(8, 7);
    kit.enter_frame(continue_frame);
    kit.take_sounds();

    std::vector<int> digits, first_ticks, shown_for;
    std::vector<SoundStart> sounds;
    int shown_since = -1, time_out_tick = -1, fade_tick = -1;
    while (kit.frames().next_frame == -1 && kit.tick() < 1700) {
        kit.run(1);
        const std::vector<FrameObject*> shown = crystals_in_state(kit, 1);
        if (!shown.empty() && shown_since < 0) {
            shown_since = kit.tick();
            first_ticks.push_back(kit.tick());
            // A whole cluster and nothing else, lifted into the view in its shape.
            ASSERT_EQ(shown.size(), 10u);
            const int digit = digit_of(EventKit::value(shown[0], 'C'));
            digits.push_back(digit);
            const double marker_b = EventKit::value(kit.instance(types::Marker_424), 'B');
            for (FrameObject* c : shown) {
                EXPECT_EQ(digit_of(EventKit::value(c, 'C')), digit);
                EXPECT_EQ(c->get_y(), int(EventKit::value(c, 'C') - marker_b + 110));
                EXPECT_EQ(EventKit::value(c, 'B'), 120);
                EXPECT_EQ(c->blend_color.a, 16);
            }
        }
        if (shown.empty() && shown_since >= 0) {
            shown_for.push_back(kit.tick() - shown_since);
            shown_since = -1;
        }
        if (!first_ticks.empty() && kit.tick() == first_ticks.back() + 16) {
            for (FrameObject* c : crystals_in_state(kit, 1))
                EXPECT_EQ(c->blend_color.a, 255);
        }
        if (time_out_tick < 0 && kit.frames().time_out_group) {
            time_out_tick = kit.tick();
            EXPECT_TRUE(kit.instances(types::CountdownCrystal_423).empty());
            EXPECT_FALSE(kit.frames().accept_group);
            EXPECT_TRUE(static_cast<Active*>(kit.instance(types::FallenCharacter_421))->test_animation(8) ||
                        static_cast<Active*>(kit.instance(types::FallenCharacter_421))->forced_animation == 8);
        }
        if (fade_tick < 0 && kit.instance(types::FloorLight_422)->blend_color.a != 255)
            fade_tick = kit.tick();
        for (SoundStart& s : kit.take_sounds())
            sounds.push_back(s);
    }
    EXPECT_EQ(digits, (std::vector<int>{9, 8, 7, 6, 5, 4, 3, 2, 1}));
    // The stand-in marker touches each cluster on these ticks.
    EXPECT_EQ(first_ticks, (std::vector<int>{20, 167, 316, 464, 614, 764, 900, 1046, 1194}));
    EXPECT_EQ(shown_for, (std::vector<int>(9, 118)));

    // Without a press the time-out restarts the game on its 171st tick,
    // with the lives of global value 8; the light fades from its 41st.
    ASSERT_GT(time_out_tick, 0);
    EXPECT_EQ(kit.frames().next_frame, -2);
    EXPECT_EQ(kit.tick() - time_out_tick + 1, 171);
    EXPECT_EQ(fade_tick - time_out_tick + 1, 41);
    EXPECT_EQ(manager.lives, 7);
    EXPECT_FALSE(kit.frames().continue_group);
    EXPECT_EQ(media.get_channel_volume(31), 0.0);

    const int orrun_voice = music_count(sounds, "/voices/orrun/orrun_kiddingme.ogg");
    const int pimsa_voice = music_count(sounds, "/voices/pimsa/pimsa_quietno.ogg");
    EXPECT_EQ(orrun_voice, character == 1 ? 1 : 0);
    EXPECT_EQ(pimsa_voice, character == 2 ? 1 : 0);
    for (const SoundStart& s : sounds) {
        if (s.path.find("/voices/") != std::string::npos) {
            EXPECT_EQ(s.channel, 29);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EachCharacter, ContinueCountdown, testing::Values(0, 1, 2, 4, 5));

TEST(ContinueMusic, the_music_loses_a_step_every_twentieth_of_a_second_once_few_crystals_are_left)
{
    EventKit kit;
    kit.enter_frame(continue_frame);
    kit.run(5);
    EXPECT_EQ(media.get_channel_volume(31), 100.0);
    // Keep eleven crystals: fewer than twelve.
    std::vector<FrameObject*> crystals = kit.instances(types::CountdownCrystal_423);
    for (size_t k = 11; k < crystals.size(); ++k)
        crystals[k]->destroy();
    kit.run(1);
    const double start = media.get_channel_volume(31);
    kit.run(30);
    // 0.5 s: ten steps. Three ticks of 1/60 s in single precision reach
    // 0.05 s and leave 4e-9 over, so every third tick fires.
    EXPECT_EQ(start - media.get_channel_volume(31), 10.0);
    EXPECT_FALSE(kit.frames().time_out_group);
}
