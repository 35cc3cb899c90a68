// The process's memory now: resident pages, and the bytes the program has
// allocated and not freed (the sanitizer's own count under AddressSanitizer,
// whose quarantine keeps freed blocks resident for a while; the C
// library's otherwise).
#pragma once

#include <cstdint>

struct MemorySample {
    int tick = 0;
    int frame = -1;  // the frame index at the sample
    uint64_t resident = 0;
    uint64_t heap = 0;
};

MemorySample sample_memory(int tick);
