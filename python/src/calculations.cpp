#include "calculations.h"

#include <pybind11/stl.h>

#include <string>
#include <vector>

#include "conversion.h"
#include "cycle/basic_cycle.h"
#include "cycle/comparison.h"
#include "cycle/layouts.h"
#include "cycle/screening.h"
#include "cycle/study.h"
#include "cycle/transcritical.h"
#include "property/message_text.h"
#include "report/figure_rows.h"
#include "report/layout_tables.h"
#include "report/screening_table.h"
#include "report/study_table.h"
#include "serialised.h"

namespace heatpump_python {

namespace {

template <typename Value>
Value Computed(std::variant<Value, std::string> outcome) {
  if (const auto* message = std::get_if<std::string>(&outcome)) throw CalculationRefused(*message);
  return std::get<Value>(std::move(outcome));
}

py::dict Basic(py::kwargs options) {
  const auto shown = TakeVerbose("basic", options);
  const auto fields = FieldsFrom(cycle::kBasicDefaults, "basic", options,
                                 cycle::WithDefaults(cycle::kBasicDefaults));
  return RowDict(Serialised([&] {
                   const auto input = Computed(cycle::ReadBasicCycleInput(fields));
                   return report::BasicFigureFields(Computed(cycle::CalcBasicCycle(input, shown)));
                 }),
                 0);
}

cycle::ComparisonFields Conditions(std::string_view function, const py::kwargs& options) {
  return FieldsFrom(cycle::kComparisonDefaults, function, options,
                    cycle::WithDefaults(cycle::kComparisonDefaults));
}

py::list Compare(const std::vector<std::string>& names, py::kwargs options) {
  const auto shown = TakeVerbose("compare", options);
  const auto fields = Computed(cycle::WithRefrigerants(Conditions("compare", options), names));
  return RowDicts(Serialised([&] {
    cycle::ComparisonResults results;
    if (const auto message = cycle::RunComparison(fields, results, shown)) {
      throw CalculationRefused(*message);
    }
    return report::ComparisonFigureFields(results);
  }));
}

py::list Screen(py::kwargs options) {
  const auto shown = TakeVerbose("screen", options);
  const auto fields = Conditions("screen", options);
  return RowDicts(Serialised([&] {
    const auto conditions = Computed(cycle::ReadScreeningConditions(fields));
    const auto candidates = cycle::FindScreeningCandidates();
    if (candidates.fluids.empty()) {
      throw CalculationRefused("No fluid or mixture files found beside the module");
    }
    return report::ScreeningFields(cycle::ScreenFluids(candidates.fluids, conditions, 0, shown));
  }));
}

py::dict Transcritical(py::kwargs options) {
  const auto shown = TakeVerbose("transcritical", options);
  const auto input = FieldsFrom(cycle::kTranscriticalDefaults, "transcritical", options,
                                cycle::TranscriticalInput{});
  return RowDict(Serialised([&] {
                   return report::TranscriticalFigureFields(
                       Computed(cycle::CalcTranscriticalCycle(input, shown)));
                 }),
                 0);
}

py::dict Layout(const std::string& layout_name, const std::string& refrigerant,
                py::kwargs options) {
  const auto shown = TakeVerbose("layout", options);
  const auto layout = cycle::LayoutNamed(layout_name);
  if (!layout) {
    throw py::value_error("layout takes basic, ihx, economizer or flash-tank, not " + layout_name);
  }
  cycle::LayoutInput input;
  input.Refrigerant = refrigerant;
  input = FieldsFrom(cycle::kLayoutDefaults, "layout", options, input, {"refrigerant"});
  return RowDict(
      Serialised([&] {
        const std::vector<cycle::LayoutOutcome> outcomes{cycle::CalcLayout(*layout, input, shown)};
        if (const auto* refusal = outcomes.front().refusal()) {
          throw CalculationRefused(refusal->message);
        }
        return report::LayoutFigureFields(outcomes);
      }),
      0);
}

// The variable of the study named by its option or its keyword.
const cycle::StudyVariable& VariableNamed(const cycle::StudyCalculation& calculation,
                                          const std::string& vary) {
  std::string names;
  for (const cycle::StudyVariable& variable : cycle::StudyVariables(calculation)) {
    if (KeywordOf(variable.name) == KeywordOf(vary)) {
      return *cycle::StudyVariableNamed(calculation, variable.name);
    }
    names.append(names.empty() ? "" : ", ").append(KeywordOf(variable.name));
  }
  throw py::value_error("sweep(): vary takes one of " + names + ", not " +
                        property::ShortenedForMessage(vary));
}

// The values from `from` to `to` by the step or over the number of points.
std::vector<double> SweepValues(py::handle from, py::handle to, py::handle step,
                                py::handle points) {
  if (step.is_none() == points.is_none()) {
    throw py::type_error("sweep() takes either step or points");
  }
  const bool by_points = !points.is_none();
  const char* by = by_points ? "points" : "step";
  const auto values = cycle::StudyValues({{"from_", FieldText("sweep", "from_", from)},
                                          {"to", FieldText("sweep", "to", to)},
                                          by_points ? cycle::Spacing::points : cycle::Spacing::step,
                                          {by, FieldText("sweep", by, by_points ? points : step)}});
  if (const auto* reason = std::get_if<std::string>(&values)) throw py::value_error(*reason);
  return std::get<std::vector<double>>(values);
}

py::list Sweep(const std::string& calculation_name, const std::vector<std::string>& names,
               const std::string& vary, py::handle from, py::handle to, py::handle step,
               py::handle points, py::kwargs options) {
  const auto shown = TakeVerbose("sweep", options);
  const auto calculation = cycle::CalculationNamed(calculation_name);
  if (!calculation) {
    throw py::value_error("sweep takes basic, ihx, economizer, flash-tank or transcritical, not " +
                          property::ShortenedForMessage(calculation_name));
  }
  const cycle::StudyVariable& variable = VariableNamed(*calculation, vary);
  if (options.contains(KeywordOf(variable.name))) {
    throw py::type_error("sweep(): " + KeywordOf(variable.name) +
                         " is the varied input: its values come from from_ and to");
  }
  cycle::Study study{*calculation, names, std::string(variable.name),
                     SweepValues(from, to, step, points)};
  if (auto* transcritical = std::get_if<cycle::TranscriticalInput>(&study.calculation)) {
    *transcritical = FieldsFrom(cycle::kTranscriticalDefaults, "sweep", options, *transcritical);
    if (study.refrigerants.empty()) {
      study.refrigerants.push_back(transcritical->Refrigerant);
    } else if (options.contains("refrigerant")) {
      throw py::type_error("sweep(): the refrigerants as names or as refrigerant, not both");
    }
  } else {
    auto& layout = std::get<cycle::LayoutCalculation>(study.calculation);
    layout.input =
        FieldsFrom(cycle::kLayoutDefaults, "sweep", options, layout.input, {"refrigerant"});
  }
  if (const auto refusal = cycle::StudyRefusal(study)) throw CalculationRefused(*refusal);
  return RowDicts(
      Serialised([&] { return report::StudyFields(study, cycle::RunStudy(study, {}, shown)); }));
}

constexpr char kVerboseDoc[] =
    "    verbose=False: a failed property request's message followed by the property\n"
    "        library's own text\n";

std::string Doc(std::string_view synopsis, std::string_view what, const std::string& options) {
  return std::string(synopsis) + "\n\n" + std::string(what) +
         "\n\nOptions, as the command line's with dashes as underscores (numbers or texts,\n"
         "read as the form reads its fields), at the form's defaults:\n" +
         options + kVerboseDoc +
         "\nRaises CalculationError with the form's message where the calculation is refused.";
}

}  // namespace

void AddCalculations(py::module_& module) {
  py::register_exception<CalculationRefused>(module, "CalculationError");
  module.def("basic", &Basic,
             Doc("basic(**options) -> dict",
                 "One heat pump sized from the hot water, as `hpcalc basic --csv`: the\n"
                 "component duties and the four cycle points under the CSV's names (Evap,\n"
                 "Conden, Compress, EV, P1..P4, T1..T4, H1..H4), unrounded.",
                 OptionsDoc(cycle::kBasicDefaults))
                 .c_str());
  module.def("compare", &Compare, py::arg("names"),
             Doc("compare(names, **options) -> list of dict",
                 "One to eight refrigerants under the same conditions, as `hpcalc compare\n"
                 "--csv NAME...`: a dict per refrigerant (refrigerant, COP, MassPerHeat,\n"
                 "VaporVolume, DisplacementVolume, DischargePressure, DischargeTemperature,\n"
                 "PressureRatio), unrounded.",
                 OptionsDoc(cycle::kComparisonDefaults))
                 .c_str());
  module.def("screen", &Screen,
             Doc("screen(**options) -> list of dict",
                 "Every pure fluid and blend under the comparison's conditions, as `hpcalc\n"
                 "screen --csv`, on one thread per core: a dict per fluid under the CSV's\n"
                 "names, a fluid that cannot run the cycle with status 'refused' and its\n"
                 "reason. Filter and sort the list in Python.",
                 OptionsDoc(cycle::kComparisonDefaults))
                 .c_str());
  module.def("transcritical", &Transcritical,
             Doc("transcritical(**options) -> dict",
                 "A carbon dioxide (or other) water heater above the critical pressure, as\n"
                 "`hpcalc transcritical --csv`.",
                 OptionsDoc(cycle::kTranscriticalDefaults))
                 .c_str());
  module.def("layout", &Layout, py::arg("layout"), py::arg("refrigerant"),
             Doc("layout(layout, refrigerant, **options) -> dict",
                 "One refrigerant in a cycle layout (basic, ihx, economizer or flash-tank),\n"
                 "as `hpcalc layout LAYOUT --csv REFRIGERANT`: the figures, the exergy\n"
                 "destroyed in each component and whether a compression ends wet.",
                 OptionsDoc(cycle::kLayoutDefaults, {"refrigerant"}))
                 .c_str());
  module.def("sweep", &Sweep, py::arg("calculation"), py::arg("names"), py::arg("vary"),
             py::arg("from_"), py::arg("to"), py::arg("step") = py::none(),
             py::arg("points") = py::none(),
             Doc("sweep(calculation, names, vary, from_, to, step=None, points=None, **options)"
                 " -> list of dict",
                 "A parameter study, as `hpcalc sweep CALCULATION --vary INPUT --from A --to\n"
                 "B --step S|--points N --csv NAME...`: the calculation (basic, ihx,\n"
                 "economizer, flash-tank or transcritical) repeated for each of one to eight\n"
                 "refrigerants (transcritical: an empty list takes the option refrigerant)\n"
                 "with the input `vary` (an option below) from `from_` towards `to`, by the\n"
                 "step (`to` included where a step lands on it) or over the number of points\n"
                 "with both ends, on every core. A dict per point, by refrigerant, then value:\n"
                 "variable, value and the single calculation's dict, with status 'ok' or\n"
                 "'refused' and the reason.",
                 "  a layout's:\n" + OptionsDoc(cycle::kLayoutDefaults, {"refrigerant"}) +
                     "  the transcritical cycle's:\n" + OptionsDoc(cycle::kTranscriticalDefaults))
                 .c_str());
}

}  // namespace heatpump_python
