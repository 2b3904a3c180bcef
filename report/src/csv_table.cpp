#include "report/csv_table.h"

#include <ostream>
#include <sstream>
#include <stdexcept>

namespace report {

namespace {

void WriteLine(const std::vector<std::string>& fields, std::ostream& out) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    out << (i == 0 ? "" : ",") << CsvField(fields[i]);
  }
  out << '\n';
}

}  // namespace

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

CsvTable::CsvTable(std::vector<std::string> header) : header_(std::move(header)) {}

void CsvTable::AddRow(std::vector<std::string> fields) {
  if (fields.size() != header_.size()) {
    throw std::invalid_argument("a CSV row of " + std::to_string(fields.size()) +
                                " fields under a header of " + std::to_string(header_.size()));
  }
  rows_.push_back(std::move(fields));
}

void CsvTable::Write(std::ostream& out) const {
  WriteLine(header_, out);
  for (const auto& row : rows_) WriteLine(row, out);
}

std::string CsvTable::Text() const {
  std::ostringstream text;
  Write(text);
  return text.str();
}

}  // namespace report
