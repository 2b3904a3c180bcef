// Texts a caller typed, as messages echo them.
#pragma once

#include <string>
#include <string_view>

namespace property {

// A text the caller typed, as a message shows it: one longer than 80
// characters keeps its start and end around "...", so that the reason that
// follows it in the message still fits the 255 characters of ErrorText, and
// a message box stays readable.
std::string ShortenedForMessage(std::string_view text);

}  // namespace property
