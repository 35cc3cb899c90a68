// The control-binding arrays as the input events read them: one column per
// control slot (x 1 ... 8), rows for the source kind, its code or gain and
// the slot's level this tick; the dead zone in percent at (0, 2).
#pragma once

#include "objects/arrayext.h"
#include "runtime/lists.h"

namespace binding_arrays {

// The rows (y) of a slot.
constexpr int source = 0;
constexpr int code = 1;
constexpr int state = 2;

// The gamepad array's dead-zone cell.
constexpr int dead_zone_x = 0;
constexpr int dead_zone_y = 2;

}  // namespace binding_arrays

// The single array instance of a binding type: a missing one reads 0 and
// takes no writes.
class BindingArray {
public:
    explicit BindingArray(ObjectList& list) : array(static_cast<ArrayObject*>(list.back)) {}

    int get(int x, int y) const { return array ? array->get_value(x, y, 0) : 0; }
    void set(int x, int y, int value)
    {
        if (array)
            array->set_value(value, x, y, 0);
    }

private:
    ArrayObject* array;
};
