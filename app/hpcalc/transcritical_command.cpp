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
#include "report/report_file.h"

namespace hpcalc {

namespace {

// The form's fields with the form's defaults, handed to the calculation as typed.
constexpr std::array<Option, 11> kTranscriticalOptions{{
    {"refrigerant", "R744"},
    {"capacity", "10"},
    {"evaporating", "10"},
    {"superheating", "5"},
    {"gas-cooler-outlet", "35"},
    {"high-pressure", "optimal"},
    {"efficiency", "70"},
    {"water-in", "15"},
    {"water-out", "65"},
    {"min-approach", "5"},
    {"report", ""},
}};

cycle::TranscriticalInput InputOf(const ParsedOptions& options) {
  return {options.Text("refrigerant"),   options.Text("capacity"),
          options.Text("evaporating"),   options.Text("superheating"),
          options.Text("gas-cooler-outlet"), options.Text("high-pressure"),
          options.Text("efficiency"),    options.Text("water-in"),
          options.Text("water-out"),     options.Text("min-approach")};
}

void PrintCsv(const cycle::TranscriticalResult& r, std::ostream& out) {
  report::CsvTable table({"refrigerant", "HighPressure", "Optimal", "COP", "MassFlow",
                          "CompressorPower", "DischargeTemperature", "VHC", "P1", "T1", "H1", "S1",
                          "H2s", "H2", "T2", "H3", "T3", "H4", "Pinch", "PinchAt"});
  std::vector<std::string> row{r.refrigerant, cycle::FormatShortest(r.high_pressure),
                               r.optimal ? "yes" : "no"};
  for (const double figure :
       {r.cop, r.mass_flow, r.compressor_power, r.discharge.T, r.vhc, r.suction.p, r.suction.T,
        r.suction.h, r.suction.s, r.isentropic_discharge.h, r.discharge.h, r.discharge.T,
        r.gas_cooler_outlet.h, r.gas_cooler_outlet.T, r.evaporator_inlet.h, r.pinch, r.pinch_at}) {
    row.push_back(cycle::FormatShortest(figure));
  }
  table.AddRow(std::move(row));
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

int RunTranscritical(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto parsed = CommandOptions(args, kTranscriticalOptions, out, err);
  if (const int* exit_code = std::get_if<int>(&parsed)) return *exit_code;
  const auto& options = std::get<ParsedOptions>(parsed);
  if (!options.names.empty()) {
    return BadUsage(
        "transcritical takes no names: " + property::ShortenedForMessage(options.names[0]), err);
  }
  if (const auto exit_code = RefuseReportFormat(options, err)) return *exit_code;
  const cycle::TranscriticalInput input = InputOf(options);
  const auto outcome = cycle::CalcTranscriticalCycle(input, LibraryTextOf(options));
  if (const auto* message = std::get_if<std::string>(&outcome)) return Refused(*message, err);
  const auto& result = std::get<cycle::TranscriticalResult>(outcome);
  if (options.csv) {
    PrintCsv(result, out);
  } else {
    PrintTable(result, out);
  }
  if (const auto warning = cycle::ApproachWarning(result)) err << "hpcalc: " << *warning << '\n';
  return WriteRequestedReport(options, err, [&](const QString& file) {
    return report::WriteTranscriticalReport(file, input, result);
  });
}

}  // namespace hpcalc
