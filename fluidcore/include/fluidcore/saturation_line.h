// The bubble line (beta = 0) or dew line (beta = 1) of a mixture of fixed
// composition, traced once and then interpolated.
//
// Tracing starts from the ideal-solution estimate at a moderate temperature
// and follows the line both ways in steps of 1/T, each point predicted by the
// cubic through the last two points and their slopes
// (EquilibriumResult::slope) and solved exactly; a step whose prediction
// misses by more than a set amount is retried shorter.
// Upwards the steps in 1/T stop where the two phases become nearly alike
// (close to the critical point) or the solver no longer converges. Close to
// the critical point a line can turn in T (a dew line past its highest
// temperature) or in p (past its highest pressure), so from there it is
// followed on towards the critical point in steps of the feed phase's density
// (the vapour's on a dew line, the liquid's on a bubble line), which moves
// steadily towards the critical density, until the phases differ by about a
// part in 1000: the end of the line, traced when first needed (most flashes
// lie within the steps in 1/T). What lies beyond (within a few parts in 1e5
// of the critical pressure) only the critical point itself stands for.
//
// Between the traced points every variable (1/T, ln p, ln rhoL, ln rhoV,
// ln K_i) is a cubic Hermite polynomial in the stretch's own variable: the
// interpolated state is within about 1e-6 of the exact one, which makes it
// both a reliable phase decision away from the line and a starting point from
// which the exact solution takes one or two Newton steps. Where a line holds
// a value twice (a dew line at temperatures between the critical one and its
// highest), the look-ups give the point met first from the lower limit.
#pragma once

#include <memory>
#include <mutex>
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
  double Tmin() const { return nodes_.front().T; }
  // The highest temperature and pressure of the steps in 1/T. The end of
  // the line lies within kEndReachT above Tmax (above, at_temperature does
  // not look), and both lines' ends within a factor kEndReachP above the
  // higher of their pmax.
  static constexpr double kEndReachT = 0.5, kEndReachP = 1.01;
  double Tmax() const { return nodes_.back().T; }
  double pmin() const;
  double pmax() const;

  // Interpolated state at T (Tmin <= T <= Tmax, Tmin as far as the limits
  // admit: saturation.h), at p, or where the feed
  // phase (the liquid of a bubble line, the vapour of a dew line) has the
  // density rho; nullopt outside the traced part.
  std::optional<TwoPhase> at_temperature(double T) const;
  std::optional<TwoPhase> at_pressure(double p) const;
  std::optional<TwoPhase> at_density(double rho) const;
  // The first traced point (at the lower temperature limit) and the last
  // (the end of the line, close to the critical point).
  TwoPhase first() const { return state_of(nodes_.front()); }
  TwoPhase last() const;

 private:
  // Variables: v[0] = ln T, v[1] = ln p, v[2] = ln rhoL, v[3] = ln rhoV,
  // v[4 + i] = ln K_i; x is the stretch's own variable (1/T, or ln of the
  // feed phase's density) and dv = d/dx of each. T: the node's own, exactly.
  static constexpr std::size_t kLnT = 0, kLnP = 1, kLnRhoL = 2, kLnRhoV = 3, kLnK = 4;
  static constexpr std::size_t kVariables = kLnK + kMaxComponents;
  struct Node {
    double x = 0, T = 0;
    double v[kVariables], dv[kVariables];
  };
  using Stretch = std::vector<Node>;
  // The node of a solution found with the given value `given` (T_beta:
  // x = 1/T; rho_beta: x = ln of the feed phase's density).
  Node node_of(const EquilibriumResult& solved, Given given) const;
  // Extends `nodes` from its last point towards x_end, step by step, while
  // the phases differ by more than `spread`.
  void follow(Stretch& nodes, Given given, double x_end, double spread) const;
  // The stretch beyond nodes_ towards the critical point, traced once.
  Stretch towards_critical_point() const;
  const Stretch& end() const;
  void interpolate(const Stretch& nodes, std::size_t segment, double x, double* v) const;
  // The interpolated state where variable j first takes the value target.
  std::optional<TwoPhase> where(std::size_t j, double target) const;
  std::optional<TwoPhase> where(const Stretch& nodes, std::size_t j, double target) const;
  TwoPhase state_of(const double* v) const;
  TwoPhase state_of(const Node& node) const;
  std::size_t feed() const { return beta_ < 0.5 ? kLnRhoL : kLnRhoV; }

  const Mixture* mixture_;
  Fractions z_;
  double beta_;
  std::size_t count_;  // 4 + number of components
  Stretch nodes_;      // in steps of 1/T, ascending T (descending x)
  bool reaches_end_ = false;  // the steps in 1/T stopped short of T_high
  // In steps of the feed phase's density, from nodes_.back().
  struct End {
    std::once_flag traced;
    Stretch nodes;
  };
  std::unique_ptr<End> end_ = std::make_unique<End>();
};

}  // namespace fluidcore
