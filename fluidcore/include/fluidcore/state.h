// Properties of a single-phase state (T, rho) as thin formulas on alpha.
//
// State is a small value type: the inputs, every property, and the partial
// derivatives the solvers need. Isotherm evaluates states along one
// temperature and computes the tau factors and the ideal-gas part once.
#pragma once

#include "fluidcore/helmholtz.h"
#include "fluidcore/pure_fluid.h"

namespace fluidcore {

// Units: K, mol/dm^3, kPa, J/mol, J/(mol K), m/s, K/kPa.
struct State {
  double T = 0, rho = 0;
  double p = 0, e = 0, h = 0, s = 0, g = 0, cv = 0, cp = 0, w = 0, jt = 0;
  // Partial derivatives: (dp/drho)_T, (dp/dT)_rho, (dh/dT)_rho, (dh/drho)_T,
  // (ds/drho)_T, (de/drho)_T; (ds/dT)_rho = cv/T and (de/dT)_rho = cv.
  double dp_drho = 0, dp_dT = 0, dh_dT = 0, dh_drho = 0, ds_drho = 0, de_drho = 0;
};

// From the ideal-gas derivatives a0 (at delta = 1: a excludes ln(delta)) and
// the residual derivatives ar at (tau, delta). rho > 0.
State make_state(const PureFluid& fluid, double T, double rho,
                 const HelmholtzDerivatives& a0, const HelmholtzDerivatives& ar);
// The same for any model (a mixture): gas constant R [J/(mol K)], molar mass
// [g/mol], and ideal-gas derivatives a0 whose a includes the ln(delta) term.
State make_state(double R, double molar_mass, double T, double rho,
                 const HelmholtzDerivatives& a0, const HelmholtzDerivatives& ar);

// One-shot evaluation. T > 0, rho > 0.
State evaluate_state(const PureFluid& fluid, double T, double rho);

// Evaluations at one temperature.
class Isotherm {
 public:
  Isotherm(const PureFluid& fluid, double T);
  double T() const { return T_; }
  const PureFluid& fluid() const { return *fluid_; }

  // Pressure and (dp/drho)_T at rho, from the residual part only.
  struct Pressure { double p, dp_drho; };
  Pressure pressure(double rho) const;
  State state(double rho) const;
  // The two steps of state(): the residual derivatives at rho, and the
  // state built from them (solvers keep the last evaluation).
  HelmholtzDerivatives residual(double rho) const;
  Pressure pressure(double rho, const HelmholtzDerivatives& ar) const;
  State state(double rho, const HelmholtzDerivatives& ar) const;

 private:
  const PureFluid* fluid_;
  double T_;
  ResidualHelmholtz::Prepared prepared_;
  HelmholtzDerivatives ideal_;  // at delta = 1
};

}  // namespace fluidcore
