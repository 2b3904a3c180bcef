// What a report file holds, without Qt: the format its name asks for, the
// CSV file, and the diagrams of a PDF report, computed before anything is
// drawn so that drawing asks the property library nothing. The command line
// writes its CSV reports with this alone.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cycle/basic_cycle.h"
#include "cycle/comparison.h"
#include "cycle/diagram.h"
#include "cycle/layouts.h"
#include "report/csv_table.h"

namespace report {

enum class ReportFormat { Pdf, Csv };

// ".pdf" or ".csv" in any case; nothing for any other extension.
std::optional<ReportFormat> ReportFormatOf(std::string_view path);

// Writes the table as files::WriteWholeFile does: whole, or not at all
// with the file that was there unchanged. Why it could not, or nothing. A
// comment, where given, on a line of its own before the header, after "# ".
std::optional<std::string> WriteCsvFile(const std::string& path, const CsvTable& table,
                                        std::string_view comment = {});

// A refrigerant's pressure-enthalpy diagram in a report, or why there is none.
using ReportDiagram = std::variant<cycle::CycleDiagram, std::string>;

ReportDiagram BasicReportDiagram(const cycle::BasicCycleInput& input);
// One per refrigerant of the comparison, in its order.
std::vector<ReportDiagram> ComparisonReportDiagrams(const cycle::ComparisonResults& results);
// One per outcome, in their order; a refused refrigerant's says why.
std::vector<ReportDiagram> LayoutReportDiagrams(std::span<const cycle::LayoutOutcome> outcomes);

}  // namespace report
