// Vapour-liquid equilibrium of a mixture: bubble and dew points, and the
// split of a two-phase state into its liquid and vapour.
//
// One Newton solver serves every case. Its unknowns are ln K_i (K_i =
// y_i/x_i), ln T, ln rhoL, ln rhoV and the vapour fraction beta; the phase
// compositions follow from the overall composition z (Rachford-Rice):
//   x_i = z_i / (1 + beta (K_i - 1)),   y_i = K_i x_i.
// Equations: equal fugacities, ln K_i + ln(rhoV/rhoL) + mu_i(V) - mu_i(L) = 0
// (mu: residual chemical potentials, mixture_state.h); sum (y_i - x_i) = 0;
// equal pressures; and two of ln T = ln T0, ln p = ln p0, beta = beta0. The
// Jacobian is analytic (the composition derivatives of mu included), so the
// iteration converges quadratically from the starting values of the
// components' saturation curves (an ideal solution).
#pragma once

#include <cmath>
#include <string>

#include "fluidcore/mixture.h"

namespace fluidcore {

// Two phases in equilibrium. beta = 0: bubble point (x = z, y incipient);
// beta = 1: dew point (y = z, x incipient).
struct TwoPhase {
  double T = 0, p = 0, beta = 0;
  double rhoL = 0, rhoV = 0;
  Fractions x{}, y{};
};

// ln(rhoL/rhoV): how far the phases of a split are apart (negative where
// the liquid found is the lighter one).
inline double spread(const TwoPhase& t) { return std::log(t.rhoL / t.rhoV); }

// The two given values, in the order of their names: T and beta, p and beta,
// T and p, T and the overall density, or the density of the feed phase (the
// liquid at a bubble point, the vapour at a dew point) and beta (0 or 1).
enum class Given { T_beta, p_beta, T_p, T_rho, rho_beta };

// The unknowns of a two-phase state in the solver's own variables.
struct TwoPhaseVariables {
  double lnT = 0, lnp = 0, lnrhoL = 0, lnrhoV = 0;
  Fractions lnK{};
};

struct EquilibriumResult {
  bool converged = false;
  TwoPhase state;
  int iterations = 0;
  // When converged: how the solution moves with the first given value,
  // d/d(ln T) (ln p, ln rho for Given::p_beta, rho_beta) of every variable.
  TwoPhaseVariables slope;
};

// Newton from `start` (every field set) to the state with the given values.
// Converged only for a non-trivial split (rhoL > rhoV, on rising branches of
// both phases).
EquilibriumResult solve_equilibrium(const Mixture& mixture, const Fractions& z, Given given,
                                    double first, double second, const TwoPhase& start);

// Starting values for a bubble (beta = 0) or dew (beta = 1) point at T or
// at p, from the components' saturation curves as if the mixture were an
// ideal solution; densities on their branches.
TwoPhase ideal_solution_start(const Mixture& mixture, const Fractions& z, Given given,
                              double value, double beta);

}  // namespace fluidcore
