#include "maximum_search.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace cycle::detail {

namespace {

// Brent's search for the largest f on [a, b] from a point x inside it whose
// value is known: parabolas through the three best points where they step
// well, golden sections where they do not. Ends when the maximum lies within
// `tolerance` of the best point; narrows `a` and `b` around it.
FoundMaximum Brent(const std::function<double(double)>& f, double& a, double& b, double x,
                   double fx, double tolerance) {
  const double golden = (3 - std::sqrt(5.0)) / 2;
  const double tol1 = tolerance / 2, tol2 = tolerance;
  double w = x, v = x, fw = fx, fv = fx;
  double d = 0, e = 0;
  while (true) {
    const double m = (a + b) / 2;
    if (std::abs(x - m) <= tol2 - (b - a) / 2) break;
    bool parabolic = false;
    if (std::abs(e) > tol1) {
      // The vertex of the parabola through x, w and v.
      double r = (x - w) * (fx - fv);
      double q = (x - v) * (fx - fw);
      double p = (x - v) * q - (x - w) * r;
      q = 2 * (q - r);
      if (q > 0) p = -p;
      q = std::abs(q);
      const double last = e;
      e = d;
      if (std::abs(p) < std::abs(q * last / 2) && p > q * (a - x) && p < q * (b - x)) {
        d = p / q;
        parabolic = true;
        if (x + d - a < tol2 || b - (x + d) < tol2) d = x < m ? tol1 : -tol1;
      }
    }
    if (!parabolic) {
      e = x < m ? b - x : a - x;
      d = golden * e;
    }
    const double u = x + (std::abs(d) >= tol1 ? d : (d > 0 ? tol1 : -tol1));
    const double fu = f(u);
    if (fu >= fx) {
      (u < x ? b : a) = x;
      v = w, fv = fw, w = x, fw = fx, x = u, fx = fu;
    } else {
      (u < x ? a : b) = u;
      if (fu >= fw || w == x) {
        v = w, fv = fw, w = u, fw = fu;
      } else if (fu >= fv || v == x || v == w) {
        v = u, fv = fu;
      }
    }
  }
  return {x, fx, false};
}

}  // namespace

FoundMaximum SearchMaximum(const std::function<double(double)>& f, double low, double high,
                           double tolerance, int scan_points) {
  const int n = std::max(scan_points, 1);
  const double step = (high - low) / n;
  const auto scanned = [&](int i) { return i >= n ? high : low + step * i; };
  int best = 1;
  double best_value = -std::numeric_limits<double>::infinity();
  for (int i = 1; i <= n; ++i) {
    const double value = f(scanned(i));
    if (value > best_value) best = i, best_value = value;
  }
  // The maximum lies between the neighbours of the best scanned point.
  double a = scanned(best - 1), b = scanned(best + 1);
  FoundMaximum found = Brent(f, a, b, scanned(best), best_value, tolerance);
  found.at_edge = a == low || b == high;
  return found;
}

}  // namespace cycle::detail
