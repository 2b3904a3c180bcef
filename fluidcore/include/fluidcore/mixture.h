// The multi-fluid mixture model: an immutable set of pure-fluid models joined
// by composition-dependent reducing functions and departure functions.
//
// With mole fractions x (sum 1), tau = T_r(x)/T and delta = rho/rho_r(x):
//   T_r(x)   = sum_i x_i^2 T_ci + sum_{i<j} c^T_ij f(x_i, x_j; beta_T,ij)
//   v_r(x)   = sum_i x_i^2 v_ci + sum_{i<j} c^v_ij f(x_i, x_j; beta_v,ij)
//   f(x_i, x_j; beta) = x_i x_j (x_i + x_j) / (beta^2 x_i + x_j)
//   c^T_ij = 2 beta_T gamma_T sqrt(T_ci T_cj),
//   c^v_ij = 2 beta_v gamma_v (v_ci^(1/3) + v_cj^(1/3))^3 / 8   (v = 1/rho)
//   alphar(tau, delta, x) = sum_i x_i alphar_i(tau, delta)
//                         + sum_{i<j} x_i x_j F_ij alphar_ij(tau, delta)
//   alpha0(T, rho, x) = sum_i x_i [alpha0_i(T_ci/T, rho/rho_ci) + ln x_i]
// T_ci, rho_ci are each fluid's reducing values in T_r and v_r, and its
// critical values in alpha0_i (the two differ for a few fluids, R134a among
// them). The residual part uses the gas constant kGasConstant, each ideal-gas
// part its fluid's own R_i, so that the molar Helmholtz energy is
//   a = T sum_i x_i R_i [alpha0_i + ln x_i] + R T alphar,
// and the pressure p = rho R T (1 + delta alphar_delta). These choices follow
// the established implementations of the model, so that published mixture
// tables are reproduced to their last digits.
//
// A pair without published parameters uses beta = gamma = 1 and F = 0 (the
// Lorentz-Berthelot estimate); the model keeps a list of such pairs so that
// whoever loads it can warn about them.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "fluidcore/helmholtz.h"
#include "fluidcore/pure_fluid.h"

namespace fluidcore {

inline constexpr int kMaxComponents = 20;

// Mole fractions; entries beyond the mixture's size are 0.
using Fractions = std::array<double, kMaxComponents>;

// The published parameters of one pair, for fluid1 before fluid2.
struct PairParameters {
  double beta_T = 1, gamma_T = 1, beta_v = 1, gamma_v = 1, F = 0;
};

// The reducing temperature and volume at a composition, and their derivatives
// by the mole fractions taken as independent variables.
struct Reducing {
  double T = 0, v = 0;       // T_r [K], v_r = 1/rho_r [dm^3/mol]
  Fractions T_x, v_x;        // dT_r/dx_k, dv_r/dx_k
  // d2/dx_k dx_l, row-major n x n (filled only when asked for).
  std::array<double, kMaxComponents * kMaxComponents> T_xx, v_xx;
};

class Mixture {
 public:
  static constexpr double kGasConstant = 8.31446261815324;  // J/(mol K), CODATA 2018

  struct Pair {
    PairParameters parameters;           // in the order (i, j), i < j
    std::shared_ptr<const ResidualHelmholtz> departure;  // null: none
    bool estimated = false;              // no published parameters
  };

  // fluids: the components in order; pairs: for every i < j, row by row
  // (pair(0,1), pair(0,2), ..., pair(1,2), ...). Throws std::invalid_argument
  // on sizes that do not fit.
  Mixture(std::vector<std::shared_ptr<const PureFluid>> fluids, std::vector<Pair> pairs);

  int size() const { return static_cast<int>(fluids_.size()); }
  const PureFluid& fluid(int i) const { return *fluids_[static_cast<std::size_t>(i)]; }
  const Pair& pair(int i, int j) const;  // i != j, either order (parameters as stored)

  // "R32/R125"; the names of the pairs estimated for want of parameters.
  std::string name() const;
  std::vector<std::string> estimated_pairs() const;

  double molar_mass(const Fractions& x) const;  // g/mol
  // The densest state the solvers consider: twice the density of an ideal
  // mix of the components' densest saturated liquids [mol/dm^3].
  double density_cap(const Fractions& x) const;

  // second: also the second derivatives.
  void reducing(const Fractions& x, bool second, Reducing& out) const;

 private:
  struct PairTerms {
    double cT = 0, cv = 0;      // c^T_ij, c^v_ij
    double bT2 = 1, bv2 = 1;    // beta_T^2, beta_v^2
  };
  std::vector<std::shared_ptr<const PureFluid>> fluids_;
  std::vector<Pair> pairs_;
  std::vector<PairTerms> terms_;
  std::size_t pair_index(int i, int j) const;
};

}  // namespace fluidcore
