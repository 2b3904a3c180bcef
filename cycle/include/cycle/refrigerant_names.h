// The fluids and blends a refrigerant box takes, as the boxes suggest them
// and `hpcalc fluids` lists them: the catalogue's list, read from what the
// fluid and mixture files state.
#pragma once

#include "catalogue/fluid_list.h"

namespace cycle {

// catalogue::ListFluids, with the critical temperature of an entry whose
// file states none (a mixture file of the user's own) from the property
// library, so that every entry shows the critical temperature the forms
// check. Only such entries are set up in the library.
catalogue::FluidList ListRefrigerants();

}  // namespace cycle
