// The native part of the Python package heatpump: the property layer and the
// calculations of the program, bound as they are. The package's
// __init__.py holds what Python users read first.
#include <pybind11/pybind11.h>

#include "calculations.h"
#include "conversion.h"
#include "cycle/refrigerant_names.h"
#include "datafiles/program_folder.h"
#include "properties.h"
#include "report/figure_rows.h"
#include "serialised.h"

namespace py = pybind11;

PYBIND11_MODULE(_heatpump, module) {
  // The library and the data lie beside this file: found now, while the
  // path the interpreter opened it by still holds from the working folder.
  datafiles::ProgramFolder();
  module.attr("__version__") = HEATPUMP_VERSION;
  heatpump_python::AddProperties(module);
  heatpump_python::AddCalculations(module);
  module.def(
      "fluids",
      [] {
        return heatpump_python::RowDicts(heatpump_python::Serialised(
            [] { return report::FluidListFields(cycle::ListRefrigerants()); }));
      },
      R"(fluids() -> list of dict

Every pure fluid and blend the functions take, as `hpcalc fluids --csv`
lists them: a dict each under its names (name; kind, pure or blend;
aliases, the other names the library takes, separated by semicolons; Tcrit,
the critical temperature in 'C; safety_class; GWP), the numbers unrounded,
None where the files state nothing.)");
}
