// The screening with the real property layer and the shipped fluid files:
// its figures are the comparison's, its refusals say why, and its filters
// and orders work on the rows.
#include "cycle/screening.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "cycle/result_text.h"

namespace {

using cycle::FluidKind;
using cycle::ScreeningCandidate;
using cycle::ScreeningColumn;
using cycle::ScreeningRow;

constexpr cycle::ComparisonConditions kDefaults{10, 50, 3.5, 4, 90, 100, 80};

const std::vector<ScreeningCandidate>& Candidates() {
  static const auto found = cycle::FindScreeningCandidates();
  return found.fluids;
}

const ScreeningCandidate& Candidate(const std::string& name) {
  const auto& all = Candidates();
  const auto found = std::find_if(all.begin(), all.end(),
                                  [&](const ScreeningCandidate& c) { return c.name == name; });
  if (found == all.end()) throw std::runtime_error("no candidate " + name);
  return *found;
}

// The comparison of one refrigerant under the conditions, as its form runs it.
cycle::ComparisonResults Compared(const std::string& name, const cycle::ComparisonConditions& c) {
  const auto text = [](double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return std::string(buffer);
  };
  cycle::ComparisonFields fields{text(c.HeatCapEvap),  text(c.TempEvap),
                                 text(c.Subcooling),   text(c.Superheating),
                                 text(c.TemperatureCondensing), text(c.Safetyfactor),
                                 text(c.Isotropicefficiency),   "1"};
  fields.Refrigerant[0] = name;
  cycle::ComparisonResults results;
  const auto message = cycle::RunComparison(fields, results);
  EXPECT_FALSE(message.has_value()) << name << ": " << message.value_or("");
  return results;
}

TEST(FindScreeningCandidates, ListsEveryFluidFileOnceAndEveryBlend) {
  const auto found = cycle::FindScreeningCandidates();
  EXPECT_TRUE(found.skipped.empty()) << found.skipped.front();
  const auto count = [&](FluidKind kind) {
    return std::count_if(found.fluids.begin(), found.fluids.end(),
                         [&](const ScreeningCandidate& c) { return c.kind == kind; });
  };
  EXPECT_EQ(count(FluidKind::pure), 131);
  EXPECT_EQ(count(FluidKind::blend), 127);
  std::vector<std::string> names;
  for (const auto& c : found.fluids) names.push_back(c.name);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());

  const auto& propane = Candidate("n-Propane");
  EXPECT_EQ(propane.kind, FluidKind::pure);
  EXPECT_EQ(propane.safety_class, "A3");
  EXPECT_EQ(propane.gwp100, 3.0);
  EXPECT_NEAR(*propane.lower_limit, 85.525, 1e-9);
  const auto& r410a = Candidate("R410A");
  EXPECT_EQ(r410a.kind, FluidKind::blend);
  EXPECT_EQ(r410a.safety_class, "A1");
  EXPECT_NEAR(*r410a.gwp100, 0.5 * 675 + 0.5 * 3500, 1e-6);
  EXPECT_EQ(r410a.odp, 0.0);
}

// The figures of a fluid are exactly those the comparison gives it.
TEST(ScreenFluid, GivesTheComparisonsFiguresForPureFluidsAndBlends) {
  const cycle::ComparisonConditions other{7, 20, 5, 8, 60, 80, 70};
  for (const auto& conditions : {kDefaults, other}) {
    for (const std::string name : {"R134a", "R22", "n-Propane", "Ammonia", "R1234ze(E)", "R513A",
                                   "R450A", "R401A", "R436A", "R407C"}) {
      if (!cycle::CondensesBelowCritical(
              conditions, cycle::CriticalTemperature(property::CriticalPoint(name, "T", "mks")))) {
        continue;  // R407C at 90 'C
      }
      const auto row = cycle::ScreenFluid(Candidate(name), conditions);
      ASSERT_NE(row.cycle(), nullptr) << name << ": " << *row.refusal();
      const auto results = Compared(name, conditions);
      const auto compared = cycle::FiguresAt(results, 0);
      for (const auto figure : cycle::kFigures) {
        EXPECT_EQ(cycle::FigureValue(row.cycle()->figures, figure),
                  cycle::FigureValue(compared, figure))
            << name << " figure " << static_cast<int>(figure);
      }
      const auto& cycle = *row.cycle();
      // Pe from the comparison's own request, the volumetric capacity from
      // the figures' definitions.
      const double pe = std::get<double>(
          property::Pressure(name, "Tvap", "mks", conditions.TempEvap + 273.15));
      EXPECT_NEAR(cycle.evaporating_pressure, pe / 100, 1e-12 * pe) << name;
      EXPECT_NEAR(cycle.volumetric_heating_capacity * compared.VaporVolume * compared.MassPerHeat,
                  1, 1e-12)
          << name;
      ASSERT_TRUE(row.critical_temperature.has_value());
      EXPECT_GT(*row.critical_temperature, conditions.TemperatureCondensing);
    }
  }
}

// Dew minus bubble temperature at the evaporating and the condensing
// pressure: none for a pure fluid, several kelvin for R407C.
TEST(ScreenFluid, GivesTheGlidesAtTheCyclesPressures) {
  const cycle::ComparisonConditions conditions{10, 20, 3.5, 4, 60, 100, 80};
  const auto pure = cycle::ScreenFluid(Candidate("R134a"), conditions);
  ASSERT_NE(pure.cycle(), nullptr);
  EXPECT_EQ(pure.cycle()->glide_evaporator, 0.0);
  EXPECT_EQ(pure.cycle()->glide_condenser, 0.0);

  const auto blend = cycle::ScreenFluid(Candidate("R407C"), conditions);
  ASSERT_NE(blend.cycle(), nullptr) << *blend.refusal();
  const double pe = std::get<double>(property::Pressure("R407C", "Tvap", "mks", 293.15));
  const double pc = std::get<double>(property::Pressure("R407C", "Tliq", "mks", 333.15));
  const double bubble = std::get<double>(property::Temperature("R407C", "PLIQ", "mks", pe));
  const double dew = std::get<double>(property::Temperature("R407C", "PVAP", "mks", pc));
  EXPECT_NEAR(*blend.cycle()->glide_evaporator, 293.15 - bubble, 1e-8);
  EXPECT_NEAR(*blend.cycle()->glide_condenser, dew - 333.15, 1e-8);
  // R407C glides by about 4 to 7 K.
  EXPECT_GT(*blend.cycle()->glide_evaporator, 3);
  EXPECT_LT(*blend.cycle()->glide_condenser, 8);
}

TEST(ScreenFluid, SaysWhyAFluidCannotRunTheCycle) {
  struct Case {
    std::string fluid;
    cycle::ComparisonConditions conditions;
    std::string reason;
  };
  const cycle::ComparisonConditions cold{10, 15, 3.5, 4, 90, 100, 80};
  const Case cases[] = {
      {"R23", kDefaults, "its critical temperature 26.14 'C is not above the condensing temperature 90 'C"},
      {"CarbonDioxide", kDefaults,
       "its critical temperature 30.98 'C is not above the condensing temperature 90 'C"},
      {"R410A", kDefaults,
       "its critical temperature 71.34 'C is not above the condensing temperature 90 'C"},
      // D4's equation begins at 290.25 K.
      {"D4", cold,
       "the evaporating temperature 15 'C lies below the lower temperature limit 17.10 'C of its equation"},
      {"MethylStearate", {10, 20, 3.5, 4, 90, 100, 80},
       "the evaporating temperature 20 'C lies below the lower temperature limit 38.69 'C of its equation"},
  };
  for (const auto& c : cases) {
    const auto row = cycle::ScreenFluid(Candidate(c.fluid), c.conditions);
    ASSERT_NE(row.refusal(), nullptr) << c.fluid;
    EXPECT_EQ(*row.refusal(), c.reason);
    EXPECT_TRUE(row.critical_temperature.has_value()) << c.fluid;
    EXPECT_EQ(cycle::CellText(row, ScreeningColumn::Status), "refused");
    EXPECT_EQ(cycle::CellText(row, ScreeningColumn::COP), "");
  }
  // Without its lower limit on record D4 reaches the library, which refuses
  // the state: the reason names it.
  ScreeningCandidate unlimited = Candidate("D4");
  unlimited.lower_limit.reset();
  const auto refused = cycle::ScreenFluid(unlimited, cold);
  ASSERT_NE(refused.refusal(), nullptr);
  EXPECT_EQ(*refused.refusal(),
            "the pressure of the evaporating state cannot be computed: temperature 15.00 'C is "
            "below the lower limit 17.10 'C of D4");

  // A fluid the library cannot load has no critical temperature.
  ScreeningCandidate nameless;
  nameless.name = "NoSuchFluid";
  const auto unknown = cycle::ScreenFluid(nameless, kDefaults);
  ASSERT_NE(unknown.refusal(), nullptr);
  EXPECT_EQ(unknown.refusal()->rfind("its critical temperature could not be computed: ", 0), 0u)
      << *unknown.refusal();
  EXPECT_NE(unknown.refusal()->find("NoSuchFluid"), std::string::npos) << *unknown.refusal();
  EXPECT_FALSE(unknown.critical_temperature.has_value());
  EXPECT_EQ(cycle::CellText(unknown, ScreeningColumn::Tcrit), "");
}

// ---- rows made by hand for the filters and orders ----------------------

ScreeningRow Row(std::string name, FluidKind kind, std::optional<std::string> safety,
                 std::optional<double> gwp, std::optional<double> odp,
                 std::optional<double> cop = std::nullopt) {
  ScreeningRow row{{std::move(name), kind, std::move(safety), gwp, odp, std::nullopt},
                   std::nullopt,
                   std::string("refused for the test")};
  if (cop) {
    cycle::ScreenedCycle cycle;
    cycle.figures = {*cop, 0.004, 0.02, 3, 20 + *cop, 80 + *cop, 2};
    cycle.evaporating_pressure = 10 - *cop;
    row.outcome = cycle;
  }
  return row;
}

std::vector<std::string> Names(const std::vector<ScreeningRow>& rows) {
  std::vector<std::string> names;
  for (const auto& row : rows) names.push_back(row.fluid.name);
  return names;
}

const std::vector<ScreeningRow> kRows{
    Row("Pure-A1", FluidKind::pure, "A1", 1430, 0, 5),
    Row("Pure-A3", FluidKind::pure, "A3", 3, 0.0, 6),
    Row("Pure-unknown", FluidKind::pure, std::nullopt, std::nullopt, std::nullopt, 4),
    Row("Blend-A2L", FluidKind::blend, "A2L", 466, std::nullopt, 3),
    Row("Blend-B1", FluidKind::blend, "B1", 150, 0.02),
};

TEST(Filtered, DropsRowsThatFailAFilterRefusedOnesToo) {
  using cycle::ScreeningFilter;
  struct Case {
    ScreeningFilter filter;
    std::vector<std::string> kept;
  };
  const auto filter = [](auto set) {
    ScreeningFilter f;
    set(f);
    return f;
  };
  const Case cases[] = {
      {ScreeningFilter{}, {"Pure-A1", "Pure-A3", "Pure-unknown", "Blend-A2L", "Blend-B1"}},
      {filter([](auto& f) { f.kind = FluidKind::blend; }), {"Blend-A2L", "Blend-B1"}},
      {filter([](auto& f) { f.kind = FluidKind::pure; }), {"Pure-A1", "Pure-A3", "Pure-unknown"}},
      // Classes without regard to case; a fluid without one does not pass.
      {filter([](auto& f) { f.safety_classes = std::set<std::string>{"a2l", "A1"}; }),
       {"Pure-A1", "Blend-A2L"}},
      // "unknown" stands for no class on record.
      {filter([](auto& f) { f.safety_classes = std::set<std::string>{"Unknown", "B1"}; }),
       {"Pure-unknown", "Blend-B1"}},
      // A GWP at the limit passes; none on record does not.
      {filter([](auto& f) { f.max_gwp = 150; }), {"Pure-A3", "Blend-B1"}},
      {filter([](auto& f) { f.zero_odp_only = true; }), {"Pure-A1", "Pure-A3"}},
      // Figures only refused rows lack: those rows do not pass.
      {filter([](auto& f) { f.max_discharge_pressure = 25; }), {"Pure-A1", "Pure-unknown", "Blend-A2L"}},
      {filter([](auto& f) { f.max_discharge_pressure = 24; }), {"Pure-unknown", "Blend-A2L"}},
      {filter([](auto& f) { f.max_discharge_temperature = 85; }), {"Pure-A1", "Pure-unknown", "Blend-A2L"}},
      {filter([](auto& f) { f.min_evaporating_pressure = 5; }), {"Pure-A1", "Pure-unknown", "Blend-A2L"}},
      {filter([](auto& f) {
         f.kind = FluidKind::pure;
         f.max_gwp = 2000;
         f.min_evaporating_pressure = 4.5;
       }),
       {"Pure-A1"}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(Names(cycle::Filtered(kRows, cases[i].filter)), cases[i].kept) << "case " << i;
  }
}

TEST(Sorted, OrdersByAnyColumnWithUnknownValuesLast) {
  using cycle::SortOrder;
  EXPECT_EQ(Names(cycle::Sorted(kRows, ScreeningColumn::COP, SortOrder::descending)),
            (std::vector<std::string>{"Pure-A3", "Pure-A1", "Pure-unknown", "Blend-A2L", "Blend-B1"}));
  EXPECT_EQ(Names(cycle::Sorted(kRows, ScreeningColumn::COP)),
            (std::vector<std::string>{"Blend-A2L", "Pure-unknown", "Pure-A1", "Pure-A3", "Blend-B1"}));
  EXPECT_EQ(Names(cycle::Sorted(kRows, ScreeningColumn::GWP, SortOrder::descending)),
            (std::vector<std::string>{"Pure-A1", "Blend-A2L", "Blend-B1", "Pure-A3", "Pure-unknown"}));
  // Texts without regard to case; rows that compare equal keep their order.
  EXPECT_EQ(Names(cycle::Sorted(kRows, ScreeningColumn::Refrigerant)),
            (std::vector<std::string>{"Blend-A2L", "Blend-B1", "Pure-A1", "Pure-A3", "Pure-unknown"}));
  EXPECT_EQ(Names(cycle::Sorted(kRows, ScreeningColumn::Kind)),
            (std::vector<std::string>{"Blend-A2L", "Blend-B1", "Pure-A1", "Pure-A3", "Pure-unknown"}));
  EXPECT_EQ(Names(cycle::Sorted(kRows, ScreeningColumn::Status, SortOrder::descending)),
            (std::vector<std::string>{"Blend-B1", "Pure-A1", "Pure-A3", "Pure-unknown", "Blend-A2L"}));
}

TEST(ScreeningColumns, AreNamedAsTheCsvHeaderWithoutRegardToCase) {
  std::string header;
  for (const auto column : cycle::kScreeningColumns) {
    if (!header.empty()) header += ',';
    header += cycle::ColumnName(column);
    EXPECT_EQ(cycle::ColumnNamed(cycle::ColumnName(column)), column);
  }
  EXPECT_EQ(header,
            "refrigerant,kind,safety_class,GWP,ODP,Tcrit,GlideEvap,GlideCond,COP,VHC,MassPerHeat,"
            "VaporVolume,DisplacementVolume,EvaporatingPressure,DischargePressure,"
            "DischargeTemperature,PressureRatio,WetCompression,MinSuperheat,status,reason");
  EXPECT_EQ(cycle::ColumnNamed("cop"), ScreeningColumn::COP);
  EXPECT_EQ(cycle::ColumnNamed("SAFETY_CLASS"), ScreeningColumn::SafetyClass);
  EXPECT_EQ(cycle::ColumnNamed("efficiency"), std::nullopt);
  EXPECT_EQ(cycle::ColumnNamed(""), std::nullopt);
}

// Fluids of low vapour pressure (the siloxanes) show their pressures with
// three significant digits where two decimals of bar would show 0.00, in the
// table and so in its CSV.
TEST(CellText, ShowsLowPressuresWithTheirDigits) {
  double lowest = 1;
  for (const char* name : {"D4", "D5", "D6", "MD2M", "MD3M", "MD4M"}) {
    const ScreeningRow row = cycle::ScreenFluid(Candidate(name), kDefaults);
    ASSERT_NE(row.cycle(), nullptr) << name << ": " << *row.refusal();
    for (const auto column :
         {ScreeningColumn::EvaporatingPressure, ScreeningColumn::DischargePressure}) {
      const double value = std::get<double>(cycle::CellValue(row, column));
      const std::string text = cycle::CellText(row, column);
      // Three significant digits read back within half a unit of the third.
      EXPECT_NEAR(std::stod(text), value, 0.005 * value) << name << ": " << text;
      lowest = std::min(lowest, value);
    }
  }
  EXPECT_LT(lowest, 0.005) << "a pressure two decimals would show as 0.00";
}

// Unknown values are empty, never 0; the comparison's figures have the
// decimals of its total page.
TEST(CellText, ShowsKnownValuesOnly) {
  const auto& ok = kRows[0];
  EXPECT_EQ(cycle::CellText(ok, ScreeningColumn::Refrigerant), "Pure-A1");
  EXPECT_EQ(cycle::CellText(ok, ScreeningColumn::Kind), "pure");
  EXPECT_EQ(cycle::CellText(ok, ScreeningColumn::GWP), "1430");
  EXPECT_EQ(cycle::CellText(ok, ScreeningColumn::ODP), "0") << "as published, to three significant digits";
  EXPECT_EQ(cycle::CellText(ok, ScreeningColumn::COP), "5.00");
  EXPECT_EQ(cycle::CellText(ok, ScreeningColumn::MassPerHeat), "0.00400");
  EXPECT_EQ(cycle::CellText(ok, ScreeningColumn::VaporVolume), "0.0200");
  EXPECT_EQ(cycle::CellText(ok, ScreeningColumn::Status), "ok");
  EXPECT_EQ(cycle::CellText(ok, ScreeningColumn::Reason), "");
  const auto& unknown = kRows[2];
  for (const auto column : {ScreeningColumn::SafetyClass, ScreeningColumn::GWP,
                            ScreeningColumn::ODP, ScreeningColumn::Tcrit,
                            ScreeningColumn::GlideEvap}) {
    EXPECT_EQ(cycle::CellText(unknown, column), "") << cycle::ColumnName(column);
  }
  EXPECT_EQ(cycle::CellText(kRows[4], ScreeningColumn::Reason), "refused for the test");
}

}  // namespace
