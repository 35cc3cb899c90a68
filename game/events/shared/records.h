// The records array: the one numeric array (type 26, RecordData_33 or
// RecordData_409) whose cells every frame shares and that the records file
// holds. Coordinates count from 1; a cell outside the array reads 0.
#pragma once

#include "objects/arrayext.h"
#include "runtime/frame.h"

#include <string>

// The frame's records array, or null when the frame has none.
ArrayObject* records_array(Frame& frame);
// Cell (x, y) of the records array at the current Z; 0 without the array.
int records_cell(Frame& frame, int x, int y);
