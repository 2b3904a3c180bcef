#include "fluidcore/helmholtz.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace fluidcore {
namespace {

// Largest integer power of delta any term uses; the loader refuses more.
constexpr int kMaxDeltaPower = 24;

// Adds the terms whose tau side is summed in `ts` and whose delta factor is fd.
void combine(const TauSums& ts, const Factor& fd, HelmholtzDerivatives& out) {
  const double A = fd.v * ts.S0;
  out.a += A;
  out.d += A * fd.g;
  out.dd += A * fd.G;
  out.t += fd.v * ts.S1;
  out.tt += fd.v * ts.S2;
  out.dt += fd.v * fd.g * ts.S1;
}

// A tau factor with value v, g and G as tau sums of one term.
TauSums single(double v, double g, double G) { return {v, v * g, v * G}; }

// x^n for a whole n >= 0, by squaring.
double whole_power(double x, unsigned n) {
  double r = 1;
  for (; n; n >>= 1, x *= x)
    if (n & 1) r *= x;
  return r;
}

TauExponent split_exponent(double t) {
  const double a = std::abs(t);
  if (a <= 64) {
    // 4|t| converts to an integer exactly.
    const auto q = static_cast<unsigned>(4 * a);
    if (q == 4 * a) return {t, q / 4, q % 4, t < 0, true};
  }
  return {t, 0, 0, t < 0, false};
}

// tau^t: from a whole power and tau^(1/4), tau^(1/2) or tau^(3/4), or
// through exp (then ln tau is needed).
class TauPowers {
 public:
  explicit TauPowers(double tau, bool with_ln = true)
      : tau_(tau), ln_(with_ln ? std::log(tau) : NAN) {
    const double half = std::sqrt(tau), quarter = std::sqrt(half);
    fractions_ = {1, quarter, half, half * quarter};
  }
  double ln() const { return ln_; }
  double of(const TauExponent& e) const {
    if (!e.quartered) return std::exp(e.t * ln_);
    const double v = whole_power(tau_, e.whole) * fractions_[e.quarters];
    return e.negative ? 1 / v : v;
  }
  double operator()(double t) const { return of(split_exponent(t)); }

 private:
  double tau_, ln_;
  std::array<double, 4> fractions_;
};

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
    auto g = std::find_if(power_groups_.begin(), power_groups_.end(), [&](const DeltaGroup& x) {
      return x.d == p.d && x.c == p.c && (x.l == p.l || p.c == 0);
    });
    if (g == power_groups_.end()) g = power_groups_.insert(power_groups_.end(), {p.d, p.c, p.l});
    max_delta_power_ = std::max({max_delta_power_, p.d, p.l});
  }
  // Groups sharing their exponential (c, l) next to each other: evaluate()
  // computes each exponential once.
  std::stable_sort(power_groups_.begin(), power_groups_.end(),
                   [](const DeltaGroup& a, const DeltaGroup& b) {
                     return a.c != b.c ? a.c < b.c : a.l < b.l;
                   });
  for (const auto& p : groups_.power) {
    const auto g = std::find_if(power_groups_.begin(), power_groups_.end(), [&](const DeltaGroup& x) {
      return x.d == p.d && x.c == p.c && (x.l == p.l || p.c == 0);
    });
    power_group_of_.push_back(static_cast<int>(g - power_groups_.begin()));
  }
  for (const auto& p : groups_.power) {
    const auto e = std::find_if(tau_exponents_.begin(), tau_exponents_.end(),
                                [&](const TauExponent& x) { return x.t == p.t; });
    power_exponent_of_.push_back(static_cast<int>(e - tau_exponents_.begin()));
    if (e == tau_exponents_.end()) tau_exponents_.push_back(split_exponent(p.t));
    needs_ln_tau_ = needs_ln_tau_ || !tau_exponents_[power_exponent_of_.back()].quartered;
  }
  needs_ln_tau_ = needs_ln_tau_ || !groups_.gaussian.empty() || !groups_.double_exponential.empty() ||
                  !groups_.gao_b.empty() || !groups_.gaussian_linear.empty();
  for (const auto& g : groups_.gaussian) max_delta_power_ = std::max(max_delta_power_, g.d);
  for (const auto& g : groups_.double_exponential)
    max_delta_power_ = std::max({max_delta_power_, g.d, g.ld});
  for (const auto& g : groups_.gao_b) max_delta_power_ = std::max(max_delta_power_, g.d);
  for (const auto& g : groups_.gaussian_linear)
    max_delta_power_ = std::max(max_delta_power_, g.d);
  max_delta_power_ = std::min(max_delta_power_, kMaxDeltaPower);
}

void ResidualHelmholtz::prepare(double tau, Prepared& out) const {
  out.tau = tau;
  out.count = power_groups_.size() + groups_.gaussian.size() +
              groups_.double_exponential.size() + groups_.gao_b.size() +
              groups_.gaussian_linear.size();
  if (out.count > kInlineFactors) out.more.resize(out.count);
  TauSums* f = out.factors();
  const TauPowers tp(tau, needs_ln_tau_);
  const double ln_tau = tp.ln();
  // Each distinct power of tau once.
  std::array<double, kInlineFactors> inline_powers;
  std::vector<double> more_powers;
  double* powers = inline_powers.data();
  if (tau_exponents_.size() > inline_powers.size()) {
    more_powers.resize(tau_exponents_.size());
    powers = more_powers.data();
  }
  for (std::size_t k = 0; k < tau_exponents_.size(); ++k) powers[k] = tp.of(tau_exponents_[k]);
  for (std::size_t g = 0; g < power_groups_.size(); ++g) f[g] = {};
  for (std::size_t i = 0; i < groups_.power.size(); ++i) {
    const auto& p = groups_.power[i];
    const double v = p.n * powers[power_exponent_of_[i]];
    auto& sum = f[power_group_of_[i]];
    sum.S0 += v;
    sum.S1 += v * p.t;
    sum.S2 += v * p.t * (p.t - 1);
  }
  f += power_groups_.size();
  for (const auto& k : groups_.gaussian) {
    const double y = tau - k.gamma;
    const double g = k.t - 2 * k.beta * tau * y;
    *f++ = single(k.n * std::exp(k.t * ln_tau - k.beta * y * y), g,
                  g * g - g - 4 * k.beta * tau * tau + 2 * k.beta * k.gamma * tau);
  }
  for (const auto& k : groups_.double_exponential) {
    const double tl = k.gt == 0 ? 0 : std::exp(k.lt * ln_tau);
    const double w = k.gt * k.lt * tl;
    const double g = k.t - w;
    *f++ = single(k.n * tp(k.t) * std::exp(-k.gt * tl), g, g * (g - 1) - k.lt * w);
  }
  for (const auto& k : groups_.gao_b) {
    const double y = tau - k.gamma;
    const double q = k.b + k.beta * y * y;
    const double g = k.t - 2 * k.beta * tau * y / (q * q);
    const double tg = -2 * k.beta * tau * (2 * tau - k.gamma) / (q * q) +
                      8 * k.beta * k.beta * tau * tau * y * y / (q * q * q);
    *f++ = single(k.n * std::exp(k.t * ln_tau + 1 / q), g, g * g - g + tg);
  }
  for (const auto& k : groups_.gaussian_linear)
    *f++ = single(k.n * tp(k.t), k.t, k.t * (k.t - 1));
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
  const TauSums* ft = prepared.factors();
  double c_last = 0, E = 1, u = 0;
  int l_last = 0;
  for (const auto& g : power_groups_) {
    if (g.c != c_last || g.l != l_last) {
      c_last = g.c;
      l_last = g.l;
      u = g.c * power_of(g.l);
      E = std::exp(-u);
    }
    combine(*ft++, power_exponential_factor(power_of(g.d), g.d, E, u * g.l, g.l), out);
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
  const TauPowers tp(tau);
  const double ln_tau = tp.ln();
  HelmholtzDerivatives r;
  // (Isotherms evaluate it at delta = 1.)
  r.a = (delta == 1 ? 0 : std::log(delta)) + a1 + a2 * tau + c_log_tau * ln_tau +
        c_tau_log_tau * tau * ln_tau;
  r.t = a2 * tau + c_log_tau + c_tau_log_tau * tau * (ln_tau + 1);
  r.tt = -c_log_tau + c_tau_log_tau * tau;
  for (const auto& p : power) {
    const double v = p.n * tp(p.t);
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
