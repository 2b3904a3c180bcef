// The stand-in's record of a failed call, as the library hands it out.
#include "fluidcore/failure.h"
#include "recorder.h"

extern "C" FLUIDCORE_API const fluidcore::Failure* fluidcore_last_failure_v1() {
  const auto& record = RecordingFluidcore()->last_record;
  return record ? &*record : nullptr;
}
