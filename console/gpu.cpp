#include "console/gpu.h"

void GX2DrawDone()
{
    // Nothing is submitted to a graphics processor yet.
}
