#include "report/equation_sources.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "catalogue/blend_facts.h"
#include "catalogue/data_folders.h"
#include "catalogue/fluid_facts.h"

namespace report {

namespace {

constexpr std::string_view kMixtureExtension = ".mix";

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

bool EndsWithMix(std::string_view name) {
  return name.size() > kMixtureExtension.size() &&
         catalogue::SameName(name.substr(name.size() - kMixtureExtension.size()), kMixtureExtension);
}

// The components of the blend a name stands for ("R407C", "r407c.mix"),
// read from its mixture file as the property library finds it.
std::optional<std::vector<std::string>> BlendComponents(std::string_view name) {
  if (EndsWithMix(name)) name.remove_suffix(kMixtureExtension.size());
  const auto folder = catalogue::LocateDataFolder("mixtures");
  if (!folder) return std::nullopt;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(*folder, error)) {
    const std::string file = entry.path().filename().string();
    if (!EndsWithMix(file) ||
        !catalogue::SameName(std::string_view(file).substr(0, file.size() - 4), name)) {
      continue;
    }
    std::ifstream in(entry.path());
    std::stringstream text;
    text << in.rdbuf();
    try {
      std::vector<std::string> fluids;
      for (const auto& component : catalogue::ParseMixtureFile(text.str())) {
        fluids.push_back(component.fluid);
      }
      return fluids;
    } catch (const std::runtime_error&) {
      return std::nullopt;
    }
  }
  return std::nullopt;
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
    fluids = {"nitrogen", "argon", "oxygen"};
  } else if (refrigerant.find(',') != std::string::npos) {
    fluids = SpelledComponents(refrigerant);
  } else if (!catalogue::FluidFactsOf(refrigerant)) {
    if (auto components = BlendComponents(refrigerant)) fluids = std::move(*components);
  }
  std::vector<std::string> lines;
  for (const std::string& fluid : fluids) lines.push_back(Line(fluid));
  return lines;
}

}  // namespace report
