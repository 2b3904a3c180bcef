// One-dimensional root finding shared by the saturation and flash solvers.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "numerics/brent.h"

namespace fluidcore {

using Root = numerics::Search;
using numerics::brent_root;

// The first root of fn over the ascending grid xs, refined by Brent. With
// `slope` (the sign of fn's derivative), a grid interval whose ends have the
// same sign but opposite slopes is searched for a pair of roots around the
// extremum inside it (an extremum within ftol of zero counts as a root).
std::optional<Root> first_root(const std::function<double(double)>& fn,
                               const std::vector<double>& xs, double xtol,
                               const std::function<double(double)>& slope = {},
                               double ftol = 0);

}  // namespace fluidcore
