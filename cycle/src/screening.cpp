#include "cycle/screening.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "catalogue/library_files.h"
#include "cycle/number_text.h"
#include "cycle/parallel_points.h"
#include "cycle/result_text.h"
#include "cycle/wet_compression.h"
#include "cycle_points.h"
#include "property_requests.h"

namespace cycle {

namespace {

using detail::FiniteNumber;
using detail::kKelvinOffset;

std::string Upper(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return upper;
}

// The library's message in place of a number.
std::string TextIn(const property::PropertyResult& result) {
  const std::string* text = std::get_if<std::string>(&result);
  const std::string_view message = text ? detail::Trimmed(*text) : std::string_view();
  return message.empty() ? "no value" : std::string(message);
}

// Why the comparison refuses a fluid for its critical temperature.
std::string CriticalRefusal(const std::string& name, const property::PropertyResult& result,
                            std::optional<double> critical, const ComparisonConditions& conditions,
                            LibraryText shown) {
  if (!critical) {
    const std::string text = TextIn(result);
    const auto reason = detail::LibraryReason(text, name);
    return detail::WithLibraryText(
        "its critical temperature could not be computed" + (reason ? ": " + *reason : ""), text,
        shown);
  }
  return "its critical temperature " + FormatFixed(*critical, 2) +
         " 'C is not above the condensing temperature " +
         FormatShortest(conditions.TemperatureCondensing) + " 'C";
}

// Dew minus bubble temperature at a pressure (kPa) where the one given is
// known (`known`, K): the other from the library.
std::optional<double> Glide(const std::string& name, double pressure, double known,
                            bool known_is_dew) {
  const auto other = FiniteNumber(
      property::Temperature(name, known_is_dew ? "PLIQ" : "PVAP", "mks", pressure));
  if (!other) return std::nullopt;
  return known_is_dew ? known - *other : *other - known;
}

ScreenedCycle CycleOf(const ScreeningCandidate& fluid, const CycleFigures& figures,
                      const ComparisonConditions& conditions) {
  ScreenedCycle cycle;
  cycle.figures = figures;
  // (h2 - h3) is 1 / MassPerHeat; Pe is Pc / (Pc / Pe).
  cycle.volumetric_heating_capacity = 1 / (figures.MassPerHeat * figures.VaporVolume);
  cycle.evaporating_pressure = figures.DischargePressure / figures.PressureRatio;
  if (fluid.kind == FluidKind::pure) {
    cycle.glide_evaporator = cycle.glide_condenser = 0.0;
    return cycle;
  }
  // Pe is the dew pressure at Te, Pc the bubble pressure at the condensing
  // temperature.
  cycle.glide_evaporator = Glide(fluid.name, cycle.evaporating_pressure * 100,
                                 conditions.TempEvap + kKelvinOffset, true);
  cycle.glide_condenser = Glide(fluid.name, figures.DischargePressure * 100,
                                conditions.TemperatureCondensing + kKelvinOffset, false);
  return cycle;
}

ScreeningCandidate CandidateOf(const catalogue::PureFluidFacts& facts) {
  return {facts.file_stem, FluidKind::pure, facts.safety_class,
          facts.gwp100,    facts.odp,       facts.lower_limit};
}

ScreeningCandidate CandidateOf(const catalogue::BlendFacts& facts) {
  return {facts.name, FluidKind::blend, facts.safety_class, facts.gwp100, facts.odp, std::nullopt};
}

// The table's names, headings in words and units, and the decimals of the
// columns that are not the comparison's figures (those have the decimals of
// its total page).
struct ColumnFormat {
  ScreeningColumn column;
  std::string_view name;
  std::string_view words;
  std::string_view unit;
  int decimals;
};

constexpr ColumnFormat kColumnFormats[] = {
    {ScreeningColumn::Refrigerant, "refrigerant", "Refrigerant", "", 0},
    {ScreeningColumn::Kind, "kind", "Kind", "", 0},
    {ScreeningColumn::SafetyClass, "safety_class", "Safety class", "", 0},
    {ScreeningColumn::GWP, "GWP", "GWP", "-", 0},
    {ScreeningColumn::ODP, "ODP", "ODP", "-", 0},  // significant digits: kOdpDigits
    {ScreeningColumn::Tcrit, "Tcrit", "Critical temperature", "'C", 2},
    {ScreeningColumn::GlideEvap, "GlideEvap", "Glide in the evaporator", "K", 2},
    {ScreeningColumn::GlideCond, "GlideCond", "Glide in the condenser", "K", 2},
    {ScreeningColumn::COP, "COP", "COP", "-", 0},
    {ScreeningColumn::VHC, "VHC", "VHC", "kJ/m3", 1},
    {ScreeningColumn::MassPerHeat, "MassPerHeat", "Mass per heat", "kg/kJ", 0},
    {ScreeningColumn::VaporVolume, "VaporVolume", "Vapour volume", "m3/kg", 0},
    {ScreeningColumn::DisplacementVolume, "DisplacementVolume", "Displacement volume", "m3/h", 0},
    {ScreeningColumn::EvaporatingPressure, "EvaporatingPressure", "Evaporating pressure", "bar", 2},
    {ScreeningColumn::DischargePressure, "DischargePressure", "Discharge pressure", "bar", 0},
    {ScreeningColumn::DischargeTemperature, "DischargeTemperature", "Discharge temperature", "'C",
     0},
    {ScreeningColumn::PressureRatio, "PressureRatio", "Pressure ratio", "-", 0},
    {ScreeningColumn::WetCompression, "WetCompression", "Wet compression", "", 0},
    {ScreeningColumn::MinSuperheat, "MinSuperheat", "Superheat for dry compression", "K", 2},
    {ScreeningColumn::Status, "status", "Status", "", 0},
    {ScreeningColumn::Reason, "reason", "Reason", "", 0},
};

constexpr int kOdpDigits = 3;

const ColumnFormat& FormatOf(ScreeningColumn column) {
  return *std::find_if(std::begin(kColumnFormats), std::end(kColumnFormats),
                       [column](const ColumnFormat& format) { return format.column == column; });
}

// The comparison's figure a column shows, if it shows one.
std::optional<Figure> FigureOf(ScreeningColumn column) {
  switch (column) {
    case ScreeningColumn::COP: return Figure::COP;
    case ScreeningColumn::MassPerHeat: return Figure::MassPerHeat;
    case ScreeningColumn::VaporVolume: return Figure::VaporVolume;
    case ScreeningColumn::DisplacementVolume: return Figure::DisplacementVolume;
    case ScreeningColumn::DischargePressure: return Figure::DischargePressure;
    case ScreeningColumn::DischargeTemperature: return Figure::DischargeTemperature;
    case ScreeningColumn::PressureRatio: return Figure::PressureRatio;
    default: return std::nullopt;
  }
}

ScreeningValue Known(const std::optional<double>& value) {
  if (!value) return std::monostate{};
  return *value;
}

ScreeningValue Known(const std::optional<std::string>& text) {
  if (!text) return std::monostate{};
  return *text;
}

// The value of a column that only a fluid running the cycle has.
ScreeningValue CycleValue(const ScreenedCycle& cycle, ScreeningColumn column) {
  if (const auto figure = FigureOf(column)) return FigureValue(cycle.figures, *figure);
  switch (column) {
    case ScreeningColumn::GlideEvap: return Known(cycle.glide_evaporator);
    case ScreeningColumn::GlideCond: return Known(cycle.glide_condenser);
    case ScreeningColumn::VHC: return cycle.volumetric_heating_capacity;
    case ScreeningColumn::EvaporatingPressure: return cycle.evaporating_pressure;
    case ScreeningColumn::WetCompression:
      if (!cycle.wet_compression) return std::monostate{};
      return std::string(*cycle.wet_compression ? "yes" : "no");
    case ScreeningColumn::MinSuperheat: return Known(cycle.min_superheat);
    default: return std::monostate{};
  }
}

std::optional<double> NumberOf(const ScreeningRow& row, ScreeningColumn column) {
  const ScreeningValue value = CellValue(row, column);
  if (const double* number = std::get_if<double>(&value)) return *number;
  return std::nullopt;
}

// Whether a is to stand before b; unknown values stand last.
bool Before(const ScreeningValue& a, const ScreeningValue& b, SortOrder order) {
  const bool a_known = !std::holds_alternative<std::monostate>(a);
  const bool b_known = !std::holds_alternative<std::monostate>(b);
  if (!a_known || !b_known) return a_known && !b_known;
  const auto less = [](const ScreeningValue& x, const ScreeningValue& y) {
    if (x.index() != y.index()) return x.index() < y.index();
    if (const double* number = std::get_if<double>(&x)) return *number < std::get<double>(y);
    return Upper(std::get<std::string>(x)) < Upper(std::get<std::string>(y));
  };
  return order == SortOrder::ascending ? less(a, b) : less(b, a);
}

}  // namespace

ScreeningCandidates FindScreeningCandidates() {
  const catalogue::LibraryFiles files = catalogue::ReadLibraryFiles();
  ScreeningCandidates found;
  found.skipped = files.skipped;
  for (const auto& facts : files.fluids) found.fluids.push_back(CandidateOf(facts));
  for (const auto& facts : files.blends) found.fluids.push_back(CandidateOf(facts));
  return found;
}

std::variant<ComparisonConditions, std::string> ReadScreeningConditions(
    const ComparisonFields& fields) {
  const ComparisonConditions conditions = ReadConditions(fields);
  if (auto message = CheckComparisonConditions(conditions)) return *message;
  if (auto message = RefuseTextsNotNumbers(fields)) return *message;
  if (auto message = CheckPossibleCycle(conditions)) return *message;
  return conditions;
}

ScreeningRow ScreenFluid(const ScreeningCandidate& fluid, const ComparisonConditions& conditions,
                         LibraryText shown) {
  ScreeningRow row{fluid, std::nullopt, std::string()};
  // The comparison's own check first, as its Calculate command runs it.
  const auto critical_point = property::CriticalPoint(fluid.name, "T", "mks");
  if (const auto kelvin = FiniteNumber(critical_point)) {
    row.critical_temperature = *kelvin - kKelvinOffset;
  }
  if (!CondensesBelowCritical(conditions, CriticalTemperature(critical_point))) {
    row.outcome =
        CriticalRefusal(fluid.name, critical_point, row.critical_temperature, conditions, shown);
    return row;
  }
  if (fluid.lower_limit && conditions.TempEvap + kKelvinOffset < *fluid.lower_limit) {
    row.outcome = "the evaporating temperature " + FormatShortest(conditions.TempEvap) +
                  " 'C lies below the lower temperature limit " +
                  FormatFixed(*fluid.lower_limit - kKelvinOffset, 2) + " 'C of its equation";
    return row;
  }
  auto outcome = CalNamingFailure(fluid.name, conditions, shown);
  if (auto* failure = std::get_if<CalFailure>(&outcome)) {
    row.outcome = std::move(failure->reason);
    return row;
  }
  ScreenedCycle cycle = CycleOf(fluid, std::get<CycleFigures>(outcome), conditions);
  const auto wet = ComparisonWetCompression(fluid.name, conditions, shown);
  if (const auto* found = std::get_if<WetCompression>(&wet)) {
    cycle.wet_compression = found->wet;
    cycle.min_superheat = found->min_superheat;
  }
  row.outcome = std::move(cycle);
  return row;
}

std::vector<ScreeningRow> ScreenFluids(const std::vector<ScreeningCandidate>& fluids,
                                       const ComparisonConditions& conditions, int workers,
                                       LibraryText shown) {
  auto screened = ComputeInParallel<ScreeningRow>(
      fluids.size(), [&](std::size_t i) { return ScreenFluid(fluids[i], conditions, shown); },
      {.workers = workers, .stop_requested = {}, .done = {}});
  std::vector<ScreeningRow> rows;
  rows.reserve(screened.size());
  for (auto& row : screened) rows.push_back(std::move(*row));  // none stopped: every row is there
  return rows;
}

std::string_view ColumnName(ScreeningColumn column) { return FormatOf(column).name; }

std::string_view ColumnUnit(ScreeningColumn column) { return FormatOf(column).unit; }

std::string ColumnHeading(ScreeningColumn column) {
  const ColumnFormat& format = FormatOf(column);
  std::string heading(format.words);
  if (!format.unit.empty() && format.unit != "-") {
    heading.append(" (").append(format.unit).append(")");
  }
  return heading;
}

std::optional<ScreeningColumn> ColumnNamed(std::string_view name) {
  for (const ColumnFormat& format : kColumnFormats) {
    if (Upper(format.name) == Upper(name)) return format.column;
  }
  return std::nullopt;
}

ScreeningValue CellValue(const ScreeningRow& row, ScreeningColumn column) {
  switch (column) {
    case ScreeningColumn::Refrigerant: return row.fluid.name;
    case ScreeningColumn::Kind:
      return std::string(row.fluid.kind == FluidKind::pure ? "pure" : "blend");
    case ScreeningColumn::SafetyClass: return Known(row.fluid.safety_class);
    case ScreeningColumn::GWP: return Known(row.fluid.gwp100);
    case ScreeningColumn::ODP: return Known(row.fluid.odp);
    case ScreeningColumn::Tcrit: return Known(row.critical_temperature);
    case ScreeningColumn::Status: return std::string(row.cycle() ? "ok" : "refused");
    case ScreeningColumn::Reason:
      return row.refusal() ? ScreeningValue(*row.refusal()) : ScreeningValue();
    default: return row.cycle() ? CycleValue(*row.cycle(), column) : ScreeningValue();
  }
}

std::string CellText(const ScreeningRow& row, ScreeningColumn column) {
  const ScreeningValue value = CellValue(row, column);
  if (const std::string* text = std::get_if<std::string>(&value)) return *text;
  const double* number = std::get_if<double>(&value);
  return number ? ColumnText(column, *number) : std::string();
}

std::string ColumnText(ScreeningColumn column, double value) {
  if (const auto figure = FigureOf(column)) return FormatFixed(value, TotalPageDecimals(*figure));
  // Ozone depletion potentials span five orders of magnitude.
  if (column == ScreeningColumn::ODP) return FormatSignificant(value, kOdpDigits);
  return FormatFixed(value, FormatOf(column).decimals);
}

bool PassesFacts(const ScreeningCandidate& fluid, const ScreeningFilter& filter) {
  if (filter.kind && fluid.kind != *filter.kind) return false;
  if (filter.safety_classes) {
    const std::string_view on_record = fluid.safety_class ? *fluid.safety_class : kNoSafetyClass;
    const bool listed =
        std::any_of(filter.safety_classes->begin(), filter.safety_classes->end(),
                    [&](const std::string& wanted) { return Upper(wanted) == Upper(on_record); });
    if (!listed) return false;
  }
  if (filter.max_gwp && !(fluid.gwp100 && *fluid.gwp100 <= *filter.max_gwp)) return false;
  return !filter.zero_odp_only || (fluid.odp && *fluid.odp == 0);
}

bool Passes(const ScreeningRow& row, const ScreeningFilter& filter) {
  const auto within = [&](ScreeningColumn column, const std::optional<double>& limit, bool highest) {
    const auto value = NumberOf(row, column);
    return !limit || (value && (highest ? *value <= *limit : *value >= *limit));
  };
  return PassesFacts(row.fluid, filter) &&
         within(ScreeningColumn::DischargePressure, filter.max_discharge_pressure, true) &&
         within(ScreeningColumn::DischargeTemperature, filter.max_discharge_temperature, true) &&
         within(ScreeningColumn::EvaporatingPressure, filter.min_evaporating_pressure, false);
}

std::vector<ScreeningRow> Filtered(std::vector<ScreeningRow> rows, const ScreeningFilter& filter) {
  std::erase_if(rows, [&](const ScreeningRow& row) { return !Passes(row, filter); });
  return rows;
}

std::vector<ScreeningRow> Sorted(std::vector<ScreeningRow> rows, ScreeningColumn column,
                                 SortOrder order) {
  std::stable_sort(rows.begin(), rows.end(), [&](const ScreeningRow& a, const ScreeningRow& b) {
    return Before(CellValue(a, column), CellValue(b, column), order);
  });
  return rows;
}

}  // namespace cycle
