// Brent's root and maximum searches: where they end, whether they say they
// converged, and that the cap ends a search the tolerance cannot.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "numerics/brent.h"

namespace {

struct Case {
  std::string what;
  bool maximum;  // else a root
  std::function<double(double)> f;
  double a, b;
  double tolerance;
  int cap;
  double expected;  // x
  double within;    // of expected
  bool converged;
  int most_iterations;  // passes
};

numerics::Search Searched(const Case& c, int& evaluations) {
  const auto f = [&](double x) {
    ++evaluations;
    return c.f(x);
  };
  double a = c.a, b = c.b;
  if (!c.maximum) return numerics::brent_root(f, a, b, c.f(a), c.f(b), c.tolerance, c.cap);
  // The search starts, as the cycle's does, from three points, the best
  // inside (the middle, in every case).
  const double m = (a + b) / 2;
  const numerics::Point mid{m, c.f(m)}, low{a, c.f(a)}, high{b, c.f(b)};
  return numerics::brent_maximum(
      f, a, b, {mid, low.value > high.value ? low : high, low.value > high.value ? high : low},
      c.tolerance, c.cap);
}

TEST(Brent, EndsAtTheRootOrMaximumWithinTheToleranceOrAtTheCap) {
  const auto parabola = [](double x) { return -(x - 8.5) * (x - 8.5); };
  const Case cases[] = {
      {"root of x^2 - 2", false, [](double x) { return x * x - 2; }, 0, 2, 1e-12, 200,
       std::sqrt(2.0), 1e-12, true, 12},
      {"root of a step: bisection", false, [](double x) { return x < 1.0 / 3 ? -1.0 : 1.0; }, 0, 1,
       1e-9, 200, 1.0 / 3, 1e-9, true, 40},
      {"root at an end", false, [](double x) { return x - 2; }, 0, 2, 1e-12, 200, 2, 0, true, 2},
      {"root cut off by the cap", false, [](double x) { return x < 1.0 / 3 ? -1.0 : 1.0; }, 0, 1,
       1e-12, 5, 1.0 / 3, 0.5, false, 5},
      {"maximum of a parabola", true, parabola, 6, 10, 1e-6, 200, 8.5, 1e-6, true, 10},
      {"maximum of a kink", true, [](double x) { return -std::abs(x - 3); }, 0, 10, 1e-6, 200, 3,
       1e-6, true, 60},
      {"maximum cut off by the cap", true, parabola, 6, 10, 1e-6, 3, 8.5, 2, false, 3},
      // No tolerance at all: without the cap the search would never end.
      {"maximum to no tolerance", true, parabola, 6, 10, 0, 200, 8.5, 1e-7, false, 200},
  };
  for (const Case& c : cases) {
    int evaluations = 0;
    const numerics::Search found = Searched(c, evaluations);
    EXPECT_NEAR(found.x, c.expected, c.within) << c.what;
    EXPECT_EQ(found.value, c.f(found.x)) << c.what;
    EXPECT_EQ(found.converged, c.converged) << c.what;
    EXPECT_LE(found.iterations, c.most_iterations) << c.what;
    EXPECT_LE(evaluations, found.iterations) << c.what << ": one evaluation a pass at most";
    EXPECT_GE(found.x, c.a) << c.what;
    EXPECT_LE(found.x, c.b) << c.what;
  }
}

}  // namespace
