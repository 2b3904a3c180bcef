// What every hpcalc command shares: its exit codes' messages and the
// reading of its options.
#pragma once

#include <QString>

#include <functional>
#include <initializer_list>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cycle/comparison.h"
#include "options.h"

namespace hpcalc {

// Why a command that lists the fluid and mixture files has nothing to list.
inline constexpr std::string_view kNoDataFiles =
    "No fluid or mixture files found (fluids/ and mixtures/ in the working directory or beside "
    "the program)";

// The reason, then the usage text, on err; kBadUsage.
int BadUsage(std::string_view reason, std::ostream& err);
// The usage text on out; kSuccess.
int Help(std::ostream& out);
// The message on err; kRefused.
int Refused(std::string_view message, std::ostream& err);

// The options of a command, or the exit code when the command ends here
// (--help, or a command line it cannot use).
std::variant<ParsedOptions, int> CommandOptions(const std::vector<std::string>& args,
                                                std::span<const Option> known, std::ostream& out,
                                                std::ostream& err);

// --verbose: the library's own text after a failed property request's message.
cycle::LibraryText LibraryTextOf(const ParsedOptions& options);

// The options of a command with more appended.
std::vector<Option> WithOptions(std::span<const Option> options, std::initializer_list<Option> more);

// Lines of fields in aligned columns two blanks apart: a column to the
// right where `right_aligned` says so, else to the left; the last column as
// long as it is, no line with blanks at its end.
void PrintColumns(const std::vector<std::vector<std::string>>& lines,
                  const std::vector<bool>& right_aligned, std::ostream& out);

// Runs `draw` with a QApplication, which plots need to be drawn into files,
// offscreen; the platform's notices (no runtime folder and the like) are no
// concern of the command's user.
std::optional<QString> WithDrawing(const std::function<std::optional<QString>()>& draw);

// Writes a report of the calculation when the command was given --report
// FILE: the message and kRefused when it cannot be written, else kSuccess.
int WriteRequestedReport(const ParsedOptions& options, std::ostream& err,
                         const std::function<std::optional<QString>(const QString& file)>& write);

// --report FILE with an extension other than .pdf or .csv, or an empty
// name: the usage message; nothing when the option is absent or usable.
std::optional<int> RefuseReportFormat(const ParsedOptions& options, std::ostream& err);

// A file option (--out, --report) given an empty name: the usage message;
// nothing otherwise.
std::optional<int> RefuseEmptyFileName(const ParsedOptions& options, std::string_view option,
                                       std::ostream& err);

}  // namespace hpcalc
