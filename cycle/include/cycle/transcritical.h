// The transcritical cycle: a refrigerant whose critical temperature lies
// below the heat sink (carbon dioxide) gives its heat to the water in a gas
// cooler above the critical pressure, at a high-side pressure chosen by the
// engineer or searched for the best heating COP.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "cycle/diagram.h"
#include "cycle/field_defaults.h"

namespace cycle {

struct TranscriticalInput;
// The form's text of the field at start, from kTranscriticalDefaults.
inline std::string TranscriticalDefault(std::string TranscriticalInput::*field);

// As typed on the form or the command line: the calculation reads the
// numbers itself, so both refuse non-numbers with the same messages.
// Each field starts at the form's default.
struct TranscriticalInput {
  std::string Refrigerant = TranscriticalDefault(&TranscriticalInput::Refrigerant);
  std::string HeatingCapacity = TranscriticalDefault(&TranscriticalInput::HeatingCapacity);  // kW
  std::string Evaporating = TranscriticalDefault(&TranscriticalInput::Evaporating);  // degrees C
  std::string Superheating = TranscriticalDefault(&TranscriticalInput::Superheating);  // K
  // degrees C, refrigerant
  std::string GasCoolerOutlet = TranscriticalDefault(&TranscriticalInput::GasCoolerOutlet);
  // bar, or "optimal" (case-insensitive)
  std::string HighPressure = TranscriticalDefault(&TranscriticalInput::HighPressure);
  std::string Efficiency = TranscriticalDefault(&TranscriticalInput::Efficiency);  // isentropic, %
  std::string WaterIn = TranscriticalDefault(&TranscriticalInput::WaterIn);    // degrees C
  std::string WaterOut = TranscriticalDefault(&TranscriticalInput::WaterOut);  // degrees C
  // K: the least difference between the refrigerant and the water that the
  // gas cooler is built for (its pinch); "optimal" keeps to it.
  std::string MinApproach = TranscriticalDefault(&TranscriticalInput::MinApproach);
};

// The transcritical form's fields at start, in the order of the command
// line's help.
inline constexpr auto kTranscriticalDefaults = std::to_array<FieldDefault<TranscriticalInput>>({
    {"refrigerant", "R744", "refrigerant", &TranscriticalInput::Refrigerant},
    {"capacity", "10", "heating capacity, kW", &TranscriticalInput::HeatingCapacity},
    {"evaporating", "10", "evaporating temperature, 'C", &TranscriticalInput::Evaporating},
    {"superheating", "5", "superheating, K", &TranscriticalInput::Superheating},
    {"gas-cooler-outlet", "35", "the refrigerant's gas cooler outlet temperature, 'C",
     &TranscriticalInput::GasCoolerOutlet},
    {"high-pressure", "optimal",
     "high-side pressure, bar, or optimal: the pressure of the best heating COP that keeps the "
     "minimum approach",
     &TranscriticalInput::HighPressure, "optimal|BAR"},
    {"efficiency", "70", "isentropic efficiency, %", &TranscriticalInput::Efficiency},
    {"water-in", "15", "water inlet temperature, 'C", &TranscriticalInput::WaterIn},
    {"water-out", "65", "water outlet temperature, 'C", &TranscriticalInput::WaterOut},
    {"min-approach", "5",
     "minimum approach, K: the least difference between refrigerant and water in the gas cooler",
     &TranscriticalInput::MinApproach},
});

inline std::string TranscriticalDefault(std::string TranscriticalInput::*field) {
  return std::string(DefaultText(kTranscriticalDefaults, field));
}

// One state along the gas cooler: heat given to the water from the
// refrigerant inlet (kW) and the two temperatures there (degrees C).
// Counter-flow: the water leaves where the refrigerant enters.
struct GasCoolerPoint {
  double duty = 0, refrigerant_T = 0, water_T = 0;
};

struct TranscriticalResult {
  std::string refrigerant;
  double high_pressure = 0;      // bar
  bool optimal = false;          // the pressure was searched
  bool optimum_at_edge = false;  // the search's best lies at one of its bounds
  double search_low = 0, search_high = 0;  // bar, the bounds searched (when optimal)
  // When optimal: the highest COP of the search, the pressure it lies at
  // (bar) and the gas cooler's pinch there (K). Where that pinch is below
  // the minimum approach (negative: the water cannot even reach its outlet
  // temperature) `pinch_limited` is set: `high_pressure` is then the lowest
  // pressure above the best, to 0.01 bar, whose pinch is at least the
  // minimum approach (the COP falls above the best, so no pressure with
  // that approach has a higher COP).
  double best_cop_pressure = 0;
  double best_cop = 0;
  double best_cop_pinch = 0;
  bool pinch_limited = false;
  double min_approach = 0;  // K, as given
  // 1, 2s, 2, 3, 4
  DiagramState suction, isentropic_discharge, discharge, gas_cooler_outlet, evaporator_inlet;
  double evaporating_pressure = 0;  // bar
  double cop = 0;                   // heating COP
  double mass_flow = 0;             // kg/s refrigerant
  double heating_capacity = 0, compressor_power = 0, evaporator_duty = 0;  // kW
  double water_flow = 0;            // kg/s
  double vhc = 0;                   // kJ/m3, (h2 - h3) / v1
  double pinch = 0;                 // K, smallest refrigerant-minus-water difference
  double pinch_at = 0;              // fraction of the gas cooler's duty from its refrigerant inlet
  std::vector<GasCoolerPoint> gas_cooler;  // inlet (2) to outlet (3), equal steps in enthalpy
};

// The figures, or the one message that ends the calculation (the first
// failing check, a failed property request, an evaporator that would take no
// heat, a pinch below zero, or for "optimal" no pressure up to the highest
// searched whose pinch is at least the minimum approach). "optimal"
// searches the pressures whose cycle can be computed and whose evaporator
// takes heat, and is refused only where none is. A given pressure whose
// pinch lies between zero and the minimum approach is computed: the cycle
// exists, with a larger gas cooler than the one asked for, and
// ApproachWarning says so.
using TranscriticalOutcome = std::variant<TranscriticalResult, std::string>;
TranscriticalOutcome CalcTranscriticalCycle(const TranscriticalInput& input,
                                            LibraryText library_text = LibraryText::omitted);

// What the pages, the command line and the reports say of a pinch below the
// minimum approach at a given pressure; nothing where the pinch keeps it.
std::optional<std::string> ApproachWarning(const TranscriticalResult& result);

// What they say of the high-side pressure: given, the searched optimum
// with the range searched (or at its edge), or the lowest pressure with
// the minimum approach above the best COP's, which would leave the water
// short or the approach too small.
std::string HighPressureNote(const TranscriticalResult& result);

// The diagram of a computed cycle, as for the basic cycle: `condenser` holds
// the high-side isobar from 2 to 3 and `transcritical` is set.
std::variant<CycleDiagram, std::string> TranscriticalCycleDiagram(
    const TranscriticalInput& input, DiagramKind kind, LibraryText library_text = LibraryText::omitted);

}  // namespace cycle
