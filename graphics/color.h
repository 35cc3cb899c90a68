// Packed RGBA colours.
#pragma once

#include <cstdint>

inline uint8_t clamp_color_component(int value)
{
    return value < 0 ? 0 : value > 255 ? 255 : uint8_t(value);
}

// R, G, B, A are the default components.
template <int R, int G, int B, int A>
struct BaseColor {
    uint8_t r = R, g = G, b = B, a = A;

    BaseColor() = default;
    BaseColor(int red, int green, int blue, int alpha) { set(red, green, blue, alpha); }
    // Packed red in bits 0-7, green 8-15, blue 16-23; alpha is always opaque.
    explicit BaseColor(int packed)
        : r(uint8_t(packed & 0xFF)), g(uint8_t((packed >> 8) & 0xFF)),
          b(uint8_t((packed >> 16) & 0xFF)), a(255)
    {
    }

    void set(int red, int green, int blue, int alpha)
    {
        r = clamp_color_component(red);
        g = clamp_color_component(green);
        b = clamp_color_component(blue);
        a = clamp_color_component(alpha);
    }
    int get_int() const { return int(uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16 | uint32_t(a) << 24); }
    int get_semi_transparency() const { return a == 255 ? 0 : 128 - a / 2; }
    bool operator==(const BaseColor&) const = default;
};

using Color = BaseColor<255, 255, 255, 255>;
using TransparentColor = BaseColor<0, 0, 0, 0>;
