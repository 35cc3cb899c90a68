// Double to int conversions that never rely on undefined behaviour: values
// out of range saturate at the 32-bit limits and NaN gives 0.
#pragma once

#include <cstdint>

inline int32_t saturate_to_int(double value)
{
    if (!(value == value))
        return 0;
    if (value >= 2147483647.0)
        return INT32_MAX;
    if (value <= -2147483648.0)
        return INT32_MIN;
    return int32_t(value);
}
