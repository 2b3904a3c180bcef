// The working-fluid screening: every pure fluid and every blend of the data
// files under one set of the comparison's conditions, each evaluated exactly
// as the comparison evaluates a refrigerant (its critical-temperature check,
// then Cal), with what the files say of it (safety class, GWP, ODP).
//
// A fluid is screened on its own (ScreenFluid), so that a caller can report
// progress or stop between fluids; filtering and sorting work on the rows.
// Each thread loads its own fluid in the property layer and library, so
// that fluids are screened on several threads at once (ScreenFluids,
// cycle::ComputeInParallel) with the rows of one thread.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cycle/comparison.h"

namespace cycle {

enum class FluidKind { pure, blend };

// One fluid to screen: the name handed to the property layer, and what the
// fluid and mixture files say of it (nothing where they say nothing).
struct ScreeningCandidate {
  std::string name;  // the fluid file's or the blend's name: "n-Propane", "R410A"
  FluidKind kind = FluidKind::pure;
  std::optional<std::string> safety_class;
  std::optional<double> gwp100;
  std::optional<double> odp;
  std::optional<double> lower_limit;  // K, the lowest temperature of a pure fluid's equation
};

// Every fluid file (aliases not repeated) by name, then every blend (mixture
// file) by name, from where the property library finds them; `skipped`
// names the files that could not be read, with the reason.
struct ScreeningCandidates {
  std::vector<ScreeningCandidate> fluids;
  std::vector<std::string> skipped;
};
ScreeningCandidates FindScreeningCandidates();

// What a fluid that runs the cycle gives.
struct ScreenedCycle {
  CycleFigures figures;                     // the comparison's seven
  double volumetric_heating_capacity = 0;  // kJ/m^3: (h2 - h3) / the vapour volume
  double evaporating_pressure = 0;          // bar
  // Dew minus bubble temperature at the evaporating and at the condensing
  // pressure, K: 0 for a pure fluid; unknown where the library gives none.
  std::optional<double> glide_evaporator;
  std::optional<double> glide_condenser;
  // Whether the isentropic compression ends inside the dome, and the least
  // suction superheat that keeps it dry (K): wet_compression.h; unknown
  // where the library gives no dew point at the condensing pressure (a
  // blend condensing above its critical pressure).
  std::optional<bool> wet_compression;
  std::optional<double> min_superheat;
};

struct ScreeningRow {
  ScreeningCandidate fluid;
  std::optional<double> critical_temperature;  // degrees C
  // The cycle, or why the fluid cannot run it, in words.
  std::variant<ScreenedCycle, std::string> outcome;

  const ScreenedCycle* cycle() const { return std::get_if<ScreenedCycle>(&outcome); }
  const std::string* refusal() const { return std::get_if<std::string>(&outcome); }
};

// The conditions as the comparison's Calculate command reads and checks
// them (ReadConditions, its checks of the conditions, its refusal of a field
// that is not a number, then of a cycle that cannot exist), or the message of
// the first that fails. The screening has no names to check.
std::variant<ComparisonConditions, std::string> ReadScreeningConditions(
    const ComparisonFields& fields);

// One fluid under conditions that ReadScreeningConditions accepts. It is
// refused, in this order, when the comparison would refuse it for its
// critical temperature (at or below the condensing temperature, or none),
// when the evaporating temperature lies below its lower limit, or when Cal
// fails (its message without the fluid's name in front). Reasons of failed
// property requests are in the forms' terms, followed by the library's own
// text where asked for.
ScreeningRow ScreenFluid(const ScreeningCandidate& fluid, const ComparisonConditions& conditions,
                         LibraryText shown = LibraryText::omitted);

// Every fluid through ScreenFluid on `workers` threads (0: one per core),
// the rows in the order of the fluids: the same rows as one thread gives.
std::vector<ScreeningRow> ScreenFluids(const std::vector<ScreeningCandidate>& fluids,
                                       const ComparisonConditions& conditions, int workers = 0,
                                       LibraryText shown = LibraryText::omitted);

// The columns of the screening table, in order.
enum class ScreeningColumn {
  Refrigerant,
  Kind,
  SafetyClass,
  GWP,
  ODP,
  Tcrit,
  GlideEvap,
  GlideCond,
  COP,
  VHC,
  MassPerHeat,
  VaporVolume,
  DisplacementVolume,
  EvaporatingPressure,
  DischargePressure,
  DischargeTemperature,
  PressureRatio,
  WetCompression,
  MinSuperheat,
  Status,
  Reason,
};

inline constexpr ScreeningColumn kScreeningColumns[] = {
    ScreeningColumn::Refrigerant,         ScreeningColumn::Kind,
    ScreeningColumn::SafetyClass,         ScreeningColumn::GWP,
    ScreeningColumn::ODP,                 ScreeningColumn::Tcrit,
    ScreeningColumn::GlideEvap,           ScreeningColumn::GlideCond,
    ScreeningColumn::COP,                 ScreeningColumn::VHC,
    ScreeningColumn::MassPerHeat,         ScreeningColumn::VaporVolume,
    ScreeningColumn::DisplacementVolume,  ScreeningColumn::EvaporatingPressure,
    ScreeningColumn::DischargePressure,   ScreeningColumn::DischargeTemperature,
    ScreeningColumn::PressureRatio,       ScreeningColumn::WetCompression,
    ScreeningColumn::MinSuperheat,        ScreeningColumn::Status,
    ScreeningColumn::Reason,
};

// The column's name: "refrigerant", "kind", "safety_class", "GWP", ... as
// the CSV header writes it; and the column a name stands for, without regard
// to case.
std::string_view ColumnName(ScreeningColumn column);
std::optional<ScreeningColumn> ColumnNamed(std::string_view name);
// The unit of a column's numbers ("'C", "kJ/m3"); "" for texts.
std::string_view ColumnUnit(ScreeningColumn column);
// The column's heading in words with its unit, as the screening page shows
// it: "Safety class", "Mass per heat (kg/kJ)", "COP".
std::string ColumnHeading(ScreeningColumn column);

// A cell: nothing (unknown), a number or a text.
using ScreeningValue = std::variant<std::monostate, double, std::string>;
ScreeningValue CellValue(const ScreeningRow& row, ScreeningColumn column);
// The cell as the table shows it ("" when unknown); the comparison's seven
// figures with the decimals of the comparison's total page.
std::string CellText(const ScreeningRow& row, ScreeningColumn column);
// A number of a column as the table shows it, wherever else it is shown.
std::string ColumnText(ScreeningColumn column, double value);

// The safety classes of ASHRAE Standard 34, by toxicity (A, B) and
// flammability; and the name a filter gives to no class on record.
inline constexpr std::string_view kSafetyClasses[] = {"A1", "A2L", "A2", "A3",
                                                      "B1", "B2L", "B2", "B3"};
inline constexpr std::string_view kNoSafetyClass = "unknown";

// Rows pass a filter only on values they have: a fluid without a GWP on
// record fails a highest GWP, a refused fluid a highest discharge pressure.
struct ScreeningFilter {
  std::optional<FluidKind> kind;  // nothing: both
  // Any of them, without regard to case; kNoSafetyClass admits the fluids
  // without a class on record. Nothing: any class or none.
  std::optional<std::set<std::string>> safety_classes;
  std::optional<double> max_gwp;
  bool zero_odp_only = false;
  std::optional<double> max_discharge_pressure;     // bar
  std::optional<double> max_discharge_temperature;  // degrees C
  std::optional<double> min_evaporating_pressure;   // bar
};

bool Passes(const ScreeningRow& row, const ScreeningFilter& filter);
// The part of a filter that the files' facts decide (kind, safety class, GWP,
// ODP): a fluid that fails it need not be screened.
bool PassesFacts(const ScreeningCandidate& fluid, const ScreeningFilter& filter);
std::vector<ScreeningRow> Filtered(std::vector<ScreeningRow> rows, const ScreeningFilter& filter);

// Sorted by a column, numbers by value and texts without regard to case,
// unknown values last in either order; rows that compare equal keep their
// order.
enum class SortOrder { ascending, descending };
std::vector<ScreeningRow> Sorted(std::vector<ScreeningRow> rows, ScreeningColumn column,
                                 SortOrder order = SortOrder::ascending);

}  // namespace cycle
