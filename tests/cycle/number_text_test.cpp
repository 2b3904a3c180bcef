#include "cycle/number_text.h"

#include <clocale>

#include <gtest/gtest.h>

#include "cycle/basic_cycle.h"

#include <cmath>
#include <limits>
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

struct FixedCase {
  double value;
  int decimals;
  std::string expected;
};

TEST(FormatFixed, RoundsHalfAwayFromZeroWithAPointAndNoNegativeZero) {
  const FixedCase cases[] = {
      {3.456, 2, "3.46"},
      {0.0049996, 5, "0.00500"},
      {-0.001, 2, "0.00"},
      {-0.0, 2, "0.00"},
      {0, 4, "0.0000"},
      {1.005, 2, "1.01"},
      {-1.005, 2, "-1.01"},
      {0.125, 2, "0.13"},
      {2.5, 0, "3"},
      {9.999, 2, "10.00"},
      {-9.995, 2, "-10.00"},
      {-0.005, 2, "-0.01"},
      {-0.00005, 4, "-0.0001"},
      {0.00001234, 4, "0.0000"},
      {123456789.125, 2, "123456789.13"},
      {1e20, 2, "100000000000000000000.00"},
      {1e-300, 2, "0.00"},
      {44.423164813590766, 2, "44.42"},
      {0.0080236887549825255, 5, "0.00802"},
      {0.011634431028973227, 4, "0.0116"},
      {-273.15, 2, "-273.15"},
      {7, 2, "7.00"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(cycle::FormatFixed(c.value, c.decimals), c.expected)
        << c.value << " with " << c.decimals << " decimals";
  }
}

TEST(FormatFixed, HandlesTheExtremesOfTheDoubleRange) {
  const std::string largest = cycle::FormatFixed(std::numeric_limits<double>::max(), 2);
  EXPECT_EQ(largest.size(), 309u + 3u);
  EXPECT_EQ(largest.substr(0, 6), "179769");
  EXPECT_EQ(cycle::FormatFixed(-std::numeric_limits<double>::denorm_min(), 5), "0.00000");
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
  } cases[] = {{0.00024, "0.00024"}, {0.0275, "0.0275"}, {0.027549, "0.0275"}, {1, "1"},
               {0.05, "0.05"},       {0, "0"},           {12.34, "12.3"},     {-0.0012345, "-0.00123"}};
  for (const auto& c : cases) EXPECT_EQ(cycle::FormatSignificant(c.value, 3), c.text) << c.value;
}

}  // namespace
