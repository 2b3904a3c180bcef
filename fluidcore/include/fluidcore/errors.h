// Error codes of the entry points (ierr). 0: success; > 0: failure, the
// message says why; < 0: warning, the values are usable.
#pragma once

namespace fluidcore {

enum ErrorCode : int {
  kOk = 0,
  kBadInput = 1,        // NaN, infinite, negative or otherwise impossible input
  kOutOfRange = 2,      // outside the equation's range (temperature, pressure, ...)
  kNoConvergence = 3,   // a solver did not converge
  kNoFluid = 4,         // no fluid loaded
  kFluidFile = 101,     // missing, unreadable or malformed fluid file
  kInternal = 999,      // an unexpected fault, caught at the boundary
  kWarnOutOfRange = -1, // state outside the equation's range, computed anyway
  kWarnEstimate = -2,   // an estimate stands in for published data (mixing
                        // parameters of a pair, a mixture's critical point)
};

}  // namespace fluidcore
