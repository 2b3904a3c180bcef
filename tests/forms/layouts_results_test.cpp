// The cycle layouts' results: the calculation's figures, states, losses and
// diagram for the layout chosen; the four layouts side by side; Back, the
// keys, the diagram page, Copy and Save Report...
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cmath>

#include "layouts_fixture.h"
#include "plots/cycle_diagram_plot.h"

namespace forms_test {
namespace {

using LayoutResults = LayoutsTest;

// Every figure on a page is a number or words, never a failed one.
void ExpectNoBrokenNumber(const QString& text) {
  for (const char* broken : {"nan", "inf"})
    EXPECT_FALSE(text.contains(broken, Qt::CaseInsensitive)) << text.toStdString();
}

struct CalculationRow {
  Layout layout;
  const char* refrigerant;  // nullptr: the default
};
const CalculationRow kCalculations[] = {
    {Layout::basic, nullptr},
    {Layout::ihx, nullptr},
    {Layout::economizer, nullptr},
    {Layout::flash_tank, nullptr},
    // Compresses wet: its discharge is two-phase.
    {Layout::basic, "R1336mzz(Z)"},
};

TEST_F(LayoutResults, CalculateShowsTheFiguresOfTheChosenLayout) {
  OpenLayoutsForm();
  for (const CalculationRow& row : kCalculations) {
    LayoutInput input;
    if (row.refrigerant != nullptr) input.Refrigerant = row.refrigerant;
    SCOPED_TRACE(std::string(cycle::LayoutName(row.layout)) + " " + input.Refrigerant);
    const LayoutResult expected = ResultOf(row.layout, input);
    Calculate(row.layout, input);
    EXPECT_EQ(pages_.State(kLayoutsForm), forms::PageState::Hidden);
    const QString title = On<QLabel>(kLayoutResults, "Title").text();
    EXPECT_TRUE(title.contains(QString::fromUtf8(cycle::LayoutTitle(row.layout).data())) &&
                title.contains(QString::fromStdString(input.Refrigerant)))
        << title.toStdString();
    EXPECT_EQ(On<QLabel>(kLayoutResults, "Verdict").text().toStdString(),
              cycle::WetCompressionVerdict(expected));

    // Label, the figure it must show, and the half of its last shown digit.
    struct Figure {
      QString label;
      double value;
      double half_digit;
    };
    std::vector<Figure> figures{
        {"Heating COP", expected.cop, 0.0005},
        {"Volumetric heating capacity", expected.vhc, 0.05},
        {"Heating capacity", expected.heating_capacity, 0.0005},
        {"Compressor power", expected.compressor_power, 0.0005},
        {"Mass flow through the evaporator", expected.mass_flow, 0.000005},
        {"Pressure ratio", expected.pressure_ratio, 0.005},
        {"Suction temperature", expected.suction_temperature, 0.005},
        {"Minimum suction superheat", expected.min_superheat, 0.005},
        {"Exergy efficiency", 100 * expected.exergy_efficiency, 0.05},
    };
    if (cycle::IsTwoStage(row.layout)) {
      figures.push_back({"Injection ratio", expected.injection_ratio, 0.00005});
      figures.push_back({"Intermediate pressure", *expected.intermediate_pressure, 0.005});
    }
    if (!expected.discharge_quality)
      figures.push_back({"Discharge temperature", expected.discharge_temperature, 0.005});
    for (const Figure& figure : figures)
      EXPECT_NEAR(FigureShown(figure.label), figure.value, figure.half_digit * 1.0001)
          << figure.label.toStdString();

    const QTableWidget& figure_table = Table(kLayoutResults, "Figures");
    for (int r = 0; r < figure_table.rowCount(); ++r) {
      if (Cell(figure_table, r, 0) != "Discharge temperature") continue;
      const QString discharge = Cell(figure_table, r, 1);
      bool number = false;
      discharge.toDouble(&number);
      // A two-phase discharge in words, never as a temperature.
      EXPECT_EQ(number, !expected.discharge_quality) << discharge.toStdString();
      EXPECT_EQ(discharge.startsWith("two-phase"), expected.discharge_quality.has_value());
    }

    const QTableWidget& states = Table(kLayoutResults, "States");
    ASSERT_EQ(states.rowCount(), int(expected.states.size()));
    for (int r = 0; r < states.rowCount(); ++r) {
      const cycle::LayoutState& state = expected.states[std::size_t(r)];
      SCOPED_TRACE(state.name);
      EXPECT_EQ(Cell(states, r, 0).toStdString(), state.name);
      EXPECT_NEAR(Number(states, r, 1), state.state.p, 0.005 * 1.0001);
      EXPECT_NEAR(Number(states, r, 2), state.state.T, 0.005 * 1.0001);
      EXPECT_NEAR(Number(states, r, 3), state.state.h, 0.005 * 1.0001);
      EXPECT_NEAR(Number(states, r, 4), state.state.s, 0.00005 * 1.0001);
      EXPECT_NEAR(Number(states, r, 5), state.mass, 0.00005 * 1.0001);
    }

    // A bar for each component of the layout, as high as its loss.
    auto& losses = On<QCustomPlot>(kLayoutResults, "Losses");
    ASSERT_EQ(losses.plottableCount(), 1);
    const auto* bars = qobject_cast<QCPBars*>(losses.plottable(0));
    ASSERT_NE(bars, nullptr);
    const std::vector<cycle::Component> components = cycle::ComponentsOf(row.layout);
    ASSERT_EQ(bars->dataCount(), int(components.size()));
    for (std::size_t k = 0; k < components.size(); ++k)
      EXPECT_DOUBLE_EQ(bars->data()->at(int(k))->value, expected.Loss(components[k]));

    for (const QTableWidget* table : {&figure_table, &states})
      for (int r = 0; r < table->rowCount(); ++r)
        for (int c = 0; c < table->columnCount(); ++c) ExpectNoBrokenNumber(Cell(*table, r, c));
    Click(kLayoutResults, "Back");
  }
}

TEST_F(LayoutResults, TheDiagramShowsEveryStateAndTheDiagramPageTheSameCycle) {
  OpenLayoutsForm();
  Calculate(Layout::economizer, {});
  const LayoutResult expected = ResultOf(Layout::economizer, {});
  auto& diagram = On<plots::CycleDiagramPlot>(kLayoutResults, "Diagram");
  EXPECT_EQ(diagram.yAxis->label(), "p (bar)");
  const QStringList texts = PlotTexts(diagram);
  for (const cycle::LayoutState& state : expected.states)
    EXPECT_TRUE(texts.contains(QString::fromStdString(state.name))) << state.name;
  const QString cop = Cell(Table(kLayoutResults, "Figures"), 2, 1);

  Click(kLayoutResults, "DiagramPage");
  ASSERT_EQ(ShownPage(), page::Diagram);
  EXPECT_EQ(pages_.State(kLayoutResults), forms::PageState::Hidden) << "its figures are kept";
  auto& plot = On<plots::CycleDiagramPlot>(page::Diagram, "Plot");
  EXPECT_EQ(PlotTexts(plot), texts) << "the same cycle";
  Click(page::Diagram, "Back");
  EXPECT_EQ(ShownPage(), kLayoutResults);
  EXPECT_EQ(Cell(Table(kLayoutResults, "Figures"), 2, 1), cop);
}

// The comparison for the defaults, for a refrigerant that compresses wet,
// and for a blend, which the flash tank refuses.
TEST_F(LayoutResults, CompareLayoutsShowsTheFourLayoutsForTheSameInputs) {
  OpenLayoutsForm();
  for (const char* refrigerant : {"R134a", "R1336mzz(Z)", "R450A"}) {
    SCOPED_TRACE(refrigerant);
    LayoutInput input;
    input.Refrigerant = refrigerant;
    input.Evaporating = "45";
    const std::vector<cycle::LayoutOutcome> expected = cycle::CompareLayouts(input);
    Calculate(Layout::ihx, input);
    const QString title = On<QLabel>(kLayoutResults, "Title").text();
    Click(kLayoutResults, "CompareLayouts");
    ASSERT_EQ(ShownPage(), kLayoutComparison);
    EXPECT_EQ(pages_.State(kLayoutResults), forms::PageState::Hidden);

    const QTableWidget& table = Table(kLayoutComparison, "Layouts");
    ASSERT_EQ(table.rowCount(), int(std::size(cycle::kLayouts)));
    std::vector<double> cops;
    for (int r = 0; r < table.rowCount(); ++r) {
      const cycle::LayoutOutcome& outcome = expected[std::size_t(r)];
      SCOPED_TRACE(std::string(cycle::LayoutName(outcome.layout)));
      EXPECT_EQ(Cell(table, r, 0).toStdString(), cycle::LayoutTitle(outcome.layout));
      if (const auto* refusal = outcome.refusal()) {
        for (int c = 1; c <= 5; ++c) EXPECT_EQ(Cell(table, r, c), "") << c;
        EXPECT_EQ(Cell(table, r, 6).toStdString(), "refused: " + refusal->reason);
        continue;
      }
      const LayoutResult& result = *outcome.result();
      cops.push_back(result.cop);
      EXPECT_NEAR(Number(table, r, 1), result.cop, 0.0005 * 1.0001);
      EXPECT_NEAR(Number(table, r, 2), result.vhc, 0.05 * 1.0001);
      if (result.discharge_quality)
        EXPECT_EQ(Cell(table, r, 3), "two-phase");
      else
        EXPECT_NEAR(Number(table, r, 3), result.discharge_temperature, 0.005 * 1.0001);
      EXPECT_NEAR(Number(table, r, 4), result.injection_ratio, 0.00005 * 1.0001);
      EXPECT_NEAR(Number(table, r, 5), 100 * result.exergy_efficiency, 0.05 * 1.0001);
      EXPECT_EQ(Cell(table, r, 6).contains("wet compression"), result.wet_compression);
      for (int c = 0; c < table.columnCount(); ++c) ExpectNoBrokenNumber(Cell(table, r, c));
    }
    const auto* bars =
        qobject_cast<QCPBars*>(On<QCustomPlot>(kLayoutComparison, "COP").plottable(0));
    ASSERT_NE(bars, nullptr);
    ASSERT_EQ(bars->dataCount(), int(cops.size())) << "a bar for each layout computed";
    for (std::size_t k = 0; k < cops.size(); ++k)
      EXPECT_DOUBLE_EQ(bars->data()->at(int(k))->value, cops[k]);

    Click(kLayoutComparison, "Back");
    EXPECT_EQ(ShownPage(), kLayoutResults);
    EXPECT_EQ(On<QLabel>(kLayoutResults, "Title").text(), title);
    Click(kLayoutResults, "Back");
  }
}

TEST_F(LayoutResults, BackOnTheResultsReturnsToTheFormWithItsTextsAndLayout) {
  OpenLayoutsForm();
  LayoutInput input;
  input.Evaporating = "0";
  input.Condensing = "55";
  input.Intermediate = "optimal";
  Calculate(Layout::flash_tank, input);
  const auto entered = Fields();
  EXPECT_NEAR(Number(Table(kLayoutResults, "States"), 0, 2), 4, 0.005) << "1' at Te + superheat";
  Click(kLayoutResults, "Back");
  EXPECT_EQ(ShownPage(), kLayoutsForm);
  EXPECT_EQ(pages_.State(kLayoutResults), forms::PageState::NotLoaded);
  EXPECT_EQ(Fields(), entered);
  EXPECT_TRUE(On<QRadioButton>(kLayoutsForm, ChoiceOf(Layout::flash_tank)).isChecked());
}

TEST_F(LayoutResults, TheKeysLeadForwardAndBack) {
  OpenLayoutsForm();
  Press(kLayoutsForm, Qt::Key_Return);
  ASSERT_EQ(ShownPage(), kLayoutResults);
  Click(kLayoutResults, "CompareLayouts");
  ASSERT_EQ(ShownPage(), kLayoutComparison);
  Press(kLayoutComparison, Qt::Key_Escape);
  ASSERT_EQ(ShownPage(), kLayoutResults);
  Click(kLayoutResults, "CompareLayouts");
  Press(kLayoutComparison, Qt::Key_Return);
  ASSERT_EQ(ShownPage(), kLayoutResults);
  Press(kLayoutResults, Qt::Key_Escape);
  ASSERT_EQ(ShownPage(), kLayoutsForm);
  Press(kLayoutsForm, Qt::Key_Escape);
  EXPECT_EQ(ShownPage(), page::SelectSim);
}

TEST_F(LayoutResults, CopyAndSaveReportHandOnTheShownCalculation) {
  OpenLayoutsForm();
  LayoutInput input;
  input.Evaporating = "45";
  Calculate(Layout::economizer, input);
  const LayoutResult expected = ResultOf(Layout::economizer, input);

  Click(kLayoutResults, "Copy");
  const QString copied = QGuiApplication::clipboard()->text();
  EXPECT_TRUE(copied.contains(QStringLiteral("Evaporating temperature\t45\t")))
      << "the input as typed: " << copied.toStdString();
  const QTableWidget& figures = Table(kLayoutResults, "Figures");
  for (int r = 0; r < figures.rowCount(); ++r) {
    const QString line =
        QStringList{Cell(figures, r, 0), Cell(figures, r, 1), Cell(figures, r, 2)}.join('\t');
    EXPECT_TRUE(copied.contains(line)) << "the page's figure: " << line.toStdString();
  }

  QTemporaryDir dir;
  save_file_answer_ = dir.filePath("economizer.csv");
  Click(kLayoutResults, "SaveReport");
  EXPECT_TRUE(TakeMessages().isEmpty());
  QFile file(save_file_answer_);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
  const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 2) << "the header and the one calculation";
  const QStringList header = lines[0].split(',');
  const QStringList row = lines[1].split(',');
  ASSERT_EQ(header.size(), row.size());
  EXPECT_EQ(row[header.indexOf("layout")], "economizer");
  EXPECT_EQ(row[header.indexOf("COP")].toDouble(), expected.cop) << "full precision";
  EXPECT_EQ(row[header.indexOf("IntermediatePressure")].toDouble(),
            *expected.intermediate_pressure);

  save_file_answer_ = dir.filePath("economizer.pdf");
  Click(kLayoutResults, "SaveReport");
  EXPECT_TRUE(TakeMessages().isEmpty());
  QFile pdf(save_file_answer_);
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(4) == "%PDF");
  EXPECT_EQ(ShownPage(), kLayoutResults);
}

}  // namespace
}  // namespace forms_test
