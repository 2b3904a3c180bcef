#include "numerics/roots.h"

#include <cmath>

namespace fluidcore {

std::optional<Root> first_root(const std::function<double(double)>& fn,
                               const std::vector<double>& xs, double xtol,
                               const std::function<double(double)>& slope, double ftol) {
  if (xs.empty()) return std::nullopt;
  int evaluations = 1;
  const auto found = [&](Root r) {
    r.iterations += evaluations;
    return r;
  };
  double xa = xs[0], fa = fn(xa);
  if (fa == 0) return Root{xa, evaluations};
  double sa = slope ? slope(xa) : 0;
  for (std::size_t i = 1; i < xs.size(); ++i) {
    const double xb = xs[i], fb = fn(xb);
    ++evaluations;
    if (fb == 0) return Root{xb, evaluations};
    if ((fa < 0) != (fb < 0)) return found(brent_root(fn, xa, xb, fa, fb, xtol));
    const double sb = slope ? slope(xb) : 0;
    // fa > 0 falling then rising (a minimum), or fa < 0 rising then falling.
    if (slope && (sa < 0) != (sb < 0) && (fa > 0) == (sa < 0)) {
      const double ma = sa, mb = sb;
      const Root m = brent_root(slope, xa, xb, ma, mb, xtol);
      const double fm = fn(m.x);
      evaluations += m.iterations + 1;
      // An extremum that touches zero (a kink where an isochore meets the
      // saturation curve) is a root too.
      if (std::abs(fm) <= ftol) return found(Root{m.x, 0});
      if ((fm < 0) != (fa < 0)) return found(brent_root(fn, xa, m.x, fa, fm, xtol));
    }
    xa = xb;
    fa = fb;
    sa = sb;
  }
  return std::nullopt;
}

}  // namespace fluidcore
