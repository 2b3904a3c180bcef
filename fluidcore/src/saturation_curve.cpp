#include "fluidcore/saturation_curve.h"

#include <algorithm>
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
  pmin_ = pieces_.front().y_lo[0];
  pcrit_ = pieces_.back().y_hi[0];
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
  return {T, clenshaw(p.series[0].c, x), clenshaw(p.series[1].c, x),
          clenshaw(p.series[2].c, x)};
}

double SaturationCurve::temperature_at(Series s, double y) const {
  const int k = static_cast<int>(s);
  const bool rising = pieces_.back().y_hi[k] > pieces_.front().y_lo[k];
  // Ends of the curve.
  const double first = pieces_.front().y_lo[k], last = pieces_.back().y_hi[k];
  if (rising ? y <= first : y >= first) return Tmin();
  if (rising ? y >= last : y <= last) return Tcrit_;
  // The piece whose range holds y.
  std::size_t lo = 0, hi = pieces_.size() - 1;
  while (lo < hi) {
    const std::size_t mid = (lo + hi) / 2;
    const double end = pieces_[mid].y_hi[k];
    if (rising ? y > end : y < end) lo = mid + 1; else hi = mid;
  }
  const auto& p = pieces_[lo];
  const auto& c = p.series[k];
  // Newton in x, kept inside a bracket that shrinks with every step.
  double a = -1, b = 1;
  const double ya = p.y_lo[k], yb = p.y_hi[k];
  double x = yb != ya ? std::clamp(-1 + 2 * (y - ya) / (yb - ya), -1.0, 1.0) : 0.0;
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
