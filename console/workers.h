// Spreads independent pieces of work over the host's cores.
#pragma once

// Runs job(index, context) for every index in [0, count) on helper threads
// (one per core, up to a few) and calls use(index, context) on the calling
// thread for index 0, 1, 2... in order, each once its job has returned.
// Jobs start in index order and at most `ahead` of them run or wait beyond
// the one used last, which bounds what they hold. While its next index is
// not done the calling thread runs jobs too. Jobs must not touch the
// graphics context or print.
void run_in_order(int count, int ahead, void (*job)(int index, void* context),
                  void (*use)(int index, void* context), void* context);
