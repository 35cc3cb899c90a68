// The console's graphics library. The graphics issue fills this in on
// OpenGL; the process side only needs the drain.
#pragma once

// Waits until every submitted graphics command has finished.
void GX2DrawDone();
