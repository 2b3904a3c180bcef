// The sources of the equations of state: a pure fluid's own, and one line
// per component of a blend, a mixture file, a spelled mixture or AIR.
#include "report/equation_sources.h"

#include <gtest/gtest.h>

namespace report {
namespace {

TEST(EquationSources, OneLinePerPureFluidOfTheRefrigerant) {
  const struct {
    const char* refrigerant;
    std::vector<const char*> starts;  // each line begins with its fluid's name
  } cases[] = {
      {"R134a", {"R134a: "}},
      {"r290", {"n-Propane: "}},
      {"R407C", {"R32: ", "R125: ", "R134a: "}},
      {"r407c.MIX", {"R32: ", "R125: ", "R134a: "}},
      {"R32,0.7,R1234yf,0.3", {"R32: ", "R1234yf: "}},
      {"air", {"Nitrogen: ", "Argon: ", "Oxygen: "}},
  };
  for (const auto& c : cases) {
    const auto lines = EquationSources(c.refrigerant);
    ASSERT_EQ(lines.size(), c.starts.size()) << c.refrigerant;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      EXPECT_EQ(lines[i].rfind(c.starts[i], 0), 0u) << lines[i];
      EXPECT_GT(lines[i].size(), 40u) << "a citation follows: " << lines[i];
    }
  }
  EXPECT_NE(EquationSources("R134a").front().find("Tillner-Roth"), std::string::npos);
}

TEST(EquationSources, SaysWhenNoFluidFileDescribesAName) {
  EXPECT_EQ(EquationSources("R999"), std::vector<std::string>{"R999: no fluid file of this name"});
}

}  // namespace
}  // namespace report
