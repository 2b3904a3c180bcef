// The inputs of a form kept in a file that an engineer can reopen: a small
// versioned JSON text (".hpc") holding the form's field texts exactly as
// typed, keyed by the calculation's options (the tables of defaults in
// cycle/), with the refrigerants where the form holds several and the
// layout where it chooses one:
//
//   {
//     "format": "heatpump-inputs",
//     "version": 1,
//     "form": "layouts",
//     "layout": "ihx",
//     "fields": {
//       "refrigerant": "R134a",
//       "capacity": "10",
//       ...
//     }
//   }
//
// The forms' Save Inputs... and Open Inputs..., and hpcalc's --save-inputs
// and --inputs, write and read the same files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cycle/field_defaults.h"

namespace inputs {

inline constexpr std::string_view kFormatName = "heatpump-inputs";
inline constexpr int kVersion = 1;
// A form's texts take a few hundred bytes; anything much larger is no
// inputs file and is not read.
inline constexpr std::uintmax_t kLargestInputsFile = 64 * 1024;

enum class Form { basic, comparison, transcritical, layouts };

// The name the file gives the form: "basic", "comparison", "transcritical",
// "layouts".
std::string_view FormName(Form form);

// Field texts by the option of their table: "condensing" -> "90".
using FieldTexts = std::map<std::string, std::string, std::less<>>;

struct Inputs {
  Form form = Form::basic;
  FieldTexts fields = {};  // every field of the form's table
  // The comparison's refrigerants 1 to N as typed, N the number chosen
  // (none chosen: none); other forms hold none.
  std::vector<std::string> refrigerants = {};
  std::string layout = {};  // the layouts' choice, by its name ("ihx"); other forms: empty

  bool operator==(const Inputs&) const = default;
};

// The options of the form's fields, in the order of its table.
std::vector<std::string_view> FieldOptions(Form form);

// The form's inputs as it opens: its table's texts, no refrigerants, the
// first layout.
Inputs DefaultInputs(Form form);

// Writes the inputs as the file, whole or not at all (files::WriteWholeFile).
// Nothing when written, else why not: "Cannot write a.hpc: permission
// denied".
std::optional<std::string> SaveInputs(const std::filesystem::path& file, const Inputs& inputs);

// The inputs of `form` that the file holds, or why it cannot be opened:
// "Cannot open a.hpc: " and the reason (not a file of this program, of
// another form, of a newer version, a field missing or not a text, ...).
std::variant<Inputs, std::string> OpenInputs(const std::filesystem::path& file, Form form);

// A calculation's fields as texts by their options, and back; fields the
// texts lack keep what `fields` holds.
template <typename Fields, std::size_t N>
FieldTexts TextsOf(const cycle::FieldDefaults<Fields, N>& table, const Fields& fields) {
  FieldTexts texts;
  for (const cycle::FieldDefault<Fields>& entry : table) {
    texts.emplace(std::string(entry.option), fields.*entry.field);
  }
  return texts;
}

template <typename Fields, std::size_t N>
Fields FieldsOf(const cycle::FieldDefaults<Fields, N>& table, const FieldTexts& texts,
                Fields fields = {}) {
  for (const cycle::FieldDefault<Fields>& entry : table) {
    if (const auto text = texts.find(entry.option); text != texts.end()) {
      fields.*entry.field = text->second;
    }
  }
  return fields;
}

}  // namespace inputs
