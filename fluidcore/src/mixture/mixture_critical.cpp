#include "fluidcore/mixture_critical.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "fluidcore/mixture_state.h"

namespace fluidcore {
namespace {

// Smallest eigenvalue of the symmetric m x m matrix A (row-major, destroyed)
// and its eigenvector, by cyclic Jacobi rotations.
double smallest_eigen(std::vector<double>& A, std::size_t m, std::vector<double>& vector) {
  std::vector<double> V(m * m, 0.0);
  for (std::size_t i = 0; i < m; ++i) V[i * m + i] = 1;
  for (int sweep = 0; sweep < 50; ++sweep) {
    double off = 0;
    for (std::size_t p = 0; p < m; ++p)
      for (std::size_t q = p + 1; q < m; ++q) off += A[p * m + q] * A[p * m + q];
    if (off < 1e-30) break;
    for (std::size_t p = 0; p < m; ++p)
      for (std::size_t q = p + 1; q < m; ++q) {
        const double apq = A[p * m + q];
        if (apq == 0) continue;
        const double theta = (A[q * m + q] - A[p * m + p]) / (2 * apq);
        const double t = (theta >= 0 ? 1 : -1) / (std::abs(theta) + std::sqrt(theta * theta + 1));
        const double c = 1 / std::sqrt(t * t + 1), s = t * c;
        for (std::size_t k = 0; k < m; ++k) {
          const double akp = A[k * m + p], akq = A[k * m + q];
          A[k * m + p] = c * akp - s * akq;
          A[k * m + q] = s * akp + c * akq;
        }
        for (std::size_t k = 0; k < m; ++k) {
          const double apk = A[p * m + k], aqk = A[q * m + k];
          A[p * m + k] = c * apk - s * aqk;
          A[q * m + k] = s * apk + c * aqk;
        }
        for (std::size_t k = 0; k < m; ++k) {
          const double vkp = V[k * m + p], vkq = V[k * m + q];
          V[k * m + p] = c * vkp - s * vkq;
          V[k * m + q] = s * vkp + c * vkq;
        }
      }
  }
  std::size_t best = 0;
  for (std::size_t i = 1; i < m; ++i)
    if (A[i * m + i] < A[best * m + best]) best = i;
  vector.resize(m);
  for (std::size_t k = 0; k < m; ++k) vector[k] = V[k * m + best];
  return A[best * m + best];
}

// The two critical conditions at (T, rho) for the components present.
class Criticality {
 public:
  Criticality(const Mixture& m, const Fractions& z) : m_(m), z_(z) {
    for (int i = 0; i < m.size(); ++i)
      if (z[static_cast<std::size_t>(i)] > 0) active_.push_back(static_cast<std::size_t>(i));
  }

  // (lambda_min, C); false where the model cannot be evaluated.
  bool conditions(double T, double rho, double& lambda, double& cubic) {
    const std::size_t m = active_.size();
    std::vector<double> Q;
    if (!hessian(T, rho, z_, 1.0, Q)) return false;
    std::vector<double> v;
    lambda = smallest_eigen(Q, m, v);
    // Central difference of v^T Q(n + e v) v at fixed V (= 1/rho for one mole).
    double e = 1e-4;
    for (std::size_t a = 0; a < m; ++a)
      if (std::abs(v[a]) > 0) e = std::min(e, 0.25 * z_[active_[a]] / std::abs(v[a]));
    double q[2];
    for (int side = 0; side < 2; ++side) {
      const double sign = side == 0 ? 1 : -1;
      Fractions n = z_;
      double total = 0;
      for (std::size_t a = 0; a < m; ++a) n[active_[a]] += sign * e * v[a];
      for (std::size_t a = 0; a < m; ++a) total += n[active_[a]];
      Fractions x{};
      for (std::size_t a = 0; a < m; ++a) x[active_[a]] = n[active_[a]] / total;
      std::vector<double> H;
      if (!hessian(T, rho * total, x, total, H)) return false;
      q[side] = 0;
      for (std::size_t a = 0; a < m; ++a)
        for (std::size_t b = 0; b < m; ++b) q[side] += v[a] * H[a * m + b] * v[b];
    }
    cubic = (q[0] - q[1]) / (2 * e);
    return std::isfinite(lambda) && std::isfinite(cubic);
  }

 private:
  // d ln f_i / d n_j over the active components for `total` moles of
  // composition x at density rho (fixed V).
  bool hessian(double T, double rho, const Fractions& x, double total, std::vector<double>& Q) {
    iso_.set(m_, T, x);
    iso_.chemical_potentials(rho, cp_);
    const std::size_t m = active_.size(), n = static_cast<std::size_t>(m_.size());
    Q.assign(m * m, 0.0);
    for (std::size_t a = 0; a < m; ++a)
      for (std::size_t b = 0; b < m; ++b) {
        const std::size_t i = active_[a], j = active_[b];
        Q[a * m + b] = ((a == b ? 1 / x[i] : 0.0) + cp_.mu_n[i * n + j]) / total;
        if (!std::isfinite(Q[a * m + b])) return false;
      }
    return true;
  }

  const Mixture& m_;
  Fractions z_;
  std::vector<std::size_t> active_;
  MixtureIsotherm iso_;
  ChemicalPotentials cp_;
};

}  // namespace

MixtureCriticalPoint mixture_critical_point(const Mixture& mixture, const Fractions& z, double T0,
                                            double rho0) {
  MixtureCriticalPoint result;
  const auto pressure = [&](double T, double rho) {
    return MixtureIsotherm(mixture, T, z).pressure(rho).p;
  };
  result.T = T0;
  result.rho = rho0;
  result.p = pressure(T0, rho0);
  Criticality c(mixture, z);
  double T = T0, rho = rho0;
  for (int it = 0; it < 40; ++it) {
    double l0, c0, lT, cT, lr, cr;
    const double hT = 1e-6 * T, hr = 1e-6 * rho;
    if (!c.conditions(T, rho, l0, c0) || !c.conditions(T + hT, rho, lT, cT) ||
        !c.conditions(T, rho + hr, lr, cr))
      return result;
    const double a = (lT - l0) / hT, b = (lr - l0) / hr;
    const double cc = (cT - c0) / hT, d = (cr - c0) / hr;
    const double det = a * d - b * cc;
    if (!(std::abs(det) > 0)) return result;
    double dT = -(d * l0 - b * c0) / det;
    double dr = -(-cc * l0 + a * c0) / det;
    // At most 5 % in either variable per step.
    const double scale = std::min({1.0, 0.05 * T / std::abs(dT), 0.05 * rho / std::abs(dr)});
    T += scale * dT;
    rho += scale * dr;
    if (!(T > 0) || !(rho > 0)) return result;
    if (std::abs(dT) < 1e-9 * T && std::abs(dr) < 1e-7 * rho) {
      const double p = pressure(T, rho);
      if (!(p > 0) || !std::isfinite(p)) return result;
      return {T, p, rho, true};
    }
  }
  return result;
}

}  // namespace fluidcore
