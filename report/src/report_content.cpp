#include "report/report_content.h"

#include "files/file_name.h"
#include "files/whole_file.h"

namespace report {

std::optional<ReportFormat> ReportFormatOf(std::string_view path) {
  const std::string extension = files::LowerCaseExtension(path);
  if (extension == "pdf") return ReportFormat::Pdf;
  if (extension == "csv") return ReportFormat::Csv;
  return std::nullopt;
}

std::optional<std::string> WriteCsvFile(const std::string& path, const CsvTable& table,
                                        std::string_view comment) {
  const std::string text =
      (comment.empty() ? std::string() : "# " + std::string(comment) + "\n") + table.Text();
  return files::WriteWholeFile(path, text);
}

ReportDiagram BasicReportDiagram(const cycle::BasicCycleInput& input) {
  return cycle::BasicCycleDiagram(input, cycle::DiagramKind::PressureEnthalpy);
}

std::vector<ReportDiagram> ComparisonReportDiagrams(const cycle::ComparisonResults& results) {
  std::vector<ReportDiagram> diagrams;
  for (int slot = 0; slot < results.RefCount; ++slot) {
    diagrams.push_back(cycle::ComparisonDiagram(results.RefName[static_cast<std::size_t>(slot)],
                                                results.Conditions,
                                                cycle::DiagramKind::PressureEnthalpy));
  }
  return diagrams;
}

std::vector<ReportDiagram> LayoutReportDiagrams(std::span<const cycle::LayoutOutcome> outcomes) {
  std::vector<ReportDiagram> diagrams;
  for (const cycle::LayoutOutcome& outcome : outcomes) {
    if (const auto* result = outcome.result()) {
      diagrams.push_back(cycle::LayoutDiagram(*result, cycle::DiagramKind::PressureEnthalpy));
    } else {
      diagrams.emplace_back(outcome.refusal()->reason);
    }
  }
  return diagrams;
}

}  // namespace report
