#include "catalogue.h"

#include <algorithm>

#include "catalogue/blend_facts.h"

namespace document {

namespace {

using catalogue::SameName;

// The fluid file names of a blend match without regard to case, as the
// property library matches them.
const PureFluidEntry* FindFluid(const std::vector<PureFluidEntry>& fluids, std::string_view name) {
  const auto found = std::find_if(fluids.begin(), fluids.end(), [&](const PureFluidEntry& entry) {
    return SameName(entry.facts.file_stem, name);
  });
  return found == fluids.end() ? nullptr : &*found;
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
  std::vector<double> mole_fractions;
  std::vector<std::optional<double>> molar_masses, gwp100, odp;
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
    mole_fractions.push_back(part.mole_fraction);
    gwp100.push_back(part.gwp100);
    odp.push_back(part.odp);
    blend.parts.push_back(std::move(part));
  }
  blend.pairs = PairsOf(identities, mixing_pairs);
  const auto mass_fractions = catalogue::MassFractions(mole_fractions, molar_masses);
  if (!mass_fractions) return blend;
  for (std::size_t i = 0; i < blend.parts.size(); ++i) {
    blend.parts[i].mass_fraction = (*mass_fractions)[i];
  }
  blend.gwp100 = catalogue::MassWeighted(*mass_fractions, gwp100);
  blend.odp = catalogue::MassWeighted(*mass_fractions, odp);
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
