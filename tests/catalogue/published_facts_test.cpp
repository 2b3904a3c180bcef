// The table of published facts: well-known values as the program reads
// them, the blends' figures weighed from them, and a table that covers every
// shipped file by its right name.
#include "catalogue/published_facts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>

#include "catalogue/blend_facts.h"
#include "catalogue/data_folders.h"
#include "catalogue/fluid_facts.h"
#include "catalogue/library_files.h"

namespace catalogue {
namespace {

struct Known {
  const char* name;  // as a user types it
  std::optional<std::string> safety_class;
  std::optional<double> gwp100, odp;
};

// ASHRAE 34 classes; IPCC AR4 100-year GWPs (R1234yf and R1234ze(E) from
// the literature, R1233zd(E) from AR5); Montreal Protocol ODPs.
const Known kKnown[] = {
    {"R32", "A2L", 675, 0},
    {"R744", "A1", 1, 0},
    {"R717", "B2L", 0, 0},
    {"R290", "A3", 3, 0},
    {"R600a", "A3", std::nullopt, 0},
    {"R1234yf", "A2L", 4, 0},
    {"R1234ze(E)", "A2L", 6, 0},
    {"R1233zd(E)", "A1", 1, std::nullopt},
    {"R22", "A1", 1810, 0.055},
    {"R11", "A1", 4750, 1},
    {"R113", "A1", 6130, 0.8},
    {"R115", "A1", 7370, 0.6},
    {"R141b", std::nullopt, 725, 0.11},
    {"R123", "B1", 77, 0.02},
    {"R134a", "A1", 1430, 0},
    {"R143a", "A2L", 4470, 0},
    {"R125", "A1", 3500, 0},
    {"R116", "A1", 12200, 0},
    {"n-Perfluorohexane", std::nullopt, 9300, 0},
    {"R744A", std::nullopt, 298, std::nullopt},  // nitrous oxide: no chlorine, yet ozone depleting
};

TEST(PublishedFacts, WellKnownValuesAreTheOnesTheProgramReads) {
  const auto files = ReadLibraryFiles();
  for (const Known& known : kKnown) {
    const auto facts = FluidFactsOf(known.name);
    ASSERT_TRUE(facts.has_value()) << known.name;
    EXPECT_EQ(facts->safety_class, known.safety_class) << known.name;
    EXPECT_EQ(facts->gwp100, known.gwp100) << known.name;
    EXPECT_EQ(facts->odp, known.odp) << known.name;
    // The list the screening reads holds the same.
    const PureFluidFacts* listed = FindByFileName(files.fluids, facts->file_stem);
    ASSERT_NE(listed, nullptr) << known.name;
    EXPECT_EQ(listed->safety_class, facts->safety_class) << known.name;
    EXPECT_EQ(listed->gwp100, facts->gwp100) << known.name;
    EXPECT_EQ(listed->odp, facts->odp) << known.name;
  }
}

// A blend's GWP and ODP weighed by mass from its components' come out as the
// figures published for it (AR4 GWPs, the annexes' ODPs).
TEST(PublishedFacts, BlendsWeighTheirComponentsByMassAsPublished) {
  const struct {
    const char* blend;
    const char* safety_class;
    double gwp100, odp;
  } published[] = {
      {"R404A", "A1", 3922, 0}, {"R407C", "A1", 1774, 0},   {"R410A", "A1", 2088, 0},
      {"R507A", "A1", 3985, 0}, {"R513A", "A1", 631, 0},    {"R454B", "A2L", 466, 0},
      {"R448A", "A1", 1387, 0}, {"R403A", "A2", 3124, 0.04125}, {"R502", "A1", 4657, 0.334},
  };
  const auto files = ReadLibraryFiles();
  for (const auto& p : published) {
    const auto blend = std::find_if(files.blends.begin(), files.blends.end(),
                                    [&](const BlendFacts& b) { return b.name == p.blend; });
    ASSERT_NE(blend, files.blends.end()) << p.blend;
    EXPECT_EQ(blend->safety_class, p.safety_class) << p.blend;
    ASSERT_TRUE(blend->gwp100 && blend->odp) << p.blend;
    // Published rounded to whole numbers, R410A's 2087.5 up.
    EXPECT_NEAR(*blend->gwp100, p.gwp100, 0.5 + 1e-9) << p.blend;
    EXPECT_NEAR(*blend->odp, p.odp, 0.0005) << p.blend;
  }
}

// Every row names a shipped fluid file or mixture file, so that none is
// silently left unused by a misspelt name; every fact names its source and
// every class is one ASHRAE 34 has.
TEST(PublishedFacts, EveryRowIsAShippedFileWithSourcedFacts) {
  const auto fluids = ReadFluidFiles(*LocateDataFolder("fluids")).fluids;
  const auto mixtures = ListMixtureFiles(*LocateDataFolder("mixtures"));
  const std::set<std::string> classes{"A1", "A2L", "A2", "A3", "B1", "B2L", "B2", "B3"};
  const auto table = PublishedFactsTable();
  ASSERT_FALSE(table.empty());
  for (std::size_t i = 0; i < table.size(); ++i) {
    const PublishedFacts& row = table[i];
    const std::string name(row.name);
    const bool fluid = FindByFileName(fluids, name) != nullptr;
    const bool blend = std::any_of(mixtures.begin(), mixtures.end(), [&](const std::string& file) {
      return SameName(file, name + ".mix");
    });
    EXPECT_TRUE(fluid || blend) << name;
    if (i > 0) {
      EXPECT_TRUE(LessIgnoringCase(std::string(table[i - 1].name), name)) << name;
    }
    EXPECT_TRUE(row.safety_class || row.gwp100 || row.odp) << name;
    if (row.safety_class) {
      EXPECT_TRUE(classes.contains(std::string(row.safety_class->value))) << name;
      EXPECT_FALSE(row.safety_class->source.empty()) << name;
    }
    for (const auto& figure : {row.gwp100, row.odp}) {
      if (figure) {
        EXPECT_FALSE(figure->source.empty()) << name;
      }
    }
    // A blend's figures follow from its components'.
    if (blend) {
      EXPECT_FALSE(row.gwp100 || row.odp) << name;
    }
  }
}

// No fluid without chlorine or bromine is left with an unknown ODP (an HFC,
// an HFO or a hydrocarbon depletes no ozone), nitrous oxide and CF3I aside;
// a fluid file added later needs its row.
TEST(PublishedFacts, EveryFluidWithoutChlorineOrBromineHasNoOzoneDepletion) {
  for (const PureFluidFacts& fluid : ReadFluidFiles(*LocateDataFolder("fluids")).fluids) {
    const bool halogen = fluid.formula.find("Cl") != std::string::npos ||
                         fluid.formula.find("Br") != std::string::npos;
    if (halogen || fluid.file_stem == "NitrousOxide" || fluid.file_stem == "R13I1") continue;
    EXPECT_EQ(fluid.odp, 0.0) << fluid.file_stem << " " << fluid.formula;
  }
}

}  // namespace
}  // namespace catalogue
