// The document the build writes where the desktop program opens it, read
// back with poppler's tools; and the generator's behaviour when a fluid or
// the whole library fails.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "catalogue/fluid_facts.h"
#include "run_program.h"

namespace document_test {
namespace {

namespace fs = std::filesystem;
using catalogue::PureFluidFacts;

const std::string kDash = "\u2013";

fs::path DocumentFile() {
  return fs::path(ProgramFolder()) / "doc" / "Selection working fluid of the Ondu.PDF";
}

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The text of the document, laid out as on the page.
std::string PdfText(const fs::path& file) {
  const ProgramRun run = RunProgram({PDFTOTEXT, "-layout", file.string(), "-"});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  return run.out;
}

// The text from one heading up to the next.
std::string Section(const std::string& text, const std::string& from, const std::string& to) {
  const auto begin = text.find(from);
  EXPECT_NE(begin, std::string::npos) << "no section " << from;
  if (begin == std::string::npos) return {};
  return text.substr(begin, text.find(to, begin) - begin);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string RegexQuoted(const std::string& text) {
  static const std::regex special(R"([.^$|()\[\]{}*+?\\])");
  return std::regex_replace(text, special, R"(\$&)");
}

// The table rows of a section that begin with label and then, after blanks,
// a field that matches `next` (by default a number or a dash), split into
// fields at blanks (the label may hold blanks).
std::vector<std::vector<std::string>> RowsOf(const std::string& section, const std::string& label,
                                             const std::string& next = "-?[0-9]|" + kDash) {
  std::string pattern = "^";
  pattern += RegexQuoted(label) + "\\s+(" + next + ")";
  const std::regex row(pattern);
  std::vector<std::vector<std::string>> rows;
  for (const auto& line : Lines(section)) {
    if (!std::regex_search(line, row)) continue;
    std::vector<std::string> fields{label};
    std::istringstream rest(line.substr(label.size()));
    for (std::string field; rest >> field;) fields.push_back(field);
    rows.push_back(fields);
  }
  return rows;
}

// Rows end with the three condensing marks.
int CountMarkedRows(const std::string& section) {
  const std::string mark = "(yes|close|no|" + kDash + ")";
  const std::regex marks(mark + "\\s+" + mark + "\\s+" + mark + "\\s*$");
  int count = 0;
  for (const auto& line : Lines(section)) count += std::regex_search(line, marks) ? 1 : 0;
  return count;
}

std::string TableLabel(const PureFluidFacts& fluid) {
  const auto number = catalogue::RefrigerantNumber(fluid);
  return fluid.name + (number ? " (" + *number + ")" : "");
}

TEST(Document, IsAValidPdfWhereTheProgramOpensIt) {
  ASSERT_TRUE(fs::is_regular_file(DocumentFile())) << DocumentFile();
  const std::string bytes = ReadBytes(DocumentFile());
  EXPECT_EQ(bytes.rfind("%PDF-1.", 0), 0u);
  EXPECT_NE(bytes.find("\nxref"), std::string::npos);
  EXPECT_NE(bytes.find("trailer"), std::string::npos);
  EXPECT_NE(bytes.find("startxref"), std::string::npos);
  EXPECT_NE(bytes.find("%%EOF", bytes.size() - 8), std::string::npos);

  const ProgramRun info = RunProgram({PDFINFO, DocumentFile().string()});
  EXPECT_EQ(info.exit_code, 0);
  EXPECT_EQ(info.err, "");  // poppler complains about any damage it repairs
  std::smatch pages;
  ASSERT_TRUE(std::regex_search(info.out, pages, std::regex(R"(Pages:\s+(\d+))"))) << info.out;
  EXPECT_GT(std::stoi(pages[1]), 0);
  EXPECT_NE(info.out.find("Page size:       595 x 842 pts (A4)"), std::string::npos) << info.out;
}

TEST(Document, HasOneRowPerPureFluidInTheTableByCriticalTemperature) {
  const auto fluids = catalogue::ReadFluidFiles(fs::path(ProgramFolder()) / "fluids").fluids;
  ASSERT_GT(fluids.size(), 100u);
  const std::string table = Section(PdfText(DocumentFile()), "Table 1. Pure fluids", "Table 2.");
  for (const auto& fluid : fluids) {
    EXPECT_EQ(RowsOf(table, TableLabel(fluid)).size(), 1u) << TableLabel(fluid);
  }
  EXPECT_EQ(CountMarkedRows(table), static_cast<int>(fluids.size()));
}

TEST(Document, HasOneRowPerBlendInTheTableOfBlends) {
  const auto blends = catalogue::ListMixtureFiles(fs::path(ProgramFolder()) / "mixtures");
  const std::string table = Section(PdfText(DocumentFile()), "Table 2. Blends", "Table 3.");
  for (const auto& file : blends) {
    const std::string name = file.substr(0, file.rfind('.'));
    // The components follow the name.
    EXPECT_EQ(RowsOf(table, name, "\\S").size(), 1u) << name;
  }
  EXPECT_EQ(CountMarkedRows(table), static_cast<int>(blends.size()));
}

TEST(Document, ShowsKnownFiguresAndDashesWhereThereAreNone) {
  const std::string table = Section(PdfText(DocumentFile()), "Table 1. Pure fluids", "Table 2.");
  // Name, molar mass, critical temperature and pressure, normal boiling
  // point, safety class, GWP, ODP, condensing at 60, 90, 120 degrees C.
  const auto r134a = RowsOf(table, "R134a");
  ASSERT_EQ(r134a.size(), 1u);
  EXPECT_EQ(r134a[0], (std::vector<std::string>{"R134a", "102.032", "101.06", "40.59", "-26.07",
                                                "A1", "1430", "0", "yes", "yes", "no"}));
  // IAPWS-95: critical point 647.096 K, 22.064 MPa; boiling at 373.124 K.
  const auto water = RowsOf(table, "Water (R718)");
  ASSERT_EQ(water.size(), 1u);
  EXPECT_EQ(water[0], (std::vector<std::string>{"Water (R718)", "18.015", "373.95", "220.64",
                                                "99.97", "A1", kDash, "0", "yes", "yes", "yes"}));
  // No liquid at one atmosphere, and too close to its critical point for 60.
  const auto co2 = RowsOf(table, "CarbonDioxide (R744)");
  ASSERT_EQ(co2.size(), 1u);
  EXPECT_EQ(co2[0], (std::vector<std::string>{"CarbonDioxide (R744)", "44.010", "30.98", "73.77",
                                              kDash, "A1", "1", "0", "no", "no", "no"}));
}

// The last eleven fields of a blend's row: molar mass, critical temperature
// and pressure, bubble and dew point, glide, GWP, ODP and the three marks
// (the composition before them may wrap onto a second line).
std::vector<std::string> BlendFigures(const std::string& table, const std::string& blend) {
  const auto rows = RowsOf(table, blend, "\\S");
  EXPECT_EQ(rows.size(), 1u) << blend;
  if (rows.empty() || rows[0].size() < 12) return {};
  return std::vector<std::string>(rows[0].end() - 11, rows[0].end());
}

TEST(Document, ShowsBlendsWithBubbleAndDewPointsAndMassWeightedGwp) {
  const std::string table = Section(PdfText(DocumentFile()), "Table 2. Blends", "Table 3.");
  // Published for R410A (R32/R125 50/50 by mass): 72.585 g/mol, critical
  // point 71.34 degrees C and 4.901 MPa, at 1 atm bubble point -51.44 and dew
  // point -51.36 degrees C; the glide below 1 K with three significant digits.
  const auto r410a = BlendFigures(table, "R410A");
  ASSERT_EQ(r410a.size(), 11u);
  EXPECT_EQ(std::vector<std::string>(r410a.begin(), r410a.begin() + 6),
            (std::vector<std::string>{"72.59", "71.34", "49.01", "-51.44", "-51.36", "0.0787"}));
  EXPECT_EQ(std::vector<std::string>(r410a.begin() + 7, r410a.end()),
            (std::vector<std::string>{"0", "yes", "no", "no"}));
  // R404A, R125/R143a/R134a 44/52/4: GWP 0.44 * 3500 + 0.52 * 4470 + 0.04 * 1430.
  const auto r404a = BlendFigures(table, "R404A");
  ASSERT_EQ(r404a.size(), 11u);
  EXPECT_EQ(r404a[6], "3922");
  // A blend that is not liquid at 1 atm within its components' range has a
  // dash for the bubble point and for the glide.
  const auto r472a = BlendFigures(table, "R472A");
  ASSERT_EQ(r472a.size(), 11u);
  EXPECT_EQ(r472a[3], kDash);
  EXPECT_EQ(r472a[5], kDash);
  EXPECT_NE(r472a[4], kDash);
}

TEST(Document, ListsTheComparisonFormsDefaultCycleOnlyForFluidsThatCanCondenseThere) {
  const std::string table = Section(PdfText(DocumentFile()), "Table 3.", "Register of the pure");
  const auto r134a = RowsOf(table, "R134a");
  ASSERT_EQ(r134a.size(), 1u);
  // Critical temperature, COP, discharge pressure (bar), discharge
  // temperature: as hpcalc compare R134a prints them.
  EXPECT_EQ(std::vector<std::string>(r134a[0].begin() + 1, r134a[0].begin() + 5),
            (std::vector<std::string>{"101.06", "5.25", "32.44", "101.8"}));
  EXPECT_TRUE(RowsOf(table, "R32").empty());
}

TEST(Document, NamesEachFluidsEquationOfStateInTheRegister) {
  const std::string text = PdfText(DocumentFile());
  const std::string reg = Section(text, "Register of the pure fluids", "\f\f");
  EXPECT_NE(reg.find("Tillner-Roth"), std::string::npos);
  EXPECT_NE(reg.find("Pruß"), std::string::npos);  // BibTeX accents turned into letters
  EXPECT_EQ(reg.find("\\\""), std::string::npos);
}

class Generator : public testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::temp_directory_path() / ("make_document_" + std::to_string(::getpid()) + "_" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_ / "fluids");
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST_F(Generator, FailsLoudlyWhenThePropertyLibraryIsMissing) {
  const fs::path output = dir_ / "doc" / "out.pdf";
  const ProgramRun run = RunProgram({MAKE_DOCUMENT, "--data", ProgramFolder(), "--output",
                                     output.string(), "--library", "/nonexistent/libfluidcore.so"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.err.find("Cannot load the property library /nonexistent/libfluidcore.so"),
            std::string::npos)
      << run.err;
  EXPECT_FALSE(fs::exists(output));
}

TEST_F(Generator, WritesTheDocumentWithDashesWhenOneFluidFails) {
  fs::copy_file(fs::path(ProgramFolder()) / "fluids" / "R134a.fld", dir_ / "fluids" / "R134a.fld");
  // Facts, but no equation of state: the library cannot load it.
  std::ofstream(dir_ / "fluids" / "Broken.fld") << R"({"name": "Broken", "safety_class": "A1"})";
  const fs::path output = dir_ / "doc" / "out.pdf";
  const ProgramRun run =
      RunProgram({MAKE_DOCUMENT, "--data", dir_.string(), "--output", output.string()});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.err.find("Broken: no critical temperature, "), std::string::npos) << run.err;
  EXPECT_NE(run.out.find("2 fluids, 0 blends, 1 with figures missing"), std::string::npos)
      << run.out;
  ASSERT_TRUE(fs::exists(output));
  EXPECT_FALSE(fs::exists(output.string() + ".part"));

  const std::string table = Section(PdfText(output), "Table 1. Pure fluids", "Table 2.");
  const auto broken = RowsOf(table, "Broken");
  ASSERT_EQ(broken.size(), 1u);
  EXPECT_EQ(broken[0], (std::vector<std::string>{"Broken", kDash, kDash, kDash, kDash, "A1", kDash,
                                                 kDash, kDash, kDash, kDash}));
  EXPECT_EQ(RowsOf(table, "R134a").size(), 1u);
}

TEST_F(Generator, RefusesAFolderWithoutFluidsAndAMistypedCommand) {
  const ProgramRun empty =
      RunProgram({MAKE_DOCUMENT, "--data", dir_.string(), "--output", (dir_ / "out.pdf").string()});
  EXPECT_EQ(empty.exit_code, 1);
  EXPECT_NE(empty.err.find("no fluid files"), std::string::npos) << empty.err;
  EXPECT_EQ(RunProgram({MAKE_DOCUMENT, "--data"}).exit_code, 2);
  EXPECT_EQ(RunProgram({MAKE_DOCUMENT, "--data", "x", "--colour", "red"}).exit_code, 2);
}

}  // namespace
}  // namespace document_test
