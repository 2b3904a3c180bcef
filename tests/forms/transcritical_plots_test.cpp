// The plots of a transcritical cycle: the high side named Pgc with no
// subcooling span, and the gas cooler's profiles with the pinch marked
// between two computed states.
#include <gtest/gtest.h>

#include "cycle/diagram.h"
#include "plots/cycle_diagram_plot.h"
#include "plots/gas_cooler_chart.h"

namespace {

QStringList Texts(QCustomPlot& plot) {
  QStringList texts;
  for (int i = 0; i < plot.itemCount(); ++i)
    if (auto* text = qobject_cast<QCPItemText*>(plot.item(i))) texts << text->text();
  return texts;
}

QCPItemLine* OnlyLine(QCustomPlot& plot) {
  QCPItemLine* found = nullptr;
  for (int i = 0; i < plot.itemCount(); ++i) {
    if (auto* line = qobject_cast<QCPItemLine*>(plot.item(i))) {
      EXPECT_EQ(found, nullptr) << "more than one line";
      found = line;
    }
  }
  return found;
}

// The default basic cycle's p-h diagram, as a subcritical or a
// transcritical one.
cycle::CycleDiagram BasicDiagram(bool transcritical) {
  auto outcome = cycle::BasicCycleDiagram(cycle::BasicCycleInput{"R22", 1, 50, 3.5, 4, 90, 100, 80},
                                          cycle::DiagramKind::PressureEnthalpy);
  EXPECT_TRUE(std::holds_alternative<cycle::CycleDiagram>(outcome));
  auto diagram = std::get<cycle::CycleDiagram>(outcome);
  diagram.transcritical = transcritical;
  return diagram;
}

TEST(TranscriticalDiagram, ThePictureNamesTheHighSidePgcAndMarksNoSubcooling) {
  struct Case {
    bool transcritical;
    const char* high_side;
    bool subcooling;
  };
  for (const Case c : {Case{false, "Pc", true}, Case{true, "Pgc", false}}) {
    SCOPED_TRACE(c.high_side);
    plots::CycleDiagramPlot plot(plots::DiagramLook::Picture);
    const cycle::CycleDiagram diagram = BasicDiagram(c.transcritical);
    plot.Draw({&diagram, 1});
    const QStringList texts = Texts(plot);
    EXPECT_TRUE(texts.contains(c.high_side)) << texts.join(" | ").toStdString();
    EXPECT_EQ(texts.contains("Subcooling"), c.subcooling);
    EXPECT_TRUE(texts.contains("Superheat"));
    EXPECT_TRUE(texts.contains("Pe"));
  }
}

TEST(TranscriticalDiagram, TheChartWritesTheGasCoolersPressureOnlyForATranscriticalCycle) {
  for (const bool transcritical : {false, true}) {
    plots::CycleDiagramPlot plot(plots::DiagramLook::Chart);
    const cycle::CycleDiagram diagram = BasicDiagram(transcritical);
    plot.Draw({&diagram, 1});
    const QString label =
        QStringLiteral("Pgc %1 bar").arg(diagram.corners.discharge.p, 0, 'f', 2);
    EXPECT_EQ(Texts(plot).contains(label), transcritical) << Texts(plot).join(" | ").toStdString();
  }
}

// A gas cooler of 10 kW in eleven states: the refrigerant falls from 100 to
// 30 'C, the water from 60 to 10 'C, both straight, but for one state where
// the refrigerant comes within 2 K of the water.
cycle::TranscriticalResult Profiles() {
  cycle::TranscriticalResult result;
  result.refrigerant = "R744";
  for (int i = 0; i <= 10; ++i)
    result.gas_cooler.push_back({i * 1.0, 100 - 7.0 * i, 60 - 5.0 * i});
  result.gas_cooler[6].refrigerant_T = result.gas_cooler[6].water_T + 2;
  result.pinch = 2;
  result.pinch_at = 0.6;
  return result;
}

TEST(GasCoolerChart, DrawsBothProfilesStateByState) {
  plots::GasCoolerChart chart;
  const cycle::TranscriticalResult result = Profiles();
  chart.Draw(result);
  ASSERT_EQ(chart.graphCount(), 2);
  EXPECT_EQ(chart.graph(0)->name(), "Refrigerant (R744)");
  EXPECT_EQ(chart.graph(1)->name(), "Water");
  for (int g = 0; g < 2; ++g) ASSERT_EQ(chart.graph(g)->dataCount(), 11);
  for (int i = 0; i <= 10; ++i) {
    const auto& point = result.gas_cooler[std::size_t(i)];
    EXPECT_EQ(chart.graph(0)->data()->at(i)->key, point.duty);
    EXPECT_EQ(chart.graph(0)->data()->at(i)->value, point.refrigerant_T);
    EXPECT_EQ(chart.graph(1)->data()->at(i)->value, point.water_T);
  }
  EXPECT_TRUE(chart.xAxis->range().contains(0) && chart.xAxis->range().contains(10));
  EXPECT_LT(chart.yAxis->range().lower, 10);
  EXPECT_GT(chart.yAxis->range().upper, 100);
}

TEST(GasCoolerChart, MarksThePinchFromTheWaterUpToTheRefrigerant) {
  struct Case {
    double pinch_at;      // of the duty
    double water, refrigerant;  // 'C there, straight between the states
  };
  const Case cases[] = {
      {0.6, 30, 32},      // at a computed state
      {0.55, 32.5, 48.5},  // halfway between 5 (65 over 35 'C) and 6 (32 over 30 'C)
      {0.0, 60, 100},     // at the inlet
      {1.0, 10, 30},      // at the outlet
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pinch_at);
    cycle::TranscriticalResult result = Profiles();
    result.pinch_at = c.pinch_at;
    plots::GasCoolerChart chart;
    chart.Draw(result);
    QCPItemLine* bar = OnlyLine(chart);
    ASSERT_NE(bar, nullptr);
    EXPECT_NEAR(bar->start->coords().x(), 10 * c.pinch_at, 1e-12);
    EXPECT_NEAR(bar->end->coords().x(), 10 * c.pinch_at, 1e-12);
    EXPECT_NEAR(bar->start->coords().y(), c.water, 1e-12);
    EXPECT_NEAR(bar->end->coords().y(), c.refrigerant, 1e-12);
    EXPECT_TRUE(Texts(chart).contains("Pinch 2.00 K"));
  }
}

TEST(GasCoolerChart, AResultWithoutStatesDrawsEmptyProfiles) {
  plots::GasCoolerChart chart;
  chart.Draw(Profiles());
  chart.Draw(cycle::TranscriticalResult{});
  ASSERT_EQ(chart.graphCount(), 2);
  EXPECT_EQ(chart.graph(0)->dataCount(), 0);
  EXPECT_EQ(chart.itemCount(), 0) << "the last drawing's pinch is gone";
}

}  // namespace
