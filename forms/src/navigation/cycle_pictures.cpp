#include "navigation/cycle_pictures.h"

#include <QPainterPath>
#include <QtMath>

#include <array>

namespace forms {

const QColor kInk(30, 30, 30);
const QColor kHot(200, 60, 40);
const QColor kCold(40, 120, 200);

namespace {

const QColor kPipe(40, 70, 160);
const QColor kMarker(200, 40, 40);

QFont DesignFont(int pixel_size, bool bold = false) {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(pixel_size);
  font.setBold(bold);
  return font;
}

void Arrowhead(QPainter& p, QPointF tip, QPointF from, double size) {
  const QPointF d = tip - from;
  const double length = std::hypot(d.x(), d.y());
  if (length == 0) return;
  const QPointF u = d / length;
  const QPointF n(-u.y(), u.x());
  const QPointF base = tip - u * size;
  p.save();
  p.setBrush(p.pen().color());
  p.drawPolygon(QPolygonF{tip, base + n * size * 0.45, base - n * size * 0.45});
  p.restore();
}

}  // namespace

// A pipe through the given corners, with an arrow in the middle of its
// longest straight run.
void Pipe(QPainter& p, std::initializer_list<QPointF> corners) {
  const std::vector<QPointF> c(corners);
  p.setPen(QPen(kPipe, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolyline(c.data(), static_cast<int>(c.size()));
  std::size_t longest = 1;
  auto run = [&](std::size_t i) { return QLineF(c[i - 1], c[i]).length(); };
  for (std::size_t i = 2; i < c.size(); ++i)
    if (run(i) > run(longest)) longest = i;
  const QPointF mid = (c[longest - 1] + c[longest]) / 2;
  p.setPen(QPen(kPipe, 2));
  Arrowhead(p, mid + (c[longest] - c[longest - 1]) / run(longest) * 14, mid, 22);
}

void PointMarker(QPainter& p, QPointF at, const QString& label) {
  p.setPen(QPen(Qt::white, 2));
  p.setBrush(kMarker);
  p.drawEllipse(at, 19, 19);
  p.setFont(DesignFont(22, true));
  p.drawText(QRectF(at.x() - 19, at.y() - 19, 38, 38), Qt::AlignCenter, label);
}

void Caption(QPainter& p, QRectF frame, const QString& text) {
  p.setPen(kInk);
  p.setFont(DesignFont(24, true));
  p.drawText(frame, Qt::AlignCenter, text);
}

// A heat exchanger: a box with a serpentine coil.
void HeatExchanger(QPainter& p, QRectF box, QColor tint) {
  p.setPen(QPen(kInk, 3));
  p.setBrush(tint.lighter(185));
  p.drawRoundedRect(box, 10, 10);
  QPainterPath coil;
  const int bends = 8;
  const double step = (box.width() - 40) / bends;
  coil.moveTo(box.left() + 20, box.center().y());
  for (int i = 0; i < bends; ++i) {
    const double x = box.left() + 20 + i * step;
    const double y = (i % 2 == 0) ? box.top() + 22 : box.bottom() - 22;
    coil.quadTo(x + step / 2, y, x + step, box.center().y());
  }
  p.setPen(QPen(tint, 4));
  p.setBrush(Qt::NoBrush);
  p.drawPath(coil);
}

void Fan(QPainter& p, QPointF centre, double radius) {
  p.setPen(QPen(kInk, 3));
  p.setBrush(Qt::white);
  p.drawEllipse(centre, radius, radius);
  p.setBrush(QColor(150, 150, 150));
  for (int blade = 0; blade < 3; ++blade) {
    p.save();
    p.translate(centre);
    p.rotate(120.0 * blade);
    QPainterPath path;
    path.moveTo(0, 0);
    path.cubicTo(radius * 0.2, -radius * 0.9, radius * 0.75, -radius * 0.55, radius * 0.15, 0);
    p.setPen(QPen(kInk, 2));
    p.drawPath(path);
    p.restore();
  }
  p.setBrush(kInk);
  p.drawEllipse(centre, 6, 6);
}

void Compressor(QPainter& p, QPointF centre, double radius) {
  p.setPen(QPen(kInk, 3));
  p.setBrush(QColor(235, 235, 235));
  p.drawEllipse(centre, radius, radius);
  // The usual symbol: a circle with two lines narrowing towards the outlet.
  p.drawLine(centre + QPointF(-radius * 0.8, radius * 0.6), centre + QPointF(-radius * 0.4, -radius * 0.9));
  p.drawLine(centre + QPointF(radius * 0.8, radius * 0.6), centre + QPointF(radius * 0.4, -radius * 0.9));
}

void ExpansionValve(QPainter& p, QPointF centre, double size) {
  p.setPen(QPen(kInk, 3));
  p.setBrush(QColor(235, 235, 235));
  p.drawPolygon(QPolygonF{centre + QPointF(-size, -size), centre + QPointF(size, -size), centre,
                          centre + QPointF(-size, size), centre + QPointF(size, size), centre});
}

namespace {

void PaintSchematic(QPainter& p) {
  const QRectF condenser(300, 60, 420, 130);
  const QRectF evaporator(300, 410, 420, 130);
  const QPointF compressor(900, 300);
  const QPointF valve(150, 300);
  const double compressor_radius = 65, valve_size = 45;

  Pipe(p, {{720, 475}, {900, 475}, {900, 300 + compressor_radius}});              // 1
  Pipe(p, {{900, 300 - compressor_radius}, {900, 125}, {720, 125}});              // 2
  Pipe(p, {{300, 125}, {150, 125}, {150, 300 - valve_size}});                     // 3
  Pipe(p, {{150, 300 + valve_size}, {150, 475}, {300, 475}});                     // 4

  HeatExchanger(p, condenser, kHot);
  Fan(p, condenser.center(), 48);
  HeatExchanger(p, evaporator, kCold);
  Compressor(p, compressor, compressor_radius);
  ExpansionValve(p, valve, valve_size);

  Caption(p, QRectF(300, 10, 420, 45), QStringLiteral("Condenser"));
  Caption(p, QRectF(300, 548, 420, 45), QStringLiteral("Evaporator"));
  Caption(p, QRectF(800, 375, 271, 40), QStringLiteral("Compressor"));
  Caption(p, QRectF(0, 348, 300, 40), QStringLiteral("Expansion valve"));

  PointMarker(p, {810, 445}, QStringLiteral("1"));
  PointMarker(p, {810, 95}, QStringLiteral("2"));
  PointMarker(p, {225, 95}, QStringLiteral("3"));
  PointMarker(p, {225, 445}, QStringLiteral("4"));
}

}  // namespace

const Picture kCycleSchematic{1071, 609, PaintSchematic};

PictureControl::PictureControl(const Picture& picture, QWidget* parent)
    : QWidget(parent), picture_(&picture) {}

void PictureControl::SetPicture(const Picture& picture) {
  picture_ = &picture;
  update();
}

void PictureControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(rect(), Qt::white);
  painter.setPen(QPen(QColor(160, 160, 160), 1));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  // Uniform scale so that lettering keeps its shape; the canvas is centred.
  const double scale = std::min(width() / double(picture_->design_width),
                                height() / double(picture_->design_height));
  painter.translate((width() - picture_->design_width * scale) / 2,
                    (height() - picture_->design_height * scale) / 2);
  painter.scale(scale, scale);
  picture_->paint(painter);
}

}  // namespace forms
