// Saturation: the Chebyshev curve against extended-precision saturation
// states (tests/data/saturation_checks.csv, three per fluid), the saturated
// properties against the reference table (reference_saturation.csv), the
// inversions in p and rho, and the entry points' range checks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "fluidcore/entry_points.h"
#include "fluidcore/saturation.h"
#include "fluidcore/state.h"
#include "reference_data.h"

namespace fluidcore::test {
namespace {

TEST(Saturation, MatchesExtendedPrecisionStatesOfEveryFluid) {
  const auto rows = read_csv("saturation_checks.csv");
  ASSERT_EQ(rows.size(), 393u);
  double worst_p = 0, worst_rho = 0;
  for (const auto& r : rows) {
    const auto f = fluid(r.text("fluid"));
    const auto s = saturation_at_temperature(*f, r.number("T_K"));
    ASSERT_TRUE(s.ok()) << r.text("fluid") << ": " << s.message();
    const double p = r.number("p_kPa");
    // The pressures of heavy fluids at half their critical temperature are
    // a few mPa; there the curve carries about 1e-11 kPa, up to 5e-9
    // relative: accept 1e-10 kPa absolute as well.
    EXPECT_TRUE(relative(s.point.p, p) < 1e-9 || std::abs(s.point.p - p) < 1e-10)
        << r.text("fluid") << " T=" << r.text("T_K") << " p " << s.point.p << " vs " << p;
    EXPECT_LT(relative(s.point.rhoL, r.number("rhoL_mol_dm3")), 1e-9) << r.text("fluid");
    EXPECT_LT(relative(s.point.rhoV, r.number("rhoV_mol_dm3")), 1e-9) << r.text("fluid");
    worst_p = std::max(worst_p, relative(s.point.p, p));
    worst_rho = std::max({worst_rho, relative(s.point.rhoL, r.number("rhoL_mol_dm3")),
                          relative(s.point.rhoV, r.number("rhoV_mol_dm3"))});
  }
  RecordProperty("max_relative_deviation_p", scientific(worst_p));
  RecordProperty("max_relative_deviation_rho", scientific(worst_rho));
}

TEST(Saturation, SaturatedPropertiesMatchReferenceTable) {
  double worst = 0;
  for (const auto& r : read_csv("reference_saturation.csv")) {
    const auto f = fluid(r.text("fluid"));
    const double T = r.number("T");
    const auto s = saturation_at_temperature(*f, T);
    ASSERT_TRUE(s.ok()) << r.text("fluid") << " " << T << ": " << s.message();
    const State L = evaluate_state(*f, T, s.point.rhoL), V = evaluate_state(*f, T, s.point.rhoV);
    const double RT = f->gas_constant * T;
    // Below 1 % of the critical pressure the pressure is the equation's at
    // the saturated vapour density. The table's pressures a few kelvin above
    // the triple point disagree with that (and with the ideal-gas law at the
    // table's own vapour density) by up to 8e-5: check against the equation.
    if (s.point.p >= 0.01 * f->pcrit()) {
      EXPECT_LT(relative(s.point.p, r.number("p")), 1e-7) << r.text("fluid") << " " << T;
    } else {
      const double p_eq = evaluate_state(*f, T, r.number("rhoV")).p;
      EXPECT_LT(relative(s.point.p, p_eq), 1e-9) << r.text("fluid") << " " << T;
    }
    EXPECT_LT(relative(s.point.rhoL, r.number("rhoL")), 1e-7) << r.text("fluid") << " " << T;
    EXPECT_LT(relative(s.point.rhoV, r.number("rhoV")), 1e-7) << r.text("fluid") << " " << T;
    EXPECT_LT(relative(L.h, r.number("hL"), RT), 1e-7) << r.text("fluid") << " " << T;
    EXPECT_LT(relative(V.h, r.number("hV"), RT), 1e-7) << r.text("fluid") << " " << T;
    EXPECT_LT(relative(L.s, r.number("sL"), f->gas_constant), 1e-7) << r.text("fluid") << " " << T;
    EXPECT_LT(relative(V.s, r.number("sV"), f->gas_constant), 1e-7) << r.text("fluid") << " " << T;
    worst = std::max({worst, relative(s.point.rhoL, r.number("rhoL")),
                      relative(s.point.rhoV, r.number("rhoV")), relative(L.h, r.number("hL"), RT),
                      relative(V.h, r.number("hV"), RT),
                      relative(L.s, r.number("sL"), f->gas_constant),
                      relative(V.s, r.number("sV"), f->gas_constant)});
  }
  RecordProperty("max_relative_deviation_rho_h_s", scientific(worst));
}

// At given p and rho the curve is inverted: the state found reproduces the
// input and lies on the same curve as the one found from T.
TEST(Saturation, PressureAndDensityInversionsOfEveryFluid) {
  for (const auto& name : all_fluid_names()) {
    const auto f = fluid(name);
    const double lo = f->limits.Tmin, hi = f->Tcrit();
    for (double x : {0.0, 1e-6, 0.1, 0.5, 0.9, 0.999, 0.999999}) {
      const double T = lo + x * (hi - lo);
      const auto t = saturation_at_temperature(*f, T);
      ASSERT_TRUE(t.ok()) << name << " " << t.message();
      const auto p = saturation_at_pressure(*f, t.point.p);
      ASSERT_TRUE(p.ok()) << name << " " << p.message();
      EXPECT_NEAR(p.point.T, T, 1e-9 * T) << name << " x=" << x;
      for (const double rho : {t.point.rhoL, t.point.rhoV}) {
        const auto d = saturation_at_density(*f, rho);
        ASSERT_TRUE(d.ok()) << name << " " << d.message();
        EXPECT_EQ(d.phase, rho == t.point.rhoL ? 1 : 2) << name;
        // Below a liquid density maximum (water) the same density recurs at
        // a higher temperature, which is the one found.
        if (d.phase == 1 &&
            T < f->saturation.monotonic_from(SaturationCurve::Series::liquid_density)) {
          EXPECT_NEAR(f->saturation.at_temperature(d.point.T).rhoL, rho, 1e-12 * rho) << name;
          continue;
        }
        // Near the critical point the densities vary as (Tc - T)^0.33:
        // compare the other phase's density, not only the temperatures.
        const double other = d.phase == 1 ? d.point.rhoV : d.point.rhoL;
        const double want = d.phase == 1 ? t.point.rhoV : t.point.rhoL;
        EXPECT_NEAR(other, want, 1e-6 * want) << name << " x=" << x;
        EXPECT_NEAR(d.point.T, T, 1e-6 * T) << name << " x=" << x;
      }
    }
  }
}

struct SatCall {
  int ierr = 0;
  std::string message;
  double out1 = 0, Dl = 0, Dv = 0;
};

SatCall satt(double T) {
  SatCall c;
  double x[20] = {}, xl[20], xv[20];
  int kph = 1;
  std::string herr(255, '\0');
  SATTdll(&T, x, &kph, &c.out1, &c.Dl, &c.Dv, xl, xv, &c.ierr, herr.data(), 255);
  c.message = herr.substr(0, herr.find_last_not_of(' ') + 1);
  return c;
}

void load(const char* file) {
  std::string list = std::string(file) + std::string(10000 - std::string(file).size(), ' ');
  std::string mix(255, ' '), ref = "DEF", herr(255, ' ');
  int n = 1, ierr = 0;
  SETUPdll(&n, list.data(), mix.data(), ref.data(), &ierr, herr.data(), 10000, 255, 3, 255);
  ASSERT_EQ(ierr, 0) << herr;
}

TEST(SaturationEntryPoints, AgreeWithTheCppApiAndExplainFailures) {
  load("fluids\\R134a.fld");
  const auto f = fluid("R134a");
  const auto ok = satt(273.15);
  const auto want = saturation_at_temperature(*f, 273.15).point;
  EXPECT_EQ(ok.ierr, 0);
  EXPECT_EQ(ok.message, "");
  EXPECT_EQ(ok.out1, want.p);
  EXPECT_EQ(ok.Dl, want.rhoL);
  EXPECT_EQ(ok.Dv, want.rhoV);

  const struct { double T; const char* says; } bad[] = {
      {100, "SATT: temperature 100 K is below the lower limit 169.85 K of R134a"},
      {400, "SATT: temperature 400 K is above the critical temperature 374.212 K of R134a"},
      {NAN, "SATT: temperature is not a finite number"},
      {-INFINITY, "SATT: temperature is not a finite number"},
  };
  for (const auto& b : bad) {
    const auto c = satt(b.T);
    EXPECT_GT(c.ierr, 0) << b.T;
    EXPECT_EQ(c.message, b.says);
    EXPECT_EQ(c.out1, 0);
  }

  double P = 500, x[20] = {}, T = 0, Dl = 0, Dv = 0, xl[20], xv[20];
  int kph = 2, ierr = -1, kr = 0;
  std::string herr(255, ' ');
  SATPdll(&P, x, &kph, &T, &Dl, &Dv, xl, xv, &ierr, herr.data(), 255);
  EXPECT_EQ(ierr, 0);
  EXPECT_NEAR(saturation_at_temperature(*f, T).point.p, 500, 1e-9);
  double D = Dv, P2 = 0, T2 = 0;
  SATDdll(&D, x, &kph, &kr, &T2, &P2, &Dl, &Dv, xl, xv, &ierr, herr.data(), 255);
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(kr, 2);
  EXPECT_NEAR(T2, T, 1e-9);
  EXPECT_NEAR(P2, 500, 1e-6);
}

// The saturated liquid and vapour as the program evaluates them: the state
// at the density SATT or SATD gives, through THERM. Both must have the
// saturation pressure, down to the triple point, where it is a few mPa and
// the equation's own pressure of the liquid is mostly rounding.
TEST(SaturationEntryPoints, BothSidesHaveTheSaturationPressureDownToTheTriplePoint) {
  const auto therm_pressure = [](double T, double D) {
    double x[20] = {1}, P = 0, E, H, S, Cv, Cp, W, JT;
    THERMdll(&T, &D, x, &P, &E, &H, &S, &Cv, &Cp, &W, &JT);
    return P;
  };
  double worst = 0;
  std::string worst_at;
  for (const auto& name : all_fluid_names()) {
    const auto f = fluid(name);
    load(("fluids\\" + name + ".fld").c_str());
    std::vector<double> Ts;
    const double range = f->Tcrit() - f->limits.Tmin;
    for (const double above : {0.0, 0.01, 0.1, 0.5, 1.0, 2.0, 5.0})
      if (above < 0.1 * range) Ts.push_back(f->limits.Tmin + above);
    for (int i = 1; i < 40; ++i) Ts.push_back(f->limits.Tmin + range * i / 40);
    for (const double T : Ts) {
      const auto c = satt(T);
      ASSERT_EQ(c.ierr, 0) << name << " " << T << ": " << c.message;
      for (const double D : {c.Dl, c.Dv}) {
        const double deviation = relative(therm_pressure(T, D), c.out1);
        EXPECT_LT(deviation, 1e-8) << name << " at " << T << " K, density " << D;
        if (deviation > worst) worst_at = name + " " + std::to_string(T);
        worst = std::max(worst, deviation);
      }
      double D = c.Dl, x[20] = {1}, xl[20], xv[20], T2 = 0, P2 = 0, Dl = 0, Dv = 0;
      int kph = 1, kr = 0, ierr = -1;
      std::string herr(255, ' ');
      SATDdll(&D, x, &kph, &kr, &T2, &P2, &Dl, &Dv, xl, xv, &ierr, herr.data(), 255);
      ASSERT_LE(ierr, 0) << name << " " << T << ": " << herr;
      EXPECT_LT(relative(therm_pressure(T2, D), P2), 1e-8) << name << " liquid " << D;
    }
  }
  RecordProperty("max_relative_deviation_p", scientific(worst) + " (" + worst_at + " K)");
}

}  // namespace
}  // namespace fluidcore::test

namespace fluidcore::test {
namespace {

// The constants of the reference table: molar mass, the equation's own
// critical point (the end of the saturation curve), triple point and limits.
TEST(Saturation, CriticalPointAndLimitsMatchReferenceConstants) {
  for (const auto& r : read_csv("reference_constants.csv")) {
    const auto f = fluid(r.text("fluid"));
    EXPECT_DOUBLE_EQ(f->molar_mass, r.number("M")) << r.text("fluid");
    EXPECT_LT(relative(f->Tcrit(), r.number("Tc")), 1e-9) << r.text("fluid");
    EXPECT_LT(relative(f->rhocrit(), r.number("rhoc")), 1e-9) << r.text("fluid");
    // The series' pressure at its end agrees with the equation's critical
    // pressure to about 1e-6 (the curve is flattest there).
    EXPECT_LT(relative(f->pcrit(), r.number("pc")), 1e-5) << r.text("fluid");
    EXPECT_DOUBLE_EQ(f->limits.Tmin, r.number("Ttriple")) << r.text("fluid");
    EXPECT_DOUBLE_EQ(f->limits.Tmax, r.number("Tmax")) << r.text("fluid");
    EXPECT_DOUBLE_EQ(f->limits.pmax, r.number("pmax")) << r.text("fluid");
  }
}

}  // namespace
}  // namespace fluidcore::test
