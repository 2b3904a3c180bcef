#include "plots/bar_chart.h"

#include <QFontMetricsF>

#include <algorithm>

#include "cycle/number_text.h"

namespace plots {

namespace {

constexpr double kBarWidth = 0.6;  // of the room of a bar
// A word may take this much of the room of a bar before it turns upright.
constexpr double kWordShare = 0.9;
constexpr int kGap = 3;        // pixels between a bar and its value
constexpr int kUpright = -90;  // degrees: read from the bottom up

std::vector<QCPItemText*> ValueLabels(const QCustomPlot& plot) {
  std::vector<QCPItemText*> labels;
  for (int i = 0; i < plot.itemCount(); ++i) {
    if (auto* text = qobject_cast<QCPItemText*>(plot.item(i))) labels.push_back(text);
  }
  return labels;
}

double TextWidth(const QFont& font, const QString& text) {
  return QFontMetricsF(font).horizontalAdvance(text);
}

}  // namespace

void DrawBars(QCustomPlot& plot, const QStringList& names, const std::vector<double>& values,
              const QString& value_label, int decimals) {
  plot.clearPlottables();
  plot.clearItems();
  plot.setBackground(Qt::white);
  auto* bars = new QCPBars(plot.xAxis, plot.yAxis);
  bars->setPen(QPen(QColor(0x1f, 0x4e, 0x9c)));
  bars->setBrush(QColor(0x1f, 0x4e, 0x9c, 150));
  bars->setWidth(kBarWidth);
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

BarChart::BarChart(QWidget* parent) : QCustomPlot(parent) {}

void BarChart::Draw(const QStringList& names, const std::vector<double>& values,
                    const QString& value_label, int decimals) {
  names_ = names;
  values_ = values;
  DrawBars(*this, names, values, value_label, decimals);
}

void BarChart::updateLayout() {
  QCustomPlot::updateLayout();
  if (names_.isEmpty()) return;
  const double room = axisRect()->width() / xAxis->range().size();  // pixels per bar
  double widest_name = 0;
  for (const QString& name : names_)
    widest_name = std::max(widest_name, TextWidth(xAxis->tickLabelFont(), name));
  const int names_turn = widest_name > kWordShare * room ? kUpright : 0;
  const std::vector<QCPItemText*> labels = ValueLabels(*this);
  double widest_value = 0, high = 0;
  for (const QCPItemText* label : labels) {
    widest_value = std::max(widest_value, TextWidth(label->font(), label->text()));
    high = std::max(high, QFontMetricsF(label->font()).height());
  }
  const bool values_upright = widest_value > kWordShare * room;
  for (QCPItemText* label : labels) {
    label->setRotation(values_upright ? kUpright : 0);
    label->setPositionAlignment(values_upright ? Qt::AlignLeft | Qt::AlignVCenter
                                               : Qt::AlignHCenter | Qt::AlignBottom);
    label->setPadding(values_upright ? QMargins(kGap, 0, 0, 0) : QMargins(0, 0, 0, kGap));
  }
  xAxis->setTickLabelRotation(names_turn);
  QCustomPlot::updateLayout();
  // The axis just high enough for the tallest bar's value above it.
  const double highest = *std::max_element(values_.begin(), values_.end());
  const double above = (values_upright ? widest_value : high) + 2 * kGap;
  const double height = axisRect()->height();
  if (highest > 0 && height > 2 * above) {
    yAxis->setRange(0, highest * height / (height - above));
    QCustomPlot::updateLayout();
  }
}

std::vector<QRectF> BarChart::ValueBoxes() const {
  std::vector<QRectF> boxes;
  for (const QCPItemText* label : ValueLabels(*this)) {
    const QPointF at = label->position->pixelPosition();
    const QFontMetricsF metrics(label->font());
    const double width = metrics.horizontalAdvance(label->text()), height = metrics.height();
    boxes.push_back(label->rotation() != 0
                        ? QRectF(at.x() - height / 2, at.y() - kGap - width, height, width)
                        : QRectF(at.x() - width / 2, at.y() - kGap - height, width, height));
  }
  return boxes;
}

std::vector<QRectF> BarChart::NameBoxes() const {
  std::vector<QRectF> boxes;
  const QFontMetricsF metrics(xAxis->tickLabelFont());
  const bool upright = xAxis->tickLabelRotation() != 0;
  const double top = axisRect()->bottom() + xAxis->tickLabelPadding();
  for (int i = 0; i < names_.size(); ++i) {
    const double x = xAxis->coordToPixel(i + 1);
    const double width = metrics.horizontalAdvance(names_[i]), height = metrics.height();
    boxes.push_back(upright ? QRectF(x - height / 2, top, height, width)
                            : QRectF(x - width / 2, top, width, height));
  }
  return boxes;
}

}  // namespace plots
