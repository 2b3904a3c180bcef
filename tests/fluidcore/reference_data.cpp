#include "reference_data.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fluidcore::test {

const std::string& Row::text(const std::string& column) const {
  const auto it = fields.find(column);
  if (it == fields.end()) throw std::runtime_error("no column " + column);
  return it->second;
}

double Row::number(const std::string& column) const { return std::stod(text(column)); }

namespace {
std::vector<std::string> split(const std::string& line) {
  std::vector<std::string> r;
  std::string cell;
  bool quoted = false;
  for (char c : line) {
    if (c == '"') quoted = !quoted;
    else if (c == ',' && !quoted) { r.push_back(cell); cell.clear(); }
    else if (c != '\r') cell += c;
  }
  r.push_back(cell);
  return r;
}
}  // namespace

std::vector<Row> read_csv(const std::string& file) {
  std::ifstream in(std::string(FLUIDCORE_TEST_DATA_DIR) + "/" + file);
  if (!in) throw std::runtime_error("cannot read test data " + file);
  std::string line;
  std::getline(in, line);
  const auto header = split(line);
  std::vector<Row> rows;
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    const auto cells = split(line);
    Row row;
    for (std::size_t i = 0; i < header.size() && i < cells.size(); ++i)
      row.fields[header[i]] = cells[i];
    rows.push_back(std::move(row));
  }
  return rows;
}

std::shared_ptr<const PureFluid> fluid(const std::string& name) {
  static FluidLibrary library({std::filesystem::path(FLUIDCORE_FLUIDS_DIR).parent_path()});
  return library.load("fluids/" + name + ".fld");
}

std::vector<std::string> all_fluid_names() {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(FLUIDCORE_FLUIDS_DIR))
    if (e.path().extension() == ".fld") names.push_back(e.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string scientific(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.3e", v);
  return buf;
}

double relative(double a, double b, double floor) {
  return std::abs(a - b) / std::max(std::abs(b), floor);
}

}  // namespace fluidcore::test
