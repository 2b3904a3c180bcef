// CSV tables as other programs read them: fields quoted where they must be,
// one line per row, every row as wide as the header.
#include "report/csv_table.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

namespace report {
namespace {

TEST(CsvField, QuotesOnlyWhatMustBeQuoted) {
  const struct {
    const char* text;
    const char* field;
  } cases[] = {
      {"R134a", "R134a"},
      {"", ""},
      {"R32,0.5,R125,0.5", "\"R32,0.5,R125,0.5\""},
      {"a \"quoted\" name", "\"a \"\"quoted\"\" name\""},
      {"two\nlines", "\"two\nlines\""},
      {"carriage\rreturn", "\"carriage\rreturn\""},
      {"it's 5 'C; fine", "it's 5 'C; fine"},
  };
  for (const auto& c : cases) EXPECT_EQ(CsvField(c.text), c.field) << c.text;
}

TEST(CsvTable, WritesTheHeaderThenEveryRow) {
  CsvTable table({"refrigerant", "COP", "reason"});
  table.AddRow({"R22", "5.11", ""});
  table.AddRow({"R32,0.5,R125,0.5", "", "no \"value\""});
  std::ostringstream out;
  table.Write(out);
  EXPECT_EQ(out.str(),
            "refrigerant,COP,reason\n"
            "R22,5.11,\n"
            "\"R32,0.5,R125,0.5\",,\"no \"\"value\"\"\"\n");
  EXPECT_EQ(table.Rows().size(), 2u);

  CsvTable empty({"only"});
  std::ostringstream header_only;
  empty.Write(header_only);
  EXPECT_EQ(header_only.str(), "only\n");
}

TEST(CsvTable, RefusesARowOfAnotherWidth) {
  CsvTable table({"a", "b"});
  EXPECT_THROW(table.AddRow({"1"}), std::invalid_argument);
  EXPECT_THROW(table.AddRow({"1", "2", "3"}), std::invalid_argument);
  EXPECT_TRUE(table.Rows().empty());
}

}  // namespace
}  // namespace report
