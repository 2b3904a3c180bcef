// The reference cycle figures in tests/data, and comparing a figure with its
// reference to the digit that a page shows.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace cycle_test {

// One row of a reference file, by column name.
struct ReferenceRow {
  std::map<std::string, std::string> text;
  double Number(const std::string& column) const;
};

std::vector<ReferenceRow> ReadReference(const std::string& file_name);

// Whether value and reference show the same text with the given decimals,
// after scaling both. A reference within 1e-6 of a rounding boundary agrees
// with anything: the digit shown there is not a property of the model.
bool ShowsSameDigits(double value, double reference, int decimals, double scale = 1);

// The text of a number that reads back as exactly that number, for fields
// that go through the leading-number conversion.
std::string ExactText(double value);

}  // namespace cycle_test
