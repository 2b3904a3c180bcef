// Shared helpers of the fluidcore tests: the project's reference tables
// (tests/data) and its fluid files (fluids/).
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fluidcore/fluid_file.h"
#include "fluidcore/pure_fluid.h"

namespace fluidcore::test {

// One CSV row, by column name.
struct Row {
  std::map<std::string, std::string> fields;
  const std::string& text(const std::string& column) const;
  double number(const std::string& column) const;
};

// tests/data/<file>, header row first.
std::vector<Row> read_csv(const std::string& file);

// A fluid of fluids/ by name ("R134a"), parsed once per test program.
std::shared_ptr<const PureFluid> fluid(const std::string& name);

// Names of every fluid file in fluids/.
std::vector<std::string> all_fluid_names();

// A number for a test property: "1.234e-09".
std::string scientific(double v);

// |a - b| / max(|b|, floor).
double relative(double a, double b, double floor = 1e-300);

}  // namespace fluidcore::test
