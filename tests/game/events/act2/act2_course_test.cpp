// The stand-in act 2 played from the gamepad, in its two stretches: from the
// start over the geysers, the loops and the half corkscrew into the boss
// arena, whose right marker holds the player until the snake is beaten; and
// from the later start that the chase's end leaves, down into the water to
// the right edge, where the card fades in and the act hands over.
#include "console/pads.h"
#include "game/frames/event_support.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int act2 = 5;
constexpr int arena_spring = 8568;  // under the boss camera triggers
constexpr int corkscrew_entry = 7192;
constexpr double hump_end = corkscrew_entry + 560;

struct Point {
    double x, y;
};

// What a player watching the screen goes by: run right, jump at what stands
// in the way or when stopped, stay low for the corkscrew, and brake once
// over its hump (holding the direction would carry the ride on and on).
class Player {
public:
    explicit Player(EventKit& kit) : kit(kit) {}

    Point position() const
    {
        const FrameObject* values = kit.instance(types::PlayerMovementValues_80);
        return {EventKit::value(values, 'X'), EventKit::value(values, 'Y')};
    }

    uint32_t buttons()
    {
        const Point at = position();
        const bool riding = EventKit::value(kit.instance(types::PlayerMovementValues_80), 'M') == 45;
        const uint32_t held = riding && at.x > hump_end ? VPAD_BUTTON_LEFT : VPAD_BUTTON_RIGHT;
        const bool keep_low =
            std::fabs(at.x - corkscrew_entry + 40) < 60 || (at.x > arena_spring - 200 && at.x < arena_spring);
        // Stopped (at a wall, or at the arena's spring): jump whatever.
        const bool jump = stuck(at) || (!keep_low && something_ahead(at));
        last_x = at.x;
        return held | jump_button(jump);
    }

private:
    // A jump is a press held for a while, let go before the next.
    uint32_t jump_button(bool want)
    {
        if (jump_ticks > 0) {
            --jump_ticks;
            return jump_ticks > 6 ? uint32_t(VPAD_BUTTON_A) : 0u;
        }
        if (!want)
            return 0;
        jump_ticks = 20;
        return VPAD_BUTTON_A;
    }

    bool stuck(const Point& at)
    {
        still_ticks = std::fabs(at.x - last_x) < 0.5 ? still_ticks + 1 : 0;
        return still_ticks > 15;
    }

    // An enemy or spikes a short run ahead.
    bool something_ahead(const Point& at)
    {
        for (QualifierIterator it(kit.frames().qualifier_17); !it.done(); ++it)
            if (!get_flag(**it, 6) && near_ahead(at, **it, 96))
                return true;
        for (FrameObject* spikes : kit.instances(types::HazardSpikesUp_133))
            if (near_ahead(at, *spikes, 64))
                return true;
        return false;
    }

    static bool near_ahead(const Point& at, const FrameObject& thing, double reach)
    {
        const double dx = thing.get_x() - at.x, dy = thing.get_y() - at.y;
        return dx > 0 && dx < reach && std::fabs(dy) < 80;
    }

    EventKit& kit;
    double last_x = 0;
    int still_ticks = 0;
    int jump_ticks = 0;
};

// The tick at which a run first met a condition (0: never).
void note(int& tick_met, bool met, int tick)
{
    if (!tick_met && met)
        tick_met = tick;
}

// Plays until `done(tick)` holds, the act is left or `ticks` have passed.
template <class Done>
void play(EventKit& kit, Player& player, int ticks, Done done)
{
    for (int tick = 1; tick <= ticks; ++tick) {
        kit.hold(player.buttons());
        kit.run(1);
        if (kit.frames().index != act2 || done(tick))
            return;
    }
}

}  // namespace

TEST(Act2Course, from_its_start_the_act_runs_through_the_corkscrew_and_the_checkpoint_into_the_boss_arena)
{
    EventKit kit;
    kit.set_global(4, 0);
    kit.enter_frame(act2);
    Player player(kit);
    int corkscrew = 0, checkpoint = 0;
    play(kit, player, 4000, [&](int tick) {
        note(corkscrew, EventKit::value(kit.instance(types::PlayerMovementValues_80), 'M') == 45, tick);
        note(checkpoint, kit.global(4) == 2, tick);
        return player.position().x > 8800;
    });
    ASSERT_EQ(kit.frames().index, act2);
    // The opening handed over, the ride lifted the player over its hump, and
    // the checkpoint before the arena stored its respawn point.
    EXPECT_GT(corkscrew, 0);
    EXPECT_GT(checkpoint, corkscrew);
    EXPECT_EQ(kit.global(5), 8000);
    EXPECT_EQ(kit.global(6), 860);
    // Inside the arena, whose right marker holds the player until the snake
    // is beaten.
    EXPECT_GT(player.position().x, 8800);
    play(kit, player, 240, [](int) { return false; });
    EXPECT_LT(player.position().x, 9039);
    EXPECT_EQ(kit.frames().index, act2);
}

TEST(Act2Course, after_the_snake_the_act_runs_down_into_the_water_to_the_act_end_card_and_hands_over)
{
    // The act as a restart after the chase finds it: the progress the chase's
    // end stored, the respawn point past the arena.
    EventKit kit;
    kit.set_global(4, 10);
    kit.set_global(5, 9186);
    kit.set_global(6, 882);
    kit.enter_frame(act2);
    Player player(kit);
    int card = 0;
    bool under_water = false;
    double progress_at_card = 0;
    play(kit, player, 3000, [&](int tick) {
        under_water = under_water || EventKit::value(kit.instance(types::PlayerOthers_75), 'H') == 1;
        if (!card && kit.instance(types::LevelCardFade2_32)) {
            card = tick;
            progress_at_card = kit.global(4);
        }
        return false;
    });
    // Down the slopes into the water, to the right edge: the card, then the
    // next frame.
    EXPECT_TRUE(under_water);
    EXPECT_GT(card, 0);
    EXPECT_EQ(progress_at_card, 10);
    EXPECT_EQ(kit.frames().index, act2 + 1);
}
