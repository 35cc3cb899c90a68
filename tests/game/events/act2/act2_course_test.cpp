// The stand-in act 2 played from the gamepad, from its start to the act-end
// card: over the geysers, the loops and the half corkscrew into the boss
// arena, up the spring through the boss camera trigger, jumping at the
// snake's segments and then at its head until it is beaten, standing back
// while it breaks out, and down into the water to the right edge, where the
// card fades in and the act hands over; and the same last stretch from the
// later start that the chase's end leaves.
#include "console/pads.h"
#include "game/frames/event_support.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr int act2 = 5;
constexpr int arena_spring = 8520;  // before the boss camera triggers
constexpr int corkscrew_entry = 7192;
constexpr double hump_end = corkscrew_entry + 560;

struct Point {
    double x, y;
};

// What a player watching the screen goes by: run right, jump at what stands
// in the way or when stopped, stay low for the corkscrew and the arena's
// spring, and brake once over the corkscrew's hump (holding the direction
// would carry the ride on and on); in the fight, go for the nearest
// standing segment, or the head once none stands, and jump at it.
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
        const Frames& f = kit.frames();
        if (f.boss_fight_group && f.boss_fight_sub_group_3 && kit.global(4) < 10)
            return 0;  // the snake breaks out of the arena: stand back
        if (f.boss_fight_group && kit.global(4) < 10)
            if (const std::optional<Point> target = snake_target(at))
                return go_for(at, *target);
        const bool riding = EventKit::value(kit.instance(types::PlayerMovementValues_80), 'M') == 45;
        const uint32_t held = riding && at.x > hump_end ? VPAD_BUTTON_LEFT : VPAD_BUTTON_RIGHT;
        const bool keep_low =
            std::fabs(at.x - corkscrew_entry + 40) < 60 || (at.x > arena_spring - 200 && at.x < arena_spring);
        // Stopped (at a wall or a block): jump whatever.
        const bool jump = stuck(at) || (!keep_low && something_ahead(at));
        last_x = at.x;
        return held | jump_button(jump);
    }

private:
    uint32_t go_for(const Point& at, const Point& target)
    {
        const double dx = target.x - at.x;
        const uint32_t held = std::fabs(dx) <= 12 ? 0u : dx > 0 ? uint32_t(VPAD_BUTTON_RIGHT) : uint32_t(VPAD_BUTTON_LEFT);
        last_x = at.x;
        return held | jump_button(std::fabs(dx) < 48 && target.y > at.y - 130);
    }

    std::optional<Point> snake_target(const Point& at)
    {
        std::optional<Point> best;
        for (FrameObject* segment : kit.instances(types::BossSnakeBody_370)) {
            const Point p{double(segment->get_x()), double(segment->get_y())};
            if (!get_flag(*segment, 6) && (!best || std::fabs(p.x - at.x) < std::fabs(best->x - at.x)))
                best = p;
        }
        if (best)
            return best;
        if (FrameObject* hitbox = kit.instance(types::BossSnakeHitbox_383))
            return Point{double(hitbox->get_x()), double(hitbox->get_y())};
        return std::nullopt;
    }

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

TEST(Act2Course, the_act_plays_from_its_start_through_the_snake_fight_to_the_act_end_card)
{
    EventKit kit;
    kit.set_global(4, 0);
    kit.enter_frame(act2);
    Player player(kit);
    int corkscrew = 0, checkpoint = 0, fight = 0, segments_down = 0, chase = 0, chase_over = 0, card = 0;
    double respawn_x = 0, respawn_y = 0, progress_at_card = 0;
    play(kit, player, 8000, [&](int tick) {
        const Frames& f = kit.frames();
        note(corkscrew, EventKit::value(kit.instance(types::PlayerMovementValues_80), 'M') == 45, tick);
        note(checkpoint, kit.global(4) == 2, tick);
        if (checkpoint == tick) {
            respawn_x = kit.global(5);
            respawn_y = kit.global(6);
        }
        note(fight, f.boss_fight_group, tick);
        const std::vector<FrameObject*> segments = kit.instances(types::BossSnakeBody_370);
        note(segments_down, fight && !segments.empty() &&
                                std::all_of(segments.begin(), segments.end(),
                                            [](FrameObject* s) { return get_flag(*s, 6); }),
             tick);
        note(chase, f.boss_fight_sub_group_3, tick);
        note(chase_over, kit.global(4) == 10, tick);
        if (!card && kit.instance(types::LevelCardFade2_32)) {
            card = tick;
            progress_at_card = kit.global(4);
        }
        return false;
    });
    // The opening handed over; the ride lifted the player over its hump; the
    // checkpoint before the arena stored its respawn point.
    EXPECT_GT(corkscrew, 0);
    EXPECT_GT(checkpoint, corkscrew);
    EXPECT_EQ(respawn_x, 8000);
    EXPECT_EQ(respawn_y, 860);
    // The spring threw the player through the trigger; the seven segments
    // went down before the head's hitbox, whose defeat started the chase.
    EXPECT_GT(fight, checkpoint);
    EXPECT_GT(segments_down, fight);
    EXPECT_GT(chase, segments_down);
    // The chase's end stored the act's progress, and the card at the right
    // edge came after it and handed over to the next frame.
    EXPECT_GT(chase_over, chase);
    EXPECT_GT(card, chase_over);
    EXPECT_EQ(progress_at_card, 10);
    EXPECT_EQ(kit.frames().index, act2 + 1);
}

TEST(Act2Course, a_start_after_the_snake_runs_down_into_the_water_to_the_act_end_card_and_hands_over)
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
