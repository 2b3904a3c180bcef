// Calls of the C entry points the way the program makes them, for tests:
// fixed-width buffers, every output slot filled with a sentinel first.
#pragma once

#include <string>

#include "fluidcore/flash.h"
#include "fluidcore/pure_fluid.h"

namespace fluidcore::test {

// SETUPdll with one fluid file (blank-padded list); returns ierr, and the
// message without its padding in `message` when given.
int setup_fluid(const std::string& files, std::string* message = nullptr);

// Every output of a flash routine, by name; the given values' slots keep a
// sentinel.
struct CallResult {
  int ierr = 0;
  std::string message;  // without trailing blanks
  std::string raw;      // the whole buffer as written
  double T = 0, P = 0, D = 0, Dl = 0, Dv = 0, Q = 0, E = 0, H = 0, S = 0, Cv = 0, Cp = 0,
         W = 0;
};

// The flash routine for an input pair ("TP", "PH", ... as in the routine
// names), its two given values in the routine's order, and kr/kq where the
// routine has one.
CallResult call_flash(const std::string& pair, double v1, double v2, int k = 1);

// The C++ flash behind a routine, with the same two values.
FlashResult cpp_flash(const PureFluid& fluid, const std::string& pair, double v1, double v2);

// A given value of a pair ('T', 'P', 'D', 'H', 'S', 'E', 'Q') read back from a state.
double given_value(const FlashState& s, char letter);

}  // namespace fluidcore::test
