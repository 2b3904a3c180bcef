// The picture formats a plot is written in, told by a file's name. No Qt:
// the command line checks a name before it draws anything.
#pragma once

#include <optional>
#include <string_view>

namespace plots {

enum class PlotFormat { Png, Svg, Pdf };

// The format named by the extension (".png", ".svg", ".pdf" in any case);
// nothing for any other.
std::optional<PlotFormat> PlotFormatOf(std::string_view path);

}  // namespace plots
