// Small text helpers shared by the units of the property layer.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace property {

std::string_view TrimBlanks(std::string_view text);
std::string UpperCase(std::string_view text);

// The whole text (surrounding blanks allowed) as a finite decimal number, or
// nothing.
std::optional<double> ParseNumber(std::string_view text);

// The decimal number at the start of the text, leading blanks skipped; a
// text that does not begin with a number reads as 0. An out-of-range number
// reads as an infinity of its sign.
double LeadingNumber(std::string_view text);

}  // namespace property
