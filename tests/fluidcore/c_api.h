// Calls of the C entry points the way the program makes them, for tests:
// fixed-width buffers, every output slot filled with a sentinel first.
#pragma once

#include <stdexcept>
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
// routine has one; `x` the composition handed over (20 zeros if null), and
// the phase compositions written to xl and xv where given.
CallResult call_flash(const std::string& pair, double v1, double v2, int k = 1,
                      const double* x = nullptr, double* xl = nullptr, double* xv = nullptr);

// The C++ flash behind a routine, with the same two values, for a pure
// fluid or a mixture (fixed_mixture.h).
template <class Model>
auto cpp_flash(const Model& f, const std::string& pair, double v1, double v2) {
  if (pair == "TP") return flash_tp(f, v1, v2);
  if (pair == "TD") return flash_td(f, v1, v2);
  if (pair == "TH") return flash_isotherm(f, v1, Property::enthalpy, v2);
  if (pair == "TS") return flash_isotherm(f, v1, Property::entropy, v2);
  if (pair == "TE") return flash_isotherm(f, v1, Property::internal_energy, v2);
  if (pair == "TQ") return flash_tq(f, v1, v2);
  if (pair == "PD") return flash_isochore(f, v2, Property::pressure, v1);
  if (pair == "PH") return flash_isobar(f, v1, Property::enthalpy, v2);
  if (pair == "PS") return flash_isobar(f, v1, Property::entropy, v2);
  if (pair == "PE") return flash_isobar(f, v1, Property::internal_energy, v2);
  if (pair == "PQ") return flash_pq(f, v1, v2);
  if (pair == "DH") return flash_isochore(f, v1, Property::enthalpy, v2);
  if (pair == "DS") return flash_isochore(f, v1, Property::entropy, v2);
  if (pair == "DE") return flash_isochore(f, v1, Property::internal_energy, v2);
  if (pair == "HS") return flash_hs(f, v1, v2);
  throw std::invalid_argument("no flash for " + pair);
}

// A given value of a pair ('T', 'P', 'D', 'H', 'S', 'E', 'Q') read back from a state.
double given_value(const FlashState& s, char letter);

}  // namespace fluidcore::test
