// The bubble line (beta = 0) or dew line (beta = 1) of a mixture of fixed
// composition, traced once and then interpolated.
//
// Tracing starts from the ideal-solution estimate at a moderate temperature
// and follows the line both ways in steps of 1/T, each point predicted by the
// cubic through the last two points and their slopes
// (EquilibriumResult::slope) and solved exactly; a step whose prediction
// misses by more than a set amount is retried shorter.
// Upwards it stops where the two phases become nearly alike (close to the
// critical point) or the solver no longer converges. Between the traced points every variable
// (ln p, ln K_i, ln rhoL, ln rhoV) is a cubic Hermite polynomial in 1/T: the
// interpolated state is within about 1e-6 of the exact one, which makes it
// both a reliable phase decision away from the line and a starting point
// from which the exact solution takes one or two Newton steps.
#pragma once

#include <optional>
#include <vector>

#include "fluidcore/mixture.h"
#include "fluidcore/phase_equilibrium.h"

namespace fluidcore {

class SaturationLine {
 public:
  // Traces the line of z between T_low and T_high, as far as it goes.
  SaturationLine(const Mixture& mixture, const Fractions& z, double beta, double T_low,
                 double T_high);

  bool empty() const { return nodes_.size() < 2; }
  double Tmin() const { return 1 / nodes_.front().u; }
  double Tmax() const { return 1 / nodes_.back().u; }
  double pmin() const;
  double pmax() const;

  // Interpolated state at T (Tmin <= T <= Tmax), at p, or where the feed
  // phase (the liquid of a bubble line, the vapour of a dew line) has the
  // density rho; nullopt outside the traced part.
  std::optional<TwoPhase> at_temperature(double T) const;
  std::optional<TwoPhase> at_pressure(double p) const;
  std::optional<TwoPhase> at_density(double rho) const;
  // The first traced point (at the lower temperature limit) and the last
  // (where the line was left, close to the critical point).
  TwoPhase first() const { return state_of(nodes_.front(), nodes_.front().v); }
  TwoPhase last() const { return state_of(nodes_.back(), nodes_.back().v); }

 private:
  // Variables in 1/T: v[0] = ln p, v[1] = ln rhoL, v[2] = ln rhoV,
  // v[3 + i] = ln K_i; dv = d/du of each.
  static constexpr std::size_t kVariables = 3 + kMaxComponents;
  struct Node {
    double u = 0;
    double v[kVariables], dv[kVariables];
  };
  Node node_of(const EquilibriumResult& solved) const;
  // Extends `nodes` from its last point towards u_end, step by step.
  void follow(std::vector<Node>& nodes, double u_end) const;
  void interpolate(std::size_t segment, double u, double* v) const;
  // The interpolated state where variable j takes the value target.
  std::optional<TwoPhase> where(std::size_t j, double target) const;
  TwoPhase state_of(const Node& at, const double* v) const;

  const Mixture* mixture_;
  Fractions z_;
  double beta_;
  std::size_t count_;  // 3 + number of components
  std::vector<Node> nodes_;  // ascending T (descending u)
};

}  // namespace fluidcore
