#include "c_text.h"

#include <algorithm>
#include <cstring>

namespace fluidcore::c_text {

std::string read(const char* buffer, int width) {
  if (!buffer || width <= 0) return {};
  const auto n = static_cast<std::size_t>(width);
  const void* nul = std::memchr(buffer, '\0', n);
  std::string_view s(buffer, nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - buffer) : n);
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return std::string(s);
}

void write(char* buffer, int width, std::string_view text) {
  if (!buffer || width <= 0) return;
  const auto n = std::min(text.size(), static_cast<std::size_t>(width));
  std::memcpy(buffer, text.data(), n);
  std::memset(buffer + n, ' ', static_cast<std::size_t>(width) - n);
}

}  // namespace fluidcore::c_text
