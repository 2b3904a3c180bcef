#include "threshold_search.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace cycle::detail {

namespace {

// How far the secant may reach while f stays below zero, in strides of the
// last step: a line through two close points may be nearly flat.
constexpr long kFarthestStrides = 16;

// A point where f was found: below zero at `a`, not below at `b`.
struct Known {
  long index;  // grid index; the start may lie between two multiples
  double x, value;
};

// Where the line through two points reaches zero, in steps of the grid.
double SecantRoot(const Known& p, const Known& q, double step) {
  return (q.x - q.value * (q.x - p.x) / (q.value - p.value)) / step;
}

}  // namespace

std::optional<double> LowestNonNegative(const std::function<double(double)>& f, BelowZero start,
                                        double high, double step, long first_stride) {
  const long top = static_cast<long>(std::floor(high / step));
  Known a{static_cast<long>(std::floor(start.x / step)), start.x, start.value};
  if (a.index >= top) return std::nullopt;
  std::optional<Known> b, before_a;
  long next = a.index + std::max(1L, first_stride);
  int kept = 0;  // -1: a kept last time, +1: b kept last time
  while (true) {
    const long k = std::clamp(next, a.index + 1, b ? b->index - 1 : top);
    const Known at{k, static_cast<double>(k) * step, f(static_cast<double>(k) * step)};
    if (at.value >= 0) {
      // An end kept twice has its value halved (Illinois), so that the
      // other end keeps moving.
      if (b && kept == -1) a.value /= 2;
      kept = b ? -1 : 0;
      b = at;
    } else {
      if (b && kept == 1) b->value /= 2;
      kept = b ? 1 : 0;
      before_a = a, a = at;
    }
    if (b && b->index - a.index <= 1) return static_cast<double>(b->index) * step;
    if (!b && a.index == top) return std::nullopt;
    if (b) {
      next = static_cast<long>(std::ceil(SecantRoot(a, *b, step)));
    } else {
      // Still below zero: the secant through the last two points where it
      // rises (not too far on), else twice the last stride on. Its guess lies at the
      // multiple under the line's root: a guess a step under the crossing is
      // put right by the secant after it, one a step over by the multiple
      // under it, so either ends the search with one more evaluation.
      const long stride = std::max(1L, a.index - before_a->index);
      next = a.value > before_a->value
                 ? std::min(static_cast<long>(std::floor(SecantRoot(*before_a, a, step))),
                            a.index + kFarthestStrides * stride)
                 : a.index + 2 * stride;
    }
  }
}

}  // namespace cycle::detail
