#include "fluidcore/mixture_state.h"

#include <algorithm>
#include <cmath>

namespace fluidcore {

void MixtureIsotherm::set(const Mixture& mixture, double T, const Fractions& x) {
  if (mixture_ == &mixture && T == T_ && x == x_) return;
  mixture_ = &mixture;
  T_ = T;
  x_ = x;
  const int n = mixture.size();
  R_ = Mixture::kGasConstant;
  M_ = mixture.molar_mass(x);
  mixture.reducing(x, true, reducing_);
  tau_ = reducing_.T / T;

  departures_.clear();
  for (int i = 0; i < n; ++i)
    for (int j = i + 1; j < n; ++j) {
      const auto& p = mixture.pair(i, j);
      if (p.departure && p.parameters.F != 0)
        departures_.push_back({i, j, p.parameters.F, p.departure.get()});
    }
  prepared_.resize(static_cast<std::size_t>(n) + departures_.size());
  for (int i = 0; i < n; ++i)
    mixture.fluid(i).residual.prepare(tau_, prepared_[static_cast<std::size_t>(i)]);
  for (std::size_t k = 0; k < departures_.size(); ++k)
    departures_[k].alphar->prepare(tau_, prepared_[static_cast<std::size_t>(n) + k]);
}

HelmholtzDerivatives MixtureIsotherm::component(int i, double delta) const {
  return mixture_->fluid(i).residual.evaluate(prepared_[static_cast<std::size_t>(i)], delta);
}

HelmholtzDerivatives MixtureIsotherm::departure(std::size_t k, double delta) const {
  const auto n = static_cast<std::size_t>(mixture_->size());
  HelmholtzDerivatives d;
  d.add_scaled(departures_[k].alphar->evaluate(prepared_[n + k], delta), departures_[k].F);
  return d;
}

HelmholtzDerivatives MixtureIsotherm::residual(double rho) const {
  const double delta = rho * reducing_.v;
  HelmholtzDerivatives ar;
  for (int i = 0; i < mixture_->size(); ++i)
    ar.add_scaled(component(i, delta), x_[static_cast<std::size_t>(i)]);
  for (std::size_t k = 0; k < departures_.size(); ++k) {
    const auto& d = departures_[k];
    ar.add_scaled(departure(k, delta),
                  x_[static_cast<std::size_t>(d.i)] * x_[static_cast<std::size_t>(d.j)]);
  }
  return ar;
}

MixtureIsotherm::Pressure MixtureIsotherm::pressure(double rho) const {
  return pressure(rho, residual(rho));
}

MixtureIsotherm::Pressure MixtureIsotherm::pressure(double rho,
                                                    const HelmholtzDerivatives& ar) const {
  const double RT = R_ * T_;
  return {rho * RT * (1 + ar.d), RT * (1 + 2 * ar.d + ar.dd)};
}

State MixtureIsotherm::state(double rho) const { return state(rho, residual(rho)); }

State MixtureIsotherm::state(double rho, const HelmholtzDerivatives& ar) const {
  // Each component's ideal gas reduced by its critical point, weighted by
  // x_i R_i / R (see mixture.h).
  HelmholtzDerivatives a0;
  for (int i = 0; i < mixture_->size(); ++i) {
    const double xi = x_[static_cast<std::size_t>(i)];
    if (xi == 0) continue;
    const PureFluid& f = mixture_->fluid(i);
    auto part = f.ideal.evaluate(f.critical.T / T_, 1.0);
    part.a += log_delta(rho, f.critical.rho) + std::log(xi);
    a0.add_scaled(part, xi * f.gas_constant / R_);
  }
  a0.d = 1;
  a0.dd = -1;
  return make_state(R_, M_, T_, rho, a0, ar);
}

void MixtureIsotherm::chemical_potentials(double rho, ChemicalPotentials& out) const {
  const int n = mixture_->size();
  const auto N = static_cast<std::size_t>(n);
  const double delta = rho * reducing_.v;

  // alphar and its derivatives by each x_k at fixed tau and delta.
  HelmholtzDerivatives ar;
  HelmholtzDerivatives ax[kMaxComponents];
  for (std::size_t i = 0; i < N; ++i) {
    ax[i] = component(static_cast<int>(i), delta);
    ar.add_scaled(ax[i], x_[i]);
  }
  double axx[kMaxComponents * kMaxComponents];  // alphar_xkxl
  std::fill_n(axx, N * N, 0.0);
  for (std::size_t k = 0; k < departures_.size(); ++k) {
    const auto i = static_cast<std::size_t>(departures_[k].i);
    const auto j = static_cast<std::size_t>(departures_[k].j);
    const auto pair = departure(k, delta);
    ar.add_scaled(pair, x_[i] * x_[j]);
    ax[i].add_scaled(pair, x_[j]);
    ax[j].add_scaled(pair, x_[i]);
    axx[i * N + j] = axx[j * N + i] = pair.a;
  }
  out.ar = ar;

  const Reducing& r = reducing_;
  Fractions a, b, g, w, u;
  for (std::size_t k = 0; k < N; ++k) {
    a[k] = r.T_x[k] / r.T;
    b[k] = r.v_x[k] / r.v;
    g[k] = ar.t * a[k] + ar.d * b[k] + ax[k].a;
    w[k] = ar.dt * a[k] + (ar.d + ar.dd) * b[k] + ax[k].d;
    u[k] = (ar.t + ar.tt) * a[k] + ar.dt * b[k] + ax[k].t;
  }
  double xg = 0, xw = 0, xu = 0;
  for (std::size_t k = 0; k < N; ++k) {
    xg += x_[k] * g[k];
    xw += x_[k] * w[k];
    xu += x_[k] * u[k];
  }
  for (std::size_t i = 0; i < N; ++i) {
    out.mu[i] = ar.a + ar.d + g[i] - xg;
    out.mu_lnrho[i] = 2 * ar.d + ar.dd + w[i] - xw;
    out.mu_lnT[i] = -ar.t - ar.dt - (u[i] - xu);
    out.d_n[i] = w[i] - xw;
  }

  // H_kl, then P H P^T.
  auto& H = out.mu_n;
  for (std::size_t k = 0; k < N; ++k)
    for (std::size_t l = k; l < N; ++l) {
      const double v = a[k] * a[l] * ar.tt + (a[k] * b[l] + b[k] * a[l]) * ar.dt +
                       b[k] * b[l] * ar.dd + ar.t * r.T_xx[k * N + l] / r.T +
                       ar.d * r.v_xx[k * N + l] / r.v + a[k] * ax[l].t + a[l] * ax[k].t +
                       b[k] * ax[l].d + b[l] * ax[k].d + axx[k * N + l];
      H[k * N + l] = H[l * N + k] = v;
    }
  Fractions xH{};
  double xHx = 0;
  for (std::size_t i = 0; i < N; ++i) {
    for (std::size_t k = 0; k < N; ++k) xH[i] += x_[k] * H[k * N + i];
    xHx += x_[i] * xH[i];
  }
  const double base = 2 * ar.d + ar.dd;
  for (std::size_t i = 0; i < N; ++i)
    for (std::size_t j = i; j < N; ++j) {
      const double v = base + (w[i] - xw) + (w[j] - xw) + H[i * N + j] - xH[i] - xH[j] + xHx;
      H[i * N + j] = H[j * N + i] = v;
    }
}

}  // namespace fluidcore
