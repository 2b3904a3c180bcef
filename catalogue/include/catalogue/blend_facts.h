// What the mixture files and the fluid files together say about each blend:
// its components, its composition by mass, and the figures that follow from
// its components' (GWP and ODP weighted by mass), with the safety class
// published for its designation.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/fluid_facts.h"

namespace catalogue {

struct BlendComponent {
  std::string fluid;  // the fluid file's name without ".fld"
  double mole_fraction = 0;
};

// What a mixture file states: two free lines, the count, one fluid file per
// line, then the fractions; after them, which the property library does not
// read, the shipped files state the blend's critical temperature as the
// library computes it ("critical temperature 359.345 K"), so that it can be
// listed without setting the blend up.
struct MixtureFile {
  std::vector<BlendComponent> components;
  std::optional<double> critical_temperature;  // K; nothing where the file states none
};

// Throws std::runtime_error when the text is not a mixture file.
MixtureFile ParseMixtureFile(const std::string& text);

// The components of the blend a name stands for ("R407C", "r407c.MIX"), from
// its mixture file where the property library finds it (mixtures/ under the
// working directory, else beside the program; the name without regard to
// case); nothing where there is none or it is no mixture file.
std::optional<std::vector<BlendComponent>> BlendComponentsOf(std::string_view name);

// Mass fractions from mole fractions and molar masses; nothing unless every
// molar mass is known and the total mass is positive.
std::optional<std::vector<double>> MassFractions(
    const std::vector<double>& mole_fractions, const std::vector<std::optional<double>>& molar_masses);

// sum w_i f_i over the mass fractions w; unknown when one figure is.
std::optional<double> MassWeighted(const std::vector<double>& mass_fractions,
                                   const std::vector<std::optional<double>>& figures);

// The safety class ASHRAE 34 assigns to a blend designation ("R410A" is A1),
// as the table of published facts gives it; nothing for one not listed.
std::optional<std::string> PublishedSafetyClass(std::string_view blend);

struct BlendFacts {
  std::string name;  // the mixture file's name without ".mix"
  std::vector<BlendComponent> components;
  std::optional<std::vector<double>> mass_fractions;  // as MassFractions gives them
  std::optional<std::string> safety_class;            // PublishedSafetyClass
  std::optional<double> gwp100;                       // MassWeighted
  std::optional<double> odp;
  std::optional<double> critical_temperature;  // K, as its file states it; not MakeBlendFacts
};

// The blend's facts from its components and the pure fluids' facts (matched
// by file name without regard to case).
BlendFacts MakeBlendFacts(std::string name, std::vector<BlendComponent> components,
                          const std::vector<PureFluidFacts>& fluids);

// Every *.mix of the folder, sorted by file name without regard to case. A
// file that cannot be read or parsed is left out and named in `skipped`.
struct BlendFileList {
  std::vector<BlendFacts> blends;
  std::vector<std::string> skipped;
};
BlendFileList ReadBlendFiles(const std::filesystem::path& mixtures_dir,
                             const std::vector<PureFluidFacts>& fluids);

}  // namespace catalogue
