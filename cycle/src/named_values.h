// Figures named for messages, and the test that they can be shown.
#pragma once

#include <cmath>
#include <initializer_list>
#include <optional>
#include <span>
#include <string_view>

namespace cycle::detail {

struct NamedValue {
  std::string_view name;
  double value;
};

// The name of the first value that is infinite or not a number.
inline std::optional<std::string_view> FirstNonFinite(std::span<const NamedValue> values) {
  for (const NamedValue& named : values) {
    if (!std::isfinite(named.value)) return named.name;
  }
  return std::nullopt;
}

inline std::optional<std::string_view> FirstNonFinite(std::initializer_list<NamedValue> values) {
  return FirstNonFinite(std::span(values.begin(), values.size()));
}

}  // namespace cycle::detail
