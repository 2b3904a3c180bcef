#include "property/unit_catalogue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "recording_fixture.h"

namespace property {
namespace {

using testing::Number;

class UnitCatalogue : public testing::Recorded {
 protected:
  void SetUp() override {
    Recorded::SetUp();
    rec().script.molar_mass = 102.03;
  }

  static double Convert(double value, const char* quantity, const char* from, const char* to) {
    return Number(ConvertUnit(value, quantity, from, to));
  }
};

struct Conversion {
  const char* quantity;
  const char* from;
  const char* to;
  double value;
  double expected;
  double tolerance;  // relative; absolute when expecting 0; 0: exact
};

void PrintTo(const Conversion& c, std::ostream* os) {
  *os << c.quantity << " " << c.value << " " << c.from << " -> " << c.to;
}

class CatalogueConversions : public UnitCatalogue,
                             public ::testing::WithParamInterface<Conversion> {};

TEST_P(CatalogueConversions, Convert) {
  const Conversion& c = GetParam();
  const double result = Convert(c.value, c.quantity, c.from, c.to);
  if (c.tolerance == 0) {
    EXPECT_EQ(result, c.expected);
  } else if (c.expected == 0) {
    EXPECT_NEAR(result, 0, c.tolerance);
  } else {
    EXPECT_NEAR(result, c.expected, std::fabs(c.expected) * c.tolerance);
  }
}

// M = 102.03 g/mol throughout.
INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, CatalogueConversions,
    ::testing::Values(
        Conversion{"D", "KG/M^3", "MOL/L", 1200, 11.7612, 1e-5},
        Conversion{"D", "MOL/DM^3", "M^3/KG", 11.7612, 0.00083333, 1e-5},
        Conversion{"H", "J/MOL", "KJ/KG", 20406, 200, 1e-12},
        Conversion{"T", "C", "F", 25, 77, 1e-12}, Conversion{"P", "ATM", "PSIA", 1, 14.6959, 1e-5},
        Conversion{"U", "UPA-S", "CENTIPOISE", 11.0, 0.011, 1e-12},
        Conversion{"T", "K", "R", 300, 540, 1e-12}, Conversion{"T", "F", "C", 32, 0, 1e-12},
        Conversion{"P", "PSIG", "PSIA", 0, 14.6959, 1e-5},
        Conversion{"P", "BAR GAGE", "BAR", 1, 2.01325, 1e-12},
        Conversion{"P", "KPA GAGE", "KPA", 0, 101.325, 1e-12},
        Conversion{"P", "MPA", "PSI VACM", 0.05, 7.44406, 1e-5},
        Conversion{"P", "KPA", "KPA-GAGE", 201.325, 100, 1e-12},
        Conversion{"D", "KG/M^3", "KG/M^3", 0, 0, 0},
        Conversion{"D", "MOL/L", "L/MOL", 0, 1e50, 1e-12},
        Conversion{"D", "MOL/L", "CC/MOL", 0, 1e53, 1e-12},
        Conversion{"D", "L/MOL", "CC/MOL", 0, 0, 0}, Conversion{"D", "MOL/L", "MOL/L", 1e-31, 0, 0},
        Conversion{"W", "M^2/S^2", "M/S", 40000, 200, 1e-12},
        Conversion{"W", "M/S", "M^2/S^2", 200, 40000, 1e-12},
        Conversion{"S", "CP/R", "J/MOL-K", 3.5, 29.100652, 1e-9},
        Conversion{"E", "KW-H", "MJ", 1, 3.6, 1e-12},
        Conversion{"D", "DM^3/G", "M^3/KG", 0.5, 0.5, 1e-12},
        Conversion{"N", "DYN/CM", "MN/M", 72.8, 72.8, 1e-12},
        Conversion{"F", "LBF", "N", 1, 4.4482216152605, 1e-12}));

// The derived constants as the catalogue states them.
INSTANTIATE_TEST_SUITE_P(
    DerivedConstants, CatalogueConversions,
    ::testing::Values(Conversion{"D", "LB/FT^3", "KG/M^3", 1, 16.0184633739601, 1e-13},
                      Conversion{"D", "LBMOL/FT^3", "MOL/L", 1, 16.0184633739601, 1e-13},
                      Conversion{"D", "SLUG/FT^3", "KG/M^3", 1, 515.378818393196, 1e-13},
                      Conversion{"D", "LB/GAL", "KG/M^3", 1, 119.826427316897, 1e-13},
                      Conversion{"D", "FT^3/LB", "M^3/KG", 1, 1 / 16.0184633739601, 1e-13},
                      Conversion{"H", "BTU/LB", "KJ/KG", 1, 2.32444444444444, 1e-13},
                      Conversion{"H", "BTU/LBMOL", "J/MOL", 1, 2.32444444444444, 1e-13},
                      Conversion{"S", "BTU/LB-R", "KJ/KG-K", 1, 4.184, 1e-13},
                      Conversion{"S", "BTU/LBMOL-R", "J/MOL-K", 1, 4.184, 1e-13},
                      Conversion{"S", "FT-LBF/LBMOL-R", "J/MOL-K", 1, 0.005380320456, 1e-9},
                      Conversion{"W", "MACH", "M/S", 1, 346.187543707241, 1e-13},
                      Conversion{"N", "LBF/FT", "N/M", 1, 14.59390293720637, 1e-13},
                      Conversion{"P", "ATMA", "KPA", 1, 98.0665, 1e-13},
                      Conversion{"P", "INHG", "KPA", 1, 3.386388157894737, 1e-13},
                      Conversion{"K", "BTU/H-FT-F", "W/M-K", 1, 1.729577206, 1e-9},
                      Conversion{"M", "TON", "LB", 1, 2000, 1e-13},
                      Conversion{"Q", "HP", "W", 1, 745.6998715822701, 1e-13},
                      Conversion{"V", "GAL", "QT", 1, 4, 1e-13}));

// Names match after trimming and upper-casing; unknown names and codes leave
// the value alone.
INSTANTIATE_TEST_SUITE_P(
    NamesAndUnknowns, CatalogueConversions,
    ::testing::Values(Conversion{" h ", " kj/kg ", "J/mol", 1, 102.03, 1e-12},
                      Conversion{"P", "mpa-s", "KPA", 1, 1000, 1e-12},    // a pressure: MPa
                      Conversion{"U", "mpa-s", "PA-S", 1, 0.001, 1e-12},  // a viscosity: mPa-s
                      Conversion{"X", "KPA", "MPA", 123, 123, 0},
                      Conversion{"L", "FURLONG", "M", 7, 7, 0},
                      Conversion{"L", "M", "FURLONG", 7, 7, 0},
                      Conversion{"T", "K", " ", 300, 300, 0},
                      Conversion{"P", "PSI", "GAGE", 0, -0.101325, 1e-12}));

TEST_F(UnitCatalogue, HasEveryNameOnce) {
  const auto units = CataloguedUnits();
  EXPECT_EQ(units.size(), 243u);
  std::set<std::string> seen;
  for (const auto& [quantity, unit] : units) {
    EXPECT_TRUE(seen.insert(std::string(quantity) + ":" + std::string(unit)).second)
        << quantity << " " << unit;
  }
}

TEST_F(UnitCatalogue, EveryUnitConvertsToItselfUnchanged) {
  for (const auto& [quantity, unit] : CataloguedUnits()) {
    for (const double value : {0.75, 310.5, 1234.5}) {
      const std::string name(unit);
      const double result =
          Convert(value, std::string(quantity).c_str(), name.c_str(), name.c_str());
      EXPECT_NEAR(result, value, 1e-12 * value) << quantity << " " << unit;
    }
  }
}

TEST_F(UnitCatalogue, EmptyTargetReturnsTheValueAsGiven) {
  EXPECT_EQ(ConvertUnit(std::string("abc"), "T", "K", ""), Value(std::string("abc")));
  EXPECT_EQ(ConvertUnit(300.0, "T", "C", ""), Value(300.0));
  EXPECT_TRUE(rec().calls.empty()) << "the library is not asked";
}

TEST_F(UnitCatalogue, TextThatReadsAsANumberIsConverted) {
  EXPECT_EQ(Number(ConvertUnit(std::string(" 25 "), "T", "C", "K")), 298.15);
  EXPECT_EQ(Number(ConvertUnit(Value{}, "T", "K", "K")), 0);
}

TEST_F(UnitCatalogue, AsksTheMolarMassOnEveryCallWithTheComposition) {
  Layer().Composition.at(1) = 0.5;
  Layer().Composition.at(2) = 0.5;
  Convert(1, "T", "K", "C");
  Convert(1, "X", "A", "B");
  const auto calls = rec().CallsTo("WMOLdll");
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].x[0], 0.5);
  EXPECT_EQ(calls[0].x[1], 0.5);
}

struct Fault {
  Value value;
  const char* quantity;
  const char* from;
  const char* to;
  const char* words;  // what the message must contain
};

class ConversionFaults : public UnitCatalogue, public ::testing::WithParamInterface<Fault> {};

TEST_P(ConversionFaults, FailWithAClearMessage) {
  rec().script.molar_mass = 0;  // as with no fluid loaded
  const Fault& f = GetParam();
  try {
    ConvertUnit(f.value, f.quantity, f.from, f.to);
    ADD_FAILURE() << "no fault";
  } catch (const ConversionFault& fault) {
    EXPECT_NE(std::string(fault.what()).find(f.words), std::string::npos) << fault.what();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ConversionFaults,
    ::testing::Values(Fault{std::string("abc"), "T", "K", "C", "\"abc\" is not a number"},
                      Fault{std::string(""), "T", "K", "C", "is not a number"},
                      Fault{std::string("12 kW"), "Q", "KW", "W", "is not a number"},
                      Fault{20406.0, "H", "J/MOL", "KJ/KG", "molar mass"},
                      Fault{200.0, "H", "KJ/KG", "J/MOL", "molar mass"},
                      Fault{1.0, "D", "MOL/L", "M^3/KG", "molar mass"},
                      Fault{1e300, "L", "PARSEC", "MM", "Arithmetic fault"},
                      Fault{-4.0, "W", "M^2/S^2", "M/S", "Arithmetic fault"},
                      Fault{std::nan(""), "T", "K", "K", "Arithmetic fault"}));

TEST_F(UnitCatalogue, MolarMassNotNeededNoFaultWithoutIt) {
  rec().script.molar_mass = 0;
  EXPECT_EQ(Convert(101.325, "P", "KPA", "MPA"), 0.101325);
}

}  // namespace
}  // namespace property
