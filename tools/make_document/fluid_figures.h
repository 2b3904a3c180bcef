// The thermodynamic figures of one fluid or blend, asked of the property
// layer exactly as the program asks for them (property functions in "mks"),
// and its cycle at one set of operating conditions through the comparison's
// own evaluation. A figure the layer cannot give stays empty and the reason
// is kept; nothing here stops on one fluid's failure.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cycle/comparison.h"

namespace document {

// Standard atmospheric pressure, kPa: the pressure of the normal boiling point.
inline constexpr double kStandardPressure = 101.325;

// The comparison form's default conditions: an engineer who presses
// Calculate there without changing anything gets these cycles.
cycle::ComparisonConditions ReferenceConditions();

struct Component {
  std::string fluid;  // fluid file name without ".fld"
  double mole_fraction = 0;
};

// A figure the property layer could not give, and the library's reason.
struct MissingFigure {
  std::string figure;  // "critical temperature"
  std::string reason;
};

struct Figures {
  std::optional<double> molar_mass;            // g/mol
  std::optional<double> critical_temperature;  // degrees C
  std::optional<double> critical_pressure;     // bar
  // Saturation at standard atmospheric pressure, degrees C: the bubble point
  // (saturated liquid) and the dew point (saturated vapour); equal for a pure
  // fluid.
  std::optional<double> bubble_point;
  std::optional<double> dew_point;
  // At ReferenceConditions(); only when the critical temperature lies above
  // their condensing temperature, as the comparison form demands.
  std::optional<cycle::CycleFigures> reference_cycle;
  // The components of a blend as the property layer loaded them; empty for
  // a pure fluid.
  std::vector<Component> components;
  std::vector<MissingFigure> failures;
};

// Why the property library cannot serve the document: it cannot be loaded, or
// it lacks an entry point the property layer calls. Binds `file` first when
// given, else the library beside the running program.
std::optional<std::string> LibraryFault(const std::optional<std::string>& file);

// fluid: a name the property layer loads ("R134a", "R404A.mix").
Figures ComputeFigures(const std::string& fluid);

// The component fluids of a loaded fluid list ("fluids\R32.fld|fluids\R125.fld|")
// without folder and extension.
std::vector<std::string> ComponentFluids(std::string_view file_list);

}  // namespace document
