// The critical point of a mixture of fixed composition.
//
// At (T, V) with n moles, Q_ij = d ln f_i / d n_j = delta_ij/n_i + d mu_i/d n_j
// (mixture_state.h). The critical point satisfies (Heidemann and Khalil)
//   lambda_min(Q) = 0, and
//   C = sum_ijk d3A/(dn_i dn_j dn_k) v_i v_j v_k = 0 along Q's null vector v,
// with C the derivative of v^T Q(n + e v) v by e at e = 0 (a central
// difference). Newton's method on (T, rho) solves the two conditions, with a
// finite-difference Jacobian, from a start close to the critical point: the
// reducing point, or the end of the traced saturation lines.
#pragma once

#include "fluidcore/mixture.h"

namespace fluidcore {

struct MixtureCriticalPoint {
  double T = 0, p = 0, rho = 0;
  bool converged = false;  // false: an estimate (the start)
};

// z: mole fractions summing to 1; (T0, rho0): the start.
MixtureCriticalPoint mixture_critical_point(const Mixture& mixture, const Fractions& z,
                                            double T0, double rho0);

}  // namespace fluidcore
