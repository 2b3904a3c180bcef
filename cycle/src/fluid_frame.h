// The refrigerant's own figures that bound its cycles and diagrams.
#pragma once

#include <optional>
#include <string>

#include "property/property_functions.h"

namespace cycle::detail {

struct FluidFrame {
  double Tmin;   // the lowest temperature of its equation, K
  double Tcrit;  // K
  double pcrit;  // kPa
};

// CycleFailure where the property layer gives no number.
FluidFrame FrameOf(const std::string& fluid);

// Where the critical temperature the property layer gave for the fluid is
// a text (it could not load the fluid): the text in the forms' terms, or
// "Unknown refrigerant <fluid>". Nothing where it is a number.
std::optional<std::string> UnknownRefrigerant(const std::string& fluid,
                                              const property::PropertyResult& critical_temperature);

}  // namespace cycle::detail
