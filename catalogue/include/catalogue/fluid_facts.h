// What the fluid files say about each fluid beyond its equation of state:
// names, identity, safety and environmental figures, and the literature the
// equation comes from. The thermodynamic figures are not read here: they come
// through the property layer.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

struct PureFluidFacts {
  std::string file_stem;  // the fluid name handed to the property layer
  std::string name;
  std::vector<std::string> aliases;
  std::string cas;
  std::string formula;  // as written in the file: "C_{2}F_{4}H_{2}"
  std::optional<double> molar_mass;   // g/mol
  std::optional<double> lower_limit;  // K: the lowest temperature of the equation
  std::optional<double> critical_temperature;  // K: the critical point the file states
  std::optional<std::string> safety_class;
  std::optional<double> gwp100;
  std::optional<double> odp;
  std::vector<std::string> equation_sources;  // plain text, one per publication
};

// Whether the equation's literature is read: what lists the fluids needs
// none, and reads the files faster without (the files state the facts
// first, the equation and its literature after them).
enum class Literature { read, skipped };

// Every fluids/*.fld of the folder, sorted by file name without regard to
// case, with the published facts in place of the files' (WithPublishedFacts).
// A file that cannot be read or parsed is left out and named in `skipped`
// with the reason.
struct FluidFileList {
  std::vector<PureFluidFacts> fluids;
  std::vector<std::string> skipped;
};
FluidFileList ReadFluidFiles(const std::filesystem::path& fluids_dir,
                             Literature literature = Literature::read);

// The facts of one fluid file's text; throws std::runtime_error when the
// text is not a fluid file.
PureFluidFacts ParseFluidFile(const std::string& file_stem, const std::string& text,
                              Literature literature = Literature::read);

// The facts of the fluid a name stands for, the published ones in place of
// its file's, found as the property library finds it: in fluids/ under the working directory, else beside the program,
// by file name (".fld" may be left out) or else through the folder's alias
// index, without regard to case ("r290" is n-Propane). Nothing when no fluid
// file has that name or the file cannot be read.
std::optional<PureFluidFacts> FluidFactsOf(std::string_view name);

// The fluid whose file is named `file_stem`, without regard to case, as the
// property library matches file names; nullptr when none is.
const PureFluidFacts* FindByFileName(const std::vector<PureFluidFacts>& fluids,
                                     std::string_view file_stem);

// The blends of the folder: the names of its *.mix files, sorted without
// regard to case ("R404A.mix"). An absent folder holds none.
std::vector<std::string> ListMixtureFiles(const std::filesystem::path& mixtures_dir);

// Whether two names are the same without regard to case.
bool SameName(std::string_view a, std::string_view b);

// Orders names without regard to case; names that differ only in case by
// their bytes, so that the order is total.
bool LessIgnoringCase(const std::string& a, const std::string& b);

// Every name the property library takes for the fluid: its file name, its
// own name and its aliases, in this order, each once without regard to case.
std::vector<std::string> NamesOf(const PureFluidFacts& fluid);

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

}  // namespace catalogue
