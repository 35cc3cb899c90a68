#include "tests/soak/memory_sample.h"

#include <cstddef>
#include <fstream>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define QUORVELLA_SOAK_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUORVELLA_SOAK_ASAN 1
#endif
#endif

#ifdef QUORVELLA_SOAK_ASAN
// The sanitizer runtime's count (its header is not installed with every compiler).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace {

uint64_t heap_bytes()
{
#ifdef QUORVELLA_SOAK_ASAN
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

uint64_t resident_bytes()
{
    std::ifstream statm("/proc/self/statm");
    uint64_t size = 0, resident = 0;
    statm >> size >> resident;
    return resident * uint64_t(sysconf(_SC_PAGESIZE));
}

}  // namespace

MemorySample sample_memory(int tick)
{
    return {.tick = tick, .resident = resident_bytes(), .heap = heap_bytes()};
}
