// The small pieces of text the document is made of: escaped names, figures
// as the program shows them (cycle/number_text.h), and a dash where a figure
// is missing. Independent of the C library's locale: the point is always ".".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace document {

// Stands in the tables for a figure that does not exist or could not be
// computed (an en dash).
inline constexpr std::string_view kDash = "\u2013";

// Text for HTML: & < > " escaped.
std::string Escape(std::string_view text);

// The figure with `decimals` decimals ("101.06") by the program's rule for
// shown figures (cycle::FormatFixed); the dash for nothing.
std::string Fixed(std::optional<double> value, int decimals);

// A figure of a few significant digits without trailing zeros: whole
// numbers from 100 up ("1430", "42239529"), `digits` significant digits
// below ("2.9", "0.022" with 3; cycle::FormatSignificant); the dash for
// nothing.
std::string Short(std::optional<double> value, int digits = 3);

// A formula as the fluid files write it ("C_{2}F_{4}H_{2}") with subscripts,
// a count of 1 left out; any other text escaped as it is.
std::string FormulaHtml(std::string_view formula);

}  // namespace document
