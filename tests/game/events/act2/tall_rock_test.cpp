// The tall rock breaks when struck into eight pieces each, which take their
// speeds from the struck rocks in turn, with a little scatter.
#include "tests/game/events/act2/act2_stage.h"

using act2_stage::Act2Stage;

TEST_F(Act2Stage, struck_tall_rocks_break_into_eight_pieces_each)
{
    enter({&Frames::event_func_2284});
    FrameObject* left = kit.place("BreakableRock2_404", 100, 100);
    FrameObject* right = kit.place("BreakableRock2_404", 250, 100, 1);
    FrameObject* whole = kit.place("BreakableRock2_404", 350, 100);
    kit.run(1);
    EXPECT_TRUE(kit.instances(types::BreakableRockPiece_283).empty());
    for (FrameObject* rock : {left, right}) {
        set_flag(rock, 6, true);
        EventKit::set_value(rock, 'X', rock == left ? -6 : 20);
        EventKit::set_value(rock, 'Y', rock == left ? 0 : 40);
    }
    kit.run(1);
    EXPECT_EQ(sounds(), std::vector<unsigned>{13});
    for (FrameObject* rock : {left, right, whole})
        EXPECT_EQ(bool(rock->flags & FrameObject::DESTROYING), rock != whole);
    std::vector<FrameObject*> pieces = kit.instances(types::BreakableRockPiece_283);
    ASSERT_EQ(pieces.size(), 16u);
    // Oldest first: the newer rock's pieces were made first, at its corner plus the offsets.
    EXPECT_EQ(std::make_pair(pieces[0]->get_x(), pieces[0]->get_y()), std::make_pair(260, 110));
    EXPECT_EQ(std::make_pair(pieces[15]->get_x(), pieces[15]->get_y()), std::make_pair(130, 162));
    EXPECT_EQ(pieces[0]->layer->index, 1);
    // Piece i of the selection (newest first) takes kept rock i mod 2's push
    // (the newer rock first), so the pieces alternate whatever rock they came from.
    for (size_t k = 0; k < pieces.size(); ++k) {
        const double a = EventKit::value(pieces[k], 'A'), b = EventKit::value(pieces[k], 'B');
        if (k % 2 == 0)
            EXPECT_TRUE(a >= -8 && a <= -5 && b >= -4 && b <= -1) << k << " " << a << " " << b;
        else
            EXPECT_TRUE(a >= 18 && a <= 21 && b >= 36 && b <= 39) << k << " " << a << " " << b;
        EXPECT_EQ(EventKit::values(pieces[k], "DEC"), doubles(pieces[k]->get_x(), pieces[k]->get_y(), 0.3));
        EXPECT_EQ(pieces[k]->get_angle() % 90, 0);
    }
}
