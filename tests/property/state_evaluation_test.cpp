#include "property/state_evaluation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recording_fixture.h"

namespace property {
namespace {

using testing::Trimmed;

// Distinct outputs, so that every cache field shows which routine wrote it.
const std::map<std::string, double> kOutputs = {
    {"T", 301}, {"P", 502}, {"D", 13},  {"Dl", 14}, {"Dv", 0.5}, {"Q", 0.25}, {"E", 17},
    {"H", 18},  {"S", 19},  {"Cv", 20}, {"Cp", 21}, {"W", 22},   {"JT", 23}};

class FlashStateTest : public testing::Recorded {
 protected:
  void SetUp() override {
    Recorded::SetUp();
    rec().script.outputs = kOutputs;
  }
  static const StateCache& State() { return Layer().State; }
};

struct Dispatch {
  const char* code;
  const char* routine;
  std::vector<std::pair<std::string, double>> given;  // as the routine receives them
  std::vector<int> fixed;
};

void PrintTo(const Dispatch& d, std::ostream* os) { *os << "\"" << d.code << "\""; }

class Dispatches : public FlashStateTest, public ::testing::WithParamInterface<Dispatch> {};

// value1 = 7, value2 = 9 for every code.
TEST_P(Dispatches, ReachTheirRoutineWithTheGivenValuesInItsOrder) {
  const Dispatch& d = GetParam();
  FlashState(d.code, 7, 9);
  const std::vector<std::string> expected_routines =
      d.routine[0] == '\0' ? std::vector<std::string>{} : std::vector<std::string>{d.routine};
  auto routines = rec().Routines();
  if (!routines.empty() && routines.back() == "THERMdll") routines.pop_back();
  EXPECT_EQ(routines, expected_routines);
  EXPECT_EQ(Evaluation().Skipped, expected_routines.empty() ? NothingComputed::kUnknownCode
                                                            : NothingComputed::kNo);
  if (expected_routines.empty()) return;
  const recording::Call call = rec().CallsTo(d.routine).front();
  EXPECT_EQ(call.given, d.given);
  EXPECT_EQ(call.fixed, d.fixed);
  EXPECT_EQ(call.widths, std::vector<int>{255});
  EXPECT_TRUE(call.distinct_arguments) << "a field passed twice";
}

// A flash routine writes every computed field but its two given values, so
// each field holds either its given value or the library's output for it.
class FlashDispatches : public Dispatches {};

TEST_P(FlashDispatches, LeaveEachFieldWhereItBelongs) {
  const Dispatch& d = GetParam();
  FlashState(d.code, 7, 9);
  const std::map<std::string, double StateCache::*> fields = {
      {"T", &StateCache::T},   {"P", &StateCache::P},   {"D", &StateCache::D},
      {"Dl", &StateCache::Dl}, {"Dv", &StateCache::Dv}, {"Q", &StateCache::Q},
      {"E", &StateCache::E},   {"H", &StateCache::H},   {"S", &StateCache::S},
      {"Cv", &StateCache::Cv}, {"Cp", &StateCache::Cp}, {"W", &StateCache::W}};
  for (const auto& [name, field] : fields) {
    double expected = kOutputs.at(name);
    for (const auto& [given, value] : d.given) {
      if (given == name) expected = value;
    }
    EXPECT_EQ(State().*field, expected) << name;
  }
}

using G = std::vector<std::pair<std::string, double>>;

const std::vector<Dispatch> kTwoPropertyCodes = {
    Dispatch{"TP", "TPFLSHdll", G{{"T", 7}, {"P", 9}}, {}},
    Dispatch{"PT", "TPFLSHdll", G{{"T", 9}, {"P", 7}}, {}},
    Dispatch{"TD", "TDFLSHdll", G{{"T", 7}, {"D", 9}}, {}},
    Dispatch{"DT", "TDFLSHdll", G{{"T", 9}, {"D", 7}}, {}},
    Dispatch{"TH", "THFLSHdll", G{{"T", 7}, {"H", 9}}, {1}},
    Dispatch{"HT", "THFLSHdll", G{{"T", 9}, {"H", 7}}, {1}},
    Dispatch{"TS", "TSFLSHdll", G{{"T", 7}, {"S", 9}}, {1}},
    Dispatch{"ST", "TSFLSHdll", G{{"T", 9}, {"S", 7}}, {1}},
    Dispatch{"TE", "TEFLSHdll", G{{"T", 7}, {"E", 9}}, {1}},
    Dispatch{"ET", "TEFLSHdll", G{{"T", 9}, {"E", 7}}, {1}},
    Dispatch{"TQ", "TQFLSHdll", G{{"T", 7}, {"Q", 9}}, {1}},
    Dispatch{"QT", "TQFLSHdll", G{{"T", 9}, {"Q", 7}}, {1}},
    Dispatch{"PD", "PDFLSHdll", G{{"P", 7}, {"D", 9}}, {}},
    Dispatch{"DP", "PDFLSHdll", G{{"P", 9}, {"D", 7}}, {}},
    Dispatch{"PH", "PHFLSHdll", G{{"P", 7}, {"H", 9}}, {}},
    Dispatch{"HP", "PHFLSHdll", G{{"P", 9}, {"H", 7}}, {}},
    Dispatch{"PS", "PSFLSHdll", G{{"P", 7}, {"S", 9}}, {}},
    Dispatch{"SP", "PSFLSHdll", G{{"P", 9}, {"S", 7}}, {}},
    Dispatch{"PE", "PEFLSHdll", G{{"P", 7}, {"E", 9}}, {}},
    Dispatch{"EP", "PEFLSHdll", G{{"P", 9}, {"E", 7}}, {}},
    Dispatch{"PQ", "PQFLSHdll", G{{"P", 7}, {"Q", 9}}, {1}},
    Dispatch{"QP", "PQFLSHdll", G{{"P", 9}, {"Q", 7}}, {1}},
    Dispatch{"DH", "DHFLSHdll", G{{"D", 7}, {"H", 9}}, {}},
    Dispatch{"HD", "DHFLSHdll", G{{"D", 9}, {"H", 7}}, {}},
    Dispatch{"DS", "DSFLSHdll", G{{"D", 7}, {"S", 9}}, {}},
    Dispatch{"SD", "DSFLSHdll", G{{"D", 9}, {"S", 7}}, {}},
    Dispatch{"DE", "DEFLSHdll", G{{"D", 7}, {"E", 9}}, {}},
    Dispatch{"ED", "DEFLSHdll", G{{"D", 9}, {"E", 7}}, {}},
    Dispatch{"HS", "HSFLSHdll", G{{"H", 7}, {"S", 9}}, {}},
    Dispatch{"SH", "HSFLSHdll", G{{"H", 9}, {"S", 7}}, {}},
    Dispatch{" ph ", "PHFLSHdll", G{{"P", 7}, {"H", 9}}, {}},
    Dispatch{"VT", "TDFLSHdll", G{{"T", 9}, {"D", 1.0 / 7}}, {}},
    Dispatch{"TV", "TDFLSHdll", G{{"T", 7}, {"D", 1.0 / 9}}, {}},
    Dispatch{"VP", "PDFLSHdll", G{{"P", 9}, {"D", 1.0 / 7}}, {}}};

INSTANTIATE_TEST_SUITE_P(TwoPropertyCodes, Dispatches, ::testing::ValuesIn(kTwoPropertyCodes));
INSTANTIATE_TEST_SUITE_P(TwoPropertyCodes, FlashDispatches, ::testing::ValuesIn(kTwoPropertyCodes));

INSTANTIATE_TEST_SUITE_P(SaturationCodes, Dispatches,
                         ::testing::Values(Dispatch{"T", "SATTdll", G{{"T", 7}}, {2}},
                                           Dispatch{"TL", "SATTdll", G{{"T", 7}}, {1}},
                                           Dispatch{"tliq", "SATTdll", G{{"T", 7}}, {1}},
                                           Dispatch{" Tliq ", "SATTdll", G{{"T", 7}}, {1}},
                                           Dispatch{"TLIQ", "SATTdll", G{{"T", 7}}, {1}},
                                           Dispatch{"P", "SATPdll", G{{"P", 7}}, {2}},
                                           Dispatch{"PL", "SATPdll", G{{"P", 7}}, {1}},
                                           Dispatch{"PLIQ", "SATPdll", G{{"P", 7}}, {1}},
                                           Dispatch{"D", "SATDdll", G{{"D", 7}}, {1}},
                                           Dispatch{"DL", "SATDdll", G{{"D", 7}}, {1}}));

// With a second value, "TVAP" turns into "TDAP", "PVAP" into "PDAP" and so on.
INSTANTIATE_TEST_SUITE_P(NoRoutine, Dispatches,
                         ::testing::Values(Dispatch{"TVAP", "", {}, {}},
                                           Dispatch{"PVAP", "", {}, {}},
                                           Dispatch{"DVAP", "", {}, {}}, Dispatch{"TT", "", {}, {}},
                                           Dispatch{"XY", "", {}, {}}, Dispatch{"", "", {}, {}},
                                           Dispatch{"TPX", "", {}, {}},
                                           Dispatch{"HQ", "", {}, {}}));

TEST_F(FlashStateTest, TvapWithoutSecondValueIsTheSaturatedVapour) {
  FlashState("Tvap", 250, 0);
  ASSERT_EQ(rec().Routines(), (std::vector<std::string>{"SATTdll", "THERMdll"}));
  EXPECT_EQ(rec().CallsTo("SATTdll")[0].fixed, std::vector<int>{2});
}

TEST_F(FlashStateTest, DvapWithoutSecondValueAsksThePhaseOfTheDensity) {
  FlashState("DVAP", 12, 0);
  ASSERT_EQ(rec().Routines(), (std::vector<std::string>{"SATDdll", "THERMdll"}));
  EXPECT_EQ(rec().CallsTo("SATDdll")[0].fixed, std::vector<int>{1});
}

TEST_F(FlashStateTest, TvWithoutSecondValueComputesNothing) {
  FlashState("TV", 250, 0);
  EXPECT_TRUE(rec().Routines().empty());
  EXPECT_EQ(State().T, 250);
  EXPECT_EQ(State().D, 0);
}

TEST_F(FlashStateTest, TemperatureCodeAtOrBelowZeroComputesNothing) {
  for (const double t : {0.0, -5.0}) {
    FlashState("Tvap", t, 0);
    FlashState("TP", t, 100);
  }
  EXPECT_TRUE(rec().calls.empty());
  EXPECT_EQ(State().P, 100) << "the given values are still set";
  EXPECT_EQ(Evaluation().Skipped, NothingComputed::kTemperatureNotPositive);
  EXPECT_EQ(Layer().ErrorCode, 0) << "and nothing is reported";
}

TEST_F(FlashStateTest, SaturationAtTemperatureFillsTheCache) {
  rec().script.outputs["THERMdll.P"] = 503;
  FlashState("Tvap", 250, 0);
  const auto therm = rec().CallsTo("THERMdll");
  ASSERT_EQ(therm.size(), 1u);
  EXPECT_EQ(therm[0].given, (G{{"T", 250}, {"D", 0.5}})) << "the vapour density";
  EXPECT_EQ(State().T, 250);
  EXPECT_EQ(State().P, 503) << "THERMdll writes P after SATTdll";
  EXPECT_EQ(State().Dl, 14);
  EXPECT_EQ(State().Dv, 0.5);
  EXPECT_EQ(State().D, 0.5);
  EXPECT_EQ(State().Q, 0) << "no routine writes Q";
  EXPECT_EQ(State().H, 18);
  EXPECT_EQ(State().JT, 23);
}

TEST_F(FlashStateTest, LiquidCodesTakeTheLiquidDensity) {
  FlashState("PL", 500, 0);
  EXPECT_EQ(rec().CallsTo("THERMdll")[0].given, (G{{"T", 301}, {"D", 14}}));
  EXPECT_EQ(State().D, 14);
  EXPECT_EQ(State().T, 301);
  EXPECT_EQ(State().P, 502);
}

TEST_F(FlashStateTest, DensitySaturationSetsQualityFromThePhase) {
  for (const auto& [phase, quality] : {std::pair{1, 0.0}, std::pair{2, 1.0}}) {
    rec().script.outputs["kr"] = phase;
    FlashState("D", 12, 0);
    EXPECT_EQ(State().Q, quality) << "phase " << phase;
    EXPECT_EQ(rec().CallsTo("THERMdll").back().given, (G{{"T", 301}, {"D", 12}}));
  }
}

TEST_F(FlashStateTest, OnlyThermWritesJT) {
  Layer().State.JT = 99;
  FlashState("PH", 700, 25000);
  EXPECT_EQ(State().JT, 99);
}

TEST_F(FlashStateTest, PassesTheCompositionAndPhaseArrays) {
  Layer().Composition.at(1) = 0.6;
  Layer().Composition.at(2) = 0.4;
  FlashState("TP", 300, 1000);
  const auto call = rec().CallsTo("TPFLSHdll").at(0);
  EXPECT_EQ(call.x[0], 0.6);
  EXPECT_EQ(call.x[1], 0.4);
}

TEST_F(FlashStateTest, LibraryErrorAndMessageComeBack) {
  rec().script.outcomes["PHFLSHdll"] = {248, "PHFLSH: no convergence"};
  Layer().ErrorText = "";
  FlashState("PH", 700, 25000);
  EXPECT_EQ(Layer().ErrorCode, 248);
  EXPECT_EQ(Trimmed(Layer().ErrorText.Str()), "PHFLSH: no convergence")
      << "junk after the NUL is dropped";
}

TEST_F(FlashStateTest, MessageWithoutNulIsCutAtTheWidth) {
  rec().script.outcomes["SATTdll"] = {1, std::string(300, 'm')};
  FlashState("T", 300, 0);
  EXPECT_EQ(Layer().ErrorText.Str(), std::string(255, 'm'));
}

TEST_F(FlashStateTest, MissingRoutineFailsTheRequestByName) {
  BindLibrary("libm.so.6");  // loads, but has none of the entry points
  FlashState("PH", 700, 25000);
  EXPECT_EQ(Layer().ErrorCode, 1);
  EXPECT_EQ(Trimmed(Layer().ErrorText.Str()), "Entry point PHFLSHdll not found in libm.so.6");
}

// ---- CalcState ----------------------------------------------------------

TEST_F(FlashStateTest, CalcStateFlashesTheConvertedValues) {
  rec().script.molar_mass = 100;
  CalcState("R22", "PH", "mks", 500, 200);
  EXPECT_EQ(rec().Routines(), (std::vector<std::string>{"SETUPdll", "PHFLSHdll"}));
  EXPECT_EQ(rec().CallsTo("PHFLSHdll")[0].given, (G{{"P", 500}, {"H", 20000}}));
}

TEST_F(FlashStateTest, CalcStateStopsAfterAFailedSetup) {
  rec().script.outcomes["SETUPdll"] = {101, "unknown fluid"};
  CalcState("R999", "PH", "mks", 500, 200);
  EXPECT_EQ(rec().Routines(), std::vector<std::string>{"SETUPdll"});
}

TEST_F(FlashStateTest, CalcStateResetsTheCacheOnEveryRequest) {
  CalcState("R22", "TP", "mks", 300, 500);
  EXPECT_EQ(State().H, 18);
  CalcState("R22", "XY", "mks", 300, 500);
  EXPECT_EQ(State().H, 0);
  EXPECT_EQ(rec().CallsTo("SETUPdll").size(), 1u);
}

}  // namespace
}  // namespace property
