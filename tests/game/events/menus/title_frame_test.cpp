// The Title Screen: its scene and music, the star backdrop, the random star
// field, the fade-in and prompt, the confirm press, the time-out and the way
// out to How To Play.
#include "audio/media.h"
#include "console/pads.h"
#include "game/frames/event_index.h"
#include "objects/active.h"
#include "objects/counter.h"
#include "objects/textblitter.h"
#include "tests/game/events/menus/menu_kit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <tuple>
#include <utility>

namespace {

const std::string title_music = "Data/BGM/m_title.ogg";

// The title's frame index.
constexpr int title = 1;

int live(EventKit& kit, int type)
{
    int count = 0;
    for (FrameObject* object : kit.instances(type))
        count += !(object->flags & FrameObject::DESTROYING);
    return count;
}

// Enters the title with the music channel idle, then runs until the prompt
// is shown (the 32nd tick).
void enter_until_prompt(EventKit& kit)
{
    enter_with_music_idle(kit, title);
    kit.run(31);
    ASSERT_TRUE(kit.instance(types::PressStart_36)->flags & FrameObject::VISIBLE);
}

// The confirm press as the shared input events leave it for the next tick.
void confirm(EventKit& kit, char letter = 'K')
{
    kit.set_value(kit.instance(letter == 'P' ? types::InputsP1_23 : types::PlayerInput_21), letter, 1);
    kit.run(1);
}

// The events' random sequence, worked out here on its own.
struct Sequence {
    uint32_t seed;
    int below(int n)
    {
        seed = seed * 214013u + 2531011u;
        return int((unsigned(n) * ((seed >> 16) & 0x7FFFu)) >> 15);
    }
};

}  // namespace

TEST(TitleSetUp, builds_the_scene_fades_in_and_starts_the_music_on_the_channel_of_global_25)
{
    EventKit kit;
    media.set_channel_volume(4, 30);
    kit.set_global(25, 5);
    enter_with_music_idle(kit, title);
    Frames& frames = kit.frames();
    EXPECT_EQ(media.get_channel_volume(4), 100);

    const std::vector<SoundStart> sounds = kit.take_sounds();
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_NE(sounds[0].path.find(title_music), std::string::npos) << sounds[0].path;
    EXPECT_EQ(sounds[0].channel, 31);
    EXPECT_EQ(sounds[0].loops, 0);

    EXPECT_EQ(static_cast<Counter*>(kit.instance(types::Speed_38))->value, 5);
    EXPECT_EQ(static_cast<TextBlitter*>(kit.instance(types::HelpMessage6_48))->text, "Rored Azezara");
    EXPECT_FALSE(kit.instance(types::PressStart_36)->flags & FrameObject::VISIBLE);
    EXPECT_DOUBLE_EQ(kit.value(kit.instance(types::Moon_41), 'A'), 180 - 0.08);
    EXPECT_EQ(kit.global(3), 1);
    // The placed star has no depth: it is gone on the first tick, and one
    // new star flies.
    EXPECT_EQ(live(kit, types::Stars_39), 1);
    EXPECT_EQ(kit.value(kit.instance(types::Stars_39), 'C'), 256);

    // The overlay loses 8 alpha steps a tick and is clear on the 32nd, when
    // the prompt shows.
    FrameObject* overlay = kit.instance(types::Fade_40);
    std::vector<int> alphas{overlay->blend_color.a};
    for (int tick = 2; tick <= 32; ++tick) {
        EXPECT_FALSE(kit.instance(types::PressStart_36)->flags & FrameObject::VISIBLE) << tick;
        kit.run(1);
        alphas.push_back(overlay->blend_color.a);
    }
    EXPECT_EQ(alphas.front(), 248);
    EXPECT_EQ(alphas[15], 128);
    EXPECT_EQ(alphas.back(), 0);
    EXPECT_TRUE(kit.instance(types::PressStart_36)->flags & FrameObject::VISIBLE);
    EXPECT_FALSE(overlay->flags & FrameObject::VISIBLE);
    EXPECT_TRUE(frames.prompt_group);
    EXPECT_FALSE(frames.fade_in_group);

    // A second visit while the music plays leaves it and the volume alone.
    media.set_channel_volume(4, 30);
    kit.enter_frame(title);
    EXPECT_TRUE(kit.take_sounds().empty());
    EXPECT_TRUE(media.is_channel_playing(31));
    EXPECT_EQ(media.get_channel_volume(4), 30);
}

TEST(TitleSetUp, global_19_places_the_view_and_the_planet)
{
    EventKit kit;
    const std::map<int, std::pair<int, int>> placements = {
        {0, {213, 269}}, {1, {160, 216}}, {2, {107, 163}}, {3, {54, 110}},
        {4, {1, 57}},    {5, {0, 56}},    {9, {0, 56}},    {-1, {214, 270}}};
    for (const auto& [g19, expected] : placements) {
        kit.set_global(19, g19);
        kit.enter_frame(title);
        EXPECT_EQ(kit.frames().new_display_x, expected.first) << g19;
        EXPECT_EQ(kit.frames().display_y, 0) << g19;
        EXPECT_EQ(kit.instance(types::VireviLunmere_37)->get_x(), expected.second) << g19;
    }
}

TEST(TitleSetUp, the_planet_drifts_and_the_moon_circles_it)
{
    EventKit kit;
    kit.set_global(19, 2);
    kit.enter_frame(title);
    FrameObject* p = kit.instance(types::VireviLunmere_37);
    std::vector<int> left_at, down_at;
    int x = p->get_x(), y = p->get_y();
    for (int i = 0; i < 110; ++i) {
        kit.run(1);
        if (p->get_x() != x)
            left_at.push_back(int(kit.global(3)));
        if (p->get_y() != y)
            down_at.push_back(int(kit.global(3)));
        EXPECT_LE(p->get_x(), x);
        EXPECT_GE(p->get_y(), y);
        x = p->get_x();
        y = p->get_y();
    }
    EXPECT_EQ(left_at, (std::vector<int>{20, 60, 100}));
    EXPECT_EQ(down_at, (std::vector<int>{30, 69, 108}));
    // The moon sits 48 pixels from the planet at its angle.
    FrameObject* m = kit.instance(types::Moon_41);
    const double angle = kit.value(m, 'A');
    EXPECT_NEAR(angle, 180 - 0.08 * 111, 1e-9);
    EXPECT_EQ(m->get_x(), int(p->get_x() + std::sin(angle / 57.29577951308232) * 48));
    EXPECT_EQ(m->get_y(), int(p->get_y() + std::cos((angle + 30) / 57.29577951308232) * 48));
}

TEST(TitleStars, the_backdrop_is_the_same_field_on_every_visit)
{
    EventKit kit;
    kit.enter_frame(title);
    // On the screen: the stars do not scroll with the view.
    auto field = [&] {
        std::vector<std::tuple<int, int, int>> placed;
        for (FrameObject* s : kit.instances(types::TitleStar_43))
            placed.emplace_back(int(kit.value(s, 'A')), s->get_x() - kit.frames().display_x, s->get_y());
        return placed;
    };
    const auto first = field();
    ASSERT_EQ(first.size(), 250u);
    EXPECT_EQ(first[0], std::make_tuple(0, 213, 0));
    EXPECT_EQ(first[1], std::make_tuple(1, 214, 0));
    EXPECT_EQ(first[2], std::make_tuple(2, 53, 4));
    EXPECT_EQ(first[3], std::make_tuple(3, 395, 12));
    EXPECT_EQ(first[4], std::make_tuple(4, 225, 24));
    // The eighth power of a large index exceeds 2^53: only an exact
    // square-and-multiply gives these three places.
    EXPECT_EQ(first[101], std::make_tuple(101, 204, 41));
    EXPECT_EQ(first[206], std::make_tuple(206, 306, 112));
    EXPECT_EQ(first[214], std::make_tuple(214, 120, 159));
    // The window from half the width to the right edge holds 139 of them.
    EXPECT_EQ(std::count_if(first.begin(), first.end(),
                            [](const auto& star) {
                                const int y = std::get<2>(star);
                                return std::get<1>(star) > 213 && y > 0 && y < 240;
                            }),
              139);
    const auto all = kit.instances(types::TitleStar_43);
    for (size_t k = 1; k < all.size(); ++k)
        ASSERT_LT(all[k]->depth, all[k - 1]->depth) << "each new star goes behind the earlier ones";
    // The look follows the pass index, 21 frames round.
    EXPECT_EQ(static_cast<Active*>(all[25])->get_frame(), 4);

    // The stars on the view's border go on the first tick; the view moves
    // at its end, under the stars, and the second tick takes those it left
    // on the border. The rest stay.
    EXPECT_TRUE(all[0]->flags & FrameObject::DESTROYING);
    EXPECT_FALSE(all[3]->flags & FrameObject::DESTROYING);
    kit.run(1);
    const int kept = live(kit, types::TitleStar_43);
    EXPECT_GT(kept, 100);
    kit.run(5);
    EXPECT_EQ(live(kit, types::TitleStar_43), kept);

    kit.enter_frame(title);
    EXPECT_EQ(field(), first);
}

TEST(TitleStars, a_zero_view_width_puts_every_star_on_the_left_edge)
{
    EventKit kit;
    kit.set_global(16, 0);
    kit.enter_frame(title);
    const auto all = kit.instances(types::TitleStar_43);
    ASSERT_EQ(all.size(), 250u);
    for (FrameObject* s : all) {
        EXPECT_EQ(s->get_x() - kit.frames().display_x, 0);
        EXPECT_TRUE(s->flags & FrameObject::DESTROYING) << "on the border";
    }
    EXPECT_EQ(all[3]->get_y(), 12);
    kit.run(1);
    EXPECT_TRUE(kit.instances(types::TitleStar_43).empty());
}

TEST(TitleStarField, new_stars_draw_from_the_title_sequence_which_carries_over_visits)
{
    EventKit kit;
    RandomState& state = event_random_state(257);
    state.seed = 12345;
    Sequence expected{12345};
    kit.enter_frame(title);

    FrameObject* star = kit.instance(types::Stars_39);
    const int a = expected.below(320) - 20;
    const int b = expected.below(240) - 220;
    EXPECT_EQ(EventKit::values(star, "ABC"), doubles(a, b, 256));
    // Placed only on the next tick.
    EXPECT_EQ(star->get_x(), 136);
    EXPECT_EQ(star->get_y(), -9);
    kit.run(1);
    FrameObject* centre = kit.instance(types::VireviLunmere_37);
    EXPECT_EQ(kit.value(star, 'C'), 251);
    EXPECT_EQ(star->get_x(), int(centre->get_action_x() + 256.0 * a / 251));
    EXPECT_EQ(star->get_y(), int(centre->get_action_y() + 256.0 * b / 251));
    EXPECT_EQ(star->get_direction(), 31);
    // One star a tick, two draws each.
    for (int k = 0; k < 2; ++k)
        expected.below(1);
    EXPECT_EQ(state.seed, expected.seed);

    // A new visit goes on from where the last left off.
    kit.enter_frame(title);
    FrameObject* next = kit.instance(types::Stars_39);
    EXPECT_EQ(kit.value(next, 'A'), expected.below(320) - 20);
    EXPECT_EQ(kit.value(next, 'B'), expected.below(240) - 220);
}

TEST(TitleStarField, holds_at_most_81_stars_and_drops_those_past_the_viewer)
{
    EventKit kit;
    kit.enter_frame(title);
    static_cast<Counter*>(kit.instance(types::Speed_38))->value = 1;
    kit.run(79);
    EXPECT_EQ(live(kit, types::Stars_39), 80);
    kit.run(1);
    EXPECT_EQ(live(kit, types::Stars_39), 81);
    kit.run(20);
    EXPECT_EQ(live(kit, types::Stars_39), 81);

    // At speed 5 a star lives 52 ticks.
    kit.enter_frame(title);
    FrameObject* star = kit.instance(types::Stars_39);
    kit.run(51);
    EXPECT_FALSE(star->flags & FrameObject::DESTROYING);
    EXPECT_EQ(kit.value(star, 'C'), 1);
    kit.run(1);
    EXPECT_TRUE(star->flags & FrameObject::DESTROYING);
}

TEST(TitlePrompt, pulses_every_90_ticks_once_shown)
{
    EventKit kit;
    enter_until_prompt(kit);
    FrameObject* prompt = kit.instance(types::PressStart_36);
    EXPECT_EQ(kit.value(prompt, 'D'), 4);
    EXPECT_EQ(prompt->blend_color.a, 0);
    kit.run(44);  // D = 180: opaque
    EXPECT_EQ(kit.value(prompt, 'D'), 180);
    EXPECT_EQ(prompt->blend_color.a, 255);
    kit.run(22);  // D = 268
    EXPECT_EQ(prompt->blend_color.a, 256 - 2 * int(std::cos(268 / 57.29577951308232) * 128 + 64));
    kit.run(23);  // D reaches 360 and wraps
    EXPECT_EQ(kit.value(prompt, 'D'), 0);
    kit.run(1);
    EXPECT_EQ(kit.value(prompt, 'D'), 4);
}

TEST(TitleConfirm, a_press_plays_the_confirm_shakes_and_leaves_for_how_to_play)
{
    EventKit kit;
    enter_until_prompt(kit);
    kit.run(9);  // tick 41
    kit.take_sounds();
    Frames& frames = kit.frames();
    FrameObject* prompt = kit.instance(types::PressStart_36);
    FrameObject* overlay = kit.instance(types::Fade_40);
    kit.set_global(0, 7);

    confirm(kit);  // tick 42
    EXPECT_EQ(sample_count(kit.take_sounds(), 79), 1);
    EXPECT_EQ(prompt->get_direction(), 1);
    EXPECT_EQ(prompt->blend_color.a, 255);
    EXPECT_TRUE(overlay->flags & FrameObject::VISIBLE);
    EXPECT_EQ(overlay->get_direction(), 0);
    EXPECT_EQ(media.get_channel_volume(31), 59);
    EXPECT_EQ(EventKit::values(prompt, "XY"), doubles(320, 175));

    // The shake: 13 ticks from amplitude 5 down by 0.4, then still.
    std::vector<std::pair<int, int>> shaken{{prompt->get_x(), prompt->get_y()}};
    for (int k = 0; k < 13; ++k) {
        kit.run(1);
        shaken.emplace_back(prompt->get_x(), prompt->get_y());
    }
    EXPECT_EQ(shaken[0], std::make_pair(320, 172));
    EXPECT_EQ(shaken[1], std::make_pair(315, 174));
    EXPECT_EQ(shaken[12], shaken[13]);
    EXPECT_NE(shaken[11], shaken[12]);
    EXPECT_EQ(kit.value(prompt, 'Z'), 0);
    EXPECT_EQ(media.get_channel_volume(31), 46);

    // The confirm sequence (20 frame steps) ends, and the title leaves.
    int left_at = -1;
    while (kit.tick() < 120 && left_at < 0) {
        kit.run(1);
        if (frames.leave_group)
            left_at = kit.tick();
    }
    ASSERT_EQ(left_at, 83);
    EXPECT_EQ(prompt->get_direction(), 2);
    EXPECT_FALSE(frames.prompt_group);
    EXPECT_EQ(kit.value(overlay, 'A'), 30);
    EXPECT_EQ(overlay->blend_color.a, 256 - 2 * 120);
    kit.run(14);  // A = 2: opaque from A = 0 on
    EXPECT_EQ(overlay->blend_color.a, 256 - 2 * 8);
    kit.run(1);
    EXPECT_EQ(overlay->blend_color.a, 255);

    // 66 ticks after leaving began.
    while (frames.next_frame == -1 && kit.tick() < 200)
        kit.run(1);
    EXPECT_EQ(kit.tick(), left_at + 65);
    EXPECT_EQ(frames.next_frame, 8);
    EXPECT_EQ(EventKit::values(overlay, "AB"), doubles(-100, 33));
    EXPECT_EQ(kit.global(0), 0);
    EXPECT_FALSE(media.is_channel_playing(31));
    EXPECT_EQ(media.get_channel_volume(31), 0);
}

TEST(TitleConfirm, only_after_the_fade_in_does_any_confirm_value_or_the_gamepads_A_answer)
{
    EventKit kit;
    kit.enter_frame(title);
    kit.run(10);
    kit.take_sounds();
    confirm(kit);
    kit.run(5);
    EXPECT_EQ(kit.instance(types::PressStart_36)->get_direction(), 0);
    EXPECT_EQ(sample_count(kit.take_sounds(), 79), 0);

    for (char letter : {'L', 'P', 'Q', 'A'}) {
        EventKit kit;
        enter_until_prompt(kit);
        kit.take_sounds();
        if (letter == 'A')
            kit.press(VPAD_BUTTON_A, 2);  // through the shipped bindings and the shared input events
        else
            confirm(kit, letter);
        EXPECT_EQ(kit.instance(types::PressStart_36)->get_direction(), 1) << letter;
        EXPECT_EQ(sample_count(kit.take_sounds(), 79), 1) << letter;
    }
}

TEST(TitleTimeOut, left_alone_the_title_gives_up_after_32_seconds)
{
    EventKit kit;
    media.stop_channel(31);
    kit.enter_frame(title);
    Frames& frames = kit.frames();
    FrameObject* prompt = kit.instance(types::PressStart_36);
    kit.run(1919);
    EXPECT_LT(frames.frame_time, 32.0);
    EXPECT_TRUE(frames.prompt_group);
    EXPECT_EQ(prompt->get_direction(), 0);

    kit.run(1);  // tick 1921: the timer reaches 32 s
    EXPECT_GE(frames.frame_time, 32.0);
    EXPECT_FALSE(frames.prompt_group);
    EXPECT_TRUE(frames.leave_group);
    EXPECT_EQ(prompt->get_direction(), 2);
    EXPECT_FALSE(prompt->flags & FrameObject::VISIBLE);
    EXPECT_TRUE(kit.instance(types::Fade_40)->flags & FrameObject::VISIBLE);
    EXPECT_EQ(kit.value(kit.instance(types::Fade_40), 'A'), 30);

    kit.run(64);
    EXPECT_EQ(frames.next_frame, -1);
    kit.run(1);  // tick 1986
    EXPECT_EQ(frames.next_frame, 8);
    EXPECT_FALSE(media.is_channel_playing(31));
    kit.run(1);
    EXPECT_EQ(frames.index, 8);
}

TEST(TitleTimeOut, wins_over_a_confirm_press_in_the_same_tick_and_cuts_a_confirm_sequence_short)
{
    for (const int confirm_ticks_before : {0, 6}) {
        EventKit kit;
        enter_until_prompt(kit);
        kit.take_sounds();
        if (confirm_ticks_before) {
            confirm(kit);
            kit.run(confirm_ticks_before - 1);
            kit.take_sounds();
        }
        kit.frames().frame_time = 31.999;
        if (confirm_ticks_before)
            kit.run(1);
        else
            confirm(kit);
        FrameObject* prompt = kit.instance(types::PressStart_36);
        EXPECT_EQ(prompt->get_direction(), 2) << confirm_ticks_before;
        EXPECT_FALSE(prompt->flags & FrameObject::VISIBLE);
        EXPECT_TRUE(kit.frames().leave_group);
        EXPECT_EQ(sample_count(kit.take_sounds(), 79), 0);
    }
}
