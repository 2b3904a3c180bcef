// The schematics of the cycle layouts, drawn by the program as the picture
// page's is: the components of each layout with its states numbered as the
// calculation names them (cycle/layouts.h). The ends of the ideal
// compressions, 2s and 8s, are points of the diagram, not of the plant, and
// have no marker.
#pragma once

#include <QPointF>

#include <span>

#include "cycle/layouts.h"
#include "navigation/cycle_pictures.h"

namespace forms {

// A numbered state and where its marker stands on the design canvas.
struct StateMarker {
  const char* name;
  QPointF at;
};

const Picture& LayoutSchematic(cycle::Layout layout);
// The markers the schematic draws, in the order of the calculation's states.
std::span<const StateMarker> LayoutMarkers(cycle::Layout layout);

}  // namespace forms
