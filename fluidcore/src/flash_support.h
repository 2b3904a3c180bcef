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
