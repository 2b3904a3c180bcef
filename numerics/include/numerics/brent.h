// Brent's searches on an interval (Brent 1973, Algorithms for Minimization
// without Derivatives, ch. 4 and 5): a root of a function whose signs differ
// at the ends, and the largest value of a function unimodal between them.
// Both end after `cap` passes at the most, with the best point so far, so
// that a tolerance finer than the numbers can resolve ends the search too.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

namespace numerics {

inline constexpr int kBrentIterations = 200;

struct Search {
  double x = 0;
  int iterations = 0;     // passes, each evaluating the function at most once
  bool converged = true;  // false: the cap came first
  double value = 0;       // the function at x
};

// The root of fn on [a, b], where fa = fn(a) and fb = fn(b) have opposite
// signs, to within xtol: inverse quadratic interpolation and secants where
// they step well, bisection where they do not.
template <class F>
Search brent_root(F&& fn, double a, double b, double fa, double fb, double xtol,
                  int cap = kBrentIterations) {
  Search r{b, 0, false, fb};
  double c = a, fc = fa, d = b - a, e = d;
  while (r.iterations < cap) {
    ++r.iterations;
    if ((fb > 0) == (fc > 0)) {
      c = a;
      fc = fa;
      d = e = b - a;
    }
    if (std::abs(fc) < std::abs(fb)) {
      // b the better end, c the other, a the one b was.
      a = b;
      fa = fb;
      std::swap(b, c);
      std::swap(fb, fc);
    }
    const double tol = 2 * std::numeric_limits<double>::epsilon() * std::abs(b) + 0.5 * xtol;
    const double m = 0.5 * (c - b);
    if (std::abs(m) <= tol || fb == 0) {
      r.converged = true;
      break;
    }
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
      if (p > 0) {
        q = -q;
      } else {
        p = -p;
      }
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
  r.value = fb;
  return r;
}

struct Point {
  double x = 0, value = 0;
};

// The largest f on [a, b] from the three best points known, the best inside:
// parabolas through the three best points where they step well, golden
// sections where they do not. Ends when the maximum lies within `tolerance`
// of the best point; narrows `a` and `b` around it.
template <class F>
Search brent_maximum(F&& f, double& a, double& b, const std::array<Point, 3>& known,
                     double tolerance, int cap = kBrentIterations) {
  const double golden = (3 - std::sqrt(5.0)) / 2;
  const double tol1 = tolerance / 2, tol2 = tolerance;
  double x = known[0].x, w = known[1].x, v = known[2].x;
  double fx = known[0].value, fw = known[1].value, fv = known[2].value;
  // A first parabola through the known points is tried at once.
  double d = 0, e = w == x ? 0 : b - a;
  Search r{x, 0, false, fx};
  while (true) {
    const double m = (a + b) / 2;
    if (std::abs(x - m) <= tol2 - (b - a) / 2) {
      r.converged = true;
      break;
    }
    if (r.iterations == cap) break;
    ++r.iterations;
    bool parabolic = false;
    if (std::abs(e) > tol1) {
      // The vertex of the parabola through x, w and v.
      double rr = (x - w) * (fx - fv);
      double q = (x - v) * (fx - fw);
      double p = (x - v) * q - (x - w) * rr;
      q = 2 * (q - rr);
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
  r.x = x;
  r.value = fx;
  return r;
}

}  // namespace numerics
