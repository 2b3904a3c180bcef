// Tables printed for a terminal: fields in columns of equal width.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "report/csv_table.h"

namespace hpcalc {

// Lines of fields in columns: the first to the left, the others to the
// right where they are a table's numbers.
void PrintAligned(const std::vector<std::vector<std::string>>& lines, bool numbers,
                  std::ostream& out);
// The header and the rows, the numbers to the right.
void PrintAligned(const report::CsvTable& table, std::ostream& out);

}  // namespace hpcalc
