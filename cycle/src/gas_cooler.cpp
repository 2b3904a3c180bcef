#include "gas_cooler.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "cycle_points.h"
#include "property_requests.h"

namespace cycle::detail {

namespace {

constexpr std::string_view kWater = "WATER";
// Largest temperature step of the water's enthalpy table, K.
constexpr double kWaterStep = 20;
// Steps of temperature of the refrigerant's table along the gas cooler.
constexpr int kIsobarSteps = 18;
// Steps of enthalpy along the gas cooler: one state more than steps.
constexpr int kGasCoolerSteps = 50;

}  // namespace

double WaterBoilingTemperature() {
  return Ask(property::Temperature, kWater,
             {"boiling temperature of the hot water", "Pliq", kHotWaterPressure}) -
         kKelvinOffset;
}

HeatedWater::HeatedWater(double inlet, double outlet) {
  const int steps = std::max(1, static_cast<int>(std::ceil((outlet - inlet) / kWaterStep)));
  for (int i = 0; i <= steps; ++i) {
    const double T = i == steps ? outlet : inlet + (outlet - inlet) * i / steps;
    T_.push_back(T);
    h_.push_back(Ask(property::Enthalpy, kWater,
                     {"enthalpy of the hot water", "TP", T + kKelvinOffset, kHotWaterPressure}));
  }
}

double HeatedWater::TemperatureAtShare(double share) const {
  const double h = h_.front() + share * Rise();
  const auto upper = std::clamp(std::upper_bound(h_.begin(), h_.end(), h), h_.begin() + 1,
                                h_.end() - 1);
  const auto i = std::distance(h_.begin(), upper);
  const double within = (h - h_[i - 1]) / (h_[i] - h_[i - 1]);
  return T_[i - 1] + within * (T_[i] - T_[i - 1]);
}

namespace {

// The slopes of the monotone cubic through the points (Fritsch and Butland):
// a weighted harmonic mean of the neighbouring secants inside, zero at a
// turn, and at the ends a three-point slope kept within the curve's shape.
std::vector<double> MonotoneSlopes(const std::vector<double>& x, const std::vector<double>& y) {
  const std::size_t n = x.size();
  std::vector<double> dx(n - 1), secant(n - 1), slope(n, 0);
  for (std::size_t k = 0; k + 1 < n; ++k) {
    dx[k] = x[k + 1] - x[k];
    secant[k] = (y[k + 1] - y[k]) / dx[k];
  }
  if (n == 2) return {secant[0], secant[0]};
  for (std::size_t k = 1; k + 1 < n; ++k) {
    if (secant[k - 1] * secant[k] <= 0) continue;
    const double w1 = 2 * dx[k] + dx[k - 1], w2 = dx[k] + 2 * dx[k - 1];
    slope[k] = (w1 + w2) / (w1 / secant[k - 1] + w2 / secant[k]);
  }
  const auto end = [](double h0, double h1, double d0, double d1) {
    const double m = ((2 * h0 + h1) * d0 - h0 * d1) / (h0 + h1);
    if (m * d0 <= 0) return 0.0;
    if (d0 * d1 <= 0 && std::abs(m) > 3 * std::abs(d0)) return 3 * d0;
    return m;
  };
  slope[0] = end(dx[0], dx[1], secant[0], secant[1]);
  slope[n - 1] = end(dx[n - 2], dx[n - 3], secant[n - 2], secant[n - 3]);
  return slope;
}

}  // namespace

IsobarTemperatures::IsobarTemperatures(std::string_view fluid, double pressure,
                                       const DiagramState& inlet, const DiagramState& outlet) {
  // The two ends are known states; the table runs from the outlet's lower
  // enthalpy to the inlet's.
  T_.push_back(outlet.T);
  h_.push_back(outlet.h);
  for (int j = 1; j < kIsobarSteps; ++j) {
    T_.push_back(outlet.T + (inlet.T - outlet.T) * j / kIsobarSteps);
    h_.push_back(Ask(property::Enthalpy, fluid,
                     {"gas cooler enthalpy", "TP", T_.back() + kKelvinOffset, pressure}));
  }
  T_.push_back(inlet.T);
  h_.push_back(inlet.h);
  slope_ = MonotoneSlopes(h_, T_);
}

double IsobarTemperatures::At(double h) const {
  const auto upper =
      std::clamp(std::upper_bound(h_.begin(), h_.end(), h), h_.begin() + 1, h_.end() - 1);
  const auto k = static_cast<std::size_t>(std::distance(h_.begin(), upper)) - 1;
  const double dx = h_[k + 1] - h_[k];
  const double t = (h - h_[k]) / dx;
  // Cubic Hermite basis on [0, 1].
  const double h00 = (1 + 2 * t) * (1 - t) * (1 - t), h10 = t * (1 - t) * (1 - t);
  const double h01 = t * t * (3 - 2 * t), h11 = t * t * (t - 1);
  return h00 * T_[k] + h10 * dx * slope_[k] + h01 * T_[k + 1] + h11 * dx * slope_[k + 1];
}

GasCoolerProfile AlongGasCooler(const GasCoolerSide& r, const HeatedWater& water) {
  GasCoolerProfile profile;
  const IsobarTemperatures isobar(r.fluid, r.pressure, r.inlet, r.outlet);
  profile.pinch = r.inlet.T - water.TemperatureAtShare(1);
  for (int i = 0; i <= kGasCoolerSteps; ++i) {
    const double share = double(i) / kGasCoolerSteps;
    // Counter-flow: the water has taken up the rest of its heat at this state.
    const GasCoolerPoint point{share * r.heating_capacity,
                               isobar.At(r.inlet.h + share * (r.outlet.h - r.inlet.h)),
                               water.TemperatureAtShare(1 - share)};
    if (point.refrigerant_T - point.water_T < profile.pinch) {
      profile.pinch = point.refrigerant_T - point.water_T;
      profile.pinch_at = share;
    }
    profile.points.push_back(point);
  }
  return profile;
}

}  // namespace cycle::detail
