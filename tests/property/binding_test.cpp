#include "property/binding.h"

#include <gtest/gtest.h>

#include <string>

#include "property/property_functions.h"
#include "recording_fixture.h"

namespace property {
namespace {

using testing::Text;
using testing::Trimmed;

class Binding : public ::testing::Test {
 protected:
  void SetUp() override { testing::FreshLayer(); }
  void TearDown() override { BindLibrary(RECORDING_FLUIDCORE_FILE); }
};

TEST_F(Binding, MissingLibraryFailsTheRequestNamingTheFile) {
  BindLibrary("/nonexistent/libfluidcore.so");
  const std::string text = Trimmed(Text(Pressure("R22", "Tvap", "mks", 273.15)));
  EXPECT_EQ(Layer().ErrorCode, 1);
  EXPECT_EQ(text.rfind("Cannot load the property library /nonexistent/libfluidcore.so", 0), 0u)
      << text;
  EXPECT_EQ(Trimmed(Text(CriticalPoint("R22", "T", "mks"))), text);
  EXPECT_EQ(SetupState().LastFluid, "");
}

TEST_F(Binding, MissingEntryPointFailsTheRequestNamingIt) {
  BindLibrary("libm.so.6");
  EXPECT_EQ(Trimmed(Text(Pressure("R22", "Tvap", "mks", 273.15))),
            "Entry point SETUPdll not found in libm.so.6");
}

TEST_F(Binding, RecordingLibraryHasEveryEntryPoint) {
  BindLibrary(RECORDING_FLUIDCORE_FILE);
  EntryPoints entries = Library().entries;
  entries.ForEach([](const auto& entry) { EXPECT_NE(entry.call, nullptr) << entry.name; });
  EXPECT_EQ(Library().failure, "");
}

TEST_F(Binding, RebindingForgetsTheLoadedFluid) {
  BindLibrary(RECORDING_FLUIDCORE_FILE);
  testing::Recorder().Reset();
  Pressure("R22", "Tvap", "mks", 273.15);
  BindLibrary(RECORDING_FLUIDCORE_FILE);
  Pressure("R22", "Tvap", "mks", 273.15);
  EXPECT_EQ(testing::Recorder().CallsTo("SETUPdll").size(), 2u);
}

}  // namespace
}  // namespace property
