#include "objects/movement.h"

int get_movement_direction(bool up, bool down, bool left, bool right)
{
    static const int directions[16] = {-1, 8, 24, -1, 16, 12, 20, 16, 0, 4, 28, 0, -1, 8, 24, -1};
    return directions[int(up) + 2 * int(down) + 4 * int(left) + 8 * int(right)];
}
