#include "plots/bar_chart.h"

#include <algorithm>

#include "cycle/number_text.h"

#include "qcustomplot.h"

namespace plots {

void DrawBars(QCustomPlot& plot, const QStringList& names, const std::vector<double>& values,
              const QString& value_label, int decimals) {
  plot.clearPlottables();
  plot.clearItems();
  plot.setBackground(Qt::white);
  auto* bars = new QCPBars(plot.xAxis, plot.yAxis);
  bars->setPen(QPen(QColor(0x1f, 0x4e, 0x9c)));
  bars->setBrush(QColor(0x1f, 0x4e, 0x9c, 150));
  bars->setWidth(0.6);
  auto ticker = QSharedPointer<QCPAxisTickerText>::create();
  QVector<double> keys, heights;
  double highest = 0;
  for (int i = 0; i < names.size() && i < static_cast<int>(values.size()); ++i) {
    const double value = values[static_cast<std::size_t>(i)];
    keys.push_back(i + 1);
    heights.push_back(value);
    ticker->addTick(i + 1, names[i]);
    highest = std::max(highest, value);
    auto* label = new QCPItemText(&plot);
    label->position->setCoords(i + 1, value);
    label->setPositionAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    label->setText(QString::fromStdString(cycle::FormatFixed(value, decimals)));
  }
  bars->setData(keys, heights, true);
  plot.xAxis->setTicker(ticker);
  plot.xAxis->setRange(0.4, keys.size() + 0.6);
  plot.xAxis->grid()->setVisible(false);
  plot.yAxis->setLabel(value_label);
  // Room above the tallest bar for its value.
  plot.yAxis->setRange(0, highest > 0 ? highest * 1.15 : 1);
  plot.legend->setVisible(false);
  plot.replot();
}

}  // namespace plots
