#include "tests/soak/random_pad.h"

#include "console/pads.h"

PadSpell RandomPad::next()
{
    PadSpell spell;
    spell.ticks = 4 + int(below(87));
    const uint32_t direction = below(100);
    if (direction < 55)
        spell.buttons = VPAD_BUTTON_RIGHT;
    else if (direction < 70)
        spell.buttons = VPAD_BUTTON_LEFT;
    else if (direction < 78)
        spell.buttons = VPAD_BUTTON_DOWN;
    else if (direction < 85)
        spell.buttons = VPAD_BUTTON_UP;
    if (below(100) < 45)
        spell.jump_ticks = 1 + int(below(24));
    if (below(100) < 12)
        spell.buttons |= VPAD_BUTTON_B;
    if (below(100) < 8)
        spell.buttons |= VPAD_BUTTON_X;
    if (below(100) < 6)
        spell.buttons |= VPAD_BUTTON_Y;
    if (below(100) < 10) {
        spell.use_stick = true;
        spell.stick_x = unit();
        spell.stick_y = unit();
    }
    // A tap of pause: the next one (or the pause menu) resumes.
    if (below(250) == 0) {
        spell.buttons = VPAD_BUTTON_PLUS;
        spell.jump_ticks = 0;
        spell.ticks = 1;
    }
    return spell;
}
