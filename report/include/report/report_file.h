// Reports of a calculation in a file: a PDF to read and keep, or a CSV table
// to compute with, chosen by the file's extension.
#pragma once

#include <QString>

#include <optional>
#include <span>
#include <string_view>

#include "cycle/basic_cycle.h"
#include "cycle/comparison.h"
#include "cycle/layouts.h"
#include "report/report_content.h"
#include "report/report_tables.h"

namespace report {

// Writes the report as files::WriteWholeFile does: whole, or not at all with
// the file that was there unchanged. Returns why it could not be written, or
// nothing. A PDF needs a running QApplication (its diagrams are drawn as
// plots).
//
// The basic report's PDF: title, date, program version; the refrigerant with
// the sources of its equation of state; the inputs; the sixteen figures as
// the results page shows them; the cycle's states with p, T, h and s; its
// pressure-enthalpy diagram.
std::optional<QString> WriteBasicReport(const QString& path, const cycle::BasicCycleInput& input,
                                        const cycle::BasicCycleResult& result);
// The comparison report's PDF: the conditions, the figures of every
// refrigerant, the sources of their equations, bar charts of COP and
// displacement volume, and each refrigerant's pressure-enthalpy diagram.
std::optional<QString> WriteComparisonReport(const QString& path,
                                             const cycle::ComparisonResults& results);

// The layouts report's PDF: the inputs; for each refrigerant its
// equation's sources, figures, the verdict on wet compression, the states,
// the exergy destroyed in each component (table and bar chart) and the
// pressure-enthalpy diagram; a refused refrigerant with why. Its CSV: the
// figures table of the command line (LayoutFiguresTable).
std::optional<QString> WriteLayoutReport(const QString& path, const cycle::LayoutInput& input,
                                         std::span<const cycle::LayoutOutcome> outcomes);

// Any table as a CSV file, written the same way; a comment, where given,
// on a line of its own before the header, after "# ".
std::optional<QString> WriteCsvTable(const QString& path, const CsvTable& table,
                                     std::string_view comment = {});

// The PDF reports above from their diagrams computed beforehand
// (report_content.h): drawing them asks the property library nothing, so
// that the command line draws them in a library of their own. The layout's
// diagrams one per outcome.
std::optional<QString> WriteBasicPdf(const QString& path, const cycle::BasicCycleInput& input,
                                     const cycle::BasicCycleResult& result,
                                     const ReportDiagram& diagram);
std::optional<QString> WriteComparisonPdf(const QString& path,
                                          const cycle::ComparisonResults& results,
                                          std::span<const ReportDiagram> diagrams);
std::optional<QString> WriteLayoutPdf(const QString& path, const cycle::LayoutInput& input,
                                      std::span<const cycle::LayoutOutcome> outcomes,
                                      std::span<const ReportDiagram> diagrams);

}  // namespace report
