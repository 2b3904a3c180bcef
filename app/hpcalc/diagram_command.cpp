#include <ostream>
#include <vector>

#include "calculation_options.h"
#include "command_support.h"
#include "commands.h"
#include "cycle/diagram.h"
#include "cycle/layouts.h"
#include "cycle/number_text.h"
#include "plots/cycle_diagram_plot.h"
#include "plots/plot_file.h"
#include "property/message_text.h"
#include "report/csv_table.h"

namespace hpcalc {

namespace {

void PrintRows(const std::vector<cycle::CycleDiagram>& diagrams, std::ostream& out) {
  report::CsvTable table({"refrigerant", "series", "point", "T", "p", "h", "s"});
  for (const cycle::CycleDiagram& diagram : diagrams) {
    for (const cycle::DiagramRow& row : cycle::DiagramRows(diagram)) {
      table.AddRow({diagram.refrigerant, std::string(row.series), std::string(row.point),
                      cycle::FormatShortest(row.state.T), cycle::FormatShortest(row.state.p),
                      cycle::FormatShortest(row.state.h), cycle::FormatShortest(row.state.s)});
    }
  }
  table.Write(out);
}

using Diagrams = std::variant<std::vector<cycle::CycleDiagram>, std::string>;

// Draws the diagrams into the file; the reason it could not be written, or
// nothing.
std::optional<QString> WritePicture(const std::vector<cycle::CycleDiagram>& diagrams,
                                    const QString& file) {
  return WithDrawing([&]() -> std::optional<QString> {
    plots::CycleDiagramPlot plot(plots::DiagramLook::Chart);
    plot.Draw(diagrams);
    return plots::WritePlot(plot, file);
  });
}

// The diagram of each refrigerant in the layout, or the first refusal.
Diagrams LayoutDiagrams(cycle::Layout layout, const ParsedOptions& options,
                        cycle::DiagramKind kind) {
  std::vector<cycle::CycleDiagram> diagrams;
  for (const std::string& name : options.names) {
    const auto outcome =
        cycle::CalcLayout(layout, LayoutInputOf(options, name), LibraryTextOf(options));
    if (outcome.refusal()) return LayoutRefusalLine(outcome);
    auto diagram = cycle::LayoutDiagram(*outcome.result(), kind, LibraryTextOf(options));
    if (auto* message = std::get_if<std::string>(&diagram)) return std::move(*message);
    diagrams.push_back(std::move(std::get<cycle::CycleDiagram>(diagram)));
  }
  return diagrams;
}

}  // namespace

int RunDiagram(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() < 2) {
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) return Help(out);
    return BadUsage("diagram takes ph or ts, then basic, compare or layout", err);
  }
  const auto kind = cycle::DiagramKindNamed(args[0]);
  if (!kind) {
    return BadUsage("diagram takes ph or ts, not " + property::ShortenedForMessage(args[0]), err);
  }
  const std::string& calculation = args[1];
  const bool basic = calculation == "basic";
  const bool layout = calculation == "layout";
  if (!basic && !layout && calculation != "compare") {
    return BadUsage("diagram " + args[0] + " takes basic, compare or layout, not " +
                        property::ShortenedForMessage(calculation),
                    err);
  }
  const auto layout_kind = layout && args.size() > 2 ? cycle::LayoutNamed(args[2]) : std::nullopt;
  if (layout && !layout_kind) {
    return BadUsage("diagram " + args[0] + " layout takes basic, ihx, economizer or flash-tank",
                    err);
  }
  const std::vector<std::string> rest(args.begin() + (layout ? 3 : 2), args.end());
  // The options of the calculation the diagram shows, and where to write it.
  const std::span<const Option> calculation_options = basic ? std::span<const Option>(kBasicOptions)
                                                      : layout
                                                          ? std::span<const Option>(kLayoutOptions)
                                                          : kCompareOptions;
  const auto parsed =
      CommandOptions(rest, WithOptions(calculation_options, {{"out", ""}}), out, err);
  if (const int* exit_code = std::get_if<int>(&parsed)) return *exit_code;
  const auto& options = std::get<ParsedOptions>(parsed);
  if (const auto exit_code = RefuseEmptyFileName(options, "out", err)) return *exit_code;
  const QString file = QString::fromStdString(options.Text("out"));
  if (!file.isEmpty() && !plots::PlotFormatOf(file)) {
    return BadUsage("--out " + options.Text("out") + ": the file name must end in .png, .svg or .pdf",
                    err);
  }

  Diagrams diagrams;
  if (basic) {
    const auto input = BasicInputOf(options, err);
    if (const int* exit_code = std::get_if<int>(&input)) return *exit_code;
    auto diagram = cycle::BasicCycleDiagram(std::get<cycle::BasicCycleInput>(input), *kind,
                                            LibraryTextOf(options));
    if (auto* message = std::get_if<std::string>(&diagram)) return Refused(*message, err);
    diagrams = std::vector{std::move(std::get<cycle::CycleDiagram>(diagram))};
  } else if (layout) {
    if (const auto reason = RefuseLayoutNames(options)) return BadUsage(*reason, err);
    diagrams = LayoutDiagrams(*layout_kind, options, *kind);
  } else {
    const auto fields = ComparisonFieldsOf(options);
    if (const auto* reason = std::get_if<std::string>(&fields)) return BadUsage(*reason, err);
    diagrams = cycle::ComparisonDiagrams(std::get<cycle::ComparisonFields>(fields), *kind,
                                         LibraryTextOf(options));
  }
  if (const auto* message = std::get_if<std::string>(&diagrams)) return Refused(*message, err);
  const auto& drawn = std::get<std::vector<cycle::CycleDiagram>>(diagrams);
  if (file.isEmpty()) {
    PrintRows(drawn, out);
    return kSuccess;
  }
  if (const auto failure = WritePicture(drawn, file)) return Refused(failure->toStdString(), err);
  return kSuccess;
}

}  // namespace hpcalc
