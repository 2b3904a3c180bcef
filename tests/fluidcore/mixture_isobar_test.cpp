// A blend's isobar on either side of the dome: a single-phase state comes
// back from its enthalpy and from its entropy at its pressure, whether it
// lies a hair beyond the bubble or dew point (where the exact points decide)
// or clearly beyond (where Newton's method from the lines' interpolated
// points finds it), from low pressures to near the critical pressure.
#include <gtest/gtest.h>

#include <string>

#include "fluidcore/mixture_flash.h"
#include "mixture_test_support.h"

namespace fluidcore::test {
namespace {

TEST(MixtureIsobar, SinglePhaseStatesComeBackFromTheirEnthalpyAndEntropy) {
  // Kelvin beyond the dew point (positive) or below the bubble point.
  const double kOffsets[] = {0.02, 0.15, 2, 40, -0.02, -0.15, -2, -30};
  int checked = 0;
  for (const std::string name : {"R407C", "R410A", "R513A", "R32/R1234yf"}) {
    const FixedMixture& m = fixed(name);
    for (const double fraction : {0.05, 0.4, 0.85}) {
      const double p = fraction * m.critical().p;
      const auto bubble = saturation_at_pressure(m, p, 1), dew = saturation_at_pressure(m, p, 2);
      ASSERT_TRUE(bubble.ok() && dew.ok()) << name << " at " << p << " kPa";
      for (const double offset : kOffsets) {
        const double T = (offset > 0 ? dew.point.T : bubble.point.T) + offset;
        const auto given = flash_tp(m, T, p);
        if (!given.ok() || given.state.T < m.limits().Tmin) continue;
        const std::string where =
            name + " at " + std::to_string(p) + " kPa and " + std::to_string(T) + " K";
        ASSERT_NE(given.state.phase, Phase::two_phase) << where;
        for (const Property y : {Property::enthalpy, Property::entropy}) {
          const auto found =
              flash_isobar(m, p, y, y == Property::enthalpy ? given.state.h : given.state.s);
          ASSERT_TRUE(found.ok()) << where << ": " << found.message;
          EXPECT_NEAR(found.state.T, T, 1e-9 * T) << where;
          EXPECT_NEAR(found.state.rho, given.state.rho, 1e-8 * given.state.rho) << where;
          EXPECT_EQ(found.state.phase, given.state.phase) << where;
          ++checked;
        }
      }
    }
  }
  EXPECT_GT(checked, 150);
}

}  // namespace
}  // namespace fluidcore::test
