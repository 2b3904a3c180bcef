// The figures the basic results page shows beyond its sixteen boxes, against
// the cycle's own numbers: the duties (COP), the basic layout of the same
// cycle (COP, VHC), and the states of its diagram (the actual discharge
// enthalpy, point 4 after the valve).
#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "cycle/basic_cycle.h"
#include "cycle/diagram.h"
#include "cycle/layouts.h"
#include "cycle/number_text.h"

namespace {

TEST(BasicCycleFigures, AreTheCyclesOwn) {
  const struct {
    cycle::BasicCycleInput input;
    bool glides;  // point 4 after the valve below the evaporating temperature
  } cases[] = {
      {{"R22", 1, 50, 3.5, 4, 90, 100, 80}, false},  {{"R134a", 2, 30, 5, 8, 70, 120, 65}, false},
      {{"R717", 1, 40, 3.5, 4, 60, 100, 75}, false}, {{"R407C", 1, 40, 3.5, 4, 60, 100, 75}, true},
      {{"R410A", 1, 35, 2, 5, 50, 100, 70}, true},
  };
  for (const auto& c : cases) {
    const cycle::BasicCycleInput& in = c.input;
    SCOPED_TRACE(in.Refrigerant);
    const auto outcome = cycle::CalcBasicCycle(in);
    ASSERT_TRUE(std::holds_alternative<cycle::BasicCycleResult>(outcome))
        << std::get<std::string>(outcome);
    const auto& r = std::get<cycle::BasicCycleResult>(outcome);

    EXPECT_NEAR(r.COP, r.Conden / r.Compress, 1e-12 * r.COP);

    // The basic layout runs the same cycle from the evaporator's side.
    cycle::LayoutInput layout;
    layout.Refrigerant = in.Refrigerant;
    layout.Evaporating = cycle::FormatShortest(in.Temperaturehotspring - 5);
    layout.Condensing = cycle::FormatShortest(in.TemperatureCondensing);
    layout.Subcooling = cycle::FormatShortest(in.Subcooling);
    layout.Superheating = cycle::FormatShortest(in.Superheating);
    layout.Efficiency = cycle::FormatShortest(in.Isotropicefficiency);
    const cycle::LayoutOutcome same = cycle::CalcLayout(cycle::Layout::basic, layout);
    ASSERT_NE(same.result(), nullptr) << same.refusal()->message;
    EXPECT_NEAR(r.COP, same.result()->cop, 1e-9 * r.COP);
    EXPECT_NEAR(r.VHC, same.result()->vhc, 1e-9 * r.VHC);
    EXPECT_NEAR(r.H2actual, same.result()->State("2")->state.h, 1e-9 * r.H2actual);

    const auto diagram = std::get<cycle::CycleDiagram>(
        cycle::BasicCycleDiagram(in, cycle::DiagramKind::PressureEnthalpy));
    EXPECT_DOUBLE_EQ(r.H2actual, diagram.corners.discharge.h);
    EXPECT_NEAR(r.T4actual, diagram.corners.evaporator_inlet.T, 1e-9);
    EXPECT_NEAR(r.T4actual, same.result()->State("4")->state.T, 1e-6);
    // The page's T4 is the evaporating temperature; a blend's glide puts
    // the state after the valve below it.
    if (c.glides) {
      EXPECT_LT(r.T4actual, r.T4 - 0.05);
    } else {
      EXPECT_NEAR(r.T4actual, r.T4, 1e-3);
    }
  }
}

}  // namespace
