#include "maximum_search.h"

#include <algorithm>
#include <vector>

#include "numerics/brent.h"

namespace cycle::detail {

FoundMaximum SearchMaximum(const std::function<double(double)>& f, double low, double high,
                           double tolerance, int scan_points) {
  using numerics::Point;
  const int n = std::max(scan_points, 1);
  const double step = (high - low) / n;
  const auto scanned = [&](int i) { return i >= n ? high : low + step * i; };
  std::vector<Point> points;
  for (int i = 1; i <= n; ++i) points.push_back({scanned(i), f(scanned(i))});
  const auto best =
      std::max_element(points.begin(), points.end(),
                       [](const Point& p, const Point& q) { return p.value < q.value; });
  // The maximum lies between the neighbours of the best scanned point.
  const int index = static_cast<int>(best - points.begin()) + 1;
  double a = scanned(index - 1), b = scanned(index + 1);
  std::stable_sort(points.begin(), points.end(),
                   [](const Point& p, const Point& q) { return p.value > q.value; });
  points.resize(3, points.front());
  // Past the cap the best point found stands: the bracket is then narrower
  // than the numbers resolve.
  const numerics::Search found =
      numerics::brent_maximum(f, a, b, {points[0], points[1], points[2]}, tolerance);
  return {found.x, found.value, a == low || b == high};
}

}  // namespace cycle::detail
