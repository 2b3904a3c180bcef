// What the fluid files say about each fluid beyond its equation of state:
// names, identity, safety and environmental figures, and the literature the
// equation comes from. The thermodynamic figures are not read here: they come
// through the property layer (fluid_figures.h).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace document {

struct PureFluidFacts {
  std::string file_stem;  // the fluid name handed to the property layer
  std::string name;
  std::vector<std::string> aliases;
  std::string cas;
  std::string formula;  // as written in the file: "C_{2}F_{4}H_{2}"
  std::optional<std::string> safety_class;
  std::optional<double> gwp100;
  std::optional<double> odp;
  std::vector<std::string> equation_sources;  // plain text, one per publication
};

// Every fluids/*.fld of the folder, sorted by file name without regard to
// case. A file that cannot be read or parsed is left out and named in
// `skipped` with the reason.
struct FluidFileList {
  std::vector<PureFluidFacts> fluids;
  std::vector<std::string> skipped;
};
FluidFileList ReadFluidFiles(const std::filesystem::path& fluids_dir);

// The facts of one fluid file's text; throws std::runtime_error when the
// text is not a fluid file.
PureFluidFacts ParseFluidFile(const std::string& file_stem, const std::string& text);

// The blends of the folder: the names of its *.mix files, sorted without
// regard to case ("R404A.mix"). An absent folder holds none.
std::vector<std::string> ListMixtureFiles(const std::filesystem::path& mixtures_dir);

// One binary pair of the mixing-parameter file fluids/hmx.bnc: fitted
// reducing parameters and, where published, a departure function.
struct MixingPair {
  std::string fluid1, fluid2;  // fluid names as the file writes them
  std::string cas1, cas2;
  std::string departure;             // the departure function's name; empty for none
  std::vector<std::string> sources;  // plain text
};

// The pairs of a mixing-parameter file; none when the file does not exist.
// Throws std::runtime_error when it exists but cannot be read.
std::vector<MixingPair> ReadMixingPairs(const std::filesystem::path& file);
std::vector<MixingPair> ParseMixingPairs(const std::string& text);

// A citation as the fluid files write it (BibTeX-style accents and dashes,
// "A and B and C" author lists, "()" for an unknown year) in plain text.
std::string PlainCitation(std::string_view citation);

// The alias that is a refrigerant number ("R717" for ammonia), if any.
std::optional<std::string> RefrigerantNumber(const PureFluidFacts& fluid);

}  // namespace document
