#include "fluidcore/helmholtz.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace fluidcore {
namespace {

// Largest integer power of delta any term uses; the loader refuses more.
constexpr int kMaxDeltaPower = 24;

void combine(const Factor& ft, const Factor& fd, HelmholtzDerivatives& out) {
  const double A = ft.v * fd.v;
  out.a += A;
  out.d += A * fd.g;
  out.dd += A * fd.G;
  out.t += A * ft.g;
  out.tt += A * ft.G;
  out.dt += A * fd.g * ft.g;
}

// f = x^k exp(-c x^l): g = k - u, G = g(g-1) - l u with u = c l x^l.
Factor power_exponential_factor(double xk, double k, double E, double u, double l) {
  const double g = k - u;
  return {xk * E, g, g * (g - 1) - l * u};
}

// f = x^k exp(-eta (x-eps)^2 - beta (x-gamma)) (beta = 0: plain gaussian):
// g = k - 2 eta x (x-eps) - beta x, G = g^2 - g - 4 eta x^2 + 2 eta eps x - beta x.
Factor gaussian_factor(double x, double xk, double k, double eta, double eps,
                       double beta_lin, double gamma_lin) {
  const double y = x - eps;
  const double v = xk * std::exp(-eta * y * y - beta_lin * (x - gamma_lin));
  const double g = k - 2 * eta * x * y - beta_lin * x;
  return {v, g, g * g - g - 4 * eta * x * x + 2 * eta * eps * x - beta_lin * x};
}

HelmholtzDerivatives nonanalytic(const NonanalyticTerm& k, double tau, double delta) {
  // Written out from the published derivatives, arranged so that no factor
  // is divided by (delta - 1): every power of X = (delta-1)^2 left has a
  // positive exponent for the published constants.
  const double dm = delta - 1;
  const double X = dm * dm;
  const double ib = 1 / (2 * k.beta);
  const double X_ib1 = X > 0 ? std::pow(X, ib - 1) : 0;    // X^(1/(2beta)-1)
  const double X_a1 = X > 0 ? std::pow(X, k.a - 1) : 0;    // X^(a-1)
  const double theta = (1 - tau) + k.A * X_ib1 * X;
  double Delta = theta * theta + k.B * X_a1 * X;
  Delta = std::max(Delta, 1e-200);  // the critical point itself
  // dDelta/ddelta = (delta-1) * over
  const double over = k.A * theta * (2 / k.beta) * X_ib1 + 2 * k.B * k.a * X_a1;
  const double dDelta = dm * over;
  const double X_1b1 = X > 0 ? std::pow(X, 1 / k.beta - 1) : 0;
  const double ddDelta = over + 4 * k.B * k.a * (k.a - 1) * X_a1 +
                         2 * k.A * k.A / (k.beta * k.beta) * X_1b1 +
                         k.A * theta * (4 / k.beta) * (ib - 1) * X_ib1;
  const double Db = std::pow(Delta, k.b);
  const double Db1 = Db / Delta;
  const double Db2 = Db1 / Delta;
  const double Db_d = k.b * Db1 * dDelta;
  const double Db_dd = k.b * (Db1 * ddDelta + (k.b - 1) * Db2 * dDelta * dDelta);
  const double Db_t = -2 * theta * k.b * Db1;
  const double Db_tt = 2 * k.b * Db1 + 4 * theta * theta * k.b * (k.b - 1) * Db2;
  const double Db_dt = -k.A * k.b * (2 / k.beta) * Db1 * dm * X_ib1 -
                       2 * theta * k.b * (k.b - 1) * Db2 * dDelta;
  const double tm = tau - 1;
  const double psi = std::exp(-k.C * X - k.D * tm * tm);
  const double psi_d = -2 * k.C * dm * psi;
  const double psi_dd = (2 * k.C * X - 1) * 2 * k.C * psi;
  const double psi_t = -2 * k.D * tm * psi;
  const double psi_tt = (2 * k.D * tm * tm - 1) * 2 * k.D * psi;
  const double psi_dt = 4 * k.C * k.D * dm * tm * psi;
  const double n = k.n;
  const double phi = n * Db * delta * psi;
  const double phi_d = n * (Db * (psi + delta * psi_d) + Db_d * delta * psi);
  const double phi_dd = n * (Db * (2 * psi_d + delta * psi_dd) +
                             2 * Db_d * (psi + delta * psi_d) + Db_dd * delta * psi);
  const double phi_t = n * delta * (Db_t * psi + Db * psi_t);
  const double phi_tt = n * delta * (Db_tt * psi + 2 * Db_t * psi_t + Db * psi_tt);
  const double phi_dt = n * (Db * (psi_t + delta * psi_dt) + delta * Db_d * psi_t +
                             Db_t * (psi + delta * psi_d) + Db_dt * delta * psi);
  return {phi, delta * phi_d, tau * phi_t, delta * delta * phi_dd, tau * tau * phi_tt,
          delta * tau * phi_dt};
}

}  // namespace

ResidualHelmholtz::ResidualHelmholtz(TermGroups groups) : groups_(std::move(groups)) {
  for (const auto& p : groups_.power) {
    auto t = std::find(distinct_t_.begin(), distinct_t_.end(), p.t);
    if (t == distinct_t_.end()) t = distinct_t_.insert(distinct_t_.end(), p.t);
    power_t_index_.push_back(static_cast<int>(t - distinct_t_.begin()));
    auto e = std::find_if(exp_groups_.begin(), exp_groups_.end(),
                          [&](const ExpGroup& g) { return g.c == p.c && g.l == p.l; });
    if (e == exp_groups_.end()) e = exp_groups_.insert(exp_groups_.end(), {p.c, p.l});
    power_exp_index_.push_back(static_cast<int>(e - exp_groups_.begin()));
    max_delta_power_ = std::max({max_delta_power_, p.d, p.l});
  }
  for (const auto& g : groups_.gaussian) max_delta_power_ = std::max(max_delta_power_, g.d);
  for (const auto& g : groups_.double_exponential)
    max_delta_power_ = std::max({max_delta_power_, g.d, g.ld});
  for (const auto& g : groups_.gao_b) max_delta_power_ = std::max(max_delta_power_, g.d);
  for (const auto& g : groups_.gaussian_linear)
    max_delta_power_ = std::max(max_delta_power_, g.d);
  max_delta_power_ = std::min(max_delta_power_, kMaxDeltaPower);
}

namespace {

// Appends factors to a Prepared without allocating while they fit inline.
class FactorSink {
 public:
  FactorSink(ResidualHelmholtz::Prepared& p, std::size_t total) : p_(p) {
    p_.count = total;
    if (total > ResidualHelmholtz::kInlineFactors) p_.more.resize(total);
    data_ = total > ResidualHelmholtz::kInlineFactors ? p_.more.data() : p_.inline_factors.data();
  }
  void push_back(const Factor& f) { data_[n_++] = f; }

 private:
  ResidualHelmholtz::Prepared& p_;
  Factor* data_;
  std::size_t n_ = 0;
};

}  // namespace

void ResidualHelmholtz::prepare(double tau, Prepared& out) const {
  out.tau = tau;
  FactorSink f(out, groups_.power.size() + groups_.gaussian.size() +
                        groups_.double_exponential.size() + groups_.gao_b.size() +
                        groups_.gaussian_linear.size());
  const double ln_tau = std::log(tau);
  std::array<double, 64> tpow{};
  const auto nt = std::min(distinct_t_.size(), tpow.size());
  for (std::size_t i = 0; i < nt; ++i)
    tpow[i] = distinct_t_[i] == 0 ? 1.0 : std::exp(distinct_t_[i] * ln_tau);
  for (std::size_t i = 0; i < groups_.power.size(); ++i) {
    const auto& p = groups_.power[i];
    const auto ti = static_cast<std::size_t>(power_t_index_[i]);
    const double tp = ti < nt ? tpow[ti] : std::exp(p.t * ln_tau);
    f.push_back({p.n * tp, p.t, p.t * (p.t - 1)});
  }
  for (const auto& k : groups_.gaussian) {
    const double y = tau - k.gamma;
    const double g = k.t - 2 * k.beta * tau * y;
    f.push_back({k.n * std::exp(k.t * ln_tau - k.beta * y * y), g,
                 g * g - g - 4 * k.beta * tau * tau + 2 * k.beta * k.gamma * tau});
  }
  for (const auto& k : groups_.double_exponential) {
    const double tl = k.gt == 0 ? 0 : std::exp(k.lt * ln_tau);
    const double w = k.gt * k.lt * tl;
    const double g = k.t - w;
    f.push_back({k.n * std::exp(k.t * ln_tau - k.gt * tl), g, g * (g - 1) - k.lt * w});
  }
  for (const auto& k : groups_.gao_b) {
    const double y = tau - k.gamma;
    const double q = k.b + k.beta * y * y;
    const double g = k.t - 2 * k.beta * tau * y / (q * q);
    const double tg = -2 * k.beta * tau * (2 * tau - k.gamma) / (q * q) +
                      8 * k.beta * k.beta * tau * tau * y * y / (q * q * q);
    f.push_back({k.n * std::exp(k.t * ln_tau + 1 / q), g, g * g - g + tg});
  }
  for (const auto& k : groups_.gaussian_linear)
    f.push_back({k.n * std::exp(k.t * ln_tau), k.t, k.t * (k.t - 1)});
}

HelmholtzDerivatives ResidualHelmholtz::evaluate(const Prepared& prepared,
                                                 double delta) const {
  HelmholtzDerivatives out;
  std::array<double, kMaxDeltaPower + 1> dp{};
  dp[0] = 1;
  for (int i = 1; i <= max_delta_power_; ++i) dp[i] = dp[i - 1] * delta;
  const auto power_of = [&](int k) {
    return k <= max_delta_power_ ? dp[k] : std::pow(delta, k);
  };
  std::array<double, 16> E{}, U{};
  const auto ng = std::min(exp_groups_.size(), E.size());
  for (std::size_t i = 0; i < ng; ++i) {
    const auto& g = exp_groups_[i];
    const double dl = g.c * power_of(g.l);
    E[i] = g.c == 0 ? 1.0 : std::exp(-dl);
    U[i] = dl * g.l;
  }
  const Factor* ft = prepared.factors();
  for (std::size_t i = 0; i < groups_.power.size(); ++i, ++ft) {
    const auto& p = groups_.power[i];
    const auto gi = static_cast<std::size_t>(power_exp_index_[i]);
    double e, u;
    if (gi < ng) {
      e = E[gi];
      u = U[gi];
    } else {
      u = p.c * power_of(p.l);
      e = std::exp(-u);
      u *= p.l;
    }
    combine(*ft, power_exponential_factor(power_of(p.d), p.d, e, u, p.l), out);
  }
  for (const auto& k : groups_.gaussian)
    combine(*ft++, gaussian_factor(delta, power_of(k.d), k.d, k.eta, k.epsilon, 0, 0), out);
  for (const auto& k : groups_.double_exponential) {
    const double dl = k.gd * power_of(k.ld);
    combine(*ft++,
            power_exponential_factor(power_of(k.d), k.d, std::exp(-dl), dl * k.ld, k.ld),
            out);
  }
  for (const auto& k : groups_.gao_b)
    combine(*ft++, gaussian_factor(delta, power_of(k.d), k.d, -k.eta, k.epsilon, 0, 0),
            out);
  for (const auto& k : groups_.gaussian_linear)
    combine(*ft++,
            gaussian_factor(delta, power_of(k.d), k.d, k.eta, k.epsilon, k.beta, k.gamma),
            out);
  for (const auto& k : groups_.nonanalytic)
    out.add_scaled(nonanalytic(k, prepared.tau, delta), 1.0);
  return out;
}

HelmholtzDerivatives ResidualHelmholtz::evaluate(double tau, double delta) const {
  Prepared p;
  prepare(tau, p);
  return evaluate(p, delta);
}

HelmholtzDerivatives IdealGasHelmholtz::evaluate(double tau, double delta) const {
  const double ln_tau = std::log(tau);
  HelmholtzDerivatives r;
  r.a = std::log(delta) + a1 + a2 * tau + c_log_tau * ln_tau + c_tau_log_tau * tau * ln_tau;
  r.t = a2 * tau + c_log_tau + c_tau_log_tau * tau * (ln_tau + 1);
  r.tt = -c_log_tau + c_tau_log_tau * tau;
  for (const auto& p : power) {
    const double v = p.n * std::exp(p.t * ln_tau);
    r.a += v;
    r.t += p.t * v;
    r.tt += p.t * (p.t - 1) * v;
  }
  for (const auto& k : planck_einstein) {
    const double E = std::exp(k.theta * tau);
    const double s = k.c + k.d * E;
    r.a += k.n * std::log(s);
    r.t += k.n * k.theta * tau * k.d * E / s;
    r.tt += k.n * k.theta * k.theta * tau * tau * k.c * k.d * E / (s * s);
  }
  r.d = 1;
  r.dd = -1;
  r.dt = 0;
  return r;
}

}  // namespace fluidcore
