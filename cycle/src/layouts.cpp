#include "cycle/layouts.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <stdexcept>

#include "cycle/comparison.h"
#include "cycle/number_text.h"
#include "fluid_frame.h"
#include "form_states.h"
#include "maximum_search.h"
#include "property_requests.h"
#include "typed_fields.h"
#include "wet_compression.h"

namespace cycle {

namespace {

using detail::AskState;
using detail::kKelvinOffset;
using detail::kKpaPerBar;
using detail::Quotient;
using State = property::StateProperties;

// The heat source lies this far above the evaporating temperature and the
// heat sink this far below the condensing temperature, unless given.
constexpr double kSourceAboveEvaporating = 5, kSinkBelowCondensing = 5;
// How closely "optimal" finds the intermediate pressure, bar.
constexpr double kPressureTolerance = 0.01;
// Pressures scanned before the search narrows down on the best of them.
constexpr int kScannedPressures = 4;

// A refusal of the inputs found only while computing the layout, told in
// the form's terms.
struct Refusal : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The states as messages name them. The basic layout's are the comparison's.
constexpr std::string_view kEvaporatorOutlet = "evaporator outlet state (point 1')";
constexpr std::string_view kCondenserOutlet = "condenser outlet state (point 3')";
constexpr std::string_view kIhxLiquidOutlet =
    "liquid outlet state of the internal heat exchanger (point 3)";
constexpr std::string_view kIhxVapourInlet =
    "vapour at the liquid's temperature in the internal heat exchanger";
constexpr std::string_view kLiquidToEvaporator =
    "liquid state before the evaporator's valve (point 5)";
constexpr std::string_view kBranchAfterValve = "injection branch after its valve (point 6)";
constexpr std::string_view kFlashTankInlet = "flash tank inlet state (point 6)";
constexpr std::string_view kInjectedVapour = "injected vapour state (point 7)";
constexpr std::string_view kLowStageIdeal = "low-stage isentropic discharge state (point 8s)";
constexpr std::string_view kLowStageDischarge = "low-stage discharge state (point 8)";
constexpr std::string_view kHighStageSuction = "high-stage suction state (point 9)";

std::string Celsius(double value) { return FormatFixed(value, 2) + " 'C"; }
std::string Bar(double kpa) { return FormatFixed(kpa / kKpaPerBar, 2) + " bar"; }

enum class Intermediate { mean, optimal, given };

// The numbers of the input, read.
struct Conditions {
  std::string refrigerant;
  double capacity = 0;      // kW
  double evaporating = 0;   // degrees C
  double condensing = 0;    // degrees C
  double subcooling = 0;    // K
  double superheating = 0;  // K
  double safety = 0;        // percent
  double efficiency = 0;    // percent
  double ihx = 0;           // effectiveness, percent
  Intermediate intermediate = Intermediate::mean;
  double intermediate_bar = 0;     // when given
  double injection_superheat = 0;  // K
  double approach = 0;             // K
  double source = 0, sink = 0;     // degrees C
};

// A temperature typed or left blank for its default.
std::optional<std::string> ReadTemperatureOr(std::string_view field, const std::string& text,
                                             double fallback, double& value) {
  value = fallback;
  if (detail::Trimmed(text).empty()) return std::nullopt;
  return detail::ReadTypedNumbers({{field, text, value}});
}

std::variant<Conditions, std::string> ReadConditions(const LayoutInput& in) {
  Conditions c;
  c.refrigerant = in.Refrigerant;
  if (detail::Trimmed(in.Refrigerant).empty()) return "Please Input Refrigerant";
  if (auto message = detail::ReadTypedNumbers({
          {"Heat Capacity of Evaporator", in.Capacity, c.capacity},
          {"Evaporating Temperature", in.Evaporating, c.evaporating},
          {"Condensing Temperature", in.Condensing, c.condensing},
          {"Subcooling", in.Subcooling, c.subcooling},
          {"Superheating", in.Superheating, c.superheating},
          {"Safety Factor", in.Safety, c.safety},
          {"Isentropic Efficiency", in.Efficiency, c.efficiency},
          {"Internal Heat Exchanger Effectiveness", in.IhxEffectiveness, c.ihx},
      })) {
    return *message;
  }
  if (detail::IsWord(in.Intermediate, "mean")) {
    c.intermediate = Intermediate::mean;
  } else if (detail::IsWord(in.Intermediate, "optimal")) {
    c.intermediate = Intermediate::optimal;
  } else if (const auto bar = WholeNumber(in.Intermediate)) {
    c.intermediate = Intermediate::given;
    c.intermediate_bar = *bar;
  } else {
    return "Please Input Intermediate Pressure as a number of bar, \"mean\" or \"optimal\"";
  }
  if (auto message = detail::ReadTypedNumbers({
          {"Injection Superheat", in.InjectionSuperheat, c.injection_superheat},
          {"Economizer Approach", in.Approach, c.approach},
      })) {
    return *message;
  }
  if (auto message = ReadTemperatureOr("Heat Source Temperature", in.Source,
                                       c.evaporating + kSourceAboveEvaporating, c.source)) {
    return *message;
  }
  if (auto message = ReadTemperatureOr("Heat Sink Temperature", in.Sink,
                                       c.condensing - kSinkBelowCondensing, c.sink)) {
    return *message;
  }
  return c;
}

struct Check {
  bool fails;
  std::string_view message;
};

// The checks that need no property of the refrigerant, in the order of the fields.
std::optional<std::string> FirstFailure(const Conditions& c) {
  const Check checks[] = {
      {!(c.capacity > 0), "Heat Capacity of Evaporator must lie above 0 kW"},
      {c.condensing < 40 || c.condensing > 150,
       "Condensing Temperature must lie between 40 and 150 'C"},
      {c.evaporating >= c.condensing,
       "Evaporating Temperature must lie below Condensing Temperature"},
      {!(c.subcooling > 0 && c.subcooling <= 10), "Subcooling must lie above 0 and at most 10 K"},
      {!(c.superheating > 0 && c.superheating <= 15),
       "Superheating must lie above 0 and at most 15 K"},
      {!(c.safety > 0 && c.safety <= 100), "Safety Factor must lie above 0 and at most 100 %"},
      {!(c.efficiency > 0 && c.efficiency <= 100),
       "Isentropic Efficiency must lie above 0 and at most 100 %"},
      {!(c.ihx >= 0 && c.ihx <= 100),
       "Internal Heat Exchanger Effectiveness must lie between 0 and 100 %"},
      {c.injection_superheat < 0, "Injection Superheat must not be negative"},
      {c.approach < 0, "Economizer Approach must not be negative"},
      {c.source <= -kKelvinOffset, "Heat Source Temperature must lie above -273.15 'C"},
      {c.sink <= c.source, "Heat Sink Temperature must lie above Heat Source Temperature"},
  };
  for (const Check& check : checks) {
    if (check.fails) return std::string(check.message);
  }
  return std::nullopt;
}

// A blend boils over a range of pressures at one temperature (a
// near-azeotropic one over a small range); a pure fluid's bubble and dew
// pressures are one, up to the library's tolerance.
bool IsBlend(const Conditions& c) {
  constexpr double kPureFluidSpread = 1e-7;
  const double Te = c.evaporating + kKelvinOffset;
  const double bubble = detail::Ask(property::Pressure, c.refrigerant,
                                    {"bubble pressure", detail::kEvaporatingState, "Tliq", Te});
  const double dew = detail::Ask(property::Pressure, c.refrigerant,
                                 {"pressure", detail::kEvaporatingState, "Tvap", Te});
  return std::abs(bubble - dew) > kPureFluidSpread * dew;
}

// The checks against the refrigerant's own limits.
std::optional<std::string> FluidFailure(Layout layout, const Conditions& c,
                                        const detail::FluidFrame& frame) {
  const double Tmin = frame.Tmin - kKelvinOffset, Tcrit = frame.Tcrit - kKelvinOffset;
  if (c.evaporating <= Tmin) {
    return "Evaporating Temperature (" + Celsius(c.evaporating) +
           ") must lie above the lower temperature limit of " + c.refrigerant + " (" +
           Celsius(Tmin) + ")";
  }
  ComparisonConditions condensing;
  condensing.TemperatureCondensing = c.condensing;
  if (!CondensesBelowCritical(condensing, Tcrit)) {
    return "Condensing Temperature (" + Celsius(c.condensing) +
           ") must lie below the critical temperature of " + c.refrigerant + " (" + Celsius(Tcrit) +
           ")";
  }
  if (layout == Layout::flash_tank && IsBlend(c)) {
    return c.refrigerant +
           " is a blend: in a flash tank its vapour and its liquid would part into other "
           "compositions than the blend's, which this layout does not follow; the economizer "
           "keeps the injected vapour's composition";
  }
  return std::nullopt;
}

// What every layout starts from: the two saturation pressures, the
// evaporator's and the condenser's outlets, and the dew points that judge
// where a compression ends.
struct Ends {
  double Pe, Pc;            // kPa
  State dew_e;              // saturated vapour at Te
  State dew_c;              // saturated vapour at Pc
  State evaporator_outlet;  // 1'
  State condenser_outlet;   // 3'
};

Ends EndsOf(Layout layout, const Conditions& c) {
  const std::string& f = c.refrigerant;
  const double Te = c.evaporating + kKelvinOffset, Tc = c.condensing + kKelvinOffset;
  const bool basic = layout == Layout::basic;
  Ends e{};
  e.dew_e = AskState(f, {"properties", detail::kEvaporatingState, "Tvap", Te});
  e.Pe = e.dew_e.P;
  e.Pc = detail::Ask(property::Pressure, f, {"pressure", detail::kCondensingState, "Tliq", Tc});
  if (!(e.Pc > e.Pe)) {
    throw detail::CycleFailure(f, "the condensing pressure (" + Bar(e.Pc) +
                                      ") is not above the evaporating pressure (" + Bar(e.Pe) +
                                      "), so the compressor does no work");
  }
  e.dew_c = detail::DewAt(f, e.Pc);
  e.evaporator_outlet =
      AskState(f, {"properties", basic ? detail::kSuctionState : kEvaporatorOutlet, "TP",
                   Te + c.superheating, e.Pe});
  e.condenser_outlet =
      AskState(f, {"properties", basic ? detail::kCondenserOutletState : kCondenserOutlet, "TP",
                   Tc - c.subcooling, e.Pc});
  return e;
}

// One compression: where an ideal compressor ends, and where the real one does.
struct Stroke {
  State ideal, real;
};

// The enthalpy after compressing from `in` to where the ideal compressor ends.
double RealEnthalpy(const Conditions& c, const State& in, const State& ideal) {
  return in.H + Quotient(ideal.H - in.H, c.efficiency / 100, c.refrigerant,
                         "the isentropic efficiency", "discharge enthalpy");
}

State IdealEnd(const Conditions& c, const State& in, double p, std::string_view name) {
  return AskState(c.refrigerant, {"properties", name, "PS", p, in.S});
}

State StateAt(const Conditions& c, double p, double h, std::string_view name) {
  return AskState(c.refrigerant, {"properties", name, "PH", p, h});
}

Stroke Compress(const Conditions& c, const State& in, double p, std::string_view ideal_name,
                std::string_view real_name) {
  const State ideal = IdealEnd(c, in, p, ideal_name);
  return {ideal, StateAt(c, p, RealEnthalpy(c, in, ideal), real_name)};
}

// The two stages at one intermediate pressure, as far as the heating COP
// needs them; the remaining states follow at the pressure chosen.
struct Injection {
  double p;         // kPa
  State branch;     // 6
  State injected;   // 7
  State liquid;     // 5
  State dew_i;      // saturated vapour at p
  State low_ideal;  // 8s
  double h8;
  State mixed;       // 9
  State high_ideal;  // 2s
  double h2;
  double r;  // injection ratio
  double cop;
};

Injection InjectionAt(Layout layout, const Conditions& c, const Ends& e, double p) {
  const std::string& f = c.refrigerant;
  const State& out3 = e.condenser_outlet;
  const bool flash = layout == Layout::flash_tank;
  Injection x{};
  x.p = p;
  x.branch = StateAt(c, p, out3.H, flash ? kFlashTankInlet : kBranchAfterValve);
  x.dew_i = detail::DewAt(f, p);
  if (flash) {
    x.injected = x.dew_i;
    x.liquid = AskState(f, {"properties", kLiquidToEvaporator, "Pliq", p});
    if (!(out3.H > x.liquid.H)) {
      throw Refusal(
          "The liquid leaving the condenser does not flash at the intermediate pressure (" +
          Bar(p) + "): the flash tank would hold no vapour to inject");
    }
  } else {
    const double T5 = x.branch.T + c.approach;
    if (!(T5 < out3.T)) {
      throw Refusal("The economizer cannot cool the liquid: the injection branch evaporates at " +
                    Celsius(x.branch.T - kKelvinOffset) + " at " + Bar(p) +
                    ", and with the approach of " + FormatFixed(c.approach, 2) +
                    " K the liquid would leave it at " + Celsius(T5 - kKelvinOffset) +
                    ", not below the condenser outlet at " + Celsius(out3.T - kKelvinOffset));
    }
    x.liquid = AskState(f, {"properties", kLiquidToEvaporator, "TP", T5, e.Pc});
    x.injected = c.injection_superheat > 0 ? AskState(f, {"properties", kInjectedVapour, "TP",
                                                          x.dew_i.T + c.injection_superheat, p})
                                           : x.dew_i;
  }
  // Per kg of evaporator flow, r kg leave the liquid line as vapour 7; the
  // liquid cooled from 3' to 5 gives the heat that evaporates them.
  x.r = Quotient(out3.H - x.liquid.H, x.injected.H - out3.H, f,
                 "the injected vapour's enthalpy rise h7 - h3'", "injection ratio");
  const State& suction = e.evaporator_outlet;
  x.low_ideal = IdealEnd(c, suction, p, kLowStageIdeal);
  x.h8 = RealEnthalpy(c, suction, x.low_ideal);
  x.mixed = StateAt(c, p, (x.h8 + x.r * x.injected.H) / (1 + x.r), kHighStageSuction);
  x.high_ideal = IdealEnd(c, x.mixed, e.Pc, detail::kIsentropicDischargeState);
  x.h2 = RealEnthalpy(c, x.mixed, x.high_ideal);
  const double heating = (1 + x.r) * (x.h2 - out3.H);
  const double work = (x.h8 - suction.H) + (1 + x.r) * (x.h2 - x.mixed.H);
  x.cop = Quotient(heating, work, f, "the compressor work", "COP");
  return x;
}

// The intermediate pressure of the highest heating COP, to within the
// tolerance: pressures where the layout cannot run count as the worst.
Injection BestInjection(Layout layout, const Conditions& c, const Ends& e) {
  std::optional<Injection> best;
  std::exception_ptr failure;
  const auto cop = [&](double p) {
    try {
      Injection x = InjectionAt(layout, c, e, p);
      if (!best || x.cop >= best->cop) best = x;
      return x.cop;
    } catch (const detail::CycleFailure&) {
    } catch (const Refusal&) {
    }
    if (!failure) failure = std::current_exception();
    return -std::numeric_limits<double>::infinity();
  };
  detail::SearchMaximum(cop, e.Pe, e.Pc, kPressureTolerance * kKpaPerBar, kScannedPressures);
  if (!best) std::rethrow_exception(failure);
  return *best;
}

Injection ChosenInjection(Layout layout, const Conditions& c, const Ends& e) {
  switch (c.intermediate) {
    case Intermediate::optimal:
      return BestInjection(layout, c, e);
    case Intermediate::mean:
      return InjectionAt(layout, c, e, std::sqrt(e.Pe * e.Pc));
    case Intermediate::given:
      break;
  }
  const double p = c.intermediate_bar * kKpaPerBar;
  if (!(p > e.Pe && p < e.Pc)) {
    throw Refusal("Intermediate Pressure (" + Bar(p) +
                  ") must lie between the evaporating pressure (" + Bar(e.Pe) +
                  ") and the condensing pressure (" + Bar(e.Pc) + ") of " + c.refrigerant);
  }
  return InjectionAt(layout, c, e, p);
}

LayoutState Named(std::string name, const State& s, double mass) {
  LayoutState state{std::move(name), detail::InForms(s), mass, std::nullopt};
  if (s.Q >= 0 && s.Q <= 1) state.quality = s.Q;
  return state;
}

// A layout's states and what the figures need of them, per kg of
// evaporator flow: entropy generated in each component (kJ/kg-K), the
// compressor's work, the heat given off and where the compression ends.
struct Flow {
  std::vector<LayoutState> states;
  State suction, discharge, evaporator_inlet;
  double r = 0;                       // injection ratio
  std::optional<double> p_i;          // kPa
  double work = 0, heating = 0;       // kJ/kg
  double condenser_entropy_drop = 0;  // (1 + r)(s2 - s3'), kJ/kg-K
  std::array<double, std::size(kComponents)>
      generated{};  // by Component, without the heat exchanged with source and sink
  bool wet = false;
};

void Generate(Flow& flow, Component component, double entropy) {
  flow.generated[static_cast<std::size_t>(component)] += entropy;
}

Flow SingleStage(Layout layout, const Conditions& c, const Ends& e) {
  const std::string& f = c.refrigerant;
  const State& out1 = e.evaporator_outlet;
  const State& out3 = e.condenser_outlet;
  Flow flow;
  State suction = out1, liquid = out3;
  if (layout == Layout::ihx) {
    if (!(out3.T > e.dew_e.T)) {
      throw Refusal("The internal heat exchanger needs the liquid leaving the condenser (" +
                    Celsius(out3.T - kKelvinOffset) +
                    ") warmer than the evaporating temperature (" +
                    Celsius(e.dew_e.T - kKelvinOffset) + ")");
    }
    // The vapour warms towards the liquid's temperature by the effectiveness,
    // and the liquid gives up as much as the vapour takes.
    const double hX =
        detail::Ask(property::Enthalpy, f, {"enthalpy", kIhxVapourInlet, "TP", out3.T, e.Pe});
    const double transfer = c.ihx / 100 * (hX - out1.H);
    suction = StateAt(c, e.Pe, out1.H + transfer, detail::kSuctionState);
    liquid = StateAt(c, e.Pc, out3.H - (suction.H - out1.H), kIhxLiquidOutlet);
    Generate(flow, Component::ihx, (suction.S - out1.S) + (liquid.S - out3.S));
  }
  const Stroke stroke =
      Compress(c, suction, e.Pc, detail::kIsentropicDischargeState, detail::kDischargeState);
  flow.evaporator_inlet = StateAt(c, e.Pe, liquid.H, detail::kEvaporatorInletState);
  flow.suction = suction;
  flow.discharge = stroke.real;
  flow.work = stroke.real.H - suction.H;
  flow.heating = stroke.real.H - out3.H;
  flow.condenser_entropy_drop = stroke.real.S - out3.S;
  flow.wet = detail::EndsWet(suction.S, e.dew_c);
  Generate(flow, Component::compressor, stroke.real.S - suction.S);
  Generate(flow, Component::valve, flow.evaporator_inlet.S - liquid.S);
  if (layout == Layout::basic) {
    flow.states = {Named("1", suction, 1), Named("2s", stroke.ideal, 1), Named("2", stroke.real, 1),
                   Named("3", out3, 1), Named("4", flow.evaporator_inlet, 1)};
  } else {
    flow.states = {Named("1'", out1, 1),
                   Named("1", suction, 1),
                   Named("2s", stroke.ideal, 1),
                   Named("2", stroke.real, 1),
                   Named("3'", out3, 1),
                   Named("3", liquid, 1),
                   Named("4", flow.evaporator_inlet, 1)};
  }
  return flow;
}

Flow TwoStage(Layout layout, const Conditions& c, const Ends& e) {
  const State& out1 = e.evaporator_outlet;
  const State& out3 = e.condenser_outlet;
  const Injection x = ChosenInjection(layout, c, e);
  const bool flash = layout == Layout::flash_tank;
  const double r = x.r, total = 1 + r;
  const State low = StateAt(c, x.p, x.h8, kLowStageDischarge);
  const State high = StateAt(c, e.Pc, x.h2, detail::kDischargeState);
  Flow flow;
  flow.evaporator_inlet = StateAt(c, e.Pe, x.liquid.H, detail::kEvaporatorInletState);
  flow.suction = out1;
  flow.discharge = high;
  flow.r = r;
  flow.p_i = x.p;
  flow.work = (x.h8 - out1.H) + total * (x.h2 - x.mixed.H);
  flow.heating = total * (x.h2 - out3.H);
  flow.condenser_entropy_drop = total * (high.S - out3.S);
  flow.wet = detail::EndsWet(out1.S, x.dew_i) || detail::EndsWet(x.mixed.S, e.dew_c);
  Generate(flow, Component::compressor, (low.S - out1.S) + total * (high.S - x.mixed.S));
  Generate(flow, Component::mixing, total * x.mixed.S - low.S - r * x.injected.S);
  Generate(flow, Component::valve, flow.evaporator_inlet.S - x.liquid.S);
  if (flash) {
    // All the liquid passes the first valve; the tank parts it adiabatically.
    Generate(flow, Component::valve, total * (x.branch.S - out3.S));
    Generate(flow, Component::economizer, x.liquid.S + r * x.injected.S - total * x.branch.S);
  } else {
    Generate(flow, Component::valve, r * (x.branch.S - out3.S));
    Generate(flow, Component::economizer, (x.liquid.S - out3.S) + r * (x.injected.S - x.branch.S));
  }
  flow.states = {Named("1'", out1, 1),
                 Named("2s", x.high_ideal, total),
                 Named("2", high, total),
                 Named("3'", out3, total),
                 Named("4", flow.evaporator_inlet, 1),
                 Named("5", x.liquid, 1),
                 Named("6", x.branch, flash ? total : r),
                 Named("7", x.injected, r),
                 Named("8s", x.low_ideal, 1),
                 Named("8", low, 1),
                 Named("9", x.mixed, total)};
  return flow;
}

// Where heat would flow the wrong way between the refrigerant and the
// source or the sink, the second law's figures would be negative losses.
void RefuseReversedHeat(const Conditions& c, double T0, double Tk, double evaporator_mean,
                        double condenser_mean) {
  if (T0 < evaporator_mean) {
    throw Refusal("Heat Source Temperature (" + Celsius(c.source) +
                  ") must not lie below the mean temperature at which " + c.refrigerant +
                  " takes up heat in the evaporator (" + Celsius(evaporator_mean - kKelvinOffset) +
                  ")");
  }
  if (Tk > condenser_mean) {
    throw Refusal("Heat Sink Temperature (" + Celsius(c.sink) +
                  ") must not lie above the mean temperature at which " + c.refrigerant +
                  " gives off heat in the condenser (" + Celsius(condenser_mean - kKelvinOffset) +
                  ")");
  }
}

LayoutResult Evaluate(Layout layout, const Conditions& c) {
  const std::string& f = c.refrigerant;
  const Ends e = EndsOf(layout, c);
  const Flow flow = IsTwoStage(layout) ? TwoStage(layout, c, e) : SingleStage(layout, c, e);
  const State& out1 = e.evaporator_outlet;

  LayoutResult r;
  r.refrigerant = f;
  r.layout = layout;
  r.states = flow.states;
  r.evaporator_duty = c.safety / 100 * c.capacity;
  r.mass_flow = Quotient(r.evaporator_duty, out1.H - flow.evaporator_inlet.H, f,
                         "the refrigerating effect h1' - h4", "refrigerant mass flow");
  r.heating_capacity = r.mass_flow * flow.heating;
  r.compressor_power = r.mass_flow * flow.work;
  r.cop = Quotient(flow.heating, flow.work, f, "the compressor work", "COP");
  r.vhc = flow.heating * flow.suction.D;
  r.injection_ratio = flow.r;
  if (flow.p_i) r.intermediate_pressure = *flow.p_i / kKpaPerBar;
  r.intermediate_searched = IsTwoStage(layout) && c.intermediate == Intermediate::optimal;
  r.evaporating_pressure = e.Pe / kKpaPerBar;
  r.condensing_pressure = e.Pc / kKpaPerBar;
  r.pressure_ratio = e.Pc / e.Pe;
  r.suction_temperature = flow.suction.T - kKelvinOffset;
  r.discharge_temperature = flow.discharge.T - kKelvinOffset;
  if (flow.discharge.Q > 0 && flow.discharge.Q < 1) r.discharge_quality = flow.discharge.Q;
  r.wet_compression = flow.wet;
  r.min_superheat = detail::MinimumSuperheat(f, e.dew_e, e.dew_c);

  // The second law: entropy generated in each component times the dead
  // state's temperature; the evaporator takes its heat from the source at
  // T0 and the condenser gives its heat to the sink at Tk.
  const double T0 = c.source + kKelvinOffset, Tk = c.sink + kKelvinOffset;
  const double m = r.mass_flow;
  const double evaporator_rise = out1.S - flow.evaporator_inlet.S;
  RefuseReversedHeat(c, T0, Tk, (out1.H - flow.evaporator_inlet.H) / evaporator_rise,
                     flow.heating / flow.condenser_entropy_drop);
  r.source_temperature = c.source;
  r.sink_temperature = c.sink;
  for (const Component component : kComponents) {
    const auto k = static_cast<std::size_t>(component);
    r.losses[k] = m * T0 * flow.generated[k];
  }
  r.losses[static_cast<std::size_t>(Component::condenser)] =
      T0 * (r.heating_capacity / Tk - m * flow.condenser_entropy_drop);
  r.losses[static_cast<std::size_t>(Component::evaporator)] =
      m * T0 * evaporator_rise - r.evaporator_duty;
  r.delivered_exergy = r.heating_capacity * (1 - T0 / Tk);
  r.exergy_efficiency = Quotient(r.delivered_exergy, r.compressor_power, f, "the compressor power",
                                 "exergy efficiency");
  detail::RequireFinite(f, {{"heating capacity", r.heating_capacity},
                            {"compressor power", r.compressor_power},
                            {"volumetric heating capacity", r.vhc}});
  return r;
}

LayoutRefusal RefusalOf(std::string message) { return {message, message}; }

// How the command line names a layout and how a page heads it.
struct LayoutWords {
  Layout layout;
  std::string_view name, title;
};

constexpr LayoutWords kLayoutWords[] = {
    {Layout::basic, "basic", "Basic cycle"},
    {Layout::ihx, "ihx", "Internal heat exchanger"},
    {Layout::economizer, "economizer", "Economizer with vapour injection"},
    {Layout::flash_tank, "flash-tank", "Flash tank with vapour injection"},
};

const LayoutWords& WordsOf(Layout layout) {
  return *std::find_if(std::begin(kLayoutWords), std::end(kLayoutWords),
                       [layout](const LayoutWords& words) { return words.layout == layout; });
}

}  // namespace

std::string_view LayoutName(Layout layout) { return WordsOf(layout).name; }

std::optional<Layout> LayoutNamed(std::string_view name) {
  for (const LayoutWords& words : kLayoutWords) {
    if (words.name == name) return words.layout;
  }
  return std::nullopt;
}

std::string_view LayoutTitle(Layout layout) { return WordsOf(layout).title; }

bool IsTwoStage(Layout layout) {
  return layout == Layout::economizer || layout == Layout::flash_tank;
}

std::string_view ComponentLabel(Component component, Layout layout) {
  switch (component) {
    case Component::compressor:
      return "Compressor";
    case Component::condenser:
      return "Condenser";
    case Component::valve:
      return "Valves";
    case Component::evaporator:
      return "Evaporator";
    case Component::ihx:
      return "Internal heat exchanger";
    case Component::economizer:
      return layout == Layout::flash_tank ? "Flash tank" : "Economizer";
    case Component::mixing:
      return "Mixing";
  }
  return {};
}

std::vector<Component> ComponentsOf(Layout layout) {
  std::vector<Component> components;
  for (const Component component : kComponents) {
    const bool has = component == Component::ihx ? layout == Layout::ihx
                     : component == Component::economizer || component == Component::mixing
                         ? IsTwoStage(layout)
                         : true;
    if (has) components.push_back(component);
  }
  return components;
}

const LayoutState* LayoutResult::State(std::string_view name) const {
  const auto found = std::find_if(states.begin(), states.end(),
                                  [&](const LayoutState& s) { return s.name == name; });
  return found == states.end() ? nullptr : &*found;
}

LayoutOutcome CalcLayout(Layout layout, const LayoutInput& input, LibraryText library_text) {
  LayoutOutcome outcome{input.Refrigerant, layout, LayoutRefusal{}};
  const auto read = ReadConditions(input);
  if (const auto* message = std::get_if<std::string>(&read)) {
    outcome.outcome = RefusalOf(*message);
    return outcome;
  }
  const auto& conditions = std::get<Conditions>(read);
  try {
    const std::string& fluid = conditions.refrigerant;
    if (auto message = FirstFailure(conditions)) {
      outcome.outcome = RefusalOf(*message);
    } else if (auto unknown =
                   detail::UnknownRefrigerant(fluid, property::CriticalPoint(fluid, "T", "mks"))) {
      outcome.outcome = RefusalOf(*unknown);
    } else if (auto limit = FluidFailure(layout, conditions, detail::FrameOf(fluid))) {
      outcome.outcome = RefusalOf(*limit);
    } else {
      outcome.outcome = Evaluate(layout, conditions);
    }
  } catch (const detail::CycleFailure& failure) {
    outcome.outcome = LayoutRefusal{failure.Message(library_text), failure.Reason(library_text)};
  } catch (const Refusal& refusal) {
    outcome.outcome = RefusalOf(refusal.what());
  }
  return outcome;
}

std::vector<LayoutOutcome> CompareLayouts(const LayoutInput& input, LibraryText library_text) {
  std::vector<LayoutOutcome> outcomes;
  for (const Layout layout : kLayouts) outcomes.push_back(CalcLayout(layout, input, library_text));
  return outcomes;
}

std::string WetCompressionVerdict(const LayoutResult& r) {
  const std::string single_stroke =
      r.min_superheat > 0
          ? " A single compression from Pe to Pc ends dry from " + FormatFixed(r.min_superheat, 2) +
                " K of suction superheat."
          : " A single compression from Pe to Pc ends dry even from saturated vapour.";
  std::string verdict =
      r.wet_compression
          ? "Wet compression: an isentropic compression of this layout ends inside the two-phase "
            "region." +
                single_stroke
          : "Dry compression: every isentropic compression of this layout ends in superheated "
            "vapour." +
                single_stroke;
  if (r.discharge_quality) {
    verdict += " The discharge is two-phase (vapour quality " +
               FormatFixed(*r.discharge_quality, 3) +
               "): its temperature is a saturation temperature, not that of a superheated vapour.";
  }
  return verdict;
}

}  // namespace cycle
