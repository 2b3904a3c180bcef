#include "html_text.h"

#include <cmath>

#include "cycle/number_text.h"

namespace document {

std::string Escape(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string Fixed(std::optional<double> value, int decimals) {
  if (!value || !std::isfinite(*value)) return std::string(kDash);
  return cycle::FormatFixed(*value, decimals);
}

std::string Short(std::optional<double> value, int digits) {
  if (!value || !std::isfinite(*value)) return std::string(kDash);
  return cycle::FormatSignificant(*value, digits);
}

std::string FormulaHtml(std::string_view formula) {
  std::string html;
  while (!formula.empty()) {
    const auto open = formula.find("_{");
    const auto close = open == std::string_view::npos ? open : formula.find('}', open);
    if (close == std::string_view::npos) {
      html += Escape(formula);
      break;
    }
    html += Escape(formula.substr(0, open));
    const std::string_view count = formula.substr(open + 2, close - open - 2);
    if (count != "1") html += "<sub>" + Escape(count) + "</sub>";
    formula.remove_prefix(close + 1);
  }
  return html;
}

}  // namespace document
