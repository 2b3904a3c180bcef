// The diagram page, reached from the basic results and from the total
// results: the kind switch, the choice of refrigerants, the reading under the
// pointer, zoom, export and copy, and Back to the page it came from.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QWheelEvent>

#include "plots/cycle_diagram_plot.h"
#include "program_under_test.h"

namespace forms_test {
namespace {

class DiagramPageTest : public ProgramTest {
 protected:
  // The default basic calculation, then the Diagram button of its results.
  void OpenFromBasicResults() {
    CalculateBasicDefaults();
    Click(page::UserForm2, "Diagram");
    ASSERT_EQ(ShownPage(), page::Diagram);
  }

  // A comparison of three refrigerants on its total page, then its Diagrams
  // button.
  void OpenFromTotalResults() {
    CompareToTotalPage({"R134a", "R407C", "R290"}, "20", "60");
    Click(page::TotalResults, "Diagrams");
    ASSERT_EQ(ShownPage(), page::Diagram);
  }

  plots::CycleDiagramPlot& Plot() { return On<plots::CycleDiagramPlot>(page::Diagram, "Plot"); }
  QString Reading() { return On<QLabel>(page::Diagram, "Reading").text(); }

  QStringList LegendNames(QCustomPlot& plot) {
    QStringList names;
    for (int i = 0; i < plot.legend->itemCount(); ++i)
      if (auto* item = qobject_cast<QCPPlottableLegendItem*>(plot.legend->item(i)))
        names << item->plottable()->name();
    return names;
  }

  // Moves the pointer over the plot to the place of a point of the diagram.
  void PointAt(double x, double y) {
    auto& plot = Plot();
    const QPointF at(plot.xAxis->coordToPixel(x), plot.yAxis->coordToPixel(y));
    QMouseEvent move(QEvent::MouseMove, at, plot.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&plot, &move);
  }

  // The number after a label in the reading ("T 49.00" -> 49).
  double ReadingValue(const QString& label) {
    const QString text = Reading();
    const int at = text.indexOf(label + ' ');
    if (at < 0) {
      ADD_FAILURE() << "no " << label.toStdString() << " in " << text.toStdString();
      return NAN;
    }
    return text.mid(at + label.size() + 1).section(' ', 0, 0).toDouble();
  }
};

TEST_F(DiagramPageTest, FromTheBasicResultsAndBack) {
  OpenFromBasicResults();
  EXPECT_EQ(pages_.State(page::UserForm2), forms::PageState::Hidden) << "its results are kept";
  auto& plot = Plot();
  EXPECT_EQ(plot.yAxis->scaleType(), QCPAxis::stLogarithmic);
  EXPECT_EQ(plot.yAxis->label(), "p (bar)");
  EXPECT_EQ(plot.xAxis->label(), "h (kJ/kg)");
  const QStringList texts = PlotTexts(plot);
  for (const char* corner : {"1", "2s", "2", "3", "4"}) EXPECT_TRUE(texts.contains(corner)) << corner;
  EXPECT_TRUE(texts.contains(QStringLiteral("75 \u00b0C"))) << texts.join(" | ").toStdString();
  EXPECT_TRUE(LegendNames(plot).contains("Bubble line"));
  EXPECT_FALSE(On<QCheckBox>(page::Diagram, "Refrigerant1").isVisible()) << "one refrigerant";

  const QString p1 = Text(page::UserForm2, "P1");
  Click(page::Diagram, "Back");
  EXPECT_EQ(ShownPage(), page::UserForm2);
  EXPECT_EQ(Text(page::UserForm2, "P1"), p1);
  EXPECT_EQ(pages_.State(page::Diagram), forms::PageState::NotLoaded);
}

TEST_F(DiagramPageTest, SwitchesBetweenPressureEnthalpyAndTemperatureEntropy) {
  OpenFromBasicResults();
  On<QRadioButton>(page::Diagram, "TemperatureEntropy").click();
  auto& plot = Plot();
  EXPECT_EQ(plot.yAxis->scaleType(), QCPAxis::stLinear);
  EXPECT_EQ(plot.yAxis->label(), QStringLiteral("T (\u00b0C)"));
  EXPECT_EQ(plot.xAxis->label(), "s (kJ/kg-K)");
  EXPECT_TRUE(PlotTexts(plot).contains("44.42 bar")) << "the condensing isobar";
  On<QRadioButton>(page::Diagram, "PressureEnthalpy").click();
  EXPECT_EQ(plot.yAxis->label(), "p (bar)");
}

TEST_F(DiagramPageTest, ReadsTheStateUnderThePointer) {
  OpenFromBasicResults();
  // Suction of the defaults: 49.00 'C at 17.29 bar, 421.06 kJ/kg.
  PointAt(421.06, 17.29);
  EXPECT_NEAR(ReadingValue("T"), 49.0, 1.0);
  EXPECT_NEAR(ReadingValue("p"), 17.29, 0.2);
  EXPECT_FALSE(Reading().contains("quality")) << "superheated";
  // Inside the dome, at the throttled point 4.
  PointAt(321.55, 17.29);
  EXPECT_GT(ReadingValue("quality"), 0.1) << Reading().toStdString();
  EXPECT_GT(ReadingValue("quality"), 0.1);
  EXPECT_NEAR(ReadingValue("T"), 45.0, 0.5);

  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&Plot(), &leave);
  EXPECT_TRUE(Reading().startsWith("Point at the diagram")) << Reading().toStdString();
}

TEST_F(DiagramPageTest, ZoomsWithTheWheelAndResets) {
  OpenFromBasicResults();
  auto& plot = Plot();
  const QCPRange x = plot.xAxis->range(), y = plot.yAxis->range();
  const QPointF centre = plot.axisRect()->rect().center();
  QWheelEvent wheel(centre, plot.mapToGlobal(centre), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(&plot, &wheel);
  EXPECT_LT(plot.xAxis->range().size(), x.size());
  Click(page::Diagram, "ResetZoom");
  EXPECT_EQ(plot.xAxis->range(), x);
  EXPECT_EQ(plot.yAxis->range(), y);
}

TEST_F(DiagramPageTest, ExportsPngSvgAndPdf) {
  OpenFromBasicResults();
  QTemporaryDir dir;
  const struct {
    QString file;
    QByteArray start;
  } cases[] = {{"cycle.png", "\x89PNG"}, {"cycle.svg", "<?xml"}, {"cycle.PDF", "%PDF"}};
  for (const auto& c : cases) {
    save_file_answer_ = dir.filePath(c.file);
    Click(page::Diagram, "Export");
    QFile written(save_file_answer_);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly)) << c.file.toStdString();
    EXPECT_TRUE(written.readAll().startsWith(c.start)) << c.file.toStdString();
  }
  EXPECT_EQ(save_dialogs_.size(), 3);
  EXPECT_TRUE(save_dialogs_.value(0).contains("(*.svg)"));
  EXPECT_TRUE(TakeMessages().isEmpty());

  save_file_answer_ = dir.filePath("cycle.jpg");
  Click(page::Diagram, "Export");
  EXPECT_EQ(TakeMessages(), QStringList{"Please choose a file name ending in .png, .svg or .pdf"});
  EXPECT_FALSE(QFile::exists(save_file_answer_));

  save_file_answer_ = dir.filePath("no such folder/cycle.png");
  Click(page::Diagram, "Export");
  const QStringList failed = TakeMessages();
  ASSERT_EQ(failed.size(), 1);
  EXPECT_TRUE(failed[0].startsWith("Cannot write")) << failed[0].toStdString();

  save_file_answer_.clear();  // cancelled
  Click(page::Diagram, "Export");
  EXPECT_TRUE(TakeMessages().isEmpty());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3) << "no temporary files left";
}

TEST_F(DiagramPageTest, CopiesThePictureToTheClipboard) {
  OpenFromBasicResults();
  QGuiApplication::clipboard()->clear();
  Click(page::Diagram, "CopyPicture");
  const QImage copied = QGuiApplication::clipboard()->image();
  EXPECT_EQ(copied.size(), Plot().size());
}

TEST_F(DiagramPageTest, FromTheTotalResultsOneOrSeveralRefrigerants) {
  OpenFromTotalResults();
  const QString total_text = ResultText(page::TotalResults);
  EXPECT_EQ(pages_.State(page::TotalResults), forms::PageState::Hidden);
  auto& first = On<QCheckBox>(page::Diagram, "Refrigerant1");
  auto& second = On<QCheckBox>(page::Diagram, "Refrigerant2");
  EXPECT_EQ(first.text(), "R134a");
  EXPECT_EQ(second.text(), "R407C");
  EXPECT_TRUE(first.isChecked());
  EXPECT_FALSE(second.isChecked());
  EXPECT_FALSE(On<QCheckBox>(page::Diagram, "Refrigerant4").isVisible());
  EXPECT_TRUE(LegendNames(Plot()).contains("Bubble line")) << "one refrigerant, its own key";

  second.click();  // overlaid
  const QStringList names = LegendNames(Plot());
  EXPECT_TRUE(names.contains("R134a")) << names.join(" | ").toStdString();
  EXPECT_TRUE(names.contains("R407C"));
  EXPECT_FALSE(names.contains("R290"));
  // The reading names each refrigerant shown; the blend's quality is molar.
  PointAt(300, 10);
  EXPECT_TRUE(Reading().contains("R134a:")) << Reading().toStdString();
  EXPECT_TRUE(Reading().contains("R407C:"));

  first.click();
  second.click();  // none chosen
  EXPECT_EQ(Plot().plottableCount(), 0);

  Click(page::Diagram, "Back");
  EXPECT_EQ(ShownPage(), page::TotalResults);
  EXPECT_EQ(ResultText(page::TotalResults), total_text);
}

// The picture page's lower picture is the diagram of the calculation the
// results page shows, marked as the sketch was.
TEST_F(DiagramPageTest, PicturePageShowsTheComputedCycle) {
  CalculateBasicDefaults();
  Click(page::UserForm2, "CommandButton3");
  ASSERT_EQ(ShownPage(), page::UserForm13);
  auto& picture = On<plots::CycleDiagramPlot>(page::UserForm13, "Image2");
  EXPECT_EQ(picture.yAxis->scaleType(), QCPAxis::stLogarithmic);
  const QStringList texts = PlotTexts(picture);
  for (const char* mark : {"1", "2'", "2", "3", "4", "Pc", "Pe", "Subcooling", "Superheat",
                              "Isentropic efficiency"}) {
    EXPECT_TRUE(texts.contains(mark)) << mark;
  }
  // Point 1 stands where the results page puts it.
  for (int i = 0; i < picture.itemCount(); ++i) {
    auto* text = qobject_cast<QCPItemText*>(picture.item(i));
    if (text == nullptr || text->text() != "1") continue;
    EXPECT_NEAR(text->position->coords().x(), Text(page::UserForm2, "H1").toDouble(), 0.005);
    EXPECT_NEAR(text->position->coords().y(), Text(page::UserForm2, "P1").toDouble(), 0.005);
  }
}

}  // namespace
}  // namespace forms_test
