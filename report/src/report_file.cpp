#include "report/report_file.h"

#include <QDate>
#include <QFile>
#include <QPdfWriter>

#include <functional>
#include <vector>

#include "pdf_pages.h"
#include "plots/bar_chart.h"
#include "plots/cycle_diagram_plot.h"
#include "plots/plot_file.h"
#include "report/equation_sources.h"
#include "report/layout_tables.h"

namespace report {

namespace {

constexpr char kTableAttributes[] = R"(border="1" cellspacing="0" cellpadding="3")";
constexpr double kDiagramHeightMm = 125, kChartHeightMm = 70, kHeadingMm = 12;
// A layout's losses with their heading: a row per component and the exergy delivered.
constexpr double kLossesTableMm = 60;

QString Html(const std::string& text) { return QString::fromStdString(text).toHtmlEscaped(); }

QString Table(const CsvTable& table) {
  return QString::fromStdString(HtmlTable(table, kTableAttributes));
}

// A table across the whole width, in smaller type: the comparison's eight
// columns then keep their headings' words whole.
QString WideTable(const CsvTable& table) {
  return QString::fromStdString(HtmlTable(
      table, R"(border="1" cellspacing="0" cellpadding="2" width="100%" style="font-size:7pt")"));
}

// Title, what was calculated, the date and the program.
QString Heading(const QString& what) {
  return QStringLiteral("<h2>Heat pump calculation</h2><p>%1<br>Date: %2<br>"
                        "Program: Vapor compression heat pump, version %3</p>")
      .arg(what, QDate::currentDate().toString(Qt::ISODate), QStringLiteral(HEATPUMP_VERSION));
}

QString SourcesOf(const std::string& refrigerant) {
  QString html = QStringLiteral("<p><b>%1</b>. Equation of state:").arg(Html(refrigerant));
  for (const std::string& line : EquationSources(refrigerant)) html += "<br>" + Html(line);
  return html + "</p>";
}

// The refrigerant's pressure-enthalpy diagram, or why there is none.
void AddDiagram(PdfPages& pages, const ReportDiagram& diagram, const std::string& refrigerant) {
  pages.KeepTogether(kHeadingMm + kDiagramHeightMm);
  pages.AddHtml(QStringLiteral("<h3>Pressure-enthalpy diagram: %1</h3>").arg(Html(refrigerant)));
  if (const auto* message = std::get_if<std::string>(&diagram)) {
    pages.AddHtml(QStringLiteral("<p>No diagram: %1</p>").arg(Html(*message)));
    return;
  }
  plots::CycleDiagramPlot plot(plots::DiagramLook::Chart);
  plot.Draw({&std::get<cycle::CycleDiagram>(diagram), 1});
  pages.AddPlots({&plot}, kDiagramHeightMm);
}

bool DrawBasic(QIODevice& file, const cycle::BasicCycleInput& input,
               const cycle::BasicCycleResult& result, const ReportDiagram& diagram) {
  QPdfWriter writer(&file);
  PdfPages pages(writer,
                 QStringLiteral("Heat pump calculation: %1").arg(QString::fromStdString(input.Refrigerant)));
  QString html = Heading(QStringLiteral("Basic calculation: one heat pump sized from the hot water."));
  html += QStringLiteral("<h3>Refrigerant</h3>") + SourcesOf(input.Refrigerant);
  html += QStringLiteral("<h3>Inputs</h3>") + Table(LabelledTable(BasicInputs(input)));
  html += QStringLiteral("<h3>Results</h3>") + Table(LabelledTable(BasicFigures(result)));
  pages.AddHtml(html);
  if (const auto* d = std::get_if<cycle::CycleDiagram>(&diagram)) {
    pages.AddHtml(QStringLiteral("<h3>Cycle points</h3>") + Table(CyclePointsTable(d->corners)) +
                  QStringLiteral("<p>2s is where an ideal (isentropic) compressor would end; "
                                 "the results page shows its enthalpy at point 2.</p>"));
  }
  AddDiagram(pages, diagram, input.Refrigerant);
  return pages.Finish();
}

bool DrawComparison(QIODevice& file, const cycle::ComparisonResults& results,
                    std::span<const ReportDiagram> diagrams) {
  QPdfWriter writer(&file);
  PdfPages pages(writer, QStringLiteral("Heat pump calculation: comparison of working fluids"));
  const int count = results.RefCount;
  QString html = Heading(QStringLiteral("Comparison of %1 working fluid%2 under the same conditions.")
                             .arg(count)
                             .arg(count == 1 ? "" : "s"));
  html += QStringLiteral("<h3>Conditions</h3>") +
          Table(LabelledTable(ComparisonConditions(results.Conditions)));
  html += QStringLiteral("<h3>Results</h3>") + WideTable(ComparisonTable(results));
  html += QStringLiteral("<h3>Equations of state</h3>");
  QStringList names;
  std::vector<double> cop, displacement;
  for (int slot = 0; slot < count; ++slot) {
    const auto k = static_cast<std::size_t>(slot);
    html += SourcesOf(results.RefName[k]);
    names << QString::fromStdString(results.RefName[k]);
    cop.push_back(results.COP[k]);
    displacement.push_back(results.DisplacementVolume[k]);
  }
  pages.AddHtml(html);

  QCustomPlot cop_chart, displacement_chart;
  plots::DrawBars(cop_chart, names, cop, QStringLiteral("COP (-)"), 2);
  plots::DrawBars(displacement_chart, names, displacement,
                  QStringLiteral("Displacement volume (m3/h)"), 2);
  pages.AddPlots({&cop_chart, &displacement_chart}, kChartHeightMm);
  for (int slot = 0; slot < count; ++slot) {
    const auto k = static_cast<std::size_t>(slot);
    AddDiagram(pages, diagrams[k], results.RefName[k]);
  }
  return pages.Finish();
}

// A refrigerant in a layout: figures, verdict, states, losses, diagram;
// each piece where it fits.
void AddLayoutResult(PdfPages& pages, const cycle::LayoutResult& r, const ReportDiagram& diagram) {
  const QString name = Html(r.refrigerant);
  pages.AddHtml(QStringLiteral("<h3>%1</h3>").arg(name) + SourcesOf(r.refrigerant) +
                Table(LabelledTable(LayoutFigures(r))) +
                QStringLiteral("<p>%1</p>").arg(Html(cycle::WetCompressionVerdict(r))));
  pages.AddHtml(QStringLiteral("<h3>States: %1</h3>").arg(name) + Table(LayoutStatePoints(r)));
  QStringList components;
  std::vector<double> losses;
  for (const cycle::Component component : cycle::ComponentsOf(r.layout)) {
    components << QString::fromUtf8(cycle::ComponentLabel(component, r.layout).data());
    losses.push_back(r.Loss(component));
  }
  pages.KeepTogether(kLossesTableMm + kChartHeightMm);
  pages.AddHtml(QStringLiteral("<h3>Exergy destroyed: %1</h3>").arg(name) + Table(LayoutLosses(r)));
  QCustomPlot chart;
  plots::DrawBars(chart, components, losses, QStringLiteral("Exergy destroyed (kW)"), 3);
  pages.AddPlots({&chart}, kChartHeightMm);
  AddDiagram(pages, diagram, r.refrigerant);
}

bool DrawLayout(QIODevice& file, const cycle::LayoutInput& input,
                std::span<const cycle::LayoutOutcome> outcomes,
                std::span<const ReportDiagram> diagrams) {
  QPdfWriter writer(&file);
  const QString title = QString::fromUtf8(
      cycle::LayoutTitle(outcomes.empty() ? cycle::Layout::basic : outcomes.front().layout).data());
  PdfPages pages(writer, QStringLiteral("Heat pump calculation: %1").arg(title));
  QString html = Heading(QStringLiteral("Cycle layout: %1.").arg(title));
  html += QStringLiteral("<h3>Inputs</h3>") + Table(LabelledTable(LayoutInputs(input)));
  pages.AddHtml(html);
  for (std::size_t i = 0; i < outcomes.size(); ++i) {
    const cycle::LayoutOutcome& outcome = outcomes[i];
    if (const auto* result = outcome.result()) {
      AddLayoutResult(pages, *result, diagrams[i]);
    } else {
      pages.AddHtml(QStringLiteral("<h3>%1</h3><p>Refused: %2</p>")
                        .arg(Html(outcome.refrigerant), Html(outcome.refusal()->reason)));
    }
  }
  return pages.Finish();
}

// Drawn in memory, then written whole.
std::optional<QString> WriteThrough(const QString& path, const std::function<bool(QIODevice&)>& write) {
  return plots::WriteRendered(path, QStringLiteral("the report"), write);
}

// The report as the path's extension asks: the PDF, or the CSV table.
std::optional<QString> WriteReport(const QString& path,
                                   const std::function<std::optional<QString>()>& pdf,
                                   const std::function<CsvTable()>& csv) {
  const auto format = ReportFormatOf(path.toStdString());
  if (!format) {
    return QStringLiteral("%1: the report's file name must end in .pdf or .csv").arg(path);
  }
  return *format == ReportFormat::Pdf ? pdf() : WriteCsvTable(path, csv());
}

}  // namespace

std::optional<QString> WriteBasicReport(const QString& path, const cycle::BasicCycleInput& input,
                                        const cycle::BasicCycleResult& result) {
  return WriteReport(
      path, [&] { return WriteBasicPdf(path, input, result, BasicReportDiagram(input)); },
      [&] { return BasicTable(input, result); });
}

std::optional<QString> WriteComparisonReport(const QString& path,
                                             const cycle::ComparisonResults& results) {
  return WriteReport(
      path, [&] { return WriteComparisonPdf(path, results, ComparisonReportDiagrams(results)); },
      [&] { return ComparisonTable(results); });
}

std::optional<QString> WriteLayoutReport(const QString& path, const cycle::LayoutInput& input,
                                         std::span<const cycle::LayoutOutcome> outcomes) {
  return WriteReport(
      path,
      [&] { return WriteLayoutPdf(path, input, outcomes, LayoutReportDiagrams(outcomes)); },
      [&] { return LayoutFiguresTable(outcomes); });
}

std::optional<QString> WriteCsvTable(const QString& path, const CsvTable& table,
                                     std::string_view comment) {
  const auto failure = WriteCsvFile(QFile::encodeName(path).toStdString(), table, comment);
  if (!failure) return std::nullopt;
  return QString::fromStdString(*failure);
}

std::optional<QString> WriteBasicPdf(const QString& path, const cycle::BasicCycleInput& input,
                                     const cycle::BasicCycleResult& result,
                                     const ReportDiagram& diagram) {
  return WriteThrough(path,
                      [&](QIODevice& file) { return DrawBasic(file, input, result, diagram); });
}

std::optional<QString> WriteComparisonPdf(const QString& path,
                                          const cycle::ComparisonResults& results,
                                          std::span<const ReportDiagram> diagrams) {
  return WriteThrough(path,
                      [&](QIODevice& file) { return DrawComparison(file, results, diagrams); });
}

std::optional<QString> WriteLayoutPdf(const QString& path, const cycle::LayoutInput& input,
                                      std::span<const cycle::LayoutOutcome> outcomes,
                                      std::span<const ReportDiagram> diagrams) {
  return WriteThrough(
      path, [&](QIODevice& file) { return DrawLayout(file, input, outcomes, diagrams); });
}

}  // namespace report
