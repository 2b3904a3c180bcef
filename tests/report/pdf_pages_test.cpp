// The pages of a PDF report: a piece of text taller than the room left runs
// on over as many pages as it needs, between lines, each line once, and
// nothing is written over a page's foot.
#include "pdf_pages.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <string>

#include "pdftotext.h"

namespace report {
namespace {

TEST(PdfPages, APieceTallerThanAPageRunsOnBetweenItsLines) {
  // A short piece first, so that the long one starts part way down a page;
  // a table's rows among its lines.
  for (const int lines : {40, 150, 400}) {
    SCOPED_TRACE(lines);
    QTemporaryDir dir;
    const QString file = dir.filePath("long.pdf");
    {
      QPdfWriter writer(file);
      PdfPages pages(writer, QStringLiteral("Long text"));
      pages.AddHtml(QStringLiteral("<h3>Before</h3><p>A short piece.</p>"));
      QString html = QStringLiteral("<table border=\"1\">");
      for (int i = 0; i < lines; ++i)
        html += QStringLiteral("<tr><td>Row %1 of the table</td></tr>").arg(i);
      html += QStringLiteral("</table>");
      for (int i = 0; i < lines; ++i) html += QStringLiteral("<p>Line %1 of the text.</p>").arg(i);
      pages.AddHtml(html);
      pages.AddHtml(QStringLiteral("<p>After the long piece.</p>"));
      ASSERT_TRUE(pages.Finish());
    }
    const std::string text = Pdftotext(file, "-layout");
    for (int i = 0; i < lines; ++i) {
      for (const std::string& line : {"Row " + std::to_string(i) + " of the table",
                                      "Line " + std::to_string(i) + " of the text."}) {
        ASSERT_NE(text.find(line), std::string::npos) << line;
        EXPECT_EQ(text.find(line), text.rfind(line)) << line << " twice";
      }
    }
    EXPECT_NE(text.find("After the long piece."), std::string::npos);
    // Every page's last line of text is its number, alone.
    std::size_t page = 1, from = 0;
    for (std::size_t feed = text.find('\f'); feed != std::string::npos;
         feed = text.find('\f', from)) {
      std::string sheet = text.substr(from, feed - from);
      while (!sheet.empty() && (sheet.back() == '\n' || sheet.back() == ' ')) sheet.pop_back();
      const std::string last = sheet.substr(sheet.rfind('\n') + 1);
      EXPECT_EQ(last.substr(last.find_first_not_of(' ')), "Page " + std::to_string(page));
      from = feed + 1;
      ++page;
    }
    EXPECT_GT(page, lines > 100 ? 3u : 1u);
  }
}

}  // namespace
}  // namespace report
