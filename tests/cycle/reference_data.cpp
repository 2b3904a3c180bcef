#include "reference_data.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "cycle/number_text.h"

namespace cycle_test {

namespace {

std::vector<std::string> SplitCsvLine(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream stream(line);
  std::string field;
  while (std::getline(stream, field, ',')) fields.push_back(field);
  if (!line.empty() && line.back() == ',') fields.emplace_back();
  return fields;
}

}  // namespace

double ReferenceRow::Number(const std::string& column) const {
  return std::stod(text.at(column));
}

std::vector<ReferenceRow> ReadReference(const std::string& file_name) {
  const std::string path = std::string(HEATPUMP_TEST_DATA_DIR) + "/" + file_name;
  std::ifstream file(path);
  if (!file) throw std::runtime_error("cannot read " + path);
  std::string line;
  std::getline(file, line);
  const auto header = SplitCsvLine(line);
  std::vector<ReferenceRow> rows;
  while (std::getline(file, line)) {
    if (line.empty()) continue;
    const auto fields = SplitCsvLine(line);
    ReferenceRow row;
    for (std::size_t i = 0; i < header.size() && i < fields.size(); ++i) {
      row.text[header[i]] = fields[i];
    }
    rows.push_back(row);
  }
  return rows;
}

bool ShowsSameDigits(double value, double reference, int decimals, double scale) {
  const double shown = std::fabs(reference * scale) * std::pow(10.0, decimals);
  const double distance = std::fabs(shown - std::floor(shown) - 0.5) * std::pow(10.0, -decimals);
  if (distance < 1e-6) return true;
  return cycle::FormatFixed(value * scale, decimals) == cycle::FormatFixed(reference * scale, decimals);
}

std::string ExactText(double value) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  return std::string(text, end);
}

}  // namespace cycle_test
