// How numbers are read from, and written into, the texts that engineers see.
#pragma once

#include <string>
#include <string_view>

namespace cycle {

// The leading-number conversion of every numeric field: blanks, tabs and line
// feeds are skipped wherever they stand; the longest leading decimal number
// (sign, digits, one "." separator, exponent) is taken; a text that does not
// begin with a number reads as 0. "3,5" -> 3, "12 kW" -> 12, "1.5e1" -> 15.
double LeadingNumber(std::string_view text);

// Fixed-point text with the given number of decimals, "." as separator,
// rounded, at least one digit before the point, never "-0.00".
std::string FormatFixed(double value, int decimals);

// Fixed-point text with as many decimals as `digits` significant digits need,
// trailing zeros dropped: 0.00024 -> "0.00024", 0.0275 -> "0.0275", 1 -> "1".
// For figures of very different sizes in one column (ozone depletion).
std::string FormatSignificant(double value, int digits);

// The shortest text that reads back as exactly the number: "90", "3.5",
// "434.16373896909136". For machine-read output and conditions as typed.
std::string FormatShortest(double value);

}  // namespace cycle
