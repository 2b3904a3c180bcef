#include "fluidcore/mixture_flash.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

#include "eos/density_solve.h"
#include "flash/flash_support.h"
#include "fluidcore/mixture_state.h"
#include "numerics/roots.h"

namespace fluidcore {
namespace {

using Result = MixtureFlashResult;
constexpr double kInf = std::numeric_limits<double>::infinity();
// A pressure this far (relative) from the interpolated bubble or dew
// pressure lies on its side for certain (the interpolation is good to ~1e-6).
constexpr double kLineMargin = 2e-5;

Result fail(int status, std::string message, int beyond = 0) {
  return failure<Result>(status, std::move(message), beyond);
}

// ---------------------------------------------------------------------------
// Range checks; an empty text means the value is usable.

std::string check_temperature(const FixedMixture& m, double T) {
  return fluidcore::check_temperature(T, m.limits().Tmin, m.limits().Tmax, m.name());
}

std::string check_pressure(const FixedMixture& m, double p) {
  return fluidcore::check_pressure(p, m.limits().pmax, m.name());
}

double density_cap(const FixedMixture& m) { return m.model().density_cap(m.z()); }

std::string check_density(const FixedMixture& m, double rho) {
  return fluidcore::check_density(rho, density_cap(m), m.name());
}

std::string check_value(Property y, double value) {
  return std::isfinite(value) ? std::string() : quantity(y) + " is not a finite number";
}

// ---------------------------------------------------------------------------
// Results

// A single-phase result; none where the model gives no physical state.
Result single_phase(const FixedMixture& m, const State& s) {
  if (auto why = unphysical(s, Mixture::kGasConstant, m.name()); !why.empty())
    return fail(kOutOfRange, why);
  const auto& c = m.critical();
  Result r;
  r.state = single_phase_state(s, c.T, c.p, c.rho);
  r.x = r.y = m.z();
  return r;
}

// The liquid and vapour of a split, each at its own composition.
struct PhaseStates {
  State L, V;
};

PhaseStates phase_states(const FixedMixture& m, const TwoPhase& t) {
  return {MixtureIsotherm(m.model(), t.T, t.x).state(t.rhoL),
          MixtureIsotherm(m.model(), t.T, t.y).state(t.rhoV)};
}

// Why a split's phases are no physical states (the model below one of its
// components' own range: the lower limit of a mixture is the mean of its
// components'), or "" where they are.
std::string unphysical_phases(const FixedMixture& m, const PhaseStates& phases) {
  for (const State* s : {&phases.L, &phases.V})
    if (auto why = unphysical(*s, Mixture::kGasConstant, m.name()); !why.empty()) return why;
  return {};
}

// Within rounding of the critical point, where the two phases are one, a
// split can come out with its liquid lighter than its vapour.
std::string inverted(const FixedMixture& m, const TwoPhase& t) {
  if (t.rhoL >= t.rhoV) return {};
  return "no two phases of " + m.name() + " at " + show("temperature", t.T, "K") +
         " (the liquid found is lighter than the vapour: the critical point)";
}

// Why a bubble or dew point is no physical split: inverted, or its phases
// unphysical (evaluated only where some component is extrapolated;
// elsewhere they are physical).
std::string unphysical_point(const FixedMixture& m, const TwoPhase& t) {
  if (auto why = inverted(m, t); !why.empty()) return why;
  return t.T < m.limits().Tmin_all ? unphysical_phases(m, phase_states(m, t)) : std::string{};
}

Result two_phase(const FixedMixture& m, const TwoPhase& t) {
  if (auto why = inverted(m, t); !why.empty()) return fail(kOutOfRange, why);
  const PhaseStates phases = phase_states(m, t);
  if (auto why = unphysical_phases(m, phases); !why.empty()) return fail(kOutOfRange, why);
  const auto& [L, V] = phases;
  Result r;
  r.state = two_phase_state(L, V, t.T, t.p, t.beta);
  r.x = t.x;
  r.y = t.y;
  return r;
}

// r, or a refusal where its state lies outside the temperature limits: a
// state found from a pressure below the lowest saturation pressure (the
// lines there reach below the lower limit).
Result within_limits(const FixedMixture& m, Result r) {
  if (!r.ok()) return r;
  if (auto why = check_temperature(m, r.state.T); !why.empty())
    return fail(kOutOfRange, "the state found: " + why);
  return r;
}

// ---------------------------------------------------------------------------
// Bubble and dew points

const SaturationLine& line_of(const FixedMixture& m, double beta) {
  return beta < 0.5 ? m.bubble_line() : m.dew_line();
}

// Newton from the line's interpolated state, or for a value beyond the
// traced part from its nearer end: the lower limit (a wide glide reaches
// below it at low pressure) or where the line was left.
std::optional<TwoPhase> solve_from(const FixedMixture& m, Given given, double value, double beta,
                                   std::optional<TwoPhase> start) {
  const auto& line = line_of(m, beta);
  if (line.empty()) return std::nullopt;
  if (!start) {
    const TwoPhase low = line.first();
    bool below;
    switch (given) {
      case Given::T_beta: below = value < low.T; break;
      case Given::p_beta: below = value < low.p; break;
      default: below = beta < 0.5 ? value > low.rhoL : value < low.rhoV;  // the feed's density
    }
    start = below ? low : line.last();
  }
  const auto r = solve_equilibrium(m.model(), m.z(), given, value, beta, *start);
  return r.converged ? std::optional<TwoPhase>(r.state) : std::nullopt;
}

// Well beyond where both lines were left there is no two-phase state: the
// lines end within a fraction of a kelvin (and of a percent in pressure) of
// the critical point.
bool beyond_lines(const FixedMixture& m, double T, double p) {
  const auto& b = m.bubble_line();
  const auto& d = m.dew_line();
  if (b.empty() || d.empty()) return false;
  return T > std::max(b.Tmax(), d.Tmax()) + 0.5 || p > 1.01 * std::max(b.pmax(), d.pmax());
}

std::optional<TwoPhase> boundary_at_temperature(const FixedMixture& m, double T, double beta) {
  if (beyond_lines(m, T, 0)) return std::nullopt;
  return solve_from(m, Given::T_beta, T, beta, line_of(m, beta).at_temperature(T));
}

std::optional<TwoPhase> boundary_at_pressure(const FixedMixture& m, double p, double beta) {
  if (beyond_lines(m, 0, p)) return std::nullopt;
  return solve_from(m, Given::p_beta, p, beta, line_of(m, beta).at_pressure(p));
}

// A start for a split with vapour fraction about beta between the bubble
// point b and the dew point d (both at one T or one p).
TwoPhase between(const FixedMixture& m, const TwoPhase& b, const TwoPhase& d, double beta) {
  TwoPhase s;
  s.beta = beta;
  s.T = b.T + beta * (d.T - b.T);
  s.p = std::exp(std::log(b.p) + beta * (std::log(d.p) - std::log(b.p)));
  s.rhoL = std::exp(std::log(b.rhoL) + beta * (std::log(d.rhoL) - std::log(b.rhoL)));
  s.rhoV = std::exp(std::log(b.rhoV) + beta * (std::log(d.rhoV) - std::log(b.rhoV)));
  for (int i = 0; i < m.model().size(); ++i) {
    const auto k = static_cast<std::size_t>(i);
    s.x[k] = m.z()[k] + beta * (d.x[k] - m.z()[k]);
    s.y[k] = b.y[k] + beta * (m.z()[k] - b.y[k]);
  }
  return s;
}

// Splits at one T (Given::T_beta) or one p (Given::p_beta) for vapour
// fractions from the bubble point (beta = 0) to the dew point (beta = 1).
// Each starts from the known split nearest in beta; one whose pressure (or
// temperature) falls outside the range between the known splits on either
// side of it is a spurious root and refused.
class SplitPath {
 public:
  SplitPath(const FixedMixture& m, Given given, double value, const TwoPhase& bubble,
            const TwoPhase& dew)
      : m_(m), given_(given), value_(value), known_{bubble, dew} {}

  Result at(double beta) {
    const TwoPhase& b = known_[0];
    const TwoPhase& d = known_[1];
    if (beta <= 0) return two_phase(m_, b);
    if (beta >= 1) return two_phase(m_, d);
    const TwoPhase* start = &known_[0];
    for (const auto& k : known_)
      if (std::abs(k.beta - beta) < std::abs(start->beta - beta)) start = &k;
    const bool at_T = given_ == Given::T_beta;
    // p falls (at given T) or T rises (at given p) with beta: a split
    // outside the known splits next to beta on either side is spurious.
    const TwoPhase *below = &b, *above = &d;
    for (const auto& k : known_) {
      if (k.beta <= beta && k.beta > below->beta) below = &k;
      if (k.beta >= beta && k.beta < above->beta) above = &k;
    }
    const double lo = at_T ? above->p : below->T, hi = at_T ? below->p : above->T;
    const auto solve = [&](const TwoPhase& from) {
      auto r = solve_equilibrium(m_.model(), m_.z(), given_, value_, beta, from);
      const double other = at_T ? r.state.p : r.state.T;
      r.converged = r.converged && other >= lo * (1 - 1e-9) && other <= hi * (1 + 1e-9);
      return r;
    };
    // From the nearest known split where it is close in beta, else from
    // between the ends (from a bubble or dew point far off in beta Newton
    // can end on a spurious split close to the critical point), else in
    // steps of beta from the nearest known split (there the phases differ
    // little and Newton needs a close start).
    const bool close = std::abs(start->beta - beta) <= 0.05;
    auto r = solve(close ? *start : between(m_, b, d, beta));
    if (!r.converged) r = solve(close ? between(m_, b, d, beta) : *start);
    for (int steps = 4; !r.converged && steps <= 64; steps *= 4) {
      TwoPhase from = *start;
      const double beta0 = start->beta;
      for (int k = 1; k <= steps; ++k) {
        const double bk = beta0 + (beta - beta0) * k / steps;
        auto rk = solve_equilibrium(m_.model(), m_.z(), given_, value_, bk, from);
        if (!rk.converged) break;
        from = rk.state;
        if (k == steps) r = solve(from);
      }
    }
    if (!r.converged) return fail(kNoConvergence, "no convergence of the two-phase split");
    known_.push_back(r.state);
    Result out = two_phase(m_, r.state);
    (at_T ? out.state.T : out.state.p) = value_;
    return out;
  }

 private:
  const FixedMixture& m_;
  Given given_;
  double value_;
  std::vector<TwoPhase> known_;  // the bubble point, the dew point, then every split found
};

// The bubble and dew points at T (or at p), when both exist.
struct Boundaries {
  TwoPhase bubble, dew;
};

std::optional<Boundaries> boundaries_at_temperature(const FixedMixture& m, double T) {
  auto b = boundary_at_temperature(m, T, 0);
  if (!b) return std::nullopt;
  auto d = boundary_at_temperature(m, T, 1);
  if (!d || d->p > b->p * (1 + 1e-9)) return std::nullopt;
  return Boundaries{*b, *d};
}

std::optional<Boundaries> boundaries_at_pressure(const FixedMixture& m, double p) {
  auto b = boundary_at_pressure(m, p, 0);
  if (!b) return std::nullopt;
  auto d = boundary_at_pressure(m, p, 1);
  if (!d || d->T < b->T * (1 - 1e-9)) return std::nullopt;
  return Boundaries{*b, *d};
}

std::string above_critical(const FixedMixture& m, const char* what, double v, const char* unit_text,
                           double critical) {
  return "no two-phase state of " + m.name() + " at " + show(what, v, unit_text) +
         (v >= critical ? " (above the critical " + std::string(what) + " " +
                              format_number(critical) + " " + unit_text + ")"
                        : "");
}

// ---------------------------------------------------------------------------
// Single-phase states at (T, p)

enum class Branch { liquid, vapour, either };

// The state at (T, p) on a branch. `either` (no bubble or dew point at T):
// of the vapour-like and liquid-like roots the one of lower Gibbs energy.
std::optional<State> state_at(const FixedMixture& m, const MixtureIsotherm& iso, double p,
                              Branch branch, double lo, double hi, double guess) {
  const double cap = density_cap(m);
  const double ideal = p / (iso.gas_constant() * iso.T());
  if (branch == Branch::vapour) {
    const auto d = solve_density(iso, p, 0, hi, guess > 0 ? guess : ideal, cap);
    return d.ok ? std::optional<State>(d.state) : std::nullopt;
  }
  if (branch == Branch::liquid) {
    const auto d = solve_density(iso, p, lo, kInf, guess > 0 ? guess : lo, cap);
    return d.ok ? std::optional<State>(d.state) : std::nullopt;
  }
  const auto gas = solve_density(iso, p, 0, kInf, ideal, cap);
  const auto dense = solve_density(iso, p, 0, kInf, 0.5 * cap, cap);
  if (gas.ok && dense.ok) return gas.state.g <= dense.state.g ? gas.state : dense.state;
  if (gas.ok) return gas.state;
  if (dense.ok) return dense.state;
  return std::nullopt;
}

// Where (T, p) lies: in one phase (branch and the density bracket of it) or
// between the bubble and dew points `sides`.
struct Placement {
  Branch branch = Branch::either;
  double lo = 0, hi = kInf, guess = -1;
  std::optional<Boundaries> sides;  // set for two-phase states
};

// Below where a line could be traced (a mixture of refrigerants and
// permanent gases whose bubble line runs off to high pressure) there is no
// bubble or dew point to decide the phase against: a single phase is then
// assumed, with a warning.
bool undecided(const FixedMixture& m, double T) {
  const auto& b = m.bubble_line();
  const auto& d = m.dew_line();
  return b.empty() || d.empty() || T < std::max(b.Tmin(), d.Tmin());
}

Result assumed_single_phase(const FixedMixture& m, const State& s) {
  Result r = single_phase(m, s);
  if (r.ok() && undecided(m, s.T)) {
    r.status = kWarnEstimate;
    r.message = "the phase of " + m.name() + " at " + show("temperature", s.T, "K") +
                " could not be decided (no bubble or dew point traced there); one phase assumed";
  }
  return r;
}

Placement place(const FixedMixture& m, double T, double p) {
  const auto vapour = [&](const TwoPhase& dew, double margin) {
    return Placement{Branch::vapour, 0, dew.rhoV * (1 + margin), dew.rhoV * p / dew.p, std::nullopt};
  };
  const auto liquid = [&](const TwoPhase& bubble, double margin) {
    return Placement{Branch::liquid, bubble.rhoL * (1 - margin), kInf, bubble.rhoL, std::nullopt};
  };
  // Clearly below the dew point or above the bubble point: the interpolated
  // line decides (its densities, good to about 1e-6, bound the branches
  // with a margin).
  const auto b0 = m.bubble_line().at_temperature(T), d0 = m.dew_line().at_temperature(T);
  if (d0 && p < d0->p * (1 - kLineMargin)) return vapour(*d0, 1e-4);
  if (b0 && p > b0->p * (1 + kLineMargin)) return liquid(*b0, 1e-4);
  // Close to them, the exact points (a margin of a few parts in 1e6 keeps
  // the bracket clear of the last digits of their densities).
  const auto b = boundary_at_temperature(m, T, 0), d = boundary_at_temperature(m, T, 1);
  if (d && p <= d->p) return vapour(*d, 1e-6);
  if (b && p >= b->p) return liquid(*b, 1e-6);
  if (!b || !d || d->p > b->p * (1 + 1e-9)) return {};
  Placement two;
  two.sides = Boundaries{*b, *d};
  return two;
}

// ---------------------------------------------------------------------------
// One-dimensional searches over states

// A state along a path and how far its property is from the target.
struct Probe {
  Result state;
  double residual = NAN;
};

// Root of a rising residual(x) on [a, b] by Brent's method; the state at
// the root comes from the last probe there. A probe within ftol of the
// target ends the search at once (Brent would go on narrowing its bracket
// from the far side).
std::optional<Result> rising_root(const std::function<Probe(double)>& probe, double a, double b,
                                  double xtol, double ftol) {
  Probe pa = probe(a), pb = probe(b);
  if (!pa.state.ok() || !pb.state.ok()) return std::nullopt;
  if (std::abs(pa.residual) <= ftol) return pa.state;
  if (std::abs(pb.residual) <= ftol) return pb.state;
  if (pa.residual > 0 || pb.residual < 0) return std::nullopt;
  std::optional<Probe> hit;
  Probe last;
  double last_x = NAN;
  const auto fn = [&](double x) {
    if (hit) return 0.0;
    last = probe(x);
    last_x = x;
    if (!last.state.ok()) return std::nan("");
    if (std::abs(last.residual) <= ftol) {
      hit = last;
      return 0.0;
    }
    return last.residual;
  };
  const Root r = brent(fn, a, b, pa.residual, pb.residual, xtol);
  if (hit) last = *hit;
  else if (last_x != r.x) last = r.x == a ? pa : r.x == b ? pb : probe(r.x);
  if (!last.state.ok()) return std::nullopt;
  last.state.iterations = r.iterations;
  return last.state;
}

// Tolerance on a converged property value.
double tolerance(Property y, double T, double value) {
  const double scale = y == Property::pressure  ? 0
                       : y == Property::entropy ? Mixture::kGasConstant
                                                : Mixture::kGasConstant * T;
  return 1e-12 * (std::abs(value) + scale);
}

// Whether a search's result has y = value: within a thousand times the
// tolerance (a search can end on a jump of y instead), and `slack` more.
bool has_value(const Result& r, Property y, double value, double slack = 0) {
  return r.ok() && std::abs(value_of(r.state, y) - value) <= 1e3 * tolerance(y, r.state.T, value) + slack;
}

}  // namespace

// ---------------------------------------------------------------------------
// Saturation

namespace {

// The bubble point (kind 1) or dew point (kind 2) at a temperature or a
// pressure.
MixtureSaturationResult saturation_point(const FixedMixture& m, bool at_T, double value, int kind) {
  MixtureSaturationResult r;
  const auto fault = [&](int status, std::string why) {
    r.status = status;
    r.message = std::move(why);
    return r;
  };
  if (kind != 1 && kind != 2)
    return fault(kBadInput, "phase selector " + std::to_string(kind) +
                                " is neither 1 (bubble point) nor 2 (dew point)");
  if (auto why = at_T ? check_temperature(m, value) : check_pressure(m, value); !why.empty())
    return fault(input_status(value), why);
  const double beta = kind == 1 ? 0 : 1;
  const auto& line = line_of(m, beta);
  const char* const point_name = kind == 1 ? "bubble" : "dew";
  const std::string shown = at_T ? show("temperature", value, "K") : show("pressure", value, "kPa");
  if (!at_T && !line.empty() && value < line.pmin() * (1 - kSlack))
    return fault(kOutOfRange, shown + " is below the " + point_name + " pressure " +
                                  format_number(line.pmin()) + " kPa at the lower limit of " +
                                  m.name());
  const auto point = at_T ? boundary_at_temperature(m, value, beta) : boundary_at_pressure(m, value, beta);
  if (!point) {
    const bool beyond = !line.empty() && value >= (at_T ? line.Tmax() : line.pmax());
    const auto& c = m.critical();
    return fault(beyond ? kOutOfRange : kNoConvergence,
                 "no " + std::string(point_name) + " point of " + m.name() + " at " + shown +
                     (!beyond ? ""
                      : at_T  ? " (the critical temperature is " + format_number(c.T) + " K)"
                              : " (the critical pressure is " + format_number(c.p) + " kPa)"));
  }
  if (auto why = unphysical_point(m, *point); !why.empty())
    return fault(kOutOfRange, "no physical " + std::string(point_name) + " point: " + why);
  r.point = *point;
  r.phase = kind;
  return r;
}

}  // namespace

MixtureSaturationResult saturation_at_temperature(const FixedMixture& m, double T, int kind) {
  return saturation_point(m, true, T, kind);
}

MixtureSaturationResult saturation_at_pressure(const FixedMixture& m, double p, int kind) {
  return saturation_point(m, false, p, kind);
}

MixtureSaturationResult saturation_at_density(const FixedMixture& m, double rho) {
  MixtureSaturationResult r;
  if (auto why = check_density(m, rho); !why.empty()) {
    r.status = input_status(rho);
    r.message = why;
    return r;
  }
  const bool liquid = rho >= m.critical().rho;
  const double beta = liquid ? 0 : 1;
  const auto point = solve_from(m, Given::rho_beta, rho, beta, line_of(m, beta).at_density(rho));
  if (!point || !(point->T >= m.limits().Tmin * (1 - kSlack))) {
    r.status = kOutOfRange;
    r.message = "no " + std::string(liquid ? "bubble point whose liquid" : "dew point whose vapour") +
                " has the " + show("density", rho, "mol/dm^3") + " (" + m.name() + ")";
    return r;
  }
  if (auto why = unphysical_point(m, *point); !why.empty()) {
    r.status = kOutOfRange;
    r.message = "no physical " + std::string(liquid ? "bubble" : "dew") + " point: " + why;
    return r;
  }
  r.point = *point;
  r.phase = liquid ? 1 : 2;
  return r;
}

// ---------------------------------------------------------------------------
// Flashes with T and p, rho or q given

namespace {

// The split at T, between its bubble point b and dew point d, with a second
// given value: by Newton directly (given: T_p, T_rho), or where that fails
// (for a near-azeotrope beta hardly moves p) by a search over beta on
// `residual`, which rises with beta. `field` receives the given value.
Result split_at(const FixedMixture& m, double T, Given given, double value, const Boundaries& sides,
                double beta, double FlashState::*field,
                const std::function<double(const FlashState&)>& residual, const std::string& given_text) {
  const auto& [b, d] = sides;
  const auto r = solve_equilibrium(m.model(), m.z(), given, T, value, between(m, b, d, beta));
  std::optional<Result> found;
  // Close to the critical point Newton can end on a spurious split, whose
  // pressure lies outside the range from the dew to the bubble point.
  if (r.converged && r.state.p >= d.p * (1 - 1e-9) && r.state.p <= b.p * (1 + 1e-9)) {
    found = two_phase(m, r.state);
    found->iterations = r.iterations;
  } else {
    SplitPath path(m, Given::T_beta, T, b, d);
    const auto probe = [&](double f) {
      Probe pr{path.at(f), NAN};
      if (pr.state.ok()) pr.residual = residual(pr.state.state);
      return pr;
    };
    found = rising_root(probe, 0, 1, 1e-16, 1e-14);
  }
  // The search over beta can end on a split that does not have the given
  // value (a probe failing close to the critical point, where the splits
  // themselves carry noise of about 1e-9).
  if (found && !(std::abs(residual(found->state)) <= 1e-6)) found.reset();
  if (!found)
    return fail(kNoConvergence, "no convergence of the two-phase split at " +
                                    show("temperature", T, "K") + " and " + given_text + " of " +
                                    m.name());
  found->state.*field = value;  // the given value exactly
  return *found;
}

}  // namespace

MixtureFlashResult flash_tp(const FixedMixture& m, double T, double p) {
  if (auto why = check_temperature(m, T); !why.empty()) return fail(input_status(T), why);
  if (auto why = check_pressure(m, p); !why.empty()) return fail(input_status(p), why);
  const Placement at = place(m, T, p);
  if (at.sides) {
    const auto& [b, d] = *at.sides;
    const double beta = std::clamp((std::log(b.p) - std::log(p)) / (std::log(b.p) - std::log(d.p)),
                                   0.0, 1.0);
    return split_at(m, T, Given::T_p, p, *at.sides, beta, &FlashState::p,
                    [&](const FlashState& f) { return std::log(p) - std::log(f.p); },
                    show("pressure", p, "kPa"));
  }
  const MixtureIsotherm iso(m.model(), T, m.z());
  const auto s = state_at(m, iso, p, at.branch, at.lo, at.hi, at.guess);
  if (!s)
    return fail(kNoConvergence, "no density found at " + show("temperature", T, "K") + " and " +
                                    show("pressure", p, "kPa") + " of " + m.name());
  return at.branch == Branch::either ? assumed_single_phase(m, *s) : single_phase(m, *s);
}

MixtureFlashResult flash_td(const FixedMixture& m, double T, double rho) {
  if (auto why = check_temperature(m, T); !why.empty()) return fail(input_status(T), why);
  if (auto why = check_density(m, rho); !why.empty()) return fail(input_status(rho), why);
  const State s = MixtureIsotherm(m.model(), T, m.z()).state(rho);
  // Lighter than the dew point's vapour or denser than the bubble point's
  // liquid: one phase (first against the interpolated lines).
  const auto b0 = m.bubble_line().at_temperature(T), d0 = m.dew_line().at_temperature(T);
  if ((d0 && rho < d0->rhoV * (1 - kLineMargin)) || (b0 && rho > b0->rhoL * (1 + kLineMargin)))
    return single_phase(m, s);
  const auto bubble = boundary_at_temperature(m, T, 0), dew = boundary_at_temperature(m, T, 1);
  if ((dew && rho <= dew->rhoV) || (bubble && rho >= bubble->rhoL)) return single_phase(m, s);
  if (!bubble || !dew) return assumed_single_phase(m, s);
  const double beta = (1 / rho - 1 / bubble->rhoL) / (1 / dew->rhoV - 1 / bubble->rhoL);
  // The overall density falls with beta.
  return split_at(m, T, Given::T_rho, rho, Boundaries{*bubble, *dew}, beta, &FlashState::rho,
                  [&](const FlashState& f) { return std::log(rho) - std::log(f.rho); },
                  show("density", rho, "mol/dm^3"));
}

namespace {

// A split with vapour fraction q at the given T (Given::T_beta) or p.
Result flash_quality(const FixedMixture& m, Given given, double value, double q) {
  const bool at_T = given == Given::T_beta;
  if (auto why = check_quality(q); !why.empty()) return fail(input_status(q), why);
  q = std::clamp(q, 0.0, 1.0);  // a rounding error outside counts as on the end
  const auto& c = m.critical();
  const auto beyond = [&] {
    return fail(kOutOfRange, at_T ? above_critical(m, "temperature", value, "K", c.T)
                                  : above_critical(m, "pressure", value, "kPa", c.p));
  };
  const auto result = [&](const TwoPhase& point) {
    Result out = two_phase(m, point);
    if (out.ok()) (at_T ? out.state.T : out.state.p) = value;
    return out;
  };
  std::optional<TwoPhase> start;
  if (q == 0 || q == 1) {
    start = at_T ? line_of(m, q).at_temperature(value) : line_of(m, q).at_pressure(value);
  } else {
    const auto b = at_T ? boundary_at_temperature(m, value, 0) : boundary_at_pressure(m, value, 0);
    const auto d = at_T ? boundary_at_temperature(m, value, 1) : boundary_at_pressure(m, value, 1);
    // Where the two lines do not both reach the value (near the critical
    // point, where the envelope turns), from between their ends.
    if (b && d) {
      start = between(m, *b, *d, q);
    } else if (!m.bubble_line().empty() && !m.dew_line().empty()) {
      const TwoPhase lb = m.bubble_line().last(), ld = m.dew_line().last();
      for (const TwoPhase& from : {between(m, lb, ld, q), lb, ld}) {
        TwoPhase s0 = from;
        s0.beta = q;
        if (const auto r = solve_from(m, given, value, q, s0)) return result(*r);
      }
      return beyond();
    } else {
      return beyond();
    }
  }
  const auto point = solve_from(m, given, value, q, start);
  if (!point) return beyond();
  return result(*point);
}

}  // namespace

MixtureFlashResult flash_tq(const FixedMixture& m, double T, double q) {
  if (auto why = check_temperature(m, T); !why.empty()) return fail(input_status(T), why);
  return flash_quality(m, Given::T_beta, T, q);
}

MixtureFlashResult flash_pq(const FixedMixture& m, double p, double q) {
  if (auto why = check_pressure(m, p); !why.empty()) return fail(input_status(p), why);
  return within_limits(m, flash_quality(m, Given::p_beta, p, q));
}

// ---------------------------------------------------------------------------
// Isobar: T such that y(T, p) = value

namespace {

// y rising with T on [Ta, Tb] along one branch (or over splits).
Result solve_isobar(const FixedMixture& m, double p, Property y, double value, double Ta,
                    double Tb, const std::function<Result(double)>& state_at_T) {
  const auto probe = [&](double T) {
    Probe pr{state_at_T(T), NAN};
    if (pr.state.ok()) pr.residual = value_of(pr.state.state, y) - value;
    return pr;
  };
  // T to the last digit: two-phase isobars can be steep (h changes by the
  // latent heat over a glide of a tenth of a kelvin).
  if (auto r = rising_root(probe, Ta, Tb, 1e-16 * Tb, tolerance(y, Tb, value))) {
    if (has_value(*r, y, value)) return *r;
  }
  return fail(kNoConvergence, "no convergence at " + show("pressure", p, "kPa") + " and " +
                                  show(y, value) + " of " + m.name());
}

}  // namespace

namespace {

// The state on the isobar, not held to the temperature limits (the
// isenthalps of HS pass below them on the way).
Result isobar_state(const FixedMixture& m, double p, Property y, double value) {
  if (auto why = check_pressure(m, p); !why.empty()) return fail(input_status(p), why);
  if (auto why = check_value(y, value); !why.empty()) return fail(kBadInput, why);
  const auto& l = m.limits();
  const auto out_of_range = [&](double T, double at, bool above) {
    return fail(kOutOfRange,
                beyond_value_at_limit(y, value, show("pressure", p, "kPa"), at, above, T, m.name()),
                above ? 1 : -1);
  };
  // Single-phase state at T, its branch and bracket from where T lies.
  const auto single = [&](double T) {
    const MixtureIsotherm iso(m.model(), T, m.z());
    const Placement at = place(m, T, p);
    const Branch branch = at.sides ? Branch::either : at.branch;
    const auto s = state_at(m, iso, p, branch, at.lo, at.hi, at.guess);
    return s ? single_phase(m, *s)
             : fail(kNoConvergence, "no density found at " + show("temperature", T, "K") + " and " +
                                        show("pressure", p, "kPa") + " of " + m.name());
  };
  const auto sides = boundaries_at_pressure(m, p);
  if (!sides) {
    // One phase all along the isobar.
    const Result lo = single(l.Tmin), hi = single(l.Tmax);
    if (lo.ok() && value < value_of(lo.state, y) - tolerance(y, l.Tmin, value)) return out_of_range(l.Tmin, value_of(lo.state, y), false);
    if (hi.ok() && value > value_of(hi.state, y) + tolerance(y, l.Tmax, value)) return out_of_range(l.Tmax, value_of(hi.state, y), true);
    return solve_isobar(m, p, y, value, l.Tmin, l.Tmax, single);
  }
  // Named references rather than bindings: the lambdas below capture them.
  const TwoPhase& b = sides->bubble;
  const TwoPhase& d = sides->dew;
  const State bL = phase_states(m, b).L, dV = phase_states(m, d).V;
  const double y_bubble = value_of(bL, y), y_dew = value_of(dV, y);
  if (value <= y_bubble) {
    const Result lo = single(l.Tmin);
    if (lo.ok() && value < value_of(lo.state, y) - tolerance(y, l.Tmin, value)) return out_of_range(l.Tmin, value_of(lo.state, y), false);
    if (value == y_bubble) return two_phase(m, b);
    return solve_isobar(m, p, y, value, l.Tmin, b.T, [&](double T) {
      return T >= b.T ? single_phase(m, bL) : single(T);
    });
  }
  if (value >= y_dew) {
    const Result hi = single(l.Tmax);
    if (hi.ok() && value > value_of(hi.state, y) + tolerance(y, l.Tmax, value)) return out_of_range(l.Tmax, value_of(hi.state, y), true);
    if (value == y_dew) return two_phase(m, d);
    return solve_isobar(m, p, y, value, d.T, l.Tmax, [&](double T) {
      if (T <= d.T) return single_phase(m, dV);
      return single(T);
    });
  }
  // Two-phase: y rises with the vapour fraction beta from the bubble to the
  // dew point. (beta rather than T: for a near-azeotrope the glide is a few
  // microkelvin.)
  SplitPath path(m, Given::p_beta, p, b, d);
  const auto probe = [&](double beta) {
    Probe pr{path.at(beta), NAN};
    if (pr.state.ok()) pr.residual = value_of(pr.state.state, y) - value;
    return pr;
  };
  if (auto r = rising_root(probe, 0, 1, 1e-16, tolerance(y, d.T, value))) {
    if (has_value(*r, y, value)) return *r;
  }
  return fail(kNoConvergence, "no convergence of the two-phase split at " +
                                  show("pressure", p, "kPa") + " and " + show(y, value) + " of " +
                                  m.name());
}

}  // namespace

MixtureFlashResult flash_isobar(const FixedMixture& m, double p, Property y, double value) {
  return within_limits(m, isobar_state(m, p, y, value));
}

// ---------------------------------------------------------------------------
// Isotherm: the lowest-density state at T with y = value

MixtureFlashResult flash_isotherm(const FixedMixture& m, double T, Property y, double value) {
  if (auto why = check_temperature(m, T); !why.empty()) return fail(input_status(T), why);
  if (auto why = check_value(y, value); !why.empty()) return fail(kBadInput, why);
  const MixtureIsotherm iso(m.model(), T, m.z());
  const double cap = density_cap(m);
  // The densest state considered at T: the liquid at the upper pressure
  // limit (a hair beyond, so that a state on the limit is inside).
  const auto sides = boundaries_at_temperature(m, T);
  const auto densest = solve_density(iso, m.limits().pmax * (1 + 1e-8),
                                     sides ? sides->bubble.rhoL : 0, kInf,
                                     sides ? sides->bubble.rhoL : 0.5 * cap, cap);
  const double rho_max = densest.ok ? densest.state.rho : cap;
  // Residual along one single-phase stretch of densities [a, b], in ln rho;
  // a residual within the tolerance counts as zero (the ends of a stretch
  // are bubble or dew points that another stretch shares).
  const double ftol = tolerance(y, T, value);
  const auto on_densities = [&](double a, double b) -> std::optional<Result> {
    const auto fn = [&](double ln_rho) {
      const double r = value_of(iso.state(std::exp(ln_rho)), y) - value;
      return std::abs(r) <= ftol ? 0.0 : r;
    };
    const auto slope = [&](double ln_rho) {
      const double rho = std::exp(ln_rho);
      return rho * d_drho(iso.state(rho), y);
    };
    std::vector<double> grid;
    for (int i = 0; i <= 24; ++i) grid.push_back(std::log(a) + (std::log(b) - std::log(a)) * i / 24);
    const auto root = first_root(fn, grid, 1e-14, slope, 0);
    if (!root) return std::nullopt;
    Result r = single_phase(m, iso.state(std::exp(root->x)));
    r.iterations = root->iterations;
    return r;
  };
  const double rho_min = 1e-9 * (sides ? sides->dew.rhoV : 1.0);
  if (!sides) {
    if (auto r = on_densities(rho_min, rho_max)) return *r;
  } else {
    const auto& [b, d] = *sides;
    if (auto r = on_densities(rho_min, d.rhoV)) return *r;
    // The splits from the dew point (beta = 1) to the bubble point (beta = 0).
    // y need not be monotonic in beta at very low pressure (v dp against
    // T ds): scan from the dew point (the lowest density) towards the
    // bubble point and take the first crossing.
    SplitPath path(m, Given::T_beta, T, b, d);
    Result found;
    double found_beta = NAN;
    const auto fn = [&](double from_dew) {  // 1 - beta
      found = path.at(1 - from_dew);
      found_beta = 1 - from_dew;
      if (!found.ok()) return std::nan("");
      const double r = value_of(found.state, y) - value;
      return std::abs(r) <= ftol ? 0.0 : r;
    };
    std::vector<double> grid;
    for (int i = 0; i <= 8; ++i) grid.push_back(i / 8.0);
    if (const auto root = first_root(fn, grid, 1e-16)) {
      if (found_beta != 1 - root->x) found = path.at(1 - root->x);
      if (has_value(found, y, value)) return found;
    }
    if (auto r = on_densities(b.rhoL, rho_max)) return *r;
  }
  return fail(kOutOfRange, "no state of " + m.name() + " at " + show("temperature", T, "K") +
                               " has the " + show(y, value) + " (up to the upper pressure limit " +
                               format_number(m.limits().pmax) + " kPa)");
}

// ---------------------------------------------------------------------------
// Isochore: T such that y(T, rho) = value

MixtureFlashResult flash_isochore(const FixedMixture& m, double rho, Property y, double value) {
  if (auto why = check_density(m, rho); !why.empty()) return fail(input_status(rho), why);
  if (auto why = check_value(y, value); !why.empty()) return fail(kBadInput, why);
  const auto& l = m.limits();
  const auto probe = [&](double T) {
    Probe pr{flash_td(m, T, rho), NAN};
    if (pr.state.ok()) pr.residual = value_of(pr.state.state, y) - value;
    return pr;
  };
  const Probe lo = probe(l.Tmin), hi = probe(l.Tmax);
  if (lo.state.ok() && lo.residual > tolerance(y, l.Tmin, value))
    return fail(kOutOfRange,
                beyond_value_at_limit(y, value, show("density", rho, "mol/dm^3"),
                                      value_of(lo.state.state, y), false, l.Tmin, m.name()),
                -1);
  if (hi.state.ok() && hi.residual < -tolerance(y, l.Tmax, value))
    return fail(kOutOfRange,
                beyond_value_at_limit(y, value, show("density", rho, "mol/dm^3"),
                                      value_of(hi.state.state, y), true, l.Tmax, m.name()),
                1);
  // The search can end on a jump of y along the isochore (where the phase
  // decision changes). A liquid's pressure moves by a part in 1e9 of rho R T
  // with the last digits of T.
  const auto stiff = [&](const Result& r) {
    return y == Property::pressure ? 1e-9 * rho * Mixture::kGasConstant * r.state.T : 0;
  };
  if (auto r = rising_root(probe, l.Tmin, l.Tmax, 1e-16 * l.Tmax, tolerance(y, l.Tmax, value));
      r && has_value(*r, y, value, stiff(*r))) {
    r->state.rho = rho;
    return *r;
  }
  return fail(kNoConvergence, "no convergence at " + show("density", rho, "mol/dm^3") + " and " +
                                  show(y, value) + " of " + m.name());
}

// ---------------------------------------------------------------------------
// (h, s): p such that s(p, h) = s, s falling with p along the isenthalp
// ((ds/dp)_h = -v/T, in two phases too)

namespace {

// ln p of the ideal gas with this h and s: a close start for vapour states.
double ideal_gas_ln_pressure(const FixedMixture& m, double h, double s) {
  constexpr double kRho = 1e-10;  // mol/dm^3: the ideal-gas limit
  const auto& l = m.limits();
  const auto h_at = [&](double T) { return MixtureIsotherm(m.model(), T, m.z()).state(kRho).h - h; };
  const double fa = h_at(l.Tmin), fb = h_at(l.Tmax);
  const double T = fa >= 0 ? l.Tmin : fb <= 0 ? l.Tmax : brent(h_at, l.Tmin, l.Tmax, fa, fb, 1e-6).x;
  const State ig = MixtureIsotherm(m.model(), T, m.z()).state(kRho);
  return std::log(ig.p) + (ig.s - s) / Mixture::kGasConstant;
}

Result hs_state(const FixedMixture& m, double h, double s) {
  if (!std::isfinite(h)) return fail(kBadInput, "enthalpy is not a finite number");
  if (!std::isfinite(s)) return fail(kBadInput, "entropy is not a finite number");
  // The isenthalp exists on an interval of pressures (h within reach of the
  // temperature range); s falls along it. Residual s - s(p, h), rising in
  // ln p, NaN where h is out of reach.
  Result last;
  double last_x = NAN;
  const auto fn = [&](double ln_p) {
    last = isobar_state(m, std::exp(ln_p), Property::enthalpy, h);
    // Within a fraction of a kelvin of the critical point a split can fail
    // to converge at one pressure and not a hair away.
    for (const double nudge : {1e-10, -1e-10})
      if (!last.ok() && last.beyond == 0)
        last = isobar_state(m, std::exp(ln_p) * (1 + nudge), Property::enthalpy, h);
    last_x = ln_p;
    return last.ok() ? s - last.state.s : std::nan("");
  };
  const auto nowhere = [&] {
    return fail(kOutOfRange, "no state of " + m.name() + " has the " +
                                 show(Property::enthalpy, h) + " and the " +
                                 show(Property::entropy, s));
  };
  const double x_min = std::log(1e-12), x_max = std::log(m.limits().pmax * (1 + 1e-10));
  const double step = std::log(1000.0);
  const auto next = [&](double x, double direction) {
    return std::clamp(x + direction * step, x_min, x_max);
  };
  // A first point on the isenthalp: the ideal-gas estimate, or the nearest
  // point to it (in steps of a factor 1000 either way) where h is in reach.
  const double x0 = std::clamp(ideal_gas_ln_pressure(m, h, s), x_min, x_max);
  double x = x0, f = fn(x);
  for (int k = 1; std::isnan(f) && k < 40; ++k) {
    const double candidate = x0 + (k % 2 ? 1 : -1) * ((k + 1) / 2) * step;
    if (candidate < x_min - step || candidate > x_max + step) continue;
    x = std::clamp(candidate, x_min, x_max);
    f = fn(x);
  }
  if (std::isnan(f)) return nowhere();
  // Walk towards the root until the sign changes; where the isenthalp ends
  // first, bisect for its last stretch.
  const double direction = f < 0 ? 1 : -1;
  double xa = x, fa = f;  // the last point short of the root
  double xb = x, fb = f;
  while (fb != 0 && (fb < 0) == (fa < 0)) {
    const double x_next = next(xa, direction);
    if (x_next == xa) return nowhere();
    xb = x_next;
    fb = fn(xb);
    if (!std::isnan(fb)) {
      if ((fb < 0) == (fa < 0)) {
        xa = xb;
        fa = fb;
      }
      continue;
    }
    double invalid = xb;
    bool crossed = false;
    for (int i = 0; i < 60 && !crossed; ++i) {
      const double mid = 0.5 * (xa + invalid);
      const double fm = fn(mid);
      if (std::isnan(fm)) {
        invalid = mid;
      } else if (fm == 0 || (fm < 0) != (fa < 0)) {
        xb = mid;
        fb = fm;
        crossed = true;
      } else {
        xa = mid;
        fa = fm;
      }
    }
    if (!crossed) return nowhere();
  }
  if (fb != 0) {
    const bool up = xa < xb;
    const Root root = brent(fn, up ? xa : xb, up ? xb : xa, up ? fa : fb, up ? fb : fa, 1e-15);
    if (last_x != root.x) fn(root.x);
  }
  if (!has_value(last, Property::entropy, s))
    return nowhere();
  return last;
}

}  // namespace

MixtureFlashResult flash_hs(const FixedMixture& m, double h, double s) {
  return within_limits(m, hs_state(m, h, s));
}

}  // namespace fluidcore
