#include "report/screening_table.h"

#include <string>

namespace report {

FieldTable ScreeningFields(const std::vector<cycle::ScreeningRow>& rows) {
  std::vector<std::string> header;
  for (const auto column : cycle::kScreeningColumns) header.emplace_back(cycle::ColumnName(column));
  FieldTable table(std::move(header));
  for (const auto& row : rows) {
    std::vector<Field> fields;
    for (const auto column : cycle::kScreeningColumns)
      fields.push_back({cycle::CellValue(row, column), cycle::CellText(row, column)});
    table.AddRow(std::move(fields));
  }
  return table;
}

CsvTable ScreeningTable(const std::vector<cycle::ScreeningRow>& rows) {
  return ScreeningFields(rows).Csv();
}

}  // namespace report
