#include "property/unit_systems.h"

#include <gtest/gtest.h>

#include <string>

#include "property/unit_catalogue.h"
#include "recording_fixture.h"

namespace property {
namespace {

using testing::Number;
using testing::Text;

struct Selection {
  const char* units;
  int system;
};

class UnitSystemSelection : public ::testing::TestWithParam<Selection> {};

TEST_P(UnitSystemSelection, Index) {
  EXPECT_EQ(UnitSystemIndex(GetParam().units), GetParam().system) << GetParam().units;
}

INSTANTIATE_TEST_SUITE_P(
    UnitsArguments, UnitSystemSelection,
    ::testing::Values(Selection{"MKS", 1}, Selection{"mks", 1}, Selection{"Mks", 1},
                      Selection{"M", 4}, Selection{"metric", 4}, Selection{"mixed", 4},
                      Selection{"mks ", 4}, Selection{"E", 3}, Selection{"english", 3},
                      Selection{"CGS", 2}, Selection{"cgs", 2}, Selection{"", 0},
                      Selection{"SI", 0}, Selection{"xyz", 0}, Selection{" mks", 0}));

TEST(UnitTables, EveryUnitIsInTheCatalogueUnderItsQuantity) {
  for (const char letter : std::string("TPDVHESWUKN")) {
    const std::string_view quantity = *QuantityCodeOf(letter);
    EXPECT_TRUE(IsCatalogued(quantity, *UnitOf(letter, std::nullopt))) << letter;
    for (int system = 0; system < kUnitSystems; ++system) {
      EXPECT_TRUE(IsCatalogued(quantity, *UnitOf(letter, system)))
          << letter << " in system " << system;
    }
  }
  EXPECT_EQ(QuantityCodeOf('V'), "D");
  EXPECT_EQ(QuantityCodeOf('E'), "H") << "internal energy in the enthalpy's units";
  EXPECT_FALSE(UnitOf('Q', 1));
}

TEST(UndefinedMarker, OnlyWholeNumbersInItsRange) {
  EXPECT_TRUE(IsUndefinedMarker(-9999990));
  EXPECT_TRUE(IsUndefinedMarker(-9999999));
  EXPECT_TRUE(IsUndefinedMarker(-9999900));
  EXPECT_FALSE(IsUndefinedMarker(-9999990.5));
  EXPECT_FALSE(IsUndefinedMarker(-10000000));
  EXPECT_FALSE(IsUndefinedMarker(-9999899));
}

class ConvertUnitsTest : public testing::Recorded {
 protected:
  void SetUp() override {
    Recorded::SetUp();
    rec().script.molar_mass = 100;
  }

  PropertyResult Result(const char* code, const char* units, double value) {
    double v1 = value;
    double v2 = 0;
    PropertyResult result = ConvertUnits(code, units, v1, v2);
    EXPECT_EQ(v1, value) << "a result code leaves the value alone";
    return result;
  }
};

struct Given {
  const char* code;
  const char* units;
  double value1, value2;
  double expected1, expected2;
  double tolerance;  // absolute
};

class InputDirection : public ConvertUnitsTest, public ::testing::WithParamInterface<Given> {};

TEST_P(InputDirection, ConvertsBothValuesInPlace) {
  const Given& g = GetParam();
  double v1 = g.value1;
  double v2 = g.value2;
  EXPECT_TRUE(std::holds_alternative<std::monostate>(ConvertUnits(g.code, g.units, v1, v2)));
  EXPECT_NEAR(v1, g.expected1, g.tolerance);
  EXPECT_NEAR(v2, g.expected2, g.tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, InputDirection,
    ::testing::Values(Given{"TP", "mks", 300, 500, 300, 500, 0},
                      Given{"TP", "", 300, 0.5, 300, 500, 1e-12},
                      Given{"TP", "E", 80.33, 14.7, 300, 101.35, 0.01},
                      Given{"Tvap", "mks", 300, 0, 300, 0, 0},  // v: a specific volume, 0 stays 0
                      Given{"Tvap", "mks", 300, 0.01, 300, 1, 1e-12},  // 0.01 m^3/kg at 100 g/mol
                      Given{"PH", "mks", 500, 200, 500, 20000, 1e-9},
                      Given{"EP", "mks", 200, 500, 20000, 500, 1e-9},
                      Given{"ES", "cgs", 200, 1.5, 20000, 150, 1e-9},
                      Given{"TQ", "E", 80.33, 0.5, 300, 0.5, 0.01},  // Q is no quantity letter
                      Given{"", "mks", 1, 2, 1, 2, 0}, Given{"ph", "cgs", 0.5, 2, 500, 200, 1e-9}));

TEST_F(ConvertUnitsTest, ResultDirectionWorkedExamples) {
  EXPECT_DOUBLE_EQ(Number(Result("-H", "mks", 20000)), 200);
  EXPECT_NEAR(Number(Result("-T", "E", 300)), 80.33, 1e-9);
  EXPECT_DOUBLE_EQ(Number(Result("-P", "", 101.325)), 0.101325);
  EXPECT_DOUBLE_EQ(Number(Result("-K", "", 0.0181)), 18.1);
  EXPECT_DOUBLE_EQ(Number(Result("-D", "mks", 12)), 1200);
  EXPECT_DOUBLE_EQ(Number(Result("-S", "mks", 150)), 1.5);
  EXPECT_DOUBLE_EQ(Number(Result("-E", "mks", 20000)), 200);
}

TEST_F(ConvertUnitsTest, UndefinedMarkerIsReportedAsText) {
  EXPECT_EQ(Text(Result("-T", "mks", -9999990)), "Undefined");
  EXPECT_NEAR(Number(Result("-T", "E", -9999990.5)), -9999990.5 * 1.8 - 459.67, 1e-3);
  EXPECT_EQ(Number(Result("-T", "mks", -10000000)), -10000000);
  EXPECT_EQ(Number(Result("-T", "mks", -9999899)), -9999899);
}

TEST_F(ConvertUnitsTest, UnknownLetterLeavesTheValueUnchanged) {
  EXPECT_EQ(Number(Result("-Q", "mks", 12345)), 12345);
  EXPECT_EQ(Number(Result("-", "mks", 12345)), 12345);
}

TEST_F(ConvertUnitsTest, PendingErrorReturnsTheMessageAndConvertsNothing) {
  Layer().ErrorCode = 3;
  Layer().ErrorText = "SATT: temperature below the triple point";
  double v1 = 0.5;
  double v2 = 100;
  const PropertyResult result = ConvertUnits("PH", "", v1, v2);
  EXPECT_EQ(Text(result), Layer().ErrorText.Str());
  EXPECT_EQ(Text(result).size(), 255u);
  EXPECT_EQ(v1, 0.5);
  EXPECT_EQ(v2, 100);
  EXPECT_EQ(Text(Result("-T", "mks", 300)), Layer().ErrorText.Str());
  EXPECT_TRUE(rec().calls.empty());
}

TEST_F(ConvertUnitsTest, WarningConvertsAsUsual) {
  Layer().ErrorCode = -1;
  EXPECT_DOUBLE_EQ(Number(Result("-P", "", 101.325)), 0.101325);
}

TEST_F(ConvertUnitsTest, ConversionFaultPropagates) {
  rec().script.molar_mass = 0;
  double v1 = 1;
  double v2 = 0;
  EXPECT_THROW(ConvertUnits("-H", "mks", v1, v2), ConversionFault);
}

TEST_F(ConvertUnitsTest, ConvertResultTurnsAFaultIntoAFailedRequest) {
  rec().script.molar_mass = 0;
  const std::string text = Text(ConvertResult("-H", "mks", 20000));
  EXPECT_EQ(Layer().ErrorCode, 1);
  EXPECT_NE(text.find("molar mass"), std::string::npos) << text;
}

}  // namespace
}  // namespace property
