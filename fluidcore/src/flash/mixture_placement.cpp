#include "flash/mixture_placement.h"

#include <algorithm>
#include <cmath>

#include "eos/density_solve.h"
#include "numerics/roots.h"

namespace fluidcore::mixture_placement {

Result fail(int status, std::string message, int beyond) {
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

PhaseStates phase_states(const FixedMixture& m, const TwoPhase& t) {
  return {MixtureIsotherm(m.model(), t.T, t.x).state(t.rhoL),
          MixtureIsotherm(m.model(), t.T, t.y).state(t.rhoV)};
}

namespace {

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

}  // namespace

// Why a bubble or dew point is no physical split: inverted, or its phases
// unphysical (evaluated only where some component is extrapolated;
// elsewhere they are physical).
std::string unphysical_point(const FixedMixture& m, const TwoPhase& t) {
  if (auto why = inverted(m, t); !why.empty()) return why;
  return t.T < m.limits().Tmin_all ? unphysical_phases(m, phase_states(m, t)) : std::string{};
}

namespace {

// The split as a result, its phases checked; an inverted split is refused first.
Result split_result(const FixedMixture& m, const TwoPhase& t, const PhaseStates& phases) {
  if (auto why = unphysical_phases(m, phases); !why.empty()) return fail(kOutOfRange, why);
  const auto& [L, V] = phases;
  Result r;
  r.state = two_phase_state(L, V, t.T, t.p, t.beta);
  r.x = t.x;
  r.y = t.y;
  return r;
}

}  // namespace

Result two_phase(const FixedMixture& m, const TwoPhase& t) {
  if (auto why = inverted(m, t); !why.empty()) return fail(kOutOfRange, why);
  return split_result(m, t, phase_states(m, t));
}

Result two_phase(const FixedMixture& m, const TwoPhase& t, const PhaseStates& phases) {
  if (auto why = inverted(m, t); !why.empty()) return fail(kOutOfRange, why);
  return split_result(m, t, phases);
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

// Newton from the line's interpolated state, or for a value below the
// traced part from its first point (a wide glide reaches below the lower
// limit at low pressure). Beyond the end of the line, next to the critical
// point, the solver would end on near-trivial splits (both phases nearly
// the feed): no point there.
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
    if (!below) return std::nullopt;
    start = low;
  }
  const auto r = solve_equilibrium(m.model(), m.z(), given, value, beta, *start);
  return r.converged ? std::optional<TwoPhase>(r.state) : std::nullopt;
}

namespace {

// Well beyond where both lines' steps in 1/T were left there is no
// two-phase state: their ends lie within the reach SaturationLine gives.
bool beyond_lines(const FixedMixture& m, double T, double p) {
  const auto& b = m.bubble_line();
  const auto& d = m.dew_line();
  if (b.empty() || d.empty()) return false;
  return T > std::max(b.Tmax(), d.Tmax()) + SaturationLine::kEndReachT ||
         p > SaturationLine::kEndReachP * std::max(b.pmax(), d.pmax());
}

}  // namespace

std::optional<TwoPhase> boundary_at_temperature(const FixedMixture& m, double T, double beta) {
  if (beyond_lines(m, T, 0)) return std::nullopt;
  return solve_from(m, Given::T_beta, T, beta, line_of(m, beta).at_temperature(T));
}

std::optional<TwoPhase> boundary_at_pressure(const FixedMixture& m, double p, double beta) {
  if (beyond_lines(m, 0, p)) return std::nullopt;
  return solve_from(m, Given::p_beta, p, beta, line_of(m, beta).at_pressure(p));
}

std::optional<TwoPhase> critical_band_point(const FixedMixture& m, Given given, double value,
                                            double beta) {
  const auto& line = line_of(m, beta);
  const auto& c = m.critical();
  if (line.empty() || !c.converged) return std::nullopt;
  const TwoPhase end = line.last();
  const double at_end = given == Given::T_beta ? end.T : end.p;
  const double at_critical = given == Given::T_beta ? c.T : c.p;
  const double slack = kSlack * at_critical;
  if (!(value >= std::min(at_end, at_critical) - slack && value <= std::max(at_end, at_critical) + slack))
    return std::nullopt;
  TwoPhase point{c.T, c.p, beta, c.rho, c.rho, m.z(), m.z()};
  if (std::abs(value - at_critical) > slack) {
    if (given == Given::T_beta) {
      point.p = MixtureIsotherm(m.model(), value, m.z()).pressure(c.rho).p;
    } else {
      // Newton in T: p rises with T along the isochore.
      for (int it = 0; it < 20; ++it) {
        const State s = MixtureIsotherm(m.model(), point.T, m.z()).state(c.rho);
        if (std::abs(s.p - value) <= 1e-13 * value || !(s.dp_dT > 0)) break;
        point.T += (value - s.p) / s.dp_dT;
      }
    }
  }
  (given == Given::T_beta ? point.T : point.p) = value;
  return point;
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

Result SplitPath::at(double beta) {
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
  // (Next to the critical point the splits carry noise of some parts in
  // 1e9: known splits close in beta can lie out of order by that much.)
  const double lo = at_T ? above->p : below->T, hi = at_T ? below->p : above->T;
  constexpr double kNoise = 1e-7;
  const auto solve = [&](const TwoPhase& from) {
    auto r = solve_equilibrium(m_.model(), m_.z(), given_, value_, beta, from);
    const double other = at_T ? r.state.p : r.state.T;
    r.converged = r.converged && other >= lo * (1 - kNoise) && other <= hi * (1 + kNoise);
    return r;
  };
  // From the nearest known split where it is close in beta, else from
  // between the ends (from a bubble or dew point far off in beta Newton
  // can end on a spurious split close to the critical point), else in
  // steps of beta from a known split next to beta (there the phases differ
  // little and Newton needs a close start): first from the side where the
  // phases differ more, which Newton reaches from further off.
  const bool close = std::abs(start->beta - beta) <= 0.05;
  auto r = solve(close ? *start : between(m_, b, d, beta));
  if (!r.converged) r = solve(close ? between(m_, b, d, beta) : *start);
  const TwoPhase* sides[] = {below, above};
  if (spread(*above) > spread(*below)) std::swap(sides[0], sides[1]);
  for (const TwoPhase* side : sides) {
    for (int steps = 4; !r.converged && steps <= 64; steps *= 4) {
      TwoPhase from = *side;
      const double beta0 = side->beta;
      for (int k = 1; k <= steps; ++k) {
        const double bk = beta0 + (beta - beta0) * k / steps;
        auto rk = solve_equilibrium(m_.model(), m_.z(), given_, value_, bk, from);
        if (!rk.converged) break;
        from = rk.state;
        if (k == steps) r = solve(from);
      }
    }
  }
  if (!r.converged) return fail(kNoConvergence, "no convergence of the two-phase split");
  known_.push_back(r.state);
  Result out = two_phase(m_, r.state);
  (at_T ? out.state.T : out.state.p) = value_;
  return out;
}

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
  const std::string limit = std::string(what) + " " + format_number(critical) + " " + unit_text;
  return "no two-phase state of " + m.name() + " at " + show(what, v, unit_text) +
         (v > critical * (1 + kSlack)    ? " (above the critical " + limit + ")"
          : v >= critical * (1 - kSlack) ? " (the critical " + limit + ", where the phases are one)"
                                         : "");
}

// ---------------------------------------------------------------------------
// Single-phase states at (T, p)

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

namespace {

// Below where a line could be traced (a mixture of refrigerants and
// permanent gases whose bubble line runs off to high pressure) there is no
// bubble or dew point to decide the phase against: a single phase is then
// assumed, with a warning.
bool undecided(const FixedMixture& m, double T) {
  const auto& b = m.bubble_line();
  const auto& d = m.dew_line();
  return b.empty() || d.empty() || T < std::max(b.Tmin(), d.Tmin());
}

}  // namespace

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

// Root of a rising residual(x) on [a, b] by Brent's method; the state at
// the root comes from the last probe there. A probe within ftol of the
// target ends the search at once (Brent would go on narrowing its bracket
// from the far side).
std::optional<Result> rising_root(const std::function<Probe(double)>& probe, double a, double b,
                                  double xtol, double ftol) {
  Probe pa = probe(a), pb = probe(b);
  // An end without a state (where the equation gives no physical state at
  // the lowest temperatures of a blend) moves towards the other end until
  // the probes bracket the target or find a state there.
  for (int k = 0; k < 60 && pa.state.ok() != pb.state.ok(); ++k) {
    const double mid = 0.5 * (a + b);
    Probe pm = probe(mid);
    const bool a_missing = !pa.state.ok();
    if (!pm.state.ok()) {
      (a_missing ? a : b) = mid;
      (a_missing ? pa : pb) = std::move(pm);
    } else if (a_missing ? pm.residual > 0 : pm.residual < 0) {
      (a_missing ? b : a) = mid;
      (a_missing ? pb : pa) = std::move(pm);
    } else {
      (a_missing ? a : b) = mid;
      (a_missing ? pa : pb) = std::move(pm);
    }
  }
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
bool has_value(const Result& r, Property y, double value, double slack) {
  return r.ok() && std::abs(value_of(r.state, y) - value) <= 1e3 * tolerance(y, r.state.T, value) + slack;
}

}  // namespace fluidcore::mixture_placement
