// Every check of the two calculate commands, its boundaries, and that the
// first failing check in order gives the message; the refusal of a cycle
// that cannot exist after all of them.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <variant>

#include "cycle/basic_cycle.h"
#include "cycle/comparison.h"
#include "cycle/input_checks.h"
#include "cycle/number_text.h"
#include "cycle/screening.h"

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

template <typename Input>
struct CheckCase {
  const char* what;
  std::function<void(Input&)> change;
  std::optional<std::string> message;  // nothing: accepted
};

cycle::BasicCycleInput BasicDefaults() {
  return {"R22", 1, 50, 3.5, 4, 90, 100, 80};
}

using BasicCase = CheckCase<cycle::BasicCycleInput>;

TEST(CheckBasicCycleInput, RunsTheChecksInOrderWithTheirMessages) {
  const BasicCase cases[] = {
      {"defaults", [](auto&) {}, std::nullopt},
      {"placeholder refrigerant", [](auto& in) { in.Refrigerant = "Select Refrigerant"; },
       "Please select Refrigerant"},
      {"placeholder in lower case", [](auto& in) { in.Refrigerant = "select refrigerant"; },
       std::nullopt},
      {"empty refrigerant", [](auto& in) { in.Refrigerant = ""; }, "Please Input Refrigerant"},
      {"blank refrigerant", [](auto& in) { in.Refrigerant = " \t "; }, "Please Input Refrigerant"},
      {"empty refrigerant and efficiency 0",
       [](auto& in) { in.Refrigerant = ""; in.Isotropicefficiency = 0; },
       "Please Input Isotropic Efficiency"},
      {"flow 0", [](auto& in) { in.Massflowrate = 0; }, "Please Input Mass Flowrate Hot Water"},
      {"hot water 0", [](auto& in) { in.Temperaturehotspring = 0; },
       "Please Input Temperature Hot Water"},
      {"hot water 14.9", [](auto& in) { in.Temperaturehotspring = 14.9; },
       "Temperature of Hot water must > 15 Celsius"},
      {"hot water -5", [](auto& in) { in.Temperaturehotspring = -5; },
       "Temperature of Hot water must > 15 Celsius"},
      {"hot water 15", [](auto& in) { in.Temperaturehotspring = 15; }, std::nullopt},
      {"hot water 15.1", [](auto& in) { in.Temperaturehotspring = 15.1; }, std::nullopt},
      {"subcooling 0", [](auto& in) { in.Subcooling = 0; }, "Please Input Subcooling"},
      {"negative subcooling", [](auto& in) { in.Subcooling = -2; }, std::nullopt},
      {"superheating 0", [](auto& in) { in.Superheating = 0; }, "Please Input Superheating"},
      {"negative superheating", [](auto& in) { in.Superheating = -1; }, std::nullopt},
      {"condensing 0", [](auto& in) { in.TemperatureCondensing = 0; },
       "Please Input Temperature Condensing"},
      {"condensing equal to hot water", [](auto& in) { in.TemperatureCondensing = 50; },
       std::nullopt},
      {"condensing 0.01 K below hot water", [](auto& in) { in.TemperatureCondensing = 49.99; },
       "Please check temperature of condensing temperature"},
      {"safety 0", [](auto& in) { in.Safetyfactor = 0; }, "Please Input Safety Factor"},
      {"safety 50", [](auto& in) { in.Safetyfactor = 50; }, std::nullopt},
      {"efficiency 0", [](auto& in) { in.Isotropicefficiency = 0; },
       "Please Input Isotropic Efficiency"},
      {"efficiency 150", [](auto& in) { in.Isotropicefficiency = 150; }, std::nullopt},
      // Several faults: the first in order wins.
      {"cleared form", [](auto& in) { in = {}; }, "Please Input Mass Flowrate Hot Water"},
      {"placeholder and cleared numbers",
       [](auto& in) { in = {}; in.Refrigerant = "Select Refrigerant"; },
       "Please select Refrigerant"},
      {"subcooling and safety 0",
       [](auto& in) { in.Subcooling = 0; in.Safetyfactor = 0; }, "Please Input Subcooling"},
      {"condensing low and efficiency 0",
       [](auto& in) { in.TemperatureCondensing = 10; in.Isotropicefficiency = 0; },
       "Please check temperature of condensing temperature"},
      {"hot water low and superheating 0",
       [](auto& in) { in.Temperaturehotspring = 10; in.Superheating = 0; },
       "Temperature of Hot water must > 15 Celsius"},
      // Numbers too large to calculate with come after the form's own checks.
      {"infinite flow", [](auto& in) { in.Massflowrate = kInfinity; },
       "Mass Flowrate Hot Water is out of range"},
      {"infinite efficiency", [](auto& in) { in.Isotropicefficiency = -kInfinity; },
       "Isotropic Efficiency is out of range"},
      {"infinite flow and efficiency 0",
       [](auto& in) { in.Massflowrate = kInfinity; in.Isotropicefficiency = 0; },
       "Please Input Isotropic Efficiency"},
      {"not a number", [](auto& in) { in.Safetyfactor = std::nan(""); },
       "Safety Factor is out of range"},
  };
  for (const auto& c : cases) {
    auto input = BasicDefaults();
    c.change(input);
    EXPECT_EQ(cycle::CheckBasicCycleInput(input), c.message) << c.what;
  }
}

cycle::ComparisonConditions ComparisonDefaults() { return {10, 50, 3.5, 4, 90, 100, 80}; }

using ComparisonCase = CheckCase<cycle::ComparisonConditions>;

TEST(CheckComparisonConditions, RunsTheChecksInOrderWithTheirMessages) {
  const ComparisonCase cases[] = {
      {"defaults", [](auto&) {}, std::nullopt},
      {"capacity 0", [](auto& in) { in.HeatCapEvap = 0; },
       "Please Input Heat Capacity of Evaporator"},
      {"negative capacity", [](auto& in) { in.HeatCapEvap = -10; }, std::nullopt},
      {"evaporating 0", [](auto& in) { in.TempEvap = 0; },
       "Please Input Temperature at Evaporator"},
      {"evaporating 14.9", [](auto& in) { in.TempEvap = 14.9; },
       "Temperature at Evaporator Incorrect"},
      {"evaporating 15", [](auto& in) { in.TempEvap = 15; }, std::nullopt},
      {"evaporating 80", [](auto& in) { in.TempEvap = 80; }, std::nullopt},
      {"evaporating 80.1", [](auto& in) { in.TempEvap = 80.1; },
       "Temperature at Evaporator Incorrect"},
      {"subcooling 0", [](auto& in) { in.Subcooling = 0; }, "Please Input Subcooling"},
      {"subcooling 10", [](auto& in) { in.Subcooling = 10; }, std::nullopt},
      {"subcooling 10.01", [](auto& in) { in.Subcooling = 10.01; },
       "Temperature of Subcooling Incorrect"},
      {"negative subcooling", [](auto& in) { in.Subcooling = -3; }, std::nullopt},
      {"superheating 0", [](auto& in) { in.Superheating = 0; }, "Please Input Superheating"},
      {"superheating 15", [](auto& in) { in.Superheating = 15; }, std::nullopt},
      {"superheating 15.1", [](auto& in) { in.Superheating = 15.1; },
       "Temperature of Superheating Incorrect"},
      {"condensing 0", [](auto& in) { in.TemperatureCondensing = 0; },
       "Please Input Temperature Condensing"},
      {"condensing 40", [](auto& in) { in.TempEvap = 20; in.TemperatureCondensing = 40; },
       std::nullopt},
      {"condensing 39.9", [](auto& in) { in.TempEvap = 20; in.TemperatureCondensing = 39.9; },
       "Can't Use Heat Pump System"},
      {"condensing 150", [](auto& in) { in.TemperatureCondensing = 150; }, std::nullopt},
      {"condensing 150.1", [](auto& in) { in.TemperatureCondensing = 150.1; },
       "Can't Use Heat Pump System"},
      {"condensing equal to evaporating",
       [](auto& in) { in.TempEvap = 60; in.TemperatureCondensing = 60; }, std::nullopt},
      {"condensing below evaporating",
       [](auto& in) { in.TempEvap = 60; in.TemperatureCondensing = 59.9; },
       "Can't Use Heat Pump System"},
      {"safety 0", [](auto& in) { in.Safetyfactor = 0; }, "Please Input Safety Factor"},
      {"safety 50", [](auto& in) { in.Safetyfactor = 50; }, std::nullopt},
      {"safety 101", [](auto& in) { in.Safetyfactor = 101; }, "Safety Factor Incorrect"},
      {"efficiency 0", [](auto& in) { in.Isotropicefficiency = 0; },
       "Please Input Isotropic Efficiency"},
      {"efficiency 120", [](auto& in) { in.Isotropicefficiency = 120; }, std::nullopt},
      // Several faults: the first in order wins.
      {"cleared form", [](auto& in) { in = {}; }, "Please Input Heat Capacity of Evaporator"},
      {"evaporating and subcooling too high",
       [](auto& in) { in.TempEvap = 90; in.Subcooling = 20; },
       "Temperature at Evaporator Incorrect"},
      {"subcooling 0 and superheating too high",
       [](auto& in) { in.Subcooling = 0; in.Superheating = 20; }, "Please Input Subcooling"},
      {"superheating too high and condensing 0",
       [](auto& in) { in.Superheating = 20; in.TemperatureCondensing = 0; },
       "Temperature of Superheating Incorrect"},
      {"condensing too high and safety 0",
       [](auto& in) { in.TemperatureCondensing = 200; in.Safetyfactor = 0; },
       "Can't Use Heat Pump System"},
      {"safety too high and efficiency 0",
       [](auto& in) { in.Safetyfactor = 200; in.Isotropicefficiency = 0; },
       "Safety Factor Incorrect"},
      // Numbers too large to calculate with come after the form's own checks.
      {"infinite capacity", [](auto& in) { in.HeatCapEvap = kInfinity; },
       "Heat Capacity of Evaporator is out of range"},
      {"minus infinite superheating", [](auto& in) { in.Superheating = -kInfinity; },
       "Superheating is out of range"},
      {"infinite evaporating", [](auto& in) { in.TempEvap = kInfinity; },
       "Temperature at Evaporator Incorrect"},
  };
  for (const auto& c : cases) {
    auto conditions = ComparisonDefaults();
    c.change(conditions);
    EXPECT_EQ(cycle::CheckComparisonConditions(conditions), c.message) << c.what;
  }
}

// ---- inputs no real cycle has ------------------------------------------

struct PossibleCase {
  const char* what;
  double subcooling, superheating, efficiency;
  std::optional<std::string> message;
};

const PossibleCase kPossibleCases[] = {
    {"defaults", 3.5, 4, 80, std::nullopt},
    {"small positive values", 1e-9, 1e-9, 1e-9, std::nullopt},
    {"an ideal compressor", 3.5, 4, 100, std::nullopt},
    {"negative subcooling", -10, 4, 80, "Subcooling Incorrect"},
    {"subcooling a hair below 0", -1e-12, 4, 80, "Subcooling Incorrect"},
    {"negative superheating", 3.5, -20, 80, "Superheating Incorrect"},
    {"efficiency above 100", 3.5, 4, 150, "Isotropic Efficiency Incorrect"},
    {"efficiency a hair above 100", 3.5, 4, 100.000001, "Isotropic Efficiency Incorrect"},
    {"negative efficiency", 3.5, 4, -80, "Isotropic Efficiency Incorrect"},
    // The first in the form's order wins.
    {"all three", -1, -1, 150, "Subcooling Incorrect"},
    {"superheating and efficiency", 3.5, -1, 150, "Superheating Incorrect"},
};

// The screening's reading of the conditions, typed as the shortest texts of
// the numbers.
std::optional<std::string> ScreeningRefusal(const cycle::ComparisonConditions& c) {
  const auto text = cycle::FormatShortest;
  const cycle::ComparisonFields fields{text(c.HeatCapEvap),  text(c.TempEvap),
                                       text(c.Subcooling),   text(c.Superheating),
                                       text(c.TemperatureCondensing), text(c.Safetyfactor),
                                       text(c.Isotropicefficiency),   "",
                                       {}};
  const auto read = cycle::ReadScreeningConditions(fields);
  if (const auto* message = std::get_if<std::string>(&read)) return *message;
  return std::nullopt;
}

TEST(CheckPossibleCycle, RefusesEachImpossibleInputOnBothForms) {
  for (const auto& c : kPossibleCases) {
    auto basic = BasicDefaults();
    basic.Subcooling = c.subcooling;
    basic.Superheating = c.superheating;
    basic.Isotropicefficiency = c.efficiency;
    EXPECT_EQ(cycle::CheckPossibleCycle(basic), c.message) << c.what;
    auto comparison = ComparisonDefaults();
    comparison.Subcooling = c.subcooling;
    comparison.Superheating = c.superheating;
    comparison.Isotropicefficiency = c.efficiency;
    EXPECT_EQ(cycle::CheckPossibleCycle(comparison), c.message) << c.what;
    EXPECT_EQ(ScreeningRefusal(comparison), c.message) << c.what;
  }
}

// A negative size refused after the other impossible inputs, the flow or
// capacity before the safety factor, on both forms.
TEST(CheckPossibleCycle, RefusesNegativeSizesAfterTheOtherImpossibleInputs) {
  const struct {
    const char* what;
    double size, safety, subcooling;  // flow (basic) or capacity (comparison)
    std::optional<std::string> basic, comparison;
  } cases[] = {
      {"defaults", 1, 100, 3.5, std::nullopt, std::nullopt},
      {"tiny sizes", 1e-9, 1e-9, 3.5, std::nullopt, std::nullopt},
      {"negative size", -1, 100, 3.5, "Mass Flowrate Hot Water Incorrect",
       "Heat Capacity of Evaporator Incorrect"},
      {"a size a hair below 0", -1e-12, 100, 3.5, "Mass Flowrate Hot Water Incorrect",
       "Heat Capacity of Evaporator Incorrect"},
      {"negative safety factor", 1, -100, 3.5, "Safety Factor Incorrect",
       "Safety Factor Incorrect"},
      {"both", -1, -100, 3.5, "Mass Flowrate Hot Water Incorrect",
       "Heat Capacity of Evaporator Incorrect"},
      {"and a negative subcooling", -1, -100, -1, "Subcooling Incorrect", "Subcooling Incorrect"},
  };
  for (const auto& c : cases) {
    auto basic = BasicDefaults();
    basic.Massflowrate = c.size;
    basic.Safetyfactor = c.safety;
    basic.Subcooling = c.subcooling;
    EXPECT_EQ(cycle::CheckPossibleCycle(basic), c.basic) << c.what;
    auto comparison = ComparisonDefaults();
    comparison.HeatCapEvap = c.size;
    comparison.Safetyfactor = c.safety;
    comparison.Subcooling = c.subcooling;
    EXPECT_EQ(cycle::CheckPossibleCycle(comparison), c.comparison) << c.what;
  }
  // For any calculation sized this way: the first negative size in order.
  EXPECT_EQ(cycle::CheckNoNegativeSize({{"Flow", 1}, {"Capacity", -0.5}, {"Safety Factor", -1}}),
            "Capacity Incorrect");
  EXPECT_EQ(cycle::CheckNoNegativeSize({{"Flow", 0}, {"Capacity", 2}}), std::nullopt);
}

std::optional<std::string> BasicMessage(const std::function<void(cycle::BasicCycleInput&)>& change) {
  auto input = BasicDefaults();
  change(input);
  const auto outcome = cycle::CalcBasicCycle(input);
  if (const auto* message = std::get_if<std::string>(&outcome)) return *message;
  return std::nullopt;
}

TEST(CalcBasicCycle, RefusesAnImpossibleCycleAfterTheFormsChecks) {
  const BasicCase cases[] = {
      {"negative subcooling", [](auto& in) { in.Subcooling = -10; }, "Subcooling Incorrect"},
      {"negative superheating", [](auto& in) { in.Superheating = -20; }, "Superheating Incorrect"},
      {"efficiency 150", [](auto& in) { in.Isotropicefficiency = 150; },
       "Isotropic Efficiency Incorrect"},
      {"negative flow", [](auto& in) { in.Massflowrate = -1; }, "Mass Flowrate Hot Water Incorrect"},
      {"negative subcooling and safety 0",
       [](auto& in) { in.Subcooling = -10; in.Safetyfactor = 0; }, "Please Input Safety Factor"},
      {"negative superheating and a blank refrigerant",
       [](auto& in) { in.Superheating = -20; in.Refrigerant = " "; }, "Please Input Refrigerant"},
      {"efficiency 150 and an infinite flow",
       [](auto& in) { in.Isotropicefficiency = 150; in.Massflowrate = kInfinity; },
       "Mass Flowrate Hot Water is out of range"},
      // Refused before the library is asked for the unknown name.
      {"negative subcooling and an unknown refrigerant",
       [](auto& in) { in.Subcooling = -1; in.Refrigerant = "R999"; }, "Subcooling Incorrect"},
  };
  for (const auto& c : cases) EXPECT_EQ(BasicMessage(c.change), c.message) << c.what;
}

TEST(RunComparison, RefusesAnImpossibleCycleAfterTheRefrigerantsChecks) {
  const struct {
    const char* what;
    cycle::ComparisonFields fields;
    std::optional<std::string> message;
  } cases[] = {
      {"negative subcooling",
       {"10", "50", "-10", "4", "90", "100", "80", "2", {"R22", "R134a"}},
       "Subcooling Incorrect"},
      {"negative superheating",
       {"10", "50", "3.5", "-20", "90", "100", "80", "1", {"R22"}},
       "Superheating Incorrect"},
      {"efficiency 150", {"10", "50", "3.5", "4", "90", "100", "150", "1", {"R22"}},
       "Isotropic Efficiency Incorrect"},
      {"negative capacity", {"-10", "50", "3.5", "4", "90", "100", "80", "1", {"R22"}},
       "Heat Capacity of Evaporator Incorrect"},
      {"no number chosen", {"10", "50", "-10", "4", "90", "100", "80", "", {}},
       "Please select Refrigerant"},
      {"an empty name", {"10", "50", "3.5", "-20", "90", "100", "80", "2", {"R22", ""}},
       "Incorrect name or check the critical temperature of refrigerant2"},
      {"a condition out of its range",
       {"10", "50", "-10", "4", "90", "101", "80", "1", {"R22"}}, "Safety Factor Incorrect"},
  };
  for (const auto& c : cases) {
    cycle::ComparisonResults results;
    EXPECT_EQ(cycle::RunComparison(c.fields, results), c.message) << c.what;
    EXPECT_EQ(results.RefCount, 0) << c.what;
  }
}

}  // namespace
