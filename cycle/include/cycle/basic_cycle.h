// The basic calculation: one heat pump, one refrigerant, sized from the
// hot-water side.
#pragma once

#include <optional>
#include <string>
#include <variant>

#include "cycle/field_defaults.h"
#include "cycle/library_text_option.h"

namespace cycle {

struct BasicCycleInput {
  std::string Refrigerant;      // fluid name, handed unchanged to the property layer
  double Massflowrate = 0;      // hot water, liter/s used as kg/s
  double Temperaturehotspring = 0;  // hot water, degrees C
  double Subcooling = 0;        // K
  double Superheating = 0;      // K
  double TemperatureCondensing = 0;  // degrees C
  double Safetyfactor = 0;      // percent
  double Isotropicefficiency = 0;    // percent
};

// The sixteen figures, named after the text boxes that show them.
struct BasicCycleResult {
  double Evap = 0, Conden = 0, Compress = 0, EV = 0;  // kW, kW, kW, TR
  double P1 = 0, P2 = 0, P3 = 0, P4 = 0;              // bar
  double T1 = 0, T2 = 0, T3 = 0, T4 = 0;              // degrees C
  double H1 = 0, H2 = 0, H3 = 0, H4 = 0;              // kJ/kg (H2: isentropic discharge)
  // Beyond the page's sixteen boxes, from two requests after the others
  // (the suction's volume, point 4's temperature):
  double COP = 0;       // heating: Conden / Compress
  double VHC = 0;       // kJ/m3, heat given per m3 of suction vapour: (h2 - h3) / v1
  double H2actual = 0;  // kJ/kg, the actual discharge enthalpy h2 that gives T2 and the duties
  // Degrees C, the state after the valve (Pe, h4). T4 shows the evaporating
  // temperature, where a blend's vapour is saturated (its dew point); the
  // blend enters the evaporator colder, by part of its glide.
  double T4actual = 0;
};

// Either the figures or the one message that ends the command (an input
// check, a failed property request, a zero divisor).
using BasicCycleOutcome = std::variant<BasicCycleResult, std::string>;

// The texts of the basic form's fields, as typed.
struct BasicCycleFields {
  std::string Refrigerant, Massflowrate, Temperaturehotspring, Subcooling, Superheating,
      TemperatureCondensing, Safetyfactor, Isotropicefficiency;
};

// The basic form's fields at start, in the order of the command line's help.
inline constexpr auto kBasicDefaults = std::to_array<FieldDefault<BasicCycleFields>>({
    {"refrigerant", "R22", "refrigerant", &BasicCycleFields::Refrigerant},
    {"flow", "1", "hot water mass flow rate, liter/s", &BasicCycleFields::Massflowrate},
    {"hot-water", "50", "hot water temperature, 'C", &BasicCycleFields::Temperaturehotspring},
    {"subcooling", "3.5", "subcooling, K", &BasicCycleFields::Subcooling},
    {"superheating", "4", "superheating, K", &BasicCycleFields::Superheating},
    {"condensing", "90", "condensing temperature, 'C", &BasicCycleFields::TemperatureCondensing},
    {"safety", "100", "safety factor, %", &BasicCycleFields::Safetyfactor},
    {"efficiency", "80", "isentropic efficiency, %", &BasicCycleFields::Isotropicefficiency},
});

// The Calculate command's reading of the fields: each number by the
// leading-number conversion, the input checks (CheckBasicCycleInput), then
// the refusal of a field that holds more than a number ("1,5", "12abc";
// FirstNumberRefusal of number_text.h). The input, or the message of the
// first refusal.
std::variant<BasicCycleInput, std::string> ReadBasicCycleInput(const BasicCycleFields& fields);

// A failed property request's message is in the forms' terms, followed by
// the library's own text where asked for.
BasicCycleOutcome CalcBasicCycle(const BasicCycleInput& input,
                                 LibraryText library_text = LibraryText::omitted);

// The input checks that CalcBasicCycle runs first, in their order: the
// message of the first that fails, or nothing.
std::optional<std::string> CheckBasicCycleInput(const BasicCycleInput& input);

// The refusal of inputs no real cycle has, which CalcBasicCycle runs after
// CheckBasicCycleInput: "Subcooling Incorrect" for a negative subcooling,
// "Superheating Incorrect" for a negative superheating, "Isotropic
// Efficiency Incorrect" for an efficiency above 100 or below 0, then "Mass
// Flowrate Hot Water Incorrect" and "Safety Factor Incorrect" for a
// negative flow or safety factor (in this order); nothing where the cycle
// can exist.
std::optional<std::string> CheckPossibleCycle(const BasicCycleInput& input);

}  // namespace cycle
