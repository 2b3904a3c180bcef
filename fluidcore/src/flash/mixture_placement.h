// What the flashes of a mixture share: range checks, results built from
// single-phase states and splits, the bubble and dew points at T or p, the
// splits between them, where a (T, p) lies, and one-dimensional searches
// over states. Internal to the mixture flashes (mixture_flash.cpp).
#pragma once

#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "flash/flash_support.h"
#include "fluidcore/mixture_flash.h"
#include "fluidcore/mixture_state.h"

namespace fluidcore::mixture_placement {

using Result = MixtureFlashResult;
constexpr double kInf = std::numeric_limits<double>::infinity();
// A pressure this far (relative) from the interpolated bubble or dew
// pressure lies on its side for certain (the interpolation is good to ~1e-6).
constexpr double kLineMargin = 2e-5;

Result fail(int status, std::string message, int beyond = 0);

// Range checks; an empty text means the value is usable.
std::string check_temperature(const FixedMixture& m, double T);
std::string check_pressure(const FixedMixture& m, double p);
double density_cap(const FixedMixture& m);
std::string check_density(const FixedMixture& m, double rho);
std::string check_value(Property y, double value);

// The liquid and vapour of a split, each at its own composition.
struct PhaseStates {
  State L, V;
};
PhaseStates phase_states(const FixedMixture& m, const TwoPhase& t);

// A single-phase result; none where the model gives no physical state.
Result single_phase(const FixedMixture& m, const State& s);
// Why a bubble or dew point is no physical split: inverted, or its phases
// unphysical (evaluated only where some component is extrapolated;
// elsewhere they are physical).
std::string unphysical_point(const FixedMixture& m, const TwoPhase& t);
Result two_phase(const FixedMixture& m, const TwoPhase& t);
// The same from the split's phases, where they are at hand.
Result two_phase(const FixedMixture& m, const TwoPhase& t, const PhaseStates& phases);
// r, or a refusal where its state lies outside the temperature limits: a
// state found from a pressure below the lowest saturation pressure (the
// lines there reach below the lower limit).
Result within_limits(const FixedMixture& m, Result r);

const SaturationLine& line_of(const FixedMixture& m, double beta);
// Newton from the line's interpolated state, or for a value below the
// traced part from its first point; none beyond the end of the line.
std::optional<TwoPhase> solve_from(const FixedMixture& m, Given given, double value, double beta,
                                   std::optional<TwoPhase> start);
std::optional<TwoPhase> boundary_at_temperature(const FixedMixture& m, double T, double beta);
std::optional<TwoPhase> boundary_at_pressure(const FixedMixture& m, double p, double beta);
// Between the end of the bubble or dew line (where its phases differ by a
// part in 1000) and the critical point the solver cannot tell a split from
// both phases alike: a bubble or dew point at T or p there (Given::T_beta,
// p_beta) is taken on the critical isochore, the one phase at the critical
// density and the given T or p, as for a pure fluid between its equation's
// critical point and the published one; at the critical T or p (within
// rounding) it is the critical point. None outside that band.
std::optional<TwoPhase> critical_band_point(const FixedMixture& m, Given given, double value,
                                            double beta);
// A start for a split with vapour fraction about beta between the bubble
// point b and the dew point d (both at one T or one p).
TwoPhase between(const FixedMixture& m, const TwoPhase& b, const TwoPhase& d, double beta);

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

  Result at(double beta);

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
std::optional<Boundaries> boundaries_at_temperature(const FixedMixture& m, double T);
std::optional<Boundaries> boundaries_at_pressure(const FixedMixture& m, double p);

std::string above_critical(const FixedMixture& m, const char* what, double v, const char* unit_text,
                           double critical);

// Single-phase states at (T, p)
enum class Branch { liquid, vapour, either };

// The state at (T, p) on a branch. `either` (no bubble or dew point at T):
// of the vapour-like and liquid-like roots the one of lower Gibbs energy.
std::optional<State> state_at(const FixedMixture& m, const MixtureIsotherm& iso, double p,
                              Branch branch, double lo, double hi, double guess);

// Where (T, p) lies: in one phase (branch and the density bracket of it) or
// between the bubble and dew points `sides`.
struct Placement {
  Branch branch = Branch::either;
  double lo = 0, hi = kInf, guess = -1;
  std::optional<Boundaries> sides;  // set for two-phase states
};

// A single phase, with a warning where no bubble or dew point was traced at
// its temperature to decide the phase against.
Result assumed_single_phase(const FixedMixture& m, const State& s);
Placement place(const FixedMixture& m, double T, double p);

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
                                  double xtol, double ftol);

// Tolerance on a converged property value.
double tolerance(Property y, double T, double value);

// Whether a search's result has y = value: within a thousand times the
// tolerance (a search can end on a jump of y instead), and `slack` more.
bool has_value(const Result& r, Property y, double value, double slack = 0);

}  // namespace fluidcore::mixture_placement
