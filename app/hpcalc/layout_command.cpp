#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "aligned_table.h"
#include "calculation_options.h"
#include "command_support.h"
#include "commands.h"
#include "cycle/layouts.h"
#include "report/layout_tables.h"
#include "report/report_file.h"

namespace hpcalc {

namespace {

constexpr std::string_view kStatesFlag = "--states";

// The arguments without --states (a flag of this command alone), and whether it was given.
struct StatesFlag {
  std::vector<std::string> rest;
  bool given = false;
};

StatesFlag TakeStatesFlag(const std::vector<std::string>& args) {
  StatesFlag flag;
  bool options_ended = false;
  for (const std::string& arg : args) {
    options_ended = options_ended || arg == "--";
    if (!options_ended && arg == kStatesFlag) {
      flag.given = true;
    } else {
      flag.rest.push_back(arg);
    }
  }
  return flag;
}

void PrintResult(const cycle::LayoutResult& r, std::ostream& out) {
  std::vector<std::vector<std::string>> figures;
  for (const report::LabelledValue& figure : report::LayoutFigures(r)) {
    const bool unit = !figure.unit.empty() && figure.unit != "-";
    figures.push_back({figure.label + (unit ? " (" + figure.unit + ")" : ""), figure.value});
  }
  PrintAligned(figures, false, out);
  out << '\n';
  PrintAligned(report::LayoutStatePoints(r), out);
  out << '\n';
  PrintAligned(report::LayoutLosses(r), out);
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

int RunLayout(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) return BadUsage("layout takes basic, ihx, economizer or flash-tank", err);
  if (args[0] == "--help" || args[0] == "-h") return Help(out);
  const auto layout = cycle::LayoutNamed(args[0]);
  if (!layout) {
    return BadUsage("layout takes basic, ihx, economizer or flash-tank, not " + args[0], err);
  }
  const StatesFlag states = TakeStatesFlag({args.begin() + 1, args.end()});
  const auto parsed =
      CommandOptions(states.rest, WithOptions(kLayoutOptions, {{"report", ""}}), out, err);
  if (const int* exit_code = std::get_if<int>(&parsed)) return *exit_code;
  const auto& options = std::get<ParsedOptions>(parsed);
  if (const auto exit_code = RefuseReportFormat(options, err)) return *exit_code;
  if (const auto reason = RefuseLayoutNames(options)) return BadUsage(*reason, err);

  std::vector<cycle::LayoutOutcome> outcomes;
  for (const std::string& name : options.names) {
    outcomes.push_back(
        cycle::CalcLayout(*layout, LayoutInputOf(options, name), LibraryTextOf(options)));
  }
  PrintOutcomes(outcomes, states.given, options.csv, out, err);
  const bool any_result = std::any_of(outcomes.begin(), outcomes.end(),
                                      [](const auto& outcome) { return outcome.result(); });
  std::string names;
  for (const std::string& name : options.names) names += (names.empty() ? "" : "; ") + name;
  const int written =
      !any_result ? kSuccess : WriteRequestedReport(options, err, [&](const QString& file) {
        return report::WriteLayoutReport(file, LayoutInputOf(options, names), outcomes);
      });
  const bool any_refused = std::any_of(outcomes.begin(), outcomes.end(),
                                       [](const auto& outcome) { return outcome.refusal(); });
  return any_refused ? kRefused : written;
}

}  // namespace hpcalc
