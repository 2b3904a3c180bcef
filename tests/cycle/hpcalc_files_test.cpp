// hpcalc end to end: its diagrams, reports and layouts, and the files it writes.
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
  ASSERT_EQ(figures.size(), 19u);
  const auto figure = [&](int index) { return std::stod(figures[static_cast<std::size_t>(index)]); };
  // Evap,Conden,Compress,EV,P1,P2,P3,P4,T1,T2,T3,T4,H1,H2,H3,H4,COP,VHC,H2actual
  const struct {
    const char* point;
    int p, T, h;  // the figures' columns; -1: not on the page
  } corners[] = {{"1", 4, 8, 12}, {"2s", 5, -1, 13}, {"2", 5, 9, 18}, {"3", 6, 10, 14}, {"4", 7, -1, 15}};
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

  const auto co2 = Hpcalc({"transcritical", "--high-pressure", "100", "--report", (dir / "co2.csv").string()});
  EXPECT_EQ(co2.exit_code, 0) << co2.err;
  const std::string co2_table = Slurp(dir / "co2.csv");
  EXPECT_EQ(co2_table.rfind("label,value,unit\nRefrigerant,R744,\n", 0), 0u) << co2_table;
  EXPECT_NE(co2_table.find("\nMinimum approach,5,K\n"), std::string::npos) << co2_table;
  EXPECT_NE(co2_table.find("\nHigh-side pressure,100.00,bar\n"), std::string::npos) << co2_table;
  const auto co2_pdf =
      Hpcalc({"transcritical", "--water-out", "60", "--report", (dir / "co2.pdf").string()});
  EXPECT_EQ(co2_pdf.exit_code, 0) << co2_pdf.err;
  EXPECT_EQ(Slurp(dir / "co2.pdf").rfind("%PDF", 0), 0u);

  for (const char* command : {"basic", "transcritical"}) {
    const auto other = Hpcalc({command, "--report", (dir / "basic.txt").string()});
    EXPECT_EQ(other.exit_code, 2);
    EXPECT_NE(other.err.find("must end in .pdf or .csv"), std::string::npos) << other.err;
    EXPECT_EQ(other.out, "");
  }

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
