#include "platform/input.h"

void platform_read_controllers()
{
    // No controller layer yet: the folded state stays released.
}
