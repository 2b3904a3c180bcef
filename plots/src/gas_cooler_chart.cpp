#include "plots/gas_cooler_chart.h"

#include <algorithm>
#include <cmath>
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
// named beside it: under the water's line, where the chart is empty, or
// where else it is clear.
void MarkPinch(QCustomPlot& plot, PlotLabels& labels, std::span<const GasCoolerPoint> points,
               const GasCoolerPoint& at, double pinch) {
  const QPointF water(at.duty, at.water_T), refrigerant(at.duty, at.refrigerant_T);
  auto* bar = new QCPItemLine(&plot);
  bar->start->setCoords(water);
  bar->end->setCoords(refrigerant);
  bar->setPen(QPen(Qt::black, 1.4));
  bar->setHead(QCPLineEnding(QCPLineEnding::esBar, 10));
  bar->setTail(QCPLineEnding(QCPLineEnding::esBar, 10));
  labels.AddLine({water, refrigerant});
  auto* text = new QCPItemText(&plot);
  text->setPadding(QMargins(4, 4, 4, 2));
  text->setText(PinchLabel(pinch));
  std::vector<LabelSpot> spots = SpotsAround(water, Qt::AlignHCenter | Qt::AlignTop);
  const std::vector<LabelSpot> above = SpotsAround(refrigerant, Qt::AlignHCenter | Qt::AlignBottom);
  spots.insert(spots.end(), above.begin(), above.end());
  for (const Qt::Alignment side :
       {Qt::AlignLeft | Qt::AlignVCenter, Qt::AlignRight | Qt::AlignVCenter}) {
    spots.push_back({(water + refrigerant) / 2, side});
  }
  // Further along under the water's line, nearest first, where the bar
  // stands at an end of the chart.
  std::vector<GasCoolerPoint> along(points.begin(), points.end());
  std::sort(along.begin(), along.end(), [&](const GasCoolerPoint& a, const GasCoolerPoint& b) {
    return std::abs(a.duty - at.duty) < std::abs(b.duty - at.duty);
  });
  for (const GasCoolerPoint& point : along) {
    for (const Qt::Alignment side : {Qt::AlignHCenter | Qt::AlignTop, Qt::AlignLeft | Qt::AlignTop,
                                     Qt::AlignRight | Qt::AlignTop}) {
      spots.push_back({{point.duty, point.water_T}, side});
    }
  }
  labels.Add(text, std::move(spots));
}

// The water's temperatures, from where it enters to where it leaves.
QString WaterSpan(const std::vector<GasCoolerPoint>& points) {
  if (points.empty()) return {};
  const auto celsius = [](double T) { return QString::fromStdString(cycle::FormatFixed(T, 2)); };
  return QStringLiteral("water %1 to %2 \u00b0C").arg(celsius(points.back().water_T),
                                                       celsius(points.front().water_T));
}

}  // namespace

QString PinchLabel(double pinch) {
  return QStringLiteral("Pinch %1 K").arg(QString::fromStdString(cycle::FormatFixed(pinch, 2)));
}

GasCoolerChart::GasCoolerChart(QWidget* parent) : QCustomPlot(parent), title_(*this) {
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
  labels_.Clear();
  const std::vector<GasCoolerPoint>& points = result.gas_cooler;
  const auto figure = [](double value) {
    return QString::fromStdString(cycle::FormatFixed(value, 2));
  };
  title_.Set(QStringLiteral("Gas cooler of %1").arg(QString::fromStdString(result.refrigerant)),
             QStringList{QStringLiteral("%1 bar").arg(figure(result.high_pressure)),
                         WaterSpan(points),
                         QStringLiteral("heating %1 kW").arg(figure(result.heating_capacity))}
                 .join(QStringLiteral(", ")));
  QCPGraph* refrigerant = AddProfile(*this, kRefrigerantColour,
                                     QStringLiteral("Refrigerant (%1)")
                                         .arg(QString::fromStdString(result.refrigerant)));
  QCPGraph* water = AddProfile(*this, kWaterColour, QStringLiteral("Water"));
  if (points.empty()) {
    replot();
    return;
  }
  double low = points.front().water_T, high = points.front().refrigerant_T;
  std::vector<QPointF> refrigerant_line, water_line;
  for (const GasCoolerPoint& point : points) {
    refrigerant->addData(point.duty, point.refrigerant_T);
    water->addData(point.duty, point.water_T);
    refrigerant_line.emplace_back(point.duty, point.refrigerant_T);
    water_line.emplace_back(point.duty, point.water_T);
    low = std::min({low, point.water_T, point.refrigerant_T});
    high = std::max({high, point.water_T, point.refrigerant_T});
  }
  labels_.AddLine(std::move(refrigerant_line));
  labels_.AddLine(std::move(water_line));
  xAxis->setRange(std::min(0.0, points.front().duty), points.back().duty);
  yAxis->setRange(low - kTemperatureMargin, high + kTemperatureMargin);
  MarkPinch(*this, labels_, points, ProfileAt(points, result.pinch_at * points.back().duty),
            result.pinch);
  replot();
}

QString GasCoolerChart::Title() const { return title_.Text(); }

void GasCoolerChart::updateLayout() {
  title_.Fit(viewport().width() - 12);
  QCustomPlot::updateLayout();
  labels_.Place(*axisRect(), {QRectF(legend->outerRect())});
}

}  // namespace plots
