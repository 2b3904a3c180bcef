#include "cycle/transcritical.h"

namespace cycle {

TranscriticalOutcome CalcTranscriticalCycle(const TranscriticalInput&) {
  return std::string("The transcritical cycle cannot be calculated yet");
}

std::variant<CycleDiagram, std::string> TranscriticalCycleDiagram(const TranscriticalInput& input,
                                                                  DiagramKind) {
  const auto outcome = CalcTranscriticalCycle(input);
  return std::get<std::string>(outcome);
}

}  // namespace cycle
