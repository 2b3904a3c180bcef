// The fields of a calculation with the texts its form shows at start: one
// table per calculation, beside the struct of its fields. The forms, the
// command line (its options, their defaults and its help), the document and
// the tests all read the table, so that a default changes in one line.
#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace cycle {

template <typename Fields>
struct FieldDefault {
  std::string_view option;  // the command line's option, without "--": "hot-water"
  std::string_view text;    // the form's text at start: "50"
  std::string_view help;    // what the field is, for the help: "hot water temperature, 'C"
  std::string Fields::*field;
  // The help's word for what may be typed where the default does not show
  // it ("mean|optimal|BAR"); empty: the default shows it.
  std::string_view placeholder = {};
};

template <typename Fields, std::size_t N>
using FieldDefaults = std::array<FieldDefault<Fields>, N>;

// The text the table gives the field; a field the table lacks does not compile
// where the text is a constant.
template <typename Fields, std::size_t N>
constexpr std::string_view DefaultText(const FieldDefaults<Fields, N>& table,
                                       std::string Fields::*field) {
  for (const FieldDefault<Fields>& entry : table) {
    if (entry.field == field) return entry.text;
  }
  throw std::logic_error("a field without a default");
}

// The fields at the table's texts; fields the table lacks as `fields` holds them.
template <typename Fields, std::size_t N>
Fields WithDefaults(const FieldDefaults<Fields, N>& table, Fields fields = {}) {
  for (const FieldDefault<Fields>& entry : table) fields.*entry.field = entry.text;
  return fields;
}

// The entry of another calculation's table for the same quantity, filling
// this calculation's field: same option, text and help.
template <typename Fields, typename From, std::size_t N>
constexpr FieldDefault<Fields> SameAs(const FieldDefaults<From, N>& table, std::string_view option,
                                      std::string Fields::*field) {
  for (const FieldDefault<From>& entry : table) {
    if (entry.option == option) {
      return {entry.option, entry.text, entry.help, field, entry.placeholder};
    }
  }
  throw std::logic_error("no field of that option");
}

}  // namespace cycle
