// The screening's table: one column per screening column, headed by its
// name, each cell as the table shows it (empty where unknown), with its
// value. The command line and the screening page's Export write it alike.
#pragma once

#include <vector>

#include "cycle/screening.h"
#include "report/csv_table.h"
#include "report/figure_rows.h"

namespace report {

FieldTable ScreeningFields(const std::vector<cycle::ScreeningRow>& rows);
// Its texts.
CsvTable ScreeningTable(const std::vector<cycle::ScreeningRow>& rows);

}  // namespace report
