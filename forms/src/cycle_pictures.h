// The two pictures of the picture page, drawn by the program: the heat pump's
// components with the four cycle points, and the cycle on a pressure-enthalpy
// diagram.
#pragma once

#include <QPainter>
#include <QWidget>

namespace forms {

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
// Saturation dome, the cycle through 1, 2', 2, 3, 4, and the spans of
// subcooling, superheat and isentropic efficiency.
extern const Picture kPressureEnthalpyDiagram;

class PictureControl : public QWidget {
 public:
  PictureControl(const Picture& picture, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const Picture& picture_;
};

}  // namespace forms
