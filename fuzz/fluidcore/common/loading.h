// What the setups of the families share: the data folder, the spellings of
// names, the compositions handed over, and a checked SETUP of a model.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <filesystem>
#include <string>

#include "common/checks.h"

namespace fuzz {

// The setup of one executable's family, defined by its driver (pure.cpp,
// mixture.cpp, setup.cpp): a SETUP from the input, and the model it loaded.
Model family_setup(FuzzedDataProvider& in);

// The folder of this program: fluids/ and mixtures/ lie beside it.
std::filesystem::path data_dir();

constexpr const char* kMixingFile = "fluids\\hmx.bnc";

// "fluids\R134a.fld" as the layer writes it, or another spelling the library
// accepts: other separators and letter case, without the extension.
std::string spelling(FuzzedDataProvider& in, std::string name, const char* extension);

// Whatever a caller's composition array may hold: zeros at start, an
// earlier mixture's fractions, garbage.
Fractions leftover_composition(FuzzedDataProvider& in);

// The width of a file list: the usual, or the list's own length or a little
// more (never cutting it: garbage setups cut names themselves).
int files_width(FuzzedDataProvider& in, const std::string& files);

// A SETUP of the project's files as the layer makes it (the usual mixing
// file and reference state): m as loaded, or not.
Model load(FuzzedDataProvider& in, Model m, int n, const std::string& files);

// A composition for n components: mostly fractions in quarters (few
// compositions, which recur: tracing a new one's lines costs more than many
// calls), else any positive ones, or hostile.
Fractions composition(FuzzedDataProvider& in, int n);

}  // namespace fuzz
