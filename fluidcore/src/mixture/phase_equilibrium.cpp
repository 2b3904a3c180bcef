#include "fluidcore/phase_equilibrium.h"

#include <algorithm>
#include <cmath>

#include "numerics/dense_solve.h"
#include "fluidcore/mixture_state.h"
#include "eos/density_solve.h"

namespace fluidcore {
namespace {

constexpr std::size_t kMaxUnknowns = kMaxComponents + 4;

// Pure-fluid saturation pressure and liquid density at T, continued past the
// ends of the curve: ln p linear in 1/T with the slope at the end.
struct PureSaturation {
  double p, rhoL;
};

PureSaturation pure_saturation(const PureFluid& f, double T) {
  const auto& c = f.saturation;
  const double Tend = std::clamp(T, c.Tmin(), c.Tcrit());
  double dp_dT = 0;
  const double p_end = c.value(SaturationCurve::Series::pressure, Tend, &dp_dT);
  double p = p_end;
  if (T != Tend) {
    // d ln p / d(1/T) = -T^2 (dp/dT)/p, finite at the critical point.
    const double slope = -Tend * Tend * dp_dT / p_end;
    p = p_end * std::exp(slope * (1 / T - 1 / Tend));
  }
  const double rhoL = T < c.Tcrit() ? c.value(SaturationCurve::Series::liquid_density, Tend)
                                    : c.rhocrit();
  return {p, rhoL};
}

// The ideal-solution bubble or dew pressure at T and its K-factors.
double ideal_pressure(const Mixture& m, const Fractions& z, double T, double beta,
                      Fractions& p_sat, Fractions& rhoL_sat) {
  double sum = 0;
  for (int i = 0; i < m.size(); ++i) {
    const auto k = static_cast<std::size_t>(i);
    const auto s = pure_saturation(m.fluid(i), T);
    p_sat[k] = s.p;
    rhoL_sat[k] = s.rhoL;
    sum += beta < 0.5 ? z[k] * s.p : z[k] / s.p;
  }
  return beta < 0.5 ? sum : 1 / sum;
}

}  // namespace

TwoPhase ideal_solution_start(const Mixture& m, const Fractions& z, Given given, double value,
                              double beta) {
  const int n = m.size();
  Fractions p_sat{}, rhoL_sat{};
  TwoPhase s;
  s.beta = beta;
  if (given == Given::p_beta) {
    // T where the ideal-solution pressure is the given one: ln p rises with
    // T, so bisect on ln T between generous bounds, then a few secant steps.
    double lo = 0.3 * m.fluid(0).saturation.Tmin(), hi = 0;
    for (int i = 0; i < n; ++i) {
      lo = std::min(lo, 0.5 * m.fluid(i).saturation.Tmin());
      hi = std::max(hi, 3 * m.fluid(i).saturation.Tcrit());
    }
    for (int it = 0; it < 60 && hi / lo > 1 + 1e-10; ++it) {
      const double mid = std::sqrt(lo * hi);
      (ideal_pressure(m, z, mid, beta, p_sat, rhoL_sat) < value ? lo : hi) = mid;
    }
    s.T = std::sqrt(lo * hi);
  } else {
    s.T = value;
  }
  s.p = ideal_pressure(m, z, s.T, beta, p_sat, rhoL_sat);
  if (given == Given::p_beta) s.p = value;
  double sx = 0, sy = 0;
  for (int i = 0; i < n; ++i) {
    const auto k = static_cast<std::size_t>(i);
    const double K = p_sat[k] / s.p;
    s.x[k] = beta < 0.5 ? z[k] : z[k] / K;
    s.y[k] = beta < 0.5 ? z[k] * K : z[k];
    sx += s.x[k];
    sy += s.y[k];
  }
  double vL = 0;
  for (int i = 0; i < n; ++i) {
    const auto k = static_cast<std::size_t>(i);
    s.x[k] /= sx;
    s.y[k] /= sy;
    vL += s.x[k] / rhoL_sat[k];
  }
  // Densities on their branches where the estimated pressure meets them:
  // the vapour from the ideal gas up, the liquid above 60 % of the ideal
  // mix of saturated liquids.
  const MixtureIsotherm liquid(m, s.T, s.x), vapour(m, s.T, s.y);
  const double ideal_gas = s.p / (vapour.gas_constant() * s.T);
  const auto V = solve_density(vapour, s.p, 0, INFINITY, ideal_gas, m.density_cap(s.y));
  const auto L = solve_density(liquid, s.p, 0.6 / vL, INFINITY, 1 / vL, m.density_cap(s.x));
  s.rhoV = V.ok ? V.state.rho : ideal_gas;
  s.rhoL = L.ok ? L.state.rho : 1 / vL;
  return s;
}

EquilibriumResult solve_equilibrium(const Mixture& m, const Fractions& z, Given given,
                                    double first, double second, const TwoPhase& start) {
  const auto n = static_cast<std::size_t>(m.size());
  const std::size_t N = n + 4, iT = n + 1, iL = n + 2, iV = n + 3, iB = n;
  // Unknowns: ln K (0..n-1), beta (n), ln T, ln rhoL, ln rhoV.
  double u[kMaxUnknowns];
  for (std::size_t i = 0; i < n; ++i) {
    const double xi = std::max(start.x[i], 1e-300), yi = std::max(start.y[i], 1e-300);
    u[i] = std::log(yi / xi);
  }
  u[iB] = start.beta;
  u[iT] = std::log(start.T);
  u[iL] = std::log(start.rhoL);
  u[iV] = std::log(start.rhoV);
  // The rows of the two given values: what each fixes, and its value.
  struct Fixed { char what; double value; };
  Fixed fixed[2] = {{'T', std::log(first)}, {'b', second}};
  switch (given) {
    case Given::T_beta: break;
    case Given::p_beta: fixed[0] = {'p', std::log(first)}; break;
    case Given::T_p: fixed[1] = {'p', std::log(second)}; break;
    case Given::T_rho: fixed[1] = {'v', -std::log(second)}; break;
    case Given::rho_beta: fixed[0] = {second < 0.5 ? 'L' : 'V', std::log(first)}; break;
  }
  if (given != Given::T_p && given != Given::T_rho) u[iB] = fixed[1].value;

  EquilibriumResult result;
  MixtureIsotherm liquid, vapour;
  ChemicalPotentials L, V;
  Fractions x{}, y{}, dx_dlnK{}, dy_dlnK{}, dx_db{}, dy_db{};
  double last_norm = INFINITY;
  for (int it = 1; it <= 50; ++it) {
    result.iterations = it;
    const double beta = u[iB], T = std::exp(u[iT]);
    const double rhoL = std::exp(u[iL]), rhoV = std::exp(u[iV]);
    double sx = 0, sy = 0;
    for (std::size_t i = 0; i < n; ++i) {
      const double K = std::exp(u[i]);
      const double D = 1 + beta * (K - 1);
      if (!(D > 0)) return result;
      x[i] = z[i] / D;
      y[i] = K * x[i];
      dx_dlnK[i] = -x[i] * beta * K / D;
      dy_dlnK[i] = y[i] * (1 - beta) / D;
      dx_db[i] = -x[i] * (K - 1) / D;
      dy_db[i] = K * dx_db[i];
      sx += x[i];
      sy += y[i];
    }
    if (!(sx > 0) || !(sy > 0)) return result;
    // At a bubble or dew point one phase is the feed itself: keep it exact,
    // so that its isotherm is prepared once.
    Fractions xn{}, yn{};
    for (std::size_t i = 0; i < n; ++i) {
      xn[i] = beta == 0 ? z[i] : x[i] / sx;
      yn[i] = beta == 1 ? z[i] : y[i] / sy;
    }
    liquid.set(m, T, xn);
    vapour.set(m, T, yn);
    liquid.chemical_potentials(rhoL, L);
    vapour.chemical_potentials(rhoV, V);

    double J[kMaxUnknowns * kMaxUnknowns];
    std::fill_n(J, N * N, 0.0);
    double E[kMaxUnknowns];
    const auto at = [&](std::size_t r, std::size_t c) -> double& { return J[r * N + c]; };
    for (std::size_t i = 0; i < n; ++i) {
      E[i] = u[i] + u[iV] - u[iL] + V.mu[i] - L.mu[i];
      for (std::size_t j = 0; j < n; ++j) {
        const double dmuV = (V.mu_n[i * n + j] - V.mu_lnrho[i]) / sy;  // d mu_i(V) / d y_j
        const double dmuL = (L.mu_n[i * n + j] - L.mu_lnrho[i]) / sx;
        at(i, j) = (i == j ? 1.0 : 0.0) + dmuV * dy_dlnK[j] - dmuL * dx_dlnK[j];
        at(i, iB) += dmuV * dy_db[j] - dmuL * dx_db[j];
      }
      at(i, iT) = V.mu_lnT[i] - L.mu_lnT[i];
      at(i, iL) = -1 - L.mu_lnrho[i];
      at(i, iV) = 1 + V.mu_lnrho[i];
    }
    // Rachford-Rice: sum (y - x) = 0.
    E[iB] = sy - sx;
    for (std::size_t j = 0; j < n; ++j) {
      at(iB, j) = dy_dlnK[j] - dx_dlnK[j];
      at(iB, iB) += dy_db[j] - dx_db[j];
    }
    // Equal pressures, scaled by rhoL R T: (1 + dL) - (rhoV/rhoL)(1 + dV).
    const double r = rhoV / rhoL;
    const auto iP = iT;  // the pressure row; the two given-value rows follow
    E[iP] = (1 + L.ar.d) - r * (1 + V.ar.d);
    at(iP, iT) = -L.ar.dt + r * V.ar.dt;
    at(iP, iL) = L.ar.d + L.ar.dd + r * (1 + V.ar.d);
    at(iP, iV) = -r * (1 + 2 * V.ar.d + V.ar.dd);
    for (std::size_t j = 0; j < n; ++j) {
      at(iP, j) = L.d_n[j] / sx * dx_dlnK[j] - r * V.d_n[j] / sy * dy_dlnK[j];
      at(iP, iB) += L.d_n[j] / sx * dx_db[j] - r * V.d_n[j] / sy * dy_db[j];
    }
    // d ln pV by every unknown.
    const double pV = rhoV * vapour.gas_constant() * T * (1 + V.ar.d);
    double dlnp[kMaxUnknowns];
    {
      const double Z = 1 + V.ar.d;
      std::fill_n(dlnp, N, 0.0);
      dlnp[iT] = 1 - V.ar.dt / Z;
      dlnp[iV] = 1 + (V.ar.d + V.ar.dd) / Z;
      for (std::size_t j = 0; j < n; ++j) {
        dlnp[j] = V.d_n[j] / (sy * Z) * dy_dlnK[j];
        dlnp[iB] += V.d_n[j] / (sy * Z) * dy_db[j];
      }
    }
    // The given values.
    const auto given_row = [&](std::size_t row, const Fixed& f) {
      switch (f.what) {
        case 'T':
          E[row] = u[iT] - f.value;
          at(row, iT) = 1;
          break;
        case 'b':
          E[row] = u[iB] - f.value;
          at(row, iB) = 1;
          break;
        case 'p':  // ln pV
          E[row] = std::log(std::max(pV, 1e-300)) - f.value;
          for (std::size_t j = 0; j < N; ++j) at(row, j) = dlnp[j];
          break;
        case 'v': {  // ln of the overall molar volume
          const double v = (1 - beta) / rhoL + beta / rhoV;
          E[row] = std::log(v) - f.value;
          at(row, iB) = (1 / rhoV - 1 / rhoL) / v;
          at(row, iL) = -(1 - beta) / (rhoL * v);
          at(row, iV) = -beta / (rhoV * v);
          break;
        }
        default:  // 'L', 'V': ln of one phase's density
          const std::size_t k = f.what == 'L' ? iL : iV;
          E[row] = u[k] - f.value;
          at(row, k) = 1;
      }
    };
    given_row(iL, fixed[0]);
    given_row(iV, fixed[1]);

    double norm = 0;
    for (std::size_t i = 0; i < N; ++i) norm = std::max(norm, std::abs(E[i]));
    if (!std::isfinite(norm)) return result;
    if (norm < 1e-12 || (norm < 1e-9 && norm >= 0.5 * last_norm)) {
      // Converged: a genuine split has distinct phases on rising branches.
      const auto PL = liquid.pressure(rhoL, L.ar), PV = vapour.pressure(rhoV, V.ar);
      double spread = std::abs(u[iL] - u[iV]);
      for (std::size_t i = 0; i < n; ++i) spread = std::max(spread, std::abs(u[i]));
      if (rhoL > rhoV && spread > 1e-4 && PL.dp_drho > 0 && PV.dp_drho > 0) {
        // The slope: J du = e (the first given value's row, iL).
        double du[kMaxUnknowns], Jc[kMaxUnknowns * kMaxUnknowns];
        std::copy_n(J, N * N, Jc);
        std::fill_n(du, N, 0.0);
        du[iL] = 1;
        if (!solve_dense<kMaxUnknowns>(Jc, du, N) || !solve_dense<kMaxUnknowns>(J, E, N))
          return result;
        // The last Newton step -E, taken to first order: after quadratic
        // convergence that is exact to the last digits, also where a given
        // value moved by less than the residual tolerance.
        double lnp_step = 0;
        for (std::size_t j = 0; j < N; ++j) {
          u[j] -= E[j];
          lnp_step -= dlnp[j] * E[j];
        }
        // A split found from T and p or rho has 0 <= beta <= 1 (the last step
        // may overshoot by a rounding error), and the given values are
        // exact, not as their logarithms came back.
        if (given == Given::T_p || given == Given::T_rho) u[iB] = std::clamp(u[iB], 0.0, 1.0);
        for (const Fixed& f : fixed) {
          if (f.what == 'b') u[iB] = f.value;
          if (f.what == 'T') u[iT] = std::log(first);
        }
        const double beta_f = u[iB];
        double sxf = 0, syf = 0;
        Fractions xf{}, yf{};
        for (std::size_t i = 0; i < n; ++i) {
          const double K = std::exp(u[i]);
          xf[i] = z[i] / (1 + beta_f * (K - 1));
          yf[i] = K * xf[i];
          sxf += xf[i];
          syf += yf[i];
        }
        for (std::size_t i = 0; i < n; ++i) {
          xf[i] = beta_f == 0 ? z[i] : xf[i] / sxf;
          yf[i] = beta_f == 1 ? z[i] : yf[i] / syf;
        }
        result.converged = true;
        result.state = {std::exp(u[iT]), pV * std::exp(lnp_step), beta_f, std::exp(u[iL]),
                        std::exp(u[iV]), xf, yf};
        if (fixed[0].what == 'T') result.state.T = first;
        if (fixed[0].what == 'p') result.state.p = first;
        if (fixed[1].what == 'p') result.state.p = second;
        auto& d = result.slope;
        d.lnT = du[iT];
        d.lnrhoL = du[iL];
        d.lnrhoV = du[iV];
        d.lnp = 0;
        for (std::size_t j = 0; j < N; ++j) d.lnp += dlnp[j] * du[j];
        for (std::size_t i = 0; i < n; ++i) d.lnK[i] = du[i];
      }
      return result;
    }
    last_norm = norm;
    if (!solve_dense<kMaxUnknowns>(J, E, N)) return result;
    // Newton step -E, limited so that no variable jumps too far.
    double scale = 1;
    for (std::size_t i = 0; i < n; ++i) scale = std::min(scale, 1.0 / std::max(std::abs(E[i]), 1e-300));
    scale = std::min({scale, 0.1 / std::max(std::abs(E[iT]), 1e-300),
                      0.5 / std::max(std::abs(E[iL]), 1e-300),
                      0.5 / std::max(std::abs(E[iV]), 1e-300)});
    for (std::size_t i = 0; i < N; ++i) u[i] -= scale * E[i];
    if (given == Given::T_p || given == Given::T_rho) u[iB] = std::clamp(u[iB], 0.0, 1.0);
  }
  return result;
}

}  // namespace fluidcore
