// The gas cooler of a transcritical cycle: the refrigerant's and the water's
// temperatures against the heat given to the water from the refrigerant's
// inlet (counter-flow, so the water leaves at the left), the pinch marked
// where the two come closest.
#pragma once

#include "cycle/transcritical.h"
#include "qcustomplot.h"

namespace plots {

class GasCoolerChart : public QCustomPlot {
  Q_OBJECT

 public:
  explicit GasCoolerChart(QWidget* parent = nullptr);

  // Replaces what the chart shows: graph 0 the refrigerant, graph 1 the
  // water, one point per state of the result's gas cooler.
  void Draw(const cycle::TranscriticalResult& result);
};

// The pinch's text on the chart ("Pinch 5.23 K").
QString PinchLabel(double pinch);

}  // namespace plots
