#include "fluidcore/mixture.h"

#include <cmath>
#include <stdexcept>

namespace fluidcore {
namespace {

// f(x_i, x_j) = x_i x_j g with g = (x_i + x_j)/(b x_i + x_j), b = beta^2, and
// its derivatives by x_i and x_j.
struct PairFunction {
  double f, fi, fj, fii, fjj, fij;
};

PairFunction pair_function(double xi, double xj, double b) {
  const double q = b * xi + xj;
  if (b == 1 || q == 0) {
    // g = 1 (exactly for b = 1; for x_i = x_j = 0 every term that g enters
    // is multiplied by x_i x_j except f_ij, where 1 is the symmetric value).
    return {xi * xj, xj, xi, 0, 0, 1};
  }
  const double s = xi + xj;
  const double g = s / q;
  const double q2 = q * q, q3 = q2 * q;
  const double gi = xj * (1 - b) / q2;
  const double gj = xi * (b - 1) / q2;
  const double gii = -2 * b * xj * (1 - b) / q3;
  const double gjj = -2 * xi * (b - 1) / q3;
  const double gij = (1 - b) * (b * xi - xj) / q3;
  const double p = xi * xj;
  return {p * g,
          xj * g + p * gi,
          xi * g + p * gj,
          2 * xj * gi + p * gii,
          2 * xi * gj + p * gjj,
          g + xi * gi + xj * gj + p * gij};
}

}  // namespace

Mixture::Mixture(std::vector<std::shared_ptr<const PureFluid>> fluids, std::vector<Pair> pairs)
    : fluids_(std::move(fluids)), pairs_(std::move(pairs)) {
  const std::size_t n = fluids_.size();
  if (n < 1 || n > static_cast<std::size_t>(kMaxComponents))
    throw std::invalid_argument("a mixture has 1 to 20 components");
  if (pairs_.size() != n * (n - 1) / 2)
    throw std::invalid_argument("one parameter set per pair of components expected");
  for (const auto& f : fluids_)
    if (!f) throw std::invalid_argument("missing component model");
  for (int i = 0; i < size(); ++i)
    for (int j = i + 1; j < size(); ++j) {
      const auto& p = pairs_[pair_index(i, j)].parameters;
      const double Ti = fluid(i).T_reducing, Tj = fluid(j).T_reducing;
      const double ci = std::cbrt(1 / fluid(i).rho_reducing);
      const double cj = std::cbrt(1 / fluid(j).rho_reducing);
      const double s = ci + cj;
      terms_.push_back({2 * p.beta_T * p.gamma_T * std::sqrt(Ti * Tj),
                        2 * p.beta_v * p.gamma_v * s * s * s / 8, p.beta_T * p.beta_T,
                        p.beta_v * p.beta_v});
    }
}

std::size_t Mixture::pair_index(int i, int j) const {
  if (i > j) std::swap(i, j);
  // Rows of the upper triangle: row i starts after i*(2n-i-1)/2 pairs.
  const auto n = static_cast<std::size_t>(size());
  const auto a = static_cast<std::size_t>(i), b = static_cast<std::size_t>(j);
  return a * (2 * n - a - 1) / 2 + (b - a - 1);
}

const Mixture::Pair& Mixture::pair(int i, int j) const { return pairs_[pair_index(i, j)]; }

std::string Mixture::name() const {
  std::string r;
  for (const auto& f : fluids_) r += (r.empty() ? "" : "/") + f->name;
  return r;
}

std::vector<std::string> Mixture::estimated_pairs() const {
  std::vector<std::string> r;
  for (int i = 0; i < size(); ++i)
    for (int j = i + 1; j < size(); ++j)
      if (pair(i, j).estimated) r.push_back(fluid(i).name + "/" + fluid(j).name);
  return r;
}

double Mixture::molar_mass(const Fractions& x) const {
  double m = 0;
  for (int i = 0; i < size(); ++i) m += x[static_cast<std::size_t>(i)] * fluid(i).molar_mass;
  return m;
}

double Mixture::density_cap(const Fractions& x) const {
  double v = 0;
  for (int i = 0; i < size(); ++i)
    v += x[static_cast<std::size_t>(i)] /
         fluid(i).saturation.monotonic_end_value(SaturationCurve::Series::liquid_density);
  return 2 / v;
}

void Mixture::reducing(const Fractions& x, bool second, Reducing& out) const {
  const int n = size();
  out.T = out.v = 0;
  for (int i = 0; i < n; ++i) {
    const auto k = static_cast<std::size_t>(i);
    const double Tc = fluid(i).T_reducing, vc = 1 / fluid(i).rho_reducing;
    out.T += x[k] * x[k] * Tc;
    out.v += x[k] * x[k] * vc;
    out.T_x[k] = 2 * x[k] * Tc;
    out.v_x[k] = 2 * x[k] * vc;
    if (second)
      for (int j = 0; j < n; ++j) {
        const auto kj = k * static_cast<std::size_t>(n) + static_cast<std::size_t>(j);
        out.T_xx[kj] = i == j ? 2 * Tc : 0;
        out.v_xx[kj] = i == j ? 2 * vc : 0;
      }
  }
  std::size_t index = 0;
  for (int i = 0; i < n; ++i)
    for (int j = i + 1; j < n; ++j, ++index) {
      const auto a = static_cast<std::size_t>(i), b = static_cast<std::size_t>(j);
      const PairTerms& t = terms_[index];
      const PairFunction fT = pair_function(x[a], x[b], t.bT2);
      const PairFunction fv = pair_function(x[a], x[b], t.bv2);
      out.T += t.cT * fT.f;
      out.v += t.cv * fv.f;
      out.T_x[a] += t.cT * fT.fi;
      out.T_x[b] += t.cT * fT.fj;
      out.v_x[a] += t.cv * fv.fi;
      out.v_x[b] += t.cv * fv.fj;
      if (!second) continue;
      const auto N = static_cast<std::size_t>(n);
      out.T_xx[a * N + a] += t.cT * fT.fii;
      out.T_xx[b * N + b] += t.cT * fT.fjj;
      out.T_xx[a * N + b] += t.cT * fT.fij;
      out.T_xx[b * N + a] += t.cT * fT.fij;
      out.v_xx[a * N + a] += t.cv * fv.fii;
      out.v_xx[b * N + b] += t.cv * fv.fjj;
      out.v_xx[a * N + b] += t.cv * fv.fij;
      out.v_xx[b * N + a] += t.cv * fv.fij;
    }
}

}  // namespace fluidcore
