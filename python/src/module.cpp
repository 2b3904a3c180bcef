// The native part of the Python package heatpump: the property layer and the
// calculations of the program, bound as they are. The package's
// __init__.py holds what Python users read first.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include "calculations.h"
#include "cycle/refrigerant_names.h"
#include "datafiles/program_folder.h"
#include "properties.h"

namespace py = pybind11;

PYBIND11_MODULE(_heatpump, module) {
  // The library and the data lie beside this file: found now, while the
  // path the interpreter opened it by still holds from the working folder.
  datafiles::ProgramFolder();
  module.attr("__version__") = HEATPUMP_VERSION;
  heatpump_python::AddProperties(module);
  heatpump_python::AddCalculations(module);

  py::class_<cycle::RefrigerantName>(module, "Fluid",
                                     "A name the refrigerant boxes and every function take.")
      .def_readonly("name", &cycle::RefrigerantName::name)
      .def_readonly("critical_temperature", &cycle::RefrigerantName::critical_temperature,
                    "degrees C; None where the library gives none")
      .def_readonly("safety_class", &cycle::RefrigerantName::safety_class,
                    "ASHRAE 34 (A1, A2L ...); None where none is on record")
      .def("__repr__", [](const cycle::RefrigerantName& fluid) {
        return "Fluid(" + py::repr(py::cast(fluid.name)).cast<std::string>() +
               ", critical_temperature=" +
               py::repr(py::cast(fluid.critical_temperature)).cast<std::string>() +
               ", safety_class=" + py::repr(py::cast(fluid.safety_class)).cast<std::string>() + ")";
      });
  module.def("fluids", &cycle::ListRefrigerantNames,
             R"(Every fluid and blend name the functions take, as the refrigerant boxes
suggest them: each fluid file's name with the fluid's own name and aliases,
and each blend, with its critical temperature and safety class.)");
}
