#include "cycle_pictures.h"

#include <QPainterPath>
#include <QtMath>

#include <array>

namespace forms {
namespace {

const QColor kInk(30, 30, 30);
const QColor kPipe(40, 70, 160);
const QColor kHot(200, 60, 40);
const QColor kCold(40, 120, 200);
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

// The saturation dome as two cubic curves meeting at the critical point.
struct Cubic {
  QPointF p0, p1, p2, p3;
  QPointF At(double t) const {
    const double s = 1 - t;
    return s * s * s * p0 + 3 * s * s * t * p1 + 3 * s * t * t * p2 + t * t * t * p3;
  }
  // The point of the curve at height y; y must lie between the ends, which
  // differ in height monotonically along the curve.
  QPointF AtHeight(double y) const {
    double lo = 0, hi = 1;
    const bool rising = p3.y() < p0.y();
    for (int i = 0; i < 60; ++i) {
      const double mid = (lo + hi) / 2;
      if ((At(mid).y() > y) == rising) lo = mid; else hi = mid;
    }
    return At((lo + hi) / 2);
  }
};

constexpr double kAxisLeft = 80, kAxisBottom = 350, kAxisRight = 770, kAxisTop = 25;
// The liquid line leans well to the left at low pressure, so that the throttled
// point 4 (the enthalpy of point 3) falls inside the dome, as it does in reality.
const Cubic kLiquidLine{{90, 345}, {110, 160}, {205, 55}, {350, 50}};
const Cubic kVapourLine{{350, 50}, {470, 60}, {540, 180}, {560, 345}};

void Span(QPainter& p, double x_from, double x_to, double y, const QString& text, bool above) {
  p.setPen(QPen(kInk, 1.5));
  p.drawLine(QPointF(x_from, y), QPointF(x_to, y));
  p.drawLine(QPointF(x_from, y - 7), QPointF(x_from, y + 7));
  p.drawLine(QPointF(x_to, y - 7), QPointF(x_to, y + 7));
  p.setFont(DesignFont(16));
  const double mid = (x_from + x_to) / 2;
  const QRectF frame(mid - 110, above ? y - 26 : y + 4, 220, 22);
  p.drawText(frame, Qt::AlignCenter, text);
}

void Dot(QPainter& p, QPointF at, const QString& label, QPointF label_offset) {
  p.setPen(Qt::NoPen);
  p.setBrush(kMarker);
  p.drawEllipse(at, 6, 6);
  p.setPen(kMarker);
  p.setFont(DesignFont(20, true));
  p.drawText(QRectF(at + label_offset - QPointF(20, 12), QSizeF(40, 24)), Qt::AlignCenter, label);
}

void PaintDiagram(QPainter& p) {
  // Axes with their names.
  p.setPen(QPen(kInk, 2.5));
  p.drawLine(QPointF(kAxisLeft, kAxisBottom), QPointF(kAxisRight, kAxisBottom));
  p.drawLine(QPointF(kAxisLeft, kAxisBottom), QPointF(kAxisLeft, kAxisTop));
  Arrowhead(p, {kAxisRight + 10, kAxisBottom}, {kAxisRight, kAxisBottom}, 14);
  Arrowhead(p, {kAxisLeft, kAxisTop - 10}, {kAxisLeft, kAxisTop}, 14);
  p.setFont(DesignFont(24, true));
  p.drawText(QRectF(kAxisLeft - 60, kAxisTop - 20, 40, 30), Qt::AlignCenter, QStringLiteral("P"));
  p.drawText(QRectF(kAxisRight - 10, kAxisBottom + 8, 40, 30), Qt::AlignCenter, QStringLiteral("h"));

  // The saturation dome.
  QPainterPath dome(kLiquidLine.p0);
  dome.cubicTo(kLiquidLine.p1, kLiquidLine.p2, kLiquidLine.p3);
  dome.cubicTo(kVapourLine.p1, kVapourLine.p2, kVapourLine.p3);
  p.setPen(QPen(kCold, 3));
  p.setBrush(Qt::NoBrush);
  p.drawPath(dome);

  // The cycle: condensing pressure above, evaporating pressure below.
  const double pc = 125, pe = 270;
  const double liquid_at_pc = kLiquidLine.AtHeight(pc).x();
  const double vapour_at_pe = kVapourLine.AtHeight(pe).x();
  const QPointF p3(liquid_at_pc - 30, pc), p4(p3.x(), pe);
  const QPointF p1(vapour_at_pe + 40, pe);
  const QPointF p2s(p1.x() + 60, pc), p2(p2s.x() + 60, pc);

  p.setPen(QPen(kInk, 1, Qt::DotLine));
  for (const double level : {pc, pe}) p.drawLine(QPointF(kAxisLeft, level), QPointF(p3.x(), level));
  p.setFont(DesignFont(18));
  p.drawText(QRectF(kAxisLeft - 75, pc - 12, 70, 24), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Pc"));
  p.drawText(QRectF(kAxisLeft - 75, pe - 12, 70, 24), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Pe"));

  p.setPen(QPen(kHot, 3.5));
  p.drawLine(p2, p3);  // condensing, desuperheating and subcooling
  p.drawLine(p3, p4);  // throttling at constant enthalpy
  p.drawLine(p4, p1);  // evaporating and superheating
  p.drawLine(p1, p2);  // actual compression
  p.setPen(QPen(kHot, 2, Qt::DashLine));
  p.drawLine(p1, p2s);  // isentropic compression

  Span(p, p3.x(), liquid_at_pc, pc - 38, QStringLiteral("Subcooling"), true);
  Span(p, vapour_at_pe, p1.x(), pe + 30, QStringLiteral("Superheat"), false);
  Span(p, p2s.x(), p2.x(), pc - 38, QStringLiteral("Isentropic efficiency"), true);

  Dot(p, p1, QStringLiteral("1"), {14, 16});
  Dot(p, p2s, QStringLiteral("2'"), {0, 20});
  Dot(p, p2, QStringLiteral("2"), {18, 0});
  Dot(p, p3, QStringLiteral("3"), {-18, 0});
  Dot(p, p4, QStringLiteral("4"), {-18, 10});
}

}  // namespace

const Picture kCycleSchematic{1071, 609, PaintSchematic};
const Picture kPressureEnthalpyDiagram{800, 400, PaintDiagram};

PictureControl::PictureControl(const Picture& picture, QWidget* parent)
    : QWidget(parent), picture_(picture) {}

void PictureControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(rect(), Qt::white);
  painter.setPen(QPen(QColor(160, 160, 160), 1));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  // Uniform scale so that lettering keeps its shape; the canvas is centred.
  const double scale = std::min(width() / double(picture_.design_width),
                                height() / double(picture_.design_height));
  painter.translate((width() - picture_.design_width * scale) / 2,
                    (height() - picture_.design_height * scale) / 2);
  painter.scale(scale, scale);
  picture_.paint(painter);
}

}  // namespace forms
