// hpcalc sweep: a parameter study, one input of a layout or of the
// transcritical cycle varied over a range for one to eight refrigerants.
#include <algorithm>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "aligned_table.h"
#include "calculation_options.h"
#include "command_support.h"
#include "commands.h"
#include "cycle/comparison.h"
#include "cycle/study.h"
#include "property/message_text.h"
#include "report/study_table.h"

namespace hpcalc {

namespace {

// Threads a sweep may be given: more than any machine it runs on has cores.
constexpr double kMostJobs = 256;

// The figures of the listing without --csv; the CSV has every one.
constexpr std::string_view kListedLayoutFigures[] = {"COP",
                                                     "VHC",
                                                     "CompressorPower",
                                                     "IntermediatePressure",
                                                     "DischargeTemperature",
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
  const std::string& variable = options.Text("vary");
  if (!options.Given("vary")) return "sweep needs --vary INPUT, one of " + Names(kind);
  if (cycle::StudyVariableNamed(kind, variable) == nullptr) {
    return "--vary takes one of " + Names(kind) + ", not " +
           property::ShortenedForMessage(variable);
  }
  if (options.Given(variable)) {
    return "--" + variable + " is the varied input: its values come from --from and --to";
  }
  if (!options.Given("from") || !options.Given("to")) return "sweep needs --from A and --to B";
  if (options.Given("step") == options.Given("points")) {
    return "sweep takes either --step S or --points N";
  }
  const bool by_points = options.Given("points");
  const auto values = cycle::StudyValues(
      {{"--from", options.Text("from")},
       {"--to", options.Text("to")},
       by_points ? cycle::Spacing::points : cycle::Spacing::step,
       {by_points ? "--points" : "--step", options.Text(by_points ? "points" : "step")}});
  if (const auto* reason = std::get_if<std::string>(&values)) return *reason;

  cycle::Study study{kind, options.names, variable, std::get<std::vector<double>>(values)};
  if (auto* transcritical = std::get_if<cycle::TranscriticalInput>(&study.calculation)) {
    *transcritical = TranscriticalInputOf(options);
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

// --jobs N: the threads to compute on, by default one per core.
std::variant<int, std::string> JobsOf(const ParsedOptions& options) {
  if (!options.Given("jobs")) return cycle::CoreCount();
  const auto jobs = cycle::WholeNumber(options.Text("jobs"));
  if (!jobs || *jobs < 1 || *jobs > kMostJobs || *jobs != static_cast<int>(*jobs)) {
    return "--jobs takes a whole number from 1 to 256, not " +
           property::ShortenedForMessage(options.Text("jobs"));
  }
  return static_cast<int>(*jobs);
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
  PrintAligned(lines, true, out);
  for (const cycle::StudyPoint& point : points) {
    if (point.computed()) continue;
    err << point.refrigerant << " at " << study.variable << ' '
        << cycle::FormatShortest(point.value) << ": " << point.reason() << '\n';
  }
}

}  // namespace

int RunSweep(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  constexpr std::string_view kCalculations = "basic, ihx, economizer, flash-tank or transcritical";
  if (args.empty()) return BadUsage("sweep takes " + std::string(kCalculations), err);
  if (args[0] == "--help" || args[0] == "-h") return Help(out);
  const auto kind = cycle::CalculationNamed(args[0]);
  if (!kind) {
    return BadUsage("sweep takes " + std::string(kCalculations) + ", not " +
                        property::ShortenedForMessage(args[0]),
                    err);
  }
  const bool layout = std::holds_alternative<cycle::LayoutCalculation>(*kind);
  const auto known = WithOptions(
      layout ? std::span<const Option>(kLayoutOptions)
             : std::span<const Option>(kTranscriticalOptions),
      {{"vary", ""}, {"from", ""}, {"to", ""}, {"step", ""}, {"points", ""}, {"jobs", ""}});
  const auto parsed = CommandOptions({args.begin() + 1, args.end()}, known, out, err);
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
  if (options.csv) {
    report::StudyTable(planned, points).Write(out);
  } else {
    PrintListing(planned, points, out, err);
  }
  const bool any_computed = std::any_of(points.begin(), points.end(),
                                        [](const cycle::StudyPoint& p) { return p.computed(); });
  return any_computed ? kSuccess : kRefused;
}

}  // namespace hpcalc
