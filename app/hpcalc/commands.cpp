#include "commands.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <iomanip>
#include <ostream>
#include <span>
#include <string_view>
#include <variant>

#include "cycle/basic_cycle.h"
#include "cycle/comparison.h"
#include "cycle/number_text.h"
#include "cycle/result_text.h"
#include "options.h"
#include "property/property_functions.h"

namespace hpcalc {

const char* const kUsage =
    "Usage:\n"
    "  hpcalc basic [--refrigerant R22] [--flow 1] [--hot-water 50] [--subcooling 3.5]\n"
    "               [--superheating 4] [--condensing 90] [--safety 100] [--efficiency 80]\n"
    "               [--csv]\n"
    "      One heat pump sized from the hot water: component duties and the four\n"
    "      cycle points (flow in liter/s, temperatures in 'C, safety factor and\n"
    "      isentropic efficiency in %).\n"
    "  hpcalc compare [--capacity 10] [--evaporating 50] [--subcooling 3.5]\n"
    "                 [--superheating 4] [--condensing 90] [--safety 100]\n"
    "                 [--efficiency 80] [--csv] NAME...\n"
    "      One to eight refrigerants under the same conditions (evaporator heat\n"
    "      capacity in kW): the lines of the total results page.\n"
    "  hpcalc property FUNCTION FLUID CODE UNITS [VALUE1 [VALUE2]]\n"
    "      One property: FUNCTION is Temperature, Pressure, Volume, Enthalpy,\n"
    "      Entropy or Cp; or CriticalPoint FLUID LETTER UNITS with the letter T,\n"
    "      P or D. Prints the number with full precision, or the library's text.\n"
    "  hpcalc --help\n"
    "\n"
    "Numbers are read as the forms read them: blanks are skipped, the leading\n"
    "number is taken (\".\" as decimal point) and a text without one reads as 0.\n"
    "--csv prints a header line and comma-separated lines. Exit codes: 0 done,\n"
    "1 refused (the message is printed), 2 bad usage.\n";

namespace {

int BadUsage(std::string_view reason, std::ostream& err) {
  err << "hpcalc: " << reason << "\n\n" << kUsage;
  return kBadUsage;
}

int Help(std::ostream& out) {
  out << kUsage;
  return kSuccess;
}

int Refused(std::string_view message, std::ostream& err) {
  err << message << '\n';
  return kRefused;
}

// A CSV field; quoted when it holds a comma (spelled mixtures), a quote or a line break.
std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::string Fixed2(double value) { return cycle::FormatFixed(value, 2); }

void PrintBasic(const cycle::BasicCycleResult& r, bool csv, std::ostream& out) {
  if (csv) {
    out << "Evap,Conden,Compress,EV,P1,P2,P3,P4,T1,T2,T3,T4,H1,H2,H3,H4\n";
    const double figures[] = {r.Evap, r.Conden, r.Compress, r.EV, r.P1, r.P2, r.P3, r.P4,
                              r.T1,   r.T2,     r.T3,       r.T4, r.H1, r.H2, r.H3, r.H4};
    for (std::size_t i = 0; i < std::size(figures); ++i) out << (i ? "," : "") << Fixed2(figures[i]);
    out << '\n';
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
}

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

// The defaults are those of the forms.
constexpr Option kBasicOptions[] = {
    {"refrigerant", "R22"}, {"flow", "1"},      {"hot-water", "50"}, {"subcooling", "3.5"},
    {"superheating", "4"},  {"condensing", "90"}, {"safety", "100"}, {"efficiency", "80"},
};
constexpr Option kCompareOptions[] = {
    {"capacity", "10"},  {"evaporating", "50"}, {"subcooling", "3.5"}, {"superheating", "4"},
    {"condensing", "90"}, {"safety", "100"},    {"efficiency", "80"},
};

// The options of a command, or the exit code when the command ends here
// (--help, or a command line it cannot use).
std::variant<ParsedOptions, int> CommandOptions(const std::vector<std::string>& args,
                                                std::span<const Option> known, std::ostream& out,
                                                std::ostream& err) {
  auto parsed = ParseOptions(args, known);
  if (const auto* reason = std::get_if<std::string>(&parsed)) return BadUsage(*reason, err);
  auto& options = std::get<ParsedOptions>(parsed);
  if (options.help) return Help(out);
  return std::move(options);
}

}  // namespace

int RunBasic(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto parsed = CommandOptions(args, kBasicOptions, out, err);
  if (const int* exit_code = std::get_if<int>(&parsed)) return *exit_code;
  const auto& options = std::get<ParsedOptions>(parsed);
  if (!options.names.empty()) return BadUsage("basic takes no names: " + options.names[0], err);

  const auto number = [&options](std::string_view name) {
    return cycle::LeadingNumber(options.Text(name));
  };
  const auto outcome = cycle::CalcBasicCycle({options.Text("refrigerant"), number("flow"),
                                              number("hot-water"), number("subcooling"),
                                              number("superheating"), number("condensing"),
                                              number("safety"), number("efficiency")});
  if (const auto* message = std::get_if<std::string>(&outcome)) return Refused(*message, err);
  PrintBasic(std::get<cycle::BasicCycleResult>(outcome), options.csv, out);
  return kSuccess;
}

int RunCompare(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto parsed = CommandOptions(args, kCompareOptions, out, err);
  if (const int* exit_code = std::get_if<int>(&parsed)) return *exit_code;
  const auto& options = std::get<ParsedOptions>(parsed);
  const std::size_t count = options.names.size();
  if (count < 1 || count > static_cast<std::size_t>(cycle::kMaxRefrigerants)) {
    return BadUsage("compare takes one to eight refrigerant names", err);
  }

  cycle::ComparisonFields fields{options.Text("capacity"),   options.Text("evaporating"),
                                 options.Text("subcooling"), options.Text("superheating"),
                                 options.Text("condensing"), options.Text("safety"),
                                 options.Text("efficiency"), std::to_string(count)};
  std::copy(options.names.begin(), options.names.end(), fields.Refrigerant.begin());
  cycle::ComparisonResults results;
  if (const auto message = cycle::RunComparison(fields, results)) return Refused(*message, err);
  PrintComparison(results, options.csv, out);
  return kSuccess;
}

namespace {

using SingleProperty = property::PropertyResult (*)(std::string_view, std::string_view,
                                                    std::string_view, double, double);

constexpr std::pair<std::string_view, SingleProperty> kFunctions[] = {
    {"Temperature", property::Temperature}, {"Pressure", property::Pressure},
    {"Volume", property::Volume},           {"Enthalpy", property::Enthalpy},
    {"Entropy", property::Entropy},         {"Cp", property::Cp},
};
constexpr std::string_view kCriticalPoint = "CriticalPoint";

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

int PrintResult(const property::PropertyResult& result, std::ostream& out, std::ostream& err) {
  if (const double* value = std::get_if<double>(&result)) {
    std::array<char, 32> text{};
    const char* end = std::to_chars(text.data(), text.data() + text.size(), *value).ptr;
    out << std::string_view(text.data(), static_cast<std::size_t>(end - text.data())) << '\n';
    return kSuccess;
  }
  const auto* text = std::get_if<std::string>(&result);
  const std::string message = text ? *text : std::string();
  const auto last = message.find_last_not_of(std::string(" \t\r\n") + '\0');
  return Refused(last == std::string::npos ? "no value" : message.substr(0, last + 1), err);
}

}  // namespace

int RunProperty(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  // Values may be negative, so the arguments are taken as they stand.
  if (std::find(args.begin(), args.end(), "--help") != args.end()) return Help(out);
  if (args.size() < 4 || args.size() > 6) {
    return BadUsage("property takes FUNCTION FLUID CODE UNITS [VALUE1 [VALUE2]]", err);
  }
  const std::string& fluid = args[1];
  const std::string& code = args[2];
  const std::string& units = args[3];
  if (SameName(args[0], kCriticalPoint)) {
    if (args.size() > 4) return BadUsage("CriticalPoint takes FLUID LETTER UNITS", err);
    return PrintResult(property::CriticalPoint(fluid, code, units), out, err);
  }
  const auto function = std::find_if(std::begin(kFunctions), std::end(kFunctions),
                                     [&](const auto& entry) { return SameName(args[0], entry.first); });
  if (function == std::end(kFunctions)) return BadUsage("unknown property function " + args[0], err);
  const double value1 = args.size() > 4 ? cycle::LeadingNumber(args[4]) : 0;
  const double value2 = args.size() > 5 ? cycle::LeadingNumber(args[5]) : 0;
  return PrintResult(function->second(fluid, code, units, value1, value2), out, err);
}

}  // namespace hpcalc
