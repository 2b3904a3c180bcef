// Requests through the real property library, libfluidcore.so beside the
// test program. Reference values: R22 at 0 degrees C from published tables;
// the R22 vapour state, air and R410A from the project's reference tables
// (single phase; mixtures: air PH flash at 101.325 kPa, TP state at 150 K and
// 500 kPa).
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "property/binding.h"
#include "property/property_functions.h"
#include "property/unit_systems.h"
#include "recording_fixture.h"

namespace property {
namespace {

using testing::Number;
using testing::Text;
using testing::Trimmed;

class EndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::FreshLayer();
    BindLibrary(DefaultLibraryFile());
    ASSERT_EQ(Library().failure, "");
  }
};

// Published tables give 497.6 to 498.0 kPa, depending on the formulation.
TEST_F(EndToEnd, R22SaturationPressureAtZeroCelsius) {
  const PropertyResult p = Pressure("R22", "Tvap", "mks", 273.15);
  EXPECT_NEAR(Number(p), 497.8, 0.3) << Trimmed(Layer().ErrorText.Str());
  EXPECT_NEAR(Number(Pressure("R22", "Tliq", "mks", 273.15)), 497.8, 0.3);
}

// T = 242.5125 K, p = 79.761081679542883 kPa, rho = 0.040523710634215476
// mol/dm^3, h = 34111.869459270427 J/mol; M = 86.468 g/mol.
TEST_F(EndToEnd, R22VapourStateInMksUnits) {
  const double molar_mass = 86.468;
  EXPECT_NEAR(
      Number(Temperature("R22", "PH", "mks", 79.761081679542883, 34111.869459270427 / molar_mass)),
      242.5125, 1e-6);
  EXPECT_NEAR(Number(Volume("R22", "TP", "mks", 242.5125, 79.761081679542883)),
              1 / (0.040523710634215476 * molar_mass), 1e-9);
  EXPECT_NEAR(Number(Enthalpy("R22", "TP", "mks", 242.5125, 79.761081679542883)),
              34111.869459270427 / molar_mass, 1e-6);
}

TEST_F(EndToEnd, R22CriticalPoint) {
  EXPECT_NEAR(Number(CriticalPoint("R22", "T", "mks")), 369.295, 1e-3);
  EXPECT_NEAR(Number(CriticalPoint("R22", "P", "mks")), 4990, 1e-3);
  EXPECT_NEAR(Number(CriticalPoint("R22", "D", "mks")), 6.05822 * 86.468, 1e-2);
}

// The equation of R22 starts at its triple point, 115.73 K; a blend's lower
// limit lies between its components' own.
TEST_F(EndToEnd, LowerTemperatureLimits) {
  EXPECT_EQ(Number(LowerTemperatureLimit("R22", "mks")), 115.73);
  const double blend = Number(LowerTemperatureLimit("R410A", "mks"));
  EXPECT_GT(blend, Number(LowerTemperatureLimit("R32", "mks")));
  EXPECT_LT(blend, Number(LowerTemperatureLimit("R125", "mks")));
  EXPECT_NE(Trimmed(Text(LowerTemperatureLimit("R999", "mks"))).find("R999"), std::string::npos);
}

// The saturated liquid at 0 degrees C, field by field as the single-property
// functions give it.
TEST_F(EndToEnd, WholeStateAgreesWithTheSingleProperties) {
  const StateResult result = WholeState("R22", "Tliq", "mks", 273.15);
  ASSERT_TRUE(std::holds_alternative<StateProperties>(result));
  const StateProperties& s = std::get<StateProperties>(result);
  EXPECT_EQ(s.T, 273.15);
  EXPECT_EQ(s.P, Number(Pressure("R22", "Tliq", "mks", 273.15)));
  EXPECT_EQ(s.H, Number(Enthalpy("R22", "Tliq", "mks", 273.15)));
  EXPECT_EQ(s.S, Number(Entropy("R22", "Tliq", "mks", 273.15)));
  EXPECT_EQ(1 / s.D, Number(Volume("R22", "Tliq", "mks", 273.15)));
  EXPECT_NEAR(s.H, 200, 1e-6) << "the IIR reference state";
}

TEST_F(EndToEnd, FailingFluidNameReturnsTheLibraryMessage) {
  for (int request = 0; request < 2; ++request) {
    const std::string text = Trimmed(Text(Pressure("R999", "Tvap", "mks", 273.15)));
    EXPECT_GT(Layer().ErrorCode, 0);
    EXPECT_NE(text.find("R999"), std::string::npos) << text;
  }
}

TEST_F(EndToEnd, Air) {
  const PropertyResult t = Temperature("AIR", "PH", "", 0.101325, 8696.531561374115);
  EXPECT_NEAR(Number(t), 300, 300e-6) << Trimmed(Layer().ErrorText.Str());
  EXPECT_NEAR(Number(Volume("air", "TP", "", 150, 0.5)), 1 / 0.41370984852323833, 1e-5);
}

// The mixture file is read by the layer itself, from mixtures/ beside the
// program when the working directory has none. R410A at 313.15 K and 500 kPa:
// rho = 0.20335704063298105 mol/dm^3.
TEST_F(EndToEnd, MixtureFileBesideTheProgram) {
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(std::filesystem::temp_directory_path());
  const PropertyResult v = Volume("r410a.MIX", "TP", "", 313.15, 0.5);
  std::filesystem::current_path(previous);
  EXPECT_NEAR(Number(v), 1 / 0.20335704063298105, 1e-6) << Trimmed(Layer().ErrorText.Str());
  EXPECT_EQ(SetupState().ComponentCount, 2);
}

// Internal energy given in every unit system and in every position of a
// code that names it: the state it gives back is the one it came from.
// Water at 650 K and 25 MPa, near its critical point, where internal energy
// varies with both temperature and pressure. The energy in the system's unit
// follows from the enthalpy's conversion, the same unit.
struct EnergyCode {
  const char* units;
  const char* code;  // names E and one of T, P, D
};

class InternalEnergyCodes : public EndToEnd, public ::testing::WithParamInterface<EnergyCode> {};

TEST_P(InternalEnergyCodes, GiveBackTheStateTheyCameFrom) {
  const auto [units, code] = GetParam();
  constexpr double kT = 650, kP = 25000;  // K, kPa
  const double h = Number(Enthalpy("Water", "TP", "", kT, kP / 1000));
  const StateCache library = Layer().State;
  ASSERT_NEAR(library.T, kT, 1e-9);
  const double t = Number(ConvertResult("-T", units, kT));
  const double p = Number(ConvertResult("-P", units, kP));
  const double d = Number(ConvertResult("-D", units, library.D));
  const double e = library.E * Number(Enthalpy("Water", "TP", units, t, p)) / h;
  const std::string given(code);
  const auto value = [&](char letter) {
    return letter == 'T' ? t : letter == 'P' ? p : letter == 'D' ? d : e;
  };
  const double v1 = value(given[0]), v2 = value(given[1]);
  if (given.find('T') == std::string::npos) {
    EXPECT_NEAR(Number(Temperature("Water", code, units, v1, v2)), t, 1e-7 * std::abs(t))
        << Trimmed(Layer().ErrorText.Str());
  } else {
    EXPECT_NEAR(Number(Pressure("Water", code, units, v1, v2)), p, 1e-7 * p)
        << Trimmed(Layer().ErrorText.Str());
  }
}

std::vector<EnergyCode> EveryEnergyCode() {
  std::vector<EnergyCode> codes;
  for (const char* units : {"", "mks", "cgs", "E", "M"}) {
    for (const char* code : {"PE", "EP", "TE", "ET", "DE", "ED"}) codes.push_back({units, code});
  }
  return codes;
}

INSTANTIATE_TEST_SUITE_P(EverySystem, InternalEnergyCodes, ::testing::ValuesIn(EveryEnergyCode()),
                         [](const ::testing::TestParamInfo<EnergyCode>& info) {
                           const std::string units = info.param.units;
                           return (units.empty() ? "default" : units) + "_" + info.param.code;
                         });

// 2000 kJ/kg at 100 kPa lies in the dome: at the saturation temperature,
// 372.756 K, with the quality 0.7579 of u' = 417.40 and u'' = 2505.55 kJ/kg,
// so h = 417.50 + 0.7579 * 2257.45 kJ/kg (IAPWS-95 tables).
TEST_F(EndToEnd, WaterInternalEnergyInMks) {
  EXPECT_NEAR(Number(Temperature("Water", "PE", "mks", 100, 2000)), 372.756, 1e-3);
  EXPECT_NEAR(Number(Enthalpy("Water", "PE", "mks", 100, 2000)), 2128.4, 0.3);
}

}  // namespace
}  // namespace property
