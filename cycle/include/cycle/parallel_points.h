// Independent calculations on every core: a screening's fluids, a study's
// points. Each point is computed by one worker thread and the results come
// back in the order of the points, so a parallel run equals a serial one.
// The property layer and the library keep a current fluid per thread, so
// workers never see each other's fluid.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace cycle {

// One worker per core, at least one.
inline int CoreCount() { return std::max(1, static_cast<int>(std::thread::hardware_concurrency())); }

struct ParallelControl {
  int workers = 0;                              // 0: one per core
  std::function<bool()> stop_requested;         // asked before each point; may be empty
  std::function<void(std::size_t point)> done;  // after each point, on its worker's thread
};

// compute(i) for every i below count on up to `workers` threads (the calling
// thread among them). A point not begun because a stop was requested holds
// nothing. An exception of any point is rethrown once every worker is done.
template <class Result, class Compute>
std::vector<std::optional<Result>> ComputeInParallel(std::size_t count, const Compute& compute,
                                                     const ParallelControl& control = {}) {
  std::vector<std::optional<Result>> results(count);
  if (count == 0) return results;
  std::atomic<std::size_t> next{0};
  std::exception_ptr failure;
  std::mutex failure_mutex;
  const auto work = [&] {
    for (std::size_t i = next++; i < count; i = next++) {
      if (control.stop_requested && control.stop_requested()) return;
      try {
        results[i] = compute(i);
      } catch (...) {
        const std::lock_guard lock(failure_mutex);
        if (!failure) failure = std::current_exception();
        next = count;
        return;
      }
      if (control.done) control.done(i);
    }
  };
  const int wanted = control.workers > 0 ? control.workers : CoreCount();
  const std::size_t helpers = std::min<std::size_t>(count, static_cast<std::size_t>(wanted)) - 1;
  {
    std::vector<std::jthread> pool;
    pool.reserve(helpers);
    for (std::size_t k = 0; k < helpers; ++k) pool.emplace_back(work);
    work();
  }  // joined here
  if (failure) std::rethrow_exception(failure);
  return results;
}

}  // namespace cycle
