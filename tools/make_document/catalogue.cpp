#include "catalogue.h"

#include <algorithm>
#include <cctype>

namespace document {

namespace {

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// The fluid file names of a blend match without regard to case, as the
// property library matches them.
const PureFluidEntry* FindFluid(const std::vector<PureFluidEntry>& fluids, std::string_view name) {
  const auto found = std::find_if(fluids.begin(), fluids.end(), [&](const PureFluidEntry& entry) {
    return SameName(entry.facts.file_stem, name);
  });
  return found == fluids.end() ? nullptr : &*found;
}

std::optional<double> MassWeighted(const std::vector<BlendPart>& parts,
                                   std::optional<double> BlendPart::*figure) {
  double sum = 0;
  for (const BlendPart& part : parts) {
    if (!part.mass_fraction || !(part.*figure)) return std::nullopt;
    sum += *part.mass_fraction * *(part.*figure);
  }
  return sum;
}

// How the mixing-parameter file names a fluid: by CAS number, or by name
// where the fluid has none.
struct Identity {
  std::string cas;
  std::string name;
  std::string file_stem;

  bool Is(std::string_view pair_cas, std::string_view pair_name) const {
    if (!cas.empty() && !pair_cas.empty()) return cas == pair_cas;
    return SameName(name, pair_name) || SameName(file_stem, pair_name);
  }
};

std::optional<MixingPair> FindPair(const std::vector<MixingPair>& pairs, const Identity& a,
                                   const Identity& b) {
  for (const MixingPair& pair : pairs) {
    if ((a.Is(pair.cas1, pair.fluid1) && b.Is(pair.cas2, pair.fluid2)) ||
        (a.Is(pair.cas2, pair.fluid2) && b.Is(pair.cas1, pair.fluid1))) {
      return pair;
    }
  }
  return std::nullopt;
}

std::vector<BlendPair> PairsOf(const std::vector<Identity>& components,
                               const std::vector<MixingPair>& mixing_pairs) {
  std::vector<BlendPair> pairs;
  for (std::size_t i = 0; i < components.size(); ++i) {
    for (std::size_t j = i + 1; j < components.size(); ++j) {
      pairs.push_back({components[i].file_stem, components[j].file_stem,
                       FindPair(mixing_pairs, components[i], components[j])});
    }
  }
  return pairs;
}

}  // namespace

BlendEntry MakeBlendEntry(std::string name, Figures figures,
                          const std::vector<PureFluidEntry>& fluids,
                          const std::vector<MixingPair>& mixing_pairs) {
  BlendEntry blend{std::move(name), std::move(figures), {}, {}, std::nullopt, std::nullopt};
  std::vector<std::optional<double>> molar_masses;
  std::vector<Identity> identities;
  for (const Component& component : blend.figures.components) {
    BlendPart part{component.fluid, component.mole_fraction,
                   std::nullopt,    std::nullopt,
                   std::nullopt,    std::nullopt};
    molar_masses.emplace_back();
    identities.push_back({"", component.fluid, component.fluid});
    if (const PureFluidEntry* entry = FindFluid(fluids, component.fluid)) {
      part.safety_class = entry->facts.safety_class;
      part.gwp100 = entry->facts.gwp100;
      part.odp = entry->facts.odp;
      molar_masses.back() = entry->figures.molar_mass;
      identities.back() = {entry->facts.cas, entry->facts.name, entry->facts.file_stem};
    }
    blend.parts.push_back(std::move(part));
  }
  blend.pairs = PairsOf(identities, mixing_pairs);
  double total_mass = 0;
  for (std::size_t i = 0; i < blend.parts.size(); ++i) {
    if (!molar_masses[i]) return blend;  // no mass fractions, so no weighted figures
    total_mass += blend.parts[i].mole_fraction * *molar_masses[i];
  }
  if (!(total_mass > 0)) return blend;
  for (std::size_t i = 0; i < blend.parts.size(); ++i) {
    blend.parts[i].mass_fraction = blend.parts[i].mole_fraction * *molar_masses[i] / total_mass;
  }
  blend.gwp100 = MassWeighted(blend.parts, &BlendPart::gwp100);
  blend.odp = MassWeighted(blend.parts, &BlendPart::odp);
  return blend;
}

Catalogue BuildCatalogue(const std::vector<PureFluidFacts>& fluids,
                         const std::vector<std::string>& mixture_files,
                         const std::vector<MixingPair>& mixing_pairs) {
  Catalogue catalogue;
  catalogue.fluids.reserve(fluids.size());
  for (const PureFluidFacts& facts : fluids) {
    catalogue.fluids.push_back({facts, ComputeFigures(facts.file_stem)});
  }
  for (const std::string& file : mixture_files) {
    std::string name = file.substr(0, file.find_last_of('.'));
    catalogue.blends.push_back(
        MakeBlendEntry(std::move(name), ComputeFigures(file), catalogue.fluids, mixing_pairs));
  }
  return catalogue;
}

}  // namespace document
