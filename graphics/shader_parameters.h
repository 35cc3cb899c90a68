// The named effect parameters an object carries, and their names' hash.
#pragma once

#include <cstdint>
#include <vector>

struct ShaderParameter {
    uint32_t hash;
    double value;
};
using ShaderParameters = std::vector<ShaderParameter>;

// The first entry with this hash, or null (also for a missing list).
const ShaderParameter* find_shader_parameter(const ShaderParameters* parameters, uint32_t hash);

// The byte values of the parameter-name hash: letters in either case, underscore.
constexpr unsigned int shader_hash_value(unsigned char c)
{
    if (c >= 'a' && c <= 'z')
        c = static_cast<unsigned char>(c - 'a' + 'A');
    switch (c) {
    case 'K': case 'L': case 'M': case 'R': case 'V': return 0;
    case 'B': case 'D': case 'P': case 'W': case 'Z': return 5;
    case 'E': case 'F': case 'N': return 10;
    case 'T': return 15;
    case 'G': return 20;
    case 'A': return 30;
    case 'Y': return 35;
    case 'X': return 40;
    case 'C': case 'S': return 50;
    case 'I': return 55;
    case 'H': return 75;
    case 'O': return 80;
    case '_': return 90;
    default: return 183;
    }
}

// Parameter names hash to small distinct keys (the effect code's constants).
constexpr unsigned int hash_shader_parameter(const char* name, unsigned int length)
{
    const auto t = [name](unsigned int i) {
        return shader_hash_value(static_cast<unsigned char>(name[i]));
    };
    if (length == 0)
        return 0;
    if (length == 1)
        return 1 + t(0) + t(0);
    if (length <= 5)
        return length + t(1) + t(0) + t(length - 1);
    return length + t(5) + t(1) + t(0) + t(length - 1);
}
