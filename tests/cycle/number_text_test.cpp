#include "cycle/number_text.h"

#include <clocale>

#include <gtest/gtest.h>

#include "cycle/basic_cycle.h"

#include <cmath>
#include <limits>
#include <optional>
#include <span>
#include <string>

namespace {

struct LeadingCase {
  std::string text;
  double expected;
};

TEST(LeadingNumber, TakesTheLongestLeadingDecimalNumber) {
  const LeadingCase cases[] = {
      {"3,5", 3},        {"12 kW", 12},     {"1.5e1", 15},     {" 5 0", 50},
      {"-", 0},          {"", 0},           {"abc", 0},        {"0.0", 0},
      {"1,5", 1},        {"-3.5", -3.5},    {"+7", 7},         {".5", 0.5},
      {"5.", 5},         {"1.2.3", 1.2},    {"2e", 2},         {"2e+", 2},
      {"2E-1", 0.2},     {"\t4\n2", 42},    {"1 e 2", 100},    {"- 4", -4},
      {"12abc", 12},     {"abc12", 0},      {".", 0},          {"+-1", 0},
      {"-.25e+2x", -25}, {"0x10", 0},       {"1e-400", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(cycle::LeadingNumber(c.text), c.expected) << '"' << c.text << '"';
  }
}

TEST(LeadingNumber, AnExponentBeyondTheDoubleRangeReadsAsInfinity) {
  EXPECT_EQ(cycle::LeadingNumber("1e999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(cycle::LeadingNumber("-1e999"), -std::numeric_limits<double>::infinity());
}

// Too small for a double reads as 0 whether written with an exponent or as
// "0." followed by 400 zeros and a digit; blanks between the digits count
// nowhere here either.
TEST(LeadingNumber, ATinyNumberReadsAs0HoweverItIsWritten) {
  const std::string zeros(400, '0');
  EXPECT_EQ(cycle::LeadingNumber("1e-401"), 0);
  EXPECT_EQ(cycle::LeadingNumber("0." + zeros + "1"), 0);
  EXPECT_EQ(cycle::LeadingNumber(" 0. " + zeros + " 1 kg/s"), 0);
  EXPECT_EQ(cycle::LeadingNumber("1" + zeros), std::numeric_limits<double>::infinity());
}

// Every number a user types is read one way: wholly a number, or refused
// with the field's name.
TEST(WholeNumber, TakesATextThatIsOneFiniteNumberAndNothingElse) {
  const struct {
    std::string text;
    std::optional<double> expected;
  } cases[] = {
      {"1.5", 1.5},       {" 1.5\t", 1.5},  {"1 500", 1500},   {"-3.5", -3.5},    {"+7", 7},
      {".5", 0.5},        {"5.", 5},         {"1.5e1", 15},     {"2E-1", 0.2},     {"0", 0},
      {"1e-400", 0},      {"\t4\n2", 42},    {"1,5", {}},       {"3,5", {}},       {"12abc", {}},
      {"12 kW", {}},      {"1.2.3", {}},     {"2e", {}},        {"", {}},          {"  ", {}},
      {"-", {}},          {".", {}},         {"abc", {}},       {"nan", {}},       {"inf", {}},
      {"1e999", {}},      {"-1e999", {}},    {"0x10", {}},      {"+-1", {}},       {"1\r", {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(cycle::WholeNumber(c.text), c.expected) << '"' << c.text << '"';
  }
}

TEST(NumberRefusal, NamesTheFieldAndThePointOrTheRange) {
  const std::string long_text(100'000, '7');
  const struct {
    std::string text;
    std::string message;
  } cases[] = {
      {"1,5", "Subcooling: \"1,5\" is not a number (the decimal separator is a point)"},
      {"12abc", "Subcooling: \"12abc\" is not a number (the decimal separator is a point)"},
      {"", "Subcooling: \"\" is not a number (the decimal separator is a point)"},
      {"1e999", "Subcooling is out of range"},
      {" - 1 e 999 ", "Subcooling is out of range"},
      {long_text + "x", "Subcooling: \"" + std::string(60, '7') + "..." + std::string(16, '7') +
                            "x\" is not a number (the decimal separator is a point)"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(cycle::NumberRefusal("Subcooling", c.text), c.message) << c.text.substr(0, 20);
  }
}

TEST(FirstNumberRefusal, RefusesTheFirstFieldThatIsNotANumber) {
  const cycle::TypedField fields[] = {{"A", " 1 "}, {"B", "2,5"}, {"C", "x"}};
  EXPECT_EQ(cycle::FirstNumberRefusal(fields),
            "B: \"2,5\" is not a number (the decimal separator is a point)");
  EXPECT_EQ(cycle::FirstNumberRefusal(std::span(fields, 1)), std::nullopt);
}

// The one rule for shown figures: the page's pattern, but never a non-zero
// value shown as 0, never fewer than three significant digits below 1, and
// the exponent form where a fixed text would run long.
TEST(FormatFixed, ShowsEveryFigureByOneRule) {
  const struct {
    double value;
    int decimals;
    std::string expected;
  } cases[] = {
      // The pattern, rounded half away from zero on the shortest text.
      {3.456, 2, "3.46"},
      {1.005, 2, "1.01"},
      {-1.005, 2, "-1.01"},
      {2.125, 2, "2.13"},
      {2.5, 0, "3"},
      {9.999, 2, "10.00"},
      {-9.995, 2, "-10.00"},
      {7, 2, "7.00"},
      {-273.15, 2, "-273.15"},
      {44.423164813590766, 2, "44.42"},
      {123456789.125, 2, "123456789.13"},
      {999999999999999.9, 0, "1000000000000000"},
      // Zero shows the pattern, and never with a sign.
      {0, 4, "0.0000"},
      {-0.0, 2, "0.00"},
      // Below 1: the pattern where it shows three significant digits...
      {0.0049996, 5, "0.00500"},
      {0.0080236887549825255, 5, "0.00802"},
      {0.011634431028973227, 4, "0.0116"},
      {0.5, 4, "0.5000"},
      // ... else three significant digits in fixed point, down to 1e-6.
      {0.5, 2, "0.500"},
      {0.125, 2, "0.125"},
      {0.99996, 2, "1.000"},
      {0.00096, 2, "0.000960"},
      {0.000959996, 2, "0.000960"},
      {-0.001, 2, "-0.00100"},
      {-0.005, 2, "-0.00500"},
      {-0.00005, 4, "-0.0000500"},
      {0.00001234, 4, "0.0000123"},
      {0.3, 0, "0.300"},
      {1e-6, 2, "0.00000100"},
      // Below 1e-6, and from 1e15 up: exponent form, three significant digits.
      {9.6e-8, 2, "9.60e-08"},
      {-9.6e-8, 2, "-9.60e-08"},
      {9.9999e-7, 2, "1.00e-06"},
      {1e-300, 2, "1.00e-300"},
      {1.234e-7, 10, "0.0000001234"},
      {1e15, 2, "1.00e+15"},
      {1e20, 2, "1.00e+20"},
      {2.0906726810331616e301, 2, "2.09e+301"},
      {-9.996e20, 2, "-1.00e+21"},
      {std::numeric_limits<double>::max(), 2, "1.80e+308"},
      {-std::numeric_limits<double>::denorm_min(), 5, "-5.00e-324"},
      // Not finite.
      {std::numeric_limits<double>::quiet_NaN(), 2, "NaN"},
      {std::numeric_limits<double>::infinity(), 2, "Infinity"},
      {-std::numeric_limits<double>::infinity(), 2, "-Infinity"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(cycle::FormatFixed(c.value, c.decimals), c.expected)
        << c.value << " with " << c.decimals << " decimals";
  }
}

// The result pages' own patterns: exactly the pattern for every value it
// shows as a number, FormatFixed only where it would show zero or hundreds
// of digits.
TEST(FormatPattern, KeepsThePatternUnlessItWouldHideTheValue) {
  const struct {
    double value;
    int decimals;
    std::string expected;
  } cases[] = {
      {0.5, 2, "0.50"},
      {0.05, 2, "0.05"},
      {-0.05, 2, "-0.05"},
      {0.00096, 5, "0.00096"},
      {1.005, 2, "1.01"},
      {0, 2, "0.00"},
      {-0.0, 2, "0.00"},
      {0.004, 2, "0.00400"},
      {-0.00004, 4, "-0.0000400"},
      {0.000282, 2, "0.000282"},
      {9.6e-8, 2, "9.60e-08"},
      {1e300, 2, "1.00e+300"},
      {std::numeric_limits<double>::quiet_NaN(), 2, "NaN"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(cycle::FormatPattern(c.value, c.decimals), c.expected)
        << c.value << " with " << c.decimals << " decimals";
  }
}

}  // namespace

// The desktop toolkit adopts the user's locale, where the decimal separator
// may be a comma; fields must still read "3.5" as 3.5, figures print with
// ".", and the library's messages too. (The test locale is built by the test
// build and found through LOCPATH.)
TEST(NumberText, ReadAndWrittenWithAPointUnderADecimalCommaLocale) {
  const std::string before = std::setlocale(LC_NUMERIC, nullptr);
  ASSERT_NE(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"), nullptr) << "decimal-comma test locale missing";

  EXPECT_EQ(cycle::LeadingNumber("3.5"), 3.5);
  EXPECT_EQ(cycle::LeadingNumber("1.5e1 kW"), 15);
  EXPECT_EQ(cycle::FormatFixed(3.456, 2), "3.46");
  EXPECT_EQ(cycle::FormatFixed(-0.0049996, 5), "-0.00500");

  // A condensing temperature above R22's critical point fails in the library.
  cycle::BasicCycleInput input{"R22", 1, 50, 3.5, 4, 130.5, 100, 80};
  const auto outcome = cycle::CalcBasicCycle(input);
  ASSERT_TRUE(std::holds_alternative<std::string>(outcome));
  EXPECT_NE(std::get<std::string>(outcome).find("temperature 130.50 'C is above the critical "
                                                "temperature 96.15 'C"),
            std::string::npos)
      << std::get<std::string>(outcome);

  std::setlocale(LC_NUMERIC, before.c_str());
}

namespace {

TEST(FormatSignificant, KeepsTheSignificantDigitsOfFiguresOfAnySize) {
  const struct {
    double value;
    const char* text;
  } cases[] = {{0.00024, "0.00024"}, {0.0275, "0.0275"}, {0.027549, "0.0275"},
               {1, "1"},             {0.05, "0.05"},     {0, "0"},
               {12.34, "12.3"},      {-0.0012345, "-0.00123"},
               {1430.6, "1431"},     {0.001, "0.001"},   {2e-8, "0.00000002"},
               {1e300, "1.00e+300"}};
  for (const auto& c : cases) EXPECT_EQ(cycle::FormatSignificant(c.value, 3), c.text) << c.value;
}

}  // namespace
