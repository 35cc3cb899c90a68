// Breakable rocks: passable while the player rolls, spins or rides fast;
// broken by an attack with the big sensors (once the cool-down is over),
// by a thunder spark whatever the cool-down, or by an item box's icon on its
// frame 9; each breaks once, with the sound, into four pieces that fly,
// fall, spin and go once they are well below the view.
#include "game/objects/type_ids.h"
#include "objects/active.h"
#include "tests/game/events/act1_frame/act1_start_kit.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

double v(const FrameObject* object, char letter) { return EventKit::value(object, letter); }
void set(FrameObject* object, char letter, double number) { EventKit::set_value(object, letter, number); }

struct RockScene {
    FrameObject* values = nullptr;
    FrameObject* others = nullptr;
};

RockScene enter_rock_scene(EventKit& kit)
{
    RockScene s;
    EmptyFrame frame = act1_test::act_frame(
        [&](Frames&) {
            s.values = kit.place("PlayerMovementValues_80", -500, -500);
            s.others = kit.place("PlayerOthers_75", -500, -500);
        },
        nullptr);
    frame.handler = [](Frames& f) {
        f.set_display_center(400, 400);
        for (auto event : {&Frames::event_func_1887, &Frames::event_func_1888, &Frames::event_func_1889,
                           &Frames::event_func_1890, &Frames::event_func_1891, &Frames::event_func_1892,
                           &Frames::event_func_1893, &Frames::event_func_1894})
            (f.*event)();
    };
    kit.enter_empty_frame(frame);
    kit.take_sounds();
    return s;
}

bool destroyed(const FrameObject* object) { return object->flags & FrameObject::DESTROYING; }

// The pieces made by the last break, oldest first: made at the rock's
// corners and moved once in the same tick; their launch speeds lie within
// the breaking rock's less 2 .. plus 1 and less 4 .. less 1, their start
// angle a quarter turn.
std::vector<FrameObject*> check_pieces(EventKit& kit, const FrameObject* rock, size_t first)
{
    std::vector<FrameObject*> pieces = kit.instances(types::BreakableRockPiece_283);
    pieces.erase(pieces.begin(), pieces.begin() + long(first));
    EXPECT_EQ(pieces.size(), 4u);
    const int offsets[4][2] = {{10, 10}, {30, 10}, {10, 30}, {30, 30}};
    for (size_t i = 0; i < pieces.size(); ++i) {
        FrameObject* piece = pieces[i];
        const double a = v(piece, 'A'), b = v(piece, 'B');
        EXPECT_EQ(v(piece, 'D') - a, rock->get_x() + offsets[i][0]);
        EXPECT_NEAR(v(piece, 'E') - b, rock->get_y() + offsets[i][1], 1e-9);
        EXPECT_EQ(piece->get_x(), int(v(piece, 'D')));
        EXPECT_EQ(piece->get_y(), int(v(piece, 'E')));
        const double dx = a - (v(rock, 'X') - 2), dy = std::round(b - 0.3) - (v(rock, 'Y') - 4);
        EXPECT_TRUE(dx >= 0 && dx <= 3 && dx == std::floor(dx)) << dx;
        EXPECT_TRUE(dy >= 0 && dy <= 3 && dy == std::floor(dy)) << dy;
        EXPECT_EQ((static_cast<Active*>(piece)->get_angle() - int(a)) % 90, 0);
    }
    return pieces;
}

}  // namespace

TEST(BreakableRocks, a_rock_is_passable_only_while_the_player_rolls_spins_or_rides_fast)
{
    EventKit kit;
    RockScene s = enter_rock_scene(kit);
    FrameObject* rock = kit.place("BreakableRock_282", 500, 500, 2);
    struct Case {
        double mode, character, speed;
        bool passable;
    };
    for (const Case c : {Case{4, 0, 9, false}, {5, 0, 0, true}, {6, 0, 0, true}, {7, 0, 0, false},
                         {26, 0, 0, true}, {0, 3, -5.5, true}, {0, 3, 5, false}, {0, 2, 8, false}}) {
        for (const auto& [letter, number] : {std::pair{'M', c.mode}, {'A', c.character}, {'B', c.speed}})
            set(s.values, letter, number);
        kit.run(1);
        EXPECT_EQ(EventKit::flag(rock, 0), c.passable) << c.mode << " " << c.character << " " << c.speed;
    }
    EXPECT_FALSE(destroyed(rock));
}

TEST(BreakableRocks, attacks_break_rocks_once_into_four_flying_pieces_and_the_cool_down_holds_off_the_sensors)
{
    EventKit kit;
    RockScene s = enter_rock_scene(kit);
    FrameObject* rock = kit.place("BreakableRock_282", 500, 500, 2);
    kit.place("PlayerSensorRightBig_91", 505, 505, 2);
    kit.place("PlayerSensorBottomBig_95", 505, 505, 2);
    for (const auto& [letter, number] : {std::pair{'Z', 0.0}, {'B', 4.0}, {'Q', -1.0}, {'G', -2.0}})
        set(s.values, letter, number);
    // Touching without attacking breaks nothing.
    kit.run(2);
    EXPECT_FALSE(destroyed(rock));
    // Attacking with the side and the bottom sensor at once breaks it once:
    // the side's break (|4 x 1.5| = 6 to the facing side, half the vertical
    // speed) starts the cool-down, which the bottom's event then finds.
    set(s.values, 'Z', 1);
    kit.run(1);
    EXPECT_TRUE(destroyed(rock));
    EXPECT_EQ(EventKit::values(rock, "XY"), doubles(-6, -1));
    EXPECT_EQ(v(s.others, 'K'), 5);
    EXPECT_EQ(sample_count(kit.take_sounds(), 13), 1);
    std::vector<FrameObject*> pieces = check_pieces(kit, rock, 0);
    // The pieces fly: speed, then position from it, and a turn by A.
    FrameObject* piece = pieces[0];
    const double a = v(piece, 'A'), b = v(piece, 'B'), d = v(piece, 'D'), e = v(piece, 'E');
    const int angle = static_cast<Active*>(piece)->get_angle();
    kit.run(1);
    EXPECT_EQ(EventKit::values(piece, "BDE"), doubles(b + 0.3, d + a, e + (b + 0.3)));
    EXPECT_EQ(piece->get_x(), int(d + a));
    EXPECT_EQ(piece->get_y(), int(e + (b + 0.3)));
    EXPECT_EQ(static_cast<Active*>(piece)->get_angle(), (angle + int(a)) % 360);

    // Within the cool-down the sensors break nothing, a thunder spark does
    // (a side launch at least 3) and leaves the cool-down alone.
    FrameObject* second = kit.place("BreakableRock_282", 500, 500, 2);
    set(s.values, 'B', 1);
    kit.run(1);
    EXPECT_FALSE(destroyed(second));
    kit.place("ThunderSpark_192", 505, 505, 2);
    kit.run(1);
    EXPECT_TRUE(destroyed(second));
    EXPECT_EQ(EventKit::values(second, "XY"), doubles(-3, -1));
    EXPECT_EQ(v(s.others, 'K'), 5);
    check_pieces(kit, second, 4);

    // Pieces go once they are 320 below the view's top, not before.
    for (int tick = 0; tick < 200 && !kit.instances(types::BreakableRockPiece_283).empty(); ++tick) {
        for (FrameObject* falling : kit.instances(types::BreakableRockPiece_283))
            ASSERT_TRUE(destroyed(falling) || v(falling, 'E') <= kit.frames().new_display_y + 320);
        kit.run(1);
    }
    EXPECT_TRUE(kit.instances(types::BreakableRockPiece_283).empty());
}

TEST(BreakableRocks, an_item_box_icon_breaks_the_rocks_it_touches_on_its_frame_9)
{
    EventKit kit;
    RockScene s = enter_rock_scene(kit);
    FrameObject* rock = kit.place("BreakableRock_282", 500, 500, 2);
    auto* icon = static_cast<Active*>(kit.place("MonitorIcon_125", 505, 505, 2));
    set(s.others, 'K', 2);
    icon->force_frame(8);
    kit.run(1);
    EXPECT_FALSE(destroyed(rock));
    icon->force_frame(9);
    kit.run(1);
    EXPECT_TRUE(destroyed(rock));
    EXPECT_EQ(v(s.others, 'K'), 5);
    EXPECT_EQ(v(rock, 'Y'), -3);
    EXPECT_TRUE(v(rock, 'X') >= -2 && v(rock, 'X') <= 2);
    for (FrameObject* piece : check_pieces(kit, rock, 0))
        EXPECT_TRUE(v(piece, 'B') - 0.3 >= -7 - 1e-9 && v(piece, 'B') - 0.3 <= -4 + 1e-9) << v(piece, 'B');
}
