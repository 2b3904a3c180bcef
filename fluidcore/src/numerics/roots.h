// One-dimensional root finding shared by the saturation and flash solvers.
#pragma once

#include <functional>
#include <optional>
#include <vector>

namespace fluidcore {

struct Root {
  double x = 0;
  int iterations = 0;
};

// Brent's method on [a, b], where fa = fn(a) and fb = fn(b) have opposite
// signs; stops when the bracket is narrower than xtol.
Root brent(const std::function<double(double)>& fn, double a, double b, double fa, double fb,
           double xtol);

// The first root of fn over the ascending grid xs, refined by Brent. With
// `slope` (the sign of fn's derivative), a grid interval whose ends have the
// same sign but opposite slopes is searched for a pair of roots around the
// extremum inside it (an extremum within ftol of zero counts as a root).
std::optional<Root> first_root(const std::function<double(double)>& fn,
                               const std::vector<double>& xs, double xtol,
                               const std::function<double(double)>& slope = {},
                               double ftol = 0);

}  // namespace fluidcore
