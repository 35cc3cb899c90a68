#include "console/pads.h"

// No controller is connected until the controller layer reads the host's.
void KPADInit() {}
void KPADReset() {}
void WPADEnableURCC(int32_t) {}
void KPADDisableDPD(int32_t) {}
