#include "report/study_table.h"

#include "report/layout_tables.h"
#include "report/transcritical_table.h"

namespace report {

namespace {

// The single calculation's columns, and a point's line under them.
std::vector<std::string> CalculationHeader(const cycle::StudyCalculation& calculation) {
  if (std::holds_alternative<cycle::LayoutCalculation>(calculation)) {
    return LayoutFiguresTable({}).Header();
  }
  auto header = TranscriticalFiguresHeader();
  header.insert(header.end(), {"status", "reason"});
  return header;
}

std::vector<std::string> CalculationRow(const cycle::StudyPoint& point, std::size_t columns) {
  if (const auto* layout = std::get_if<cycle::LayoutOutcome>(&point.outcome)) {
    return LayoutFiguresTable({layout, 1}).Rows().front();
  }
  if (const auto* result = point.transcritical()) {
    auto row = TranscriticalFiguresRow(*result);
    row.insert(row.end(), {"ok", ""});
    return row;
  }
  std::vector<std::string> row(columns);
  row.front() = point.refrigerant;
  row[columns - 2] = "refused";
  row.back() = point.reason();
  return row;
}

}  // namespace

std::string WithUnit(std::string_view label, std::string_view unit) {
  return std::string(label) + " (" + std::string(unit) + ")";
}

CsvTable StudyTable(const cycle::Study& study, std::span<const cycle::StudyPoint> points) {
  std::vector<std::string> header{"variable", "value"};
  const auto columns = CalculationHeader(study.calculation);
  header.insert(header.end(), columns.begin(), columns.end());
  CsvTable table(std::move(header));
  for (const cycle::StudyPoint& point : points) {
    std::vector<std::string> row{study.variable, cycle::FormatShortest(point.value)};
    const auto line = CalculationRow(point, columns.size());
    row.insert(row.end(), line.begin(), line.end());
    table.AddRow(std::move(row));
  }
  return table;
}

CsvTable StudyFiguresTable(const cycle::Study& study, std::span<const cycle::StudyPoint> points,
                           std::span<const cycle::StudyFigure> figures) {
  const cycle::StudyVariable* variable =
      cycle::StudyVariableNamed(study.calculation, study.variable);
  std::vector<std::string> header{
      "Refrigerant", variable ? WithUnit(variable->label, variable->unit) : study.variable};
  for (const cycle::StudyFigure& figure : figures)
    header.push_back(WithUnit(figure.label, figure.unit));
  header.emplace_back("Note");
  CsvTable table(std::move(header));
  for (const cycle::StudyPoint& point : points) {
    std::vector<std::string> row{point.refrigerant, cycle::FormatShortest(point.value)};
    for (const cycle::StudyFigure& figure : figures)
      row.push_back(cycle::FigureText(figure, point));
    row.push_back(point.computed() ? "" : "refused: " + point.reason());
    table.AddRow(std::move(row));
  }
  return table;
}

}  // namespace report
