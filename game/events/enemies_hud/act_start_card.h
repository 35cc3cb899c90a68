// The close of an act's opening card, which both acts end the same way.
#pragma once

class Frames;

// Cards running, the HUD back in place and the card released by global value 4.
bool card_may_close(Frames& frames);
// The HUD shows, the controls, level clock and pause menu come back, the
// card pieces go and the camera returns to its open limits.
void close_act_card(Frames& frames);
