#include "cycle/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace cycle {

namespace {

bool IsSkippedBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Appends the digits at the front of text, returns how many there were.
std::size_t TakeDigits(std::string_view text, std::size_t from, std::string& out) {
  std::size_t count = 0;
  while (from + count < text.size() && IsDigit(text[from + count])) {
    out += text[from + count];
    ++count;
  }
  return count;
}

}  // namespace

double LeadingNumber(std::string_view text) {
  // Blanks count nowhere, so drop them first: " 5 0" is read as "50".
  std::string compact;
  compact.reserve(text.size());
  for (const char c : text) {
    if (!IsSkippedBlank(c)) compact += c;
  }

  std::string number;
  std::size_t pos = 0;
  if (pos < compact.size() && (compact[pos] == '+' || compact[pos] == '-')) {
    number += compact[pos++];
  }
  std::size_t mantissa_digits = TakeDigits(compact, pos, number);
  pos += mantissa_digits;
  if (pos < compact.size() && compact[pos] == '.') {
    number += '.';
    const std::size_t fraction_digits = TakeDigits(compact, pos + 1, number);
    pos += 1 + fraction_digits;
    mantissa_digits += fraction_digits;
  }
  if (mantissa_digits == 0) return 0;

  // The exponent belongs to the number only when digits follow its letter.
  if (pos < compact.size() && (compact[pos] == 'e' || compact[pos] == 'E')) {
    std::size_t exp_pos = pos + 1;
    std::string exponent = "e";
    if (exp_pos < compact.size() && (compact[exp_pos] == '+' || compact[exp_pos] == '-')) {
      exponent += compact[exp_pos++];
    }
    if (TakeDigits(compact, exp_pos, exponent) > 0) number += exponent;
  }
  // from_chars reads "." whatever the process locale says (the desktop
  // toolkit adopts the user's locale, where "3.5" may otherwise read as 3).
  const bool negative = number.front() == '-';
  const std::size_t digits_from = (number.front() == '-' || number.front() == '+') ? 1 : 0;
  double value = 0;
  const auto [end, error] =
      std::from_chars(number.data() + digits_from, number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Beyond the double range: a huge exponent reads as infinity (the
    // calculations refuse it with a message), a tiny one as 0.
    const bool tiny = number.find("e-") != std::string::npos;
    value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
  }
  return negative ? -value : value;
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

}  // namespace cycle
