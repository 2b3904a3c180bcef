// Numbers typed into the fields of a form, or given on the command line,
// read whole: a text that is no number is refused with a message naming its
// field, so that a calculation never computes with a number nobody typed.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace cycle::detail {

struct TypedNumber {
  std::string_view field;  // as the form labels it: "Heating Capacity"
  const std::string& text;
  double& value;
};

// Reads the fields in order: "Please Input <field> as a number" for the
// first text that is not a finite number, else nothing.
std::optional<std::string> ReadTypedNumbers(std::initializer_list<TypedNumber> fields);

// Whether the text is the word, without regard to case or surrounding blanks.
bool IsWord(std::string_view text, std::string_view word);

}  // namespace cycle::detail
