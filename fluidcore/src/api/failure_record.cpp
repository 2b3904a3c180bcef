// The failure records of the entry points, kept per thread for
// fluidcore_last_failure_v1.
#include "api/shim.h"
#include "fluidcore/failure_text.h"

namespace fluidcore {

namespace {

// Touched only when a call fails: each access to a thread's own data costs
// a look-up in a loaded library.
std::optional<Failure>& last_failure() {
  thread_local std::optional<Failure> kept;
  return kept;
}

}  // namespace

void report(int* ierr, char* herr, int width, const char* routine, int code, const Failure& why) {
  if (code > 0) last_failure() = why;
  report(ierr, herr, width, code, std::string(routine) + ": " + describe(why));
}

}  // namespace fluidcore

extern "C" const fluidcore::Failure* fluidcore_last_failure_v1() {
  const auto& kept = fluidcore::last_failure();
  return kept ? &*kept : nullptr;
}
