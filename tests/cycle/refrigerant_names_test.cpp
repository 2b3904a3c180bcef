// The fluids the refrigerant boxes suggest and hpcalc fluids lists, read from
// the shipped fluid and mixture files, against the property library's own
// figures.
#include "cycle/refrigerant_names.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cycle/screening.h"
#include "property/property_functions.h"

namespace {

using catalogue::ListedFluid;

const std::vector<ListedFluid>& Listed() {
  static const auto list = cycle::ListRefrigerants();
  return list.fluids;
}

const ListedFluid* Find(const std::string& name) {
  const auto& all = Listed();
  const auto found =
      std::find_if(all.begin(), all.end(), [&](const ListedFluid& f) { return f.name == name; });
  return found == all.end() ? nullptr : &*found;
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// The library's critical temperature, 'C.
std::optional<double> LibraryCriticalTemperature(const std::string& name) {
  const auto kelvin = property::CriticalPoint(name, "T", "mks");
  if (!std::holds_alternative<double>(kelvin)) return std::nullopt;
  return std::get<double>(kelvin) - 273.15;
}

// Critical temperatures of the fluid files (K) and of the blends' critical
// points less 273.15; the safety class as the files or the blend's
// designation give it.
struct Expected {
  const char* name;
  bool blend;
  const char* alias;  // one of its other names; "" for none
  double critical;    // degrees C
  std::optional<std::string> safety_class;
  std::optional<double> gwp;
};

TEST(ListRefrigerants, NamesAliasesCriticalTemperatureClassAndGwpFromTheFiles) {
  const Expected expected[] = {
      {"R1233zd(E)", false, "R1233zdE", 438.86 - 273.15, "A1", 1},
      {"n-Propane", false, "R290", 369.89 - 273.15, "A3", 3},
      {"R1234ze(E)", false, "R1234ZE", 382.513 - 273.15, "A2L", 6},
      {"R134a", false, "", 374.21 - 273.15, "A1", 1430},
      {"Water", false, "R718", 647.096 - 273.15, "A1", std::nullopt},
      // Blends: GWP by mass of the components' (R410A 2088, R407C 1774 as published).
      {"R410A", true, "", 344.494 - 273.15, "A1", 2087.5},
      {"R407C", true, "", 86.14, "A1", 1774},
  };
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.name);
    const ListedFluid* found = Find(e.name);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->blend, e.blend);
    if (*e.alias != '\0') {
      EXPECT_NE(std::find(found->aliases.begin(), found->aliases.end(), e.alias),
                found->aliases.end());
    } else {
      EXPECT_TRUE(found->aliases.empty());
    }
    ASSERT_TRUE(found->critical_temperature.has_value());
    EXPECT_NEAR(*found->critical_temperature, e.critical, 0.01);
    EXPECT_EQ(found->safety_class, e.safety_class);
    ASSERT_EQ(found->gwp100.has_value(), e.gwp.has_value());
    if (e.gwp) {
      EXPECT_NEAR(*found->gwp100, *e.gwp, 0.5);
    }
  }
}

// What the files state is what the library computes: a fluid file's critical
// point, and the critical temperature each mixture file states for its blend
// (tools/make_mixture_files.py writes it; run it again when this fails).
TEST(ListRefrigerants, EveryCriticalTemperatureIsTheLibrarys) {
  ASSERT_GT(Listed().size(), 250u);
  for (const ListedFluid& fluid : Listed()) {
    SCOPED_TRACE(fluid.name);
    const auto library = LibraryCriticalTemperature(fluid.name);
    ASSERT_EQ(fluid.critical_temperature.has_value(), library.has_value());
    if (library) {
      EXPECT_NEAR(*fluid.critical_temperature, *library, 1e-6);
    }
  }
}

TEST(ListRefrigerants, EveryFluidOfTheScreeningOnceWithNamesNoOtherHas) {
  const auto candidates = cycle::FindScreeningCandidates().fluids;
  ASSERT_EQ(Listed().size(), candidates.size());
  std::map<std::string, std::string> owner;  // lower-case name -> the fluid it names
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    const ListedFluid& fluid = Listed()[i];
    EXPECT_EQ(fluid.name, candidates[i].name) << "in the screening's order";
    EXPECT_EQ(fluid.blend, candidates[i].kind == cycle::FluidKind::blend);
    std::vector<std::string> names{fluid.name};
    names.insert(names.end(), fluid.aliases.begin(), fluid.aliases.end());
    for (const std::string& name : names) {
      const auto [at, fresh] = owner.emplace(Lower(name), fluid.name);
      EXPECT_TRUE(fresh) << name << " names " << at->second << " and " << fluid.name;
    }
  }
}

// A mixture file of the user's own states no critical temperature: the list
// asks the library, which sets the blend up.
TEST(ListRefrigerants, AMixtureFileWithoutItsCriticalTemperatureGetsTheLibrarys) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("refrigerant_names_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir / "mixtures");
  std::ofstream(dir / "mixtures" / "MyBlend.mix")
      << "MyBlend\nR32/R134a\n2\nR32.fld\nR134a.fld\n0.5\n0.5\n";
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  const auto list = cycle::ListRefrigerants();
  const auto library = LibraryCriticalTemperature("MyBlend");
  std::filesystem::current_path(before);
  std::filesystem::remove_all(dir);

  const auto mine = std::find_if(list.fluids.begin(), list.fluids.end(),
                                 [](const ListedFluid& f) { return f.name == "MyBlend"; });
  ASSERT_NE(mine, list.fluids.end());
  ASSERT_TRUE(library.has_value());
  ASSERT_TRUE(mine->critical_temperature.has_value());
  EXPECT_DOUBLE_EQ(*mine->critical_temperature, *library);
  EXPECT_GT(*library, 60);
  EXPECT_LT(*library, 101);
}

}  // namespace
