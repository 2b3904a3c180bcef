// Comma-separated tables: every CSV the program writes goes through here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace report {

using TextTable = std::vector<std::vector<std::string>>;

// A field as CSV writes it: quoted when it holds a comma (spelled
// mixtures), a quote or a line break, with quotes doubled.
std::string CsvField(std::string_view text);

// One line per row, fields separated by commas, each line ended by "\n".
std::string CsvText(const TextTable& rows);

}  // namespace report
