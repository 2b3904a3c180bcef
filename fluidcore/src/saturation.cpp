#include "fluidcore/saturation.h"

#include <cmath>
#include <cstdio>

#include "fluidcore/errors.h"

namespace fluidcore {

std::string format_number(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%g", v);
  return buf;
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
  const std::string v = std::string(quantity) + " " + format_number(value) + " " + unit;
  if (!std::isfinite(value)) return std::string(quantity) + " is not a finite number";
  // Values a rounding error outside a limit count as on it.
  constexpr double kSlack = 1e-9;
  if (value < lo * (1 - kSlack))
    return v + " is below the " + lo_name + " " + format_number(lo) + " " + unit + " of " + f.name;
  if (value > hi * (1 + kSlack))
    return v + " is above the " + hi_name + " " + format_number(hi) + " " + unit + " of " + f.name;
  return {};
}

}  // namespace

SaturationResult saturation_at_temperature(const PureFluid& f, double T) {
  const auto& c = f.saturation;
  if (auto why = outside(f, "temperature", "K", T, c.Tmin(), "lower limit", c.Tcrit(),
                         "critical temperature");
      !why.empty())
    return failure(std::isfinite(T) ? kOutOfRange : kBadInput, why);
  SaturationResult r;
  r.point = c.at_temperature(T);
  return r;
}

SaturationResult saturation_at_pressure(const PureFluid& f, double p) {
  const auto& c = f.saturation;
  if (auto why = outside(f, "pressure", "kPa", p, c.pmin(), "lower-limit saturation pressure",
                         c.pcrit(), "critical pressure");
      !why.empty())
    return failure(std::isfinite(p) ? kOutOfRange : kBadInput, why);
  SaturationResult r;
  r.point = c.at_temperature(c.temperature_at(SaturationCurve::Series::pressure, p));
  r.point.p = p;
  return r;
}

SaturationResult saturation_at_density(const PureFluid& f, double rho) {
  const auto& c = f.saturation;
  const auto low = c.at_temperature(c.Tmin());
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
  r.point = c.at_temperature(c.temperature_at(series, rho));
  (liquid ? r.point.rhoL : r.point.rhoV) = rho;
  r.phase = liquid ? 1 : 2;
  return r;
}

}  // namespace fluidcore
