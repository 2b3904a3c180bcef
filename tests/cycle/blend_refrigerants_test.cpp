// The blends of the mixture model, and air, through the whole chain: the
// basic calculation and the comparison ask the property layer, which loads
// each blend by its name from libfluidcore.so. No property request may fail.
#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "cycle/basic_cycle.h"
#include "cycle/comparison.h"
#include "property/property_functions.h"

namespace {

const char* const kBlends[] = {"R410A", "R407C", "R404A", "R454B", "R513A"};

TEST(Blends, BasicCalculationOfEveryBlend) {
  for (const std::string name : kBlends) {
    const cycle::BasicCycleInput input{name, 1, 35, 3.5, 4, 45, 100, 80};
    const auto outcome = cycle::CalcBasicCycle(input);
    const auto* r = std::get_if<cycle::BasicCycleResult>(&outcome);
    ASSERT_NE(r, nullptr) << name << ": " << std::get<std::string>(outcome);
    EXPECT_LT(r->P1, r->P2) << name;
    EXPECT_DOUBLE_EQ(r->P2, r->P3) << name;
    EXPECT_DOUBLE_EQ(r->P1, r->P4) << name;
    // Compression raises the enthalpy, the valve keeps it.
    EXPECT_GT(r->H2, r->H1) << name;
    EXPECT_GT(r->H1, r->H3) << name;
    EXPECT_DOUBLE_EQ(r->H3, r->H4) << name;
    EXPECT_NEAR(r->Conden, r->Evap + r->Compress, 1e-9 * r->Conden) << name;
    EXPECT_GT(r->Conden / r->Compress, 1) << name;
  }
}

cycle::ComparisonFields Fields(const std::vector<std::string>& names) {
  cycle::ComparisonFields fields{"10", "20", "3.5", "4", "50", "100", "80",
                                 std::to_string(names.size())};
  std::copy(names.begin(), names.end(), fields.Refrigerant.begin());
  return fields;
}

TEST(Blends, ComparisonOfTheBlends) {
  cycle::ComparisonResults results;
  const auto message =
      cycle::RunComparison(Fields({kBlends[0], kBlends[1], kBlends[2], kBlends[3], kBlends[4]}), results);
  ASSERT_FALSE(message.has_value()) << *message;
  ASSERT_EQ(results.RefCount, 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(results.RefName[static_cast<std::size_t>(i)], kBlends[i]);
    EXPECT_GT(results.COP[static_cast<std::size_t>(i)], 3) << kBlends[i];
    EXPECT_GT(results.DischargeTemperature[static_cast<std::size_t>(i)], 50) << kBlends[i];
  }
}

// Air cannot run a heat pump: its critical temperature (-140 C) stops the
// comparison with the form's own message. The request for it succeeds.
TEST(Blends, AirIsStoppedByItsCriticalTemperature) {
  const auto tc = property::CriticalPoint("AIR", "T", "mks");
  ASSERT_TRUE(std::holds_alternative<double>(tc));
  EXPECT_NEAR(std::get<double>(tc), 132.83, 0.01);
  // The reference state at 300 K and 101.325 kPa (tests/data/reference_mixtures.csv),
  // its molar enthalpy in kJ/kg.
  const double molar_mass = 0.7812 * 28.01348 + 0.0092 * 39.948 + 0.2096 * 31.9988;
  const auto ph = property::Temperature("AIR", "PH", "mks", 101.325, 8696.531561374115 / molar_mass);
  ASSERT_TRUE(std::holds_alternative<double>(ph));
  EXPECT_NEAR(std::get<double>(ph), 300, 1e-6);
  cycle::ComparisonResults results;
  const auto message = cycle::RunComparison(
      Fields({kBlends[0], kBlends[1], kBlends[2], kBlends[3], kBlends[4], "AIR"}), results);
  ASSERT_TRUE(message.has_value());
  EXPECT_EQ(*message, "Incorrect name or check the critical temperature of refrigerant6");
}

}  // namespace
