// CSV tables as other programs read them: fields quoted where they must be,
// one line per row, every row as wide as the header.
#include "report/csv_table.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <utility>

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

// A reader of the CSV the writer writes (quoted fields with doubled quotes).
std::vector<std::vector<std::string>> ReadCsv(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> row;
  std::string field;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
      field += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && (c == ',' || c == '\n')) {
      row.push_back(std::move(field));
      field.clear();
      if (c == '\n') rows.push_back(std::exchange(row, {}));
    } else {
      field += c;
    }
  }
  return rows;
}

TEST(CsvTable, ReadsBackAsWritten) {
  CsvTable table({"refrigerant", "COP", "note"});
  const std::vector<std::vector<std::string>> rows{
      {"R32,0.5,R125,0.5", "5.11", "a \"blend\", spelled"}, {"R22", "", "line\nbreak"}, {"", "", ""}};
  for (const auto& row : rows) table.AddRow(row);
  auto expected = rows;
  expected.insert(expected.begin(), table.Header());
  EXPECT_EQ(ReadCsv(table.Text()), expected);
}

TEST(CsvTable, RefusesARowOfAnotherWidth) {
  CsvTable table({"a", "b"});
  EXPECT_THROW(table.AddRow({"1"}), std::invalid_argument);
  EXPECT_THROW(table.AddRow({"1", "2", "3"}), std::invalid_argument);
  EXPECT_TRUE(table.Rows().empty());
}

}  // namespace
}  // namespace report
