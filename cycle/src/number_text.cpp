#include "cycle/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

#include "property/message_text.h"
#include "property/number_text.h"

namespace cycle {

namespace {

bool IsSkippedBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// Blanks count nowhere, so they go first: " 5 0" is read as "50".
std::string WithoutBlanks(std::string_view text) {
  std::string compact;
  compact.reserve(text.size());
  for (const char c : text) {
    if (!IsSkippedBlank(c)) compact += c;
  }
  return compact;
}

bool IsOneNumber(std::string_view compact) {
  const std::size_t length = property::NumberLength(compact);
  return length > 0 && length == compact.size();
}

}  // namespace

double LeadingNumber(std::string_view text) { return property::LeadingNumber(WithoutBlanks(text)); }

std::optional<double> WholeNumber(std::string_view text) {
  const std::string compact = WithoutBlanks(text);
  if (!IsOneNumber(compact)) return std::nullopt;
  const double value = property::LeadingNumber(compact);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

std::string NumberRefusal(std::string_view field, std::string_view text) {
  if (IsOneNumber(WithoutBlanks(text))) return std::string(field) + " is out of range";
  return std::string(field) + ": \"" + property::ShortenedForMessage(text) +
         "\" is not a number (the decimal separator is a point)";
}

std::optional<std::string> FirstNumberRefusal(std::span<const TypedField> fields) {
  for (const TypedField& field : fields) {
    if (!WholeNumber(field.text)) return NumberRefusal(field.name, field.text);
  }
  return std::nullopt;
}

namespace {

constexpr int kLeastSignificantDigits = 3;
// From here up, and below kSmallestFixed where the pattern falls short, the
// exponent form.
constexpr double kLargestFixed = 1e15;
constexpr double kSmallestFixed = 1e-6;

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

// The shortest decimal text that reads back as this double is what the
// engineer would type for it; rounding that text makes 1.005 show as 1.01.
std::string ShortestText(double magnitude, std::chars_format format) {
  // 400 characters hold the longest fixed text of any finite double (309
  // integer digits, or 324 decimals of the smallest subnormal).
  std::array<char, 400> buffer{};
  char* const end =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude, format).ptr;
  return std::string(buffer.data(), end);
}

// The power of ten of the first significant digit of a finite non-zero
// value, read off its shortest text (a logarithm can be off by one there).
int DecimalExponent(double value) {
  const std::string text = ShortestText(std::fabs(value), std::chars_format::scientific);
  std::string_view exponent = std::string_view(text).substr(text.find('e') + 1);
  if (exponent.front() == '+') exponent.remove_prefix(1);
  int power = 0;
  std::from_chars(exponent.data(), exponent.data() + exponent.size(), power);
  return power;
}

std::string Signed(double value, const std::string& magnitude) {
  const bool all_zero = magnitude.find_first_not_of("0.") == std::string::npos;
  return (value < 0 && !all_zero) ? "-" + magnitude : magnitude;
}

std::string FixedPoint(double value, int decimals) {
  return Signed(value, RoundDecimalText(ShortestText(std::fabs(value), std::chars_format::fixed),
                                        std::max(decimals, 0)));
}

// "d.dd" and the exponent with its sign and at least two digits: "9.60e-08".
std::string ExponentForm(double value) {
  const std::string text = ShortestText(std::fabs(value), std::chars_format::scientific);
  const std::size_t e = text.find('e');
  int power = DecimalExponent(value);
  std::string mantissa =
      RoundDecimalText(std::string_view(text).substr(0, e), kLeastSignificantDigits - 1);
  if (mantissa.size() > kLeastSignificantDigits + 1) {  // 9.995 rounded up to 10.00
    mantissa = RoundDecimalText("1", kLeastSignificantDigits - 1);
    ++power;
  }
  const std::string digits = std::to_string(std::abs(power));
  return Signed(value,
                mantissa + (power < 0 ? "e-" : "e+") + (digits.size() < 2 ? "0" : "") + digits);
}

}  // namespace

std::string FormatFixed(double value, int decimals) {
  if (!std::isfinite(value)) return std::isnan(value) ? "NaN" : (value > 0 ? "Infinity" : "-Infinity");
  const double magnitude = std::fabs(value);
  if (magnitude >= kLargestFixed) return ExponentForm(value);
  if (value == 0 || magnitude >= 1) return FixedPoint(value, decimals);
  const int needed = kLeastSignificantDigits - 1 - DecimalExponent(value);
  if (decimals >= needed) return FixedPoint(value, decimals);
  if (magnitude >= kSmallestFixed) return FixedPoint(value, needed);
  return ExponentForm(value);
}

std::string FormatPattern(double value, int decimals) {
  if (!std::isfinite(value) || std::fabs(value) >= kLargestFixed) return FormatFixed(value, decimals);
  std::string text = FixedPoint(value, decimals);
  const bool shows_zero = value != 0 && text.find_first_not_of("-0.") == std::string::npos;
  return shows_zero ? FormatFixed(value, decimals) : text;
}

std::string FormatSignificant(double value, int digits) {
  if (!std::isfinite(value) || value == 0) return FormatFixed(value, 0);
  std::string text = FormatFixed(value, std::max(0, digits - 1 - DecimalExponent(value)));
  if (text.find('.') != std::string::npos && text.find('e') == std::string::npos) {
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
