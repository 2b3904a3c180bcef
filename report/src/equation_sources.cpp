#include "report/equation_sources.h"

#include <sstream>

#include "catalogue/blend_facts.h"
#include "catalogue/fluid_facts.h"
#include "property/fluid_setup.h"

namespace report {

namespace {

std::string Line(const std::string& fluid) {
  const auto facts = catalogue::FluidFactsOf(fluid);
  if (!facts) return fluid + ": no fluid file of this name";
  std::string line = facts->name + ":";
  if (facts->equation_sources.empty()) return line + " no source given in its fluid file";
  for (std::size_t i = 0; i < facts->equation_sources.size(); ++i) {
    line += (i ? "; " : " ") + facts->equation_sources[i];
  }
  return line;
}

// "R32,0.7,R125,0.3": the names at the odd places.
std::vector<std::string> SpelledComponents(const std::string& mixture) {
  std::vector<std::string> names;
  std::stringstream parts(mixture);
  int place = 0;
  for (std::string part; std::getline(parts, part, ','); ++place) {
    if (place % 2 == 0) names.push_back(part);
  }
  return names;
}

}  // namespace

std::vector<std::string> EquationSources(const std::string& refrigerant) {
  std::vector<std::string> fluids{refrigerant};
  if (catalogue::SameName(refrigerant, "AIR")) {
    fluids = SpelledComponents(std::string(property::kAirComposition));
  } else if (refrigerant.find(',') != std::string::npos) {
    fluids = SpelledComponents(refrigerant);
  } else if (!catalogue::FluidFactsOf(refrigerant)) {
    if (const auto components = catalogue::BlendComponentsOf(refrigerant)) {
      fluids.clear();
      for (const auto& component : *components) fluids.push_back(component.fluid);
    }
  }
  std::vector<std::string> lines;
  for (const std::string& fluid : fluids) lines.push_back(Line(fluid));
  return lines;
}

}  // namespace report
