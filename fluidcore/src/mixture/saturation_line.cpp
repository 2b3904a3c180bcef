#include "fluidcore/saturation_line.h"

#include <algorithm>
#include <cmath>

namespace fluidcore {
namespace {

// Largest change of any variable that a step's prediction may miss by: from
// the first point its tangent (the miss grows with the square of the step),
// after that the cubic through the last two points (the fourth power), whose
// miss also bounds the error of the interpolation between them.
constexpr double kTangentTolerance = 2e-3;
constexpr double kCubicTolerance = 5e-5;
// Tracing stops where ln(rhoL/rhoV) falls below this: the critical region.
constexpr double kCriticalSpread = 0.05;

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
    : mixture_(&mixture), z_(z), beta_(beta), count_(3 + static_cast<std::size_t>(mixture.size())) {
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
  std::vector<Node> down{node_of(first)};
  follow(down, 1 / T_low);
  nodes_.assign(down.rbegin(), down.rend());
  follow(nodes_, 1 / T_high);
}

SaturationLine::Node SaturationLine::node_of(const EquilibriumResult& r) const {
  const std::size_t n = count_ - 3;
  const TwoPhase& s = r.state;
  Node node;
  node.u = 1 / s.T;
  node.v[0] = std::log(s.p);
  node.v[1] = std::log(s.rhoL);
  node.v[2] = std::log(s.rhoV);
  // d/du = -T d/dlnT.
  node.dv[0] = -s.T * r.slope.lnp;
  node.dv[1] = -s.T * r.slope.lnrhoL;
  node.dv[2] = -s.T * r.slope.lnrhoV;
  for (std::size_t i = 0; i < n; ++i) {
    const bool present = s.x[i] > 0 && s.y[i] > 0;
    node.v[3 + i] = present ? std::log(s.y[i] / s.x[i]) : 0;
    node.dv[3 + i] = present ? -s.T * r.slope.lnK[i] : 0;
  }
  return node;
}

void SaturationLine::follow(std::vector<Node>& nodes, double u_end) const {
  const double direction = u_end < nodes.back().u ? -1 : 1;  // -1: towards higher T
  const double T_first = 1 / nodes.back().u;
  double h = 2 / (T_first * T_first);  // a first step of about 2 K
  while (direction * (u_end - nodes.back().u) > 0) {
    const Node& last = nodes.back();
    if (std::abs(last.v[1] - last.v[2]) < kCriticalSpread) break;
    const double u = direction < 0 ? std::max(last.u - h, u_end) : std::min(last.u + h, u_end);
    const bool cubic = nodes.size() > 1;
    Node predicted;
    predicted.u = u;
    if (cubic) {
      const Node& before = nodes[nodes.size() - 2];
      const double width = last.u - before.u;
      const double s = (u - before.u) / width;
      for (std::size_t j = 0; j < count_; ++j)
        predicted.v[j] = hermite(s, width, before.v[j], before.dv[j], last.v[j], last.dv[j]);
    } else {
      for (std::size_t j = 0; j < count_; ++j) predicted.v[j] = last.v[j] + last.dv[j] * (u - last.u);
    }
    const double tolerance = cubic ? kCubicTolerance : kTangentTolerance;
    const double order = cubic ? 4 : 2;
    const auto r =
        solve_equilibrium(*mixture_, z_, Given::T_beta, 1 / u, beta_, state_of(predicted, predicted.v));
    double miss = INFINITY;
    if (r.converged) {
      const Node solved = node_of(r);
      miss = 0;
      for (std::size_t j = 0; j < count_; ++j)
        miss = std::max(miss, std::abs(solved.v[j] - predicted.v[j]));
      if (miss <= tolerance) {
        nodes.push_back(solved);
        if (u == u_end) break;
        h *= std::clamp(0.8 * std::pow(tolerance / std::max(miss, 1e-12), 1 / order), 0.5, 2.0);
        continue;
      }
    }
    // Too long a step (or no convergence): shorter, down to 1 mK.
    h *= std::isfinite(miss) ? std::clamp(0.8 * std::pow(tolerance / miss, 1 / order), 0.1, 0.8)
                             : 0.25;
    const double T_last = 1 / last.u;
    if (h * T_last * T_last < 1e-3) break;
  }
}

double SaturationLine::pmin() const { return std::exp(nodes_.front().v[0]); }
double SaturationLine::pmax() const { return std::exp(nodes_.back().v[0]); }

void SaturationLine::interpolate(std::size_t k, double u, double* v) const {
  const Node& a = nodes_[k];
  const Node& b = nodes_[k + 1];
  const double h = b.u - a.u;
  const double s = (u - a.u) / h;
  for (std::size_t j = 0; j < count_; ++j) v[j] = hermite(s, h, a.v[j], a.dv[j], b.v[j], b.dv[j]);
}

TwoPhase SaturationLine::state_of(const Node& at, const double* v) const {
  const std::size_t n = count_ - 3;
  TwoPhase s;
  s.T = 1 / at.u;
  s.p = std::exp(v[0]);
  s.rhoL = std::exp(v[1]);
  s.rhoV = std::exp(v[2]);
  s.beta = beta_;
  double sum = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const double K = std::exp(v[3 + i]);
    (beta_ < 0.5 ? s.y : s.x)[i] = beta_ < 0.5 ? z_[i] * K : z_[i] / K;
    sum += (beta_ < 0.5 ? s.y : s.x)[i];
  }
  for (std::size_t i = 0; i < n; ++i) {
    (beta_ < 0.5 ? s.y : s.x)[i] /= sum;
    (beta_ < 0.5 ? s.x : s.y)[i] = z_[i];
  }
  return s;
}

std::optional<TwoPhase> SaturationLine::at_temperature(double T) const {
  if (empty() || !(T >= Tmin() && T <= Tmax())) return std::nullopt;
  const double u = 1 / T;
  // Nodes descend in u: the segment k with u_k >= u >= u_{k+1}.
  const auto it = std::lower_bound(nodes_.begin(), nodes_.end(), u,
                                   [](const Node& node, double value) { return node.u > value; });
  const std::size_t k = std::min<std::size_t>(
      it == nodes_.begin() ? 0 : static_cast<std::size_t>(it - nodes_.begin()) - 1, nodes_.size() - 2);
  Node at;
  at.u = u;
  interpolate(k, u, at.v);
  return state_of(at, at.v);
}

std::optional<TwoPhase> SaturationLine::at_pressure(double p) const {
  if (!(p > 0)) return std::nullopt;
  return where(0, std::log(p));
}

std::optional<TwoPhase> SaturationLine::at_density(double rho) const {
  if (!(rho > 0)) return std::nullopt;
  return where(beta_ < 0.5 ? 1 : 2, std::log(rho));
}

std::optional<TwoPhase> SaturationLine::where(std::size_t j, double target) const {
  if (empty() || !std::isfinite(target)) return std::nullopt;
  // The first segment whose ends enclose the target; inside it the Hermite
  // polynomial is solved by Newton steps kept within a shrinking bracket.
  for (std::size_t k = 0; k + 1 < nodes_.size(); ++k) {
    const Node& a = nodes_[k];
    const Node& b = nodes_[k + 1];
    if ((target - a.v[j]) * (target - b.v[j]) > 0) continue;
    const double h = b.u - a.u;
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
    Node at;
    at.u = a.u + s * h;
    interpolate(k, at.u, at.v);
    at.v[j] = target;
    return state_of(at, at.v);
  }
  return std::nullopt;
}

}  // namespace fluidcore
