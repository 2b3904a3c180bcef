// The calculations: keyword arguments named like the command line's
// options, results as dicts under the command line's CSV headers.
#pragma once

#include <pybind11/pybind11.h>

namespace heatpump_python {

void AddCalculations(pybind11::module_& module);

}  // namespace heatpump_python
