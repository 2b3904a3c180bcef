// The density at given (T, p) inside a bracket on one rising branch of an
// isotherm: the pure-fluid Isotherm or a MixtureIsotherm, which share the
// interface residual(rho), pressure(rho, ar), state(rho, ar).
#pragma once

#include <algorithm>
#include <cmath>

#include "fluidcore/state.h"

namespace fluidcore {

struct DensitySolution {
  bool ok = false;
  State state;
  int iterations = 0;
};

// The state at rho + d from the one at rho, to first order in d.
inline void shift_density(State& s, double d) {
  s.p += s.dp_drho * d;
  s.e += s.de_drho * d;
  s.h += s.dh_drho * d;
  s.g += s.dp_drho / s.rho * d;
  s.s += s.ds_drho * d;
  s.rho += d;
}

// Newton on p(rho) = p inside [lo, hi] (hi may be infinite: unknown), with
// bisection where a step leaves the bracket. On [lo, hi] p(rho) must rise.
template <class AnyIsotherm>
DensitySolution solve_density(const AnyIsotherm& iso, double p, double lo, double hi,
                              double guess, double cap) {
  DensitySolution out;
  double rho = std::clamp(guess, lo, std::min(hi, cap));
  if (!(rho > 0)) rho = std::min(hi, cap) * 0.5;
  for (int it = 0; it < 100; ++it) {
    out.iterations = it + 1;
    const auto ar = iso.residual(rho);
    const auto P = iso.pressure(rho, ar);
    const double f = P.p - p;
    const auto done = [&] {
      out.ok = true;
      out.state = iso.state(rho, ar);
      return out;
    };
    if (std::abs(f) <= 1e-13 * p && P.dp_drho > 0) return done();
    // A falling p(rho) denser than any saturated liquid is the equation's
    // unphysical region: the root lies below.
    if (P.dp_drho <= 0 && rho > 0.5 * cap) hi = rho;
    else if (f < 0) lo = rho;
    else hi = rho;
    double next = P.dp_drho > 0 ? rho - f / P.dp_drho : -1;
    // Newton converges quadratically: after a step this small the root is
    // rho + step to 1e-24, and the state there follows from the one at rho
    // to first order. (Where the equation is extrapolated far beyond its
    // range, dp/drho can be so large that a tiny step leaves p far off: the
    // miss must also be small against the ideal-gas pressure rho R T.)
    if (std::abs(next - rho) <= 1e-12 * rho && P.dp_drho > 0 &&
        std::abs(f) <= 1e-6 * iso.pressure(rho, HelmholtzDerivatives{}).p) {
      done();
      shift_density(out.state, next - rho);
      return out;
    }
    // Without an upper bound yet, grow at most twofold per step.
    if (std::isinf(hi) && next > 2 * rho) next = 2 * rho;
    if (!(next > lo && next < std::min(hi, cap))) {
      if (std::isinf(hi)) {
        if (rho >= cap) return out;
        next = std::min(2 * rho, cap);
      } else {
        next = lo > 0 && hi / lo > 4 ? std::sqrt(lo * hi) : 0.5 * (lo + hi);
      }
    }
    if (!std::isinf(hi) && hi - lo <= 1e-15 * hi) {
      // A collapsed bracket is a root only where p is met.
      if (std::abs(f) <= 1e-9 * p) return done();
      return out;
    }
    rho = next;
  }
  return out;
}

}  // namespace fluidcore
