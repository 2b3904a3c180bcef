// hpcalc end to end: the built program with its exit codes and printed lines.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "property/property_functions.h"
#include "reference_data.h"

namespace {

struct Run {
  int exit_code;
  std::string out;
  std::string err;
};

std::string Quoted(const std::string& arg) {
  std::string quoted = "'";
  for (const char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string Slurp(const std::filesystem::path& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

Run Hpcalc(const std::vector<std::string>& args) {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("hpcalc_test_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  std::string command = Quoted(HPCALC_PATH);
  for (const auto& arg : args) command.append(" ").append(Quoted(arg));
  command.append(" >").append(Quoted(dir / "out")).append(" 2>").append(Quoted(dir / "err"));
  const int status = std::system(command.c_str());
  Run run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(dir / "out"), Slurp(dir / "err")};
  std::filesystem::remove_all(dir);
  return run;
}

TEST(Hpcalc, BasicPrintsTheSixteenFiguresOfTheDefaults) {
  const auto csv = Hpcalc({"basic", "--csv"});
  EXPECT_EQ(csv.exit_code, 0) << csv.err;
  EXPECT_EQ(csv.out,
            "Evap,Conden,Compress,EV,P1,P2,P3,P4,T1,T2,T3,T4,H1,H2,H3,H4\n"
            "20.91,26.85,5.94,5.94,17.29,44.42,44.42,17.29,49.00,115.37,86.50,45.00,"
            "421.06,443.69,321.55,321.55\n");

  const auto text = Hpcalc({"basic"});
  EXPECT_EQ(text.exit_code, 0);
  EXPECT_NE(text.out.find("Evaporator (kW)"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("Point 2            44.42            115.37            443.69\n"),
            std::string::npos)
      << text.out;
}

TEST(Hpcalc, ReadsOptionsAsTheFormsReadTheirFields) {
  const auto plain = Hpcalc({"basic", "--csv", "--flow", "1", "--refrigerant", "R134a"});
  EXPECT_EQ(plain.exit_code, 0) << plain.err;
  EXPECT_EQ(Hpcalc({"basic", "--csv", "--flow=1,5", "--refrigerant", "R134a"}).out, plain.out);
  EXPECT_EQ(Hpcalc({"basic", "--csv", "--flow", " 1 kg", "--refrigerant=R134a"}).out, plain.out);
  const auto doubled = Hpcalc({"basic", "--csv", "--flow", "0.2e1", "--refrigerant", "R134a"});
  EXPECT_NE(doubled.out, plain.out);
}

TEST(Hpcalc, RefusalsPrintTheMessageAndExitWithOne) {
  const struct {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{"basic", "--flow", "abc"}, "Please Input Mass Flowrate Hot Water\n"},
      {{"basic", "--hot-water", "14.9"}, "Temperature of Hot water must > 15 Celsius\n"},
      {{"compare", "--evaporating", "81", "R22"}, "Temperature at Evaporator Incorrect\n"},
      {{"compare", "R22", "R999"},
       "Incorrect name or check the critical temperature of refrigerant2\n"},
  };
  for (const auto& c : cases) {
    const auto run = Hpcalc(c.args);
    EXPECT_EQ(run.exit_code, 1) << c.message;
    EXPECT_EQ(run.err, c.message);
    EXPECT_EQ(run.out, "");
  }
  const auto unknown = Hpcalc({"basic", "--refrigerant", "R999"});
  EXPECT_EQ(unknown.exit_code, 1);
  EXPECT_EQ(unknown.err.rfind("R999: ", 0), 0u) << unknown.err;
}

TEST(Hpcalc, ComparePrintsTheTotalPageLines) {
  const auto csv = Hpcalc({"compare", "--csv", "R22", "R134a"});
  EXPECT_EQ(csv.exit_code, 0) << csv.err;
  EXPECT_EQ(csv.out,
            "refrigerant,COP,MassPerHeat,VaporVolume,DisplacementVolume,DischargePressure,"
            "DischargeTemperature,PressureRatio\n"
            "R22,5.11,0.00802,0.0116,4.18,44.42,112.90,2.29\n"
            "R134a,5.25,0.00861,0.0151,5.78,32.44,101.78,2.46\n");
  const auto text = Hpcalc({"compare", "R22"});
  EXPECT_EQ(text.exit_code, 0);
  EXPECT_EQ(text.out,
            "R22 ---  Mass flow = 0.00802 (kg/kJ)  Vapor volume = 0.0116 (m3/kg) "
            " Displacement volume = 4.18 (m3/h)  Discharge pressure = 44.42 (bar) "
            " Discharge temperature = 112.90 ('C)  Compression ratio = 2.29 (-)  COP = 5.11 (-) \n");
}

TEST(Hpcalc, PropertyPrintsTheNumberWithFullPrecisionOrTheText) {
  const auto pressure = Hpcalc({"property", "Pressure", "R22", "Tvap", "mks", "323.15"});
  EXPECT_EQ(pressure.exit_code, 0) << pressure.err;
  const auto expected = property::Pressure("R22", "Tvap", "mks", 323.15);
  ASSERT_TRUE(std::holds_alternative<double>(expected));
  EXPECT_EQ(pressure.out, cycle_test::ExactText(std::get<double>(expected)) + "\n");

  const auto critical = Hpcalc({"property", "criticalpoint", "R22", "T", "mks"});
  EXPECT_EQ(critical.exit_code, 0) << critical.err;
  EXPECT_NEAR(std::stod(critical.out), 96.145 + 273.15, 1e-3);

  const auto unknown = Hpcalc({"property", "Enthalpy", "R999", "TP", "mks", "300", "1000"});
  EXPECT_EQ(unknown.exit_code, 1);
  ASSERT_GE(unknown.err.size(), 2u);
  EXPECT_NE(unknown.err[unknown.err.size() - 2], ' ') << "the library's padding is trimmed";
}

// Where the property layer computes nothing (it then returns the given value,
// or 0, as it should), the command prints no number but says why, exit 1.
TEST(Hpcalc, PropertyRefusesWhereNothingWasComputed) {
  const struct {
    std::vector<std::string> args;
    std::string says;
  } cases[] = {
      {{"property", "Pressure", "R22", "XX", "mks", "300", "100"}, "the input code \"XX\" names no"},
      {{"property", "Pressure", "R22", "TV", "mks", "300"}, "the input code \"TV\" names no"},
      {{"property", "Pressure", "R22", "TP", "mks", "0", "100"}, "a temperature of 0 K has no state"},
      {{"property", "Pressure", "R22", "TP", "mks", "-5", "100"}, "a temperature of -5 K"},
      {{"property", "Enthalpy", "R22", "Tvap", "mks", "nan"}, "a temperature of 0 K"},
  };
  for (const auto& c : cases) {
    const auto run = Hpcalc(c.args);
    EXPECT_EQ(run.exit_code, 1) << c.args[3];
    EXPECT_EQ(run.out, "") << c.args[3];
    EXPECT_EQ(run.err.rfind("Nothing computed: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
  }
  // A request after one that computed nothing computes again.
  const auto computed = Hpcalc({"property", "Pressure", "R22", "TP", "mks", "300", "100"});
  EXPECT_EQ(computed.exit_code, 0) << computed.err;
  EXPECT_EQ(computed.out, "100\n");
}

TEST(Hpcalc, BadUsagePrintsTheUsageAndExitsWithTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"simulate"},
      {"basic", "--bogus", "1"},
      {"basic", "--flow"},
      {"basic", "R22"},
      {"compare"},
      {"compare", "a", "b", "c", "d", "e", "f", "g", "h", "i"},
      {"property", "Pressure", "R22", "Tvap"},
      {"property", "Density", "R22", "Tvap", "mks", "300"},
      {"property", "CriticalPoint", "R22", "T", "mks", "1"},
  };
  for (const auto& args : cases) {
    const auto run = Hpcalc(args);
    EXPECT_EQ(run.exit_code, 2) << (args.empty() ? "" : args[0]);
    EXPECT_NE(run.err.find("Usage:"), std::string::npos);
    EXPECT_EQ(run.out, "");
  }
  for (const auto& args : std::vector<std::vector<std::string>>{{"--help"}, {"compare", "--help"}}) {
    const auto help = Hpcalc(args);
    EXPECT_EQ(help.exit_code, 0);
    EXPECT_EQ(help.out.rfind("Usage:", 0), 0u);
  }
}

}  // namespace
