// Inputs with which the fuzzer (fuzz/fluidcore) found faults, one row each:
// the fluid, the entry point and its values, and what must come back - a
// state that is one (reproducing its given values at its own T and D, a
// two-phase state's densities mixing to the overall one, a single phase with
// positive cv and w), or a refusal whose message names the routine and the
// reason, never NaN.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "c_api.h"
#include "fluidcore/entry_points.h"
#include "mixture_test_support.h"

namespace fluidcore::test {
namespace {

constexpr double kR = 8.314462618;
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// R407C spelled out, at its blend's mole fractions.
const std::string kR407CFiles = "fluids\\R32.fld|fluids\\R125.fld|fluids\\R134a.fld|";
const double kR407C[20] = {0.38110941995399333, 0.17955888866201605, 0.43933169138399064};

struct Finding {
  const char* files;
  const char* pair;
  double a, b;
  const char* refusal;  // nullptr: a state comes back; else part of the message
  const char* fault;    // what went wrong before
  int components = 1;
  std::vector<double> x = {};  // the composition handed over
};

const Finding kFindings[] = {
    {"fluids\\R1234yf.fld", "TQ", 367.85, 0, nullptr,
     "at the published critical temperature (the equation's own a rounding error below) the "
     "saturated liquid came back lighter than the vapour"},
    {"fluids\\R134a.fld", "TQ", 300, kNaN, "quality is not a finite number",
     "the message showed the quality as nan"},
    {"fluids\\R134a.fld", "PQ", 500, -kInf, "quality is not a finite number",
     "the message showed the quality as -inf"},
    {"fluids\\R22.fld", "DE", 39.813068121699125, 0, "gives no physical state",
     "a state at 304 K with a pressure of -1e8 kPa came back as a success"},
    {"fluids\\R22.fld", "DE", 35.831761309529213, 2303.5387881165343, "gives no physical state",
     "a state with negative cv and pressure came back as a success"},
    {"fluids\\Nitrogen.fld", "PD", 2.2e6, 51.08818891, nullptr,
     "the isochore stopped at a root at 64 K with negative cv instead of the liquid at 84 K"},
    {"fluids\\Nitrogen.fld", "DS", 51.14003459, 38.99510000, nullptr,
     "as the PD case, at the density of the liquid at 73.7 K and the upper pressure limit"},
    {"fluids\\Oxygen.fld", "TP", 54.361000054360986, 2.3072865660786214e-321,
     "is below the lowest pressure", "e, h and s came back undefined with ierr = 0"},
    {"fluids\\HeavyWater.fld", "TD", 643.847, 5.8502313124062003e-320,
     "is below the lowest density", "s came back undefined with ierr = 0"},
    {"fluids\\R431A.fld", "TQ", 100.31626427815007, 0, "gives no physical state",
     "at the blend's lower limit (the mean of its components', below R152a's own) the "
     "saturated liquid came back with a negative heat capacity"},
    {"fluids\\Water.fld|fluids\\n-Propane.fld|", "TP", 179.3425, 6263.4271950183884, nullptr,
     "far below water's triple point the density solver took a tiny Newton step (dp/drho of "
     "1e20) for convergence and returned h = -4e20 J/mol, the pressure at the density found "
     "being -1.2e5 kPa",
     2, {0.5, 0.5}},
    {"fluids\\Oxygen.fld|fluids\\R152A.fld|", "TP", 104.46049999999998, 4246.7072335842995,
     "gives no physical state",
     "at the mixture's lower limit, 50 K below R152a's own, the liquid came back with "
     "e = -1.3e11 J/mol and cv = 2.8e10 J/(mol K)",
     2, {0.25, 0.25}},
    {"fluids\\Nitrogen.fld|fluids\\Argon.fld|fluids\\Oxygen.fld|", "PQ", 6.7079225699293987, 0,
     "is below the lower limit",
     "a bubble point below the lowest bubble pressure came back at 60.97 K, under the lower "
     "limit 61.50 K that TD then refused",
     3, {0.7812, 0.0092, 0.2096}},
    {"fluids\\Nitrogen.fld|fluids\\Argon.fld|fluids\\Oxygen.fld|", "PH", 6.7079225699293987,
     -4167.3314495570812, "is below the lower limit",
     "as the PQ case, a split at 61.05 K from the pressure-enthalpy flash", 3,
     {0.7812, 0.0092, 0.2096}},
    {"fluids\\Nitrogen.fld|fluids\\Argon.fld|fluids\\Oxygen.fld|", "TQ", 145.99445823374799,
     3.903127820947816e-18, "where the phases are one",
     "at the mixture's critical temperature the split came back with its liquid lighter than "
     "its vapour",
     3, {0.5, 0.25, 1}},
    {"fluids\\R1234ze(E).fld|fluids\\IsoButane.fld|", "DE", 10.99892012343428, -3609.1637840612921,
     "no convergence",
     "the search along the isochore ended on a jump at 135 K and returned a state whose energy "
     "is -2528.59 J/mol, with the given -3609.16 in its place and ierr = 0",
     2, {0.16688537830421013, 0.99999999999999645}},
    {"fluids/R718.fld", "TD", 647.09599999999966, 17.873727944406035, nullptr,
     "at water's critical point, where cv grows without bound, the state was refused as "
     "unphysical for its heat capacity of 59000 J/(mol K)"},
    {"fluids\\methanol.fld", "DH", 0.035117529085118435, 52797.629885886628, nullptr,
     "at the upper temperature limit (within its slack) the search along the isochore ended "
     "a step beyond it, at a temperature TD then refused"},
    {"fluids\\R717.fld", "PD", 6.0558135742929231, 39.541603375291139, nullptr,
     "inside the dome a rounding error below the lower limit the state came back with the "
     "limit's temperature but its phases evaluated below it: TD at its T and D gave another "
     "enthalpy"},
};

// The state of a call: its outputs, and the given values in their places.
struct StateOf {
  double T, P, D, Q, H, S;
  StateOf(const CallResult& c, const std::string& pair, double a, double b)
      : T(c.T), P(c.P), D(c.D), Q(c.Q), H(c.H), S(c.S) {
    slot(pair[0]) = a;
    slot(pair[1]) = b;
  }
  double& slot(char letter) {
    switch (letter) {
      case 'T': return T;
      case 'P': return P;
      case 'D': return D;
      case 'Q': return Q;
      case 'H': return H;
      default: return S;
    }
  }
};

std::string where(const Finding& f) {
  return std::string(f.files) + " " + f.pair + "(" + std::to_string(f.a) + ", " +
         std::to_string(f.b) + "): " + f.fault;
}

// What every state must be. x: the composition handed over; mix: how
// closely a two-phase state's densities mix to the overall one (splits
// within a hundredth of a kelvin of a mixture's critical point are found to
// about 1e-8).
void expect_a_state(const CallResult& c, const std::string& pair, double a, double b,
                    const double* x, const std::string& what, double mix = 1e-9) {
  StateOf s(c, pair, a, b);
  ASSERT_LE(c.ierr, 0) << what << ": " << c.message;
  ASSERT_GT(s.T, 0) << what;
  ASSERT_GT(s.P, 0) << what;
  if (s.Q >= 0 && s.Q <= 1) {
    EXPECT_GE(c.Dl, c.Dv) << what;
    const double v = (1 - s.Q) / c.Dl + s.Q / c.Dv;
    EXPECT_NEAR(1 / s.D, v, mix * v) << what;
  } else {
    EXPECT_GT(c.Cv, 0) << what;
    EXPECT_GT(c.W, 0) << what;
  }
  if (pair == "TD") return;
  const auto td = call_flash("TD", s.T, s.D, 1, x);
  ASSERT_LE(td.ierr, 0) << what << ": " << td.message;
  const double RT = kR * s.T;
  EXPECT_NEAR(td.P, s.P, 1e-8 * (s.P + s.D * RT)) << what;
  EXPECT_NEAR(td.H, s.H, 1e-8 * (std::abs(s.H) + RT)) << what;
  EXPECT_NEAR(td.S, s.S, 1e-8 * (std::abs(s.S) + kR)) << what;
}

TEST(FuzzFindings, EachInputGivesAStateOrAPlainRefusal) {
  for (const Finding& f : kFindings) {
    ASSERT_LE(setup_components(f.files, f.components), 0) << f.files;
    double x[20] = {};
    std::copy(f.x.begin(), f.x.end(), x);
    const auto c = call_flash(f.pair, f.a, f.b, 1, x);
    for (double v : {c.T, c.P, c.D, c.Dl, c.Dv, c.Q, c.E, c.H, c.S, c.Cv, c.Cp, c.W})
      EXPECT_TRUE(std::isfinite(v)) << where(f);
    if (!f.refusal) {
      expect_a_state(c, f.pair, f.a, f.b, x, where(f));
      continue;
    }
    EXPECT_GT(c.ierr, 0) << where(f);
    EXPECT_EQ(c.message.rfind(std::string(f.pair) + "FLSH: ", 0), 0u) << c.message;
    EXPECT_NE(c.message.find(f.refusal), std::string::npos) << where(f) << ": " << c.message;
    EXPECT_EQ(c.message.find("nan"), std::string::npos) << c.message;
    EXPECT_EQ(c.message.find("inf"), std::string::npos) << c.message;
  }
}

// THERM at the smallest density there is: the ideal gas, entropy included
// (ln(rho / rho_c) underflowed to ln 0).
TEST(FuzzFindings, ThermAtADenormalDensityHasAnEntropy) {
  ASSERT_EQ(setup_fluid("fluids\\SulfurHexafluoride.fld"), 0);
  double T = 223.555, D = 4.9406564584124654e-324, x[20] = {};
  double P, E, H, S, Cv, Cp, W, JT;
  THERMdll(&T, &D, x, &P, &E, &H, &S, &Cv, &Cp, &W, &JT);
  EXPECT_NE(S, FLUIDCORE_UNDEFINED);
  EXPECT_GT(S, 500 * kR);  // R ln(rho_c / rho) is about 740 R
  EXPECT_NE(H, FLUIDCORE_UNDEFINED);
}

// Within a hundredth of a kelvin of R407C's critical point the TD flash
// returned splits whose phases did not mix to the given density (a search
// over the vapour fraction ended on failed probes, Newton on spurious
// splits). Now each T gives a consistent split, a single phase, or a
// refusal.
TEST(FuzzFindings, SplitsCloseToABlendsCriticalPointAreConsistent) {
  ASSERT_EQ(setup_components(kR407CFiles, 3), 0);
  const double rho = 5.6117362626180149;
  int states = 0;
  for (int i = 0; i <= 200; ++i) {
    const double T = 359.2 + 0.1 * i / 200;
    double xl[20], xv[20];
    const auto c = call_flash("TD", T, rho, 1, kR407C, xl, xv);
    if (c.ierr > 0) continue;
    ++states;
    const std::string what = "T = " + std::to_string(T);
    expect_a_state(c, "TD", T, rho, kR407C, what, 1e-6);
    if (!(c.Q > 0 && c.Q < 1)) continue;
    // Both phases at the split's pressure.
    for (const auto& [density, phase] : {std::pair{c.Dl, xl}, std::pair{c.Dv, xv}}) {
      double t = T, d = density, P, E, H, S, Cv, Cp, W, JT;
      THERMdll(&t, &d, phase, &P, &E, &H, &S, &Cv, &Cp, &W, &JT);
      EXPECT_NEAR(P, c.P, 1e-7 * c.P) << what;
    }
  }
  EXPECT_GT(states, 190);
}

// A liquid density a rounding error above the largest saturated one: SATD
// clamped to the lower limit but returned the given density, at which the
// stiff liquid's pressure is 1e6 times the saturation pressure.
TEST(FuzzFindings, SatdJustBeyondTheLiquidRangeGivesOneConsistentPoint) {
  ASSERT_EQ(setup_fluid("fluids\\METHYLLINOLEATE.fld"), 0);
  double D = 3.0929190640252209, x[20] = {}, T, P, Dl, Dv, xl[20], xv[20];
  int kph = 1, kr = 0, ierr = -1;
  char herr[256] = {};
  SATDdll(&D, x, &kph, &kr, &T, &P, &Dl, &Dv, xl, xv, &ierr, herr, 255);
  ASSERT_LE(ierr, 0) << herr;
  EXPECT_NEAR(Dl, D, 1e-9 * D);
  double E, H, S, Cv, Cp, W, JT, p;
  THERMdll(&T, &Dl, x, &p, &E, &H, &S, &Cv, &Cp, &W, &JT);
  EXPECT_NEAR(p, P, 1e-8 * Dl * kR * T);
}

// A pressure between the equation's critical pressure and the published one
// CRITP reports: SATP gave the equation's critical point, whose pressure
// THERM then gave, not the pressure SATP was given.
TEST(FuzzFindings, SatpAtTheReportedCriticalPressureGivesOneConsistentPoint) {
  ASSERT_EQ(setup_fluid("fluids\\MethylLinoleate.fld"), 0);
  double P = 1340.9998659, x[20] = {}, T, Dl, Dv, xl[20], xv[20];
  int kph = 2, ierr = -1;
  char herr[256] = {};
  SATPdll(&P, x, &kph, &T, &Dl, &Dv, xl, xv, &ierr, herr, 255);
  ASSERT_LE(ierr, 0) << herr;
  double E, H, S, Cv, Cp, W, JT, p;
  THERMdll(&T, &Dl, x, &p, &E, &H, &S, &Cv, &Cp, &W, &JT);
  EXPECT_NEAR(p, P, 1e-10 * P);
}

}  // namespace
}  // namespace fluidcore::test
