#include "chart_readout.h"

#include <algorithm>
#include <cmath>

namespace plots {

QCPRange Framed(double low, double high, double margin) {
  const double span = high - low;
  const double room = span > 0 ? span * margin : std::max(std::abs(low) * 0.1, 1.0);
  return {low - room, high + room};
}

QCPItemText& AddReadout(QCustomPlot& plot) {
  auto* readout = new QCPItemText(&plot);
  readout->setPadding(QMargins(6, 3, 6, 3));
  readout->setBrush(QColor(255, 255, 255, 230));
  readout->setPen(QPen(Qt::gray));
  readout->position->setType(QCPItemPosition::ptAbsolute);
  readout->setVisible(false);
  return *readout;
}

void PlaceBeside(QCPItemText& readout, QPointF place, const QCPAxisRect& axes, double reach) {
  const QPointF middle = axes.rect().center();
  const bool right = place.x() > middle.x(), high = place.y() < middle.y();
  readout.position->setPixelPosition(place +
                                     QPointF(right ? -reach : reach, high ? reach : -reach));
  readout.setPositionAlignment((right ? Qt::AlignRight : Qt::AlignLeft) |
                               (high ? Qt::AlignTop : Qt::AlignBottom));
}

}  // namespace plots
