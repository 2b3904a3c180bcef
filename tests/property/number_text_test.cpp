#include "property/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

const double kInf = std::numeric_limits<double>::infinity();

// A number written without an exponent: "0." and zeros before the digit, or
// the digit and zeros after it.
std::string Small(int zeros, std::string_view tail = "1", std::string_view sign = "") {
  return std::string(sign).append("0.").append(static_cast<std::size_t>(zeros), '0').append(tail);
}
std::string Large(int zeros, std::string_view sign = "") {
  return std::string(sign).append("1").append(static_cast<std::size_t>(zeros), '0');
}

struct Case {
  std::string text;
  double expected;
};

// Beyond the double range either way, the same number reads alike however it
// is written: too small for a double is 0, too large is infinite.
TEST(LeadingNumber, ReadsANumberBeyondTheDoubleRangeByItsSize) {
  const Case cases[] = {
      {"1e-401", 0},
      {Small(400), 0},
      {Small(400, "1", "-"), 0},
      {Small(400, "9e5"), 0},
      {"123456e-330", 0},
      {"1e999", kInf},
      {Large(400), kInf},
      {Large(400, "-"), -kInf},
      {Small(399, "1e800"), kInf},
      {Large(400).append("e-300"), 1e100},
      {Small(400, "1e400"), 1e-1},
      {"1e-99999999999999999999", 0},
      {"1e+99999999999999999999", kInf},
      {"5e-324", 5e-324},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(property::LeadingNumber(c.text), c.expected) << c.text.substr(0, 60);
  }
  EXPECT_TRUE(std::signbit(property::LeadingNumber(Small(400, "1", "-"))));
}

TEST(ParseNumber, TakesOnlyWholeFiniteNumbers) {
  EXPECT_EQ(property::ParseNumber(" 0.25 "), 0.25);
  EXPECT_EQ(property::ParseNumber(Small(400)), 0.0);
  EXPECT_FALSE(property::ParseNumber(Large(400)));
  EXPECT_FALSE(property::ParseNumber("0.25x"));
  EXPECT_FALSE(property::ParseNumber(""));
}

}  // namespace
