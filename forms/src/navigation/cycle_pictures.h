// The schematic of the picture page, drawn by the program: the heat pump's
// components with the four cycle points. (Its pressure-enthalpy diagram is
// the computed cycle's, drawn by plots/.) The parts it is drawn from serve
// the other schematics too.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <initializer_list>

namespace forms {

// The parts of a schematic, in the units of its design canvas.
extern const QColor kInk, kHot, kCold;
// A pipe through the given corners, with an arrow along its longest run.
void Pipe(QPainter& p, std::initializer_list<QPointF> corners);
// A numbered cycle point: a red disc 38 across with its label.
void PointMarker(QPainter& p, QPointF at, const QString& label);
// A component's name, bold, centred in the frame.
void Caption(QPainter& p, QRectF frame, const QString& text);
// A box with a serpentine coil of the tint (hot: condenser, cold: evaporator).
void HeatExchanger(QPainter& p, QRectF box, QColor tint);
void Fan(QPainter& p, QPointF centre, double radius);
void Compressor(QPainter& p, QPointF centre, double radius);
// Two triangles meeting at the centre, `size` from it to each corner.
void ExpansionValve(QPainter& p, QPointF centre, double size);

// Each picture draws itself into a canvas of its own design size; the
// control scales the canvas to its frame.
struct Picture {
  int design_width;
  int design_height;
  void (*paint)(QPainter& painter);
};

// Compressor, condenser with fan, expansion valve, evaporator; point 1
// between evaporator and compressor, 2 between compressor and condenser, 3
// between condenser and expansion valve, 4 between expansion valve and
// evaporator.
extern const Picture kCycleSchematic;

class PictureControl : public QWidget {
 public:
  PictureControl(const Picture& picture, QWidget* parent);

  void SetPicture(const Picture& picture);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const Picture* picture_;
};

}  // namespace forms
