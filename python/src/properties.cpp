#include "properties.h"

#include <pybind11/numpy.h>

#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "property/message_text.h"
#include "property/property_answer.h"
#include "serialised.h"

namespace heatpump_python {

namespace {

namespace py = pybind11;

// A request the library answered with a text: its message.
class PropertyFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Contiguous, so that a computation reads them without Python.
using Values = py::array_t<double, py::array::c_style | py::array::forcecast>;

// A value given as one number, not as an array or a sequence of them.
bool IsOneNumber(py::handle value) {
  return !py::isinstance<py::array>(value) && !py::isinstance<py::sequence>(value);
}

double NumberOf(py::handle value, const char* name) {
  if (py::isinstance<py::str>(value) || py::isinstance<py::bool_>(value) ||
      !py::hasattr(value, "__float__")) {
    throw py::type_error(std::string(name) + " takes a number or an array of numbers");
  }
  return py::float_(py::reinterpret_borrow<py::object>(value));
}

Values ArrayOf(py::handle value, const char* name) {
  if (py::isinstance<py::str>(value)) {
    throw py::type_error(std::string(name) + " takes a number or an array of numbers");
  }
  return Values(py::reinterpret_borrow<py::object>(value));
}

double Answered(const property::PropertyAnswer& answer) {
  if (const auto* message = std::get_if<std::string>(&answer)) throw PropertyFailure(*message);
  return std::get<double>(answer);
}

// The answers for value1 and value2 broadcast together, NaN where there is
// none.
py::array_t<double> Vectorised(property::PropertyFunction function, const std::string& fluid,
                               const std::string& code, const std::string& units, py::handle value1,
                               py::handle value2) {
  const py::tuple broadcast = py::module_::import("numpy").attr("broadcast_arrays")(
      ArrayOf(value1, "value1"), ArrayOf(value2, "value2"));
  const Values first(py::reinterpret_borrow<py::object>(broadcast[0]));
  const Values second(py::reinterpret_borrow<py::object>(broadcast[1]));
  py::array_t<double> answers(
      std::vector<py::ssize_t>(first.shape(), first.shape() + first.ndim()));
  const double* v1 = first.data();
  const double* v2 = second.data();
  double* out = answers.mutable_data();
  const auto count = static_cast<std::size_t>(first.size());
  Serialised([&] {
    for (std::size_t i = 0; i < count; ++i) {
      const auto answer = property::AnswerOf(function, fluid, code, units, v1[i], v2[i]);
      const double* value = std::get_if<double>(&answer);
      out[i] = value != nullptr ? *value : std::numeric_limits<double>::quiet_NaN();
    }
  });
  return answers;
}

py::object Property(const std::string& function_name, const std::string& fluid,
                    const std::string& code, const std::string& units, py::handle value1,
                    py::handle value2) {
  const property::PropertyFunction function = property::PropertyFunctionNamed(function_name);
  if (function == nullptr) {
    throw py::value_error("unknown property function " +
                          property::ShortenedForMessage(function_name) +
                          " (Temperature, Pressure, Volume, Enthalpy, Entropy or Cp; "
                          "critical_point for the critical point)");
  }
  const py::object second =
      value2.is_none() ? py::float_(0.0) : py::reinterpret_borrow<py::object>(value2);
  if (!IsOneNumber(value1) || !IsOneNumber(second)) {
    return Vectorised(function, fluid, code, units, value1, second);
  }
  const double v1 = NumberOf(value1, "value1");
  const double v2 = NumberOf(second, "value2");
  return py::float_(Answered(
      Serialised([&] { return property::AnswerOf(function, fluid, code, units, v1, v2); })));
}

double CriticalPoint(const std::string& fluid, const std::string& letter,
                     const std::string& units) {
  return Answered(Serialised([&] { return property::CriticalPointAnswer(fluid, letter, units); }));
}

}  // namespace

void AddProperties(py::module_& module) {
  py::register_exception<PropertyFailure>(module, "PropertyError");
  module.def("property", &Property, py::arg("function"), py::arg("fluid"), py::arg("code"),
             py::arg("units"), py::arg("value1"), py::arg("value2") = py::none(),
             R"(One property of the states given by value1 and value2, as `hpcalc property`
computes it.

function: Temperature, Pressure, Volume, Enthalpy, Entropy or Cp (any case).
fluid: a fluid or blend name ("R134a", "propane", "R410A"), a spelled mixture
    or a mixture file.
code: the two given properties ("TP", "PH", "TQ" ...) or a saturation code
    ("Tvap", "Pliq" ...).
units: the unit system ("mks": K, kPa, kJ/kg, kJ/kg-K, m3/kg ...).
value1, value2: numbers, or arrays (anything numpy takes) broadcast together;
    an omitted value2 is 0.

Returns a float for numbers, an array of the broadcast shape for arrays.
Where nothing is computed, a call with numbers raises PropertyError with
the library's message; an array holds NaN there and nothing is raised.)");
  module.def("critical_point", &CriticalPoint, py::arg("fluid"), py::arg("letter"),
             py::arg("units"),
             R"(The critical temperature (letter "T"), pressure ("P") or density ("D") of
the fluid in the unit system, as `hpcalc property CriticalPoint` computes
it. Raises PropertyError with the library's message where there is none.)");
}

}  // namespace heatpump_python
