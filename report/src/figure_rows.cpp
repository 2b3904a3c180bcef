#include "report/figure_rows.h"

#include <stdexcept>

#include "cycle/number_text.h"
#include "cycle/result_text.h"
#include "cycle/screening.h"
#include "report/transcritical_table.h"

namespace report {

Field NumberField(double value, std::string text) { return {value, std::move(text)}; }

Field ShortestField(double value) { return NumberField(value, cycle::FormatShortest(value)); }

Field TextField(std::string text) { return {text, text}; }

Field EmptyField() { return {std::monostate{}, ""}; }

FieldTable::FieldTable(std::vector<std::string> header) : header_(std::move(header)) {}

void FieldTable::AddRow(std::vector<Field> fields) {
  if (fields.size() != header_.size()) {
    throw std::invalid_argument("a row of " + std::to_string(fields.size()) +
                                " fields under a header of " + std::to_string(header_.size()));
  }
  rows_.push_back(std::move(fields));
}

CsvTable FieldTable::Csv() const {
  CsvTable table(header_);
  for (const auto& row : rows_) {
    std::vector<std::string> texts;
    for (const Field& field : row) texts.push_back(field.text);
    table.AddRow(std::move(texts));
  }
  return table;
}

FieldTable BasicFigureFields(const cycle::BasicCycleResult& r) {
  FieldTable table({"Evap", "Conden", "Compress", "EV", "P1", "P2", "P3", "P4", "T1", "T2", "T3",
                    "T4", "H1", "H2", "H3", "H4", "COP", "VHC", "H2actual"});
  std::vector<Field> fields;
  for (const double figure : {r.Evap, r.Conden, r.Compress, r.EV, r.P1, r.P2, r.P3, r.P4, r.T1,
                              r.T2, r.T3, r.T4, r.H1, r.H2, r.H3, r.H4, r.COP, r.VHC,
                              r.H2actual}) {
    fields.push_back(NumberField(figure, cycle::FormatPattern(figure, 2)));
  }
  table.AddRow(std::move(fields));
  return table;
}

FieldTable ComparisonFigureFields(const cycle::ComparisonResults& results) {
  FieldTable table({"refrigerant", "COP", "MassPerHeat", "VaporVolume", "DisplacementVolume",
                    "DischargePressure", "DischargeTemperature", "PressureRatio"});
  for (int slot = 0; slot < results.RefCount; ++slot) {
    const cycle::CycleFigures figures = cycle::FiguresAt(results, slot);
    std::vector<Field> row{TextField(results.RefName[static_cast<std::size_t>(slot)])};
    for (const cycle::Figure figure : cycle::kFigures) {
      const double value = cycle::FigureValue(figures, figure);
      row.push_back(
          NumberField(value, cycle::FormatFixed(value, cycle::TotalPageDecimals(figure))));
    }
    table.AddRow(std::move(row));
  }
  return table;
}

FieldTable TranscriticalFigureFields(const cycle::TranscriticalResult& result) {
  FieldTable table(TranscriticalFiguresHeader());
  table.AddRow(TranscriticalFigureRow(result));
  return table;
}

FieldTable FluidListFields(const catalogue::FluidList& list) {
  FieldTable table({"name", "kind", "aliases", "Tcrit", "safety_class", "GWP"});
  const auto number = [](cycle::ScreeningColumn column, const std::optional<double>& value) {
    return value ? NumberField(*value, cycle::ColumnText(column, *value)) : EmptyField();
  };
  for (const catalogue::ListedFluid& fluid : list.fluids) {
    std::string aliases;
    for (const std::string& alias : fluid.aliases) {
      aliases.append(aliases.empty() ? "" : ";").append(alias);
    }
    table.AddRow({TextField(fluid.name), TextField(fluid.blend ? "blend" : "pure"),
                  aliases.empty() ? EmptyField() : TextField(std::move(aliases)),
                  number(cycle::ScreeningColumn::Tcrit, fluid.critical_temperature),
                  fluid.safety_class ? TextField(*fluid.safety_class) : EmptyField(),
                  number(cycle::ScreeningColumn::GWP, fluid.gwp100)});
  }
  return table;
}

}  // namespace report
