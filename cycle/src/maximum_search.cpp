#include "maximum_search.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace cycle::detail {

namespace {

struct Point {
  double x, value;
};

// Brent's search for the largest f on [a, b] from the three best points
// known, the best inside: parabolas through the three best points where they
// step well, golden sections where they do not. Ends when the maximum lies
// within `tolerance` of the best point; narrows `a` and `b` around it.
FoundMaximum Brent(const std::function<double(double)>& f, double& a, double& b,
                   const std::array<Point, 3>& known, double tolerance) {
  const double golden = (3 - std::sqrt(5.0)) / 2;
  const double tol1 = tolerance / 2, tol2 = tolerance;
  double x = known[0].x, w = known[1].x, v = known[2].x;
  double fx = known[0].value, fw = known[1].value, fv = known[2].value;
  // A first parabola through the known points is tried at once.
  double d = 0, e = w == x ? 0 : b - a;
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
  std::vector<Point> points;
  for (int i = 1; i <= n; ++i) points.push_back({scanned(i), f(scanned(i))});
  const auto best = std::max_element(points.begin(), points.end(),
                                     [](const Point& p, const Point& q) { return p.value < q.value; });
  // The maximum lies between the neighbours of the best scanned point.
  const int index = static_cast<int>(best - points.begin()) + 1;
  double a = scanned(index - 1), b = scanned(index + 1);
  std::stable_sort(points.begin(), points.end(),
                   [](const Point& p, const Point& q) { return p.value > q.value; });
  points.resize(3, points.front());
  FoundMaximum found = Brent(f, a, b, {points[0], points[1], points[2]}, tolerance);
  found.at_edge = a == low || b == high;
  return found;
}

}  // namespace cycle::detail
