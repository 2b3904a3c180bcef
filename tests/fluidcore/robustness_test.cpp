// The flash entry points against the C++ API they wrap (every output in its
// slot), and every entry point against hostile input: NaN, infinities, zero,
// negative and absurd values, no fluid loaded, garbage texts. No call may
// crash, hang, or return NaN or infinity; failures say which routine failed.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "c_api.h"
#include "fluidcore/entry_points.h"
#include "reference_data.h"

namespace fluidcore::test {
namespace {

const char* const kPairs[] = {"TP", "TD", "TH", "TS", "TE", "TQ", "PD", "PH",
                              "PS", "PE", "PQ", "DH", "DS", "DE", "HS"};

TEST(FlashEntryPoints, WriteEveryOutputToItsSlot) {
  ASSERT_EQ(setup_fluid("fluids\\R134a.fld"), 0);
  const auto f = fluid("R134a");
  // Liquid, vapour, supercritical and two-phase states.
  for (const auto& [T, rho] : std::vector<std::pair<double, double>>{
           {250, 14.0}, {300, 0.5}, {420, 6.0}, {280, 2.0}}) {
    const FlashState s = flash_td(*f, T, rho).state;
    for (const std::string pair : kPairs) {
      const double v1 = given_value(s, pair[0]), v2 = given_value(s, pair[1]);
      if ((pair[0] == 'Q' || pair[1] == 'Q') && s.phase != Phase::two_phase) continue;
      const auto c = call_flash(pair, v1, v2);
      const auto want = cpp_flash(*f, pair, v1, v2);
      ASSERT_EQ(c.ierr, 0) << pair << " " << c.message;
      ASSERT_TRUE(want.ok());
      EXPECT_EQ(c.message, "") << pair;
      const FlashState& w = want.state;
      const auto slot = [&](char letter, double got, double expected) {
        if (pair.find(letter) == std::string::npos) {
          EXPECT_EQ(got, expected) << pair << " " << letter;
        }
      };
      slot('T', c.T, w.T);
      slot('P', c.P, w.p);
      slot('D', c.D, w.rho);
      slot('Q', c.Q, w.q);
      slot('E', c.E, w.e);
      slot('H', c.H, w.h);
      slot('S', c.S, w.s);
      EXPECT_EQ(c.Dl, w.rhoL) << pair;
      EXPECT_EQ(c.Dv, w.rhoV) << pair;
      EXPECT_EQ(c.Cv, w.cv) << pair;
      EXPECT_EQ(c.Cp, w.cp) << pair;
      EXPECT_EQ(c.W, w.w) << pair;
      // And the state found reproduces the given values.
      EXPECT_NEAR(given_value(w, pair[0]), v1, 1e-9 * std::abs(v1) + 1e-9) << pair;
      EXPECT_NEAR(given_value(w, pair[1]), v2, 1e-9 * std::abs(v2) + 1e-9) << pair;
    }
  }
}

TEST(FlashEntryPoints, TwoPhaseStatesHaveNoHeatCapacityOrSpeedOfSound) {
  ASSERT_EQ(setup_fluid("fluids\\R134a.fld"), 0);
  const auto c = call_flash("TQ", 280, 0.4);
  ASSERT_EQ(c.ierr, 0);
  EXPECT_EQ(c.Cv, FLUIDCORE_UNDEFINED);
  EXPECT_EQ(c.Cp, FLUIDCORE_UNDEFINED);
  EXPECT_EQ(c.W, FLUIDCORE_UNDEFINED);
  // The quality given outside 0..1 is refused.
  EXPECT_GT(call_flash("TQ", 280, 1.5).ierr, 0);
  EXPECT_GT(call_flash("PQ", 500, -0.1).ierr, 0);
}

TEST(FlashEntryPoints, MessagesNameTheRoutineTheInputAndTheReason) {
  ASSERT_EQ(setup_fluid("fluids\\R134a.fld"), 0);
  auto c = call_flash("PH", 1e6, 40000);
  EXPECT_GT(c.ierr, 0);
  EXPECT_EQ(c.message, "PHFLSH: pressure 1e+06 kPa is above the upper limit 70000 kPa of R134a");
  c = call_flash("TP", 100, 500);
  EXPECT_EQ(c.message, "TPFLSH: temperature 100 K is below the lower limit 169.85 K of R134a");
  c = call_flash("PS", 500, 1e5);
  EXPECT_GT(c.ierr, 0);
  EXPECT_EQ(c.message.rfind("PSFLSH: entropy 100000 J/(mol K) at pressure 500 kPa is above", 0), 0u)
      << c.message;
}

const double kHostile[] = {NAN,
                           std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity(),
                           0.0,
                           -1.0,
                           -300.0,
                           1e-300,
                           5e-324,
                           1e300,
                           -1e300,
                           std::numeric_limits<double>::max()};

// Every output finite; a failure carries a message naming the routine, the
// buffer is exactly its width and holds no NUL.
void expect_sane(const CallResult& c, const std::string& pair, double v1, double v2) {
  const std::string where = pair + "(" + std::to_string(v1) + ", " + std::to_string(v2) + ")";
  for (double v : {c.T, c.P, c.D, c.Dl, c.Dv, c.Q, c.E, c.H, c.S, c.Cv, c.Cp, c.W})
    ASSERT_TRUE(std::isfinite(v)) << where;  // given values keep a finite sentinel
  ASSERT_EQ(c.raw.size(), 255u);
  ASSERT_EQ(c.raw.find('\0'), std::string::npos) << where;
  if (c.ierr > 0) {
    ASSERT_EQ(c.message.rfind(pair + "FLSH: ", 0), 0u) << where << ": " << c.message;
  } else {
    ASSERT_TRUE(c.ierr < 0 || c.message.empty()) << where << ": " << c.message;
  }
}

TEST(Robustness, FlashesSurviveHostileInputs) {
  for (const char* file : {"fluids\\R134a.fld", "fluids\\Water.fld", "fluids\\nothing.fld"}) {
    setup_fluid(file);
    for (const std::string pair : kPairs) {
      const double ok1 = pair[0] == 'T' ? 300 : pair[0] == 'P' ? 500 : pair[0] == 'D' ? 5 : 40000;
      const double ok2 = pair[1] == 'P' ? 500 : pair[1] == 'D' ? 5 : pair[1] == 'Q' ? 0.5
                         : pair[1] == 'S' ? 180 : 40000;
      for (double bad : kHostile) {
        expect_sane(call_flash(pair, bad, ok2), pair, bad, ok2);
        expect_sane(call_flash(pair, ok1, bad), pair, ok1, bad);
        for (int k : {0, -1, 2, 1 << 30}) expect_sane(call_flash(pair, ok1, ok2, k), pair, ok1, ok2);
      }
      for (double a : kHostile)
        for (double b : kHostile) expect_sane(call_flash(pair, a, b), pair, a, b);
    }
  }
}

TEST(Robustness, OtherEntryPointsSurviveHostileInputs) {
  for (const char* file : {"fluids\\R134a.fld", "fluids\\nothing.fld"}) {
    const bool loaded = setup_fluid(file) == 0;
    double x[20], xl[20], xv[20];
    for (double& v : x) v = NAN;  // whatever an earlier caller left there
    for (double bad : kHostile) {
      double T = bad, D = bad, P = 1, E = 1, H = 1, S = 1, Cv = 1, Cp = 1, W = 1, JT = 1;
      THERMdll(&T, &D, x, &P, &E, &H, &S, &Cv, &Cp, &W, &JT);
      for (double v : {P, E, H, S, Cv, Cp, W, JT}) ASSERT_TRUE(std::isfinite(v)) << bad;
      T = 300;
      THERMdll(&T, &D, x, &P, &E, &H, &S, &Cv, &Cp, &W, &JT);
      for (double v : {P, E, H, S, Cv, Cp, W, JT}) ASSERT_TRUE(std::isfinite(v)) << bad;
      D = 5;
      T = bad;
      THERMdll(&T, &D, x, &P, &E, &H, &S, &Cv, &Cp, &W, &JT);
      for (double v : {P, E, H, S, Cv, Cp, W, JT}) ASSERT_TRUE(std::isfinite(v)) << bad;
      for (int kph : {1, 2, 0, -7}) {
        int ierr = 0, kr = -1;
        double out = 1, Dl = 1, Dv = 1, p2 = 1;
        std::string herr(255, '\0');
        double in = bad;
        SATTdll(&in, x, &kph, &out, &Dl, &Dv, xl, xv, &ierr, herr.data(), 255);
        ASSERT_GT(ierr, 0);
        ASSERT_EQ(herr.rfind("SATT: ", 0), 0u) << herr;
        SATPdll(&in, x, &kph, &out, &Dl, &Dv, xl, xv, &ierr, herr.data(), 255);
        ASSERT_GT(ierr, 0);
        ASSERT_EQ(herr.rfind("SATP: ", 0), 0u) << herr;
        SATDdll(&in, x, &kph, &kr, &out, &p2, &Dl, &Dv, xl, xv, &ierr, herr.data(), 255);
        ASSERT_GT(ierr, 0);
        ASSERT_EQ(herr.rfind("SATD: ", 0), 0u) << herr;
        for (double v : {out, Dl, Dv, p2}) ASSERT_TRUE(std::isfinite(v));
      }
    }
    double wm = NAN, Tc = NAN, Pc = NAN, Dc = NAN;
    int ierr = 0;
    std::string herr(255, '\0');
    WMOLdll(x, &wm);
    CRITPdll(x, &Tc, &Pc, &Dc, &ierr, herr.data(), 255);
    for (double v : {wm, Tc, Pc, Dc}) EXPECT_TRUE(std::isfinite(v));
    EXPECT_EQ(ierr > 0, !loaded);
    // Widths of zero or below write nothing and read nothing.
    CRITPdll(x, &Tc, &Pc, &Dc, &ierr, nullptr, 0);
    CRITPdll(x, &Tc, &Pc, &Dc, &ierr, herr.data(), -5);
  }
}

// At and next to a critical point cv, cp and w are large and positive, or
// undefined: never negative. The critical temperatures both published and
// of the equation itself, and the states around them the program reaches:
// saturated liquid and vapour through SATT and THERM, TP, TD and TQ.
TEST(Robustness, HeatCapacitiesNearCriticalPointsArePositiveOrUndefined) {
  const auto positive_or_undefined = [](double v) { return v == FLUIDCORE_UNDEFINED || v > 0; };
  int undefined = 0, defined = 0;
  for (const auto& name : all_fluid_names()) {
    ASSERT_EQ(setup_fluid("fluids\\" + name + ".fld"), 0) << name;
    const auto f = fluid(name);
    std::vector<double> Ts = {f->critical.T, f->Tcrit()};
    for (const double below : {1e-12, 1e-9, 1e-7, 1e-5, 1e-3}) Ts.push_back(f->Tcrit() * (1 - below));
    for (double T : Ts) {
      const std::string at = name + " at " + std::to_string(T) + " K";
      const auto check = [&](double cv, double cp, double w, const std::string& what) {
        EXPECT_TRUE(positive_or_undefined(cv)) << at << " " << what << " cv " << cv;
        EXPECT_TRUE(positive_or_undefined(cp)) << at << " " << what << " cp " << cp;
        EXPECT_TRUE(positive_or_undefined(w)) << at << " " << what << " w " << w;
        (cp == FLUIDCORE_UNDEFINED ? undefined : defined) += 1;
      };
      double x[20] = {1}, xl[20], xv[20], P = 0, Dl = 0, Dv = 0;
      int kph = 1, ierr = 0;
      std::string herr(255, ' ');
      SATTdll(&T, x, &kph, &P, &Dl, &Dv, xl, xv, &ierr, herr.data(), 255);
      if (ierr <= 0) {
        for (double D : {Dl, Dv}) {
          double p, e, h, s_, cv, cp, w, jt;
          THERMdll(&T, &D, x, &p, &e, &h, &s_, &cv, &cp, &w, &jt);
          check(cv, cp, w, "THERM at " + std::to_string(D));
        }
        for (const double q : {0.0, 1.0}) {
          const auto c = call_flash("TQ", T, q);
          if (c.ierr <= 0) check(c.Cv, c.Cp, c.W, "TQ " + std::to_string(q));
        }
      }
      for (const double p : {f->critical.p, f->pcrit()}) {
        const auto c = call_flash("TP", T, p);
        if (c.ierr <= 0) check(c.Cv, c.Cp, c.W, "TP " + std::to_string(p));
      }
      for (const double rho : {f->critical.rho, f->rhocrit()}) {
        const auto c = call_flash("TD", T, rho);
        if (c.ierr <= 0) check(c.Cv, c.Cp, c.W, "TD " + std::to_string(rho));
      }
    }
  }
  RecordProperty("undefined_cp", undefined);
  RecordProperty("defined_cp", defined);
}

TEST(Robustness, SetupSurvivesGarbageTexts) {
  // No NUL anywhere, bytes of every value, widths that lie.
  std::string garbage(10000, '\0');
  for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>(i * 7 + 1);
  std::string mix = garbage.substr(0, 255), ref = "\xff\xfe\x01", herr(255, '\0');
  for (int n : {1, 0, -1, 2, 21, 1 << 30}) {
    for (int width : {10000, 3, 0, -10}) {
      int count = n, ierr = 0;
      SETUPdll(&count, garbage.data(), mix.data(), ref.data(), &ierr, herr.data(), width, 255, 3,
               255);
      EXPECT_GT(ierr, 0) << n << " " << width;
      EXPECT_EQ(herr.rfind("SETUP: ", 0), 0u) << herr;
      EXPECT_EQ(herr.find('\0'), std::string::npos);
    }
  }
  // Trailing garbage after a valid name within the width is part of the name.
  std::string files = "fluids\\R22.fld";
  files.resize(10000, ' ');
  files[200] = 'x';
  int n = 1, ierr = 0;
  SETUPdll(&n, files.data(), mix.data(), ref.data(), &ierr, herr.data(), 10000, 255, 3, 255);
  EXPECT_GT(ierr, 0);
  // A width shorter than the name cuts it.
  ref = "DEF";
  SETUPdll(&n, files.data(), mix.data(), ref.data(), &ierr, herr.data(), 14, 255, 3, 255);
  EXPECT_EQ(ierr, 0) << herr;
}

}  // namespace
}  // namespace fluidcore::test
