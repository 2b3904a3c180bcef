#include "plots/plot_labels.h"

#include <QFontMetricsF>

namespace plots {

QSizeF TextBoxSize(const QCPItemText& item) {
  const QSizeF text =
      QFontMetricsF(item.font())
          .boundingRect(QRectF(0, 0, 1e6, 1e6), Qt::AlignLeft | Qt::AlignTop, item.text())
          .size();
  const QMargins pad = item.padding();
  return {text.width() + pad.left() + pad.right(), text.height() + pad.top() + pad.bottom()};
}

namespace {

QCPTextElement* AddTitleRow(QCustomPlot& plot, int row, const QFont& font) {
  plot.plotLayout()->insertRow(row);
  auto* title = new QCPTextElement(&plot, QString(), font);
  title->setLayer(QStringLiteral("axes"));
  title->setMargins(QMargins(6, row == 0 ? 4 : 0, 6, 0));
  plot.plotLayout()->addElement(row, 0, title);
  plot.plotLayout()->setRowStretchFactor(row, 0.001);
  return title;
}

// The text broken after a comma where a line would be wider than `width`.
QString BrokenAfterCommas(const QString& text, const QFont& font, double width) {
  const QFontMetricsF metrics(font);
  QStringList lines;
  QString line;
  for (const QString& piece : text.split(QStringLiteral(", "), Qt::SkipEmptyParts)) {
    const QString longer = line.isEmpty() ? piece : line + QStringLiteral(", ") + piece;
    if (!line.isEmpty() && metrics.horizontalAdvance(longer) > width) {
      lines << line + QLatin1Char(',');
      line = piece;
    } else {
      line = longer;
    }
  }
  if (!line.isEmpty()) lines << line;
  return lines.join(QLatin1Char('\n'));
}

}  // namespace

PlotTitle::PlotTitle(QCustomPlot& plot)
    : heading_(AddTitleRow(plot, 0, QFont(plot.font().family(), 9, QFont::Bold))),
      conditions_(AddTitleRow(plot, 1, QFont(plot.font().family(), 8))) {
  Set({}, {});
}

void PlotTitle::Set(const QString& heading, const QString& conditions) {
  heading_text_ = heading;
  heading_->setText(heading);
  conditions_text_ = conditions;
  conditions_->setText(conditions);
  heading_->setVisible(!heading.isEmpty());
  conditions_->setVisible(!conditions.isEmpty());
}

void PlotTitle::Fit(double width) {
  heading_->setText(BrokenAfterCommas(heading_text_, heading_->font(), width));
  conditions_->setText(BrokenAfterCommas(conditions_text_, conditions_->font(), width));
}

QString PlotTitle::Text() const {
  return conditions_->text().isEmpty() ? heading_->text()
                                       : heading_->text() + QLatin1Char('\n') + conditions_->text();
}

void PlotLabels::Clear() {
  labels_.clear();
  strong_.clear();
  faint_.clear();
  shown_.clear();
}

void PlotLabels::Add(QCPItemText* item, std::vector<LabelSpot> spots, bool clear_of_faint_lines) {
  item->position->setCoords(spots.front().anchor);
  item->setPositionAlignment(spots.front().alignment);
  labels_.push_back({item, std::move(spots), clear_of_faint_lines});
}

void PlotLabels::AddLine(std::vector<QPointF> coords, Line line) {
  if (coords.empty()) return;
  (line == Line::Strong ? strong_ : faint_).push_back(std::move(coords));
}

void PlotLabels::Place(QCPAxisRect& axes, const std::vector<QRectF>& boxes) {
  QCPAxis& x = *axes.axis(QCPAxis::atBottom);
  QCPAxis& y = *axes.axis(QCPAxis::atLeft);
  const auto pixel = [&](QPointF at) {
    return QPointF(x.coordToPixel(at.x()), y.coordToPixel(at.y()));
  };
  const auto pixels = [&](const std::vector<std::vector<QPointF>>& lines) {
    std::vector<std::vector<QPointF>> converted;
    for (const auto& line : lines) {
      std::vector<QPointF> points;
      for (const QPointF& at : line) points.push_back(pixel(at));
      converted.push_back(std::move(points));
    }
    return converted;
  };
  LabelObstacles strong{{}, pixels(strong_)};
  LabelObstacles all{{}, pixels(faint_)};
  all.lines.insert(all.lines.end(), strong.lines.begin(), strong.lines.end());

  // One label at a time against what is placed so far: a label clear only
  // of strong lines is judged against those alone.
  const QRectF area = QRectF(axes.rect()).adjusted(1, 1, -1, -1);
  shown_.clear();
  std::vector<QRectF> taken = boxes;
  for (const Label& label : labels_) {
    LabelRequest request{TextBoxSize(*label.item), {}};
    for (const LabelSpot& spot : label.spots) {
      request.spots.push_back({pixel(spot.anchor), spot.alignment, spot.shift});
    }
    LabelObstacles& obstacles = label.clear_of_faint_lines ? all : strong;
    obstacles.boxes = taken;
    const auto placed = PlaceLabels({&request, 1}, area, obstacles).front();
    label.item->setVisible(placed.has_value());
    if (!placed) continue;
    // At the spot's anchor, which stays the point it names, or off it.
    const LabelSpot& spot = label.spots[placed->spot];
    const QPointF off = pixel(spot.anchor) + spot.shift;
    label.item->position->setCoords(
        spot.shift.isNull() ? spot.anchor
                            : QPointF(x.pixelToCoord(off.x()), y.pixelToCoord(off.y())));
    label.item->setPositionAlignment(spot.alignment);
    taken.push_back(placed->box);
    shown_.push_back(placed->box);
  }
}

}  // namespace plots
