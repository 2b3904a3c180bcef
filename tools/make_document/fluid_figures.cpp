#include "fluid_figures.h"

#include <cmath>
#include <variant>

#include "property/binding.h"
#include "property/fluid_setup.h"
#include "property/layer_state.h"
#include "property/property_functions.h"

namespace document {

namespace {

constexpr double kKelvinOffset = 273.15;
constexpr double kKiloPascalPerBar = 100;

// The number of a property result, or nothing with the reason noted.
std::optional<double> NumberOf(const property::PropertyResult& result, std::string_view what,
                               std::vector<MissingFigure>& failures) {
  if (const double* value = std::get_if<double>(&result);
      value != nullptr && std::isfinite(*value)) {
    return *value;
  }
  std::string reason = "no value";
  if (const auto* text = std::get_if<std::string>(&result)) {
    reason = *text;
    reason.erase(reason.find_last_not_of(' ') + 1);
  }
  failures.push_back({std::string(what), reason});
  return std::nullopt;
}

std::optional<double> Celsius(std::optional<double> kelvin) {
  if (!kelvin || *kelvin <= 0) return std::nullopt;
  return *kelvin - kKelvinOffset;
}

// The molar mass of the fluid loaded last, from the library's own routine.
std::optional<double> LoadedMolarMass(std::vector<MissingFigure>& failures) {
  std::string why;
  const auto wmol = property::FindEntry(&property::EntryPoints::WMOLdll, why);
  double molar_mass = 0;
  if (wmol != nullptr) wmol(property::Layer().Composition.data(), &molar_mass);
  if (wmol != nullptr && std::isfinite(molar_mass) && molar_mass > 0) return molar_mass;
  failures.push_back({"molar mass", why.empty() ? std::string("no value") : why});
  return std::nullopt;
}

std::vector<Component> LoadedComponents() {
  const auto& setup = property::SetupState();
  if (setup.ComponentCount < 2) return {};
  const auto fluids = ComponentFluids(setup.FluidFileList.Trimmed());
  std::vector<Component> components;
  for (int i = 1; i <= setup.ComponentCount && i <= static_cast<int>(fluids.size()); ++i) {
    components.push_back(
        {fluids[static_cast<std::size_t>(i - 1)], property::Layer().Composition.at(i)});
  }
  return components;
}

}  // namespace

std::vector<std::string> ComponentFluids(std::string_view file_list) {
  std::vector<std::string> fluids;
  while (!file_list.empty()) {
    const auto bar = file_list.find('|');
    std::string_view file = file_list.substr(0, bar);
    file_list = bar == std::string_view::npos ? std::string_view{} : file_list.substr(bar + 1);
    if (const auto folder = file.find_last_of("\\/"); folder != std::string_view::npos) {
      file.remove_prefix(folder + 1);
    }
    if (file.size() > 4 && file.substr(file.size() - 4) == ".fld") file.remove_suffix(4);
    if (!file.empty()) fluids.emplace_back(file);
  }
  return fluids;
}

std::optional<std::string> LibraryFault(const std::optional<std::string>& file) {
  if (file) property::BindLibrary(*file);
  const property::BoundLibrary& library = property::Library();
  if (!library.failure.empty()) return library.failure;
  std::optional<std::string> fault;
  property::EntryPoints entries = library.entries;
  entries.ForEach([&](const auto& entry) {
    if (entry.call == nullptr && !fault) fault = property::MissingEntryReason(library, entry.name);
  });
  return fault;
}

cycle::ComparisonConditions ReferenceConditions() {
  return cycle::ReadConditions(cycle::WithDefaults(cycle::kComparisonDefaults));
}

Figures ComputeFigures(const std::string& fluid) {
  Figures f;
  f.critical_temperature = Celsius(
      NumberOf(property::CriticalPoint(fluid, "T", "mks"), "critical temperature", f.failures));
  if (property::SetupState().LastFluid == fluid) {
    f.molar_mass = LoadedMolarMass(f.failures);
    f.components = LoadedComponents();
  }
  if (const auto pc =
          NumberOf(property::CriticalPoint(fluid, "P", "mks"), "critical pressure", f.failures)) {
    f.critical_pressure = *pc / kKiloPascalPerBar;
  }
  f.bubble_point = Celsius(NumberOf(property::Temperature(fluid, "PLIQ", "mks", kStandardPressure),
                                    "bubble point at 101.325 kPa", f.failures));
  f.dew_point = Celsius(NumberOf(property::Temperature(fluid, "PVAP", "mks", kStandardPressure),
                                 "dew point at 101.325 kPa", f.failures));
  const cycle::ComparisonConditions reference = ReferenceConditions();
  if (f.critical_temperature && reference.TemperatureCondensing < *f.critical_temperature) {
    auto outcome = cycle::Cal(fluid, reference);
    if (auto* figures = std::get_if<cycle::CycleFigures>(&outcome)) {
      f.reference_cycle = *figures;
    } else {
      f.failures.push_back({"reference cycle", std::get<std::string>(outcome)});
    }
  }
  return f;
}

}  // namespace document
