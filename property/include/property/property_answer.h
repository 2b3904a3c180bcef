// One property request as a person asks it, by the function's name: the
// number, or the text that says why there is none. `hpcalc property` prints
// it and the Python module returns or raises it.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "property/property_functions.h"

namespace property {

using PropertyFunction = PropertyResult (*)(std::string_view fluid, std::string_view code,
                                            std::string_view units, double value1, double value2);

// Temperature, Pressure, Volume, Enthalpy, Entropy or Cp, the name without
// regard to case; nullptr for any other name.
PropertyFunction PropertyFunctionNamed(std::string_view name);

// The number, or the library's message without its trailing blanks ("no
// value" where it gives none). Where the layer computes nothing and hands
// back the given value (a code that names no pair of properties, a
// temperature of 0 K or less), the message says so: no number is answered.
using PropertyAnswer = std::variant<double, std::string>;
PropertyAnswer AnswerOf(PropertyFunction function, std::string_view fluid, std::string_view code,
                        std::string_view units, double value1, double value2);

// Whether the name is CriticalPoint, without regard to case.
bool NamesCriticalPoint(std::string_view name);

// The critical temperature (letter "T"), pressure ("P") or density ("D").
PropertyAnswer CriticalPointAnswer(std::string_view fluid, std::string_view letter,
                                   std::string_view units);

}  // namespace property
