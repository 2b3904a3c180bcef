// The report files: the PDF read back with pdftotext holds the inputs and
// every figure as the pages show them; the CSV holds the same table; a name
// of another kind, or a folder that cannot be written, writes nothing and
// leaves what was there.
#include "report/report_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <csignal>
#include <functional>
#include <map>
#include <optional>
#include <regex>
#include <sstream>

#include "cycle/result_text.h"
#include "plots/bar_chart.h"
#include "plots/plot_file.h"
#include "qcustomplot.h"
#include "pdftotext.h"
#include "report/equation_sources.h"
#include "report/layout_tables.h"
#include "report/report_tables.h"

namespace report {
namespace {

const cycle::BasicCycleInput kInput{"R407C", 1, 40, 3.5, 4, 60, 100, 75};

cycle::BasicCycleResult Result(const cycle::BasicCycleInput& input) {
  return std::get<cycle::BasicCycleResult>(cycle::CalcBasicCycle(input));
}

cycle::ComparisonResults Comparison() {
  cycle::ComparisonResults results;
  const cycle::ComparisonFields fields{"10", "20", "3.5", "4", "60", "100", "80", "3",
                                       {"R134a", "R407C", "R290"}};
  EXPECT_FALSE(cycle::RunComparison(fields, results).has_value());
  return results;
}

// The text of a PDF, one line per line of text, as pdftotext -raw reads it.
std::string PdfText(const QString& file) { return Pdftotext(file, "-raw"); }

// Every row of the table as one line of the text: its cells joined by blanks.
void ExpectEveryRow(const std::string& text, const std::vector<std::vector<std::string>>& rows) {
  for (const auto& row : rows) {
    std::string line;
    for (const std::string& cell : row) {
      if (!cell.empty()) line += (line.empty() ? "" : " ") + cell;
    }
    EXPECT_NE(text.find(line + "\n"), std::string::npos) << line;
  }
}

// The text with every run of blanks and line breaks as one blank: phrases
// that the layout wrapped read whole.
std::string Flowing(const std::string& text) {
  std::string flowing;
  for (const char c : text) {
    const bool blank = c == ' ' || c == '\n';
    if (!blank) flowing += c;
    else if (!flowing.empty() && flowing.back() != ' ') flowing += ' ';
  }
  return flowing;
}

QString Slurp(const QString& file) {
  QFile in(file);
  return in.open(QIODevice::ReadOnly) ? QString::fromUtf8(in.readAll()) : QString();
}

TEST(BasicReport, PdfHoldsTheInputsEveryFigureTheCyclePointsAndTheSources) {
  QTemporaryDir dir;
  const QString file = dir.filePath("report.pdf");
  const auto result = Result(kInput);
  ASSERT_EQ(WriteBasicReport(file, kInput, result), std::nullopt);
  const std::string text = PdfText(file);
  ExpectEveryRow(text, LabelledTable(BasicInputs(kInput)).Rows());
  ExpectEveryRow(text, LabelledTable(BasicFigures(result)).Rows());
  const auto diagram = std::get<cycle::CycleDiagram>(
      cycle::BasicCycleDiagram(kInput, cycle::DiagramKind::PressureEnthalpy));
  const CsvTable points = CyclePointsTable(diagram.corners);
  ExpectEveryRow(text, {points.Header()});
  ExpectEveryRow(text, points.Rows());
  for (const char* expected : {"Heat pump calculation", "version 0.1", "R125: ", "Lemmon",
                               "Pressure-enthalpy diagram: R407C", "h (kJ/kg)", "p (bar)"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected;
  }
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"report.pdf"})
      << "no temporary file left beside it";
}

TEST(ComparisonReport, PdfHoldsTheConditionsFiguresChartsAndDiagrams) {
  QTemporaryDir dir;
  const QString file = dir.filePath("comparison.PDF");
  const auto results = Comparison();
  ASSERT_EQ(WriteComparisonReport(file, results), std::nullopt);
  const std::string text = PdfText(file);
  ExpectEveryRow(text, LabelledTable(ComparisonConditions(results.Conditions)).Rows());
  const CsvTable table = ComparisonTable(results);
  ExpectEveryRow(text, table.Rows());
  const std::string flowing = Flowing(text);
  for (const std::string& heading : table.Header()) {
    EXPECT_NE(flowing.find(heading), std::string::npos) << heading;
  }
  for (const char* expected : {"Comparison of 3 working fluids", "Pressure-enthalpy diagram: R134a",
                               "Pressure-enthalpy diagram: R407C", "Pressure-enthalpy diagram: R290",
                               "n-Propane: "}) {
    EXPECT_NE(flowing.find(expected), std::string::npos) << expected;
  }
}

// A word of a PDF with its box (points from the page's top-left corner).
struct PdfWord {
  int page;
  QRectF box;
  std::string text;
};

// The words of every page, as pdftotext -bbox reads them, and the pages' height.
std::vector<PdfWord> PdfWords(const QString& file, double& page_height) {
  const std::string html = Pdftotext(file, "-bbox");
  std::vector<PdfWord> words;
  int page = 0;
  const std::regex page_tag(R"re(<page width="[\d.]+" height="([\d.]+)">)re");
  const std::regex word_tag(
      R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
  std::istringstream lines(html);
  for (std::string line; std::getline(lines, line);) {
    std::smatch match;
    if (std::regex_search(line, match, page_tag)) {
      ++page;
      page_height = std::stod(match[1]);
    } else if (std::regex_search(line, match, word_tag)) {
      const double x0 = std::stod(match[1]), y0 = std::stod(match[2]);
      words.push_back({page, QRectF(x0, y0, std::stod(match[3]) - x0, std::stod(match[4]) - y0),
                       match[5]});
    }
  }
  return words;
}

std::string WithoutBlanks(const std::string& text) {
  std::string packed;
  for (const char c : text) {
    if (c != ' ' && c != '\n') packed += c;
  }
  return packed;
}

// Eight working fluids, a blend and R717 among them: every name, every
// source of every equation and every diagram in the text; nothing written
// over the foot of a page or above its head, but the head and the number.
TEST(ComparisonReport, EightFluidsAreLaidOutWithinThePages) {
  cycle::ComparisonResults results;
  const cycle::ComparisonFields fields{"10", "20", "3.5", "4", "60", "100", "80", "8",
                                       {"R134a", "R407C", "R717", "R290", "R1234ze(E)", "R32",
                                        "R410A", "R600a"}};
  ASSERT_FALSE(cycle::RunComparison(fields, results).has_value());
  QTemporaryDir dir;
  const QString file = dir.filePath("eight.pdf");
  ASSERT_EQ(WriteComparisonReport(file, results), std::nullopt);

  const std::string packed = WithoutBlanks(PdfText(file));
  for (const std::string& name : fields.Refrigerant) {
    EXPECT_NE(packed.find(WithoutBlanks(name + ". Equation of state:")), std::string::npos) << name;
    for (const std::string& source : EquationSources(name)) {
      EXPECT_NE(packed.find(WithoutBlanks(source)), std::string::npos) << source;
    }
    EXPECT_NE(packed.find(WithoutBlanks("Pressure-enthalpy diagram: " + name)), std::string::npos)
        << name;
  }

  // The body of a page lies 20 mm below its top and 18 mm above its foot.
  constexpr double kPointsPerMm = 72 / 25.4;
  double height = 0;
  const std::vector<PdfWord> words = PdfWords(file, height);
  ASSERT_GT(words.size(), 500u);
  const double body_top = 20 * kPointsPerMm - 1, body_bottom = height - 18 * kPointsPerMm + 1;
  std::map<int, std::vector<std::string>> feet;
  for (const PdfWord& word : words) {
    if (word.box.bottom() > body_bottom) feet[word.page].push_back(word.text);
    if (word.box.top() < body_top) {
      EXPECT_LT(word.box.bottom(), body_top) << "page " << word.page << ": " << word.text;
    }
  }
  ASSERT_GE(feet.size(), 5u);
  for (const auto& [page, foot] : feet) {
    EXPECT_EQ(foot, (std::vector<std::string>{"Page", std::to_string(page)})) << "page " << page;
  }
}

// The transcritical report: the inputs, every figure and state as the page
// shows them, how the pressure was found, the two charts; its CSV the
// page's table.
TEST(TranscriticalReport, PdfAndCsvHoldTheInputsFiguresAndStates) {
  cycle::TranscriticalInput input;
  input.HighPressure = "90";
  const auto outcome = cycle::CalcTranscriticalCycle(input);
  ASSERT_TRUE(std::holds_alternative<cycle::TranscriticalResult>(outcome));
  const auto& result = std::get<cycle::TranscriticalResult>(outcome);
  QTemporaryDir dir;
  ASSERT_EQ(WriteTranscriticalReport(dir.filePath("co2.pdf"), input, result), std::nullopt);
  const std::string text = PdfText(dir.filePath("co2.pdf"));
  ExpectEveryRow(text, LabelledTable(TranscriticalInputs(input)).Rows());
  const std::string packed = WithoutBlanks(text);
  const CsvTable figures = LabelledTable(TranscriticalFigures(result));
  for (const auto& row : figures.Rows()) {
    EXPECT_NE(packed.find(WithoutBlanks(row[0] + " " + row[1])), std::string::npos) << row[0];
  }
  for (const char* expected : {"Transcritical cycle", "Pressure-enthalpy diagram: R744",
                               "Gas cooler of R744", "Pgc 90.00 bar",
                               "lies below the Minimum Approach of 5.00 K"}) {
    EXPECT_NE(packed.find(WithoutBlanks(expected)), std::string::npos) << expected;
  }
  ASSERT_EQ(WriteTranscriticalReport(dir.filePath("co2.csv"), input, result), std::nullopt);
  EXPECT_EQ(Slurp(dir.filePath("co2.csv")).toStdString(), TranscriticalTable(input, result).Text());
}

// A refrigerant that compresses wet beside one that runs, and one refused.
std::vector<cycle::LayoutOutcome> Layouts(const cycle::LayoutInput& input) {
  std::vector<cycle::LayoutOutcome> outcomes;
  for (const char* name : {"R1336mzz(Z)", "R134a", "R999"}) {
    cycle::LayoutInput one = input;
    one.Refrigerant = name;
    outcomes.push_back(cycle::CalcLayout(cycle::Layout::basic, one));
  }
  return outcomes;
}

TEST(LayoutReport, PdfHoldsTheInputsFiguresStatesLossesAndDiagrams) {
  QTemporaryDir dir;
  const QString file = dir.filePath("layout.pdf");
  cycle::LayoutInput input;
  input.Refrigerant = "R1336mzz(Z); R134a; R999";
  const auto outcomes = Layouts(input);
  ASSERT_EQ(WriteLayoutReport(file, input, outcomes), std::nullopt);
  const std::string text = PdfText(file);
  ExpectEveryRow(text, LabelledTable(LayoutInputs(input)).Rows());
  for (const auto& outcome : outcomes) {
    const auto* r = outcome.result();
    if (r == nullptr) continue;
    ExpectEveryRow(text, LabelledTable(LayoutFigures(*r)).Rows());
    ExpectEveryRow(text, LayoutStatePoints(*r).Rows());
    ExpectEveryRow(text, LayoutLosses(*r).Rows());
  }
  const std::string flowing = Flowing(text);
  for (const char* expected :
       {"Cycle layout: Basic cycle", "Discharge temperature two-phase, vapour quality 0.96",
        "Wet compression: an isentropic compression", "Pressure-enthalpy diagram: R134a",
        "Refused: R999 is not a fluid or mixture the property library knows",
        "For a blend the evaporating temperature is its dew point and the condensing "
        "temperature its bubble point."}) {
    EXPECT_NE(flowing.find(expected), std::string::npos) << expected;
  }
}

TEST(Reports, CsvHoldsTheTableOfTheCopies) {
  QTemporaryDir dir;
  const auto result = Result(kInput);
  ASSERT_EQ(WriteBasicReport(dir.filePath("basic.csv"), kInput, result), std::nullopt);
  EXPECT_EQ(Slurp(dir.filePath("basic.csv")).toStdString(), BasicTable(kInput, result).Text());
  const auto results = Comparison();
  ASSERT_EQ(WriteComparisonReport(dir.filePath("comparison.csv"), results), std::nullopt);
  EXPECT_EQ(Slurp(dir.filePath("comparison.csv")).toStdString(),
            ComparisonTableWithConditions(results).Text());
  const auto outcomes = Layouts({});
  ASSERT_EQ(WriteLayoutReport(dir.filePath("layout.csv"), {}, outcomes), std::nullopt);
  EXPECT_EQ(Slurp(dir.filePath("layout.csv")).toStdString(), LayoutFiguresTable(outcomes).Text());
}

TEST(Reports, WhatCannotBeWrittenLeavesWhatWasThere) {
  QTemporaryDir dir;
  const auto result = Result(kInput);
  const QString kept = dir.filePath("kept.txt");
  {
    QFile earlier(kept);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier");
  }
  const auto other = WriteBasicReport(kept, kInput, result);
  ASSERT_TRUE(other.has_value());
  EXPECT_TRUE(other->endsWith("must end in .pdf or .csv")) << other->toStdString();
  EXPECT_EQ(Slurp(kept), "earlier");

  for (const QString& file : {dir.filePath("no such folder/report.pdf"), dir.filePath("no such folder/report.csv")}) {
    const auto failure = WriteComparisonReport(file, Comparison());
    ASSERT_TRUE(failure.has_value());
    EXPECT_TRUE(failure->startsWith("Cannot write " + file)) << failure->toStdString();
  }
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
            QStringList{"kept.txt"});
}

// A write that fails part way (here at the process's file size limit, as
// on a disk that fills up) leaves the old report or picture as it was: each
// is drawn in memory and written whole, or not at all, with the reason.
TEST(Reports, AWriteThatFailsPartWayLeavesTheOldFile) {
  QTemporaryDir dir;
  const auto results = Comparison();
  QCustomPlot chart;
  plots::DrawBars(chart, {"R134a"}, {4.2}, "COP (-)", 2);
  const std::function<std::optional<QString>(const QString&)> writes[] = {
      [&](const QString& file) { return WriteComparisonReport(file, results); },
      [&](const QString& file) { return plots::WritePlot(chart, file); },
  };
  const QString files[] = {dir.filePath("kept.pdf"), dir.filePath("kept.svg")};
  rlimit before{};
  ::getrlimit(RLIMIT_FSIZE, &before);
  const auto previous_signal = std::signal(SIGXFSZ, SIG_IGN);
  for (std::size_t i = 0; i < std::size(files); ++i) {
    {
      QFile earlier(files[i]);
      ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
      earlier.write("earlier");
    }
    rlimit small = before;
    small.rlim_cur = 1024;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const auto failure = writes[i](files[i]);
    ::setrlimit(RLIMIT_FSIZE, &before);
    ASSERT_TRUE(failure.has_value()) << files[i].toStdString();
    EXPECT_EQ(*failure, "Cannot write " + files[i] + ": the file would be larger than allowed");
    EXPECT_EQ(Slurp(files[i]), "earlier");
  }
  std::signal(SIGXFSZ, previous_signal);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
            (QStringList{"kept.pdf", "kept.svg"}));
}

TEST(ReportFormatOf, ByTheExtensionInAnyCase) {
  EXPECT_EQ(ReportFormatOf("a.pdf"), ReportFormat::Pdf);
  EXPECT_EQ(ReportFormatOf("dir.x/A.PDF"), ReportFormat::Pdf);
  EXPECT_EQ(ReportFormatOf("a.Csv"), ReportFormat::Csv);
  EXPECT_EQ(ReportFormatOf("a.pdf.txt"), std::nullopt);
  EXPECT_EQ(ReportFormatOf("pdf"), std::nullopt);
}

}  // namespace
}  // namespace report
