// heatpump.property and heatpump.critical_point: the property layer's
// requests, one state or a numpy array of them.
#pragma once

#include <pybind11/pybind11.h>

namespace heatpump_python {

void AddProperties(pybind11::module_& module);

}  // namespace heatpump_python
