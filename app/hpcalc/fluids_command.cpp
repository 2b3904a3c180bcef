#include <ostream>
#include <string>
#include <vector>

#include "command_support.h"
#include "commands.h"
#include "cycle/number_text.h"
#include "cycle/refrigerant_names.h"
#include "cycle/screening.h"
#include "property/message_text.h"
#include "report/csv_table.h"

namespace hpcalc {

namespace {

// A fluid's fields in the order of the header: the numbers as the
// screening shows the same facts, an unknown one empty.
std::vector<std::string> Fields(const catalogue::ListedFluid& fluid) {
  std::string aliases;
  for (const std::string& alias : fluid.aliases) {
    aliases.append(aliases.empty() ? "" : ";").append(alias);
  }
  const auto number = [](cycle::ScreeningColumn column, const std::optional<double>& value) {
    return value ? cycle::ColumnText(column, *value) : std::string();
  };
  return {fluid.name,
          fluid.blend ? "blend" : "pure",
          std::move(aliases),
          number(cycle::ScreeningColumn::Tcrit, fluid.critical_temperature),
          fluid.safety_class.value_or(""),
          number(cycle::ScreeningColumn::GWP, fluid.gwp100)};
}

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

  report::CsvTable table({"name", "kind", "aliases", "Tcrit", "safety_class", "GWP"});
  for (const auto& fluid : list.fluids) table.AddRow(Fields(fluid));
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
