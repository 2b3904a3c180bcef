// What the charts of points share: the frame around their values, and the
// readout that names the point under the pointer.
#pragma once

#include <QPointF>

#include "qcustomplot.h"

namespace plots {

// The span of the values with a margin (a fraction of the span) on each
// side; a single value gets room around it.
QCPRange Framed(double low, double high, double margin);

// A hidden readout: text in a box, placed in pixels.
QCPItemText& AddReadout(QCustomPlot& plot);

// Puts the readout `reach` pixels beside the point at `place`, on the side
// towards the middle of the axes so that it stays inside them.
void PlaceBeside(QCPItemText& readout, QPointF place, const QCPAxisRect& axes, double reach);

}  // namespace plots
