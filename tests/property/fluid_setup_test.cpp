#include "property/fluid_setup.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "recording_fixture.h"

namespace property {
namespace {

using testing::Trimmed;

class FluidSetup : public testing::Recorded {
 protected:
  // Sets the fluid up as a request would and returns the SETUPdll calls.
  std::vector<recording::Call> Setup(std::string fluid) {
    SetupFluid(fluid);
    return rec().CallsTo("SETUPdll");
  }

  // Loads a two-component mixture first, so that a refusal can be seen to
  // leave it in place; returns its fractions.
  ComponentFractions LoadAMixtureFirst() {
    Setup("R32,1,R125,3");
    rec().calls.clear();
    return Layer().Composition;
  }

  static std::string FileList() { return Trimmed(SetupState().FluidFileList.Str()); }
  static double X(int position) { return Layer().Composition.at(position); }
};

TEST_F(FluidSetup, PureFluidLoadsOneFile) {
  const auto calls = Setup("R22");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].component_count, 1);
  EXPECT_EQ(Trimmed(calls[0].texts[0]), "fluids\\R22.fld");
  EXPECT_EQ(calls[0].texts[0].size(), 10000u);
  EXPECT_EQ(Trimmed(calls[0].texts[1]), "fluids\\hmx.bnc");
  EXPECT_EQ(calls[0].texts[1].size(), 255u);
  EXPECT_EQ(calls[0].texts[2], "DEF");
  EXPECT_EQ(calls[0].texts[3], std::string(255, ' ')) << "ErrorText is cleared first";
  EXPECT_EQ(calls[0].widths, (std::vector<int>{10000, 255, 3, 255}));
  EXPECT_EQ(SetupState().LastFluid, "R22");
  EXPECT_EQ(Layer().ErrorCode, 0);
}

TEST_F(FluidSetup, PureFluidLeavesTheCompositionAlone) {
  Layer().Composition.at(1) = 0.3;
  Layer().Composition.at(2) = 0.7;
  Setup("R134a");
  EXPECT_EQ(X(1), 0.3);
  EXPECT_EQ(X(2), 0.7);
}

TEST_F(FluidSetup, ResultIsTheNameWhenTheLibraryWasCalled) {
  std::string name = "R22";
  EXPECT_EQ(SetupFluid(name), PropertyResult(std::string("R22")));
  EXPECT_EQ(SetupFluid(name), PropertyResult());
}

TEST_F(FluidSetup, SameNameLoadsOnceNamesDifferingInCaseTwice) {
  Setup("R22");
  Setup("R22");
  EXPECT_EQ(rec().CallsTo("SETUPdll").size(), 1u);
  Setup("r22");
  EXPECT_EQ(rec().CallsTo("SETUPdll").size(), 2u);
  Setup("R22");
  EXPECT_EQ(rec().CallsTo("SETUPdll").size(), 3u);
}

TEST_F(FluidSetup, AirLoadsThreeComponentsEveryTime) {
  for (const char* air : {"air", "Air", "AIR"}) {
    std::string name = air;
    SetupFluid(name);
    EXPECT_EQ(name, "nitrogen,.7812,argon,.0092,oxygen,.2096") << "written back";
  }
  const auto calls = rec().CallsTo("SETUPdll");
  ASSERT_EQ(calls.size(), 3u);
  for (const auto& call : calls) {
    EXPECT_EQ(call.component_count, 3);
    EXPECT_EQ(Trimmed(call.texts[0]), "fluids\\nitrogen.fld|fluids\\argon.fld|fluids\\oxygen.fld|");
  }
  const double sum = 0.7812 + 0.0092 + 0.2096;
  EXPECT_DOUBLE_EQ(X(1), 0.7812 / sum);
  EXPECT_DOUBLE_EQ(X(2), 0.0092 / sum);
  EXPECT_DOUBLE_EQ(X(3), 0.2096 / sum);
}

TEST_F(FluidSetup, SpelledMixtureIsNormalised) {
  const auto calls = Setup("R32,1,R125,1");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].component_count, 2);
  EXPECT_EQ(FileList(), "fluids\\R32.fld|fluids\\R125.fld|");
  EXPECT_EQ(X(1), 0.5);
  EXPECT_EQ(X(2), 0.5);
}

TEST_F(FluidSetup, SpelledMixtureKeepsBlanksInNamesAndReadsFractionsBetweenBlanks) {
  Setup("R32, 2 ,R125, 0, R134a,2");
  EXPECT_EQ(FileList(), "fluids\\R32.fld|fluids\\R125.fld|fluids\\ R134a.fld|");
  EXPECT_EQ(X(1), 0.5);
  EXPECT_EQ(X(2), 0);
  EXPECT_EQ(X(3), 0.5);
}

std::string SpelledMixture(int components) {
  std::string name;
  for (int i = 1; i <= components; ++i) name.append("C").append(std::to_string(i)).append(",1,");
  return name;
}

TEST_F(FluidSetup, TwentyComponentsAreAccepted) {
  const auto calls = Setup(SpelledMixture(20));
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].component_count, 20);
  EXPECT_EQ(X(20), 0.05);
}

struct Refusal {
  std::string name;
  std::string message;
};

class RefusedNames : public FluidSetup, public ::testing::WithParamInterface<Refusal> {};

TEST_P(RefusedNames, FailBeforeTheLibraryAndKeepTheLoadedFluid) {
  const ComponentFractions before = LoadAMixtureFirst();

  std::string name = GetParam().name;
  SetupFluid(name);
  EXPECT_EQ(Layer().ErrorCode, 1);
  EXPECT_EQ(Trimmed(Layer().ErrorText.Str()), GetParam().message);
  EXPECT_TRUE(rec().calls.empty());
  EXPECT_EQ(SetupState().LastFluid, "R32,1,R125,3");
  EXPECT_EQ(SetupState().ComponentCount, 2);
  EXPECT_EQ(Layer().Composition, before) << "the loaded fluid's fractions stay";
}

INSTANTIATE_TEST_SUITE_P(
    Names, RefusedNames,
    ::testing::Values(Refusal{SpelledMixture(21), "Too many components"},
                      Refusal{"R32,0,R125,0", "Composition not set"},
                      Refusal{"R32,", "Composition not set"}, Refusal{"", "No fluid name given"},
                      Refusal{"   ", "No fluid name given"},
                      Refusal{"R32,1e400,R125,1", "Composition out of range"},
                      Refusal{"R32,-1,R125,2",
                              "Composition out of range: the fraction of R32 is negative (-1)"},
                      Refusal{"R32,1,R125, -0.5 ,R134a,1",
                              "Composition out of range: the fraction of R125 is negative "
                              "(-0.5)"}));

// Names that do not alternate components and numbers: each would load
// another mixture than the one meant (a missing fraction read as 0). A comma
// after the last fraction only ends the name (SpelledMixture writes one).
constexpr const char* kSpelling =
    " (a mixture is written component, fraction, component, fraction ...)";
INSTANTIATE_TEST_SUITE_P(
    Malformed, RefusedNames,
    ::testing::Values(
        Refusal{"R32,0.5,R125", "Mixture name not understood: R125 has no fraction" +
                                    std::string(kSpelling)},
        Refusal{"R32,0.5,R125,", "Mixture name not understood: R125 has no fraction" +
                                     std::string(kSpelling)},
        Refusal{"R32,,R125,0.5", "Mixture name not understood: R32 has no fraction" +
                                     std::string(kSpelling)},
        Refusal{"R32,abc,R125,0.5",
                "Mixture name not understood: the fraction of R32 is not a number (abc)"},
        Refusal{"R32,12abc,R125,1",
                "Mixture name not understood: the fraction of R32 is not a number (12abc)"},
        Refusal{"R32,0,5,R125,0,5",
                "Mixture name not understood: the fraction of 5 is not a number (R125)"},
        Refusal{"R32,0.5,,0.5", "Mixture name not understood: component 2 has no name" +
                                    std::string(kSpelling)},
        Refusal{"R32,0.5, ,0.5", "Mixture name not understood: component 2 has no name" +
                                     std::string(kSpelling)},
        Refusal{",1,R32,1", "Mixture name not understood: component 1 has no name" +
                                std::string(kSpelling)},
        Refusal{"R32,1,R125,1,,", "Mixture name not understood: component 3 has no name" +
                                      std::string(kSpelling)}));


// The reason stays in the message however long the name typed: the name is
// shortened instead.
TEST_F(FluidSetup, LongNamesAreShortenedInMessagesNotTheReason) {
  const std::string component(300, 'x');
  Setup(component + ",-1,R125,2");
  const std::string message = Trimmed(Layer().ErrorText.Str());
  EXPECT_EQ(message.rfind("Composition out of range: the fraction of xxx", 0), 0u) << message;
  EXPECT_NE(message.find("xxx...xxx"), std::string::npos) << message;
  EXPECT_TRUE(message.ends_with("xxx is negative (-1)")) << message;
}

TEST_F(FluidSetup, EmptyNameIsRefusedEvenAtStart) {
  std::string name;
  SetupFluid(name);
  EXPECT_EQ(Layer().ErrorCode, 1);
  EXPECT_TRUE(rec().calls.empty());
}

TEST_F(FluidSetup, FailedLoadIsTriedAgainAndReportedAgain) {
  rec().script.outcomes["SETUPdll"] = {101, "SETUP: fluid file fluids\\R999.fld not found"};
  Setup("R999");
  EXPECT_EQ(Layer().ErrorCode, 101);
  EXPECT_EQ(Trimmed(Layer().ErrorText.Str()), "SETUP: fluid file fluids\\R999.fld not found");
  EXPECT_EQ(SetupState().LastFluid, "");
  Setup("R999");
  EXPECT_EQ(rec().CallsTo("SETUPdll").size(), 2u);
  EXPECT_EQ(Layer().ErrorCode, 101);
}

TEST_F(FluidSetup, WarningIsRememberedAsLoaded) {
  rec().script.outcomes["SETUPdll"] = {-117, "SETUP: estimated pair R32/R1234yf"};
  Setup("R32,1,R1234yf,1");
  EXPECT_EQ(Layer().ErrorCode, -117);
  Setup("R32,1,R1234yf,1");
  EXPECT_EQ(rec().CallsTo("SETUPdll").size(), 1u);
  EXPECT_EQ(Layer().ErrorCode, 0);
}

TEST_F(FluidSetup, OverlongFileListIsRefused) {
  const std::string long_name(600, 'x');
  std::string name;
  for (int i = 0; i < 20; ++i) name += long_name + ",1,";
  Setup(name);
  EXPECT_EQ(Layer().ErrorCode, 1);
  EXPECT_NE(Layer().ErrorText.Str().find("10000"), std::string::npos);
  EXPECT_TRUE(rec().calls.empty());
}

// ---- mixture files ------------------------------------------------------

class MixtureFiles : public FluidSetup {
 protected:
  void SetUp() override {
    FluidSetup::SetUp();
    previous_ = std::filesystem::current_path();
    folder_ = std::filesystem::temp_directory_path() /
              ("property_mixtures_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_ / "mixtures");
    std::filesystem::current_path(folder_);
  }
  void TearDown() override {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(folder_);
  }

  void Write(const std::string& name, const std::string& content) {
    std::ofstream(folder_ / "mixtures" / name) << content;
  }

  std::filesystem::path previous_;
  std::filesystem::path folder_;
};

TEST_F(MixtureFiles, ReadsCountFilesAndFractionsAsWritten) {
  Write("R410A.mix", "R410A\r\n72.585\r\n2\r\nR32.fld\r\nR125.FLD\r\n0.697614, 0.302386\r\n9 9\n");
  const auto calls = Setup("R410A.mix");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].component_count, 2);
  EXPECT_EQ(FileList(), "fluids\\R32.fld|fluids\\R125.FLD|");
  EXPECT_EQ(X(1), 0.697614);
  EXPECT_EQ(X(2), 0.302386);
  EXPECT_EQ(X(3), 0) << "nothing read past the fractions";
}

TEST_F(MixtureFiles, FractionsMaySpanLinesAndAreNotNormalised) {
  Write("three.mix", "a\nb\n3\nA.fld\nB.fld\nC.fld\n1\n1,\n 1\n");
  Setup("three.mix");
  EXPECT_EQ(X(1), 1);
  EXPECT_EQ(X(2), 1);
  EXPECT_EQ(X(3), 1);
}

TEST_F(MixtureFiles, NameIsMatchedWithoutRegardToCaseEvenWithAComma) {
  Write("R407C.mix", "\n\n1\nR32.fld\n1\n");
  Setup("r407c.MIX,1");
  EXPECT_EQ(Layer().ErrorCode, 1) << "the comma is part of the file name";
  Write("A,B.mix", "\n\n1\nR32.fld\n1\n");
  Setup("a,b.MIX");
  EXPECT_EQ(Layer().ErrorCode, 0);
  EXPECT_EQ(FileList(), "fluids\\R32.fld|");
}

TEST_F(MixtureFiles, FewerThanOneComponentFailsSetup) {
  Write("none.mix", "\n\n0\n");
  Setup("none.mix");
  EXPECT_EQ(Layer().ErrorCode, 1);
  EXPECT_EQ(Trimmed(Layer().ErrorText.Str()), "Setup failed");
  EXPECT_TRUE(rec().calls.empty());
}

struct BadFile {
  std::string name;
  std::string content;  // "" writes no file
  std::string message;
};

class BadMixtureFiles : public MixtureFiles, public ::testing::WithParamInterface<BadFile> {};

TEST_P(BadMixtureFiles, AreRefusedNamingFileAndFault) {
  const ComponentFractions before = LoadAMixtureFirst();
  const BadFile& bad = GetParam();
  if (!bad.content.empty()) Write(bad.name, bad.content);

  Setup(bad.name);
  EXPECT_EQ(Layer().ErrorCode, 1);
  EXPECT_EQ(Trimmed(Layer().ErrorText.Str()), bad.message);
  EXPECT_TRUE(rec().calls.empty());
  EXPECT_EQ(Layer().Composition, before);
  EXPECT_EQ(SetupState().ComponentCount, 2);
}

std::string ManyComponents(int n) {
  std::string text = "\n\n";
  text.append(std::to_string(n)).append("\n");
  for (int i = 0; i < n; ++i) text.append("F").append(std::to_string(i)).append(".fld\n");
  for (int i = 0; i < n; ++i) text += "1\n";
  return text;
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadMixtureFiles,
    ::testing::Values(
        BadFile{"R999.mix", "", "Mixture file mixtures/R999.mix not found"},
        BadFile{"short.mix", "line 1\nline 2\n",
                "Mixture file mixtures/short.mix: ends before line 3 (the component count)"},
        BadFile{"count.mix", "\n\ntwo\nR32.fld\nR125.fld\n.5 .5\n",
                "Mixture file mixtures/count.mix: the component count \"two\" on line 3 is not "
                "a whole number"},
        BadFile{"half.mix", "\n\n2.5\n",
                "Mixture file mixtures/half.mix: the component count \"2.5\" on line 3 is not a "
                "whole number"},
        BadFile{"names.mix", "\n\n2\nR32.fld\n",
                "Mixture file mixtures/names.mix: ends before the file name of component 2"},
        BadFile{"fractions.mix", "\n\n2\nR32.fld\nR125.fld\n0.5\n",
                "Mixture file mixtures/fractions.mix: ends before the fraction of component 2"},
        BadFile{"text.mix", "\n\n2\nR32.fld\nR125.fld\n0.5,half\n",
                "Mixture file mixtures/text.mix: the fraction of component 2 \"half\" is not a "
                "number"},
        BadFile{"many.mix", ManyComponents(21),
                "Mixture file mixtures/many.mix: declares 21 components, at most 20 are "
                "allowed"},
        BadFile{"negative.mix", "\n\n2\nR32.fld\nR125.fld\n1.5,-0.5\n",
                "Mixture file mixtures/negative.mix: the fraction of component 2 \"-0.5\" is "
                "negative"},
        BadFile{"title.mix", std::string(1001, 'T') + "\n\n1\nR32.fld\n1\n",
                "Mixture file mixtures/title.mix: line 1 is longer than 1000 characters"},
        BadFile{"name.mix", "\n\n1\n" + std::string(5000, 'n') + "\n1\n",
                "Mixture file mixtures/name.mix: line 4 is longer than 1000 characters"},
        BadFile{"field.mix", "\n\n1\nR32.fld\n" + std::string(100000, '1') + "\n",
                "Mixture file mixtures/field.mix: the fraction of component 1 is longer than "
                "1000 characters"}));

TEST_F(MixtureFiles, ALongNameNotFoundIsShortenedInTheMessage) {
  const std::string name = std::string(300, 'm') + ".mix";
  Setup(name);
  const std::string message = Trimmed(Layer().ErrorText.Str());
  EXPECT_EQ(message.rfind("Mixture file mixtures/mmm", 0), 0u) << message;
  EXPECT_NE(message.find("mmm.mix not found"), std::string::npos) << message;
}

// Only regular files are read: a named pipe would wait for a writer for
// ever (the helper thread stands in for one, so that a fault fails the test
// instead of hanging it), a device such as /dev/zero never ends.
TEST_F(MixtureFiles, SpecialFilesAreRefusedWithoutReadingThem) {
  const auto pipe = folder_ / "mixtures" / "pipe.mix";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  std::atomic<bool> done = false;
  std::thread writer([&] {
    for (int i = 0; i < 200 && !done; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!done) ::close(::open(pipe.c_str(), O_WRONLY));
  });
  Setup("pipe.mix");
  const bool refused_at_once = !done.exchange(true) && writer.joinable();
  writer.join();
  EXPECT_TRUE(refused_at_once);
  EXPECT_EQ(Trimmed(Layer().ErrorText.Str()),
            "Mixture file mixtures/pipe.mix cannot be read (a named pipe, not a regular file)");

  std::filesystem::create_symlink("/dev/zero", folder_ / "mixtures" / "zero.mix");
  Setup("zero.mix");
  EXPECT_EQ(Layer().ErrorCode, 1);
  EXPECT_EQ(Trimmed(Layer().ErrorText.Str()),
            "Mixture file mixtures/zero.mix cannot be read (a character device, not a regular "
            "file)");
}

TEST_F(MixtureFiles, UnreadableFileIsRefused) {
  std::filesystem::create_directories(folder_ / "mixtures" / "folder.mix");
  Setup("folder.mix");
  EXPECT_EQ(Layer().ErrorCode, 1);
  EXPECT_EQ(Trimmed(Layer().ErrorText.Str()),
            "Mixture file mixtures/folder.mix cannot be read (a folder, not a regular file)");
}

TEST_F(MixtureFiles, TwentyComponentsAreAccepted) {
  Write("twenty.mix", ManyComponents(20));
  const auto calls = Setup("twenty.mix");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].component_count, 20);
  EXPECT_EQ(X(20), 1);
}

// ---- SelectFluid --------------------------------------------------------

TEST_F(FluidSetup, SelectConvertsClearsTheMessageAndResetsTheCache) {
  rec().script.outcomes["SETUPdll"] = {-1, "a warning"};
  Layer().State.T = 5;
  Layer().State.JT = 7;
  std::string name = "R22";
  double p = 0.5;  // MPa in the default system
  double h = 1;
  SelectFluid(name, "PH", "", p, h);
  EXPECT_EQ(p, 500);
  EXPECT_EQ(h, 1);
  EXPECT_EQ(Layer().ErrorText.Str(), std::string(255, ' '));
  EXPECT_EQ(Layer().State.T, 0);
  EXPECT_EQ(Layer().State.JT, 7);
}

TEST_F(FluidSetup, FailedSelectLeavesValuesAndCache) {
  Layer().State.T = 5;
  std::string name = SpelledMixture(21);
  double p = 0.5;
  double h = 1;
  SelectFluid(name, "PH", "", p, h);
  EXPECT_EQ(p, 0.5);
  EXPECT_EQ(Layer().State.T, 5);
}

TEST_F(FluidSetup, ConversionFaultFailsTheSelect) {
  rec().script.molar_mass = 0;
  std::string name = "R22";
  double p = 500;
  double h = 200;
  SelectFluid(name, "PH", "mks", p, h);
  EXPECT_EQ(Layer().ErrorCode, 1);
  EXPECT_NE(Layer().ErrorText.Str().find("molar mass"), std::string::npos);
}

}  // namespace
}  // namespace property
