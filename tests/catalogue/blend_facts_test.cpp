// The blends' components from their mixture files, and what follows from
// the components' facts: composition by mass, weighted GWP and ODP, and the
// published safety class of the designation.
#include "catalogue/blend_facts.h"

#include <gtest/gtest.h>

#include "catalogue/data_folders.h"
#include "catalogue/library_files.h"

namespace catalogue {
namespace {

PureFluidFacts Fluid(std::string stem, std::optional<double> molar_mass,
                     std::optional<double> gwp, std::optional<double> odp) {
  PureFluidFacts facts;
  facts.file_stem = stem;
  facts.name = std::move(stem);
  facts.molar_mass = molar_mass;
  facts.gwp100 = gwp;
  facts.odp = odp;
  return facts;
}

TEST(ParseMixtureFile, ReadsComponentsAndFractionsSeparatedAnyWay) {
  const auto lines =
      ParseMixtureFile("R410A\nR32/R125 50/50\n2\nR32.fld\nR125.FLD\n0.7\n0.3\n").components;
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].fluid, "R32");
  EXPECT_EQ(lines[1].fluid, "R125");
  EXPECT_DOUBLE_EQ(lines[0].mole_fraction, 0.7);
  EXPECT_DOUBLE_EQ(lines[1].mole_fraction, 0.3);
  const auto one_line =
      ParseMixtureFile("X\r\n\r\n 3 \r\nfluids\\A.fld\r\nB\r\nC.fld\r\n0.2, 0.3,0.5\r\n").components;
  ASSERT_EQ(one_line.size(), 3u);
  EXPECT_EQ(one_line[0].fluid, "A");
  EXPECT_EQ(one_line[1].fluid, "B");
  EXPECT_DOUBLE_EQ(one_line[2].mole_fraction, 0.5);
}

// What follows the fractions is no part of the layout: the critical
// temperature where it is stated so, else nothing.
TEST(ParseMixtureFile, ReadsTheCriticalTemperatureStatedAfterTheFractions) {
  const std::string file = "R410A\nR32/R125 50/50\n2\nR32.fld\nR125.fld\n0.7 0.3";
  const struct {
    const char* after;
    std::optional<double> kelvin;
  } cases[] = {
      {"\ncritical temperature 344.49412 K\n", 344.49412},
      {", critical temperature 3.4449412e2 K", 344.49412},
      {"\n", std::nullopt},
      {"", std::nullopt},
      {"\ncritical temperature 344.5 'C\n", std::nullopt},
      {"\ncritical temperature hot K\n", std::nullopt},
      {"\ncritical temperature -3 K\n", std::nullopt},
      {"\nTc 344.5 K\n", std::nullopt},
      {"\n0.1\ncritical temperature 344.5 K\n", std::nullopt},  // a third fraction is no fact
  };
  for (const auto& c : cases) {
    const MixtureFile parsed = ParseMixtureFile(file + c.after);
    EXPECT_EQ(parsed.components.size(), 2u) << c.after;
    EXPECT_EQ(parsed.critical_temperature, c.kelvin) << c.after;
  }
}

TEST(ParseMixtureFile, RefusesWhatIsNotAMixtureFile) {
  for (const char* text : {"", "a\nb\n", "a\nb\nx\n", "a\nb\n0\n", "a\nb\n2\nR32.fld\n",
                           "a\nb\n2\nR32.fld\nR125.fld\n0.5\n", "a\nb\n1\nR32.fld\nhalf\n",
                           "a\nb\n1\nR32.fld\n-1\n"}) {
    EXPECT_THROW(ParseMixtureFile(text), std::runtime_error) << text;
  }
}

TEST(MassFractions, FollowFromMoleFractionsAndMolarMasses) {
  const auto w = MassFractions({0.5, 0.5}, {50.0, 100.0});
  ASSERT_TRUE(w.has_value());
  EXPECT_NEAR((*w)[0], 1.0 / 3, 1e-15);
  EXPECT_NEAR((*w)[1], 2.0 / 3, 1e-15);
  EXPECT_FALSE(MassFractions({0.5, 0.5}, {50.0, std::nullopt}).has_value());
  EXPECT_FALSE(MassFractions({0.5, 0.5}, {50.0}).has_value());
  EXPECT_FALSE(MassFractions({0.0, 0.0}, {50.0, 100.0}).has_value());
  EXPECT_NEAR(*MassWeighted({0.25, 0.75}, {100.0, 1000.0}), 775, 1e-12);
  EXPECT_FALSE(MassWeighted({0.25, 0.75}, {100.0, std::nullopt}).has_value());
}

TEST(MakeBlendFacts, WeighsGwpAndOdpByMassAndKnowsThePublishedClass) {
  const std::vector<PureFluidFacts> fluids{Fluid("R32", 52.024, 675, std::nullopt),
                                           Fluid("R125", 120.0214, 3500, 0.0),
                                           Fluid("Unweighed", std::nullopt, 1, 0.0)};
  // 50/50 by mass.
  const double x32 = (0.5 / 52.024) / (0.5 / 52.024 + 0.5 / 120.0214);
  const auto r410a = MakeBlendFacts("R410A", {{"r32", x32}, {"R125", 1 - x32}}, fluids);
  EXPECT_EQ(r410a.name, "R410A");
  ASSERT_TRUE(r410a.mass_fractions.has_value());
  EXPECT_NEAR((*r410a.mass_fractions)[0], 0.5, 1e-12);
  ASSERT_TRUE(r410a.gwp100.has_value());
  EXPECT_NEAR(*r410a.gwp100, 2087.5, 1e-9);
  EXPECT_FALSE(r410a.odp.has_value());  // R32's ODP is not on record
  EXPECT_EQ(r410a.safety_class, "A1");

  const auto unweighed = MakeBlendFacts("R999Z", {{"R32", 0.5}, {"Unweighed", 0.5}}, fluids);
  EXPECT_FALSE(unweighed.mass_fractions.has_value());
  EXPECT_FALSE(unweighed.gwp100.has_value());
  EXPECT_FALSE(unweighed.safety_class.has_value());
  const auto unknown_fluid = MakeBlendFacts("R454B", {{"R32", 0.5}, {"Absent", 0.5}}, fluids);
  EXPECT_FALSE(unknown_fluid.gwp100.has_value());
  EXPECT_EQ(unknown_fluid.safety_class, "A2L");
}

TEST(PublishedSafetyClass, IsKnownForCommonBlendsOnly) {
  EXPECT_EQ(PublishedSafetyClass("R404A"), "A1");
  EXPECT_EQ(PublishedSafetyClass("r454b"), "A2L");
  EXPECT_EQ(PublishedSafetyClass("R290"), std::nullopt);
  EXPECT_EQ(PublishedSafetyClass("R410"), std::nullopt);
  EXPECT_EQ(PublishedSafetyClass(""), std::nullopt);
}

// The shipped mixture files beside the test program.
TEST(ReadBlendFiles, ReadsEveryShippedBlend) {
  const auto fluids_dir = LocateDataFolder("fluids");
  const auto mixtures_dir = LocateDataFolder("mixtures");
  ASSERT_TRUE(fluids_dir && mixtures_dir);
  const auto fluids = ReadFluidFiles(*fluids_dir).fluids;
  const auto list = ReadBlendFiles(*mixtures_dir, fluids);
  EXPECT_TRUE(list.skipped.empty()) << list.skipped.front();
  EXPECT_EQ(list.blends.size(), ListMixtureFiles(*mixtures_dir).size());
  int with_gwp = 0;
  for (const auto& blend : list.blends) {
    EXPECT_TRUE(blend.mass_fractions.has_value()) << blend.name;
    EXPECT_TRUE(blend.critical_temperature.has_value()) << blend.name << " states none";
    with_gwp += blend.gwp100.has_value() ? 1 : 0;
  }
  EXPECT_GT(with_gwp, 100);
  const auto r407c = std::find_if(list.blends.begin(), list.blends.end(),
                                  [](const BlendFacts& b) { return b.name == "R407C"; });
  ASSERT_NE(r407c, list.blends.end());
  // 23/25/52 by mass of R32, R125 and R134a.
  ASSERT_EQ(r407c->components.size(), 3u);
  EXPECT_NEAR((*r407c->mass_fractions)[0], 0.23, 1e-9);
  EXPECT_NEAR(*r407c->gwp100, 0.23 * 675 + 0.25 * 3500 + 0.52 * 1430, 1e-6);
  EXPECT_EQ(r407c->safety_class, "A1");
}

// The two folders read together, as the screening and the refrigerant
// boxes list them.
TEST(ReadLibraryFiles, EveryShippedFluidAndBlend) {
  const auto files = ReadLibraryFiles();
  EXPECT_TRUE(files.skipped.empty()) << files.skipped.front();
  EXPECT_EQ(files.fluids.size(), ReadFluidFiles(*LocateDataFolder("fluids")).fluids.size());
  EXPECT_EQ(files.blends.size(), ListMixtureFiles(*LocateDataFolder("mixtures")).size());
  EXPECT_GT(files.fluids.size(), 100u);
  EXPECT_GT(files.blends.size(), 100u);
  // The blends' facts come from the fluids read beside them.
  const auto r410a = std::find_if(files.blends.begin(), files.blends.end(),
                                  [](const BlendFacts& b) { return b.name == "R410A"; });
  ASSERT_NE(r410a, files.blends.end());
  EXPECT_TRUE(r410a->gwp100.has_value());
}

// A blend's name finds its mixture file as the property library finds it.
TEST(BlendComponentsOf, TheMixtureFileOfABlendName) {
  for (const char* name : {"R407C", "r407c", "R407C.MIX"}) {
    const auto components = BlendComponentsOf(name);
    ASSERT_TRUE(components.has_value()) << name;
    ASSERT_EQ(components->size(), 3u) << name;
    EXPECT_EQ((*components)[1].fluid, "R125");
  }
  EXPECT_EQ(BlendComponentsOf("R134a"), std::nullopt) << "a pure fluid has no mixture file";
  EXPECT_EQ(BlendComponentsOf(""), std::nullopt);
}

}  // namespace
}  // namespace catalogue
