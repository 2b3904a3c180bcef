// The names the refrigerant boxes suggest, from the shipped fluid and mixture
// files through the real property layer.
#include "cycle/refrigerant_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <vector>

#include "cycle/screening.h"

namespace {

using cycle::RefrigerantName;

const std::vector<RefrigerantName>& Names() {
  static const auto names = cycle::ListRefrigerantNames();
  return names;
}

std::optional<RefrigerantName> Find(const std::string& name) {
  const auto& all = Names();
  const auto found = std::find_if(all.begin(), all.end(),
                                  [&](const RefrigerantName& n) { return n.name == name; });
  if (found == all.end()) return std::nullopt;
  return *found;
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// Critical temperatures of the fluid files (K) and of the blends' critical
// points less 273.15; the safety class as the files or the blend's
// designation give it.
struct Expected {
  const char* name;
  double critical;  // degrees C
  std::optional<std::string> safety_class;
};

TEST(ListRefrigerantNames, FileNamesAliasesAndBlendsWithCriticalTemperatureAndClass) {
  const Expected expected[] = {
      {"R1233zd(E)", 438.86 - 273.15, "A1"},
      {"R1233zdE", 438.86 - 273.15, "A1"},  // an alias
      {"n-Propane", 369.89 - 273.15, "A3"},
      {"R290", 369.89 - 273.15, "A3"},  // an alias
      {"Propane", 369.89 - 273.15, "A3"},
      {"R134a", 374.21 - 273.15, "A1"},
      {"R410A", 344.494 - 273.15, "A1"},  // a blend
      {"R407C", 86.0, "A1"},
  };
  for (const Expected& e : expected) {
    const auto found = Find(e.name);
    ASSERT_TRUE(found.has_value()) << e.name;
    ASSERT_TRUE(found->critical_temperature.has_value()) << e.name;
    EXPECT_NEAR(*found->critical_temperature, e.critical, e.name == std::string("R407C") ? 1 : 0.01)
        << e.name;
    EXPECT_EQ(found->safety_class, e.safety_class) << e.name;
  }
}

TEST(ListRefrigerantNames, EveryFluidAndBlendOfTheScreeningIsNamed) {
  for (const auto& fluid : cycle::FindScreeningCandidates().fluids) {
    EXPECT_TRUE(Find(fluid.name).has_value()) << fluid.name;
  }
}

TEST(ListRefrigerantNames, EachNameOnceSortedWithoutRegardToCase) {
  const auto& names = Names();
  ASSERT_GT(names.size(), 300u);  // 131 fluids with their aliases and over a hundred blends
  for (std::size_t i = 1; i < names.size(); ++i) {
    EXPECT_LT(Lower(names[i - 1].name), Lower(names[i].name))
        << names[i - 1].name << " before " << names[i].name;
  }
}

}  // namespace
