#include "cycle/transcritical.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <stdexcept>

#include "cycle/number_text.h"
#include "fluid_frame.h"
#include "form_states.h"
#include "gas_cooler.h"
#include "maximum_search.h"
#include "property/message_text.h"
#include "property_requests.h"
#include "threshold_search.h"
#include "typed_fields.h"

namespace cycle {

namespace {

using detail::Ask;
using detail::kKelvinOffset;
using detail::kKpaPerBar;
using detail::RequireState;

// The highest pressure the search for the best COP goes to, bar, where the
// equation itself reaches further.
constexpr double kHighestSearchedPressure = 160;
// How closely the search finds the best pressure, bar.
constexpr double kPressureTolerance = 0.01;
// Pressures scanned before the search narrows down on the best of them.
constexpr int kScannedPressures = 3;
// The first stride above the best pressure towards one where the water
// reaches its outlet temperature, in steps of kPressureTolerance: 1 bar.
constexpr long kFirstFeasibleStride = 100;

// A refusal of the inputs found only while computing the cycle, told in the
// form's terms without the fluid's name in front.
struct Refusal : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A high side whose refrigerant leaves the gas cooler with no less enthalpy
// than it leaves the evaporator with: the evaporator would take no heat,
// the duty would be negative and the COP below 1.
struct NoEvaporatorDuty : Refusal {
  using Refusal::Refusal;
};

// Point 3 as messages name it: a gas cooler, not a condenser.
constexpr std::string_view kGasCoolerOutletState = "gas cooler outlet state (point 3)";

// The numbers of the input, read.
struct Conditions {
  std::string refrigerant;
  double capacity = 0;      // kW
  double evaporating = 0;   // degrees C
  double superheating = 0;  // K
  double outlet = 0;        // gas cooler outlet, degrees C
  std::optional<double> high_pressure;  // bar; nothing: the best is searched
  double efficiency = 0;    // percent
  double water_in = 0, water_out = 0;  // degrees C
  double min_approach = 0;  // K
};

std::variant<Conditions, std::string> ReadConditions(const TranscriticalInput& in) {
  Conditions c;
  c.refrigerant = in.Refrigerant;
  if (detail::Trimmed(in.Refrigerant).empty()) return "Please Input Refrigerant";
  if (auto message = detail::ReadTypedNumbers({
          {"Heating Capacity", in.HeatingCapacity, c.capacity},
          {"Evaporating Temperature", in.Evaporating, c.evaporating},
          {"Superheating", in.Superheating, c.superheating},
          {"Gas Cooler Outlet Temperature", in.GasCoolerOutlet, c.outlet},
      })) {
    return *message;
  }
  if (!detail::IsWord(in.HighPressure, "optimal")) {
    const auto number = WholeNumber(in.HighPressure);
    if (!number) return "Please Input High-side Pressure as a number of bar or \"optimal\"";
    c.high_pressure = *number;
  }
  if (auto message = detail::ReadTypedNumbers({
          {"Isentropic Efficiency", in.Efficiency, c.efficiency},
          {"Water Inlet Temperature", in.WaterIn, c.water_in},
          {"Water Outlet Temperature", in.WaterOut, c.water_out},
          {"Minimum Approach", in.MinApproach, c.min_approach},
      })) {
    return *message;
  }
  return c;
}

// The refrigerant's figures that bound the cycle, in K and kPa.
struct Frame {
  double Tcrit, pcrit, pmax;
};

std::variant<Frame, std::string> FrameOf(const std::string& fluid) {
  const auto Tc = property::CriticalPoint(fluid, "T", "mks");
  if (auto unknown = detail::UnknownRefrigerant(fluid, Tc)) return *unknown;
  try {
    using detail::NumberOf;
    return Frame{NumberOf(Tc, fluid, {"temperature", "critical point"}),
                 NumberOf(property::CriticalPoint(fluid, "P", "mks"), fluid,
                          {"pressure", "critical point"}),
                 NumberOf(property::UpperPressureLimit(fluid, "mks"), fluid,
                          {"upper pressure limit", "refrigerant's equation"})};
  } catch (const detail::CycleFailure& failure) {
    return std::string(failure.what());
  }
}

std::string Bar(double kpa) { return FormatFixed(kpa / kKpaPerBar, 2) + " bar"; }
std::string Celsius(double value) { return FormatFixed(value, 2) + " 'C"; }

struct Check {
  bool fails;
  std::string message;
};

// The checks that need the refrigerant's frame and no cycle, in order.
std::optional<std::string> FirstFailure(const Conditions& c, const Frame& frame) {
  const double Tcrit = frame.Tcrit - kKelvinOffset;
  const double p = c.high_pressure.value_or(0) * kKpaPerBar;
  const Check checks[] = {
      {c.evaporating >= Tcrit,
       "Evaporating Temperature (" + Celsius(c.evaporating) +
           ") must lie below the critical temperature of " + c.refrigerant + " (" +
           Celsius(Tcrit) + ")"},
      {c.high_pressure && p <= frame.pcrit,
       "High-side Pressure (" + Bar(p) + ") is not above the critical pressure of " +
           c.refrigerant + " (" + Bar(frame.pcrit) +
           "), so the cycle is not transcritical: use the Basic Calculation or the comparison"},
      {c.high_pressure && p > frame.pmax,
       "High-side Pressure (" + Bar(p) + ") is above the highest pressure of the equation of " +
           c.refrigerant + " (" + Bar(frame.pmax) + ")"},
      {!(c.efficiency > 0 && c.efficiency <= 100),
       "Isentropic Efficiency must lie above 0 and at most 100 %"},
      {c.superheating < 0, "Superheating must not be negative"},
      {c.capacity <= 0, "Heating Capacity must be above 0 kW"},
      {c.water_out <= c.water_in, "Water Outlet Temperature must lie above Water Inlet Temperature"},
      {c.water_in <= 0, "Water Inlet Temperature must lie above 0 'C, where water freezes"},
      {c.min_approach < 0, "Minimum Approach must not be negative"},
  };
  for (const Check& check : checks) {
    if (check.fails) return check.message;
  }
  return std::nullopt;
}

// The suction state and the evaporating pressure (kPa) it lies at.
struct Suction {
  double pressure;
  property::StateProperties state;
};

Suction SuctionOf(const Conditions& c) {
  const double Te = c.evaporating + kKelvinOffset;
  const double Pe =
      Ask(property::Pressure, c.refrigerant, {"pressure", detail::kEvaporatingState, "Tvap", Te});
  return {Pe, detail::AskState(c.refrigerant, {"properties", detail::kSuctionState, "TP",
                                               Te + c.superheating, Pe})};
}

// The high side at one pressure.
struct HighSide {
  double pressure;  // kPa
  DiagramState isentropic_discharge, outlet;  // 2s, 3
  detail::IsobarNode outlet_node;             // 3, with its heat capacity
  double h2;        // kJ/kg
  double cop;       // heating
};

HighSide HighSideAt(const Conditions& c, const Suction& suction, double p) {
  const double h1 = suction.state.H;
  HighSide high{p, {}, {}, {}, 0, 0};
  high.isentropic_discharge = RequireState(
      c.refrigerant, {"properties", detail::kIsentropicDischargeState, "PS", p, suction.state.S});
  const auto outlet = detail::AskState(
      c.refrigerant, {"properties", kGasCoolerOutletState, "TP", c.outlet + kKelvinOffset, p});
  high.outlet = detail::InForms(outlet);
  if (high.outlet.h >= h1) {
    throw NoEvaporatorDuty(
        "The evaporator would take no heat: at " + Bar(p) +
        " the refrigerant leaves the gas cooler with " + FormatFixed(high.outlet.h, 2) +
        " kJ/kg, no less than the " + FormatFixed(h1, 2) +
        " kJ/kg it leaves the evaporator with; lower the Gas Cooler Outlet Temperature (" +
        Celsius(c.outlet) + ") or the High-side Pressure");
  }
  high.outlet_node = detail::IsobarNodeOf(c.refrigerant, outlet, kGasCoolerOutletState);
  high.h2 = h1 + detail::Quotient(high.isentropic_discharge.h - h1, c.efficiency / 100,
                                  c.refrigerant, "the isentropic efficiency",
                                  "discharge enthalpy");
  high.cop = detail::Quotient(high.h2 - high.outlet.h, high.h2 - h1, c.refrigerant,
                              "the compressor work h2 - h1", "COP");
  return high;
}

struct Search {
  HighSide high;
  bool at_edge;
  double low, high_bound;  // kPa
};

// What else a pressure must allow besides its high side to count in the
// search (its gas cooler computed against the water); it throws where not.
using AlsoRequired = std::function<void(const HighSide&)>;

Search BestHighSide(const Conditions& c, const Suction& suction, const Frame& frame,
                    const AlsoRequired& also_required = {}) {
  const double highest = std::min(frame.pmax, kHighestSearchedPressure * kKpaPerBar);
  // The best high side evaluated is kept, so that it need not be evaluated again.
  std::optional<HighSide> best;
  // A pressure that cannot be computed (a hot discharge past the equation's
  // upper temperature limit, an evaporator that would take no heat) counts
  // as the worst, so the search stays where the cycle can be computed; the
  // search is refused only when no pressure can be.
  std::optional<detail::CycleFailure> failure;
  const auto cop = [&](double p) {
    try {
      const HighSide high = HighSideAt(c, suction, p);
      if (also_required) also_required(high);
      if (!best || high.cop >= best->cop) best = high;
      return high.cop;
    } catch (const detail::CycleFailure& at_p) {
      if (!failure) failure = at_p;
    } catch (const NoEvaporatorDuty&) {
    }
    return -std::numeric_limits<double>::infinity();
  };
  const auto found = detail::SearchMaximum(cop, frame.pcrit, highest,
                                           kPressureTolerance * kKpaPerBar, kScannedPressures);
  if (!best && !failure) {
    throw Refusal("The evaporator would take no heat at any high-side pressure from " +
                  Bar(frame.pcrit) + " to " + Bar(highest) +
                  ": the refrigerant would leave the gas cooler with no less enthalpy than it "
                  "leaves the evaporator with; lower the Gas Cooler Outlet Temperature (" +
                  Celsius(c.outlet) + ")");
  }
  if (!best) throw *failure;
  return {*best, found.at_edge, frame.pcrit, highest};
}

// The high side with the gas cooler's discharge state and its profile
// against the water.
struct CooledHighSide {
  HighSide high;
  DiagramState discharge;  // 2
  detail::GasCoolerProfile profile;
};

CooledHighSide CoolAgainstWater(const Conditions& c, const detail::HeatedWater& water,
                                const HighSide& high) {
  const double p = high.pressure;
  const auto discharge =
      detail::AskState(c.refrigerant, {"properties", detail::kDischargeState, "PH", p, high.h2});
  // The outlet lies below the discharge: HighSideAt refused an outlet with
  // no less enthalpy than the suction, which has less than the discharge.
  CooledHighSide cooled{high, detail::InForms(discharge), {}};
  cooled.profile = detail::AlongGasCooler(
      {c.refrigerant, p, detail::IsobarNodeOf(c.refrigerant, discharge, detail::kDischargeState),
       high.outlet_node, c.capacity},
      water);
  return cooled;
}

// The gas cooler at the high side, or nothing where it cannot be computed.
std::optional<CooledHighSide> CooledIfComputable(const Conditions& c,
                                                 const detail::HeatedWater& water,
                                                 const HighSide& high) {
  try {
    return CoolAgainstWater(c, water, high);
  } catch (const detail::CycleFailure&) {
    return std::nullopt;
  }
}

// The refusal of a pinch below zero, where the water cannot reach its
// outlet temperature; `where` names the pressure (empty where it was given).
Refusal PinchFailure(const Conditions& c, const detail::GasCoolerProfile& profile,
                     const std::string& where) {
  return Refusal(
      "The water cannot be heated from " + Celsius(c.water_in) + " to " + Celsius(c.water_out) +
      where + ": the pinch of the gas cooler is " + FormatFixed(profile.pinch, 2) +
      " K, the refrigerant colder than the water at " + FormatFixed(100 * profile.pinch_at, 0) +
      " % of its duty from the refrigerant inlet");
}

// The refusal of "optimal" where no pressure searched keeps the minimum
// approach, at `top` the highest: the water's, where even there its pinch is
// negative, else the approach's.
Refusal ApproachFailure(const Conditions& c, const CooledHighSide& top) {
  const std::string where =
      " even at " + Bar(top.high.pressure) + ", the highest pressure searched";
  if (top.profile.pinch < 0) return PinchFailure(c, top.profile, where);
  return Refusal("The gas cooler cannot keep the Minimum Approach of " +
                 FormatFixed(c.min_approach, 2) + " K" + where + ": its pinch there is " +
                 FormatFixed(top.profile.pinch, 2) +
                 " K at " + FormatFixed(100 * top.profile.pinch_at, 0) +
                 " % of its duty from the refrigerant inlet; lower the Minimum Approach or the "
                 "Water Outlet Temperature");
}

// The lowest pressure above the best one (whose pinch is below the minimum
// approach) where the pinch reaches it: above the best the COP falls and the
// pinch grows, so it has the highest COP with that approach. Refused when
// the pinch stays below it up to the highest pressure searched.
CooledHighSide LowestFeasible(const Conditions& c, const Suction& suction,
                              const detail::HeatedWater& water, const Search& search,
                              const CooledHighSide& best) {
  std::optional<CooledHighSide> lowest_feasible, last;
  const auto excess = [&](double p) {
    last = CoolAgainstWater(c, water, HighSideAt(c, suction, p));
    const double over = last->profile.pinch - c.min_approach;
    if (over >= 0 && (!lowest_feasible || p < lowest_feasible->high.pressure)) {
      lowest_feasible = last;
    }
    return over;
  };
  const double step = kPressureTolerance * kKpaPerBar;
  const auto found = detail::LowestNonNegative(
      excess, {best.high.pressure, best.profile.pinch - c.min_approach}, search.high_bound, step,
      kFirstFeasibleStride);
  if (!found) throw ApproachFailure(c, last ? *last : best);
  return *lowest_feasible;
}

TranscriticalResult Evaluate(const Conditions& c, const Frame& frame) {
  const std::string& fluid = c.refrigerant;
  const detail::HeatedWater water(c.water_in, c.water_out);
  const Suction suction = SuctionOf(c);
  TranscriticalResult r;
  r.refrigerant = fluid;
  r.optimal = !c.high_pressure;
  r.min_approach = c.min_approach;
  std::optional<CooledHighSide> cooled;
  if (c.high_pressure) {
    cooled = CoolAgainstWater(c, water, HighSideAt(c, suction, *c.high_pressure * kKpaPerBar));
    if (cooled->profile.pinch < 0) throw PinchFailure(c, cooled->profile, "");
  } else {
    Search search = BestHighSide(c, suction, frame);
    cooled = CooledIfComputable(c, water, search.high);
    if (!cooled) {
      // The gas cooler of the best high side cannot be computed (a blend
      // below its cricondenbar turns two-phase on the way): the best of the
      // pressures where it can, searched again only then, as each trial now
      // costs a whole gas cooler.
      search = BestHighSide(c, suction, frame,
                            [&](const HighSide& high) { CoolAgainstWater(c, water, high); });
      cooled = CoolAgainstWater(c, water, search.high);
    }
    r.optimum_at_edge = search.at_edge;
    r.search_low = search.low / kKpaPerBar;
    r.search_high = search.high_bound / kKpaPerBar;
    r.best_cop_pressure = search.high.pressure / kKpaPerBar;
    r.best_cop = search.high.cop;
    r.best_cop_pinch = cooled->profile.pinch;
    if (cooled->profile.pinch < c.min_approach) {
      cooled = LowestFeasible(c, suction, water, search, *cooled);
      r.pinch_limited = true;
    }
  }
  const HighSide& high = cooled->high;
  const double p = high.pressure;
  r.high_pressure = p / kKpaPerBar;
  r.evaporating_pressure = suction.pressure / kKpaPerBar;
  r.suction = detail::InForms(suction.state);
  r.isentropic_discharge = high.isentropic_discharge;
  r.discharge = cooled->discharge;
  r.gas_cooler_outlet = high.outlet;
  r.evaporator_inlet = RequireState(
      fluid, {"properties", detail::kEvaporatorInletState, "PH", suction.pressure, high.outlet.h});

  const double h1 = r.suction.h, h2 = r.discharge.h, h3 = r.gas_cooler_outlet.h;
  r.heating_capacity = c.capacity;
  r.mass_flow = detail::Quotient(c.capacity, h2 - h3, fluid, "the heating effect h2 - h3",
                                 "refrigerant mass flow");
  r.cop = high.cop;
  r.compressor_power = r.mass_flow * (h2 - h1);
  r.evaporator_duty = r.mass_flow * (h1 - h3);
  r.water_flow = detail::Quotient(c.capacity, water.Rise(), fluid,
                                  "the water's enthalpy rise", "water flow");
  r.vhc = (h2 - h3) * suction.state.D;
  detail::RequireFinite(fluid, {{"compressor power", r.compressor_power},
                                {"evaporator duty", r.evaporator_duty},
                                {"volumetric heating capacity", r.vhc}});
  r.gas_cooler = cooled->profile.points;
  r.pinch = cooled->profile.pinch;
  r.pinch_at = cooled->profile.pinch_at;
  return r;
}

}  // namespace

TranscriticalOutcome CalcTranscriticalCycle(const TranscriticalInput& input,
                                            LibraryText library_text) {
  const auto read = ReadConditions(input);
  if (const auto* message = std::get_if<std::string>(&read)) return *message;
  const auto& conditions = std::get<Conditions>(read);
  const auto frame = FrameOf(conditions.refrigerant);
  if (const auto* message = std::get_if<std::string>(&frame)) return *message;
  if (auto message = FirstFailure(conditions, std::get<Frame>(frame))) return *message;
  try {
    const double boiling = detail::HotWater().Boiling();
    if (conditions.water_out >= boiling) {
      return "Water Outlet Temperature must lie below " + Celsius(boiling) +
             ", where the water boils";
    }
    return Evaluate(conditions, std::get<Frame>(frame));
  } catch (const detail::CycleFailure& failure) {
    return failure.Message(library_text);
  } catch (const Refusal& refusal) {
    return std::string(refusal.what());
  }
}

std::optional<std::string> ApproachWarning(const TranscriticalResult& r) {
  if (r.pinch >= r.min_approach) return std::nullopt;
  return "The pinch of the gas cooler, " + FormatFixed(r.pinch, 2) +
         " K, lies below the Minimum Approach of " + FormatFixed(r.min_approach, 2) +
         " K: the gas cooler must be larger than one built for that approach";
}

std::string HighPressureNote(const TranscriticalResult& r) {
  if (!r.optimal) return "as entered";
  const std::string range =
      FormatFixed(r.search_low, 2) + " to " + FormatFixed(r.search_high, 2) + " bar";
  if (!r.pinch_limited) {
    return r.optimum_at_edge ? "the best COP of " + range + ", at the search's edge"
                             : "the best COP, searched from " + range;
  }
  const std::string best = "the best COP, " + FormatFixed(r.best_cop, 3) + " at " +
                           FormatFixed(r.best_cop_pressure, 2) + " bar, ";
  const std::string short_of = r.best_cop_pinch < 0
                                   ? "leaves the water short by " + FormatFixed(-r.best_cop_pinch, 2)
                                   : "has a pinch of only " + FormatFixed(r.best_cop_pinch, 2);
  return "the lowest pressure with a pinch of at least " + FormatFixed(r.min_approach, 2) +
         " K: " + best + short_of + " K";
}

}  // namespace cycle
