// Consistency of successful results: a flash's state reproduces its given
// values through TDFLSH at the returned T and D and agrees with THERM, a
// two-phase state has 0 <= q <= 1 and its densities around the overall one,
// and saturation states have equal pressures in both phases.
#pragma once

#include <string>

#include "common/calls.h"
#include "common/scales.h"

namespace fuzz {

void verify_flash(const std::string& pair, const FlashCall& f, const Model& m, const Scales& sc);

void verify_saturation(char kind, double value, int kph, const SaturationCall& c, const Model& m,
                       const Scales& sc);

}  // namespace fuzz
