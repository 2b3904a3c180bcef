// The refrigerant's temperatures along the gas cooler's isobar against the
// property layer's own states at the same enthalpy; the hot water's table
// against the property layer's water.
#include "gas_cooler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <variant>

#include "property/property_functions.h"
#include "property_requests.h"

namespace {

using cycle::detail::IsobarNode;
using cycle::detail::IsobarTemperatures;

constexpr double kKelvin = 273.15;

property::StateProperties StateOf(const char* code, double value1, double value2) {
  const auto result = property::WholeState("R744", code, "mks", value1, value2);
  if (const auto* text = std::get_if<std::string>(&result)) {
    ADD_FAILURE() << *text;
    return {};
  }
  return std::get<property::StateProperties>(result);
}

IsobarNode NodeAt(double T, double p) {
  return cycle::detail::IsobarNodeOf("R744", StateOf("TP", T + kKelvin, p), "test state");
}

// Isobars from just above the critical pressure, where the heat capacity
// peaks sharply near the gas cooler's outlet, to far above it; outlets on
// either side of the pseudo-critical temperature.
TEST(IsobarTemperatures, AgreeWithTheStatesAtTheSameEnthalpyToAHundredthOfAKelvin) {
  struct Case {
    double pressure;  // kPa
    double outlet, inlet;  // degrees C
  };
  const Case cases[] = {
      {7500, 25, 90},   {7500, 32, 100},  {8000, 35, 110}, {8722, 35, 115},
      {8722, 20, 60},   {9000, 40, 120},  {10000, 30, 130}, {12000, 35, 140},
      {16000, 45, 160},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.pressure) + " kPa, " + std::to_string(c.outlet) + " to " +
                 std::to_string(c.inlet) + " 'C");
    const IsobarNode outlet = NodeAt(c.outlet, c.pressure), inlet = NodeAt(c.inlet, c.pressure);
    const IsobarTemperatures isobar("R744", c.pressure, inlet, outlet);
    double worst = 0;
    for (int i = 0; i <= 200; ++i) {
      const double h = outlet.h + (inlet.h - outlet.h) * i / 200;
      const double T = StateOf("PH", c.pressure, h).T - kKelvin;
      worst = std::max(worst, std::abs(isobar.At(h) - T));
    }
    EXPECT_LT(worst, 0.01);
    EXPECT_NEAR(isobar.At(outlet.h), c.outlet, 1e-9);
    EXPECT_NEAR(isobar.At(inlet.h), c.inlet, 1e-9);
  }
}

TEST(IsobarTemperatures, AStateWithoutAHeatCapacityIsRefused) {
  property::StateProperties two_phase = StateOf("TQ", 280, 0.5);
  two_phase.Cp = std::nan("");
  EXPECT_THROW(cycle::detail::IsobarNodeOf("R744", two_phase, "test state"),
               cycle::detail::CycleFailure);
}

// Below the table's first temperature, between its kelvins, on one, and
// above its last up to the boiling temperature.
TEST(HotWaterTable, GivesTheWatersEnthalpyToAThousandthOfAKilojoule) {
  const auto& table = cycle::detail::HotWater();
  const auto boiling = property::Temperature("WATER", "Pliq", "mks", 100, 0);
  ASSERT_TRUE(std::holds_alternative<double>(boiling));
  EXPECT_NEAR(table.Boiling(), std::get<double>(boiling) - kKelvin, 1e-12);
  for (const double T : {0.02, 0.5, 1.0, 15.0, 37.3, 64.99, 98.2, table.Boiling() - 0.01}) {
    SCOPED_TRACE(T);
    const auto h = property::Enthalpy("WATER", "TP", "mks", T + kKelvin, 100);
    ASSERT_TRUE(std::holds_alternative<double>(h));
    EXPECT_NEAR(table.Enthalpy(T), std::get<double>(h), 1e-3);
  }
  EXPECT_EQ(&table, &cycle::detail::HotWater()) << "asked for once";
}

}  // namespace
