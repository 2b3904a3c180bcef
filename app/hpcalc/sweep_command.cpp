// hpcalc sweep: a parameter study, one input of a layout or of the
// transcritical cycle varied over a range for one to eight refrigerants.
#include <algorithm>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "calculation_options.h"
#include "command_support.h"
#include "commands.h"
#include "cycle/comparison.h"
#include "cycle/study.h"
#include "property/message_text.h"
#include "report/study_table.h"

namespace hpcalc {

namespace {

constexpr std::string_view kDescription =
    "A parameter study: the calculation repeated with one input from A to B, by the step (B "
    "included where a step lands on it) or over N points with both ends, for one to eight "
    "refrigerants (transcritical: the names or --refrigerant). INPUT is the input's option "
    "without dashes (a layout's own inputs where it uses them). Each point is the single "
    "calculation with the input typed as the value; a point that cannot be computed is refused "
    "with why and the others go on. Prints the main figures of every point; --csv "
    "variable,value followed by the calculation's own CSV columns (for transcritical with "
    "status,reason), by refrigerant, then value. At most 1000 values. Exit 0 when a point was "
    "computed, 1 when none was.";

// The study's own options, off unless given.
constexpr Option kVaryOption{"vary", "", "the input to vary: its option without dashes",
                             "INPUT"};
constexpr Option kFromOption{"from", "", "the first value", "A"};
constexpr Option kToOption{"to", "", "the value to go to", "B"};
constexpr Option kStepOption{"step", "", "the step from one value to the next", "S"};
constexpr Option kPointsOption{"points", "", "the number of values, both ends included", "N"};

Syntax SweepSyntax(bool layout) {
  return {layout ? "sweep basic|ihx|economizer|flash-tank" : "sweep transcritical",
          WithOptions(layout ? LayoutOptions() : OptionsOf(cycle::kTranscriticalDefaults),
                      {kVaryOption, kFromOption, kToOption, kStepOption, kPointsOption,
                       kJobsOption}),
          {kCsvFlag, kVerboseFlag},
          layout ? "NAME..." : "[NAME...]"};
}

// The figures of the listing without --csv; the CSV has every one.
constexpr std::string_view kListedLayoutFigures[] = {
    "COP", "VHC", "CompressorPower", "IntermediatePressure", "DischargeTemperature",
    "ExergyEfficiency"};
constexpr std::string_view kListedTranscriticalFigures[] = {
    "HighPressure", "COP", "CompressorPower", "DischargeTemperature", "Pinch"};

std::string Names(const cycle::StudyCalculation& calculation) {
  std::string names;
  for (const cycle::StudyVariable& variable : cycle::StudyVariables(calculation)) {
    names += (names.empty() ? "" : ", ") + std::string(variable.name);
  }
  return names;
}

// The study the command line asks for, or the reason it cannot be run.
std::variant<cycle::Study, std::string> StudyOf(const cycle::StudyCalculation& kind,
                                                const ParsedOptions& options) {
  const std::string& variable = options.Text(kVaryOption.name);
  if (!options.Given(kVaryOption.name)) return "sweep needs --vary INPUT, one of " + Names(kind);
  if (cycle::StudyVariableNamed(kind, variable) == nullptr) {
    return "--vary takes one of " + Names(kind) + ", not " +
           property::ShortenedForMessage(variable);
  }
  if (options.Given(variable)) {
    return "--" + variable + " is the varied input: its values come from --from and --to";
  }
  if (!options.Given(kFromOption.name) || !options.Given(kToOption.name)) {
    return "sweep needs --from A and --to B";
  }
  if (options.Given(kStepOption.name) == options.Given(kPointsOption.name)) {
    return "sweep takes either --step S or --points N";
  }
  const bool by_points = options.Given(kPointsOption.name);
  const Option& by = by_points ? kPointsOption : kStepOption;
  const auto values = cycle::StudyValues({{"--from", options.Text(kFromOption.name)},
                                          {"--to", options.Text(kToOption.name)},
                                          by_points ? cycle::Spacing::points : cycle::Spacing::step,
                                          {by_points ? "--points" : "--step", options.Text(by.name)}});
  if (const auto* reason = std::get_if<std::string>(&values)) return *reason;

  cycle::Study study{kind, options.names, variable, std::get<std::vector<double>>(values)};
  if (auto* transcritical = std::get_if<cycle::TranscriticalInput>(&study.calculation)) {
    *transcritical = options.FieldsOf(cycle::kTranscriticalDefaults);
    if (study.refrigerants.empty()) {
      study.refrigerants.push_back(options.Text("refrigerant"));
    } else if (options.Given("refrigerant")) {
      return "sweep transcritical takes the refrigerants as names or as --refrigerant, not both";
    }
  } else {
    // The names replace the refrigerant of the options' input.
    std::get<cycle::LayoutCalculation>(study.calculation).input = LayoutInputOf(options, "");
  }
  const std::size_t count = study.refrigerants.size();
  if (count < 1 || count > static_cast<std::size_t>(cycle::kMaxRefrigerants)) {
    return "sweep takes one to eight refrigerant names";
  }
  return study;
}

// The listing: a line per point with the main figures (a refused point's
// marked so), the refused points' reasons after it on the error stream.
void PrintListing(const cycle::Study& study, const std::vector<cycle::StudyPoint>& points,
                  std::ostream& out, std::ostream& err) {
  const bool layout = std::holds_alternative<cycle::LayoutCalculation>(study.calculation);
  std::vector<cycle::StudyFigure> figures;
  for (const std::string_view name :
       layout ? std::span<const std::string_view>(kListedLayoutFigures)
              : std::span<const std::string_view>(kListedTranscriticalFigures)) {
    if (const auto figure = cycle::StudyFigureNamed(study.calculation, name)) {
      figures.push_back(*figure);
    }
  }
  const report::CsvTable table = report::StudyFiguresTable(study, points, figures);
  const cycle::StudyVariable& variable =
      *cycle::StudyVariableNamed(study.calculation, study.variable);
  std::vector<std::string> header{"refrigerant", report::WithUnit(variable.name, variable.unit)};
  for (const cycle::StudyFigure& figure : figures) {
    header.push_back(report::WithUnit(figure.name, figure.unit));
  }
  header.emplace_back("note");
  std::vector<std::vector<std::string>> lines{header};
  for (auto row : table.Rows()) {
    if (!row.back().empty()) row.back() = "refused";
    lines.push_back(std::move(row));
  }
  // The names and the note to the left, the numbers to the right.
  std::vector<bool> right_aligned(header.size(), true);
  right_aligned.front() = right_aligned.back() = false;
  PrintColumns(lines, right_aligned, out);
  for (const cycle::StudyPoint& point : points) {
    if (point.computed()) continue;
    err << point.refrigerant << " at " << study.variable << ' '
        << cycle::FormatShortest(point.value) << ": " << point.reason() << '\n';
  }
}

}  // namespace

CommandHelp SweepHelp() { return {{SweepSyntax(true), SweepSyntax(false)}, kDescription}; }

int RunSweep(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  constexpr std::string_view kCalculations = "basic, ihx, economizer, flash-tank or transcritical";
  if (args.empty()) return BadUsage("sweep takes " + std::string(kCalculations), err);
  if (args[0] == "--help" || args[0] == "-h") return Help(SweepHelp(), out);
  const auto kind = cycle::CalculationNamed(args[0]);
  if (!kind) {
    return BadUsage("sweep takes " + std::string(kCalculations) + ", not " +
                        property::ShortenedForMessage(args[0]),
                    err);
  }
  const bool layout = std::holds_alternative<cycle::LayoutCalculation>(*kind);
  const auto parsed =
      CommandOptions({args.begin() + 1, args.end()}, SweepSyntax(layout), kDescription, out, err);
  if (const int* exit_code = std::get_if<int>(&parsed)) return *exit_code;
  const auto& options = std::get<ParsedOptions>(parsed);
  const auto study = StudyOf(*kind, options);
  if (const auto* reason = std::get_if<std::string>(&study)) return BadUsage(*reason, err);
  const auto jobs = JobsOf(options);
  if (const auto* reason = std::get_if<std::string>(&jobs)) return BadUsage(*reason, err);

  const auto& planned = std::get<cycle::Study>(study);
  const auto points =
      cycle::RunStudy(planned, {.workers = std::get<int>(jobs), .stop_requested = {}, .done = {}},
                      LibraryTextOf(options));
  if (options.Has(kCsvFlag)) {
    report::StudyTable(planned, points).Write(out);
  } else {
    PrintListing(planned, points, out, err);
  }
  const bool any_computed = std::any_of(points.begin(), points.end(),
                                        [](const cycle::StudyPoint& p) { return p.computed(); });
  return any_computed ? kSuccess : kRefused;
}

}  // namespace hpcalc
