// Small text helpers shared by the units of the property layer.
#pragma once

#include <string>
#include <string_view>

namespace property {

std::string_view TrimBlanks(std::string_view text);
std::string UpperCase(std::string_view text);

// A text the caller typed, as a message shows it: one longer than 80
// characters keeps its start and end around "...", so that the reason that
// follows it in the message still fits the 255 characters of ErrorText.
std::string ShortenedForMessage(std::string_view text);

}  // namespace property
