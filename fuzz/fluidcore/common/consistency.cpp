#include "common/consistency.h"

#include <algorithm>
#include <cmath>

namespace fuzz {
namespace {

// Given values within the library's slack of 1e-9 outside a limit count as
// on it (a saturation temperature above the equation's critical one as that
// one): the state returned is at the limit, a relative 1e-9 off the given T
// or p. Where that can be, the round trips allow for it.
bool on_limit_by_slack(const Scales& sc, double T, double p) {
  return T < sc.Tmin || T > sc.Tmax || p > sc.pmax || std::abs(T - sc.Tc) <= 2e-9 * sc.Tc;
}

bool near(double a, double b, double tol) { return std::abs(a - b) <= tol; }

// Tolerances: pressures relative, with a term for the stiffness of a liquid
// (a rounding error in its density moves p by rho dp/drho 1e-16); energies
// relative to their size or R T.
double pressure_tolerance(double p, double rho, double T, double relative) {
  return relative * (std::abs(p) + rho * kR * T);
}

// How far a state a relative 1e-9 off in T may be from the one at the given
// T: p by 1e-9 T (dp/dT)_rho, (dp/dT)_rho below 100 rho R; h and e by
// 1e-9 T (dh/dT)_rho, which near the critical point reaches 1000 R.
struct Slack {
  double p = 0, h = 0, s = 0;
};

Slack slack(const Scales& sc, double T, double p, double rho) {
  if (!on_limit_by_slack(sc, T, p)) return {};
  return {1e-7 * rho * kR * T, 1e-6 * kR * T, 1e-6 * kR};
}

// Flashes and THERM agree at a single-phase (T, D); a two-phase state's
// phases have its pressure and mix to its enthalpy.
void check_phases(const std::string& what, const StateValues& s, const Fractions& xl,
                  const Fractions& xv, const Model& m, const Scales& sc) {
  const double RT = kR * s.T;
  if (!s.two_phase()) {
    const ThermCall t = therm(s.T, s.D, m.x);
    require(near(t.P, s.P, pressure_tolerance(s.P, s.D, s.T, 1e-12)), what + ": THERM pressure " + number(t.P));
    require(near(t.H, s.H, 1e-12 * (std::abs(s.H) + RT)), what + ": THERM enthalpy " + number(t.H));
    require(near(t.S, s.S, 1e-12 * (std::abs(s.S) + kR)), what + ": THERM entropy " + number(t.S));
    require(near(t.Cp, s.Cp, 1e-12 * std::abs(s.Cp)), what + ": THERM cp " + number(t.Cp));
    require(near(t.W, s.W, 1e-12 * std::abs(s.W)), what + ": THERM w " + number(t.W));
    return;
  }
  // A blend's calls all use its own composition: its phases cannot be
  // evaluated apart.
  if (m.blend) return;
  const ThermCall L = therm(s.T, s.Dl, m.mixture ? xl : m.x);
  const ThermCall V = therm(s.T, s.Dv, m.mixture ? xv : m.x);
  const Slack off = slack(sc, s.T, s.P, s.Dl);
  require(near(L.P, s.P, pressure_tolerance(s.P, s.Dl, s.T, 1e-8) + off.p), what + ": liquid pressure " + number(L.P));
  require(near(V.P, s.P, pressure_tolerance(s.P, s.Dv, s.T, 1e-8) + off.p), what + ": vapour pressure " + number(V.P));
  const double h = (1 - s.Q) * L.H + s.Q * V.H;
  require(near(h, s.H, 1e-9 * (std::abs(s.H) + RT) + off.h), what + ": the phases' enthalpies mix to " + number(h));
}

// Next to a mixture's critical point, up to the highest temperature of its
// two-phase region, an isotherm crosses the dew (or bubble) line twice
// (retrograde condensation): the flashes at given T take states past the
// first crossing as one phase, those at given p find the split. There a
// temperature has only one of its bubble and dew points.
bool retrograde(const Model& m, double T) {
  if (!m.mixture) return false;
  const bool bubble = saturation('T', T, 1, m, kFluidcoreMessageWidth, true).ok();
  const bool dew = saturation('T', T, 2, m, kFluidcoreMessageWidth, true).ok();
  return bubble != dew;
}

// A single phase, or a saturated one, within the range has cv, cp and w;
// next to a critical point rounding can leave it a hair inside the spinodal,
// where it has no cp and no w, and so can the equation beyond the range (a
// warning) at densities past its data (check_heat_capacities makes sure that
// those given are positive).
void require_heat_capacities(const FlashCall& f, const Scales& sc, const std::string& what) {
  const StateValues& s = f.s;
  const bool next_to_critical =
      std::abs(s.T - sc.Tc) <= 1e-4 * sc.Tc && std::abs(s.D - sc.Dc) <= 0.2 * sc.Dc;
  require(s.Cv != kUndefined, what + ": cv undefined");
  require(next_to_critical || f.ierr < 0 || (s.Cp != kUndefined && s.W != kUndefined),
          what + ": cp or w undefined away from the critical point");
}

}  // namespace

void verify_flash(const std::string& pair, const FlashCall& f, const Model& m, const Scales& sc) {
  const StateValues& s = f.s;
  const std::string what = pair + "FLSH(" + number(s[pair[0]]) + ", " + number(s[pair[1]]) + ") state " + s.show();
  require(s.T > 0 && s.P > 0 && s.D > 0 && s.Dl > 0 && s.Dv > 0, what + ": not positive");
  if (s.two_phase()) {
    require(s.Dl >= s.Dv, what + ": liquid lighter than the vapour");
    const double v = (1 - s.Q) / s.Dl + s.Q / s.Dv;
    require(near(1 / s.D, v, 1e-9 * v), what + ": the density is not the phases' mix");
    const bool saturated = s.Q == 0 || s.Q == 1;
    if (!saturated) {
      for (double c : {s.Cv, s.Cp, s.W})
        require(c == kUndefined, what + ": cv, cp or w of a two-phase state");
    } else {
      require_heat_capacities(f, sc, what);
    }
  } else {
    require(s.Q == -998 || s.Q == 998 || s.Q == 999, what + ": quality of a single-phase state");
    require(s.Dl == s.D && s.Dv == s.D, what + ": phase densities of a single-phase state");
    require_heat_capacities(f, sc, what);
  }
  if (pair == "TD") return check_phases(what, s, f.xl, f.xv, m, sc);
  // The state found, evaluated again at its T and D, has the given values
  // (and the others returned).
  const FlashCall td = flash("TD", s.T, s.D, 1, m, kFluidcoreMessageWidth, true);
  // Next to a mixture's critical point (phases a hundredth apart in
  // density) the split at T and D may not converge: a refusal saying so is
  // an answer there.
  if (!td.ok() && m.mixture && s.Dl - s.Dv <= 1e-2 * s.Dl &&
      td.message.find("no convergence") != std::string::npos)
    return;
  require(td.ok(), what + ": TDFLSH refuses it: " + td.message);
  const StateValues& t = td.s;
  if (s.two_phase() != t.two_phase() && retrograde(m, s.T)) return;
  const double RT = kR * s.T;
  const Slack off = slack(sc, s.T, s.P, s.D);
  // Near a critical point two solves of one split agree less closely, by
  // about the inverse of its phases' relative difference in density.
  const double relative = s.two_phase() ? std::max(1.0, 0.1 * s.Dl / (s.Dl - s.Dv)) * 1e-8 : 1e-8;
  require(near(t.P, s.P, pressure_tolerance(s.P, s.D, s.T, relative) + off.p),
          what + ": pressure " + number(t.P) + " at its T and D");
  require(near(t.H, s.H, relative * (std::abs(s.H) + RT) + off.h), what + ": enthalpy " + number(t.H) + " at its T and D");
  require(near(t.E, s.E, relative * (std::abs(s.E) + RT) + off.h), what + ": energy " + number(t.E) + " at its T and D");
  require(near(t.S, s.S, relative * (std::abs(s.S) + kR) + off.s), what + ": entropy " + number(t.S) + " at its T and D");
  // Close to the critical point (phases a hundredth apart in density, or
  // split across the supercritical boundary) the quality is ill-conditioned:
  // p hardly moves with density there, and two solves of one dew point that
  // agree in p to 1e-11 may differ by 1e-5 in density.
  if (s.Dl - s.Dv <= 1e-2 * s.Dl || t.Dl - t.Dv <= 1e-2 * t.Dl) return;
  // So it is at a fluid's published critical temperature, which its
  // equation's own one may miss by a rounding error (the phases then stay a
  // few percent apart).
  if (std::abs(s.T - sc.Tc) <= 2e-9 * sc.Tc) return;
  // Farther from it, a few 1e-8 in the phases' densities (how closely two
  // solves of one saturation point there agree) move the quality by that
  // over their relative difference.
  const double q_tolerance = 1e-7 + 3e-8 * s.Dl / (s.Dl - s.Dv);
  if (s.two_phase() && t.two_phase())
    require(near(t.Q, s.Q, q_tolerance), what + ": quality " + number(t.Q) + " at its T and D");
  else if (s.two_phase() != t.two_phase()) {
    const double q = s.two_phase() ? s.Q : t.Q;
    require(q <= q_tolerance || q >= 1 - q_tolerance, what + ": TDFLSH finds quality " + number(t.Q));
  }
}

void verify_saturation(char kind, double value, int kph, const SaturationCall& c, const Model& m,
                       const Scales& sc) {
  const std::string what = std::string("SAT") + kind + "(" + number(value) + ") kph=" +
                           std::to_string(kph) + " T=" + number(c.T) + " P=" + number(c.P) +
                           " Dl=" + number(c.Dl) + " Dv=" + number(c.Dv);
  require(c.T > 0 && c.P > 0 && c.Dl > 0 && c.Dv > 0, what + ": not positive");
  require(c.Dl >= c.Dv * (1 - 1e-12), what + ": liquid lighter than the vapour");
  // A density within the library's slack of 1e-9 beyond the end of its range
  // stands for the end's own.
  if (kind == 'D') require(near(c.kr == 1 ? c.Dl : c.Dv, value, 2e-9 * value), what + ": the given density is neither phase's");
  // Within millikelvins of the critical point (phases a thousandth apart in
  // density) a point at p may lie a rounding error beyond the end of the
  // line traced at T.
  if (kind == 'P' && c.Dl - c.Dv > 1e-3 * c.Dl) {
    const SaturationCall back = saturation('T', c.T, kph, m, kFluidcoreMessageWidth, true);
    require(back.ok(), what + ": SATT refuses its temperature: " + back.message);
    // A mixture's isotherm can cross its dew (or bubble) line twice
    // (retrograde condensation): SATT may give the other point, whose feed
    // phase has another density.
    const auto feed_density = [&](const SaturationCall& point) { return kph == 1 ? point.Dl : point.Dv; };
    const bool other_point =
        m.mixture && !near(feed_density(back), feed_density(c), 1e-6 * feed_density(c));
    require(other_point || near(back.P, value, 1e-8 * value),
            what + ": SATT at its temperature gives " + number(back.P));
  }
  // Both phases at the saturation pressure (a blend: only the phase of its
  // own composition, the feed).
  const int feed = m.mixture ? (kind == 'D' ? c.kr : kph) : 0;
  const auto check = [&](double rho, const Fractions& x, const char* phase) {
    const ThermCall t = therm(c.T, rho, x);
    require(near(t.P, c.P, pressure_tolerance(c.P, rho, c.T, 1e-8) + slack(sc, c.T, c.P, rho).p),
            what + ": the " + phase + " has the pressure " + number(t.P));
  };
  if (!m.blend || feed == 1) check(c.Dl, m.mixture && !m.blend ? c.xl : m.x, "liquid");
  if (!m.blend || feed == 2) check(c.Dv, m.mixture && !m.blend ? c.xv : m.x, "vapour");
}

}  // namespace fuzz
