#include "text.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "datafiles/data_files.h"

namespace catalogue::detail {

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

std::string ReadText(const std::filesystem::path& file) {
  try {
    return datafiles::ReadDataFile(file);
  } catch (const datafiles::DataFileError& reason) {
    throw std::runtime_error(std::string("cannot be read (") + reason.what() + ")");
  }
}

}  // namespace catalogue::detail
