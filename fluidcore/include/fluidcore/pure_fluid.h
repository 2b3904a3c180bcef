// The immutable model of one pure fluid: constants, limits, the Helmholtz
// energy and the saturation curve. Built once from its fluid file
// (fluid_file.h) and shared read-only (std::shared_ptr<const PureFluid>), so
// any number of threads may evaluate it at once.
//
// A mixture of fixed composition looks the same to the single-phase code:
// reducing values T_r(x), rho_r(x) in place of T_reducing/rho_reducing, the
// ideal part as sum x_i (alpha0_i + ln x_i) with each component at its own
// reducing point, and the residual part as sum x_i alphar_i + sum x_i x_j
// F_ij alphar_ij at the mixture's (tau, delta), all added with
// HelmholtzDerivatives::add_scaled. Isotherm (state.h) is where such a model
// would be evaluated; the saturation curve is the one part a mixture
// replaces with its own phase-equilibrium solver (bubble and dew points).
#pragma once

#include <string>
#include <vector>

#include "fluidcore/helmholtz.h"
#include "fluidcore/saturation_curve.h"

namespace fluidcore {

struct PureFluid {
  std::string name;
  std::vector<std::string> aliases;
  std::string cas;          // CAS registry number ("" when unknown)
  double molar_mass = 0;    // g/mol
  double gas_constant = 0;  // J/(mol K), as used by this equation
  double T_reducing = 0;    // tau = T_reducing / T
  double rho_reducing = 0;  // delta = rho / rho_reducing [mol/dm^3]
  struct { double T = 0, p = 0, rho = 0; } critical;  // as published
  struct { double T = 0, p_liquid = 0, rho_liquid = 0, rho_vapour = 0; } triple;
  struct { double Tmin = 0, Tmax = 0, pmax = 0; } limits;
  IdealGasHelmholtz ideal;
  ResidualHelmholtz residual;
  SaturationCurve saturation;  // up to the equation's own critical point
  double psat_min = 0;         // saturation pressure at limits.Tmin (saturation.h)

  double tau(double T) const { return T_reducing / T; }
  double delta(double rho) const { return rho / rho_reducing; }
  // The equation's own critical point (end of the saturation curve).
  double Tcrit() const { return saturation.Tcrit(); }
  double pcrit() const { return saturation.pcrit(); }
  double rhocrit() const { return saturation.rhocrit(); }
};

}  // namespace fluidcore
