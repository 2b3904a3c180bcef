// How numbers are read from, and written into, the texts that engineers see.
// Every form, page and command reads typed numbers here and shows figures
// here; nothing else converts between numbers and such texts.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace cycle {

// ---- Reading what a user typed -------------------------------------------
//
// One grammar for every typed number: blanks (spaces, tabs, line feeds)
// count nowhere, wherever they stand; then an optional sign, digits with at
// most one "." (the only decimal separator, whatever the locale), and an
// exponent E with an optional sign where digits follow it.

// The leading-number conversion of the forms' fields: the longest leading
// number is taken and the rest ignored; a text that does not begin with a
// number reads as 0. "3,5" -> 3, "12 kW" -> 12, "1.5e1" -> 15, " 5 0" -> 50.
double LeadingNumber(std::string_view text);

// The number when the text is one finite number and nothing else:
// " 1.5 " -> 1.5, "1 500" -> 1500; "1,5", "12abc", "", "nan", "1e999" ->
// nothing.
std::optional<double> WholeNumber(std::string_view text);

// Why WholeNumber reads nothing in a field's text, naming the field:
// `Subcooling: "1,5" is not a number (the decimal separator is a point)`,
// or `Subcooling is out of range` for a number beyond the double range. A
// long text is shortened as every message shortens what a user typed.
std::string NumberRefusal(std::string_view field, std::string_view text);

// A typed number and the name messages give its field.
struct TypedField {
  std::string_view name;
  std::string_view text;
};

// The refusal of the first field whose text WholeNumber does not read, or
// nothing. The forms run it after their own checks: a blank field, or one
// without a number, reads 0 there and gets the form's message for a missing
// input, and a field whose leading number those checks refuse gets theirs.
std::optional<std::string> FirstNumberRefusal(std::span<const TypedField> fields);

// ---- Showing figures -------------------------------------------------------
//
// FormatFixed is the one rule for every figure a page, chart, report, file
// or message shows; `decimals` is the page's pattern ("0.00": 2). The point
// is the separator whatever the locale; rounding is half away from zero on
// the shortest decimal text of the double (1.005 -> "1.01", as on paper).
//
//   the value                          shown as                   e.g. with 2 decimals
//   0 (also -0)                        the pattern                0 -> "0.00"
//   from 1 up to 1e15                  the pattern                1234.567 -> "1234.57"
//   below 1, where the pattern shows   the pattern                (with 4: 0.0123 -> "0.0123")
//     3 significant digits or more
//   below 1 down to 1e-6, where it     fixed point with 3         0.5 -> "0.500",
//     shows fewer                        significant digits       0.00096 -> "0.000960"
//   below 1e-6, where it shows         exponent form with 3       9.6e-8 -> "9.60e-08"
//     fewer; 1e15 and up                 significant digits       1e300 -> "1.00e+300"
//   not finite                         "NaN", "Infinity", "-Infinity"
//
// So no non-zero value shows as 0, none below 1 loses its digits to the
// pattern's leading zeros, no text runs to hundreds of digits, and "-0.00"
// never shows.
std::string FormatFixed(double value, int decimals);

// The fixed patterns of the calculation's own result pages ("0.00",
// "0.0000", "0.00000"): exactly the pattern, except where it would show a
// non-zero value as zero or run past 1e15 (there as FormatFixed).
// 0.5 -> "0.50", 0.00096 with 5 decimals -> "0.00096", 0.0004 -> "0.000400".
std::string FormatPattern(double value, int decimals);

// As many decimals as `digits` significant digits need, trailing zeros
// dropped, otherwise as FormatFixed: 0.00024 -> "0.00024", 0.0275 ->
// "0.0275", 1 -> "1", 1430 -> "1430" (3 digits). For figures of very
// different sizes in one column (ozone depletion).
std::string FormatSignificant(double value, int digits);

// The shortest text that reads back as exactly the number: "90", "3.5",
// "434.16373896909136", "1e+300". For machine-read output and conditions as
// typed.
std::string FormatShortest(double value);

}  // namespace cycle
