// Single-phase properties from (T, rho) against the reference tables
// (tests/data/reference_single_phase.csv: an independent implementation of
// the same equations, 6 states per fluid in liquid, vapour and supercritical
// regions) and thermodynamic identities.
#include <gtest/gtest.h>

#include <cmath>

#include "fluidcore/state.h"
#include "reference_data.h"

namespace fluidcore::test {
namespace {

TEST(SinglePhase, MatchesReferenceTable) {
  const auto rows = read_csv("reference_single_phase.csv");
  ASSERT_GT(rows.size(), 100u);
  double worst = 0;
  for (const auto& r : rows) {
    const auto f = fluid(r.text("fluid"));
    const State s = evaluate_state(*f, r.number("T"), r.number("rho"));
    // Energies and entropies can be near zero by the choice of reference
    // state: measure them against R*T and R.
    const double RT = f->gas_constant * s.T;
    const struct { const char* name; double got, want, floor; } checks[] = {
        {"p", s.p, r.number("p"), 0}, {"e", s.e, r.number("e"), RT},
        {"h", s.h, r.number("h"), RT}, {"s", s.s, r.number("s"), f->gas_constant},
        {"cv", s.cv, r.number("cv"), 0}, {"cp", s.cp, r.number("cp"), 0},
        {"w", s.w, r.number("w"), 0}};
    for (const auto& c : checks) {
      const double dev = relative(c.got, c.want, c.floor);
      worst = std::max(worst, dev);
      EXPECT_LT(dev, 1e-7) << r.text("fluid") << " " << r.text("region") << " " << c.name
                           << " got " << c.got << " want " << c.want;
    }
  }
  RecordProperty("max_relative_deviation", scientific(worst));
}

// Physical states of a fluid: compressed liquid and vapour below the
// critical temperature, and supercritical states.
std::vector<std::pair<double, double>> sample_states(const PureFluid& f) {
  std::vector<std::pair<double, double>> states;
  for (double x : {0.3, 0.6, 0.95}) {
    const double T = f.saturation.Tmin() + x * (f.Tcrit() - f.saturation.Tmin());
    const auto sat = f.saturation.at_temperature(T);
    states.emplace_back(T, sat.rhoL * 1.002);
    states.emplace_back(T, sat.rhoV * 0.9);
  }
  for (double dr : {0.01, 1.0, 2.0}) states.emplace_back(1.2 * f.Tcrit(), dr * f.rhocrit());
  return states;
}

// h = e + p/rho, g = h - T s, and the partial derivatives against finite
// differences of p, h, s, e over states of every fluid.
TEST(SinglePhase, IdentitiesAndPartialDerivatives) {
  for (const auto& name : all_fluid_names()) {
    const auto f = fluid(name);
    for (const auto& [T, rho] : sample_states(*f)) {
      const State s = evaluate_state(*f, T, rho);
      EXPECT_NEAR(s.h, s.e + s.p / rho, 1e-9 * (std::abs(s.h) + std::abs(s.p / rho))) << name;
      EXPECT_NEAR(s.g, s.h - T * s.s, 1e-9 * (std::abs(s.h) + std::abs(T * s.s))) << name;
      const double dT = T * 1e-5, dD = rho * 1e-5;
      const State tp = evaluate_state(*f, T + dT, rho), tm = evaluate_state(*f, T - dT, rho);
      const State dp = evaluate_state(*f, T, rho + dD), dm = evaluate_state(*f, T, rho - dD);
      const auto fd_check = [&](double analytic, double plus, double minus, double step,
                                const char* what) {
        const double fd = (plus - minus) / (2 * step);
        EXPECT_NEAR(analytic, fd, 1e-5 * std::abs(fd) + 1e-9)
            << name << " " << what << " T=" << T << " rho=" << rho;
      };
      fd_check(s.dp_drho, dp.p, dm.p, dD, "dp/drho");
      fd_check(s.dp_dT, tp.p, tm.p, dT, "dp/dT");
      fd_check(s.dh_dT, tp.h, tm.h, dT, "dh/dT");
      fd_check(s.dh_drho, dp.h, dm.h, dD, "dh/drho");
      fd_check(s.ds_drho, dp.s, dm.s, dD, "ds/drho");
      fd_check(s.de_drho, dp.e, dm.e, dD, "de/drho");
      fd_check(s.cv / T, tp.s, tm.s, dT, "cv/T");
      fd_check(s.cv, tp.e, tm.e, dT, "cv");
    }
  }
}

}  // namespace
}  // namespace fluidcore::test
