#include "cycle/diagram.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "cycle/layouts.h"
#include "cycle/number_text.h"
#include "cycle/transcritical.h"
#include "cycle_points.h"
#include "fluid_frame.h"
#include "form_states.h"
#include "property_requests.h"

namespace cycle {

namespace {

using detail::FluidFrame;
using detail::FrameOf;
using detail::InForms;
using detail::kKelvinOffset;
using detail::kKpaPerBar;
using detail::RequireState;

// Points per dome line, closer together towards the critical point where
// the lines turn.
constexpr int kDomePoints = 120;
// States between two breaks of a process (a corner or a saturation state).
constexpr int kProcessSteps = 8;
// States between the corners of the gas cooler, whose isobar bends sharply
// where it passes the critical region.
constexpr int kGasCoolerSteps = 32;
// States of the throttling between its corners.
constexpr int kExpansionSteps = 8;
// States of an isoline's liquid, two-phase and vapour parts.
constexpr int kLiquidSteps = 6, kTwoPhaseSteps = 6, kVapourSteps = 16;

// How far the lines of constant temperature or pressure reach beyond the
// cycle: the part of the diagram an engineer looks at.
constexpr double kIsothermMargin = 20;         // K below evaporation, above discharge
constexpr double kLowestPressureFactor = 0.25;  // of the evaporating pressure
constexpr double kHighestPressureFactor = 1.6;  // of the higher of condensing and critical
constexpr double kIsobarMargin = 30;            // K beyond the cycle's temperatures
constexpr int kIsothermsWanted = 5;

// A state the diagram can do without: nothing when the layer gives none.
std::optional<DiagramState> TryState(const std::string& fluid, std::string_view code,
                                     double value1, double value2 = 0) {
  const auto result = property::WholeState(fluid, code, "mks", value1, value2);
  const auto* s = std::get_if<property::StateProperties>(&result);
  if (s == nullptr) return std::nullopt;
  const DiagramState state = InForms(*s);
  if (!std::isfinite(state.T) || !std::isfinite(state.p) || !std::isfinite(state.h) ||
      !std::isfinite(state.s)) {
    return std::nullopt;
  }
  return state;
}

// n values from a to b, both excluded, evenly or in equal ratios.
std::vector<double> Between(double a, double b, int n) {
  std::vector<double> values;
  for (int i = 1; i <= n; ++i) values.push_back(a + (b - a) * i / (n + 1));
  return values;
}
std::vector<double> GeometricBetween(double a, double b, int n) {
  std::vector<double> values;
  for (const double v : Between(std::log(a), std::log(b), n)) values.push_back(std::exp(v));
  return values;
}

void Append(std::vector<DiagramState>& line, const std::optional<DiagramState>& state) {
  if (state) line.push_back(*state);
}

void AddDome(CycleDiagram& d, const FluidFrame& frame) {
  const double span = frame.Tcrit - frame.Tmin;
  for (int i = 0; i < kDomePoints; ++i) {
    const double closing = 1 - double(i) / kDomePoints;
    const double T = frame.Tcrit - span * closing * closing;
    Append(d.bubble, TryState(d.refrigerant, "Tliq", T));
    Append(d.dew, TryState(d.refrigerant, "Tvap", T));
  }
  const double density = detail::NumberOf(property::CriticalPoint(d.refrigerant, "D", "mks"),
                                          d.refrigerant, {"density", "critical point"});
  const auto critical = TryState(d.refrigerant, "TD", frame.Tcrit, density);
  // Where the equation gives no state exactly there, the dome still closes.
  d.critical = critical ? *critical
                        : DiagramState{frame.Tcrit - kKelvinOffset, frame.pcrit / kKpaPerBar,
                                       (d.bubble.back().h + d.dew.back().h) / 2,
                                       (d.bubble.back().s + d.dew.back().s) / 2};
}

// States along a process between two corners: the breaks (saturation states)
// that lie on it, and states between every two neighbours from `between`.
std::vector<DiagramState> Process(const DiagramState& from, const DiagramState& to,
                                  std::vector<DiagramState> breaks,
                                  const std::function<std::optional<DiagramState>(double h)>& at,
                                  int steps = kProcessSteps) {
  const double low = std::min(from.h, to.h), high = std::max(from.h, to.h);
  std::erase_if(breaks, [&](const DiagramState& b) { return b.h <= low || b.h >= high; });
  std::sort(breaks.begin(), breaks.end(), [&](const DiagramState& a, const DiagramState& b) {
    return std::abs(a.h - from.h) < std::abs(b.h - from.h);
  });
  std::vector<DiagramState> line{from};
  std::vector<DiagramState> ends = breaks;
  ends.push_back(to);
  for (const DiagramState& end : ends) {
    for (const double h : Between(line.back().h, end.h, steps)) Append(line, at(h));
    line.push_back(end);
  }
  return line;
}

// States along an isobar (kPa) at a given enthalpy.
std::function<std::optional<DiagramState>(double h)> AlongIsobar(const std::string& fluid,
                                                                 double p_kpa) {
  return [&fluid, p_kpa](double h) { return TryState(fluid, "PH", p_kpa, h); };
}

// The throttling from a state down to the pressure of another at the
// first one's enthalpy, both ends included.
std::vector<DiagramState> Throttle(const std::string& fluid, const DiagramState& from,
                                   const DiagramState& to) {
  std::vector<DiagramState> line{from};
  for (const double p : GeometricBetween(from.p * kKpaPerBar, to.p * kKpaPerBar, kExpansionSteps)) {
    Append(line, TryState(fluid, "PH", p, from.h));
  }
  line.push_back(to);
  return line;
}

// The throttling from 3 to 4 at the enthalpy of 3.
void AddExpansion(CycleDiagram& d) {
  d.expansion = Throttle(d.refrigerant, d.corners.condenser_outlet, d.corners.evaporator_inlet);
}

// Processes one after the other, each starting where the one before ends.
std::vector<DiagramState> Joined(std::initializer_list<std::vector<DiagramState>> processes) {
  std::vector<DiagramState> line;
  for (const auto& process : processes) {
    line.insert(line.end(), process.begin() + (line.empty() ? 0 : 1), process.end());
  }
  return line;
}

void AddCycle(CycleDiagram& d, const detail::CycleConditions& c) {
  const std::string& fluid = d.refrigerant;
  const detail::CyclePoints pt = detail::EvaluateCyclePoints(fluid, c);
  const double Tc = c.condensing + kKelvinOffset;
  const double Te = c.evaporating + kKelvinOffset;
  CycleCorners& k = d.corners;
  k.suction = {c.evaporating + c.superheating, pt.Pe / kKpaPerBar, pt.h1, pt.s1};
  const DiagramState ideal =
      RequireState(fluid, {"properties", detail::kIsentropicDischargeState, "PH", pt.Pc, pt.h2s});
  k.isentropic_discharge = {ideal.T, pt.Pc / kKpaPerBar, pt.h2s, pt.s1};
  const DiagramState discharge =
      RequireState(fluid, {"properties", detail::kDischargeState, "PH", pt.Pc, pt.h2});
  k.discharge = {pt.T2K - kKelvinOffset, pt.Pc / kKpaPerBar, pt.h2, discharge.s};
  // The calculation's own request for h3, so that its state is exactly 3.
  k.condenser_outlet = RequireState(
      fluid, {"properties", detail::kCondenserOutletState, "TP", Tc - c.subcooling, pt.Pc});
  k.evaporator_inlet =
      RequireState(fluid, {"properties", detail::kEvaporatorInletState, "PH", pt.Pe, pt.h3});

  d.condensing_bubble = RequireState(fluid, {"bubble point", detail::kCondensingState, "Tliq", Tc});
  d.evaporating_dew = RequireState(fluid, {"dew point", detail::kEvaporatingState, "Tvap", Te});
  const auto condensing_dew = TryState(fluid, "Pvap", pt.Pc);

  std::vector<DiagramState> condenser_breaks{d.condensing_bubble};
  if (condensing_dew) condenser_breaks.push_back(*condensing_dew);
  d.condenser =
      Process(k.discharge, k.condenser_outlet, condenser_breaks, AlongIsobar(fluid, pt.Pc));
  d.evaporator =
      Process(k.evaporator_inlet, k.suction, {d.evaporating_dew}, AlongIsobar(fluid, pt.Pe));
  AddExpansion(d);
}

// The transcritical cycle: its corners as computed, the gas cooler's isobar
// above the critical point with no saturation on it.
void AddTranscriticalCycle(CycleDiagram& d, const TranscriticalResult& r) {
  const std::string& fluid = d.refrigerant;
  d.transcritical = true;
  d.corners = {r.suction, r.isentropic_discharge, r.discharge, r.gas_cooler_outlet,
               r.evaporator_inlet};
  const double Pe = r.evaporating_pressure * kKpaPerBar;
  d.evaporating_dew = RequireState(fluid, {"dew point", detail::kEvaporatingState, "Pvap", Pe});
  // No condensation ends anywhere: the span to 3 has no length.
  d.condensing_bubble = r.gas_cooler_outlet;
  d.condenser = Process(r.discharge, r.gas_cooler_outlet, {},
                        AlongIsobar(fluid, r.high_pressure * kKpaPerBar), kGasCoolerSteps);
  d.evaporator =
      Process(r.evaporator_inlet, r.suction, {d.evaporating_dew}, AlongIsobar(fluid, Pe));
  AddExpansion(d);
}

// A computed layout: its own states, the liquid cooled at Pc after the
// condenser, the vapour warmed at Pe after the evaporator (IHX), the two
// stages with the mixing between them, and the injection line.
void AddLayout(CycleDiagram& d, const LayoutResult& r) {
  const std::string& fluid = d.refrigerant;
  const auto at = [&r](std::string_view name) { return r.State(name)->state; };
  const bool basic = r.layout == Layout::basic, two_stage = IsTwoStage(r.layout);
  const DiagramState suction = at(two_stage ? "1'" : "1");
  const DiagramState evaporator_outlet = at(basic ? "1" : "1'");
  const DiagramState condenser_outlet = at(basic ? "3" : "3'");
  // The liquid that reaches the evaporator's valve.
  const DiagramState liquid = at(two_stage ? "5" : "3");
  const DiagramState inlet = at("4"), discharge = at("2");
  d.corners = {suction, at("2s"), discharge, condenser_outlet, inlet};
  for (const LayoutState& s : r.states) d.states.push_back({s.name, s.state});

  const double Pe = r.evaporating_pressure * kKpaPerBar, Pc = r.condensing_pressure * kKpaPerBar;
  d.condensing_bubble = RequireState(fluid, {"bubble point", detail::kCondensingState, "Pliq", Pc});
  d.evaporating_dew = RequireState(fluid, {"dew point", detail::kEvaporatingState, "Pvap", Pe});
  std::vector<DiagramState> condenser_breaks{d.condensing_bubble};
  Append(condenser_breaks, TryState(fluid, "Pvap", Pc));
  d.condenser = Process(discharge, condenser_outlet, condenser_breaks, AlongIsobar(fluid, Pc));
  d.evaporator = Process(inlet, evaporator_outlet, {d.evaporating_dew}, AlongIsobar(fluid, Pe));
  if (r.layout == Layout::ihx) {
    d.evaporator =
        Joined({d.evaporator, Process(evaporator_outlet, suction, {}, AlongIsobar(fluid, Pe))});
  }
  if (r.layout == Layout::ihx || r.layout == Layout::economizer) {
    d.condenser =
        Joined({d.condenser, Process(condenser_outlet, liquid, {}, AlongIsobar(fluid, Pc))});
  }
  if (!two_stage) {
    d.expansion = Throttle(fluid, liquid, inlet);
    return;
  }
  const double Pi = r.intermediate_pressure.value_or(0) * kKpaPerBar;
  const auto along_intermediate = AlongIsobar(fluid, Pi);
  const DiagramState branch = at("6"), injected = at("7"), low = at("8"), mixed = at("9");
  d.compression =
      Joined({{suction, low}, Process(low, mixed, {}, along_intermediate), {mixed, discharge}});
  d.ideal_strokes = {{suction, at("8s")}, {mixed, at("2s")}};
  std::vector<DiagramState> dew_at_intermediate;
  Append(dew_at_intermediate, TryState(fluid, "Pvap", Pi));
  const auto to_mixing = Joined({Process(branch, injected, dew_at_intermediate, along_intermediate),
                                 Process(injected, mixed, {}, along_intermediate)});
  if (r.layout == Layout::flash_tank) {
    d.expansion =
        Joined({Throttle(fluid, condenser_outlet, branch),
                Process(branch, liquid, {}, along_intermediate), Throttle(fluid, liquid, inlet)});
    d.injection = to_mixing;
  } else {
    d.expansion = Throttle(fluid, liquid, inlet);
    d.injection = Joined({Throttle(fluid, condenser_outlet, branch), to_mixing});
  }
}

// A round step that gives about kIsothermsWanted lines over the span.
double IsothermStep(double span) {
  for (const double step : {5.0, 10.0, 20.0, 25.0, 50.0}) {
    if (span / step <= kIsothermsWanted) return step;
  }
  return 100;
}

// The saturated states of an isoline, and the part inside the dome where the
// two differ (a blend's glide): states at qualities between them.
void AddTwoPhase(Isoline& line, const std::string& fluid, std::string_view quality_code,
                 double given, const DiagramState& liquid, const DiagramState& vapour) {
  line.states.push_back(liquid);
  if (std::abs(liquid.T - vapour.T) > 1e-6 || std::abs(liquid.p - vapour.p) > 1e-9 * liquid.p) {
    for (const double q : Between(0, 1, kTwoPhaseSteps)) {
      Append(line.states, TryState(fluid, quality_code, given, q));
    }
  }
  line.saturated_vapour = line.states.size();
  line.states.push_back(vapour);
}

// An isotherm from the highest to the lowest pressure of the diagram.
Isoline Isotherm(const std::string& fluid, double T, double p_low, double p_high,
                 const FluidFrame& frame) {
  Isoline line{T - kKelvinOffset, {}, std::nullopt};
  const auto at = [&](double p) { return TryState(fluid, "TP", T, p); };
  const auto liquid = T < frame.Tcrit ? TryState(fluid, "Tliq", T) : std::nullopt;
  const auto vapour = T < frame.Tcrit ? TryState(fluid, "Tvap", T) : std::nullopt;
  if (!liquid || !vapour) {
    for (const double p : GeometricBetween(p_high, p_low, kLiquidSteps + kVapourSteps)) {
      Append(line.states, at(p));
    }
    return line;
  }
  const double p_bubble = liquid->p * kKpaPerBar, p_dew = vapour->p * kKpaPerBar;
  if (p_high > p_bubble) {
    for (const double p : GeometricBetween(p_high, p_bubble, kLiquidSteps)) Append(line.states, at(p));
  }
  AddTwoPhase(line, fluid, "TQ", T, *liquid, *vapour);
  if (p_low < p_dew) {
    for (const double p : GeometricBetween(p_dew, p_low, kVapourSteps)) Append(line.states, at(p));
  }
  return line;
}

void AddIsotherms(CycleDiagram& d, const FluidFrame& frame) {
  const CycleCorners& k = d.corners;
  const double low = k.evaporator_inlet.T - kIsothermMargin;
  const double high = std::max(k.discharge.T, d.condensing_bubble.T) + kIsothermMargin;
  const double step = IsothermStep(high - low);
  const double p_low = k.suction.p * kKpaPerBar * kLowestPressureFactor;
  const double p_high = std::max(k.discharge.p * kKpaPerBar, frame.pcrit) * kHighestPressureFactor;
  for (double t = std::ceil(low / step) * step; t <= high; t += step) {
    const double T = t + kKelvinOffset;
    if (T <= frame.Tmin) continue;
    Isoline line = Isotherm(d.refrigerant, T, p_low, p_high, frame);
    if (line.states.size() > 1) d.isolines.push_back(std::move(line));
  }
}

// An isobar from the coldest to the hottest temperature of the diagram.
Isoline Isobar(const std::string& fluid, double p, double T_low, double T_high) {
  Isoline line{p / kKpaPerBar, {}, std::nullopt};
  const auto at = [&](double T) { return TryState(fluid, "TP", T, p); };
  const auto liquid = TryState(fluid, "Pliq", p);
  const auto vapour = TryState(fluid, "Pvap", p);
  if (!liquid || !vapour) {
    for (const double T : Between(T_low, T_high, kLiquidSteps + kVapourSteps)) {
      Append(line.states, at(T));
    }
    return line;
  }
  const double T_bubble = liquid->T + kKelvinOffset, T_dew = vapour->T + kKelvinOffset;
  if (T_low < T_bubble) {
    Append(line.states, at(T_low));
    for (const double T : Between(T_low, T_bubble, kLiquidSteps)) Append(line.states, at(T));
  }
  AddTwoPhase(line, fluid, "PQ", p, *liquid, *vapour);
  if (T_high > T_dew) {
    for (const double T : Between(T_dew, T_high, kVapourSteps)) Append(line.states, at(T));
    Append(line.states, at(T_high));
  }
  return line;
}

void AddIsobars(CycleDiagram& d, const FluidFrame& frame) {
  const CycleCorners& k = d.corners;
  const double T_low =
      std::max(frame.Tmin, k.evaporator_inlet.T + kKelvinOffset - kIsobarMargin);
  const double T_high = k.discharge.T + kKelvinOffset + kIsobarMargin;
  // A layout's intermediate pressure besides the suction's and the discharge's.
  std::vector<double> pressures{k.suction.p, k.discharge.p};
  for (const NamedState& s : d.states) {
    if (std::find(pressures.begin(), pressures.end(), s.state.p) == pressures.end()) {
      pressures.push_back(s.state.p);
    }
  }
  for (const double p : pressures) {
    d.isolines.push_back(Isobar(d.refrigerant, p * kKpaPerBar, T_low, T_high));
  }
}

// A diagram with its cycle added by `add_cycle`, then the dome and the
// isolines around it.
std::variant<CycleDiagram, std::string> Diagram(
    const std::string& refrigerant, DiagramKind kind, LibraryText library_text,
    const std::function<void(CycleDiagram&)>& add_cycle) {
  try {
    CycleDiagram d;
    d.refrigerant = refrigerant;
    d.kind = kind;
    add_cycle(d);
    const FluidFrame frame = FrameOf(refrigerant);
    AddDome(d, frame);
    if (kind == DiagramKind::PressureEnthalpy) AddIsotherms(d, frame);
    else AddIsobars(d, frame);
    return d;
  } catch (const detail::CycleFailure& failure) {
    return failure.Message(library_text);
  }
}

std::variant<CycleDiagram, std::string> Diagram(const std::string& refrigerant,
                                                const detail::CycleConditions& conditions,
                                                DiagramKind kind, LibraryText library_text) {
  return Diagram(refrigerant, kind, library_text,
                 [&](CycleDiagram& d) { AddCycle(d, conditions); });
}

// ---- The conditions in words, for the diagrams' titles ----

constexpr char kDegrees[] = "\u00b0C";

std::string Number(double value) { return FormatShortest(value); }
// A typed number as it reads (" 1e1 " as "10"); the text itself where it
// is none ("optimal").
std::string Typed(const std::string& text) {
  const auto number = WholeNumber(text);
  return number ? Number(*number) : std::string(detail::Trimmed(text));
}

std::string ConditionsWords(const BasicCycleInput& in) {
  const detail::CycleConditions c = detail::BasicCycleConditions(in);
  return "hot water " + Number(in.Temperaturehotspring) + " " + kDegrees + " (evaporating " +
         Number(c.evaporating) + " " + kDegrees + "), condensing " + Number(c.condensing) + " " +
         kDegrees + ", subcooling " + Number(c.subcooling) + " K, superheat " +
         Number(c.superheating) + " K, isentropic efficiency " + Number(c.efficiency) + " %";
}

std::string ConditionsWords(const ComparisonConditions& in) {
  const detail::CycleConditions c = detail::ComparisonCycleConditions(in);
  return "evaporating " + Number(c.evaporating) + " " + kDegrees + ", condensing " +
         Number(c.condensing) + " " + kDegrees + ", subcooling " + Number(c.subcooling) +
         " K, superheat " + Number(c.superheating) + " K, isentropic efficiency " +
         Number(c.efficiency) + " %";
}

std::string ConditionsWords(const TranscriticalInput& in, const TranscriticalResult& r) {
  return "evaporating " + Typed(in.Evaporating) + " " + kDegrees + ", superheat " +
         Typed(in.Superheating) + " K, gas cooler outlet " + Typed(in.GasCoolerOutlet) + " " +
         kDegrees + ", high side " + FormatFixed(r.high_pressure, 2) + " bar" +
         (r.optimal ? " (optimal)" : "") + ", isentropic efficiency " + Typed(in.Efficiency) +
         " %, water " + Typed(in.WaterIn) + " to " + Typed(in.WaterOut) + " " + kDegrees +
         ", minimum approach " + Typed(in.MinApproach) + " K";
}

// A layout's result holds its pressures, not the typed temperatures.
std::string ConditionsWords(const LayoutResult& r) {
  std::string words = std::string(LayoutTitle(r.layout)) + ", evaporating at " +
                      FormatFixed(r.evaporating_pressure, 2) + " bar, condensing at " +
                      FormatFixed(r.condensing_pressure, 2) + " bar";
  if (r.intermediate_pressure) {
    words += ", intermediate " + FormatFixed(*r.intermediate_pressure, 2) + " bar";
  }
  return words;
}

std::variant<CycleDiagram, std::string> Titled(std::variant<CycleDiagram, std::string> diagram,
                                               std::string conditions) {
  if (auto* d = std::get_if<CycleDiagram>(&diagram)) d->conditions = std::move(conditions);
  return diagram;
}

// The states of a process without its first and last (the corners), and
// without the states a layout names (they have rows of their own).
void AppendInterior(std::vector<DiagramRow>& rows, const std::vector<DiagramState>& process,
                    const std::vector<NamedState>& named = {}, std::string_view series = "cycle") {
  for (std::size_t i = 1; i + 1 < process.size(); ++i) {
    const DiagramState& s = process[i];
    const bool is_named = std::any_of(named.begin(), named.end(), [&s](const NamedState& n) {
      return n.state.p == s.p && n.state.h == s.h;
    });
    if (!is_named) rows.push_back({series, "", s});
  }
}

// The cycle's corners with the states between them, in the cycle's order.
void AppendCorners(std::vector<DiagramRow>& rows, const CycleDiagram& d) {
  const CycleCorners& k = d.corners;
  rows.push_back({"cycle", "1", k.suction});
  rows.push_back({"cycle", "2s", k.isentropic_discharge});
  rows.push_back({"cycle", "2", k.discharge});
  AppendInterior(rows, d.condenser);
  rows.push_back({"cycle", "3", k.condenser_outlet});
  AppendInterior(rows, d.expansion);
  rows.push_back({"cycle", "4", k.evaporator_inlet});
  AppendInterior(rows, d.evaporator);
}

// A layout's rows of the cycle: its named states, then the states between
// them.
void AppendLayout(std::vector<DiagramRow>& rows, const CycleDiagram& d) {
  for (const NamedState& s : d.states) rows.push_back({"cycle", s.name, s.state});
  for (const auto* process : {&d.condenser, &d.expansion, &d.evaporator, &d.compression}) {
    AppendInterior(rows, *process, d.states);
  }
  AppendInterior(rows, d.injection, d.states, "injection");
}

}  // namespace

std::optional<DiagramKind> DiagramKindNamed(std::string_view name) {
  if (name == "ph") return DiagramKind::PressureEnthalpy;
  if (name == "ts") return DiagramKind::TemperatureEntropy;
  return std::nullopt;
}

std::variant<CycleDiagram, std::string> BasicCycleDiagram(const BasicCycleInput& input,
                                                          DiagramKind kind,
                                                          LibraryText library_text) {
  const auto outcome = CalcBasicCycle(input, library_text);
  if (const auto* message = std::get_if<std::string>(&outcome)) return *message;
  return Titled(Diagram(input.Refrigerant, detail::BasicCycleConditions(input), kind, library_text),
                ConditionsWords(input));
}

std::variant<CycleDiagram, std::string> ComparisonDiagram(const std::string& refrigerant,
                                                          const ComparisonConditions& conditions,
                                                          DiagramKind kind,
                                                          LibraryText library_text) {
  return Titled(
      Diagram(refrigerant, detail::ComparisonCycleConditions(conditions), kind, library_text),
      ConditionsWords(conditions));
}

std::variant<CycleDiagram, std::string> TranscriticalCycleDiagram(const TranscriticalInput& input,
                                                                  DiagramKind kind,
                                                                  LibraryText library_text) {
  const auto outcome = CalcTranscriticalCycle(input, library_text);
  if (const auto* message = std::get_if<std::string>(&outcome)) return *message;
  const auto& result = std::get<TranscriticalResult>(outcome);
  return Titled(Diagram(result.refrigerant, kind, library_text,
                        [&](CycleDiagram& d) { AddTranscriticalCycle(d, result); }),
                ConditionsWords(input, result));
}

std::variant<CycleDiagram, std::string> LayoutDiagram(const LayoutResult& result, DiagramKind kind,
                                                      LibraryText library_text) {
  return Titled(Diagram(result.refrigerant, kind, library_text,
                        [&](CycleDiagram& d) { AddLayout(d, result); }),
                ConditionsWords(result));
}

std::variant<std::vector<CycleDiagram>, std::string> ComparisonDiagrams(
    const ComparisonFields& fields, DiagramKind kind, LibraryText library_text) {
  ComparisonResults results;
  if (auto message = RunComparison(fields, results, library_text)) return std::move(*message);
  std::vector<CycleDiagram> diagrams;
  for (int slot = 0; slot < results.RefCount; ++slot) {
    auto diagram = ComparisonDiagram(results.RefName[static_cast<std::size_t>(slot)],
                                     results.Conditions, kind, library_text);
    if (auto* message = std::get_if<std::string>(&diagram)) return std::move(*message);
    diagrams.push_back(std::move(std::get<CycleDiagram>(diagram)));
  }
  return diagrams;
}

std::vector<DiagramRow> DiagramRows(const CycleDiagram& d) {
  std::vector<DiagramRow> rows;
  for (const DiagramState& s : d.bubble) rows.push_back({"bubble", "", s});
  for (const DiagramState& s : d.dew) rows.push_back({"dew", "", s});
  rows.push_back({"critical", "", d.critical});
  if (d.states.empty()) {
    AppendCorners(rows, d);
  } else {
    AppendLayout(rows, d);
  }
  const std::string_view isoline =
      d.kind == DiagramKind::PressureEnthalpy ? "isotherm" : "isobar";
  for (const Isoline& line : d.isolines) {
    for (const DiagramState& s : line.states) rows.push_back({isoline, "", s});
  }
  return rows;
}

std::optional<StateReading> ReadState(const std::string& refrigerant, DiagramKind kind, double x,
                                      double y) {
  const auto result =
      kind == DiagramKind::PressureEnthalpy
          ? property::WholeState(refrigerant, "PH", "mks", y * kKpaPerBar, x)
          : property::WholeState(refrigerant, "TS", "mks", y + kKelvinOffset, x);
  const auto* s = std::get_if<property::StateProperties>(&result);
  if (s == nullptr || !(s->T > 0) || !std::isfinite(s->P) || !std::isfinite(s->H) ||
      !std::isfinite(s->S)) {
    return std::nullopt;
  }
  StateReading reading{InForms(*s), std::nullopt};
  if (s->Q >= 0 && s->Q <= 1) reading.quality = s->Q;
  return reading;
}

}  // namespace cycle
