// The C entry points: fluid setup and name resolution, texts, and THERM,
// WMOL, CRITP against the C++ API they wrap.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fluidcore/entry_points.h"
#include "fluidcore/errors.h"
#include "fluidcore/fluid_file.h"
#include "fluidcore/saturation.h"
#include "fluidcore/state.h"
#include "reference_data.h"

namespace fluidcore::test {
namespace {

// SETUPdll with one fluid file, the way the program calls it: fixed-width
// buffers padded with blanks.
struct Setup {
  int ierr = -12345;
  std::string message;
};

Setup setup(const std::string& files, const std::string& reference = "DEF", int n = 1) {
  std::string list = files + std::string(10000 - files.size(), ' ');
  std::string mixing = "fluids\\hmx.bnc" + std::string(255 - 14, ' ');
  std::string ref = reference + std::string(3 - std::min<std::size_t>(3, reference.size()), ' ');
  std::string herr(255, '#');
  Setup r;
  SETUPdll(&n, list.data(), mixing.data(), ref.data(), &r.ierr, herr.data(), 10000, 255, 3, 255);
  EXPECT_EQ(herr.size(), 255u);
  r.message = herr.substr(0, herr.find_last_not_of(' ') + 1);
  return r;
}

double molar_mass() {
  double x[20] = {};
  double wm = -1;
  WMOLdll(x, &wm);
  return wm;
}

TEST(Setup, LoadsFluidsByFileNameAliasAndAnyLetterCase) {
  const struct { const char* file; const char* fluid; } cases[] = {
      {"fluids\\R22.fld", "R22"},          {"fluids\\r134a.FLD", "R134a"},
      {"fluids/R290.fld", "n-Propane"},    {"fluids\\R744.fld", "CarbonDioxide"},
      {"fluids\\r717.fld", "Ammonia"},     {"fluids\\R718.fld", "Water"},
      {"fluids\\R600a.fld", "IsoButane"},  {"fluids\\nitrogen.fld", "Nitrogen"},
      {"fluids\\ARGON.fld", "Argon"},      {"fluids\\oxygen.fld", "Oxygen"},
      {"fluids\\propane", "n-Propane"},    {"fluids\\co2.fld", "CarbonDioxide"},
      // Names that some sheets also list as aliases of another fluid.
      {"fluids\\Water.fld", "Water"},      {"fluids\\DiethylEther.fld", "DiethylEther"},
      {"fluids\\R115.fld", "R115"},        {"  fluids\\R32.fld|", "R32"},
  };
  for (const auto& c : cases) {
    const auto r = setup(c.file);
    EXPECT_EQ(r.ierr, 0) << c.file << ": " << r.message;
    EXPECT_EQ(r.message, "") << c.file;
    EXPECT_DOUBLE_EQ(molar_mass(), fluid(c.fluid)->molar_mass) << c.file;
  }
}

TEST(Setup, RefusesAListThatNamesMoreFilesThanComponents) {
  // A "|" typed into a fluid name: loading only its first part would show
  // R22's figures under the name the user typed.
  const auto r = setup("fluids\\R22|R32.fld");
  EXPECT_EQ(r.ierr, kBadInput) << r.message;
  EXPECT_NE(r.message.find("1 component requested but 2 fluid files named"), std::string::npos)
      << r.message;
  EXPECT_EQ(molar_mass(), FLUIDCORE_UNDEFINED);
}

TEST(FluidFiles, SearchEachFolderOnce) {
  const auto here = std::filesystem::current_path();
  const auto other = std::filesystem::temp_directory_path();
  // The working directory given again as a data directory (the program
  // started from its own folder), spelled differently.
  FluidLibrary library({here / "." / "fluids" / "..", other});
  EXPECT_EQ(library.search_dirs("fluids"),
            (std::vector<std::filesystem::path>{here / "fluids", other / "fluids"}));
}

TEST(Setup, ReportsMissingAndMalformedFilesByName) {
  auto r = setup("fluids\\NoSuchFluid.fld");
  EXPECT_GT(r.ierr, 0);
  EXPECT_NE(r.message.find("SETUP"), std::string::npos) << r.message;
  EXPECT_NE(r.message.find("NoSuchFluid.fld"), std::string::npos) << r.message;
  EXPECT_NE(r.message.find("not found"), std::string::npos) << r.message;
  // After a failed setup no fluid is loaded: nothing computes with the old one.
  EXPECT_EQ(molar_mass(), FLUIDCORE_UNDEFINED);

  const auto dir = std::filesystem::temp_directory_path() / "fluidcore_setup_test";
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "Broken.fld") << "{\"format\": \"fluidcore-fluid 1\", \"name\": \"Broken\"";
  r = setup((dir / "Broken.fld").string());
  EXPECT_GT(r.ierr, 0);
  EXPECT_NE(r.message.find("Broken.fld"), std::string::npos) << r.message;
  EXPECT_NE(r.message.find("malformed"), std::string::npos) << r.message;

  std::ofstream(dir / "NoTerms.fld") << "{\"format\": \"fluidcore-fluid 1\", \"name\": \"X\"}";
  r = setup((dir / "NoTerms.fld").string());
  EXPECT_GT(r.ierr, 0);
  EXPECT_NE(r.message.find("aliases"), std::string::npos) << r.message;
  std::filesystem::remove_all(dir);
}

// A name too long for the 255 characters of the message is shortened in it:
// the reason stays.
TEST(Setup, ShortensALongUnknownNameToKeepTheReason) {
  const std::string name(300, 'y');
  const auto r = setup("fluids\\" + name + ".fld");
  EXPECT_GT(r.ierr, 0);
  EXPECT_EQ(r.message.rfind("SETUP: fluid file fluids\\yyy", 0), 0u) << r.message;
  EXPECT_NE(r.message.find("yyy...yyy"), std::string::npos) << r.message;
  EXPECT_NE(r.message.find("yyy.fld not found"), std::string::npos) << r.message;
}

TEST(Setup, RefusesWhatItCannotLoad) {
  EXPECT_GT(setup("fluids\\R22.fld", "NBP").ierr, 0);
  EXPECT_GT(setup("fluids\\R22.fld", "DEF", 0).ierr, 0);
  EXPECT_GT(setup("", "DEF").ierr, 0);
  EXPECT_GT(setup("fluids\\", "DEF").ierr, 0);
}

// A relative path is tried in the working directory before the data folder
// beside the library.
TEST(Setup, WorkingDirectoryComesFirst) {
  const auto dir = std::filesystem::temp_directory_path() / "fluidcore_cwd_test";
  std::filesystem::create_directories(dir / "fluids");
  std::filesystem::copy_file(std::string(FLUIDCORE_FLUIDS_DIR) + "/R32.fld",
                             dir / "fluids" / "R22.fld",
                             std::filesystem::copy_options::overwrite_existing);
  const auto old = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  const auto r = setup("fluids\\R22.fld");
  const double wm = molar_mass();
  std::filesystem::current_path(old);
  std::filesystem::remove_all(dir);
  EXPECT_EQ(r.ierr, 0) << r.message;
  EXPECT_DOUBLE_EQ(wm, fluid("R32")->molar_mass);
}

TEST(Setup, CompositionArrayIsIgnoredForPureFluids) {
  ASSERT_EQ(setup("fluids\\R134a.fld").ierr, 0);
  double zeros[20] = {}, mixture[20] = {0.3, 0.7};
  double a = 0, b = 0;
  WMOLdll(zeros, &a);
  WMOLdll(mixture, &b);
  EXPECT_DOUBLE_EQ(a, 102.032);
  EXPECT_DOUBLE_EQ(b, 102.032);
}

TEST(Therm, WrapsTheStateEvaluation) {
  ASSERT_EQ(setup("fluids\\R134a.fld").ierr, 0);
  double x[20] = {};
  double T = 300, D = 12.0, P, E, H, S, Cv, Cp, W, JT;
  THERMdll(&T, &D, x, &P, &E, &H, &S, &Cv, &Cp, &W, &JT);
  const State s = evaluate_state(*fluid("R134a"), T, D);
  EXPECT_EQ(P, s.p);
  EXPECT_EQ(E, s.e);
  EXPECT_EQ(H, s.h);
  EXPECT_EQ(S, s.s);
  EXPECT_EQ(Cv, s.cv);
  EXPECT_EQ(Cp, s.cp);
  EXPECT_EQ(W, s.w);
  EXPECT_EQ(JT, s.jt);
}

TEST(Critp, GivesThePublishedCriticalPoint) {
  ASSERT_EQ(setup("fluids\\R134a.fld").ierr, 0);
  double x[20] = {}, Tc = 0, Pc = 0, Dc = 0;
  int ierr = -1;
  std::string herr(255, 'x');
  CRITPdll(x, &Tc, &Pc, &Dc, &ierr, herr.data(), 255);
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(herr, std::string(255, ' '));
  EXPECT_EQ(Tc, 374.21);
  EXPECT_EQ(Pc, 4059.28);
  EXPECT_EQ(Dc, 5.017053);
}

struct Limits {
  double tmin = 0, tmax = 0, Dmax = 0, pmax = 0;
};

Limits limits(const double* x) {
  Limits l;
  char model[] = "EOS";
  LIMITSdll(model, const_cast<double*>(x), &l.tmin, &l.tmax, &l.Dmax, &l.pmax, 3);
  return l;
}

TEST(Limits, GivesTheRangeOfTheLoadedEquation) {
  ASSERT_EQ(setup("fluids/R22.fld").ierr, 0);
  const double x[20] = {};
  const Limits l = limits(x);
  const auto& f = *fluid("R22");
  EXPECT_EQ(l.tmin, 115.73);
  EXPECT_EQ(l.tmax, f.limits.Tmax);
  EXPECT_EQ(l.pmax, f.limits.pmax);
  // The saturated liquid at the lower limit, the densest saturated state.
  EXPECT_EQ(l.Dmax, saturation_point(f, 115.73).rhoL);

  ASSERT_EQ(setup("fluids/R410A.fld").ierr, 0);
  const Limits blend = limits(x);
  EXPECT_GT(blend.tmin, fluid("R32")->limits.Tmin);
  EXPECT_LT(blend.tmin, fluid("R125")->limits.Tmin);
  EXPECT_GT(blend.Dmax, 0);

  setup("fluids/NoSuchFluid.fld");
  const Limits none = limits(x);
  for (const double v : {none.tmin, none.tmax, none.Dmax, none.pmax}) {
    EXPECT_EQ(v, FLUIDCORE_UNDEFINED);
  }
}

}  // namespace
}  // namespace fluidcore::test
