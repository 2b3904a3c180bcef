// Wet compression: fluids whose dew line overhangs (R1233zd(E), R245fa,
// R1336mzz(Z)) end an isentropic compression from a little superheat inside
// the two-phase region, where liquid droplets wear the compressor down.
#pragma once

#include <string>
#include <variant>

#include "cycle/comparison.h"

namespace cycle {

struct WetCompression {
  // The isentropic compression from the suction ends inside the dome.
  bool wet = false;
  // The superheat at Pe (K) at which an isentropic compression from Pe to
  // Pc ends on the dew line; 0 where none is needed.
  double min_superheat = 0;
};

// Of the comparison's cycle of one refrigerant at its conditions. A failed
// property request gives its message and reason as Cal's do.
std::variant<WetCompression, CalFailure> ComparisonWetCompression(
    const std::string& refrigerant, const ComparisonConditions& conditions,
    LibraryText library_text = LibraryText::omitted);

}  // namespace cycle
