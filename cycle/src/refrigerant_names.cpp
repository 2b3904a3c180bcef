#include "cycle/refrigerant_names.h"

#include <algorithm>

#include "catalogue/library_files.h"
#include "cycle_points.h"
#include "property_requests.h"

namespace cycle {

namespace {

std::optional<double> CriticalTemperatureOf(const std::string& fluid) {
  const auto kelvin = detail::FiniteNumber(property::CriticalPoint(fluid, "T", "mks"));
  if (!kelvin) return std::nullopt;
  return *kelvin - detail::kKelvinOffset;
}

}  // namespace

std::vector<RefrigerantName> ListRefrigerantNames() {
  const catalogue::LibraryFiles files = catalogue::ReadLibraryFiles();
  std::vector<RefrigerantName> names;
  for (const auto& fluid : files.fluids) {
    // Every name of a fluid loads the same file: one critical point for all.
    const auto critical = CriticalTemperatureOf(fluid.file_stem);
    for (std::string& name : catalogue::NamesOf(fluid)) {
      names.push_back({std::move(name), critical, fluid.safety_class});
    }
  }
  for (const auto& blend : files.blends) {
    names.push_back({blend.name, CriticalTemperatureOf(blend.name), blend.safety_class});
  }
  // Names that differ only in case stay in the order they were found, so that
  // a name two files claim is the first file's (pure fluids before blends).
  std::stable_sort(names.begin(), names.end(), [](const auto& a, const auto& b) {
    return catalogue::LessIgnoringCase(a.name, b.name) && !catalogue::SameName(a.name, b.name);
  });
  const auto repeated = std::unique(names.begin(), names.end(), [](const auto& a, const auto& b) {
    return catalogue::SameName(a.name, b.name);
  });
  names.erase(repeated, names.end());
  return names;
}

}  // namespace cycle
