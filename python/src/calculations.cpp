#include "calculations.h"

#include <pybind11/stl.h>

#include <string>
#include <vector>

#include "conversion.h"
#include "cycle/basic_cycle.h"
#include "cycle/comparison.h"
#include "cycle/layouts.h"
#include "cycle/screening.h"
#include "cycle/transcritical.h"
#include "report/figure_rows.h"
#include "report/layout_tables.h"
#include "report/screening_table.h"
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
}

}  // namespace heatpump_python
