// A stand-in for the property library, for tests: every entry point records
// the call (routine, given values, fixed integer inputs, composition, text
// buffers and widths) and writes scripted outputs. Tests reach the recorder
// of the loaded instance through the exported RecordingFluidcore(). Built
// twice: recording_fluidcore hands out failure records as the library does,
// recording_fluidcore_untyped has only the C entry points.
#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fluidcore/failure.h"

namespace recording {

struct Call {
  std::string routine;
  std::vector<std::pair<std::string, double>> given;  // numeric inputs, in argument order
  std::vector<int> fixed;                             // integer inputs (phase, root selector)
  std::array<double, 20> x{};                         // the composition handed over
  int component_count = 0;                            // SETUPdll only
  std::vector<std::string> texts;                     // input texts, whole buffers
  std::vector<int> widths;                            // the text widths appended
  bool distinct_arguments = true;                     // no two arguments share an address

  double Given(const std::string& name) const {
    for (const auto& [n, v] : given) {
      if (n == name) return v;
    }
    return -1e300;
  }
};

// What a routine reports: its error code and message. A message shorter than
// the buffer is written as a C string with junk after the NUL; a longer one
// fills the buffer without any NUL. A failure's record is handed out by the
// stand-in that offers records (fluidcore_last_failure_v1).
struct Outcome {
  int code = 0;
  std::string message;
  std::optional<fluidcore::Failure> record = std::nullopt;
};

struct Script {
  // Output values by field name ("T", "P", "D", "Dl", "Dv", "Q", "E", "H",
  // "S", "Cv", "Cp", "W", "JT", "Tc", "Pc", "Dc", and "kr" for the phase the
  // density saturation routine returns). "ROUTINE.name" overrides the name for
  // one routine ("THERMdll.P"). Outputs without a value are left untouched.
  std::map<std::string, double> outputs;
  std::map<std::string, Outcome> outcomes;  // by routine name
  double molar_mass = 100;                  // g/mol, from WMOLdll
};

struct Recorder {
  std::vector<Call> calls;
  Script script;
  std::optional<fluidcore::Failure> last_record;  // of the last routine that failed

  void Reset() { *this = Recorder{}; }

  std::vector<Call> CallsTo(const std::string& routine) const {
    std::vector<Call> found;
    for (const Call& call : calls) {
      if (call.routine == routine) found.push_back(call);
    }
    return found;
  }

  // The routines called, WMOLdll left out (every conversion asks for it).
  std::vector<std::string> Routines() const {
    std::vector<std::string> names;
    for (const Call& call : calls) {
      if (call.routine != "WMOLdll") names.push_back(call.routine);
    }
    return names;
  }
};

}  // namespace recording

extern "C" recording::Recorder* RecordingFluidcore();
