// The files of the mixture model: the mixing-parameter file fluids/hmx.bnc
// (JSON, written by tools/make_mixture_files.py, format described there) and
// the blend files mixtures/NAME.mix; and the cache that makes a repeated
// setup of the same components cost a table look-up.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fluidcore/fluid_file.h"
#include "fluidcore/mixture.h"

namespace fluidcore {

// The binary pairs and departure functions of hmx.bnc.
class MixingRules {
 public:
  // Throws FluidFileError naming `origin`.
  static MixingRules parse(const std::string& text, const std::string& origin);

  // The parameters for fluid a before fluid b, found by CAS number (by name
  // where a fluid has none); the reversed order of a stored pair uses
  // 1/beta_T and 1/beta_v. Without an entry: the estimate (beta = gamma = 1,
  // F = 0) marked as estimated.
  Mixture::Pair find(const PureFluid& a, const PureFluid& b) const;

 private:
  struct Entry {
    std::string key1, key2;  // identities of fluid1 and fluid2
    PairParameters parameters;
    std::shared_ptr<const ResidualHelmholtz> departure;
  };
  std::vector<Entry> entries_;
  std::map<std::pair<std::string, std::string>, std::size_t> index_;  // (key1, key2) -> entry
};

// A blend file: the component file names and the mole fractions (normalised
// to sum 1).
struct BlendFile {
  std::vector<std::string> components;
  std::vector<double> fractions;
};

// The layout the program reads: two free lines, the component count alone on
// line 3, one component file name per line, then the fractions separated by
// commas, blanks or line ends. Throws FluidFileError naming `origin` and the
// fault.
BlendFile parse_blend_file(const std::string& text, const std::string& origin);

// A mixture ready for use: the model and, for a blend, its own composition.
struct LoadedMixture {
  std::shared_ptr<const Mixture> model;
  std::optional<Fractions> composition;  // a blend's stored composition
  std::string name;                      // "R410A" or "R32/R125"
};

// Used by any number of threads at once, as FluidLibrary.
class MixtureLibrary {
 public:
  explicit MixtureLibrary(FluidLibrary& fluids) : fluids_(fluids) {}

  // The components named in `files` ("fluids\R32.fld|fluids\R125.fld|" split
  // at "|"), joined by the pairs of `mixing_file`. Cached by the texts (and
  // the working directory), so that setting up the same mixture again costs
  // a look-up. Throws FluidFileError naming the file at fault.
  std::shared_ptr<const Mixture> load(const std::vector<std::string>& files,
                                      const std::string& mixing_file);

  // The blend a single name stands for: "fluids\R410A.fld" or "R410A" finds
  // mixtures/R410A.mix (any letter case) under the working directory or a
  // data directory; a name ending in ".mix" is that file. nullopt when there
  // is no such file; throws FluidFileError when it is unreadable or its
  // components are.
  std::optional<LoadedMixture> load_blend(const std::string& name, const std::string& mixing_file);
  // The blend a name stood for before, from the cache alone (no file access).
  std::optional<LoadedMixture> known_blend(const std::string& name, const std::string& mixing_file);

 private:
  std::shared_ptr<const MixingRules> rules(const std::string& mixing_file);
  static std::string blend_key(const std::string& name, const std::string& mixing_file);
  std::optional<std::filesystem::path> find_blend_file(const std::string& name) const;

  FluidLibrary& fluids_;
  std::mutex mutex_;
  std::map<std::filesystem::path, std::shared_ptr<const MixingRules>> rules_;
  std::map<std::string, std::shared_ptr<const Mixture>> mixtures_;
  std::map<std::string, LoadedMixture> blends_;
};

}  // namespace fluidcore
