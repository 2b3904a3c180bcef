#include <charconv>
#include <ostream>
#include <vector>

#include "calculation_options.h"
#include "command_support.h"
#include "commands.h"
#include "cycle/diagram.h"

namespace hpcalc {

namespace {

// The shortest text that reads back as exactly the number.
std::string FullPrecision(double value) {
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

void PrintRows(const std::vector<cycle::CycleDiagram>& diagrams, std::ostream& out) {
  out << "refrigerant,series,point,T,p,h,s\n";
  for (const cycle::CycleDiagram& diagram : diagrams) {
    const std::string name = CsvField(diagram.refrigerant);
    for (const cycle::DiagramRow& row : cycle::DiagramRows(diagram)) {
      out << name << ',' << row.series << ',' << row.point << ',' << FullPrecision(row.state.T)
          << ',' << FullPrecision(row.state.p) << ',' << FullPrecision(row.state.h) << ','
          << FullPrecision(row.state.s) << '\n';
    }
  }
}

// The options of the calculation the diagram shows, and where to write it.
std::vector<Option> DiagramOptions(std::span<const Option> calculation) {
  std::vector<Option> options(calculation.begin(), calculation.end());
  options.push_back({"out", ""});
  return options;
}

using Diagrams = std::variant<std::vector<cycle::CycleDiagram>, std::string>;

}  // namespace

int RunDiagram(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() < 2) {
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) return Help(out);
    return BadUsage("diagram takes ph or ts, then basic or compare", err);
  }
  const auto kind = cycle::DiagramKindNamed(args[0]);
  if (!kind) return BadUsage("diagram takes ph or ts, not " + args[0], err);
  const std::string& calculation = args[1];
  const bool basic = calculation == "basic";
  if (!basic && calculation != "compare") {
    return BadUsage("diagram " + args[0] + " takes basic or compare, not " + calculation, err);
  }
  const std::vector<std::string> rest(args.begin() + 2, args.end());
  const auto parsed = CommandOptions(
      rest, DiagramOptions(basic ? std::span<const Option>(kBasicOptions) : kCompareOptions), out,
      err);
  if (const int* exit_code = std::get_if<int>(&parsed)) return *exit_code;
  const auto& options = std::get<ParsedOptions>(parsed);

  Diagrams diagrams;
  if (basic) {
    const auto input = BasicInputOf(options);
    if (const auto* reason = std::get_if<std::string>(&input)) return BadUsage(*reason, err);
    auto diagram = cycle::BasicCycleDiagram(std::get<cycle::BasicCycleInput>(input), *kind);
    if (auto* message = std::get_if<std::string>(&diagram)) return Refused(*message, err);
    diagrams = std::vector{std::move(std::get<cycle::CycleDiagram>(diagram))};
  } else {
    const auto fields = ComparisonFieldsOf(options);
    if (const auto* reason = std::get_if<std::string>(&fields)) return BadUsage(*reason, err);
    diagrams = cycle::ComparisonDiagrams(std::get<cycle::ComparisonFields>(fields), *kind);
  }
  if (const auto* message = std::get_if<std::string>(&diagrams)) return Refused(*message, err);
  PrintRows(std::get<std::vector<cycle::CycleDiagram>>(diagrams), out);
  return kSuccess;
}

}  // namespace hpcalc
