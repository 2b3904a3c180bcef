// The screening's table as a CSV table: one column per screening column,
// headed by its name, each cell as the table shows it (empty where unknown).
// The command line and the screening page's Export write it alike.
#pragma once

#include <vector>

#include "cycle/screening.h"
#include "report/csv_table.h"

namespace report {

CsvTable ScreeningTable(const std::vector<cycle::ScreeningRow>& rows);

}  // namespace report
