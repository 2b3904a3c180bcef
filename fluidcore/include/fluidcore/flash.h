// Flashes of a pure fluid: the whole state from two given properties.
//
// One free function per input pair family, each returning a FlashResult with
// a status (errors.h), the failure record (failure.h) and the iteration
// count; a solver never returns an unconverged value as a success.
//
// Every flash decides the phase first against the saturation curve (the
// Chebyshev series: saturation at the given T or p, or the temperature where
// the given density meets the phase boundary) and then solves in one
// dimension with safeguarded Newton steps or Brent's method, always inside a
// bracket that shrinks:
//   - at given (T, p) for the density on the right branch (flash_tp);
//   - at given p for T along the isobar, the density re-solved at each T
//     with a start extrapolated from the previous one (flash_isobar: PH, PS, PE);
//   - at given T for the density, scanning the branches from the lowest
//     density up (flash_isotherm: TH, TS, TE), so that where two states share
//     the given values the lower-density one is found;
//   - at given rho for T along the isochore (flash_isochore: PD, DH, DS, DE);
//   - at given (h, s) for p along the isentrope (flash_hs), where dh = v dp.
// A mixture model plugs in with its own phase-equilibrium routine in place of
// the Chebyshev curve; the single-phase solvers need only an Isotherm.
//
// Quality q is molar (equal to the mass quality for a pure fluid). For
// single-phase states q says where the state lies: -998 liquid (below the
// critical temperature, denser than the saturated liquid), 998 vapour
// (lighter than the saturated vapour, or above the critical temperature at a
// pressure below the critical pressure) and 999 supercritical (at or above
// both the critical temperature and pressure). cv, cp and w of a
// two-phase state (0 < q < 1) are kUndefined; at q = 0 or 1 they are those of
// the saturated phase.
#pragma once

#include <optional>
#include <string>

#include "fluidcore/entry_points.h"
#include "fluidcore/failure.h"
#include "fluidcore/failure_text.h"
#include "fluidcore/pure_fluid.h"

namespace fluidcore {

inline constexpr double kUndefined = FLUIDCORE_UNDEFINED;
inline constexpr double kLiquidQuality = -998, kVapourQuality = 998,
                        kSupercriticalQuality = 999;

enum class Phase { liquid, vapour, supercritical, two_phase };

// Units: K, kPa, mol/dm^3, J/mol, J/(mol K), m/s. For single-phase states
// rhoL = rhoV = rho.
struct FlashState {
  double T = 0, p = 0, rho = 0, rhoL = 0, rhoV = 0, q = 0;
  double e = 0, h = 0, s = 0, cv = 0, cp = 0, w = 0;
  Phase phase = Phase::liquid;
};

struct FlashResult {
  int status = 0;              // 0 ok, < 0 warning (state usable), > 0 failure
  std::optional<Failure> why;  // the failure or the warning, naming the inputs and the fluid
  FlashState state;
  int iterations = 0;
  // For failures because the given value is out of reach: -1 below what the
  // range of the other variable allows, +1 above (used by flash_hs).
  int beyond = 0;
  bool ok() const { return status <= 0; }
  // `why` in words; empty where there is nothing to say.
  std::string message() const { return why ? describe(*why) : std::string(); }
};

enum class Property { pressure, internal_energy, enthalpy, entropy };

FlashResult flash_tp(const PureFluid& fluid, double T, double p);
FlashResult flash_td(const PureFluid& fluid, double T, double rho);
FlashResult flash_tq(const PureFluid& fluid, double T, double q);
FlashResult flash_pq(const PureFluid& fluid, double p, double q);
// y: enthalpy, entropy or internal energy.
FlashResult flash_isobar(const PureFluid& fluid, double p, Property y, double value);
FlashResult flash_isotherm(const PureFluid& fluid, double T, Property y, double value);
// y: pressure, enthalpy, entropy or internal energy.
FlashResult flash_isochore(const PureFluid& fluid, double rho, Property y, double value);
FlashResult flash_hs(const PureFluid& fluid, double h, double s);

}  // namespace fluidcore
