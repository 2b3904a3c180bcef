#include "fluidcore/state.h"

#include <algorithm>
#include <cmath>

namespace fluidcore {

State make_state(const PureFluid& fluid, double T, double rho,
                 const HelmholtzDerivatives& a0, const HelmholtzDerivatives& ar) {
  HelmholtzDerivatives with_delta = a0;
  with_delta.a += log_delta(rho, fluid.rho_reducing);
  return make_state(fluid.gas_constant, fluid.molar_mass, T, rho, with_delta, ar);
}

State make_state(double R, double molar_mass, double T, double rho,
                 const HelmholtzDerivatives& a0, const HelmholtzDerivatives& ar) {
  const double RT = R * T;
  const double tau_alpha_t = a0.t + ar.t;     // tau (alpha0_t + alphar_t)
  const double tau2_alpha_tt = a0.tt + ar.tt;  // tau^2 (alpha0_tt + alphar_tt)
  const double one_d = 1 + ar.d;               // 1 + delta alphar_d
  const double dp_term = 1 + 2 * ar.d + ar.dd; // (dp/drho)_T / (R T)
  const double dT_term = 1 + ar.d - ar.dt;     // (dp/dT)_rho / (rho R)
  State s;
  s.T = T;
  s.rho = rho;
  s.p = rho * RT * one_d;
  s.e = RT * tau_alpha_t;
  s.h = RT * (tau_alpha_t + one_d);
  s.s = R * (tau_alpha_t - a0.a - ar.a);
  s.g = RT * (1 + a0.a + ar.a + ar.d);
  s.cv = -R * tau2_alpha_tt;
  s.cp = s.cv + R * dT_term * dT_term / dp_term;
  const double w2 = RT / (molar_mass * 1e-3) * (dp_term - dT_term * dT_term / tau2_alpha_tt);
  s.w = std::sqrt(std::max(w2, 0.0));
  s.jt = -(ar.d + ar.dd + ar.dt) /
         ((dT_term * dT_term - tau2_alpha_tt * dp_term) * R * rho);
  s.dp_drho = RT * dp_term;
  s.dp_dT = rho * R * dT_term;
  s.dh_dT = R * (-tau2_alpha_tt + dT_term);
  s.dh_drho = RT / rho * (ar.dt + ar.d + ar.dd);
  s.ds_drho = -R / rho * dT_term;
  s.de_drho = RT / rho * ar.dt;
  return s;
}

State evaluate_state(const PureFluid& fluid, double T, double rho) {
  return Isotherm(fluid, T).state(rho);
}

Isotherm::Isotherm(const PureFluid& fluid, double T)
    : fluid_(&fluid), T_(T), ideal_(fluid.ideal.evaluate(fluid.tau(T), 1.0)) {
  fluid.residual.prepare(fluid.tau(T), prepared_);
}

HelmholtzDerivatives Isotherm::residual(double rho) const {
  return fluid_->residual.evaluate(prepared_, fluid_->delta(rho));
}

Isotherm::Pressure Isotherm::pressure(double rho, const HelmholtzDerivatives& ar) const {
  const double RT = fluid_->gas_constant * T_;
  return {rho * RT * (1 + ar.d), RT * (1 + 2 * ar.d + ar.dd)};
}

Isotherm::Pressure Isotherm::pressure(double rho) const { return pressure(rho, residual(rho)); }

State Isotherm::state(double rho, const HelmholtzDerivatives& ar) const {
  return make_state(*fluid_, T_, rho, ideal_, ar);
}

State Isotherm::state(double rho) const { return state(rho, residual(rho)); }

}  // namespace fluidcore
