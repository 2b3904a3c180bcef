// The pieces of text the tables are made of.
#include "html_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace document {
namespace {

const std::string kDashText(kDash);

TEST(Fixed, RoundsToTheDecimalsAndNeverShowsANegativeZero) {
  // Figures below 1 keep three significant digits, as everywhere in the program.
  struct Case {
    std::optional<double> value;
    int decimals;
    std::string text;
  };
  const Case cases[] = {
      {101.0597, 2, "101.06"},      {-26.0743, 2, "-26.07"}, {102.032, 3, "102.032"},
      {-0.004, 2, "-0.00400"},          {0.0, 0, "0"},           {1e6, 1, "1000000.0"},
      {std::nullopt, 2, kDashText},
  };
  for (const auto& c : cases) EXPECT_EQ(Fixed(c.value, c.decimals), c.text) << c.text;
}

TEST(Fixed, ShowsADashForWhatIsNotANumber) {
  EXPECT_EQ(Fixed(std::numeric_limits<double>::quiet_NaN(), 2), kDashText);
  EXPECT_EQ(Fixed(std::numeric_limits<double>::infinity(), 2), kDashText);
}

TEST(Short, KeepsAFewSignificantDigitsWithoutAnExponent) {
  struct Case {
    std::optional<double> value;
    int digits;
    std::string text;
  };
  const Case cases[] = {
      {1430, 3, "1430"},
      {3921.6, 3, "3922"},
      {42239529.09, 3, "42239529"},
      {2.9, 3, "2.9"},
      {1.0, 3, "1"},
      {0.022, 3, "0.022"},
      {0.00024, 3, "0.00024"},
      {0.0000123456, 3, "0.0000123"},
      {0, 3, "0"},
      {0.0000161, 4, "0.0000161"},
      {32.4437, 4, "32.44"},
      {0.70181, 4, "0.7018"},
      {std::nullopt, 3, kDashText},
  };
  for (const auto& c : cases) EXPECT_EQ(Short(c.value, c.digits), c.text) << c.text;
}

TEST(Escape, EscapesTheMarkupCharacters) {
  EXPECT_EQ(Escape("Energy & Fuels <\"x\">"), "Energy &amp; Fuels &lt;&quot;x&quot;&gt;");
  EXPECT_EQ(Escape("R1234ze(E)"), "R1234ze(E)");
}

TEST(FormulaHtml, WritesCountsAsSubscriptsAndLeavesOutOnes) {
  EXPECT_EQ(FormulaHtml("C_{2}F_{4}H_{2}"), "C<sub>2</sub>F<sub>4</sub>H<sub>2</sub>");
  EXPECT_EQ(FormulaHtml("H_{2}O_{1}"), "H<sub>2</sub>O");
  EXPECT_EQ(FormulaHtml("C_{10}H_{30}O_{5}Si_{5}"),
            "C<sub>10</sub>H<sub>30</sub>O<sub>5</sub>Si<sub>5</sub>");
  // Formulas written another way, and broken ones, stay as they are.
  EXPECT_EQ(FormulaHtml("ClCH=CHCl (trans)"), "ClCH=CHCl (trans)");
  EXPECT_EQ(FormulaHtml("C_{2<x"), "C_{2&lt;x");
  EXPECT_EQ(FormulaHtml(""), "");
}

}  // namespace
}  // namespace document
