// What the pages show beyond their design, in their free space: the basic
// results' COP, VHC and actual h2 and a blend's point 4 after the valve; the
// note on a blend's temperatures on every form; the transcritical results'
// Copy and Save Report... and its warning of a pinch short of the minimum
// approach; the diagrams titled and each overlaid refrigerant in its own
// colour whichever others are shown.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QTemporaryDir>

#include <map>
#include <set>

#include "cycle/number_text.h"
#include "plots/cycle_diagram_plot.h"
#include "report/report_tables.h"
#include "transcritical_fixture.h"

namespace forms_test {
namespace {

using PageAdditions = TranscriticalTest;

QString Figure(double value, int decimals) {
  return QString::fromStdString(cycle::FormatFixed(value, decimals));
}

TEST_F(PageAdditions, TheBasicResultsShowTheFiguresBeyondTheSixteen) {
  const struct {
    const char* refrigerant;
    const char* hot_water;
    const char* condensing;
    bool glides;
  } cases[] = {{"R22", "50", "90", false}, {"R407C", "40", "60", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.refrigerant);
    pages_.UnloadAll();
    OpenBasicForm();
    SetText(page::UserForm1, "Refrigerant", c.refrigerant);
    SetText(page::UserForm1, "Temperaturehotspring", c.hot_water);
    SetText(page::UserForm1, "TemperatureCondensing", c.condensing);
    Click(page::UserForm1, "CommandButton2");
    ASSERT_EQ(ShownPage(), page::UserForm2) << TakeMessages().join(" | ").toStdString();
    const cycle::BasicCycleInput input{
        c.refrigerant, 1, std::stod(c.hot_water), 3.5, 4, std::stod(c.condensing), 100, 80};
    const auto r = std::get<cycle::BasicCycleResult>(cycle::CalcBasicCycle(input));
    EXPECT_EQ(Text(page::UserForm2, "COP"), Figure(r.COP, 2));
    EXPECT_EQ(Text(page::UserForm2, "VHC"), Figure(r.VHC, 1));
    EXPECT_EQ(Text(page::UserForm2, "H2actual"), Figure(r.H2actual, 2));
    EXPECT_EQ(Text(page::UserForm2, "H2"), Figure(r.H2, 2)) << "the design's box keeps h2s";
    EXPECT_EQ(Text(page::UserForm2, "T4"), Figure(r.T4, 2)) << "and the evaporating temperature";
    const QString after_valve = On<QLabel>(page::UserForm2, "T4actual").text();
    EXPECT_EQ(after_valve, c.glides ? "actual " + Figure(r.T4actual, 2) : QString());
    // In the page's free space: within it, over no other control.
    QWidget& results = pages_.Load(page::UserForm2);
    for (const char* name :
         {"COP", "VHC", "H2actual", "T4actual", "COPCaption", "VHCCaption", "H2actualCaption"}) {
      const QRect added = results.findChild<QWidget*>(name)->geometry();
      EXPECT_TRUE(results.rect().contains(added)) << name;
      for (QWidget* other : results.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (other->objectName() != name) {
          EXPECT_FALSE(other->geometry().intersects(added))
              << name << " over " << other->objectName().toStdString();
        }
      }
    }
  }
}

TEST_F(PageAdditions, EveryFormSaysWhatABlendsTemperaturesAre) {
  const struct {
    QString form;
    bool condensing;
  } cases[] = {{page::UserForm1, true},
               {page::UserForm4, true},
               {kForm, false},
               {page::LayoutsForm, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.form.toStdString());
    pages_.UnloadAll();
    if (c.form == page::UserForm1) OpenBasicForm();
    if (c.form == page::UserForm4) {
      OpenComparisonForm();
      On<QComboBox>(page::UserForm4, "NumberRefrigerant")
          .setCurrentText("8");  // every name box shown
    }
    if (c.form == kForm) OpenForm();
    if (c.form == page::LayoutsForm) {
      Start();
      Click(page::FristPage, "CommandButton1");
      Click(page::SelectSim, "CycleLayouts");
    }
    QWidget& form = pages_.Load(c.form);
    const QLabel& note = On<QLabel>(c.form, "BlendNote");
    EXPECT_TRUE(note.isVisible());
    EXPECT_TRUE(
        note.text().contains("evaporating temperature is its dew point") ||
        note.text().contains("evaporating temperature (5 K below the hot water) its dew point"))
        << note.text().toStdString();
    EXPECT_EQ(note.text().contains("condensing temperature is its bubble point") ||
                  note.text().contains("condensing temperature its bubble point"),
              c.condensing);
    EXPECT_TRUE(form.rect().contains(note.geometry()));
    EXPECT_LE(note.sizeHint().height(), note.height()) << "its lines fit";
    for (QWidget* other : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (other != &note && other->isVisible()) {
        EXPECT_FALSE(other->geometry().intersects(note.geometry()))
            << other->objectName().toStdString();
      }
    }
  }
}

TEST_F(PageAdditions, TheTranscriticalResultsCopySaveAndWarn) {
  OpenForm();
  SetText(kForm, "HighPressure", "90");  // its pinch short of 5 K
  Click(kForm, "Calculate");
  ASSERT_EQ(ShownPage(), kResults) << TakeMessages().join(" | ").toStdString();
  TranscriticalInput input;
  input.HighPressure = "90";
  const TranscriticalResult result = ResultOf(input);
  const QLabel& warning = On<QLabel>(kResults, "ApproachWarning");
  EXPECT_TRUE(warning.isVisible());
  EXPECT_EQ(warning.text().toStdString(), cycle::ApproachWarning(result).value_or("none"));

  Click(kResults, "Copy");
  const report::CsvTable table = report::TranscriticalTable(input, result);
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), report::TabSeparated(table));

  QTemporaryDir dir;
  save_file_answer_ = dir.filePath("co2.csv");
  Click(kResults, "SaveReport");
  QFile csv(save_file_answer_);
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
  EXPECT_EQ(csv.readAll().toStdString(), table.Text());
  save_file_answer_ = dir.filePath("co2.pdf");
  Click(kResults, "SaveReport");
  QFile pdf(save_file_answer_);
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));
  EXPECT_TRUE(TakeMessages().isEmpty());
  EXPECT_EQ(ShownPage(), kResults);

  // The optimum keeps the approach: no warning.
  Click(kResults, "Back");
  SetText(kForm, "HighPressure", "optimal");
  Click(kForm, "Calculate");
  EXPECT_FALSE(On<QLabel>(kResults, "ApproachWarning").isVisible());
  EXPECT_TRUE(On<plots::CycleDiagramPlot>(kResults, "Diagram").Title().startsWith("R744\n"));
}

// The cycle pen of each overlaid refrigerant, by its name in the legend.
std::map<QString, QColor> CycleColours(QCustomPlot& plot) {
  std::map<QString, QColor> colours;
  for (int i = 0; i < plot.plottableCount(); ++i) {
    if (!plot.plottable(i)->name().isEmpty())
      colours[plot.plottable(i)->name()] = plot.plottable(i)->pen().color();
  }
  return colours;
}

TEST_F(PageAdditions, AnOverlaidRefrigerantKeepsItsColourWhicheverOthersAreShown) {
  CompareToTotalPage({"R134a", "R407C", "R290", "R717"}, "20", "60");
  Click(page::TotalResults, "Diagrams");
  auto& plot = On<plots::CycleDiagramPlot>(page::Diagram, "Plot");
  EXPECT_TRUE(plot.Title().startsWith("R134a\nevaporating 20 \u00b0C, condensing 60 \u00b0C"))
      << plot.Title().toStdString();
  for (int k = 2; k <= 4; ++k)
    On<QCheckBox>(page::Diagram, QStringLiteral("Refrigerant%1").arg(k)).click();
  const auto all = CycleColours(plot);
  EXPECT_TRUE(plot.Title().startsWith("R134a, R407C, R290, R717\n")) << plot.Title().toStdString();
  std::set<QRgb> distinct;
  for (const char* name : {"R134a", "R407C", "R290", "R717"}) distinct.insert(all.at(name).rgb());
  EXPECT_EQ(distinct.size(), 4u);
  On<QCheckBox>(page::Diagram, "Refrigerant2").click();  // R407C hidden
  On<QCheckBox>(page::Diagram, "Refrigerant1").click();  // R134a hidden
  const auto some = CycleColours(plot);
  EXPECT_FALSE(some.contains("R134a"));
  EXPECT_EQ(some.at("R290"), all.at("R290"));
  EXPECT_EQ(some.at("R717"), all.at("R717"));
}

}  // namespace
}  // namespace forms_test
