#include "plots/cycle_diagram_plot.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <iterator>
#include <vector>

#include "cycle/number_text.h"
#include "plots/overlay_colours.h"

namespace plots {

namespace {

using cycle::CycleDiagram;
using cycle::DiagramKind;
using cycle::DiagramState;

const QColor kLiquidColour(0x1f, 0x4e, 0x9c);
const QColor kVapourColour(0xb0, 0x3a, 0x2e);
const QColor kCycleColour(0x11, 0x11, 0x11);
const QColor kIsolineColour(0x9a, 0x9a, 0x9a);

// How far the frame reaches beyond the cycles.
constexpr double kLowPressureFactor = 2.5, kHighPressureFactor = 1.6;
constexpr double kColdMargin = 25, kHotMargin = 15;  // K
constexpr double kSideMargin = 0.06;                 // of the width

// Ticks of a logarithmic pressure axis at 1, 2 and 5 times the powers of ten
// (every whole multiple where the axis spans less than a decade), sub-ticks
// at every whole multiple.
class PressureTicker : public QCPAxisTicker {
 protected:
  QVector<double> createTickVector(double, const QCPRange& range) override {
    const bool narrow = range.upper / range.lower < 10;
    QVector<double> ticks;
    for (const double power : Decades(range)) {
      for (int m = 1; m <= 9; ++m) {
        if (narrow || m == 1 || m == 2 || m == 5) ticks.push_back(m * power);
      }
    }
    return ticks;
  }
  QVector<double> createSubTickVector(int, const QVector<double>& ticks) override {
    QVector<double> sub;
    if (ticks.isEmpty()) return sub;
    for (const double power : Decades({ticks.front(), ticks.back()})) {
      for (int m = 1; m <= 9; ++m) sub.push_back(m * power);
    }
    return sub;
  }

 private:
  // The powers of ten from the decade below the range to the one above it.
  static std::vector<double> Decades(const QCPRange& range) {
    std::vector<double> powers;
    const double low = std::floor(std::log10(std::max(range.lower, 1e-300)));
    const double high = std::ceil(std::log10(std::max(range.upper, 1e-300)));
    for (double k = low - 1; k <= high && powers.size() < 40; ++k) powers.push_back(std::pow(10, k));
    return powers;
  }
};

QPointF At(const DiagramState& s, DiagramKind kind) {
  return kind == DiagramKind::PressureEnthalpy ? QPointF(s.h, s.p) : QPointF(s.s, s.T);
}

double Vertical(const DiagramState& s, DiagramKind kind) { return At(s, kind).y(); }

QCPCurve* AddCurve(QCustomPlot& plot, const std::vector<DiagramState>& states, DiagramKind kind,
                   const QPen& pen, const QString& name = {}) {
  auto* curve = new QCPCurve(plot.xAxis, plot.yAxis);
  QVector<double> t, x, y;
  for (const DiagramState& s : states) {
    const QPointF p = At(s, kind);
    t.push_back(t.size());
    x.push_back(p.x());
    y.push_back(p.y());
  }
  curve->setData(t, x, y, true);
  curve->setPen(pen);
  if (name.isEmpty()) curve->removeFromLegend();
  else curve->setName(name);
  return curve;
}

QCPItemText* AddText(QCustomPlot& plot, QPointF at, const QString& text, Qt::Alignment align,
                     const QColor& colour, int point_size) {
  auto* item = new QCPItemText(&plot);
  item->position->setCoords(at);
  item->setPositionAlignment(align);
  item->setText(text);
  item->setColor(colour);
  QFont font = plot.font();
  font.setPointSize(point_size);
  item->setFont(font);
  item->setPadding(QMargins(4, 2, 4, 2));
  return item;
}

struct Frame {
  QCPRange x, y;
};

// The cycles, their critical points and the dome within the frame's
// vertical range, with a margin at the sides.
Frame FrameOf(std::span<const CycleDiagram> diagrams) {
  const DiagramKind kind = diagrams.front().kind;
  const bool ph = kind == DiagramKind::PressureEnthalpy;
  double low = INFINITY, high = -INFINITY;
  for (const CycleDiagram& d : diagrams) {
    const double bottom = Vertical(d.corners.evaporator_inlet, kind);
    const double top = std::max(Vertical(d.corners.discharge, kind), Vertical(d.critical, kind));
    low = std::min(low, ph ? bottom / kLowPressureFactor : bottom - kColdMargin);
    high = std::max(high, ph ? top * kHighPressureFactor : top + kHotMargin);
  }
  double left = INFINITY, right = -INFINITY;
  const auto include = [&](const DiagramState& s) {
    const QPointF p = At(s, kind);
    if (p.y() < low || p.y() > high) return;
    left = std::min(left, p.x());
    right = std::max(right, p.x());
  };
  for (const CycleDiagram& d : diagrams) {
    for (const auto* line : {&d.bubble, &d.dew, &d.condenser, &d.expansion, &d.evaporator,
                             &d.compression, &d.injection}) {
      std::for_each(line->begin(), line->end(), include);
    }
    include(d.critical);
  }
  const double margin = (right - left) * kSideMargin;
  return {{left - margin, right + margin}, {low, high}};
}

QString IsolineLabel(const cycle::Isoline& line, DiagramKind kind) {
  return kind == DiagramKind::PressureEnthalpy
             ? QString::fromStdString(cycle::FormatSignificant(line.value, 4)) +
                   QStringLiteral(" \u00b0C")
             : QString::fromStdString(cycle::FormatFixed(line.value, 2)) + QStringLiteral(" bar");
}

// A label where the line leaves the dome, on its vapour side, where that is
// within the frame; else at the line's rightmost state within the frame,
// written to its left so that it stays inside.
void LabelIsoline(QCustomPlot& plot, const cycle::Isoline& line, DiagramKind kind,
                  const Frame& frame) {
  const auto inside = [&](const DiagramState& s) {
    const QPointF p = At(s, kind);
    return frame.x.contains(p.x()) && frame.y.contains(p.y());
  };
  const QColor colour = kIsolineColour.darker(130);
  const QString text = IsolineLabel(line, kind);
  if (line.saturated_vapour && inside(line.states[*line.saturated_vapour])) {
    AddText(plot, At(line.states[*line.saturated_vapour], kind), text,
            Qt::AlignLeft | Qt::AlignBottom, colour, 8);
    return;
  }
  const DiagramState* place = nullptr;
  for (const DiagramState& s : line.states) {
    if (inside(s) && (place == nullptr || At(s, kind).x() > At(*place, kind).x())) place = &s;
  }
  if (place == nullptr) return;
  // A line that leaves through the frame's top (a supercritical isobar on a
  // T-s chart) is labelled below its last state, where the text stays inside.
  const auto next = std::next(line.states.begin(), place - line.states.data() + 1);
  const bool leaves_at_top = next != line.states.end() && At(*next, kind).y() > frame.y.upper;
  AddText(plot, At(*place, kind), text,
          Qt::AlignRight | (leaves_at_top ? Qt::AlignTop : Qt::AlignBottom), colour, 8);
}

void DrawIsolines(QCustomPlot& plot, const CycleDiagram& d, const Frame& frame) {
  const QString name = d.kind == DiagramKind::PressureEnthalpy ? QStringLiteral("Isotherms")
                                                               : QStringLiteral("Isobars of the cycle");
  bool first = true;
  for (const cycle::Isoline& line : d.isolines) {
    AddCurve(plot, line.states, d.kind, QPen(kIsolineColour, 1, Qt::DashDotLine),
             first ? name : QString());
    LabelIsoline(plot, line, d.kind, frame);
    first = false;
  }
}

struct Colours {
  QColor liquid, vapour, cycle;
  Qt::PenStyle vapour_style;
};

const Colours kSingleColours{kLiquidColour, kVapourColour, kCycleColour, Qt::SolidLine};
// The picture page keeps the colours of the sketch it replaced: the dome
// cold, the cycle hot.
const Colours kPictureColours{kLiquidColour, kLiquidColour, QColor(0xc0, 0x39, 0x2b), Qt::SolidLine};

// Overlaid refrigerants: each in its own colour, the dew line dashed.
Colours OverlayColours(std::size_t index) {
  const QColor own = OverlayColour(index);
  return {own.lighter(140), own.lighter(140), own, Qt::DashLine};
}

// The names of the lines, in the legend once: each line of a single
// diagram, or for overlaid ones a key in grey and one entry per refrigerant.
struct LineNames {
  QString bubble, dew, critical, cycle, ideal, injection;
};

const LineNames kSingleNames{QStringLiteral("Bubble line"), QStringLiteral("Dew line"),
                             QStringLiteral("Critical point"),
                             QStringLiteral("Cycle, compression 1-2 drawn straight"),
                             QStringLiteral("Isentropic compression 1-2s"),
                             QStringLiteral("Vapour injection")};
// A layout's compression runs in two stages, and its states are numbered
// as on its schematic.
const LineNames kLayoutNames{kSingleNames.bubble,
                             kSingleNames.dew,
                             kSingleNames.critical,
                             QStringLiteral("Cycle, each compression drawn straight"),
                             QStringLiteral("Isentropic compressions"),
                             kSingleNames.injection};

QPen InjectionPen(const QColor& colour) { return QPen(colour, 1.8, Qt::DashDotLine); }

QCPCurve* AddKey(QCustomPlot& plot, const QPen& pen, const QString& name) {
  return AddCurve(plot, {}, DiagramKind::PressureEnthalpy, pen, name);
}

void DrawOverlayKey(QCustomPlot& plot, bool injection) {
  const QColor grey(0x55, 0x55, 0x55);
  if (injection) AddKey(plot, InjectionPen(grey), QStringLiteral("Vapour injection (dash-dot)"));
  AddKey(plot, QPen(grey, 1.6), QStringLiteral("Bubble line (solid)"));
  AddKey(plot, QPen(grey, 1.6, Qt::DashLine), QStringLiteral("Dew line (dashed)"));
  AddKey(plot, QPen(grey, 2.4), QStringLiteral("Cycle, compression 1-2 drawn straight"));
  AddKey(plot, QPen(grey, 1.4, Qt::DashLine), QStringLiteral("Isentropic compression 1-2s"));
  auto* critical = AddKey(plot, QPen(grey), QStringLiteral("Critical point"));
  critical->setLineStyle(QCPCurve::lsNone);
  critical->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDiamond, grey, grey, 8));
}

void DrawDome(QCustomPlot& plot, const CycleDiagram& d, const Colours& c, const LineNames& names) {
  // The lines meet at the critical point.
  std::vector<DiagramState> bubble = d.bubble, dew = d.dew;
  bubble.push_back(d.critical);
  dew.push_back(d.critical);
  AddCurve(plot, bubble, d.kind, QPen(c.liquid, 1.6), names.bubble);
  AddCurve(plot, dew, d.kind, QPen(c.vapour, 1.6, c.vapour_style), names.dew);
  auto* critical = AddCurve(plot, {d.critical}, d.kind, QPen(c.cycle), names.critical);
  critical->setLineStyle(QCPCurve::lsNone);
  critical->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDiamond, c.cycle, c.cycle, 8));
}

// Where a layout's state number stands beside its state, so that the
// numbers of neighbouring states keep apart.
Qt::Alignment LayoutLabelPlace(const std::string& name) {
  const auto among = [&name](std::initializer_list<const char*> names) {
    return std::any_of(names.begin(), names.end(), [&name](const char* n) { return name == n; });
  };
  if (among({"1'", "1", "8", "6"})) return Qt::AlignLeft | Qt::AlignTop;
  if (among({"2", "3'", "7"})) return Qt::AlignLeft | Qt::AlignBottom;
  if (among({"4", "9"})) return Qt::AlignRight | Qt::AlignTop;
  return Qt::AlignRight | Qt::AlignBottom;  // 2s, 8s, 3, 5
}

void AddLabel(QCustomPlot& plot, QPointF at, const QString& text, Qt::Alignment place,
              const QColor& colour) {
  AddText(plot, at, text, place, colour, 11)->setFont(QFont(plot.font().family(), 11, QFont::Bold));
}

// The numbered states of a layout, marked and labelled.
void DrawLayoutStates(QCustomPlot& plot, const CycleDiagram& d, const Colours& c) {
  std::vector<DiagramState> states;
  for (const cycle::NamedState& s : d.states) states.push_back(s.state);
  auto* marks = AddCurve(plot, states, d.kind, QPen(c.cycle));
  marks->setLineStyle(QCPCurve::lsNone);
  marks->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, c.cycle, c.cycle, 7));
  for (const cycle::NamedState& s : d.states) {
    AddLabel(plot, At(s.state, d.kind), QString::fromStdString(s.name), LayoutLabelPlace(s.name),
             c.cycle);
  }
}

// The cycle: the processes along the real states, each compression as the
// straight line between its ends, the isentropic compressions dashed; a
// layout's injection line dash-dotted.
void DrawCycle(QCustomPlot& plot, const CycleDiagram& d, const Colours& c, const LineNames& names,
               bool picture) {
  const cycle::CycleCorners& k = d.corners;
  std::vector<DiagramState> path = d.compression;
  if (path.empty()) path.push_back(k.suction);
  for (const auto* process : {&d.condenser, &d.expansion, &d.evaporator}) {
    path.insert(path.end(), process->begin(), process->end());
  }
  AddCurve(plot, path, d.kind, QPen(c.cycle, 2.4), names.cycle);
  std::vector<cycle::IdealStroke> strokes = d.ideal_strokes;
  if (strokes.empty()) strokes.push_back({k.suction, k.isentropic_discharge});
  for (std::size_t i = 0; i < strokes.size(); ++i) {
    AddCurve(plot, {strokes[i].suction, strokes[i].end}, d.kind, QPen(c.cycle, 1.4, Qt::DashLine),
             i == 0 ? names.ideal : QString());
  }
  if (!d.injection.empty()) {
    AddCurve(plot, d.injection, d.kind, InjectionPen(c.cycle), names.injection);
  }
  if (!d.states.empty()) {
    DrawLayoutStates(plot, d, c);
    return;
  }
  const std::vector<DiagramState> corners{k.suction, k.isentropic_discharge, k.discharge,
                                          k.condenser_outlet, k.evaporator_inlet};
  auto* marks = AddCurve(plot, corners, d.kind, QPen(c.cycle));
  marks->setLineStyle(QCPCurve::lsNone);
  marks->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, c.cycle, c.cycle, 7));

  const QString ideal = picture ? QStringLiteral("2'") : QStringLiteral("2s");
  const std::pair<const DiagramState*, QString> labels[] = {
      {&k.suction, QStringLiteral("1")},          {&k.isentropic_discharge, ideal},
      {&k.discharge, QStringLiteral("2")},        {&k.condenser_outlet, QStringLiteral("3")},
      {&k.evaporator_inlet, QStringLiteral("4")},
  };
  const Qt::Alignment place[] = {Qt::AlignLeft | Qt::AlignTop, Qt::AlignRight | Qt::AlignBottom,
                                 Qt::AlignLeft | Qt::AlignBottom, Qt::AlignRight | Qt::AlignBottom,
                                 Qt::AlignRight | Qt::AlignTop};
  for (std::size_t i = 0; i < std::size(labels); ++i) {
    AddLabel(plot, At(*labels[i].first, d.kind), labels[i].second, place[i], c.cycle);
  }
}

// A span between two states at one pressure, marked above or below them;
// its text centred on it, or ending at its right end where the span is short.
void Span(QCustomPlot& plot, const DiagramState& from, const DiagramState& to, DiagramKind kind,
          double shift, const QString& text, Qt::Alignment across = Qt::AlignHCenter) {
  QPointF a = At(from, kind), b = At(to, kind);
  a.ry() *= shift;
  b.ry() *= shift;
  auto* bar = new QCPItemLine(&plot);
  bar->start->setCoords(a);
  bar->end->setCoords(b);
  bar->setHead(QCPLineEnding(QCPLineEnding::esBar, 10));
  bar->setTail(QCPLineEnding(QCPLineEnding::esBar, 10));
  const QPointF anchor = across == Qt::AlignRight ? (a.x() > b.x() ? a : b) : (a + b) / 2;
  AddText(plot, anchor, text, across | (shift > 1 ? Qt::AlignBottom : Qt::AlignTop), Qt::black, 9);
}

void PressureLevel(QCustomPlot& plot, double p, const QString& name, const Frame& frame) {
  auto* level = new QCPItemStraightLine(&plot);
  level->point1->setCoords(frame.x.lower, p);
  level->point2->setCoords(frame.x.upper, p);
  level->setPen(QPen(Qt::gray, 1, Qt::DotLine));
  AddText(plot, {frame.x.lower, p}, name, Qt::AlignLeft | Qt::AlignBottom, Qt::black, 10);
}

// The high side condenses at Pc, or cools a gas above the critical pressure
// at Pgc.
QString HighSideName(const CycleDiagram& d) {
  return d.transcritical ? QStringLiteral("Pgc") : QStringLiteral("Pc");
}

// The marks of the picture page's sketch, on the computed cycle (the picture
// is a pressure-enthalpy diagram: spans sit off their isobars by a factor).
// A gas cooler has no subcooling.
void DrawPictureMarks(QCustomPlot& plot, const CycleDiagram& d, const Frame& frame) {
  const cycle::CycleCorners& k = d.corners;
  // A span sits a twentieth of the pressure range's decades off its isobar.
  const double shift = std::pow(frame.y.upper / frame.y.lower, 0.05);
  PressureLevel(plot, k.discharge.p, HighSideName(d), frame);
  PressureLevel(plot, k.suction.p, QStringLiteral("Pe"), frame);
  if (!d.transcritical) {
    Span(plot, k.condenser_outlet, d.condensing_bubble, d.kind, shift,
         QStringLiteral("Subcooling"));
  }
  Span(plot, d.evaporating_dew, k.suction, d.kind, 1 / shift, QStringLiteral("Superheat"));
  Span(plot, k.isentropic_discharge, k.discharge, d.kind, shift,
       QStringLiteral("Isentropic efficiency"), Qt::AlignRight);
}

}  // namespace

QString HorizontalAxisLabel(DiagramKind kind) {
  return kind == DiagramKind::PressureEnthalpy ? QStringLiteral("h (kJ/kg)")
                                               : QStringLiteral("s (kJ/kg-K)");
}

QString VerticalAxisLabel(DiagramKind kind) {
  return kind == DiagramKind::PressureEnthalpy ? QStringLiteral("p (bar)")
                                               : QStringLiteral("T (\u00b0C)");
}

CycleDiagramPlot::CycleDiagramPlot(DiagramLook look, QWidget* parent)
    : QCustomPlot(parent), look_(look) {
  setMouseTracking(true);
  setBackground(Qt::white);
  if (look == DiagramLook::Picture) return;  // no legend
  legend->setVisible(true);
  legend->setFont(QFont(font().family(), 8));
  axisRect()->insetLayout()->take(legend);
  // Below the axes, where it covers nothing of the diagram, in rows of three.
  plotLayout()->addElement(1, 0, legend);
  plotLayout()->setRowStretchFactor(1, 0.001);
  legend->setFillOrder(QCPLegend::foColumnsFirst);
  legend->setWrap(3);
  legend->setBorderPen(Qt::NoPen);
  legend->setMargins(QMargins(6, 0, 6, 4));
}

void CycleDiagramPlot::SetAxes(DiagramKind kind) {
  const bool ph = kind == DiagramKind::PressureEnthalpy;
  xAxis->setLabel(HorizontalAxisLabel(kind));
  yAxis->setLabel(VerticalAxisLabel(kind));
  yAxis->setScaleType(ph ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
  if (ph) {
    yAxis->setTicker(QSharedPointer<PressureTicker>::create());
  } else {
    yAxis->setTicker(QSharedPointer<QCPAxisTicker>::create());
  }
}

void CycleDiagramPlot::Draw(std::span<const CycleDiagram> diagrams) {
  clearPlottables();
  clearItems();
  if (diagrams.empty()) return;
  const DiagramKind kind = diagrams.front().kind;
  SetAxes(kind);
  const Frame frame = FrameOf(diagrams);
  const bool picture = look_ == DiagramLook::Picture;
  const bool overlaid = diagrams.size() > 1;
  if (overlaid) {
    DrawOverlayKey(*this, std::any_of(diagrams.begin(), diagrams.end(),
                                      [](const CycleDiagram& d) { return !d.injection.empty(); }));
  }
  // Lines of constant temperature or pressure belong to one refrigerant.
  if (!overlaid && !picture) DrawIsolines(*this, diagrams.front(), frame);
  for (std::size_t i = 0; i < diagrams.size(); ++i) {
    const CycleDiagram& d = diagrams[i];
    const LineNames names =
        picture             ? LineNames{}
        : overlaid          ? LineNames{{}, {}, {}, QString::fromStdString(d.refrigerant), {}, {}}
        : !d.states.empty() ? kLayoutNames
                            : kSingleNames;
    const Colours colours = overlaid ? OverlayColours(i) : picture ? kPictureColours : kSingleColours;
    DrawDome(*this, d, colours, names);
    DrawCycle(*this, d, colours, names, picture);
    if (picture) DrawPictureMarks(*this, d, frame);
    // The supercritical isobar crosses no dome to be read by: its pressure
    // is written on it.
    if (!picture && !overlaid && d.transcritical && kind == DiagramKind::PressureEnthalpy) {
      PressureLevel(*this, d.corners.discharge.p,
                    HighSideName(d) + QStringLiteral(" %1 bar").arg(QString::fromStdString(
                                          cycle::FormatFixed(d.corners.discharge.p, 2))),
                    frame);
    }
  }
  frame_x_ = frame.x;
  frame_y_ = frame.y;
  ResetView();
}

void CycleDiagramPlot::DrawNothing(DiagramKind kind, const QString& reason) {
  clearPlottables();
  clearItems();
  SetAxes(kind);
  frame_x_ = {0, 1};
  frame_y_ = kind == DiagramKind::PressureEnthalpy ? QCPRange(1, 10) : QCPRange(0, 100);
  auto* text = new QCPItemText(this);
  text->position->setType(QCPItemPosition::ptAxisRectRatio);
  text->position->setCoords(0.5, 0.5);
  text->setText(reason);
  ResetView();
}

void CycleDiagramPlot::ResetView() {
  xAxis->setRange(frame_x_);
  yAxis->setRange(frame_y_);
  replot();
}

void CycleDiagramPlot::AllowZoom() {
  setInteraction(QCP::iRangeZoom, true);
  setSelectionRectMode(QCP::srmZoom);
}

void CycleDiagramPlot::mouseMoveEvent(QMouseEvent* event) {
  if (axisRect()->rect().contains(event->pos())) {
    emit PointerMoved(xAxis->pixelToCoord(event->pos().x()), yAxis->pixelToCoord(event->pos().y()));
  } else {
    emit PointerLeft();
  }
  QCustomPlot::mouseMoveEvent(event);
}

void CycleDiagramPlot::leaveEvent(QEvent* event) {
  emit PointerLeft();
  QCustomPlot::leaveEvent(event);
}

}  // namespace plots
