#include "roundtrip_support.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "c_api.h"
#include "fluidcore/mixture_state.h"
#include "fluidcore/state.h"

namespace fluidcore::test {
namespace {

// R: the model's gas constant; dp_drho: (dp/drho)_T of a single-phase state.
bool solved_back(double R, const std::function<double(const FlashState&)>& dp_drho,
                 const std::string& pair, const FlashState& want, const FlashResult& got) {
  if (!got.ok()) return false;
  const auto& s = got.state;
  const bool same = close(s.T, want.T, 1e-7) && close(s.rho, want.rho, 1e-6) &&
                    close(s.h, want.h, 1e-7, R * want.T);
  if (same) return true;
  const auto reproduces = [&](char c) {
    const double floor = c == 'H' || c == 'E' ? R * want.T
                         : c == 'S'           ? R
                         : c == 'Q'           ? 1.0
                                              : 0;
    const double a = given_value(s, c), b = given_value(want, c);
    if (close(a, b, 1e-8, floor)) return true;
    // A liquid's pressure moves by rho dp/drho per relative step of its
    // density: at low pressure that makes p itself uncertain.
    return c == 'P' && s.phase != Phase::two_phase &&
           std::abs(a - b) <= 1e-13 * s.rho * dp_drho(s);
  };
  return reproduces(pair[0]) && reproduces(pair[1]);
}

}  // namespace

bool close(double a, double b, double rel, double floor) {
  return std::abs(a - b) <= rel * std::max(std::abs(b), floor);
}

bool solved_back(const PureFluid& f, const std::string& pair, const FlashState& want,
                 const FlashResult& got) {
  return solved_back(
      f.gas_constant,
      [&](const FlashState& s) { return evaluate_state(f, s.T, s.rho).dp_drho; }, pair, want, got);
}

bool solved_back(const FixedMixture& m, const std::string& pair, const FlashState& want,
                 const FlashResult& got) {
  return solved_back(
      Mixture::kGasConstant,
      [&](const FlashState& s) {
        return MixtureIsotherm(m.model(), s.T, m.z()).pressure(s.rho).dp_drho;
      },
      pair, want, got);
}

}  // namespace fluidcore::test
