#include <algorithm>
#include <ostream>

#include "command_support.h"
#include "commands.h"
#include "cycle/comparison.h"
#include "cycle/result_text.h"
#include "report/csv_table.h"

namespace hpcalc {

namespace {

void PrintComparison(const cycle::ComparisonResults& results, bool csv, std::ostream& out) {
  report::CsvTable table({"refrigerant", "COP", "MassPerHeat", "VaporVolume",
                          "DisplacementVolume", "DischargePressure", "DischargeTemperature",
                          "PressureRatio"});
  for (int slot = 0; slot < results.RefCount; ++slot) {
    const auto& name = results.RefName[static_cast<std::size_t>(slot)];
    const auto figures = cycle::FiguresAt(results, slot);
    if (!csv) {
      out << cycle::TotalLine(name, figures) << '\n';
      continue;
    }
    std::vector<std::string> fields{name};
    for (const cycle::Figure column : cycle::kFigures) {
      fields.push_back(cycle::TotalPageFigureText(column, cycle::FigureValue(figures, column)));
    }
    table.AddRow(std::move(fields));
  }
  if (csv) table.Write(out);
}

}  // namespace

int RunCompare(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto parsed = CommandOptions(args, kConditionOptions, out, err);
  if (const int* exit_code = std::get_if<int>(&parsed)) return *exit_code;
  const auto& options = std::get<ParsedOptions>(parsed);
  const std::size_t count = options.names.size();
  if (count < 1 || count > static_cast<std::size_t>(cycle::kMaxRefrigerants)) {
    return BadUsage("compare takes one to eight refrigerant names", err);
  }

  cycle::ComparisonFields fields = ConditionFields(options);
  fields.NumberRefrigerant = std::to_string(count);
  std::copy(options.names.begin(), options.names.end(), fields.Refrigerant.begin());
  cycle::ComparisonResults results;
  if (const auto message = cycle::RunComparison(fields, results)) return Refused(*message, err);
  PrintComparison(results, options.csv, out);
  return kSuccess;
}

}  // namespace hpcalc
