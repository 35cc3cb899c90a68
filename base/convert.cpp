#include "base/convert.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

bool is_digit(char c)
{
    return c >= '0' && c <= '9';
}

const char digit_pairs[201] =
    "00010203040506070809"
    "10111213141516171819"
    "20212223242526272829"
    "30313233343536373839"
    "40414243444546474849"
    "50515253545556575859"
    "60616263646566676869"
    "70717273747576777879"
    "80818283848586878889"
    "90919293949596979899";

// Writes the digits of value ending just before `end`; returns the first.
char* write_unsigned(uint64_t value, char* end)
{
    char* p = end;
    while (value >= 100) {
        const unsigned pair = unsigned(value % 100) * 2;
        value /= 100;
        *--p = digit_pairs[pair + 1];
        *--p = digit_pairs[pair];
    }
    if (value >= 10) {
        const unsigned pair = unsigned(value) * 2;
        *--p = digit_pairs[pair + 1];
        *--p = digit_pairs[pair];
    } else {
        *--p = char('0' + value);
    }
    return p;
}

double power_of_ten(unsigned exponent)
{
    if (exponent > 308)
        exponent = 308;
    double factor = 1.0;
    if (exponent >= 50) {
        const unsigned n = (exponent - 50) / 50 + 1;
        for (unsigned i = 0; i < n; ++i)
            factor *= 1e50;
        exponent -= 50 * n;
    }
    if (exponent >= 8) {
        const unsigned n = (exponent - 8) / 8 + 1;
        for (unsigned i = 0; i < n; ++i)
            factor *= 100000000.0;
        exponent -= 8 * n;
    }
    for (unsigned i = 0; i < exponent; ++i)
        factor *= 10.0;
    return factor;
}

}  // namespace

double fast_atof(const char* p, const char* end)
{
    double value = 0.0, sign = 1.0;
    while (p != end && (*p == ' ' || *p == '\t'))
        ++p;
    if (p != end && (*p == '-' || *p == '+')) {
        if (*p == '-')
            sign = -1.0;
        ++p;
    }
    while (p != end && is_digit(*p))
        value = value * 10.0 + (*p++ - '0');
    if (p != end && *p == '.') {
        ++p;
        double divisor = 10.0;
        while (p != end && is_digit(*p)) {
            value = value + (*p++ - '0') / divisor;
            divisor *= 10.0;
        }
    }
    if (p == end || (*p != 'e' && *p != 'E'))
        return sign * value;
    ++p;
    bool negative_exponent = false;
    if (p != end && (*p == '-' || *p == '+')) {
        negative_exponent = *p == '-';
        ++p;
    }
    unsigned exponent = 0;
    while (p != end && is_digit(*p)) {
        // Capped well above the limit, so that long digit runs cannot wrap.
        if (exponent < 100000)
            exponent = exponent * 10 + unsigned(*p - '0');
        ++p;
    }
    const double factor = power_of_ten(exponent);
    return negative_exponent ? sign * (value / factor) : sign * (value * factor);
}

std::string fast_itoa(int value)
{
    char buffer[16];
    char* const end = buffer + sizeof buffer;
    const bool negative = value < 0;
    const uint64_t magnitude = negative ? uint64_t(-int64_t(value)) : uint64_t(value);
    char* p = write_unsigned(magnitude, end);
    if (negative)
        *--p = '-';
    return std::string(p, end);
}

std::string fast_dtoa(double value)
{
    if (std::isnan(value))
        return "nan";
    const bool negative = value < 0.0;
    const double a = std::fabs(value);
    if (a > 2147483647.0) {
        char text[64];
        std::snprintf(text, sizeof text, "%e", value);
        return text;
    }
    uint64_t whole = uint64_t(int32_t(a));
    const double t = (a - double(whole)) * 100000.0;
    unsigned fraction = unsigned(t);
    const double diff = t - fraction;
    if (diff > 0.5 || (diff == 0.5 && (fraction % 2 == 1 || fraction == 0)))
        ++fraction;
    // Rounding up the last place can carry into the whole part, also for an
    // exact half (0.999995 is "1", not "0." with six places).
    if (fraction >= 100000) {
        fraction = 0;
        ++whole;
    }

    char buffer[40];
    char* const end = buffer + sizeof buffer;
    char* p = end;
    if (fraction != 0) {
        char places[5];
        unsigned rest = fraction;
        for (int i = 4; i >= 0; --i) {
            places[i] = char('0' + rest % 10);
            rest /= 10;
        }
        int kept = 5;
        while (places[kept - 1] == '0')
            --kept;
        p -= kept;
        for (int i = 0; i < kept; ++i)
            p[i] = places[i];
        *--p = '.';
    }
    p = write_unsigned(whole, p);
    if (negative)
        *--p = '-';
    return std::string(p, end);
}
