// The words of a failure record. One set of sentences for every teller:
// the library's own texts (values in its units) and the calculator's
// messages (values in the forms' units) differ only in how a value is
// written, which the teller's `Units` decides:
//   std::string value(Quantity, double)       "300 K", "26.85 'C"
//   std::pair<std::string, std::string>
//       apart(Quantity, double given, double limit)
//                                             both with their unit, with
//                                             digits enough to differ
//   std::string range(Quantity, double low, double high)
//                                             "115.73 and 550 K"
//   std::string number(double)                a bare number: a quality, a
//                                             mole fraction
#pragma once

#include <string>
#include <utility>
#include <variant>

#include "fluidcore/failure.h"

namespace fluidcore {

namespace failure_words {

inline std::string name(Quantity q) {
  switch (q) {
    case Quantity::temperature:
      return "temperature";
    case Quantity::pressure:
      return "pressure";
    case Quantity::density:
      return "density";
    case Quantity::internal_energy:
      return "internal energy";
    case Quantity::enthalpy:
      return "enthalpy";
    case Quantity::entropy:
      return "entropy";
    case Quantity::quality:
      return "quality";
  }
  return {};
}

inline std::string limit_name(failure::Limit limit) {
  using failure::Limit;
  switch (limit) {
    case Limit::lower_limit:
      return "lower limit";
    case Limit::upper_limit:
      return "upper limit";
    case Limit::highest_density:
      return "highest density";
    case Limit::critical_temperature:
      return "critical temperature";
    case Limit::critical_pressure:
      return "critical pressure";
    case Limit::critical_density:
      return "critical density";
    case Limit::lower_limit_saturation_pressure:
      return "lower-limit saturation pressure";
    case Limit::largest_saturated_liquid_density:
      return "largest saturated liquid density";
    case Limit::saturated_vapour_density_at_lower_limit:
      return "saturated vapour density at the lower limit";
  }
  return {};
}

inline std::string side(failure::Side s) { return s == failure::Side::above ? "above" : "below"; }
inline std::string point(failure::Point p) {
  return p == failure::Point::bubble ? "bubble" : "dew";
}

template <class Units>
struct Sentences {
  const Units& units;

  // "temperature 300 K"
  std::string show(Quantity q, double v) const { return name(q) + " " + units.value(q, v); }
  std::string show(const Amount& a) const { return show(a.quantity, a.value); }

  std::string operator()(const failure::NotFinite& w) const {
    return name(w.quantity) + " is not a finite number";
  }
  std::string operator()(const failure::NotPositive& w) const {
    return show(w.given) + " is not positive";
  }
  std::string operator()(const failure::BelowComputed& w) const {
    return show(w.given) + " is below the lowest " + show(w.given.quantity, w.lowest) +
           " the library computes";
  }
  std::string operator()(const failure::QualityOutside& w) const {
    return "quality " + units.number(w.quality) + " is not between 0 and 1";
  }
  std::string operator()(const failure::BeyondLimit& w) const {
    const auto [given, limit] = units.apart(w.given.quantity, w.given.value, w.limit_value);
    return name(w.given.quantity) + " " + given + " is " + side(w.side) + " the " +
           limit_name(w.limit) + " " + limit + " of " + w.fluid;
  }
  std::string operator()(const failure::BeyondValueAtLimit& w) const {
    const auto [given, limit] = units.apart(w.given.quantity, w.given.value, w.value_at_limit);
    return name(w.given.quantity) + " " + given + " at " + show(w.along) + " is " + side(w.side) +
           " the value " + limit + " at the " +
           (w.side == failure::Side::above ? "upper" : "lower") + " temperature limit " +
           units.value(Quantity::temperature, w.temperature_limit) + " of " + w.fluid;
  }
  std::string operator()(const failure::NoDensity& w) const {
    return "no density found at " + show(Quantity::temperature, w.temperature) + " and " +
           show(Quantity::pressure, w.pressure) + " of " + w.fluid;
  }
  std::string operator()(const failure::NoConvergence& w) const {
    return "no convergence at " + show(w.along) + " and " + show(w.given) + " of " + w.fluid;
  }
  std::string operator()(const failure::NoConvergenceHS& w) const {
    return "no convergence for " + show(Quantity::enthalpy, w.enthalpy) + " and " +
           show(Quantity::entropy, w.entropy) + " of " + w.fluid;
  }
  std::string operator()(const failure::NoSplitConvergence& w) const {
    std::string t = "no convergence of the two-phase split";
    if (w.first && w.second) {
      t += " at " + show(*w.first) + " and " + show(*w.second) + " of " + w.fluid;
    }
    return t;
  }
  std::string operator()(const failure::NoPhysicalState& w) const {
    using failure::Unphysical;
    const std::string why =
        w.why == Unphysical::negative_pressure        ? show(Quantity::pressure, w.value)
        : w.why == Unphysical::no_finite_pressure     ? "no finite pressure"
        : w.why == Unphysical::negative_heat_capacity ? "negative heat capacity"
                                                      : show(Quantity::internal_energy, w.value);
    return "the equation of state of " + w.fluid + " gives no physical state at " +
           show(Quantity::temperature, w.temperature) + " and " +
           show(Quantity::density, w.density) + " (" + why + ")";
  }
  std::string operator()(const failure::NoStateOnIsotherm& w) const {
    const std::string at =
        "no state of " + w.fluid + " at " + show(Quantity::temperature, w.temperature);
    if (w.pressure_limit) {
      return at + " has the " + show(w.given) + " (up to the upper pressure limit " +
             units.value(Quantity::pressure, *w.pressure_limit) + ")";
    }
    return at + " has " + show(w.given) + " (between a near-vacuum and the upper pressure limit)";
  }
  std::string operator()(const failure::NoStateOnIsochore& w) const {
    const std::string at = "no state of " + w.fluid + " at " + show(Quantity::density, w.density) +
                           " has " + show(w.given);
    if (w.found) return at + ": " + (*this)(*w.found);
    return at + " between " +
           units.range(Quantity::temperature, w.lowest_temperature, w.highest_temperature);
  }
  std::string operator()(const failure::NoStateHS& w) const {
    if (!w.enthalpy_side) {
      return "no state of " + w.fluid + " has the " + show(Quantity::enthalpy, w.enthalpy) +
             " and the " + show(Quantity::entropy, w.entropy);
    }
    return "no state of " + w.fluid + " has " + show(Quantity::enthalpy, w.enthalpy) + " and " +
           show(Quantity::entropy, w.entropy) + ": the enthalpy is " +
           (*w.enthalpy_side == failure::Side::above
                ? "above the isentrope's value at the upper pressure limit"
                : "below the isentrope's value at the lowest pressure");
  }
  std::string operator()(const failure::PhaseSelector& w) const {
    return "phase selector " + std::to_string(w.selector) +
           " is neither 1 (bubble point) nor 2 (dew point)";
  }
  std::string operator()(const failure::BelowPointPressure& w) const {
    return show(w.given) + " is below the " + point(w.point) + " pressure " +
           units.value(Quantity::pressure, w.lowest_pressure) + " at the lower limit of " + w.fluid;
  }
  std::string operator()(const failure::NoPoint& w) const {
    std::string t = "no " + point(w.point) + " point of " + w.fluid + " at " + show(w.given);
    if (w.critical) {
      t += " (the critical " + name(w.given.quantity) + " is " +
           units.value(w.given.quantity, *w.critical) + ")";
    }
    return t;
  }
  std::string operator()(const failure::NoPointWithDensity& w) const {
    return std::string("no ") +
           (w.point == failure::Point::bubble ? "bubble point whose liquid"
                                              : "dew point whose vapour") +
           " has the " + show(Quantity::density, w.density) + " (" + w.fluid + ")";
  }
  std::string operator()(const failure::InvertedPhases& w) const {
    return "no two phases of " + w.fluid + " at " + show(Quantity::temperature, w.temperature) +
           " (the liquid found is lighter than the vapour: the critical point)";
  }
  std::string operator()(const failure::NoPhysicalPoint& w) const {
    return "no physical " + point(w.point) + " point: " + std::visit(*this, w.why);
  }
  std::string operator()(const failure::NoTwoPhaseState& w) const {
    using failure::NearCritical;
    const std::string critical = show(w.given.quantity, w.critical);
    std::string t = "no two-phase state of " + w.fluid + " at " + show(w.given);
    if (w.relation == NearCritical::above) t += " (above the critical " + critical + ")";
    if (w.relation == NearCritical::at)
      t += " (the critical " + critical + ", where the phases are one)";
    return t;
  }
  std::string operator()(const failure::StateFound& w) const {
    return "the state found: " + std::visit(*this, w.why);
  }
  std::string operator()(const failure::PhaseUndecided& w) const {
    return "the phase of " + w.fluid + " at " + show(Quantity::temperature, w.temperature) +
           " could not be decided (no bubble or dew point traced there); one phase assumed";
  }
  std::string operator()(const failure::NoFluid&) const {
    return "no fluid loaded (call SETUP first)";
  }
  std::string operator()(const failure::ReferenceState& w) const {
    return "reference state \"" + w.given + "\" is not supported (DEF only)";
  }
  std::string operator()(const failure::ComponentCount& w) const {
    return std::to_string(w.requested) + " components requested (1 to 20 can be loaded)";
  }
  std::string operator()(const failure::FileCount& w) const {
    return std::to_string(w.requested) + (w.requested == 1 ? " component" : " components") +
           " requested but " + std::to_string(w.named) + " fluid files named (\"" + w.files + "\")";
  }
  std::string operator()(const failure::FileFault& w) const { return w.text; }
  std::string operator()(const failure::NoComposition&) const { return "no composition given"; }
  std::string operator()(const failure::BadFraction& w) const {
    const std::string which =
        "mole fraction " + std::to_string(w.position) + " (" + w.component + ")";
    if (w.negative) return which + " is negative (" + units.number(*w.negative) + ")";
    return which + " is not a finite number";
  }
  std::string operator()(const failure::CompositionNotSet& w) const {
    return "composition not set: the mole fractions of " + w.fluid +
           (w.too_large ? " are too large" : " add up to 0");
  }
  std::string operator()(const failure::Internal& w) const {
    return w.what.empty() ? "internal error" : "internal error: " + w.what;
  }
};

}  // namespace failure_words

// The record in words, each value as `units` writes it (see above).
template <class Units>
std::string describe(const Failure& why, const Units& units) {
  return std::visit(failure_words::Sentences<Units>{units}, why);
}

// In the library's words and units: "temperature 100 K is below the lower
// limit 169.85 K of R134a".
std::string describe(const Failure& why);

}  // namespace fluidcore
