#include "typed_fields.h"

#include <algorithm>
#include <cctype>

#include "cycle/number_text.h"
#include "property_requests.h"

namespace cycle::detail {

std::optional<std::string> ReadTypedNumbers(std::initializer_list<TypedNumber> fields) {
  for (const TypedNumber& field : fields) {
    const auto number = WholeNumber(field.text);
    if (!number) return "Please Input " + std::string(field.field) + " as a number";
    field.value = *number;
  }
  return std::nullopt;
}

bool IsWord(std::string_view text, std::string_view word) {
  const std::string_view trimmed = Trimmed(text);
  return std::equal(trimmed.begin(), trimmed.end(), word.begin(), word.end(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  });
}

}  // namespace cycle::detail
