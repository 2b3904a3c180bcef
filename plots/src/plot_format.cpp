#include "plots/plot_format.h"

#include "files/file_name.h"

namespace plots {

std::optional<PlotFormat> PlotFormatOf(std::string_view path) {
  const std::string extension = files::LowerCaseExtension(path);
  if (extension == "png") return PlotFormat::Png;
  if (extension == "svg") return PlotFormat::Svg;
  if (extension == "pdf") return PlotFormat::Pdf;
  return std::nullopt;
}

}  // namespace plots
