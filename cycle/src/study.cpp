#include "cycle/study.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

#include "cycle/comparison.h"

namespace cycle {

namespace {

constexpr std::string_view kTranscriticalName = "transcritical";
constexpr char kCelsius[] = "\u00b0C";

// ---- The inputs a study varies ---------------------------------------------
//
// Each calculation's variables, named by their options in the calculation's
// table of fields (which gives the field each one types into); a layout's own
// inputs only for the layouts that use them.

enum class UsedBy { every_layout, ihx, two_stages, economizer };

struct LayoutVariable {
  StudyVariable variable;
  UsedBy used_by = UsedBy::every_layout;
};

constexpr LayoutVariable kLayoutVariables[] = {
    {{"capacity", "Heat capacity of evaporator", "kW", "5", "50", "5"}},
    {{"evaporating", "Evaporating temperature", kCelsius, "0", "60", "5"}},
    {{"condensing", "Condensing temperature", kCelsius, "60", "120", "2"}},
    {{"subcooling", "Subcooling", "K", "1", "10", "1"}},
    {{"superheating", "Superheating", "K", "1", "15", "1"}},
    {{"safety", "Safety factor", "%", "50", "100", "10"}},
    {{"efficiency", "Isentropic efficiency", "%", "50", "100", "5"}},
    {{"ihx-effectiveness", "Internal heat exchanger effectiveness", "%", "0", "100", "10"},
     UsedBy::ihx},
    {{"intermediate", "Intermediate pressure", "bar", "14", "32", "1"}, UsedBy::two_stages},
    {{"injection-superheat", "Injection superheat", "K", "0", "20", "2"}, UsedBy::economizer},
    {{"approach", "Economizer approach", "K", "1", "15", "1"}, UsedBy::economizer},
    {{"source", "Heat source temperature", kCelsius, "20", "80", "5"}},
    {{"sink", "Heat sink temperature", kCelsius, "60", "120", "5"}},
};

bool Uses(Layout layout, UsedBy used_by) {
  switch (used_by) {
    case UsedBy::every_layout: return true;
    case UsedBy::ihx: return layout == Layout::ihx;
    case UsedBy::two_stages: return IsTwoStage(layout);
    case UsedBy::economizer: return layout == Layout::economizer;
  }
  return false;
}

struct TranscriticalVariable {
  StudyVariable variable;
};

constexpr TranscriticalVariable kTranscriticalVariables[] = {
    {{"capacity", "Heating capacity", "kW", "5", "50", "5"}},
    {{"evaporating", "Evaporating temperature", kCelsius, "-20", "20", "2"}},
    {{"superheating", "Superheating", "K", "1", "15", "1"}},
    {{"gas-cooler-outlet", "Gas cooler outlet temperature", kCelsius, "20", "45", "1"}},
    {{"high-pressure", "High-side pressure", "bar", "75", "140", "1"}},
    {{"efficiency", "Isentropic efficiency", "%", "50", "90", "5"}},
    {{"water-in", "Water inlet temperature", kCelsius, "5", "40", "5"}},
    {{"water-out", "Water outlet temperature", kCelsius, "45", "90", "5"}},
};

// The field the table's option of that name fills; nullptr where it has none.
template <typename Fields, std::size_t N>
constexpr std::string Fields::*FieldOf(const FieldDefaults<Fields, N>& table,
                                       std::string_view option) {
  for (const FieldDefault<Fields>& entry : table) {
    if (entry.option == option) return entry.field;
  }
  return nullptr;
}

// Every variable is an option of its calculation's table, so that
// "--vary NAME" names the option "--NAME" and types into its field.
template <typename Fields, std::size_t N, class Entry, std::size_t M>
constexpr bool AllOptionsOf(const FieldDefaults<Fields, N>& table, const Entry (&variables)[M]) {
  for (const Entry& entry : variables) {
    if (FieldOf(table, entry.variable.name) == nullptr) return false;
  }
  return true;
}
static_assert(AllOptionsOf(kLayoutDefaults, kLayoutVariables));
static_assert(AllOptionsOf(kTranscriticalDefaults, kTranscriticalVariables));

// The entry of the table whose variable has that name; nullptr where none has.
template <class Entry, std::size_t N>
const Entry* Named(const Entry (&table)[N], std::string_view name) {
  const auto found = std::find_if(std::begin(table), std::end(table),
                                  [&](const Entry& e) { return e.variable.name == name; });
  return found == std::end(table) ? nullptr : found;
}

// ---- The figures -----------------------------------------------------------

using Figure = std::optional<double>;

// Only a number is a figure: a value that is none (not finite) would show
// as "NaN" on a page.
Figure Finite(double value) { return std::isfinite(value) ? Figure(value) : std::nullopt; }

template <double LayoutResult::*member>
Figure OfLayout(const StudyPoint& point) {
  const LayoutResult* r = point.layout();
  return r ? Finite(r->*member) : std::nullopt;
}

template <Component component>
Figure LossOf(const StudyPoint& point) {
  const LayoutResult* r = point.layout();
  return r ? Finite(r->Loss(component)) : std::nullopt;
}

Figure IntermediatePressureOf(const StudyPoint& point) {
  const LayoutResult* r = point.layout();
  return r && r->intermediate_pressure ? Finite(*r->intermediate_pressure) : std::nullopt;
}

// A two-phase discharge has no temperature of its own to show.
Figure LayoutDischargeOf(const StudyPoint& point) {
  const LayoutResult* r = point.layout();
  return r && !r->discharge_quality ? Finite(r->discharge_temperature) : std::nullopt;
}

template <double TranscriticalResult::*member>
Figure OfTranscritical(const StudyPoint& point) {
  const TranscriticalResult* r = point.transcritical();
  return r ? Finite(r->*member) : std::nullopt;
}

template <DiagramState TranscriticalResult::*state, double DiagramState::*member>
Figure StateOf(const StudyPoint& point) {
  const TranscriticalResult* r = point.transcritical();
  return r ? Finite(r->*state.*member) : std::nullopt;
}

// Where a layout has no such figure: the figure is offered only for the
// layouts that have it.
enum class Needs { any, two_stages, component };

struct LayoutFigure {
  StudyFigure figure;
  Needs needs = Needs::any;
  Component component = Component::compressor;  // when Needs::component
};

const LayoutFigure kLayoutFigures[] = {
    {{"COP", "Heating COP", "-", 3, OfLayout<&LayoutResult::cop>}},
    {{"VHC", "Volumetric heating capacity", "kJ/m3", 1, OfLayout<&LayoutResult::vhc>}},
    {{"HeatingCapacity", "Heating capacity", "kW", 3, OfLayout<&LayoutResult::heating_capacity>}},
    {{"CompressorPower", "Compressor power", "kW", 3, OfLayout<&LayoutResult::compressor_power>}},
    {{"EvaporatorDuty", "Evaporator duty", "kW", 3, OfLayout<&LayoutResult::evaporator_duty>}},
    {{"MassFlow", "Mass flow through the evaporator", "kg/s", 5,
      OfLayout<&LayoutResult::mass_flow>}},
    {{"InjectionRatio", "Injection ratio", "kg/kg", 4, OfLayout<&LayoutResult::injection_ratio>},
     Needs::two_stages},
    {{"IntermediatePressure", "Intermediate pressure", "bar", 2, IntermediatePressureOf},
     Needs::two_stages},
    {{"EvaporatingPressure", "Evaporating pressure", "bar", 2,
      OfLayout<&LayoutResult::evaporating_pressure>}},
    {{"CondensingPressure", "Condensing pressure", "bar", 2,
      OfLayout<&LayoutResult::condensing_pressure>}},
    {{"PressureRatio", "Pressure ratio", "-", 2, OfLayout<&LayoutResult::pressure_ratio>}},
    {{"SuctionTemperature", "Suction temperature", kCelsius, 2,
      OfLayout<&LayoutResult::suction_temperature>}},
    {{"DischargeTemperature", "Discharge temperature", kCelsius, 2, LayoutDischargeOf}},
    {{"MinSuperheat", "Minimum suction superheat", "K", 2, OfLayout<&LayoutResult::min_superheat>}},
    {{"ExergyEfficiency", "Exergy efficiency", "-", 4, OfLayout<&LayoutResult::exergy_efficiency>}},
    {{"LossCompressor", "Exergy destroyed in the compressor", "kW", 3,
      LossOf<Component::compressor>}},
    {{"LossCondenser", "Exergy destroyed in the condenser", "kW", 3, LossOf<Component::condenser>}},
    {{"LossValve", "Exergy destroyed in the valves", "kW", 3, LossOf<Component::valve>}},
    {{"LossEvaporator", "Exergy destroyed in the evaporator", "kW", 3,
      LossOf<Component::evaporator>}},
    {{"LossIHX", "Exergy destroyed in the internal heat exchanger", "kW", 3,
      LossOf<Component::ihx>},
     Needs::component,
     Component::ihx},
    {{"LossEconomizer", "Exergy destroyed in the economizer or flash tank", "kW", 3,
      LossOf<Component::economizer>},
     Needs::component,
     Component::economizer},
    {{"LossMixing", "Exergy destroyed in mixing", "kW", 3, LossOf<Component::mixing>},
     Needs::component,
     Component::mixing},
};

using Result = TranscriticalResult;

const StudyFigure kTranscriticalFigures[] = {
    {"HighPressure", "High-side pressure", "bar", 2, OfTranscritical<&Result::high_pressure>},
    {"COP", "Heating COP", "-", 3, OfTranscritical<&Result::cop>},
    {"HeatingCapacity", "Heating capacity", "kW", 3, OfTranscritical<&Result::heating_capacity>},
    {"CompressorPower", "Compressor power", "kW", 3, OfTranscritical<&Result::compressor_power>},
    {"EvaporatorDuty", "Evaporator duty", "kW", 3, OfTranscritical<&Result::evaporator_duty>},
    {"MassFlow", "Refrigerant flow", "kg/s", 5, OfTranscritical<&Result::mass_flow>},
    {"WaterFlow", "Water flow", "kg/s", 5, OfTranscritical<&Result::water_flow>},
    {"VHC", "Volumetric heating capacity", "kJ/m3", 1, OfTranscritical<&Result::vhc>},
    {"DischargeTemperature", "Discharge temperature", kCelsius, 2,
     StateOf<&Result::discharge, &DiagramState::T>},
    {"Pinch", "Gas cooler pinch", "K", 2, OfTranscritical<&Result::pinch>},
    {"PinchAt", "Pinch's place (fraction of the duty from the inlet)", "-", 3,
     OfTranscritical<&Result::pinch_at>},
    {"P1", "Suction pressure", "bar", 2, StateOf<&Result::suction, &DiagramState::p>},
    {"T1", "Suction temperature", kCelsius, 2, StateOf<&Result::suction, &DiagramState::T>},
    {"H1", "Suction enthalpy", "kJ/kg", 2, StateOf<&Result::suction, &DiagramState::h>},
    {"S1", "Suction entropy", "kJ/kg-K", 4, StateOf<&Result::suction, &DiagramState::s>},
    {"H2s", "Isentropic discharge enthalpy", "kJ/kg", 2,
     StateOf<&Result::isentropic_discharge, &DiagramState::h>},
    {"H2", "Discharge enthalpy", "kJ/kg", 2, StateOf<&Result::discharge, &DiagramState::h>},
    {"H3", "Gas cooler outlet enthalpy", "kJ/kg", 2,
     StateOf<&Result::gas_cooler_outlet, &DiagramState::h>},
    {"T3", "Gas cooler outlet temperature", kCelsius, 2,
     StateOf<&Result::gas_cooler_outlet, &DiagramState::T>},
    {"H4", "Evaporator inlet enthalpy", "kJ/kg", 2,
     StateOf<&Result::evaporator_inlet, &DiagramState::h>},
};

bool Has(Layout layout, const LayoutFigure& figure) {
  switch (figure.needs) {
    case Needs::any: return true;
    case Needs::two_stages: return IsTwoStage(layout);
    case Needs::component: {
      const auto components = ComponentsOf(layout);
      return std::find(components.begin(), components.end(), figure.component) != components.end();
    }
  }
  return false;
}

// ---- The values ------------------------------------------------------------

// Values this close to the step's multiple are taken as landing on it.
constexpr double kLandingTolerance = 1e-9;
// Digits kept below the step's leading digit.
constexpr int kDigitsBelowStep = 6;
// Integers up to here are exact in a double.
constexpr double kExactIntegers = 9007199254740992.0;  // 2^53

// The value held to a few digits below the step, so that a decimal step
// gives decimal values: 40 + 3 x 0.1 -> 40.3, not 40.300000000000004.
double HeldToStep(double value, double step) {
  const int decimals = kDigitsBelowStep - static_cast<int>(std::floor(std::log10(step)));
  constexpr int kExactPowers = 22;  // 10^22 is the largest power of ten a double holds exactly
  if (decimals < 0 || decimals > kExactPowers) return value;
  const double scale = std::pow(10.0, decimals);
  const double scaled = value * scale;
  if (!(std::abs(scaled) < kExactIntegers)) return value;
  // Dividing the exact integer by the exact power rounds once, to the
  // double nearest the decimal.
  return std::round(scaled) / scale;
}

std::string TooMany(const StudyRange& range) {
  const std::string most = std::to_string(kMaxStudyValues);
  return range.spacing == Spacing::step
             ? "The range holds more than " + most + " values: please choose a larger " +
                   std::string(range.by.name)
             : std::string(range.by.name) + " must be at most " + most;
}

// ---- The points ------------------------------------------------------------

// The text of the calculation's input that the variable types into;
// nullptr where the calculation has no such input.
std::string* TypedText(StudyCalculation& calculation, std::string_view variable) {
  if (auto* layout = std::get_if<LayoutCalculation>(&calculation)) {
    const auto field = FieldOf(kLayoutDefaults, variable);
    return field ? &(layout->input.*field) : nullptr;
  }
  const auto field = FieldOf(kTranscriticalDefaults, variable);
  return field ? &(std::get<TranscriticalInput>(calculation).*field) : nullptr;
}

// The single calculation at point `index`: the refrigerant and the varied
// input replaced.
StudyCalculation PointCalculation(const Study& study, std::size_t index) {
  const std::size_t count = study.values.size();
  StudyCalculation calculation = study.calculation;
  std::string* varied = TypedText(calculation, study.variable);
  if (varied == nullptr || StudyVariableNamed(study.calculation, study.variable) == nullptr) {
    throw std::invalid_argument("no input " + study.variable + " to vary");
  }
  *varied = FormatShortest(study.values.at(index % count));
  const std::string& refrigerant = study.refrigerants.at(index / count);
  if (auto* layout = std::get_if<LayoutCalculation>(&calculation)) {
    layout->input.Refrigerant = refrigerant;
  } else {
    std::get<TranscriticalInput>(calculation).Refrigerant = refrigerant;
  }
  return calculation;
}

StudyPoint ComputeStudyPoint(const Study& study, std::size_t index, LibraryText library_text) {
  StudyPoint point{study.refrigerants.at(index / study.values.size()),
                   study.values[index % study.values.size()],
                   {}};
  const StudyCalculation calculation = PointCalculation(study, index);
  if (const auto* layout = std::get_if<LayoutCalculation>(&calculation)) {
    point.outcome = CalcLayout(layout->layout, layout->input, library_text);
  } else {
    point.outcome = CalcTranscriticalCycle(std::get<TranscriticalInput>(calculation), library_text);
  }
  return point;
}

}  // namespace

std::string_view CalculationName(const StudyCalculation& calculation) {
  if (const auto* layout = std::get_if<LayoutCalculation>(&calculation)) {
    return LayoutName(layout->layout);
  }
  return kTranscriticalName;
}

std::optional<StudyCalculation> CalculationNamed(std::string_view name) {
  if (name == kTranscriticalName) return TranscriticalInput{};
  if (const auto layout = LayoutNamed(name)) return LayoutCalculation{*layout, {}};
  return std::nullopt;
}

std::string_view CalculationTitle(const StudyCalculation& calculation) {
  if (const auto* layout = std::get_if<LayoutCalculation>(&calculation)) {
    return LayoutTitle(layout->layout);
  }
  return "Transcritical cycle";
}

std::vector<StudyVariable> StudyVariables(const StudyCalculation& calculation) {
  std::vector<StudyVariable> variables;
  if (const auto* layout = std::get_if<LayoutCalculation>(&calculation)) {
    for (const LayoutVariable& entry : kLayoutVariables) {
      if (Uses(layout->layout, entry.used_by)) variables.push_back(entry.variable);
    }
  } else {
    for (const TranscriticalVariable& entry : kTranscriticalVariables) {
      variables.push_back(entry.variable);
    }
  }
  return variables;
}

const StudyVariable* StudyVariableNamed(const StudyCalculation& calculation,
                                        std::string_view name) {
  if (const auto* layout = std::get_if<LayoutCalculation>(&calculation)) {
    const LayoutVariable* entry = Named(kLayoutVariables, name);
    return entry && Uses(layout->layout, entry->used_by) ? &entry->variable : nullptr;
  }
  const TranscriticalVariable* entry = Named(kTranscriticalVariables, name);
  return entry ? &entry->variable : nullptr;
}

std::string InputText(const StudyCalculation& calculation, const StudyVariable& variable) {
  StudyCalculation copy = calculation;
  const std::string* text = TypedText(copy, variable.name);
  return text ? *text : std::string();
}

std::variant<std::vector<double>, std::string> StudyValues(const StudyRange& range) {
  const auto from = WholeNumber(range.from.text);
  if (!from) return NumberRefusal(range.from.name, range.from.text);
  const auto to = WholeNumber(range.to.text);
  if (!to) return NumberRefusal(range.to.name, range.to.text);
  const auto by = WholeNumber(range.by.text);
  if (!by) return NumberRefusal(range.by.name, range.by.text);
  if (*from == *to) {
    return std::string(range.from.name) + " and " + std::string(range.to.name) +
           " are equal: the range holds no values to vary over";
  }
  const double span = *to - *from;
  if (!std::isfinite(span)) {
    return std::string(range.from.name) + " and " + std::string(range.to.name) +
           " lie too far apart to divide the range between them";
  }
  std::vector<double> values;
  if (range.spacing == Spacing::points) {
    if (!(*by >= 2 && *by == std::floor(*by))) {
      return std::string(range.by.name) + " must be a whole number of at least 2";
    }
    if (*by > static_cast<double>(kMaxStudyValues)) return TooMany(range);
    const auto count = static_cast<std::size_t>(*by);
    const double step = std::abs(span) / static_cast<double>(count - 1);
    for (std::size_t i = 0; i < count; ++i) {
      values.push_back(
          HeldToStep(*from + span * static_cast<double>(i) / static_cast<double>(count - 1), step));
    }
  } else {
    if (!(*by > 0)) return std::string(range.by.name) + " must lie above 0";
    const double steps = std::floor(std::abs(span) / *by + kLandingTolerance);
    if (!(steps < static_cast<double>(kMaxStudyValues))) return TooMany(range);
    const double direction = span > 0 ? 1 : -1;
    for (double i = 0; i <= steps; ++i) {
      values.push_back(HeldToStep(*from + direction * *by * i, *by));
    }
    // `to` where the last step lands on it, else the last step short of it.
    if (std::abs(std::abs(span) / *by - steps) <= kLandingTolerance) values.back() = *to;
  }
  values.front() = *from;
  if (range.spacing == Spacing::points) values.back() = *to;
  return values;
}

const LayoutResult* StudyPoint::layout() const {
  const auto* outcome_of_layout = std::get_if<LayoutOutcome>(&outcome);
  return outcome_of_layout ? outcome_of_layout->result() : nullptr;
}

const TranscriticalResult* StudyPoint::transcritical() const {
  const auto* outcome_of_cycle = std::get_if<TranscriticalOutcome>(&outcome);
  return outcome_of_cycle ? std::get_if<TranscriticalResult>(outcome_of_cycle) : nullptr;
}

std::string StudyPoint::reason() const {
  if (const auto* layout_outcome = std::get_if<LayoutOutcome>(&outcome)) {
    const auto* refusal = layout_outcome->refusal();
    return refusal ? refusal->reason : std::string();
  }
  const auto* message = std::get_if<std::string>(&std::get<TranscriticalOutcome>(outcome));
  return message ? *message : std::string();
}

std::vector<StudyFigure> StudyFigures(const StudyCalculation& calculation) {
  const auto* layout = std::get_if<LayoutCalculation>(&calculation);
  if (layout == nullptr) {
    return {std::begin(kTranscriticalFigures), std::end(kTranscriticalFigures)};
  }
  std::vector<StudyFigure> figures;
  for (const LayoutFigure& figure : kLayoutFigures) {
    if (Has(layout->layout, figure)) figures.push_back(figure.figure);
  }
  return figures;
}

std::optional<StudyFigure> StudyFigureNamed(const StudyCalculation& calculation,
                                            std::string_view name) {
  for (const StudyFigure& figure : StudyFigures(calculation)) {
    if (figure.name == name) return figure;
  }
  return std::nullopt;
}

std::string FigureText(const StudyFigure& figure, const StudyPoint& point) {
  const auto value = figure.of(point);
  return value ? FormatFixed(*value, figure.decimals) : std::string();
}

std::optional<std::string> StudyRefusal(const Study& study) {
  const std::size_t count = study.refrigerants.size();
  if (count < 1 || count > static_cast<std::size_t>(kMaxRefrigerants)) {
    return "Please choose one to eight refrigerants";
  }
  if (StudyVariableNamed(study.calculation, study.variable) == nullptr) {
    return std::string(CalculationTitle(study.calculation)) + ": no input \"" + study.variable +
           "\" to vary";
  }
  if (study.values.empty() || study.values.size() > kMaxStudyValues) {
    return "Please give the range of values to vary over";
  }
  return std::nullopt;
}

std::vector<StudyPoint> RunStudy(const Study& study, const ParallelControl& control,
                                 LibraryText library_text) {
  auto computed = ComputeInParallel<StudyPoint>(
      study.PointCount(),
      [&](std::size_t index) { return ComputeStudyPoint(study, index, library_text); }, control);
  std::vector<StudyPoint> points;
  points.reserve(computed.size());
  for (auto& point : computed) {
    if (point) points.push_back(std::move(*point));
  }
  return points;
}

}  // namespace cycle
