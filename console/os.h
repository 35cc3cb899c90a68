// Core operating-system services of the console, realised on Linux:
// the default heap, time, sleeping, memory barriers, mutexes, threads and
// console output. Only console/ knows the host behind these calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Heap ----------------------------------------------------------------------

// Aligned block from the default heap; null when it cannot be had.
// A negative alignment (the console's "from the tail") is taken as its size.
void* MEMAllocFromDefaultHeapEx(uint32_t size, int alignment);
void MEMFreeToDefaultHeap(void* block);

// Time ----------------------------------------------------------------------

using OSTime = int64_t;  // ticks since the time base

struct OSSystemInfo {
    uint32_t bus_clock_speed;   // Hz; the time base runs at a quarter of it
    uint32_t core_clock_speed;  // Hz
    int64_t base_time;
};

OSTime OSGetTime();
const OSSystemInfo* OSGetSystemInfo();
void OSSleepTicks(OSTime ticks);
// The tick rate that OSGetTime counts in (bus clock / 4).
int64_t os_ticks_per_second();
// A tick count as host nanoseconds, saturating at the largest count.
int64_t os_ticks_to_nanoseconds(OSTime ticks);

// Calls made to OSSleepTicks since start; lets tests see that a sleep was skipped.
uint64_t os_sleep_call_count();

void OSMemoryBarrier();

// Foreground and saves ------------------------------------------------------

// True while the application owns the foreground.
bool OSGetForegroundBucket(void** area, uint32_t* size);
void OSSavesDone_ReadyToRelease();

// Mutexes (recursive, as the console's are) -----------------------------------

struct OSMutex {
    alignas(std::max_align_t) unsigned char storage[64];
};

void OSInitMutex(OSMutex* mutex);
void OSLockMutex(OSMutex* mutex);
// True when the mutex was free (or is already the caller's); never waits.
bool OSTryLockMutex(OSMutex* mutex);
void OSUnlockMutex(OSMutex* mutex);

// Threads -------------------------------------------------------------------

using OSThreadEntry = int (*)(int argc, const char** argv);

struct OSThread {
    void* host;  // the host thread; null until created
    OSThreadEntry entry;
    int argc;
    const char** argv;
    int result;
};

// Creates a suspended thread; OSResumeThread starts it. Stack, priority and
// affinity are the host's business and are accepted as given.
bool OSCreateThread(OSThread* thread, OSThreadEntry entry, int argc, const char** argv,
                    void* stack, uint32_t stack_size, int priority, uint32_t attributes);
void OSResumeThread(OSThread* thread);
bool OSJoinThread(OSThread* thread, int* result);

// Console output ------------------------------------------------------------

// printf-style; each call is written and flushed at once.
void OSReport(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The host program's own errors and warnings (options, content, the input
// script, outputs): like OSReport, but on standard error, apart from the
// game's console lines on standard output.
void host_report(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Tests: while set, every report (of either kind) is also appended to `log`.
void OSSetReportLog(std::string* log);
// Text read from a file, or a name read from one, as a message may quote it:
// control bytes, DEL, C1 controls and bytes that are not UTF-8 become \xHH,
// so that the text can neither cut a console line short nor steer the
// terminal. Messages quote outside text only through this.
std::string printable_text(std::string_view bytes);
