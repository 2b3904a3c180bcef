#include "command_support.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <ostream>

#include "commands.h"
#include "report/report_file.h"

namespace hpcalc {

int BadUsage(std::string_view reason, std::ostream& err) {
  err << "hpcalc: " << reason << "\n\n" << kUsage;
  return kBadUsage;
}

int Help(std::ostream& out) {
  out << kUsage;
  return kSuccess;
}

int Refused(std::string_view message, std::ostream& err) {
  err << message << '\n';
  return kRefused;
}

std::variant<ParsedOptions, int> CommandOptions(const std::vector<std::string>& args,
                                                std::span<const Option> known, std::ostream& out,
                                                std::ostream& err) {
  auto parsed = ParseOptions(args, known);
  if (const auto* reason = std::get_if<std::string>(&parsed)) return BadUsage(*reason, err);
  auto& options = std::get<ParsedOptions>(parsed);
  if (options.help) return Help(out);
  return std::move(options);
}

cycle::LibraryText LibraryTextOf(const ParsedOptions& options) {
  return options.verbose ? cycle::LibraryText::appended : cycle::LibraryText::omitted;
}

std::vector<Option> WithOptions(std::span<const Option> options, std::initializer_list<Option> more) {
  std::vector<Option> all(options.begin(), options.end());
  all.insert(all.end(), more);
  return all;
}

void PrintColumns(const std::vector<std::vector<std::string>>& lines,
                  const std::vector<bool>& right_aligned, std::ostream& out) {
  const std::size_t count = right_aligned.size();
  std::vector<std::size_t> widths(count, 0);
  for (const auto& line : lines) {
    for (std::size_t i = 0; i < count; ++i) widths[i] = std::max(widths[i], line[i].size());
  }
  for (const auto& line : lines) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
      const std::string padding(widths[i] - line[i].size(), ' ');
      text += (i == 0 ? "" : "  ");
      text += i + 1 == count ? line[i] : right_aligned[i] ? padding + line[i] : line[i] + padding;
    }
    text.erase(text.find_last_not_of(' ') + 1);
    out << text << '\n';
  }
}

std::optional<QString> WithDrawing(const std::function<std::optional<QString>()>& draw) {
  // Files need no display: drawing offscreen, the command works the same
  // without one or with one it cannot reach.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(text));
  });
  int argc = 1;
  char name[] = "hpcalc";
  char* argv[] = {name, nullptr};
  const QApplication application(argc, argv);
  return draw();
}

std::optional<int> RefuseEmptyFileName(const ParsedOptions& options, std::string_view option,
                                       std::ostream& err) {
  if (!options.Given(option) || !options.Text(option).empty()) return std::nullopt;
  return BadUsage("--" + std::string(option) + " takes a file name, not an empty text", err);
}

std::optional<int> RefuseReportFormat(const ParsedOptions& options, std::ostream& err) {
  if (auto exit_code = RefuseEmptyFileName(options, "report", err)) return exit_code;
  const std::string& file = options.Text("report");
  if (file.empty() || report::ReportFormatOf(QString::fromStdString(file))) return std::nullopt;
  return BadUsage("--report " + file + ": the report's file name must end in .pdf or .csv", err);
}

int WriteRequestedReport(const ParsedOptions& options, std::ostream& err,
                         const std::function<std::optional<QString>(const QString& file)>& write) {
  const QString file = QString::fromStdString(options.Text("report"));
  if (file.isEmpty()) return kSuccess;
  const auto failure = report::ReportFormatOf(file) == report::ReportFormat::Pdf
                           ? WithDrawing([&] { return write(file); })
                           : write(file);
  return failure ? Refused(failure->toStdString(), err) : kSuccess;
}

}  // namespace hpcalc
