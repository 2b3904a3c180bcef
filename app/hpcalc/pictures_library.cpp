// libhpcalc_pictures.so: hpcalc's drawing with Qt (pictures.h).
#include <QApplication>

#include <cstdio>
#include <cstring>
#include <functional>
#include <type_traits>

#include "pictures.h"
#include "plots/cycle_diagram_plot.h"
#include "plots/plot_file.h"
#include "report/report_file.h"

namespace hpcalc {

namespace {

// Runs `draw` with the QApplication that plots need to be drawn into
// files, offscreen: files need no display, so the command works the same
// without one or with one it cannot reach. The platform's notices (no
// runtime folder and the like) are no concern of the command's user.
std::optional<std::string> WithDrawing(const std::function<std::optional<QString>()>& draw) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(text));
  });
  int argc = 1;
  char name[] = "hpcalc";
  char* argv[] = {name, nullptr};
  const QApplication application(argc, argv);
  const auto failure = draw();
  if (!failure) return std::nullopt;
  return failure->toStdString();
}

QString FileName(const std::string& file) { return QString::fromStdString(file); }

class QtPictures final : public Pictures {
 public:
  std::optional<std::string> WriteDiagrams(
      const std::string& file, const std::vector<cycle::CycleDiagram>& diagrams) const override {
    return WithDrawing([&] {
      plots::CycleDiagramPlot plot(plots::DiagramLook::Chart);
      plot.Draw(diagrams);
      return plots::WritePlot(plot, FileName(file));
    });
  }

  std::optional<std::string> WriteBasicReport(const std::string& file,
                                              const cycle::BasicCycleInput& input,
                                              const cycle::BasicCycleResult& result,
                                              const report::ReportDiagram& diagram) const override {
    return WithDrawing(
        [&] { return report::WriteBasicPdf(FileName(file), input, result, diagram); });
  }

  std::optional<std::string> WriteComparisonReport(
      const std::string& file, const cycle::ComparisonResults& results,
      const std::vector<report::ReportDiagram>& diagrams) const override {
    return WithDrawing(
        [&] { return report::WriteComparisonPdf(FileName(file), results, diagrams); });
  }

  std::optional<std::string> WriteLayoutReport(
      const std::string& file, const cycle::LayoutInput& input,
      const std::vector<cycle::LayoutOutcome>& outcomes,
      const std::vector<report::ReportDiagram>& diagrams) const override {
    return WithDrawing(
        [&] { return report::WriteLayoutPdf(FileName(file), input, outcomes, diagrams); });
  }

  std::optional<std::string> WriteTranscriticalReport(
      const std::string& file, const cycle::TranscriticalInput& input,
      const cycle::TranscriticalResult& result,
      const report::ReportDiagram& diagram) const override {
    return WithDrawing(
        [&] { return report::WriteTranscriticalPdf(FileName(file), input, result, diagram); });
  }
};

}  // namespace

}  // namespace hpcalc

extern "C" __attribute__((visibility("default"))) const hpcalc::Pictures* HpcalcPictures(
    const char* version) {
  static const hpcalc::QtPictures pictures;
  return std::strcmp(version, HEATPUMP_VERSION) == 0 ? &pictures : nullptr;
}
static_assert(std::is_same_v<decltype(&HpcalcPictures), hpcalc::PicturesEntry>,
              "the entry point as hpcalc calls it");
