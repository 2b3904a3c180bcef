#include "threshold_search.h"

#include <algorithm>
#include <cmath>

namespace cycle::detail {

std::optional<double> LowestNonNegative(const std::function<double(double)>& f, BelowZero start,
                                        double high, double step, long first_stride) {
  const long top = static_cast<long>(std::floor(high / step));
  // The bracket: f(xa) < 0 at grid index a (start.x itself may lie above
  // it, between two multiples), f >= 0 at grid index b.
  long a = static_cast<long>(std::floor(start.x / step));
  double xa = start.x, fa = start.value;
  if (a >= top) return std::nullopt;
  long b = 0;
  double fb = 0;
  for (long stride = std::max(1L, first_stride);; stride *= 2) {
    b = std::min(a + stride, top);
    fb = f(static_cast<double>(b) * step);
    if (fb >= 0) break;
    if (b == top) return std::nullopt;
    a = b, xa = static_cast<double>(b) * step, fa = fb;
  }
  // False position on the grid; an end kept twice has its value halved
  // (Illinois), so that the other end keeps moving.
  int kept = 0;  // -1: a kept last time, +1: b kept last time
  while (b - a > 1) {
    const double xb = static_cast<double>(b) * step;
    const double root = xa - fa * (xb - xa) / (fb - fa);
    const long k = std::clamp(static_cast<long>(std::ceil(root / step)), a + 1, b - 1);
    const double x = static_cast<double>(k) * step, fx = f(x);
    if (fx >= 0) {
      b = k, fb = fx;
      if (kept == -1) fa /= 2;
      kept = -1;
    } else {
      a = k, xa = x, fa = fx;
      if (kept == 1) fb /= 2;
      kept = 1;
    }
  }
  return static_cast<double>(b) * step;
}

}  // namespace cycle::detail
