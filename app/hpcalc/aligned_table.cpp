#include "aligned_table.h"

#include <algorithm>
#include <ostream>

namespace hpcalc {

namespace {

// The columns a text takes on a terminal: one per character of its UTF-8.
std::size_t Width(const std::string& text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

}  // namespace

void PrintAligned(const std::vector<std::vector<std::string>>& lines, bool numbers,
                  std::ostream& out) {
  std::vector<std::size_t> widths;
  for (const auto& line : lines) {
    widths.resize(std::max(widths.size(), line.size()), 0);
    for (std::size_t i = 0; i < line.size(); ++i) widths[i] = std::max(widths[i], Width(line[i]));
  }
  for (const auto& line : lines) {
    std::string text;
    for (std::size_t i = 0; i < line.size(); ++i) {
      const std::string padding(widths[i] - Width(line[i]), ' ');
      text += i == 0 ? line[i] + padding : "  " + (numbers ? padding + line[i] : line[i] + padding);
    }
    text.erase(text.find_last_not_of(' ') + 1);
    out << text << '\n';
  }
}

void PrintAligned(const report::CsvTable& table, std::ostream& out) {
  std::vector<std::vector<std::string>> lines{table.Header()};
  lines.insert(lines.end(), table.Rows().begin(), table.Rows().end());
  PrintAligned(lines, true, out);
}

}  // namespace hpcalc
