// Cycle layouts for high lifts: the single-stage cycle of the comparison,
// the same with an internal (suction-line) heat exchanger, two-stage
// compression with vapour injected from an economizer or from a flash tank.
// Each layout is a sequence of numbered states built from property requests
// with the comparison's conventions (Pe the dew pressure at Te, Pc the
// bubble pressure at the condensing temperature, isenthalpic throttling,
// the isentropic efficiency on each stage, no pressure drops), with the
// second-law losses of every component and whether a compression ends wet.
//
// The states are numbered as on the layouts' schematics:
//   1'  evaporator outlet                 5   liquid to the evaporator's valve
//   1   compressor suction (IHX)              (economizer: subcooled; flash
//   2s  where an ideal compressor ends        tank: its saturated liquid)
//   2   discharge                         6   after the injection branch's valve
//   3'  condenser outlet                      (flash tank: its inlet)
//   3   liquid leaving the IHX            7   injected vapour
//   4   evaporator inlet                  8s, 8  low-stage discharge, ideal and real
//                                         9   high-stage suction (8 mixed with 7)
// The basic layout's states are the comparison's 1, 2s, 2, 3 and 4.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cycle/comparison.h"
#include "cycle/diagram.h"
#include "cycle/field_defaults.h"
#include "cycle/library_text_option.h"

namespace cycle {

enum class Layout { basic, ihx, economizer, flash_tank };

inline constexpr Layout kLayouts[] = {Layout::basic, Layout::ihx, Layout::economizer,
                                      Layout::flash_tank};

// "basic", "ihx", "economizer", "flash-tank"; and the layout a name stands for.
std::string_view LayoutName(Layout layout);
std::optional<Layout> LayoutNamed(std::string_view name);
// As a page heads it: "Basic cycle", "Internal heat exchanger",
// "Economizer with vapour injection", "Flash tank with vapour injection".
std::string_view LayoutTitle(Layout layout);
// Whether the layout compresses in two stages with vapour injected between.
bool IsTwoStage(Layout layout);

struct LayoutInput;
// The layout form's text of the field at start, from kLayoutDefaults.
inline std::string LayoutDefault(std::string LayoutInput::*field);

// As typed on the form or the command line: the calculation reads the
// numbers itself and refuses a text that is none, naming its field. Each
// field starts at the form's default.
struct LayoutInput {
  std::string Refrigerant = LayoutDefault(&LayoutInput::Refrigerant);
  // heat capacity of the evaporator, kW
  std::string Capacity = LayoutDefault(&LayoutInput::Capacity);
  std::string Evaporating = LayoutDefault(&LayoutInput::Evaporating);    // Te, degrees C
  std::string Condensing = LayoutDefault(&LayoutInput::Condensing);      // degrees C
  std::string Subcooling = LayoutDefault(&LayoutInput::Subcooling);      // K
  std::string Superheating = LayoutDefault(&LayoutInput::Superheating);  // K, evaporator outlet
  std::string Safety = LayoutDefault(&LayoutInput::Safety);              // safety factor, percent
  std::string Efficiency = LayoutDefault(&LayoutInput::Efficiency);  // isentropic, %, each stage
  std::string IhxEffectiveness = LayoutDefault(&LayoutInput::IhxEffectiveness);  // percent
  // "mean" (the geometric mean of Pe and Pc), "optimal" (the highest
  // heating COP, to 0.01 bar), or bar; without regard to case.
  std::string Intermediate = LayoutDefault(&LayoutInput::Intermediate);
  // K; 0: saturated vapour
  std::string InjectionSuperheat = LayoutDefault(&LayoutInput::InjectionSuperheat);
  std::string Approach = LayoutDefault(&LayoutInput::Approach);  // K, economizer
  // Degrees C; blank: Te + 5 and the condensing temperature - 5.
  std::string Source = LayoutDefault(&LayoutInput::Source);
  std::string Sink = LayoutDefault(&LayoutInput::Sink);
};

// The layout form's fields at start, in the order of the command line's
// help: the comparison's conditions, then the layouts' own.
inline constexpr auto kLayoutDefaults = std::to_array<FieldDefault<LayoutInput>>({
    {"refrigerant", "R134a", "refrigerant", &LayoutInput::Refrigerant},
    SameAs(kComparisonDefaults, "capacity", &LayoutInput::Capacity),
    SameAs(kComparisonDefaults, "evaporating", &LayoutInput::Evaporating),
    SameAs(kComparisonDefaults, "condensing", &LayoutInput::Condensing),
    SameAs(kComparisonDefaults, "subcooling", &LayoutInput::Subcooling),
    SameAs(kComparisonDefaults, "superheating", &LayoutInput::Superheating),
    SameAs(kComparisonDefaults, "safety", &LayoutInput::Safety),
    SameAs(kComparisonDefaults, "efficiency", &LayoutInput::Efficiency),
    {"ihx-effectiveness", "50", "effectiveness of the internal heat exchanger, %",
     &LayoutInput::IhxEffectiveness},
    {"intermediate", "mean",
     "intermediate pressure: mean (the root of Pe x Pc), optimal (the best heating COP, to "
     "0.01 bar) or bar",
     &LayoutInput::Intermediate, "mean|optimal|BAR"},
    {"injection-superheat", "5", "superheat of the injected vapour, K (0: saturated)",
     &LayoutInput::InjectionSuperheat},
    {"approach", "5", "the economizer's approach, K", &LayoutInput::Approach},
    {"source", "",
     "heat source, 'C: the dead state of the exergy destroyed (blank: evaporating + 5)",
     &LayoutInput::Source, "C"},
    {"sink", "", "heat sink, 'C: where the heat is delivered (blank: condensing - 5)",
     &LayoutInput::Sink, "C"},
});

inline std::string LayoutDefault(std::string LayoutInput::*field) {
  return std::string(DefaultText(kLayoutDefaults, field));
}

// A state of the layout in the forms' units, with the mass that passes it
// per kg of evaporator flow, and its molar vapour quality inside the dome.
struct LayoutState {
  std::string name;  // "1'", "8s" ...
  DiagramState state;
  double mass = 0;
  std::optional<double> quality;
};

// Where exergy is destroyed; the economizer's place holds the flash tank's.
enum class Component { compressor, condenser, valve, evaporator, ihx, economizer, mixing };

inline constexpr Component kComponents[] = {
    Component::compressor, Component::condenser,  Component::valve, Component::evaporator,
    Component::ihx,        Component::economizer, Component::mixing};

// "Compressor", "Condenser", "Valves", "Evaporator", "Internal heat
// exchanger", "Economizer" ("Flash tank" in that layout), "Mixing".
std::string_view ComponentLabel(Component component, Layout layout);
// The components the layout has, in the order of kComponents.
std::vector<Component> ComponentsOf(Layout layout);

struct LayoutResult {
  std::string refrigerant;
  Layout layout = Layout::basic;
  std::vector<LayoutState> states;  // in the order of their numbers

  double cop = 0;               // heating
  double vhc = 0;               // kJ/m3: heating per m3 of vapour at the (low-stage) suction
  double heating_capacity = 0;  // kW
  double compressor_power = 0;  // kW, both stages
  double evaporator_duty = 0;   // kW
  double mass_flow = 0;         // kg/s through the evaporator
  double injection_ratio = 0;   // kg injected per kg of evaporator flow
  std::optional<double> intermediate_pressure;  // bar; none in one stage
  bool intermediate_searched = false;           // "optimal": the pressure of the best COP
  double evaporating_pressure = 0, condensing_pressure = 0;  // bar
  double pressure_ratio = 0;                                 // Pc / Pe
  double suction_temperature = 0;    // degrees C, at the (low-stage) suction
  double discharge_temperature = 0;  // degrees C, state 2
  // Set where the actual discharge lies inside the dome: its molar vapour
  // quality. Its temperature is then a saturation temperature, not that of
  // a superheated vapour.
  std::optional<double> discharge_quality;

  // Some isentropic compression of the layout ends inside the dome.
  bool wet_compression = false;
  // The superheat at Pe (K) at which an isentropic compression from Pe to
  // Pc ends on the dew line; 0 where none is needed.
  double min_superheat = 0;

  // The second law: the dead state at the heat source's temperature, the
  // heat delivered at the sink's (degrees C as used, given or defaults).
  double source_temperature = 0, sink_temperature = 0;
  std::array<double, std::size(kComponents)> losses{};  // kW, by Component
  double delivered_exergy = 0;                          // kW, heating capacity x (1 - T0/Tk)
  double exergy_efficiency = 0;                         // delivered exergy / compressor power

  double Loss(Component component) const { return losses[static_cast<std::size_t>(component)]; }
  // The state of that name; nullptr where the layout has none.
  const LayoutState* State(std::string_view name) const;
};

// Why a layout was refused: the message as a form shows it, and the reason
// without the refrigerant's name in front, for a table that names it.
struct LayoutRefusal {
  std::string message;
  std::string reason;
};

// One refrigerant in one layout: the result, or why there is none.
struct LayoutOutcome {
  std::string refrigerant;
  Layout layout = Layout::basic;
  std::variant<LayoutResult, LayoutRefusal> outcome;

  const LayoutResult* result() const { return std::get_if<LayoutResult>(&outcome); }
  const LayoutRefusal* refusal() const { return std::get_if<LayoutRefusal>(&outcome); }
};

// The checks first, in the order of the fields: each field read (a text
// that is no number refused), then the ranges of the comparison (except
// that Te may lie anywhere above the refrigerant's lower temperature limit
// and below the condensing temperature), the refrigerant's critical
// temperature, the intermediate pressure strictly between Pe and Pc, and a
// blend refused in the flash tank. A failed property request's message is in
// the forms' terms, naming the refrigerant and the state, followed by the
// library's own text where asked for.
LayoutOutcome CalcLayout(Layout layout, const LayoutInput& input,
                         LibraryText library_text = LibraryText::omitted);

// The four layouts for the same input, in the order of kLayouts.
std::vector<LayoutOutcome> CompareLayouts(const LayoutInput& input,
                                          LibraryText library_text = LibraryText::omitted);

// The verdict on wet compression in words, for a page or a listing: which
// compression ends wet and the superheat it needs, and a discharge inside
// the dome.
std::string WetCompressionVerdict(const LayoutResult& result);

// The diagram of a computed layout: every state, the processes between
// them, the two stages and the mixing, and the injection line; the dome and
// the isotherms (ph) or the cycle's isobars (ts) around it.
std::variant<CycleDiagram, std::string> LayoutDiagram(
    const LayoutResult& result, DiagramKind kind, LibraryText library_text = LibraryText::omitted);

}  // namespace cycle
