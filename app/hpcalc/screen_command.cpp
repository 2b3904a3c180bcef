#include <algorithm>
#include <cctype>
#include <cmath>
#include <iomanip>
#include <iterator>
#include <optional>
#include <ostream>
#include <sstream>
#include <vector>

#include "calculation_options.h"
#include "command_support.h"
#include "commands.h"
#include "cycle/comparison.h"
#include "cycle/number_text.h"
#include "cycle/parallel_points.h"
#include "cycle/screening.h"
#include "property/message_text.h"
#include "report/screening_table.h"

namespace hpcalc {

namespace {

constexpr std::string_view kDescription =
    "Every pure fluid and blend of the fluid and mixture files under the comparison's "
    "conditions: its safety class, GWP, ODP, critical temperature, glides, the comparison's "
    "figures and whether its compression ends wet, or why it cannot run the cycle.";

// Besides the conditions: the filters and the order, off unless given.
constexpr Option kKindOption{"kind", "all", "the fluids screened: pure, blend or all",
                             "pure|blend|all"};
constexpr Option kSafetyClassOption{
    "safety-class", "",
    "the safety classes that pass, separated by commas; unknown passes a fluid without one on "
    "record",
    "A1,A2L,..."};
constexpr Option kMaxGwpOption{
    "max-gwp", "", "the largest GWP that passes; a fluid without a GWP on record does not pass",
    "N"};
constexpr Option kSortOption{
    "sort", "", "the column of the table (COP, VHC, GWP ...) to sort by; -COLUMN from the largest",
    "COLUMN"};

Syntax ScreenSyntax() {
  return {"screen",
          WithOptions(OptionsOf(cycle::kComparisonDefaults),
                      {kKindOption, kSafetyClassOption, kMaxGwpOption, kSortOption, kJobsOption}),
          {kCsvFlag, kVerboseFlag}, {}, InputsForm{inputs::Form::comparison}};
}

// What the command line asks besides the conditions, or why it cannot be used.
struct Selection {
  cycle::ScreeningFilter filter;
  std::optional<cycle::ScreeningColumn> sort;
  cycle::SortOrder order = cycle::SortOrder::ascending;
};

// The names --safety-class takes: the standard's classes, then the one for
// no class on record.
std::vector<std::string_view> ClassNames() {
  std::vector<std::string_view> names(std::begin(cycle::kSafetyClasses),
                                      std::end(cycle::kSafetyClasses));
  names.push_back(cycle::kNoSafetyClass);
  return names;
}

// The name an item of --safety-class stands for, without regard to case.
std::optional<std::string> ClassNamed(std::string_view item) {
  for (const std::string_view name : ClassNames()) {
    const bool same =
        std::equal(item.begin(), item.end(), name.begin(), name.end(), [](char a, char b) {
          return std::toupper(static_cast<unsigned char>(a)) ==
                 std::toupper(static_cast<unsigned char>(b));
        });
    if (same) return std::string(name);
  }
  return std::nullopt;
}

std::string ClassNamesText() {
  std::string text;
  for (const std::string_view name : ClassNames()) {
    text.append(text.empty() ? "" : ", ").append(name);
  }
  return text;
}

std::variant<std::set<std::string>, std::string> ClassList(std::string_view text) {
  std::set<std::string> classes;
  std::istringstream items{std::string(text)};
  for (std::string item; std::getline(items, item, ',');) {
    item.erase(0, item.find_first_not_of(" \t"));
    item.erase(item.find_last_not_of(" \t") + 1);
    if (item.empty()) continue;
    const auto named = ClassNamed(item);
    if (!named) {
      return "--safety-class: \"" + property::ShortenedForMessage(item) +
             "\" is not a safety class (" + ClassNamesText() + ")";
    }
    classes.insert(*named);
  }
  if (classes.empty()) {
    return std::string("--safety-class takes classes separated by commas: A1,A2L");
  }
  return classes;
}

std::variant<Selection, std::string> ReadSelection(const ParsedOptions& options) {
  Selection selection;
  const std::string& kind = options.Text(kKindOption.name);
  if (kind == "pure") {
    selection.filter.kind = cycle::FluidKind::pure;
  } else if (kind == "blend") {
    selection.filter.kind = cycle::FluidKind::blend;
  } else if (kind != "all") {
    return "--kind takes pure, blend or all, not \"" + property::ShortenedForMessage(kind) + "\"";
  }
  if (options.Given(kSafetyClassOption.name)) {
    auto classes = ClassList(options.Text(kSafetyClassOption.name));
    if (auto* reason = std::get_if<std::string>(&classes)) return std::move(*reason);
    selection.filter.safety_classes = std::move(std::get<std::set<std::string>>(classes));
  }
  if (options.Given(kMaxGwpOption.name)) {
    const std::string& gwp = options.Text(kMaxGwpOption.name);
    selection.filter.max_gwp = cycle::WholeNumber(gwp);
    if (!selection.filter.max_gwp) return cycle::NumberRefusal("--max-gwp", gwp);
  }
  if (options.Given(kSortOption.name)) {
    std::string_view sort = options.Text(kSortOption.name);
    if (!sort.empty() && sort.front() == '-') {
      selection.order = cycle::SortOrder::descending;
      sort.remove_prefix(1);
    }
    selection.sort = cycle::ColumnNamed(sort);
    if (!selection.sort) {
      return "--sort takes a column of the table, not \"" +
             property::ShortenedForMessage(options.Text(kSortOption.name)) + "\"";
    }
  }
  return selection;
}

// Names, then units, then one line per fluid; numbers to the right of their
// column, texts to the left, the reason last and as long as it is.
void PrintTable(const report::CsvTable& table, std::ostream& out) {
  std::vector<std::vector<std::string>> lines{table.Header(), {}};
  std::vector<bool> numbers;
  for (const auto column : cycle::kScreeningColumns) {
    const auto unit = cycle::ColumnUnit(column);
    std::string shown;
    if (!unit.empty()) shown.append("(").append(unit).append(")");
    lines[1].push_back(std::move(shown));
    numbers.push_back(!unit.empty());
  }
  lines.insert(lines.end(), table.Rows().begin(), table.Rows().end());
  PrintColumns(lines, numbers, out);
}


}  // namespace

CommandHelp ScreenHelp() { return {{ScreenSyntax()}, kDescription}; }

int RunScreen(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto parsed = CommandOptions(args, ScreenSyntax(), kDescription, out, err);
  if (const int* exit_code = std::get_if<int>(&parsed)) return *exit_code;
  const auto& options = std::get<ParsedOptions>(parsed);
  if (!options.names.empty()) {
    return BadUsage("screen takes no names: " + property::ShortenedForMessage(options.names[0]), err);
  }
  const auto selection = ReadSelection(options);
  if (const auto* reason = std::get_if<std::string>(&selection)) return BadUsage(*reason, err);
  const auto& [filter, sort, order] = std::get<Selection>(selection);
  const auto jobs = JobsOf(options);
  if (const auto* reason = std::get_if<std::string>(&jobs)) return BadUsage(*reason, err);

  const auto read = cycle::ReadScreeningConditions(ConditionFields(options));
  if (const auto* message = std::get_if<std::string>(&read)) return Refused(*message, err);
  const auto& conditions = std::get<cycle::ComparisonConditions>(read);
  const auto candidates = cycle::FindScreeningCandidates();
  for (const auto& skipped : candidates.skipped) err << "hpcalc: skipped " << skipped << '\n';
  if (candidates.fluids.empty()) {
    return Refused(kNoDataFiles, err);
  }

  std::vector<cycle::ScreeningCandidate> passing;
  std::copy_if(candidates.fluids.begin(), candidates.fluids.end(), std::back_inserter(passing),
               [&](const cycle::ScreeningCandidate& fluid) {
                 return cycle::PassesFacts(fluid, filter);
               });
  const int threads = std::get<int>(jobs);
  auto rows = cycle::Filtered(
      cycle::ScreenFluids(passing, conditions, threads, LibraryTextOf(options)), filter);
  if (sort) rows = cycle::Sorted(std::move(rows), *sort, order);
  const auto table = report::ScreeningTable(rows);
  if (options.Has(kCsvFlag)) {
    table.Write(out);
  } else {
    PrintTable(table, out);
  }
  return kSuccess;
}

}  // namespace hpcalc
