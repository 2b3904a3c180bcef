// The schematic of the picture page, drawn by the program: the heat pump's
// components with the four cycle points. (Its pressure-enthalpy diagram is
// the computed cycle's, drawn by plots/.)
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

class PictureControl : public QWidget {
 public:
  PictureControl(const Picture& picture, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const Picture& picture_;
};

}  // namespace forms
