// What the round-trip tests share: whether a state solved back from two of
// its properties is the state they came from.
#pragma once

#include <string>

#include "fluidcore/fixed_mixture.h"
#include "fluidcore/flash.h"
#include "fluidcore/pure_fluid.h"

namespace fluidcore::test {

// |a - b| <= rel * max(|b|, floor).
bool close(double a, double b, double rel, double floor = 0);

// Whether `got`, solved from the input pair `pair` ("PH", ...) of `want`,
// is that state, or another state with the same given values (where two
// states share them: TH in compressed liquid, PD near a density maximum).
bool solved_back(const PureFluid& f, const std::string& pair, const FlashState& want,
                 const FlashResult& got);
bool solved_back(const FixedMixture& m, const std::string& pair, const FlashState& want,
                 const FlashResult& got);

}  // namespace fluidcore::test
