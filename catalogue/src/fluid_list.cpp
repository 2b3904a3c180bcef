#include "catalogue/fluid_list.h"

#include "catalogue/library_files.h"

namespace catalogue {

namespace {

std::optional<double> Celsius(const std::optional<double>& kelvin) {
  constexpr double kKelvinOffset = 273.15;
  if (!kelvin) return std::nullopt;
  return *kelvin - kKelvinOffset;
}

}  // namespace

FluidList ListFluids() {
  LibraryFiles files = ReadLibraryFiles();
  FluidList list;
  list.skipped = std::move(files.skipped);
  for (const PureFluidFacts& fluid : files.fluids) {
    std::vector<std::string> names = NamesOf(fluid);  // the file's name first
    names.erase(names.begin());
    list.fluids.push_back({fluid.file_stem, false, std::move(names),
                           Celsius(fluid.critical_temperature), fluid.safety_class, fluid.gwp100});
  }
  for (const BlendFacts& blend : files.blends) {
    list.fluids.push_back({blend.name, true, {}, Celsius(blend.critical_temperature),
                           blend.safety_class, blend.gwp100});
  }
  return list;
}

}  // namespace catalogue
