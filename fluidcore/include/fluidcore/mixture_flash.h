// Flashes of a mixture of fixed composition: the same input pairs, results
// and conventions as the pure-fluid flashes (flash.h), with the liquid and
// vapour compositions added.
//
// The phase is decided against the mixture's bubble and dew lines
// (saturation_line.h): their interpolation settles every state clearly away
// from them at the cost of a table look-up, and the exact bubble or dew point
// (one or two Newton steps from the interpolated one) settles the rest.
// Two-phase states come from the equilibrium Newton (phase_equilibrium.h)
// with the given pair: (T, p), (T, rho), (T, q) and (p, q) directly; the
// other pairs as one-dimensional searches over it:
//   - at given p for T (PH, PS, PE): on the liquid branch below the bubble
//     temperature, on the vapour branch above the dew temperature, over
//     two-phase splits in between; y rises with T throughout;
//   - at given T (TH, TS, TE): the vapour branch, the splits from dew to
//     bubble point, then the liquid branch, so that where two states share
//     the given values the lower-density one is found;
//   - at given rho for T (PD, DH, DS, DE) over (T, rho) states;
//   - at given (h, s) for p over (p, h) states.
// Beyond the traced lines (within a fraction of a kelvin of the critical
// point and above it) states are single-phase; of two density roots at a
// given (T, p) the one of lower Gibbs energy is taken. Where a line could
// not be traced at all (a blend with a permanent gas, whose bubble line runs
// off to high pressure), a state that is neither below the dew point nor
// above the bubble point is taken as one phase with the warning
// kWarnEstimate: no stability test stands in for the missing line.
//
// Quality q is the molar vapour fraction. Single-phase states have q = -998
// (liquid), 998 (vapour) or 999 (supercritical) as for pure fluids, judged
// against the mixture's critical point, and x = y = the feed composition.
#pragma once

#include <string>

#include "fluidcore/fixed_mixture.h"
#include "fluidcore/flash.h"
#include "fluidcore/phase_equilibrium.h"

namespace fluidcore {

struct MixtureFlashResult : FlashResult {
  Fractions x{}, y{};  // liquid and vapour compositions
};

MixtureFlashResult flash_tp(const FixedMixture& mixture, double T, double p);
MixtureFlashResult flash_td(const FixedMixture& mixture, double T, double rho);
MixtureFlashResult flash_tq(const FixedMixture& mixture, double T, double q);
MixtureFlashResult flash_pq(const FixedMixture& mixture, double p, double q);
// y: enthalpy, entropy or internal energy.
MixtureFlashResult flash_isobar(const FixedMixture& mixture, double p, Property y, double value);
MixtureFlashResult flash_isotherm(const FixedMixture& mixture, double T, Property y, double value);
// y: pressure, enthalpy, entropy or internal energy.
MixtureFlashResult flash_isochore(const FixedMixture& mixture, double rho, Property y,
                                  double value);
MixtureFlashResult flash_hs(const FixedMixture& mixture, double h, double s);

// Saturation of a mixture: the bubble point (kind 1) or dew point (kind 2)
// at T or at p; at a density, the bubble point whose liquid (rho above the
// critical density, phase 1) or the dew point whose vapour (phase 2) has it.
struct MixtureSaturationResult {
  int status = 0;
  std::optional<Failure> why;
  TwoPhase point;
  int phase = 0;
  bool ok() const { return status <= 0; }
  std::string message() const { return why ? describe(*why) : std::string(); }
};

MixtureSaturationResult saturation_at_temperature(const FixedMixture& mixture, double T, int kind);
MixtureSaturationResult saturation_at_pressure(const FixedMixture& mixture, double p, int kind);
MixtureSaturationResult saturation_at_density(const FixedMixture& mixture, double rho);

}  // namespace fluidcore
