// A test fixture that binds the recording stand-in library and starts every
// test from the layer state of a freshly started program.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "property/binding.h"
#include "property/fluid_setup.h"
#include "property/layer_state.h"
#include "property/state_evaluation.h"
#include "recorder.h"

namespace property::testing {

// The recorder of the loaded recording library. The test keeps its own
// handle, so the instance survives the layer binding another library.
inline recording::Recorder& Recorder() {
  static void* handle = dlopen(RECORDING_FLUIDCORE_FILE, RTLD_NOW | RTLD_LOCAL);
  static auto* recorder =
      reinterpret_cast<recording::Recorder* (*)()>(dlsym(handle, "RecordingFluidcore"))();
  return *recorder;
}

inline void FreshLayer() {
  Layer() = LayerState{};
  SetupState() = FluidSetupState{};
  Evaluation() = EvaluationState{};
}

class Recorded : public ::testing::Test {
 protected:
  void SetUp() override {
    rec().Reset();
    BindLibrary(RECORDING_FLUIDCORE_FILE);
    FreshLayer();
  }

  static recording::Recorder& rec() { return Recorder(); }
};

inline double Number(const PropertyResult& result) {
  if (const double* value = std::get_if<double>(&result)) return *value;
  ADD_FAILURE() << "expected a number, got "
                << (std::holds_alternative<std::string>(result)
                        ? "the text \"" + std::get<std::string>(result) + "\""
                        : std::string("nothing"));
  return -1e300;
}

inline std::string Text(const PropertyResult& result) {
  if (const auto* text = std::get_if<std::string>(&result)) return *text;
  ADD_FAILURE() << "expected a text";
  return {};
}

// A text without its trailing blanks.
inline std::string Trimmed(const std::string& text) {
  return text.substr(0, text.find_last_not_of(' ') + 1);
}

}  // namespace property::testing
