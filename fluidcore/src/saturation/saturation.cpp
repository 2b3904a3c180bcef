#include "fluidcore/saturation.h"

#include <cmath>
#include <charconv>
#include <limits>

#include "fluidcore/errors.h"
#include "fluidcore/state.h"
#include "numerics/roots.h"

namespace fluidcore {

namespace {

// Independent of the process locale: "374.21", never "374,21".
std::string format_digits(double v, int digits) {
  char buf[32];
  char* const end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, digits).ptr;
  return std::string(buf, end);
}

}  // namespace

std::string format_number(double v) { return format_digits(v, 6); }

std::pair<std::string, std::string> format_apart(double value, double limit) {
  for (int digits = 6;; ++digits) {
    auto shown = std::make_pair(format_digits(value, digits), format_digits(limit, digits));
    if (shown.first != shown.second || digits == 17) return shown;
  }
}

std::string beyond_limit(std::string_view quantity, double value, std::string_view unit,
                         std::string_view relation, double limit) {
  const auto [v, l] = format_apart(value, limit);
  std::string text(quantity);
  return text.append(" ").append(v).append(" ").append(unit).append(" ").append(relation)
      .append(" ").append(l).append(" ").append(unit);
}

namespace {

SaturationResult failure(int status, std::string message) {
  SaturationResult r;
  r.status = status;
  r.message = std::move(message);
  return r;
}

// Checks `value` against [lo, hi]; the message names the quantity, its unit
// and the fluid.
std::string outside(const PureFluid& f, const char* quantity, const char* unit, double value,
                    double lo, const char* lo_name, double hi, const char* hi_name) {
  if (!std::isfinite(value)) return std::string(quantity) + " is not a finite number";
  if (value < lowest_admitted(lo))
    return beyond_limit(quantity, value, unit, std::string("is below the ") + lo_name, lo) + " of " +
           f.name;
  if (value > highest_admitted(hi))
    return beyond_limit(quantity, value, unit, std::string("is above the ") + hi_name, hi) + " of " +
           f.name;
  return {};
}

// Below this fraction of the critical pressure the equation gives p.
constexpr double kLowPressure = SaturationCurve::kLowPressure;

// The critical point the library reports (CRITP: the published one) lies a
// hair from the equation's own, on either side: saturation at either is the
// critical point, not beyond it (see critical_isochore_at_temperature).
double highest_saturation_temperature(const PureFluid& f) {
  return std::max(f.saturation.Tcrit(), f.critical.T);
}

double highest_saturation_pressure(const PureFluid& f) {
  return std::max(f.saturation.pcrit(), f.critical.p);
}

double vapour_pressure(const PureFluid& f, double T, double rhoV) {
  return Isotherm(f, T).pressure(rhoV).p;
}

// Beyond the equation's own critical point, up to the one the library
// reports: the critical point at the given temperature or pressure, on the
// critical isochore (the density where the curve ends), so that the one
// phase there has the pressure given or returned.
double critical_isochore_density(const PureFluid& f) {
  const auto end = f.saturation.at_temperature(f.Tcrit());
  return 0.5 * (end.rhoL + end.rhoV);
}

SaturationPoint critical_isochore_at_temperature(const PureFluid& f, double T) {
  const double rho = critical_isochore_density(f);
  return {T, vapour_pressure(f, T, rho), rho, rho};
}

// Newton in T from the equation's critical temperature; p rises with T.
SaturationPoint critical_isochore_at_pressure(const PureFluid& f, double p) {
  const double rho = critical_isochore_density(f);
  double T = f.Tcrit();
  for (int it = 0; it < 20; ++it) {
    const State s = evaluate_state(f, T, rho);
    if (std::abs(s.p - p) <= 1e-13 * p || !(s.dp_dT > 0)) break;
    T += (p - s.p) / s.dp_dT;
  }
  return {T, p, rho, rho};
}

}  // namespace

SaturationPoint saturation_point(const PureFluid& f, double T) {
  SaturationPoint s = f.saturation.at_temperature(T);
  if (s.p < kLowPressure * f.pcrit() ||
      s.T < f.saturation.monotonic_from(SaturationCurve::Series::pressure))
    s.p = vapour_pressure(f, s.T, s.rhoV);
  return s;
}

bool takes_saturation_pressure(const PureFluid& f, const SaturationPoint& sat, double T,
                               double rho) {
  return T == sat.T && std::abs(rho - sat.rhoL) <= kLiquidBand * sat.rhoL &&
         sat.p < kLowPressure * f.pcrit();
}

void take_liquid_pressure_from_saturation(const PureFluid& f, const SaturationPoint& sat,
                                          State& s) {
  if (!takes_saturation_pressure(f, sat, s.T, s.rho)) return;
  // A step within the rounding of the density is none: at a few mPa one unit
  // in the last place of a liquid's density moves its pressure by 1e-3.
  const double step = s.rho - sat.rhoL;
  constexpr double kRounding = 4 * std::numeric_limits<double>::epsilon();
  s.p = sat.p + (std::abs(step) <= kRounding * sat.rhoL ? 0 : s.dp_drho * step);
}

void take_liquid_pressure_from_saturation(const PureFluid& f, State& s) {
  const auto& c = f.saturation;
  // Clearly above the low saturation pressures (the margin covers the
  // inversion's rounding), no saturation point is needed to know.
  if (!(s.T < c.Tcrit() && s.T >= c.Tmin() && s.rho > c.rhocrit()) ||
      s.T > c.low_pressure_temperature() * (1 + 1e-9))
    return;
  // The series' liquid density first: the whole point only where it is needed.
  const double rhoL = c.value(SaturationCurve::Series::liquid_density, s.T);
  if (std::abs(s.rho - rhoL) <= kLiquidBand * rhoL)
    take_liquid_pressure_from_saturation(f, saturation_point(f, s.T), s);
}

double saturation_temperature(const PureFluid& f, double p) {
  const auto& c = f.saturation;
  const double T = c.temperature_at(SaturationCurve::Series::pressure, p);
  if (p >= kLowPressure * f.pcrit()) return T;
  // ln p of the saturation points rises with T: bracket the series'
  // estimate, widening fourfold, and refine.
  const auto g = [&](double t) { return std::log(saturation_point(f, t).p / p); };
  double a = std::max(T * (1 - 1e-7), c.Tmin()), b = std::min(T * (1 + 1e-7), c.Tcrit());
  double ga = g(a), gb = g(b);
  for (double step = 1e-6 * T; ga > 0 && a > c.Tmin(); step *= 4) ga = g(a = std::max(a - step, c.Tmin()));
  for (double step = 1e-6 * T; gb < 0 && b < c.Tcrit(); step *= 4) gb = g(b = std::min(b + step, c.Tcrit()));
  if (ga >= 0) return a;
  if (gb <= 0) return b;
  return brent(g, a, b, ga, gb, 1e-14 * b).x;
}

SaturationResult saturation_at_temperature(const PureFluid& f, double T) {
  if (auto why = outside(f, "temperature", "K", T, f.limits.Tmin, "lower limit",
                         highest_saturation_temperature(f), "critical temperature");
      !why.empty())
    return failure(std::isfinite(T) ? kOutOfRange : kBadInput, why);
  SaturationResult r;
  r.point = T > f.Tcrit() ? critical_isochore_at_temperature(f, T) : saturation_point(f, T);
  return r;
}

SaturationResult saturation_at_pressure(const PureFluid& f, double p) {
  const auto& c = f.saturation;
  if (auto why = outside(f, "pressure", "kPa", p, f.psat_min, "lower-limit saturation pressure",
                         highest_saturation_pressure(f), "critical pressure");
      !why.empty())
    return failure(std::isfinite(p) ? kOutOfRange : kBadInput, why);
  SaturationResult r;
  if (p > c.pcrit()) {
    r.point = critical_isochore_at_pressure(f, p);
    return r;
  }
  r.point = c.at_temperature(saturation_temperature(f, p));
  r.point.p = p;
  return r;
}

SaturationResult saturation_at_density(const PureFluid& f, double rho) {
  const auto& c = f.saturation;
  const auto low = c.at_temperature(f.limits.Tmin);
  const double rhoL_max = c.monotonic_end_value(SaturationCurve::Series::liquid_density);
  if (!std::isfinite(rho)) return failure(kBadInput, "density is not a finite number");
  const bool liquid = rho >= c.rhocrit();
  if (auto why = liquid ? outside(f, "density", "mol/dm^3", rho, c.rhocrit(), "critical density",
                                  rhoL_max, "largest saturated liquid density")
                        : outside(f, "density", "mol/dm^3", rho, low.rhoV,
                                  "saturated vapour density at the lower limit", c.rhocrit(),
                                  "critical density");
      !why.empty())
    return failure(kOutOfRange, why);
  SaturationResult r;
  const auto series = liquid ? SaturationCurve::Series::liquid_density
                             : SaturationCurve::Series::vapour_density;
  r.point = saturation_point(f, c.temperature_at(series, rho));
  // A density a rounding error beyond the end of its range stands for the
  // end's own (elsewhere the point has the given density exactly): a stiff
  // liquid's pressure moves by kPa with a relative 1e-9 in density.
  const bool beyond_end = liquid ? rho > rhoL_max : rho < low.rhoV;
  if (!beyond_end) (liquid ? r.point.rhoL : r.point.rhoV) = rho;
  r.phase = liquid ? 1 : 2;
  return r;
}

}  // namespace fluidcore
