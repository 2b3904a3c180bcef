#include <optional>
#include <ostream>
#include <vector>

#include "calculation_options.h"
#include "command_support.h"
#include "commands.h"
#include "cycle/diagram.h"
#include "cycle/layouts.h"
#include "cycle/number_text.h"
#include "plots/plot_format.h"
#include "property/message_text.h"
#include "report/csv_table.h"

namespace hpcalc {

namespace {

constexpr std::string_view kDescription =
    "The cycle on a log p-h or a T-s diagram, with the saturation dome and isotherms (ph) or "
    "the cycle's isobars (ts). Without --out: every plotted state as CSV "
    "(refrigerant,series,point,T,p,h,s in 'C, bar, kJ/kg, kJ/kg-K; point names the corners 1, "
    "2s, 2, 3, 4, or a layout's states by their numbers, its injection line the series "
    "injection). With --out: the picture, as PNG, SVG or PDF by the file's extension.";

constexpr Option kOutOption{"out", "", "the picture's file: .png, .svg or .pdf", "FILE"};
// Without --out the states print as CSV anyway; the flag is taken all the same.
constexpr Flag kDiagramCsvFlag{"csv", "the states as CSV, as without --out"};

enum class Calculation { basic, compare, layout };

std::optional<Calculation> CalculationNamed(std::string_view name) {
  if (name == "basic") return Calculation::basic;
  if (name == "compare") return Calculation::compare;
  if (name == "layout") return Calculation::layout;
  return std::nullopt;
}

// The diagram of a calculation: the calculation's options, and --out; the
// layout is that of a layout's inputs file.
Syntax DiagramSyntax(Calculation calculation, cycle::Layout layout = cycle::Layout::basic) {
  std::vector<Flag> flags{kDiagramCsvFlag, kVerboseFlag};
  switch (calculation) {
    case Calculation::basic:
      return {"diagram ph|ts basic", WithOptions(OptionsOf(cycle::kBasicDefaults), {kOutOption}),
              std::move(flags), {}, InputsForm{inputs::Form::basic}};
    case Calculation::compare:
      return {"diagram ph|ts compare",
              WithOptions(OptionsOf(cycle::kComparisonDefaults), {kOutOption}), std::move(flags),
              "NAME...", InputsForm{inputs::Form::comparison}};
    case Calculation::layout:
      break;
  }
  return {"diagram ph|ts layout LAYOUT", WithOptions(LayoutOptions(), {kOutOption}),
          std::move(flags), "NAME...",
          InputsForm{inputs::Form::layouts, cycle::LayoutName(layout)}};
}

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

CommandHelp DiagramHelp() {
  return {{DiagramSyntax(Calculation::basic), DiagramSyntax(Calculation::compare),
           DiagramSyntax(Calculation::layout)},
          kDescription};
}

int RunDiagram(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() < 2) {
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) return Help(DiagramHelp(), out);
    return BadUsage("diagram takes ph or ts, then basic, compare or layout", err);
  }
  const auto kind = cycle::DiagramKindNamed(args[0]);
  if (!kind) {
    return BadUsage("diagram takes ph or ts, not " + property::ShortenedForMessage(args[0]), err);
  }
  const auto calculation = CalculationNamed(args[1]);
  if (!calculation) {
    return BadUsage("diagram " + args[0] + " takes basic, compare or layout, not " +
                        property::ShortenedForMessage(args[1]),
                    err);
  }
  const bool layout = calculation == Calculation::layout;
  const auto layout_named = layout && args.size() > 2 ? cycle::LayoutNamed(args[2]) : std::nullopt;
  if (layout && !layout_named) {
    return BadUsage("diagram " + args[0] + " layout takes basic, ihx, economizer or flash-tank",
                    err);
  }
  const cycle::Layout layout_kind = layout_named.value_or(cycle::Layout::basic);
  const std::vector<std::string> rest(args.begin() + (layout ? 3 : 2), args.end());
  const auto parsed =
      CommandOptions(rest, DiagramSyntax(*calculation, layout_kind), kDescription, out, err);
  if (const int* exit_code = std::get_if<int>(&parsed)) return *exit_code;
  const auto& options = std::get<ParsedOptions>(parsed);
  if (const auto exit_code = RefuseEmptyFileName(options, kOutOption.name, err)) return *exit_code;
  const std::string& file = options.Text(kOutOption.name);
  if (!file.empty() && !plots::PlotFormatOf(file)) {
    return BadUsage("--out " + file + ": the file name must end in .png, .svg or .pdf", err);
  }

  Diagrams diagrams;
  switch (*calculation) {
    case Calculation::basic: {
      const auto input = BasicInputOf(options, err);
      if (const int* exit_code = std::get_if<int>(&input)) return *exit_code;
      auto diagram = cycle::BasicCycleDiagram(std::get<cycle::BasicCycleInput>(input), *kind,
                                              LibraryTextOf(options));
      if (auto* message = std::get_if<std::string>(&diagram)) return Refused(*message, err);
      diagrams = std::vector{std::move(std::get<cycle::CycleDiagram>(diagram))};
      break;
    }
    case Calculation::layout:
      if (const auto reason = RefuseLayoutNames(options)) return BadUsage(*reason, err);
      diagrams = LayoutDiagrams(layout_kind, options, *kind);
      break;
    case Calculation::compare: {
      const auto fields = ComparisonFieldsOf(options);
      if (const auto* reason = std::get_if<std::string>(&fields)) return BadUsage(*reason, err);
      diagrams = cycle::ComparisonDiagrams(std::get<cycle::ComparisonFields>(fields), *kind,
                                           LibraryTextOf(options));
      break;
    }
  }
  if (const auto* message = std::get_if<std::string>(&diagrams)) return Refused(*message, err);
  const auto& drawn = std::get<std::vector<cycle::CycleDiagram>>(diagrams);
  if (file.empty()) {
    PrintRows(drawn, out);
    return kSuccess;
  }
  const auto failure = WithPictures(
      file, [&](const Pictures& pictures) { return pictures.WriteDiagrams(file, drawn); });
  return failure ? Refused(*failure, err) : kSuccess;
}

}  // namespace hpcalc
