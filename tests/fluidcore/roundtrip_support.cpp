#include "roundtrip_support.h"

#include <algorithm>
#include <cmath>

#include "c_api.h"
#include "fluidcore/state.h"

namespace fluidcore::test {

bool close(double a, double b, double rel, double floor) {
  return std::abs(a - b) <= rel * std::max(std::abs(b), floor);
}

bool solved_back(const PureFluid& f, const std::string& pair, const FlashState& want,
                 const FlashResult& got) {
  if (!got.ok()) return false;
  const auto& s = got.state;
  const bool same = close(s.T, want.T, 1e-7) && close(s.rho, want.rho, 1e-6) &&
                    close(s.h, want.h, 1e-7, f.gas_constant * want.T);
  if (same) return true;
  const auto reproduces = [&](char c) {
    const double floor = c == 'H' || c == 'E' ? f.gas_constant * want.T
                         : c == 'S'           ? f.gas_constant
                         : c == 'Q'           ? 1.0
                                              : 0;
    const double a = given_value(s, c), b = given_value(want, c);
    if (close(a, b, 1e-8, floor)) return true;
    // A liquid's pressure moves by rho dp/drho per relative step of its
    // density: at low pressure that makes p itself uncertain.
    return c == 'P' && s.phase != Phase::two_phase &&
           std::abs(a - b) <= 1e-13 * s.rho * evaluate_state(f, s.T, s.rho).dp_drho;
  };
  return reproduces(pair[0]) && reproduces(pair[1]);
}

}  // namespace fluidcore::test
