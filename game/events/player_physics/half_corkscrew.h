// The shape of a half corkscrew, which both acts' rides follow: values B
// (the flat top's length), C (the height the ride began at), D (a curved
// half's length) and F (the hump's height) of the corkscrew.
#pragma once

#include "game/frames/event_support.h"

// The progress over a length; a length of 0 leaves it at the start.
inline double corkscrew_progress(double distance, double length)
{
    return length == 0 ? 0 : distance / length;
}

// The height at progress e: C at 0 and 2, C - F at the top (1).
inline double corkscrew_height(const FrameObject& screw, double e)
{
    const double hump = get_value(screw, 'F');
    return get_value(screw, 'C') + hump / 2 * event_cos(e * 180) - hump / 2;
}
