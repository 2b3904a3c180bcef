// The basic calculation with the real property layer: reference figures, the
// relations between inputs and figures, and the messages of failed requests.
#include "cycle/basic_cycle.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <variant>

#include "property/property_functions.h"
#include "reference_data.h"

namespace {

using cycle::BasicCycleInput;
using cycle::BasicCycleResult;

BasicCycleInput Defaults() { return {"R22", 1, 50, 3.5, 4, 90, 100, 80}; }

BasicCycleResult Figures(const BasicCycleInput& input) {
  auto outcome = cycle::CalcBasicCycle(input);
  if (const auto* message = std::get_if<std::string>(&outcome)) {
    ADD_FAILURE() << input.Refrigerant << ": " << *message;
    return {};
  }
  return std::get<BasicCycleResult>(outcome);
}

std::string Message(const BasicCycleInput& input) {
  auto outcome = cycle::CalcBasicCycle(input);
  if (const auto* message = std::get_if<std::string>(&outcome)) return *message;
  return "no message";
}

using Field = double BasicCycleResult::*;
const std::pair<const char*, Field> kFields[] = {
    {"Evap", &BasicCycleResult::Evap}, {"Conden", &BasicCycleResult::Conden},
    {"Compress", &BasicCycleResult::Compress}, {"EV", &BasicCycleResult::EV},
    {"P1", &BasicCycleResult::P1}, {"P2", &BasicCycleResult::P2},
    {"P3", &BasicCycleResult::P3}, {"P4", &BasicCycleResult::P4},
    {"T1", &BasicCycleResult::T1}, {"T2", &BasicCycleResult::T2},
    {"T3", &BasicCycleResult::T3}, {"T4", &BasicCycleResult::T4},
    {"H1", &BasicCycleResult::H1}, {"H2", &BasicCycleResult::H2},
    {"H3", &BasicCycleResult::H3}, {"H4", &BasicCycleResult::H4},
};

TEST(CalcBasicCycle, ShowsTheReferenceFiguresOfEveryCase) {
  int compared = 0;
  for (const auto& row : cycle_test::ReadReference("cycle_basic.csv")) {
    if (row.text.at("status") != "ok") continue;
    const BasicCycleInput input{row.text.at("refrigerant"), row.Number("flow"),
                                row.Number("Thot"),         row.Number("subcool"),
                                row.Number("superheat"),    row.Number("Tcond"),
                                row.Number("safety"),       row.Number("eff")};
    const auto result = Figures(input);
    for (const auto& [name, field] : kFields) {
      EXPECT_TRUE(cycle_test::ShowsSameDigits(result.*field, row.Number(name), 2))
          << "case " << row.text.at("case") << " " << input.Refrigerant << " " << name << ": "
          << result.*field << " against " << row.text.at(name);
      ++compared;
    }
  }
  EXPECT_EQ(compared, 36 * 16);
}

TEST(CalcBasicCycle, DefaultsGiveThePointTemperaturesAndTheWaterDuty) {
  const auto r = Figures(Defaults());
  EXPECT_EQ(r.T1, 49.0);
  EXPECT_EQ(r.T3, 86.5);
  EXPECT_EQ(r.T4, 45.0);
  const auto cpw = property::Cp("WATER", "TP", "mks", 50 + 273.15, 100);
  ASSERT_TRUE(std::holds_alternative<double>(cpw));
  EXPECT_DOUBLE_EQ(r.Evap, 5 * std::get<double>(cpw));
  EXPECT_DOUBLE_EQ(r.EV, r.Evap / 3.517);
}

TEST(CalcBasicCycle, SafetyFactorScalesTheDutiesAndLeavesThePoints) {
  auto doubled = Defaults();
  doubled.Safetyfactor = 200;
  const auto base = Figures(Defaults());
  const auto twice = Figures(doubled);
  for (const auto& [name, field] : kFields) {
    const bool duty = name[0] != 'P' && name[0] != 'T' && name[0] != 'H';
    if (duty) {
      EXPECT_DOUBLE_EQ(twice.*field, 2 * (base.*field)) << name;
    } else {
      EXPECT_EQ(twice.*field, base.*field) << name;
    }
  }
}

TEST(CalcBasicCycle, FullEfficiencyDischargesAtTheIsentropicEnthalpy) {
  auto ideal = Defaults();
  ideal.Isotropicefficiency = 100;
  const auto r = Figures(ideal);
  const auto h = property::Enthalpy("R22", "TP", "mks", r.T2 + 273.15, r.P2 * 100);
  ASSERT_TRUE(std::holds_alternative<double>(h));
  EXPECT_NEAR(r.H2, std::get<double>(h), 1e-6 * r.H2);
  // With losses the discharge is hotter.
  EXPECT_GT(Figures(Defaults()).T2, r.T2);
}

TEST(CalcBasicCycle, AFailedPropertyRequestNamesTheRefrigerant) {
  const auto with = [](auto change) {
    auto input = Defaults();
    change(input);
    return Message(input);
  };
  const std::string unknown = with([](auto& in) { in.Refrigerant = "R999"; });
  EXPECT_EQ(unknown.rfind("R999: ", 0), 0u) << unknown;
  EXPECT_NE(unknown.back(), ' ');
  // Above the critical temperature of R22 there is no saturated liquid.
  const std::string supercritical = with([](auto& in) { in.TemperatureCondensing = 120; });
  EXPECT_EQ(supercritical.rfind("R22: ", 0), 0u) << supercritical;
  const std::string cold = with([](auto& in) { in.Subcooling = 400; });
  EXPECT_EQ(cold.rfind("R22: the enthalpy of the condenser outlet state (point 3) at -310.00 'C and ",
                       0),
            0u)
      << cold;
  EXPECT_NE(cold.find("the temperature is not above absolute zero"), std::string::npos) << cold;
  // The placeholder in other letter case passes the checks and is asked for as a fluid.
  const std::string placeholder = with([](auto& in) { in.Refrigerant = "select refrigerant"; });
  EXPECT_EQ(placeholder.rfind("select refrigerant: ", 0), 0u) << placeholder;
}

TEST(CalcBasicCycle, RefusesBeforeAnyRequest) {
  auto input = Defaults();
  input.Refrigerant = "R999";
  input.Temperaturehotspring = 14.9;
  EXPECT_EQ(Message(input), "Temperature of Hot water must > 15 Celsius");
}

}  // namespace
