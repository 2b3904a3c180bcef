#include <array>
#include <iomanip>
#include <ostream>
#include <utility>
#include <vector>

#include "calculation_options.h"
#include "command_support.h"
#include "commands.h"
#include "cycle/basic_cycle.h"
#include "cycle/number_text.h"
#include "report/figure_rows.h"
#include "report/report_content.h"
#include "report/report_tables.h"

namespace hpcalc {

namespace {

constexpr std::string_view kDescription =
    "One heat pump sized from the hot water: component duties and the four cycle points.";

Syntax BasicSyntax() {
  return {"basic", WithOptions(OptionsOf(cycle::kBasicDefaults), {kReportOption}),
          {kCsvFlag, kVerboseFlag}, {}, InputsForm{inputs::Form::basic}};
}

std::string Fixed2(double value) { return cycle::FormatPattern(value, 2); }

void PrintBasic(const cycle::BasicCycleResult& r, bool csv, std::ostream& out) {
  if (csv) {
    report::BasicFigureFields(r).Csv().Write(out);
    return;
  }
  const std::pair<const char*, double> duties[] = {{"Evaporator (kW)", r.Evap},
                                                   {"Condenser (kW)", r.Conden},
                                                   {"Compressor (kW)", r.Compress},
                                                   {"Expansion Valve (TR)", r.EV}};
  for (const auto& [label, value] : duties) {
    out << std::left << std::setw(22) << label << std::right << std::setw(10) << Fixed2(value)
        << '\n';
  }
  out << '\n'
      << std::left << std::setw(8) << "" << std::right << std::setw(16) << "Pressure (bar)"
      << std::setw(18) << "Temperature ('C)" << std::setw(18) << "Enthalpy (kJ/kg)" << '\n';
  const std::array<std::array<double, 3>, 4> points{{{r.P1, r.T1, r.H1},
                                                     {r.P2, r.T2, r.H2},
                                                     {r.P3, r.T3, r.H3},
                                                     {r.P4, r.T4, r.H4}}};
  for (std::size_t i = 0; i < points.size(); ++i) {
    out << "Point " << i + 1 << ' ' << std::setw(16) << Fixed2(points[i][0]) << std::setw(18)
        << Fixed2(points[i][1]) << std::setw(18) << Fixed2(points[i][2]) << '\n';
  }
  // Beyond the page's figures: point 2's enthalpy above is the isentropic
  // one, and point 4's temperature the evaporating (a blend's dew point).
  std::vector<std::pair<const char*, std::string>> more{
      {"Heating COP", Fixed2(r.COP)},
      {"VHC (kJ/m3)", cycle::FormatFixed(r.VHC, 1)},
      {"h2 actual (kJ/kg)", Fixed2(r.H2actual)}};
  if (Fixed2(r.T4actual) != Fixed2(r.T4)) {
    more.emplace_back("T4 after the valve ('C)", Fixed2(r.T4actual));
  }
  out << '\n';
  for (const auto& [label, text] : more) {
    out << std::left << std::setw(24) << label << std::right << std::setw(10) << text << '\n';
  }
}

}  // namespace

CommandHelp BasicHelp() { return {{BasicSyntax()}, kDescription}; }

int RunBasic(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto parsed = CommandOptions(args, BasicSyntax(), kDescription, out, err);
  if (const int* exit_code = std::get_if<int>(&parsed)) return *exit_code;
  const auto& options = std::get<ParsedOptions>(parsed);
  if (const auto exit_code = RefuseReportFormat(options, err)) return *exit_code;
  const auto read = BasicInputOf(options, err);
  if (const int* exit_code = std::get_if<int>(&read)) return *exit_code;
  const auto& input = std::get<cycle::BasicCycleInput>(read);
  const auto outcome = cycle::CalcBasicCycle(input, LibraryTextOf(options));
  if (const auto* message = std::get_if<std::string>(&outcome)) return Refused(*message, err);
  const auto& result = std::get<cycle::BasicCycleResult>(outcome);
  PrintBasic(result, options.Has(kCsvFlag), out);
  return WriteRequestedReport(
      options, err, [&] { return report::BasicTable(input, result); },
      [&](const Pictures& pictures, const std::string& file) {
        return pictures.WriteBasicReport(file, input, result, report::BasicReportDiagram(input));
      });
}

}  // namespace hpcalc
