#include "numerics/roots.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace fluidcore {

// Brent (1973), Algorithms for Minimization without Derivatives, ch. 4.
Root brent(const std::function<double(double)>& fn, double a, double b, double fa, double fb,
           double xtol) {
  Root r;
  double c = a, fc = fa, d = b - a, e = d;
  for (int it = 0; it < 200; ++it) {
    r.iterations = it + 1;
    if ((fb > 0) == (fc > 0)) {
      c = a;
      fc = fa;
      d = e = b - a;
    }
    if (std::abs(fc) < std::abs(fb)) {
      a = b; b = c; c = a;
      fa = fb; fb = fc; fc = fa;
    }
    const double tol = 2 * std::numeric_limits<double>::epsilon() * std::abs(b) + 0.5 * xtol;
    const double m = 0.5 * (c - b);
    if (std::abs(m) <= tol || fb == 0) break;
    if (std::abs(e) >= tol && std::abs(fa) > std::abs(fb)) {
      double p, q;
      const double s = fb / fa;
      if (a == c) {
        p = 2 * m * s;
        q = 1 - s;
      } else {
        const double qq = fa / fc, rr = fb / fc;
        p = s * (2 * m * qq * (qq - rr) - (b - a) * (rr - 1));
        q = (qq - 1) * (rr - 1) * (s - 1);
      }
      if (p > 0) q = -q; else p = -p;
      if (2 * p < std::min(3 * m * q - std::abs(tol * q), std::abs(e * q))) {
        e = d;
        d = p / q;
      } else {
        d = m;
        e = m;
      }
    } else {
      d = m;
      e = m;
    }
    a = b;
    fa = fb;
    b += std::abs(d) > tol ? d : (m > 0 ? tol : -tol);
    fb = fn(b);
  }
  r.x = b;
  return r;
}

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
    if ((fa < 0) != (fb < 0)) return found(brent(fn, xa, xb, fa, fb, xtol));
    const double sb = slope ? slope(xb) : 0;
    // fa > 0 falling then rising (a minimum), or fa < 0 rising then falling.
    if (slope && (sa < 0) != (sb < 0) && (fa > 0) == (sa < 0)) {
      const double ma = sa, mb = sb;
      const Root m = brent(slope, xa, xb, ma, mb, xtol);
      const double fm = fn(m.x);
      evaluations += m.iterations + 1;
      // An extremum that touches zero (a kink where an isochore meets the
      // saturation curve) is a root too.
      if (std::abs(fm) <= ftol) return found(Root{m.x, 0});
      if ((fm < 0) != (fa < 0)) return found(brent(fn, xa, m.x, fa, fm, xtol));
    }
    xa = xb;
    fa = fb;
    sa = sb;
  }
  return std::nullopt;
}

}  // namespace fluidcore
