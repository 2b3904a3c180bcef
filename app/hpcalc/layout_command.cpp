#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "calculation_options.h"
#include "command_support.h"
#include "commands.h"
#include "cycle/layouts.h"
#include "report/layout_tables.h"
#include "report/report_content.h"

namespace hpcalc {

namespace {

constexpr std::string_view kDescription =
    "One to eight refrigerants in a cycle layout: one stage (basic), with an internal heat "
    "exchanger (ihx), or two stages with vapour injected from an economizer or a flash tank "
    "(no blends). The evaporating temperature may lie anywhere above the refrigerant's lower "
    "limit and below condensing. Prints the figures, the states and the exergy destroyed in "
    "each component, and whether a compression ends wet; --csv a line per refrigerant (a "
    "refused one with why, exit 1). Its numbers must be numbers: a text that is none is "
    "refused.";

constexpr Flag kStatesFlag{
    "states",
    "every state: refrigerant,layout,state,p,T,h,s,mass in bar, 'C, kJ/kg, kJ/kg-K, kg per kg "
    "of evaporator flow"};

// Its inputs file holds the layout named.
Syntax LayoutSyntax(cycle::Layout layout = cycle::Layout::basic) {
  return {"layout basic|ihx|economizer|flash-tank", WithOptions(LayoutOptions(), {kReportOption}),
          {kCsvFlag, kStatesFlag, kVerboseFlag}, "NAME...",
          InputsForm{inputs::Form::layouts, cycle::LayoutName(layout)}};
}

void PrintResult(const cycle::LayoutResult& r, std::ostream& out) {
  std::vector<std::vector<std::string>> figures;
  for (const report::LabelledValue& figure : report::LayoutFigures(r)) {
    const bool unit = !figure.unit.empty() && figure.unit != "-";
    figures.push_back({figure.label + (unit ? " (" + figure.unit + ")" : ""), figure.value});
  }
  PrintColumns(figures, {false, false}, out);
  out << '\n';
  PrintColumns(report::LayoutStatePoints(r), out);
  out << '\n';
  PrintColumns(report::LayoutLosses(r), out);
  out << '\n' << cycle::WetCompressionVerdict(r) << '\n';
}

// The outcomes as asked: every state, a CSV line each, or the listing; the
// refused refrigerants on the error stream, unless the CSV's rows say why.
void PrintOutcomes(const std::vector<cycle::LayoutOutcome>& outcomes, bool states, bool csv,
                   std::ostream& out, std::ostream& err) {
  if (csv && !states) {
    report::LayoutFiguresTable(outcomes).Write(out);
    return;
  }
  if (states) {
    report::LayoutStatesTable(outcomes).Write(out);
  } else {
    bool first = true;
    for (const cycle::LayoutOutcome& outcome : outcomes) {
      if (const auto* result = outcome.result()) {
        out << (first ? "" : "\n");
        PrintResult(*result, out);
        first = false;
      }
    }
  }
  for (const cycle::LayoutOutcome& outcome : outcomes) {
    if (outcome.refusal()) err << LayoutRefusalLine(outcome) << '\n';
  }
}

}  // namespace

CommandHelp LayoutHelp() { return {{LayoutSyntax()}, kDescription}; }

int RunLayout(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) return BadUsage("layout takes basic, ihx, economizer or flash-tank", err);
  if (args[0] == "--help" || args[0] == "-h") return Help(LayoutHelp(), out);
  const auto layout = cycle::LayoutNamed(args[0]);
  if (!layout) {
    return BadUsage("layout takes basic, ihx, economizer or flash-tank, not " + args[0], err);
  }
  const auto parsed =
      CommandOptions({args.begin() + 1, args.end()}, LayoutSyntax(*layout), kDescription, out, err);
  if (const int* exit_code = std::get_if<int>(&parsed)) return *exit_code;
  const auto& options = std::get<ParsedOptions>(parsed);
  if (const auto exit_code = RefuseReportFormat(options, err)) return *exit_code;
  if (const auto reason = RefuseLayoutNames(options)) return BadUsage(*reason, err);

  std::vector<cycle::LayoutOutcome> outcomes;
  for (const std::string& name : options.names) {
    outcomes.push_back(
        cycle::CalcLayout(*layout, LayoutInputOf(options, name), LibraryTextOf(options)));
  }
  PrintOutcomes(outcomes, options.Has(kStatesFlag), options.Has(kCsvFlag), out, err);
  const bool any_result = std::any_of(outcomes.begin(), outcomes.end(),
                                      [](const auto& outcome) { return outcome.result(); });
  std::string names;
  for (const std::string& name : options.names) names += (names.empty() ? "" : "; ") + name;
  const int written =
      !any_result ? kSuccess
                  : WriteRequestedReport(
                        options, err, [&] { return report::LayoutFiguresTable(outcomes); },
                        [&](const Pictures& pictures, const std::string& file) {
                          return pictures.WriteLayoutReport(file, LayoutInputOf(options, names),
                                                            outcomes,
                                                            report::LayoutReportDiagrams(outcomes));
                        });
  const bool any_refused = std::any_of(outcomes.begin(), outcomes.end(),
                                       [](const auto& outcome) { return outcome.refusal(); });
  return any_refused ? kRefused : written;
}

}  // namespace hpcalc
