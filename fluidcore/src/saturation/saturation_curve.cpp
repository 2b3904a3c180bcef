#include "fluidcore/saturation_curve.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace fluidcore {
namespace {

// Clenshaw's recurrence for sum c_k T_k(x).
double clenshaw(const std::vector<double>& c, double x) {
  double b1 = 0, b2 = 0;
  for (std::size_t k = c.size(); k-- > 1;) {
    const double b0 = c[k] + 2 * x * b1 - b2;
    b2 = b1;
    b1 = b0;
  }
  return c.empty() ? 0 : c[0] + x * b1 - b2;
}

// The three series of a piece at x in one pass where they are equally long
// (they always are in the published sets), each as clenshaw() gives it.
std::array<double, 3> clenshaw3(const std::vector<double>& a, const std::vector<double>& b,
                                const std::vector<double>& c, double x) {
  if (a.size() != b.size() || a.size() != c.size() || a.empty())
    return {clenshaw(a, x), clenshaw(b, x), clenshaw(c, x)};
  double a1 = 0, a2 = 0, b1 = 0, b2 = 0, c1 = 0, c2 = 0;
  const double x2 = 2 * x;
  for (std::size_t k = a.size(); k-- > 1;) {
    const double a0 = a[k] + x2 * a1 - a2, b0 = b[k] + x2 * b1 - b2, c0 = c[k] + x2 * c1 - c2;
    a2 = a1;
    a1 = a0;
    b2 = b1;
    b1 = b0;
    c2 = c1;
    c1 = c0;
  }
  return {a[0] + x * a1 - a2, b[0] + x * b1 - b2, c[0] + x * c1 - c2};
}

// Coefficients of d/dx of a Chebyshev series.
std::vector<double> derivative(const std::vector<double>& c) {
  const std::size_t n = c.size();
  if (n < 2) return {0.0};
  std::vector<double> d(n - 1, 0.0);
  double next = 0, next2 = 0;  // d[k+1], d[k+2]
  for (std::size_t k = n - 1; k >= 1; --k) {
    const double dk = next2 + 2.0 * static_cast<double>(k) * c[k];
    d[k - 1] = dk;
    next2 = next;
    next = dk;
  }
  d[0] /= 2;
  return d;
}

}  // namespace

SaturationCurve::SaturationCurve(std::vector<Piece> pieces, double Tcrit, double rhocrit)
    : Tcrit_(Tcrit), rhocrit_(rhocrit) {
  if (pieces.empty()) throw std::invalid_argument("no saturation pieces");
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    const auto& p = pieces[i];
    if (!(p.Tmax > p.Tmin) || p.p.empty() || p.rhoL.empty() || p.rhoV.empty())
      throw std::invalid_argument("malformed saturation piece");
    if (i > 0 && p.Tmin != pieces[i - 1].Tmax)
      throw std::invalid_argument("saturation pieces are not contiguous");
    CompiledPiece c{p.Tmin, p.Tmax, {{p.p, derivative(p.p)}, {p.rhoL, derivative(p.rhoL)},
                                     {p.rhoV, derivative(p.rhoV)}}, {}, {}};
    for (int s = 0; s < 3; ++s) {
      c.y_lo[s] = clenshaw(c.series[s].c, -1);
      c.y_hi[s] = clenshaw(c.series[s].c, 1);
    }
    pieces_.push_back(std::move(c));
  }
  for (int k = 0; k < 3; ++k) monotonic_[k] = find_monotonic_part(k);
  // At the lowest pressures (1e-11 kPa) the series' rounding can make the
  // curve wiggle: the pressure range starts where it rises steadily.
  pmin_ = monotonic_[0].y;
  pcrit_ = pieces_.back().y_hi[0];
  low_pressure_T_ = temperature_at(Series::pressure, kLowPressure * pcrit_);
}

// Walks up from the lower limit while the series runs against the direction
// it has overall (the liquid density of water below its maximum); where it
// turns, the extremum is located by bisection on the sign of the derivative.
SaturationCurve::MonotonicPart SaturationCurve::find_monotonic_part(int k) const {
  const double dir = pieces_.back().y_hi[k] > pieces_.front().y_lo[k] ? 1.0 : -1.0;
  constexpr int kSamples = 64;
  for (std::size_t i = 0; i < pieces_.size(); ++i) {
    const auto& p = pieces_[i];
    for (int j = 0; j <= kSamples; ++j) {
      const double x = -1 + 2.0 * j / kSamples;
      if (dir * clenshaw(p.series[k].dc, x) < 0) continue;
      if (i == 0 && j == 0) return {p.Tmin, p.y_lo[k], 0};
      double a = std::max(-1.0, x - 2.0 / kSamples), b = x;
      for (int it = 0; it < 60; ++it) {
        const double m = 0.5 * (a + b);
        (dir * clenshaw(p.series[k].dc, m) < 0 ? a : b) = m;
      }
      const double T = 0.5 * ((p.Tmax - p.Tmin) * b + p.Tmax + p.Tmin);
      return {T, clenshaw(p.series[k].c, b), i};
    }
  }
  return {pieces_.front().Tmin, pieces_.front().y_lo[k], 0};
}

std::size_t SaturationCurve::piece_at(double T) const {
  auto it = std::upper_bound(pieces_.begin(), pieces_.end(), T,
                             [](double t, const CompiledPiece& p) { return t < p.Tmax; });
  if (it == pieces_.end()) return pieces_.size() - 1;
  return static_cast<std::size_t>(it - pieces_.begin());
}

double SaturationCurve::value(Series s, double T, double* dy_dT) const {
  T = std::clamp(T, Tmin(), Tcrit_);
  const auto& p = pieces_[piece_at(T)];
  const double scale = 2 / (p.Tmax - p.Tmin);
  const double x = std::clamp((2 * T - (p.Tmax + p.Tmin)) / (p.Tmax - p.Tmin), -1.0, 1.0);
  const auto& c = p.series[static_cast<int>(s)];
  if (dy_dT) *dy_dT = clenshaw(c.dc, x) * scale;
  return clenshaw(c.c, x);
}

SaturationPoint SaturationCurve::at_temperature(double T) const {
  T = std::clamp(T, Tmin(), Tcrit_);
  const auto& p = pieces_[piece_at(T)];
  const double x = std::clamp((2 * T - (p.Tmax + p.Tmin)) / (p.Tmax - p.Tmin), -1.0, 1.0);
  const auto [ps, rhoL, rhoV] = clenshaw3(p.series[0].c, p.series[1].c, p.series[2].c, x);
  SaturationPoint s{T, ps, rhoL, rhoV};
  // The density series meet at the critical point; within rounding of it
  // they may cross, and the two phases are then one.
  if (s.rhoL < s.rhoV) s.rhoL = s.rhoV = 0.5 * (s.rhoL + s.rhoV);
  return s;
}

double SaturationCurve::temperature_at(Series s, double y) const {
  const int k = static_cast<int>(s);
  const auto& m = monotonic_[k];
  const bool rising = pieces_.back().y_hi[k] > m.y;
  // Ends of the monotonic part.
  const double first = m.y, last = pieces_.back().y_hi[k];
  if (rising ? y <= first : y >= first) return m.T;
  if (rising ? y >= last : y <= last) return Tcrit_;
  // The piece whose range holds y.
  std::size_t lo = m.piece, hi = pieces_.size() - 1;
  while (lo < hi) {
    const std::size_t mid = (lo + hi) / 2;
    const double end = pieces_[mid].y_hi[k];
    if (rising ? y > end : y < end) lo = mid + 1; else hi = mid;
  }
  const auto& p = pieces_[lo];
  const auto& c = p.series[k];
  // Newton in x, kept inside a bracket that shrinks with every step.
  double a = lo == m.piece ? (2 * m.T - (p.Tmax + p.Tmin)) / (p.Tmax - p.Tmin) : -1, b = 1;
  const double ya = lo == m.piece ? m.y : p.y_lo[k], yb = p.y_hi[k];
  double x = yb != ya ? std::clamp(a + (1 - a) * (y - ya) / (yb - ya), a, 1.0) : 0.5 * (a + 1);
  for (int i = 0; i < 60; ++i) {
    const double f = clenshaw(c.c, x) - y;
    if (f == 0) break;
    if ((f < 0) == rising) a = x; else b = x;
    const double df = clenshaw(c.dc, x);
    double xn = df != 0 ? x - f / df : 0.5 * (a + b);
    if (!(xn > a && xn < b)) xn = 0.5 * (a + b);
    if (std::abs(xn - x) <= 1e-16) {
      x = xn;
      break;
    }
    x = xn;
    if (b - a < 1e-16) break;
  }
  return 0.5 * ((p.Tmax - p.Tmin) * x + p.Tmax + p.Tmin);
}

}  // namespace fluidcore
