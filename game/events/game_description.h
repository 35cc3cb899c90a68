// The game as the runtime sees it: its frames, start values and controls.
#pragma once

#include "runtime/game.h"

const GameDescription& game_description();
