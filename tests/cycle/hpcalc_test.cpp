// hpcalc end to end: the built program with its exit codes and printed lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "cycle/basic_cycle.h"
#include "cycle/comparison.h"
#include "cycle/layouts.h"
#include "cycle/number_text.h"
#include "cycle/transcritical.h"
#include "property/property_functions.h"
#include "hpcalc_run.h"
#include "reference_data.h"

namespace {

using namespace hpcalc_test;

TEST(Hpcalc, BasicPrintsTheSixteenFiguresOfTheDefaults) {
  const auto csv = Hpcalc({"basic", "--csv"});
  EXPECT_EQ(csv.exit_code, 0) << csv.err;
  EXPECT_EQ(csv.out,
            "Evap,Conden,Compress,EV,P1,P2,P3,P4,T1,T2,T3,T4,H1,H2,H3,H4,COP,VHC,H2actual\n"
            "20.91,26.85,5.94,5.94,17.29,44.42,44.42,17.29,49.00,115.37,86.50,45.00,"
            "421.06,443.69,321.55,321.55,4.52,9334.66,449.35\n");

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
  EXPECT_EQ(Hpcalc({"basic", "--csv", "--flow=1.0", "--refrigerant", "R134a"}).out, plain.out);
  EXPECT_EQ(Hpcalc({"basic", "--csv", "--flow", " 1 ", "--refrigerant=R134a"}).out, plain.out);
  const auto doubled = Hpcalc({"basic", "--csv", "--flow", "0.2e1", "--refrigerant", "R134a"});
  EXPECT_NE(doubled.out, plain.out);
}

// A number option holding more than a number is refused naming the form's
// field, on every command, after the forms' own checks.
TEST(Hpcalc, ANumberThatIsNotWhollyOneIsRefusedNamingTheField) {
  const std::string point = "\" is not a number (the decimal separator is a point)\n";
  const struct {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{"basic", "--flow=1,5"}, "Mass Flowrate Hot Water: \"1,5" + point},
      {{"basic", "--efficiency", "80%"}, "Isotropic Efficiency: \"80%" + point},
      {{"basic", "--flow", "1,5", "--safety", "0"}, "Please Input Safety Factor\n"},
      {{"basic", "--hot-water", "14,9"}, "Temperature of Hot water must > 15 Celsius\n"},
      {{"compare", "--capacity", "10 kW", "R22"}, "Heat Capacity of Evaporator: \"10 kW" + point},
      {{"compare", "--capacity", "10 kW", "R999"},
       "Incorrect name or check the critical temperature of refrigerant1\n"},
      {{"screen", "--subcooling", "3,5"}, "Subcooling: \"3,5" + point},
      {{"diagram", "ph", "basic", "--superheating", "4K"}, "Superheating: \"4K" + point},
      {{"diagram", "ts", "compare", "--condensing", "90 'C", "R22"},
       "Temperature Condensing: \"90 'C" + point},
      // The transcritical calculation reads its fields the same way, with
      // its own words.
      {{"transcritical", "--capacity", "1,5"}, "Please Input Heating Capacity as a number\n"},
  };
  for (const auto& c : cases) {
    const auto run = Hpcalc(c.args);
    EXPECT_EQ(run.exit_code, 1) << c.message;
    EXPECT_EQ(run.err, c.message);
    EXPECT_EQ(run.out, "");
  }
}

// What the screening's filters and the property command cannot read is bad
// usage, named.
TEST(Hpcalc, FiltersAndValuesThatCannotBeReadAreBadUsage) {
  const struct {
    std::vector<std::string> args;
    std::string reason;
  } cases[] = {
      {{"screen", "--max-gwp", "nan"},
       "--max-gwp: \"nan\" is not a number (the decimal separator is a point)"},
      {{"screen", "--max-gwp", "7,5"},
       "--max-gwp: \"7,5\" is not a number (the decimal separator is a point)"},
      {{"screen", "--max-gwp="},
       "--max-gwp: \"\" is not a number (the decimal separator is a point)"},
      {{"screen", "--max-gwp", "1e999"}, "--max-gwp is out of range"},
      {{"screen", "--safety-class", "A1,A9"},
       "--safety-class: \"A9\" is not a safety class (A1, A2L, A2, A3, B1, B2L, B2, B3, unknown)"},
      {{"screen", "--safety-class", ""},
       "--safety-class takes classes separated by commas: A1,A2L"},
      {{"screen", "--sort", ""}, "--sort takes a column of the table, not \"\""},
      {{"screen", "--jobs", "0"}, "--jobs takes a whole number from 1 to 1024, not \"0\""},
      {{"screen", "--jobs", "1.5"}, "--jobs takes a whole number from 1 to 1024, not \"1.5\""},
      {{"screen", "--jobs", "two"}, "--jobs takes a whole number from 1 to 1024, not \"two\""},
      {{"screen", "--jobs", "1e9"}, "--jobs takes a whole number from 1 to 1024, not \"1e9\""},
      {{"fluids", "R22"}, "fluids takes no names: R22"},
      {{"property", "Pressure", "R22", "Tvap", "mks", "3,5"},
       "VALUE1: \"3,5\" is not a number (the decimal separator is a point)"},
      {{"property", "Pressure", "R22", "TP", "mks", "300", "nan"},
       "VALUE2: \"nan\" is not a number (the decimal separator is a point)"},
  };
  for (const auto& c : cases) {
    const auto run = Hpcalc(c.args);
    EXPECT_EQ(run.exit_code, 2) << c.reason;
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')), "hpcalc: " + c.reason);
    EXPECT_EQ(run.out, "");
  }
}

// Huge figures print in exponent form; a huge typed text is echoed
// shortened, so that every message stays a line or two.
TEST(Hpcalc, OversizedNumbersAndTextsStayShort) {
  const auto huge = Hpcalc({"basic", "--csv", "--flow", "1e300"});
  EXPECT_EQ(huge.exit_code, 0) << huge.err;
  const std::string figures = huge.out.substr(huge.out.find('\n') + 1);
  EXPECT_EQ(figures.rfind("2.09e+301,", 0), 0u) << figures;
  EXPECT_LT(figures.size(), 200u) << figures;

  const std::string name(100'000, 'y');
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"basic", "--refrigerant", name},
        {"transcritical", "--refrigerant", name},
        {"basic", "--flow", "1" + name},
        {"screen", "--sort", name},
        {"screen", "--kind", name},
        {"basic", name},
        {"diagram", name, "basic"},
        {name}}) {
    const auto run = Hpcalc(args);
    EXPECT_NE(run.exit_code, 0) << args[0];
    const std::string first_line = run.err.substr(0, run.err.find('\n'));
    EXPECT_LT(first_line.size(), 300u) << first_line.substr(0, 400);
    EXPECT_NE(first_line.find("yyy...yyy"), std::string::npos) << first_line.substr(0, 400);
  }
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
      // The screening checks the conditions as the comparison does.
      {{"screen", "--evaporating", "10"}, "Temperature at Evaporator Incorrect\n"},
      {{"screen", "--csv", "--capacity", "0"}, "Please Input Heat Capacity of Evaporator\n"},
      {{"screen", "--condensing", "45", "--evaporating", "50"}, "Can't Use Heat Pump System\n"},
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

// Inputs no real cycle has, on every command that computes a cycle, after
// the forms' own checks.
TEST(Hpcalc, ImpossibleInputsAreRefusedOnEveryCalculation) {
  const struct {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{"basic", "--subcooling", "-10"}, "Subcooling Incorrect\n"},
      {{"basic", "--superheating=-20"}, "Superheating Incorrect\n"},
      {{"basic", "--efficiency", "150"}, "Isotropic Efficiency Incorrect\n"},
      {{"compare", "--subcooling", "-1", "R22"}, "Subcooling Incorrect\n"},
      {{"compare", "--efficiency", "100.5", "R22"}, "Isotropic Efficiency Incorrect\n"},
      {{"compare", "--efficiency", "150", "R22", "R999"},
       "Incorrect name or check the critical temperature of refrigerant2\n"},
      {{"screen", "--subcooling", "-3"}, "Subcooling Incorrect\n"},
      {{"screen", "--efficiency", "120"}, "Isotropic Efficiency Incorrect\n"},
      {{"screen", "--efficiency", "120", "--evaporating", "90"},
       "Temperature at Evaporator Incorrect\n"},
      {{"diagram", "ph", "basic", "--subcooling", "-10"}, "Subcooling Incorrect\n"},
      {{"diagram", "ts", "compare", "--efficiency", "150", "R22"},
       "Isotropic Efficiency Incorrect\n"},
      // Negative sizes: negative duties otherwise.
      {{"basic", "--flow", "-1"}, "Mass Flowrate Hot Water Incorrect\n"},
      {{"basic", "--safety", "-100"}, "Safety Factor Incorrect\n"},
      {{"basic", "--flow", "-1", "--subcooling", "-1"}, "Subcooling Incorrect\n"},
      {{"compare", "--capacity", "-10", "R22"}, "Heat Capacity of Evaporator Incorrect\n"},
      {{"compare", "--safety", "-50", "R22"}, "Safety Factor Incorrect\n"},
      {{"screen", "--capacity", "-10"}, "Heat Capacity of Evaporator Incorrect\n"},
      {{"diagram", "ph", "basic", "--flow", "-1"}, "Mass Flowrate Hot Water Incorrect\n"},
      {{"transcritical", "--capacity", "-5"}, "Heating Capacity must be above 0 kW\n"},
  };
  for (const auto& c : cases) {
    const auto run = Hpcalc(c.args);
    EXPECT_EQ(run.exit_code, 1) << c.message;
    EXPECT_EQ(run.err, c.message);
    EXPECT_EQ(run.out, "");
  }
  // An ideal compressor is possible.
  EXPECT_EQ(Hpcalc({"basic", "--efficiency", "100"}).exit_code, 0);
  EXPECT_EQ(Hpcalc({"compare", "--efficiency", "100", "R22"}).exit_code, 0);
}

// A failed property request is told in the forms' terms; --verbose adds the
// library's own text on every command that computes a cycle.
TEST(Hpcalc, VerboseAddsTheLibrarysTextToAFailedRequest) {
  const struct {
    std::vector<std::string> args;
    std::string state;
    std::string library_text;  // a piece of what the library wrote
  } cases[] = {
      {{"basic", "--condensing", "120"}, "condensing state", "393.15 K"},
      {{"basic", "--efficiency", "1"}, "discharge state (point 2)", "J/mol"},
      {{"compare", "--evaporating", "15", "--condensing", "60", "D4"}, "evaporating state",
       "288.15 K"},
      {{"diagram", "ts", "basic", "--condensing", "120"}, "condensing state", "393.15 K"},
      {{"basic", "--refrigerant", "R999"}, "evaporating state", "R999.fld"},
      {{"transcritical", "--evaporating", "-60"}, "evaporating state", "213.15 K"},
  };
  for (const auto& c : cases) {
    auto plain = Hpcalc(c.args);
    EXPECT_EQ(plain.exit_code, 1);
    EXPECT_NE(plain.err.find(c.state), std::string::npos) << plain.err;
    EXPECT_EQ(plain.err.find("(library:"), std::string::npos) << plain.err;
    EXPECT_EQ(plain.err.find(c.library_text), std::string::npos) << plain.err;
    auto args = c.args;
    args.push_back("--verbose");
    const auto verbose = Hpcalc(args);
    EXPECT_EQ(verbose.exit_code, 1);
    plain.err.pop_back();  // the line's end
    EXPECT_EQ(verbose.err.rfind(plain.err + " (library: ", 0), 0u) << verbose.err;
    EXPECT_NE(verbose.err.find(c.library_text), std::string::npos) << verbose.err;
  }
  // The screening's reasons likewise.
  const auto screened = Hpcalc({"screen", "--csv", "--efficiency", "1", "--verbose"});
  EXPECT_EQ(screened.exit_code, 0) << screened.err;
  EXPECT_NE(screened.out.find("discharge state (point 2) cannot be computed"), std::string::npos);
  EXPECT_NE(screened.out.find("(library: PHFLSH"), std::string::npos);
  EXPECT_EQ(Hpcalc({"screen", "--csv", "--efficiency", "1"}).out.find("(library:"),
            std::string::npos);
  // The calculations' inputs are refused without library text.
  EXPECT_EQ(Hpcalc({"basic", "--verbose", "--subcooling", "-1"}).err, "Subcooling Incorrect\n");
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

const std::vector<std::string>* RowOf(const std::vector<std::vector<std::string>>& rows,
                                      const std::string& name) {
  for (const auto& row : rows) {
    if (row.front() == name) return &row;
  }
  return nullptr;
}

constexpr const char* kScreenHeader =
    "refrigerant,kind,safety_class,GWP,ODP,Tcrit,GlideEvap,GlideCond,COP,VHC,MassPerHeat,"
    "VaporVolume,DisplacementVolume,EvaporatingPressure,DischargePressure,DischargeTemperature,"
    "PressureRatio,WetCompression,MinSuperheat,status,reason";
constexpr std::size_t kCop = 8, kWet = 17, kMinSuperheat = 18, kStatus = 19, kReason = 20;

// Every fluid file and every blend, each with the figures that compare
// prints for it.
TEST(Hpcalc, ScreenPrintsEveryFluidWithTheComparisonsFigures) {
  const auto run = Hpcalc({"screen", "--csv"});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out.substr(0, run.out.find('\n')), kScreenHeader);
  const auto rows = CsvRows(run.out);
  EXPECT_EQ(rows.size(), 1 + 131 + 127u);
  for (const auto& row : rows) ASSERT_EQ(row.size(), 21u) << row.front();

  const auto compared = CsvRows(Hpcalc({"compare", "--csv", "R134a", "R513A"}).out);
  for (std::size_t k = 1; k <= 2; ++k) {
    const auto* row = RowOf(rows, compared[k][0]);
    ASSERT_NE(row, nullptr) << compared[k][0];
    EXPECT_EQ((*row)[kStatus], "ok");
    EXPECT_EQ((*row)[kReason], "");
    // COP; mass per heat, vapour volume, displacement volume; the pressure,
    // temperature and ratio of the discharge.
    const std::vector<std::string> figures{(*row)[8],  (*row)[10], (*row)[11], (*row)[12],
                                           (*row)[14], (*row)[15], (*row)[16]};
    EXPECT_EQ(figures, std::vector<std::string>(compared[k].begin() + 1, compared[k].end()));
  }
  EXPECT_EQ(std::vector<std::string>(RowOf(rows, "R134a")->begin(), RowOf(rows, "R134a")->begin() + 8),
            (std::vector<std::string>{"R134a", "pure", "A1", "1430", "0", "101.06", "0.00", "0.00"}));
  // Where the compression ends: wet from 4 K of superheat for an overhanging dew line.
  EXPECT_EQ((*RowOf(rows, "R134a"))[kWet], "no");
  EXPECT_EQ((*RowOf(rows, "R134a"))[kMinSuperheat], "0.00");
  EXPECT_EQ((*RowOf(rows, "R1233zd(E)"))[kWet], "yes");
  EXPECT_EQ((*RowOf(rows, "R1233zd(E)"))[kMinSuperheat], "6.12");
  // R470B condenses at 90 'C above its critical pressure, where it has no
  // dew point: its figures stand, where its compression ends is unknown.
  const auto& r470b = *RowOf(rows, "R470B");
  EXPECT_EQ(r470b[kStatus], "ok");
  EXPECT_EQ(r470b[kWet], "");
  EXPECT_EQ(r470b[kMinSuperheat], "");
  const auto& r513a = *RowOf(rows, "R513A");
  EXPECT_EQ(r513a[1], "blend");
  EXPECT_EQ(r513a[2], "A1");

  const auto& r23 = *RowOf(rows, "R23");
  EXPECT_EQ(r23[kStatus], "refused");
  EXPECT_EQ(r23[kReason],
            "its critical temperature 26.14 'C is not above the condensing temperature 90 'C");
  for (std::size_t i = 6; i < kStatus; ++i) EXPECT_EQ(r23[i], "") << i;
  EXPECT_EQ((*RowOf(rows, "R410A"))[kStatus], "refused");
}

TEST(Hpcalc, ScreenFiltersAndSortsTheRows) {
  const auto blends = CsvRows(Hpcalc({"screen", "--csv", "--kind", "blend", "--max-gwp", "150"}).out);
  ASSERT_GT(blends.size(), 1u);
  for (std::size_t i = 1; i < blends.size(); ++i) {
    EXPECT_EQ(blends[i][1], "blend") << blends[i][0];
    ASSERT_NE(blends[i][3], "") << blends[i][0] << ": no GWP on record passes";
    EXPECT_LE(std::stod(blends[i][3]), 150) << blends[i][0];
  }
  const auto classes = CsvRows(Hpcalc({"screen", "--csv", "--safety-class", "a3, A2L"}).out);
  ASSERT_GT(classes.size(), 10u);
  for (std::size_t i = 1; i < classes.size(); ++i) {
    EXPECT_TRUE(classes[i][2] == "A3" || classes[i][2] == "A2L") << classes[i][0];
  }
  // "unknown" stands for no class on record, as the page's box does.
  const auto unclassified =
      CsvRows(Hpcalc({"screen", "--csv", "--safety-class", "Unknown,A3"}).out);
  std::set<std::string> seen;
  for (std::size_t i = 1; i < unclassified.size(); ++i) seen.insert(unclassified[i][2]);
  EXPECT_EQ(seen, (std::set<std::string>{"", "A3"}));

  const auto sorted = CsvRows(Hpcalc({"screen", "--csv", "--sort", "-cop"}).out);
  ASSERT_EQ(sorted.size(), 1 + 131 + 127u);
  bool refused_seen = false;
  for (std::size_t i = 2; i < sorted.size(); ++i) {
    if (sorted[i][kStatus] == "refused") {
      refused_seen = true;
      continue;
    }
    EXPECT_FALSE(refused_seen) << sorted[i][0] << " after a refused fluid";
    EXPECT_GE(std::stod(sorted[i - 1][kCop]), std::stod(sorted[i][kCop])) << sorted[i][0];
  }
  EXPECT_TRUE(refused_seen);
}

// The fluids screened on several threads give what one thread gives, byte
// for byte: the rows, their order and every reason.
TEST(Hpcalc, ScreenOnSeveralThreadsPrintsWhatOneThreadPrints) {
  const struct {
    std::vector<std::string> screening;
    std::vector<std::string> jobs;  // compared with --jobs 1; "" for no --jobs
  } cases[] = {
      {{"screen", "--csv"}, {"2", "5", ""}},
      {{"screen", "--csv", "--verbose", "--efficiency", "1"}, {"2"}},  // reasons with the library's
      {{"screen", "--sort", "-VHC", "--evaporating", "30", "--condensing", "60"}, {"2"}},
  };
  for (const auto& c : cases) {
    auto one = c.screening;
    one.insert(one.end(), {"--jobs", "1"});
    const auto serial = Hpcalc(one);
    ASSERT_EQ(serial.exit_code, 0) << serial.err;
    ASSERT_GT(std::count(serial.out.begin(), serial.out.end(), '\n'), 250);
    for (const std::string& jobs : c.jobs) {
      auto several = c.screening;
      if (!jobs.empty()) several.insert(several.end(), {"--jobs", jobs});
      const auto parallel = Hpcalc(several);
      EXPECT_EQ(parallel.exit_code, 0) << jobs << " jobs";
      EXPECT_TRUE(parallel.out == serial.out) << c.screening.back() << ", " << jobs << " jobs";
      EXPECT_EQ(parallel.err, serial.err);
    }
  }
}

TEST(Hpcalc, FluidsListsEveryFluidAndBlendWithItsFacts) {
  const auto run = Hpcalc({"fluids", "--csv"});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const auto rows = CsvRows(run.out);
  ASSERT_EQ(rows.size(), 1 + 131 + 127u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"name", "kind", "aliases", "Tcrit", "safety_class", "GWP"}));
  // The screening's fluids in its order, with the same facts.
  const auto screened = CsvRows(Hpcalc({"screen", "--csv"}).out);
  for (std::size_t i = 1; i < rows.size(); ++i) {
    ASSERT_EQ(rows[i].size(), 6u) << rows[i][0];
    EXPECT_EQ(rows[i][0], screened[i][0]);
    EXPECT_EQ(rows[i][1], screened[i][1]) << rows[i][0];
    EXPECT_EQ(rows[i][3], screened[i][5]) << rows[i][0] << ": the critical temperature";
    EXPECT_EQ(rows[i][4], screened[i][2]) << rows[i][0];
    EXPECT_EQ(rows[i][5], screened[i][3]) << rows[i][0];
  }
  EXPECT_EQ(*RowOf(rows, "n-Propane"),
            (std::vector<std::string>{"n-Propane", "pure", "Propane;R290;C3H8;NC3H8;n-C3H8", "96.74",
                                      "A3", "3"}));
  EXPECT_EQ(*RowOf(rows, "R407C"),
            (std::vector<std::string>{"R407C", "blend", "", "86.14", "A1", "1774"}));

  // On the screen: aligned, the aliases last.
  const auto table = Hpcalc({"fluids"});
  EXPECT_EQ(table.exit_code, 0) << table.err;
  std::istringstream lines(table.out);
  std::string header, units, line;
  std::getline(lines, header);
  std::getline(lines, units);
  EXPECT_EQ(header.rfind("name", 0), 0u) << header;
  EXPECT_EQ(header.substr(header.size() - 7), "aliases") << header;
  EXPECT_EQ(units.substr(header.find("Tcrit") + 1, 4), "('C)") << "under the column's end";
  bool found = false;
  while (std::getline(lines, line)) {
    if (line.rfind("Ammonia ", 0) != 0) continue;
    found = true;
    EXPECT_NE(line.find("  pure  "), std::string::npos) << line;
    EXPECT_EQ(line.substr(line.size() - 10), "  NH3;R717") << line;
  }
  EXPECT_TRUE(found) << table.out;
}

TEST(Hpcalc, ScreenWithoutCsvPrintsAnAlignedTable) {
  const auto run = Hpcalc({"screen", "--kind", "pure", "--safety-class", "A1", "--sort", "Tcrit"});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  std::istringstream lines(run.out);
  std::string header, units, first;
  std::getline(lines, header);
  std::getline(lines, units);
  std::getline(lines, first);
  EXPECT_EQ(header.rfind("refrigerant", 0), 0u) << header;
  EXPECT_NE(units.find("(kJ/m3)"), std::string::npos) << units;
  // Every column's name ends above its numbers' last digits.
  const auto cop = header.find("COP") + 3;
  EXPECT_EQ(units.substr(cop - 3, 3), "(-)") << units;
  // The lowest critical temperature first.
  EXPECT_EQ(first.rfind("Helium ", 0), 0u) << first;
  EXPECT_NE(first.find("  refused  its critical temperature -267.95 'C"), std::string::npos) << first;
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
      {{"property", "Enthalpy", "R22", "Tvap", "mks", "0"}, "a temperature of 0 K"},
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

TEST(Hpcalc, TranscriticalPrintsTheCycleAndRefusesAsTheCalculationDoes) {
  const auto csv = Hpcalc({"transcritical", "--water-out", "55", "--csv"});
  EXPECT_EQ(csv.exit_code, 0) << csv.err;
  const auto lines = [](const std::string& text) {
    std::vector<std::string> split;
    std::stringstream stream(text);
    for (std::string line; std::getline(stream, line);) split.push_back(line);
    return split;
  }(csv.out);
  ASSERT_EQ(lines.size(), 2u) << csv.out;
  EXPECT_EQ(lines[0],
            "refrigerant,HighPressure,Optimal,COP,MassFlow,CompressorPower,DischargeTemperature,VHC,"
            "P1,T1,H1,S1,H2s,H2,T2,H3,T3,H4,Pinch,PinchAt");
  std::vector<std::string> fields;
  std::stringstream row(lines[1]);
  for (std::string field; std::getline(row, field, ',');) fields.push_back(field);
  ASSERT_EQ(fields.size(), 20u);
  EXPECT_EQ(fields[0], "R744");
  EXPECT_EQ(fields[2], "yes");
  EXPECT_NEAR(std::stod(fields[1]), 85.7544, 0.01);
  EXPECT_NEAR(std::stod(fields[3]), 4.55603, 1e-5);
  EXPECT_GE(fields[3].size(), 7u) << "six significant digits or more";
  EXPECT_EQ(fields[15], fields[17]) << "H3 = H4";

  const auto fixed = Hpcalc({"transcritical", "--high-pressure=100", "--water-out", "55", "--csv"});
  EXPECT_EQ(fixed.exit_code, 0) << fixed.err;
  EXPECT_NE(fixed.out.find("\nR744,100,no,"), std::string::npos) << fixed.out;

  const auto table = Hpcalc({"transcritical", "--high-pressure", "100"});
  EXPECT_EQ(table.exit_code, 0) << table.err;
  EXPECT_NE(table.out.find("Heating COP"), std::string::npos) << table.out;
  EXPECT_NE(table.out.find("Point 2s"), std::string::npos) << table.out;

  const auto subcritical = Hpcalc({"transcritical", "--high-pressure", "60"});
  EXPECT_EQ(subcritical.exit_code, 1);
  EXPECT_TRUE(subcritical.out.empty());
  EXPECT_NE(subcritical.err.find("use the Basic Calculation or the comparison"), std::string::npos)
      << subcritical.err;
  const auto text = Hpcalc({"transcritical", "--capacity", "ten"});
  EXPECT_EQ(text.exit_code, 1);
  EXPECT_EQ(text.err, "Please Input Heating Capacity as a number\n");

  for (const std::vector<std::string>& bad :
       {std::vector<std::string>{"transcritical", "--condensing", "90"},
        std::vector<std::string>{"transcritical", "R744"}}) {
    const auto run = Hpcalc(bad);
    EXPECT_EQ(run.exit_code, 2) << bad.back();
    EXPECT_NE(run.err.find("hpcalc transcritical [--refrigerant R744]"), std::string::npos);
  }
}

// At the defaults the best COP's pressure leaves the water short, so the
// pressure is held above it, the higher the larger the minimum approach: the
// table says so, the CSV keeps its columns and says "yes". A given pressure
// short of the approach is computed with a note on the error stream.
TEST(Hpcalc, TranscriticalSaysWhatHoldsThePressure) {
  const std::string best = R"(the best COP, 4\.556 at 85\.75 bar, leaves the water short by 0\.994 K\)\n)";
  const struct {
    std::vector<std::string> args;
    std::string note;  // after "High-side pressure <p> bar ("
    bool limited;
    std::string warning;
  } cases[] = {
      {{"--min-approach", "0"}, R"(the lowest pressure with a pinch of at least 0\.00 K: )" + best, true, ""},
      {{}, R"(the lowest pressure with a pinch of at least 5\.00 K: )" + best, true, ""},
      {{"--water-out", "45"}, R"(the best COP, searched from 73\.77 to 160\.00 bar\)\n)", false, ""},
      {{"--high-pressure", "90"}, R"(as entered\)\n)", false,
       "hpcalc: The pinch of the gas cooler, 1.96 K, lies below the Minimum Approach of 5.00 K: "
       "the gas cooler must be larger than one built for that approach\n"},
  };
  double previous = 0;
  for (const auto& c : cases) {
    std::vector<std::string> args{"transcritical"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const auto table = Hpcalc(args);
    EXPECT_EQ(table.exit_code, 0) << table.err;
    EXPECT_EQ(table.err, c.warning);
    const std::regex note(R"(High-side pressure +(\d+\.\d\d) bar \()" + c.note);
    std::smatch match;
    ASSERT_TRUE(std::regex_search(table.out, match, note)) << table.out;
    if (!c.limited) continue;
    const double limited = std::stod(match[1]);
    EXPECT_GT(limited, std::max(previous, 85.76));
    previous = limited;
    args.push_back("--csv");
    const auto csv = Hpcalc(args);
    EXPECT_EQ(csv.exit_code, 0) << csv.err;
    EXPECT_NE(csv.out.find("\nR744," + cycle::FormatShortest(limited) + ",yes,"), std::string::npos)
        << csv.out;
  }
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
      {"screen", "R22"},
      {"screen", "--sort", "efficiency"},
      {"screen", "--sort", "-"},
      {"screen", "--kind", "gas"},
      {"screen", "--max-gwp", "150 kg"},
      {"screen", "--safety-class", " , "},
      {"diagram", "ph", "basic", "--out", ""},
      {"basic", "--report", ""},
      {"compare", "R22", "--report="},
  };
  for (const auto& args : cases) {
    const auto run = Hpcalc(args);
    EXPECT_EQ(run.exit_code, 2) << (args.empty() ? "" : args[0]);
    EXPECT_NE(run.err.find("Usage:"), std::string::npos);
    EXPECT_EQ(run.out, "");
  }
  for (const auto& args :
       std::vector<std::vector<std::string>>{{"--help"}, {"compare", "--help"}, {"screen", "--help"}}) {
    const auto help = Hpcalc(args);
    EXPECT_EQ(help.exit_code, 0);
    EXPECT_EQ(help.out.rfind("Usage:", 0), 0u);
  }
}

// The usage with every run of blanks and line breaks as one blank, so that
// a help wrapped anywhere reads as one line.
std::string OneLine(const std::string& text) {
  std::string line;
  for (const char c : text) {
    const bool blank = c == ' ' || c == '\n';
    if (!blank || (!line.empty() && line.back() != ' ')) line += blank ? ' ' : c;
  }
  return line;
}

// A command's help shows each option of its calculation's table with the
// table's text (those the command takes as names aside).
template <typename Fields, std::size_t N>
void ExpectHelpShowsTheTable(const cycle::FieldDefaults<Fields, N>& table,
                             std::vector<std::string> command,
                             std::string_view taken_as_name = {}) {
  command.push_back("--help");
  const auto help = Hpcalc(command);
  ASSERT_EQ(help.exit_code, 0) << command[0];
  const std::string usage = OneLine(help.out);
  for (const auto& entry : table) {
    if (entry.option == taken_as_name) continue;
    const std::string_view shown = entry.placeholder.empty() ? entry.text : entry.placeholder;
    EXPECT_NE(usage.find(" --" + std::string(entry.option) + " " + std::string(shown) + " "),
              std::string::npos)
        << command[0] << " --" << entry.option;
    if (!entry.placeholder.empty() && !entry.text.empty()) {
      EXPECT_NE(usage.find("(default " + std::string(entry.text) + ")"), std::string::npos)
          << command[0] << " --" << entry.option;
    }
  }
}

// Without options a command computes what it computes with every option of
// its calculation's table given the table's text.
template <typename Fields, std::size_t N>
void ExpectDefaultsAreTheTables(const cycle::FieldDefaults<Fields, N>& table,
                                const std::vector<std::string>& command,
                                const std::vector<std::string>& names,
                                std::string_view taken_as_name = {}) {
  auto defaults = command;
  auto given = command;
  for (const auto& entry : table) {
    if (entry.option == taken_as_name) continue;
    given.push_back("--" + std::string(entry.option) + "=" + std::string(entry.text));
  }
  defaults.insert(defaults.end(), names.begin(), names.end());
  given.insert(given.end(), names.begin(), names.end());
  const auto plain = Hpcalc(defaults);
  EXPECT_EQ(plain.exit_code, 0) << command[0] << ": " << plain.err;
  EXPECT_NE(plain.out, "") << command[0];
  EXPECT_EQ(Hpcalc(given).out, plain.out) << command[0];
}

TEST(Hpcalc, OptionsTheirDefaultsAndHelpAreTheCalculationsTables) {
  ExpectHelpShowsTheTable(cycle::kBasicDefaults, {"basic"});
  ExpectDefaultsAreTheTables(cycle::kBasicDefaults, {"basic", "--csv"}, {});
  ExpectHelpShowsTheTable(cycle::kBasicDefaults, {"diagram", "ts", "basic"});
  ExpectDefaultsAreTheTables(cycle::kBasicDefaults, {"diagram", "ts", "basic"}, {});
  ExpectHelpShowsTheTable(cycle::kComparisonDefaults, {"compare"});
  ExpectDefaultsAreTheTables(cycle::kComparisonDefaults, {"compare", "--csv"}, {"R134a", "R600"});
  ExpectHelpShowsTheTable(cycle::kComparisonDefaults, {"screen"});
  ExpectHelpShowsTheTable(cycle::kTranscriticalDefaults, {"transcritical"});
  ExpectDefaultsAreTheTables(cycle::kTranscriticalDefaults, {"transcritical", "--csv"}, {});
  // The layouts take their refrigerants as names.
  ExpectHelpShowsTheTable(cycle::kLayoutDefaults, {"layout"}, "refrigerant");
  ExpectDefaultsAreTheTables(cycle::kLayoutDefaults, {"layout", "economizer", "--csv"},
                             {"R134a"}, "refrigerant");
  ExpectHelpShowsTheTable(cycle::kLayoutDefaults, {"diagram", "ph", "layout", "ihx"},
                          "refrigerant");
  ExpectDefaultsAreTheTables(cycle::kLayoutDefaults, {"diagram", "ph", "layout", "ihx"}, {"R600"},
                             "refrigerant");
}

// Every line of every help within 80 columns.
TEST(Hpcalc, HelpFitsEightyColumns) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--help"}, {"basic", "--help"}, {"compare", "--help"}, {"layout", "--help"},
           {"diagram", "--help"}, {"property", "--help"}, {"screen", "--help"},
           {"transcritical", "--help"}}) {
    const auto help = Hpcalc(args);
    EXPECT_EQ(help.exit_code, 0) << args[0];
    std::istringstream lines(help.out);
    for (std::string line; std::getline(lines, line);) {
      EXPECT_LE(line.size(), 80u) << args[0] << ": " << line;
    }
  }
}

TEST(Hpcalc, VersionIsTheProjectsVersion) {
  const auto run = Hpcalc({"--version"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.out, "hpcalc " HEATPUMP_VERSION "\n");
  EXPECT_EQ(run.err, "");
}

}  // namespace
