// One computation at a time, without the interpreter lock. The property
// layer and the library hold their current fluid per thread; the module's
// calls from any number of Python threads take turns, and the other threads
// run Python meanwhile. Only C++ values cross into a computation: it never
// touches a Python object, so it never waits for the interpreter lock while
// holding the turn.
#pragma once

#include <pybind11/pybind11.h>

#include <mutex>

namespace heatpump_python {

std::mutex& ComputationTurn();

template <typename Compute>
auto Serialised(const Compute& compute) {
  const pybind11::gil_scoped_release released;
  const std::lock_guard turn(ComputationTurn());
  return compute();
}

}  // namespace heatpump_python
