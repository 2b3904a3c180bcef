// The CSV writer: fields that need quoting, and tables that read back as
// they were written.
#include "report/csv_table.h"

#include <gtest/gtest.h>

#include <string>

namespace report {
namespace {

// A reader of the CSV the writer writes (quoted fields with doubled quotes).
TextTable ReadCsv(const std::string& text) {
  TextTable rows;
  std::vector<std::string> row;
  std::string field;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      row.push_back(std::move(field));
      field.clear();
    } else if (c == '\n') {
      row.push_back(std::move(field));
      field.clear();
      rows.push_back(std::move(row));
      row.clear();
    } else {
      field += c;
    }
  }
  return rows;
}

TEST(CsvField, QuotesOnlyWhatNeedsIt) {
  const struct {
    const char* field;
    const char* written;
  } cases[] = {
      {"R134a", "R134a"},
      {"", ""},
      {"R32,0.5,R125,0.5", "\"R32,0.5,R125,0.5\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"two\nlines", "\"two\nlines\""},
      {"\u00b0C", "\u00b0C"},
  };
  for (const auto& c : cases) EXPECT_EQ(CsvField(c.field), c.written) << c.field;
}

TEST(CsvText, ReadsBackAsWritten) {
  const TextTable table{{"refrigerant", "COP", "note"},
                        {"R32,0.5,R125,0.5", "5.11", "a \"blend\", spelled"},
                        {"R22", "", "line\nbreak"},
                        {"", "", ""}};
  EXPECT_EQ(ReadCsv(CsvText(table)), table);
  EXPECT_EQ(CsvText({{"a", "b"}, {"1", "2"}}), "a,b\n1,2\n");
  EXPECT_EQ(CsvText({}), "");
}

}  // namespace
}  // namespace report
