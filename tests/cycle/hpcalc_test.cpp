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

// The fields of a CSV line, quoted fields unquoted.
std::vector<std::string> CsvFields(const std::string& line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"') {
      fields.back() += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

std::vector<std::vector<std::string>> CsvRows(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) rows.push_back(CsvFields(line));
  return rows;
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

// At the defaults the water's outlet temperature holds the pressure above the
// best one: the table says so, the CSV keeps its columns and says "yes".
TEST(Hpcalc, TranscriticalSaysWhenTheWaterLimitsThePressure) {
  const auto table = Hpcalc({"transcritical"});
  EXPECT_EQ(table.exit_code, 0) << table.err;
  const std::regex note(
      R"(High-side pressure +(\d+\.\d\d) bar \(best COP between 73\.77 and 160\.00 bar; limited by )"
      R"(the water outlet temperature: the highest COP, 4\.556 at 85\.75 bar, leaves the water )"
      R"(short by 0\.994 K\)\n)");
  std::smatch match;
  ASSERT_TRUE(std::regex_search(table.out, match, note)) << table.out;
  const double limited = std::stod(match[1]);
  EXPECT_GT(limited, 85.76);

  const auto csv = Hpcalc({"transcritical", "--csv"});
  EXPECT_EQ(csv.exit_code, 0) << csv.err;
  EXPECT_NE(csv.out.find("\nR744," + cycle::FormatShortest(limited) + ",yes,"), std::string::npos)
      << csv.out;

  // Where the best pressure heats the water, no note.
  const auto unlimited = Hpcalc({"transcritical", "--water-out", "55"});
  EXPECT_EQ(unlimited.out.find("limited by"), std::string::npos) << unlimited.out;
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

// The rows of `hpcalc diagram` CSV: refrigerant, series, point, T, p, h, s.
struct DiagramCsvRow {
  std::string refrigerant, series, point;
  double T, p, h, s;
};

std::vector<DiagramCsvRow> DiagramCsv(const std::string& out) {
  std::vector<DiagramCsvRow> rows;
  std::istringstream lines(out);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line, "refrigerant,series,point,T,p,h,s");
  while (std::getline(lines, line)) {
    std::vector<std::string> f;
    std::stringstream fields(line);
    for (std::string field; std::getline(fields, field, ',');) f.push_back(field);
    EXPECT_EQ(f.size(), 7u) << line;
    if (f.size() != 7) continue;
    rows.push_back({f[0], f[1], f[2], std::stod(f[3]), std::stod(f[4]), std::stod(f[5]),
                    std::stod(f[6])});
  }
  return rows;
}

// The corners of the CSV are the figures `hpcalc basic` prints, to their
// two decimals; every number is written in full.
TEST(Hpcalc, DiagramCornersAreTheBasicCalculationsPoints) {
  const auto diagram = Hpcalc({"diagram", "ph", "basic", "--refrigerant", "R134a", "--condensing", "70"});
  ASSERT_EQ(diagram.exit_code, 0) << diagram.err;
  const auto basic = Hpcalc({"basic", "--csv", "--refrigerant", "R134a", "--condensing", "70"});
  std::vector<std::string> figures;
  std::stringstream line(basic.out.substr(basic.out.find('\n') + 1));
  for (std::string field; std::getline(line, field, ',');) figures.push_back(field);
  ASSERT_EQ(figures.size(), 16u);
  const auto figure = [&](int index) { return std::stod(figures[static_cast<std::size_t>(index)]); };
  // Evap,Conden,Compress,EV,P1,P2,P3,P4,T1,T2,T3,T4,H1,H2,H3,H4
  const struct {
    const char* point;
    int p, T, h;  // the figures' columns; -1: not on the page
  } corners[] = {{"1", 4, 8, 12}, {"2s", 5, -1, 13}, {"2", 5, 9, -1}, {"3", 6, 10, 14}, {"4", 7, -1, 15}};
  const auto rows = DiagramCsv(diagram.out);
  std::map<std::string, int> series;
  for (const auto& row : rows) ++series[row.series];
  EXPECT_GE(series["bubble"], 100);
  EXPECT_GE(series["dew"], 100);
  EXPECT_EQ(series["critical"], 1);
  EXPECT_GE(series["isotherm"], 20);
  for (const auto& c : corners) {
    const auto found = std::count_if(rows.begin(), rows.end(), [&](const auto& r) { return r.point == c.point; });
    EXPECT_EQ(found, 1) << c.point;
    const auto row = std::find_if(rows.begin(), rows.end(), [&](const auto& r) { return r.point == c.point; });
    if (row == rows.end()) continue;
    EXPECT_EQ(row->series, "cycle");
    EXPECT_EQ(cycle::FormatFixed(row->p, 2), figures[static_cast<std::size_t>(c.p)]) << c.point;
    if (c.T >= 0) {
      EXPECT_EQ(cycle::FormatFixed(row->T, 2), figures[static_cast<std::size_t>(c.T)]) << c.point;
    }
    if (c.h >= 0) {
      EXPECT_NEAR(row->h, figure(c.h), 0.005) << c.point;
    }
  }
  // Full precision: a dome point's numbers are the library's to the last digit.
  const auto dew = std::find_if(rows.begin(), rows.end(), [](const auto& r) { return r.series == "dew"; });
  ASSERT_NE(dew, rows.end());
  const auto expected = property::Pressure("R134a", "Tvap", "mks", dew->T + 273.15);
  EXPECT_EQ(dew->p, std::get<double>(expected) / 100);
}

TEST(Hpcalc, DiagramOfAComparisonListsEachRefrigerant) {
  const auto run = Hpcalc({"diagram", "ts", "compare", "--evaporating", "20", "--condensing", "60",
                           "R134a", "R407C"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  std::map<std::string, std::set<std::string>> series;
  for (const auto& row : DiagramCsv(run.out)) series[row.refrigerant].insert(row.series);
  const std::set<std::string> expected{"bubble", "dew", "critical", "cycle", "isobar"};
  EXPECT_EQ(series["R134a"], expected);
  EXPECT_EQ(series["R407C"], expected);
  EXPECT_EQ(series.size(), 2u);
}

TEST(Hpcalc, DiagramWritesPicturesAndRefusesAsTheCalculationsDo) {
  const auto dir = std::filesystem::temp_directory_path() / ("hpcalc_diagram_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  for (const auto& [file, magic] : std::vector<std::pair<std::string, std::string>>{
           {"d.png", "\x89PNG"}, {"d.svg", "<?xml"}, {"d.pdf", "%PDF"}}) {
    const auto run = Hpcalc({"diagram", "ph", "compare", "R22", "R134a", "--out", (dir / file).string()});
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(Slurp(dir / file).rfind(magic, 0), 0u) << file;
  }
  // A refused calculation writes nothing and leaves the file as it was.
  std::ofstream(dir / "kept.png") << "earlier";
  const auto refused = Hpcalc({"diagram", "ph", "compare", "R410A", "--out", (dir / "kept.png").string()});
  EXPECT_EQ(refused.exit_code, 1);
  EXPECT_EQ(refused.err, "Incorrect name or check the critical temperature of refrigerant1\n");
  EXPECT_EQ(Slurp(dir / "kept.png"), "earlier");
  const auto basic = Hpcalc({"diagram", "ts", "basic", "--hot-water", "14"});
  EXPECT_EQ(basic.exit_code, 1);
  EXPECT_EQ(basic.err, "Temperature of Hot water must > 15 Celsius\n");
  EXPECT_EQ(basic.out, "");

  // A display it cannot reach changes nothing: files are drawn offscreen.
  const std::string unreachable = "env -u QT_QPA_PLATFORM DISPLAY=:9999 " + Quoted(HPCALC_PATH) +
                                  " diagram ph basic --out " + Quoted((dir / "x.png").string()) +
                                  " 2>/dev/null";
  EXPECT_EQ(std::system(unreachable.c_str()), 0);
  EXPECT_EQ(Slurp(dir / "x.png").rfind("\x89PNG", 0), 0u);

  const auto unwritable = Hpcalc({"diagram", "ph", "basic", "--out", (dir / "none" / "d.png").string()});
  EXPECT_EQ(unwritable.exit_code, 1);
  EXPECT_EQ(unwritable.err.rfind("Cannot write", 0), 0u) << unwritable.err;
  std::filesystem::remove_all(dir);

  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"diagram"}, {"diagram", "ph"}, {"diagram", "pv", "basic"}, {"diagram", "ph", "cycle"},
           {"diagram", "ph", "basic", "--out", "d.jpg"}, {"diagram", "ts", "compare"},
           {"diagram", "ph", "basic", "R22"}}) {
    const auto run = Hpcalc(args);
    EXPECT_EQ(run.exit_code, 2) << args.size();
    EXPECT_NE(run.err.find("Usage:"), std::string::npos);
  }
}

// --report FILE writes the PDF or CSV beside the printed figures; a refused
// calculation writes nothing, and a name of another kind is bad usage.
TEST(Hpcalc, ReportsAreWrittenBesideThePrintedFigures) {
  const auto dir = std::filesystem::temp_directory_path() / ("hpcalc_report_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const auto csv = Hpcalc({"basic", "--report", (dir / "basic.csv").string()});
  EXPECT_EQ(csv.exit_code, 0) << csv.err;
  EXPECT_NE(csv.out.find("Evaporator (kW)"), std::string::npos);
  const std::string table = Slurp(dir / "basic.csv");
  EXPECT_EQ(table.rfind("label,value,unit\nRefrigerant,R22,\n", 0), 0u) << table;
  EXPECT_NE(table.find("\nEvaporator,20.91,kW\n"), std::string::npos) << table;

  const auto pdf = Hpcalc({"compare", "R22", "R134a", "--report", (dir / "compare.PDF").string()});
  EXPECT_EQ(pdf.exit_code, 0) << pdf.err;
  EXPECT_EQ(Slurp(dir / "compare.PDF").rfind("%PDF", 0), 0u);
  EXPECT_EQ(pdf.out, Hpcalc({"compare", "R22", "R134a"}).out);

  std::ofstream(dir / "kept.csv") << "earlier";
  const auto refused = Hpcalc({"compare", "--condensing", "200", "R22", "--report", (dir / "kept.csv").string()});
  EXPECT_EQ(refused.exit_code, 1);
  EXPECT_EQ(refused.err, "Can't Use Heat Pump System\n");
  EXPECT_EQ(Slurp(dir / "kept.csv"), "earlier");

  const auto other = Hpcalc({"basic", "--report", (dir / "basic.txt").string()});
  EXPECT_EQ(other.exit_code, 2);
  EXPECT_NE(other.err.find("must end in .pdf or .csv"), std::string::npos) << other.err;
  EXPECT_EQ(other.out, "");

  const auto unwritable = Hpcalc({"basic", "--report", (dir / "none" / "basic.pdf").string()});
  EXPECT_EQ(unwritable.exit_code, 1);
  EXPECT_EQ(unwritable.err.rfind("Cannot write", 0), 0u) << unwritable.err;
  EXPECT_NE(unwritable.out.find("Evaporator (kW)"), std::string::npos) << "the figures still print";
  EXPECT_FALSE(std::filesystem::exists(dir / "none"));
  std::filesystem::remove_all(dir);
}

// The figures of a layout, one line per refrigerant with every number in
// full; a refused refrigerant as a row that says why, exit 1.
TEST(Hpcalc, LayoutPrintsTheFiguresOfEachRefrigerant) {
  const auto run = Hpcalc({"layout", "economizer", "--csv", "R134a", "R999", "R1233zd(E)"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "");
  const auto rows = CsvRows(run.out);
  ASSERT_EQ(rows.size(), 4u) << run.out;
  EXPECT_EQ(run.out.substr(0, run.out.find('\n')),
            "refrigerant,layout,COP,VHC,HeatingCapacity,CompressorPower,MassFlow,InjectionRatio,"
            "IntermediatePressure,SuctionTemperature,DischargeTemperature,PressureRatio,"
            "WetCompression,MinSuperheat,ExergyEfficiency,LossCompressor,LossCondenser,LossValve,"
            "LossEvaporator,LossIHX,LossEconomizer,LossMixing,status,reason");
  for (const auto& row : rows) ASSERT_EQ(row.size(), 24u) << row.front();
  // The reference's figures, written to read back as the calculation's own.
  const auto& r134a = rows[1];
  EXPECT_EQ(r134a[1], "economizer");
  EXPECT_NEAR(std::stod(r134a[2]), 5.76447552265, 1e-6);
  EXPECT_NEAR(std::stod(r134a[7]), 0.241290880199, 1e-7);
  EXPECT_NEAR(std::stod(r134a[8]), 20.6773452502, 1e-6);
  EXPECT_GE(r134a[2].size(), 12u) << "full precision";
  EXPECT_EQ(r134a[12], "no");
  EXPECT_EQ(r134a[19], "0") << "no internal heat exchanger";
  EXPECT_EQ(r134a[22], "ok");
  EXPECT_EQ(rows[2][0], "R999");
  EXPECT_EQ(rows[2][22], "refused");
  EXPECT_EQ(rows[2][23], "R999 is not a fluid or mixture the property library knows");
  for (std::size_t i = 2; i < 22; ++i) EXPECT_EQ(rows[2][i], "") << i;
  EXPECT_EQ(rows[3][12], "no") << "each stage of R1233zd(E) lifts too little to end wet";
  EXPECT_EQ(rows[3][13].substr(0, 4), "6.12") << "the least superheat from Pe to Pc";

  // One stage: no intermediate pressure; a two-phase discharge has no
  // temperature, and the row says why.
  const auto wet = CsvRows(Hpcalc({"layout", "basic", "--csv", "R1336mzz(Z)"}).out);
  ASSERT_EQ(wet.size(), 2u);
  EXPECT_EQ(wet[1][8], "");
  EXPECT_EQ(wet[1][10], "");
  EXPECT_EQ(wet[1][12], "yes");
  EXPECT_EQ(wet[1][22], "ok");
  EXPECT_EQ(wet[1][23].rfind("the discharge is two-phase (vapour quality 0.9", 0), 0u)
      << wet[1][23];

  const auto text = Hpcalc({"layout", "flash-tank", "--intermediate", "optimal", "R134a"});
  EXPECT_EQ(text.exit_code, 0) << text.err;
  for (const char* piece : {"Heating COP", "Intermediate pressure (bar)", "(best COP)", "\n9 ",
                            "Flash tank", "Mixing", "Dry compression"}) {
    EXPECT_NE(text.out.find(piece), std::string::npos) << piece << " in\n" << text.out;
  }
  const auto refused = Hpcalc({"layout", "flash-tank", "R450A", "--subcooling", "x"});
  EXPECT_EQ(refused.exit_code, 1);
  EXPECT_EQ(refused.out, "");
  EXPECT_EQ(refused.err, "R450A: Please Input Subcooling as a number\n");
}

TEST(Hpcalc, LayoutStatesListEveryStateWithItsMass) {
  const auto run = Hpcalc({"layout", "ihx", "--states", "R134a", "--ihx-effectiveness=80"});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  const auto rows = CsvRows(run.out);
  ASSERT_EQ(rows.size(), 8u) << run.out;
  EXPECT_EQ(rows[0], (std::vector<std::string>{"refrigerant", "layout", "state", "p", "T", "h", "s",
                                               "mass"}));
  std::vector<std::string> states;
  for (std::size_t i = 1; i < rows.size(); ++i) states.push_back(rows[i][2]);
  EXPECT_EQ(states, (std::vector<std::string>{"1'", "1", "2s", "2", "3'", "3", "4"}));
  // The suction leaves the evaporator at 54 'C; the liquid gives the heat.
  EXPECT_EQ(rows[1][4], "54");
  EXPECT_NEAR(std::stod(rows[2][5]) - std::stod(rows[1][5]),
              std::stod(rows[5][5]) - std::stod(rows[6][5]), 1e-9);

  const auto two = CsvRows(Hpcalc({"layout", "economizer", "--states", "--csv", "R134a"}).out);
  ASSERT_EQ(two.size(), 12u);
  const auto* seven =
      &*std::find_if(two.begin(), two.end(), [](const auto& r) { return r[2] == "7"; });
  EXPECT_NEAR(std::stod((*seven)[7]), 0.241290880199, 1e-7) << "the injected mass";
}

TEST(Hpcalc, LayoutWritesReportsAndDiagrams) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("hpcalc_layout_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const auto csv = Hpcalc({"layout", "basic", "R134a", "--report", (dir / "l.csv").string()});
  EXPECT_EQ(csv.exit_code, 0) << csv.err;
  EXPECT_EQ(Slurp(dir / "l.csv"), Hpcalc({"layout", "basic", "--csv", "R134a"}).out);
  const auto pdf =
      Hpcalc({"layout", "economizer", "R134a", "R1233zd(E)", "--report", (dir / "l.pdf").string()});
  EXPECT_EQ(pdf.exit_code, 0) << pdf.err;
  EXPECT_EQ(Slurp(dir / "l.pdf").rfind("%PDF", 0), 0u);
  const auto picture =
      Hpcalc({"diagram", "ts", "layout", "flash-tank", "R134a", "--out", (dir / "d.svg").string()});
  EXPECT_EQ(picture.exit_code, 0) << picture.err;
  EXPECT_EQ(Slurp(dir / "d.svg").rfind("<?xml", 0), 0u);
  std::filesystem::remove_all(dir);

  // The diagram's states are the layout's; the injection line its own series.
  const auto diagram = Hpcalc({"diagram", "ph", "layout", "economizer", "R134a"});
  ASSERT_EQ(diagram.exit_code, 0) << diagram.err;
  const auto states = CsvRows(Hpcalc({"layout", "economizer", "--states", "R134a"}).out);
  const auto rows = DiagramCsv(diagram.out);
  for (std::size_t i = 1; i < states.size(); ++i) {
    const auto row = std::find_if(rows.begin(), rows.end(),
                                  [&](const auto& r) { return r.point == states[i][2]; });
    ASSERT_NE(row, rows.end()) << states[i][2];
    EXPECT_EQ(row->series, "cycle");
    EXPECT_EQ(cycle::FormatShortest(row->h), states[i][5]) << states[i][2];
    EXPECT_EQ(cycle::FormatShortest(row->p), states[i][3]) << states[i][2];
  }
  EXPECT_GE(std::count_if(rows.begin(), rows.end(),
                          [](const auto& r) { return r.series == "injection"; }),
            10);
  const auto refused = Hpcalc({"diagram", "ph", "layout", "flash-tank", "R450A"});
  EXPECT_EQ(refused.exit_code, 1);
  EXPECT_EQ(refused.err.rfind("R450A is a blend: in a flash tank", 0), 0u) << refused.err;

  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"layout"},
           {"layout", "cascade", "R134a"},
           {"layout", "basic"},
           {"layout", "basic", "a", "b", "c", "d", "e", "f", "g", "h", "i"},
           {"layout", "basic", "--report", "l.txt", "R134a"},
           {"layout", "basic", "--bogus", "1", "R134a"},
           {"diagram", "ph", "layout"},
           {"diagram", "ph", "layout", "basic"},
           {"diagram", "ph", "layout", "two-stage", "R134a"}}) {
    const auto run = Hpcalc(args);
    EXPECT_EQ(run.exit_code, 2) << args.back();
    EXPECT_NE(run.err.find("Usage:"), std::string::npos);
    EXPECT_EQ(run.out, "");
  }
}

// The comparison's figures stay; wet compression is noted beside them.
TEST(Hpcalc, CompareNotesWetCompression) {
  const auto run = Hpcalc({"compare", "--csv", "R134a", "R1233zd(E)"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.err,
            "hpcalc: R1233zd(E): wet compression: the isentropic compression ends inside the "
            "two-phase region; at least 6.12 K of suction superheat keeps it dry\n");
  EXPECT_EQ(CsvRows(run.out).size(), 3u);
  EXPECT_EQ(run.out.substr(0, run.out.find('\n')),
            "refrigerant,COP,MassPerHeat,VaporVolume,DisplacementVolume,DischargePressure,"
            "DischargeTemperature,PressureRatio");
  EXPECT_EQ(Hpcalc({"compare", "--superheating", "7", "R1233zd(E)"}).err, "");
}

// --out and --report replace regular files only: a named pipe, a device or
// a folder behind the name is refused and left as it is; a link to a
// regular file stays a link to the new file.
TEST(Hpcalc, WritesOverRegularFilesOnly) {
  const auto dir = std::filesystem::temp_directory_path() / ("hpcalc_targets_" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir / "folder.csv");
  ::mkfifo((dir / "pipe.svg").c_str(), 0600);
  // A null device of its own, so that the system's is never at risk.
  const bool device = ::mknod((dir / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
  std::filesystem::create_symlink(device ? dir / "null" : "/dev/null", dir / "device.pdf");
  std::ofstream(dir / "real.csv") << "earlier";
  std::filesystem::create_symlink("real.csv", dir / "link.csv");
  const struct {
    std::vector<std::string> args;
    std::filesystem::path target;
    const char* words;  // nullptr: written
  } cases[] = {
      {{"diagram", "ph", "basic", "--out"}, dir / "pipe.svg", "it is a named pipe"},
      {{"basic", "--report"}, dir / "device.pdf", "it is a device"},
      {{"compare", "R22", "--report"}, dir / "folder.csv", "it is a folder"},
      {{"basic", "--report"}, dir / "link.csv", nullptr},
  };
  for (const auto& c : cases) {
    const auto type = std::filesystem::symlink_status(c.target).type();
    const auto followed = std::filesystem::status(c.target).type();
    auto args = c.args;
    args.push_back(c.target.string());
    const auto run = Hpcalc(args);
    EXPECT_EQ(std::filesystem::symlink_status(c.target).type(), type) << c.target;
    EXPECT_EQ(std::filesystem::status(c.target).type(), followed) << c.target;
    if (c.words == nullptr) {
      EXPECT_EQ(run.exit_code, 0) << run.err;
      EXPECT_EQ(Slurp(dir / "real.csv").rfind("label,value,unit\n", 0), 0u);
      continue;
    }
    EXPECT_EQ(run.exit_code, 1) << c.target;
    EXPECT_EQ(run.err.rfind("Cannot write " + c.target.string() + ": ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(c.words), std::string::npos) << run.err;
  }
  std::filesystem::remove_all(dir);
}

// The text commands load no Qt: drawing is in a library of its own.
TEST(Hpcalc, LinksNoQt) {
  const auto listing = RunProgram("ldd", {HPCALC_PATH});
  ASSERT_EQ(listing.exit_code, 0) << listing.err;
  EXPECT_NE(listing.out.find("libstdc++"), std::string::npos) << listing.out;
  EXPECT_EQ(listing.out.find("libQt"), std::string::npos) << listing.out;
}

// A copy of hpcalc whose drawing library is missing, or is another library
// under its name, computes and writes CSV as ever; what it would draw it
// refuses in words, exit 1, leaving the file as it was.
TEST(Hpcalc, WithoutItsDrawingLibraryOnlyDrawingIsRefused) {
  namespace fs = std::filesystem;
  const fs::path bin = fs::path(HPCALC_PATH).parent_path();
  const fs::path dir = fs::temp_directory_path() / ("hpcalc_alone_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  fs::copy_file(HPCALC_PATH, dir / "hpcalc");
  for (const char* beside : {"libfluidcore.so", "fluids", "mixtures"}) {
    fs::create_symlink(bin / beside, dir / beside);
  }
  const std::string library = (dir / "libhpcalc_pictures.so").string();
  const struct {
    const char* stand_in;  // under the library's name; nullptr: none there
    std::string reason;
  } setups[] = {
      {nullptr, "drawing needs " + library + ", which cannot be loaded: "},
      {"libfluidcore.so", library + " is not the drawing library of hpcalc " HEATPUMP_VERSION},
  };
  for (const auto& setup : setups) {
    if (setup.stand_in) fs::create_symlink(bin / setup.stand_in, library);
    const std::string picture = (dir / "d.png").string(), pdf = (dir / "b.pdf").string();
    const auto drawn = RunProgram(dir / "hpcalc", {"diagram", "ph", "basic", "--out", picture});
    EXPECT_EQ(drawn.exit_code, 1);
    EXPECT_EQ(drawn.err.rfind("Cannot write " + picture + ": " + setup.reason, 0), 0u) << drawn.err;
    const auto report = RunProgram(dir / "hpcalc", {"basic", "--report", pdf});
    EXPECT_EQ(report.exit_code, 1);
    EXPECT_EQ(report.err.rfind("Cannot write " + pdf + ": " + setup.reason, 0), 0u) << report.err;
    EXPECT_EQ(report.out, Hpcalc({"basic"}).out) << "the figures still print";
    EXPECT_FALSE(fs::exists(picture));
    EXPECT_FALSE(fs::exists(pdf));

    const auto csv = RunProgram(dir / "hpcalc", {"basic", "--report", (dir / "b.csv").string()});
    EXPECT_EQ(csv.exit_code, 0) << csv.err;
    EXPECT_EQ(Slurp(dir / "b.csv").rfind("label,value,unit\n", 0), 0u);
  }
  fs::remove_all(dir);
}

// Output that cannot be written fails the command, in words.
TEST(Hpcalc, OutputThatCannotBeWrittenFails) {
  if (::access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full here";
  const auto err = std::filesystem::temp_directory_path() / ("hpcalc_full_" + std::to_string(::getpid()));
  const std::string command =
      Quoted(HPCALC_PATH) + " basic >/dev/full 2>" + Quoted(err.string());
  const int status = std::system(command.c_str());
  EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 1);
  EXPECT_EQ(Slurp(err), "hpcalc: cannot write the output: no space left on the device\n");
  std::filesystem::remove(err);
}

}  // namespace
