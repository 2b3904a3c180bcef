#include "fluidcore/saturation_line.h"

#include <algorithm>
#include <cmath>

#include "fluidcore/saturation.h"

namespace fluidcore {
namespace {

// Largest change of any variable that a step's prediction may miss by: from
// the first point its tangent (the miss grows with the square of the step),
// after that the cubic through the last two points (the fourth power), whose
// miss also bounds the error of the interpolation between them.
constexpr double kTangentTolerance = 2e-3;
constexpr double kCubicTolerance = 5e-5;
// Steps in 1/T stop where ln(rhoL/rhoV) falls below this: the critical
// region, where the line may turn in T.
constexpr double kCriticalSpread = 0.05;
// Steps in density stop here: closer to the critical point the solver can
// no longer tell the split from the trivial solution (both phases alike).
constexpr double kEndSpread = 1e-3;

// Cubic Hermite basis on s in [0, 1] (h: the interval's width).
double hermite(double s, double h, double v0, double d0, double v1, double d1) {
  const double s2 = s * s, s3 = s2 * s;
  return (2 * s3 - 3 * s2 + 1) * v0 + (s3 - 2 * s2 + s) * h * d0 + (-2 * s3 + 3 * s2) * v1 +
         (s3 - s2) * h * d1;
}

double hermite_slope(double s, double h, double v0, double d0, double v1, double d1) {
  const double s2 = s * s;
  return ((6 * s2 - 6 * s) * v0 + (-6 * s2 + 6 * s) * v1) / h + (3 * s2 - 4 * s + 1) * d0 +
         (3 * s2 - 2 * s) * d1;
}

}  // namespace

SaturationLine::SaturationLine(const Mixture& mixture, const Fractions& z, double beta,
                               double T_low, double T_high)
    : mixture_(&mixture), z_(z), beta_(beta), count_(kLnK + static_cast<std::size_t>(mixture.size())) {
  // The first point from the ideal solution at about 70 % of the reducing
  // temperature, where that estimate is reliable; other temperatures in
  // turn where it is not. The line is then followed both ways from there.
  Reducing r;
  mixture.reducing(z, false, r);
  const double T0 = std::clamp(0.7 * r.T, T_low, T_high);
  EquilibriumResult first;
  for (const double f : {1.0, 0.9, 1.1, 0.8, 1.2, 0.7, 1.3}) {
    const double T = std::clamp(f * T0, T_low, T_high);
    first = solve_equilibrium(mixture, z, Given::T_beta, T, beta,
                              ideal_solution_start(mixture, z, Given::T_beta, T, beta));
    if (first.converged) break;
  }
  if (!first.converged) return;
  Stretch down{node_of(first, Given::T_beta)};
  follow(down, Given::T_beta, 1 / T_low, kCriticalSpread);
  nodes_.assign(down.rbegin(), down.rend());
  follow(nodes_, Given::T_beta, 1 / T_high, kCriticalSpread);
  reaches_end_ = !empty() && nodes_.back().T < T_high;
}

const SaturationLine::Stretch& SaturationLine::end() const {
  std::call_once(end_->traced, [this] {
    if (reaches_end_) end_->nodes = towards_critical_point();
  });
  return end_->nodes;
}

TwoPhase SaturationLine::last() const {
  const Stretch& e = end();
  return state_of(e.empty() ? nodes_.back() : e.back());
}

SaturationLine::Node SaturationLine::node_of(const EquilibriumResult& r, Given given) const {
  const std::size_t n = count_ - kLnK;
  const TwoPhase& s = r.state;
  Node node;
  node.T = s.T;
  node.v[kLnT] = std::log(s.T);
  node.v[kLnP] = std::log(s.p);
  node.v[kLnRhoL] = std::log(s.rhoL);
  node.v[kLnRhoV] = std::log(s.rhoV);
  // The slopes come by the first given value's logarithm: d/du = -T d/d(ln T).
  const bool by_density = given == Given::rho_beta;
  node.x = by_density ? node.v[feed()] : 1 / s.T;
  const double factor = by_density ? 1 : -s.T;
  node.dv[kLnT] = factor * r.slope.lnT;
  node.dv[kLnP] = factor * r.slope.lnp;
  node.dv[kLnRhoL] = factor * r.slope.lnrhoL;
  node.dv[kLnRhoV] = factor * r.slope.lnrhoV;
  for (std::size_t i = 0; i < n; ++i) {
    const bool present = s.x[i] > 0 && s.y[i] > 0;
    node.v[kLnK + i] = present ? std::log(s.y[i] / s.x[i]) : 0;
    node.dv[kLnK + i] = present ? factor * r.slope.lnK[i] : 0;
  }
  return node;
}

void SaturationLine::follow(Stretch& nodes, Given given, double x_end, double spread) const {
  const bool by_density = given == Given::rho_beta;
  const double direction = x_end < nodes.back().x ? -1 : 1;  // in 1/T: -1 towards higher T
  const auto spread_of = [](const Node& node) {
    return std::abs(node.v[kLnRhoL] - node.v[kLnRhoV]);
  };
  // A first step of about 2 K, or in density a tenth of the way to the
  // other phase's.
  double h = by_density ? 0.1 * spread_of(nodes.back()) : 2 * nodes.back().x * nodes.back().x;
  while (direction * (x_end - nodes.back().x) > 0) {
    const Node& last = nodes.back();
    const double last_spread = spread_of(last);
    if (last_spread < spread) break;
    // The critical density lies about half way to the other phase's: at
    // most a quarter of the way there per step.
    if (by_density) h = std::min(h, 0.25 * last_spread);
    const double x = direction < 0 ? std::max(last.x - h, x_end) : std::min(last.x + h, x_end);
    const bool cubic = nodes.size() > 1;
    Node predicted;
    predicted.x = x;
    if (cubic) {
      const Node& before = nodes[nodes.size() - 2];
      const double width = last.x - before.x;
      const double s = (x - before.x) / width;
      for (std::size_t j = 0; j < count_; ++j)
        predicted.v[j] = hermite(s, width, before.v[j], before.dv[j], last.v[j], last.dv[j]);
    } else {
      for (std::size_t j = 0; j < count_; ++j) predicted.v[j] = last.v[j] + last.dv[j] * (x - last.x);
    }
    const double tolerance = cubic ? kCubicTolerance : kTangentTolerance;
    const double order = cubic ? 4 : 2;
    const auto r = solve_equilibrium(*mixture_, z_, given, by_density ? std::exp(x) : 1 / x, beta_,
                                     state_of(predicted.v));
    double miss = INFINITY;
    if (r.converged) {
      const Node solved = node_of(r, given);
      miss = 0;
      for (std::size_t j = 0; j < count_; ++j)
        miss = std::max(miss, std::abs(solved.v[j] - predicted.v[j]));
      if (miss <= tolerance) {
        nodes.push_back(solved);
        if (x == x_end) break;
        h *= std::clamp(0.8 * std::pow(tolerance / std::max(miss, 1e-12), 1 / order), 0.5, 2.0);
        continue;
      }
    }
    // Too long a step (or no convergence): shorter, down to 1 mK. In
    // density, within twice the end's spread of the critical point the
    // solutions' own noise (some parts in 1e5 of the densities) is what
    // misses: the line ends there.
    if (by_density && last_spread < 2 * spread) break;
    h *= std::isfinite(miss) ? std::clamp(0.8 * std::pow(tolerance / miss, 1 / order), 0.1, 0.8)
                             : 0.25;
    if (by_density ? h < 0.01 * last_spread : h / (last.x * last.x) < 1e-3) break;
  }
}

SaturationLine::Stretch SaturationLine::towards_critical_point() const {
  // The last point again with its feed density given, for its slopes along
  // the density; the feed phase's density then moves towards the other's.
  const TwoPhase s = state_of(nodes_.back());
  const double rho = beta_ < 0.5 ? s.rhoL : s.rhoV;
  const auto r = solve_equilibrium(*mixture_, z_, Given::rho_beta, rho, beta_, s);
  if (!r.converged) return {};
  Stretch end{node_of(r, Given::rho_beta)};
  const Node& start = end.front();
  const double other = beta_ < 0.5 ? start.v[kLnRhoV] : start.v[kLnRhoL];
  follow(end, Given::rho_beta, other, kEndSpread);
  if (end.size() < 2) return {};
  return end;
}

double SaturationLine::pmin() const { return std::exp(nodes_.front().v[kLnP]); }
double SaturationLine::pmax() const { return std::exp(nodes_.back().v[kLnP]); }

void SaturationLine::interpolate(const Stretch& nodes, std::size_t k, double x, double* v) const {
  const Node& a = nodes[k];
  const Node& b = nodes[k + 1];
  const double h = b.x - a.x;
  const double s = (x - a.x) / h;
  for (std::size_t j = 0; j < count_; ++j) v[j] = hermite(s, h, a.v[j], a.dv[j], b.v[j], b.dv[j]);
  if (&nodes == &nodes_) v[kLnT] = -std::log(x);  // x is 1/T
}

TwoPhase SaturationLine::state_of(const double* v) const {
  const std::size_t n = count_ - kLnK;
  TwoPhase s;
  s.T = std::exp(v[kLnT]);
  s.p = std::exp(v[kLnP]);
  s.rhoL = std::exp(v[kLnRhoL]);
  s.rhoV = std::exp(v[kLnRhoV]);
  s.beta = beta_;
  double sum = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const double K = std::exp(v[kLnK + i]);
    (beta_ < 0.5 ? s.y : s.x)[i] = beta_ < 0.5 ? z_[i] * K : z_[i] / K;
    sum += (beta_ < 0.5 ? s.y : s.x)[i];
  }
  for (std::size_t i = 0; i < n; ++i) {
    (beta_ < 0.5 ? s.y : s.x)[i] /= sum;
    (beta_ < 0.5 ? s.x : s.y)[i] = z_[i];
  }
  return s;
}

TwoPhase SaturationLine::state_of(const Node& node) const {
  TwoPhase s = state_of(node.v);
  s.T = node.T;
  return s;
}

std::optional<TwoPhase> SaturationLine::at_temperature(double T) const {
  // A rounding error below the lower limit (admitted as on it) the line's
  // first point stands.
  if (empty() || !(T >= lowest_admitted(Tmin()) && T <= Tmax() + kEndReachT)) return std::nullopt;
  if (T > Tmax()) return where(end(), kLnT, std::log(T));
  const double x = 1 / std::max(T, Tmin());
  // Nodes descend in x: the segment k with x_k >= x >= x_{k+1}.
  const auto it = std::lower_bound(nodes_.begin(), nodes_.end(), x,
                                   [](const Node& node, double value) { return node.x > value; });
  const std::size_t k = std::min<std::size_t>(
      it == nodes_.begin() ? 0 : static_cast<std::size_t>(it - nodes_.begin()) - 1, nodes_.size() - 2);
  double v[kVariables];
  interpolate(nodes_, k, x, v);
  TwoPhase s = state_of(v);
  s.T = T;
  return s;
}

std::optional<TwoPhase> SaturationLine::at_pressure(double p) const {
  if (!(p > 0)) return std::nullopt;
  return where(kLnP, std::log(p));
}

std::optional<TwoPhase> SaturationLine::at_density(double rho) const {
  if (!(rho > 0)) return std::nullopt;
  return where(feed(), std::log(rho));
}

std::optional<TwoPhase> SaturationLine::where(std::size_t j, double target) const {
  if (empty() || !std::isfinite(target)) return std::nullopt;
  if (auto s = where(nodes_, j, target)) return s;
  return where(end(), j, target);
}

std::optional<TwoPhase> SaturationLine::where(const Stretch& nodes, std::size_t j,
                                              double target) const {
  // The first segment whose ends enclose the target; inside it the Hermite
  // polynomial is solved by Newton steps kept within a shrinking bracket.
  for (std::size_t k = 0; k + 1 < nodes.size(); ++k) {
    const Node& a = nodes[k];
    const Node& b = nodes[k + 1];
    if ((target - a.v[j]) * (target - b.v[j]) > 0) continue;
    const double h = b.x - a.x;
    const double sign = b.v[j] >= a.v[j] ? 1 : -1;
    double lo = 0, hi = 1, s = (target - a.v[j]) / (b.v[j] - a.v[j]);
    if (!std::isfinite(s)) s = 0.5;
    for (int it = 0; it < 60; ++it) {
      const double f = sign * (hermite(s, h, a.v[j], a.dv[j], b.v[j], b.dv[j]) - target);
      (f < 0 ? lo : hi) = s;
      const double df = sign * hermite_slope(s, h, a.v[j], a.dv[j], b.v[j], b.dv[j]) * h;
      double next = df > 0 ? s - f / df : -1;
      if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
      const bool done = std::abs(next - s) < 1e-15 || hi - lo < 1e-15;
      s = next;
      if (done) break;
    }
    double v[kVariables];
    interpolate(nodes, k, a.x + s * h, v);
    v[j] = target;
    return state_of(v);
  }
  return std::nullopt;
}

}  // namespace fluidcore
