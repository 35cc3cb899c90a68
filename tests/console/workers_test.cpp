#include "console/workers.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace {

struct Record {
    std::vector<std::atomic<int>> runs;
    std::vector<int> used;  // only the calling thread writes it
    std::atomic<int> used_count{0};
    std::atomic<int> started{0};
    std::atomic<int> widest{0};  // most jobs started beyond the last one used
    std::thread::id caller;
    bool used_off_caller = false;

    explicit Record(int count) : runs(size_t(count)) {}
};

void job(int index, void* context)
{
    Record& record = *static_cast<Record*>(context);
    const int ahead = ++record.started - record.used_count.load();
    for (int widest = record.widest.load(); ahead > widest && !record.widest.compare_exchange_weak(widest, ahead);) {
    }
    if (index % 7 == 0)
        std::this_thread::yield();  // some jobs finish late
    ++record.runs[size_t(index)];
}

void use(int index, void* context)
{
    Record& record = *static_cast<Record*>(context);
    if (std::this_thread::get_id() != record.caller)
        record.used_off_caller = true;
    EXPECT_EQ(record.runs[size_t(index)].load(), 1) << index;  // its job has returned
    record.used.push_back(index);
    ++record.used_count;
}

}  // namespace

TEST(Workers, every_job_runs_once_and_results_are_used_in_order_on_the_caller_within_the_window)
{
    for (const int ahead : {1, 5, 64}) {
        Record record(3000);
        record.caller = std::this_thread::get_id();
        run_in_order(3000, ahead, job, use, &record);
        ASSERT_EQ(record.used.size(), 3000u) << ahead;
        for (int i = 0; i < 3000; ++i) {
            EXPECT_EQ(record.used[size_t(i)], i);
            EXPECT_EQ(record.runs[size_t(i)].load(), 1);
        }
        EXPECT_FALSE(record.used_off_caller);
        EXPECT_LE(record.widest.load(), ahead) << ahead;
    }
    run_in_order(0, 4, job, use, nullptr);  // nothing to do
}
