// Where the labels of a chart stand: each beside the point it names, inside
// the axes, clear of the chart's lines and of the labels placed before it,
// or left out where no place is clear, so that every label shown can be
// read. Everything in pixels of the chart.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <optional>
#include <span>
#include <vector>

namespace plots {

// A place for a label: the point it names and which part of the label's
// box touches that point (as QCPItemText's position alignment: left and
// bottom put the label above and right of the point).
struct LabelSpot {
  QPointF anchor;
  Qt::Alignment alignment;
  // Pixels the label stands off the anchor, for a label that may stand a
  // little away from what it names.
  QPointF shift{};
};

// A label: the size of its box and its spots, the one it would rather
// stand at first.
struct LabelRequest {
  QSizeF size;
  std::vector<LabelSpot> spots;
};

// What labels keep clear of: boxes (a legend, a bar) and lines (the
// chart's curves, as the pixels of their points).
struct LabelObstacles {
  std::vector<QRectF> boxes;
  std::vector<std::vector<QPointF>> lines;
};

// The box of a label of this size at the spot: it touches the anchor with
// the corner or side the alignment names (the text's padding inside the
// box keeps the letters off the point).
QRectF LabelBox(const LabelSpot& spot, QSizeF size);

// Whether the straight line from a to b passes through the box.
bool Crosses(const QRectF& box, QPointF a, QPointF b);

// Where a label was placed: its box, and which of its spots that is.
struct PlacedLabel {
  QRectF box;
  std::size_t spot = 0;
};

// The labels placed in their order: each at its first spot whose box lies
// within `area`, crosses no obstacle and overlaps no label placed before
// it; nothing for a label with no such spot. A line that only touches a
// box's edge (the point a label names, the lines that meet there) does not
// cross it.
std::vector<std::optional<PlacedLabel>> PlaceLabels(std::span<const LabelRequest> labels,
                                                    const QRectF& area,
                                                    const LabelObstacles& obstacles);

// The spots of a label beside a point: `first`, then the other three
// corners, then above, below, left and right of it.
std::vector<LabelSpot> SpotsAround(QPointF anchor, Qt::Alignment first);
// The same, then further off, a step of pixels at a time up to `steps`
// steps, each side away from the point.
std::vector<LabelSpot> SpotsNear(QPointF anchor, Qt::Alignment first, double step, int steps);

}  // namespace plots
