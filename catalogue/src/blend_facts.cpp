#include "catalogue/blend_facts.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <utility>

#include "catalogue/data_folders.h"
#include "catalogue/published_facts.h"
#include "datafiles/data_files.h"
#include "text.h"

namespace catalogue {

namespace {

std::string_view Trimmed(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// "R32.fld" -> "R32".
std::string FluidOf(std::string_view file) {
  if (const auto folder = file.find_last_of("\\/"); folder != std::string_view::npos) {
    file.remove_prefix(folder + 1);
  }
  if (file.size() > 4 && detail::Lower(file.substr(file.size() - 4)) == ".fld") {
    file.remove_suffix(4);
  }
  return std::string(file);
}

std::optional<double> FractionOf(std::string_view field) {
  double value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (error != std::errc() || end != field.data() + field.size() || !(value >= 0)) {
    return std::nullopt;
  }
  return value;
}

// "critical temperature 359.345 K" right after the fractions; nothing for
// anything else there.
std::optional<double> StatedCriticalTemperature(std::istream& fields) {
  std::string critical, temperature, number, unit;
  if (!(fields >> critical >> temperature >> number >> unit) || critical != "critical" ||
      temperature != "temperature" || unit != "K") {
    return std::nullopt;
  }
  const auto kelvin = FractionOf(number);
  if (!kelvin || !(*kelvin > 0)) return std::nullopt;
  return kelvin;
}

}  // namespace

MixtureFile ParseMixtureFile(const std::string& text) {
  std::istringstream in(text);
  std::string line;
  for (int number = 1; number <= 3; ++number) {
    if (!std::getline(in, line)) throw std::runtime_error("ends before the component count");
  }
  int count = 0;
  const std::string_view count_text = Trimmed(line);
  const auto [end, error] =
      std::from_chars(count_text.data(), count_text.data() + count_text.size(), count);
  if (error != std::errc() || end != count_text.data() + count_text.size() || count < 1) {
    throw std::runtime_error("no component count on line 3");
  }
  std::vector<BlendComponent> components;
  for (int i = 0; i < count; ++i) {
    if (!std::getline(in, line) || Trimmed(line).empty()) {
      throw std::runtime_error("a component's fluid file is missing");
    }
    components.push_back({FluidOf(Trimmed(line)), 0});
  }
  // The fractions are separated by commas, blanks or line ends.
  std::string rest(std::istreambuf_iterator<char>(in), {});
  std::replace(rest.begin(), rest.end(), ',', ' ');
  std::istringstream fields(rest);
  for (auto& component : components) {
    std::string field;
    if (!(fields >> field)) throw std::runtime_error("a component's fraction is missing");
    const auto fraction = FractionOf(field);
    if (!fraction) throw std::runtime_error("the fraction \"" + field + "\" is not a number");
    component.mole_fraction = *fraction;
  }
  return {std::move(components), StatedCriticalTemperature(fields)};
}

std::optional<std::vector<double>> MassFractions(
    const std::vector<double>& mole_fractions,
    const std::vector<std::optional<double>>& molar_masses) {
  double total = 0;
  for (std::size_t i = 0; i < mole_fractions.size(); ++i) {
    if (i >= molar_masses.size() || !molar_masses[i]) return std::nullopt;
    total += mole_fractions[i] * *molar_masses[i];
  }
  if (!(total > 0)) return std::nullopt;
  std::vector<double> mass;
  for (std::size_t i = 0; i < mole_fractions.size(); ++i) {
    mass.push_back(mole_fractions[i] * *molar_masses[i] / total);
  }
  return mass;
}

std::optional<double> MassWeighted(const std::vector<double>& mass_fractions,
                                   const std::vector<std::optional<double>>& figures) {
  double sum = 0;
  for (std::size_t i = 0; i < mass_fractions.size(); ++i) {
    if (i >= figures.size() || !figures[i]) return std::nullopt;
    sum += mass_fractions[i] * *figures[i];
  }
  return sum;
}

std::optional<std::string> PublishedSafetyClass(std::string_view blend) {
  const PublishedFacts* row = PublishedFactsOf(blend);
  if (row == nullptr || !row->safety_class) return std::nullopt;
  return std::string(row->safety_class->value);
}

BlendFacts MakeBlendFacts(std::string name, std::vector<BlendComponent> components,
                          const std::vector<PureFluidFacts>& fluids) {
  std::vector<double> mole_fractions;
  std::vector<std::optional<double>> molar_masses, gwp100, odp;
  for (const BlendComponent& component : components) {
    const PureFluidFacts* fluid = FindByFileName(fluids, component.fluid);
    mole_fractions.push_back(component.mole_fraction);
    molar_masses.push_back(fluid ? fluid->molar_mass : std::nullopt);
    gwp100.push_back(fluid ? fluid->gwp100 : std::nullopt);
    odp.push_back(fluid ? fluid->odp : std::nullopt);
  }
  BlendFacts blend;
  blend.safety_class = PublishedSafetyClass(name);
  blend.name = std::move(name);
  blend.components = std::move(components);
  blend.mass_fractions = MassFractions(mole_fractions, molar_masses);
  if (blend.mass_fractions) {
    blend.gwp100 = MassWeighted(*blend.mass_fractions, gwp100);
    blend.odp = MassWeighted(*blend.mass_fractions, odp);
  }
  return blend;
}

std::optional<std::vector<BlendComponent>> BlendComponentsOf(std::string_view name) {
  constexpr std::string_view kExtension = ".mix";
  std::string file(name);
  if (file.size() <= kExtension.size() ||
      !SameName(std::string_view(file).substr(file.size() - kExtension.size()), kExtension)) {
    file += kExtension;
  }
  for (const auto& folder : DataFolderCandidates("mixtures")) {
    if (const auto path = datafiles::FindIgnoringCase(folder, file)) {
      try {
        return ParseMixtureFile(detail::ReadText(*path)).components;
      } catch (const std::exception&) {
        return std::nullopt;
      }
    }
  }
  return std::nullopt;
}

BlendFileList ReadBlendFiles(const std::filesystem::path& mixtures_dir,
                             const std::vector<PureFluidFacts>& fluids) {
  BlendFileList list;
  for (const std::string& file : ListMixtureFiles(mixtures_dir)) {
    try {
      MixtureFile stated = ParseMixtureFile(detail::ReadText(mixtures_dir / file));
      BlendFacts facts = MakeBlendFacts(file.substr(0, file.find_last_of('.')),
                                        std::move(stated.components), fluids);
      facts.critical_temperature = stated.critical_temperature;
      list.blends.push_back(std::move(facts));
    } catch (const std::exception& failure) {
      list.skipped.push_back(file + ": " + failure.what());
    }
  }
  return list;
}

}  // namespace catalogue
