// The lines of the comparison result pages, shared by the pages and hpcalc.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cycle/comparison.h"

namespace cycle {

// The seven figures of a refrigerant, in the order of CycleFigures; each has
// a single-figure result page of its own.
enum class Figure {
  COP,
  MassPerHeat,
  VaporVolume,
  DisplacementVolume,
  DischargePressure,
  DischargeTemperature,
  PressureRatio,
};

inline constexpr Figure kFigures[] = {
    Figure::COP,
    Figure::MassPerHeat,
    Figure::VaporVolume,
    Figure::DisplacementVolume,
    Figure::DischargePressure,
    Figure::DischargeTemperature,
    Figure::PressureRatio,
};

double FigureValue(const CycleFigures& figures, Figure figure);

// The figures held in slot (0-based) of the record.
CycleFigures FiguresAt(const ComparisonResults& results, int slot);

// One line of a single-figure page: name, " --- ", the page's label, "= ",
// the figure with two decimals, the page's unit text. The vapour-volume and
// mass-per-heat pages show the figure times 1000, so that it agrees with their
// unit texts " (10^-3 m3/kg) " and " (10^-3 kg/kJ) ".
std::string SingleFigureLine(Figure page, std::string_view name, const CycleFigures& figures);

// One line of the total page: all seven figures with their labels and units,
// mass per heat with five decimals, vapour volume with four, the rest two.
std::string TotalLine(std::string_view name, const CycleFigures& figures);

// A figure as the total page writes it, and the decimals of its pattern
// there (tables elsewhere keep the decimals with their own rule).
std::string TotalPageFigureText(Figure figure, double value);
int TotalPageDecimals(Figure figure);

// The lines of a page for slots 1 to RefCount, each as the pieces that must
// not be broken across lines of the text box: the name with " --- ", then
// each figure with its label and unit. Joined, a line's pieces are its line.
std::vector<std::vector<std::string>> ResultPageLines(const ComparisonResults& results, Figure page);
std::vector<std::vector<std::string>> TotalPageLines(const ComparisonResults& results);

// The text of a page's text box: for slots 1 to RefCount, a carriage return
// and line feed, then the slot's line.
std::string ResultPageText(const ComparisonResults& results, Figure page);
std::string TotalPageText(const ComparisonResults& results);

}  // namespace cycle
