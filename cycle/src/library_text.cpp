#include "library_text.h"

#include "cycle/number_text.h"
#include "cycle_points.h"
#include "property/message_text.h"

namespace cycle::detail {

namespace {

using namespace fluidcore::failure;
using fluidcore::Amount;
using fluidcore::Quantity;

std::string Name(Quantity q) {
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

// "temperature 120.00 'C"
std::string Show(Quantity q, double value) { return Name(q) + " " + InFormUnits(q, value); }
std::string Show(const Amount& a) { return Show(a.quantity, a.value); }

std::string LimitName(Limit limit) {
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

std::string SideName(Side side) { return side == Side::above ? "above" : "below"; }
std::string PointName(Point point) { return point == Point::bubble ? "bubble" : "dew"; }

using Told = std::optional<std::string>;

// The words of each record. `fluid` is the name asked for.
struct Words {
  std::string_view fluid;

  Told operator()(const NotFinite& w) const { return Name(w.quantity) + " is not a finite number"; }
  Told operator()(const NotPositive& w) const { return Show(w.given) + " is not positive"; }
  Told operator()(const BelowComputed& w) const {
    return Show(w.given) + " is below the lowest " + Show(w.given.quantity, w.lowest) +
           " the library computes";
  }
  Told operator()(const QualityOutside& w) const {
    return "quality " + FormatSignificant(w.quality, 6) + " is not between 0 and 1";
  }
  Told operator()(const BeyondLimit& w) const {
    return Show(w.given) + " is " + SideName(w.side) + " the " + LimitName(w.limit) + " " +
           InFormUnits(w.given.quantity, w.limit_value) + " of " + w.fluid;
  }
  Told operator()(const BeyondValueAtLimit& w) const {
    return Show(w.given) + " at " + Show(w.along) + " is " + SideName(w.side) + " the value " +
           InFormUnits(w.given.quantity, w.value_at_limit) + " at the " +
           (w.side == Side::above ? "upper" : "lower") + " temperature limit " +
           InFormUnits(Quantity::temperature, w.temperature_limit) + " of " + w.fluid;
  }
  Told operator()(const NoDensity& w) const {
    return "no density found at " + Show(Quantity::temperature, w.temperature) + " and " +
           Show(Quantity::pressure, w.pressure) + " of " + w.fluid;
  }
  Told operator()(const NoConvergence& w) const {
    return "no convergence at " + Show(w.along) + " and " + Show(w.given) + " of " + w.fluid;
  }
  Told operator()(const NoConvergenceHS& w) const {
    return "no convergence for " + Show(Quantity::enthalpy, w.enthalpy) + " and " +
           Show(Quantity::entropy, w.entropy) + " of " + w.fluid;
  }
  Told operator()(const NoSplitConvergence& w) const {
    std::string told = "no convergence of the two-phase split";
    if (w.first && w.second) {
      told += " at " + Show(*w.first) + " and " + Show(*w.second) + " of " + w.fluid;
    }
    return told;
  }
  Told operator()(const NoPhysicalState& w) const {
    const std::string why = w.why == Unphysical::negative_pressure ? Show(Quantity::pressure, w.value)
                            : w.why == Unphysical::no_finite_pressure ? "no finite pressure"
                            : w.why == Unphysical::negative_heat_capacity
                                ? "negative heat capacity"
                                : Show(Quantity::internal_energy, w.value);
    return "the equation of state of " + w.fluid + " gives no physical state at " +
           Show(Quantity::temperature, w.temperature) + " and " +
           Show(Quantity::density, w.density) + " (" + why + ")";
  }
  Told operator()(const NoStateOnIsotherm& w) const {
    const std::string at =
        "no state of " + w.fluid + " at " + Show(Quantity::temperature, w.temperature);
    if (w.pressure_limit) {
      return at + " has the " + Show(w.given) + " (up to the upper pressure limit " +
             InFormUnits(Quantity::pressure, *w.pressure_limit) + ")";
    }
    return at + " has " + Show(w.given) + " (between a near-vacuum and the upper pressure limit)";
  }
  Told operator()(const NoStateOnIsochore& w) const {
    const std::string at = "no state of " + w.fluid + " at " + Show(Quantity::density, w.density) +
                           " has " + Show(w.given);
    if (w.found) return at + ": " + *(*this)(*w.found);
    return at + " between " + InFormUnits(Quantity::temperature, w.lowest_temperature) + " and " +
           InFormUnits(Quantity::temperature, w.highest_temperature);
  }
  Told operator()(const NoStateHS& w) const {
    if (!w.enthalpy_side) {
      return "no state of " + w.fluid + " has the " + Show(Quantity::enthalpy, w.enthalpy) +
             " and the " + Show(Quantity::entropy, w.entropy);
    }
    return "no state of " + w.fluid + " has " + Show(Quantity::enthalpy, w.enthalpy) + " and " +
           Show(Quantity::entropy, w.entropy) + ": the enthalpy is " +
           (*w.enthalpy_side == Side::above
                ? "above the isentrope's value at the upper pressure limit"
                : "below the isentrope's value at the lowest pressure");
  }
  Told operator()(const PhaseSelector& w) const {
    return "phase selector " + std::to_string(w.selector) +
           " is neither 1 (bubble point) nor 2 (dew point)";
  }
  Told operator()(const BelowPointPressure& w) const {
    return Show(w.given) + " is below the " + PointName(w.point) + " pressure " +
           InFormUnits(Quantity::pressure, w.lowest_pressure) + " at the lower limit of " + w.fluid;
  }
  Told operator()(const NoPoint& w) const {
    std::string told = "no " + PointName(w.point) + " point of " + w.fluid + " at " + Show(w.given);
    if (w.critical) {
      told += " (the critical " + Name(w.given.quantity) + " is " +
              InFormUnits(w.given.quantity, *w.critical) + ")";
    }
    return told;
  }
  Told operator()(const NoPointWithDensity& w) const {
    return std::string("no ") +
           (w.point == Point::bubble ? "bubble point whose liquid" : "dew point whose vapour") +
           " has the " + Show(Quantity::density, w.density) + " (" + w.fluid + ")";
  }
  Told operator()(const InvertedPhases& w) const {
    return "no two phases of " + w.fluid + " at " + Show(Quantity::temperature, w.temperature) +
           " (the liquid found is lighter than the vapour: the critical point)";
  }
  Told operator()(const NoPhysicalPoint& w) const {
    return "no physical " + PointName(w.point) + " point: " + *std::visit(*this, w.why);
  }
  Told operator()(const NoTwoPhaseState& w) const {
    const std::string critical = Show(w.given.quantity, w.critical);
    std::string told = "no two-phase state of " + w.fluid + " at " + Show(w.given);
    if (w.relation == NearCritical::above) told += " (above the critical " + critical + ")";
    if (w.relation == NearCritical::at) {
      told += " (the critical " + critical + ", where the phases are one)";
    }
    return told;
  }
  Told operator()(const StateFound& w) const {
    return "the state found: " + *std::visit(*this, w.why);
  }
  Told operator()(const PhaseUndecided& w) const {
    return "the phase of " + w.fluid + " at " + Show(Quantity::temperature, w.temperature) +
           " could not be decided (no bubble or dew point traced there); one phase assumed";
  }
  Told operator()(const ReferenceState& w) const {
    return "reference state \"" + w.given + "\" is not supported (DEF only)";
  }
  Told operator()(const ComponentCount& w) const {
    return std::to_string(w.requested) + " components requested (1 to 20 can be loaded)";
  }
  Told operator()(const FileCount&) const { return Unreadable(); }
  Told operator()(const FileFault& w) const {
    if (w.missing) {
      return property::ShortenedForMessage(fluid) +
             " is not a fluid or mixture the property library knows";
    }
    return Unreadable();
  }
  Told operator()(const NoComposition&) const { return "no composition given"; }
  Told operator()(const BadFraction& w) const {
    const std::string which =
        "mole fraction " + std::to_string(w.position) + " (" + w.component + ")";
    if (w.negative) return which + " is negative (" + FormatSignificant(*w.negative, 6) + ")";
    return which + " is not a finite number";
  }
  Told operator()(const CompositionNotSet& w) const {
    return "composition not set: the mole fractions of " + w.fluid +
           (w.too_large ? " are too large" : " add up to 0");
  }
  // Nothing the engineer could act on: the request is named instead.
  Told operator()(const NoFluid&) const { return std::nullopt; }
  Told operator()(const Internal&) const { return std::nullopt; }

  std::string Unreadable() const {
    return "the fluid or mixture file of " + property::ShortenedForMessage(fluid) + " cannot be read";
  }
};

}  // namespace

std::string InFormUnits(Quantity quantity, double value) {
  switch (quantity) {
    case Quantity::temperature: return FormatFixed(value - kKelvinOffset, 2) + " 'C";
    case Quantity::pressure: return FormatFixed(value / 100, 2) + " bar";
    case Quantity::density: return FormatFixed(value, 2) + " kg/m^3";
    case Quantity::internal_energy:
    case Quantity::enthalpy: return FormatFixed(value, 2) + " kJ/kg";
    case Quantity::entropy: return FormatFixed(value, 4) + " kJ/kg-K";
    case Quantity::quality: return FormatFixed(value, 2);
  }
  return FormatFixed(value, 2);
}

std::optional<std::string> InFormTerms(const property::RequestFailure& why, std::string_view fluid,
                                       std::string_view layer_text) {
  if (const auto* record = std::get_if<fluidcore::Failure>(&why)) {
    return std::visit(Words{fluid}, *record);
  }
  if (std::holds_alternative<property::OwnReason>(why) && !layer_text.empty()) {
    return std::string(layer_text);
  }
  return std::nullopt;
}

}  // namespace cycle::detail
