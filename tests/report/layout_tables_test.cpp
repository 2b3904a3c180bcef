// The layouts side by side as the Compare Layouts table shows them: each
// layout's figures, or why it was refused, and what to know of it.
#include <gtest/gtest.h>

#include "cycle/number_text.h"
#include "report/layout_tables.h"

namespace report {
namespace {

TEST(CompareLayoutsTable, ShowsEachLayoutsFiguresOrWhyItWasRefused) {
  cycle::LayoutInput input;
  input.Refrigerant = "R1336mzz(Z)";
  input.IhxEffectiveness = "80";
  auto outcomes = cycle::CompareLayouts(input);
  input.Refrigerant = "R450A";
  outcomes.push_back(cycle::CalcLayout(cycle::Layout::flash_tank, input));
  const CsvTable table = CompareLayoutsTable(outcomes);
  EXPECT_EQ(table.Header(),
            (std::vector<std::string>{"Layout", "COP (-)", "VHC (kJ/m3)",
                                      "Discharge temperature (\u00b0C)", "Injection ratio (kg/kg)",
                                      "Exergy efficiency (%)", "Note"}));
  ASSERT_EQ(table.Rows().size(), 5u);
  const auto& basic = table.Rows()[0];
  const auto& r = *outcomes[0].result();
  EXPECT_EQ(basic[0], "Basic cycle");
  EXPECT_EQ(basic[1], cycle::FormatFixed(r.cop, 3));
  EXPECT_EQ(basic[3], "two-phase");
  EXPECT_EQ(basic[5], cycle::FormatFixed(100 * r.exergy_efficiency, 1));
  EXPECT_EQ(basic[6].rfind("wet compression; the discharge is two-phase (vapour quality 0.9", 0), 0u)
      << basic[6];
  // The internal heat exchanger dries the compression; injection cools it.
  const auto& ihx = table.Rows()[1];
  EXPECT_EQ(ihx[3], cycle::FormatFixed(outcomes[1].result()->discharge_temperature, 2));
  EXPECT_EQ(ihx[4], "0.0000");
  EXPECT_EQ(ihx[6], "");
  EXPECT_EQ(table.Rows()[2][0], "Economizer with vapour injection");
  EXPECT_EQ(table.Rows()[2][4], cycle::FormatFixed(outcomes[2].result()->injection_ratio, 4));
  const auto& refused = table.Rows()[4];
  EXPECT_EQ(refused[0], "Flash tank with vapour injection");
  EXPECT_EQ(refused[1], "");
  EXPECT_EQ(refused[6].rfind("refused: R450A is a blend", 0), 0u) << refused[6];
}

}  // namespace
}  // namespace report
