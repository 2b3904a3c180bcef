// The largest value of a function of one variable on an interval.
#pragma once

#include <functional>

namespace cycle::detail {

struct FoundMaximum {
  double x = 0;
  double value = 0;
  bool at_edge = false;  // the maximum lies within the tolerance of a bound
};

// The evaluated x of the largest f on (low, high], to within `tolerance`:
// `scan_points` evenly spaced x up to `high` first (f need not be defined at
// `low` itself), then Brent's search between the neighbours of the best of
// them. The scan guards against a function that is not quite unimodal;
// between the neighbours it must be.
FoundMaximum SearchMaximum(const std::function<double(double)>& f, double low, double high,
                           double tolerance, int scan_points);

}  // namespace cycle::detail
