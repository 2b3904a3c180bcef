#include "conversion.h"

#include <algorithm>

#include "cycle/number_text.h"

namespace heatpump_python {

std::string KeywordOf(std::string_view option) {
  std::string keyword(option);
  std::replace(keyword.begin(), keyword.end(), '-', '_');
  return keyword;
}

std::string FieldText(std::string_view function, std::string_view keyword, py::handle value) {
  if (py::isinstance<py::str>(value)) return value.cast<std::string>();
  // A bool is an int to Python, yet no number an engineer types.
  if (!py::isinstance<py::bool_>(value) &&
      (py::isinstance<py::int_>(value) || py::isinstance<py::float_>(value) ||
       py::hasattr(value, "__float__"))) {
    return cycle::FormatShortest(py::float_(py::reinterpret_borrow<py::object>(value)));
  }
  throw py::type_error(std::string(function) + "(): " + std::string(keyword) +
                       " takes a number or a str, not " +
                       std::string(py::str(py::type::handle_of(value).attr("__name__"))));
}

cycle::LibraryText TakeVerbose(std::string_view function, py::kwargs& kwargs) {
  if (!kwargs.contains("verbose")) return cycle::LibraryText::omitted;
  const py::object verbose = kwargs.attr("pop")("verbose");
  if (!py::isinstance<py::bool_>(verbose)) {
    throw py::type_error(std::string(function) + "(): verbose takes True or False");
  }
  return verbose.cast<bool>() ? cycle::LibraryText::appended : cycle::LibraryText::omitted;
}

py::dict RowDict(const report::FieldTable& table, std::size_t row) {
  py::dict line;
  const auto& fields = table.Rows().at(row);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    line[py::str(table.Header()[i])] = std::visit(
        [](const auto& value) -> py::object {
          using Value = std::decay_t<decltype(value)>;
          if constexpr (std::is_same_v<Value, std::monostate>) {
            return py::none();
          } else {
            return py::cast(value);
          }
        },
        fields[i].value);
  }
  return line;
}

py::list RowDicts(const report::FieldTable& table) {
  py::list lines;
  for (std::size_t row = 0; row < table.Rows().size(); ++row) lines.append(RowDict(table, row));
  return lines;
}

}  // namespace heatpump_python
