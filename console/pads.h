// The console's controller libraries: the remotes (with their classic and
// pro controller extensions) and the gamepad.
#pragma once

#include <cstdint>

void KPADInit();
void KPADReset();
void WPADEnableURCC(int32_t enable);
void KPADDisableDPD(int32_t channel);
