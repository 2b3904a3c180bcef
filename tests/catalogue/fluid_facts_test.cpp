// Reading names, identity, safety and environmental figures and the
// literature from the fluid files.
#include "catalogue/fluid_facts.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "catalogue/data_folders.h"

namespace catalogue {
namespace {

TEST(ParseFluidFile, ReadsTheFactsAndDropsPlaceholders) {
  const auto facts = ParseFluidFile("R1123", R"({
    "name": "R1123", "aliases": ["R1123", "Trifluoroethylene", "HFO1123"],
    "cas": "359-11-5", "formula": "C2HF3", "safety_class": "?", "molar_mass": 82.02,
    "limits": {"Tmin": 200.0, "Tmax": 480.0},
    "gwp100": 0.3, "odp": 99999999.0,
    "sources": {"equation_of_state": ["A. B and C. D. (2019). Title. J 1, 2--3"]}})");
  EXPECT_EQ(facts.file_stem, "R1123");
  EXPECT_EQ(facts.name, "R1123");
  EXPECT_EQ(facts.aliases, (std::vector<std::string>{"Trifluoroethylene", "HFO1123"}));
  EXPECT_EQ(facts.cas, "359-11-5");
  EXPECT_EQ(facts.formula, "C2HF3");
  EXPECT_EQ(facts.molar_mass, 82.02);
  EXPECT_EQ(facts.lower_limit, 200.0);
  EXPECT_FALSE(facts.safety_class.has_value());
  EXPECT_EQ(facts.gwp100, 0.3);
  EXPECT_FALSE(facts.odp.has_value());
  EXPECT_EQ(facts.equation_sources,
            std::vector<std::string>{"A. B and C. D. (2019). Title. J 1, 2–3"});
}

TEST(ParseFluidFile, ReadsMissingAndNullFieldsAsUnknown) {
  const auto facts = ParseFluidFile("Xenon", R"({"name": "Xenon", "safety_class": null,
                                                 "gwp100": null, "odp": -1})");
  EXPECT_TRUE(facts.aliases.empty());
  EXPECT_TRUE(facts.cas.empty());
  EXPECT_FALSE(facts.molar_mass.has_value());
  EXPECT_FALSE(facts.lower_limit.has_value());
  EXPECT_FALSE(facts.safety_class.has_value());
  EXPECT_FALSE(facts.gwp100.has_value());
  EXPECT_FALSE(facts.odp.has_value());
  EXPECT_TRUE(facts.equation_sources.empty());
}

// Everything but the literature, to compare two readings.
auto FactsOf(const PureFluidFacts& f) {
  return std::tuple(f.file_stem, f.name, f.aliases, f.cas, f.formula, f.molar_mass, f.lower_limit,
                    f.critical_temperature, f.safety_class, f.gwp100, f.odp);
}

// Without the literature only the facts are read, wherever the file states
// them: the shipped files state them first (read from there alone), a file
// of another order is read whole.
TEST(ParseFluidFile, WithoutTheLiteratureTheSameFactsWhereverTheFileStatesThem) {
  const std::string facts = R"("name": "R32", "aliases": ["HFC32"], "cas": "75-10-5",
      "formula": "CH2F2", "safety_class": "A2L", "gwp100": 675.0, "odp": null,
      "molar_mass": 52.024, "critical": {"T": 351.255, "p": 5782.0},
      "limits": {"Tmin": 136.34})";
  const std::string equation = R"("alpha0": {"a1": 1.0}, "alphar": {"power": [{"n": 1.0}]})";
  const std::string literature = R"("sources": {"equation_of_state": ["T. (1997). R32."]})";
  std::string without_odp = facts;
  without_odp.erase(facts.find("\"odp\""), std::string_view("\"odp\": null, ").size());
  const std::string texts[] = {
      "{" + facts + ", \"reference_state_label\": null,\n " + equation + ", " + literature + "}",
      "{" + equation + ", " + facts + ", " + literature + "}",
      "{\"name\": \"R32\", " + equation + ", " + literature + ", " +
          facts.substr(facts.find("\"aliases\"")) + "}",
      "{" + without_odp + ", " + equation + ", \"odp\": null, " + literature + "}",
  };
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    const PureFluidFacts whole = ParseFluidFile("R32", text);
    const PureFluidFacts listed = ParseFluidFile("R32", text, Literature::skipped);
    EXPECT_EQ(FactsOf(listed), FactsOf(whole));
    EXPECT_EQ(whole.critical_temperature, 351.255);
    EXPECT_EQ(whole.equation_sources, std::vector<std::string>{"T. (1997). R32."});
    EXPECT_TRUE(listed.equation_sources.empty());
  }
}

TEST(ReadFluidFiles, WithoutTheLiteratureEveryShippedFluidHasTheSameFacts) {
  const auto folder = LocateDataFolder("fluids");
  ASSERT_TRUE(folder.has_value());
  const auto whole = ReadFluidFiles(*folder).fluids;
  const auto listed = ReadFluidFiles(*folder, Literature::skipped).fluids;
  ASSERT_EQ(listed.size(), whole.size());
  ASSERT_GT(whole.size(), 130u);
  for (std::size_t i = 0; i < whole.size(); ++i) {
    EXPECT_EQ(FactsOf(listed[i]), FactsOf(whole[i])) << whole[i].file_stem;
    EXPECT_TRUE(whole[i].critical_temperature.has_value()) << whole[i].file_stem;
  }
}

TEST(ParseFluidFile, RefusesWhatIsNotAFluidFile) {
  EXPECT_THROW(ParseFluidFile("x", "{\"format\": 1}"), std::runtime_error);
  EXPECT_THROW(ParseFluidFile("x", "not json"), std::exception);
}

TEST(PlainCitation, TurnsTheFilesMarkupIntoPlainText) {
  struct Case {
    const char* file;
    const char* plain;
  };
  const Case cases[] = {
      {"W. Wagner and A. Pru\\ss. (2002). The IAPWS Formulation 1995. J. Phys. Chem. Ref. Data 31, "
       "387--535.",
       "W. Wagner and A. Pruß. (2002). The IAPWS Formulation 1995. J. Phys. Chem. Ref. Data 31, "
       "387–535."},
      {"Monika Thol and G\\'abor Rutkai and Andreas K\\\"oster. (2015). Title. "
       "Ruhr-Universit\\\"at "
       "Bochum",
       "Monika Thol, Gábor Rutkai and Andreas Köster. (2015). Title. Ruhr-Universität Bochum"},
      {"Schmidt, R. and Wagner, W.. (1985). A New Form. Fluid Phase Equilib. 19",
       "Schmidt, R. and Wagner, W. (1985). A New Form. Fluid Phase Equilib. 19"},
      {"M. Thol and R. Span. (). Thermodynamic Properties for Neon. Energy \\& Fuels",
       "M. Thol and R. Span. Thermodynamic Properties for Neon. Energy & Fuels"},
      {"A. B. (2015). (p, $\\rho$, T) Behavior. Fluid Phase Equilib.. doi:1...",
       "A. B. (2015). (p, ρ, T) Behavior. Fluid Phase Equilib. doi:1..."},
  };
  for (const auto& c : cases) EXPECT_EQ(PlainCitation(c.file), c.plain);
}

TEST(RefrigerantNumber, IsTheFirstAliasThatIsOne) {
  const auto fluid = [](std::string name, std::vector<std::string> aliases) {
    PureFluidFacts facts;
    facts.name = std::move(name);
    facts.aliases = std::move(aliases);
    return facts;
  };
  const auto water = fluid("Water", {"H2O", "R718"});
  const auto butane = fluid("n-Butane", {"nButane", "butane", "R600", "NC4H10"});
  const auto cyclo = fluid("CycloPropane", {"RC270"});
  const auto dme = fluid("DimethylEther", {"RE170"});
  const auto r134a = fluid("R134a", {"HFC-134a"});
  const auto r1132a = fluid("R1132a", {"R-1132a", "HFO-1132a"});
  const auto benzene = fluid("Benzene", {"RING"});
  EXPECT_EQ(RefrigerantNumber(water), "R718");
  EXPECT_EQ(RefrigerantNumber(butane), "R600");
  EXPECT_EQ(RefrigerantNumber(cyclo), "RC270");
  EXPECT_EQ(RefrigerantNumber(dme), "RE170");
  // A name that is itself a refrigerant number needs none beside it.
  EXPECT_EQ(RefrigerantNumber(r134a), std::nullopt);
  EXPECT_EQ(RefrigerantNumber(r1132a), std::nullopt);
  EXPECT_EQ(RefrigerantNumber(benzene), std::nullopt);
}

TEST(NamesOf, FileNameFirstThenTheOwnNameAndAliasesEachOnce) {
  PureFluidFacts propane;
  propane.file_stem = "n-Propane";
  propane.name = "propane";
  propane.aliases = {"R290", "PROPANE", "C3H8", "r290", ""};
  EXPECT_EQ(NamesOf(propane), (std::vector<std::string>{"n-Propane", "propane", "R290", "C3H8"}));
  PureFluidFacts r32;
  r32.file_stem = "R32";
  r32.name = "r32";
  EXPECT_EQ(NamesOf(r32), std::vector<std::string>{"R32"});
}

TEST(LessIgnoringCase, OrdersByLettersThenByBytes) {
  std::vector<std::string> names{"r134a", "R125", "propane", "R134a", "Ammonia"};
  std::sort(names.begin(), names.end(), LessIgnoringCase);
  EXPECT_EQ(names, (std::vector<std::string>{"Ammonia", "propane", "R125", "R134a", "r134a"}));
}

TEST(ParseMixingPairs, ReadsNamesCasNumbersDepartureAndSources) {
  const auto pairs = ParseMixingPairs(R"({"format": "fluidcore-mixing 1", "pairs": [
    {"fluid1": "R32", "fluid2": "R125", "cas1": "75-10-5", "cas2": "354-33-6", "beta_T": 1.0,
     "departure": "R32-R125", "sources": ["E. W. Lemmon and R. T. Jacobsen. (2004). Mixtures"]},
    {"fluid1": "R134a", "fluid2": "R1234yf", "cas1": "811-97-2", "cas2": "754-12-1",
     "departure": null}]})");
  ASSERT_EQ(pairs.size(), 2u);
  EXPECT_EQ(pairs[0].fluid1, "R32");
  EXPECT_EQ(pairs[0].cas2, "354-33-6");
  EXPECT_EQ(pairs[0].departure, "R32-R125");
  EXPECT_EQ(pairs[0].sources,
            std::vector<std::string>{"E. W. Lemmon and R. T. Jacobsen. (2004). Mixtures"});
  EXPECT_EQ(pairs[1].departure, "");
  EXPECT_TRUE(pairs[1].sources.empty());
  EXPECT_THROW(ParseMixingPairs(R"({"format": "fluidcore-mixing 1"})"), std::runtime_error);
}

class FluidFolder : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("catalogue_facts_" + std::to_string(::getpid()) + "_" +
            testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  void Write(const std::string& name, const std::string& text) {
    std::ofstream(dir_ / name) << text;
  }
  std::filesystem::path dir_;
};

TEST_F(FluidFolder, ListsFluidFilesByNameAndNamesTheOnesItCannotRead) {
  Write("water.fld", R"({"name": "Water"})");
  Write("Argon.FLD", R"({"name": "Argon"})");
  Write("R32.fld", R"({"name": "R32"})");
  Write("broken.fld", "{\"name\": ");
  Write("aliases.json", R"({"name": "not a fluid"})");
  Write("hmx.bnc", "{}");
  const auto list = ReadFluidFiles(dir_);
  std::vector<std::string> stems;
  for (const auto& fluid : list.fluids) stems.push_back(fluid.file_stem);
  EXPECT_EQ(stems, (std::vector<std::string>{"Argon", "R32", "water"}));
  ASSERT_EQ(list.skipped.size(), 1u);
  EXPECT_EQ(list.skipped[0].rfind("broken.fld: ", 0), 0u) << list.skipped[0];
}

TEST_F(FluidFolder, ListsMixtureFilesByNameAndNoneForAMissingFolder) {
  Write("R410A.mix", "");
  Write("r404a.MIX", "");
  Write("R407C.mix", "");
  Write("notes.txt", "");
  EXPECT_EQ(ListMixtureFiles(dir_),
            (std::vector<std::string>{"r404a.MIX", "R407C.mix", "R410A.mix"}));
  EXPECT_TRUE(ListMixtureFiles(dir_ / "absent").empty());
  EXPECT_TRUE(ReadFluidFiles(dir_ / "absent").fluids.empty());
}

TEST_F(FluidFolder, HasNoMixingPairsWithoutTheFileAndRefusesABrokenOne) {
  EXPECT_TRUE(ReadMixingPairs(dir_ / "hmx.bnc").empty());
  Write("hmx.bnc", "{\"pairs\": [");
  EXPECT_THROW(ReadMixingPairs(dir_ / "hmx.bnc"), std::runtime_error);
}

// The shipped fluids beside the test program, found by any of their names
// as the property library finds them.
TEST(FluidFactsOf, FindsAFluidByFileNameOrAliasWithoutRegardToCase) {
  struct Case {
    const char* typed;
    const char* file_stem;
  };
  const Case cases[] = {{"R134a", "R134a"},     {"r134A", "R134a"},        {"R134a.fld", "R134a"},
                        {"R290", "n-Propane"},  {"propane", "n-Propane"}, {"R744", "CarbonDioxide"},
                        {"WATER", "Water"}};
  for (const auto& c : cases) {
    const auto facts = FluidFactsOf(c.typed);
    ASSERT_TRUE(facts.has_value()) << c.typed;
    EXPECT_EQ(facts->file_stem, c.file_stem) << c.typed;
  }
  const auto r134a = FluidFactsOf("R134a");
  EXPECT_EQ(r134a->gwp100, 1430.0);
  EXPECT_FALSE(r134a->equation_sources.empty());
  for (const char* unknown : {"NoSuchFluid", "", "R410A", "aliases.json", "hmx.bnc"}) {
    EXPECT_FALSE(FluidFactsOf(unknown).has_value()) << unknown;
  }
}

// A fluids/ folder under the working directory comes before the one beside
// the program, as it does for the property library.
TEST_F(FluidFolder, LooksUnderTheWorkingDirectoryBeforeBesideTheProgram) {
  std::filesystem::create_directories(dir_ / "fluids");
  Write("fluids/R134a.fld", R"({"name": "R134a", "cas": "a local copy"})");
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path(dir_);
  const auto candidates = DataFolderCandidates("fluids");
  const auto located = LocateDataFolder("fluids");
  const auto mixtures = LocateDataFolder("mixtures");
  const auto mine = FluidFactsOf("r134a");
  const auto shipped = FluidFactsOf("R32");
  std::filesystem::current_path(before);

  ASSERT_EQ(candidates.size(), 2u);
  EXPECT_EQ(candidates[0], dir_ / "fluids");
  EXPECT_EQ(located, dir_ / "fluids");
  // No mixtures/ here: the one beside the program.
  ASSERT_TRUE(mixtures.has_value());
  EXPECT_EQ(*mixtures, candidates[1].parent_path() / "mixtures");
  ASSERT_TRUE(mine.has_value());
  EXPECT_EQ(mine->cas, "a local copy");
  ASSERT_TRUE(shipped.has_value());
  EXPECT_EQ(shipped->gwp100, 675.0);
}

}  // namespace
}  // namespace catalogue
