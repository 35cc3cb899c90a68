// Pushable blocks are kept out of walls and seated on the floor, a pixel a
// tick at most each way. The loop runs once per block; each pass handles
// the block whose number (I) is the pass, probing single background pixels
// around the first such block.
#include "game/frames/event_support.h"
#include "game/frames/frames.h"

namespace {

// The block's box in frame pixels: right and bottom are one past its last
// column and row.
struct Box {
    int left, top, right, bottom;
};

// The blocks taking part (flag 3) that this pass serves, and the box of the
// first of them; false when there is none.
bool select_block(Frames& frames, Box& box)
{
    const double pass = frames.fast_loop_iterate_pushables.index;
    QualifierList& blocks = frames.qualifier_8;
    if (!select(blocks, [pass](FrameObject* b) { return get_flag(*b, 3) && get_value(*b, 'I') == pass; }))
        return false;
    const FrameObject* first = blocks.back_selection();
    box = {first->get_box_index(0), first->get_box_index(1), first->get_box_index(2), first->get_box_index(3)};
    return true;
}

void move_blocks(Frames& frames, int dx, int dy, bool mark_moved)
{
    for_each_selected(frames.qualifier_8, [=](FrameObject* block) {
        block->set_x(block->get_x() + dx);
        block->set_y(block->get_y() + dy);
        if (mark_moved)
            set_flag(block, 4, true);
    });
}

}  // namespace

// Out of a wall on the right.
void Frames::event_func_307()
{
    Box b;
    if (!level_group_43 || !select_block(*this, b))
        return;
    if (test_obstacle(b.right - 1, b.bottom - 2) || test_obstacle(b.right - 1, b.top))
        move_blocks(*this, -1, 0, false);
}

// Out of a wall on the left.
void Frames::event_func_308()
{
    Box b;
    if (!level_group_43 || !select_block(*this, b))
        return;
    if (test_obstacle(b.left, b.bottom - 2) || test_obstacle(b.left, b.top))
        move_blocks(*this, 1, 0, false);
}

// Up out of the floor: any of four points along the row under the block.
void Frames::event_func_309()
{
    Box b;
    if (!level_group_43 || !select_block(*this, b))
        return;
    const double middle = (b.left + b.right) * 0.5;
    const int quarter_right = to_int((middle + b.right) * 0.5);
    const int quarter_left = to_int((middle + b.left) * 0.5);
    if (test_obstacle(b.left, b.bottom) || test_obstacle(b.right - 1, b.bottom) ||
        test_obstacle(quarter_right, b.bottom) || test_obstacle(quarter_left, b.bottom))
        move_blocks(*this, 0, -1, true);
}

// Down onto the floor when it lies a pixel below either bottom corner.
void Frames::event_func_310()
{
    Box b;
    if (!level_group_43 || !select_block(*this, b))
        return;
    auto gap_above_floor = [&](int x) { return test_obstacle(x, b.bottom + 1) && !test_obstacle(x, b.bottom); };
    if (gap_above_floor(b.left) || gap_above_floor(b.right - 1))
        move_blocks(*this, 0, 1, true);
}

void Frames::loop_iterate_pushables_4()
{
    event_func_307();
    event_func_308();
    event_func_309();
    event_func_310();
}
