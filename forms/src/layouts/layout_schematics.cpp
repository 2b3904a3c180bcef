#include "layouts/layout_schematics.h"

#include <QPainterPath>

namespace forms {
namespace {

using cycle::Layout;

// One canvas for all four, so that the shared parts stand where they stand
// in the others: the condenser across the top, the evaporator across the
// bottom, the liquid line down the middle, the compressors on the right.
constexpr int kWidth = 1000, kHeight = 820;
const QRectF kCondenser(300, 50, 400, 110);
const QRectF kEvaporator(300, 660, 400, 110);
constexpr double kLiquidX = 400;  // the liquid line, condenser to evaporator
constexpr double kCompressorX = 850;
constexpr double kHighSideY = 105;    // discharge into the condenser
constexpr double kSuctionY = 715;     // out of the evaporator's right end
constexpr double kSingleRadius = 60;  // the compressor of one stage
constexpr double kStageRadius = 50;   // each compressor of two stages
constexpr double kValveSize = 35;

const StateMarker kBasicMarkers[] = {
    {"1", {775, 688}}, {"2", {775, 72}}, {"3", {445, 230}}, {"4", {445, 600}}};
const StateMarker kIhxMarkers[] = {{"1'", {605, 565}}, {"1", {675, 195}}, {"2", {775, 72}},
                                   {"3'", {445, 230}}, {"3", {445, 495}}, {"4", {445, 630}}};
const StateMarker kEconomizerMarkers[] = {{"1'", {775, 688}}, {"2", {775, 72}},  {"3'", {355, 190}},
                                          {"4", {445, 630}},  {"5", {445, 500}}, {"6", {495, 272}},
                                          {"7", {735, 372}},  {"8", {895, 455}}, {"9", {895, 345}}};
const StateMarker kFlashTankMarkers[] = {{"1'", {775, 688}}, {"2", {775, 72}},  {"3'", {445, 183}},
                                         {"4", {445, 630}},  {"5", {445, 512}}, {"6", {445, 293}},
                                         {"7", {660, 352}},  {"8", {895, 445}}, {"9", {895, 330}}};

// The schematics are shown small: their markers and names are drawn larger
// than the picture page's, about their places.
constexpr double kMarkerScale = 1.3, kCaptionScale = 1.15;

void Markers(QPainter& p, Layout layout) {
  for (const StateMarker& marker : LayoutMarkers(layout)) {
    p.save();
    p.translate(marker.at);
    p.scale(kMarkerScale, kMarkerScale);
    PointMarker(p, {0, 0}, QString::fromLatin1(marker.name));
    p.restore();
  }
}

void Name(QPainter& p, QRectF frame, const QString& text) {
  p.save();
  p.translate(frame.center());
  p.scale(kCaptionScale, kCaptionScale);
  const QSizeF size = frame.size() / kCaptionScale;
  Caption(p, QRectF(QPointF(-size.width() / 2, -size.height() / 2), size), text);
  p.restore();
}

// The parts every layout has: condenser, evaporator and the pipe from the
// compressor (the high stage in two) into the condenser.
void CondenserAndEvaporator(QPainter& p, double discharge_top) {
  Pipe(p, {{kCompressorX, discharge_top},
           {kCompressorX, kHighSideY},
           {kCondenser.right(), kHighSideY}});
  HeatExchanger(p, kCondenser, kHot);
  HeatExchanger(p, kEvaporator, kCold);
  Name(p, QRectF(kCondenser.left(), 4, kCondenser.width(), 46), QStringLiteral("Condenser"));
  Name(p, QRectF(kEvaporator.left(), 772, kEvaporator.width(), 46), QStringLiteral("Evaporator"));
}

// The valve into the evaporator, from `from` on the liquid line.
void EvaporatorValve(QPainter& p, double from, double at) {
  Pipe(p, {{kLiquidX, from}, {kLiquidX, at - kValveSize}});
  Pipe(p, {{kLiquidX, at + kValveSize}, {kLiquidX, kEvaporator.top()}});
  ExpansionValve(p, {kLiquidX, at}, kValveSize);
  Name(p, QRectF(kLiquidX - 260, at - 40, 200, 80), QStringLiteral("Expansion\nvalve"));
}

// A valve on a horizontal run.
void LyingValve(QPainter& p, QPointF centre, double size) {
  p.save();
  p.translate(centre);
  p.rotate(90);
  ExpansionValve(p, {0, 0}, size);
  p.restore();
}

// A heat exchanger between two refrigerant streams: a box with a passage
// for each, the warmer stream's in the hot tint.
void TwoStreamExchanger(QPainter& p, QRectF box, const QPainterPath& hot,
                        const QPainterPath& cold) {
  p.setPen(QPen(kInk, 3));
  p.setBrush(QColor(245, 245, 245));
  p.drawRoundedRect(box, 10, 10);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kHot, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(hot);
  p.setPen(QPen(kCold, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(cold);
}

QPainterPath Line(std::initializer_list<QPointF> corners) {
  QPainterPath path;
  for (const QPointF& corner : corners) {
    if (path.elementCount() == 0)
      path.moveTo(corner);
    else
      path.lineTo(corner);
  }
  return path;
}

// Where pipes join or part.
void Junction(QPainter& p, QPointF at) {
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawEllipse(at, 9, 9);
}

// Two compressors on the right, the injected vapour joining between them
// at `mixing`, arriving from `injection_from` on the left.
void TwoStages(QPainter& p, double mixing, QPointF injection_from) {
  constexpr double kHigh = 250, kLow = 560;
  CondenserAndEvaporator(p, kHigh - kStageRadius);
  Pipe(p, {{kEvaporator.right(), kSuctionY},
           {kCompressorX, kSuctionY},
           {kCompressorX, kLow + kStageRadius}});
  Pipe(p, {{kCompressorX, kLow - kStageRadius}, {kCompressorX, mixing}});
  Pipe(p, {{kCompressorX, mixing}, {kCompressorX, kHigh + kStageRadius}});
  Pipe(p, {injection_from, {kCompressorX, mixing}});
  Junction(p, {kCompressorX, mixing});
  Compressor(p, {kCompressorX, kHigh}, kStageRadius);
  Compressor(p, {kCompressorX, kLow}, kStageRadius);
  Name(p, QRectF(560, kHigh - 40, 220, 80), QStringLiteral("High-stage\ncompressor"));
  Name(p, QRectF(560, kLow - 40, 220, 80), QStringLiteral("Low-stage\ncompressor"));
}

// The one compressor of a single stage, its name under its inlet's level.
void SingleStage(QPainter& p, double y) {
  CondenserAndEvaporator(p, y - kSingleRadius);
  Compressor(p, {kCompressorX, y}, kSingleRadius);
  Name(p, QRectF(580, y + 22, 200, 40), QStringLiteral("Compressor"));
}

void PaintBasic(QPainter& p) {
  constexpr double kCompressorY = 410;
  Pipe(p, {{kEvaporator.right(), kSuctionY},
           {kCompressorX, kSuctionY},
           {kCompressorX, kCompressorY + kSingleRadius}});
  EvaporatorValve(p, kCondenser.bottom(), kCompressorY);
  SingleStage(p, kCompressorY);
  Markers(p, Layout::basic);
}

void PaintIhx(QPainter& p) {
  constexpr double kCompressorY = 230, kVapourX = 560;
  const QRectF ihx(340, 300, 280, 170);
  Pipe(p, {{kLiquidX, kCondenser.bottom()}, {kLiquidX, ihx.top()}});
  EvaporatorValve(p, ihx.bottom(), 560);
  // The vapour leaves the evaporator's far end upwards, through the
  // exchanger, to the compressor.
  Pipe(p, {{kVapourX, kEvaporator.top()}, {kVapourX, ihx.bottom()}});
  Pipe(p, {{kVapourX, ihx.top()},
           {kVapourX, kCompressorY},
           {kCompressorX - kSingleRadius, kCompressorY}});
  TwoStreamExchanger(p, ihx, Line({{kLiquidX, ihx.top()}, {kLiquidX, ihx.bottom()}}),
                     Line({{kVapourX, ihx.bottom()}, {kVapourX, ihx.top()}}));
  Name(p, QRectF(60, 350, 270, 80), QStringLiteral("Internal heat\nexchanger"));
  SingleStage(p, kCompressorY);
  Markers(p, Layout::ihx);
}

void PaintEconomizer(QPainter& p) {
  constexpr double kSplitY = 215, kBranchX = 540, kValveX = 480, kMixing = 400;
  const QRectF economizer(340, 320, 280, 150);
  TwoStages(p, kMixing, {economizer.right(), kMixing});
  // The condensate parts: the main stream through the economizer to the
  // evaporator's valve, a branch through its own valve into the economizer.
  Pipe(p, {{kLiquidX, kCondenser.bottom()}, {kLiquidX, kSplitY}});
  Pipe(p, {{kLiquidX, kSplitY}, {kLiquidX, economizer.top()}});
  Pipe(p, {{kLiquidX, kSplitY}, {kValveX - 28, kSplitY}});
  Pipe(p, {{kValveX + 28, kSplitY}, {kBranchX, kSplitY}, {kBranchX, economizer.top()}});
  LyingValve(p, {kValveX, kSplitY}, 28);
  Junction(p, {kLiquidX, kSplitY});
  EvaporatorValve(p, economizer.bottom(), 565);
  TwoStreamExchanger(
      p, economizer, Line({{kLiquidX, economizer.top()}, {kLiquidX, economizer.bottom()}}),
      Line({{kBranchX, economizer.top()}, {kBranchX, kMixing}, {economizer.right(), kMixing}}));
  Name(p, QRectF(90, 372, 240, 46), QStringLiteral("Economizer"));
  Markers(p, Layout::economizer);
}

// A vessel holding liquid under its vapour.
void FlashTank(QPainter& p, QRectF vessel, double level) {
  p.setPen(Qt::NoPen);
  p.setBrush(kCold.lighter(160));
  p.drawRoundedRect(QRectF(vessel.left(), level, vessel.width(), vessel.bottom() - level), 18, 18);
  p.setPen(QPen(kInk, 3));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(vessel, 18, 18);
  p.setPen(QPen(kCold, 3));
  p.drawLine(QPointF(vessel.left() + 4, level), QPointF(vessel.right() - 4, level));
}

void PaintFlashTank(QPainter& p) {
  constexpr double kValveY = 235, kMixing = 380;
  const QRectF tank(330, 320, 140, 170);
  TwoStages(p, kMixing, {tank.right(), kMixing});
  Pipe(p, {{kLiquidX, kCondenser.bottom()}, {kLiquidX, kValveY - 30}});
  ExpansionValve(p, {kLiquidX, kValveY}, 30);
  Pipe(p, {{kLiquidX, kValveY + 30}, {kLiquidX, tank.top()}});
  EvaporatorValve(p, tank.bottom(), 565);
  FlashTank(p, tank, 425);
  Name(p, QRectF(80, 382, 240, 46), QStringLiteral("Flash tank"));
  Markers(p, Layout::flash_tank);
}

const Picture kSchematics[] = {
    {kWidth, kHeight, PaintBasic},
    {kWidth, kHeight, PaintIhx},
    {kWidth, kHeight, PaintEconomizer},
    {kWidth, kHeight, PaintFlashTank},
};

}  // namespace

const Picture& LayoutSchematic(Layout layout) { return kSchematics[static_cast<int>(layout)]; }

std::span<const StateMarker> LayoutMarkers(Layout layout) {
  switch (layout) {
    case Layout::basic:
      return kBasicMarkers;
    case Layout::ihx:
      return kIhxMarkers;
    case Layout::economizer:
      return kEconomizerMarkers;
    case Layout::flash_tank:
      return kFlashTankMarkers;
  }
  return {};
}

}  // namespace forms
