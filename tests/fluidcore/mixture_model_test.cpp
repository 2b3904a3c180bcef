// The multi-fluid mixture model: mixing parameters found by fluid identity,
// the composition derivatives of the reducing functions and of the
// chemical potentials against finite differences, and single-phase states
// against the reference table (tests/data/reference_mixtures.csv, values of
// an independent implementation of the same model).
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "fluidcore/mixture_files.h"
#include "fluidcore/mixture_state.h"
#include "mixture_test_support.h"
#include "reference_data.h"

namespace fluidcore::test {
namespace {

TEST(MixingRules, FindPairsByIdentityInEitherOrder) {
  const auto n2 = fluid("Nitrogen"), o2 = fluid("Oxygen"), r32 = fluid("R32");
  const auto rules = mixing_rules();
  // Stored as Nitrogen/Oxygen: the reversed order takes 1/beta.
  const auto forward = rules->find(*n2, *o2);
  const auto reversed = rules->find(*o2, *n2);
  EXPECT_FALSE(forward.estimated);
  EXPECT_DOUBLE_EQ(forward.parameters.beta_T, 0.997190589);
  EXPECT_DOUBLE_EQ(reversed.parameters.beta_T, 1 / 0.997190589);
  EXPECT_DOUBLE_EQ(reversed.parameters.beta_v, 1 / 0.99952177);
  EXPECT_DOUBLE_EQ(reversed.parameters.gamma_T, forward.parameters.gamma_T);
  // R32/R125 carries its departure function.
  const auto hfc = rules->find(*r32, *fluid("R125"));
  EXPECT_TRUE(hfc.departure);
  EXPECT_DOUBLE_EQ(hfc.parameters.F, 1.0);
  // No published pair: the estimate, flagged.
  const auto none = rules->find(*r32, *fluid("Helium"));
  EXPECT_TRUE(none.estimated);
  EXPECT_EQ(none.parameters.F, 0);
  EXPECT_FALSE(none.departure);
}

TEST(MixingRules, RefuseMalformedFiles) {
  EXPECT_THROW(MixingRules::parse("{", "x.bnc"), FluidFileError);
  EXPECT_THROW(MixingRules::parse(R"({"format": "other"})", "x.bnc"), FluidFileError);
  try {
    MixingRules::parse(R"({"format": "fluidcore-mixing 1", "departure_functions": {},
                           "pairs": [{"fluid1": "A", "fluid2": "B", "beta_T": 1, "gamma_T": 1,
                                      "beta_v": -1, "gamma_v": 1, "F": 0, "departure": null}]})",
                       "x.bnc");
    FAIL() << "a negative beta_v was accepted";
  } catch (const FluidFileError& e) {
    EXPECT_NE(std::string(e.what()).find("x.bnc"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("beta_v"), std::string::npos) << e.what();
  }
}

TEST(BlendFiles, ReadTheLayoutOfTheMixtureFiles) {
  const auto blend = parse_blend_file("R410A\nfree text\n2\nR32.fld\nR125.fld\n0.5, 1.5\n", "m");
  ASSERT_EQ(blend.components, (std::vector<std::string>{"R32.fld", "R125.fld"}));
  EXPECT_DOUBLE_EQ(blend.fractions[0], 0.25);  // normalised
  EXPECT_DOUBLE_EQ(blend.fractions[1], 0.75);
  for (const char* bad : {"a\nb\n", "a\nb\ntwo\n", "a\nb\n0\n", "a\nb\n21\n",
                          "a\nb\n2\nR32.fld\n", "a\nb\n2\nR32.fld\nR125.fld\n0.5\n",
                          "a\nb\n2\nR32.fld\nR125.fld\n0.5 x\n", "a\nb\n1\nR32.fld\n-1\n",
                          "a\nb\n1\nR32.fld\n0\n"}) {
    EXPECT_THROW(parse_blend_file(bad, "broken.mix"), FluidFileError) << bad;
  }
}

// Reducing functions: derivatives by x_k (independent) against central
// differences, with and without beta = 1 and with an absent component.
TEST(MixtureModel, ReducingDerivativesMatchDifferences) {
  for (const auto& [name, x] : std::vector<std::pair<std::string, std::vector<double>>>{
           {"air", {0.7812, 0.0092, 0.2096}},
           {"R407C", {0.38, 0.18, 0.44}},
           {"R407C", {0.5, 0.0, 0.5}}}) {
    const auto m = mixture(name);
    const auto z = fractions(x);
    Reducing r;
    m->reducing(z, true, r);
    const std::size_t n = x.size();
    for (std::size_t k = 0; k < n; ++k) {
      const double h = 1e-6;
      Fractions up = z, down = z;
      up[k] += h;
      down[k] -= h;
      Reducing ru, rd;
      m->reducing(up, true, ru);
      m->reducing(down, true, rd);
      EXPECT_NEAR(r.T_x[k], (ru.T - rd.T) / (2 * h), 1e-6 * r.T) << name << " k=" << k;
      EXPECT_NEAR(r.v_x[k], (ru.v - rd.v) / (2 * h), 1e-6 * r.v) << name << " k=" << k;
      for (std::size_t l = 0; l < n; ++l) {
        EXPECT_NEAR(r.T_xx[k * n + l], (ru.T_x[l] - rd.T_x[l]) / (2 * h), 1e-5 * r.T) << name;
        EXPECT_NEAR(r.v_xx[k * n + l], (ru.v_x[l] - rd.v_x[l]) / (2 * h), 1e-5 * r.v) << name;
      }
    }
  }
}

// n alphar at (T, V, n) for one mole at density rho: the function whose
// derivatives the chemical potentials are.
double total_residual(const Mixture& m, double T, double V, const Fractions& n, std::size_t count) {
  double N = 0;
  for (std::size_t i = 0; i < count; ++i) N += n[i];
  Fractions x{};
  for (std::size_t i = 0; i < count; ++i) x[i] = n[i] / N;
  return N * MixtureIsotherm(m, T, x).residual(N / V).a;
}

double pressure(const Mixture& m, double T, double V, const Fractions& n, std::size_t count) {
  double N = 0;
  for (std::size_t i = 0; i < count; ++i) N += n[i];
  Fractions x{};
  for (std::size_t i = 0; i < count; ++i) x[i] = n[i] / N;
  return MixtureIsotherm(m, T, x).pressure(N / V).p;
}

ChemicalPotentials potentials(const Mixture& m, double T, double rho, const Fractions& x) {
  ChemicalPotentials c;
  MixtureIsotherm(m, T, x).chemical_potentials(rho, c);
  return c;
}

TEST(MixtureModel, ChemicalPotentialsMatchDifferences) {
  struct Case { std::string name; std::vector<double> x; double T, rho; };
  const Case cases[] = {
      {"R407C", {0.38, 0.18, 0.44}, 280, 13.0},  // liquid, three departure functions
      {"R407C", {0.38, 0.18, 0.44}, 320, 0.5},   // vapour
      {"air", {0.7812, 0.0092, 0.2096}, 100, 25.0},
      {"R410A", {0.7, 0.3}, 250, 15.0},
  };
  for (const auto& c : cases) {
    const auto m = mixture(c.name);
    const auto x = fractions(c.x);
    const std::size_t n = c.x.size();
    const double V = 1 / c.rho, R = Mixture::kGasConstant;
    const auto cp = potentials(*m, c.T, c.rho, x);
    const std::string where = c.name + " at " + std::to_string(c.T) + " K";
    for (std::size_t i = 0; i < n; ++i) {
      const double h = 1e-6;
      Fractions up = x, down = x;
      up[i] += h;
      down[i] -= h;
      // mu_i = d(n alphar)/dn_i at T, V.
      const double mu = (total_residual(*m, c.T, V, up, n) - total_residual(*m, c.T, V, down, n)) / (2 * h);
      EXPECT_NEAR(cp.mu[i], mu, 1e-7 * (1 + std::abs(mu))) << where << " i=" << i;
      // N dp/dn_i at T, V.
      const double dp = (pressure(*m, c.T, V, up, n) - pressure(*m, c.T, V, down, n)) / (2 * h);
      const double base = 1 + 2 * cp.ar.d + cp.ar.dd;
      EXPECT_NEAR(base + cp.d_n[i], dp / (c.rho * R * c.T), 1e-6 * std::abs(base + cp.d_n[i]) + 1e-8)
          << where << " i=" << i;
      // N dmu_j/dn_i at T, V: moving n_i changes N and so the density.
      const auto cu = potentials(*m, c.T, (1 + h) / V, [&] {
        Fractions f{};
        for (std::size_t k = 0; k < n; ++k) f[k] = up[k] / (1 + h);
        return f;
      }());
      const auto cd = potentials(*m, c.T, (1 - h) / V, [&] {
        Fractions f{};
        for (std::size_t k = 0; k < n; ++k) f[k] = down[k] / (1 - h);
        return f;
      }());
      for (std::size_t j = 0; j < n; ++j) {
        const double fd = (cu.mu[j] - cd.mu[j]) / (2 * h);
        EXPECT_NEAR(cp.mu_n[j * n + i], fd, 1e-6 * (1 + std::abs(fd))) << where << " " << j << i;
      }
    }
    // rho dmu/drho at fixed x, T dmu/dT at fixed rho and x.
    const double e = 1e-6;
    const auto r_up = potentials(*m, c.T, c.rho * (1 + e), x), r_dn = potentials(*m, c.T, c.rho * (1 - e), x);
    const auto t_up = potentials(*m, c.T * (1 + e), c.rho, x), t_dn = potentials(*m, c.T * (1 - e), c.rho, x);
    for (std::size_t i = 0; i < n; ++i) {
      const double fr = (r_up.mu[i] - r_dn.mu[i]) / (2 * e), ft = (t_up.mu[i] - t_dn.mu[i]) / (2 * e);
      EXPECT_NEAR(cp.mu_lnrho[i], fr, 1e-6 * (1 + std::abs(fr))) << where;
      EXPECT_NEAR(cp.mu_lnT[i], ft, 1e-6 * (1 + std::abs(ft))) << where;
    }
  }
}

// The state at the reference (T, rho) of every single-phase row.
TEST(MixtureModel, SinglePhaseStatesMatchTheReference) {
  int rows = 0;
  for (const auto& row : read_csv("reference_mixtures.csv")) {
    const std::string section = row.text("section");
    if (section != "single" && section != "flash") continue;
    const auto& blend = reference_mixture(row);
    const double T = section == "single" ? row.number("T") : row.number("ref_T");
    const double rho = section == "single" ? row.number("rho") : row.number("ref_rho");
    const State s = MixtureIsotherm(blend.model(), T, blend.z()).state(rho);
    const std::string where = row.text("mixture") + " " + row.text("inputs") + " at " + row.text("T");
    EXPECT_LT(relative(s.p, row.number("p")), 1e-7) << where;
    EXPECT_LT(relative(s.h, row.number("h")), 1e-7) << where;
    EXPECT_LT(relative(s.s, row.number("s")), 1e-7) << where;
    EXPECT_LT(relative(s.cp, row.number("cp")), 1e-7) << where;
    ++rows;
  }
  EXPECT_EQ(rows, 30);
}

}  // namespace
}  // namespace fluidcore::test
