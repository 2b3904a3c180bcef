// The calculations' figures as the command line's --csv lines hold them,
// each field with the value it stands for: hpcalc writes the texts, the
// Python module hands on the values (the numbers unrounded) under the same
// names.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "catalogue/fluid_list.h"
#include "cycle/basic_cycle.h"
#include "cycle/comparison.h"
#include "cycle/transcritical.h"
#include "report/csv_table.h"

namespace report {

// Nothing (an empty field), a number or a text.
using FieldValue = std::variant<std::monostate, double, std::string>;

struct Field {
  FieldValue value;
  std::string text;  // as the line writes it
};

// A number with the text the line writes for it, or with the shortest text
// that reads back as it; a text as it stands; an empty field.
Field NumberField(double value, std::string text);
Field ShortestField(double value);
Field TextField(std::string text);
Field EmptyField();

// Lines of fields under their columns' names.
class FieldTable {
 public:
  explicit FieldTable(std::vector<std::string> header);

  // A row of as many fields as the header has; throws std::invalid_argument
  // for another number.
  void AddRow(std::vector<Field> fields);

  const std::vector<std::string>& Header() const { return header_; }
  const std::vector<std::vector<Field>>& Rows() const { return rows_; }

  // The texts of the fields.
  CsvTable Csv() const;

 private:
  std::vector<std::string> header_;
  std::vector<std::vector<Field>> rows_;
};

// Evap,Conden,Compress,EV,P1..P4,T1..T4,H1..H4: the sixteen figures with the
// results page's two decimals.
FieldTable BasicFigureFields(const cycle::BasicCycleResult& result);

// refrigerant,COP,MassPerHeat,VaporVolume,DisplacementVolume,
// DischargePressure,DischargeTemperature,PressureRatio: a line per
// refrigerant, each figure with the decimals of the total page.
FieldTable ComparisonFigureFields(const cycle::ComparisonResults& results);

// The transcritical cycle's line (report/transcritical_table.h).
FieldTable TranscriticalFigureFields(const cycle::TranscriticalResult& result);

// name,kind,aliases,Tcrit,safety_class,GWP: a line per fluid and blend, the
// kind pure or blend, the aliases separated by semicolons, the numbers as
// the screening shows the same facts ('C, -); no aliases and an unknown
// fact empty.
FieldTable FluidListFields(const catalogue::FluidList& list);

}  // namespace report
