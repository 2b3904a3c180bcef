// Decimal numbers read from texts, the same way wherever a text holds one:
// "." as the decimal point whatever the process locale, an exponent only
// where digits follow its letter.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace property {

// The length of the longest decimal number at the start of the text (no
// blank skipped): an optional sign, digits with at most one ".", and an
// exponent where digits follow its letter; 0 when the text does not begin
// with a number.
std::size_t NumberLength(std::string_view text);

// The whole text (surrounding blanks allowed) as a finite decimal number, or
// nothing.
std::optional<double> ParseNumber(std::string_view text);

// The decimal number at the start of the text, leading blanks skipped; a
// text that does not begin with a number reads as 0. A number beyond the
// double range reads as an infinity of its sign, one too small for it as 0,
// however it is written ("1e-401" and "0.000...1" alike).
double LeadingNumber(std::string_view text);

}  // namespace property
