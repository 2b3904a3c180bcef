// Comma-separated tables: a header line and one line per row, each field
// quoted where it must be, every line ended by a line feed. Every CSV file
// the program writes goes through here, and the tables of the clipboard and
// the reports are these tables too.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace report {

// A field as written: quoted, with its quotes doubled, when it holds a comma
// (spelled mixtures), a quote or a line break; else as it is.
std::string CsvField(std::string_view text);

class CsvTable {
 public:
  explicit CsvTable(std::vector<std::string> header);

  // A row of as many fields as the header has; throws std::invalid_argument
  // for another number.
  void AddRow(std::vector<std::string> fields);

  const std::vector<std::string>& Header() const { return header_; }
  const std::vector<std::vector<std::string>>& Rows() const { return rows_; }

  void Write(std::ostream& out) const;
  // What Write writes.
  std::string Text() const;

 private:
  std::vector<std::string> header_;
  std::vector<std::vector<std::string>> rows_;
};

}  // namespace report
