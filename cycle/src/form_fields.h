// The number fields of the two forms in their order, by the names messages
// give them: as numbers (the inputs) or as typed (the fields' texts), which
// name their members alike.
#pragma once

#include <array>

namespace cycle::detail {

// `Named` is a name with a value or with a text: NamedValue or TypedField.
template <class Named, class Basic>
std::array<Named, 7> BasicNumberFields(const Basic& in) {
  return {{
      {"Mass Flowrate Hot Water", in.Massflowrate},
      {"Temperature Hot Water", in.Temperaturehotspring},
      {"Subcooling", in.Subcooling},
      {"Superheating", in.Superheating},
      {"Temperature Condensing", in.TemperatureCondensing},
      {"Safety Factor", in.Safetyfactor},
      {"Isotropic Efficiency", in.Isotropicefficiency},
  }};
}

template <class Named, class Comparison>
std::array<Named, 7> ComparisonNumberFields(const Comparison& in) {
  return {{
      {"Heat Capacity of Evaporator", in.HeatCapEvap},
      {"Temperature at Evaporator", in.TempEvap},
      {"Subcooling", in.Subcooling},
      {"Superheating", in.Superheating},
      {"Temperature Condensing", in.TemperatureCondensing},
      {"Safety Factor", in.Safetyfactor},
      {"Isotropic Efficiency", in.Isotropicefficiency},
  }};
}

}  // namespace cycle::detail
