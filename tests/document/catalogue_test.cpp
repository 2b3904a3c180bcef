// What the document derives from the figures: blend compositions by mass,
// mass-weighted GWP and ODP, and the condensing marks.
#include "catalogue.h"

#include <gtest/gtest.h>

#include "document_html.h"

namespace document {
namespace {

PureFluidEntry Fluid(std::string stem, std::optional<double> molar_mass, std::optional<double> gwp,
                     std::optional<double> odp, std::optional<std::string> safety = "A1") {
  PureFluidEntry entry;
  entry.facts.file_stem = stem;
  entry.facts.name = std::move(stem);
  entry.facts.gwp100 = gwp;
  entry.facts.odp = odp;
  entry.facts.safety_class = std::move(safety);
  entry.figures.molar_mass = molar_mass;
  return entry;
}

Figures BlendFigures(std::vector<Component> components) {
  Figures figures;
  figures.components = std::move(components);
  return figures;
}

TEST(MakeBlendEntry, WeighsGwpAndOdpByMassFromTheComponentsMolarMasses) {
  const std::vector<PureFluidEntry> fluids{Fluid("Light", 50, 100, 0.1),
                                           Fluid("Heavy", 100, 1000, 0.4, "A2L")};
  // Equal moles: one third of the mass is the light component.
  const auto blend =
      MakeBlendEntry("Mix", BlendFigures({{"Light", 0.5}, {"Heavy", 0.5}}), fluids, {});
  EXPECT_EQ(blend.name, "Mix");
  ASSERT_EQ(blend.parts.size(), 2u);
  EXPECT_NEAR(*blend.parts[0].mass_fraction, 1.0 / 3, 1e-12);
  EXPECT_NEAR(*blend.parts[1].mass_fraction, 2.0 / 3, 1e-12);
  EXPECT_DOUBLE_EQ(blend.parts[1].mole_fraction, 0.5);
  EXPECT_EQ(blend.parts[1].safety_class, "A2L");
  EXPECT_NEAR(*blend.gwp100, 100.0 / 3 + 2000.0 / 3, 1e-9);
  EXPECT_NEAR(*blend.odp, 0.1 / 3 + 0.8 / 3, 1e-12);
}

TEST(MakeBlendEntry, MatchesComponentFilesWithoutRegardToCase) {
  const std::vector<PureFluidEntry> fluids{Fluid("R152A", 66.05, 124, std::nullopt)};
  const auto blend = MakeBlendEntry("B", BlendFigures({{"r152a", 1.0}}), fluids, {});
  EXPECT_NEAR(*blend.parts[0].mass_fraction, 1.0, 1e-12);
  EXPECT_NEAR(*blend.gwp100, 124, 1e-9);
}

TEST(MakeBlendEntry, LeavesAWeightedFigureUnknownWhenOneComponentLacksIt) {
  const std::vector<PureFluidEntry> fluids{Fluid("A", 50, 100, std::nullopt),
                                           Fluid("B", 100, std::nullopt, 0.0)};
  const auto blend = MakeBlendEntry("Mix", BlendFigures({{"A", 0.5}, {"B", 0.5}}), fluids, {});
  EXPECT_TRUE(blend.parts[0].mass_fraction.has_value());
  EXPECT_FALSE(blend.gwp100.has_value());
  EXPECT_FALSE(blend.odp.has_value());
}

TEST(MakeBlendEntry, HasNoMassFractionsWithoutEveryMolarMass) {
  const std::vector<PureFluidEntry> fluids{Fluid("A", 50, 100, 0.0),
                                           Fluid("B", std::nullopt, 100, 0.0)};
  for (const std::string missing : {"B", "Unlisted"}) {
    const auto blend =
        MakeBlendEntry("Mix", BlendFigures({{"A", 0.5}, {missing, 0.5}}), fluids, {});
    ASSERT_EQ(blend.parts.size(), 2u);
    EXPECT_EQ(blend.parts[1].fluid, missing);
    EXPECT_FALSE(blend.parts[0].mass_fraction.has_value());
    EXPECT_FALSE(blend.gwp100.has_value());
  }
  // A blend the property layer could not load has no parts at all.
  const auto unloaded = MakeBlendEntry("Mix", Figures{}, fluids, {});
  EXPECT_TRUE(unloaded.parts.empty());
  EXPECT_FALSE(unloaded.gwp100.has_value());
}

TEST(MakeBlendEntry, FindsEachPairsParametersByCasNumberInEitherOrder) {
  auto r32 = Fluid("R32", 52.024, 675, std::nullopt);
  r32.facts.cas = "75-10-5";
  auto r125 = Fluid("R125", 120.02, 3500, std::nullopt);
  r125.facts.cas = "354-33-6";
  auto r1234yf = Fluid("R1234yf", 114.04, 4, std::nullopt);
  r1234yf.facts.cas = "754-12-1";
  auto helium = Fluid("Helium", 4.0026, std::nullopt, std::nullopt);
  auto neon = Fluid("Neon", 20.18, std::nullopt, std::nullopt);
  const std::vector<PureFluidEntry> fluids{r32, r125, r1234yf, helium, neon};
  const std::vector<MixingPair> pairs{
      // Stored in the other order, and under other names: the CAS numbers decide.
      {"HFC-125", "HFC-32", "354-33-6", "75-10-5", "R32-R125", {"Lemmon 2004"}},
      // Fluids without a CAS number are found by name.
      {"Neon", "Helium", "", "", "", {"Tkaczuk 2020"}},
  };
  const auto blend = MakeBlendEntry(
      "R454X", BlendFigures({{"R32", 0.6}, {"R125", 0.2}, {"R1234yf", 0.2}}), fluids, pairs);
  ASSERT_EQ(blend.pairs.size(), 3u);
  EXPECT_EQ(blend.pairs[0].fluid1, "R32");
  EXPECT_EQ(blend.pairs[0].fluid2, "R125");
  ASSERT_TRUE(blend.pairs[0].parameters.has_value());
  EXPECT_EQ(blend.pairs[0].parameters->departure, "R32-R125");
  EXPECT_EQ(blend.pairs[1].fluid2, "R1234yf");
  EXPECT_FALSE(blend.pairs[1].parameters.has_value());  // estimated
  EXPECT_FALSE(blend.pairs[2].parameters.has_value());

  const auto gases =
      MakeBlendEntry("HeNe", BlendFigures({{"helium", 0.5}, {"NEON", 0.5}}), fluids, pairs);
  ASSERT_EQ(gases.pairs.size(), 1u);
  ASSERT_TRUE(gases.pairs[0].parameters.has_value());
  EXPECT_EQ(gases.pairs[0].parameters->sources, std::vector<std::string>{"Tkaczuk 2020"});
}

TEST(MarkFor, AgreesWithTheComparisonFormsCriticalTemperatureCheck) {
  struct Case {
    std::optional<double> critical;
    double condensing;
    CondensingMark mark;
  };
  const Case cases[] = {
      {101.06, 90, CondensingMark::Yes},
      {100.0, 90, CondensingMark::Yes},
      {99.99, 90, CondensingMark::Close},
      {90.01, 90, CondensingMark::Close},
      // The form refuses a condensing temperature at or above the critical one.
      {90.0, 90, CondensingMark::No},
      {31.0, 60, CondensingMark::No},
      {std::nullopt, 60, CondensingMark::Unknown},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MarkFor(c.critical, c.condensing), c.mark)
        << c.critical.value_or(-1) << " / " << c.condensing;
  }
}

}  // namespace
}  // namespace document
