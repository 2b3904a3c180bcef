#include "fluidcore/mixture_flash.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

#include "eos/density_solve.h"
#include "flash/mixture_placement.h"
#include "numerics/roots.h"

namespace fluidcore {

// The mixture flashes are built from the shared steps of mixture_placement.h.
using namespace mixture_placement;

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
  if (!at_T && !line.empty() && value < lowest_admitted(line.pmin()))
    return fault(kOutOfRange, shown + " is below the " + point_name + " pressure " +
                                  format_number(line.pmin()) + " kPa at the lower limit of " +
                                  m.name());
  auto point = at_T ? boundary_at_temperature(m, value, beta) : boundary_at_pressure(m, value, beta);
  if (!point) point = critical_band_point(m, at_T ? Given::T_beta : Given::p_beta, value, beta);
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
  if (!point || !(point->T >= lowest_admitted(m.limits().Tmin))) {
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

namespace {

// The state at (T, p), wherever it lies.
Result state_tp(const FixedMixture& m, double T, double p) {
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

}  // namespace

MixtureFlashResult flash_tp(const FixedMixture& m, double T, double p) {
  if (auto why = check_temperature(m, T); !why.empty()) return fail(input_status(T), why);
  if (auto why = check_pressure(m, p); !why.empty()) return fail(input_status(p), why);
  return state_tp(m, T, p);
}

namespace {

// The state at (T, rho).
Result state_td(const FixedMixture& m, double T, double rho) {
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

}  // namespace

MixtureFlashResult flash_td(const FixedMixture& m, double T, double rho) {
  return warn_above_pressure_limit(state_td(m, T, rho), m.limits().pmax, m.name());
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
    // point, where the envelope turns), from between their ends; a split
    // whose phases are more alike than at both ends is none (the solver's
    // near-trivial splits next to the critical point).
    if (b && d) {
      start = between(m, *b, *d, q);
    } else if (!m.bubble_line().empty() && !m.dew_line().empty()) {
      // From the one boundary there is (above the critical pressure a
      // bubble line can pass twice), in steps of the vapour fraction.
      if (b || d) {
        TwoPhase from = b ? *b : *d;
        for (int k = 1; k <= 4; ++k) {
          const auto r = solve_from(m, given, value, from.beta + (q - from.beta) * k / 4, from);
          if (!r) break;
          if (k == 4) return result(*r);
          from = *r;
        }
      }
      const TwoPhase lb = m.bubble_line().last(), ld = m.dew_line().last();
      for (const TwoPhase& from : {between(m, lb, ld, q), lb, ld}) {
        TwoPhase s0 = from;
        s0.beta = q;
        const auto r = solve_from(m, given, value, q, s0);
        if (r && spread(*r) >= std::min(spread(lb), spread(ld))) return result(*r);
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

// A split at (T, p) next to the critical point carries noise in its vapour
// fraction (its phases differ little, and the lever rule magnifies their
// last digits), and so in y: the split at p whose vapour fraction has y =
// value, by secant steps in beta from the split `near` (at given p and beta
// y is smoother), the first step along the difference of its phases. Even
// at given p and beta, a split whose phases differ by a few percent is
// found to only some parts in 1e9 of T (its equations are nearly singular
// there): y is met to that noise, a part in 1e7 at most.
std::optional<Result> split_with_value(const FixedMixture& m, double p, Property y, double value,
                                       const Result& near) {
  const FlashState& f = near.state;
  TwoPhase split{f.T, p, f.q, f.rhoL, f.rhoV, near.x, near.y};
  const PhaseStates phases = phase_states(m, split);
  const double first_slope = value_of(phases.V, y) - value_of(phases.L, y);
  if (!(first_slope > 0)) return std::nullopt;
  double beta = f.q, res = value_of(f, y) - value, slope = first_slope;
  std::optional<double> last_beta, last_res;  // of the last split at given beta
  std::optional<Result> best;
  for (int it = 0; it < 12; ++it) {
    const double next = std::clamp(beta - res / slope, 0.0, 1.0);
    const auto r = solve_equilibrium(m.model(), m.z(), Given::p_beta, p, next, split);
    if (!r.converged) break;
    Result out = two_phase(m, r.state);
    if (!out.ok()) break;
    out.state.p = p;
    if (has_value(out, y, value)) return out;
    beta = next;
    res = value_of(out.state, y) - value;
    if (!best || std::abs(res) < std::abs(value_of(best->state, y) - value)) best = out;
    split = r.state;
    const double secant = last_beta && *last_beta != beta ? (res - *last_res) / (beta - *last_beta) : 0;
    slope = secant > 0 ? secant : first_slope;
    last_beta = beta;
    last_res = res;
  }
  // A part in 1e7: 1e5 times the tolerance.
  if (best && has_value(*best, y, value, 1e5 * tolerance(y, f.T, value))) return best;
  return std::nullopt;
}

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
    if (r->state.phase == Phase::two_phase)
      if (auto split = split_with_value(m, p, y, value, *r)) return *split;
  }
  return fail(kNoConvergence, "no convergence at " + show("pressure", p, "kPa") + " and " +
                                  show(y, value) + " of " + m.name());
}

}  // namespace

namespace {

// How far beyond the lines' interpolated bubble or dew point a value must
// lie, in kelvin of the feed phase's own heating or cooling there, to be
// taken for a single phase without the exact points: the lines are good to
// about 1e-6 in T.
constexpr double kClearOfTheDome = 0.1;

// An enthalpy or entropy clearly beyond the dome at p: the single phase by
// Newton's method in T, from the feed phase at the lines' interpolated dew
// or bubble point, each step on the side the lines place it on. Far cheaper
// than the exact bubble and dew points and a bracketing search; nothing
// where the value lies near the dome or the steps do not settle on that
// side, and the search decides.
std::optional<Result> beyond_the_dome(const FixedMixture& m, double p, Property y, double value,
                                      double Tlo, double Thi) {
  if (y != Property::enthalpy && y != Property::entropy) return std::nullopt;
  // At a dew point the vapour, at a bubble point the liquid, has the feed's
  // composition.
  const auto feed = [&](const SaturationLine& line, bool vapour) -> std::optional<State> {
    const auto point = line.at_pressure(p);
    if (!point) return std::nullopt;
    return MixtureIsotherm(m.model(), point->T, m.z()).state(vapour ? point->rhoV : point->rhoL);
  };
  // Whether the value lies clearly above (or below) the feed phase's.
  const auto clear_of = [&](const std::optional<State>& s, double side) {
    const double slope = s ? d_dT_at_p(*s, y) : NAN;
    return slope > 0 && side * (value - value_of(*s, y)) > kClearOfTheDome * slope;
  };
  std::optional<State> start = feed(m.dew_line(), true);
  const bool superheated = clear_of(start, +1);
  if (!superheated) {
    start = feed(m.bubble_line(), false);
    if (!clear_of(start, -1)) return std::nullopt;
  }
  const Branch branch = superheated ? Branch::vapour : Branch::liquid;
  // The bracket, and the residual at each end where it is known (the start's).
  double lo = superheated ? start->T : Tlo, hi = superheated ? Thi : start->T;
  double lo_residual = NAN, hi_residual = NAN;
  (superheated ? lo_residual : hi_residual) = value_of(*start, y) - value;
  double T = start->T + (value - value_of(*start, y)) / d_dT_at_p(*start, y);
  if (!(T > lo && T < hi)) return std::nullopt;  // at or beyond a limit: the search says
  std::optional<State> last;  // the density from one step starts the next
  for (int iterations = 1; iterations <= 20; ++iterations) {
    // Beyond the lines' temperatures (above the critical temperature, a
    // vapour) no line decides the branch: the root of lower Gibbs energy.
    const Placement at = place(m, T, p);
    if (at.sides || (at.branch != branch && at.branch != Branch::either)) return std::nullopt;
    const double guess = last && at.branch == branch ? last->rho : at.guess;
    const auto s = state_at(m, MixtureIsotherm(m.model(), T, m.z()), p, at.branch, at.lo, at.hi,
                            guess);
    if (!s) return std::nullopt;
    last = s;
    const double residual = value_of(*s, y) - value;
    if (std::abs(residual) <= tolerance(y, T, value)) {
      Result r = single_phase(m, *s);
      r.iterations = iterations;
      return r.ok() ? std::optional<Result>(r) : std::nullopt;
    }
    (residual < 0 ? lo : hi) = T;
    (residual < 0 ? lo_residual : hi_residual) = residual;
    const double slope = d_dT_at_p(*s, y);
    if (!(slope > 0)) return std::nullopt;
    T -= residual / slope;
    // y bends both ways along an isobar (cp falls away from the dome, then
    // rises with the ideal gas's): where Newton leaves the bracket, the
    // straight line between its ends, or its middle.
    if (!(T > lo && T < hi)) {
      if (std::isnan(lo_residual) || std::isnan(hi_residual)) return std::nullopt;
      T = lo - lo_residual * (hi - lo) / (hi_residual - lo_residual);
      if (!(T > lo && T < hi)) T = 0.5 * (lo + hi);
    }
  }
  return std::nullopt;
}

// The state on the isobar, not held to the temperature limits (the
// isenthalps of HS pass below them on the way).
Result isobar_state(const FixedMixture& m, double p, Property y, double value) {
  if (auto why = check_pressure(m, p); !why.empty()) return fail(input_status(p), why);
  if (auto why = check_value(y, value); !why.empty()) return fail(kBadInput, why);
  const auto& l = m.limits();
  // The temperatures searched: up to the limits as far as they admit.
  const double Tlo = lowest_admitted(l.Tmin), Thi = highest_admitted(l.Tmax);
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
  if (auto r = beyond_the_dome(m, p, y, value, Tlo, Thi)) return *r;
  const auto sides = boundaries_at_pressure(m, p);
  if (!sides) {
    // No bubble and dew point at p: one phase all along the isobar, but
    // for states next to the critical point (within the end of the lines
    // and the critical pressure) that (T, p) places between the lines.
    const auto at_T = [&](double T) { return state_tp(m, T, p); };
    const Result lo = at_T(Tlo), hi = at_T(Thi);
    if (lo.ok() && value < value_of(lo.state, y) - tolerance(y, l.Tmin, value)) return out_of_range(l.Tmin, value_of(lo.state, y), false);
    if (hi.ok() && value > value_of(hi.state, y) + tolerance(y, l.Tmax, value)) return out_of_range(l.Tmax, value_of(hi.state, y), true);
    return solve_isobar(m, p, y, value, Tlo, Thi, at_T);
  }
  // Named references rather than bindings: the lambdas below capture them.
  const TwoPhase& b = sides->bubble;
  const TwoPhase& d = sides->dew;
  // Both phases of each, for the splits at the ends of the two-phase search.
  const PhaseStates bubble = phase_states(m, b), dew = phase_states(m, d);
  const State& bL = bubble.L;
  const State& dV = dew.V;
  const double y_bubble = value_of(bL, y), y_dew = value_of(dV, y);
  if (value <= y_bubble) {
    const Result lo = single(Tlo);
    if (lo.ok() && value < value_of(lo.state, y) - tolerance(y, l.Tmin, value)) return out_of_range(l.Tmin, value_of(lo.state, y), false);
    if (value == y_bubble) return two_phase(m, b, bubble);
    return solve_isobar(m, p, y, value, Tlo, b.T, [&](double T) {
      return T >= b.T ? single_phase(m, bL) : single(T);
    });
  }
  if (value >= y_dew) {
    const Result hi = single(Thi);
    if (hi.ok() && value > value_of(hi.state, y) + tolerance(y, l.Tmax, value)) return out_of_range(l.Tmax, value_of(hi.state, y), true);
    if (value == y_dew) return two_phase(m, d, dew);
    return solve_isobar(m, p, y, value, d.T, Thi, [&](double T) {
      if (T <= d.T) return single_phase(m, dV);
      return single(T);
    });
  }
  // Two-phase: y rises with the vapour fraction beta from the bubble to the
  // dew point. (beta rather than T: for a near-azeotrope the glide is a few
  // microkelvin.)
  SplitPath path(m, Given::p_beta, p, b, d);
  const auto probe = [&](double beta) {
    Probe pr{beta <= 0   ? two_phase(m, b, bubble)
             : beta >= 1 ? two_phase(m, d, dew)
                         : path.at(beta),
             NAN};
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
  // The densest state considered at T: the liquid at the highest pressure
  // admitted.
  const auto sides = boundaries_at_temperature(m, T);
  const auto densest = solve_density(iso, highest_admitted(m.limits().pmax),
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
  if (y == Property::pressure)
    if (auto why = check_pressure(m, value); !why.empty()) return fail(kOutOfRange, why);
  const auto& l = m.limits();
  // The temperatures searched: up to the limits as far as they admit.
  const double Tlo = lowest_admitted(l.Tmin), Thi = highest_admitted(l.Tmax);
  const auto probe = [&](double T) {
    Probe pr{flash_td(m, T, rho), NAN};
    if (pr.state.ok()) pr.residual = value_of(pr.state.state, y) - value;
    return pr;
  };
  const Probe lo = probe(Tlo), hi = probe(Thi);
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
  if (auto r = rising_root(probe, Tlo, Thi, 1e-16 * Thi, tolerance(y, l.Tmax, value));
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
  const double x_min = std::log(1e-12), x_max = std::log(highest_admitted(m.limits().pmax));
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
  // first (leaves the temperature range), bisect for its last stretch.
  const double direction = f < 0 ? 1 : -1;
  double xa = x, fa = f;  // the last point short of the root
  double xb = x, fb = f;
  // The crossing between xa and `invalid` (no state there), next to xa.
  const auto cross_before = [&](double invalid) {
    for (int i = 0; i < 60; ++i) {
      const double mid = 0.5 * (xa + invalid);
      const double fm = fn(mid);
      if (std::isnan(fm)) {
        invalid = mid;
      } else if (fm == 0 || (fm < 0) != (fa < 0)) {
        xb = mid;
        fb = fm;
        return true;
      } else {
        xa = mid;
        fa = fm;
      }
    }
    return false;
  };
  while (fb != 0 && (fb < 0) == (fa < 0)) {
    const double x_next = next(xa, direction);
    if (x_next == xa) return nowhere();
    xb = x_next;
    fb = fn(xb);
    if (std::isnan(fb)) {
      if (!cross_before(xb)) return nowhere();
    } else if ((fb < 0) == (fa < 0)) {
      xa = xb;
      fa = fb;
    }
  }
  // Brent inside the bracket; where it meets a stretch without states (the
  // isenthalp can leave the temperature range between the two ends, at the
  // upper limit, and come back), the crossing next to xa instead.
  while (fb != 0) {
    bool gap = false;
    const auto valid = [&](double ln_p) {
      const double v = fn(ln_p);
      if (std::isnan(v)) gap = true;
      return gap ? 0.0 : v;
    };
    const bool up = xa < xb;
    const Root root = brent(valid, up ? xa : xb, up ? xb : xa, up ? fa : fb, up ? fb : fa, 1e-15);
    if (!gap) {
      if (last_x != root.x) fn(root.x);
      break;
    }
    if (!cross_before(last_x)) return nowhere();
  }
  if (!has_value(last, Property::entropy, s))
    return nowhere();
  // Along the isenthalp of a nearly saturated liquid s hardly changes: the
  // search can end a rounding error beyond a temperature limit where s is
  // met just as well at the limit. The nearest pressure whose state lies
  // within the limits and has s, then.
  if (!check_temperature(m, last.state.T).empty()) {
    const Result beyond = last;
    const double x_found = last_x;
    for (double step = 1e-12; step < 1e-3; step *= 10)
      for (const double direction : {1.0, -1.0})
        if (!std::isnan(fn(x_found + direction * step)) && has_value(last, Property::entropy, s) &&
            check_temperature(m, last.state.T).empty())
          return last;
    return beyond;
  }
  return last;
}

}  // namespace

MixtureFlashResult flash_hs(const FixedMixture& m, double h, double s) {
  return within_limits(m, hs_state(m, h, s));
}

}  // namespace fluidcore
