#include <array>
#include <iomanip>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "command_support.h"
#include "commands.h"
#include "cycle/number_text.h"
#include "cycle/transcritical.h"
#include "property/message_text.h"
#include "report/csv_table.h"
#include "report/report_content.h"
#include "report/report_tables.h"
#include "report/transcritical_table.h"

namespace hpcalc {

namespace {

constexpr std::string_view kDescription =
    "A carbon dioxide (or other) water heater whose high side lies above the critical "
    "pressure. Prints the figures, the states 1, 2s, 2, 3, 4 and the gas cooler's pinch "
    "against the water. The optimal pressure is that of the best heating COP whose gas cooler "
    "keeps the minimum approach between refrigerant and water; where the approach limits it, "
    "it says so, and a given pressure short of it is noted on the error stream. Its numbers "
    "must be numbers: a text that is none is refused.";

// The form's fields at the form's defaults, handed to the calculation as typed.
Syntax TranscriticalSyntax() {
  return {"transcritical", WithOptions(OptionsOf(cycle::kTranscriticalDefaults), {kReportOption}),
          {kCsvFlag, kVerboseFlag}, {}, InputsForm{inputs::Form::transcritical}};
}

void PrintCsv(const cycle::TranscriticalResult& r, std::ostream& out) {
  report::CsvTable table(report::TranscriticalFiguresHeader());
  table.AddRow(report::TranscriticalFiguresRow(r));
  table.Write(out);
}

void PrintTable(const cycle::TranscriticalResult& r, std::ostream& out) {
  const std::pair<const char*, std::string> figures[] = {
      {"Refrigerant", r.refrigerant},
      {"High-side pressure",
       cycle::FormatFixed(r.high_pressure, 2) + " bar (" + cycle::HighPressureNote(r) + ")"},
      {"Heating COP", cycle::FormatFixed(r.cop, 3)},
      {"Heating capacity (kW)", cycle::FormatFixed(r.heating_capacity, 3)},
      {"Compressor power (kW)", cycle::FormatFixed(r.compressor_power, 3)},
      {"Evaporator duty (kW)", cycle::FormatFixed(r.evaporator_duty, 3)},
      {"Refrigerant flow (kg/s)", cycle::FormatFixed(r.mass_flow, 5)},
      {"Water flow (kg/s)", cycle::FormatFixed(r.water_flow, 5)},
      {"VHC (kJ/m3)", cycle::FormatFixed(r.vhc, 1)},
      {"Pinch (K)", cycle::FormatFixed(r.pinch, 2) + " at " + cycle::FormatFixed(100 * r.pinch_at, 0) +
                        " % of the duty from the refrigerant inlet"},
  };
  for (const auto& [label, text] : figures) {
    out << std::left << std::setw(25) << label << text << '\n';
  }
  out << '\n'
      << std::left << std::setw(8) << "" << std::right << std::setw(16) << "Pressure (bar)"
      << std::setw(18) << "Temperature ('C)" << std::setw(18) << "Enthalpy (kJ/kg)"
      << std::setw(20) << "Entropy (kJ/kg-K)" << '\n';
  const std::pair<const char*, const cycle::DiagramState&> states[] = {
      {"1", r.suction},           {"2s", r.isentropic_discharge}, {"2", r.discharge},
      {"3", r.gas_cooler_outlet}, {"4", r.evaporator_inlet}};
  for (const auto& [name, s] : states) {
    out << std::left << std::setw(8) << (std::string("Point ") + name) << std::right
        << std::setw(16) << cycle::FormatFixed(s.p, 2) << std::setw(18) << cycle::FormatFixed(s.T, 2)
        << std::setw(18) << cycle::FormatFixed(s.h, 2) << std::setw(20)
        << cycle::FormatFixed(s.s, 4) << '\n';
  }
}

}  // namespace

CommandHelp TranscriticalHelp() { return {{TranscriticalSyntax()}, kDescription}; }

int RunTranscritical(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto parsed = CommandOptions(args, TranscriticalSyntax(), kDescription, out, err);
  if (const int* exit_code = std::get_if<int>(&parsed)) return *exit_code;
  const auto& options = std::get<ParsedOptions>(parsed);
  if (!options.names.empty()) {
    return BadUsage(
        "transcritical takes no names: " + property::ShortenedForMessage(options.names[0]), err);
  }
  if (const auto exit_code = RefuseReportFormat(options, err)) return *exit_code;
  const auto input = options.FieldsOf(cycle::kTranscriticalDefaults);
  const auto outcome = cycle::CalcTranscriticalCycle(input, LibraryTextOf(options));
  if (const auto* message = std::get_if<std::string>(&outcome)) return Refused(*message, err);
  const auto& result = std::get<cycle::TranscriticalResult>(outcome);
  if (options.Has(kCsvFlag)) {
    PrintCsv(result, out);
  } else {
    PrintTable(result, out);
  }
  if (const auto warning = cycle::ApproachWarning(result)) err << "hpcalc: " << *warning << '\n';
  return WriteRequestedReport(
      options, err, [&] { return report::TranscriticalTable(input, result); },
      [&](const Pictures& pictures, const std::string& file) {
        return pictures.WriteTranscriticalReport(file, input, result,
                                                 report::TranscriticalReportDiagram(input));
      });
}

}  // namespace hpcalc
