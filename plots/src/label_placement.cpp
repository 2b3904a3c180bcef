#include "plots/label_placement.h"

#include <algorithm>

namespace plots {

QRectF LabelBox(const LabelSpot& spot, QSizeF size) {
  const QPointF a = spot.anchor + spot.shift;
  const Qt::Alignment align = spot.alignment;
  double left = a.x() - size.width() / 2;
  if (align & Qt::AlignLeft) left = a.x();
  if (align & Qt::AlignRight) left = a.x() - size.width();
  double top = a.y() - size.height() / 2;
  if (align & Qt::AlignTop) top = a.y();
  if (align & Qt::AlignBottom) top = a.y() - size.height();
  return {QPointF(left, top), size};
}

namespace {

// Where the line from a to b crosses a vertical (or, swapped, horizontal)
// edge of the box.
bool CrossesEdge(double a_across, double a_along, double b_across, double b_along, double edge,
                 double from, double to) {
  if ((a_across - edge) * (b_across - edge) > 0 || a_across == b_across) return false;
  const double t = (edge - a_across) / (b_across - a_across);
  const double along = a_along + t * (b_along - a_along);
  return along >= from && along <= to;
}

bool CrossesLine(const QRectF& box, const std::vector<QPointF>& line) {
  for (std::size_t i = 1; i < line.size(); ++i) {
    if (Crosses(box, line[i - 1], line[i])) return true;
  }
  return line.size() == 1 && box.contains(line.front());
}

}  // namespace

bool Crosses(const QRectF& box, QPointF a, QPointF b) {
  if (box.contains(a) || box.contains(b)) return true;
  if (!box.intersects(QRectF(a, b).normalized().adjusted(-0.5, -0.5, 0.5, 0.5))) return false;
  return CrossesEdge(a.x(), a.y(), b.x(), b.y(), box.left(), box.top(), box.bottom()) ||
         CrossesEdge(a.x(), a.y(), b.x(), b.y(), box.right(), box.top(), box.bottom()) ||
         CrossesEdge(a.y(), a.x(), b.y(), b.x(), box.top(), box.left(), box.right()) ||
         CrossesEdge(a.y(), a.x(), b.y(), b.x(), box.bottom(), box.left(), box.right());
}

std::vector<std::optional<PlacedLabel>> PlaceLabels(std::span<const LabelRequest> labels,
                                                    const QRectF& area,
                                                    const LabelObstacles& obstacles) {
  std::vector<std::optional<PlacedLabel>> placed;
  std::vector<QRectF> taken = obstacles.boxes;
  // Lines are judged against the box a hair inside its edges.
  constexpr double kEdge = 0.5;
  const auto clear = [&](const QRectF& box) {
    if (!area.contains(box)) return false;
    if (std::any_of(taken.begin(), taken.end(),
                    [&](const QRectF& t) { return t.intersects(box); })) {
      return false;
    }
    const QRectF inner = box.adjusted(kEdge, kEdge, -kEdge, -kEdge);
    return std::none_of(obstacles.lines.begin(), obstacles.lines.end(),
                        [&](const auto& line) { return CrossesLine(inner, line); });
  };
  for (const LabelRequest& label : labels) {
    std::optional<PlacedLabel> where;
    for (std::size_t i = 0; i < label.spots.size() && !where; ++i) {
      const QRectF box = LabelBox(label.spots[i], label.size);
      if (clear(box)) where = PlacedLabel{box, i};
    }
    if (where) taken.push_back(where->box);
    placed.push_back(where);
  }
  return placed;
}

std::vector<LabelSpot> SpotsAround(QPointF anchor, Qt::Alignment first) {
  const Qt::Alignment corners[] = {Qt::AlignLeft | Qt::AlignBottom,
                                   Qt::AlignRight | Qt::AlignBottom, Qt::AlignLeft | Qt::AlignTop,
                                   Qt::AlignRight | Qt::AlignTop};
  std::vector<LabelSpot> spots{{anchor, first}};
  for (const Qt::Alignment corner : corners) {
    if (corner != first) spots.push_back({anchor, corner});
  }
  for (const Qt::Alignment side :
       {Qt::AlignHCenter | Qt::AlignBottom, Qt::AlignHCenter | Qt::AlignTop,
        Qt::AlignRight | Qt::AlignVCenter, Qt::AlignLeft | Qt::AlignVCenter}) {
    if (side != first) spots.push_back({anchor, side});
  }
  return spots;
}

std::vector<LabelSpot> SpotsNear(QPointF anchor, Qt::Alignment first, double step, int steps) {
  std::vector<LabelSpot> spots = SpotsAround(anchor, first);
  const std::size_t around = spots.size();
  for (int k = 1; k <= steps; ++k) {
    for (std::size_t i = 0; i < around; ++i) {
      const Qt::Alignment side = spots[i].alignment;
      // Away from the point: a label left of it moves left, one above moves up.
      const double dx = side & Qt::AlignLeft ? 1 : side & Qt::AlignRight ? -1 : 0;
      const double dy = side & Qt::AlignTop ? 1 : side & Qt::AlignBottom ? -1 : 0;
      spots.push_back({anchor, side, QPointF(dx, dy) * step * k});
    }
  }
  return spots;
}

}  // namespace plots
