// The close of an act's opening card, which both acts end the same way.
#pragma once

class Frames;

// One step of the black card's fade, counted on the card, while the player
// runs in to the right.
void step_opening_fade(Frames& frames);
// Cards running, the HUD back in place and the card released by global value 4.
bool card_may_close(Frames& frames);
// The HUD shows, the controls, level clock and pause menu come back, the
// card pieces go and the camera returns to its open limits.
void close_act_card(Frames& frames);
