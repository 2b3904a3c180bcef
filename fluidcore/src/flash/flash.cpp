#include "fluidcore/flash.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

#include "fluidcore/errors.h"
#include "fluidcore/saturation.h"
#include "fluidcore/state.h"
#include "eos/density_solve.h"
#include "flash/flash_support.h"
#include "numerics/roots.h"

namespace fluidcore {
namespace {

using Series = SaturationCurve::Series;
constexpr double kInf = std::numeric_limits<double>::infinity();

// ---------------------------------------------------------------------------
// Range checks

std::string check_temperature(const PureFluid& f, double T) {
  return fluidcore::check_temperature(T, f.limits.Tmin, f.limits.Tmax, f.name);
}

std::string check_pressure(const PureFluid& f, double p) {
  return fluidcore::check_pressure(p, f.limits.pmax, f.name);
}

// The densest state the solvers consider: well beyond the liquid at the
// upper pressure limit.
double density_cap(const PureFluid& f) {
  return 2.0 * f.saturation.monotonic_end_value(Series::liquid_density);
}

std::string check_density(const PureFluid& f, double rho) {
  return fluidcore::check_density(rho, density_cap(f), f.name);
}

// Tolerance on a converged y.
double tolerance(const PureFluid& f, Property y, double T, double value) {
  const double scale = y == Property::pressure  ? 0
                       : y == Property::entropy ? f.gas_constant
                                                : f.gas_constant * T;
  return 1e-12 * (std::abs(value) + scale);
}

FlashState single_phase(const PureFluid& f, const State& s) {
  return single_phase_state(s, f.Tcrit(), f.pcrit(), f.rhocrit());
}

// A single-phase result; a failure where the equation gives no physical
// state there (beyond the range of its data).
FlashResult single_phase_result(const PureFluid& f, const State& s, int iterations) {
  if (auto why = unphysical(s, f.gas_constant, f.name); !why.empty()) return failure(kOutOfRange, why);
  FlashResult r;
  r.state = single_phase(f, s);
  r.iterations = iterations;
  return r;
}

// A liquid-vapour state of molar quality q at the saturation point `sat`,
// the phase states evaluated on `iso` (at sat's temperature). A temperature
// a rounding error below the lower limit has the limit's saturation point,
// and the state is the one at the limit, phases included: the state every
// flash finds again there (none reaches two phases below the limit).
FlashState two_phase(const Isotherm& iso, const SaturationPoint& sat, double q) {
  if (iso.T() != sat.T) return two_phase(Isotherm(iso.fluid(), sat.T), sat, q);
  return two_phase_state(iso.state(sat.rhoL), iso.state(sat.rhoV), sat.T, sat.p, q);
}

// Two coexisting states A (q = 0) and B (q = 1) at one T and p, mixed.
FlashState mixture(const State& A, const State& B, double q) {
  FlashState r;
  r.T = A.T + q * (B.T - A.T);
  r.p = A.p + q * (B.p - A.p);
  r.rhoL = std::max(A.rho, B.rho);
  r.rhoV = std::min(A.rho, B.rho);
  r.rho = 1 / ((1 - q) / A.rho + q / B.rho);
  r.e = A.e + q * (B.e - A.e);
  r.h = A.h + q * (B.h - A.h);
  r.s = A.s + q * (B.s - A.s);
  r.q = A.rho > B.rho ? q : 1 - q;
  r.cv = r.cp = r.w = kUndefined;
  r.phase = Phase::two_phase;
  return r;
}

// Quality of density rho between the saturated densities.
double quality_of_density(const SaturationPoint& sat, double rho) {
  return std::clamp((1 / rho - 1 / sat.rhoL) / (1 / sat.rhoV - 1 / sat.rhoL), 0.0, 1.0);
}

// ---------------------------------------------------------------------------
// Density at (T, p)

// Density of the single-phase state at (T, p): the liquid or vapour branch
// chosen against the saturation pressure at T. guess <= 0: start from the
// saturation curve or the ideal gas.
DensitySolution density_at(const PureFluid& f, const Isotherm& iso, double p, double guess) {
  const double T = iso.T();
  // The branch: a bracket [lo, hi] and a start.
  double lo = 0, hi = kInf, start = p / (f.gas_constant * T);
  SaturationPoint sat;
  bool liquid = false;
  if (T < f.Tcrit()) {
    sat = saturation_point(f, T);
    // The margins admit states where the series and the equation differ
    // about which side of the curve a state lies on: the last digits, and
    // within a millikelvin or so of the critical point (where the series'
    // pressure can be 1e-6 off) a fifth of the way to the critical density,
    // still short of the spinodal.
    const bool near_critical = T > (1 - 1e-5) * f.Tcrit();
    liquid = p >= sat.p;
    if (liquid) {
      lo = sat.rhoL - std::max(1e-6 * sat.rhoL, near_critical ? 0.2 * (sat.rhoL - f.rhocrit()) : 0);
      start = sat.rhoL;
    } else {
      hi = sat.rhoV + std::max(1e-6 * sat.rhoV, near_critical ? 0.2 * (f.rhocrit() - sat.rhoV) : 0);
      // The virial-like estimate Z(p) = 1 - (1 - Z_sat) p / p_sat.
      const double RT = f.gas_constant * T;
      const double z_sat = sat.p / (sat.rhoV * RT);
      start = p / (RT * (1 - (1 - z_sat) * p / sat.p));
    }
  } else if (p > f.pcrit()) {
    start = std::max(start, f.rhocrit());
  }
  DensitySolution d = solve_density(iso, p, lo, hi, guess > 0 ? guess : start, density_cap(f));
  if (liquid && d.ok && takes_saturation_pressure(f, sat, T, d.state.rho)) {
    // The density that has the given pressure by the saturation curve's
    // reckoning (take_liquid_pressure_from_saturation).
    const double rho = sat.rhoL + (p - sat.p) / d.state.dp_drho;
    if (takes_saturation_pressure(f, sat, T, rho)) {
      shift_density(d.state, rho - d.state.rho);
      d.state.p = p;
    }
  }
  return d;
}

std::vector<double> linear_grid(double a, double b, int n) {
  std::vector<double> xs;
  for (int i = 0; i <= n; ++i) xs.push_back(a + (b - a) * i / n);
  return xs;
}

// The densest state the isotherm flashes consider: the liquid at the upper
// pressure limit, or the density cap where that lies beyond the densest
// liquid the equation covers.
double isotherm_top(const PureFluid& f, const Isotherm& iso) {
  const auto top = density_at(f, iso, highest_admitted(f.limits.pmax), -1);
  return top.ok ? top.state.rho : density_cap(f);
}

// The first state with y = value on the isotherm from rho_a up to rho_b, on
// a grid of n steps in ln(rho); sat is the saturation point at its
// temperature (empty above the critical one).
std::optional<FlashResult> first_on_isotherm(const PureFluid& f, const Isotherm& iso,
                                             const SaturationPoint& sat, Property y, double value,
                                             double rho_a, double rho_b, int n) {
  const auto residual = [&](double ln_rho) {
    return value_of(iso.state(std::exp(ln_rho)), y) - value;
  };
  const auto slope = [&](double ln_rho) {
    const double rho = std::exp(ln_rho);
    return rho * d_drho(iso.state(rho), y);
  };
  const auto root =
      first_root(residual, linear_grid(std::log(rho_a), std::log(rho_b), n), 1e-15, slope);
  if (!root) return std::nullopt;
  State s = iso.state(std::exp(root->x));
  take_liquid_pressure_from_saturation(f, sat, s);
  return single_phase_result(f, s, root->iterations);
}

// ---------------------------------------------------------------------------
// Isobar: T such that y(T, p) = value on one branch, y rising with T.

// known_lo / known_hi: whether y is already known to lie below / above the
// value at Ta / Tb (a saturation boundary); an unknown end of the range is
// probed when a step would pass it.
FlashResult solve_on_isobar(const PureFluid& f, double p, Property y, double value, double Ta,
                            double Tb, bool known_lo, bool known_hi, double T0, double rho0) {
  const double Tlo = Ta, Thi = Tb;
  double T = std::clamp(T0, Ta, Tb);
  if (!std::isfinite(T)) T = 0.5 * (Ta + Tb);
  double rho_guess = rho0;
  std::optional<State> below, above;  // the last states on either side of the value
  bool scanned = false;
  FlashResult r;
  for (int it = 0; it < 100; ++it) {
    r.iterations = it + 1;
    const Isotherm iso(f, T);
    const auto d = density_at(f, iso, p, rho_guess);
    // No density reaches p at this T (beyond the densest liquid the
    // equation covers), or y lies above the value where the equation gives
    // no physical state (its region of negative heat capacity at extreme
    // pressures and the lowest temperatures): the state lies at a higher
    // temperature.
    if (!d.ok || (value_of(d.state, y) > value && !physical(d.state, f.gas_constant))) {
      if (T >= Thi)
        return failure(kNoConvergence, "no density found at " + show("temperature", T, "K") +
                                           " and " + show("pressure", p, "kPa") + " of " + f.name);
      Ta = T;
      known_lo = true;
      T = known_hi ? 0.5 * (Ta + Tb) : Tb;
      rho_guess = -1;
      continue;
    }
    const State& s = d.state;
    const double res = value_of(s, y) - value;
    if (std::abs(res) <= tolerance(f, y, T, value)) return single_phase_result(f, s, r.iterations);
    const bool beyond_hi = res < 0 && T >= Thi, beyond_lo = res > 0 && T <= Tlo;
    if ((beyond_hi || beyond_lo) && !scanned) {
      // Where the equation is stretched (cp < 0 at extreme pressures) y need
      // not rise monotonically: look for a rising sign change over the whole
      // range once before giving up.
      scanned = true;
      double Tprev = Tlo, rprev = std::nan("");
      bool found = false;
      for (int i = 0; i <= 32 && !found; ++i) {
        const double Ti = Tlo + (Thi - Tlo) * i / 32;
        const auto di = density_at(f, Isotherm(f, Ti), p, -1);
        const double ri = di.ok ? value_of(di.state, y) - value : std::nan("");
        if (rprev < 0 && ri > 0) {
          Ta = Tprev;
          Tb = Ti;
          known_lo = known_hi = found = true;
        }
        Tprev = Ti;
        rprev = ri;
      }
      if (found) {
        T = 0.5 * (Ta + Tb);
        rho_guess = -1;
        continue;
      }
    }
    if (beyond_hi || beyond_lo)
      return failure(kOutOfRange,
                     beyond_value_at_limit(y, value, show("pressure", p, "kPa"), value_of(s, y),
                                           beyond_hi, T, f.name),
                     beyond_hi ? 1 : -1);
    if (res < 0) {
      Ta = T;
      known_lo = true;
    } else {
      Tb = T;
      known_hi = true;
    }
    (res < 0 ? below : above) = s;
    const bool bracketed = known_lo && known_hi;
    const double slope = d_dT_at_p(s, y);
    double next = slope > 0 ? T - res / slope : std::nan("");
    if (bracketed && (Tb - Ta <= 1e-13 * T || std::abs(next - T) <= 1e-13 * T)) {
      // The bracket has closed (cp can be near-infinite at the critical
      // point). Where y still jumps across it, the isobar crosses a phase
      // boundary the saturation series places a hair away (within 1e-6 of
      // the critical pressure): the state is the mixture of the two sides.
      if (std::abs(res) <= 1e3 * tolerance(f, y, T, value))
        return single_phase_result(f, s, r.iterations);
      if (below && above) {
        const double yA = value_of(*below, y), yB = value_of(*above, y);
        r.state = mixture(*below, *above, (value - yA) / (yB - yA));
        return r;
      }
      return failure(kNoConvergence, "no convergence at " + show("pressure", p, "kPa") +
                                         " and " + show(y, value) + " of " + f.name);
    }
    if (std::abs(next - T) <= 1e-13 * T) next = std::nan("");
    if (!(next > Ta && next < Tb))
      next = res < 0 && !known_hi ? Tb : res > 0 && !known_lo ? Ta : 0.5 * (Ta + Tb);
    rho_guess = std::clamp(s.rho + drho_dT_at_p(s) * (next - T), 0.5 * s.rho, 2 * s.rho);
    if (!std::isfinite(rho_guess)) rho_guess = -1;
    T = next;
  }
  return failure(kNoConvergence, "no convergence at " + show("pressure", p, "kPa") + " and " +
                                     show(y, value) + " of " + f.name);
}

// The state on an isobar above the critical pressure: Newton in (T, ln rho)
// jointly on p(T, rho) = p and y(T, rho) = value, from the critical density
// a tenth above the critical temperature (at the critical point itself
// (dp/drho)_T vanishes and the first step flies off).
// Along the isobar alone Newton creeps near the critical temperature, where
// cp is huge; the joint system stays well conditioned there, since
// (dp/dT)_rho (dy/drho)_T does not vanish. Empty where it does not settle
// within [Tmin, Tmax] on a mechanically stable state.
struct JointSolution {
  State state;
  int iterations;
};

std::optional<JointSolution> solve_jointly(const PureFluid& f, double p, Property y, double value,
                                           double Tmin, double Tmax) {
  double T = 1.1 * f.Tcrit(), ln_rho = std::log(f.rhocrit());
  for (int it = 1; it <= 16; ++it) {
    const State s = evaluate_state(f, T, std::exp(ln_rho));
    const double rp = s.p - p, ry = value_of(s, y) - value;
    // The tolerances density_at and solve_on_isobar meet.
    if (std::abs(rp) <= 1e-13 * p && std::abs(ry) <= tolerance(f, y, T, value)) {
      if (!(s.dp_drho > 0)) return std::nullopt;
      return JointSolution{s, it};
    }
    // Columns: by T at constant rho, by ln rho at constant T.
    const double pT = s.dp_dT, px = s.rho * s.dp_drho;
    const double yT = d_dT_at_rho(s, y), yx = s.rho * d_drho(s, y);
    const double det = pT * yx - px * yT;
    double dT = (px * ry - yx * rp) / det, dx = (yT * rp - pT * ry) / det;
    if (!std::isfinite(dT) || !std::isfinite(dx)) return std::nullopt;
    // At most a tenth of T and a factor of two in rho per step.
    const double damp = std::min({1.0, 0.1 * T / std::abs(dT), std::log(2.0) / std::abs(dx)});
    T += damp * dT;
    ln_rho += damp * dx;
    if (!(T >= Tmin && T <= Tmax)) return std::nullopt;
  }
  return std::nullopt;
}

// The state of quality q at the saturation point that `saturation` finds
// at `given` (a temperature or a pressure).
FlashResult flash_quality(const PureFluid& f, SaturationResult (*saturation)(const PureFluid&, double),
                          double given, double q) {
  if (auto why = check_quality(q); !why.empty()) return failure(input_status(q), why);
  const auto sat = saturation(f, given);
  if (!sat.ok()) return failure(sat.status, sat.message);
  FlashResult r;
  r.state = two_phase(Isotherm(f, sat.point.T), sat.point, std::clamp(q, 0.0, 1.0));
  return r;
}

// The state on the isentrope s with enthalpy h, between the pressures
// exp(x_lo) and exp(x_hi), searched from exp(x). Along an isentrope dh = v dp:
// h rises with p. Newton in x = ln(p) with dh/dx = p / rho, inside a bracket
// [a, b]. Where the isentropic state at p lies above the upper temperature
// limit p is too high, below the lower limit too low.
FlashResult search_isentrope(const PureFluid& f, double h, double s, double x_lo, double x_hi,
                             double x) {
  const auto out_of_range = [&](const char* why) {
    return failure(kOutOfRange, "no state of " + f.name + " has " + show(Property::enthalpy, h) +
                                    " and " + show(Property::entropy, s) + ": " + why);
  };
  double a = x_lo, b = x_hi;
  for (int it = 0; it < 200; ++it) {
    auto r = flash_isobar(f, std::exp(x), Property::entropy, s);
    double next = std::nan("");
    if (!r.ok()) {
      // beyond > 0: the isentrope's state at this p lies above the upper
      // temperature limit, so p is too high. Any other failure happens at
      // a pressure probed above the last good one (the equation's extreme
      // compressed liquid): too high as well.
      (r.beyond >= 0 ? b : a) = x;
    } else {
      const double res = r.state.h - h;
      // The isobar's state is found to the tolerance on s, which leaves h
      // uncertain by T times that (dh = T ds at constant p).
      const double T = r.state.T;
      if (std::abs(res) <= tolerance(f, Property::enthalpy, T, h) +
                               T * tolerance(f, Property::entropy, T, s)) {
        r.iterations = it + 1;
        return r;
      }
      if (res < 0 && x >= x_hi) return out_of_range("the enthalpy is above the isentrope's value at the upper pressure limit");
      if (res > 0 && x <= x_lo) return out_of_range("the enthalpy is below the isentrope's value at the lowest pressure");
      (res < 0 ? a : b) = x;
      next = x - res / (r.state.p / r.state.rho);
    }
    if (!(next > a && next < b)) {
      // Probe an unchecked end of the range before bisecting towards it.
      if (b == x_hi && x < x_hi && !(next <= a)) next = x_hi;
      else if (a == x_lo && x > x_lo && next <= a) next = x_lo;
      else next = 0.5 * (a + b);
    }
    if (b - a <= 1e-15 * std::abs(x)) break;
    x = next;
  }
  return failure(kNoConvergence, "no convergence for " + show(Property::enthalpy, h) + " and " +
                                     show(Property::entropy, s) + " of " + f.name);
}

}  // namespace

// ---------------------------------------------------------------------------

FlashResult flash_tp(const PureFluid& f, double T, double p) {
  if (auto why = check_temperature(f, T); !why.empty()) return failure(input_status(T), why);
  if (auto why = check_pressure(f, p); !why.empty()) return failure(input_status(p), why);
  const Isotherm iso(f, T);
  const auto d = density_at(f, iso, p, -1);
  if (!d.ok)
    return failure(kNoConvergence, "no density found at " + show("temperature", T, "K") +
                                       " and " + show("pressure", p, "kPa") + " of " + f.name);
  return single_phase_result(f, d.state, d.iterations);
}

FlashResult flash_td(const PureFluid& f, double T, double rho) {
  if (auto why = check_temperature(f, T); !why.empty()) return failure(input_status(T), why);
  if (auto why = check_density(f, rho); !why.empty()) return failure(input_status(rho), why);
  const Isotherm iso(f, T);
  FlashResult r;
  const auto sat = T < f.Tcrit() ? saturation_point(f, T) : SaturationPoint{};
  if (rho > sat.rhoV && rho < sat.rhoL) {
    r.state = two_phase(iso, sat, quality_of_density(sat, rho));
    r.state.rho = rho;
  } else {
    State s = iso.state(rho);
    take_liquid_pressure_from_saturation(f, sat, s);
    r = single_phase_result(f, s, 0);
    if (!r.ok()) return r;
  }
  return warn_above_pressure_limit(r, f.limits.pmax, f.name);
}

FlashResult flash_tq(const PureFluid& f, double T, double q) {
  return flash_quality(f, saturation_at_temperature, T, q);
}

FlashResult flash_pq(const PureFluid& f, double p, double q) {
  return flash_quality(f, saturation_at_pressure, p, q);
}

FlashResult flash_isobar(const PureFluid& f, double p, Property y, double value) {
  if (auto why = check_pressure(f, p); !why.empty()) return failure(input_status(p), why);
  if (!std::isfinite(value)) return failure(kBadInput, quantity(y) + " is not a finite number");
  const double Tmin = lowest_admitted(f.limits.Tmin), Tmax = highest_admitted(f.limits.Tmax);
  const auto& curve = f.saturation;
  // A pressure a rounding error below the saturation pressure at the lower
  // limit meets the saturation curve there, and a liquid state takes that
  // pressure: the liquid at the lower limit lies within range.
  if (p >= lowest_admitted(f.psat_min) && p < curve.pcrit()) {
    SaturationPoint sat = curve.at_temperature(saturation_temperature(f, p));
    sat.p = p;
    const Isotherm iso(f, sat.T);
    const State L = iso.state(sat.rhoL), V = iso.state(sat.rhoV);
    const double yL = value_of(L, y), yV = value_of(V, y);
    if (value >= yL && value <= yV) {
      FlashResult r;
      r.state = two_phase(iso, sat, yV > yL ? (value - yL) / (yV - yL) : 0.0);
      return r;
    }
    if (value < yL)
      return solve_on_isobar(f, std::max(p, f.psat_min), y, value, Tmin, sat.T, false, true,
                             sat.T - (yL - value) / d_dT_at_p(L, y), L.rho);
    return solve_on_isobar(f, p, y, value, sat.T, Tmax, true, false,
                           sat.T + (value - yV) / d_dT_at_p(V, y), V.rho);
  }
  // Below the lowest saturation pressure every state is vapour; above the
  // critical pressure the isobar crosses no phase boundary.
  if (p < f.psat_min) return solve_on_isobar(f, p, y, value, Tmin, Tmax, false, false, Tmin, -1);
  const auto joint = solve_jointly(f, p, y, value, Tmin, Tmax);
  if (!joint) return solve_on_isobar(f, p, y, value, Tmin, Tmax, false, false, f.Tcrit(), -1);
  // Below the critical temperature the density's branch is the liquid's:
  // the isobar's own solver checks it.
  if (joint->state.T >= f.Tcrit()) return single_phase_result(f, joint->state, joint->iterations);
  auto r = solve_on_isobar(f, p, y, value, Tmin, Tmax, false, false, joint->state.T,
                           joint->state.rho);
  r.iterations += joint->iterations;
  return r;
}

FlashResult flash_isotherm(const PureFluid& f, double T, Property y, double value) {
  if (auto why = check_temperature(f, T); !why.empty()) return failure(input_status(T), why);
  if (!std::isfinite(value)) return failure(kBadInput, quantity(y) + " is not a finite number");
  const Isotherm iso(f, T);
  // Densities from a near-vacuum to the liquid at the upper pressure limit.
  const double rho_floor = 1e-6 * f.psat_min / (f.gas_constant * T);
  const double rho_top = isotherm_top(f, iso);
  const auto sat = T < f.Tcrit() ? saturation_point(f, T) : SaturationPoint{};
  const auto solve_branch = [&](double rho_a, double rho_b, int n) {
    return first_on_isotherm(f, iso, sat, y, value, rho_a, rho_b, n);
  };
  if (T < f.Tcrit()) {
    if (auto r = solve_branch(std::min(rho_floor, 0.5 * sat.rhoV), sat.rhoV, 48)) return *r;
    // A rounding error below the lower limit the two phases are those at
    // the limit (two_phase).
    std::optional<Isotherm> at_limit;
    if (sat.T != T) at_limit.emplace(f, sat.T);
    const Isotherm& phases = at_limit ? *at_limit : iso;
    const State L = phases.state(sat.rhoL), V = phases.state(sat.rhoV);
    const double yL = value_of(L, y), yV = value_of(V, y);
    // Within the tolerance of a saturated value counts as that saturated
    // state: the branch searches end a rounding error short of it.
    const double tol = tolerance(f, y, T, value);
    if ((value - yL) * (value - yV) <= 0 || std::abs(value - yL) <= tol ||
        std::abs(value - yV) <= tol) {
      FlashResult r;
      const double q = yV != yL ? (value - yL) / (yV - yL) : 0.0;
      r.state = two_phase(phases, sat, std::clamp(q, 0.0, 1.0));
      return r;
    }
    if (rho_top > sat.rhoL)
      if (auto r = solve_branch(sat.rhoL, rho_top, 32)) return *r;
  } else if (auto r = solve_branch(std::min(rho_floor, 0.5 * rho_top), rho_top, 64)) {
    return *r;
  }
  return failure(kOutOfRange, "no state of " + f.name + " at " + show("temperature", T, "K") +
                                  " has " + show(y, value) +
                                  " (between a near-vacuum and the upper pressure limit)");
}

FlashResult flash_isochore(const PureFluid& f, double rho, Property y, double value) {
  if (auto why = check_density(f, rho); !why.empty()) return failure(input_status(rho), why);
  if (!std::isfinite(value)) return failure(kBadInput, quantity(y) + " is not a finite number");
  if (y == Property::pressure)
    if (auto why = check_pressure(f, value); !why.empty()) return failure(kOutOfRange, why);
  const auto& curve = f.saturation;
  // The state at T on this isochore: two-phase inside the dome.
  const auto state_at = [&](double T) {
    const Isotherm iso(f, T);
    State s = iso.state(rho);
    if (T < f.Tcrit()) {
      const auto sat = saturation_point(f, T);
      if (rho > sat.rhoV && rho < sat.rhoL) {
        FlashState mixed = two_phase(iso, sat, quality_of_density(sat, rho));
        mixed.rho = rho;
        return mixed;
      }
      take_liquid_pressure_from_saturation(f, sat, s);
    }
    return single_phase(f, s);
  };
  // Grid over the range, with the kinks where the isochore meets the dome.
  const double Tmin = lowest_admitted(f.limits.Tmin), Tmax = highest_admitted(f.limits.Tmax);
  std::vector<double> grid = linear_grid(Tmin, Tmax, 48);
  // The lower limit itself: where the isochore meets the saturation curve
  // there, its state lies exactly on the limit.
  grid.push_back(f.limits.Tmin);
  grid.push_back(f.Tcrit());
  if (rho >= f.rhocrit()) {
    if (rho <= curve.monotonic_end_value(Series::liquid_density))
      grid.push_back(curve.temperature_at(Series::liquid_density, rho));
    // Below a density maximum (water's at 277 K) the isochore meets the
    // liquid line a second time.
    const double T_densest = curve.monotonic_from(Series::liquid_density);
    const auto denser = [&](double T) { return curve.value(Series::liquid_density, T) - rho; };
    const double at_lowest = denser(f.limits.Tmin), at_densest = denser(T_densest);
    if (at_lowest < 0 && at_densest >= 0)
      grid.push_back(brent(denser, f.limits.Tmin, T_densest, at_lowest, at_densest, 1e-13 * T_densest).x);
  } else if (rho >= curve.at_temperature(Tmin).rhoV) {
    grid.push_back(curve.temperature_at(Series::vapour_density, rho));
  }
  std::sort(grid.begin(), grid.end());
  // A residual within the tolerance counts as zero: at the lower limit the
  // isochore can meet the value only within rounding (the saturated vapour
  // there has the series' pressure, the single phase next to it the
  // equation's).
  const double ftol = tolerance(f, y, f.Tcrit(), value);
  const auto residual = [&](double T) {
    const double r = value_of(state_at(T), y) - value;
    return std::abs(r) <= ftol ? 0.0 : r;
  };
  // The sign of the slope, for extrema between grid points (the pressure of
  // water near its density maximum).
  const auto slope = [&](double T) {
    const double dT = 1e-7 * T;
    return residual(std::min(T + dT, Tmax)) - residual(std::max(T - dT, Tmin));
  };
  const auto find = [&](const std::vector<double>& xs) {
    auto r = first_root(residual, xs, 1e-13 * Tmax, slope, ftol);
    // Brent's last step can pass the end of the range by its tolerance.
    if (r) r->x = std::clamp(r->x, Tmin, Tmax);
    return r;
  };
  // The first root from low T whose state is physical: at densities beyond
  // the liquid's at the upper pressure limit the equation's unphysical
  // region (cv < 0) can hold roots of its own below the physical one.
  auto root = find(grid);
  std::string why;  // why the last root found is no state
  for (int k = 0; root && k < 16; ++k) {
    const FlashState s = state_at(root->x);
    why = s.phase == Phase::two_phase
              ? std::string()
              : unphysical(Isotherm(f, root->x).state(rho), f.gas_constant, f.name);
    if (why.empty()) break;
    std::vector<double> rest{root->x * (1 + 1e-9)};
    for (const double T : grid)
      if (T > rest.front()) rest.push_back(T);
    root = rest.size() > 1 ? find(rest) : std::nullopt;
  }
  if (!why.empty())
    return failure(kOutOfRange, "no state of " + f.name + " at " + show("density", rho, "mol/dm^3") +
                                    " has " + show(y, value) + ": " + why);
  if (!root)
    return failure(kOutOfRange, "no state of " + f.name + " at " +
                                    show("density", rho, "mol/dm^3") + " has " + show(y, value) +
                                    " between " + format_number(Tmin) + " and " +
                                    format_number(Tmax) + " K");
  FlashResult r;
  r.state = state_at(root->x);
  r.iterations = root->iterations;
  return warn_above_pressure_limit(r, f.limits.pmax, f.name);
}

FlashResult flash_hs(const PureFluid& f, double h, double s) {
  if (!std::isfinite(h)) return failure(kBadInput, "enthalpy is not a finite number");
  if (!std::isfinite(s)) return failure(kBadInput, "entropy is not a finite number");
  const double x_lo = std::log(1e-6 * f.psat_min), x_hi = std::log(highest_admitted(f.limits.pmax));
  auto r = search_isentrope(f, h, s, x_lo, x_hi, std::log(std::min(f.pcrit(), f.limits.pmax)));
  if (r.status != kNoConvergence) return r;
  // Where a liquid expands on cooling (water below 277 K, some equations
  // at extreme pressures), an isentrope can leave the range below the lower
  // temperature limit between ranges of pressure, and the search close on
  // the end of the wrong one. Each such range ends where the isentrope meets
  // the lower limit, at a liquid there with the given entropy. That pressure
  // is known only roughly (the entropy hardly changes with it), but the
  // isentrope stays within a rounding error of the limit well beyond it.
  const Isotherm iso(f, f.limits.Tmin);
  const auto sat = saturation_point(f, f.limits.Tmin);
  const double rho_top = isotherm_top(f, iso);
  double rho_from = sat.rhoL;
  for (int k = 0; k < 4 && rho_from < rho_top; ++k) {
    const auto edge =
        first_on_isotherm(f, iso, sat, Property::entropy, s, rho_from, rho_top, 32);
    if (!edge || !edge->ok()) break;
    const double x_edge = std::log(edge->state.p);
    if (auto below = search_isentrope(f, h, s, x_lo, x_edge + 1e-6, x_edge); below.ok())
      return below;
    rho_from = edge->state.rho * (1 + 1e-9);
  }
  return r;
}

}  // namespace fluidcore
