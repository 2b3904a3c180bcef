// Reading the fluid and mixing files, and their JSON with simdjson: the
// fields a file must have, each refused with a plain message that names it
// (FluidFileError). The files are several megabytes together and every
// number in them is needed, so the parser is the fast one.
#pragma once

#include <simdjson.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "fluidcore/fluid_file.h"

namespace fluidcore {

// The whole of a data file (datafiles::ReadDataFile); FluidFileError
// "cannot read <what> <path> (<why>)".
std::string read_file(const std::filesystem::path& path, const char* what);

namespace json {

using simdjson::dom::element;

// A parsed text; its elements live as long as it does.
class Document {
 public:
  // Throws FluidFileError with the parser's reason.
  explicit Document(const std::string& text);
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;
  element root() const { return root_; }

 private:
  simdjson::dom::parser parser_;
  element root_;
};

// The member `key` of an object; nothing where it is absent.
std::optional<element> member(element object, const char* key);
// The member `key`; FluidFileError where the object lacks it.
element field(element object, const char* key);

double number(element object, const char* key);    // finite
double positive(element object, const char* key);  // finite and > 0
int whole(element object, const char* key);        // 0 to 64
std::string text(element object, const char* key);
// The text of the member `key`, or "" where it is absent or no text.
std::string text_or_empty(element object, const char* key);
std::vector<double> numbers(element object, const char* key);  // a non-empty array

// visit(item) for every item of the array `key`, in order; nothing where it
// is absent.
template <class Visit>
void for_each(element object, const char* key, Visit visit) {
  const auto found = member(object, key);
  if (!found) return;
  simdjson::dom::array array;
  if (found->get_array().get(array) != simdjson::SUCCESS)
    throw FluidFileError(std::string("'") + key + "' is not a list");
  for (const element item : array) visit(item);
}

// make(item) of every item of the array `key`; none where it is absent.
template <class Make>
auto list(element object, const char* key, Make make) {
  std::vector<decltype(make(element{}))> items;
  for_each(object, key, [&](element item) { items.push_back(make(item)); });
  return items;
}

// The residual term groups of an object ("power", "gaussian", ...), shared
// by the fluid files and the departure functions of the mixing file.
TermGroups term_groups(element groups);

}  // namespace json
}  // namespace fluidcore
