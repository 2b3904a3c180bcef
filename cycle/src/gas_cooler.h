// The gas cooler of the transcritical cycle against the water it heats, in
// counter-flow: the water leaves where the refrigerant enters.
#pragma once

#include <string_view>
#include <vector>

#include "cycle/transcritical.h"

namespace cycle::detail {

// Water at the hot-water pressure: its boiling temperature and its enthalpy
// at every whole degree up to it (at its triple point for 0 'C), as the
// property layer gives it, interpolated in between: water's enthalpy is so
// nearly linear in temperature that a kelvin's step is good to a
// hundred-thousandth of a kelvin.
class HotWaterTable {
 public:
  HotWaterTable();  // asks the property layer

  double Boiling() const { return boiling_; }  // degrees C
  // kJ/kg at a temperature (degrees C) between 0 'C and the boiling temperature.
  double Enthalpy(double T) const;

 private:
  double boiling_;
  // Degrees C of the table's i-th enthalpy.
  static double TableTemperature(std::size_t i);

  std::vector<double> h_;  // at 0.01, 1, 2, ... 'C
};

// The table, asked for once per process and never changed: water's
// properties do not depend on the calculation, and asking for them in each
// would switch the property library from the refrigerant to water and back
// every time. A failed request is not kept: the next call asks again.
const HotWaterTable& HotWater();

// The water from its inlet to its outlet temperature (degrees C) at the
// hot-water pressure: its enthalpy from the table at a few temperatures,
// interpolated in between to about a hundredth of a kelvin.
class HeatedWater {
 public:
  HeatedWater(double inlet, double outlet);

  double Rise() const { return h_.back() - h_.front(); }  // kJ/kg, outlet minus inlet
  // The temperature (degrees C) where the water has taken up this share of
  // its heat: 0 at the inlet, 1 at the outlet.
  double TemperatureAtShare(double share) const;

 private:
  std::vector<double> T_, h_;
};

// A state on the gas cooler's isobar: temperature (degrees C), enthalpy
// (kJ/kg) and isobaric heat capacity (kJ/kg-K), the slope dh/dT.
struct IsobarNode {
  double T = 0, h = 0, cp = 0;
};

// The node of a state from the property layer, or CycleFailure where the
// state has no positive heat capacity (`what` names the state).
IsobarNode IsobarNodeOf(std::string_view fluid, const property::StateProperties& state,
                        std::string_view what);

// The refrigerant's temperature along the gas cooler's isobar as a function
// of enthalpy: a cubic Hermite through a few states from the property layer,
// each with its exact slope dT/dh = 1 / cp from the same request. The states
// split the widest step of enthalpy in two, each at the temperature the
// cubic so far gives there, so that they crowd where the isobar bends near
// the pseudo-critical temperature. A request at each state of the gas cooler
// would cost many times as much, since a state at given enthalpy is found by
// iterating on temperature; the cubic is good to about a hundredth of a
// kelvin.
class IsobarTemperatures {
 public:
  IsobarTemperatures(std::string_view fluid, double pressure, const IsobarNode& inlet,
                     const IsobarNode& outlet);
  // Degrees C at an enthalpy (kJ/kg) between outlet and inlet.
  double At(double h) const;

 private:
  std::vector<IsobarNode> nodes_;  // by rising enthalpy
};

struct GasCoolerProfile {
  std::vector<GasCoolerPoint> points;  // refrigerant inlet (2) to outlet (3)
  double pinch = 0;                    // K, smallest refrigerant-minus-water difference
  double pinch_at = 0;                 // fraction of the duty from the refrigerant inlet
};

// The refrigerant's side of the gas cooler: its isobar and the two ends.
struct GasCoolerSide {
  std::string_view fluid;
  double pressure;         // kPa
  IsobarNode inlet;        // 2
  IsobarNode outlet;       // 3
  double heating_capacity;  // kW
};

// States at equal steps of enthalpy from inlet to outlet, each with its
// share of the duty and the water's temperature there by the energy balance.
GasCoolerProfile AlongGasCooler(const GasCoolerSide& refrigerant, const HeatedWater& water);

}  // namespace cycle::detail
