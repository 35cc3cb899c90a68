// The process's peak resident memory, for tests that a damaged size field
// allocates nothing large (run by CTest, each test has a process of its own).
#pragma once

#include <cstdint>
#include <sys/resource.h>

inline uint64_t peak_memory_bytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return uint64_t(usage.ru_maxrss) * 1024;
}

// Far above what reading a damaged item may take, far below the gigabytes
// that a trusted size field used to allocate.
constexpr uint64_t damaged_read_memory = uint64_t(256) << 20;
