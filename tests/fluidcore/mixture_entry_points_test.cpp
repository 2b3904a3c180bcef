// Mixtures through the C entry points: SETUP of several components, of a
// blend by its name and of a mixture file; the composition each call
// brings (or ignores, for a blend); warnings for estimated pairs; errors
// naming what is wrong; phase compositions in xl and xv; and hostile input.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "c_api.h"
#include "fluidcore/entry_points.h"
#include "fluidcore/mixture_flash.h"
#include "mixture_test_support.h"

namespace fluidcore::test {
namespace {

const double kR410A[20] = {0.6976146993758624, 0.30238530062413754};
const double kAir[20] = {0.7812, 0.0092, 0.2096};
const std::string kR410AFiles = "fluids\\R32.fld|fluids\\R125.fld|";
const std::string kAirFiles = "fluids\\nitrogen.fld|fluids\\argon.fld|fluids\\oxygen.fld|";

double molar_mass(const double* x) {
  double wm = -1;
  WMOLdll(const_cast<double*>(x), &wm);
  return wm;
}

struct Saturation {
  int ierr = 0;
  std::string message;
  double value = 0, Dl = 0, Dv = 0;
  double xl[20], xv[20];
};

Saturation satt(double T, const double* x, int kph) {
  Saturation s;
  std::string herr(255, '\0');
  double t = T, xs[20];
  std::copy(x, x + 20, xs);
  SATTdll(&t, xs, &kph, &s.value, &s.Dl, &s.Dv, s.xl, s.xv, &s.ierr, herr.data(), 255);
  s.message = herr.substr(0, herr.find_last_not_of(' ') + 1);
  return s;
}

TEST(MixtureSetup, SeveralComponentsWithTheirComposition) {
  std::string message = "x";
  ASSERT_EQ(setup_components(kR410AFiles, 2, &message), 0) << message;
  EXPECT_EQ(message, "");
  EXPECT_NEAR(molar_mass(kR410A), 0.6976146993758624 * 52.024 + 0.30238530062413754 * 120.0214,
              1e-12);
  // The TP flash is the C++ flash at the same composition.
  const auto c = call_flash("TP", 313.15, 500, 1, kR410A);
  const auto want = flash_tp(fixed("R410A"), 313.15, 500);
  ASSERT_EQ(c.ierr, 0) << c.message;
  EXPECT_EQ(c.D, want.state.rho);
  EXPECT_EQ(c.H, want.state.h);
}

TEST(MixtureSetup, BlendsByNameUseTheirOwnComposition) {
  const double zeros[20] = {}, garbage[20] = {NAN, -1, 1e300};
  for (const std::string name : {"fluids\\R410A.fld", "fluids\\r410a.fld", "R410A", "fluids/R410A",
                                 "mixtures\\R410A.mix", "  fluids\\R410A.fld|"}) {
    std::string message;
    ASSERT_EQ(setup_components(name, 1, &message), 0) << name << ": " << message;
    // Whatever the caller's array holds.
    for (const double* x : {zeros, garbage, kAir}) {
      EXPECT_NEAR(molar_mass(x), 72.58545, 1e-4) << name;
      const auto c = call_flash("TP", 313.15, 500, 1, x);
      ASSERT_EQ(c.ierr, 0) << name << ": " << c.message;
      EXPECT_EQ(c.D, flash_tp(fixed("R410A"), 313.15, 500).state.rho) << name;
    }
  }
  for (const std::string name : {"fluids\\R407C.fld", "fluids\\R454B.fld", "fluids\\R513A.fld",
                                 "fluids\\R404A.fld", "fluids\\R507A.fld"})
    EXPECT_EQ(setup_components(name, 1), 0) << name;
}

TEST(MixtureSetup, AirIsSetUpAgainForEveryRequest) {
  for (int request = 0; request < 3; ++request) {
    ASSERT_EQ(setup_components(kAirFiles, 3), 0);
    // The layer's fractions .7812/.0092/.2096 need not add up to exactly 1.
    const auto c = call_flash("PH", 101.325, 8696.531561374115, 1, kAir);
    ASSERT_EQ(c.ierr, 0) << c.message;
    EXPECT_NEAR(c.T, 300, 300 * 1e-9);  // reference_mixtures.csv
  }
}

TEST(MixtureSetup, PairsWithoutParametersAreEstimatedWithAWarning) {
  std::string message;
  const int ierr = setup_components("fluids\\R32.fld|fluids\\Helium.fld|fluids\\R125.fld|", 3, &message);
  EXPECT_LT(ierr, 0);
  EXPECT_NE(message.find("R32/Helium"), std::string::npos) << message;
  EXPECT_NE(message.find("Helium/R125"), std::string::npos) << message;
  EXPECT_EQ(message.find("R32/R125"), std::string::npos) << message;
  EXPECT_NE(message.find("estimated"), std::string::npos) << message;
  // The mixture is loaded all the same: below its dew pressure a gas near
  // the ideal one.
  const double x[20] = {0.98, 0.01, 0.01};
  const auto gas = call_flash("TP", 300, 100, 1, x);
  EXPECT_EQ(gas.ierr, 0) << gas.message;
  EXPECT_NEAR(gas.D, 100 / (8.314462618 * 300), 0.02 * gas.D);
  // Helium hardly dissolves: no bubble line can be traced, and above the dew
  // pressure the phase is assumed, with a warning that says so.
  const auto between = call_flash("TP", 250, 1000, 1, x);
  EXPECT_LT(between.ierr, 0);
  EXPECT_NE(between.message.find("could not be decided"), std::string::npos) << between.message;
}

TEST(MixtureSetup, RefusesWhatItCannotLoad) {
  const struct {
    std::string files;
    int n;
    const char* says;
  } cases[] = {
      {"fluids\\R32.fld|fluids\\Unobtainium.fld|", 2, "Unobtainium.fld"},
      {"fluids\\R32.fld|fluids\\R125.fld|", 3, "3 components requested but 2"},
      {"fluids\\R32.fld|fluids\\R32.fld|", 2, "listed twice"},
      {"", 0, "0 components"},
      {kR410AFiles, 21, "21 components"},
      {kR410AFiles, -1, "-1 components"},
      {"fluids\\R999Z.fld", 1, "R999Z"},
  };
  for (const auto& c : cases) {
    std::string message;
    EXPECT_GT(setup_components(c.files, c.n, &message), 0) << c.files;
    EXPECT_EQ(message.rfind("SETUP: ", 0), 0u) << message;
    EXPECT_NE(message.find(c.says), std::string::npos) << message;
    // Nothing stays loaded.
    EXPECT_EQ(molar_mass(kR410A), FLUIDCORE_UNDEFINED) << c.files;
  }
}

// A malformed blend file is an error naming the file, not an unknown fluid.
TEST(MixtureSetup, ReportsABrokenMixtureFile) {
  const auto dir = std::filesystem::temp_directory_path() / "fluidcore_mix_test";
  std::filesystem::create_directories(dir / "mixtures");
  std::ofstream(dir / "mixtures" / "BROKEN.mix") << "Broken\n\n2\nR32.fld\n";
  const auto old = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  std::string message;
  const int ierr = setup_components("fluids\\broken.fld", 1, &message);
  std::filesystem::current_path(old);
  std::filesystem::remove_all(dir);
  EXPECT_GT(ierr, 0);
  EXPECT_NE(message.find("BROKEN.mix"), std::string::npos) << message;
  EXPECT_NE(message.find("component 2"), std::string::npos) << message;
}

TEST(MixtureCompositions, AreNormalisedOrRefused) {
  ASSERT_EQ(setup_components(kR410AFiles, 2), 0);
  const auto base = call_flash("TP", 313.15, 500, 1, kR410A);
  ASSERT_EQ(base.ierr, 0);
  // Fractions in percent: the same mixture.
  double percent[20] = {69.76146993758624, 30.238530062413754};
  const auto scaled = call_flash("TP", 313.15, 500, 1, percent);
  ASSERT_EQ(scaled.ierr, 0) << scaled.message;
  EXPECT_NEAR(scaled.D, base.D, 1e-12 * base.D);
  // One component absent: pure R32 through the mixture model.
  const double only_r32[20] = {1, 0};
  const auto r32 = call_flash("TP", 313.15, 500, 1, only_r32);
  ASSERT_EQ(r32.ierr, 0) << r32.message;
  EXPECT_NEAR(r32.D, flash_tp(*fluid("R32"), 313.15, 500).state.rho, 1e-5 * r32.D);
  const struct {
    std::vector<double> x;
    const char* says;
  } refused[] = {
      {{0.5, NAN}, "mole fraction 2 (R125) is not a finite number"},
      {{0.5, -0.1}, "mole fraction 2 (R125) is negative"},
      {{std::numeric_limits<double>::infinity(), 0.5}, "mole fraction 1 (R32)"},
      {{0, 0}, "composition not set"},
      {{1e308, 1e308}, "too large"},
  };
  for (const auto& c : refused) {
    double x[20] = {};
    std::copy(c.x.begin(), c.x.end(), x);
    const auto r = call_flash("PH", 500, 30000, 1, x);
    EXPECT_GT(r.ierr, 0);
    EXPECT_EQ(r.message.rfind("PHFLSH: ", 0), 0u) << r.message;
    EXPECT_NE(r.message.find(c.says), std::string::npos) << r.message;
    for (double v : {r.T, r.D, r.H}) EXPECT_TRUE(std::isfinite(v));
    EXPECT_EQ(molar_mass(x), FLUIDCORE_UNDEFINED);
    EXPECT_GT(satt(280, x, 2).ierr, 0);
  }
}

TEST(MixtureSatt, BubbleAndDewPoints) {
  ASSERT_EQ(setup_components("fluids\\R407C.fld", 1), 0);
  const double zeros[20] = {};
  const auto& m = fixed("R407C");
  const auto bubble = satt(280, zeros, 1), dew = satt(280, zeros, 2);
  ASSERT_EQ(bubble.ierr, 0) << bubble.message;
  ASSERT_EQ(dew.ierr, 0) << dew.message;
  EXPECT_GT(bubble.value, dew.value);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(bubble.xl[i], m.z()[static_cast<std::size_t>(i)]);  // the liquid is the feed
    EXPECT_EQ(dew.xv[i], m.z()[static_cast<std::size_t>(i)]);     // the vapour is the feed
  }
  EXPECT_GT(bubble.xv[0], m.z()[0]);  // the incipient vapour is rich in R32
  EXPECT_LT(dew.xl[0], m.z()[0]);     // the incipient liquid is poor in it
  for (int i = 3; i < 20; ++i) EXPECT_EQ(bubble.xv[i], 0);
  // The density routine finds the dew point again from its vapour density.
  double D = dew.Dv, T = 0, P = 0, Dl = 0, Dv = 0, xl[20], xv[20];
  double x[20] = {};
  int kph = 1, kr = 0, ierr = -1;
  std::string herr(255, ' ');
  SATDdll(&D, x, &kph, &kr, &T, &P, &Dl, &Dv, xl, xv, &ierr, herr.data(), 255);
  EXPECT_EQ(ierr, 0) << herr;
  EXPECT_EQ(kr, 2);
  EXPECT_NEAR(T, 280, 1e-8);
  EXPECT_NEAR(P, dew.value, 1e-8 * dew.value);
  // Only 1 and 2 select a point.
  for (int bad : {0, 3, -1}) {
    const auto s = satt(280, zeros, bad);
    EXPECT_GT(s.ierr, 0);
    EXPECT_EQ(s.message.rfind("SATT: ", 0), 0u) << s.message;
  }
}

TEST(MixtureFlashes, WriteThePhaseCompositions) {
  ASSERT_EQ(setup_components("fluids\\R407C.fld", 1), 0);
  const double zeros[20] = {};
  double xl[20], xv[20];
  const auto two = call_flash("TQ", 280, 0.5, 1, zeros, xl, xv);
  ASSERT_EQ(two.ierr, 0) << two.message;
  const auto cpp = flash_tq(fixed("R407C"), 280, 0.5);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(xl[i], cpp.x[static_cast<std::size_t>(i)]);
    EXPECT_EQ(xv[i], cpp.y[static_cast<std::size_t>(i)]);
  }
  EXPECT_EQ(two.Cp, FLUIDCORE_UNDEFINED);
  const auto one = call_flash("TP", 300, 100, 1, zeros, xl, xv);
  ASSERT_EQ(one.ierr, 0);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(xl[i], xv[i]);
  EXPECT_EQ(one.Q, 998);
}

TEST(MixtureCriticalPoint, ThroughCritp) {
  ASSERT_EQ(setup_components("fluids\\R410A.fld", 1), 0);
  double x[20] = {}, Tc = 0, Pc = 0, Dc = 0;
  int ierr = -1;
  std::string herr(255, '#');
  CRITPdll(x, &Tc, &Pc, &Dc, &ierr, herr.data(), 255);
  EXPECT_EQ(ierr, 0);
  // The published critical point of R410A: 344.5 K, 4.90 MPa.
  EXPECT_NEAR(Tc, 344.5, 0.1);
  EXPECT_NEAR(Pc, 4901, 5);
  EXPECT_GT(Dc, 6);
  EXPECT_LT(Dc, 7);
}

const double kHostile[] = {NAN,   std::numeric_limits<double>::infinity(), -1e300, 0.0,
                           -1.0,  1e-300, 5e-324, 1e300, std::numeric_limits<double>::max()};
const char* const kPairs[] = {"TP", "TD", "TH", "TS", "TE", "TQ", "PD", "PH",
                              "PS", "PE", "PQ", "DH", "DS", "DE", "HS"};

TEST(MixtureRobustness, EveryEntryPointSurvivesHostileInput) {
  for (const auto& [files, n] : std::vector<std::pair<std::string, int>>{
           {"fluids\\R410A.fld", 1}, {kAirFiles, 3}}) {
    ASSERT_EQ(setup_components(files, n), 0);
    for (const std::string pair : kPairs) {
      const double ok1 = pair[0] == 'T' ? 280 : pair[0] == 'P' ? 500 : pair[0] == 'D' ? 5 : 20000;
      const double ok2 = pair[1] == 'P' ? 500 : pair[1] == 'D' ? 5 : pair[1] == 'Q' ? 0.5
                         : pair[1] == 'S' ? 100 : 20000;
      std::vector<std::pair<double, double>> inputs;
      for (double bad : kHostile) {
        inputs.emplace_back(bad, ok2);
        inputs.emplace_back(ok1, bad);
      }
      for (const auto& [a, b] : inputs) {
        const auto c = call_flash(pair, a, b, 1, kAir);
        for (double v : {c.T, c.P, c.D, c.Dl, c.Dv, c.Q, c.E, c.H, c.S, c.Cv, c.Cp, c.W})
          ASSERT_TRUE(std::isfinite(v)) << files << " " << pair << "(" << a << ", " << b << ")";
        if (c.ierr > 0) {
          ASSERT_EQ(c.message.rfind(pair + "FLSH: ", 0), 0u) << c.message;
        }
      }
    }
    for (double bad : kHostile) {
      double x[20];
      std::copy(kAir, kAir + 20, x);
      double T = bad, D = bad, P, E, H, S, Cv, Cp, W, JT;
      THERMdll(&T, &D, x, &P, &E, &H, &S, &Cv, &Cp, &W, &JT);
      for (double v : {P, E, H, S, Cv, Cp, W, JT}) ASSERT_TRUE(std::isfinite(v)) << bad;
      for (int kph : {1, 2}) {
        const auto s = satt(bad, x, kph);
        EXPECT_GT(s.ierr, 0) << bad;
        for (double v : {s.value, s.Dl, s.Dv}) ASSERT_TRUE(std::isfinite(v));
      }
    }
  }
}

}  // namespace
}  // namespace fluidcore::test
