// The data of a cycle diagram: the saturation dome of the refrigerant, the
// computed cycle with its corners and processes, and a few labelled lines of
// constant temperature (pressure-enthalpy) or pressure (temperature-entropy).
// Every state comes from the property layer; the corners are the states of
// the calculation itself.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cycle/basic_cycle.h"
#include "cycle/comparison.h"

namespace cycle {

enum class DiagramKind {
  PressureEnthalpy,    // log p (bar) against h (kJ/kg)
  TemperatureEntropy,  // T (degrees C) against s (kJ/kg-K)
};

// "ph" or "ts"; nothing for any other text.
std::optional<DiagramKind> DiagramKindNamed(std::string_view name);

// A state in the units of the forms.
struct DiagramState {
  double T = 0;  // degrees C
  double p = 0;  // bar
  double h = 0;  // kJ/kg
  double s = 0;  // kJ/kg-K
};

// The corners of the cycle, named as in the diagrams: 1, 2s (2' on the
// picture), 2, 3, 4.
struct CycleCorners {
  DiagramState suction;               // 1
  DiagramState isentropic_discharge;  // 2s: where an ideal compressor would end
  DiagramState discharge;             // 2
  DiagramState condenser_outlet;      // 3
  DiagramState evaporator_inlet;      // 4
};

// A line of constant temperature (degrees C) or pressure (bar).
struct Isoline {
  double value = 0;
  std::vector<DiagramState> states;  // from the liquid to the vapour side
  // Where the line leaves the dome on its vapour side: the index of its
  // saturated vapour state; nothing where it does not cross the dome.
  std::optional<std::size_t> saturated_vapour;
};

// A state of a layout with its number on the layout's schematic ("1'", "8s").
struct NamedState {
  std::string name;
  DiagramState state;
};

// The two ends of an isentropic compression: its suction and where an ideal
// compressor would end it.
struct IdealStroke {
  DiagramState suction, end;
};

struct CycleDiagram {
  std::string refrigerant;
  DiagramKind kind = DiagramKind::PressureEnthalpy;
  // The conditions the cycle was computed at, in words for the diagram's
  // title: "hot water 50 °C (evaporating 45 °C), condensing 90 °C, ...",
  // each condition after a comma.
  std::string conditions;
  // Saturated liquid and saturated vapour from the lower temperature limit up
  // to the critical point; the two differ in temperature for a blend.
  std::vector<DiagramState> bubble, dew;
  DiagramState critical;
  CycleCorners corners;
  // The processes, each from its first corner to its last, ends included.
  std::vector<DiagramState> condenser;   // 2 to 3 along the condensing pressure
  std::vector<DiagramState> expansion;   // 3 to 4 at the enthalpy of 3
  std::vector<DiagramState> evaporator;  // 4 to 1 along the evaporating pressure
  // Where condensation ends and evaporation ends: the spans of subcooling
  // (to 3) and superheat (to 1) start here.
  DiagramState condensing_bubble;
  DiagramState evaporating_dew;
  // Isotherms on a pressure-enthalpy diagram, the condensing and
  // evaporating isobars on a temperature-entropy diagram.
  std::vector<Isoline> isolines;
  // The high side lies above the critical pressure: `condenser` is the gas
  // cooler's isobar, with no condensation and no subcooling span.
  bool transcritical = false;

  // A cycle layout (layouts.h) beyond the corners, which then hold its
  // suction (1, or 1' in two stages), 2s, 2, 3' and 4. Empty elsewhere.
  // Every state of the layout, named as its schematic numbers it.
  std::vector<NamedState> states;
  // Two stages: from the suction through the low stage's discharge, along
  // the intermediate pressure where the injected vapour mixes in, to the
  // discharge (1', 8, 9, 2). Empty: one stroke, drawn straight from 1 to 2.
  std::vector<DiagramState> compression;
  // The isentropic compressions (1'-8s and 9-2s); empty: 1 to 2s.
  std::vector<IdealStroke> ideal_strokes;
  // The injected vapour's way from the liquid line to where it mixes in:
  // through its valve and the economizer (3', 6, 7, 9), or from the flash
  // tank (6, 7, 9). Empty without injection.
  std::vector<DiagramState> injection;
  // `expansion` runs from 3' (from 3 or 5 where the liquid is cooled at Pc),
  // through the flash tank (6 to 5) where there is one, to 4.
};

// The diagram of a basic calculation: the calculation's own checks and
// messages first, then the diagram. A failed property request's message is
// in the forms' terms, followed by the library's own text where asked for.
std::variant<CycleDiagram, std::string> BasicCycleDiagram(
    const BasicCycleInput& input, DiagramKind kind, LibraryText library_text = LibraryText::omitted);

// The diagram of one refrigerant of a comparison at its conditions (those a
// completed comparison holds in ComparisonResults::Conditions).
std::variant<CycleDiagram, std::string> ComparisonDiagram(
    const std::string& refrigerant, const ComparisonConditions& conditions, DiagramKind kind,
    LibraryText library_text = LibraryText::omitted);

// The diagrams of a comparison: its checks and messages, then one diagram
// per refrigerant in the order of the names.
std::variant<std::vector<CycleDiagram>, std::string> ComparisonDiagrams(
    const ComparisonFields& fields, DiagramKind kind, LibraryText library_text = LibraryText::omitted);

// One plotted state as a row of a table: the series it belongs to
// ("bubble", "dew", "critical", "cycle", "injection", "isotherm",
// "isobar") and, for the corners of the cycle, the corner ("1", "2s", "2",
// "3", "4"; empty otherwise). The cycle runs 1, 2s, 2, along the condenser
// to 3, through the valve to 4, along the evaporator back towards 1. A
// layout's cycle lists its named states first, then the states between
// them along the condenser, the valves, the evaporator and the two stages;
// its injection line follows as "injection".
struct DiagramRow {
  std::string_view series;
  std::string_view point;
  DiagramState state;
};
std::vector<DiagramRow> DiagramRows(const CycleDiagram& diagram);

// The state at a place of the diagram (pressure and enthalpy, or temperature
// and entropy, in the diagram's units), with the molar vapour quality inside
// the dome; nothing where the property layer gives no state.
struct StateReading {
  DiagramState state;
  std::optional<double> quality;
};
std::optional<StateReading> ReadState(const std::string& refrigerant, DiagramKind kind, double x,
                                      double y);

}  // namespace cycle
