// What every hpcalc command shares: its exit codes' messages, the reading
// of its options, and the files it writes.
#pragma once

#include <functional>
#include <initializer_list>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cycle/library_text_option.h"
#include "options.h"
#include "pictures.h"
#include "report/csv_table.h"

namespace hpcalc {

// Why a command that lists the fluid and mixture files has nothing to list.
inline constexpr std::string_view kNoDataFiles =
    "No fluid or mixture files found (fluids/ and mixtures/ in the working directory or beside "
    "the program)";

// The reason, then the usage text, on err; kBadUsage.
int BadUsage(std::string_view reason, std::ostream& err);
// The command's usage on out; kSuccess.
int Help(const CommandHelp& command, std::ostream& out);
// The message on err; kRefused.
int Refused(std::string_view message, std::ostream& err);

// The options of a command called as `syntax` says, an inputs file's
// fields in place of the defaults (--inputs) and written where asked
// (--save-inputs), or the exit code when the command ends here (--help, a
// command line it cannot use, an inputs file it cannot read or write).
std::variant<ParsedOptions, int> CommandOptions(const std::vector<std::string>& args,
                                                const Syntax& syntax,
                                                std::string_view description, std::ostream& out,
                                                std::ostream& err);

// --verbose: the library's own text after a failed property request's message.
cycle::LibraryText LibraryTextOf(const ParsedOptions& options);

// The options with more appended.
std::vector<Option> WithOptions(std::vector<Option> options, std::initializer_list<Option> more);

inline constexpr Option kReportOption{
    "report", "",
    "also writes a report of the calculation: a PDF (figures, cycle points, diagrams) or a CSV "
    "table, by the file's extension",
    "FILE"};

// Lines of fields in aligned columns two blanks apart, each as wide as its
// widest text in characters (UTF-8): a column to the right where
// `right_aligned` says so, else to the left; no line with blanks at its end.
void PrintColumns(const std::vector<std::vector<std::string>>& lines,
                  const std::vector<bool>& right_aligned, std::ostream& out);
// The table's header and rows in columns: the first to the left, the
// numbers of the others to the right.
void PrintColumns(const report::CsvTable& table, std::ostream& out);

inline constexpr Option kJobsOption{"jobs", "",
                                    "the number of threads computing at once; one per core", "N"};
// --jobs: the number of threads, at least one; one per core unless given;
// or why the text is no such number.
std::variant<int, std::string> JobsOf(const ParsedOptions& options);

// What `draw` returns, drawing with the pictures library; where the library
// cannot be used, why, as a failure to write `file`.
using Drawing = std::function<std::optional<std::string>(const Pictures&)>;
std::optional<std::string> WithPictures(const std::string& file, const Drawing& draw);

// Writes the report of the calculation when the command was given --report
// FILE: the CSV table, or the PDF that `pdf` draws into the file. The
// message and kRefused when it cannot be written, else kSuccess.
using PdfDrawing =
    std::function<std::optional<std::string>(const Pictures&, const std::string& file)>;
int WriteRequestedReport(const ParsedOptions& options, std::ostream& err,
                         const std::function<report::CsvTable()>& table, const PdfDrawing& pdf);

// --report FILE with an extension other than .pdf or .csv, or an empty
// name: the usage message; nothing when the option is absent or usable.
std::optional<int> RefuseReportFormat(const ParsedOptions& options, std::ostream& err);

// A file option (--out, --report) given an empty name: the usage message;
// nothing otherwise.
std::optional<int> RefuseEmptyFileName(const ParsedOptions& options, std::string_view option,
                                       std::ostream& err);

}  // namespace hpcalc
