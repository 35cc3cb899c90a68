// Replays every checked-in corpus and crash file through its harness, with
// no fuzzing: a reader that crashes, hangs or trips a sanitizer on any of
// them fails here, without clang.
#include "tests/fuzz/harnesses.h"
#include "tests/support/peak_memory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's own hook (its header does not come with every compiler).
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*)(const volatile void*, size_t),
                                                        void (*)(const volatile void*));
#endif

namespace fs = std::filesystem;

namespace {

// The largest single allocation since the last reset: a reader may reserve
// gigabytes it never touches, which the peak memory does not show.
std::atomic<size_t> largest_allocation{0};

void reset_largest_allocation()
{
#if defined(__SANITIZE_ADDRESS__)
    static const bool installed = __sanitizer_install_malloc_and_free_hooks(
        [](const volatile void*, size_t size) {
            size_t seen = largest_allocation.load(std::memory_order_relaxed);
            while (size > seen && !largest_allocation.compare_exchange_weak(seen, size)) {
            }
        },
        [](const volatile void*) {});
    (void)installed;
#endif
    largest_allocation = 0;
}

std::vector<fs::path> files_of(const FuzzHarness& harness)
{
    std::vector<fs::path> files;
    for (const char* kind : {"corpus", "crashes"}) {
        const fs::path folder = fs::path(QUORVELLA_FUZZ_DATA) / kind / harness.name;
        if (!fs::is_directory(folder))
            continue;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder))
            if (entry.is_regular_file())
                files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<uint8_t> bytes_of(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class Replay : public testing::TestWithParam<FuzzHarness> {};

}  // namespace

void PrintTo(const FuzzHarness& harness, std::ostream* out)
{
    *out << harness.name;
}

TEST_P(Replay, every_corpus_and_crash_file_goes_through_its_reader)
{
    const FuzzHarness& harness = GetParam();
    const std::vector<fs::path> files = files_of(harness);
    // Every harness has a seed corpus: an empty folder would test nothing.
    EXPECT_FALSE(files.empty()) << harness.name;
    for (const fs::path& path : files) {
        // Named first, so that a crash report says which file it was.
        printf("replaying %s\n", path.c_str());
        fflush(stdout);
        const std::vector<uint8_t> bytes = bytes_of(path);
        reset_largest_allocation();
        EXPECT_EQ(harness.run(bytes.data(), bytes.size()), 0) << path;
        // The fuzzing's own limits: no input may take the process past 2 GB,
        // nor ask for 2 GB at once.
        EXPECT_LT(peak_memory_bytes(), uint64_t(2048) << 20) << path;
        EXPECT_LT(largest_allocation.load(), size_t(2048) << 20) << path;
    }
}

INSTANTIATE_TEST_SUITE_P(Readers, Replay, testing::ValuesIn(fuzz_harnesses),
                         [](const testing::TestParamInfo<FuzzHarness>& info) {
                             return std::string(info.param.name);
                         });
