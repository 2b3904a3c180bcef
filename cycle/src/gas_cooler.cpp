#include "gas_cooler.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "cycle_points.h"
#include "property_requests.h"

namespace cycle::detail {

namespace {

constexpr std::string_view kWater = "WATER";
// Water's triple point, degrees C, where its equation starts: the hot-water
// table's first temperature, in place of 0 'C.
constexpr double kTriplePoint = 0.01;
// Largest temperature step of the heated water's own enthalpy table, K.
constexpr double kWaterStep = 20;
// The most states requested along the gas cooler's isobar between its two
// ends, and how closely (K) the cubic through them should follow the isobar.
constexpr int kMostIsobarStates = 16;
constexpr double kIsobarDoubt = 0.002;
// By how much a cubic Hermite's error is taken to shrink when its step is
// halved: its error goes with the fourth power of the step (16), but the
// error is known at one state only, so half of that.
constexpr double kHalvedStepGain = 8;
// Steps of enthalpy along the gas cooler: one state more than steps.
constexpr int kGasCoolerSteps = 50;

}  // namespace

double HotWaterTable::TableTemperature(std::size_t i) {
  return i == 0 ? kTriplePoint : static_cast<double>(i);
}

HotWaterTable::HotWaterTable()
    : boiling_(Ask(property::Temperature, kWater,
                   {"boiling temperature", "hot water", "Pliq", kHotWaterPressure}) -
               kKelvinOffset) {
  for (std::size_t i = 0; TableTemperature(i) < boiling_; ++i) {
    h_.push_back(Ask(property::Enthalpy, kWater,
                     {"enthalpy", "hot water", "TP", TableTemperature(i) + kKelvinOffset,
                      kHotWaterPressure}));
  }
}

double HotWaterTable::Enthalpy(double T) const {
  // The last kelvin's step reaches on to the boiling temperature.
  const auto below = static_cast<std::size_t>(
      std::clamp(std::floor(T), 0.0, static_cast<double>(h_.size() - 2)));
  const double T0 = TableTemperature(below), T1 = TableTemperature(below + 1);
  return h_[below] + (T - T0) / (T1 - T0) * (h_[below + 1] - h_[below]);
}

const HotWaterTable& HotWater() {
  static const HotWaterTable table;
  return table;
}

HeatedWater::HeatedWater(double inlet, double outlet) {
  const HotWaterTable& table = HotWater();
  const int steps = std::max(1, static_cast<int>(std::ceil((outlet - inlet) / kWaterStep)));
  for (int i = 0; i <= steps; ++i) {
    const double T = i == steps ? outlet : inlet + (outlet - inlet) * i / steps;
    T_.push_back(T);
    h_.push_back(table.Enthalpy(T));
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

IsobarNode IsobarNodeOf(std::string_view fluid, const property::StateProperties& state,
                        std::string_view what) {
  if (!(state.Cp > 0 && std::isfinite(state.Cp))) {
    throw CycleFailure(fluid, "the heat capacity of the " + std::string(what) +
                                  " is not a positive number");
  }
  return {state.T - kKelvinOffset, state.H, state.Cp};
}

namespace {

// The cubic Hermite T(h) between two nodes, with the slopes 1 / cp.
double HermiteTemperature(const IsobarNode& a, const IsobarNode& b, double h) {
  const double dh = b.h - a.h;
  const double t = (h - a.h) / dh;
  const double h00 = (1 + 2 * t) * (1 - t) * (1 - t), h10 = t * (1 - t) * (1 - t);
  const double h01 = t * t * (3 - 2 * t), h11 = t * t * (t - 1);
  return h00 * a.T + h10 * dh / a.cp + h01 * b.T + h11 * dh / b.cp;
}

}  // namespace

IsobarTemperatures::IsobarTemperatures(std::string_view fluid, double pressure,
                                       const IsobarNode& inlet, const IsobarNode& outlet)
    : nodes_{outlet, inlet} {
  // How far off each step's cubic may be, K: unknown for the first step; for
  // the two halves of a split step, the error its cubic had at the new state
  // shrunk as the error of a cubic shrinks when its step is halved.
  std::vector<double> doubt{INFINITY};
  for (int added = 0; added < kMostIsobarStates; ++added) {
    const auto worst = std::max_element(doubt.begin(), doubt.end());
    if (*worst < kIsobarDoubt) break;
    const auto k = static_cast<std::size_t>(std::distance(doubt.begin(), worst));
    const IsobarNode a = nodes_[k], b = nodes_[k + 1];
    // The cubic's temperature at the middle enthalpy, kept inside the step
    // (a cubic between very different slopes may overshoot).
    const double predicted = HermiteTemperature(a, b, (a.h + b.h) / 2);
    const double T = predicted > a.T && predicted < b.T ? predicted : (a.T + b.T) / 2;
    const IsobarNode node = IsobarNodeOf(
        fluid, AskState(fluid, {"properties", "gas cooler", "TP", T + kKelvinOffset, pressure}),
        "gas cooler");
    const double halved = std::abs(HermiteTemperature(a, b, node.h) - T) / kHalvedStepGain;
    nodes_.insert(nodes_.begin() + static_cast<std::ptrdiff_t>(k) + 1, node);
    *worst = halved;
    doubt.insert(worst, halved);
  }
}

double IsobarTemperatures::At(double h) const {
  const auto upper = std::clamp(
      std::upper_bound(nodes_.begin(), nodes_.end(), h,
                       [](double value, const IsobarNode& node) { return value < node.h; }),
      nodes_.begin() + 1, nodes_.end() - 1);
  return HermiteTemperature(*(upper - 1), *upper, h);
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
