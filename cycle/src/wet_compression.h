// Where an isentropic compression ends: inside the dome or beyond its dew
// line, judged by the entropy of the saturated vapour at the outlet pressure.
#pragma once

#include <string_view>

#include "property/property_functions.h"

namespace cycle::detail {

// The saturated vapour (dew point) at a pressure, kPa; CycleFailure as for AskState.
property::StateProperties DewAt(std::string_view fluid, double pressure);

// Whether an isentropic compression from this entropy to the dew state's
// pressure ends inside the dome.
inline bool EndsWet(double suction_entropy, const property::StateProperties& dew_at_outlet) {
  return suction_entropy < dew_at_outlet.S;
}

// The superheat above the dew temperature at Pe (K) at which an isentropic
// compression ends on the dew line at Pc: where the dew line's entropy at
// Pc lies above that at Pe, the temperature at Pe with that entropy, less
// the dew temperature there; else 0.
double MinimumSuperheat(std::string_view fluid, const property::StateProperties& dew_at_pe,
                        const property::StateProperties& dew_at_pc);

}  // namespace cycle::detail
