#include "files/json_fields.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "datafiles/data_files.h"

namespace fluidcore {

std::string read_file(const std::filesystem::path& path, const char* what) {
  try {
    return datafiles::ReadDataFile(path);
  } catch (const datafiles::DataFileError& e) {
    throw FluidFileError(std::string("cannot read ") + what + " " + path.string() + " (" + e.what() +
                         ")");
  }
}

namespace json {
namespace {

std::string quoted(const char* key) { return std::string("'") + key + "'"; }

double double_of(element value, const char* key) {
  double d = 0;
  if (value.get_double().get(d) != simdjson::SUCCESS)
    throw FluidFileError(quoted(key) + " is not a number");
  return d;
}

simdjson::dom::object object_of(element value, const std::string& what) {
  simdjson::dom::object object;
  if (value.get_object().get(object) != simdjson::SUCCESS)
    throw FluidFileError(what + " is not an object");
  return object;
}

}  // namespace

Document::Document(const std::string& text) {
  if (const auto error = parser_.parse(text).get(root_); error != simdjson::SUCCESS)
    throw FluidFileError(simdjson::error_message(error));
}

std::optional<element> member(element object, const char* key) {
  simdjson::dom::object members;
  if (object.get_object().get(members) != simdjson::SUCCESS)
    throw FluidFileError("the value that should hold " + quoted(key) + " is not an object");
  element value;
  if (members[key].get(value) != simdjson::SUCCESS) return std::nullopt;
  return value;
}

element field(element object, const char* key) {
  const auto value = member(object, key);
  if (!value) throw FluidFileError(quoted(key) + " is missing");
  return *value;
}

double number(element object, const char* key) {
  const double d = double_of(field(object, key), key);
  if (!std::isfinite(d)) throw FluidFileError(quoted(key) + " is not finite");
  return d;
}

double positive(element object, const char* key) {
  const double d = number(object, key);
  if (!(d > 0)) throw FluidFileError(quoted(key) + " is not positive");
  return d;
}

int whole(element object, const char* key) {
  const double d = number(object, key);
  if (d != std::floor(d) || d < 0 || d > 64)
    throw FluidFileError(quoted(key) + " is not a whole number from 0 to 64");
  return static_cast<int>(d);
}

std::string text(element object, const char* key) {
  std::string_view s;
  if (field(object, key).get_string().get(s) != simdjson::SUCCESS)
    throw FluidFileError(quoted(key) + " is not a text");
  return std::string(s);
}

std::string text_or_empty(element object, const char* key) {
  std::string_view s;
  const auto value = member(object, key);
  return value && value->get_string().get(s) == simdjson::SUCCESS ? std::string(s) : std::string();
}

std::vector<double> numbers(element object, const char* key) {
  field(object, key);
  auto r = list(object, key, [&](element v) { return double_of(v, key); });
  if (r.empty()) throw FluidFileError(quoted(key) + " is empty");
  return r;
}

TermGroups term_groups(element groups) {
  static constexpr std::string_view known[] = {"power", "gaussian", "double_exponential",
                                               "gao_b", "nonanalytic", "gaussian_linear"};
  for (const auto [key, value] : object_of(groups, "the term groups")) {
    if (std::find(std::begin(known), std::end(known), key) == std::end(known))
      throw FluidFileError("unknown term group '" + std::string(key) + "'");
  }
  TermGroups r;
  r.power = list(groups, "power", [](element t) {
    return PowerTerm{number(t, "n"), number(t, "t"), number(t, "c"), whole(t, "d"),
                     whole(t, "l")};
  });
  r.gaussian = list(groups, "gaussian", [](element t) {
    return GaussianTerm{number(t, "n"),    number(t, "t"),    number(t, "eta"),
                        number(t, "epsilon"), number(t, "beta"), number(t, "gamma"),
                        whole(t, "d")};
  });
  r.double_exponential = list(groups, "double_exponential", [](element t) {
    return DoubleExponentialTerm{number(t, "n"),  number(t, "t"),  number(t, "gd"),
                                 number(t, "gt"), number(t, "lt"), whole(t, "d"),
                                 whole(t, "ld")};
  });
  r.gao_b = list(groups, "gao_b", [](element t) {
    return GaoBTerm{number(t, "n"),    number(t, "t"),    number(t, "eta"),
                    number(t, "epsilon"), number(t, "beta"), number(t, "gamma"),
                    number(t, "b"),    whole(t, "d")};
  });
  r.nonanalytic = list(groups, "nonanalytic", [](element t) {
    return NonanalyticTerm{number(t, "n"),    number(t, "a"), number(t, "b"),
                           number(t, "beta"), number(t, "A"), number(t, "B"),
                           number(t, "C"),    number(t, "D")};
  });
  r.gaussian_linear = list(groups, "gaussian_linear", [](element t) {
    return GaussianLinearTerm{number(t, "n"),    number(t, "t"),    number(t, "eta"),
                              number(t, "epsilon"), number(t, "beta"), number(t, "gamma"),
                              whole(t, "d")};
  });
  return r;
}

}  // namespace json
}  // namespace fluidcore
