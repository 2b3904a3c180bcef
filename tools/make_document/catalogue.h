// Everything the document shows, gathered once: each pure fluid's facts and
// figures, and each blend's figures with what follows from its components.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "catalogue/fluid_facts.h"
#include "fluid_figures.h"

namespace document {

using catalogue::MixingPair;
using catalogue::PureFluidFacts;

struct PureFluidEntry {
  PureFluidFacts facts;
  Figures figures;
};

struct BlendPart {
  std::string fluid;
  double mole_fraction = 0;
  std::optional<double> mass_fraction;  // known when every component's molar mass is
  // The component's own figures, copied from its pure-fluid entry.
  std::optional<std::string> safety_class;
  std::optional<double> gwp100;
  std::optional<double> odp;
};

// Two components of a blend and what the mixture model knows of them.
struct BlendPair {
  std::string fluid1, fluid2;
  std::optional<MixingPair> parameters;  // none: estimated for want of published ones
};

struct BlendEntry {
  std::string name;  // the mixture file's name without ".mix"
  Figures figures;
  std::vector<BlendPart> parts;
  std::vector<BlendPair> pairs;  // every pair of parts, in their order
  // Mass-weighted over the components; known only when known for every one.
  std::optional<double> gwp100;
  std::optional<double> odp;
};

struct Catalogue {
  std::vector<PureFluidEntry> fluids;  // by file name
  std::vector<BlendEntry> blends;      // by file name
};

// The blend's parts and mass-weighted figures from its loaded components and
// the pure fluids' entries, and its pairs' mixing parameters: found by the
// components' CAS numbers, or by name where a component has none, in either
// order, as the property library finds them.
BlendEntry MakeBlendEntry(std::string name, Figures figures,
                          const std::vector<PureFluidEntry>& fluids,
                          const std::vector<MixingPair>& mixing_pairs);

// Asks the property layer for the figures of every fluid and every blend.
Catalogue BuildCatalogue(const std::vector<PureFluidFacts>& fluids,
                         const std::vector<std::string>& mixture_files,
                         const std::vector<MixingPair>& mixing_pairs);

}  // namespace document
