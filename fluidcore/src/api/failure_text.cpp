#include "fluidcore/failure_text.h"

#include "fluidcore/saturation.h"

namespace fluidcore {

namespace {

using namespace failure;

std::string name(Quantity q) {
  switch (q) {
    case Quantity::temperature: return "temperature";
    case Quantity::pressure: return "pressure";
    case Quantity::density: return "density";
    case Quantity::internal_energy: return "internal energy";
    case Quantity::enthalpy: return "enthalpy";
    case Quantity::entropy: return "entropy";
    case Quantity::quality: return "quality";
  }
  return {};
}

std::string unit(Quantity q) {
  switch (q) {
    case Quantity::temperature: return "K";
    case Quantity::pressure: return "kPa";
    case Quantity::density: return "mol/dm^3";
    case Quantity::internal_energy:
    case Quantity::enthalpy: return "J/mol";
    case Quantity::entropy: return "J/(mol K)";
    case Quantity::quality: return {};
  }
  return {};
}

// "300 K"
std::string value(Quantity q, double v) {
  const std::string u = unit(q);
  return format_number(v) + (u.empty() ? "" : " " + u);
}

// "temperature 300 K"
std::string show(Quantity q, double v) { return name(q) + " " + value(q, v); }
std::string show(const Amount& a) { return show(a.quantity, a.value); }

std::string limit_name(Limit limit) {
  switch (limit) {
    case Limit::lower_limit: return "lower limit";
    case Limit::upper_limit: return "upper limit";
    case Limit::highest_density: return "highest density";
    case Limit::critical_temperature: return "critical temperature";
    case Limit::critical_pressure: return "critical pressure";
    case Limit::critical_density: return "critical density";
    case Limit::lower_limit_saturation_pressure: return "lower-limit saturation pressure";
    case Limit::largest_saturated_liquid_density: return "largest saturated liquid density";
    case Limit::saturated_vapour_density_at_lower_limit:
      return "saturated vapour density at the lower limit";
  }
  return {};
}

std::string side(Side s) { return s == Side::above ? "above" : "below"; }
std::string point(Point p) { return p == Point::bubble ? "bubble" : "dew"; }

std::string text(const NotFinite& w) { return name(w.quantity) + " is not a finite number"; }
std::string text(const NotPositive& w) { return show(w.given) + " is not positive"; }
std::string text(const BelowComputed& w) {
  return show(w.given) + " is below the lowest " + show(w.given.quantity, w.lowest) +
         " the library computes";
}
std::string text(const QualityOutside& w) {
  return "quality " + format_number(w.quality) + " is not between 0 and 1";
}
// The two numbers with the digits that tell them apart.
std::string text(const BeyondLimit& w) {
  const auto [given, limit] = format_apart(w.given.value, w.limit_value);
  const std::string u = unit(w.given.quantity);
  return name(w.given.quantity) + " " + given + " " + u + " is " + side(w.side) + " the " +
         limit_name(w.limit) + " " + limit + " " + u + " of " + w.fluid;
}
std::string text(const BeyondValueAtLimit& w) {
  const auto [given, limit] = format_apart(w.given.value, w.value_at_limit);
  const std::string u = unit(w.given.quantity);
  return name(w.given.quantity) + " " + given + " " + u + " at " + show(w.along) + " is " +
         side(w.side) + " the value " + limit + " " + u + " at the " +
         (w.side == Side::above ? "upper" : "lower") + " temperature limit " +
         value(Quantity::temperature, w.temperature_limit) + " of " + w.fluid;
}
std::string text(const NoDensity& w) {
  return "no density found at " + show(Quantity::temperature, w.temperature) + " and " +
         show(Quantity::pressure, w.pressure) + " of " + w.fluid;
}
std::string text(const NoConvergence& w) {
  return "no convergence at " + show(w.along) + " and " + show(w.given) + " of " + w.fluid;
}
std::string text(const NoConvergenceHS& w) {
  return "no convergence for " + show(Quantity::enthalpy, w.enthalpy) + " and " +
         show(Quantity::entropy, w.entropy) + " of " + w.fluid;
}
std::string text(const NoSplitConvergence& w) {
  std::string t = "no convergence of the two-phase split";
  if (w.first && w.second) t += " at " + show(*w.first) + " and " + show(*w.second) + " of " + w.fluid;
  return t;
}
std::string text(const NoPhysicalState& w) {
  const std::string why = w.why == Unphysical::negative_pressure ? show(Quantity::pressure, w.value)
                          : w.why == Unphysical::no_finite_pressure ? "no finite pressure"
                          : w.why == Unphysical::negative_heat_capacity
                              ? "negative heat capacity"
                              : show(Quantity::internal_energy, w.value);
  return "the equation of state of " + w.fluid + " gives no physical state at " +
         show(Quantity::temperature, w.temperature) + " and " + show(Quantity::density, w.density) +
         " (" + why + ")";
}
std::string text(const NoStateOnIsotherm& w) {
  const std::string at = "no state of " + w.fluid + " at " + show(Quantity::temperature, w.temperature);
  if (w.pressure_limit) {
    return at + " has the " + show(w.given) + " (up to the upper pressure limit " +
           value(Quantity::pressure, *w.pressure_limit) + ")";
  }
  return at + " has " + show(w.given) + " (between a near-vacuum and the upper pressure limit)";
}
std::string text(const NoStateOnIsochore& w) {
  const std::string at = "no state of " + w.fluid + " at " + show(Quantity::density, w.density) +
                         " has " + show(w.given);
  if (w.found) return at + ": " + text(*w.found);
  return at + " between " + format_number(w.lowest_temperature) + " and " +
         value(Quantity::temperature, w.highest_temperature);
}
std::string text(const NoStateHS& w) {
  if (!w.enthalpy_side) {
    return "no state of " + w.fluid + " has the " + show(Quantity::enthalpy, w.enthalpy) +
           " and the " + show(Quantity::entropy, w.entropy);
  }
  return "no state of " + w.fluid + " has " + show(Quantity::enthalpy, w.enthalpy) + " and " +
         show(Quantity::entropy, w.entropy) + ": " +
         (*w.enthalpy_side == Side::above
              ? "the enthalpy is above the isentrope's value at the upper pressure limit"
              : "the enthalpy is below the isentrope's value at the lowest pressure");
}
std::string text(const PhaseSelector& w) {
  return "phase selector " + std::to_string(w.selector) +
         " is neither 1 (bubble point) nor 2 (dew point)";
}
std::string text(const BelowPointPressure& w) {
  return show(w.given) + " is below the " + point(w.point) + " pressure " +
         value(Quantity::pressure, w.lowest_pressure) + " at the lower limit of " + w.fluid;
}
std::string text(const NoPoint& w) {
  std::string t = "no " + point(w.point) + " point of " + w.fluid + " at " + show(w.given);
  if (w.critical) {
    t += " (the critical " + name(w.given.quantity) + " is " + value(w.given.quantity, *w.critical) + ")";
  }
  return t;
}
std::string text(const NoPointWithDensity& w) {
  return std::string("no ") +
         (w.point == Point::bubble ? "bubble point whose liquid" : "dew point whose vapour") +
         " has the " + show(Quantity::density, w.density) + " (" + w.fluid + ")";
}
std::string text(const InvertedPhases& w) {
  return "no two phases of " + w.fluid + " at " + show(Quantity::temperature, w.temperature) +
         " (the liquid found is lighter than the vapour: the critical point)";
}
std::string text(const NoPhysicalPoint& w) {
  return "no physical " + point(w.point) + " point: " +
         std::visit([](const auto& why) { return text(why); }, w.why);
}
std::string text(const NoTwoPhaseState& w) {
  const std::string critical = show(w.given.quantity, w.critical);
  std::string t = "no two-phase state of " + w.fluid + " at " + show(w.given);
  if (w.relation == NearCritical::above) t += " (above the critical " + critical + ")";
  if (w.relation == NearCritical::at) t += " (the critical " + critical + ", where the phases are one)";
  return t;
}
std::string text(const StateFound& w) {
  return "the state found: " + std::visit([](const auto& why) { return text(why); }, w.why);
}
std::string text(const PhaseUndecided& w) {
  return "the phase of " + w.fluid + " at " + show(Quantity::temperature, w.temperature) +
         " could not be decided (no bubble or dew point traced there); one phase assumed";
}
std::string text(const NoFluid&) { return "no fluid loaded (call SETUP first)"; }
std::string text(const ReferenceState& w) {
  return "reference state \"" + w.given + "\" is not supported (DEF only)";
}
std::string text(const ComponentCount& w) {
  return std::to_string(w.requested) + " components requested (1 to 20 can be loaded)";
}
std::string text(const FileCount& w) {
  return std::to_string(w.requested) + (w.requested == 1 ? " component" : " components") +
         " requested but " + std::to_string(w.named) + " fluid files named (\"" + w.files + "\")";
}
std::string text(const FileFault& w) { return w.text; }
std::string text(const NoComposition&) { return "no composition given"; }
std::string text(const BadFraction& w) {
  const std::string which = "mole fraction " + std::to_string(w.position) + " (" + w.component + ")";
  if (w.negative) return which + " is negative (" + format_number(*w.negative) + ")";
  return which + " is not a finite number";
}
std::string text(const CompositionNotSet& w) {
  return "composition not set: the mole fractions of " + w.fluid +
         (w.too_large ? " are too large" : " add up to 0");
}
std::string text(const Internal& w) {
  return w.what.empty() ? "internal error" : "internal error: " + w.what;
}

}  // namespace

std::string describe(const Failure& why) {
  return std::visit([](const auto& w) { return text(w); }, why);
}

}  // namespace fluidcore
