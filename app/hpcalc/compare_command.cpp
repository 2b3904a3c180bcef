#include <ostream>

#include "calculation_options.h"
#include "command_support.h"
#include "commands.h"
#include "cycle/comparison.h"
#include "cycle/number_text.h"
#include "cycle/result_text.h"
#include "cycle/wet_compression.h"
#include "report/figure_rows.h"
#include "report/report_content.h"
#include "report/report_tables.h"

namespace hpcalc {

namespace {

constexpr std::string_view kDescription =
    "One to eight refrigerants under the same conditions: the lines of the total results "
    "page. A refrigerant whose isentropic compression ends inside the two-phase region is "
    "noted on the error stream with the suction superheat that keeps it dry.";

Syntax CompareSyntax() {
  return {"compare", WithOptions(OptionsOf(cycle::kComparisonDefaults), {kReportOption}),
          {kCsvFlag, kVerboseFlag}, "NAME...", InputsForm{inputs::Form::comparison}};
}

void PrintComparison(const cycle::ComparisonResults& results, bool csv, std::ostream& out) {
  if (csv) {
    report::ComparisonFigureFields(results).Csv().Write(out);
    return;
  }
  for (int slot = 0; slot < results.RefCount; ++slot) {
    out << cycle::TotalLine(results.RefName[static_cast<std::size_t>(slot)],
                            cycle::FiguresAt(results, slot))
        << '\n';
  }
}

// A refrigerant whose isentropic compression ends inside the dome, noted
// on the error stream: the figures stay as the comparison computes them.
void NoteWetCompression(const cycle::ComparisonResults& results, cycle::LibraryText library_text,
                        std::ostream& err) {
  for (int slot = 0; slot < results.RefCount; ++slot) {
    const std::string& name = results.RefName[static_cast<std::size_t>(slot)];
    const auto wet = cycle::ComparisonWetCompression(name, results.Conditions, library_text);
    if (const auto* failure = std::get_if<cycle::CalFailure>(&wet)) {
      err << "hpcalc: where the compression of " << name
          << " ends cannot be computed: " << failure->reason << '\n';
    } else if (const auto& found = std::get<cycle::WetCompression>(wet); found.wet) {
      err << "hpcalc: " << name
          << ": wet compression: the isentropic compression ends inside the two-phase region; "
             "at least "
          << cycle::FormatFixed(found.min_superheat, 2) << " K of suction superheat keeps it dry\n";
    }
  }
}

}  // namespace

CommandHelp CompareHelp() { return {{CompareSyntax()}, kDescription}; }

int RunCompare(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto parsed = CommandOptions(args, CompareSyntax(), kDescription, out, err);
  if (const int* exit_code = std::get_if<int>(&parsed)) return *exit_code;
  const auto& options = std::get<ParsedOptions>(parsed);
  if (const auto exit_code = RefuseReportFormat(options, err)) return *exit_code;
  const auto fields = ComparisonFieldsOf(options);
  if (const auto* reason = std::get_if<std::string>(&fields)) return BadUsage(*reason, err);
  cycle::ComparisonResults results;
  if (const auto message = cycle::RunComparison(std::get<cycle::ComparisonFields>(fields), results,
                                                LibraryTextOf(options))) {
    return Refused(*message, err);
  }
  PrintComparison(results, options.Has(kCsvFlag), out);
  NoteWetCompression(results, LibraryTextOf(options), err);
  return WriteRequestedReport(
      options, err, [&] { return report::ComparisonTableWithConditions(results); },
      [&](const Pictures& pictures, const std::string& file) {
        return pictures.WriteComparisonReport(file, results,
                                              report::ComparisonReportDiagrams(results));
      });
}

}  // namespace hpcalc
