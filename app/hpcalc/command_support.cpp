#include "command_support.h"

#include <algorithm>
#include <cmath>
#include <ostream>

#include "commands.h"
#include "cycle/number_text.h"
#include "cycle/parallel_points.h"
#include "inputs_options.h"
#include "property/message_text.h"
#include "report/report_content.h"
#include "usage.h"

namespace hpcalc {

int BadUsage(std::string_view reason, std::ostream& err) {
  err << "hpcalc: " << reason << "\n\n" << Usage();
  return kBadUsage;
}

int Help(const CommandHelp& command, std::ostream& out) {
  out << CommandUsage(command);
  return kSuccess;
}

int Refused(std::string_view message, std::ostream& err) {
  err << message << '\n';
  return kRefused;
}

std::variant<ParsedOptions, int> CommandOptions(const std::vector<std::string>& args,
                                                const Syntax& syntax,
                                                std::string_view description, std::ostream& out,
                                                std::ostream& err) {
  auto parsed = ParseOptions(args, syntax);
  if (const auto* reason = std::get_if<std::string>(&parsed)) return BadUsage(*reason, err);
  auto& options = std::get<ParsedOptions>(parsed);
  if (options.help) return Help({{syntax}, description}, out);
  if (const auto exit_code = TakeInputsFile(options, syntax, err)) return *exit_code;
  if (const auto exit_code = SaveRequestedInputs(options, syntax, err)) return *exit_code;
  return std::move(options);
}

cycle::LibraryText LibraryTextOf(const ParsedOptions& options) {
  return options.Has(kVerboseFlag) ? cycle::LibraryText::appended : cycle::LibraryText::omitted;
}

std::vector<Option> WithOptions(std::vector<Option> options, std::initializer_list<Option> more) {
  options.insert(options.end(), more);
  return options;
}

namespace {

// Far more threads than any machine has cores gain nothing.
constexpr int kMostJobs = 1024;

// The columns a text takes on a terminal: one per character of its UTF-8.
std::size_t Width(const std::string& text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

}  // namespace

void PrintColumns(const std::vector<std::vector<std::string>>& lines,
                  const std::vector<bool>& right_aligned, std::ostream& out) {
  const std::size_t count = right_aligned.size();
  std::vector<std::size_t> widths(count, 0);
  for (const auto& line : lines) {
    for (std::size_t i = 0; i < count; ++i) widths[i] = std::max(widths[i], Width(line[i]));
  }
  for (const auto& line : lines) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
      const std::string padding(widths[i] - Width(line[i]), ' ');
      text += (i == 0 ? "" : "  ");
      text += right_aligned[i] ? padding + line[i] : line[i] + padding;
    }
    text.erase(text.find_last_not_of(' ') + 1);
    out << text << '\n';
  }
}

void PrintColumns(const report::CsvTable& table, std::ostream& out) {
  std::vector<std::vector<std::string>> lines{table.Header()};
  lines.insert(lines.end(), table.Rows().begin(), table.Rows().end());
  std::vector<bool> right_aligned(table.Header().size(), true);
  right_aligned.front() = false;
  PrintColumns(lines, right_aligned, out);
}

std::variant<int, std::string> JobsOf(const ParsedOptions& options) {
  if (!options.Given(kJobsOption.name)) return cycle::CoreCount();
  const std::string& text = options.Text(kJobsOption.name);
  const auto jobs = cycle::WholeNumber(text);
  if (!jobs || *jobs != std::floor(*jobs) || *jobs < 1 || *jobs > kMostJobs) {
    return "--jobs takes a whole number from 1 to " + std::to_string(kMostJobs) + ", not \"" +
           property::ShortenedForMessage(text) + "\"";
  }
  return static_cast<int>(*jobs);
}

std::optional<std::string> WithPictures(const std::string& file, const Drawing& draw) {
  const auto pictures = LoadPictures();
  if (const auto* reason = std::get_if<std::string>(&pictures)) {
    return "Cannot write " + file + ": " + *reason;
  }
  return draw(*std::get<const Pictures*>(pictures));
}

std::optional<int> RefuseEmptyFileName(const ParsedOptions& options, std::string_view option,
                                       std::ostream& err) {
  if (!options.Given(option) || !options.Text(option).empty()) return std::nullopt;
  return BadUsage("--" + std::string(option) + " takes a file name, not an empty text", err);
}

std::optional<int> RefuseReportFormat(const ParsedOptions& options, std::ostream& err) {
  if (auto exit_code = RefuseEmptyFileName(options, kReportOption.name, err)) return exit_code;
  const std::string& file = options.Text(kReportOption.name);
  if (file.empty() || report::ReportFormatOf(file)) return std::nullopt;
  return BadUsage("--report " + file + ": the report's file name must end in .pdf or .csv", err);
}

int WriteRequestedReport(const ParsedOptions& options, std::ostream& err,
                         const std::function<report::CsvTable()>& table, const PdfDrawing& pdf) {
  const std::string& file = options.Text(kReportOption.name);
  if (file.empty()) return kSuccess;
  const auto failure =
      report::ReportFormatOf(file) == report::ReportFormat::Pdf
          ? WithPictures(file, [&](const Pictures& pictures) { return pdf(pictures, file); })
          : report::WriteCsvFile(file, table());
  return failure ? Refused(*failure, err) : kSuccess;
}

}  // namespace hpcalc
