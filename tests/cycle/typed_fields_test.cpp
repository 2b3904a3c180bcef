// Number fields that hold more than a number ("1,5", "12abc") are refused
// naming the field, after the forms' own checks: every message those give
// for a blank, zero or out-of-range field stays as it was, and a cycle that
// cannot exist is refused only for numbers that were typed as numbers.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <variant>

#include "cycle/basic_cycle.h"
#include "cycle/comparison.h"
#include "cycle/screening.h"

namespace {

std::string NotANumber(const std::string& field, const std::string& text) {
  return field + ": \"" + text + "\" is not a number (the decimal separator is a point)";
}

template <typename Fields>
struct FieldCase {
  const char* what;
  std::function<void(Fields&)> change;
  std::optional<std::string> message;  // nothing: read
};

using BasicCase = FieldCase<cycle::BasicCycleFields>;

TEST(ReadBasicCycleInput, RefusesATextThatIsNotWhollyANumberAfterTheFormsChecks) {
  const std::string long_text = "1" + std::string(100'000, 'x');
  const BasicCase cases[] = {
      {"defaults", [](auto&) {}, std::nullopt},
      {"blanks around and between digits", [](auto& f) { f.Massflowrate = " 1 5\t"; },
       std::nullopt},
      {"an exponent", [](auto& f) { f.Safetyfactor = "1e2"; }, std::nullopt},
      {"a decimal comma", [](auto& f) { f.Massflowrate = "1,5"; },
       NotANumber("Mass Flowrate Hot Water", "1,5")},
      {"a unit after the number", [](auto& f) { f.Isotropicefficiency = "80 %"; },
       NotANumber("Isotropic Efficiency", "80 %")},
      {"letters after the digits", [](auto& f) { f.Subcooling = "3.5abc"; },
       NotANumber("Subcooling", "3.5abc")},
      {"a second point", [](auto& f) { f.TemperatureCondensing = "90.0.1"; },
       NotANumber("Temperature Condensing", "90.0.1")},
      {"the first of two in the form's order",
       [](auto& f) { f.Superheating = "4,5"; f.Subcooling = "3,5"; },
       NotANumber("Subcooling", "3,5")},
      {"a long text, shortened", [&](auto& f) { f.Safetyfactor = long_text; },
       NotANumber("Safety Factor", "1" + std::string(59, 'x') + "..." + std::string(17, 'x'))},
      // The forms' own checks first, on the leading number.
      {"a comma after 0 reads 0", [](auto& f) { f.Massflowrate = "0,5"; },
       "Please Input Mass Flowrate Hot Water"},
      {"letters only read 0", [](auto& f) { f.Superheating = "four"; },
       "Please Input Superheating"},
      {"a later blank field keeps its message",
       [](auto& f) { f.Massflowrate = "1,5"; f.Isotropicefficiency = ""; },
       "Please Input Isotropic Efficiency"},
      {"the range of the leading number", [](auto& f) { f.Temperaturehotspring = "14,9"; },
       "Temperature of Hot water must > 15 Celsius"},
      {"a blank refrigerant", [](auto& f) { f.Subcooling = "3,5"; f.Refrigerant = " "; },
       "Please Input Refrigerant"},
      {"a whole number out of range", [](auto& f) { f.Massflowrate = "1e999"; },
       "Mass Flowrate Hot Water is out of range"},
      // Before the refusal of a cycle that cannot exist, which reads -1 here.
      {"a negative comma number", [](auto& f) { f.Subcooling = "-1,5"; },
       NotANumber("Subcooling", "-1,5")},
  };
  for (const auto& c : cases) {
    cycle::BasicCycleFields fields{"R22", "1", "50", "3.5", "4", "90", "100", "80"};
    c.change(fields);
    const auto read = cycle::ReadBasicCycleInput(fields);
    const auto* message = std::get_if<std::string>(&read);
    EXPECT_EQ(message ? std::optional(*message) : std::nullopt, c.message) << c.what;
  }
}

// A text read as a number is read as such: the blanks count nowhere.
TEST(ReadBasicCycleInput, ReadsTheNumbersTheChecksSaw) {
  const auto read = cycle::ReadBasicCycleInput(
      {"R134a", " 1 5 ", "5e1", "+3.5", "4.", ".9e2 ", "100", "80"});
  ASSERT_TRUE(std::holds_alternative<cycle::BasicCycleInput>(read));
  const auto& in = std::get<cycle::BasicCycleInput>(read);
  EXPECT_EQ(in.Refrigerant, "R134a");
  EXPECT_EQ(in.Massflowrate, 15);
  EXPECT_EQ(in.Temperaturehotspring, 50);
  EXPECT_EQ(in.Subcooling, 3.5);
  EXPECT_EQ(in.Superheating, 4);
  EXPECT_EQ(in.TemperatureCondensing, 90);
}

using ComparisonCase = FieldCase<cycle::ComparisonFields>;

// The comparison refuses such a field after its checks of the conditions and
// of the refrigerants; the screening, which has no names, after those of the
// conditions. Both before a cycle that cannot exist.
TEST(RunComparison, RefusesATextThatIsNotWhollyANumberAfterTheFormsChecks) {
  const ComparisonCase cases[] = {
      {"defaults", [](auto&) {}, std::nullopt},
      {"a decimal comma", [](auto& f) { f.HeatCapEvap = "10,5"; },
       NotANumber("Heat Capacity of Evaporator", "10,5")},
      {"a unit", [](auto& f) { f.TempEvap = "50 'C"; },
       NotANumber("Temperature at Evaporator", "50 'C")},
      {"letters after the digits", [](auto& f) { f.Isotropicefficiency = "8O"; },
       NotANumber("Isotropic Efficiency", "8O")},
      {"the range of the leading number", [](auto& f) { f.TempEvap = "14,9"; },
       "Temperature at Evaporator Incorrect"},
      {"a later blank field keeps its message",
       [](auto& f) { f.HeatCapEvap = "10 kW"; f.Safetyfactor = ""; }, "Please Input Safety Factor"},
      {"before a cycle that cannot exist", [](auto& f) { f.Superheating = "-4,5"; },
       NotANumber("Superheating", "-4,5")},
  };
  for (const auto& c : cases) {
    cycle::ComparisonFields fields{"10", "50", "3.5", "4", "90", "100", "80", "1", {"R22"}};
    c.change(fields);
    cycle::ComparisonResults results;
    EXPECT_EQ(cycle::RunComparison(fields, results), c.message) << c.what;
    const auto screening = cycle::ReadScreeningConditions(fields);
    const auto* message = std::get_if<std::string>(&screening);
    EXPECT_EQ(message ? std::optional(*message) : std::nullopt, c.message)
        << "screening: " << c.what;
  }

  // The refrigerants are the comparison's to check first.
  cycle::ComparisonFields unknown{"10 kW", "50", "3.5", "4", "90", "100", "80", "1", {"R999"}};
  cycle::ComparisonResults results;
  EXPECT_EQ(cycle::RunComparison(unknown, results),
            "Incorrect name or check the critical temperature of refrigerant1");
}

}  // namespace
