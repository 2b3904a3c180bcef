#include "plots/gas_cooler_chart.h"

#include <algorithm>
#include <span>

#include "cycle/number_text.h"

namespace plots {

namespace {

using cycle::GasCoolerPoint;

const QColor kRefrigerantColour(0xc0, 0x39, 0x2b);
const QColor kWaterColour(0x1f, 0x4e, 0x9c);
constexpr double kTemperatureMargin = 5;  // K above and below the profiles

// The two temperatures at a duty, straight between the computed states on
// either side (the states run in rising duty).
GasCoolerPoint ProfileAt(std::span<const GasCoolerPoint> points, double duty) {
  const auto after = std::lower_bound(
      points.begin(), points.end(), duty,
      [](const GasCoolerPoint& point, double value) { return point.duty < value; });
  if (after == points.begin()) return points.front();
  if (after == points.end()) return points.back();
  const GasCoolerPoint& a = *(after - 1);
  const GasCoolerPoint& b = *after;
  const double w = b.duty > a.duty ? (duty - a.duty) / (b.duty - a.duty) : 0;
  return {duty, a.refrigerant_T + w * (b.refrigerant_T - a.refrigerant_T),
          a.water_T + w * (b.water_T - a.water_T)};
}

QCPGraph* AddProfile(QCustomPlot& plot, const QColor& colour, const QString& name) {
  QCPGraph* graph = plot.addGraph();
  graph->setPen(QPen(colour, 2));
  graph->setName(name);
  return graph;
}

// A bar from the water's temperature up to the refrigerant's at the pinch,
// named beside it.
void MarkPinch(QCustomPlot& plot, const GasCoolerPoint& at, double pinch) {
  auto* bar = new QCPItemLine(&plot);
  bar->start->setCoords(at.duty, at.water_T);
  bar->end->setCoords(at.duty, at.refrigerant_T);
  bar->setPen(QPen(Qt::black, 1.4));
  bar->setHead(QCPLineEnding(QCPLineEnding::esBar, 10));
  bar->setTail(QCPLineEnding(QCPLineEnding::esBar, 10));
  // Under the water's line, where the chart is empty.
  auto* text = new QCPItemText(&plot);
  text->position->setCoords(at.duty, at.water_T);
  text->setPositionAlignment(Qt::AlignHCenter | Qt::AlignTop);
  text->setPadding(QMargins(4, 6, 4, 2));
  text->setText(PinchLabel(pinch));
}

}  // namespace

QString PinchLabel(double pinch) {
  return QStringLiteral("Pinch %1 K").arg(QString::fromStdString(cycle::FormatFixed(pinch, 2)));
}

GasCoolerChart::GasCoolerChart(QWidget* parent) : QCustomPlot(parent) {
  setBackground(Qt::white);
  xAxis->setLabel(QStringLiteral("Heat transferred from the refrigerant inlet (kW)"));
  yAxis->setLabel(QStringLiteral("T (\u00b0C)"));
  legend->setVisible(true);
  legend->setFont(QFont(font().family(), 8));
  axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignRight);
}

void GasCoolerChart::Draw(const cycle::TranscriticalResult& result) {
  clearGraphs();
  clearItems();
  const std::vector<GasCoolerPoint>& points = result.gas_cooler;
  QCPGraph* refrigerant = AddProfile(*this, kRefrigerantColour,
                                     QStringLiteral("Refrigerant (%1)")
                                         .arg(QString::fromStdString(result.refrigerant)));
  QCPGraph* water = AddProfile(*this, kWaterColour, QStringLiteral("Water"));
  if (points.empty()) {
    replot();
    return;
  }
  double low = points.front().water_T, high = points.front().refrigerant_T;
  for (const GasCoolerPoint& point : points) {
    refrigerant->addData(point.duty, point.refrigerant_T);
    water->addData(point.duty, point.water_T);
    low = std::min({low, point.water_T, point.refrigerant_T});
    high = std::max({high, point.water_T, point.refrigerant_T});
  }
  xAxis->setRange(std::min(0.0, points.front().duty), points.back().duty);
  yAxis->setRange(low - kTemperatureMargin, high + kTemperatureMargin);
  MarkPinch(*this, ProfileAt(points, result.pinch_at * points.back().duty), result.pinch);
  replot();
}

}  // namespace plots
