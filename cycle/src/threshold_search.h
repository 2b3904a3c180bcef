// The lowest point of a grid where a rising function reaches zero.
#pragma once

#include <functional>
#include <optional>

namespace cycle::detail {

// Where the search starts: a point where f is known to lie below zero.
struct BelowZero {
  double x = 0;
  double value = 0;  // f(x), below zero
};

// The lowest multiple of `step` in (start.x, high] where f >= 0, with f below
// zero at the multiple under it (unless that lies at or under start.x), or
// nothing when f stays below zero up to the highest multiple within `high`.
// f should rise with x: a first stride of `first_stride` steps, then the
// secant through the last two points (or a doubled stride) until f
// reaches zero, then false position (Illinois) narrows the bracket to one
// step. For a nearly straight f the crossing is found with two or three
// evaluations after the first stride. Every x passed to f is a multiple of
// `step`.
std::optional<double> LowestNonNegative(const std::function<double(double)>& f, BelowZero start,
                                        double high, double step, long first_stride);

}  // namespace cycle::detail
