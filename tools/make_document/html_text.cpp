#include "html_text.h"

#include <array>
#include <charconv>
#include <cmath>

namespace document {

namespace {

std::string ToChars(double value, std::chars_format format, int precision) {
  std::array<char, 64> buffer{};
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format, precision);
  return std::string(buffer.data(), result.ptr);
}

}  // namespace

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
  std::string text = ToChars(*value, std::chars_format::fixed, decimals);
  if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

std::string Short(std::optional<double> value, int digits) {
  if (!value || !std::isfinite(*value)) return std::string(kDash);
  if (std::fabs(*value) >= 100) return Fixed(std::round(*value), 0);
  std::string text = ToChars(*value, std::chars_format::general, digits);
  // The fixed form when the general one chose an exponent.
  if (text.find('e') != std::string::npos) {
    const int decimals = digits - 1 - static_cast<int>(std::floor(std::log10(std::fabs(*value))));
    text = ToChars(*value, std::chars_format::fixed, decimals);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
  }
  return text;
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
