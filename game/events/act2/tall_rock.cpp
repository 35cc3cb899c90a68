// The tall breakable rock the chasing snake smashes: struck (flag 6), it
// breaks into eight pieces each, which fly off with the push the hit gave
// it (its values X and Y) and a little scatter; the shared piece events
// move and remove them.
#include "audio/media.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "game/objects/classes.h"

namespace {

constexpr unsigned break_sample = 13;
constexpr double piece_gravity = 0.3;
constexpr LayerPoint piece_offsets[] = {{10, 10}, {30, 10}, {10, 30}, {30, 30},
                                        {10, 42}, {30, 42}, {10, 62}, {30, 62}};

void break_into_pieces(Frames& f, ObjectList& rocks, ObjectList& pieces)
{
    pieces.empty_selection();
    bool first = true;
    for_each_selected(rocks, [&](FrameObject* rock) {
        for (const LayerPoint& at : piece_offsets) {
            FrameObject* piece = create_breakablerockpiece_283(rock->x + at.x, rock->y + at.y);
            if (first)
                create_instance(f, pieces, piece, layer_index(*rock));
            else
                create_another(f, pieces, piece, layer_index(*rock));
            first = false;
        }
    });
}

// Piece i takes its speeds from kept rock i, wrapping round the rocks.
void throw_pieces(ObjectList& rocks, ObjectList& pieces)
{
    int i = 0;
    for_each_selected(pieces, [&](FrameObject* piece) {
        const FrameObject* rock = rocks.get_wrapped_selection(i++);
        set_value(piece, 'A', get_value(*rock, 'X') - 2 + randrange_event(2284, 4));
        set_value(piece, 'B', get_value(*rock, 'Y') - 4 + randrange_event(2284, 4));
        set_value(piece, 'D', piece->get_x());
        set_value(piece, 'E', piece->get_y());
        set_value(piece, 'C', piece_gravity);
        piece->set_angle(randrange_event(2284, 4) * 90, 0);
    });
}

}  // namespace

void Frames::event_func_2284()
{
    ObjectList& rocks = instances[types::BreakableRock2_404];
    if (!level_group_43 || !select(rocks, [](FrameObject* rock) { return get_flag(*rock, 6); }))
        return;
    media.play_id(break_sample, -1, 1);
    for_each_selected(rocks, [](FrameObject* rock) { rock->destroy(); });
    ObjectList& pieces = instances[types::BreakableRockPiece_283];
    break_into_pieces(*this, rocks, pieces);
    throw_pieces(rocks, pieces);
}
