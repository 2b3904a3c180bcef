// Work run on several threads at once, for the tests of what the library
// and the property layer promise to threads.
#pragma once

#include <barrier>
#include <cstddef>
#include <thread>
#include <vector>

namespace heatpump_test {

// run(i, together) on a thread of its own for each i below count, all
// started at once; `together` lets them line up wherever they wish. Their
// results, in the order of i, once every thread has ended.
template <class Result, class Run>
std::vector<Result> OnThreads(std::size_t count, Run run) {
  std::vector<Result> results(count);
  std::barrier<> together(static_cast<std::ptrdiff_t>(count));
  {
    std::vector<std::jthread> threads;
    for (std::size_t i = 0; i < count; ++i)
      threads.emplace_back([&, i] { results[i] = run(i, together); });
  }
  return results;
}

}  // namespace heatpump_test
