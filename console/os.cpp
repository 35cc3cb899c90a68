#include "console/os.h"

#include <atomic>
#include <chrono>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <new>
#include <thread>

namespace {

constexpr OSSystemInfo system_info = {248625000u, 1243125000u, 0};

std::atomic<uint64_t> sleep_calls{0};
std::mutex report_mutex;

std::recursive_mutex& host_mutex(OSMutex* mutex)
{
    return *std::launder(reinterpret_cast<std::recursive_mutex*>(mutex->storage));
}

static_assert(sizeof(std::recursive_mutex) <= sizeof(OSMutex::storage));

}  // namespace

void* MEMAllocFromDefaultHeapEx(uint32_t size, int alignment)
{
    size_t align = alignment < 0 ? size_t(-int64_t(alignment)) : size_t(alignment);
    if (align < sizeof(void*))
        align = sizeof(void*);
    if ((align & (align - 1)) != 0)
        return nullptr;
    void* block = nullptr;
    if (posix_memalign(&block, align, size == 0 ? 1 : size) != 0)
        return nullptr;
    return block;
}

void MEMFreeToDefaultHeap(void* block)
{
    free(block);
}

int64_t os_ticks_per_second()
{
    return int64_t(system_info.bus_clock_speed / 4);
}

OSTime OSGetTime()
{
    using namespace std::chrono;
    static const steady_clock::time_point start = steady_clock::now();
    const auto ns = duration_cast<nanoseconds>(steady_clock::now() - start).count();
    // Split to keep the product inside 64 bits for centuries of uptime.
    const int64_t rate = os_ticks_per_second();
    return (ns / 1000000000) * rate + (ns % 1000000000) * rate / 1000000000;
}

const OSSystemInfo* OSGetSystemInfo()
{
    return &system_info;
}

int64_t os_ticks_to_nanoseconds(OSTime ticks)
{
    constexpr int64_t ns_per_second = 1000000000;
    const int64_t rate = os_ticks_per_second();
    const int64_t seconds = ticks / rate;
    // Past about 292 years the count no longer fits; such a sleep is endless anyway.
    if (seconds >= INT64_MAX / ns_per_second)
        return INT64_MAX;
    if (seconds <= INT64_MIN / ns_per_second)
        return INT64_MIN;
    return seconds * ns_per_second + (ticks % rate) * ns_per_second / rate;
}

void OSSleepTicks(OSTime ticks)
{
    sleep_calls.fetch_add(1);
    if (ticks <= 0)
        return;
    std::this_thread::sleep_for(std::chrono::nanoseconds(os_ticks_to_nanoseconds(ticks)));
}

uint64_t os_sleep_call_count()
{
    return sleep_calls.load();
}

void OSMemoryBarrier()
{
    std::atomic_thread_fence(std::memory_order_seq_cst);
}

bool OSGetForegroundBucket(void** area, uint32_t* size)
{
    // A host process never loses its memory bucket.
    if (area)
        *area = nullptr;
    if (size)
        *size = 0;
    return true;
}

void OSSavesDone_ReadyToRelease()
{
}

void OSInitMutex(OSMutex* mutex)
{
    new (mutex->storage) std::recursive_mutex();
}

void OSLockMutex(OSMutex* mutex)
{
    host_mutex(mutex).lock();
}

bool OSTryLockMutex(OSMutex* mutex)
{
    return host_mutex(mutex).try_lock();
}

void OSUnlockMutex(OSMutex* mutex)
{
    host_mutex(mutex).unlock();
}

bool OSCreateThread(OSThread* thread, OSThreadEntry entry, int argc, const char** argv,
                    void*, uint32_t, int, uint32_t)
{
    if (!thread || !entry)
        return false;
    thread->host = nullptr;
    thread->entry = entry;
    thread->argc = argc;
    thread->argv = argv;
    thread->result = 0;
    return true;
}

void OSResumeThread(OSThread* thread)
{
    if (thread->host)
        return;
    thread->host = new std::thread([thread] { thread->result = thread->entry(thread->argc, thread->argv); });
}

bool OSJoinThread(OSThread* thread, int* result)
{
    auto* host = static_cast<std::thread*>(thread->host);
    if (!host)
        return false;
    host->join();
    delete host;
    thread->host = nullptr;
    if (result)
        *result = thread->result;
    return true;
}

namespace {
std::string* report_log = nullptr;
}

namespace {

void report_to(FILE* stream, const char* format, va_list args)
{
    std::lock_guard<std::mutex> lock(report_mutex);
    if (report_log) {
        va_list copy;
        va_copy(copy, args);
        char line[1024];
        vsnprintf(line, sizeof line, format, copy);
        va_end(copy);
        report_log->append(line);
    }
    vfprintf(stream, format, args);
    fflush(stream);
}

}  // namespace

void OSReport(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    report_to(stdout, format, args);
    va_end(args);
}

void host_report(const char* format, ...)
   {
       va_list args;
       va_start(args, format);
    report_to(stderr, format, args);
    va_end(args);
}

void OSSetReportLog(std::string* log)
{
    std::lock_guard<std::mutex> lock(report_mutex);
    report_log = log;
}

namespace {

// The length of the well-formed UTF-8 sequence at `at` that is no C1
// control (U+0080 to U+009F), or 0.
size_t printable_sequence(std::string_view bytes, size_t at)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || at + length > bytes.size())
        return 0;
    uint32_t code = lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
        code = code << 6 | (byte(at + i) & 0x3F);
    }
    const uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) ||
        (code >= 0x80 && code <= 0x9F))
        return 0;
    return length;
}

}  // namespace

std::string printable_text(std::string_view bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string shown;
    shown.reserve(bytes.size());
    for (size_t at = 0; at < bytes.size();) {
        const unsigned char c = static_cast<unsigned char>(bytes[at]);
        const size_t sequence = c >= 0x80 ? printable_sequence(bytes, at) : 0;
        if (sequence) {
            shown.append(bytes.substr(at, sequence));
            at += sequence;
            continue;
        }
        if (c >= 0x20 && c < 0x7F) {
            shown += char(c);
        } else {
            shown += "\\x";
            shown += digits[c >> 4];
            shown += digits[c & 15];
        }
        ++at;
    }
    return shown;
}
