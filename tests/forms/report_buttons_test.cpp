// Handing results on from the pages: Copy puts the page's table on the
// clipboard as tab-separated text and as HTML; Save Report... writes a PDF or
// a CSV where the user chooses; the total page wraps only between figures.
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextLayout>

#include "program_under_test.h"
#include "report/report_file.h"
#include "report/report_tables.h"

namespace forms_test {
namespace {

class ReportButtons : public ProgramTest {
 protected:
  static std::string Slurp(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll().toStdString() : std::string();
  }
};

const cycle::BasicCycleInput kDefaults{"R22", 1, 50, 3.5, 4, 90, 100, 80};

TEST_F(ReportButtons, CopyOnTheResultsPageGivesTheInputsAndFigures) {
  CalculateBasicDefaults();
  Click(page::UserForm2, "Copy");
  const auto expected = report::BasicTable(
      kDefaults, std::get<cycle::BasicCycleResult>(cycle::CalcBasicCycle(kDefaults)));
  const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(copied, nullptr);
  EXPECT_EQ(copied->text().toStdString(), report::TabSeparated(expected));
  EXPECT_EQ(copied->html().toStdString(), report::HtmlTable(expected));
  // The figures are the page's own texts.
  for (const char* box : {"Evap", "P2", "T2", "H4"}) {
    EXPECT_TRUE(copied->text().contains("\t" + Text(page::UserForm2, box) + "\t")) << box;
  }
  EXPECT_EQ(ShownPage(), page::UserForm2);
}

TEST_F(ReportButtons, SaveReportWritesWhereTheUserChooses) {
  CalculateBasicDefaults();
  QTemporaryDir dir;
  save_file_answer_ = dir.filePath("r22.pdf");
  Click(page::UserForm2, "SaveReport");
  EXPECT_EQ(Slurp(save_file_answer_).rfind("%PDF", 0), 0u);
  EXPECT_TRUE(save_dialogs_.value(0).contains("(*.pdf)"));
  EXPECT_TRUE(save_dialogs_.value(0).contains("(*.csv)"));

  save_file_answer_ = dir.filePath("r22.csv");
  Click(page::UserForm2, "SaveReport");
  EXPECT_EQ(Slurp(save_file_answer_),
            report::BasicTable(kDefaults,
                               std::get<cycle::BasicCycleResult>(cycle::CalcBasicCycle(kDefaults)))
                .Text());
  EXPECT_TRUE(TakeMessages().isEmpty());

  save_file_answer_ = dir.filePath("r22.docx");
  Click(page::UserForm2, "SaveReport");
  EXPECT_EQ(TakeMessages(), QStringList{"Please choose a file name ending in .pdf or .csv"});
  save_file_answer_ = dir.filePath("missing/r22.csv");
  Click(page::UserForm2, "SaveReport");
  const QStringList failed = TakeMessages();
  ASSERT_EQ(failed.size(), 1);
  EXPECT_TRUE(failed[0].startsWith("Cannot write")) << failed[0].toStdString();
  save_file_answer_.clear();
  Click(page::UserForm2, "SaveReport");
  EXPECT_TRUE(TakeMessages().isEmpty()) << "cancelled";
  EXPECT_EQ(ShownPage(), page::UserForm2);
}

TEST_F(ReportButtons, TotalPageCopiesAndSavesItsTable) {
  CompareToTotalPage({"R22", "R134a", "R717"});
  Click(page::TotalResults, "Copy");
  const std::string table = report::TabSeparated(report::ComparisonTableWithConditions(results_));
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), table);
  EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 4) << "a heading and three refrigerants";
  EXPECT_NE(table.find("Condensing temperature"), std::string::npos) << "the conditions stated";

  QTemporaryDir dir;
  save_file_answer_ = dir.filePath("comparison.csv");
  Click(page::TotalResults, "SaveReport");
  EXPECT_EQ(Slurp(save_file_answer_), report::ComparisonTableWithConditions(results_).Text());
  save_file_answer_ = dir.filePath("comparison.pdf");
  Click(page::TotalResults, "SaveReport");
  EXPECT_EQ(Slurp(save_file_answer_).rfind("%PDF", 0), 0u);
  EXPECT_EQ(ShownPage(), page::TotalResults);
  EXPECT_TRUE(TakeMessages().isEmpty());
}

// At the page's own width a refrigerant's line runs over several lines of
// the box, each ending where a figure ends.
TEST_F(ReportButtons, TotalPageWrapsOnlyBetweenFigures) {
  CompareToTotalPage({"R22", "R134a", "R717"});
  auto& box = On<QPlainTextEdit>(page::TotalResults, "TextBox2");
  int wrapped = 0;
  for (QTextBlock block = box.document()->firstBlock(); block.isValid(); block = block.next()) {
    const QTextLayout* layout = block.layout();
    ASSERT_NE(layout, nullptr);
    if (layout->lineCount() > 1) ++wrapped;
    for (int i = 0; i + 1 < layout->lineCount(); ++i) {
      const QTextLine line = layout->lineAt(i);
      const QString text = block.text().mid(line.textStart(), line.textLength()).trimmed();
      EXPECT_TRUE(text.endsWith(')') || text.endsWith("---")) << text.toStdString();
    }
  }
  EXPECT_EQ(wrapped, 3) << "each refrigerant's line is wider than the box";
  // What the box holds is still the page's text, blanks and all.
  EXPECT_FALSE(box.toPlainText().contains(QChar::Nbsp));
}

}  // namespace
}  // namespace forms_test
