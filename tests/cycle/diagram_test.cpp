// The data of the cycle diagrams with the real property layer: corners that
// are the calculations' own states, dome points that are the library's
// saturation states, processes along their isobars and isenthalp, a blend's
// glide, and no diagram for a refused calculation.
#include "cycle/diagram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>
#include <vector>

#include "property/property_functions.h"

namespace {

using cycle::CycleDiagram;
using cycle::DiagramKind;
using cycle::DiagramState;

constexpr double kKelvin = 273.15;

CycleDiagram Get(std::variant<CycleDiagram, std::string> outcome) {
  if (auto* message = std::get_if<std::string>(&outcome)) ADD_FAILURE() << *message;
  return std::get<CycleDiagram>(std::move(outcome));
}

double Number(const property::PropertyResult& result) {
  const double* value = std::get_if<double>(&result);
  EXPECT_NE(value, nullptr);
  return value ? *value : NAN;
}

cycle::BasicCycleInput Basic(std::string refrigerant, double condensing = 90) {
  return {std::move(refrigerant), 1, 50, 3.5, 4, condensing, 100, 80};
}

cycle::ComparisonConditions Conditions(double evaporating, double condensing) {
  return {10, evaporating, 3.5, 4, condensing, 100, 80};
}

// The corners are the states the basic calculation shows on its page.
TEST(CycleDiagram, CornersAreTheBasicCalculationsPoints) {
  for (const auto& input : {Basic("R22"), Basic("R134a"), Basic("R407C", 60), Basic("R717", 70)}) {
    SCOPED_TRACE(input.Refrigerant);
    const auto result = std::get<cycle::BasicCycleResult>(cycle::CalcBasicCycle(input));
    for (const DiagramKind kind : {DiagramKind::PressureEnthalpy, DiagramKind::TemperatureEntropy}) {
      const CycleDiagram d = Get(cycle::BasicCycleDiagram(input, kind));
      const cycle::CycleCorners& k = d.corners;
      EXPECT_EQ(k.suction.p, result.P1);
      EXPECT_EQ(k.suction.T, result.T1);
      EXPECT_EQ(k.suction.h, result.H1);
      EXPECT_EQ(k.isentropic_discharge.h, result.H2);
      EXPECT_EQ(k.isentropic_discharge.s, k.suction.s) << "2s lies on the suction isentrope";
      EXPECT_EQ(k.discharge.T, result.T2);
      EXPECT_NEAR(k.discharge.h, result.H1 + (result.H2 - result.H1) / 0.8, 1e-9);
      EXPECT_NEAR(k.condenser_outlet.T, result.T3, 1e-9);
      EXPECT_EQ(k.condenser_outlet.h, result.H3);
      EXPECT_EQ(k.evaporator_inlet.h, result.H4);
      for (const DiagramState& high : {k.isentropic_discharge, k.discharge, k.condenser_outlet}) {
        EXPECT_EQ(high.p, result.P2);
      }
      EXPECT_EQ(k.evaporator_inlet.p, result.P4);
    }
  }
}

// The comparison's figures follow from the corners of each refrigerant.
TEST(CycleDiagram, CornersGiveTheComparisonsFigures) {
  cycle::ComparisonFields fields{"10", "40", "3.5", "4", "70", "100", "75", "3", {"R22", "R407C", "R290"}};
  cycle::ComparisonResults results;
  ASSERT_FALSE(cycle::RunComparison(fields, results).has_value());
  const auto diagrams = std::get<std::vector<CycleDiagram>>(
      cycle::ComparisonDiagrams(fields, DiagramKind::PressureEnthalpy));
  ASSERT_EQ(diagrams.size(), 3u);
  for (std::size_t k = 0; k < diagrams.size(); ++k) {
    const cycle::CycleCorners& c = diagrams[k].corners;
    SCOPED_TRACE(diagrams[k].refrigerant);
    EXPECT_EQ(diagrams[k].refrigerant, results.RefName[k]);
    EXPECT_NEAR(results.COP[k], (c.discharge.h - c.condenser_outlet.h) / (c.discharge.h - c.suction.h), 1e-12);
    EXPECT_NEAR(results.MassPerHeat[k], 1 / (c.discharge.h - c.condenser_outlet.h), 1e-15);
    EXPECT_EQ(results.DischargePressure[k], c.discharge.p);
    EXPECT_EQ(results.DischargeTemperature[k], c.discharge.T);
    EXPECT_NEAR(results.PressureRatio[k], c.discharge.p / c.suction.p, 1e-14);
  }
}

// Every dome point is the library's saturation state at its temperature.
TEST(CycleDiagram, DomePointsAreSaturationStates) {
  for (const std::string fluid : {"R22", "R407C", "CO2"}) {
    SCOPED_TRACE(fluid);
    const CycleDiagram d = Get(cycle::ComparisonDiagram(fluid, Conditions(15, fluid == "CO2" ? 25 : 60),
                                                        DiagramKind::PressureEnthalpy));
    ASSERT_GE(d.bubble.size(), 100u);
    ASSERT_GE(d.dew.size(), 100u);
    const double Tmin = Number(property::LowerTemperatureLimit(fluid, "mks")) - kKelvin;
    const double Tcrit = Number(property::CriticalPoint(fluid, "T", "mks")) - kKelvin;
    EXPECT_NEAR(d.bubble.front().T, Tmin, 1e-9) << "from the lower limit";
    EXPECT_LT(Tcrit - d.bubble.back().T, 0.05) << "up to the critical point";
    EXPECT_NEAR(d.critical.T, Tcrit, 1e-9);
    for (const auto& [line, code] : {std::pair{&d.bubble, "Tliq"}, std::pair{&d.dew, "Tvap"}}) {
      for (std::size_t i = 0; i < line->size(); i += 17) {
        const DiagramState& s = (*line)[i];
        const double T = s.T + kKelvin;
        EXPECT_EQ(s.p, Number(property::Pressure(fluid, code, "mks", T)) / 100) << code << " " << T;
        EXPECT_EQ(s.h, Number(property::Enthalpy(fluid, code, "mks", T))) << code << " " << T;
        EXPECT_EQ(s.s, Number(property::Entropy(fluid, code, "mks", T))) << code << " " << T;
      }
    }
  }
}

// Each process runs between its corners: the condenser and the evaporator
// along their pressures, the valve at constant enthalpy.
TEST(CycleDiagram, ProcessesFollowTheirIsobarsAndIsenthalp) {
  for (const std::string fluid : {"R134a", "R407C"}) {
    SCOPED_TRACE(fluid);
    const CycleDiagram d =
        Get(cycle::ComparisonDiagram(fluid, Conditions(20, 60), DiagramKind::TemperatureEntropy));
    const cycle::CycleCorners& k = d.corners;
    const auto ends = [](const std::vector<DiagramState>& line, const DiagramState& from,
                         const DiagramState& to) {
      ASSERT_GE(line.size(), 3u);
      EXPECT_EQ(line.front().h, from.h);
      EXPECT_EQ(line.back().h, to.h);
    };
    ends(d.condenser, k.discharge, k.condenser_outlet);
    ends(d.expansion, k.condenser_outlet, k.evaporator_inlet);
    ends(d.evaporator, k.evaporator_inlet, k.suction);
    for (std::size_t i = 1; i < d.condenser.size(); ++i) {
      EXPECT_NEAR(d.condenser[i].p, k.discharge.p, 1e-9 * k.discharge.p);
      EXPECT_LT(d.condenser[i].h, d.condenser[i - 1].h);
      EXPECT_LE(d.condenser[i].T, d.condenser[i - 1].T + 1e-9) << "cooling all the way";
    }
    for (std::size_t i = 1; i < d.evaporator.size(); ++i) {
      EXPECT_NEAR(d.evaporator[i].p, k.suction.p, 1e-9 * k.suction.p);
      EXPECT_GT(d.evaporator[i].h, d.evaporator[i - 1].h);
    }
    for (std::size_t i = 1; i < d.expansion.size(); ++i) {
      EXPECT_EQ(d.expansion[i].h, k.condenser_outlet.h);
      EXPECT_LT(d.expansion[i].p, d.expansion[i - 1].p);
    }
    // Where condensation and evaporation end, the spans of subcooling and
    // superheat begin.
    EXPECT_EQ(d.condensing_bubble.T, 60);
    EXPECT_EQ(d.evaporating_dew.T, 20);
  }
}

// A blend's temperature changes while it condenses and evaporates; a pure
// fluid's does not, and its bubble and dew lines meet at every pressure.
TEST(CycleDiagram, ABlendGlidesAndAPureFluidDoesNot) {
  const auto glide = [](const std::string& fluid) {
    const CycleDiagram d =
        Get(cycle::ComparisonDiagram(fluid, Conditions(20, 60), DiagramKind::PressureEnthalpy));
    // Evaporation: from the throttled state 4 to the dew point at Pe.
    return std::pair{d.evaporating_dew.T - d.corners.evaporator_inlet.T,
                     d.bubble[60].p - d.dew[60].p};
  };
  const auto [pure_glide, pure_gap] = glide("R134a");
  EXPECT_NEAR(pure_glide, 0, 1e-6);
  EXPECT_NEAR(pure_gap, 0, 1e-9);
  const auto [blend_glide, blend_gap] = glide("R407C");
  EXPECT_GT(blend_glide, 3) << "R407C glides about 5 K";
  EXPECT_GT(blend_gap, 0) << "bubble pressure above dew pressure at one temperature";
}

// Isotherms hold their temperature, isobars their pressure, each crossing
// the dome from liquid to vapour.
TEST(CycleDiagram, IsolinesHoldTheirValue) {
  for (const DiagramKind kind : {DiagramKind::PressureEnthalpy, DiagramKind::TemperatureEntropy}) {
    const CycleDiagram d = Get(cycle::BasicCycleDiagram(Basic("R407C", 60), kind));
    ASSERT_GE(d.isolines.size(), 2u);
    if (kind == DiagramKind::TemperatureEntropy) {
      EXPECT_EQ(d.isolines[0].value, d.corners.suction.p);
      EXPECT_EQ(d.isolines[1].value, d.corners.discharge.p);
    }
    for (const cycle::Isoline& line : d.isolines) {
      ASSERT_GE(line.states.size(), 10u);
      for (const DiagramState& s : line.states) {
        const double held = kind == DiagramKind::PressureEnthalpy ? s.T : s.p;
        EXPECT_NEAR(held, line.value, 1e-7 * std::max(1.0, std::abs(line.value)));
      }
      EXPECT_GT(line.states.back().s, line.states.front().s) << "liquid first";
    }
  }
}

TEST(CycleDiagram, RefusedCalculationGivesItsMessageAndNoDiagram) {
  auto unselected = Basic("Select Refrigerant");
  EXPECT_EQ(std::get<std::string>(cycle::BasicCycleDiagram(unselected, DiagramKind::PressureEnthalpy)),
            "Please select Refrigerant");
  cycle::ComparisonFields above_critical{"10", "50", "3.5", "4", "90", "100", "80", "1", {"R410A"}};
  EXPECT_EQ(std::get<std::string>(cycle::ComparisonDiagrams(above_critical, DiagramKind::TemperatureEntropy)),
            "Incorrect name or check the critical temperature of refrigerant1");
  const auto unknown = cycle::ComparisonDiagram("R999", Conditions(20, 60), DiagramKind::PressureEnthalpy);
  ASSERT_TRUE(std::holds_alternative<std::string>(unknown));
  EXPECT_EQ(std::get<std::string>(unknown).rfind("R999: ", 0), 0u) << std::get<std::string>(unknown);
}

// The rows of a table: one per corner with its name, the cycle in the order
// 1, 2s, 2, condenser, 3, valve, 4, evaporator.
TEST(CycleDiagram, RowsNameEachCornerOnce) {
  const CycleDiagram d = Get(cycle::BasicCycleDiagram(Basic("R22"), DiagramKind::PressureEnthalpy));
  const auto rows = cycle::DiagramRows(d);
  std::vector<std::string> corners;
  std::size_t cycle_rows = 0;
  for (const cycle::DiagramRow& row : rows) {
    if (row.series == "cycle") ++cycle_rows;
    if (!row.point.empty()) {
      EXPECT_EQ(row.series, "cycle");
      corners.emplace_back(row.point);
    }
  }
  EXPECT_EQ(corners, (std::vector<std::string>{"1", "2s", "2", "3", "4"}));
  EXPECT_EQ(cycle_rows, 2 + d.condenser.size() + d.expansion.size() + d.evaporator.size() - 3);
  EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [](const auto& r) { return r.series == "isotherm"; }),
            std::ptrdiff_t(std::accumulate(d.isolines.begin(), d.isolines.end(), std::size_t{0},
                                           [](std::size_t n, const auto& l) { return n + l.states.size(); })));
}

// The state under the pointer: the suction state at its own pressure and
// enthalpy; a quality only inside the dome.
TEST(CycleDiagram, ReadsTheStateAtAPlaceOfTheDiagram) {
  const CycleDiagram d = Get(cycle::BasicCycleDiagram(Basic("R134a"), DiagramKind::PressureEnthalpy));
  const DiagramState& one = d.corners.suction;
  const auto ph = cycle::ReadState("R134a", DiagramKind::PressureEnthalpy, one.h, one.p);
  ASSERT_TRUE(ph.has_value());
  EXPECT_NEAR(ph->state.T, one.T, 1e-6);
  EXPECT_NEAR(ph->state.s, one.s, 1e-9);
  EXPECT_FALSE(ph->quality.has_value()) << "superheated";

  const auto ts = cycle::ReadState("R134a", DiagramKind::TemperatureEntropy, one.s, one.T);
  ASSERT_TRUE(ts.has_value());
  EXPECT_NEAR(ts->state.h, one.h, 1e-6);

  const DiagramState& four = d.corners.evaporator_inlet;
  const auto wet = cycle::ReadState("R134a", DiagramKind::PressureEnthalpy, four.h, four.p);
  ASSERT_TRUE(wet.has_value() && wet->quality.has_value());
  EXPECT_GT(*wet->quality, 0.1);
  EXPECT_LT(*wet->quality, 0.6);

  EXPECT_FALSE(cycle::ReadState("R134a", DiagramKind::PressureEnthalpy, 400, -1).has_value());
  EXPECT_FALSE(cycle::ReadState("R999", DiagramKind::PressureEnthalpy, 400, 10).has_value());
}

}  // namespace
