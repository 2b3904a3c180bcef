// Flashes against the reference tables: inverse problems of every input pair
// (tests/data/reference_flash.csv) and (T, p) states
// (reference_single_phase.csv), within 1e-7 relative.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "fluidcore/flash.h"
#include "fluidcore/state.h"
#include "c_api.h"
#include "reference_data.h"

namespace fluidcore::test {
namespace {

TEST(Flash, ReferenceInverseProblems) {
  double worst = 0;
  int rows = 0, other_roots = 0;
  for (const auto& r : read_csv("reference_flash.csv")) {
    const auto f = fluid(r.text("fluid"));
    const std::string pair = r.text("inputs");
    const double v1 = r.number("value1"), v2 = r.number("value2");
    const auto got = cpp_flash(*f, pair, v1, v2);
    ASSERT_TRUE(got.ok()) << r.text("fluid") << " " << pair << " " << v1 << " " << v2 << ": "
                          << got.message();
    const auto& s = got.state;
    const double R = f->gas_constant, RT = R * s.T;
    ++rows;
    if (r.text("check") != "match") {
      // Two states share these inputs: the one returned must reproduce them.
      ++other_roots;
      const double g1 = given_value(s, pair[0]), g2 = given_value(s, pair[1]);
      EXPECT_LT(relative(g1, v1, pair[0] == 'H' || pair[0] == 'E' ? RT : R), 1e-9) << pair;
      EXPECT_LT(relative(g2, v2, pair[1] == 'H' || pair[1] == 'E' ? RT : R), 1e-9)
          << r.text("fluid") << " " << pair << " " << v1 << " " << v2;
      continue;
    }
    const struct { const char* name; double got, want, floor; } checks[] = {
        {"T", s.T, r.number("T"), 0},     {"p", s.p, r.number("p"), 0},
        {"rho", s.rho, r.number("rho"), 0}, {"h", s.h, r.number("h"), RT},
        {"s", s.s, r.number("s"), R}};
    for (const auto& c : checks) {
      const double dev = relative(c.got, c.want, c.floor);
      worst = std::max(worst, dev);
      EXPECT_LT(dev, 1e-7) << r.text("fluid") << " " << pair << " (" << r.text("source")
                           << ") " << c.name << " got " << c.got << " want " << c.want;
    }
    if (r.number("q") >= 0 && r.number("q") <= 1) {
      EXPECT_NEAR(s.q, r.number("q"), 1e-7) << r.text("fluid") << " " << pair;
      EXPECT_EQ(s.phase, Phase::two_phase);
    }
  }
  EXPECT_EQ(rows, 1560);
  EXPECT_EQ(other_roots, 25);
  RecordProperty("max_relative_deviation", scientific(worst));
}

TEST(Flash, ReferenceSinglePhaseStatesFromTemperatureAndPressure) {
  for (const auto& r : read_csv("reference_single_phase.csv")) {
    const auto f = fluid(r.text("fluid"));
    const auto got = flash_tp(*f, r.number("T"), r.number("p"));
    ASSERT_TRUE(got.ok()) << r.text("fluid") << ": " << got.message();
    const auto& s = got.state;
    const double RT = f->gas_constant * s.T;
    EXPECT_LT(relative(s.rho, r.number("rho")), 1e-7) << r.text("fluid") << " " << r.text("region");
    EXPECT_LT(relative(s.h, r.number("h"), RT), 1e-7) << r.text("fluid");
    EXPECT_LT(relative(s.s, r.number("s"), f->gas_constant), 1e-7) << r.text("fluid");
    EXPECT_LT(relative(s.cp, r.number("cp")), 1e-7) << r.text("fluid");
    EXPECT_LT(relative(s.w, r.number("w")), 1e-7) << r.text("fluid");
    const std::string region = r.text("region");
    const Phase want = region == "liquid" ? Phase::liquid
                       : region == "vapour" ? Phase::vapour : Phase::supercritical;
    EXPECT_EQ(s.phase, want) << r.text("fluid") << " " << region;
  }
}

}  // namespace
}  // namespace fluidcore::test

namespace fluidcore::test {
namespace {

// Newton along an isobar converges in a few steps when its derivative
// (dy/dT)_p is right: a wrong sign or term shows as many bisections.
TEST(Flash, IsobarNewtonConvergesInFewSteps) {
  for (const char* name : {"R134a", "R22", "Water", "CarbonDioxide"}) {
    const auto f = fluid(name);
    for (double tr : {0.75, 0.85}) {
      const double T = tr * f->Tcrit();
      const auto sat = flash_tq(*f, T, 0);
      ASSERT_TRUE(sat.ok()) << name << " " << sat.message();
      const double psat = sat.state.p;
      for (const auto& [Tstate, p] : {std::pair{T - 10, 2 * psat}, std::pair{T + 30, 0.7 * psat}}) {
        const FlashState s = flash_tp(*f, Tstate, p).state;
        for (const auto& [y, v] : {std::pair{Property::enthalpy, s.h},
                                   std::pair{Property::entropy, s.s},
                                   std::pair{Property::internal_energy, s.e}}) {
          const auto r = flash_isobar(*f, p, y, v);
          ASSERT_TRUE(r.ok()) << name << " " << r.message();
          EXPECT_NEAR(r.state.T, Tstate, 1e-9 * Tstate) << name;
          EXPECT_LE(r.iterations, 6) << name << " T=" << Tstate << " p=" << p
                                     << " property " << static_cast<int>(y);
        }
      }
    }
  }
}

}  // namespace
}  // namespace fluidcore::test

namespace fluidcore::test {
namespace {

// The two numbers of "... 115.7299998 K is below the lower limit 115.73 K":
// the words before and after the relation, without their units.
std::pair<std::string, std::string> compared(const std::string& message,
                                             const std::string& relation) {
  const auto at = message.find(relation);
  if (at == std::string::npos) return {};
  const auto value_end = message.rfind(' ', at - 1);
  const auto value_start = message.rfind(' ', value_end - 1) + 1;
  const auto limit_start = at + relation.size() + 1;
  const auto limit_end = message.find(' ', limit_start);
  return {message.substr(value_start, value_end - value_start),
          message.substr(limit_start, limit_end - limit_start)};
}

// A value just beyond a limit is shown with the digits that tell it apart
// from the limit, for every limit of every fluid.
TEST(Flash, LimitMessagesShowTheValueApartFromTheLimit) {
  for (const auto& name : all_fluid_names()) {
    const auto f = fluid(name);
    const double T = 0.5 * (f->limits.Tmin + f->limits.Tmax), p = f->psat_min * 10;
    const struct {
      FlashResult got;
      const char* relation;
    } cases[] = {
        {flash_tp(*f, f->limits.Tmin * (1 - 2e-9), p), "is below the lower limit"},
        {flash_tp(*f, f->limits.Tmax * (1 + 2e-9), p), "is above the upper limit"},
        {flash_tp(*f, T, f->limits.pmax * (1 + 2e-9)), "is above the upper limit"},
        {flash_tq(*f, f->limits.Tmin * (1 - 2e-9), 0), "is below the lower limit"},
        {flash_pq(*f, std::max(f->critical.p, f->pcrit()) * (1 + 2e-9), 1),
         "is above the critical pressure"},
    };
    for (const auto& c : cases) {
      ASSERT_FALSE(c.got.ok()) << name << " " << c.relation;
      const auto [value, limit] = compared(c.got.message(), c.relation);
      EXPECT_FALSE(value.empty()) << c.got.message();
      EXPECT_NE(value, limit) << c.got.message();
    }
  }
}

// The critical point the library reports (the published one, CRITP) and the
// equation's own lie a hair apart, either way round: saturation at either is
// the critical point, not beyond it (SATP of R134a at 4059.28 kPa, the
// pressure CRITP gives, was refused as above the critical pressure). Between
// the two it lies on the critical isochore, where the one phase has the
// pressure given or returned.
TEST(Flash, SaturationAtEitherCriticalPointIsTheCriticalPoint) {
  for (const auto& name : all_fluid_names()) {
    const auto f = fluid(name);
    if (f->critical.T > f->limits.Tmax || f->critical.p > f->limits.pmax) continue;
    const auto end = f->saturation.at_temperature(f->Tcrit());
    const auto on_isochore = [&](const FlashResult& r, const std::string& what) {
      ASSERT_TRUE(r.ok()) << name << " " << what << ": " << r.message();
      const auto& s = r.state;
      EXPECT_EQ(s.rhoL, s.rhoV) << name << " " << what;
      EXPECT_NEAR(s.rhoL, end.rhoL, std::abs(end.rhoL - end.rhoV) + 1e-12 * end.rhoL) << name;
      EXPECT_NEAR(evaluate_state(*f, s.T, s.rhoL).p, s.p, 1e-12 * s.p) << name << " " << what;
    };
    for (const double T : {f->critical.T, f->Tcrit()}) {
      const auto r = flash_tq(*f, T, 0);
      if (T > f->Tcrit()) on_isochore(r, "T=" + std::to_string(T));
      else ASSERT_TRUE(r.ok()) << name << " T=" << T << ": " << r.message();
    }
    for (const double p : {f->critical.p, f->pcrit()}) {
      const auto r = flash_pq(*f, p, 1);
      if (p > f->pcrit()) on_isochore(r, "p=" + std::to_string(p));
      else ASSERT_TRUE(r.ok()) << name << " p=" << p << ": " << r.message();
    }
  }
}

}  // namespace
}  // namespace fluidcore::test

namespace fluidcore::test {
namespace {

// Above the critical pressure the isobar's Newton starts from a joint
// Newton in temperature and density: a few steps in all, also where cp is
// huge just above the critical point, from below the critical temperature
// (a liquid-like state) to well above it.
TEST(Flash, SupercriticalIsobarConvergesInFewSteps) {
  for (const char* name : {"CarbonDioxide", "R134a", "Water", "Nitrogen", "Propane"}) {
    const auto f = fluid(name);
    const double Tc = f->Tcrit(), pc = f->pcrit();
    for (double tr : {0.9, 0.99, 1.001, 1.02, 1.1, 1.3, 1.8}) {
      const double T = std::min(tr * Tc, f->limits.Tmax);
      for (double pr : {1.0001, 1.01, 1.15, 1.6, 3.0}) {
        const double p = pr * pc;
        const auto tp = flash_tp(*f, T, p);
        ASSERT_TRUE(tp.ok()) << name << " " << tp.message();
        for (const auto& [y, v] : {std::pair{Property::enthalpy, tp.state.h},
                                   std::pair{Property::entropy, tp.state.s},
                                   std::pair{Property::internal_energy, tp.state.e}}) {
          const auto r = flash_isobar(*f, p, y, v);
          ASSERT_TRUE(r.ok()) << name << " " << r.message();
          EXPECT_NEAR(r.state.T, T, 1e-9 * T) << name << " T=" << T << " p=" << p;
          EXPECT_NEAR(r.state.rho, tp.state.rho, 1e-8 * tp.state.rho) << name;
          EXPECT_LE(r.iterations, 10) << name << " T=" << T << " p=" << p << " property "
                                     << static_cast<int>(y);
        }
      }
    }
  }
}

}  // namespace
}  // namespace fluidcore::test
