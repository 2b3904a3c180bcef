// What the flash solvers of pure fluids and of mixtures share: their
// results, failure records naming quantities, and the derivatives of a state along
// the paths they solve on.
#pragma once

#include <cmath>
#include <optional>
#include <string>

#include "fluidcore/errors.h"
#include "fluidcore/flash.h"
#include "fluidcore/saturation.h"
#include "fluidcore/state.h"

namespace fluidcore {

// A failed flash: status > 0, why, and for a given value out of reach the
// side it lies on (FlashResult::beyond).
template <class Result = FlashResult>
Result failed(int status, Failure why, int beyond = 0) {
  Result r;
  r.status = status;
  r.why = std::move(why);
  r.beyond = beyond;
  return r;
}

// A given value that is not finite is bad input; one out of range is not.
inline int input_status(double v) { return std::isfinite(v) ? kOutOfRange : kBadInput; }

inline Quantity quantity(Property y) {
  switch (y) {
    case Property::pressure: return Quantity::pressure;
    case Property::internal_energy: return Quantity::internal_energy;
    case Property::enthalpy: return Quantity::enthalpy;
    case Property::entropy: return Quantity::entropy;
  }
  return Quantity::enthalpy;
}

inline Amount amount(Property y, double value) { return {quantity(y), value}; }

// The thinnest states the flashes compute: far below any vacuum, and far
// enough from the smallest doubles that no derivative by density overflows.
inline constexpr double kLowestPressure = 1e-100;  // kPa
inline constexpr double kLowestDensity = 1e-100;   // mol/dm^3

// Range checks of given values, against the limits of the fluid or mixture
// `name`; nothing where the value is usable.
inline std::optional<Failure> check_temperature(double T, double Tmin, double Tmax,
                                                const std::string& name) {
  using failure::Limit, failure::Side;
  if (!std::isfinite(T)) return failure::NotFinite{Quantity::temperature};
  if (T < lowest_admitted(Tmin))
    return failure::BeyondLimit{{Quantity::temperature, T}, Side::below, Limit::lower_limit, Tmin, name};
  if (T > highest_admitted(Tmax))
    return failure::BeyondLimit{{Quantity::temperature, T}, Side::above, Limit::upper_limit, Tmax, name};
  return std::nullopt;
}

// A pressure or density that is positive and no thinner than `lowest`.
inline std::optional<Failure> check_positive(Quantity q, double v, double lowest) {
  if (!std::isfinite(v)) return failure::NotFinite{q};
  if (!(v > 0)) return failure::NotPositive{{q, v}};
  if (v < lowest) return failure::BelowComputed{{q, v}, lowest};
  return std::nullopt;
}

inline failure::BeyondLimit above_pressure_limit(double p, double pmax, const std::string& name) {
  return {{Quantity::pressure, p}, failure::Side::above, failure::Limit::upper_limit, pmax, name};
}

inline std::optional<Failure> check_pressure(double p, double pmax, const std::string& name) {
  if (auto why = check_positive(Quantity::pressure, p, kLowestPressure)) return why;
  if (p > highest_admitted(pmax)) return above_pressure_limit(p, pmax, name);
  return std::nullopt;
}

// A state found from its density above the upper pressure limit is kept,
// with the warning that it lies beyond the limit.
template <class Result>
Result warn_above_pressure_limit(Result r, double pmax, const std::string& name) {
  if (r.ok() && r.state.p > highest_admitted(pmax)) {
    r.status = kWarnOutOfRange;
    r.why = above_pressure_limit(r.state.p, pmax, name);
  }
  return r;
}

// A quality given to a TQ or PQ flash.
inline std::optional<Failure> check_quality(double q) {
  if (!std::isfinite(q)) return failure::NotFinite{Quantity::quality};
  if (q < -kSlack || q > 1 + kSlack) return failure::QualityOutside{q};
  return std::nullopt;
}

// cap: the densest state the solvers consider.
inline std::optional<Failure> check_density(double rho, double cap, const std::string& name) {
  if (auto why = check_positive(Quantity::density, rho, kLowestDensity)) return why;
  if (rho > highest_admitted(cap))
    return failure::BeyondLimit{{Quantity::density, rho}, failure::Side::above,
                                failure::Limit::highest_density, cap, name};
  return std::nullopt;
}

// What unphysical() allows: a pressure this fraction of rho R T below zero,
// and energies from the reference state up to this many times R T (they run
// to some hundred times R T).
inline constexpr double kPressureMargin = 1e-6;
inline constexpr double kLargestEnergy = 1e4;

// Whether unphysical() below finds nothing to object to (without the
// cost of its record).
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
// point of an equation with nonanalytic terms cv grows without bound.
// Nothing: the state is physical. R: the gas constant; name: the fluid or
// mixture. Rounding alone can leave p a hair below zero (a liquid whose
// vapour pressure is a few mPa): only pressures clearly below count. (A
// pressure falling with density is no criterion: within a fraction of a
// kelvin of a critical point states are taken as one phase where the
// equation's isotherm may fall.)
inline std::optional<failure::NoPhysicalState> unphysical(const State& s, double R,
                                                          const std::string& name) {
  using failure::Unphysical;
  if (physical(s, R)) return std::nullopt;
  failure::NoPhysicalState why{s.T, s.rho, Unphysical::extreme_energy, s.e, name};
  if (!(s.p > -kPressureMargin * s.rho * R * s.T)) {
    why.why = std::isfinite(s.p) ? Unphysical::negative_pressure : Unphysical::no_finite_pressure;
    why.value = s.p;
  } else if (!(s.cv > 0)) {
    why.why = Unphysical::negative_heat_capacity;
  }
  return why;
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
