// Checks shared by the calculations' inputs, for any calculation sized by a
// flow, a capacity or a safety factor.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace cycle {

struct SizeField {
  std::string_view name;  // as the form's messages name it: "Safety Factor"
  double value;
};

// "<name> Incorrect" for the first size below zero, in the order given
// ("Safety Factor Incorrect"); nothing when none is. A negative flow,
// capacity or safety factor would give negative duties.
std::optional<std::string> CheckNoNegativeSize(std::initializer_list<SizeField> sizes);

}  // namespace cycle
