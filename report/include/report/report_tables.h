// The tables of the reports, of the clipboard and of the CSV files: one set
// of labels, values and units for every place a calculation is handed on.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cycle/basic_cycle.h"
#include "cycle/comparison.h"
#include "cycle/diagram.h"
#include "report/csv_table.h"

namespace report {

struct LabelledValue {
  std::string label, value, unit;
};
using LabelledValues = std::vector<LabelledValue>;

// The eight inputs of the basic calculation, the refrigerant first.
LabelledValues BasicInputs(const cycle::BasicCycleInput& input);
// The sixteen figures as the results page shows them (two decimals).
LabelledValues BasicFigures(const cycle::BasicCycleResult& result);
// The seven conditions of a comparison.
LabelledValues ComparisonConditions(const cycle::ComparisonConditions& conditions);

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

// For the clipboard: fields separated by tabs, lines by "\n", the header
// first; and the same as an HTML table, the header as its headings, with the
// attributes given to its table element.
std::string TabSeparated(const CsvTable& table);
std::string HtmlTable(const CsvTable& table, std::string_view attributes = {});

}  // namespace report
