// Saturation states of a pure fluid at given T, p or density, from the
// Chebyshev saturation curve (no iteration from rough starting values).
//
// The series carry p to an absolute error of about 1e-11 kPa. Where that is
// a noticeable part of p (below 1 % of the critical pressure) the pressure
// is taken from the equation at the saturated vapour density instead, whose
// relative error is that of the density, and the saturation temperature at
// such a pressure is polished to match (Brent's method on ln p).
//
// Every function checks its input and reports a plain reason on failure
// (status > 0, see errors.h); on success status is 0 and point is the
// saturated liquid/vapour pair.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "fluidcore/pure_fluid.h"
#include "fluidcore/saturation_curve.h"
#include "fluidcore/state.h"

namespace fluidcore {

struct SaturationResult {
  int status = 0;
  std::string message;   // why it failed (empty on success)
  SaturationPoint point;
  int phase = 0;         // density input: 1 liquid side, 2 vapour side
  bool ok() const { return status <= 0; }
};

// The saturation point at T, clamped to [Tmin, Tcrit]; no range check.
SaturationPoint saturation_point(const PureFluid& fluid, double T);
// The saturation temperature at p, clamped to [psat_min, pcrit]; no range check.
double saturation_temperature(const PureFluid& fluid, double p);

// A liquid's pressure where the saturation pressure is low (below 1 % of
// the critical pressure) and its density within a relative kLiquidBand of
// the saturated liquid `sat` at the state's temperature: the saturation
// pressure plus the first-order step from there. The equation's own pressure
// of a liquid is the small difference of large terms; where the saturation
// pressure is a few mPa (near a triple point) its rounding is a noticeable
// part of it, and the saturated liquid would not have the saturation pressure.
inline constexpr double kLiquidBand = 1e-9;
// Whether the state (T, rho) takes its pressure that way.
bool takes_saturation_pressure(const PureFluid& fluid, const SaturationPoint& sat, double T,
                               double rho);
void take_liquid_pressure_from_saturation(const PureFluid& fluid, const SaturationPoint& sat,
                                          State& s);
// The same where the saturation point is not at hand.
void take_liquid_pressure_from_saturation(const PureFluid& fluid, State& s);

// Tmin <= T <= the critical temperature: the higher of the equation's own
// and the published one (CRITP's); between the two the point is the
// critical point at T, on its isochore.
SaturationResult saturation_at_temperature(const PureFluid& fluid, double T);
// p between the lower-limit and critical pressures (the higher of the two,
// as for T).
SaturationResult saturation_at_pressure(const PureFluid& fluid, double p);
// rho is a saturated liquid density (rho >= rhocrit, phase 1) or a saturated
// vapour density (phase 2).
SaturationResult saturation_at_density(const PureFluid& fluid, double rho);

// The one rule for limits: a value a rounding error outside a limit counts
// as on it, within kSlack of it (relative; limits are positive). Every range
// check admits what these give, and every search reaches as far.
inline constexpr double kSlack = 1e-9;
inline double lowest_admitted(double lower_limit) { return lower_limit * (1 - kSlack); }
inline double highest_admitted(double upper_limit) { return upper_limit * (1 + kSlack); }

// A number for a message: "1e+06", "374.21".
std::string format_number(double v);
// Two numbers for a message that compares them, each with the fewest digits
// (six at least) that tell them apart: never "115.73 K is below 115.73 K".
std::pair<std::string, std::string> format_apart(double value, double limit);
// "temperature 115.7299999 K is below the lower limit 115.73 K": a quantity
// and the limit it lies beyond, numbers as format_apart gives them.
std::string beyond_limit(std::string_view quantity, double value, std::string_view unit,
                         std::string_view relation, double limit);

}  // namespace fluidcore
