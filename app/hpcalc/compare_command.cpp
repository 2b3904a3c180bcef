#include <ostream>

#include "calculation_options.h"
#include "command_support.h"
#include "commands.h"
#include "cycle/comparison.h"
#include "cycle/result_text.h"

namespace hpcalc {

namespace {

void PrintComparison(const cycle::ComparisonResults& results, bool csv, std::ostream& out) {
  if (csv) {
    out << "refrigerant,COP,MassPerHeat,VaporVolume,DisplacementVolume,DischargePressure,"
           "DischargeTemperature,PressureRatio\n";
  }
  for (int slot = 0; slot < results.RefCount; ++slot) {
    const auto& name = results.RefName[static_cast<std::size_t>(slot)];
    const auto figures = cycle::FiguresAt(results, slot);
    if (!csv) {
      out << cycle::TotalLine(name, figures) << '\n';
      continue;
    }
    out << CsvField(name);
    for (const cycle::Figure column : cycle::kFigures) {
      out << ',' << cycle::TotalPageFigureText(column, cycle::FigureValue(figures, column));
    }
    out << '\n';
  }
}

}  // namespace

int RunCompare(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto parsed = CommandOptions(args, kCompareOptions, out, err);
  if (const int* exit_code = std::get_if<int>(&parsed)) return *exit_code;
  const auto& options = std::get<ParsedOptions>(parsed);
  const auto fields = ComparisonFieldsOf(options);
  if (const auto* reason = std::get_if<std::string>(&fields)) return BadUsage(*reason, err);
  cycle::ComparisonResults results;
  if (const auto message = cycle::RunComparison(std::get<cycle::ComparisonFields>(fields), results)) {
    return Refused(*message, err);
  }
  PrintComparison(results, options.csv, out);
  return kSuccess;
}

}  // namespace hpcalc
