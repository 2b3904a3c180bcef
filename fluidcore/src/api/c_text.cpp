#include "api/c_text.h"

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

std::string shortened(std::string_view name) {
  constexpr std::size_t kLongest = 80, kHead = 60, kTail = kLongest - kHead - 3;
  if (name.size() <= kLongest) return std::string(name);
  return std::string(name.substr(0, kHead)) + "..." + std::string(name.substr(name.size() - kTail));
}

std::vector<std::string> split_list(std::string_view list) {
  std::vector<std::string> names;
  for (std::size_t start = 0; start <= list.size();) {
    const auto bar = std::min(list.find('|', start), list.size());
    std::string_view name = list.substr(start, bar - start);
    while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.remove_prefix(1);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
    if (!name.empty()) names.emplace_back(name);
    start = bar + 1;
  }
  return names;
}

}  // namespace fluidcore::c_text
