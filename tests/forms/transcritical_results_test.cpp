// The transcritical cycle's results page: the figures of the calculation,
// Back to the form, the keys, the diagram and the gas cooler's profiles,
// and the diagram page on the same cycle.
#include <QRadioButton>

#include <cmath>

#include "cycle/number_text.h"
#include "plots/cycle_diagram_plot.h"
#include "plots/gas_cooler_chart.h"
#include "transcritical_fixture.h"

namespace forms_test {
namespace {

using TranscriticalResultsPage = TranscriticalTest;

TEST_F(TranscriticalResultsPage, CalculateShowsTheFiguresOfTheCalculation) {
  const TranscriticalResult expected = ResultOf(Reachable());
  CalculateReachable();
  EXPECT_EQ(pages_.State(kForm), forms::PageState::Hidden);
  EXPECT_TRUE(On<QLabel>(kResults, "Title").text().contains("R744"));

  // Box, the figure it must show, and the half of its last shown digit.
  struct Figure {
    QString box;
    double value;
    double half_digit;
  };
  std::vector<Figure> figures{
      {"HeatingCapacity", expected.heating_capacity, 0.005},
      {"CompressorPower", expected.compressor_power, 0.005},
      {"EvaporatorDuty", expected.evaporator_duty, 0.005},
      {"COP", expected.cop, 0.0005},
      {"MassFlow", expected.mass_flow, 0.00005},
      {"WaterFlow", expected.water_flow, 0.00005},
      {"VHC", expected.vhc, 0.05},
      {"HighPressure", expected.high_pressure, 0.005},
      {"Pinch", expected.pinch, 0.005},
      {"PinchAt", 100 * expected.pinch_at, 0.05},
  };
  const std::pair<QString, const cycle::DiagramState*> states[] = {
      {"1", &expected.suction},           {"2s", &expected.isentropic_discharge},
      {"2", &expected.discharge},         {"3", &expected.gas_cooler_outlet},
      {"4", &expected.evaporator_inlet}};
  for (const auto& [point, state] : states) {
    figures.push_back({"P" + point, state->p, 0.005});
    figures.push_back({"T" + point, state->T, 0.005});
    figures.push_back({"H" + point, state->h, 0.005});
    figures.push_back({"S" + point, state->s, 0.00005});
  }
  for (const Figure& figure : figures) {
    EXPECT_NEAR(Shown(figure.box), figure.value, figure.half_digit * 1.0001)
        << figure.box.toStdString();
  }
}

// The note under the high-side pressure, for a pressure searched (with the
// range searched), one whose best lies at the top of the range, one held
// above the best COP's by the minimum approach (the water short at the
// best, as at the defaults, or merely too close), and one given. {low} and
// {high} stand for the range searched, {cop} and {at} for the best COP and
// its pressure, {pinch} for the best's pinch.
struct NoteRow {
  const char* field;
  const char* text;
  const char* note;
};
const NoteRow kNotes[] = {
    {"WaterOut", "50", "the best COP, searched from {low} to {high} bar"},
    {"GasCoolerOutlet", "60", "the best COP of {low} to {high} bar, at the search's edge"},
    {"WaterOut", "65",
     "the lowest pressure with a pinch of at least 5.00 K: the best COP, {cop} at {at} bar, "
     "leaves the water short by {short} K"},
    {"MinApproach", "10",
     "the lowest pressure with a pinch of at least 10.00 K: the best COP, {cop} at {at} bar, "
     "has a pinch of only {pinch} K"},
    {"HighPressure", "100", "as entered"},
};

TEST_F(TranscriticalResultsPage, TheNoteSaysHowTheHighPressureWasFound) {
  OpenForm();
  for (const NoteRow& row : kNotes) {
    SCOPED_TRACE(std::string(row.field) + " = " + row.text);
    TranscriticalInput input = Reachable();
    for (const FieldRow& field : kFields) {
      if (QLatin1String(field.name) == QLatin1String(row.field)) input.*field.member = row.text;
      SetText(kForm, field.name, QString::fromStdString(input.*field.member));
    }
    const TranscriticalResult expected = ResultOf(input);
    Click(kForm, "Calculate");
    ASSERT_EQ(ShownPage(), kResults) << TakeMessages().join(" | ").toStdString();
    const auto fixed = [](double value, int decimals) {
      return QString::fromStdString(cycle::FormatFixed(value, decimals));
    };
    EXPECT_EQ(On<QLabel>(kResults, "HighPressureNote").text(),
              QString(row.note)
                  .replace("{low}", fixed(expected.search_low, 2))
                  .replace("{high}", fixed(expected.search_high, 2))
                  .replace("{cop}", fixed(expected.best_cop, 3))
                  .replace("{at}", fixed(expected.best_cop_pressure, 2))
                  .replace("{short}", fixed(-expected.best_cop_pinch, 2))
                  .replace("{pinch}", fixed(expected.best_cop_pinch, 2)));
    EXPECT_NEAR(Shown("HighPressure"), expected.high_pressure, 0.005);
    Click(kResults, "Back");
  }
}

TEST_F(TranscriticalResultsPage, CalculateWithTheDefaultsShowsTheirFigures) {
  const TranscriticalResult expected = ResultOf({});
  OpenForm();
  Click(kForm, "Calculate");
  ASSERT_EQ(ShownPage(), kResults) << TakeMessages().join(" | ").toStdString();
  EXPECT_NEAR(Shown("COP"), expected.cop, 0.0005);
  EXPECT_NEAR(Shown("HighPressure"), expected.high_pressure, 0.005);
  EXPECT_NEAR(Shown("Pinch"), expected.pinch, 0.005);
}

TEST_F(TranscriticalResultsPage, AGivenPressureIsShownAsEntered) {
  OpenForm();
  SetText(kForm, "HighPressure", "100");
  Click(kForm, "Calculate");
  ASSERT_EQ(ShownPage(), kResults) << TakeMessages().join(" | ").toStdString();
  EXPECT_NEAR(Shown("HighPressure"), 100, 1e-9);
  EXPECT_NEAR(Shown("P2"), 100, 1e-9);
}

TEST_F(TranscriticalResultsPage, BackOnTheResultsReturnsToTheFormWithItsTexts) {
  OpenForm();
  SetText(kForm, "Evaporating", "5");
  SetText(kForm, "HeatingCapacity", "12.5");
  SetText(kForm, "WaterOut", "60");
  const auto entered = Fields();
  Click(kForm, "Calculate");
  ASSERT_EQ(ShownPage(), kResults) << TakeMessages().join(" | ").toStdString();
  EXPECT_NEAR(Shown("HeatingCapacity"), 12.5, 0.005);
  EXPECT_NEAR(Shown("T4"), 5, 0.005);
  Click(kResults, "Back");
  EXPECT_EQ(ShownPage(), kForm);
  EXPECT_EQ(pages_.State(kResults), forms::PageState::NotLoaded);
  EXPECT_EQ(Fields(), entered);
}

TEST_F(TranscriticalResultsPage, ReturnCalculatesAndEscapeGoesBack) {
  OpenForm();
  SetText(kForm, "WaterOut", "60");
  Press(kForm, Qt::Key_Return);
  ASSERT_EQ(ShownPage(), kResults);
  Press(kResults, Qt::Key_Escape);
  ASSERT_EQ(ShownPage(), kForm);
  Press(kForm, Qt::Key_Escape);
  EXPECT_EQ(ShownPage(), page::SelectSim);
}

TEST_F(TranscriticalResultsPage, TheResultsHoldTheDiagramAndTheGasCoolersProfiles) {
  const TranscriticalResult expected = ResultOf(Reachable());
  CalculateReachable();
  auto& diagram = On<plots::CycleDiagramPlot>(kResults, "Diagram");
  EXPECT_EQ(diagram.yAxis->label(), "p (bar)");
  EXPECT_GT(diagram.plottableCount(), 3) << "dome and cycle";
  const QStringList texts = PlotTexts(diagram);
  for (const char* corner : {"1", "2s", "2", "3", "4"}) EXPECT_TRUE(texts.contains(corner)) << corner;
  EXPECT_TRUE(texts.contains(Text(kResults, "HighPressure").prepend("Pgc ").append(" bar")))
      << texts.join(" | ").toStdString();

  auto& profiles = On<plots::GasCoolerChart>(kResults, "Profiles");
  ASSERT_EQ(profiles.graphCount(), 2);
  ASSERT_GE(expected.gas_cooler.size(), 50u);
  for (int g = 0; g < 2; ++g)
    EXPECT_EQ(profiles.graph(g)->dataCount(), int(expected.gas_cooler.size()));
  EXPECT_NEAR(profiles.graph(0)->data()->at(0)->value, expected.discharge.T, 1e-9);
  EXPECT_NEAR(profiles.graph(1)->data()->at(0)->value, expected.gas_cooler.front().water_T, 1e-9);
  EXPECT_TRUE(PlotTexts(profiles).contains(plots::PinchLabel(expected.pinch)));
}

TEST_F(TranscriticalResultsPage, TheDiagramPageShowsTheSameCycleAndReturnsToTheResults) {
  CalculateReachable();
  const QString cop = Text(kResults, "COP");
  Click(kResults, "DiagramPage");
  ASSERT_EQ(ShownPage(), page::Diagram);
  EXPECT_EQ(pages_.State(kResults), forms::PageState::Hidden) << "its figures are kept";
  auto& plot = On<plots::CycleDiagramPlot>(page::Diagram, "Plot");
  EXPECT_TRUE(PlotTexts(plot).contains(Text(kResults, "HighPressure").prepend("Pgc ").append(" bar")));
  On<QRadioButton>(page::Diagram, "TemperatureEntropy").click();
  EXPECT_EQ(plot.xAxis->label(), "s (kJ/kg-K)");
  EXPECT_GT(plot.plottableCount(), 3) << "a T-s diagram of the cycle, not a refusal";
  // Both isobars named, inside the chart: the gas cooler's leaves it through the top.
  const QRect chart = plot.axisRect()->rect();
  int isobars = 0;
  for (int i = 0; i < plot.itemCount(); ++i) {
    auto* text = qobject_cast<QCPItemText*>(plot.item(i));
    if (text == nullptr || !text->text().endsWith(" bar")) continue;
    ++isobars;
    const QRectF place(text->topLeft->pixelPosition(), text->bottomRight->pixelPosition());
    EXPECT_TRUE(chart.contains(place.toAlignedRect())) << text->text().toStdString();
  }
  EXPECT_EQ(isobars, 2);
  Click(page::Diagram, "Back");
  EXPECT_EQ(ShownPage(), kResults);
  EXPECT_EQ(Text(kResults, "COP"), cop);
}

}  // namespace
}  // namespace forms_test
