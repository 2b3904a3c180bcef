// The bar charts of the reports write each bar's value as the result pages
// write the figure.
#include "plots/bar_chart.h"

#include <gtest/gtest.h>

#include "cycle/result_text.h"
#include "qcustomplot.h"

namespace {

TEST(DrawBars, WritesEachValueAsThePagesWriteIt) {
  // 1.005 lies a hair below its decimal text as a double: a binary rounding
  // shows 1.00 where the pages show 1.01.
  const std::vector<double> values{1.005, 0.00096, 2.09e301};
  QCustomPlot plot;
  plots::DrawBars(plot, {"a", "b", "c"}, values, "COP (-)", 2);
  QStringList labels;
  for (int i = 0; i < plot.itemCount(); ++i) {
    if (const auto* text = qobject_cast<QCPItemText*>(plot.item(i))) labels << text->text();
  }
  EXPECT_EQ(labels, (QStringList{"1.01", "0.000960", "2.09e+301"}));
  EXPECT_EQ(cycle::TotalPageFigureText(cycle::Figure::COP, values[0]), "1.01");
}

}  // namespace
