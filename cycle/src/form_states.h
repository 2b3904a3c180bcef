// States of the property layer in the units of the forms.
#pragma once

#include <string_view>

#include "cycle/diagram.h"
#include "cycle_points.h"
#include "property_requests.h"

namespace cycle::detail {

constexpr double kKpaPerBar = 100;

inline DiagramState InForms(const property::StateProperties& s) {
  return {s.T - kKelvinOffset, s.P / kKpaPerBar, s.H, s.S};
}

// The state the request names, or CycleFailure as for Ask.
inline DiagramState RequireState(std::string_view fluid, const Request& request) {
  return InForms(AskState(fluid, request));
}

}  // namespace cycle::detail
