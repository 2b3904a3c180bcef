#include "report/screening_table.h"

#include <string>

namespace report {

CsvTable ScreeningTable(const std::vector<cycle::ScreeningRow>& rows) {
  std::vector<std::string> header;
  for (const auto column : cycle::kScreeningColumns) header.emplace_back(cycle::ColumnName(column));
  CsvTable table(std::move(header));
  for (const auto& row : rows) {
    std::vector<std::string> cells;
    for (const auto column : cycle::kScreeningColumns) cells.push_back(cycle::CellText(row, column));
    table.AddRow(std::move(cells));
  }
  return table;
}

}  // namespace report
