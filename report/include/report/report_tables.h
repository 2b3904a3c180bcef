// The tables of the reports, of the clipboard and of the CSV files: one set
// of labels, values and units for every place a calculation is handed on.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cycle/basic_cycle.h"
#include "cycle/comparison.h"
#include "cycle/diagram.h"
#include "cycle/transcritical.h"
#include "report/csv_table.h"

namespace report {

struct LabelledValue {
  std::string label, value, unit;
};
using LabelledValues = std::vector<LabelledValue>;

// The eight inputs of the basic calculation, the refrigerant first.
LabelledValues BasicInputs(const cycle::BasicCycleInput& input);
// The sixteen figures as the results page shows them (two decimals), then
// those beyond them: COP, VHC, the actual discharge enthalpy and point 4's
// temperature after the valve.
LabelledValues BasicFigures(const cycle::BasicCycleResult& result);
// The seven conditions of a comparison.
LabelledValues ComparisonConditions(const cycle::ComparisonConditions& conditions);

// A figure of the transcritical cycle as its results page shows it: the
// name of the page's box, label, unit ("-" for none), the figure (times
// `scale`) and its decimals.
struct TranscriticalFigureRow {
  const char* name;
  const char* label;
  const char* unit;
  double cycle::TranscriticalResult::*figure;
  int decimals;
  double scale = 1;
};
// The figures in the page's order: duties, COP, flows, VHC, the high-side
// pressure and the pinch.
std::span<const TranscriticalFigureRow> TranscriticalFigureRows();
// "Heating capacity (kW)"; a figure without a unit by its label alone.
std::string CaptionOf(const TranscriticalFigureRow& row);

// The transcritical cycle's inputs as typed.
LabelledValues TranscriticalInputs(const cycle::TranscriticalInput& input);
// Its figures as its page shows them, how the high-side pressure was found
// (and a pinch short of the minimum approach), then the states 1, 2s, 2, 3
// and 4 with p, T, h and s.
LabelledValues TranscriticalFigures(const cycle::TranscriticalResult& result);
// The inputs, then the figures: the page's Copy and the report's CSV.
CsvTable TranscriticalTable(const cycle::TranscriticalInput& input,
                            const cycle::TranscriticalResult& result);
// The corners of the cycle's diagram, as the calculation computed them.
cycle::CycleCorners CornersOf(const cycle::TranscriticalResult& result);

// What the copies and the CSV files of the basic calculation hold: its
// inputs and figures as rows of label, value, unit.
CsvTable BasicTable(const cycle::BasicCycleInput& input, const cycle::BasicCycleResult& result);

// Rows of label, value, unit, under the header "label", "value", "unit".
CsvTable LabelledTable(const LabelledValues& values);

// The cycle's states 1, 2s, 2, 3, 4 with p, T, h and s.
CsvTable CyclePointsTable(const cycle::CycleCorners& corners);

// One row per refrigerant of the comparison, the seven figures as columns
// with their units in the header, each figure as the total page writes it.
CsvTable ComparisonTable(const cycle::ComparisonResults& results);

// The same with the seven conditions after the figures, alike in every
// row: what Copy and the CSV report hand on, so that each row says what it
// was computed at.
CsvTable ComparisonTableWithConditions(const cycle::ComparisonResults& results);

// For the clipboard: fields separated by tabs, lines by "\n", the header
// first; and the same as an HTML table, the header as its headings, with the
// attributes given to its table element.
std::string TabSeparated(const CsvTable& table);
std::string HtmlTable(const CsvTable& table, std::string_view attributes = {});

}  // namespace report
