// Why a call of the library failed, as data: the kind of failure and its
// quantities, for callers that choose their own words. The entry points'
// texts (herr) tell these records in the library's words, prefixed with the
// routine's name; they stay the C interface.
//
// The record of the calling thread's last failed call (ierr > 0) is handed
// out by fluidcore_last_failure_v1, an optional C++ interface beside the C
// entry points for callers built from these same headers: a library without
// it (a stand-in with the same call shapes) still answers every call, and
// the caller then knows only the text. A change of the record's layout takes
// a new name.
//
// Values are in the library's units: K, kPa, mol/dm^3, J/mol, J/(mol K);
// quality in mol/mol.
#pragma once

#include <optional>
#include <string>
#include <variant>

#include "fluidcore/entry_points.h"

namespace fluidcore {

enum class Quantity : unsigned char {
  temperature,
  pressure,
  density,
  internal_energy,
  enthalpy,
  entropy,
  quality,
};

// A value of a quantity.
struct Amount {
  Quantity quantity = Quantity::temperature;
  double value = 0;
};

namespace failure {

// Every record lists its values with each_value(f), calling f(quantity,
// value&) for each, so that a caller can take them into its own units.

enum class Side : unsigned char { below, above };

// ---- Given values

// "enthalpy is not a finite number"
struct NotFinite {
  Quantity quantity = Quantity::temperature;
  template <class F>
  void each_value(F&&) {}
};

// "pressure -5 kPa is not positive"
struct NotPositive {
  Amount given;
  template <class F>
  void each_value(F&& f) {
    f(given.quantity, given.value);
  }
};

// "pressure 1e-101 kPa is below the lowest pressure 1e-100 kPa the library
// computes"
struct BelowComputed {
  Amount given;
  double lowest = 0;
  template <class F>
  void each_value(F&& f) {
    f(given.quantity, given.value);
    f(given.quantity, lowest);
  }
};

// "quality 1.5 is not between 0 and 1"
struct QualityOutside {
  double quality = 0;
  template <class F>
  void each_value(F&& f) {
    f(Quantity::quality, quality);
  }
};

// The limits of a fluid's range that a value can lie beyond.
enum class Limit : unsigned char {
  lower_limit,
  upper_limit,
  highest_density,
  critical_temperature,
  critical_pressure,
  critical_density,
  lower_limit_saturation_pressure,
  largest_saturated_liquid_density,
  saturated_vapour_density_at_lower_limit,
};

// "temperature 100 K is below the lower limit 169.85 K of R134a"
struct BeyondLimit {
  Amount given;
  Side side = Side::above;
  Limit limit = Limit::upper_limit;
  double limit_value = 0;  // in the given value's quantity
  std::string fluid;
  template <class F>
  void each_value(F&& f) {
    f(given.quantity, given.value);
    f(given.quantity, limit_value);
  }
};

// A value sought along a path beyond what the path reaches within the
// temperature limits: "enthalpy 2e+04 J/mol at pressure 500 kPa is below the
// value 2.1e+04 J/mol at the lower temperature limit 115.73 K of R22".
struct BeyondValueAtLimit {
  Amount given;
  Amount along;
  double value_at_limit = 0;  // in the given value's quantity
  Side side = Side::above;
  double temperature_limit = 0;
  std::string fluid;
  template <class F>
  void each_value(F&& f) {
    f(given.quantity, given.value);
    f(along.quantity, along.value);
    f(given.quantity, value_at_limit);
    f(Quantity::temperature, temperature_limit);
  }
};

// ---- Solvers

// "no density found at temperature 300 K and pressure 500 kPa of R22"
struct NoDensity {
  double temperature = 0, pressure = 0;
  std::string fluid;
  template <class F>
  void each_value(F&& f) {
    f(Quantity::temperature, temperature);
    f(Quantity::pressure, pressure);
  }
};

// A search along a path that did not converge: "no convergence at pressure
// 500 kPa and enthalpy 2e+04 J/mol of R22".
struct NoConvergence {
  Amount along, given;
  std::string fluid;
  template <class F>
  void each_value(F&& f) {
    f(along.quantity, along.value);
    f(given.quantity, given.value);
  }
};

// The search for the pressure of an enthalpy and entropy: "no convergence
// for enthalpy ... and entropy ... of R22".
struct NoConvergenceHS {
  double enthalpy = 0, entropy = 0;
  std::string fluid;
  template <class F>
  void each_value(F&& f) {
    f(Quantity::enthalpy, enthalpy);
    f(Quantity::entropy, entropy);
  }
};

// "no convergence of the two-phase split", where it was sought when known:
// "... at temperature 300 K and pressure 500 kPa of R410A".
struct NoSplitConvergence {
  std::optional<Amount> first, second;
  std::string fluid;
  template <class F>
  void each_value(F&& f) {
    for (auto* a : {&first, &second})
      if (*a) f((*a)->quantity, (*a)->value);
  }
};

// What makes a state of the equation unphysical.
enum class Unphysical : unsigned char {
  negative_pressure,  // value: the pressure
  no_finite_pressure,
  negative_heat_capacity,
  extreme_energy,  // value: the internal energy
};

// "the equation of state of R22 gives no physical state at temperature 200 K
// and density 30 mol/dm^3 (negative heat capacity)"
struct NoPhysicalState {
  double temperature = 0, density = 0;
  Unphysical why = Unphysical::negative_heat_capacity;
  double value = 0;
  std::string fluid;
  template <class F>
  void each_value(F&& f) {
    f(Quantity::temperature, temperature);
    f(Quantity::density, density);
    if (why == Unphysical::negative_pressure) f(Quantity::pressure, value);
    if (why == Unphysical::extreme_energy) f(Quantity::internal_energy, value);
  }
};

// No state at a temperature has the given value, from a near-vacuum up to
// the upper pressure limit. pressure_limit: named in the words where known.
struct NoStateOnIsotherm {
  double temperature = 0;
  Amount given;
  std::optional<double> pressure_limit;
  std::string fluid;
  template <class F>
  void each_value(F&& f) {
    f(Quantity::temperature, temperature);
    f(given.quantity, given.value);
    if (pressure_limit) f(Quantity::pressure, *pressure_limit);
  }
};

// No state at a density has the given value: none between the temperature
// limits, or the one found is unphysical.
struct NoStateOnIsochore {
  double density = 0;
  Amount given;
  double lowest_temperature = 0, highest_temperature = 0;
  std::optional<NoPhysicalState> found;
  std::string fluid;
  template <class F>
  void each_value(F&& f) {
    f(Quantity::density, density);
    f(given.quantity, given.value);
    f(Quantity::temperature, lowest_temperature);
    f(Quantity::temperature, highest_temperature);
    if (found) found->each_value(f);
  }
};

// No state has the enthalpy and entropy; for a pure fluid, on which side of
// the isentrope's range the enthalpy lies (above: beyond its value at the
// upper pressure limit; below: at the lowest pressure).
struct NoStateHS {
  double enthalpy = 0, entropy = 0;
  std::optional<Side> enthalpy_side;
  std::string fluid;
  template <class F>
  void each_value(F&& f) {
    f(Quantity::enthalpy, enthalpy);
    f(Quantity::entropy, entropy);
  }
};

// ---- Bubble and dew points of mixtures

enum class Point : unsigned char { bubble, dew };

// "phase selector 3 is neither 1 (bubble point) nor 2 (dew point)"
struct PhaseSelector {
  int selector = 0;
  template <class F>
  void each_value(F&&) {}
};

// "pressure 1 kPa is below the bubble pressure 2 kPa at the lower limit of R410A"
struct BelowPointPressure {
  Amount given;
  Point point = Point::bubble;
  double lowest_pressure = 0;
  std::string fluid;
  template <class F>
  void each_value(F&& f) {
    f(given.quantity, given.value);
    f(Quantity::pressure, lowest_pressure);
  }
};

// "no bubble point of R410A at temperature 400 K", with the critical value
// where the given one lies beyond it: "(the critical temperature is 344.494 K)".
struct NoPoint {
  Point point = Point::bubble;
  Amount given;
  std::optional<double> critical;  // in the given value's quantity
  std::string fluid;
  template <class F>
  void each_value(F&& f) {
    f(given.quantity, given.value);
    if (critical) f(given.quantity, *critical);
  }
};

// "no bubble point whose liquid has the density 10 mol/dm^3 (R410A)"
struct NoPointWithDensity {
  Point point = Point::bubble;
  double density = 0;
  std::string fluid;
  template <class F>
  void each_value(F&& f) {
    f(Quantity::density, density);
  }
};

// A split whose liquid came out lighter than its vapour: "no two phases of
// R410A at temperature 344 K (the liquid found is lighter than the vapour:
// the critical point)".
struct InvertedPhases {
  double temperature = 0;
  std::string fluid;
  template <class F>
  void each_value(F&& f) {
    f(Quantity::temperature, temperature);
  }
};

// "no physical bubble point: " and why.
struct NoPhysicalPoint {
  Point point = Point::bubble;
  std::variant<InvertedPhases, NoPhysicalState> why;
  template <class F>
  void each_value(F&& f) {
    std::visit([&](auto& w) { w.each_value(f); }, why);
  }
};

// Where the given value lies against the critical one, within rounding.
enum class NearCritical : unsigned char { below, at, above };

// "no two-phase state of R410A at temperature 350 K (above the critical
// temperature 344.494 K)"
struct NoTwoPhaseState {
  Amount given;
  double critical = 0;  // in the given value's quantity
  NearCritical relation = NearCritical::below;
  std::string fluid;
  template <class F>
  void each_value(F&& f) {
    f(given.quantity, given.value);
    f(given.quantity, critical);
  }
};

// A state found outside the temperature limits: "the state found: " and the
// limit.
struct StateFound {
  std::variant<NotFinite, BeyondLimit> why;
  template <class F>
  void each_value(F&& f) {
    std::visit([&](auto& w) { w.each_value(f); }, why);
  }
};

// A warning: "the phase of R410A at temperature 200 K could not be decided
// (no bubble or dew point traced there); one phase assumed".
struct PhaseUndecided {
  double temperature = 0;
  std::string fluid;
  template <class F>
  void each_value(F&& f) {
    f(Quantity::temperature, temperature);
  }
};

// ---- The call itself

// "no fluid loaded (call SETUP first)"
struct NoFluid {
  template <class F>
  void each_value(F&&) {}
};

// "reference state "IIR" is not supported (DEF only)"
struct ReferenceState {
  std::string given;
  template <class F>
  void each_value(F&&) {}
};

// "25 components requested (1 to 20 can be loaded)"
struct ComponentCount {
  int requested = 0;
  template <class F>
  void each_value(F&&) {}
};

// "2 components requested but 1 fluid files named ("R32.fld")"
struct FileCount {
  int requested = 0, named = 0;
  std::string files;
  template <class F>
  void each_value(F&&) {}
};

// A fluid, mixture or mixing file that is missing, or cannot be read or
// understood; `text` says which and why in the library's words.
struct FileFault {
  bool missing = false;
  std::string text;
  template <class F>
  void each_value(F&&) {}
};

// "no composition given"
struct NoComposition {
  template <class F>
  void each_value(F&&) {}
};

// "mole fraction 2 (R125) is not a finite number", "... is negative (-0.5)"
struct BadFraction {
  int position = 0;  // from 1
  std::string component;
  std::optional<double> negative;  // the fraction, where it is negative
  template <class F>
  void each_value(F&&) {}
};

// "composition not set: the mole fractions of R410A add up to 0" ("are too
// large" where their sum overflows)
struct CompositionNotSet {
  bool too_large = false;
  std::string fluid;
  template <class F>
  void each_value(F&&) {}
};

// "internal error: " and what the fault said, if anything.
struct Internal {
  std::string what;
  template <class F>
  void each_value(F&&) {}
};

}  // namespace failure

using Failure = std::variant<
    failure::NotFinite, failure::NotPositive, failure::BelowComputed, failure::QualityOutside,
    failure::BeyondLimit, failure::BeyondValueAtLimit, failure::NoDensity, failure::NoConvergence,
    failure::NoConvergenceHS, failure::NoSplitConvergence, failure::NoPhysicalState,
    failure::NoStateOnIsotherm, failure::NoStateOnIsochore, failure::NoStateHS,
    failure::PhaseSelector, failure::BelowPointPressure, failure::NoPoint,
    failure::NoPointWithDensity, failure::InvertedPhases, failure::NoPhysicalPoint,
    failure::NoTwoPhaseState, failure::StateFound, failure::PhaseUndecided, failure::NoFluid,
    failure::ReferenceState, failure::ComponentCount, failure::FileCount, failure::FileFault,
    failure::NoComposition, failure::BadFraction, failure::CompositionNotSet, failure::Internal>;

// Calls f(quantity, value&) for every value of the record.
template <class F>
void each_value(Failure& why, F&& f) {
  std::visit([&](auto& record) { record.each_value(f); }, why);
}

}  // namespace fluidcore

extern "C" {

// The record of the calling thread's last failed call (ierr > 0), kept until
// its next failed call; null where none has failed.
FLUIDCORE_API const fluidcore::Failure* fluidcore_last_failure_v1();
}
