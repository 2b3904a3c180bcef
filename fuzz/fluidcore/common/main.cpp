// libFuzzer harness of the property library's C entry points, driven the way
// the property layer drives them: a SETUP, then any of the saturation
// routines, the fifteen flashes, THERM, CRITP and WMOL, with values biased
// towards the fluid's saturation curve, critical point and limits and mixed
// with NaN, infinities, zeros, negatives, denormals and huge values.
//
// Every call is checked: outputs finite (or the undefined marker where a
// property does not exist), cv, cp and w positive where they are given (also
// at and next to a critical point), ierr and herr agreeing, herr written over its
// width, blank-padded and naming the routine, nothing written past any
// buffer or into a given value. A successful flash returns a state that
// reproduces its given values (through TDFLSH at the returned T and D), a
// two-phase state has 0 <= q <= 1 and its densities around the overall one,
// and saturation states have equal pressures in both phases. A fault aborts
// with the calls of the input that led to it.
//
// Each executable fuzzes one family of setups, the family_setup of its driver:
// pure fluids (pure.cpp), mixtures (mixture.cpp: blends by name, spelled
// mixtures, air), or setup texts, fluid files and mixture files of garbage
// (setup.cpp).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>

#include "common/loading.h"
#include "common/scales.h"
#include "common/values.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  fuzz::trace().clear();
  const fuzz::Model m = fuzz::family_setup(in);
  fuzz::Values values(in, fuzz::scales(m), m);
  // At least one call, however short the input.
  int calls = in.ConsumeIntegralInRange(1, 6);
  do fuzz::any_call(values);
  while (--calls > 0 && in.remaining_bytes() > 0);
  // FLUIDCORE_FUZZ_TRACE=1 lists the calls of every input (to see what a
  // replayed input does).
  static const bool listed = std::getenv("FLUIDCORE_FUZZ_TRACE") != nullptr;
  if (listed) fuzz::trace().print();
  return 0;
}
