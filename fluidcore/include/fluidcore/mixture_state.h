// A mixture of fixed composition at one temperature: pressure, properties
// and the chemical-potential derivatives that phase equilibrium needs.
//
// Every residual Helmholtz energy (components and departure functions) is
// prepared once for the temperature and composition; each density then costs
// one pass over the terms.
//
// Chemical potentials are residual and reduced, at (T, V, n):
//   mu_i = d(n alphar)/dn_i,  ln f_i = ln(x_i rho R T) + mu_i,
// with the molar derivatives written out from alphar(tau, delta, x) for
// mole fractions taken as independent variables (N = total moles):
//   N dx_k/dn_i = delta_ik - x_k,   N drho/dn_i = rho.
// Writing G_k for the total derivative d/dx_k at fixed T and rho, P for the
// projection (P v)_i = v_i - sum_k x_k v_k, a_k = (dT_r/dx_k)/T_r and
// b_k = (dv_r/dx_k)/v_r:
//   G_k alphar = t a_k + d b_k + alphar_xk                  (= g_k)
//   G_k d      = dt a_k + (d + dd) b_k + d_xk                (= w_k)
//   tau d/dtau g_k = (t + tt) a_k + dt b_k + t_xk            (= u_k)
//   H_kl = G_l G_k alphar
//        = a_k a_l tt + (a_k b_l + b_k a_l) dt + b_k b_l dd + t T_r,kl/T_r
//          + d v_r,kl/v_r + a_k t_xl + a_l t_xk + b_k d_xl + b_l d_xk + alphar_xkxl
//   mu_i              = alphar + d + (P g)_i
//   rho dmu_i/drho    = 2d + dd + (P w)_i                 (T, x fixed)
//   T dmu_i/dT        = -t - dt - (P u)_i                  (rho, x fixed)
//   N dmu_i/dn_j      = 2d + dd + (P w)_i + (P w)_j + (P H P^T)_ij   (T, V fixed)
//   N dp/dn_j         = rho R T (1 + 2d + dd + (P w)_j)            (T, V fixed)
// (a, d, t, dd, tt, dt: the scaled derivatives of HelmholtzDerivatives.)
#pragma once

#include <array>
#include <vector>

#include "fluidcore/helmholtz.h"
#include "fluidcore/mixture.h"
#include "fluidcore/state.h"

namespace fluidcore {

// Chemical potentials of one phase and their derivatives (see above).
struct ChemicalPotentials {
  HelmholtzDerivatives ar;  // alphar of the mixture
  Fractions mu;             // mu_i
  Fractions mu_lnrho;       // rho dmu_i/drho
  Fractions mu_lnT;         // T dmu_i/dT
  Fractions d_n;            // (P w)_j: N dp/dn_j = rho R T (1 + 2d + dd + d_n[j])
  std::array<double, kMaxComponents * kMaxComponents> mu_n;  // N dmu_i/dn_j, n x n
};

class MixtureIsotherm {
 public:
  MixtureIsotherm() = default;
  // x: mole fractions summing to 1.
  MixtureIsotherm(const Mixture& mixture, double T, const Fractions& x) { set(mixture, T, x); }
  // Moves to another temperature or composition, keeping the buffers.
  void set(const Mixture& mixture, double T, const Fractions& x);

  const Mixture& mixture() const { return *mixture_; }
  double T() const { return T_; }
  const Fractions& x() const { return x_; }
  double gas_constant() const { return R_; }
  double molar_mass() const { return M_; }
  const Reducing& reducing() const { return reducing_; }

  struct Pressure { double p, dp_drho; };
  Pressure pressure(double rho) const;
  Pressure pressure(double rho, const HelmholtzDerivatives& ar) const;
  // alphar of the mixture at rho.
  HelmholtzDerivatives residual(double rho) const;
  // Every property; rho > 0.
  State state(double rho) const;
  State state(double rho, const HelmholtzDerivatives& ar) const;
  void chemical_potentials(double rho, ChemicalPotentials& out) const;

 private:
  // The residual parts at delta: component i's alphar_i, and F_ij alphar_ij
  // of departure function k.
  HelmholtzDerivatives component(int i, double delta) const;
  HelmholtzDerivatives departure(std::size_t k, double delta) const;

  const Mixture* mixture_ = nullptr;
  double T_ = 0, tau_ = 0, R_ = 0, M_ = 0;
  Fractions x_{};
  Reducing reducing_;
  std::vector<ResidualHelmholtz::Prepared> prepared_;  // components, then departures
  struct Departure { int i, j; double F; const ResidualHelmholtz* alphar; };
  std::vector<Departure> departures_;
};

}  // namespace fluidcore
