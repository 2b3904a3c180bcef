// The hand-written derivatives of every term form against finite differences
// of the plain function, over many (tau, delta), and the one-pass evaluation
// with tau factors prepared once against the one-shot evaluation.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "fluidcore/helmholtz.h"
#include "reference_data.h"

namespace fluidcore::test {
namespace {

// Fourth-order central difference of f at x.
double derivative(const std::function<double(double)>& f, double x, double h) {
  return (-f(x + 2 * h) + 8 * f(x + h) - 8 * f(x - h) + f(x - 2 * h)) / (12 * h);
}

// Checks d, t (against a) and dd, tt, dt (against d and t) at (tau, delta).
void check_derivatives(const std::function<HelmholtzDerivatives(double, double)>& eval,
                       double tau, double delta, const std::string& what, double h = 1e-4) {
  const auto r = eval(tau, delta);
  const auto at = [&](auto field, double t, double d) { return eval(t, d).*field; };
  using H = HelmholtzDerivatives;
  // delta*d/ddelta of f = d/dln(delta): differentiate in ln(delta), ln(tau).
  const auto dln_delta = [&](auto field) {
    return derivative([&](double u) { return at(field, tau, delta * std::exp(u)); }, 0, h);
  };
  const auto dln_tau = [&](auto field) {
    return derivative([&](double u) { return at(field, tau * std::exp(u), delta); }, 0, h);
  };
  const double scale = std::abs(r.a) + std::abs(r.d) + std::abs(r.t) + std::abs(r.dd) +
                       std::abs(r.tt) + std::abs(r.dt) + 1e-12;
  const double tol = 1e-8 * scale;
  EXPECT_NEAR(r.d, dln_delta(&H::a), tol) << what << " d at " << tau << "," << delta;
  EXPECT_NEAR(r.t, dln_tau(&H::a), tol) << what << " t at " << tau << "," << delta;
  // delta d/ddelta (delta a_d) = delta a_d + delta^2 a_dd
  EXPECT_NEAR(r.dd + r.d, dln_delta(&H::d), tol) << what << " dd at " << tau << "," << delta;
  EXPECT_NEAR(r.tt + r.t, dln_tau(&H::t), tol) << what << " tt at " << tau << "," << delta;
  EXPECT_NEAR(r.dt, dln_tau(&H::d), tol) << what << " dt at " << tau << "," << delta;
  EXPECT_NEAR(r.dt, dln_delta(&H::t), tol) << what << " dt' at " << tau << "," << delta;
}

const double kTaus[] = {0.3, 0.7, 0.95, 1.02, 1.3, 2.5};
const double kDeltas[] = {1e-3, 0.2, 0.8, 0.98, 1.03, 1.6, 3.0};

TEST(Helmholtz, EachTermFormMatchesFiniteDifferences) {
  // One fluid per term form, each form evaluated on its own.
  const struct { const char* fluid; void (*keep)(const TermGroups&, TermGroups&); } cases[] = {
      {"R134a", [](const TermGroups& a, TermGroups& g) { g.power = a.power; }},
      {"Water", [](const TermGroups& a, TermGroups& g) { g.gaussian = a.gaussian; }},
      {"Methanol",
       [](const TermGroups& a, TermGroups& g) { g.double_exponential = a.double_exponential; }},
      {"Ammonia", [](const TermGroups& a, TermGroups& g) { g.gao_b = a.gao_b; }},
      {"Water", [](const TermGroups& a, TermGroups& g) { g.nonanalytic = a.nonanalytic; }},
      {"CarbonDioxide",
       [](const TermGroups& a, TermGroups& g) { g.nonanalytic = a.nonanalytic; }},
  };
  for (const auto& c : cases) {
    TermGroups groups;
    c.keep(fluid(c.fluid)->residual.terms(), groups);
    const ResidualHelmholtz r(groups);
    for (double tau : kTaus)
      for (double delta : kDeltas)
        check_derivatives([&](double t, double d) { return r.evaluate(t, d); }, tau, delta,
                          c.fluid);
  }
}

TEST(Helmholtz, GaussianLinearTermMatchesFiniteDifferences) {
  TermGroups g;
  g.gaussian_linear = {{-0.0348, 7.85, 1.0, 0.5, 1.0, 0.5, 1}, {0.41, 2.2, 0.25, 0.5, 0.75, 0.5, 2}};
  const ResidualHelmholtz r(g);
  for (double tau : kTaus)
    for (double delta : kDeltas)
      check_derivatives([&](double t, double d) { return r.evaluate(t, d); }, tau, delta,
                        "gaussian_linear");
}

// Close to the critical point the nonanalytic terms are least smooth.
TEST(Helmholtz, NonanalyticTermsNearTheCriticalPoint) {
  for (const char* name : {"Water", "CarbonDioxide"}) {
    TermGroups groups;
    groups.nonanalytic = fluid(name)->residual.terms().nonanalytic;
    const ResidualHelmholtz r(groups);
    for (double tau : {0.99, 0.999, 1.001, 1.01})
      for (double delta : {0.9, 0.99, 0.999, 1.001, 1.01, 1.1})
        check_derivatives([&](double t, double d) { return r.evaluate(t, d); }, tau, delta,
                          name, 1e-6);
    // Exactly at (1, 1) every value stays finite.
    const auto c = r.evaluate(1.0, 1.0);
    for (double v : {c.a, c.d, c.t, c.dd, c.tt, c.dt}) EXPECT_TRUE(std::isfinite(v)) << name;
  }
}

TEST(Helmholtz, IdealGasPartMatchesFiniteDifferences) {
  for (const auto& name : all_fluid_names()) {
    const auto f = fluid(name);
    for (double tau : kTaus)
      for (double delta : {0.01, 1.0, 2.0})
        check_derivatives([&](double t, double d) { return f->ideal.evaluate(t, d); }, tau,
                          delta, name + " ideal");
  }
}

TEST(Helmholtz, WholeResidualOfEveryFluidMatchesFiniteDifferences) {
  for (const auto& name : all_fluid_names()) {
    const auto f = fluid(name);
    for (double tau : {0.5, 0.9, 1.8})
      for (double delta : {0.05, 0.98, 2.5})
        check_derivatives([&](double t, double d) { return f->residual.evaluate(t, d); }, tau,
                          delta, name);
  }
}

TEST(Helmholtz, PreparedTauFactorsGiveTheSameResultAtEveryDelta) {
  const auto f = fluid("Water");
  ResidualHelmholtz::Prepared p;
  f->residual.prepare(0.8, p);
  for (double delta : {0.0, 0.3, 1.0, 3.1}) {
    const auto a = f->residual.evaluate(p, delta), b = f->residual.evaluate(0.8, delta);
    EXPECT_EQ(a.a, b.a);
    EXPECT_EQ(a.dd, b.dd);
    EXPECT_EQ(a.dt, b.dt);
    EXPECT_TRUE(std::isfinite(a.a));
  }
}

}  // namespace
}  // namespace fluidcore::test
