// hpcalc sweep end to end: its lines are the single commands' lines at each
// value, and its exit codes.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "hpcalc_run.h"

namespace {

using namespace hpcalc_test;

// Lines of a CSV text without the header, in order.
std::vector<std::string> BodyLines(const std::string& csv) {
  std::vector<std::string> lines;
  std::istringstream in(csv);
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

// A sweep's line is "variable,value," followed by the single command's line
// at that value, character for character; by refrigerant, then value.
TEST(Hpcalc, SweepLinesAreTheSingleCommandsLinesAtEachValue) {
  const struct {
    std::vector<std::string> sweep;
    std::string header;
    std::vector<std::string> names;
    std::string option;
    std::vector<std::string> values;
    std::vector<std::string> single;  // the command without the option and name
    std::string suffix;               // after the single command's line
  } cases[] = {
      {{"sweep", "ihx", "--vary", "condensing", "--from", "95", "--to", "105", "--step", "5",
        "--evaporating", "20", "--csv", "R134a", "R290"},
       "variable,value,refrigerant,layout,COP,VHC,HeatingCapacity,CompressorPower,MassFlow,"
       "InjectionRatio,IntermediatePressure,SuctionTemperature,DischargeTemperature,"
       "PressureRatio,WetCompression,MinSuperheat,ExergyEfficiency,LossCompressor,"
       "LossCondenser,LossValve,LossEvaporator,LossIHX,LossEconomizer,LossMixing,status,reason",
       {"R134a", "R290"},
       "--condensing",
       {"95", "100", "105"},
       {"layout", "ihx", "--evaporating", "20", "--csv"},
       ""},
      {{"sweep", "transcritical", "--vary", "water-out", "--from", "50", "--to", "60",
        "--points", "3", "--high-pressure", "95", "--csv"},
       "variable,value,refrigerant,HighPressure,Optimal,COP,MassFlow,CompressorPower,"
       "DischargeTemperature,VHC,P1,T1,H1,S1,H2s,H2,T2,H3,T3,H4,Pinch,PinchAt,status,reason",
       {"R744"},
       "--water-out",
       {"50", "55", "60"},
       {"transcritical", "--high-pressure", "95", "--csv"},
       ",ok,"},
  };
  for (const auto& c : cases) {
    const auto sweep = Hpcalc(c.sweep);
    EXPECT_EQ(sweep.exit_code, 0) << sweep.err;
    EXPECT_EQ(sweep.out.substr(0, sweep.out.find('\n')), c.header);
    std::vector<std::string> expected;
    for (const std::string& name : c.names) {
      for (const std::string& value : c.values) {
        auto args = c.single;
        args.insert(args.end(), {c.option, value});
        if (c.single[0] == "layout") args.push_back(name);
        const auto single = Hpcalc(args);
        const auto lines = BodyLines(single.out);
        ASSERT_EQ(lines.size(), 1u) << single.err;
        expected.push_back(c.option.substr(2) + ',' + value + ',' + lines[0] + c.suffix);
      }
    }
    EXPECT_EQ(BodyLines(sweep.out), expected);
    // Any number of workers gives the same lines.
    auto one_worker = c.sweep;
    one_worker.insert(one_worker.end(), {"--jobs", "1"});
    EXPECT_EQ(Hpcalc(one_worker).out, sweep.out);
  }
}

TEST(Hpcalc, SweepExitsWithOneWhenNoPointIsComputedAndTwoForBadUsage) {
  const std::vector<std::string> ihx = {"sweep", "ihx",  "--vary", "condensing", "--from",
                                        "60",    "--to", "70",     "--step",     "5",
                                        "--evaporating", "10"};
  const auto with = [&](std::vector<std::string> more) {
    auto args = ihx;
    args.insert(args.end(), more.begin(), more.end());
    return args;
  };
  const struct {
    std::vector<std::string> args;
    int exit_code;
    std::string first_error_line;
  } cases[] = {
      {with({"R134a", "R407C"}), 0, ""},
      {with({"R134a", "--condensing-step"}), 2, "hpcalc: unknown option --condensing-step"},
      {with({"R134a", "--csv"}), 0, ""},
      {with({"R999"}), 1,
       "R999 at condensing 60: R999 is not a fluid or mixture the property library knows"},
      {with({"--subcooling", "0", "R134a"}), 1,
       "R134a at condensing 60: Subcooling must lie above 0 and at most 10 K"},
      {{"sweep"}, 2, "hpcalc: sweep takes basic, ihx, economizer, flash-tank or transcritical"},
      {{"sweep", "cascade", "R134a"}, 2,
       "hpcalc: sweep takes basic, ihx, economizer, flash-tank or transcritical, not cascade"},
      {{"sweep", "ihx", "--from", "1", "--to", "2", "--step", "1", "R134a"}, 2,
       "hpcalc: sweep needs --vary INPUT, one of capacity, evaporating, condensing, subcooling, "
       "superheating, safety, efficiency, ihx-effectiveness, source, sink"},
      {{"sweep", "basic", "--vary", "intermediate", "--from", "10", "--to", "20", "--step", "1",
        "R134a"},
       2,
       "hpcalc: --vary takes one of capacity, evaporating, condensing, subcooling, superheating, "
       "safety, efficiency, source, sink, not intermediate"},
      {{"sweep", "transcritical", "--vary", "condensing", "--from", "1", "--to", "2", "--step",
        "1"},
       2,
       "hpcalc: --vary takes one of capacity, evaporating, superheating, gas-cooler-outlet, "
       "high-pressure, efficiency, water-in, water-out, not condensing"},
      {{"sweep", "ihx", "--vary", "condensing", "--to", "70", "--step", "5", "R134a"}, 2,
       "hpcalc: sweep needs --from A and --to B"},
      {with({"--points", "3", "R134a"}), 2, "hpcalc: sweep takes either --step S or --points N"},
      {{"sweep", "ihx", "--vary", "condensing", "--from", "60", "--to", "70", "R134a"}, 2,
       "hpcalc: sweep takes either --step S or --points N"},
      {with({"--condensing", "80", "R134a"}), 2,
       "hpcalc: --condensing is the varied input: its values come from --from and --to"},
      {{"sweep", "ihx", "--vary", "condensing", "--from", "60", "--to", "70", "--step", "0",
        "R134a"},
       2, "hpcalc: --step must lie above 0"},
      {{"sweep", "ihx", "--vary", "condensing", "--from", "60", "--to", "60", "--points", "3",
        "R134a"},
       2, "hpcalc: --from and --to are equal: the range holds no values to vary over"},
      {{"sweep", "ihx", "--vary", "condensing", "--from", "6O", "--to", "70", "--points", "3",
        "R134a"},
       2, "hpcalc: --from: \"6O\" is not a number (the decimal separator is a point)"},
      {with({}), 2, "hpcalc: sweep takes one to eight refrigerant names"},
      {with({"a", "b", "c", "d", "e", "f", "g", "h", "i"}), 2,
       "hpcalc: sweep takes one to eight refrigerant names"},
      {{"sweep", "transcritical", "--vary", "water-out", "--from", "50", "--to", "60", "--step",
        "5", "--refrigerant", "R744", "R744"},
       2,
       "hpcalc: sweep transcritical takes the refrigerants as names or as --refrigerant, not "
       "both"},
      {with({"--jobs", "0", "R134a"}), 2,
       "hpcalc: --jobs takes a whole number from 1 to 1024, not \"0\""},
      {with({"--jobs", "1.5", "R134a"}), 2,
       "hpcalc: --jobs takes a whole number from 1 to 1024, not \"1.5\""},
  };
  for (const auto& c : cases) {
    const auto run = Hpcalc(c.args);
    std::string joined;
    for (const auto& arg : c.args) joined += arg + ' ';
    EXPECT_EQ(run.exit_code, c.exit_code) << joined << '\n' << run.err;
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')), c.first_error_line) << joined;
    if (c.exit_code == 2) {
      EXPECT_NE(run.err.find("Usage:"), std::string::npos) << joined;
    } else {
      EXPECT_NE(run.out, "") << joined << "every point has its line";
    }
  }
}

}  // namespace
