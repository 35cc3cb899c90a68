#!/usr/bin/env python3
"""Writes the mixer's volume and pan tables (audio/mix_tables.cpp in the
build tree; the build runs it).

The surround table has no formula; it is kept here as it stands.
"""
from decimal import Decimal, getcontext, ROUND_FLOOR, ROUND_DOWN, ROUND_HALF_EVEN
import math

import generated

getcontext().prec = 60

SURROUND = [
    -61, -61, -60, -59, -59, -58, -58, -57, -56, -56, -55, -55, -54, -53, -53, -52,
    -52, -51, -50, -50, -49, -49, -48, -48, -47, -47, -46, -46, -45, -45, -44, -44,
    -43, -43, -42, -42, -41, -41, -40, -40, -39, -39, -38, -38, -38, -37, -37, -36,
    -36, -35, -35, -35, -34, -34, -33, -33, -32, -32, -32, -31, -31, -31, -30, -30,
    -29, -29, -29, -28, -28, -28, -27, -27, -27, -26, -26, -26, -25, -25, -25, -24,
    -24, -24, -23, -23, -23, -22, -22, -22, -21, -21, -21, -20, -20, -20, -20, -19,
    -19, -19, -18, -18, -18, -18, -17, -17, -17, -17, -16, -16, -16, -16, -15, -15,
    -15, -15, -14, -14, -14, -14, -13, -13, -13, -13, -13, -12, -12, -12, -12, -11,
]


def ten_to(x):
    """10 ** x for a Decimal x, to the context's precision."""
    return (x * Decimal(10).ln()).exp()


def volume(level):
    # floor(32768 * 10^(level/200)); 0 dB is held at 0x7FFF.
    if level == 0:
        return 0x7FFF
    value = Decimal(32768) * ten_to(Decimal(level) / Decimal(200))
    return int(value.to_integral_value(rounding=ROUND_FLOOR))


def pan(i):
    # 100 * log10((127 - i) / 127), to the nearest; the far end is silent.
    if i == 127:
        return -904
    value = Decimal(100) * (Decimal(127 - i) / Decimal(127)).log10()
    return int(value.to_integral_value(rounding=ROUND_HALF_EVEN))


def dpl2_pan(i):
    # 200 * log10(cos(i * pi / 254)), truncated toward zero.
    if i == 127:
        return -960
    # The cosine in double precision is far finer than the truncation needs.
    value = Decimal(200) * Decimal(math.cos(i * math.pi / 254)).log10()
    return int(value.to_integral_value(rounding=ROUND_DOWN))


def rows(values, per_line):
    lines = []
    for start in range(0, len(values), per_line):
        lines.append("    " + " ".join(f"{v}," for v in values[start:start + per_line]))
    return "\n".join(lines)


def mix_tables(inputs, outputs, args):
    volumes = [volume(level) for level in range(-904, 61)]
    assert len(volumes) == 965
    return [generated.banner(__file__) + f"""#include "audio/mix.h"

// Volume words for levels -904..+60 (0.1 dB steps).
const uint16_t MixVolumeTable[965] = {{
{rows(volumes, 12)}
}};

const int32_t MixPanTable[128] = {{
{rows([pan(i) for i in range(128)], 16)}
}};

const int16_t MixDpl2PanTable[128] = {{
{rows([dpl2_pan(i) for i in range(128)], 16)}
}};

const int16_t MixDpl2SurroundTable[128] = {{
{rows(SURROUND, 16)}
}};
"""]


if __name__ == "__main__":
    generated.run(mix_tables, "The mixer's volume and pan tables.")
