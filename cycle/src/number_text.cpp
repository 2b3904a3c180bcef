#include "cycle/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

#include "property/number_text.h"

namespace cycle {

namespace {

bool IsSkippedBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

}  // namespace

double LeadingNumber(std::string_view text) {
  // Blanks count nowhere, so drop them first: " 5 0" is read as "50".
  std::string compact;
  compact.reserve(text.size());
  for (const char c : text) {
    if (!IsSkippedBlank(c)) compact += c;
  }
  return property::LeadingNumber(compact);
}

namespace {

// Rounds the magnitude written as "digits[.digits]" half away from zero to the
// given number of decimals.
std::string RoundDecimalText(std::string_view magnitude, int decimals) {
  const std::size_t point = magnitude.find('.');
  std::string integer(magnitude.substr(0, point));
  std::string fraction =
      point == std::string_view::npos ? std::string() : std::string(magnitude.substr(point + 1));

  const auto kept = static_cast<std::size_t>(decimals);
  const bool round_up = fraction.size() > kept && fraction[kept] >= '5';
  fraction.resize(kept, '0');

  std::string digits = integer + fraction;
  if (round_up) {
    std::size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (i == 0) {
      digits.insert(digits.begin(), '1');
    } else {
      ++digits[i - 1];
    }
  }
  const std::size_t integer_digits = digits.size() - kept;
  if (kept == 0) return digits;
  return digits.substr(0, integer_digits) + "." + digits.substr(integer_digits);
}

}  // namespace

std::string FormatFixed(double value, int decimals) {
  if (!std::isfinite(value)) return std::isnan(value) ? "NaN" : (value > 0 ? "Infinity" : "-Infinity");
  if (decimals < 0) decimals = 0;

  // The shortest decimal text that reads back as this double is what the
  // engineer would type for it; rounding that text (half away from zero) makes
  // 1.005 show as 1.01 and 0.125 as 0.13, as on paper.
  // 400 characters hold the longest fixed text of any finite double (309
  // integer digits, or 324 decimals of the smallest subnormal).
  std::array<char, 400> buffer{};
  const char* end =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                    std::chars_format::fixed)
          .ptr;
  const std::string rounded =
      RoundDecimalText(std::string_view(buffer.data(), end - buffer.data()), decimals);

  const bool all_zero = rounded.find_first_not_of("0.") == std::string::npos;
  return (value < 0 && !all_zero) ? "-" + rounded : rounded;
}

std::string FormatSignificant(double value, int digits) {
  if (!std::isfinite(value) || value == 0) return FormatFixed(value, 0);
  const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
  std::string text = FormatFixed(value, std::max(0, digits - 1 - magnitude));
  if (text.find('.') != std::string::npos) {
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
  }
  return text;
}

std::string FormatShortest(double value) {
  std::array<char, 32> text{};
  return std::string(text.data(),
                     std::to_chars(text.data(), text.data() + text.size(), value).ptr);
}

}  // namespace cycle
