#include "property/property_functions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "recording_fixture.h"

namespace property {
namespace {

using testing::Number;
using testing::Text;
using testing::Trimmed;

class PropertyFunctions : public testing::Recorded {
 protected:
  void SetUp() override {
    Recorded::SetUp();
    rec().script.molar_mass = 100;
    // Library units: K, kPa, mol/dm^3, J/mol, J/mol-K.
    rec().script.outputs = {{"T", 280}, {"P", 600},      {"D", 10},    {"H", 25000}, {"S", 110},
                            {"Cp", 90}, {"Tc", 369.295}, {"Pc", 4990}, {"Dc", 6.058}};
  }
};

TEST_F(PropertyFunctions, EachReturnsItsFieldInTheUnitSystem) {
  EXPECT_EQ(Number(Temperature("R22", "PH", "mks", 500, 250)), 280);
  EXPECT_EQ(Number(Pressure("R22", "TH", "mks", 300, 250)), 600);
  EXPECT_EQ(Number(Volume("R22", "TP", "mks", 300, 500)), 0.001) << "1 / (10 mol/dm^3 * 100)";
  EXPECT_EQ(Number(Enthalpy("R22", "TP", "mks", 300, 500)), 250);
  EXPECT_EQ(Number(Entropy("R22", "TP", "mks", 300, 500)), 1.1);
  EXPECT_EQ(Number(Cp("R22", "TP", "mks", 300, 500)), 0.9) << "in entropy units";
  EXPECT_EQ(Number(Pressure("R22", "TH", "", 300, 250)), 0.6) << "default system: MPa";
}

TEST_F(PropertyFunctions, PhAndHpReachTheFlashWithTheSameInputs) {
  Temperature("R22", "PH", "mks", 500, 250);
  Temperature("R22", "HP", "mks", 250, 500);
  const auto calls = rec().CallsTo("PHFLSHdll");
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].given, calls[1].given);
  EXPECT_EQ(calls[0].Given("H"), 25000);
}

TEST_F(PropertyFunctions, TvapAtZeroCallsNothingAndReturnsZero) {
  EXPECT_EQ(Number(Pressure("R22", "Tvap", "mks", 0)), 0);
  EXPECT_EQ(rec().Routines(), std::vector<std::string>{"SETUPdll"});
}

TEST_F(PropertyFunctions, VolumeOfZeroDensityIsZero) {
  rec().script.outputs["D"] = 0;
  EXPECT_EQ(Number(Volume("R22", "TP", "mks", 300, 500)), 0);
}

TEST_F(PropertyFunctions, LibraryErrorReturnsTheMessageInPlaceOfTheNumber) {
  rec().script.outcomes["PHFLSHdll"] = {248, "PHFLSH: no convergence"};
  for (const PropertyResult& result :
       {Temperature("R22", "PH", "mks", 500, 250), Volume("R22", "PH", "mks", 500, 250)}) {
    const std::string text = Text(result);
    EXPECT_EQ(text.size(), 255u);
    EXPECT_EQ(Trimmed(text), "PHFLSH: no convergence");
  }
}

TEST_F(PropertyFunctions, WarningReturnsTheComputedValue) {
  rec().script.outcomes["TPFLSHdll"] = {-12, "TPFLSH: outside the range of the equation"};
  EXPECT_EQ(Number(Enthalpy("R22", "TP", "mks", 300, 500)), 250);
}

TEST_F(PropertyFunctions, UndefinedMarkerReadsUndefined) {
  rec().script.outputs["Cp"] = -9999990;
  rec().script.outputs["D"] = -9999990;
  EXPECT_EQ(Text(Cp("R22", "TQ", "mks", 300, 0.5)), "Undefined");
  EXPECT_EQ(Text(Volume("R22", "TQ", "mks", 300, 0.5)), "Undefined");
}

TEST_F(PropertyFunctions, FailingFluidNameFailsEveryRequest) {
  rec().script.outcomes["SETUPdll"] = {101, "SETUP: unknown fluid R999"};
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(Trimmed(Text(Pressure("R999", "Tvap", "mks", 273.15))), "SETUP: unknown fluid R999");
    EXPECT_GT(Layer().ErrorCode, 0);
  }
}

TEST_F(PropertyFunctions, ConversionFaultReturnsAClearText) {
  rec().script.molar_mass = 0;
  const std::string text = Trimmed(Text(Enthalpy("R22", "TP", "mks", 300, 500)));
  EXPECT_NE(text.find("molar mass"), std::string::npos) << text;
  EXPECT_EQ(Layer().ErrorCode, 1);
}

TEST_F(PropertyFunctions, EmptyFluidNameIsRefused) {
  EXPECT_EQ(Trimmed(Text(Pressure("", "Tvap", "mks", 273.15))), "No fluid name given");
  EXPECT_TRUE(rec().calls.empty());
}

TEST_F(PropertyFunctions, CriticalPointByLetter) {
  EXPECT_EQ(Number(CriticalPoint("R22", "T", "mks")), 369.295);
  EXPECT_EQ(Number(CriticalPoint("R22", "p", "mks")), 4990);
  EXPECT_EQ(Number(CriticalPoint("R22", "P", "")), 4.99);
  EXPECT_NEAR(Number(CriticalPoint("R22", "d", "mks")), 605.8, 1e-9);
  EXPECT_EQ(Number(CriticalPoint("R22", "x", "mks")), 369.295);
  EXPECT_EQ(Number(CriticalPoint("R22")), 369.295);
  EXPECT_EQ(rec().CallsTo("SETUPdll").size(), 1u);
  EXPECT_EQ(rec().CallsTo("CRITPdll").size(), 6u);
}

TEST_F(PropertyFunctions, CriticalPointClearsTheStateButKeepsJT) {
  Enthalpy("R22", "TP", "mks", 300, 500);
  Layer().State.JT = 4;
  CriticalPoint("R22", "T", "mks");
  EXPECT_EQ(Layer().State.H, 0);
  EXPECT_EQ(Layer().State.JT, 4);
}

TEST_F(PropertyFunctions, CriticalPointAfterAFailedSetupReturnsTheSetupMessage) {
  rec().script.outcomes["SETUPdll"] = {101, "SETUP: unknown fluid R999"};
  EXPECT_EQ(Trimmed(Text(CriticalPoint("R999", "T", "mks"))), "SETUP: unknown fluid R999");
  EXPECT_EQ(rec().CallsTo("CRITPdll").size(), 1u) << "still called";
}

TEST_F(PropertyFunctions, CriticalPointNotFoundIsNoNumber) {
  rec().script.outcomes["CRITPdll"] = {1, "CRITP: no critical point found"};
  EXPECT_EQ(Trimmed(Text(CriticalPoint("R32,1,R1234yf,1", "T", "mks"))),
            "CRITP: no critical point found");
  rec().script.outcomes["CRITPdll"] = {-1, "CRITP: estimated"};
  EXPECT_EQ(Number(CriticalPoint("R32,1,R1234yf,1", "T", "mks")), 369.295);
}

TEST_F(PropertyFunctions, WholeStateConvertsEveryFieldOfOneFlash) {
  rec().script.outputs["Q"] = 0.25;
  const StateResult result = WholeState("R22", "PH", "mks", 500, 250);
  ASSERT_TRUE(std::holds_alternative<StateProperties>(result)) << std::get<std::string>(result);
  const StateProperties& s = std::get<StateProperties>(result);
  EXPECT_EQ(s.T, 280);
  EXPECT_EQ(s.P, 500) << "given";
  EXPECT_EQ(s.D, 1000) << "10 mol/dm^3 at 100 g/mol";
  EXPECT_EQ(s.H, 250);
  EXPECT_EQ(s.S, 1.1);
  EXPECT_EQ(s.Q, 0.25) << "a quality has no unit";
  EXPECT_NEAR(s.Cp, 0.9, 1e-12) << "90 J/mol-K at 100 g/mol";
  EXPECT_EQ(rec().CallsTo("PHFLSHdll").size(), 1u);
}

TEST_F(PropertyFunctions, WholeStateWithoutAHeatCapacityKeepsItsOtherFields) {
  rec().script.outputs["Q"] = 0.25;
  rec().script.outputs["Cp"] = -9999990;
  const StateResult result = WholeState("R22", "PH", "mks", 500, 250);
  ASSERT_TRUE(std::holds_alternative<StateProperties>(result)) << std::get<std::string>(result);
  const StateProperties& s = std::get<StateProperties>(result);
  EXPECT_TRUE(std::isnan(s.Cp));
  EXPECT_EQ(s.H, 250);
  EXPECT_EQ(s.Q, 0.25);
}

TEST_F(PropertyFunctions, WholeStateOfAFailedRequestIsTheLibraryMessage) {
  rec().script.outcomes["PHFLSHdll"] = {248, "PHFLSH: no convergence"};
  const StateResult result = WholeState("R22", "PH", "mks", 500, 250);
  ASSERT_TRUE(std::holds_alternative<std::string>(result));
  EXPECT_EQ(Trimmed(std::get<std::string>(result)), "PHFLSH: no convergence");
}

TEST_F(PropertyFunctions, LowerTemperatureLimitAsksTheLibraryForItsRange) {
  rec().script.outputs["Tmin"] = 115.73;
  EXPECT_EQ(Number(LowerTemperatureLimit("R22", "mks")), 115.73);
  EXPECT_NEAR(Number(LowerTemperatureLimit("R22", "E")), 115.73 * 1.8 - 459.67, 1e-9);
  const auto calls = rec().CallsTo("LIMITSdll");
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].texts[0], "EOS");
  EXPECT_TRUE(calls[0].distinct_arguments);
  rec().script.outputs["Tmin"] = -9999990;
  EXPECT_EQ(Text(LowerTemperatureLimit("R22", "mks")), "Undefined");
}

TEST_F(PropertyFunctions, UpperPressureLimitIsTheRangesPressureInTheUnitSystem) {
  rec().script.outputs["Tmin"] = 216.59;
  rec().script.outputs["pmax"] = 800000;
  EXPECT_EQ(Number(UpperPressureLimit("CO2", "mks")), 800000);
  EXPECT_EQ(Number(UpperPressureLimit("CO2", "")), 800) << "default system: MPa";
  rec().script.outcomes["SETUPdll"] = {101, "SETUP: unknown fluid R999"};
  EXPECT_EQ(Trimmed(Text(UpperPressureLimit("R999", "mks"))), "SETUP: unknown fluid R999");
}

TEST_F(PropertyFunctions, LowerTemperatureLimitAfterAFailedSetupIsTheSetupMessage) {
  rec().script.outcomes["SETUPdll"] = {101, "SETUP: unknown fluid R999"};
  EXPECT_EQ(Trimmed(Text(LowerTemperatureLimit("R999", "mks"))), "SETUP: unknown fluid R999");
  EXPECT_TRUE(rec().CallsTo("LIMITSdll").empty());
}

// The record beside the library's text comes back with the text it belongs
// to, its values in the request's unit system; the layer's own failures have
// records of their own.
TEST_F(PropertyFunctions, FailureOfGivesTheRecordOfTheLastRequest) {
  namespace failure = fluidcore::failure;
  using fluidcore::Quantity;
  const failure::NoConvergence no_convergence{
      {Quantity::pressure, 500}, {Quantity::enthalpy, 25000}, "R22"};
  rec().script.outcomes["PHFLSHdll"] = {3, "PHFLSH: words of any kind", no_convergence};
  const std::string text = Text(Temperature("R22", "PH", "mks", 500, 250));
  const auto told = [&](std::string_view units) {
    const auto why = FailureOf(text, units);
    return std::get<failure::NoConvergence>(std::get<fluidcore::Failure>(why));
  };
  EXPECT_EQ(told("mks").along.value, 500);
  EXPECT_EQ(told("mks").given.value, 250) << "25000 J/mol at 100 g/mol";
  EXPECT_EQ(told("").along.value, 0.5) << "default system: MPa";
  EXPECT_EQ(told("mks").fluid, "R22");
  EXPECT_TRUE(std::holds_alternative<std::monostate>(FailureOf("PHFLSH: another text", "mks")));

  // A failure without a record is known by its text alone.
  rec().script.outcomes["PHFLSHdll"] = {3, "PHFLSH: no record"};
  const std::string bare = Text(Temperature("R22", "PH", "mks", 500, 250));
  EXPECT_TRUE(std::holds_alternative<std::monostate>(FailureOf(bare, "mks")));

  const auto own = [](const PropertyResult& result) { return FailureOf(Text(result), "mks"); };
  EXPECT_TRUE(std::holds_alternative<OwnReason>(own(Pressure("R32,0,R125,0", "Tvap", "mks", 273))));
  const auto file = own(Pressure("none.mix", "Tvap", "mks", 273));
  EXPECT_TRUE(std::get<failure::FileFault>(std::get<fluidcore::Failure>(file)).missing);
  EXPECT_TRUE(std::holds_alternative<ConversionFailed>(own(Pressure("R22", "Tvap", "mks", NAN))));
  BindLibrary("no-such-library.so");
  EXPECT_TRUE(std::holds_alternative<LibraryUnavailable>(own(Pressure("R22", "Tvap", "mks", 273))));
}

}  // namespace
}  // namespace property
