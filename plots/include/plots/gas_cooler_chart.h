// The gas cooler of a transcritical cycle: the refrigerant's and the water's
// temperatures against the heat given to the water from the refrigerant's
// inlet (counter-flow, so the water leaves at the left), the pinch marked
// where the two come closest.
#pragma once

#include "cycle/transcritical.h"
#include "plots/plot_labels.h"
#include "qcustomplot.h"

namespace plots {

class GasCoolerChart : public QCustomPlot {
  Q_OBJECT

 public:
  explicit GasCoolerChart(QWidget* parent = nullptr);

  // Replaces what the chart shows: graph 0 the refrigerant, graph 1 the
  // water, one point per state of the result's gas cooler, under a title of
  // the refrigerant, its pressure and the water's temperatures.
  void Draw(const cycle::TranscriticalResult& result);

  QString Title() const;
  // The box of the pinch's label as laid out last (pixels); none where it
  // found no clear place.
  const std::vector<QRectF>& LabelBoxes() const { return labels_.Shown(); }

 protected:
  // The title broken to the width, the pinch's label placed clear of the
  // profiles and the legend.
  void updateLayout() override;

 private:
  PlotTitle title_;
  PlotLabels labels_;
};

// The pinch's text on the chart ("Pinch 5.23 K").
QString PinchLabel(double pinch);

}  // namespace plots
