// The tables of a parameter study: every point with full precision for the
// command line and the exported file, and the figures as a page shows them
// for the page's table, the clipboard and the command line's listing.
#pragma once

#include <span>

#include "cycle/study.h"
#include "report/csv_table.h"

namespace report {

// variable,value, then the single calculation's CSV columns: a layout's
// (ending in status,reason), or the transcritical cycle's followed by
// status,reason. A row per point in the points' order, the value as the
// shortest text that reads back as it; a refused point's figures empty,
// its status "refused" and its reason.
CsvTable StudyTable(const cycle::Study& study, std::span<const cycle::StudyPoint> points);

// Refrigerant, the variable with its unit, the figures with their units as
// a page shows them (cycle::FormatFixed, empty where a point has none), and
// a note: why a point was refused.
CsvTable StudyFiguresTable(const cycle::Study& study, std::span<const cycle::StudyPoint> points,
                           std::span<const cycle::StudyFigure> figures);

// "Condensing temperature (°C)", "Heating COP (-)".
std::string WithUnit(std::string_view label, std::string_view unit);

}  // namespace report
