// The parameter study page, opened from the transcritical form as a user
// opens it: Run fills the chart and the table with the single calculation's
// figures at each value, Cancel and Back stop a run, Export writes the points
// and the chart, Copy the table, and bad ranges are refused in words.
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QProgressBar>
#include <QTableView>
#include <QTemporaryDir>
#include <cmath>
#include <set>

#include "cycle/number_text.h"
#include "layouts_fixture.h"
#include "plots/study_chart.h"
#include "transcritical_fixture.h"

namespace forms_test {
namespace {

const QString kStudy = page::Study;

class StudyPage : public ProgramTest {
 protected:
  // The transcritical form with these fields changed, and its Parameter Study... button.
  void OpenStudy(const std::map<QString, QString>& fields = {}) {
    Start();
    Click(page::FristPage, "CommandButton1");
    Click(page::SelectSim, "Transcritical");
    ASSERT_EQ(ShownPage(), kForm);
    for (const auto& [field, text] : fields) SetText(kForm, field, text);
    Click(kForm, "ParameterStudy");
    ASSERT_EQ(ShownPage(), kStudy);
  }
  void SetRange(const QString& from, const QString& to, const QString& by, bool points = false) {
    SetText(kStudy, "From", from);
    SetText(kStudy, "To", to);
    On<QRadioButton>(kStudy, points ? "ByPoints" : "ByStep").setChecked(true);
    SetText(kStudy, "By", by);
  }
  // Lets the window's thread take what the run hands over until it ends.
  void WaitForRun() {
    const QProgressBar& progress = On<QProgressBar>(kStudy, "Progress");
    const QDeadlineTimer deadline(std::chrono::minutes(2));
    while (!progress.isHidden() && !deadline.hasExpired()) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    ASSERT_TRUE(progress.isHidden()) << "the study did not end";
    ProcessEvents();
  }
  void Run() {
    Click(kStudy, "Run");
    WaitForRun();
  }

  QAbstractItemModel& Table() { return *On<QTableView>(kStudy, "Table").model(); }
  plots::StudyChart& Chart() { return On<plots::StudyChart>(kStudy, "Chart"); }
  QString Status() { return On<QLabel>(kStudy, "Status").text(); }
  QString Cell(int row, const QString& heading) {
    QAbstractItemModel& model = Table();
    for (int column = 0; column < model.columnCount(); ++column) {
      if (model.headerData(column, Qt::Horizontal).toString() == heading) {
        return model.index(row, column).data().toString();
      }
    }
    ADD_FAILURE() << "no column " << heading.toStdString();
    return {};
  }
  void ChooseFigure(const QString& shown) {
    QComboBox& figure = On<QComboBox>(kStudy, "Figure");
    const int index = figure.findText(shown);
    ASSERT_GE(index, 0) << shown.toStdString();
    figure.setCurrentIndex(index);
    ProcessEvents();
  }
};

TEST_F(StudyPage, RunFillsTheChartAndTheTableWithTheCalculationAtEachValue) {
  OpenStudy({{"WaterOut", "55"}, {"Efficiency", "75"}});
  EXPECT_EQ(pages_.State(kForm), forms::PageState::Hidden);
  EXPECT_EQ(On<QComboBox>(kStudy, "Vary").currentText(), "High-side pressure (bar)");
  EXPECT_EQ(On<QComboBox>(kStudy, "Figure").currentText(), "Heating COP (-)");
  EXPECT_EQ(Text(kStudy, "Refrigerant1"), "R744");
  SetText(kStudy, "Refrigerant2", "R170");
  SetRange("70", "110", "10");
  Run();
  EXPECT_EQ(ShownPage(), kStudy);
  EXPECT_TRUE(TakeMessages().isEmpty());

  // Each row is the form's calculation with the pressure typed as the value.
  const QStringList names{"R744", "R170"};
  const std::vector<double> pressures{70, 80, 90, 100, 110};
  ASSERT_EQ(Table().rowCount(), 10);
  std::vector<std::vector<double>> cop(2), discharge(2);
  int computed = 0, refused = 0;
  for (int row = 0; row < 10; ++row) {
    const QString name = names[row / 5];
    const double pressure = pressures[static_cast<std::size_t>(row % 5)];
    SCOPED_TRACE((name + " at " + QString::number(pressure)).toStdString());
    EXPECT_EQ(Cell(row, "Refrigerant"), name);
    EXPECT_EQ(Cell(row, "High-side pressure (bar)"), QString::number(pressure));
    TranscriticalInput input;
    input.Refrigerant = name.toStdString();
    input.WaterOut = "55";
    input.Efficiency = "75";
    input.HighPressure = cycle::FormatShortest(pressure);
    const auto outcome = cycle::CalcTranscriticalCycle(input);
    if (const auto* message = std::get_if<std::string>(&outcome)) {
      ++refused;
      EXPECT_EQ(Cell(row, "Heating COP (-)"), "");
      EXPECT_EQ(Cell(row, "Note"), QString::fromStdString("refused: " + *message));
      cop[row / 5].push_back(NAN);
      discharge[row / 5].push_back(NAN);
      continue;
    }
    ++computed;
    const auto& r = std::get<TranscriticalResult>(outcome);
    EXPECT_EQ(Cell(row, "Heating COP (-)").toStdString(), cycle::FormatFixed(r.cop, 3));
    EXPECT_EQ(Cell(row, "Discharge temperature (°C)").toStdString(),
              cycle::FormatFixed(r.discharge.T, 2));
    EXPECT_EQ(Cell(row, "Note"), "");
    cop[row / 5].push_back(r.cop);
    discharge[row / 5].push_back(r.discharge.T);
  }
  EXPECT_GT(computed, 0);
  EXPECT_GT(refused, 0) << "70 bar lies below the critical pressure of carbon dioxide";
  EXPECT_EQ(Status(), QStringLiteral("10 of 10 points done: %1 computed, %2 refused (greyed in the "
                                     "table with the reason, left out of the chart).")
                          .arg(computed)
                          .arg(refused));

  // A line per refrigerant through its computed points, with a gap at each
  // refused one; another figure redraws the lines without a new run.
  const auto expect_lines = [&](const std::vector<std::vector<double>>& figures) {
    ASSERT_EQ(Chart().graphCount(), 2);
    for (int line = 0; line < 2; ++line) {
      QCPGraph& graph = *Chart().graph(line);
      EXPECT_EQ(graph.name(), names[line]);
      ASSERT_EQ(graph.dataCount(), 5);
      for (int k = 0; k < 5; ++k) {
        const double expected =
            figures[static_cast<std::size_t>(line)][static_cast<std::size_t>(k)];
        EXPECT_EQ(graph.data()->at(k)->key, pressures[static_cast<std::size_t>(k)]);
        if (std::isnan(expected)) {
          EXPECT_TRUE(std::isnan(graph.data()->at(k)->value)) << "a gap, not a point";
        } else {
          EXPECT_EQ(graph.data()->at(k)->value, expected);
        }
      }
    }
  };
  expect_lines(cop);
  ChooseFigure("Discharge temperature (°C)");
  expect_lines(discharge);
  EXPECT_EQ(Chart().yAxis->label(), "Discharge temperature (°C)");
  EXPECT_EQ(Chart().xAxis->label(), "High-side pressure (bar)");

  // The pointer over a point reads it; off the points, nothing.
  const plots::StudyChart::Point at_90{0, 2};
  const QPointF place = Chart().PlaceOf(at_90);
  QMouseEvent move(QEvent::MouseMove, place, Chart().mapToGlobal(place), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(&Chart(), &move);
  QStringList shown;
  for (int i = 0; i < Chart().itemCount(); ++i) {
    if (auto* text = qobject_cast<QCPItemText*>(Chart().item(i)); text && text->visible())
      shown << text->text();
  }
  EXPECT_EQ(
      shown,
      QStringList{QString::fromStdString("R744\nHigh-side pressure 90 bar\nDischarge temperature " +
                                         cycle::FormatFixed(discharge[0][2], 2) + " °C")});
  EXPECT_FALSE(Chart().PointNear(place + QPointF(0, 40)).has_value());

  // Back: the form as it was typed.
  Click(kStudy, "Back");
  EXPECT_EQ(ShownPage(), kForm);
  EXPECT_EQ(Text(kForm, "WaterOut"), "55");
  EXPECT_EQ(pages_.State(kStudy), forms::PageState::NotLoaded);
}

// From the layouts' form: the chosen layout with the form's inputs, its own
// inputs to vary and its figures to plot.
TEST_F(StudyPage, TheLayoutsFormStudiesItsChosenLayout) {
  Start();
  Click(page::FristPage, "CommandButton1");
  Click(page::SelectSim, "CycleLayouts");
  On<QRadioButton>(kLayoutsForm, ChoiceOf(Layout::economizer)).click();
  SetText(kLayoutsForm, "Evaporating", "10");
  Click(kLayoutsForm, "ParameterStudy");
  ASSERT_EQ(ShownPage(), kStudy);
  EXPECT_EQ(On<QLabel>(kStudy, "Heading").text(),
            "Parameter Study: Economizer with vapour injection");
  const QComboBox& vary = On<QComboBox>(kStudy, "Vary");
  EXPECT_EQ(vary.currentText(), "Condensing temperature (°C)");
  EXPECT_GE(vary.findText("Economizer approach (K)"), 0);
  EXPECT_EQ(vary.findText("Internal heat exchanger effectiveness (%)"), -1);
  EXPECT_GE(On<QComboBox>(kStudy, "Figure").findText("Injection ratio (kg/kg)"), 0);

  SetText(kStudy, "Refrigerant2", "R1234yf");
  SetRange("60", "100", "20");
  Run();
  ASSERT_EQ(Table().rowCount(), 6);
  for (int row = 0; row < 6; ++row) {
    LayoutInput input;
    input.Refrigerant = Cell(row, "Refrigerant").toStdString();
    input.Evaporating = "10";
    input.Condensing = Cell(row, "Condensing temperature (°C)").toStdString();
    const auto outcome = cycle::CalcLayout(Layout::economizer, input);
    SCOPED_TRACE(input.Refrigerant + " at " + input.Condensing);
    if (const auto* refusal = outcome.refusal()) {
      EXPECT_EQ(Cell(row, "Note").toStdString(), "refused: " + refusal->reason);
    } else {
      EXPECT_EQ(Cell(row, "Heating COP (-)").toStdString(),
                cycle::FormatFixed(outcome.result()->cop, 3));
      EXPECT_EQ(Cell(row, "Injection ratio (kg/kg)").toStdString(),
                cycle::FormatFixed(outcome.result()->injection_ratio, 4));
    }
  }
  EXPECT_EQ(Cell(5, "Note").left(45), "refused: Condensing Temperature (100.00 'C) m")
      << "above the critical temperature of R1234yf";

  Click(kStudy, "Back");
  EXPECT_EQ(ShownPage(), kLayoutsForm);
  EXPECT_TRUE(On<QRadioButton>(kLayoutsForm, ChoiceOf(Layout::economizer)).isChecked());
  EXPECT_EQ(Text(kLayoutsForm, "Evaporating"), "10");
}

TEST_F(StudyPage, CancelStopsTheRunWithThePointsDoneAndBackStopsIt) {
  OpenStudy();
  SetText(kStudy, "Refrigerant2", "R170");
  SetText(kStudy, "Refrigerant3", " R744");  // each refrigerant once: one line each
  On<QComboBox>(kStudy, "Vary").setCurrentText("Water outlet temperature (°C)");
  SetRange("45", "90", "1000", true);  // the best pressure searched at each point
  Click(kStudy, "Run");
  EXPECT_FALSE(On<QPushButton>(kStudy, "Run").isEnabled());
  EXPECT_TRUE(On<QPushButton>(kStudy, "Cancel").isEnabled());
  Click(kStudy, "Cancel");
  WaitForRun();
  const int rows = Table().rowCount();
  EXPECT_LT(rows, 2000);
  EXPECT_TRUE(Status().startsWith(QStringLiteral("%1 of 2000 points done").arg(rows)));
  EXPECT_TRUE(Status().endsWith("Cancelled before the rest.")) << Status().toStdString();
  EXPECT_TRUE(On<QPushButton>(kStudy, "Run").isEnabled());
  EXPECT_FALSE(On<QPushButton>(kStudy, "Cancel").isEnabled());

  // Back in the middle of a run stops it and waits for it.
  Click(kStudy, "Run");
  Click(kStudy, "Back");
  EXPECT_EQ(ShownPage(), kForm);
  ProcessEvents();
  EXPECT_TRUE(TakeMessages().isEmpty());
}

// The legend takes the corner the curves leave free, so that it hides no
// curve's end: top right unless points crowd it, then top left.
TEST(StudyChart, TheLegendTakesTheCornerTheCurvesLeaveFree) {
  const Qt::Alignment top_right = Qt::AlignTop | Qt::AlignRight;
  const Qt::Alignment top_left = Qt::AlignTop | Qt::AlignLeft;
  const struct {
    std::vector<std::optional<double>> cop;
    Qt::Alignment corner;
  } cases[] = {
      {{2, 3, 4, 5, 6}, top_left},                         // rising to the right
      {{6, 5, 4, 3, 2}, top_right},                        // falling
      {{2, 3, 4, std::nullopt, std::nullopt}, top_right},  // refused points crowd nothing
      {{6, 2, 2, 2, 6}, top_right},                        // every corner alike: top right
  };
  for (const auto& c : cases) {
    plots::StudyChart chart;
    chart.Draw({{"R744", {40, 45, 50, 55, 60}, c.cop}}, {});
    EXPECT_EQ(chart.axisRect()->insetLayout()->insetAlignment(0), c.corner)
        << "COP at 60: " << c.cop.back().value_or(-1);
  }
}

// The bar moves by the percent: a count handed over per point of a fast
// study floods the window's queue and keeps Cancel's click waiting behind it.
TEST_F(StudyPage, TheProgressBarMovesByThePercentToEveryPoint) {
  OpenStudy();
  On<QComboBox>(kStudy, "Vary").setCurrentText("Superheating (K)");
  SetRange("1", "15", "1000", true);
  std::set<int> shown;
  QObject::connect(&On<QProgressBar>(kStudy, "Progress"), &QProgressBar::valueChanged,
                   [&](int value) { shown.insert(value); });
  Run();
  EXPECT_LE(shown.size(), 101u);
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(*shown.rbegin(), 1000);
}

TEST_F(StudyPage, ExportWritesThePointsOrTheChartAndCopyTheTable) {
  OpenStudy({{"WaterOut", "55"}});
  Click(kStudy, "Export");
  EXPECT_EQ(TakeMessages(), QStringList{"Please run the study first: there is nothing to export."});
  SetRange("80", "100", "3", true);
  Run();
  QTemporaryDir dir;
  const struct {
    QString file;
    QByteArray start;
  } cases[] = {
      {"study.csv",
       "variable,value,refrigerant,HighPressure,Optimal,COP,MassFlow,CompressorPower,"
       "DischargeTemperature,VHC,P1,T1,H1,S1,H2s,H2,T2,H3,T3,H4,Pinch,PinchAt,status,reason\n"
       "high-pressure,80,R744,80,no,"},
      {"study.png", "\x89PNG"},
      {"study.svg", "<?xml"},
      {"study.pdf", "%PDF"}};
  for (const auto& c : cases) {
    save_file_answer_ = dir.filePath(c.file);
    Click(kStudy, "Export");
    QFile written(save_file_answer_);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly)) << c.file.toStdString();
    const QByteArray bytes = written.readAll();
    EXPECT_TRUE(bytes.startsWith(c.start)) << c.file.toStdString() << "\n"
                                           << bytes.left(400).toStdString();
    if (c.file.endsWith(".csv")) {
      EXPECT_EQ(bytes.count('\n'), 4) << "the header and three points";
    }
  }
  EXPECT_TRUE(TakeMessages().isEmpty());
  save_file_answer_ = dir.filePath("study.xlsx");
  Click(kStudy, "Export");
  EXPECT_EQ(TakeMessages(),
            QStringList{"Please choose a file name ending in .csv, .png, .svg or .pdf"});

  QGuiApplication::clipboard()->clear();
  Click(kStudy, "Copy");
  const QStringList lines = QGuiApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 4);
  EXPECT_TRUE(
      lines[0].startsWith("Refrigerant\tHigh-side pressure (bar)\tHigh-side pressure (bar)\t"
                          "Heating COP (-)\t"))
      << lines[0].toStdString();
  EXPECT_TRUE(lines[2].startsWith("R744\t90\t90.00\t" + Cell(1, "Heating COP (-)") + "\t"))
      << lines[2].toStdString();
}

TEST_F(StudyPage, RangesAndRefrigerantsThatCannotRunAreRefusedInWords) {
  OpenStudy();
  const struct {
    QString from, to, by;
    bool points;
    QString message;
  } cases[] = {
      {"8O", "100", "1", false, "From: \"8O\" is not a number (the decimal separator is a point)"},
      {"80", "80", "1", false, "From and To are equal: the range holds no values to vary over"},
      {"80", "100", "0", false, "Step must lie above 0"},
      {"80", "100", "1", true, "Points must be a whole number of at least 2"},
      {"80", "100", "0.001", false,
       "The range holds more than 1000 values: please choose a larger Step"},
  };
  for (const auto& c : cases) {
    SetRange(c.from, c.to, c.by, c.points);
    Click(kStudy, "Run");
    EXPECT_EQ(TakeMessages(), QStringList{c.message});
    EXPECT_TRUE(On<QProgressBar>(kStudy, "Progress").isHidden()) << "no run";
  }
  SetRange("80", "100", "10");
  SetText(kStudy, "Refrigerant1", " ");
  Click(kStudy, "Run");
  EXPECT_EQ(TakeMessages(), QStringList{"Please choose one to eight refrigerants"});
  EXPECT_EQ(Table().rowCount(), 0);
}

}  // namespace
}  // namespace forms_test
