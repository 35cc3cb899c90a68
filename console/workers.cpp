#include "console/workers.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// Enough to keep decoding ahead of one uploading thread on a shared machine.
constexpr unsigned max_helpers = 7;

// Jobs are claimed and marked done without a lock; the mutex only guards
// going to sleep, and sleepers are woken only when one is known to sleep.
class Pipeline {
public:
    Pipeline(int count, int ahead, void (*job)(int, void*), void* context)
        : count_(count), ahead_(std::max(ahead, 1)), job_(job), context_(context),
          done_(new std::atomic<char>[size_t(count)])
    {
        for (int i = 0; i < count; ++i)
            done_[size_t(i)].store(0, std::memory_order_relaxed);
    }

    void help()
    {
        for (;;) {
            if (run_one())
                continue;
            if (next_.load() >= count_)
                return;
            std::unique_lock lock(mutex_);
            ++sleeping_;
            helpers_wake_.wait(lock, [&] { return next_.load() >= count_ || half_open(); });
            --sleeping_;
        }
    }

    // On the calling thread: waits for `index`, running jobs meanwhile.
    void wait_for(int index)
    {
        while (!done_[size_t(index)].load()) {
            if (run_one())
                continue;
            std::unique_lock lock(mutex_);
            waited_for_.store(index);
            main_wake_.wait(lock, [&] { return done_[size_t(index)].load() != 0; });
            waited_for_.store(-1);
        }
    }

    void used_one()
    {
        ++used_;
        if (sleeping_.load() > 0 && half_open()) {
            std::lock_guard lock(mutex_);
            helpers_wake_.notify_all();
        }
    }

    void stop()
    {
        std::lock_guard lock(mutex_);
        helpers_wake_.notify_all();
    }

private:
    // Sleeping helpers wake when half the window is free, not for every
    // job used: one wake-up for many jobs.
    bool half_open() const { return used_.load() + ahead_ - next_.load() >= (ahead_ + 1) / 2; }

    bool run_one()
    {
        int index = next_.load();
        do {
            if (index >= count_ || index >= used_.load() + ahead_)
                return false;
        } while (!next_.compare_exchange_weak(index, index + 1));
        job_(index, context_);
        done_[size_t(index)].store(1);
        if (waited_for_.load() == index) {
            std::lock_guard lock(mutex_);
            main_wake_.notify_one();
        }
        return true;
    }

    const int count_, ahead_;
    void (*job_)(int, void*);
    void* context_;
    std::unique_ptr<std::atomic<char>[]> done_;
    std::atomic<int> next_{0};         // the next job to start
    std::atomic<int> used_{0};         // jobs used so far
    std::atomic<int> sleeping_{0};     // helpers asleep
    std::atomic<int> waited_for_{-1};  // the job the calling thread sleeps on
    std::mutex mutex_;
    std::condition_variable helpers_wake_, main_wake_;
};

}  // namespace

void run_in_order(int count, int ahead, void (*job)(int index, void* context),
                  void (*use)(int index, void* context), void* context)
{
    if (count <= 0)
        return;
    Pipeline pipeline(count, ahead, job, context);
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const unsigned helpers = std::min({cores - 1, max_helpers, unsigned(count)});
    std::vector<std::thread> threads;
    for (unsigned i = 0; i < helpers; ++i)
        threads.emplace_back([&pipeline] { pipeline.help(); });
    for (int index = 0; index < count; ++index) {
        pipeline.wait_for(index);
        use(index, context);
        pipeline.used_one();
    }
    pipeline.stop();
    for (std::thread& thread : threads)
        thread.join();
}
