// Every fluid file and mixture file where the property library finds them,
// with what they say: the whole list of names a user may type.
#pragma once

#include <string>
#include <vector>

#include "catalogue/blend_facts.h"
#include "catalogue/fluid_facts.h"

namespace catalogue {

struct LibraryFiles {
  std::vector<PureFluidFacts> fluids;  // sorted by file name without regard to case
  std::vector<BlendFacts> blends;      // likewise
  std::vector<std::string> skipped;    // the files that could not be read, with the reason
};

// fluids/*.fld and mixtures/*.mix from the first folder of each that
// LocateDataFolder finds; none of a kind whose folder is not found. The
// fluids without their literature (Literature::skipped).
LibraryFiles ReadLibraryFiles();

}  // namespace catalogue
