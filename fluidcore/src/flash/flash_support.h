// What the flash solvers of pure fluids and of mixtures share: their
// results, messages naming quantities, and the derivatives of a state along
// the paths they solve on.
#pragma once

#include <cmath>
#include <string>

#include "fluidcore/errors.h"
#include "fluidcore/flash.h"
#include "fluidcore/saturation.h"
#include "fluidcore/state.h"

namespace fluidcore {

// A failed flash: status > 0, the reason, and for a given value out of reach
// the side it lies on (FlashResult::beyond).
template <class Result = FlashResult>
Result failure(int status, std::string message, int beyond = 0) {
  Result r;
  r.status = status;
  r.message = std::move(message);
  r.beyond = beyond;
  return r;
}

// A given value that is not finite is bad input; one out of range is not.
inline int input_status(double v) { return std::isfinite(v) ? kOutOfRange : kBadInput; }

inline std::string quantity(Property y) {
  switch (y) {
    case Property::pressure: return "pressure";
    case Property::internal_energy: return "internal energy";
    case Property::enthalpy: return "enthalpy";
    case Property::entropy: return "entropy";
  }
  return {};
}

inline std::string unit(Property y) {
  switch (y) {
    case Property::pressure: return "kPa";
    case Property::entropy: return "J/(mol K)";
    default: return "J/mol";
  }
}

// "temperature 300 K", "enthalpy 2e+04 J/mol".
inline std::string show(const char* name, double v, const char* unit_text) {
  return std::string(name) + " " + format_number(v) + " " + unit_text;
}

inline std::string show(Property y, double v) {
  return quantity(y) + " " + format_number(v) + " " + unit(y);
}

// "enthalpy 2e+04 J/mol at pressure 500 kPa is below the value 2.1e+04 J/mol
// at the lower temperature limit 115.73 K of R22": a given y out of reach
// along a path ("pressure 500 kPa") whose value at the limit T is at_limit.
inline std::string beyond_value_at_limit(Property y, double value, const std::string& along,
                                         double at_limit, bool above, double T,
                                         const std::string& name) {
  const auto [given, limit_value] = format_apart(value, at_limit);
  return quantity(y) + " " + given + " " + unit(y) + " at " + along + " is " +
         (above ? "above" : "below") + " the value " + limit_value + " " + unit(y) + " at the " +
         (above ? "upper" : "lower") + " temperature limit " + format_number(T) + " K of " + name;
}

// The thinnest states the flashes compute: far below any vacuum, and far
// enough from the smallest doubles that no derivative by density overflows.
inline constexpr double kLowestPressure = 1e-100;  // kPa
inline constexpr double kLowestDensity = 1e-100;   // mol/dm^3

// Range checks of given values, against the limits of the fluid or mixture
// `name`; an empty text means the value is usable.
inline std::string check_temperature(double T, double Tmin, double Tmax, const std::string& name) {
  if (!std::isfinite(T)) return "temperature is not a finite number";
  if (T < lowest_admitted(Tmin))
    return beyond_limit("temperature", T, "K", "is below the lower limit", Tmin) + " of " + name;
  if (T > highest_admitted(Tmax))
    return beyond_limit("temperature", T, "K", "is above the upper limit", Tmax) + " of " + name;
  return {};
}

inline std::string check_pressure(double p, double pmax, const std::string& name) {
  if (!std::isfinite(p)) return "pressure is not a finite number";
  if (!(p > 0)) return show("pressure", p, "kPa") + " is not positive";
  if (p < kLowestPressure)
    return show("pressure", p, "kPa") + " is below the lowest pressure " +
           format_number(kLowestPressure) + " kPa the library computes";
  if (p > highest_admitted(pmax))
    return beyond_limit("pressure", p, "kPa", "is above the upper limit", pmax) + " of " + name;
  return {};
}

// A state found from its density above the upper pressure limit is kept,
// with the warning that it lies beyond the limit.
template <class Result>
Result warn_above_pressure_limit(Result r, double pmax, const std::string& name) {
  if (r.ok() && r.state.p > highest_admitted(pmax)) {
    r.status = kWarnOutOfRange;
    r.message = beyond_limit("pressure", r.state.p, "kPa", "is above the upper limit", pmax) +
                " of " + name;
  }
  return r;
}

// A quality given to a TQ or PQ flash.
inline std::string check_quality(double q) {
  if (!std::isfinite(q)) return "quality is not a finite number";
  if (q < -kSlack || q > 1 + kSlack) return "quality " + format_number(q) + " is not between 0 and 1";
  return {};
}

// cap: the densest state the solvers consider.
inline std::string check_density(double rho, double cap, const std::string& name) {
  if (!std::isfinite(rho)) return "density is not a finite number";
  if (!(rho > 0)) return show("density", rho, "mol/dm^3") + " is not positive";
  if (rho < kLowestDensity)
    return show("density", rho, "mol/dm^3") + " is below the lowest density " +
           format_number(kLowestDensity) + " mol/dm^3 the library computes";
  if (rho > highest_admitted(cap))
    return beyond_limit("density", rho, "mol/dm^3", "is above the highest density", cap) +
           " of " + name;
  return {};
}

// What unphysical() allows: a pressure this fraction of rho R T below zero,
// and energies from the reference state up to this many times R T (they run
// to some hundred times R T).
inline constexpr double kPressureMargin = 1e-6;
inline constexpr double kLargestEnergy = 1e4;

// Whether unphysical() below finds nothing to object to (without the
// cost of its message).
inline bool physical(const State& s, double R) {
  return s.p > -kPressureMargin * s.rho * R * s.T && s.cv > 0 &&
         std::abs(s.e) < kLargestEnergy * R * s.T;
}

// Why the equation's single-phase state at (T, rho) is no physical state: a
// negative pressure, a negative heat capacity, or an energy beyond any
// fluid's (the equation far beyond the data it was fitted to, such as
// densities well above the liquid's at the upper pressure limit, or a
// mixture's component tens of kelvins below its own range, whose terms in
// powers of Tc/T then blow up). Not a large heat capacity: at the critical
// point of an equation with nonanalytic terms cv grows without bound. An
// empty text: the state is physical. R: the gas constant; name: the fluid or
// mixture. Rounding alone can leave p a hair below zero (a liquid whose
// vapour pressure is a few mPa): only pressures clearly below count. (A
// pressure falling with density is no criterion: within a fraction of a
// kelvin of a critical point states are taken as one phase where the
// equation's isotherm may fall.)
inline std::string unphysical(const State& s, double R, const std::string& name) {
  if (physical(s, R)) return {};
  const std::string reason =
      !(s.p > -kPressureMargin * s.rho * R * s.T)
          ? (std::isfinite(s.p) ? "pressure " + format_number(s.p) + " kPa" : "no finite pressure")
      : !(s.cv > 0) ? "negative heat capacity"
                    : "internal energy " + format_number(s.e) + " J/mol";
  return "the equation of state of " + name + " gives no physical state at " +
         show("temperature", s.T, "K") + " and " + show("density", s.rho, "mol/dm^3") + " (" +
         reason + ")";
}

// cv, cp and w where a single-phase state has them, kUndefined elsewhere:
// cp and w only where the state is mechanically stable ((dp/drho)_T > 0).
// Within a hair of a critical point rounding can miss that, and the
// equation's cp then comes out hugely negative.
struct HeatCapacities {
  double cv, cp, w;
};

inline HeatCapacities heat_capacities(const State& s) {
  const bool stable = s.dp_drho > 0;
  return {s.cv > 0 ? s.cv : kUndefined, stable && s.cp > 0 ? s.cp : kUndefined,
          stable && s.w > 0 ? s.w : kUndefined};
}

// A single-phase State as a flash result, classified against the critical
// point (Tc, pc, rhoc): supercritical at or above both Tc and pc, vapour
// above Tc below pc; below Tc liquid or vapour by its density.
inline FlashState single_phase_state(const State& s, double Tc, double pc, double rhoc) {
  FlashState r;
  r.T = s.T;
  r.p = s.p;
  r.rho = r.rhoL = r.rhoV = s.rho;
  r.e = s.e;
  r.h = s.h;
  r.s = s.s;
  const auto c = heat_capacities(s);
  r.cv = c.cv;
  r.cp = c.cp;
  r.w = c.w;
  if (s.T >= Tc) {
    const bool gas = s.p < pc;
    r.phase = gas ? Phase::vapour : Phase::supercritical;
    r.q = gas ? kVapourQuality : kSupercriticalQuality;
  } else if (s.rho >= rhoc) {
    r.phase = Phase::liquid;
    r.q = kLiquidQuality;
  } else {
    r.phase = Phase::vapour;
    r.q = kVapourQuality;
  }
  return r;
}

// A two-phase flash result of molar vapour fraction q from its liquid L and
// vapour V at (T, p); at q = 0 or 1 the phase that is there gives cv, cp, w.
inline FlashState two_phase_state(const State& L, const State& V, double T, double p, double q) {
  FlashState r;
  r.T = T;
  r.p = p;
  r.rhoL = L.rho;
  r.rhoV = V.rho;
  r.q = q;
  r.rho = 1 / ((1 - q) / L.rho + q / V.rho);
  r.e = L.e + q * (V.e - L.e);
  r.h = L.h + q * (V.h - L.h);
  r.s = L.s + q * (V.s - L.s);
  r.phase = Phase::two_phase;
  const State* edge = q == 0 ? &L : q == 1 ? &V : nullptr;
  const auto c = edge ? heat_capacities(*edge) : HeatCapacities{kUndefined, kUndefined, kUndefined};
  r.cv = c.cv;
  r.cp = c.cp;
  r.w = c.w;
  return r;
}

template <class AnyState>
double value_of(const AnyState& s, Property y) {
  switch (y) {
    case Property::pressure: return s.p;
    case Property::internal_energy: return s.e;
    case Property::enthalpy: return s.h;
    case Property::entropy: return s.s;
  }
  return 0;
}

// (dy/drho)_T
inline double d_drho(const State& s, Property y) {
  switch (y) {
    case Property::pressure: return s.dp_drho;
    case Property::internal_energy: return s.de_drho;
    case Property::enthalpy: return s.dh_drho;
    case Property::entropy: return s.ds_drho;
  }
  return 0;
}

// (dy/dT)_rho
inline double d_dT_at_rho(const State& s, Property y) {
  switch (y) {
    case Property::pressure: return s.dp_dT;
    case Property::internal_energy: return s.cv;
    case Property::enthalpy: return s.dh_dT;
    case Property::entropy: return s.cv / s.T;
  }
  return 0;
}

// (drho/dT)_p
inline double drho_dT_at_p(const State& s) { return -s.dp_dT / s.dp_drho; }

// (dy/dT)_p
inline double d_dT_at_p(const State& s, Property y) {
  switch (y) {
    case Property::pressure: return 0;
    case Property::internal_energy: return s.cp - s.p / (s.rho * s.rho) * s.dp_dT / s.dp_drho;
    case Property::enthalpy: return s.cp;
    case Property::entropy: return s.cp / s.T;
  }
  return 0;
}

}  // namespace fluidcore
