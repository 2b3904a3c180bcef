#include "catalogue/blend_facts.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <utility>

#include "catalogue/data_folders.h"
#include "datafiles/data_files.h"
#include "text.h"

namespace catalogue {

namespace {

// ASHRAE 34 safety classes of the designated blends that this program
// ships mixture files for; a designation whose class is not known here is
// left out rather than guessed.
constexpr std::pair<std::string_view, std::string_view> kPublishedClasses[] = {
    {"R400", "A1"},   {"R401A", "A1"},  {"R401B", "A1"},  {"R401C", "A1"},  {"R402A", "A1"},
    {"R402B", "A1"},  {"R403B", "A1"},  {"R404A", "A1"},  {"R406A", "A2"},  {"R407A", "A1"},
    {"R407B", "A1"},  {"R407C", "A1"},  {"R407D", "A1"},  {"R407E", "A1"},  {"R407F", "A1"},
    {"R407G", "A1"},  {"R407H", "A1"},  {"R407I", "A1"},  {"R408A", "A1"},  {"R409A", "A1"},
    {"R409B", "A1"},  {"R410A", "A1"},  {"R410B", "A1"},  {"R411A", "A2"},  {"R411B", "A2"},
    {"R413A", "A2"},  {"R414A", "A1"},  {"R414B", "A1"},  {"R415A", "A2"},  {"R415B", "A2"},
    {"R416A", "A1"},  {"R417A", "A1"},  {"R417B", "A1"},  {"R417C", "A1"},  {"R418A", "A2"},
    {"R419A", "A2"},  {"R419B", "A2"},  {"R420A", "A1"},  {"R421A", "A1"},  {"R421B", "A1"},
    {"R422A", "A1"},  {"R422B", "A1"},  {"R422C", "A1"},  {"R422D", "A1"},  {"R422E", "A1"},
    {"R423A", "A1"},  {"R424A", "A1"},  {"R425A", "A1"},  {"R426A", "A1"},  {"R427A", "A1"},
    {"R428A", "A1"},  {"R429A", "A3"},  {"R430A", "A3"},  {"R431A", "A3"},  {"R432A", "A3"},
    {"R433A", "A3"},  {"R433B", "A3"},  {"R433C", "A3"},  {"R434A", "A1"},  {"R435A", "A3"},
    {"R436A", "A3"},  {"R436B", "A3"},  {"R436C", "A3"},  {"R437A", "A1"},  {"R438A", "A1"},
    {"R439A", "A2"},  {"R440A", "A2"},  {"R441A", "A3"},  {"R442A", "A1"},  {"R443A", "A3"},
    {"R444A", "A2L"}, {"R445A", "A2L"}, {"R446A", "A2L"}, {"R447A", "A2L"}, {"R447B", "A2L"},
    {"R448A", "A1"},  {"R449B", "A1"},  {"R449C", "A1"},  {"R450A", "A1"},  {"R451A", "A2L"},
    {"R451B", "A2L"}, {"R452A", "A1"},  {"R452B", "A2L"}, {"R452C", "A1"},  {"R453A", "A1"},
    {"R454A", "A2L"}, {"R454B", "A2L"}, {"R454C", "A2L"}, {"R455A", "A2L"}, {"R456A", "A1"},
    {"R457A", "A2L"}, {"R458A", "A1"},  {"R459A", "A2L"}, {"R459B", "A2L"}, {"R460A", "A1"},
    {"R460B", "A1"},  {"R460C", "A1"},  {"R461A", "A1"},  {"R462A", "A2"},  {"R463A", "A1"},
    {"R464A", "A1"},  {"R465A", "A2"},  {"R466A", "A1"},  {"R467A", "A2L"}, {"R468A", "A2L"},
    {"R468B", "A2L"}, {"R468C", "A2L"}, {"R469A", "A1"},  {"R470A", "A1"},  {"R470B", "A1"},
    {"R471A", "A1"},  {"R472A", "A1"},  {"R473A", "A1"},  {"R474A", "A2L"}, {"R500", "A1"},
    {"R502", "A1"},   {"R507A", "A1"},  {"R513A", "A1"},
};

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

}  // namespace

std::vector<BlendComponent> ParseMixtureFile(const std::string& text) {
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
  return components;
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
  for (const auto& [name, safety_class] : kPublishedClasses) {
    if (SameName(name, blend)) return std::string(safety_class);
  }
  return std::nullopt;
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
        return ParseMixtureFile(detail::ReadText(*path));
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
      list.blends.push_back(MakeBlendFacts(file.substr(0, file.find_last_of('.')),
                                           ParseMixtureFile(detail::ReadText(mixtures_dir / file)),
                                           fluids));
    } catch (const std::exception& failure) {
      list.skipped.push_back(file + ": " + failure.what());
    }
  }
  return list;
}

}  // namespace catalogue
