// Bubble and dew points, the traced lines and the critical point of
// mixtures. Reference: tests/data/reference_mixtures.csv (R410A, R407C,
// R404A, R507A and air; dew points at several T, single-phase states and
// PH/PS inverses from an independent implementation of the same model).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <map>
#include <string>

#include "fluidcore/mixture_flash.h"
#include "fluidcore/mixture_state.h"
#include "mixture_test_support.h"
#include "reference_data.h"

namespace fluidcore::test {
namespace {

// Largest relative deviation per quantity, printed for the record.
struct Deviations {
  std::map<std::string, double> worst;
  void add(const std::string& what, double got, double want) {
    worst[what] = std::max(worst[what], relative(got, want));
  }
  void print(const std::string& title) const {
    std::cout << title << ":";
    for (const auto& [what, d] : worst) std::cout << " " << what << " " << d;
    std::cout << "\n";
  }
};

TEST(MixtureSaturation, DewPointsMatchTheReference) {
  Deviations dev;
  int rows = 0;
  for (const auto& row : read_csv("reference_mixtures.csv")) {
    if (row.text("section") != "dew") continue;
    const auto& m = reference_mixture(row);
    const double T = row.number("T");
    const auto r = saturation_at_temperature(m, T, 2);
    const std::string where = row.text("mixture") + " at " + row.text("T") + " K";
    ASSERT_TRUE(r.ok()) << where << ": " << r.message();
    const TwoPhase& d = r.point;
    EXPECT_EQ(d.y, m.z()) << where;  // the vapour is the feed
    const State L = MixtureIsotherm(m.model(), T, d.x).state(d.rhoL);
    const State V = MixtureIsotherm(m.model(), T, d.y).state(d.rhoV);
    for (const auto& [what, got, want] :
         {std::tuple{"p", d.p, row.number("p")}, std::tuple{"rhoL", d.rhoL, row.number("rhoL")},
          std::tuple{"rhoV", d.rhoV, row.number("rhoV")}, std::tuple{"hL", L.h, row.number("hL")},
          std::tuple{"hV", V.h, row.number("hV")}, std::tuple{"s", V.s, row.number("s")}}) {
      EXPECT_LT(relative(got, want), 1e-6) << where << " " << what;
      dev.add(what, got, want);
    }
    // The same point at its pressure.
    const auto at_p = saturation_at_pressure(m, d.p, 2);
    ASSERT_TRUE(at_p.ok()) << where;
    EXPECT_NEAR(at_p.point.T, T, 1e-9 * T) << where;
    ++rows;
  }
  EXPECT_EQ(rows, 30);
  dev.print("dew points, largest relative deviation from the reference");
}

TEST(MixtureSaturation, SinglePhaseFlashesMatchTheReference) {
  Deviations dev;
  int rows = 0;
  for (const auto& row : read_csv("reference_mixtures.csv")) {
    const std::string section = row.text("section"), inputs = row.text("inputs");
    if (section != "single" && section != "flash") continue;
    const auto& m = reference_mixture(row);
    const double v1 = row.number("value1"), v2 = row.number("value2");
    const MixtureFlashResult r = inputs == "PT"   ? flash_tp(m, v2, v1)
                                 : inputs == "PH" ? flash_isobar(m, v1, Property::enthalpy, v2)
                                                  : flash_isobar(m, v1, Property::entropy, v2);
    const std::string where = row.text("mixture") + " " + inputs + " " + row.text("value1") +
                              ", " + row.text("value2");
    ASSERT_TRUE(r.ok()) << where << ": " << r.message();
    const FlashState& s = r.state;
    EXPECT_NE(s.phase, Phase::two_phase) << where;
    for (const auto& [what, got, want] :
         {std::tuple{"T", s.T, row.number("T")}, std::tuple{"rho", s.rho, row.number("rho")},
          std::tuple{"h", s.h, row.number("h")}, std::tuple{"s", s.s, row.number("s")},
          std::tuple{"cp", s.cp, row.number("cp")}}) {
      EXPECT_LT(relative(got, want), 1e-7) << where << " " << what;
      dev.add(what, got, want);
    }
    ++rows;
  }
  EXPECT_EQ(rows, 30);
  dev.print("single-phase states, largest relative deviation from the reference");
}

// The bubble point bounds the liquid and the two-phase states at its T and
// p; quality 0 and 1 are the bubble and dew points.
TEST(MixtureSaturation, BubblePointsBoundTheTwoPhaseRegion) {
  for (const std::string name : {"R410A", "R407C", "air", "R32/R1234yf"}) {
    const auto& m = fixed(name);
    for (const double f : {0.7, 0.8, 0.9, 0.97}) {
      const double T = f * m.critical().T;
      const auto b = saturation_at_temperature(m, T, 1), d = saturation_at_temperature(m, T, 2);
      ASSERT_TRUE(b.ok() && d.ok()) << name << " " << T;
      EXPECT_EQ(b.point.x, m.z());
      EXPECT_GT(b.point.p, d.point.p) << name << " " << T;  // zeotropes glide
      const std::string where = name + " at " + std::to_string(T) + " K";
      const auto liquid = flash_tp(m, T, b.point.p * (1 + 1e-6));
      const auto inside = flash_tp(m, T, b.point.p * (1 - 1e-6));
      const auto vapour = flash_tp(m, T, d.point.p * (1 - 1e-6));
      ASSERT_TRUE(liquid.ok() && inside.ok() && vapour.ok()) << where;
      EXPECT_EQ(liquid.state.phase, Phase::liquid) << where;
      EXPECT_EQ(inside.state.phase, Phase::two_phase) << where;
      EXPECT_LT(inside.state.q, 1e-3) << where;
      EXPECT_EQ(vapour.state.phase, Phase::vapour) << where;
      EXPECT_NEAR(liquid.state.rho, b.point.rhoL, 1e-4 * b.point.rhoL) << where;
      const auto q0 = flash_tq(m, T, 0), q1 = flash_tq(m, T, 1);
      ASSERT_TRUE(q0.ok() && q1.ok()) << where;
      EXPECT_NEAR(q0.state.p, b.point.p, 1e-10 * b.point.p) << where;
      EXPECT_NEAR(q1.state.p, d.point.p, 1e-10 * d.point.p) << where;
      EXPECT_EQ(q0.y, b.point.y) << where;
      // At the bubble point the liquid is the feed: its cp, not undefined.
      EXPECT_GT(q0.state.cp, 0) << where;
    }
  }
}

// The interpolated lines are within 1e-5 of the exact points everywhere
// between the lower limit and the end of tracing, close to the critical
// point, where no bubble point exists any more just above it.
TEST(MixtureSaturation, LinesAndCriticalPoint) {
  for (const std::string name : {"R410A", "R407C", "R404A", "R507A", "R454B", "R513A", "air"}) {
    const auto& m = fixed(name);
    const auto& c = m.critical();
    EXPECT_TRUE(c.converged) << name;
    for (const auto* line : {&m.bubble_line(), &m.dew_line()}) {
      ASSERT_FALSE(line->empty()) << name;
      EXPECT_DOUBLE_EQ(line->Tmin(), m.limits().Tmin) << name;
      EXPECT_GT(line->Tmax(), c.T - 0.5) << name;
      EXPECT_LT(line->Tmax(), c.T + 0.5) << name;
      for (int i = 0; i <= 40; ++i) {
        const double T = line->Tmin() + (line->Tmax() - line->Tmin()) * i / 40.5;
        const auto start = line->at_temperature(T);
        ASSERT_TRUE(start) << name;
        const auto exact = saturation_at_temperature(m, T, &*line == &m.bubble_line() ? 1 : 2);
        ASSERT_TRUE(exact.ok()) << name << " " << T;
        EXPECT_LT(relative(start->p, exact.point.p), 1e-5) << name << " " << T;
      }
    }
    EXPECT_FALSE(saturation_at_temperature(m, c.T + 1, 1).ok()) << name;
    const auto above = saturation_at_temperature(m, c.T + 1, 1);
    EXPECT_NE(above.message().find("critical temperature"), std::string::npos) << above.message();
    // Just below the critical point the two lines have nearly met.
    const auto b = saturation_at_temperature(m, c.T - 0.3, 1), d = saturation_at_temperature(m, c.T - 0.3, 2);
    ASSERT_TRUE(b.ok() && d.ok()) << name;
    EXPECT_LT(relative(b.point.p, c.p), 0.05) << name;
    EXPECT_LT(relative(d.point.p, c.p), 0.05) << name;
  }
}

// The density routine finds the bubble or dew point whose feed phase has the
// given density.
TEST(MixtureSaturation, AtADensity) {
  const auto& m = fixed("R407C");
  for (const int kind : {1, 2}) {
    const auto at_T = saturation_at_temperature(m, 280, kind);
    ASSERT_TRUE(at_T.ok());
    const double rho = kind == 1 ? at_T.point.rhoL : at_T.point.rhoV;
    const auto at_rho = saturation_at_density(m, rho);
    ASSERT_TRUE(at_rho.ok()) << at_rho.message();
    EXPECT_EQ(at_rho.phase, kind);
    EXPECT_NEAR(at_rho.point.T, 280, 1e-8);
    EXPECT_NEAR(at_rho.point.p, at_T.point.p, 1e-8 * at_T.point.p);
  }
}

}  // namespace
}  // namespace fluidcore::test
