// Figures asked of the real property library (libfluidcore.so beside this
// test) through the property layer, and what stands in for a figure that
// cannot be computed.
#include "fluid_figures.h"

#include <gtest/gtest.h>

#include "property/binding.h"

namespace document {
namespace {

// R134a: critical point of its fluid file (374.21 K, 4059.28 kPa); normal
// boiling point 247.076 K (Tillner-Roth and Baehr, J. Phys. Chem. Ref. Data
// 23 (1994) 657).
TEST(ComputeFigures, GivesR134aItsPublishedFigures) {
  const Figures f = ComputeFigures("R134a");
  EXPECT_TRUE(f.failures.empty()) << f.failures.front().reason;
  EXPECT_NEAR(*f.molar_mass, 102.032, 1e-9);
  EXPECT_NEAR(*f.critical_temperature, 101.06, 1e-9);
  EXPECT_NEAR(*f.critical_pressure, 40.5928, 1e-4);
  EXPECT_NEAR(*f.bubble_point, 247.076 - 273.15, 0.005);
  EXPECT_DOUBLE_EQ(*f.dew_point, *f.bubble_point);
  EXPECT_TRUE(f.components.empty());
}

TEST(ComputeFigures, GivesTheComparisonFormsFiguresAtItsDefaults) {
  const Figures f = ComputeFigures("R134a");
  ASSERT_TRUE(f.reference_cycle.has_value());
  const auto direct = cycle::Cal("R134a", ReferenceConditions());
  const auto& expected = std::get<cycle::CycleFigures>(direct);
  EXPECT_DOUBLE_EQ(f.reference_cycle->COP, expected.COP);
  EXPECT_DOUBLE_EQ(f.reference_cycle->DischargePressure, expected.DischargePressure);
  // Published saturation pressure of R134a at 90 degrees C: 3.244 MPa.
  EXPECT_NEAR(f.reference_cycle->DischargePressure, 32.44, 0.01);
}

TEST(ComputeFigures, LeavesOutTheCycleWhenTheFluidCannotCondenseThere) {
  // R32's critical temperature (78.1 degrees C) lies below the default
  // condensing temperature of 90 degrees C.
  const Figures f = ComputeFigures("R32");
  ASSERT_TRUE(f.critical_temperature.has_value());
  EXPECT_LT(*f.critical_temperature, ReferenceConditions().TemperatureCondensing);
  EXPECT_FALSE(f.reference_cycle.has_value());
  EXPECT_TRUE(f.failures.empty());
}

TEST(ComputeFigures, GivesNoBoilingPointWhereTheFluidHasNoLiquidAtOneAtmosphere) {
  // Carbon dioxide's triple point lies at 518 kPa.
  const Figures f = ComputeFigures("CarbonDioxide");
  EXPECT_NEAR(*f.critical_temperature, 30.98, 0.005);
  EXPECT_FALSE(f.bubble_point.has_value());
  EXPECT_FALSE(f.dew_point.has_value());
  ASSERT_EQ(f.failures.size(), 2u);
  EXPECT_EQ(f.failures[0].figure, "bubble point at 101.325 kPa");
  EXPECT_EQ(f.failures[1].figure, "dew point at 101.325 kPa");
  EXPECT_NE(f.failures[0].reason.find("101.325"), std::string::npos) << f.failures[0].reason;
}

TEST(ComputeFigures, GivesNothingForAFluidTheLibraryCannotLoad) {
  const Figures f = ComputeFigures("NoSuchFluid");
  EXPECT_FALSE(f.molar_mass || f.critical_temperature || f.critical_pressure || f.bubble_point ||
               f.dew_point || f.reference_cycle);
  ASSERT_FALSE(f.failures.empty());
  EXPECT_EQ(f.failures[0].figure, "critical temperature");
  EXPECT_NE(f.failures[0].reason.find("NoSuchFluid"), std::string::npos) << f.failures[0].reason;
  // The next fluid is not disturbed by the failure.
  EXPECT_NEAR(*ComputeFigures("R134a").critical_temperature, 101.06, 1e-9);
}

TEST(LibraryFault, IsNothingForTheLibraryBesideTheProgram) {
  EXPECT_EQ(LibraryFault(std::nullopt), std::nullopt);
}

TEST(LibraryFault, NamesALibraryThatCannotBeLoaded) {
  const auto fault = LibraryFault("/nonexistent/libfluidcore.so");
  property::BindLibrary(property::DefaultLibraryFile());
  ASSERT_TRUE(fault.has_value());
  EXPECT_NE(fault->find("/nonexistent/libfluidcore.so"), std::string::npos) << *fault;
}

TEST(ComponentFluids, ReadsTheLoadedFileList) {
  EXPECT_EQ(ComponentFluids("fluids\\R32.fld|fluids\\R125.fld|"),
            (std::vector<std::string>{"R32", "R125"}));
  EXPECT_EQ(ComponentFluids("fluids/R1234ze(E).fld"), std::vector<std::string>{"R1234ze(E)"});
  EXPECT_TRUE(ComponentFluids("").empty());
}

}  // namespace
}  // namespace document
