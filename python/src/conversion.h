// What the module converts at its boundary: keyword arguments into the
// fields of a calculation's table, the calculations' lines into dicts.
#pragma once

#include <pybind11/pybind11.h>

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

#include "cycle/field_defaults.h"
#include "cycle/library_text_option.h"
#include "report/figure_rows.h"

namespace heatpump_python {

namespace py = pybind11;

// A calculation the form or the command line would refuse, with its message.
class CalculationRefused : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The option's keyword: "hot-water" -> "hot_water".
std::string KeywordOf(std::string_view option);

// A keyword's value as the form's field would hold it typed: a str as it
// stands, an int or float as the shortest text that reads back as it.
// TypeError for anything else.
std::string FieldText(std::string_view function, std::string_view keyword, py::handle value);

// verbose=True: a failed property request's message followed by the
// property library's own text; taken out of the keywords.
cycle::LibraryText TakeVerbose(std::string_view function, py::kwargs& kwargs);

// The fields of a calculation's table with the keywords' values, each
// keyword named like its option; a field not given keeps its text in
// `fields`. TypeError for a keyword the table lacks, or one of `positional`
// (those are the function's own arguments).
template <typename Fields, std::size_t N>
Fields FieldsFrom(const cycle::FieldDefaults<Fields, N>& table, std::string_view function,
                  const py::kwargs& kwargs, Fields fields,
                  std::initializer_list<std::string_view> positional = {}) {
  for (const auto& [key, value] : kwargs) {
    const std::string keyword = py::str(key);
    const cycle::FieldDefault<Fields>* entry = nullptr;
    for (const auto& candidate : table) {
      if (KeywordOf(candidate.option) == keyword) entry = &candidate;
    }
    for (const std::string_view taken : positional) {
      if (KeywordOf(taken) == keyword) entry = nullptr;
    }
    if (entry == nullptr) {
      throw py::type_error(std::string(function) + "() got an unexpected keyword argument '" +
                           keyword + "'");
    }
    fields.*(entry->field) = FieldText(function, keyword, value);
  }
  return fields;
}

// The options of a table for a docstring, a line each: "hot_water='50':
// hot water temperature, 'C"; those of `positional` left out.
template <typename Fields, std::size_t N>
std::string OptionsDoc(const cycle::FieldDefaults<Fields, N>& table,
                       std::initializer_list<std::string_view> positional = {}) {
  std::string doc;
  for (const auto& entry : table) {
    bool taken = false;
    for (const std::string_view name : positional) taken = taken || name == entry.option;
    if (taken) continue;
    doc.append("    ").append(KeywordOf(entry.option)).append("='").append(entry.text);
    doc.append("': ").append(entry.help).append("\n");
  }
  return doc;
}

// A line of a table as a dict under the table's header: a number as a
// float, a text as a str, an empty field as None.
py::dict RowDict(const report::FieldTable& table, std::size_t row);
// Every line.
py::list RowDicts(const report::FieldTable& table);

}  // namespace heatpump_python
