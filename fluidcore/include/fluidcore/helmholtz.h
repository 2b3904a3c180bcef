// The reduced Helmholtz energy alpha(tau, delta) = a / (R T) and its term forms.
//
// Every evaluation returns scaled derivatives (see HelmholtzDerivatives): they
// need no division by delta, stay finite at delta = 0, and do not change when
// tau or delta is multiplied by a constant. That last point is what lets a
// mixture model add its parts directly: a component's ideal-gas part evaluated
// at its own (T_ci / T, rho / rho_ci) has the same scaled derivatives as at the
// mixture's (tau, delta).
//
// The residual part is a sum over a closed set of term forms (TermGroups).
// Evaluation happens in two steps so that solvers at fixed temperature pay for
// the tau factors once: ResidualHelmholtz::prepare(tau) computes every factor
// that depends on tau alone, then evaluate(prepared, delta) adds up the terms.
// Every separable form (all but nonanalytic) is
//     n * F(tau) * G(delta)
// and contributes a = nFG, d = a*gD, dd = a*GD, t = a*gT, tt = a*GT, dt = a*gD*gT
// with gX = x f'/f and GX = x^2 f''/f of its factor f (Factor below). Power
// terms that share their delta factor (same d, c, l) are summed over their
// tau factors in prepare(), so evaluate() visits each delta factor once.
//
// A mixture model (multi-fluid, composition-dependent reducing functions)
// builds one ResidualHelmholtz per component and per departure function and
// evaluates them all at the mixture's (tau, delta), weighting the results by
// x_i and x_i x_j F_ij (HelmholtzDerivatives::add_scaled).
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <vector>

namespace fluidcore {

// alpha and its derivatives, each scaled by the variables it is taken by:
//   a = alpha, d = delta*alpha_d, t = tau*alpha_t,
//   dd = delta^2*alpha_dd, tt = tau^2*alpha_tt, dt = delta*tau*alpha_dt.
struct HelmholtzDerivatives {
  double a = 0, d = 0, t = 0, dd = 0, tt = 0, dt = 0;

  void add_scaled(const HelmholtzDerivatives& o, double w) {
    a += w * o.a; d += w * o.d; t += w * o.t;
    dd += w * o.dd; tt += w * o.tt; dt += w * o.dt;
  }
};

// One factor f(x) of a separable term: value v, g = x f'/f and
// G = x^2 f''/f.
struct Factor {
  double v = 0, g = 0, G = 0;
};

// The tau side of one or more terms that share a delta factor, as sums over
// those terms: S0 = sum n F, S1 = sum n F gT, S2 = sum n F GT.
struct TauSums {
  double S0 = 0, S1 = 0, S2 = 0;
};

// n * delta^d * tau^t * exp(-c * delta^l); c = 0: no exponential.
struct PowerTerm { double n, t, c; int d, l; };
// n * delta^d * tau^t * exp(-eta (delta-epsilon)^2 - beta (tau-gamma)^2)
struct GaussianTerm { double n, t, eta, epsilon, beta, gamma; int d; };
// n * delta^d * tau^t * exp(-gd delta^ld - gt tau^lt)
struct DoubleExponentialTerm { double n, t, gd, gt, lt; int d, ld; };
// n * tau^t * exp(1/(b + beta (tau-gamma)^2)) * delta^d * exp(eta (delta-epsilon)^2)
// (eta and beta are negative in the published sets)
struct GaoBTerm { double n, t, eta, epsilon, beta, gamma, b; int d; };
// n * Delta^b * delta * psi with
//   theta = (1-tau) + A ((delta-1)^2)^(1/(2 beta)),
//   Delta = theta^2 + B ((delta-1)^2)^a,
//   psi   = exp(-C (delta-1)^2 - D (tau-1)^2)
struct NonanalyticTerm { double n, a, b, beta, A, B, C, D; };
// Departure functions only:
// n * delta^d * tau^t * exp(-eta (delta-epsilon)^2 - beta (delta-gamma))
struct GaussianLinearTerm { double n, t, eta, epsilon, beta, gamma; int d; };

// An exponent t of tau split once: whole quarters (nearly all published
// exponents) as a whole power times tau^(quarters/4), the rest through
// exp(t ln tau).
struct TauExponent {
  double t;
  unsigned whole, quarters;
  bool negative, quartered;
};

// The term groups of one residual Helmholtz energy (a pure fluid's alphar or
// a mixture's departure function), as read from a file.
struct TermGroups {
  std::vector<PowerTerm> power;
  std::vector<GaussianTerm> gaussian;
  std::vector<DoubleExponentialTerm> double_exponential;
  std::vector<GaoBTerm> gao_b;
  std::vector<NonanalyticTerm> nonanalytic;
  std::vector<GaussianLinearTerm> gaussian_linear;
};

// A residual Helmholtz energy: an immutable sum of terms.
class ResidualHelmholtz {
 public:
  ResidualHelmholtz() = default;
  explicit ResidualHelmholtz(TermGroups groups);

  // Everything that depends on tau alone: the tau sums of each group of
  // power terms, then one per other separable term in term order, held
  // inline (no allocation) up to kInlineFactors.
  static constexpr std::size_t kInlineFactors = 64;
  struct Prepared {
    double tau = 0;
    std::size_t count = 0;
    std::array<TauSums, kInlineFactors> inline_factors;
    std::vector<TauSums> more;  // used instead when a sum has more terms
    const TauSums* factors() const {
      return count <= kInlineFactors ? inline_factors.data() : more.data();
    }
    TauSums* factors() { return count <= kInlineFactors ? inline_factors.data() : more.data(); }
  };
  void prepare(double tau, Prepared& out) const;

  // alphar and its scaled derivatives at (prepared.tau, delta), delta >= 0.
  HelmholtzDerivatives evaluate(const Prepared& prepared, double delta) const;

  // One-shot evaluation (tests, single states).
  HelmholtzDerivatives evaluate(double tau, double delta) const;

  const TermGroups& terms() const { return groups_; }

 private:
  TermGroups groups_;
  // Power terms by delta factor: distinct (d, c, l), and per term its group.
  struct DeltaGroup { int d; double c; int l; };
  std::vector<DeltaGroup> power_groups_;
  std::vector<int> power_group_of_;
  int max_delta_power_ = 0;
  // The distinct exponents of the power terms (each power of tau is taken
  // once per temperature), per term the index of its own, and whether any
  // factor needs ln tau.
  std::vector<TauExponent> tau_exponents_;
  std::vector<int> power_exponent_of_;
  bool needs_ln_tau_ = false;
};

// ln(rho / rho_reducing), also where the quotient would underflow (densities
// of a few 1e-324 mol/dm^3, where the ideal-gas entropy is still finite).
inline double log_delta(double rho, double rho_reducing) {
  const double delta = rho / rho_reducing;
  return delta >= 0x1p-1000 ? std::log(delta) : std::log(rho) - std::log(rho_reducing);
}

// The ideal-gas part, one canonical form for every fluid:
//   alpha0 = ln(delta) + a1 + a2 tau + c_log_tau ln(tau) + c_tau_log_tau tau ln(tau)
//          + sum n_i tau^t_i + sum n_k ln(c_k + d_k exp(theta_k tau))
struct IdealGasHelmholtz {
  struct Power { double n, t; };
  struct PlanckEinstein { double n, theta, c, d; };
  double a1 = 0, a2 = 0, c_log_tau = 0, c_tau_log_tau = 0;
  std::vector<Power> power;
  std::vector<PlanckEinstein> planck_einstein;

  // alpha0 and scaled derivatives; delta > 0 (a includes ln(delta); d = 1, dd = -1).
  HelmholtzDerivatives evaluate(double tau, double delta) const;
};

}  // namespace fluidcore
