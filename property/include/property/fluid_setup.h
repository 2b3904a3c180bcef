// Fluid setup: turns a fluid name into a fluid loaded in the property
// library, and remembers it so that the next request for the same name does
// not load it again.
//
// A fluid name is, tested in this order: a mixture file (the name contains
// ".mix" in any case; read from "mixtures\" + name), a spelled mixture
// (component, fraction, component, fraction ...; a component without a name
// or a fraction that is missing or not wholly a number is refused), or a
// pure fluid (a fluid file name without ".fld"). "AIR" in any case stands
// for "nitrogen,.7812,argon,.0092,oxygen,.2096".
#pragma once

#include <string>
#include <string_view>

#include "property/layer_state.h"
#include "property/property_functions.h"

namespace property {

constexpr std::size_t kFileListWidth = 10000;
constexpr std::size_t kFileNameWidth = 255;
constexpr std::size_t kReferenceWidth = 3;

constexpr std::string_view kAirComposition = "nitrogen,.7812,argon,.0092,oxygen,.2096";

struct FluidSetupState {
  // The name of the last fluid the library loaded successfully (after the
  // "AIR" substitution); empty when none is loaded.
  std::string LastFluid;
  // The binding LastFluid was loaded under (BindingGeneration): after
  // another library was bound, the name is loaded again.
  unsigned LoadedUnder = 0;
  int ComponentCount = 0;
  FixedText<kFileListWidth> FluidFileList;    // "fluids\R32.fld|fluids\R125.fld|"
  FixedText<kFileNameWidth> MixingRulesFile;  // "fluids\hmx.bnc"
  FixedText<kReferenceWidth> ReferenceState;  // "DEF"
};

// The calling thread's own: each thread loads its fluids in the library for
// its own requests (the library keeps a current fluid per thread).
FluidSetupState& SetupState();

// Loads the fluid unless it is the one loaded last. Sets ErrorCode (0, or
// > 0 with ErrorText on failure; a library warning is < 0). "AIR" is written
// back into fluid as its composition. Returns the fluid name when the library
// was asked to load it, otherwise nothing.
PropertyResult SetupFluid(std::string& fluid);

// The first step of every request: SetupFluid, then (unless it failed) the
// two given values converted in place from the caller's unit system into
// library units by the input code, ErrorText cleared and the state cache
// reset. A conversion fault fails the request with its text.
void SelectFluid(std::string& fluid, std::string_view code, std::string_view units, double& value1,
                 double& value2);

}  // namespace property
