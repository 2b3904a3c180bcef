#include <ostream>
#include <string>
#include <vector>

#include "command_support.h"
#include "commands.h"
#include "cycle/refrigerant_names.h"
#include "property/message_text.h"
#include "report/figure_rows.h"

namespace hpcalc {

namespace {

constexpr std::string_view kDescription =
    "Every pure fluid and blend of the fluid and mixture files, as the forms suggest them: its "
    "kind, its other names, critical temperature ('C), safety class and GWP.";

Syntax FluidsSyntax() { return {"fluids", {}, {kCsvFlag}, {}}; }

}  // namespace

CommandHelp FluidsHelp() { return {{FluidsSyntax()}, kDescription}; }

int RunFluids(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto parsed = CommandOptions(args, FluidsSyntax(), kDescription, out, err);
  if (const int* exit_code = std::get_if<int>(&parsed)) return *exit_code;
  const auto& options = std::get<ParsedOptions>(parsed);
  if (!options.names.empty()) {
    return BadUsage("fluids takes no names: " + property::ShortenedForMessage(options.names[0]),
                    err);
  }
  const catalogue::FluidList list = cycle::ListRefrigerants();
  for (const auto& skipped : list.skipped) err << "hpcalc: skipped " << skipped << '\n';
  if (list.fluids.empty()) return Refused(kNoDataFiles, err);

  const report::CsvTable table = report::FluidListFields(list).Csv();
  if (options.Has(kCsvFlag)) {
    table.Write(out);
    return kSuccess;
  }
  // On the screen the aliases come last: the longest texts, and the fewest read.
  constexpr std::size_t kShownOrder[] = {0, 1, 3, 4, 5, 2};
  std::vector<std::vector<std::string>> lines{{}, {"", "", "('C)", "", "(-)", ""}};
  for (const std::size_t field : kShownOrder) lines[0].push_back(table.Header()[field]);
  for (const auto& row : table.Rows()) {
    lines.emplace_back();
    for (const std::size_t field : kShownOrder) lines.back().push_back(row[field]);
  }
  PrintColumns(lines, {false, false, true, false, true, false}, out);
  return kSuccess;
}

}  // namespace hpcalc
