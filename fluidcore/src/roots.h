// One-dimensional root finding shared by the saturation and flash solvers.
#pragma once

#include <functional>

namespace fluidcore {

struct Root {
  double x = 0;
  int iterations = 0;
};

// Brent's method on [a, b], where fa = fn(a) and fb = fn(b) have opposite
// signs; stops when the bracket is narrower than xtol.
Root brent(const std::function<double(double)>& fn, double a, double b, double fa, double fb,
           double xtol);

}  // namespace fluidcore
